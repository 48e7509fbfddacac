// What the tool-table tests share: a parent that logs the table's notifications into the
// recorder, item records, masked strips, and a visible table in a popup.
#pragma once
#include <gtest/gtest.h>
#include <windows.h>

#include <ControlClasses.h>
#include <ToolTable.h>
#include <recorder.h>
#include <test_support.h>

#include <functional>

namespace tooltable_test {

using testing_support::ExpectedMsg;
using testing_support::Recorder;

// A notification logged as WM_NOTIFY with the code as wParam and a digest of the value as
// lParam: for hit records the where-code in the high word and the position in the low word,
// for relays the kind in the high word and the first word in the low word, for keys the key.
inline LPARAM Digest(UINT code, DWORD_PTR value) {
  switch (code) {
    case TTBLN_HOVERENTER:
    case TTBLN_HOVERLEAVE:
    case static_cast<UINT>(NM_CLICK):
    case static_cast<UINT>(NM_DBLCLK):
    case static_cast<UINT>(NM_RCLICK):
    case static_cast<UINT>(NM_RDBLCLK): {
      const tagTT_CLICKSTRUCT* hit = reinterpret_cast<const tagTT_CLICKSTRUCT*>(value);
      return MAKELONG(hit->pos, hit->where);
    }
    case TTBLN_RELAY: {
      const TT_RELAYSTRUCT* rs = reinterpret_cast<const TT_RELAYSTRUCT*>(value);
      return MAKELONG(rs->word1, rs->kind);
    }
    case TTBLN_KEY:
    case TTBLN_TABKEY:
      return static_cast<LPARAM>(reinterpret_cast<const TT_KEYSTRUCT*>(value)->wParam);
    case TTBLN_DRAWITEM:
      return reinterpret_cast<const TT_DRAWSTRUCT*>(value)->id;
    default:
      return static_cast<LPARAM>(value);
  }
}

// Expected notification entry: code and digest.
inline ExpectedMsg Note(UINT code, LPARAM digest) {
  return ExpectedMsg{WM_NOTIFY, testing_support::kSent | testing_support::kParent | testing_support::kWparam |
                                    testing_support::kLparam,
                     static_cast<WPARAM>(code), digest};
}
inline ExpectedMsg NoteAny(UINT code) {
  return ExpectedMsg{WM_NOTIFY, testing_support::kSent | testing_support::kParent | testing_support::kWparam,
                     static_cast<WPARAM>(code), 0};
}
inline ExpectedMsg NoteOptional(UINT code) {
  return ExpectedMsg{WM_NOTIFY,
                     testing_support::kSent | testing_support::kParent | testing_support::kWparam |
                         testing_support::kOptional,
                     static_cast<WPARAM>(code), 0};
}
const ExpectedMsg kEnd = {0, 0, 0, 0};

// A window that logs the WM_NOTIFY records it gets (and nothing else); `onNotify` may answer.
class NotifyParent {
 public:
  explicit NotifyParent(DWORD style = WS_POPUP | WS_VISIBLE, RECT rc = {60, 60, 460, 360}, HWND owner = NULL) {
    static bool registered = false;
    if (!registered) {
      WNDCLASSW wc = {};
      wc.lpfnWndProc = &NotifyParent::Proc;
      wc.hInstance = GetModuleHandleW(NULL);
      wc.hCursor = LoadCursorW(NULL, MAKEINTRESOURCEW(32512));
      wc.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
      wc.lpszClassName = L"ToolTableTestParent";
      RegisterClassW(&wc);
      registered = true;
    }
    m_hwnd = CreateWindowExW(0, L"ToolTableTestParent", L"tool table parent", style, rc.left, rc.top,
                             rc.right - rc.left, rc.bottom - rc.top, owner, NULL, GetModuleHandleW(NULL), this);
  }
  ~NotifyParent() {
    if (IsWindow(m_hwnd)) DestroyWindow(m_hwnd);
  }
  NotifyParent(const NotifyParent&) = delete;
  NotifyParent& operator=(const NotifyParent&) = delete;
  HWND hwnd() const { return m_hwnd; }
  std::function<LRESULT(const tagNM_TOOLTABLE*)> onNotify;
  int posted = 0;             // posted records received
  bool deletesPosted = true;  // false when a hook of the sender frees them

 private:
  static LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_NCCREATE)
      SetWindowLongPtrW(hwnd, GWLP_USERDATA,
                        reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTW*>(lp)->lpCreateParams));
    NotifyParent* self = reinterpret_cast<NotifyParent*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (msg == WM_NOTIFY && self != NULL) {
      const tagNM_TOOLTABLE* nm = reinterpret_cast<const tagNM_TOOLTABLE*>(lp);
      Recorder().Record(hwnd, WM_NOTIFY, nm->hdr.code, Digest(nm->hdr.code, nm->value),
                        testing_support::kParent | (nm->posted ? testing_support::kPosted : 0u));
      LRESULT answer = self->onNotify ? self->onNotify(nm) : 0;
      if (nm->posted) {
        ++self->posted;
        if (self->deletesPosted) delete nm;
      }
      return answer;
    }
    if (msg == WM_NCDESTROY) SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
    return DefWindowProcW(hwnd, msg, wp, lp);
  }
  HWND m_hwnd = NULL;
};

