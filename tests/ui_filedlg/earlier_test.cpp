// The earlier edition's open/save dialog on a real system dialog: the smaller bar (the
// product's folders only), the product shortcuts with the other product's documents, the
// typed name rewritten in the edition's character set, and a remembered folder with accented
// letters kept whole through the UTF-8 store.
#ifndef UNICODE
#include <IconPaneControl.h>
#include <QvOpenSaveDlg.h>
#include <framework.h>
#include <gtest/gtest.h>
#include <vekkel.h>

#include <string>

#include "dialog_script.h"

using opensave_testing::DialogScript;
using opensave_testing::EditText;
using opensave_testing::PostCancel;
using opensave_testing::PostOK;
using opensave_testing::SetEditText;
using opensave_testing::Step;
using opensave_testing::TempFolder;
using opensave_testing::TestDlg;

namespace {

const char kFilter[] = "Reports|*.rep|Results|*.rea|Templates|*.ret|Universes|*.unv|";
const char kOptionsKey[] = "%QVDESKTOPCFG%\\%CURRENT_USER_PREFS%\\%APPSHORTNAME%\\Options";

// A path in the edition's character set, and back.
CString Narrow(const std::wstring& wide) { return CString(wide.c_str()); }
std::wstring Wide(LPCSTR narrow) { return std::wstring(CStringW(narrow).GetString()); }

SIZE WindowSize(HWND wnd) {
  RECT r;
  ::GetWindowRect(wnd, &r);
  return {r.right - r.left, r.bottom - r.top};
}

// The size of the plain system dialog with the same record size and flags.
CFileDialog* s_plain = nullptr;
SIZE s_plainSize = {};
void CALLBACK MeasurePlain(HWND, UINT, UINT_PTR, DWORD) {
  HWND common = s_plain != nullptr ? s_plain->GetCommonDialog() : NULL;
  if (common == NULL || !::IsWindowVisible(common) || s_plainSize.cx != 0) return;
  s_plainSize = WindowSize(common);
  PostCancel(common);
}
SIZE PlainSize(BOOL open) {
  CFileDialog dlg(open, NULL, NULL, OFN_HIDEREADONLY, kFilter, NULL, OPENFILENAME_SIZE_VERSION_400);
  s_plain = &dlg;
  s_plainSize = {};
  const UINT_PTR timer = ::SetTimer(NULL, 0, 10, MeasurePlain);
  EXPECT_EQ(dlg.DoModal(), IDCANCEL);
  ::KillTimer(NULL, timer);
  s_plain = nullptr;
  return s_plainSize;
}

TEST(EarlierOpenSave, TheBarHoldsTheProductsFoldersOnlyBesideTheWidenedDialog) {
  for (BOOL open : {TRUE, FALSE}) {
    SCOPED_TRACE(open ? "open" : "save");
    const SIZE plain = PlainSize(open);
    ASSERT_GT(plain.cx, 0);
    CQvOpenSaveDlg dlg(open, "rep", NULL, OFN_HIDEREADONLY, kFilter);
    DialogScript script(dlg);
    SIZE size = {};
    int productItems = 0, masters = 0;
    bool commonPane = true;
    EXPECT_EQ(script.Run({{nullptr,
                           [&] {
                             size = WindowSize(script.Common());
                             while (dlg.GetProductPane().IsItemEnabled(productItems) >= 0) ++productItems;
                             masters = dlg.GetTileControl().GetMasterCount();
                             commonPane = dlg.GetCommonPane().m_hWnd != NULL;
                             PostCancel(script.Common());
                           }}}),
              IDCANCEL);
    // No shell's special-folder functions in this edition: no places, one master tile.
    EXPECT_FALSE(dlg.HasShell32Info());
    EXPECT_EQ(masters, 1);
    EXPECT_FALSE(commonPane);
    EXPECT_EQ(productItems, open ? 2 : 3);
    EXPECT_EQ(size.cx, plain.cx + 150);
    EXPECT_EQ(size.cy, plain.cy + (open ? 0 : 30));
  }
}

TEST(EarlierOpenSave, TheProductShortcutsListTheOtherProductsDocumentsFourth) {
  TempFolder temp(L"opensave_earlier_unv");
  const std::wstring universes = temp.Folder(L"Universes");
  const std::wstring reports = temp.Folder(L"Reports");
  // A folder of the fourth filter only.
  const CString folders = Narrow(L"|||" + universes);
  CQvOpenSaveDlg dlg(TRUE, "rep", NULL, OFN_HIDEREADONLY, kFilter, NULL, folders, Narrow(reports));
  DialogScript script(dlg);
  EXPECT_EQ(script.Run({{nullptr, [&] { PostCancel(script.Common()); }}}), IDCANCEL);

  const struct {
    int id;
    const char* pattern;
  } expected[] = {{QvDirReports, "*.rep"}, {QvDirResults, "*.rea"}, {QvDirTemplates, "*.ret"}, {QvDirNone, "*.unv"}};
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(CQvOpenSaveDlg::gQvShortcuts[i].m_nId, expected[i].id) << i;
    EXPECT_STREQ(CQvOpenSaveDlg::gQvShortcuts[i].m_strPattern.GetString(), expected[i].pattern) << i;
  }
  // The other product's documents have no folder of the file master: only a filter's.
  CString pattern = "*.UNV", found;
  ASSERT_TRUE(dlg.FindExtensionPath(pattern, found));
  EXPECT_EQ(Wide(found), universes);
  CQvOpenSaveDlg without(TRUE, "rep", NULL, OFN_HIDEREADONLY, kFilter);
  found.Empty();
  EXPECT_FALSE(without.FindExtensionPath(pattern, found));
  EXPECT_TRUE(found.IsEmpty());
}

