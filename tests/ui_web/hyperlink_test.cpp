// The hyperlink: its colour in each state, what it takes from its static, its styles, what
// following it does through the library's opener and consent, and its failure message.
#include <gtest/gtest.h>

#include <HyperLink.h>
#include <QvGlobals.h>
#include <UILinks.h>
#include <framework.h>

#include <string>
#include <vector>

#include "dib_canvas.h"

using testing_support::DibCanvas;

namespace {

std::vector<std::wstring> g_opened;
BOOL g_openResult = TRUE;
BOOL RecordingOpener(const wchar_t* target, const wchar_t*) {
  g_opened.push_back(target);
  return g_openResult;
}
std::vector<std::wstring> g_asked;
BOOL Refuse(const wchar_t* target) {
  g_asked.push_back(target);
  return FALSE;
}

// Boxes shown meanwhile are counted and closed (from a timer, which runs in their loop).
int g_boxes = 0;
BOOL CALLBACK CloseBox(HWND w, LPARAM) {
  TCHAR cls[16] = {};
  GetClassName(w, cls, 16);
  if (IsWindowVisible(w) && lstrcmp(cls, _T("#32770")) == 0) {
    ++g_boxes;
    PostMessage(w, WM_COMMAND, IDOK, 0);
  }
  return TRUE;
}
void CALLBACK CloseBoxes(HWND, UINT, UINT_PTR, DWORD) { EnumThreadWindows(GetCurrentThreadId(), &CloseBox, 0); }

// Reaches the protected members the tests look at.
class TestLink : public CHyperLink {
 public:
  using CHyperLink::FollowLink;
  using CHyperLink::ReportError;
};

class Links : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(parent.CreateEx(0, NULL, _T("links"), WS_POPUP | WS_VISIBLE, 10, 10, 400, 200, NULL, NULL));
    previousOpener = UISetLinkOpener(&RecordingOpener);
    previousConsent = UISetLocalLinkConsent(&Refuse);
    g_opened.clear();
    g_asked.clear();
    g_openResult = TRUE;
    CHyperLink::SetColors(kLink, kActive, kVisited, kHover);
  }
  void TearDown() override {
    UISetLinkOpener(previousOpener);
    UISetLocalLinkConsent(previousConsent);
    parent.DestroyWindow();
  }
  // A static of id 100 with that text and the GUI font, bound to a link of that url.
  void Bind(TestLink& link, LPCTSTR text, LPCTSTR url, DWORD style = SS_LEFT) {
    HWND s = CreateWindow(_T("STATIC"), text, WS_CHILD | WS_VISIBLE | style, 10, 10, 300, 40, parent.m_hWnd,
                          reinterpret_cast<HMENU>(100), NULL, NULL);
    ASSERT_NE(s, nullptr);
    ::SendMessage(s, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
    ASSERT_TRUE(link.SubclassDlgItem(100, &parent, url));
  }
  CString Text(CWnd& w) {
    CString t;
    w.GetWindowText(t);
    return t;
  }

  static constexpr COLORREF kLink = RGB(0, 0, 200), kActive = RGB(0, 100, 100), kVisited = RGB(100, 0, 100),
                            kHover = RGB(200, 0, 0);
  CWnd parent;
  UILinkOpener previousOpener = NULL;
  UILocalLinkConsent previousConsent = NULL;
};

