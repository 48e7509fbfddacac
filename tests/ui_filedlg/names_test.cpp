// The open/save dialog's names: filters and their extensions and folders, the rewrite of the
// typed name before the system reads it, the extension that follows the filter and a typed
// pattern, the length limit of a saved path, and the checks that a name exists. The members
// that need no system dialog are checked on a dialog object that is not run.
#ifdef UNICODE  // the current edition's dialog (the earlier one's: earlier_test.cpp)
#include <QvOpenSaveDlg.h>
#include <framework.h>
#include <gtest/gtest.h>
#include <vekkel.h>

#include <string>
#include <vector>

#include "dialog_script.h"
#include "recorder.h"

using opensave_testing::DialogScript;
using opensave_testing::EditText;
using opensave_testing::FileList;
using opensave_testing::FolderOf;
using opensave_testing::PostCancel;
using opensave_testing::PostEnter;
using opensave_testing::PostOK;
using opensave_testing::SelectFirstFile;
using opensave_testing::SetEditText;
using opensave_testing::Step;
using opensave_testing::TempFolder;
using opensave_testing::TestDlg;

namespace {

const wchar_t kFilter[] = L"Reports|*.rep|Results|*.rea;*.res|Templates|*.ret|All files|*.*|";

TEST(OpenSaveNames, FiltersAreFoundByTheWholeExtensionIgnoringCase) {
  CQvOpenSaveDlg dlg(FALSE, L"rea", NULL, OFN_HIDEREADONLY, L"Reports|*.REP|Results|*.rea;*.res|Templates|*.ret|");
  const struct {
    const wchar_t* name;
    BOOL known;
    DWORD index;
  } cases[] = {
      {L"X.REP", TRUE, 1},   {L"x.rep", TRUE, 1},    {L"a.b.res", TRUE, 2}, {L"ret", TRUE, 3},
      {L".re", FALSE, 0},    {L"x.repx", FALSE, 0},  {L"x.e", FALSE, 0},    {L"x.", FALSE, 0},
      {L"noext", FALSE, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.name);
    DWORD index = 99;
    EXPECT_EQ(dlg.KnownExtension(c.name, index), c.known);
    EXPECT_EQ(index, c.index);
  }
  DWORD index = 99;
  EXPECT_FALSE(dlg.KnownExtension(NULL, index));
  EXPECT_EQ(index, 0u);
  // The start filter: the name's extension, else the default extension, else the first.
  EXPECT_EQ(dlg.GetStartFilterIndex(L"q.ret"), 3u);
  EXPECT_EQ(dlg.GetStartFilterIndex(L"q.txt"), 2u);
  EXPECT_EQ(dlg.GetStartFilterIndex(NULL), 2u);
  EXPECT_EQ(dlg.m_ofn.nFilterIndex, 2u);
  CQvOpenSaveDlg plain(FALSE, L"txt", NULL, OFN_HIDEREADONLY, L"Reports|*.rep|");
  EXPECT_EQ(plain.GetStartFilterIndex(NULL), 1u);
}

TEST(OpenSaveNames, TheDefaultFolderComesFromTheFiltersAndIsNullWithoutOne) {
  const struct {
    const wchar_t* defExt;
    const wchar_t* filter;
    const wchar_t* folders;
    const wchar_t* expected;  // NULL: none
  } cases[] = {
      {L"", L"Reports|*.rep|Results|*.rea|", L"C:\\r|C:\\a", L"C:\\r"},
      {L"rea", L"Reports|*.rep|Results|*.rea|", L"C:\\r|C:\\a", L"C:\\a"},
      {L"rea", L"Reports|*.rep|Results|*.rea|", L"C:\\r", NULL},
      {L"txt", L"Reports|*.rep|", L"C:\\r", NULL},
      {L"", NULL, NULL, NULL},
      {L"rep", NULL, NULL, NULL},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.defExt << " " << (c.filter ? c.filter : L"(none)"));
    CQvOpenSaveDlg dlg(TRUE, c.defExt, NULL, OFN_HIDEREADONLY, c.filter, NULL, c.folders);
    LPCTSTR folder = dlg.GetDefaultDirectory();
    if (c.expected == NULL)
      EXPECT_EQ(folder, nullptr);
    else
      EXPECT_STREQ(folder, c.expected);
  }
}