TEST(EarlierOpenSave, TheTypedNameIsRewrittenAndAcceptedWithItsWholePath) {
  TempFolder temp(L"opensave_earlier_names");
  temp.Folder(L"sub");
  const struct {
    const char* typed;
    const char* written;
  } cases[] = {
      {"   report", "report.rep"},  // leading blanks go, the default extension comes
      {"   report.txt", "report.txt"},  // a typed extension stays
      {"sub", "sub"},  // an existing folder gets no extension
      {"sub\\name", "sub\\name.rep"},
  };
  CQvOpenSaveDlg dlg(FALSE, "rep", NULL, OFN_HIDEREADONLY, kFilter, NULL, NULL, Narrow(temp.path()));
  DialogScript script(dlg);
  std::vector<std::wstring> written;
  EXPECT_EQ(script.Run({{nullptr,
                         [&] {
                           for (const auto& c : cases) {
                             SetEditText(script.Common(), Wide(c.typed));
                             dlg.CleanEditBox();
                             written.push_back(EditText(script.Common()));
                           }
                           SetEditText(script.Common(), L"   quarterly");
                           PostOK(script.Common());
                         }}}),
            IDOK);
  ASSERT_EQ(written.size(), std::size(cases));
  for (size_t i = 0; i < written.size(); ++i) EXPECT_EQ(written[i], Wide(cases[i].written)) << cases[i].typed;
  EXPECT_EQ(Wide(dlg.m_ofn.lpstrFile), temp.path() + L"\\quarterly.rep");
}

TEST(EarlierOpenSave, ARememberedFolderWithAccentsIsStoredAsUtf8AndOpensTheNextDialog) {
  TempFolder temp(L"opensave_earlier_remembered");
  // Letters of the western code page outside ASCII.
  const std::wstring folder = temp.Folder(L"R\u00e9sultats d'\u00e9t\u00e9 \u00c5\u00df");
  ASSERT_EQ(Wide(Narrow(folder)), folder) << "the accented letters are not in the edition's code page";
  temp.File(L"R\u00e9sultats d'\u00e9t\u00e9 \u00c5\u00df\\a.rep");
  QvString before;
  GetKeyStringValue(kOptionsKey, "save", before);
  {
    CQvOpenSaveDlg first(FALSE, "rep", NULL, OFN_HIDEREADONLY, kFilter, NULL, NULL, Narrow(folder));
    DialogScript script(first);
    EXPECT_EQ(script.Run({{nullptr,
                           [&] {
                             SetEditText(script.Common(), L"b.rep");
                             PostOK(script.Common());
                           }}}),
              IDOK);
  }
  QvString stored;
  ASSERT_GE(GetKeyStringValue(kOptionsKey, "save", stored), 0);
  EXPECT_EQ(stored.ToWide(), folder);

  CQvOpenSaveDlg next(FALSE, "rep", NULL, OFN_HIDEREADONLY, kFilter);
  EXPECT_EQ(opensave_testing::OpenedFolder(next), folder);
  SetUserKeyStringValue(kOptionsKey, "save", before.c_str());  // the folder goes with the test
}

TEST(EarlierOpenSave, ARememberedFolderTheCodePageCannotNameGivesWayToTheFiltersFolder) {
  TempFolder temp(L"opensave_earlier_unnamed");
  const std::wstring reports = temp.Folder(L"Reports");
  QvString before;
  GetKeyStringValue(kOptionsKey, "save", before);
  // Ideographs: no letters of the western code page.
  const std::wstring remembered = temp.Folder(L"\u5831\u544a");
  SetUserKeyStringValue(kOptionsKey, "save", QvString(remembered.c_str()).c_str());
  CQvOpenSaveDlg dlg(FALSE, NULL, NULL, OFN_HIDEREADONLY, kFilter, NULL, Narrow(reports));
  ASSERT_NE(dlg.m_ofn.lpstrInitialDir, nullptr);
  EXPECT_EQ(Wide(dlg.m_ofn.lpstrInitialDir), reports);
  // One the code page can name is taken.
  const std::wstring named = temp.Folder(L"R\u00e9sum\u00e9s");
  SetUserKeyStringValue(kOptionsKey, "save", QvString(named.c_str()).c_str());
  CQvOpenSaveDlg again(FALSE, NULL, NULL, OFN_HIDEREADONLY, kFilter, NULL, Narrow(reports));
  ASSERT_NE(again.m_ofn.lpstrInitialDir, nullptr);
  EXPECT_EQ(Wide(again.m_ofn.lpstrInitialDir), named);
  SetUserKeyStringValue(kOptionsKey, "save", before.c_str());
}

TEST(EarlierOpenSave, AMissingFileWithAccentsIsNamedWholeInTheMessage) {
  TempFolder temp(L"opensave_earlier_missing");
  const std::wstring typed = L"\u00e9t\u00e9 \u00c5.rep";
  TestDlg dlg(FALSE, "rep", NULL, OFN_HIDEREADONLY, kFilter, NULL, NULL, Narrow(temp.path()));
  dlg.m_bFileMustExist = TRUE;
  DialogScript script(dlg);
  BOOL valid = -1;
  CString out;
  std::wstring told;
  const std::vector<Step> steps = opensave_testing::StepsOfACheck(
      script,
      [&] {
        SetEditText(script.Common(), typed);
        valid = dlg.IsValidFileSpec(out);
      },
      told);
  EXPECT_EQ(script.Run(steps), IDCANCEL);
  EXPECT_FALSE(valid);
  EXPECT_NE(told.find(L"The file " + temp.path() + L"\\" + typed), std::wstring::npos) << told;
}

}  // namespace
#endif
