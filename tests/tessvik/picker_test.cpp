// The user and group picker run by the client and ended from a timer: browsing, adding and
// removing, presets, single selection, search and keys, context menus, the directory's
// limits, and the chosen ids returned.
#include <gtest/gtest.h>

#include <Pellix.h>
#include <commctrl.h>

#include <memory>

#include <recorder.h>

#include "picker_driver.h"

namespace {

enum {
  ADD = 17009, REMOVE = 17010, REMOVEALL = 17011, SELECTED = 17012, ADDALL = 17013, SEARCH = 17016,
  COMBO = 17029, RADIO_GROUPS = 17032, RADIO_OTHER = 17031, RADIO_MOBILE = 1030, USERS = 17033
};

const char* const kAda = " Lovelace Ada(101)";
const char* const kAlan = " Turing Alan(102)";
const char* const kGrace = " Hopper Grace(103)";

class Picker : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(client.Create(host), S_OK);
    VariantInit(&initial);
    VariantInit(&result);
  }
  void TearDown() override {
    VariantClear(&initial);
    VariantClear(&result);
    SetLimitUsers(NULL, 0);
  }
  HRESULT Run(DWORD flags, std::vector<PickerStep> steps, int kind = 1) {
    return RunPicker(client.picker, kind, flags, initial, &result, std::move(steps));
  }
  // An initial set of (type, id) entries; ids of users are texts.
  void Initial(std::initializer_list<std::pair<int, const wchar_t*>> entries) {
    CBoid set;
    for (const auto& e : entries) {
      if (e.first == BOID_USER || e.first == BOID_CONTACT) {
        VARIANT v = UserId(e.second);
        set.Add(e.first, v);
        VariantClear(&v);
      } else {
        set.Add(e.first, static_cast<DWORD>(_wtoi(e.second)));
      }
    }
    VariantClear(&initial);
    set.Output(&initial);
  }
  FakeHost host;
  PickerClient client;
  VARIANT initial, result;
};

PickerStep AddRow(const char* text) {
  return [text](HWND d) {
    int row = dlg::Find(d, USERS, text);
    ASSERT_GE(row, 0) << text;
    dlg::Select(d, USERS, row);
    dlg::Click(d, ADD);
  };
}
PickerStep Ok() { return [](HWND d) { dlg::Click(d, IDOK); }; }
PickerStep Cancel() { return [](HWND d) { dlg::Click(d, IDCANCEL); }; }

std::vector<std::string> Rows(HWND d, int list) {
  std::vector<std::string> rows;
  for (int i = 0; i < dlg::Count(d, list); ++i) rows.push_back(dlg::Text(d, list, i));
  return rows;
}

TEST_F(Picker, ChosenUsersComeBackInOrderWithoutLimitedOnes) {
  const DWORD limited[] = {103};
  SetLimitUsers(limited, 1);
  Initial({{BOID_USER, L"103.0.1"}});  // a limited user given by the caller is filtered out too
  std::vector<std::string> listed;
  ASSERT_EQ(Run(PICK_MULTIPLE | PICK_REMOVEPRESET,
                {[&](HWND d) { listed = Rows(d, USERS); }, AddRow(kAlan), AddRow(kAda), Ok()}),
            S_OK);
  // The root level: departments by id, then users; not the user themself, not limited ones.
  ASSERT_EQ(listed.size(), 4u);
  EXPECT_EQ(listed[0], " Sales");
  EXPECT_EQ(listed[1], " Research");
  std::sort(listed.begin() + 2, listed.end());
  EXPECT_EQ(listed[2], kAda);
  EXPECT_EQ(listed[3], kAlan);
  EXPECT_EQ(UsersOf(result), (std::vector<std::wstring>{L"102.0.1", L"101.0.1"}));
}

