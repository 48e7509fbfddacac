// The active-group and mobile-group pickers run by the client and ended from a timer: the
// groups by age, their members and the chosen group's GUID; mobile contacts added to a named
// or chosen group, duplicates reported, the host told, the group's id returned; refusals.
#include <gtest/gtest.h>

#include <Pellix.h>
#include <commctrl.h>
#include <string.h>

#include "picker_driver.h"

namespace {

enum { RECENT = 17020, SUMMARY = 17021, TREE = 17022, MEMBERS = 17027 };
enum { CAPTION = 1031, NAME = 17038, MOBILE_MEMBERS = 17039, MOBILE_GROUPS = 17040 };

std::vector<std::string> TreeItems(HWND d) {
  std::vector<std::string> out;
  HWND tree = GetDlgItem(d, TREE);
  for (HTREEITEM i = TreeView_GetRoot(tree); i != NULL; i = TreeView_GetNextSibling(tree, i)) {
    char buf[128] = {};
    TVITEMA item = {};
    item.mask = TVIF_TEXT;
    item.hItem = i;
    item.pszText = buf;
    item.cchTextMax = sizeof(buf);
    SendMessageA(tree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item));
    out.push_back(buf);
  }
  return out;
}

void SelectTreeItem(HWND d, const std::string& text) {
  HWND tree = GetDlgItem(d, TREE);
  int n = 0;
  for (HTREEITEM i = TreeView_GetRoot(tree); i != NULL; i = TreeView_GetNextSibling(tree, i), ++n)
    if (TreeItems(d)[n] == text) TreeView_SelectItem(tree, i);
}

std::vector<std::string> Rows(HWND d, int list) {
  std::vector<std::string> rows;
  for (int i = 0; i < dlg::Count(d, list); ++i) rows.push_back(dlg::Text(d, list, i));
  return rows;
}

std::string ItemText(HWND d, int id) {
  char buf[256] = {};
  GetDlgItemTextA(d, id, buf, sizeof(buf));
  return buf;
}

std::wstring Bstr(const VARIANT& v) { return V_VT(&v) == VT_BSTR ? std::wstring(V_BSTR(&v)) : L"<not text>"; }

class GroupPickers : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(client.Create(host), S_OK);
    VariantInit(&initial);
    VariantInit(&result);
  }
  void TearDown() override { VariantClear(&result); }
  HRESULT RunActive(std::vector<PickerStep> steps) {
    return RunPicker(client.picker, 4, 0, initial, &result, std::move(steps));
  }
  FakeHost host;
  PickerClient client;
  VARIANT initial, result;
};

TEST_F(GroupPickers, ActiveGroupsListTheirMembersAndTheChosenGroupComesBackAsItsGuid) {
  std::vector<std::string> groups, members;
  std::string summary;
  EXPECT_EQ(RunActive({[&](HWND d) {
                         groups = TreeItems(d);
                         SelectTreeItem(d, "Launch team");
                         members = Rows(d, MEMBERS);
                         summary = ItemText(d, SUMMARY);
                         dlg::Click(d, IDOK);
                       }}),
            S_OK);
  EXPECT_EQ(groups, (std::vector<std::string>{"Launch team", "Old project"}));  // not the expired one
  EXPECT_EQ(members, (std::vector<std::string>{"Lovelace (101)", "Hopper (103)"}));
  EXPECT_EQ(summary, "Launch team (2 members)");
  EXPECT_EQ(Bstr(result), L"{11111111-2222-3333-4444-555555555555}");
  EXPECT_EQ(host.pluginRefs, 0);  // the plug-in data was held while reading, then let go
}