// The colour for each state, as the parent's reflected WM_CTLCOLORSTATIC sets it.
TEST_F(Links, ColourOfEachState) {
  TestLink link;
  Bind(link, _T("Example"), _T("http://example.org/"));
  struct Case {
    const char* what;
    DWORD addStyle;
    bool over, focus, visited;
    COLORREF expected;
  } const cases[] = {
      {"plain", 0, false, false, false, kLink},
      {"visited", 0, false, false, true, kVisited},
      {"active", 0, false, true, false, kActive},
      {"active and visited", 0, false, true, true, kActive},
      {"active without the active colour", CHyperLink::StyleNoActiveColor, false, true, true, kVisited},
      {"hovered without the hover style", 0, true, false, false, kLink},
      {"hovered", CHyperLink::StyleUseHover, true, false, false, kHover},
      {"hovered and active", CHyperLink::StyleUseHover, true, true, true, kHover},
  };
  const DWORD base = link.GetLinkStyle();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    link.ModifyLinkStyle(CHyperLink::StyleUseHover | CHyperLink::StyleNoActiveColor, 0, FALSE);
    link.ModifyLinkStyle(0, c.addStyle, FALSE);
    link.SendMessage(WM_KILLFOCUS);
    if (::GetCapture() == link.m_hWnd) ::ReleaseCapture();
    link.SetVisited(c.visited);
    if (c.focus) link.SendMessage(WM_SETFOCUS);
    if (c.over) link.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(2, 2));
    EXPECT_EQ(link.IsOver(), c.over);
    DibCanvas canvas(4, 4);
    const LRESULT brush = parent.SendMessage(WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(canvas.dc()),
                                             reinterpret_cast<LPARAM>(link.m_hWnd));
    EXPECT_EQ(::GetTextColor(canvas.dc()), c.expected);
    EXPECT_EQ(::GetBkMode(canvas.dc()), TRANSPARENT);
    EXPECT_EQ(reinterpret_cast<HGDIOBJ>(brush), ::GetStockObject(NULL_BRUSH));
  }
  link.ModifyLinkStyle(~base & 0x7F, base, FALSE);
  // Leaving the control ends the hover and the capture.
  link.ModifyLinkStyle(0, CHyperLink::StyleUseHover, FALSE);
  link.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(2, 2));
  EXPECT_EQ(::GetCapture(), link.m_hWnd);
  link.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(-5, -5));
  EXPECT_FALSE(link.IsOver());
  EXPECT_NE(::GetCapture(), link.m_hWnd);
}

TEST_F(Links, ColourTableAndTheSystemHighlightForHover) {
  tagHYPERLINKCOLORS colours = {};
  CHyperLink::GetColors(colours);
  EXPECT_EQ(colours.crLink, kLink);
  EXPECT_EQ(colours.crActive, kActive);
  EXPECT_EQ(colours.crVisited, kVisited);
  EXPECT_EQ(colours.crHover, kHover);
  CHyperLink::SetColors(RGB(1, 1, 1), RGB(2, 2, 2), RGB(3, 3, 3), static_cast<COLORREF>(-1));
  CHyperLink::GetColors(colours);
  EXPECT_EQ(colours.crHover, ::GetSysColor(COLOR_HIGHLIGHT));
  tagHYPERLINKCOLORS back = {kLink, kActive, kVisited, kHover};
  CHyperLink::SetColors(back);
  CHyperLink::GetColors(colours);
  EXPECT_EQ(colours.crLink, kLink);
  EXPECT_EQ(colours.crHover, kHover);
}

// Text and address fill each other; the link font is underlined; the window takes the size of
// its text; the cursor is the system's hand.
TEST_F(Links, SetUpFromTheStatic) {
  struct Case {
    const TCHAR* text;
    const TCHAR* url;
    const TCHAR* shown;
    const TCHAR* address;
  } const cases[] = {
      {_T(""), _T("http://example.org/"), _T("http://example.org/"), _T("http://example.org/")},
      {_T("Example"), _T(""), _T("Example"), _T("Example")},
      {_T("Example"), NULL, _T("Example"), _T("Example")},
      {_T("Example"), _T("http://e/"), _T("Example"), _T("http://e/")},
  };
  for (const Case& c : cases) {
    TestLink link;
    Bind(link, c.text, c.url);
    EXPECT_EQ(Text(link), CString(c.shown));
    EXPECT_EQ(link.GetURL(), CString(c.address));
    link.DestroyWindow();
  }
  TestLink link;
  Bind(link, _T("Example"), _T("http://example.org/"));
  EXPECT_EQ(link.GetLinkStyle(), CHyperLink::StyleUnderline | CHyperLink::StyleAutoSize | CHyperLink::StyleGetFocusOnClick);
  LOGFONT lf = {};
  ASSERT_EQ(::GetObject(reinterpret_cast<HFONT>(link.SendMessage(WM_GETFONT)), sizeof(lf), &lf), static_cast<int>(sizeof(lf)));
  EXPECT_EQ(lf.lfUnderline, 1);
  // Auto size: the client area is the text's extent.
  SIZE extent = {};
  {
    HDC dc = ::GetDC(link.m_hWnd);
    HGDIOBJ old = ::SelectObject(dc, reinterpret_cast<HFONT>(link.SendMessage(WM_GETFONT)));
    ::GetTextExtentPoint32(dc, _T("Example"), 7, &extent);
    ::SelectObject(dc, old);
    ::ReleaseDC(link.m_hWnd, dc);
  }
  CRect client;
  link.GetClientRect(&client);
  EXPECT_EQ(client.Width(), extent.cx);
  EXPECT_EQ(client.Height(), extent.cy);
  EXPECT_EQ(CHyperLink::GetLinkCursor(), ::LoadCursor(NULL, IDC_HAND));

  // Overlapping masks change nothing.
  const DWORD before = link.GetLinkStyle();
  EXPECT_FALSE(link.ModifyLinkStyle(CHyperLink::StyleUnderline, CHyperLink::StyleUnderline, TRUE));
  EXPECT_EQ(link.GetLinkStyle(), before);
  // Without underline: the font is made again without it.
  EXPECT_TRUE(link.ModifyLinkStyle(CHyperLink::StyleUnderline, 0, TRUE));
  ASSERT_EQ(::GetObject(reinterpret_cast<HFONT>(link.SendMessage(WM_GETFONT)), sizeof(lf), &lf), static_cast<int>(sizeof(lf)));
  EXPECT_EQ(lf.lfUnderline, 0);
  // A new address is the tooltip's text too.
  link.SetURL(_T("http://other/"));
  EXPECT_EQ(link.GetURL(), CString(_T("http://other/")));
}

