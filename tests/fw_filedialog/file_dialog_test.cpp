// The framework's file dialog: the record it fills, the child the framework's hook binds to
// the object, the notifications that reach its members, the names it reads whole from the
// running dialog, and the names of a multiple choice.
#include <framework.h>
#include <cderr.h>
#include <dlgs.h>
#include <fw_filedialog.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// Records which members the system's notifications reached, and what the dialog held then.
class RecordingDialog : public CFileDialog {
 public:
  using CFileDialog::CFileDialog;
  std::vector<std::string> reached;
  CString pathAtOK, folderAtInit;
  bool refuseFirst = false;
  HWND boundAtInit = NULL;

 protected:
  BOOL OnInitDialog() override {
    reached.push_back("init");
    boundAtInit = m_hWnd;
    return CFileDialog::OnInitDialog();
  }
  void OnInitDone() override {
    reached.push_back("initdone");
    folderAtInit = GetFolderPath();
  }
  void OnFolderChange() override { reached.push_back("folder"); }
  void OnTypeChange() override { reached.push_back("type"); }
  BOOL OnFileNameOK() override {
    reached.push_back("ok");
    pathAtOK = GetPathName();
    if (refuseFirst) {
      refuseFirst = false;
      return TRUE;
    }
    return FALSE;
  }
};

// Types a name and presses OK (refused), then presses OK again.
struct Driver {
  RecordingDialog* dlg;
  int step = 0;
  CString typed;
  int ticks = 0;
  bool timedOut = false;
};
Driver* s_driver = nullptr;

