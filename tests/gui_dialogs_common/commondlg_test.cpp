// The portable common dialogs run for real: the colour dialog's start and answer, the folder
// browser's answers, the library's folder dialog of the systems without a browser, the print
// dialog's pages and help, and the preview's zoom and page text.
#include <GUIPreviewView.h>
#include <GUIPrintDialog.h>
#include <QvColorDialog.h>
#include <QvFileDialog.h>
#include <QvFiles.h>
#include <QvGetDirectoryDialog.h>
#include <framework.h>
#include <gtest/gtest.h>
#include <UIUtilities.h>
#include <dlgs.h>
#include <shlobj.h>

#include <string>
#include <vector>

#include "dialog_driver.h"
#include "platform_version.h"
#include "test_support.h"

using testing_support::DialogDriver;
using testing_support::PumpMessages;

namespace {

class CommonDialogApp : public CWinApp {
 public:
  CommonDialogApp() : CWinApp(_T("CommonDialogTest")) {}
  // The help asked of the application: (context, command) per request.
  std::vector<std::pair<DWORD_PTR, UINT>> helps;
  void WinHelp(DWORD_PTR data, UINT command) override { helps.push_back({data, command}); }
};
CommonDialogApp g_app;

// The system colour dialog's red, green and blue edits and its OK and Cancel buttons.
const int kRedEdit = 706, kGreenEdit = 707, kBlueEdit = 708;

int EditNumber(HWND dlg, int id) { return static_cast<int>(::GetDlgItemInt(dlg, id, NULL, FALSE)); }

TEST(ColorDialog, StartsAtTheHighBytesAndAnswersTheChoice) {
  struct Case {
    const char* name;
    int red, green, blue;  // typed into the edits; -1: left as the dialog starts
    int button;
    short result;
    QvColor after;
  };
  const QvColor start(0x1234, 0x5678, 0x9ABC);
  const Case cases[] = {
      // An unchanged colour keeps its low bytes: the dialog only knows the high ones.
      {"OK unchanged", -1, -1, -1, IDOK, IDOK, start},
      {"pure red", 255, 0, 0, IDOK, IDOK, QvColor(0xFF00, 0, 0)},
      {"one channel changed", 0x13, -1, -1, IDOK, IDOK, QvColor(0x1300, 0x5600, 0x9A00)},
      {"cancelled after a change", 255, 0, 0, IDCANCEL, IDCANCEL, start},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    int shownRed = -1, shownGreen = -1, shownBlue = -1;
    DialogDriver driver({{kRedEdit, [&](HWND dlg) {
                            shownRed = EditNumber(dlg, kRedEdit);
                            shownGreen = EditNumber(dlg, kGreenEdit);
                            shownBlue = EditNumber(dlg, kBlueEdit);
                            if (c.red >= 0) DialogDriver::SetText(dlg, kRedEdit, std::to_wstring(c.red));
                            if (c.green >= 0) DialogDriver::SetText(dlg, kGreenEdit, std::to_wstring(c.green));
                            if (c.blue >= 0) DialogDriver::SetText(dlg, kBlueEdit, std::to_wstring(c.blue));
                            DialogDriver::Press(dlg, c.button);
                          }}});
    QvColor colour = start;
    EXPECT_EQ(c.result, QvColorDialog().Process(colour));
    ASSERT_EQ(1u, driver.done());
    EXPECT_EQ(0x12, shownRed);
    EXPECT_EQ(0x56, shownGreen);
    EXPECT_EQ(0x9A, shownBlue);
    EXPECT_EQ(c.after.red, colour.red);
    EXPECT_EQ(c.after.green, colour.green);
    EXPECT_EQ(c.after.blue, colour.blue);
  }
}

// The shell's folder browser: its OK and Cancel buttons and its tree.
const int kBrowserTree = 0x3741;

// A folder made for the test, removed after it.
struct TempFolder {
  std::wstring path;
  TempFolder() {
    path = L"C:\\commondlg_folder";
    ::CreateDirectoryW(path.c_str(), NULL);
  }
  ~TempFolder() { ::RemoveDirectoryW(path.c_str()); }
};

// The browser's step: selects the special folder (csidl, -1 for none), then sends the button's
// command itself (the browser may disable OK for an item outside the file system).
DialogDriver::Step SelectAndCommand(int csidl, int button) {
  return {kBrowserTree, [csidl, button](HWND dlg) {
            LPITEMIDLIST item = NULL;
            if (csidl >= 0 && SUCCEEDED(::SHGetSpecialFolderLocation(dlg, csidl, &item))) {
              ::SendMessage(dlg, BFFM_SETSELECTIONW, FALSE, reinterpret_cast<LPARAM>(item));
              ::CoTaskMemFree(item);
            }
            ::PostMessage(dlg, WM_COMMAND, button, 0);
          }};
}

TEST(FolderBrowser, AnswersTheFolderChosenAndNothingElse) {
  TempFolder folder;
  ASSERT_NE(INVALID_FILE_ATTRIBUTES, ::GetFileAttributesW(folder.path.c_str()));
  // OK on the initial folder answers it; the browser's controls have the default GUI font.
  {
    HGDIOBJ treeFont = NULL;
    DialogDriver driver({{kBrowserTree, [&](HWND dlg) {
                            treeFont = reinterpret_cast<HGDIOBJ>(::SendMessage(::GetDlgItem(dlg, kBrowserTree), WM_GETFONT, 0, 0));
                            DialogDriver::Press(dlg, IDOK);
                          }}});
    std::wstring path = L"unchanged";
    EXPECT_TRUE(GUIBrowseForFolder(NULL, folder.path, L"Pick", path));
    ASSERT_EQ(1u, driver.done());
    EXPECT_EQ(0, ::lstrcmpiW(folder.path.c_str(), path.c_str())) << path.c_str();
    EXPECT_EQ(::GetStockObject(DEFAULT_GUI_FONT), treeFont);
  }
  struct Case {
    const char* name;
    int csidl;  // the item selected before the press; -1 none
    int button;
  };
  const Case cases[] = {
      {"cancelled", -1, IDCANCEL},
      // A virtual folder has no path: no folder, not an empty one.
      {"virtual folder", CSIDL_DRIVES, IDOK},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    DialogDriver driver({SelectAndCommand(c.csidl, c.button)});
    std::wstring path = L"unchanged";
    EXPECT_FALSE(GUIBrowseForFolder(NULL, folder.path, L"Pick", path));
    ASSERT_EQ(1u, driver.done());
    EXPECT_EQ(L"unchanged", path);
  }
}

TEST(FolderBrowser, ThePortablePickerMakesAFolderOnlyForAFolderChosen) {
  TempFolder folder;
  ASSERT_NE(INVALID_FILE_ATTRIBUTES, ::GetFileAttributesW(folder.path.c_str()));
  QvDirectory* initial = Get_GlobalFileMaster()->WINONLY_CreateQvDirectory(QvString(folder.path.c_str()).c_str(), 0);
  ASSERT_NE(nullptr, initial);
  struct Case {
    const char* name;
    int csidl;  // the item selected before the command; -1 none
    int button;
    bool made;
  };
  const Case cases[] = {
      {"OK on the initial folder", -1, IDOK, true},
      {"cancelled", -1, IDCANCEL, false},
      {"virtual folder", CSIDL_DRIVES, IDOK, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    DialogDriver driver({SelectAndCommand(c.csidl, c.button)});
    QvDirectory* chosen = QvGetDirectoryDialog().Process(initial, "Pick a folder", 0);
    ASSERT_EQ(1u, driver.done());
    if (!c.made) {
      EXPECT_EQ(nullptr, chosen);
      continue;
    }
    ASSERT_NE(nullptr, chosen);
    EXPECT_EQ(0, chosen->GetFileDescriptor()->WINONLY_GetPath().CompareNoCase("C:\\commondlg_folder\\"))
        << chosen->GetFileDescriptor()->WINONLY_GetPath().c_str();
    Get_GlobalFileMaster()->DestroyQvDirectory(chosen);
  }
  Get_GlobalFileMaster()->DestroyQvDirectory(initial);
}

// The library's folder dialog, which the systems before Windows 4 get: a folder made for the
// test with a subfolder, both removed after it.
struct FolderTree {
  std::wstring path = L"C:\\commondlg_tree", sub = L"C:\\commondlg_tree\\sub";
  FolderTree() {
    ::CreateDirectoryW(path.c_str(), NULL);
    ::CreateDirectoryW(sub.c_str(), NULL);
  }
  ~FolderTree() {
    ::RemoveDirectoryW(sub.c_str());
    ::RemoveDirectoryW(path.c_str());
  }
};

std::wstring ControlText(HWND dlg, int id) {
  wchar_t text[MAX_PATH] = {};
  ::GetDlgItemTextW(dlg, id, text, MAX_PATH);
  return text;
}

std::wstring Label(unsigned long id) { return QvGetMyLabel(id).ToWide(); }

TEST(FolderDialog, EachPlatformGetsItsPicker) {
  TempFolder folder;
  QvDirectory* initial = Get_GlobalFileMaster()->WINONLY_CreateQvDirectory(QvString(folder.path.c_str()).c_str(), 0);
  ASSERT_NE(nullptr, initial);
  enum Picker { kNone, kLibrarys, kBrowser };
  struct Case {
    const char* name;
    WindowsVersion version;
    Picker picker;
  };
  const Case cases[] = {
      {"Win32s", QvWin32s, kLibrarys},
      {"Windows NT 3", QvWinNT3, kLibrarys},
      {"Windows 95", QvWin95, kBrowser},
      {"Windows NT 4 and later", QvWinNT4, kBrowser},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    PlatformVersion platform(c.version);
    Picker seen = kNone;
    // Both pickers have a Cancel button: the step tells them apart, then cancels.
    DialogDriver driver({{IDCANCEL, [&](HWND dlg) {
                            if (::GetDlgItem(dlg, lst2) != NULL) seen = kLibrarys;
                            if (::GetDlgItem(dlg, kBrowserTree) != NULL) seen = kBrowser;
                            ::PostMessage(dlg, WM_COMMAND, IDCANCEL, 0);
                          }}});
    EXPECT_EQ(nullptr, QvGetDirectoryDialog().Process(initial, "Pick a folder", 0));
    ASSERT_EQ(1u, driver.done());
    EXPECT_EQ(c.picker, seen);
  }
  Get_GlobalFileMaster()->DestroyQvDirectory(initial);
}

TEST(FolderDialog, OnOldSystemsTheLibrarysDialogAnswersTheFolderShown) {
  PlatformVersion platform(QvWinNT3);
  FolderTree tree;
  ASSERT_NE(INVALID_FILE_ATTRIBUTES, ::GetFileAttributesW(tree.sub.c_str()));
  QvDirectory* initial = Get_GlobalFileMaster()->WINONLY_CreateQvDirectory(QvString(tree.path.c_str()).c_str(), 0);
  ASSERT_NE(nullptr, initial);
  enum Action { kOK, kIntoSub, kCancel };
  struct Case {
    const char* name;
    const char* title;  // null: none given
    Action action;
    const wchar_t* answer;  // null: no folder
  };
  const Case cases[] = {
      {"OK in the initial folder", "Pick a folder", kOK, L"C:\\commondlg_tree\\"},
      {"OK after opening a subfolder", nullptr, kIntoSub, L"C:\\commondlg_tree\\sub\\"},
      {"cancelled", "Pick a folder", kCancel, nullptr},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    struct Seen {
      std::wstring title, name, heading, drives, ok, cancel, help;
      bool nameHidden = false, listShown = false;
      HGDIOBJ listFont = NULL, headingFont = NULL;
    } seen;
    DialogDriver driver({{lst2, [&](HWND dlg) {
                            wchar_t title[MAX_PATH] = {};
                            ::GetWindowTextW(dlg, title, MAX_PATH);
                            seen.title = title;
                            seen.name = ControlText(dlg, edt1);
                            seen.nameHidden = !::IsWindowVisible(::GetDlgItem(dlg, edt1));
                            seen.listShown = ::IsWindowVisible(::GetDlgItem(dlg, lst2)) != FALSE;
                            seen.heading = ControlText(dlg, IDC_QV_FOLDER_HEADING);
                            seen.drives = ControlText(dlg, stc4);
                            seen.ok = ControlText(dlg, IDOK);
                            seen.cancel = ControlText(dlg, IDCANCEL);
                            seen.help = ControlText(dlg, pshHelp);
                            seen.listFont = reinterpret_cast<HGDIOBJ>(::SendDlgItemMessageW(dlg, lst2, WM_GETFONT, 0, 0));
                            seen.headingFont = reinterpret_cast<HGDIOBJ>(
                                ::SendDlgItemMessageW(dlg, IDC_QV_FOLDER_HEADING, WM_GETFONT, 0, 0));
                            if (c.action == kIntoSub) {
                              // A double click on the subfolder's entry of the folder list.
                              HWND list = ::GetDlgItem(dlg, lst2);
                              const LRESULT item = ::SendMessageW(list, LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                                                  reinterpret_cast<LPARAM>(L"[sub]"));
                              EXPECT_NE(LB_ERR, item);
                              ::SendMessageW(list, LB_SETCURSEL, static_cast<WPARAM>(item), 0);
                              ::SendMessageW(dlg, WM_COMMAND, MAKEWPARAM(lst2, LBN_DBLCLK), reinterpret_cast<LPARAM>(list));
                            }
                            DialogDriver::Press(dlg, c.action == kCancel ? IDCANCEL : IDOK);
                          }}});
    QvDirectory* chosen = QvGetDirectoryDialog().Process(initial, c.title, 0);
    ASSERT_EQ(1u, driver.done());
    // The library's template, its texts from the labels, the caller's title (the label's
    // without one), the default GUI font.
    EXPECT_EQ(c.title != nullptr ? QvString(c.title).ToWide() : Label(IDL_QV_FOLDER_TITLE), seen.title);
    EXPECT_EQ(QvString(CGUIFolderDialog::DummyName()).ToWide(), seen.name);
    EXPECT_TRUE(seen.nameHidden);
    EXPECT_TRUE(seen.listShown);
    EXPECT_EQ(Label(IDL_QV_FOLDER_FOLDERS), seen.heading);
    EXPECT_EQ(Label(IDL_QV_FOLDER_DRIVES), seen.drives);
    EXPECT_EQ(Label(31198), seen.ok);
    EXPECT_EQ(Label(31199), seen.cancel);
    EXPECT_EQ(Label(31208), seen.help);
    EXPECT_EQ(UIGetDefaultGUIFont(), seen.listFont);
    EXPECT_EQ(UIGetDefaultGUIFont(), seen.headingFont);
    if (c.answer == nullptr) {
      EXPECT_EQ(nullptr, chosen);
      continue;
    }
    ASSERT_NE(nullptr, chosen);
    EXPECT_EQ(0, chosen->GetFileDescriptor()->WINONLY_GetPath().CompareNoCase(QvString(c.answer).c_str()))
        << chosen->GetFileDescriptor()->WINONLY_GetPath().c_str();
    Get_GlobalFileMaster()->DestroyQvDirectory(chosen);
  }
  Get_GlobalFileMaster()->DestroyQvDirectory(initial);
}

TEST(FolderDialog, ItsHelpButtonOpensTheApplicationsHelpOnContext301) {
  PlatformVersion platform(QvWinNT3);
  g_app.helps.clear();
  size_t helpsAtPress = 99;
  DialogDriver driver({{lst2, [&](HWND dlg) {
                          helpsAtPress = g_app.helps.size();
                          DialogDriver::Press(dlg, pshHelp);
                          ::PostMessage(dlg, WM_COMMAND, IDCANCEL, 0);  // after the click
                        }}});
  EXPECT_EQ(nullptr, QvGetDirectoryDialog().Process(nullptr, "Pick a folder", 0));
  ASSERT_EQ(1u, driver.done());
  EXPECT_EQ(0u, helpsAtPress);
  ASSERT_EQ(1u, g_app.helps.size());
  EXPECT_EQ(DWORD_PTR(301), g_app.helps[0].first);
  EXPECT_EQ(UINT(HELP_CONTEXT), g_app.helps[0].second);
}

// A top-level window that counts the help requests it is handed.
struct HelpOwner {
  static inline int helps = 0;
  HWND hwnd = NULL;
  HelpOwner() {
    WNDCLASSW wc = {};
    wc.lpfnWndProc = Proc;
    wc.hInstance = ::GetModuleHandleW(NULL);
    wc.lpszClassName = L"CommonDlgHelpOwner";
    ::RegisterClassW(&wc);
    hwnd = ::CreateWindowW(L"CommonDlgHelpOwner", L"Owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 300, 200, NULL,
                           NULL, wc.hInstance, NULL);
    helps = 0;
  }
  ~HelpOwner() { ::DestroyWindow(hwnd); }
  static LRESULT CALLBACK Proc(HWND h, UINT m, WPARAM w, LPARAM l) {
    if (m == WM_HELP) ++helps;
    return ::DefWindowProcW(h, m, w, l);
  }
};

TEST(PrintDialog, StartsAtPageOneAndHandsHelpToItsOwner) {
  for (BOOL setupOnly : {FALSE, TRUE}) {
    SCOPED_TRACE(setupOnly ? "setup" : "print");
    HelpOwner owner;
    ASSERT_NE(HWND(NULL), owner.hwnd);
    CGUIPrintDialog dialog(setupOnly, PD_ALLPAGES | PD_USEDEVMODECOPIES, CWnd::FromHandle(owner.hwnd));
    EXPECT_EQ(1, dialog.m_pd.nMinPage);
    dialog.m_pd.nMaxPage = 9;
    int helpsSeen = -1;
    DialogDriver driver({{IDCANCEL, [&](HWND dlg) {
                            HELPINFO info = {sizeof(info), HELPINFO_WINDOW, IDOK, ::GetDlgItem(dlg, IDOK), 0, {0, 0}};
                            ::SendMessage(dlg, WM_HELP, 0, reinterpret_cast<LPARAM>(&info));
                            helpsSeen = HelpOwner::helps;
                            DialogDriver::Press(dlg, IDCANCEL);
                          }}});
    EXPECT_EQ(IDCANCEL, dialog.DoModal());
    ASSERT_EQ(1u, driver.done()) << "no print dialog was shown (no printer?)";
    EXPECT_EQ(1, helpsSeen);
    if (dialog.m_pd.hDevMode) ::GlobalFree(dialog.m_pd.hDevMode);
    if (dialog.m_pd.hDevNames) ::GlobalFree(dialog.m_pd.hDevNames);
  }
}

// A view of three pages that draws nothing.
class ThreePages : public CView {
 public:
  void OnDraw(CDC*) override {}
  void PostNcDestroy() override {}

 protected:
  BOOL OnPreparePrinting(CPrintInfo* info) override {
    info->SetMaxPage(3);
    return DoPreparePrinting(info);
  }
  void OnPrint(CDC*, CPrintInfo*) override {}
};

// The main window: keeps the status texts it is given.
class MainFrame : public CFrameWnd {
 public:
  std::vector<CString> status;

 protected:
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
    if (message == WM_SETMESSAGESTRING && lParam != 0) status.push_back(reinterpret_cast<LPCTSTR>(lParam));
    return CFrameWnd::WindowProc(message, wParam, lParam);
  }
};

class GUIPreview : public testing::Test {
 protected:
  void SetUp() override {
    frame = new MainFrame;
    ASSERT_TRUE(frame->Create(NULL, _T("Report"), WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(0, 0, 700, 600)));
    ASSERT_TRUE(view.Create(NULL, NULL, WS_CHILD | WS_VISIBLE, CRect(0, 0, 200, 200), frame, AFX_IDW_PANE_FIRST));
    frame->SetActiveView(&view);
    g_app.m_pMainWnd = frame;
    ASSERT_TRUE(view.DoPrintPreview(RUNTIME_CLASS(CGUIPreviewView)));
    preview = DYNAMIC_DOWNCAST(CGUIPreviewView, frame->GetActiveView());
    ASSERT_NE(preview, nullptr);
  }
  void TearDown() override {
    g_app.m_pMainWnd = NULL;
    if (CPreviewView* p = DYNAMIC_DOWNCAST(CPreviewView, frame->GetActiveView())) p->ClosePreview();
    view.DestroyWindow();
    frame->DestroyWindow();
    PumpMessages();
  }
  bool BarVisible(int bar) const {
    const LONG style = ::GetWindowLong(preview->m_hWnd, GWL_STYLE);
    return (style & (bar == SB_VERT ? WS_VSCROLL : WS_HSCROLL)) != 0;
  }
  MainFrame* frame = nullptr;
  ThreePages view;
  CGUIPreviewView* preview = nullptr;
};

TEST_F(GUIPreview, ThreeClicksOnAPageCycleTheZoom) {
  const UINT expected[] = {1, 2, 0};
  for (UINT state : expected) {
    const CPoint centre = preview->GetPageRect(0).CenterPoint() - preview->GetDeviceScrollPosition();
    preview->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(centre.x, centre.y));
    preview->SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(centre.x, centre.y));
    EXPECT_EQ(state, preview->GetZoomState());
  }
  // Whole pages again: no horizontal bar, the vertical bar over pages 1 to 3 at the page.
  EXPECT_FALSE(BarVisible(SB_HORZ));
  EXPECT_TRUE(BarVisible(SB_VERT));
  SCROLLINFO si = {sizeof(si), SIF_RANGE | SIF_POS, 0, 0, 0, 0, 0};
  ASSERT_TRUE(::GetScrollInfo(preview->m_hWnd, SB_VERT, &si));
  EXPECT_EQ(1, si.nMin);
  EXPECT_EQ(3, si.nMax);
  EXPECT_EQ(1, si.nPos);
  // A click beside the page changes nothing.
  preview->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(1, 1));
  EXPECT_EQ(0u, preview->GetZoomState());
}