TEST(OpenSaveNames, TheDialogOpensInTheGivenFolderElseTheFiltersElseTheRememberedOne) {
  TempFolder temp(L"opensave_start");
  const std::wstring existing = temp.Folder(L"existing");
  const char* key = "%QVDESKTOPCFG%\\%CURRENT_USER_PREFS%\\%APPSHORTNAME%\\Options";
  QvString saved;
  const bool hadSaved = GetKeyStringValue(key, "save", saved) >= 0;
  ASSERT_GE(SetUserKeyStringValue(key, "save", "C:\\remembered"), 0);
  const std::wstring nameInExisting = existing + L"\\x.rep";
  const struct {
    const wchar_t* initial;
    const wchar_t* name;
    const wchar_t* folders;
    const wchar_t* expected;
  } cases[] = {
      {L"C:\\given", L"x.rep", L"C:\\r|C:\\a", L"C:\\given"},
      {NULL, L"x.rep", L"C:\\r|C:\\a", L"C:\\a"},             // the default extension's filter
      {NULL, NULL, L"C:\\r|C:\\a", L"C:\\remembered"},          // no name: the remembered folder
      {NULL, L"x.rep", NULL, L"C:\\remembered"},
      {NULL, nameInExisting.c_str(), L"C:\\r|C:\\a", L"C:\\a"},  // the name's own folder is not remembered
      {NULL, nameInExisting.c_str(), NULL, NULL},                 // the system's choice: the name's folder
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << (c.initial ? c.initial : L"-") << " " << (c.name ? c.name : L"-") << " "
                                    << (c.folders ? c.folders : L"-"));
    CQvOpenSaveDlg dlg(FALSE, L"rea", c.name, OFN_HIDEREADONLY, L"Reports|*.rep|Results|*.rea|", NULL, c.folders,
                       c.initial);
    if (c.expected == NULL)
      EXPECT_EQ(dlg.m_ofn.lpstrInitialDir, nullptr);
    else
      EXPECT_STREQ(dlg.m_ofn.lpstrInitialDir, c.expected);
  }
  if (hadSaved)
    SetUserKeyStringValue(key, "save", saved.c_str());
  else
    SetUserKeyStringValue(key, "save", "");
}

TEST(OpenSaveNames, TheFilterTableOfEntriesAndItsText) {
  const OSDSTRUCT entries[] = {OSDSTRUCT(L"Reports", L"*.rep", L"C:\\r"), OSDSTRUCT(L"Results", L"*.rea", NULL),
                               OSDSTRUCT(), OSDSTRUCT(L"After the end", L"*.x", NULL)};
  CQvOpenSaveDlg dlg(TRUE, L"rea", NULL, OFN_HIDEREADONLY, entries, 4);
  ASSERT_EQ(dlg.GetFolderTable().size(), 2u);
  EXPECT_STREQ(dlg.GetFolderTable()[0].m_strFolder, L"C:\\r");
  EXPECT_EQ(dlg.m_ofn.nFilterIndex, 2u);
  // The system's filter: the pairs with zeros between them.
  EXPECT_EQ(std::wstring(dlg.m_ofn.lpstrFilter, 30), std::wstring(L"Reports\0*.rep\0Results\0*.rea\0\0", 30));
  EXPECT_STREQ(dlg.StructToString(entries, 2), L"Reports|*.rep|Results|*.rea||");
  EXPECT_STREQ(dlg.StructToString(NULL, 0), L"||");
  EXPECT_STREQ(dlg.StructToString(entries, 0), L"||");
  EXPECT_FALSE(OSDSTRUCT().NotEmpty());
  EXPECT_TRUE(OSDSTRUCT(NULL, NULL, L"C:\\").NotEmpty());
  // The record the system is given is the one of this build without the places bar.
  EXPECT_EQ(dlg.m_ofn.lStructSize, static_cast<DWORD>(OPENFILENAME_SIZE_VERSION_400));
}