inline HWND MakeTable(HWND parent, int id = 7, DWORD style = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN) {
  return CreateWindowExW(0, L"QvToolTable32", L"", style, 0, 0, 10, 10, parent,
                         reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(NULL), NULL);
}

inline tagTT_ITEMINFO Rec(DWORD type, DWORD id = 0, HANDLE object = NULL, DWORD flags = 0, DWORD state = 0,
                          DWORD data = 0) {
  tagTT_ITEMINFO r = {};
  r.type = type;
  r.id = id;
  r.object = object;
  r.flags = flags;
  r.state = state;
  r.data = data;
  r.mask = TTBLMASK_ALL;
  return r;
}
inline tagTT_ITEMINFO At(DWORD pos) {
  tagTT_ITEMINFO r = {};
  r.how = TTBL_BYPOSITION;
  r.posOrId = pos;
  return r;
}
inline tagTT_ITEMINFO ById(DWORD id) {
  tagTT_ITEMINFO r = {};
  r.how = TTBL_BYID;
  r.posOrId = id;
  return r;
}

inline LRESULT Send(HWND table, UINT msg, WPARAM wp, tagTT_ITEMINFO r) {
  return SendMessageW(table, msg, wp, reinterpret_cast<LPARAM>(&r));
}
inline LRESULT Add(HWND table, tagTT_ITEMINFO r) { return Send(table, TTBLM_ADDITEM, 0, r); }
inline LRESULT AddOwnerDraw(HWND table, DWORD id, DWORD flags = 0, DWORD state = 0) {
  return Add(table, Rec(TTBL_OWNERDRAW, id, NULL, flags, state));
}
inline DWORD State(HWND table, DWORD pos) { return static_cast<DWORD>(Send(table, TTBLM_GETITEMSTATE, 0, At(pos))); }
inline LRESULT SetState(HWND table, DWORD pos, DWORD state) { return Send(table, TTBLM_SETITEMSTATE, state, At(pos)); }
inline RECT Cell(HWND table, DWORD pos) {
  tagTT_ITEMINFO r = At(pos);
  SendMessageW(table, TTBLM_GETITEM, 0, reinterpret_cast<LPARAM>(&r));
  return r.rect;
}
inline SIZE WindowSize(HWND hwnd) {
  RECT rc;
  GetWindowRect(hwnd, &rc);
  return SIZE{rc.right - rc.left, rc.bottom - rc.top};
}

// A masked strip of one image: w x h of `color` on the left, its mask (black: opaque) on
// the right; with a transparent border of `border` pixels round the image.
inline HBITMAP MaskedStrip(int w, int h, COLORREF color, int border = 0) {
  HDC screen = GetDC(NULL);
  HBITMAP bmp = CreateCompatibleBitmap(screen, 2 * w, h);
  HDC dc = CreateCompatibleDC(screen);
  HGDIOBJ old = SelectObject(dc, bmp);
  RECT all = {0, 0, 2 * w, h};
  HBRUSH white = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
  FillRect(dc, &all, white);
  RECT image = {border, border, w - border, h - border};
  HBRUSH fill = CreateSolidBrush(color);
  FillRect(dc, &image, fill);
  DeleteObject(fill);
  RECT mask = {w + border, border, 2 * w - border, h - border};
  FillRect(dc, &mask, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
  SelectObject(dc, old);
  DeleteDC(dc);
  ReleaseDC(NULL, screen);
  return bmp;
}

// The pointer moved to the screen point through SendInput (with button flags), then the
// queue dispatched.
inline void MouseAt(POINT screen, DWORD buttons = 0) {
  testing_support::MouseTo(screen, buttons);
  Recorder().Pump();
}

// A visible table with id 7 in a visible popup parent that logs its notifications.
class TableTest : public testing::Test {
 protected:
  void SetUp() override {
    // The library registers the class when it loads (and again here, harmlessly).
    ASSERT_TRUE(RegisterToolTableClass(GetModuleHandleW(L"quarnel.dll")));
    ASSERT_NE(parent.hwnd(), static_cast<HWND>(NULL));
    table = MakeTable(parent.hwnd());
    ASSERT_NE(table, static_cast<HWND>(NULL));
    Recorder().Reset();
  }
  void TearDown() override {
    if (IsWindow(table)) DestroyWindow(table);
  }
  NotifyParent parent;
  HWND table = NULL;
};

}  // namespace tooltable_test