TEST_F(GroupPickers, RecentGroupsOnlyByTheOptionsAgeAndOkWithoutAChoice) {
  std::vector<std::string> recent, all, afterSwitch;
  EXPECT_EQ(RunActive({[&](HWND d) {
                         SelectTreeItem(d, "Old project");
                         CheckDlgButton(d, RECENT, BST_CHECKED);
                         dlg::Click(d, RECENT);
                         recent = TreeItems(d);
                         afterSwitch = Rows(d, MEMBERS);  // emptied with the tree
                         CheckDlgButton(d, RECENT, BST_UNCHECKED);
                         dlg::Click(d, RECENT);
                         all = TreeItems(d);
                         dlg::Click(d, IDOK);
                       }}),
            S_OK);
  EXPECT_EQ(recent, (std::vector<std::string>{"Launch team"}));  // 2 hours old, the limit 72
  EXPECT_TRUE(afterSwitch.empty());
  EXPECT_EQ(all, (std::vector<std::string>{"Launch team", "Old project"}));
  // The group chosen before the switch stays chosen.
  EXPECT_EQ(Bstr(result), L"{AAAAAAAA-BBBB-CCCC-DDDD-EEEEEEEEEEEE}");

  // OK with nothing chosen: S_OK and nothing; cancelled: 1223.
  VariantClear(&result);
  EXPECT_EQ(RunActive({[](HWND d) { dlg::Click(d, IDOK); }}), S_OK);
  EXPECT_EQ(V_VT(&result), VT_EMPTY);
  EXPECT_EQ(RunActive({[](HWND d) { dlg::Click(d, IDCANCEL); }}), TESSVIK_E_CANCELLED);
  EXPECT_EQ(V_VT(&result), VT_EMPTY);
}

TEST_F(GroupPickers, AGroupThatClaimsMoreMembersThanItsRecordHoldsListsWhatItHolds) {
  host.groups[0].claimedCount = 5000;
  std::vector<std::string> members;
  std::string summary;
  EXPECT_EQ(RunActive({[&](HWND d) {
                         SelectTreeItem(d, "Launch team");
                         members = Rows(d, MEMBERS);
                         summary = ItemText(d, SUMMARY);
                         dlg::Click(d, IDCANCEL);
                       }}),
            TESSVIK_E_CANCELLED);
  EXPECT_EQ(members.size(), 2u);
  EXPECT_EQ(summary, "Launch team (5000 members)");
}

TEST_F(GroupPickers, ACancelledPickerLeavesTheCallersResultAlone) {
  for (int kind : {static_cast<int>(HOSTDIR_DEPARTMENT), 4}) {
    VariantClear(&result);
    V_VT(&result) = VT_BSTR;
    BSTR callers = SysAllocString(L"the caller's");
    V_BSTR(&result) = callers;
    EXPECT_EQ(RunPicker(client.picker, kind, 0, initial, &result, {[](HWND d) { dlg::Click(d, IDCANCEL); }}),
              TESSVIK_E_CANCELLED)
        << kind;
    EXPECT_EQ(V_VT(&result), VT_BSTR) << kind;
    EXPECT_EQ(V_BSTR(&result), callers) << kind;  // still the caller's, to free
  }
}

MobileGroupRecord Contact(const char* mobile, const char* name) {
  MobileGroupRecord r;
  memset(&r, 0, sizeof(r));
  r.cbSize = sizeof(r);
  lstrcpynA(r.mobile, mobile, sizeof(r.mobile));
  lstrcpynA(r.name, name, sizeof(r.name));
  return r;
}

TEST_F(GroupPickers, MobileContactsGoIntoANewGroupOfTheTypedName) {
  MobileGroupRecord records[] = {Contact("0188", "Babbage"), Contact("0199", "Somerville")};
  std::string caption;
  std::vector<std::string> groups;
  HRESULT hr = RunDialog([&] { return client.picker->SelectMobileGroups(records, 2, &result); },
                         {[&](HWND d) {
                           caption = ItemText(d, CAPTION);
                           groups = Rows(d, MOBILE_GROUPS);
                           SetDlgItemTextA(d, NAME, "  Couriers ");
                           dlg::Click(d, IDOK);
                         }});
  EXPECT_EQ(hr, S_OK);
  EXPECT_EQ(caption, "Babbage(0188) ...");
  EXPECT_EQ(groups, (std::vector<std::string>{"Field team"}));
  EXPECT_EQ(host.calls, (std::vector<std::string>{"new 3 101", "entry 101 Couriers", "store 0188.0.3 Babbage",
                                                  "add 101 0188.0.3", "store 0199.0.3 Somerville",
                                                  "add 101 0199.0.3", "refresh 3 0 1"}));
  EXPECT_EQ(NumbersOf(result, BOID_GROUP), (std::vector<DWORD>{101}));
}