TEST_F(Picker, CancelLeavesTheResultAlone) {
  V_VT(&result) = VT_I4;
  V_I4(&result) = 77;
  EXPECT_EQ(Run(PICK_MULTIPLE, {AddRow(kAda), Cancel()}), TESSVIK_E_CANCELLED);
  EXPECT_EQ(V_VT(&result), VT_I4);
  EXPECT_EQ(V_I4(&result), 77);
}

TEST_F(Picker, WithoutMultipleSelectionOneUserAtMost) {
  LONG style = 0;
  bool addEnabled = true;
  ASSERT_EQ(Run(0, {[&](HWND d) { style = GetWindowLongA(GetDlgItem(d, USERS), GWL_STYLE); }, AddRow(kAda),
                    [&](HWND d) {
                      dlg::Select(d, USERS, dlg::Find(d, USERS, kAlan));
                      dlg::Idle(d);
                      addEnabled = dlg::Enabled(d, ADD);
                      dlg::Click(d, ADD);  // refused even when sent
                    },
                    Ok()}),
            S_OK);
  EXPECT_TRUE(style & LVS_SINGLESEL);
  EXPECT_FALSE(addEnabled);
  EXPECT_EQ(UsersOf(result), std::vector<std::wstring>{L"101.0.1"});
}

TEST_F(Picker, PresetRowsShowByFlagsAndStayUnlessRemovable) {
  Initial({{BOID_USER, L"101.0.1"}, {BOID_GROUP, L"10"}, {BOID_DEPARTMENT, L"3"}, {BOID_CONTACT, L"900.0.1"},
           {BOID_MOBILEGROUP, L"20"}, {BOID_USER, L"999.0.1"}});
  struct Case {
    DWORD flags;
    std::vector<std::string> shown;
    bool removable;
  } cases[] = {
      {PICK_MULTIPLE, {"*Lovelace Ada(101)", "*Contact (555)"}, false},
      {PICK_MULTIPLE | PICK_GROUPS, {"*Lovelace Ada(101)", "*Chess club", "*Research", "*Contact (555)"}, false},
      {PICK_MULTIPLE | PICK_MOBILE, {"*Lovelace Ada(101)", "*Contact (555)", "*Field team"}, false},
      {PICK_MULTIPLE | PICK_REMOVEPRESET, {" Lovelace Ada(101)", " Contact (555)"}, true},
  };
  for (const Case& c : cases) {
    std::vector<std::string> shown, after;
    bool removeEnabled = true;
    ASSERT_EQ(Run(c.flags, {[&](HWND d) {
                              shown = Rows(d, SELECTED);
                              dlg::Select(d, SELECTED, 0);
                              dlg::Idle(d);
                              removeEnabled = dlg::Enabled(d, REMOVE);
                              dlg::Click(d, REMOVE);
                              dlg::Click(d, REMOVEALL);
                              after = Rows(d, SELECTED);
                            },
                            Ok()}),
              S_OK);
    EXPECT_EQ(shown, c.shown) << c.flags;
    EXPECT_EQ(removeEnabled, c.removable) << c.flags;
    EXPECT_EQ(after.size(), c.removable ? 0u : shown.size()) << c.flags;
    VariantClear(&result);
  }
}

TEST_F(Picker, DeleteKeyRemovesFromTheSelectionAndNeverReachesTheSearch) {
  std::string search;
  int before = 0, after = 0;
  ASSERT_EQ(Run(PICK_MULTIPLE, {AddRow(kAda), AddRow(kAlan),
                                [&](HWND d) {
                                  HWND edit = GetDlgItem(d, SEARCH);
                                  SetWindowTextA(edit, "xyz");
                                  SetFocus(edit);
                                  SendMessageA(edit, EM_SETSEL, 0, 0);
                                  PostMessageA(edit, WM_KEYDOWN, VK_DELETE, 0);
                                },
                                [&](HWND d) {
                                  char text[16];
                                  GetDlgItemTextA(d, SEARCH, text, sizeof(text));
                                  search = text;
                                  before = dlg::Count(d, SELECTED);
                                  dlg::Select(d, SELECTED, 0);
                                  SetFocus(GetDlgItem(d, SELECTED));
                                  PostMessageA(GetDlgItem(d, SELECTED), WM_KEYDOWN, VK_DELETE, 0);
                                },
                                [&](HWND d) {
                                  after = dlg::Count(d, SELECTED);
                                  dlg::Click(d, IDOK);
                                }}),
            S_OK);
  EXPECT_EQ(search, "xyz");
  EXPECT_EQ(before, 2);
  EXPECT_EQ(after, 1);
  EXPECT_EQ(UsersOf(result), std::vector<std::wstring>{L"102.0.1"});
}