void PostOK(HWND common) {
  HWND ok = ::GetDlgItem(common, IDOK);
  ::PostMessageW(ok, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
  ::PostMessageW(ok, WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
}

void CALLBACK Drive(HWND, UINT, UINT_PTR, DWORD) {
  Driver* d = s_driver;
  if (d == nullptr) return;
  // A dialog that does not end within ten seconds is cancelled: the test fails, it does not hang.
  if (++d->ticks > 1000) {
    d->timedOut = true;
    if (HWND common = d->dlg->GetCommonDialog()) ::PostMessageW(common, WM_COMMAND, IDCANCEL, 0);
    return;
  }
  HWND common = d->dlg->GetCommonDialog();
  if (common == NULL || !::IsWindowVisible(common)) return;
  switch (d->step++) {
    case 0:
      ::SetDlgItemText(common, edt1, d->typed);
      PostOK(common);  // refused the first time
      break;
    case 1:
      PostOK(common);
      break;
    default:
      break;
  }
}

TEST(FileDialog, TheChildIsBoundAndTheSystemsNotificationsReachTheMembers) {
  TCHAR folder[MAX_PATH];
  ::GetTempPath(MAX_PATH, folder);
  CString base(folder);
  base.TrimRight(_T('\\'));
  EXPECT_EQ(CFileDialog(TRUE).m_ofn.lStructSize, static_cast<DWORD>(sizeof(OPENFILENAME)));
  // The record without the places bar: the dialog whose name box is edit control edt1.
  RecordingDialog dlg(FALSE, _T("txt"), NULL, OFN_HIDEREADONLY, _T("Text|*.txt|All|*.*|"), NULL,
                      OPENFILENAME_SIZE_VERSION_400);
  dlg.m_ofn.lpstrInitialDir = base;
  dlg.refuseFirst = true;
  EXPECT_EQ(memcmp(dlg.m_ofn.lpstrFilter, _T("Text\0*.txt\0All\0*.*\0"), 17 * sizeof(TCHAR)), 0);
  Driver driver{&dlg, 0, _T("notes"), 0, false};
  s_driver = &driver;
  const UINT_PTR timer = ::SetTimer(NULL, 0, 10, Drive);
  EXPECT_EQ(dlg.DoModal(), IDOK);
  ::KillTimer(NULL, timer);
  s_driver = nullptr;
  EXPECT_FALSE(driver.timedOut);
  ASSERT_GE(dlg.reached.size(), 4u);
  EXPECT_EQ(dlg.reached[0], "init");
  EXPECT_NE(dlg.boundAtInit, nullptr);
  EXPECT_EQ(dlg.m_hWnd, nullptr);  // unbound when the child went
  EXPECT_EQ(std::count(dlg.reached.begin(), dlg.reached.end(), "initdone"), 1);
  // Refused once, accepted the second time: the name was asked for both times.
  EXPECT_EQ(std::count(dlg.reached.begin(), dlg.reached.end(), "ok"), 2);
  EXPECT_TRUE(dlg.folderAtInit == base);
  // While it runs, the name is read from the dialog (which may add the extension later).
  EXPECT_EQ(dlg.pathAtOK.Find(base + _T("\\notes")), 0);
  EXPECT_TRUE(dlg.GetPathName() == base + _T("\\notes.txt"));
  EXPECT_TRUE(dlg.GetFileName() == _T("notes.txt"));
  EXPECT_TRUE(dlg.GetFileExt() == _T("txt"));
  EXPECT_TRUE(dlg.GetFileTitle() == _T("notes"));
  EXPECT_TRUE(dlg.GetFolderPath().IsEmpty());  // no longer running
}

TEST(FileDialog, ARecordTheSystemRefusesGivesCancelAndShowsNothing) {
  CFileDialog dlg(TRUE, NULL, NULL, OFN_HIDEREADONLY, NULL, NULL, 12);
  // A size below every size the system knows.
  EXPECT_EQ(dlg.m_ofn.lStructSize, 12u);
  EXPECT_EQ(dlg.DoModal(), IDCANCEL);
  EXPECT_EQ(::CommDlgExtendedError(), static_cast<DWORD>(CDERR_STRUCTSIZE));
  EXPECT_EQ(CFileDialog::GetStartingDialog(), nullptr);
}

TEST(FileDialog, TheNamesOfAChoice) {
  const struct {
    DWORD flags;
    std::basic_string<TCHAR> record;  // as the system leaves it, zeros included
    std::vector<CString> names;
    bool oldStyle = false;  // OFN_EXPLORER cleared: several names are parted by blanks
  } cases[] = {
      {OFN_ALLOWMULTISELECT | OFN_EXPLORER, std::basic_string<TCHAR>(_T("C:\\dir\0a.txt\0b.txt\0\0"), 21), {_T("C:\\dir\\a.txt"), _T("C:\\dir\\b.txt")}},
      {OFN_ALLOWMULTISELECT | OFN_EXPLORER, std::basic_string<TCHAR>(_T("C:\\\0a.txt\0\0"), 11), {_T("C:\\a.txt")}},
      {OFN_ALLOWMULTISELECT | OFN_EXPLORER, std::basic_string<TCHAR>(_T("C:\\dir\\one.txt\0\0"), 16), {_T("C:\\dir\\one.txt")}},
      {0, std::basic_string<TCHAR>(_T("C:\\dir\\one.txt\0\0"), 16), {_T("C:\\dir\\one.txt")}},
      {0, std::basic_string<TCHAR>(_T("\0\0"), 2), {}},
      {OFN_ALLOWMULTISELECT, _T("C:\\dir a.txt b.txt"), {_T("C:\\dir\\a.txt"), _T("C:\\dir\\b.txt")}, true},
      {OFN_ALLOWMULTISELECT, _T("C:\\ a.txt"), {_T("C:\\a.txt")}, true},
      {OFN_ALLOWMULTISELECT, _T("C:\\dir  a.txt  b.txt "), {_T("C:\\dir\\a.txt"), _T("C:\\dir\\b.txt")}, true},
      {OFN_ALLOWMULTISELECT, _T("C:\\dir\\one.txt"), {_T("C:\\dir\\one.txt")}, true},
      {0, _T("C:\\dir\\one.txt"), {_T("C:\\dir\\one.txt")}, true},
  };
  for (const auto& c : cases) {
    CFileDialog dlg(TRUE, NULL, NULL, c.flags);
    if (c.oldStyle) dlg.m_ofn.Flags &= ~OFN_EXPLORER;
    std::vector<TCHAR> record(c.record.begin(), c.record.end());
    record.push_back(0);
    dlg.m_ofn.lpstrFile = record.data();
    dlg.m_ofn.nMaxFile = static_cast<DWORD>(record.size());
    std::vector<CString> names;
    for (POSITION pos = dlg.GetStartPosition(); pos != NULL && names.size() < 10;)
      names.push_back(dlg.GetNextPathName(pos));
    EXPECT_EQ(names, c.names) << c.names.size();
  }
}

}  // namespace
