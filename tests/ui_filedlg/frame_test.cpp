// The open/save dialog's frame on a real system dialog: the widened layout and its bar, the
// shortcut that follows the current folder and the shortcut clicks, help contexts, the view
// and folder that carry over to the next dialog, the hooks of a dialog opened inside another,
// and the bar of an old shell.
#ifdef UNICODE  // the current edition's dialog (the earlier one's: earlier_test.cpp)
#include <IconPaneControl.h>
#include <QvCommandCenter.h>
#include <QvOpenSaveDlg.h>
#include <framework.h>
#include <gtest/gtest.h>
#include <shlobj.h>
#include <vekkel.h>

#include <map>
#include <string>
#include <vector>

#include "dialog_script.h"

using opensave_testing::DialogScript;
using opensave_testing::FileList;
using opensave_testing::FolderOf;
using opensave_testing::PostCancel;
using opensave_testing::PostClick;
using opensave_testing::PostOK;
using opensave_testing::SetEditText;
using opensave_testing::Step;
using opensave_testing::TempFolder;

namespace {

const wchar_t kFilter[] = L"Reports|*.rep|Results|*.rea|Templates|*.ret|";

// Where each window of the system dialog stands, keyed by its class, id and occurrence:
// direct children in the dialog's client coordinates, their children in their parent's.
using Layout = std::map<std::wstring, POINT>;
Layout LayoutOf(HWND common, const std::vector<HWND>& skip) {
  Layout layout;
  std::map<std::wstring, int> seen;
  auto key = [&seen](const std::wstring& prefix, HWND wnd) {
    wchar_t kind[64] = L"";
    ::GetClassNameW(wnd, kind, 64);
    std::wstring k = prefix + kind + L"#" + std::to_wstring(::GetDlgCtrlID(wnd));
    return k + L"#" + std::to_wstring(seen[k]++);
  };
  auto place = [](HWND wnd, HWND parent) {
    RECT r;
    ::GetWindowRect(wnd, &r);
    POINT p = {r.left, r.top};
    ::ScreenToClient(parent, &p);
    return p;
  };
  for (HWND child = ::GetWindow(common, GW_CHILD); child != NULL; child = ::GetWindow(child, GW_HWNDNEXT)) {
    if (std::find(skip.begin(), skip.end(), child) != skip.end()) continue;
    const std::wstring k = key(L"", child);
    layout[k] = place(child, common);
    for (HWND grand = ::GetWindow(child, GW_CHILD); grand != NULL; grand = ::GetWindow(grand, GW_HWNDNEXT))
      layout[key(k + L"/", grand)] = place(grand, child);
  }
  return layout;
}

SIZE WindowSize(HWND wnd) {
  RECT r;
  ::GetWindowRect(wnd, &r);
  return {r.right - r.left, r.bottom - r.top};
}

// The plain system dialog with the same record size, flags and the framework's hook.
struct Plain {
  SIZE size;
  Layout layout;
};
struct PlainRun {
  CFileDialog* dlg;
  Plain* plain;
  bool done;
};
PlainRun* s_plainRun = nullptr;
void CALLBACK MeasurePlain(HWND, UINT, UINT_PTR, DWORD) {
  HWND common = s_plainRun->dlg->GetCommonDialog();
  if (s_plainRun->done || common == NULL || !::IsWindowVisible(common)) return;
  s_plainRun->done = true;
  s_plainRun->plain->size = WindowSize(common);
  s_plainRun->plain->layout = LayoutOf(common, {s_plainRun->dlg->m_hWnd});
  PostCancel(common);
}
Plain PlainDialog(BOOL open) {
  CFileDialog dlg(open, NULL, NULL, OFN_HIDEREADONLY, kFilter, NULL, OPENFILENAME_SIZE_VERSION_400);
  Plain plain = {};
  PlainRun run = {&dlg, &plain, false};
  s_plainRun = &run;
  const UINT_PTR timer = ::SetTimer(NULL, 0, 10, MeasurePlain);
  EXPECT_EQ(dlg.DoModal(), IDCANCEL);
  ::KillTimer(NULL, timer);
  s_plainRun = nullptr;
  EXPECT_TRUE(run.done);
  return plain;
}

TEST(OpenSaveFrame, WidensTheSystemDialogAndMovesOnlyItsDirectChildren) {
  for (BOOL open : {TRUE, FALSE}) {
    SCOPED_TRACE(open ? "open" : "save");
    const Plain plain = PlainDialog(open);
    ASSERT_FALSE(plain.layout.empty());
    CQvOpenSaveDlg dlg(open, L"rep", NULL, OFN_HIDEREADONLY, kFilter);
    DialogScript script(dlg);
    SIZE size = {};
    Layout layout;
    int productItems = 0, masters = 0;
    EXPECT_EQ(script.Run({{nullptr,
                           [&] {
                             HWND common = script.Common();
                             size = WindowSize(common);
                             layout = LayoutOf(common, {dlg.m_hWnd, dlg.GetTileControl().m_hWnd,
                                                        dlg.GetProductPane().m_hWnd, dlg.GetCommonPane().m_hWnd});
                             while (dlg.GetProductPane().IsItemEnabled(productItems) >= 0) ++productItems;
                             masters = dlg.GetTileControl().GetMasterCount();
                             PostCancel(common);
                           }}}),
              IDCANCEL);
    // An open dialog lists two product folders, a save dialog three.
    EXPECT_EQ(productItems, open ? 2 : 3);
    EXPECT_EQ(masters, dlg.HasShell32Info() ? 2 : 1);
    EXPECT_EQ(size.cx, plain.size.cx + 150);
    EXPECT_EQ(size.cy, plain.size.cy + (open ? 0 : 30));
    ASSERT_EQ(layout.size(), plain.layout.size());
    for (const auto& [key, was] : plain.layout) {
      SCOPED_TRACE(key);
      ASSERT_EQ(layout.count(key), 1u);
      const POINT now = layout[key];
      const bool direct = key.find(L'/') == std::wstring::npos;
      const bool okOrCancel = key.rfind(L"Button#1#", 0) == 0 || key.rfind(L"Button#2#", 0) == 0;  // not the toolbar
      EXPECT_EQ(now.x, was.x + (direct ? (okOrCancel ? 147 : 150) : 0));
      EXPECT_EQ(now.y, was.y);
    }
  }
}

TEST(OpenSaveFrame, TheBarEndsTenPixelsAboveTheBottomWhenTheDialogGrows) {
  CQvOpenSaveDlg dlg(FALSE, L"rep", NULL, OFN_HIDEREADONLY, kFilter);
  DialogScript script(dlg);
  std::vector<std::pair<LONG, LONG>> bottoms;  // the bar's bottom and the client's
  auto measure = [&] {
    RECT bar, client;
    ::GetWindowRect(dlg.GetTileControl().m_hWnd, &bar);
    ::MapWindowPoints(NULL, script.Common(), reinterpret_cast<POINT*>(&bar), 2);
    ::GetClientRect(script.Common(), &client);
    bottoms.push_back({bar.bottom, client.bottom});
  };
  EXPECT_EQ(script.Run({{nullptr,
                         [&] {
                           measure();
                           RECT r;
                           ::GetWindowRect(script.Common(), &r);
                           ::SetWindowPos(script.Common(), NULL, 0, 0, r.right - r.left, r.bottom - r.top + 40,
                                          SWP_NOMOVE | SWP_NOZORDER);
                           measure();
                           PostCancel(script.Common());
                         }}}),
            IDCANCEL);
  ASSERT_EQ(bottoms.size(), 2u);
  EXPECT_EQ(bottoms[1].second, bottoms[0].second + 40);
  for (const auto& b : bottoms) EXPECT_EQ(b.first, b.second - 10);
}

// Product folders 27 and 31 of the file master; the dialog opens in the first.
class ProductFolders : public ::testing::Test {
 protected:
  void SetUp() override {
    reports = temp.Folder(L"Reports");
    results = temp.Folder(L"Results");
    Get_GlobalFileMaster()->SetInternalDirectory(QvDirReports, QvString(reports.c_str()));
    Get_GlobalFileMaster()->SetInternalDirectory(QvDirResults, QvString(results.c_str()));
  }
  void TearDown() override {
    Get_GlobalFileMaster()->SetInternalDirectory(QvDirReports, nullptr);
    Get_GlobalFileMaster()->SetInternalDirectory(QvDirResults, nullptr);
  }
  TempFolder temp{L"opensave_products"};
  std::wstring reports, results;
};

// A click on the image of a pane's item.
void PostPaneClick(CIconPaneControl& pane, int item) {
  const IconPaneControl* control = IconPaneControl::FromWindow(pane.m_hWnd);
  ASSERT_NE(control, nullptr);
  const RECT image = control->ImageRect(control->ItemRect(item));
  PostClick(pane.m_hWnd, (image.left + image.right) / 2, (image.top + image.bottom) / 2);
}

TEST_F(ProductFolders, TheBarChecksTheShortcutOfTheCurrentFolderAndGoesWhereClicked) {
  CQvOpenSaveDlg dlg(FALSE, L"rep", NULL, OFN_HIDEREADONLY, kFilter, NULL, NULL, reports.c_str());
  DialogScript script(dlg);
  auto checked = [&dlg] { return dlg.GetProductPane().GetCheckedItem(); };
  int atStart = -2, afterClick = -2, masterAtStart = -2;
  std::wstring folderAfterClick, typedAfterClick;
  EXPECT_EQ(script.Run({
                {nullptr,
                 [&] {
                   atStart = checked();
                   masterAtStart = dlg.GetTileControl().GetActiveMasterTile();
                   SetEditText(script.Common(), L"typed name");
                   PostPaneClick(dlg.GetProductPane(), 1);
                 }},
                {[&] { return _wcsicmp(FolderOf(script.Common()).c_str(), results.c_str()) == 0; },
                 [&] {
                   afterClick = checked();
                   folderAfterClick = FolderOf(script.Common());
                   typedAfterClick = opensave_testing::EditText(script.Common());
                   PostCancel(script.Common());
                 }},
            }),
            IDCANCEL);
  EXPECT_EQ(atStart, 0);
  EXPECT_EQ(masterAtStart, 0);
  EXPECT_EQ(afterClick, 1);
  // Going there kept what was typed.
  EXPECT_EQ(typedAfterClick, L"typed name");
}

TEST_F(ProductFolders, AnyWindowOfTheThreadSendsTheDialogToAFolderOrHasItAcceptTheName) {
  temp.File(L"Results\\kept.rea");
  CQvOpenSaveDlg dlg(TRUE, L"rea", NULL, OFN_HIDEREADONLY | OFN_FILEMUSTEXIST, kFilter, NULL, NULL, reports.c_str());
  DialogScript script(dlg);
  // Any window of the thread will do: the hook sees what is sent to it.
  CWnd other;
  ASSERT_TRUE(other.CreateEx(0, AfxRegisterWndClass(0), L"", WS_POPUP, CRect(0, 0, 10, 10), NULL, 0));
  EXPECT_EQ(script.Run({
                {nullptr,
                 [&] {
                   ::SendMessageW(other.m_hWnd, ::RegisterWindowMessageW(L"CQvOpenSaveDlg::WM_SETDIRECTORY"),
                                  reinterpret_cast<WPARAM>(&dlg), reinterpret_cast<LPARAM>(results.c_str()));
                 }},
                {[&] { return _wcsicmp(FolderOf(script.Common()).c_str(), results.c_str()) == 0; },
                 [&] {
                   SetEditText(script.Common(), L"kept.rea");
                   ::SendMessageW(other.m_hWnd, ::RegisterWindowMessageW(L"CUnifiedOSDlg::WM_VALIDATE"),
                                  reinterpret_cast<WPARAM>(&dlg), 0);
                 }},
            }),
            IDOK);
  other.DestroyWindow();
  EXPECT_EQ(std::wstring(dlg.GetPathName().GetString()), results + L"\\kept.rea");
}

TEST_F(ProductFolders, ThePlacesGoToTheSystemsFoldersAndAreCheckedThere) {
  wchar_t documents[MAX_PATH] = L"";
  ASSERT_TRUE(SUCCEEDED(::SHGetFolderPathW(NULL, CSIDL_PERSONAL | CSIDL_FLAG_CREATE, NULL, 0, documents)));
  CQvOpenSaveDlg dlg(TRUE, L"rep", NULL, OFN_HIDEREADONLY, kFilter, NULL, NULL, reports.c_str());
  DialogScript script(dlg);
  struct Seen {
    int master, common, product;
  };
  Seen atDocuments = {}, atComputer = {};
  auto seen = [&dlg] {
    return Seen{dlg.GetTileControl().GetActiveMasterTile(), dlg.GetCommonPane().GetCheckedItem(),
                dlg.GetProductPane().GetCheckedItem()};
  };
  EXPECT_EQ(script.Run({
                // The user opens the places, then clicks the documents.
                {nullptr, [&] { dlg.GetTileControl().SetActiveMasterTile(1); }},
                {[&] { return ::IsWindowVisible(dlg.GetCommonPane().m_hWnd) != FALSE; },
                 [&] { PostPaneClick(dlg.GetCommonPane(), 0); }},
                {[&] {
                   std::wstring folder = FolderOf(script.Common());
                   if (!folder.empty() && folder.back() == L'\\') folder.pop_back();  // as the system may give it
                   return _wcsicmp(folder.c_str(), documents) == 0;
                 },
                 [&] {
                   atDocuments = seen();
                   PostPaneClick(dlg.GetCommonPane(), 1);
                 }},
                // The computer is no folder of the file system: the dialog has no path for it,
                // or only the shell's name of it ("::{...}").
                {[&] {
                   const std::wstring folder = FolderOf(script.Common());
                   return folder.empty() || folder.rfind(L"::", 0) == 0;
                 },
                 [&] {
                   atComputer = seen();
                   PostCancel(script.Common());
                 }},
            }),
            IDCANCEL);
  EXPECT_EQ(atDocuments.master, 1);
  EXPECT_EQ(atDocuments.common, 0);
  EXPECT_EQ(atDocuments.product, -1);
  EXPECT_EQ(atComputer.master, 1);
  // (Every item is unchecked first: the computer's is checked again only when it is recognised.)
  EXPECT_EQ(atComputer.common, 1);
}

TEST_F(ProductFolders, AFilterFolderComesBeforeTheFileMastersFolder) {
  const std::wstring own = temp.Folder(L"Own reports");
  const std::wstring folders = own + L"||";
  CQvOpenSaveDlg dlg(TRUE, L"rep", NULL, OFN_HIDEREADONLY, kFilter, NULL, folders.c_str(), own.c_str());
  DialogScript script(dlg);
  int checkedAtStart = -2;
  CString found;
  EXPECT_EQ(script.Run({{nullptr,
                         [&] {
                           checkedAtStart = dlg.GetProductPane().GetCheckedItem();
                           CString pattern(L"*.REP");
                           dlg.FindExtensionPath(pattern, found);
                           PostCancel(script.Common());
                         }}}),
            IDCANCEL);
  EXPECT_EQ(checkedAtStart, 0);
  EXPECT_EQ(std::wstring(found.GetString()), own);
}

// Records what the host's help is asked.
class HelpApp : public CWinApp {
 public:
  HelpApp() : CWinApp(L"Help host") {}
  void WinHelp(DWORD_PTR data, UINT command) override { asked.push_back({data, command}); }
  std::vector<std::pair<DWORD_PTR, UINT>> asked;
};

TEST(OpenSaveFrame, ADialogRunTwiceHasItsBarBothTimes) {
  CQvOpenSaveDlg dlg(TRUE, L"rep", NULL, OFN_HIDEREADONLY, kFilter);
  for (int run = 0; run < 2; ++run) {
    DialogScript script(dlg);
    int masters = 0;
    HWND pane = NULL;
    EXPECT_EQ(script.Run({{nullptr,
                           [&] {
                             masters = dlg.GetTileControl().GetMasterCount();
                             pane = dlg.GetProductPane().m_hWnd;
                             PostCancel(script.Common());
                           }}}),
              IDCANCEL);
    EXPECT_GE(masters, 1) << run;
    EXPECT_TRUE(pane != NULL && !::IsWindow(pane)) << run;  // gone with the dialog
  }
}

TEST(OpenSaveFrame, HelpOfTheBarReachesTheHostsHelpWithTheProductsContexts) {
  HelpApp app;
  struct Case {
    int control;
    int master;        // the active master of the bar
    bool toChild;      // sent to the hook child (else to the system dialog, seen by the hook)
    DWORD_PTR open, save;  // 0: no help
  };
  const Case cases[] = {
      {CQvOpenSaveDlg::IDC_TILES, 0, false, 303, 304},       {CQvOpenSaveDlg::IDC_TILES, 1, false, 305, 306},
      {CQvOpenSaveDlg::IDC_PRODUCT_PANE, 1, false, 303, 304}, {CQvOpenSaveDlg::IDC_COMMON_PANE, 0, false, 305, 306},
      {CQvOpenSaveDlg::IDC_PRODUCT_PANE, 0, true, 303, 304},  {IDOK, 0, false, 0, 0},
      {0x480, 0, true, 0, 0},
  };
  for (BOOL open : {TRUE, FALSE}) {
    CQvOpenSaveDlg dlg(open, L"rep", NULL, OFN_HIDEREADONLY, kFilter);
    DialogScript script(dlg);
    ASSERT_TRUE(dlg.HasShell32Info());
    EXPECT_EQ(script.Run({{nullptr,
                           [&] {
                             for (const Case& c : cases) {
                               SCOPED_TRACE(testing::Message() << (open ? "open " : "save ") << c.control << " master "
                                                               << c.master << (c.toChild ? " child" : ""));
                               dlg.GetTileControl().SetActiveMasterTile(c.master);
                               app.asked.clear();
                               HELPINFO info = {sizeof(HELPINFO), HELPINFO_WINDOW, c.control, NULL, 0, {0, 0}};
                               ::SendMessageW(c.toChild ? dlg.m_hWnd : script.Common(), WM_HELP, 0,
                                              reinterpret_cast<LPARAM>(&info));
                               const DWORD_PTR expected = open ? c.open : c.save;
                               if (expected == 0) {
                                 EXPECT_TRUE(app.asked.empty());
                               } else {
                                 ASSERT_EQ(app.asked.size(), 1u);
                                 EXPECT_EQ(app.asked[0].first, expected);
                                 EXPECT_EQ(app.asked[0].second, static_cast<UINT>(HELP_CONTEXT));
                               }
                             }
                             PostCancel(script.Common());
                           }}}),
              IDCANCEL);
  }
}

// A derived dialog whose template adds a check box that the host's rights of command 1286
// govern, with a help context of its own.
class AllUsersDlg : public CQvOpenSaveDlg {
 public:
  using CQvOpenSaveDlg::CQvOpenSaveDlg;