TEST(OpenSaveNames, ExtensionsAreSetAndCutWithinTheBuffer) {
  const struct {
    const wchar_t* name;
    size_t capacity;
    const wchar_t* ext;
    BOOL ok;
    const wchar_t* result;
  } cases[] = {
      {L"report.txt", 32, L".rep", TRUE, L"report.rep"}, {L"a.b.c", 32, L".d", TRUE, L"a.b.d"},
      {L"report", 32, L".rep", TRUE, L"report.rep"},     {L"", 32, L".rep", TRUE, L".rep"},
      {L"report", 11, L".rep", TRUE, L"report.rep"},     {L"report", 10, L".rep", FALSE, L"report"},
      {L"report.txt", 5, L".rep", FALSE, L"report.txt"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.name << " " << c.capacity);
    // The name lies at the start of a larger buffer whose tail must stay untouched.
    std::vector<wchar_t> buffer(64, L'#');
    wcscpy(buffer.data(), c.name);
    EXPECT_EQ(CQvOpenSaveDlg::SetExtension(buffer.data(), c.capacity, c.ext), c.ok);
    EXPECT_STREQ(buffer.data(), c.result);
    for (size_t i = std::max(c.capacity, wcslen(c.name) + 1); i < buffer.size(); ++i) ASSERT_EQ(buffer[i], L'#') << i;
  }
  const struct {
    int n;  // 0: first, -1: last, else the n-th
    const wchar_t* result;
  } cuts[] = {{0, L"a"}, {-1, L"a.b"}, {2, L"a.b"}, {1, L"a"}, {3, L"a.b.c"}, {0, L"a"}};
  for (const auto& c : cuts) {
    wchar_t name[16] = L"a.b.c";
    if (c.n == 0)
      CQvOpenSaveDlg::RemoveFirstExtension(name);
    else if (c.n == -1)
      CQvOpenSaveDlg::RemoveLastExtension(name);
    else
      CQvOpenSaveDlg::RemoveNthExtension(name, c.n);
    EXPECT_STREQ(name, c.result) << c.n;
  }
}

// A system that answers a given version and, for network names, given shell attributes.
class FakeSystem : public COpenSaveSystem {
 public:
  FakeSystem(DWORD platform, DWORD major, DWORD minor) : m_platform(platform), m_major(major), m_minor(minor) {}
  BOOL GetVersion(OSVERSIONINFO& info) override {
    info.dwMajorVersion = m_major;
    info.dwMinorVersion = m_minor;
    info.dwPlatformId = m_platform;
    return TRUE;
  }
  BOOL GetShellAttributes(LPCTSTR path, BOOL& isFolder) override {
    if (path != NULL && wcsncmp(path, L"\\\\", 2) == 0) {
      isFolder = wcsstr(path, L"share") != NULL && wcsstr(path, L"file") == NULL;
      return TRUE;
    }
    return COpenSaveSystem::GetShellAttributes(path, isFolder);
  }
  DWORD m_platform, m_major, m_minor;
};

struct SystemInPlace {
  explicit SystemInPlace(COpenSaveSystem* system) : previous(COpenSaveSystem::Set(system)) {}
  ~SystemInPlace() { COpenSaveSystem::Set(previous); }
  COpenSaveSystem* previous;
};

TEST(OpenSaveNames, OldStyleDialogsBelongToVersionsBelowFourAndToMinor51) {
  const struct {
    DWORD major, minor;
    BOOL oldStyle;
  } cases[] = {{3, 51, TRUE}, {3, 10, TRUE}, {4, 0, FALSE}, {4, 10, FALSE}, {5, 1, FALSE}, {6, 1, FALSE}, {10, 0, FALSE}};
  for (const auto& c : cases) {
    FakeSystem system(VER_PLATFORM_WIN32_NT, c.major, c.minor);
    SystemInPlace inPlace(&system);
    EXPECT_EQ(CQvOpenSaveDlg::IsOldStyleOpenSave(), c.oldStyle) << c.major << "." << c.minor;
  }
}

