// The length limit of a saved path, in either edition's dialog: the edit box takes no more
// than the folder leaves of 254 characters, and never nothing.
#include <QvOpenSaveDlg.h>
#include <framework.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "dialog_script.h"

using opensave_testing::DialogScript;
using opensave_testing::EditText;
using opensave_testing::FileList;
using opensave_testing::PostCancel;
using opensave_testing::SelectFirstFile;
using opensave_testing::TempFolder;

namespace {

const TCHAR kFilter[] = _T("Reports|*.rep|Results|*.rea;*.res|Templates|*.ret|All files|*.*|");

TEST(OpenSaveLimits, ASavedPathStaysWithin254Characters) {
  // The folder's length with its final backslash, and what the edit box then accepts.
  const struct {
    size_t folderLength;
    LRESULT limit;
  } cases[] = {{250, 4}, {254, 1}, {100, 154}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.folderLength);
    TempFolder temp(L"opensave_limit");
    std::wstring relative;
    size_t length = temp.path().size() + 1;
    while (length < c.folderLength) {
      const size_t part = std::min<size_t>(60, c.folderLength - length - 1);
      if (!relative.empty()) relative += L"\\";
      relative += std::wstring(std::max<size_t>(part, 1), L'd');
      length = temp.path().size() + 1 + relative.size() + 1;
    }
    const std::wstring folder = temp.Folder(relative);
    ASSERT_EQ(folder.size() + 1, c.folderLength);
    temp.File(relative + L"\\x.rep");
    CQvOpenSaveDlg dlg(FALSE, _T("rep"), NULL, OFN_HIDEREADONLY, kFilter, NULL, NULL, CString(folder.c_str()));
    DialogScript script(dlg);
    LRESULT limit = 0;
    std::wstring cut;
    EXPECT_EQ(script.Run({{[&] { return ::SendMessageW(FileList(script.Common()), LVM_GETITEMCOUNT, 0, 0) > 0; },
                           [&] {
                             SelectFirstFile(script.Common());
                             HWND box = ::GetDlgItem(script.Common(), edt1);
                             HWND inner = ::FindWindowExW(box, NULL, L"Edit", NULL);
                             limit = ::SendMessageW(inner != NULL ? inner : box, EM_GETLIMITTEXT, 0, 0);
                             cut = EditText(script.Common());
                             PostCancel(script.Common());
                           }}}),
              IDCANCEL);
    EXPECT_EQ(limit, c.limit);
    EXPECT_LE(cut.size(), static_cast<size_t>(c.limit));
  }
}

}  // namespace