// Following: through the injected opener; visited only when it opened; button-up or
// button-down as the style says; local targets only with consent; a failure beeps and shows
// its message, except while dialogs are bypassed.
TEST_F(Links, FollowingTheLink) {
  TestLink link;
  Bind(link, _T("Example"), _T("http://example.org/"));
  link.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
  EXPECT_TRUE(g_opened.empty());
  link.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
  EXPECT_EQ(g_opened, std::vector<std::wstring>({L"http://example.org/"}));
  EXPECT_TRUE(link.IsVisited());

  // Down-click style: the press follows, the release does not.
  g_opened.clear();
  link.SetVisited(FALSE);
  link.ModifyLinkStyle(0, CHyperLink::StyleDownClick);
  link.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
  EXPECT_EQ(g_opened.size(), 1u);
  link.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
  EXPECT_EQ(g_opened.size(), 1u);
  // Space follows too.
  link.SendMessage(WM_KEYDOWN, VK_SPACE, 1);
  EXPECT_EQ(g_opened.size(), 2u);

  // A local file: asked first; refused, it does not open and is not visited.
  link.SetURL(_T("c:\\notes\\readme.txt"));
  link.SetVisited(FALSE);
  g_opened.clear();
  const bool bypass = BypassDialogs();
  SetBypassDialogs(true);
  g_boxes = 0;
  const UINT_PTR timer = ::SetTimer(NULL, 0, 50, &CloseBoxes);
  link.FollowLink();
  EXPECT_EQ(g_asked, std::vector<std::wstring>({L"c:\\notes\\readme.txt"}));
  EXPECT_TRUE(g_opened.empty());
  EXPECT_FALSE(link.IsVisited());
  // The opener fails: not visited; no box while dialogs are bypassed.
  link.SetURL(_T("http://unreachable/"));
  g_openResult = FALSE;
  link.FollowLink();
  EXPECT_EQ(g_opened.size(), 1u);
  EXPECT_FALSE(link.IsVisited());
  EXPECT_EQ(g_boxes, 0);
  // Dialogs shown: the message box comes up (and is closed by the timer).
  SetBypassDialogs(false);
  TestLink::ReportError(2);
  EXPECT_EQ(g_boxes, 1);
  ::KillTimer(NULL, timer);
  SetBypassDialogs(bypass);
}

TEST(HyperLinkErrors, TextForEachCode) {
  struct Case {
    int code;
    const TCHAR* text;
  } const cases[] = {
      {0, _T("The operating system is out\nof memory or resources.")},
      {2, _T("The specified file was not found.")},
      {26, _T("A sharing violation occurred. ")},
      {31, _T("There is no application associated\nwith the given filename extension.")},
      {32, _T("The specified dynamic-link library was not found.")},
      {77, _T("Unknown Error (77) occurred.")},
      {-1, _T("Unknown Error (-1) occurred.")},
  };
  for (const Case& c : cases)
    EXPECT_EQ(CHyperLink::ErrorText(c.code), CString(_T("Can't open link:\n\n")) + c.text) << c.code;
}

}  // namespace