TEST_F(Picker, TheSearchEditSeesKeysButNotDelete) {
  using namespace testing_support;
  std::unique_ptr<SubclassedControl> edit;
  testing::AssertionResult matched = testing::AssertionFailure();
  ASSERT_EQ(Run(PICK_MULTIPLE, {[&](HWND d) {
                                  HWND search = GetDlgItem(d, SEARCH);
                                  SetFocus(search);
                                  edit.reset(new SubclassedControl(search));
                                  Recorder().UnwatchAll();
                                  Recorder().Watch(search);
                                  Recorder().Clear();
                                  // Dispatched by the picker's own modal loop on the next tick.
                                  PostMessageA(search, WM_KEYDOWN, VK_DELETE, 0);
                                  PostMessageA(search, WM_KEYDOWN, VK_END, 0);
                                },
                                [&](HWND d) {
                                  // The dialog's loop hands the messages over: they log as sent.
                                  static const ExpectedMsg kEditSees[] = {
                                      // the dialog manager asks the edit what keys it wants
                                      {WM_GETDLGCODE, kSent | kOptional, 0, 0},
                                      {WM_KEYDOWN, kSent | kWparam, VK_END, 0},
                                      {0, 0, 0, 0}};
                                  matched = Recorder().Matches(kEditSees);
                                  edit.reset();
                                  Recorder().UnwatchAll();
                                  dlg::Click(d, IDCANCEL);
                                }}),
            TESSVIK_E_CANCELLED);
  EXPECT_TRUE(matched);
}

TEST_F(Picker, BrowsingDownAndUpTheDirectory) {
  std::vector<std::string> sales, root;
  int comboAfterUp = -1;
  ASSERT_EQ(Run(PICK_MULTIPLE, {[](HWND d) {
                                  dlg::Select(d, USERS, dlg::Find(d, USERS, " Sales"));
                                  dlg::Notify(d, USERS, NM_DBLCLK);
                                },
                                [&](HWND d) {
                                  sales = Rows(d, USERS);
                                  dlg::Select(d, USERS, 0);  // up one level
                                  dlg::Notify(d, USERS, NM_DBLCLK);
                                },
                                [&](HWND d) {
                                  root = Rows(d, USERS);
                                  comboAfterUp = static_cast<int>(SendDlgItemMessageA(d, COMBO, CB_GETCURSEL, 0, 0));
                                  dlg::Click(d, IDCANCEL);
                                }}),
            TESSVIK_E_CANCELLED);
  ASSERT_EQ(sales.size(), 4u);  // up, Sales East, and Sales' users down the tree
  EXPECT_EQ(sales[0], ".. (up one level)");
  EXPECT_EQ(sales[1], " Sales East");
  std::sort(sales.begin() + 2, sales.end());
  EXPECT_EQ(sales[2], kAda);
  EXPECT_EQ(sales[3], kAlan);
  EXPECT_EQ(root.size(), 5u);
  EXPECT_EQ(comboAfterUp, 0);
}