 protected:
  void GetCustomControlsList(std::map<int, UINT>& list) override {
    CQvOpenSaveDlg::GetCustomControlsList(list);
    list[3] = 5001;
  }
};
unsigned long s_rights = 1;
unsigned long Rights(unsigned long id, bool) { return id == 1286 ? s_rights : 1; }

TEST(OpenSaveFrame, TheHostsRightsGovernADerivedDialogsControlForAllUsers) {
  HelpApp app;
  GUISetCallbackGetCmdStatusFunction(Rights);
  const struct {
    unsigned long rights;
    bool enabled, visible;
  } cases[] = {{1, true, true}, {2, false, true}, {3, true, false}, {7, true, true}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.rights);
    s_rights = c.rights;
    AllUsersDlg dlg(FALSE, L"rep", NULL, OFN_HIDEREADONLY, kFilter, NULL, NULL, NULL, L"OPENSAVE_EXTRA");
    DialogScript script(dlg);
    HWND box = NULL;
    bool enabled = false, visible = false;
    std::vector<DWORD_PTR> fromChild, fromHook;
    EXPECT_EQ(script.Run({{nullptr,
                           [&] {
                             box = ::GetDlgItem(dlg.m_hWnd, 5001);
                             enabled = ::IsWindowEnabled(box) != FALSE;
                             visible = (::GetWindowLongPtrW(box, GWL_STYLE) & WS_VISIBLE) != 0;
                             HELPINFO info = {sizeof(HELPINFO), HELPINFO_WINDOW, 5001, box, 0, {0, 0}};
                             app.asked.clear();
                             ::SendMessageW(dlg.m_hWnd, WM_HELP, 0, reinterpret_cast<LPARAM>(&info));
                             for (const auto& a : app.asked) fromChild.push_back(a.first);
                             app.asked.clear();
                             ::SendMessageW(script.Common(), WM_HELP, 0, reinterpret_cast<LPARAM>(&info));
                             for (const auto& a : app.asked) fromHook.push_back(a.first);
                             PostCancel(script.Common());
                           }}}),
              IDCANCEL);
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(enabled, c.enabled);
    EXPECT_EQ(visible, c.visible);
    // Its help is the dialog's own, never the hook's.
    EXPECT_EQ(fromChild, std::vector<DWORD_PTR>{307});
    EXPECT_TRUE(fromHook.empty());
  }
  GUISetCallbackGetCmdStatusFunction(nullptr);
}