TEST_F(GroupPickers, AChosenGroupIsReusedAndAContactAlreadyInItIsReported) {
  host.entries.push_back({HOSTDIR_MOBILEGROUP, 21, 0, "Drivers", {L"0170.0.3"}});
  MobileGroupRecord one = Contact("0170", "Lovelace");
  std::string keyed, name, message;
  std::vector<std::string> groups, members;
  HRESULT hr = RunDialog([&] { return client.picker->SelectMobileGroup(&one, &result); },
                         {[&](HWND d) {
                            groups = Rows(d, MOBILE_GROUPS);
                            dlg::Select(d, MOBILE_GROUPS, dlg::Find(d, MOBILE_GROUPS, "Field team"));
                            dlg::Notify(d, MOBILE_GROUPS, LVN_KEYDOWN);  // by key as by click
                            keyed = ItemText(d, NAME);
                            dlg::Select(d, MOBILE_GROUPS, dlg::Find(d, MOBILE_GROUPS, "Drivers"));
                            dlg::Notify(d, MOBILE_GROUPS, NM_CLICK);
                            name = ItemText(d, NAME);
                            members = Rows(d, MOBILE_MEMBERS);
                            SetDlgItemTextA(d, NAME, " Drivers");
                            dlg::Click(d, IDOK);  // returns once the message box is closed
                          },
                          [&](HWND box) {
                            message = ItemText(box, 0xFFFF);
                            SendMessageA(box, WM_COMMAND, IDOK, 0);
                          }});
  EXPECT_EQ(hr, S_OK);
  EXPECT_EQ(groups, (std::vector<std::string>{"Drivers", "Field team"}));  // the newest on top
  EXPECT_EQ(keyed, "Field team");
  EXPECT_EQ(name, "Drivers");
  EXPECT_EQ(members, (std::vector<std::string>{"Lovelace(0170)"}));
  EXPECT_EQ(message, "Drivers already holds 0170.");
  EXPECT_EQ(host.calls, (std::vector<std::string>{"refresh 3 0 1"}));  // nothing added twice
  EXPECT_EQ(NumbersOf(result, BOID_GROUP), (std::vector<DWORD>{21}));
}

TEST_F(GroupPickers, ABlankNameKeepsTheMobilePickerOpenAndCancelFails) {
  MobileGroupRecord one = Contact("0170", "Lovelace");
  bool stillOpen = false;
  HRESULT hr = RunDialog([&] { return client.picker->SelectMobileGroup(&one, NULL); },
                         {[](HWND d) {
                            SetDlgItemTextA(d, NAME, "   ");
                            dlg::Click(d, IDOK);
                          },
                          [&](HWND d) {
                            stillOpen = GetDlgItem(d, NAME) != NULL;
                            EXPECT_EQ(GetFocus(), GetDlgItem(d, NAME));
                            dlg::Click(d, IDCANCEL);
                          }});
  EXPECT_EQ(hr, E_FAIL);
  EXPECT_TRUE(stillOpen);
  EXPECT_TRUE(host.calls.empty());
}