TEST_F(Picker, GroupRowsSortByIdAndEqualIdsStayTogether) {
  host.entries.insert(host.entries.begin(), {HOSTDIR_DEPARTMENT, 7, 0, "Zeta", {}});
  host.entries.push_back({HOSTDIR_DEPARTMENT, 3, 0, "Research again", {}});
  host.entries.insert(host.entries.begin(), {HOSTDIR_DEPARTMENT, 5, 0, "Middle", {}});
  std::vector<std::string> rows;
  ASSERT_EQ(Run(0, {[&](HWND d) { rows = Rows(d, USERS); }, Cancel()}), TESSVIK_E_CANCELLED);
  ASSERT_GE(rows.size(), 5u);
  EXPECT_EQ(rows[0], " Sales");
  EXPECT_TRUE((rows[1] == " Research" && rows[2] == " Research again") ||
              (rows[2] == " Research" && rows[1] == " Research again"));
  EXPECT_EQ(rows[3], " Middle");
  EXPECT_EQ(rows[4], " Zeta");
}

TEST_F(Picker, LevelsBeyondTheDirectoryLimitsAreRefusedWhole) {
  struct Case {
    int children;
    int members;
    int rows;  // in the user list after opening the group
  } cases[] = {{128, 10240, 1 + 128 + 1}, {129, 0, 1}, {0, 10241, 1}};  // the way up stays
  for (const Case& c : cases) {
    host.Reset();
    std::vector<std::wstring> members(c.members, L"555.0.9");  // unknown users are not listed
    if (!members.empty()) members.back() = L"101.0.1";
    host.entries.push_back({HOSTDIR_GROUP, 50, 0, "Big", members});
    for (int i = 0; i < c.children; ++i)
      host.entries.push_back({HOSTDIR_GROUP, static_cast<DWORD>(1000 + i), 50, "child", {}});
    int rows = -1;
    ASSERT_EQ(Run(0, {[](HWND d) { SendMessageA(GetDlgItem(d, RADIO_GROUPS), BM_CLICK, 0, 0); },
                      [](HWND d) {
                        dlg::Select(d, USERS, dlg::Find(d, USERS, " Big"));
                        dlg::Notify(d, USERS, NM_DBLCLK);
                      },
                      [&](HWND d) {
                        rows = dlg::Count(d, USERS);
                        dlg::Click(d, IDCANCEL);
                      }}),
              TESSVIK_E_CANCELLED);
    EXPECT_EQ(rows, c.rows) << c.children << " children, " << c.members << " members";
  }
}

TEST_F(Picker, SearchAndTypeAheadSelectTheFirstMatch) {
  struct Case {
    const char* typed;
    const char* selected;
  } cases[] = {{"hop", kGrace}, {"102", kAlan}, {"Tu", kAlan}, {"nobody", ""}};
  for (const Case& c : cases) {
    std::string selected;
    LONG style = 0;
    ASSERT_EQ(Run(PICK_MULTIPLE, {[&](HWND d) { SetDlgItemTextA(d, SEARCH, c.typed); },
                                  [&](HWND d) {
                                    int row = static_cast<int>(
                                        SendDlgItemMessageA(d, USERS, LVM_GETNEXTITEM, -1, LVNI_SELECTED));
                                    selected = row >= 0 ? dlg::Text(d, USERS, row) : "";
                                    style = GetWindowLongA(GetDlgItem(d, USERS), GWL_STYLE);
                                    dlg::Click(d, IDCANCEL);
                                  }}),
              TESSVIK_E_CANCELLED);
    EXPECT_EQ(selected, c.selected) << c.typed;
    EXPECT_FALSE(style & LVS_SINGLESEL) << "multiple selection comes back after a search";
  }
  // A letter typed in the user list goes to the search text.
  std::string search, selected;
  ASSERT_EQ(Run(PICK_MULTIPLE, {[](HWND d) {
                                  NMLVKEYDOWN nm = {};
                                  nm.hdr.hwndFrom = GetDlgItem(d, USERS);
                                  nm.hdr.idFrom = USERS;
                                  nm.hdr.code = LVN_KEYDOWN;
                                  nm.wVKey = 'L';
                                  SendMessageA(d, WM_NOTIFY, USERS, reinterpret_cast<LPARAM>(&nm));
                                  nm.wVKey = VK_F2;  // not a letter or digit
                                  SendMessageA(d, WM_NOTIFY, USERS, reinterpret_cast<LPARAM>(&nm));
                                },
                                [&](HWND d) {
                                  char text[16];
                                  GetDlgItemTextA(d, SEARCH, text, sizeof(text));
                                  search = text;
                                  int row = static_cast<int>(
                                      SendDlgItemMessageA(d, USERS, LVM_GETNEXTITEM, -1, LVNI_SELECTED));
                                  selected = row >= 0 ? dlg::Text(d, USERS, row) : "";
                                  dlg::Click(d, IDCANCEL);
                                }}),
            TESSVIK_E_CANCELLED);
  EXPECT_EQ(search, "L");
  EXPECT_EQ(selected, kAda);
}

