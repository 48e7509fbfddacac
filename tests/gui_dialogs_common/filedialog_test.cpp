// The portable open and save dialogs: the filter string and the lists built from the host's
// file types, the completion of typed names, and real runs of the system's dialog for the
// question before a file is replaced, an open dialog's files that must exist, the controls'
// font and a multiple choice.
#include <MFCMsgDialog.h>
#include <QvFileDialog.h>
#include <UIUtilities.h>
#include <framework.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <string>
#include <vector>

#include "dialog_driver.h"
#include "platform_version.h"
#include "test_support.h"

using testing_support::DialogDriver;

namespace {

// The host's types of these tests and their extensions.
enum : QvInternalFileType { kReport = 401, kResult = 402, kText = 403, kNoExtension = 404, kDatabase = 405 };

struct Types {
  Types() {
    Get_GlobalParameters()->SetTypeLabel(kReport, "rep");
    Get_GlobalParameters()->SetTypeLabel(kResult, "rea");
    Get_GlobalParameters()->SetTypeLabel(kText, "txt");
    Get_GlobalParameters()->SetTypeLabel(kNoExtension, nullptr);
  }
};

QvArrayUShort TypeArray(std::initializer_list<QvInternalFileType> types) {
  QvArrayUShort a;
  for (QvInternalFileType t : types) a.Add(t);
  return a;
}

TEST(FileDialogFilters, TheFilterStringAndListsFollowTheTypes) {
  Types types;
  struct Filter {
    std::initializer_list<QvInternalFileType> types;
    const char* description;
  };
  struct Case {
    const char* name;
    std::vector<Filter> filters;
    const char* string;
    std::vector<const char*> extensions;
  };
  const Case cases[] = {
      {"one type", {{{kReport}, "Reports"}}, "Reports|*.rep||", {"rep"}},
      {"two types", {{{kReport, kResult}, "Reports and results"}}, "Reports and results|*.rep;*.rea||", {"rep|rea"}},
      {"two filters", {{{kReport}, "Reports"}, {{kText}, "Texts"}}, "Reports|*.rep|Texts|*.txt||", {"rep", "txt"}},
      // No extension: every file, and the default description names the (empty) extension.
      {"no extension", {{{kNoExtension}, nullptr}}, "*.|*.*||", {""}},
      {"default description", {{{kText}, ""}}, "*.txt|*.txt||", {"txt"}},
      // A bar in a description must not split it: the next filter keeps its patterns.
      {"bar in a description", {{{kReport}, "A|B"}, {{kText}, "Texts"}}, "A\xC2\xA6" "B|*.rep|Texts|*.txt||", {"rep", "txt"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    QvFileDialog d;
    for (const Filter& f : c.filters) EXPECT_TRUE(d.AddFilter(TypeArray(f.types), f.description, nullptr));
    EXPECT_STREQ(c.string, d.GetFilterString().c_str());
    ASSERT_EQ(static_cast<long>(c.extensions.size()), d.GetExtensionLists().GetSize());
    for (size_t i = 0; i < c.extensions.size(); ++i) EXPECT_STREQ(c.extensions[i], d.GetExtensionLists()[i].c_str());
  }
  // A label of its own for the types that have one; the folder of each filter by position.
  EXPECT_STREQ(QvGetMyLabel(31246).c_str(), QvFileDialog::DefaultDescription(50).c_str());
  QvDirectory folder("C:\\reports");
  QvFileDialog d;
  d.AddFilter(kReport, "Reports", &folder);
  d.AddFilter(kText, "Texts", nullptr);
  ASSERT_EQ(2, d.GetFolders().GetSize());
  EXPECT_STREQ("C:\\reports\\", d.GetFolders()[0].c_str());
  EXPECT_STREQ("", d.GetFolders()[1].c_str());
}

TEST(FileDialogFilters, BeforeWindows4ThePatternsDescribeTheFilter) {
  Types types;
  struct Case {
    const char* name;
    WindowsVersion version;
    const char* string;
  };
  const Case cases[] = {
      {"Win32s", QvWin32s, "*.rep;*.rea|*.rep;*.rea||"},
      {"Windows NT 3", QvWinNT3, "*.rep;*.rea|*.rep;*.rea||"},
      {"Windows 95", QvWin95, "Reports|*.rep;*.rea||"},
      {"Windows NT 4 and later", QvWinNT4, "Reports|*.rep;*.rea||"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    PlatformVersion platform(c.version);
    QvFileDialog d;
    d.AddFilter(TypeArray({kReport, kResult}), "Reports", nullptr);
    EXPECT_STREQ(c.string, d.GetFilterString().c_str());
  }
}

TEST(FileDialogNames, TypedNamesAreCompletedWithTheSelectedFiltersExtension) {
  QvArrayQvString lists;
  lists.Add(QvString("rep|rea"));
  lists.Add(QvString(""));
  lists.Add(QvString("*"));
  struct Case {
    const char* typed;
    long selected;
    const char* completed;
  };
  const Case cases[] = {
      {"a", 0, "a.rep"},
      {"a.txt", 0, "a.txt.rep"},  // an extension no filter offers counts as none
      {"a.REP", 0, "a.REP"},
      {"a.rea", 0, "a.rea"},
      {"C:\\x.y\\a", 0, "C:\\x.y\\a.rep"},  // a dot in the folder is no extension
      {"a", 1, "a"},                        // a filter without extension adds no bare dot
      {"a", 2, "a"},
      {"a", 7, "a"},
  };
  for (const Case& c : cases) EXPECT_STREQ(c.completed, GUICompleteFileName(c.typed, lists, c.selected).c_str()) << c.typed;
}

// A folder of files for the runs, removed after them.
struct Files {
  std::wstring folder = L"C:\\commondlg_files";
  std::vector<std::wstring> made;
  Files() { ::CreateDirectoryW(folder.c_str(), NULL); }
  ~Files() {
    for (const std::wstring& f : made) ::DeleteFileW(f.c_str());
    ::RemoveDirectoryW(folder.c_str());
  }
  std::wstring Make(const std::wstring& name) {
    const std::wstring path = folder + L"\\" + name;
    HANDLE h = ::CreateFileW(path.c_str(), GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, 0, NULL);
    if (h != INVALID_HANDLE_VALUE) ::CloseHandle(h);
    made.push_back(path);
    return path;
  }
};

// The system file dialog's name box; the old-style dialog's (before Windows 4) name edit and
// file list.
const int kNameBox = 1148, kOldNameEdit = 1152, kOldFileList = 1120;

TEST(FileDialogRuns, AnExistingFileIsAskedAboutOnceAndOnlyYesReplacesIt) {
  Types types;
  Files files;
  const std::wstring existing = files.Make(L"exists.rep");
  QvDirectory folder(QvString(files.folder.c_str()).c_str());
  enum Answer { kYes, kNo, kEscape };
  struct Case {
    const char* name;
    Answer answer;
    bool saved;
  };
  const Case cases[] = {{"yes", kYes, true}, {"no", kNo, false}, {"escape", kEscape, false}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    HWND fileDialog = NULL;
    DialogDriver driver({{kNameBox,
                          [&](HWND dlg) {
                            fileDialog = dlg;
                            DialogDriver::SetText(dlg, kNameBox, L"exists");  // completed to exists.rep
                            DialogDriver::Press(dlg, IDOK);
                          }},
                         {static_cast<int>(ButtonKindId(QvYesButton)),
                          [&](HWND dlg) {
                            if (c.answer == kYes) DialogDriver::Press(dlg, ButtonKindId(QvYesButton));
                            if (c.answer == kNo) DialogDriver::Press(dlg, ButtonKindId(QvNoButton));
                            if (c.answer == kEscape) ::PostMessage(dlg, WM_COMMAND, IDCANCEL, 0);
                            // Refused, the file dialog stays: it is cancelled after the answer.
                            if (c.answer != kYes) ::PostMessage(fileDialog, WM_COMMAND, IDCANCEL, 0);
                          }},
                         {static_cast<int>(ButtonKindId(QvYesButton)), [](HWND dlg) {
                            ADD_FAILURE() << "a second question";
                            ::PostMessage(dlg, WM_COMMAND, IDCANCEL, 0);
                          }}});
    QvSaveAsFileDialog d;
    d.AddFilter(kReport, "Reports", nullptr);
    QvFileDescriptor* chosen = d.Process(nullptr, &folder, "Save", kReport, nullptr, 0, false, false, false);
    EXPECT_EQ(2u, driver.done());
    if (!c.saved) {
      EXPECT_EQ(nullptr, chosen);
      continue;
    }
    ASSERT_NE(nullptr, chosen);
    EXPECT_EQ(0, chosen->WINONLY_GetPath().CompareNoCase(QvString(existing.c_str()).c_str()))
        << chosen->WINONLY_GetPath().c_str();
    Get_GlobalFileMaster()->DestroyQvFileDescriptor(chosen);
  }
}

#ifndef UNICODE
// The earlier edition's database files: a name of 8 characters is saved, one of 9 is refused
// with an information box and the dialog stays open.
TEST(FileDialogRuns, TheDatabaseFilterRefusesALongName) {
  Types types;
  Get_GlobalParameters()->SetTypeLabel(kDatabase, "unv");
  Files files;
  QvDirectory folder(QvString(files.folder.c_str()).c_str());
  struct Case {
    const wchar_t* typed;
    bool saved;
  };
  const Case cases[] = {{L"eightchr", true}, {L"ninechars", false}};
  for (const Case& c : cases) {
    SCOPED_TRACE(QvString(c.typed).c_str());
    HWND fileDialog = NULL;
    bool informed = false;
    DialogDriver driver({{kNameBox,
                          [&](HWND dlg) {
                            fileDialog = dlg;
                            DialogDriver::SetText(dlg, kNameBox, c.typed);
                            DialogDriver::Press(dlg, IDOK);
                          }},
                         {IDOK, [&](HWND dlg) {
                            informed = true;
                            ::PostMessage(dlg, WM_COMMAND, IDOK, 0);
                            ::PostMessage(fileDialog, WM_COMMAND, IDCANCEL, 0);
                          }}});
    QvSaveAsFileDialog d;
    d.AddFilter(kDatabase, "Database files", nullptr);
    QvFileDescriptor* chosen = d.Process(nullptr, &folder, "Save", kDatabase, nullptr, 0, false, false, false);
    EXPECT_EQ(!c.saved, informed);
    if (!c.saved) {
      EXPECT_EQ(nullptr, chosen);
      continue;
    }
    ASSERT_NE(nullptr, chosen);
    const QvString expected(std::wstring(files.folder + L"\\" + c.typed + L".unv").c_str());
    EXPECT_EQ(0, chosen->WINONLY_GetPath().CompareNoCase(expected.c_str())) << chosen->WINONLY_GetPath().c_str();
    Get_GlobalFileMaster()->DestroyQvFileDescriptor(chosen);
  }
}
#endif

// The system file dialog's type list.
const int kTypeList = 1136;

std::wstring Text(HWND w) {
  wchar_t text[MAX_PATH] = {};
  ::GetWindowTextW(w, text, MAX_PATH);
  return text;
}

// Chooses filter `index` in the type list as a click in its list does.
void ChooseFilter(HWND dlg, int index) {
  HWND types = ::GetDlgItem(dlg, kTypeList);
  ::SendMessage(types, CB_SETCURSEL, index, 0);
  ::SendMessage(dlg, WM_COMMAND, MAKEWPARAM(kTypeList, CBN_SELENDOK), reinterpret_cast<LPARAM>(types));
}

TEST(FileDialogRuns, TheOptionBoxFollowsTheFilterAndItsStateIsKept) {
  Types types;
  Files files;
  QvDirectory folder(QvString(files.folder.c_str()).c_str());
  struct Seen {
    bool box = false;
    std::vector<bool> enabled;
    std::vector<std::wstring> names;
  } seen;
  DialogDriver driver({{kNameBox, [&](HWND dlg) {
                          HWND box = ::GetDlgItem(dlg, IDC_QV_FILE_OPTION);
                          // The box stands under the type list, inside the dialog.
                          RECT b = {}, t = {}, client = {};
                          ::GetWindowRect(box, &b);
                          ::GetWindowRect(::GetDlgItem(dlg, kTypeList), &t);
                          ::MapWindowPoints(NULL, dlg, reinterpret_cast<POINT*>(&b), 2);
                          ::GetClientRect(dlg, &client);
                          ::MapWindowPoints(NULL, dlg, reinterpret_cast<POINT*>(&t), 2);
                          seen.box = box != NULL && b.top >= t.bottom && b.bottom <= client.bottom && b.left >= 0;
                          HWND name = ::GetDlgItem(dlg, kNameBox);
                          ::SetWindowTextW(name, L"summary.rep");
                          for (int filter : {-1, 0, 1}) {  // as started (the type's filter), texts, reports
                            if (filter >= 0) ChooseFilter(dlg, filter);
                            seen.enabled.push_back(::IsWindowEnabled(box) != FALSE);
                            seen.names.push_back(Text(name));
                          }
                          DialogDriver::SetCheck(dlg, IDC_QV_FILE_OPTION, true);
                          DialogDriver::Press(dlg, IDOK);
                        }}});
  QvSaveAsFileDialog d;
  d.AddFilter(kText, "Texts", nullptr);
  d.AddFilter(kReport, "Reports", nullptr);
  QvFileDescriptor* chosen = d.Process(nullptr, &folder, "Save", kReport, "Keep the layout", 0, false, false, false);
  ASSERT_EQ(1u, driver.done());
  EXPECT_TRUE(seen.box);
  EXPECT_EQ((std::vector<bool>{true, false, true}), seen.enabled);
  EXPECT_EQ((std::vector<std::wstring>{L"summary.rep", L"summary.txt", L"summary.rep"}), seen.names);
  ASSERT_NE(nullptr, chosen);
  EXPECT_TRUE(chosen->WINONLY_GetPath().EndsWith("\\summary.rep", true)) << chosen->WINONLY_GetPath().c_str();
  EXPECT_TRUE(d.IsOptionChecked());
  Get_GlobalFileMaster()->DestroyQvFileDescriptor(chosen);
}

// Every text of a window's descendants, joined by line feeds.
BOOL CALLBACK AddText(HWND child, LPARAM all) {
  *reinterpret_cast<std::wstring*>(all) += Text(child) + L"\n";
  return TRUE;
}
std::wstring AllTexts(HWND w) {
  std::wstring texts;
  ::EnumChildWindows(w, AddText, reinterpret_cast<LPARAM>(&texts));
  return texts;
}

TEST(FileDialogRuns, AnOpenDialogTakesANewNameOnlyWhenFilesNeedNotExist) {
  Types types;
  Files files;
  const std::wstring present = files.Make(L"present.rep");
  QvDirectory folder(QvString(files.folder.c_str()).c_str());
  struct Case {
    const char* name;
    bool mustExist;
    const wchar_t* typed;  // completed with the filter's extension
    bool accepted;
  };
  const Case cases[] = {
      {"must exist, file present", true, L"present", true},
      {"must exist, file absent", true, L"absent", false},
      {"may be new, file present", false, L"present", true},
      {"may be new, file absent", false, L"absent", true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    HWND fileDialog = NULL;
    std::wstring told;
    DialogDriver driver({{kNameBox,
                          [&](HWND dlg) {
                            fileDialog = dlg;
                            DialogDriver::SetText(dlg, kNameBox, c.typed);
                            DialogDriver::Press(dlg, IDOK);
                          }},
                         // Only a refusal shows a box: it is closed, then the dialog that stayed.
                         {IDOK, [&](HWND dlg) {
                            told = AllTexts(dlg);
                            ::PostMessage(dlg, WM_COMMAND, IDOK, 0);
                            ::PostMessage(fileDialog, WM_COMMAND, IDCANCEL, 0);
                          }}});
    QvOpenFileDialog d;
    d.AddFilter(kReport, "Reports", nullptr);
    QvFileDescriptor* chosen = d.Process(&folder, "Open", nullptr, 0, c.mustExist);
    EXPECT_EQ(c.accepted ? 1u : 2u, driver.done());
    if (!c.accepted) {
      EXPECT_EQ(nullptr, chosen);
      // The message names the file as completed.
      EXPECT_NE(std::wstring::npos, told.find(files.folder + L"\\absent.rep")) << QvString(told.c_str()).c_str();
      continue;
    }
    ASSERT_NE(nullptr, chosen);
    const QvString expected(std::wstring(files.folder + L"\\" + c.typed + L".rep").c_str());
    EXPECT_EQ(0, chosen->WINONLY_GetPath().CompareNoCase(expected.c_str())) << chosen->WINONLY_GetPath().c_str();
    Get_GlobalFileMaster()->DestroyQvFileDescriptor(chosen);
  }
}

TEST(FileDialogRuns, OnWin32sAnExtensionNoFilterOffersIsRefused) {
  Types types;
  Files files;
  QvDirectory folder(QvString(files.folder.c_str()).c_str());
  struct Case {
    const char* name;
    WindowsVersion version;
    int nameBox;           // the old-style dialog's on Win32s
    const wchar_t* saved;  // null: refused with a message
  };
  const Case cases[] = {
      {"Win32s", QvWin32s, kOldNameEdit, nullptr},
      // Elsewhere the extension counts as none: the filter's is added.
      {"Windows NT 4 and later", QvWinNT4, kNameBox, L"notes.txt.rep"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    PlatformVersion platform(c.version);
    HWND fileDialog = NULL;
    std::wstring told;
    DialogDriver driver({{c.nameBox,
                          [&](HWND dlg) {
                            fileDialog = dlg;
                            DialogDriver::SetText(dlg, c.nameBox, L"notes.txt");
                            DialogDriver::Press(dlg, IDOK);
                          }},
                         {IDOK, [&](HWND dlg) {
                            told = AllTexts(dlg);
                            ::PostMessage(dlg, WM_COMMAND, IDOK, 0);
                            ::PostMessage(fileDialog, WM_COMMAND, IDCANCEL, 0);
                          }}});
    QvSaveAsFileDialog d;
    d.AddFilter(kReport, "Reports", nullptr);
    QvFileDescriptor* chosen = d.Process(nullptr, &folder, "Save", kReport, nullptr, 0, false, false, false);
    if (c.saved == nullptr) {
      EXPECT_EQ(2u, driver.done());
      EXPECT_EQ(nullptr, chosen);
      EXPECT_NE(std::wstring::npos, told.find(QvGetMyLabel(IDL_QV_FILE_NO_FILTER).ToWide())) << QvString(told.c_str()).c_str();
      EXPECT_NE(std::wstring::npos, told.find(L"notes.txt")) << QvString(told.c_str()).c_str();
      continue;
    }
    EXPECT_EQ(1u, driver.done());
    ASSERT_NE(nullptr, chosen);
    EXPECT_TRUE(chosen->WINONLY_GetPath().EndsWith(QvString((std::wstring(L"\\") + c.saved).c_str()).c_str(), true))
        << chosen->WINONLY_GetPath().c_str();
    Get_GlobalFileMaster()->DestroyQvFileDescriptor(chosen);
  }
}

// The first descendant of the window of that class.
struct ClassSearch {
  const wchar_t* name;
  HWND found;
};
BOOL CALLBACK MatchClass(HWND child, LPARAM p) {
  auto* s = reinterpret_cast<ClassSearch*>(p);
  wchar_t name[64] = {};
  ::GetClassNameW(child, name, 64);
  if (lstrcmpiW(name, s->name) != 0) return TRUE;
  s->found = child;
  return FALSE;
}
HWND FindDescendant(HWND w, const wchar_t* className) {
  ClassSearch search = {className, NULL};
  ::EnumChildWindows(w, MatchClass, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

HGDIOBJ FontOf(HWND w) { return reinterpret_cast<HGDIOBJ>(::SendMessage(w, WM_GETFONT, 0, 0)); }

TEST(FileDialogRuns, EveryNotificationGivesTheControlsTheDefaultFont) {
  Types types;
  Files files;
  QvDirectory folder(QvString(files.folder.c_str()).c_str());
  const HGDIOBJ other = ::GetStockObject(SYSTEM_FONT);
  ASSERT_NE(other, static_cast<HGDIOBJ>(UIGetDefaultGUIFont()));
  struct Seen {
    bool found = false;
    std::vector<HGDIOBJ> started, changed, after;
  } seen;
  DialogDriver driver({{kNameBox, [&](HWND dlg) {
                          HWND view = FindDescendant(dlg, L"SHELLDLL_DefView");
                          const HWND controls[] = {::GetDlgItem(dlg, kTypeList), ::GetDlgItem(dlg, kNameBox), view,
                                                   view != NULL ? ::GetWindow(view, GW_CHILD) : NULL};
                          seen.found = std::find(std::begin(controls), std::end(controls), HWND(NULL)) == std::end(controls);
                          for (HWND w : controls) seen.started.push_back(FontOf(w));
                          // Another font on each, then a notification: the type changes.
                          for (HWND w : controls) ::SendMessage(w, WM_SETFONT, reinterpret_cast<WPARAM>(other), FALSE);
                          for (HWND w : controls) seen.changed.push_back(FontOf(w));
                          ChooseFilter(dlg, 1);
                          for (HWND w : controls) seen.after.push_back(FontOf(w));
                          DialogDriver::Press(dlg, IDCANCEL);
                        }}});
  QvOpenFileDialog d;
  d.AddFilter(kReport, "Reports", nullptr);
  d.AddFilter(kText, "Texts", nullptr);
  EXPECT_EQ(nullptr, d.Process(&folder, "Open", nullptr, 0, false));
  ASSERT_EQ(1u, driver.done());
  ASSERT_TRUE(seen.found) << "the type list, name box, shell view or its list is missing";
  const std::vector<HGDIOBJ> defaults(4, UIGetDefaultGUIFont()), others(4, other);
  EXPECT_EQ(defaults, seen.started);  // the first notifications gave it
  EXPECT_EQ(others, seen.changed);
  EXPECT_EQ(defaults, seen.after);
}

// Chooses filter `index` in the old-style dialog's type list as a click in its list does.
void ChooseOldFilter(HWND dlg, int index) {
  HWND types = ::GetDlgItem(dlg, kTypeList);
  ::SendMessage(types, CB_SETCURSEL, index, 0);
  ::SendMessage(dlg, WM_COMMAND, MAKEWPARAM(kTypeList, CBN_SELCHANGE), reinterpret_cast<LPARAM>(types));
}

TEST(FileDialogRuns, BeforeWindows4TheOldStyleDialogChecksNamesAndFollowsTheFilter) {
  Types types;
  Files files;
  const std::wstring existing = files.Make(L"exists.rep");
  QvDirectory folder(QvString(files.folder.c_str()).c_str());
  struct Case {
    const char* name;
    WindowsVersion version;
    const wchar_t* typed;
    bool asked;  // the question before a file is replaced (answered Yes)
    const wchar_t* saved;
  };
  const Case cases[] = {
      {"Windows NT 3, a new name", QvWinNT3, L"summary", false, L"summary.rep"},
      {"Windows NT 3, an existing file", QvWinNT3, L"exists", true, L"exists.rep"},
      {"Win32s, a new name", QvWin32s, L"summary", false, L"summary.rep"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    PlatformVersion platform(c.version);
    struct Seen {
      bool oldStyle = false, box = false;
      std::vector<bool> enabled;
    } seen;
    bool asked = false;
    DialogDriver driver({{kOldFileList,
                          [&](HWND dlg) {
                            // The system's controls are the dialog's own children.
                            seen.oldStyle = ::GetDlgItem(dlg, kOldNameEdit) != NULL &&
                                            FindDescendant(dlg, L"SHELLDLL_DefView") == NULL;
                            HWND box = ::GetDlgItem(dlg, IDC_QV_FILE_OPTION);
                            seen.box = box != NULL;
                            for (int filter : {-1, 0, 1}) {  // as started (the type's filter), texts, reports
                              if (filter >= 0) ChooseOldFilter(dlg, filter);
                              seen.enabled.push_back(::IsWindowEnabled(box) != FALSE);
                            }
                            DialogDriver::SetCheck(dlg, IDC_QV_FILE_OPTION, true);
                            DialogDriver::SetText(dlg, kOldNameEdit, c.typed);
                            DialogDriver::Press(dlg, IDOK);
                          }},
                         {static_cast<int>(ButtonKindId(QvYesButton)), [&](HWND dlg) {
                            asked = true;
                            DialogDriver::Press(dlg, ButtonKindId(QvYesButton));
                          }}});
    QvSaveAsFileDialog d;
    d.AddFilter(kText, "Texts", nullptr);
    d.AddFilter(kReport, "Reports", nullptr);
    QvFileDescriptor* chosen = d.Process(nullptr, &folder, "Save", kReport, "Keep the layout", 0, false, false, false);
    ASSERT_GE(driver.done(), 1u);
    EXPECT_TRUE(seen.oldStyle);
    EXPECT_TRUE(seen.box);
    EXPECT_EQ((std::vector<bool>{true, false, true}), seen.enabled);
    EXPECT_EQ(c.asked, asked);
    ASSERT_NE(nullptr, chosen);
    EXPECT_TRUE(chosen->WINONLY_GetPath().EndsWith(QvString((std::wstring(L"\\") + c.saved).c_str()).c_str(), true))
        << chosen->WINONLY_GetPath().c_str();
    EXPECT_TRUE(d.IsOptionChecked());
    Get_GlobalFileMaster()->DestroyQvFileDescriptor(chosen);
  }
}

TEST(FileDialogRuns, AMultipleChoiceGivesEveryPath) {
  Types types;
  Files files;
  // More names than a path's worth of characters.
  std::wstring typed;
  std::vector<std::wstring> expected;
  for (int i = 0; i < 24; ++i) {
    const std::wstring name = L"quarterly_report_of_the_region_number_" + std::to_wstring(i) + L".rep";
    expected.push_back(files.Make(name));
    typed += L"\"" + name + L"\" ";
  }
  ASSERT_GT(typed.size(), static_cast<size_t>(MAX_PATH));
  QvDirectory folder(QvString(files.folder.c_str()).c_str());
  DialogDriver driver({{kNameBox, [&](HWND dlg) {
                          DialogDriver::SetText(dlg, kNameBox, typed);
                          DialogDriver::Press(dlg, IDOK);
                        }}});
  QvOpenFileDialog d;
  d.AddFilter(kReport, "Reports", nullptr);
  QvArrayLPVoid result;
  d.Process(result, &folder, "Open", nullptr, 0, false);
  ASSERT_EQ(1u, driver.done());
  ASSERT_EQ(static_cast<long>(expected.size()), result.GetSize());
  for (long i = 0; i < result.GetSize(); ++i) {
    QvFileDescriptor* file = static_cast<QvFileDescriptor*>(result[i]);
    EXPECT_EQ(0, file->WINONLY_GetPath().CompareNoCase(QvString(expected[static_cast<size_t>(i)].c_str()).c_str()))
        << file->WINONLY_GetPath().c_str();
    Get_GlobalFileMaster()->DestroyQvFileDescriptor(file);
  }
}

}  // namespace