TEST(OpenSaveOldStyle, AnOldStyleDialogMergesItsTemplateFollowsItsFiltersAndChecksItsName) {
  TempFolder temp(L"opensave_old");
  FakeSystem system(VER_PLATFORM_WIN32_NT, 3, 51);
  SystemInPlace inPlace(&system);
  const std::wstring folders = temp.path() + L"|" + temp.path() + L"|" + temp.path() + L"|";
  CQvOpenSaveDlg dlg(FALSE, L"rep", NULL, OFN_HIDEREADONLY, kFilter, NULL, folders.c_str(), temp.path().c_str(),
                     L"OPENSAVE_EXTRA");
  EXPECT_EQ(dlg.m_ofn.Flags & (OFN_EXPLORER | OFN_ENABLETEMPLATE), 0u);
  DialogScript script(dlg, false);
  bool mergedBefore = true;
  SIZE before = {}, after = {};
  HWND box = NULL;
  std::wstring defaultExt;
  EXPECT_EQ(script.Run({{nullptr,
                         [&] {
                           HWND common = script.Common();
                           mergedBefore = ::GetDlgItem(common, 5001) != NULL;
                           RECT r;
                           ::GetWindowRect(common, &r);
                           before = {r.right - r.left, r.bottom - r.top};
                           // The user picks the third filter.
                           SetEditText(common, L"monthly.rep");
                           HWND types = ::GetDlgItem(common, cmb1);
                           ::SendMessageW(types, CB_SETCURSEL, 2, 0);
                           ::SendMessageW(common, WM_COMMAND, MAKEWPARAM(cmb1, CBN_SELCHANGE),
                                          reinterpret_cast<LPARAM>(types));
                           box = ::GetDlgItem(common, 5001);
                           ::GetWindowRect(common, &r);
                           after = {r.right - r.left, r.bottom - r.top};
                           // (The system then shows the filter's pattern in the edit box.)
                           defaultExt = dlg.GetDefaultExtension().GetString();
                           SetEditText(common, L"   monthly");
                           PostOK(common);
                         }}}),
            IDOK);
  EXPECT_FALSE(mergedBefore);
  EXPECT_NE(box, nullptr);
  EXPECT_GT(after.cy, before.cy);
  EXPECT_EQ(defaultExt, L"ret");
  EXPECT_EQ(std::wstring(dlg.m_ofn.lpstrFile), temp.path() + L"\\monthly.ret");
}

// A save dialog in a folder holding a folder "sub" and a folder "a.b".
class TypedNames : public ::testing::Test {
 protected:
  void SetUp() override {
    temp.Folder(L"sub");
    temp.Folder(L"a.b");
    temp.File(L"existing.rep");
  }
  TempFolder temp{L"opensave_names"};
};

TEST_F(TypedNames, TheEditBoxIsRewrittenBeforeTheDialogReadsIt) {
  const struct {
    const wchar_t* typed;
    const wchar_t* written;
  } cases[] = {
      {L"   report", L"report.rep"},        // leading blanks go, the default extension comes
      {L"report  ", L"report.rep"},
      {L"report.txt", L"report.txt"},       // a typed extension stays
      {L"   report.txt", L"report.txt"},
      {L"a.b\\name", L"a.b\\name.rep"},     // the only dot is in the folder part
      {L"sub", L"sub"},                     // an existing folder gets no extension
      {L"  sub  ", L"sub"},
      {L"a.b", L"a.b"},
      {L"C:", L"C:"},                       // nor a drive
      {L"C:\\", L"C:\\"},
      {L"\\", L"\\"},
      {L"", L""},
  };
  CQvOpenSaveDlg dlg(FALSE, L"rep", NULL, OFN_HIDEREADONLY, kFilter, NULL, NULL, temp.path().c_str());
  DialogScript script(dlg);
  std::vector<std::wstring> written;
  EXPECT_EQ(script.Run({{nullptr,
                         [&] {
                           for (const auto& c : cases) {
                             SetEditText(script.Common(), c.typed);
                             dlg.CleanEditBox();
                             written.push_back(EditText(script.Common()));
                           }
                           PostCancel(script.Common());
                         }}}),
            IDCANCEL);
  ASSERT_EQ(written.size(), std::size(cases));
  for (size_t i = 0; i < written.size(); ++i) EXPECT_EQ(written[i], cases[i].written) << "typed \"" << cases[i].typed << "\"";
}

