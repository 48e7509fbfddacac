// A grid on a logging popup with OLE started, filled with texts naming their cells, and the
// data-object helpers of the clipboard and drop tests.
#pragma once
#include <GridCtrl.h>
#include <framework.h>
#include <fw_oledata.h>
#include <gtest/gtest.h>

#include <string.h>

#include <string>

#include "../ui_grid/grid_fixture.h"

namespace grid_testing {

class OleGridFixture : public GridFixture {
 protected:
  void SetUp() override {
    GridFixture::SetUp();
    ASSERT_TRUE(AfxOleInit());
    oleStarted = true;
  }
  void TearDown() override {
    GridFixture::TearDown();
    ::OleSetClipboard(NULL);
    if (oleStarted) AfxOleTerm();
  }
  // rows x cols with one fixed row and column; cell (r, c) holds "rc" (e.g. "12").
  void MakeFilled(int rows = 5, int cols = 5) {
    Make();
    ASSERT_TRUE(grid.SetRowCount(rows));
    ASSERT_TRUE(grid.SetColumnCount(cols));
    ASSERT_TRUE(grid.SetFixedRowCount(1));
    ASSERT_TRUE(grid.SetFixedColumnCount(1));
    for (int r = 0; r < rows; ++r)
      for (int c = 0; c < cols; ++c) grid.SetItemTextFmt(r, c, _T("%d%d"), r, c);
    grid.SetEditable(TRUE);
  }
  bool oleStarted = false;
};

// A movable block holding exactly the bytes given (no terminator added).
inline HGLOBAL ExactBlock(const void* bytes, size_t size) {
  HGLOBAL block = ::GlobalAlloc(GMEM_MOVEABLE, size);
  if (block != NULL) {
    memcpy(::GlobalLock(block), bytes, size);
    ::GlobalUnlock(block);
  }
  return block;
}

// A data source offering ANSI text (a terminated copy of `ansi`) and, when `wide` is given,
// Unicode text; the caller releases it with InternalRelease.
inline COleDataSource* TextSource(const char* ansi, const wchar_t* wide = nullptr) {
  COleDataSource* source = new COleDataSource;
  if (ansi != nullptr) source->CacheGlobalData(CF_TEXT, ExactBlock(ansi, strlen(ansi) + 1));
  if (wide != nullptr) source->CacheGlobalData(CF_UNICODETEXT, ExactBlock(wide, (wcslen(wide) + 1) * sizeof(wchar_t)));
  return source;
}

inline LPDATAOBJECT DataOf(COleDataSource* source) {
  return static_cast<LPDATAOBJECT>(source->GetInterface(&IID_IDataObject));
}

// The bytes of a format's block of the data, its whole size.
inline std::string BlockBytes(LPDATAOBJECT data, CLIPFORMAT format) {
  COleDataObject object;
  object.Attach(data, FALSE);
  HGLOBAL block = object.GetGlobalData(format);
  if (block == NULL) return "<none>";
  std::string bytes(static_cast<const char*>(::GlobalLock(block)), ::GlobalSize(block));
  ::GlobalUnlock(block);
  ::GlobalFree(block);
  return bytes;
}

inline std::string Utf16Bytes(const wchar_t* text, size_t units) {
  return std::string(reinterpret_cast<const char*>(text), units * sizeof(wchar_t));
}

}  // namespace grid_testing