bool InDetails(HWND common) {
  HWND list = FileList(common);
  return list != NULL && (::GetWindowLongPtrW(list, GWL_STYLE) & LVS_TYPEMASK) == LVS_REPORT;
}

void PostToolbarClick(HWND common, int command) {
  HWND toolbar = ::FindWindowExW(common, NULL, L"ToolbarWindow32", NULL);
  ASSERT_NE(toolbar, nullptr);
  const LRESULT index = ::SendMessageW(toolbar, TB_COMMANDTOINDEX, command, 0);
  RECT r = {};
  ASSERT_TRUE(::SendMessageW(toolbar, TB_GETITEMRECT, index, reinterpret_cast<LPARAM>(&r)));
  PostClick(toolbar, r.left + 5, r.top + 5);
}

TEST(OpenSaveFrame, TheViewOfTheLastDialogIsTheViewOfTheNext) {
  CQvOpenSaveDlg::bShowDetails = FALSE;
  // Each run: the view it opens in, then the view it is left in.
  const struct {
    bool opensInDetails;
    int click;  // toolbar command, 0: none
    bool leftInDetails;
  } runs[] = {{false, 0xA004, true}, {true, 0, true}, {true, 0xA003, false}, {false, 0, false}};
  for (const auto& run : runs) {
    CQvOpenSaveDlg dlg(TRUE, L"rep", NULL, OFN_HIDEREADONLY, kFilter);
    DialogScript script(dlg);
    bool opened = !run.opensInDetails;
    std::vector<Step> steps = {{[&] { return FileList(script.Common()) != NULL; },
                                [&] {
                                  opened = InDetails(script.Common());
                                  if (run.click != 0) PostToolbarClick(script.Common(), run.click);
                                }},
                               {[&] { return InDetails(script.Common()) == run.leftInDetails; },
                                [&] { PostCancel(script.Common()); }}};
    EXPECT_EQ(script.Run(steps), IDCANCEL);
    EXPECT_EQ(opened, run.opensInDetails);
    EXPECT_EQ(CQvOpenSaveDlg::bShowDetails != FALSE, run.leftInDetails);
  }
}