TEST_F(TypedNames, ARewrittenNameLongerThanTheDialogsBufferIsLeftAsTyped) {
  CQvOpenSaveDlg dlg(FALSE, L"rep", NULL, OFN_HIDEREADONLY, kFilter, NULL, NULL, temp.path().c_str());
  std::vector<wchar_t> buffer(20, 0);
  dlg.m_ofn.lpstrFile = buffer.data();
  dlg.m_ofn.nMaxFile = 20;
  DialogScript script(dlg);
  std::vector<std::wstring> written;
  EXPECT_EQ(script.Run({{nullptr,
                         [&] {
                           for (const wchar_t* typed : {L"abcdefghijklmno", L"abcdefghijklmnop", L" abcdefghijklmnopqrs"}) {
                             SetEditText(script.Common(), typed);
                             dlg.CleanEditBox();
                             written.push_back(EditText(script.Common()));
                           }
                           PostCancel(script.Common());
                         }}}),
            IDCANCEL);
  // 19 characters and the zero fit in 20.
  EXPECT_EQ(written, (std::vector<std::wstring>{L"abcdefghijklmno.rep", L"abcdefghijklmnop", L" abcdefghijklmnopqrs"}));
}

TEST_F(TypedNames, ANetworkFolderGetsAFinalBackslashOnWindowsNTOnly) {
  const struct {
    DWORD platform;
    const wchar_t* typed;
    const wchar_t* written;
  } cases[] = {
      {VER_PLATFORM_WIN32_NT, L"  \\\\server\\share", L"\\\\server\\share\\"},
      {VER_PLATFORM_WIN32_NT, L"\\\\server\\share\\", L"\\\\server\\share\\"},
      {VER_PLATFORM_WIN32_WINDOWS, L"\\\\server\\share", L"\\\\server\\share"},
      {VER_PLATFORM_WIN32_NT, L"\\\\server\\share\\file", L"\\\\server\\share\\file.rep"},
      {VER_PLATFORM_WIN32_WINDOWS, L"\\\\server\\share\\file", L"\\\\server\\share\\file.rep"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.platform << " " << c.typed);
    FakeSystem system(c.platform, 4, 10);
    SystemInPlace inPlace(&system);
    CQvOpenSaveDlg dlg(FALSE, L"rep", NULL, OFN_HIDEREADONLY, kFilter, NULL, NULL, temp.path().c_str());
    DialogScript script(dlg);
    std::wstring written;
    EXPECT_EQ(script.Run({{nullptr,
                           [&] {
                             SetEditText(script.Common(), c.typed);
                             dlg.CleanEditBox();
                             written = EditText(script.Common());
                             PostCancel(script.Common());
                           }}}),
              IDCANCEL);
    EXPECT_EQ(written, c.written);
  }
}

TEST_F(TypedNames, EnterAndOKAcceptTheRewrittenNameWithItsWholePath) {
  // A system of version 6.1, as Wine, Vista and 7 answer.
  FakeSystem system(VER_PLATFORM_WIN32_NT, 6, 1);
  SystemInPlace inPlace(&system);
  // How the name is confirmed: Enter in the edit box, Enter in the file list, a click on OK.
  enum Way { kEnterInBox, kEnterInList, kClickOK };
  for (Way way : {kEnterInBox, kEnterInList, kClickOK}) {
    SCOPED_TRACE(way);
    CQvOpenSaveDlg dlg(FALSE, L"rep", NULL, OFN_HIDEREADONLY, kFilter, NULL, NULL, temp.path().c_str());
    DialogScript script(dlg);
    CString current;
    EXPECT_EQ(script.Run({{nullptr,
                           [&] {
                             SetEditText(script.Common(), L"quarterly.rea");
                             current = dlg.GetCurrentPathName();
                             SetEditText(script.Common(), L"   quarterly");
                             if (way == kEnterInBox) {
                               PostEnter(script.Common());
                             } else if (way == kEnterInList) {
                               HWND list = FileList(script.Common());
                               ::PostMessageW(list, WM_KEYDOWN, VK_RETURN, 1);
                               ::PostMessageW(list, WM_KEYUP, VK_RETURN, 0xC0000001);
                             } else {
                               PostOK(script.Common());
                             }
                           }}}),
              IDOK);
    // What the dialog holds while it runs is the whole path of the typed name.
    EXPECT_EQ(std::wstring(current.GetString()), temp.path() + L"\\quarterly.rea");
    EXPECT_EQ(std::wstring(dlg.m_ofn.lpstrFile), temp.path() + L"\\quarterly.rep");
  }
}

