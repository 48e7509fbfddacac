// The tile control tests' fixture: a control in a visible logging popup, masters made of
// facets with windows of their own, one-image strips in plain colours.
#pragma once
#include <gtest/gtest.h>

#include <TileControl.h>
#include <UIHandles.h>
#include <framework.h>

#include <memory>
#include <string>
#include <vector>

#include "dib_canvas.h"
#include "handle_counts.h"
#include "recorder.h"
#include "test_support.h"

namespace tile_test {

using testing_support::DibCanvas;
using testing_support::LoggingParent;

const int kId = 91;

// A strip of 16 x 16 squares in the colours, followed by their all-black masks. The caller
// owns it.
inline HBITMAP MakeStrip(const std::vector<COLORREF>& colours) {
  const int w = 32 * static_cast<int>(colours.size());
  BITMAPINFO bi = {};
  bi.bmiHeader.biSize = sizeof(bi.bmiHeader);
  bi.bmiHeader.biWidth = w;
  bi.bmiHeader.biHeight = -16;
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 32;
  void* bits = NULL;
  HBITMAP bitmap = CreateDIBSection(NULL, &bi, DIB_RGB_COLORS, &bits, NULL, 0);
  if (bitmap == NULL) return NULL;
  DWORD* p = static_cast<DWORD*>(bits);
  for (int y = 0; y < 16; ++y) {
    for (int x = 0; x < w; ++x) {
      const COLORREF c = x < w / 2 ? colours[static_cast<size_t>(x / 16)] : 0;
      p[y * w + x] = (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c);
    }
  }
  return bitmap;
}

// A one-image strip.
inline HBITMAP MakeImage(COLORREF colour) { return MakeStrip({colour}); }

class TileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_NE(parent.hwnd(), nullptr);
    tile = Make(parent.hwnd(), 160, 300);
    ASSERT_NE(tile, nullptr);
  }
  void TearDown() override {
    if (IsWindow(tile)) DestroyWindow(tile);
    for (HWND w : windows) {
      if (IsWindow(w)) DestroyWindow(w);
    }
  }
  static HWND Make(HWND parentWindow, int w, int h) {
    return CreateWindowExW(0, L"QvTileControl32", L"", WS_CHILD | WS_VISIBLE, 0, 0, w, h, parentWindow,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(kId)), NULL, NULL);
  }
  TileControl* Object() const { return TileControl::FromWindow(tile); }
  LRESULT Send(UINT msg, WPARAM wp = 0, LPARAM lp = 0) const { return SendMessageW(tile, msg, wp, lp); }
  static WPARAM Ptr(const void* p) { return reinterpret_cast<WPARAM>(p); }

  // A window a facet shows (a static child of the parent until embedded).
  EMBEDDED_OBJECT* NewObject() {
    HWND w = CreateWindowExW(0, L"STATIC", L"", WS_CHILD, 0, 0, 10, 10, parent.hwnd(), NULL, NULL, NULL);
    windows.push_back(w);
    objects.push_back(std::unique_ptr<EMBEDDED_OBJECT>(new EMBEDDED_OBJECT(w)));
    return objects.back().get();
  }
  // A master of `facets` facets "F<i>", each with its own window when `withObjects`.
  MasterTile Master(int facets, bool withObjects = true, const wchar_t* prefix = L"F") {
    MasterTile m;
    if (facets > m.GetMaxCount()) m.SetNumTiles(facets);
    for (int i = 0; i < facets; ++i) {
      const std::wstring caption = prefix + std::to_wstring(i);
      Tile t(caption.c_str(), withObjects ? NewObject() : NULL, NULL, 0);
      m.AddTile(t);
    }
    return m;
  }
  // Sets a maximum, adds `count` masters of `facets` facets and activates `active`.
  void Fill(int count, int facets, int active, bool withObjects = true) {
    ASSERT_EQ(Send(TLM_SETNUMMASTERS, 8), 8);
    for (int i = 0; i < count; ++i) {
      MasterTile m = Master(facets, withObjects, (std::wstring(L"M") + std::to_wstring(i) + L"F").c_str());
      ASSERT_EQ(Send(TLM_ADDMASTER, Ptr(&m)), i);
    }
    if (active >= 0) {
      ASSERT_EQ(Send(TLM_SETACTIVEMASTER, active), 1);
    }
  }
  HWND ShownWindow(int master) const {
    const MasterTile* m = Object()->MasterAt(master);
    if (m == NULL || m->GetActiveObject() == NULL) return NULL;
    return m->GetActiveObject()->GetCoreObject();
  }
  CRect MasterRect(int i) const {
    RECT* r = reinterpret_cast<RECT*>(Send(TLM_GETMASTERRECT, i, 0));
    if (r == NULL) return CRect(0, 0, 0, 0);
    CRect out(*r);
    delete r;
    return out;
  }
  void Print(DibCanvas& canvas) const {
    SendMessageW(tile, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(canvas.dc()), PRF_CLIENT);
  }
  POINT Screen(int x, int y) const {
    POINT p = {x, y};
    ClientToScreen(tile, &p);
    return p;
  }

  LoggingParent parent{WS_POPUP | WS_VISIBLE, NULL, {30, 30, 330, 430}};
  HWND tile = NULL;
  std::vector<HWND> windows;
  std::vector<std::unique_ptr<EMBEDDED_OBJECT>> objects;
};

}  // namespace tile_test