TEST(OpenSaveFrame, TheFolderOfTheAcceptedNameIsWhereTheNextDialogOpens) {
  TempFolder temp(L"opensave_remembered");
  // Three names of sixty characters of three UTF-8 bytes each: more than 520 bytes in all.
  const std::wstring part(60, L'\u5831');
  const std::wstring folder = temp.Folder(part + L"\\" + part + L"\\" + part);
  ASSERT_NE(::GetFileAttributesW(folder.c_str()), INVALID_FILE_ATTRIBUTES);
  ASSERT_GT(QvString(folder.c_str()).GetLength(), 520u);
  temp.File(part + L"\\" + part + L"\\" + part + L"\\a.rep");
  const char* key = "%QVDESKTOPCFG%\\%CURRENT_USER_PREFS%\\%APPSHORTNAME%\\Options";
  QvString before;
  GetKeyStringValue(key, "open", before);
  {
    CQvOpenSaveDlg first(TRUE, L"rep", NULL, OFN_HIDEREADONLY | OFN_FILEMUSTEXIST, kFilter, NULL, NULL, folder.c_str());
    DialogScript script(first);
    EXPECT_EQ(script.Run({{nullptr,
                           [&] {
                             SetEditText(script.Common(), L"a.rep");
                             PostOK(script.Common());
                           }}}),
              IDOK);
    EXPECT_EQ(std::wstring(first.GetPathName().GetString()), folder + L"\\a.rep");
  }
  QvString stored;
  ASSERT_GE(GetKeyStringValue(key, "open", stored), 0);
  EXPECT_EQ(stored.ToWide(), folder);

  CQvOpenSaveDlg next(TRUE, L"rep", NULL, OFN_HIDEREADONLY, kFilter);
  EXPECT_EQ(opensave_testing::OpenedFolder(next), folder);
  SetUserKeyStringValue(key, "open", before.c_str());  // the folder goes with the test
}