TEST_F(TypedNames, TheNameIsRewrittenBeforeOKSeesTheButtonComeUp) {
  using testing_support::Recorder;
  using testing_support::SubclassedControl;
  CQvOpenSaveDlg dlg(FALSE, L"rep", NULL, OFN_HIDEREADONLY, kFilter, NULL, NULL, temp.path().c_str());
  DialogScript script(dlg);
  std::vector<testing_support::RecordedMsg> log;
  HWND box = NULL, ok = NULL;
  EXPECT_EQ(script.Run({{nullptr,
                         [&] {
                           box = ::GetDlgItem(script.Common(), edt1);
                           ok = ::GetDlgItem(script.Common(), IDOK);
                           SubclassedControl watchedBox(box), watchedOK(ok);
                           Recorder().Watch(box);
                           Recorder().Watch(ok);
                           SetEditText(script.Common(), L"  quarterly");
                           Recorder().Reset();
                           // A click on OK, as the mouse makes it (the dialog then closes).
                           PostOK(script.Common());
                           Recorder().Pump();
                           log = Recorder().Messages();
                           Recorder().UnwatchAll();
                         }}}),
            IDOK);
  // The rewrite (text set in the box) comes before the button's WM_LBUTTONUP is dispatched,
  // and the button goes down before it: the hook acts when the message is taken from the queue.
  auto first = [&log](HWND wnd, UINT message, unsigned kind) {
    for (size_t i = 0; i < log.size(); ++i)
      if (log[i].hwnd == wnd && log[i].message == message && (log[i].flags & kind) != 0) return static_cast<long>(i);
    return -1L;
  };
  const long down = first(ok, WM_LBUTTONDOWN, testing_support::kPosted);
  const long rewrite = first(box, WM_SETTEXT, testing_support::kSent);
  const long up = first(ok, WM_LBUTTONUP, testing_support::kPosted);
  ASSERT_GE(down, 0);
  ASSERT_GE(rewrite, 0);
  ASSERT_GE(up, 0);
  EXPECT_LT(down, rewrite);
  EXPECT_LT(rewrite, up);
  EXPECT_EQ(std::wstring(dlg.m_ofn.lpstrFile), temp.path() + L"\\quarterly.rep");
}

TEST_F(TypedNames, ANameLongerThanTheCallersBufferIsNotWrittenIntoIt) {
  CQvOpenSaveDlg dlg(FALSE, L"rep", NULL, OFN_HIDEREADONLY, kFilter, NULL, NULL, temp.path().c_str());
  // The caller's buffer: 40 characters, followed by a guard that must stay untouched.
  std::vector<wchar_t> buffer(40 + 200, L'#');
  buffer[0] = 0;
  dlg.m_ofn.lpstrFile = buffer.data();
  dlg.m_ofn.nMaxFile = 40;
  DialogScript script(dlg);
  // The system then ends the dialog, telling that the buffer is too small.
  EXPECT_EQ(script.Run({{nullptr,
                         [&] {
                           SetEditText(script.Common(), std::wstring(100, L'n'));
                           PostEnter(script.Common());
                         }}}),
            IDCANCEL);
  for (size_t i = 40; i < buffer.size(); ++i) ASSERT_EQ(buffer[i], L'#') << i;
}