TEST_F(GroupPickers, MobileRecordsThatAreMissingOrNotWritableAreRefused) {
  MobileGroupRecord one = Contact("0170", "Lovelace");
  void* page = VirtualAlloc(NULL, 4096, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
  ASSERT_NE(page, nullptr);
  memcpy(page, &one, sizeof(one));
  DWORD old;
  VirtualProtect(page, 4096, PAGE_READONLY, &old);
  bool shown = false;
  auto refused = [&](std::function<HRESULT()> call) {
    return RunDialog(call, {[&](HWND d) {
                       shown = true;
                       dlg::Click(d, IDCANCEL);
                     }});
  };
  EXPECT_EQ(refused([&] { return client.picker->SelectMobileGroup(NULL, &result); }), E_INVALIDARG);
  EXPECT_EQ(refused([&] { return client.picker->SelectMobileGroups(&one, 0, &result); }), E_INVALIDARG);
  EXPECT_EQ(refused([&] { return client.picker->SelectMobileGroups(&one, -3, &result); }), E_INVALIDARG);
  EXPECT_EQ(refused([&] {
              return client.picker->SelectMobileGroup(static_cast<MobileGroupRecord*>(page), &result);
            }),
            E_INVALIDARG);
  EXPECT_FALSE(shown);
  VirtualFree(page, 0, MEM_RELEASE);
}

TEST_F(GroupPickers, ListsBeyondTheDirectoryLimitsAreRefusedWhole) {
  // The room the pickers give the directory: 10240 active groups, 128 mobile groups, 1024
  // members of a mobile group. A longer list shows nothing rather than a part, however the
  // directory tells it.
  using Overflow = FakeHost::Overflow;
  enum List { ACTIVE_GROUPS, MOBILE_GROUPS_LIST, MOBILE_GROUP_MEMBERS };
  struct Case {
    List list;
    int length;
    Overflow overflow;
    size_t rows;
  } cases[] = {
      {ACTIVE_GROUPS, 10240, Overflow::MoreData, 2},      {ACTIVE_GROUPS, 10241, Overflow::MoreData, 0},
      {ACTIVE_GROUPS, 10241, Overflow::CountAll, 0},      {MOBILE_GROUPS_LIST, 128, Overflow::MoreData, 128},
      {MOBILE_GROUPS_LIST, 129, Overflow::MoreData, 0},   {MOBILE_GROUPS_LIST, 129, Overflow::Cut, 0},
      {MOBILE_GROUPS_LIST, 129, Overflow::CountAll, 0},   {MOBILE_GROUP_MEMBERS, 1024, Overflow::MoreData, 1024},
      {MOBILE_GROUP_MEMBERS, 1025, Overflow::MoreData, 0}, {MOBILE_GROUP_MEMBERS, 1025, Overflow::CountAll, 0},
  };
  for (const Case& c : cases) {
    host.Reset();
    host.overflow = c.overflow;
    std::vector<std::string> rows;
    if (c.list == ACTIVE_GROUPS) {
      host.entries.back().members.resize(c.length, L"unknown group");  // the root's ids after g1-g3
      EXPECT_EQ(RunActive({[&](HWND d) {
                  rows = TreeItems(d);
                  dlg::Click(d, IDCANCEL);
                }}),
                TESSVIK_E_CANCELLED);
    } else {
      if (c.list == MOBILE_GROUPS_LIST) {
        for (int i = 1; i < c.length; ++i)  // Field team is the first
          host.entries.push_back({HOSTDIR_MOBILEGROUP, static_cast<DWORD>(100 + i), 0, "Crew", {}});
      } else {
        host.entries[4].members.assign(c.length, L"0170.0.3");  // Field team
      }
      MobileGroupRecord one = Contact("0188", "Babbage");
      EXPECT_EQ(RunDialog([&] { return client.picker->SelectMobileGroup(&one, NULL); },
                          {[&](HWND d) {
                            if (c.list == MOBILE_GROUPS_LIST) {
                              rows = Rows(d, MOBILE_GROUPS);
                            } else {
                              dlg::Select(d, MOBILE_GROUPS, dlg::Find(d, MOBILE_GROUPS, "Field team"));
                              dlg::Notify(d, MOBILE_GROUPS, NM_CLICK);
                              rows = Rows(d, MOBILE_MEMBERS);
                            }
                            dlg::Click(d, IDCANCEL);
                          }}),
                E_FAIL);
    }
    EXPECT_EQ(rows.size(), c.rows) << c.list << " " << c.length << " " << static_cast<int>(c.overflow);
  }
}

}  // namespace