TEST(OpenSaveFrame, ADialogOpenedInsideAnotherGivesTheHooksBackAndLeavesNoneBehind) {
  CQvOpenSaveDlg outer(TRUE, L"rep", NULL, OFN_HIDEREADONLY, kFilter);
  CQvOpenSaveDlg inner(FALSE, L"rep", NULL, OFN_HIDEREADONLY, kFilter);
  DialogScript outerScript(outer);
  HHOOK outerHooks[2] = {}, innerHooks[2] = {};
  CQvOpenSaveDlg* currentAfterInner = nullptr;
  HHOOK hooksAfterInner[2] = {};
  EXPECT_EQ(outerScript.Run({{nullptr,
                              [&] {
                                outerHooks[0] = CQvOpenSaveDlg::cDialogHook;
                                outerHooks[1] = CQvOpenSaveDlg::cOKBtnHook;
                                DialogScript innerScript(inner);
                                EXPECT_EQ(innerScript.Run({{nullptr,
                                                            [&] {
                                                              innerHooks[0] = CQvOpenSaveDlg::cDialogHook;
                                                              innerHooks[1] = CQvOpenSaveDlg::cOKBtnHook;
                                                              PostCancel(innerScript.Common());
                                                            }}}),
                                          IDCANCEL);
                                currentAfterInner = CQvOpenSaveDlg::g_pCurrentOSDlg;
                                hooksAfterInner[0] = CQvOpenSaveDlg::cDialogHook;
                                hooksAfterInner[1] = CQvOpenSaveDlg::cOKBtnHook;
                                PostCancel(outerScript.Common());
                              }}}),
            IDCANCEL);
  EXPECT_NE(outerHooks[0], nullptr);
  EXPECT_NE(innerHooks[0], nullptr);
  // The outer dialog is current again, with working hooks.
  EXPECT_EQ(currentAfterInner, &outer);
  EXPECT_NE(hooksAfterInner[0], nullptr);
  EXPECT_NE(hooksAfterInner[1], nullptr);
  EXPECT_EQ(CQvOpenSaveDlg::g_pCurrentOSDlg, nullptr);
  EXPECT_EQ(CQvOpenSaveDlg::cDialogHook, nullptr);
  // Every hook any of them installed is gone: removing one again fails.
  for (HHOOK hook : {outerHooks[0], outerHooks[1], innerHooks[0], innerHooks[1], hooksAfterInner[0], hooksAfterInner[1]})
    EXPECT_FALSE(::UnhookWindowsHookEx(hook));
}