TEST_F(TypedNames, AnotherFilterChangesTheTypedExtensionAndTheDefaultOne) {
  const std::wstring folders = temp.path() + L"|" + temp.path() + L"|" + temp.path() + L"|";
  CQvOpenSaveDlg dlg(FALSE, L"rep", NULL, OFN_HIDEREADONLY, kFilter, NULL, folders.c_str(), temp.path().c_str());
  DialogScript script(dlg);
  std::vector<std::wstring> typed;
  std::vector<std::wstring> defaults;
  auto choose = [&](int filter) {
    HWND types = ::GetDlgItem(script.Common(), cmb1);
    // What the combo box tells its dialog when the user picks an item.
    ::SendMessageW(types, CB_SETCURSEL, filter - 1, 0);
    for (WORD code : {CBN_SELCHANGE, CBN_SELENDOK})
      ::SendMessageW(script.Common(), WM_COMMAND, MAKEWPARAM(cmb1, code), reinterpret_cast<LPARAM>(types));
    typed.push_back(EditText(script.Common()));
    defaults.push_back(dlg.GetDefaultExtension().GetString());
  };
  EXPECT_EQ(script.Run({{nullptr,
                         [&] {
                           SetEditText(script.Common(), L"  quarterly.rep");
                           choose(3);
                           choose(2);
                           SetEditText(script.Common(), L"plain");
                           choose(1);
                           // A filter without an extension of its own keeps the default one.
                           SetEditText(script.Common(), L"q.rep");
                           choose(4);
                           PostCancel(script.Common());
                         }}}),
            IDCANCEL);
  EXPECT_EQ(typed, (std::vector<std::wstring>{L"quarterly.ret", L"quarterly.rea", L"plain", L"q.rep"}));
  EXPECT_EQ(defaults, (std::vector<std::wstring>{L"ret", L"rea", L"rep", L"rep"}));
}

TEST_F(TypedNames, ATypedPatternMakesItsExtensionTheDefaultAndChoosesItsFilter) {
  CQvOpenSaveDlg dlg(FALSE, L"rep", NULL, OFN_HIDEREADONLY, kFilter, NULL, NULL, temp.path().c_str());
  DialogScript script(dlg);
  std::wstring defaultExt;
  DWORD filter = 0;
  EXPECT_EQ(script.Run({{[&] { return ::SendMessageW(FileList(script.Common()), LVM_GETITEMCOUNT, 0, 0) > 0; },
                         [&] {
                           SetEditText(script.Common(), L" * .ret");
                           SelectFirstFile(script.Common());
                           defaultExt = dlg.GetDefaultExtension().GetString();
                           filter = dlg.m_ofn.nFilterIndex;
                           PostCancel(script.Common());
                         }}}),
            IDCANCEL);
  EXPECT_EQ(defaultExt, L"ret");
  EXPECT_EQ(filter, 3u);
}

TEST_F(TypedNames, TheExistenceChecksTellTheUserWhatIsMissing) {
  const struct {
    BOOL pathMustExist, fileMustExist;
    const wchar_t* typed;
    BOOL valid;
    const wchar_t* message;  // a part of it
  } cases[] = {
      {TRUE, TRUE, L"existing.rep", TRUE, L""},
      {TRUE, FALSE, L"new.rep", TRUE, L""},
      {FALSE, TRUE, L"missing.rep", FALSE, L"The file "},
      {TRUE, FALSE, L"nowhere\\new.rep", FALSE, L"The folder of "},
      {FALSE, FALSE, L"*.rep", TRUE, L""},
      {TRUE, FALSE, L"C:\\new.rep", TRUE, L""},  // the drive is found without going there
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.typed);
    TestDlg dlg(FALSE, L"rep", NULL, OFN_HIDEREADONLY, kFilter, NULL, NULL, temp.path().c_str());
    dlg.m_bPathMustExist = c.pathMustExist;
    dlg.m_bFileMustExist = c.fileMustExist;
    DialogScript script(dlg);
    BOOL valid = -1;
    CString out;
    std::wstring told;
    wchar_t before[MAX_PATH] = L"", after[MAX_PATH] = L"";
    const std::vector<Step> steps = opensave_testing::StepsOfACheck(
        script,
        [&] {
          SetEditText(script.Common(), c.typed);
          ::GetCurrentDirectoryW(MAX_PATH, before);
          valid = dlg.IsValidFileSpec(out);
          ::GetCurrentDirectoryW(MAX_PATH, after);
        },
        told);
    EXPECT_EQ(script.Run(steps), IDCANCEL);
    EXPECT_EQ(valid, c.valid);
    if (c.valid) {
      EXPECT_TRUE(told.empty());
      EXPECT_FALSE(out.IsEmpty()) << told;
    } else {
      EXPECT_NE(told.find(c.message), std::wstring::npos) << told;
      EXPECT_NE(told.find(c.typed), std::wstring::npos) << told;
    }
    // The checks leave the process's current folder (and drive) alone.
    EXPECT_STREQ(after, before);
  }
}

}  // namespace
#endif