TEST_F(GUIPreview, ZoomCommandsStopAtTheEnds) {
  struct Step {
    UINT command;
    UINT state;
  };
  const Step steps[] = {{AFX_ID_PREVIEW_ZOOMOUT, 0}, {AFX_ID_PREVIEW_ZOOMIN, 1}, {AFX_ID_PREVIEW_ZOOMIN, 2},
                        {AFX_ID_PREVIEW_ZOOMIN, 2},  {AFX_ID_PREVIEW_ZOOMOUT, 1}, {AFX_ID_PREVIEW_ZOOMOUT, 0}};
  for (const Step& s : steps) {
    frame->SendMessage(WM_COMMAND, s.command);
    EXPECT_EQ(s.state, preview->GetZoomState()) << s.command;
  }
}

TEST_F(GUIPreview, ThePageTextGoesToTheMainWindowWithTheLastPage) {
  frame->status.clear();
  preview->SendMessage(WM_VSCROLL, SB_LINEDOWN, 0);
  ASSERT_FALSE(frame->status.empty());
  EXPECT_EQ(CString(_T("Page 2 / 3")), frame->status.back());
  frame->SendMessage(WM_COMMAND, AFX_ID_PREVIEW_NUMPAGE);
  EXPECT_EQ(CString(_T("Pages 2-3 / 3")), frame->status.back());
  preview->SendMessage(WM_VSCROLL, SB_BOTTOM, 0);
  EXPECT_EQ(CString(_T("Page 3 / 3")), frame->status.back());
}

}  // namespace