// A system whose shell is older than 4.71.
class OldShell : public COpenSaveSystem {
 public:
  BOOL GetShellVersion(DWORD& major, DWORD& minor) override {
    major = 4;
    minor = 70;
    return TRUE;
  }
};

TEST(OpenSaveFrame, AnOldShellGivesABarOfTheProductsFoldersOnly) {
  OldShell old;
  COpenSaveSystem* previous = COpenSaveSystem::Set(&old);
  {
    HelpApp app;
    CQvOpenSaveDlg dlg(FALSE, L"rep", NULL, OFN_HIDEREADONLY, kFilter);
    DialogScript script(dlg);
    int masters = -1;
    bool commonPane = true;
    EXPECT_EQ(script.Run({{nullptr,
                           [&] {
                             masters = dlg.GetTileControl().GetMasterCount();
                             commonPane = dlg.GetCommonPane().m_hWnd != NULL;
                             HELPINFO info = {sizeof(HELPINFO), HELPINFO_WINDOW, CQvOpenSaveDlg::IDC_TILES, NULL, 0, {0, 0}};
                             ::SendMessageW(script.Common(), WM_HELP, 0, reinterpret_cast<LPARAM>(&info));
                             PostCancel(script.Common());
                           }}}),
              IDCANCEL);
    EXPECT_FALSE(dlg.HasShell32Info());
    EXPECT_EQ(masters, 1);
    EXPECT_FALSE(commonPane);
    ASSERT_EQ(app.asked.size(), 1u);
    EXPECT_EQ(app.asked[0].first, 304u);
  }
  COpenSaveSystem::Set(previous);
}

}  // namespace
#endif
