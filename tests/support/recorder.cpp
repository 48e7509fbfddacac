#include "recorder.h"

#include <stdio.h>

namespace testing_support {

namespace {

const unsigned kKindMask = kSent | kPosted | kParent | kDefWinProc;

struct Name {
  UINT message;
  const char* name;
};
const Name kNames[] = {
    {0x0001, "WM_CREATE"}, {0x0002, "WM_DESTROY"}, {0x0003, "WM_MOVE"}, {0x0005, "WM_SIZE"},
    {0x0006, "WM_ACTIVATE"}, {0x0007, "WM_SETFOCUS"}, {0x0008, "WM_KILLFOCUS"}, {0x000A, "WM_ENABLE"},
    {0x000B, "WM_SETREDRAW"}, {0x000C, "WM_SETTEXT"}, {0x000D, "WM_GETTEXT"}, {0x000E, "WM_GETTEXTLENGTH"},
    {0x000F, "WM_PAINT"}, {0x0010, "WM_CLOSE"}, {0x0012, "WM_QUIT"}, {0x0014, "WM_ERASEBKGND"},
    {0x0018, "WM_SHOWWINDOW"}, {0x001C, "WM_ACTIVATEAPP"}, {0x0020, "WM_SETCURSOR"}, {0x0021, "WM_MOUSEACTIVATE"},
    {0x0024, "WM_GETMINMAXINFO"}, {0x002B, "WM_DRAWITEM"}, {0x002C, "WM_MEASUREITEM"}, {0x0030, "WM_SETFONT"},
    {0x0031, "WM_GETFONT"}, {0x0046, "WM_WINDOWPOSCHANGING"}, {0x0047, "WM_WINDOWPOSCHANGED"},
    {0x004E, "WM_NOTIFY"}, {0x0055, "WM_NOTIFYFORMAT"}, {0x007B, "WM_CONTEXTMENU"}, {0x007C, "WM_STYLECHANGING"},
    {0x007D, "WM_STYLECHANGED"}, {0x0081, "WM_NCCREATE"}, {0x0082, "WM_NCDESTROY"}, {0x0083, "WM_NCCALCSIZE"},
    {0x0084, "WM_NCHITTEST"}, {0x0085, "WM_NCPAINT"}, {0x0086, "WM_NCACTIVATE"}, {0x0087, "WM_GETDLGCODE"},
    {0x0100, "WM_KEYDOWN"}, {0x0101, "WM_KEYUP"}, {0x0102, "WM_CHAR"}, {0x0110, "WM_INITDIALOG"},
    {0x0111, "WM_COMMAND"}, {0x0112, "WM_SYSCOMMAND"}, {0x0113, "WM_TIMER"}, {0x0114, "WM_HSCROLL"},
    {0x0115, "WM_VSCROLL"}, {0x0116, "WM_INITMENU"}, {0x0117, "WM_INITMENUPOPUP"}, {0x0128, "WM_UPDATEUISTATE"},
    {0x0129, "WM_QUERYUISTATE"}, {0x0133, "WM_CTLCOLOREDIT"}, {0x0135, "WM_CTLCOLORBTN"},
    {0x0136, "WM_CTLCOLORDLG"}, {0x0138, "WM_CTLCOLORSTATIC"}, {0x0200, "WM_MOUSEMOVE"}, {0x0201, "WM_LBUTTONDOWN"},
    {0x0202, "WM_LBUTTONUP"}, {0x0210, "WM_PARENTNOTIFY"}, {0x0281, "WM_IME_SETCONTEXT"}, {0x0282, "WM_IME_NOTIFY"},
    {0x0318, "WM_PRINTCLIENT"}, {0x0361, "WM_SIZEPARENT"}, {0x0362, "WM_SETMESSAGESTRING"},
    {0x0363, "WM_IDLEUPDATECMDUI"}, {0x036A, "WM_KICKIDLE"}, {0x0400, "WM_USER"},
};

// A readable name of a message ("WM_PAINT", else its number).
std::string MessageName(UINT message) {
  for (const Name& n : kNames)
    if (n.message == message) return n.name;
  char buf[32];
  if (message >= 0xBC00 && message < 0xC000) {
    snprintf(buf, sizeof buf, "reflected %s", MessageName(message - 0xBC00).c_str());
    return buf;
  }
  snprintf(buf, sizeof buf, "0x%04X", message);
  return buf;
}

}  // namespace

MessageRecorder::MessageRecorder() {
  // Noise of the system that no test sequence speaks of.
  for (UINT m : {0x007Fu /* WM_GETICON */, 0x003Du /* WM_GETOBJECT */, 0x0281u /* WM_IME_SETCONTEXT */,
                 0x0282u /* WM_IME_NOTIFY */, 0x0288u /* WM_IME_REQUEST */, 0x031Fu /* WM_DWMNCRENDERINGCHANGED */,
                 0x0093u, 0x0094u, 0x0090u /* menu and theme internals */,
                 0x001Cu /* WM_ACTIVATEAPP: sent to every top-level window when another process, such as a
                            test running beside this one, takes or gives up the foreground */})
    m_ignored.insert(m);
}

void MessageRecorder::Record(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, unsigned flags) {
  if (m_ignored.count(message)) return;
  if (!m_watched.empty() && !m_watched.count(hwnd)) return;
  if (!(flags & (kSent | kPosted))) {
    // The message Pump is dispatching arrives first at its window's procedure: posted.
    bool posted = m_dispatchPending && m_dispatching.hwnd == hwnd && m_dispatching.message == message &&
                  m_dispatching.wParam == wParam && m_dispatching.lParam == lParam;
    if (posted) m_dispatchPending = false;
    flags |= posted ? kPosted : kSent;
  }
  if (m_defaultDepth > 0 && (flags & kSent)) flags |= kDefWinProc;
  m_log.push_back({hwnd, message, flags, wParam, lParam});
}

void MessageRecorder::Pump() {
  MSG msg;
  while (PeekMessage(&msg, NULL, 0, 0, PM_REMOVE)) {
    m_dispatching = msg;
    m_dispatchPending = true;
    TranslateMessage(&msg);
    DispatchMessage(&msg);
    m_dispatchPending = false;
  }
}

void MessageRecorder::Reset() {
  Pump();
  Clear();
}

size_t MessageRecorder::Count(UINT message) const {
  size_t n = 0;
  for (const RecordedMsg& m : m_log) n += m.message == message;
  return n;
}

namespace {
std::string FlagText(unsigned flags) {
  std::string s;
  if (flags & kSent) s += "sent";
  if (flags & kPosted) s += "posted";
  if (flags & kParent) s += "|parent";
  if (flags & kDefWinProc) s += "|defwinproc";
  if (flags & kOptional) s += "|optional";
  return s;
}

std::string Describe(UINT message, unsigned flags, WPARAM w, LPARAM l) {
  char buf[96];
  snprintf(buf, sizeof buf, " wp=%#llx lp=%#llx", static_cast<unsigned long long>(w),
           static_cast<unsigned long long>(l));
  return MessageName(message) + " (" + FlagText(flags) + ")" + buf;
}

bool Same(const ExpectedMsg& e, const RecordedMsg& r) {
  if (e.message != r.message || (e.flags & kKindMask) != (r.flags & kKindMask)) return false;
  if ((e.flags & kWparam) && e.wParam != r.wParam) return false;
  if ((e.flags & kLparam) && e.lParam != r.lParam) return false;
  return true;
}
}  // namespace

testing::AssertionResult MessageRecorder::Matches(const ExpectedMsg* expected) const {
  size_t a = 0;
  std::string problem;
  for (const ExpectedMsg* e = expected; e->message != 0; ++e) {
    if (a < m_log.size() && Same(*e, m_log[a])) {
      ++a;
    } else if (!(e->flags & kOptional)) {
      problem = "expected " + Describe(e->message, e->flags, e->wParam, e->lParam) + " at position " +
                std::to_string(a);
      break;
    }
  }
  if (problem.empty() && a < m_log.size()) problem = "unexpected messages from position " + std::to_string(a);
  if (problem.empty()) return testing::AssertionSuccess();
  std::string text = problem + "\nexpected:\n";
  for (const ExpectedMsg* e = expected; e->message != 0; ++e)
    text += "  " + Describe(e->message, e->flags, e->wParam, e->lParam) + "\n";
  text += "recorded:\n";
  for (const RecordedMsg& r : m_log) text += "  " + Describe(r.message, r.flags, r.wParam, r.lParam) + "\n";
  return testing::AssertionFailure() << text;
}

MessageRecorder& Recorder() {
  static MessageRecorder recorder;
  return recorder;
}

// LoggingParent.

namespace {
const wchar_t kParentClass[] = L"QuarnelTestLoggingParent";
}

LoggingParent::LoggingParent(DWORD style, HWND parent, const RECT& rc) {
  WNDCLASSW wc = {};
  wc.lpfnWndProc = &LoggingParent::Proc;
  wc.hInstance = GetModuleHandleW(NULL);
  wc.hCursor = LoadCursorW(NULL, MAKEINTRESOURCEW(32512));
  wc.lpszClassName = kParentClass;
  RegisterClassW(&wc);  // fails harmlessly when already registered
  m_hwnd = CreateWindowExW(0, kParentClass, L"logging parent", style, rc.left, rc.top, rc.right - rc.left,
                           rc.bottom - rc.top, parent, NULL, GetModuleHandleW(NULL), this);
}

LoggingParent::~LoggingParent() {
  if (IsWindow(m_hwnd)) DestroyWindow(m_hwnd);
}

LRESULT CALLBACK LoggingParent::Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* cs = reinterpret_cast<CREATESTRUCTW*>(lParam);
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(cs->lpCreateParams));
  }
  auto* self = reinterpret_cast<LoggingParent*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  Recorder().Record(hwnd, message, wParam, lParam, kParent);
  LRESULT result = 0;
  if (self != NULL && self->answer && self->answer(message, wParam, lParam, &result)) return result;
  if (message == WM_NCDESTROY) SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
  MessageRecorder::DefaultScope scope(Recorder());
  return DefWindowProcW(hwnd, message, wParam, lParam);
}

// SubclassedControl.

namespace {
const wchar_t kSubclassProp[] = L"QuarnelTestSubclass";
}

SubclassedControl::SubclassedControl(HWND hwnd) : m_hwnd(hwnd) {
  SetPropW(hwnd, kSubclassProp, this);
  m_previous = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&SubclassedControl::Proc)));
}

SubclassedControl::~SubclassedControl() {
  if (IsWindow(m_hwnd)) {
    SetWindowLongPtrW(m_hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_previous));
    RemovePropW(m_hwnd, kSubclassProp);
  }
}

LRESULT CALLBACK SubclassedControl::Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* self = static_cast<SubclassedControl*>(GetPropW(hwnd, kSubclassProp));
  Recorder().Record(hwnd, message, wParam, lParam);
  WNDPROC previous = self != NULL ? self->m_previous : DefWindowProcW;
  if (message == WM_NCDESTROY && self != NULL) {
    // The window goes: put the previous procedure back now.
    SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previous));
    RemovePropW(hwnd, kSubclassProp);
  }
  return CallWindowProcW(previous, hwnd, message, wParam, lParam);
}

}  // namespace testing_support