TEST_F(Picker, ContextMenusOfTheHost) {
  ASSERT_EQ(Run(PICK_MULTIPLE | PICK_GROUPS, {AddRow(kAda), AddRow(" Research"),
                                              [](HWND d) {
                                                dlg::Select(d, SELECTED, 0);
                                                dlg::SelectAlso(d, SELECTED, 1);
                                                dlg::Notify(d, SELECTED, NM_RCLICK);
                                                // The up-one-level row offers no menu.
                                                dlg::Select(d, USERS, dlg::Find(d, USERS, " Sales"));
                                                dlg::Notify(d, USERS, NM_DBLCLK);
                                                dlg::Select(d, USERS, 0);
                                                dlg::Notify(d, USERS, NM_RCLICK);
                                                // One user alone: no second section.
                                                dlg::Select(d, USERS, dlg::Find(d, USERS, kAlan));
                                                dlg::Notify(d, USERS, NM_RCLICK);
                                              },
                                              Ok()}),
            S_OK);
  std::vector<std::string> expected = {"section 1", "item 2048", "section 3", "show 101.0.1 5:3",
                                       "section 1", "show 102.0.1"};
  EXPECT_EQ(host.menuCalls, expected);
  EXPECT_EQ(UsersOf(result), std::vector<std::wstring>{L"101.0.1"});
  EXPECT_EQ(NumbersOf(result, BOID_GROUP), std::vector<DWORD>{3});  // a department row of this level
}

TEST_F(Picker, ReadOnlyAndRadioFlags) {
  Initial({{BOID_USER, L"101.0.1"}});
  struct Case {
    DWORD flags;
    bool other, mobile, canAdd;
  } cases[] = {{PICK_READONLY | PICK_MULTIPLE, false, false, false},
               {PICK_OTHERGROUPS | PICK_MULTIPLE, true, false, true},
               {PICK_MOBILE | PICK_MULTIPLE, false, true, true}};
  for (const Case& c : cases) {
    bool other = false, mobile = false, add = false, addAll = false, removeAll = true;
    ASSERT_EQ(Run(c.flags, {[&](HWND d) {
                              dlg::Select(d, USERS, dlg::Find(d, USERS, kAlan));
                              dlg::Idle(d);
                              other = dlg::Enabled(d, RADIO_OTHER);
                              mobile = dlg::Enabled(d, RADIO_MOBILE);
                              add = dlg::Enabled(d, ADD);
                              addAll = dlg::Enabled(d, ADDALL);
                              removeAll = dlg::Enabled(d, REMOVEALL);
                              dlg::Click(d, ADD);
                            },
                            Ok()}),
              S_OK);
    EXPECT_EQ(other, c.other) << c.flags;
    EXPECT_EQ(mobile, c.mobile) << c.flags;
    EXPECT_EQ(add, c.canAdd) << c.flags;
    EXPECT_EQ(addAll, c.canAdd) << c.flags;
    EXPECT_FALSE(removeAll) << c.flags;
    EXPECT_EQ(UsersOf(result).size(), c.canAdd ? 2u : 1u) << c.flags;
    VariantClear(&result);
  }
}

TEST_F(Picker, AddAllTakesWhatMayBeAddedAndDoubleClickAddsAUser) {
  std::vector<std::string> selected;
  int stillSelected = -1;
  UINT firstState = 0;
  ASSERT_EQ(Run(PICK_MULTIPLE, {[&](HWND d) {
                                  dlg::Click(d, ADDALL);  // groups need PICK_GROUPS: users only
                                  selected = Rows(d, SELECTED);
                                  stillSelected =
                                      static_cast<int>(SendDlgItemMessageA(d, USERS, LVM_GETSELECTEDCOUNT, 0, 0));
                                  firstState = static_cast<UINT>(
                                      SendDlgItemMessageA(d, USERS, LVM_GETITEMSTATE, 0, LVIS_SELECTED));
                                  dlg::Select(d, SELECTED, dlg::Find(d, SELECTED, kAlan));
                                  dlg::Click(d, REMOVE);
                                  dlg::Select(d, SELECTED, dlg::Find(d, SELECTED, kAda));
                                  dlg::Notify(d, SELECTED, NM_DBLCLK);  // removes it
                                  dlg::Select(d, USERS, dlg::Find(d, USERS, kAda));
                                  dlg::Notify(d, USERS, NM_DBLCLK);  // adds it back
                                },
                                Ok()}),
            S_OK);
  std::sort(selected.begin(), selected.end());
  EXPECT_EQ(selected, (std::vector<std::string>{kGrace, kAda, kAlan}));
  EXPECT_EQ(stillSelected, 1);  // only the first row stays selected
  EXPECT_EQ(firstState, static_cast<UINT>(LVIS_SELECTED));
  std::vector<std::wstring> users = UsersOf(result);
  std::sort(users.begin(), users.end());
  EXPECT_EQ(users, (std::vector<std::wstring>{L"101.0.1", L"103.0.1"}));
}

TEST_F(Picker, OverlongNamesAreCutAtTheirRecordsEnd) {
  host.entries.push_back({HOSTDIR_DEPARTMENT, 9, 0, std::string(300, 'n'), {}});
  host.users[0].family = std::string(200, 'f');
  std::vector<std::string> rows;
  ASSERT_EQ(Run(0, {[&](HWND d) { rows = Rows(d, USERS); }, Cancel()}), TESSVIK_E_CANCELLED);
  bool longEntry = false, longUser = false;
  for (const std::string& r : rows) {
    longEntry = longEntry || r == " " + std::string(159, 'n');
    longUser = longUser || r == " " + std::string(63, 'f') + " Ada(101)";
  }
  EXPECT_TRUE(longEntry);
  EXPECT_TRUE(longUser);
}

TEST_F(Picker, MobileGroupMembersListedOnce) {
  std::vector<std::string> rows;
  ASSERT_EQ(Run(PICK_MOBILE | PICK_MULTIPLE, {[](HWND d) { SendMessageA(GetDlgItem(d, RADIO_MOBILE), BM_CLICK, 0, 0); },
                                              [](HWND d) {
                                                dlg::Select(d, USERS, dlg::Find(d, USERS, " Field team"));
                                                dlg::Notify(d, USERS, NM_DBLCLK);
                                              },
                                              [&](HWND d) {
                                                rows = Rows(d, USERS);
                                                dlg::Click(d, IDCANCEL);
                                              }}),
            TESSVIK_E_CANCELLED);
  ASSERT_EQ(rows.size(), 3u);
  std::sort(rows.begin() + 1, rows.end());
  EXPECT_EQ(rows[1], " Hopper(0171)");
  EXPECT_EQ(rows[2], " Turing()");
}

}  // namespace
