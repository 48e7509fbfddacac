// The framework command centre: loading over the module chain, first definition wins, command
// classes, accelerators, custom commands, texts and rights.
#include <gtest/gtest.h>

#include <UICommandCenter.h>

#include <string>
#include <vector>

#include "command_test_modules.h"

// Command classes the tables name (created by name, so outside any namespace).
class CTestToolbarCommand : public CUICommand {
  DECLARE_DYNCREATE(CTestToolbarCommand)
};
IMPLEMENT_DYNCREATE(CTestToolbarCommand, CUICommand)

class CUICommandForZoomComboBox : public CUICommand {
  DECLARE_DYNCREATE(CUICommandForZoomComboBox)
};
IMPLEMENT_DYNCREATE(CUICommandForZoomComboBox, CUICommand)

class CTestNotACommand : public CObject {
  DECLARE_DYNCREATE(CTestNotACommand)
};
IMPLEMENT_DYNCREATE(CTestNotACommand, CObject)

namespace {

std::string Narrow(const CString& s) {
  std::string out;
  for (int i = 0; i < s.GetLength(); ++i) out += static_cast<char>(s[i]);
  return out;
}

std::string MenuText(CUICommand* c, int alternative = 0) {
  CString text;
  c->GetMenuStringW(text, alternative);
  return Narrow(text);
}

std::string Tooltip(CUICommand* c, int fromLabel = 0) {
  CString text;
  c->GetTooltipString(text, fromLabel);
  return Narrow(text);
}

// A centre loaded from the test program (the host) and the given extension modules.
struct LoadedCenter {
  CUICommandCenter center;
  explicit LoadedCenter(std::vector<HMODULE> extensions = {}, UINT accelerators = 0,
                        UISecurityCallback callback = NULL) {
    std::vector<ChainLink*> links;
    for (HMODULE m : extensions) links.push_back(new ChainLink(m));
    EXPECT_EQ(center.Init(callback, accelerators), 1);
    for (ChainLink* l : links) delete l;
  }
};

TEST(CommandCenter, HostDefinitionsWinOverLaterResourcesAndExtensionModules) {
  TestModule ext(L"cmdtab_ext.dll");
  ASSERT_TRUE(ext.get());
  LoadedCenter loaded({ext.get()});
  CUICommandCenter& c = loaded.center;

  CUICommand* refresh = c.GetCommand(100);
  ASSERT_NE(refresh, nullptr);
  EXPECT_EQ(refresh->m_dwNameLabel, 20100u);  // not the later resource's 20190, not the extension's 30100
  ASSERT_NE(c.GetCommand(103), nullptr);
  ASSERT_NE(c.GetCommand(200), nullptr);
  EXPECT_EQ(c.GetCommand(200)->m_dwNameLabel, 30200u);
  EXPECT_EQ(c.GetCommand(999), nullptr);

  // The record as it stands, the modifiers as accelerator flags.
  EXPECT_EQ(refresh->m_wSpare1, 7);
  EXPECT_EQ(refresh->m_wCheckStyle, 2);
  EXPECT_EQ(refresh->m_wSpare3, 9);
  EXPECT_EQ(refresh->m_dwSecurityID, 1001u);
  EXPECT_EQ(refresh->m_wHotKey, 0x74);
  EXPECT_EQ(refresh->m_wHotKeyFlags, FVIRTKEY | FCONTROL | FALT);
  EXPECT_EQ(refresh->m_wBitmapID, 300);
  EXPECT_EQ(refresh->m_wImageIndex, 3);
  EXPECT_EQ(refresh->m_dwHelpID, 4242u);
  EXPECT_EQ(refresh->m_hBitmap, (HBITMAP)NULL);
  EXPECT_EQ(c.GetCommand(101)->m_wHotKeyFlags, FVIRTKEY | FSHIFT);
  EXPECT_EQ(c.GetCommand(200)->m_wHotKeyFlags, FVIRTKEY | FCONTROL);

  // Later security records and categories replace earlier ones with the same id.
  ASSERT_NE(c.GetSecurityFamily(1), nullptr);
  EXPECT_EQ(c.GetSecurityFamily(1)->dwDescriptionLabel, 30001u);
  EXPECT_EQ(c.GetSecurityFamily(2)->dwDescriptionLabel, 20002u);
  EXPECT_EQ(c.GetSecurityFamily(3)->dwDescriptionLabel, 30003u);
  EXPECT_EQ(c.GetSecurityFamily(4), nullptr);
  ASSERT_NE(c.GetSecurityCommand(1001), nullptr);
  EXPECT_EQ(c.GetSecurityCommand(1001)->dwDescriptionLabel, 30011u);
  EXPECT_EQ(c.GetSecurityCommand(1002)->dwAdditionalDescriptionLabel, 20022u);
  CString category;
  EXPECT_EQ(c.GetCategory(1, category), 1);
  EXPECT_EQ(Narrow(category), "Files of the extension");
  EXPECT_EQ(c.GetCategory(2, category), 1);
  EXPECT_EQ(Narrow(category), "Edit");
  EXPECT_EQ(c.GetCategory(9, category), 0);
}

TEST(CommandCenter, FrameworkListItemsGetNoMenuTextFromTheTable) {
  LoadedCenter loaded;
  for (WORD id : {0xE110, 0xE118, 0xE210, 0xFF00, 0xFF08}) {
    SCOPED_TRACE(id);
    ASSERT_NE(loaded.center.GetCommand(id), nullptr);
    EXPECT_EQ(loaded.center.GetCommand(id)->m_dwMenuLabel, 0u);
  }
  EXPECT_EQ(loaded.center.GetCommand(0xE119)->m_dwMenuLabel, 20131u);
}

TEST(CommandCenter, CommandClassesByName) {
  LoadedCenter loaded;
  CUICommandCenter& c = loaded.center;
  ASSERT_NE(c.GetCommand(110), nullptr);
  EXPECT_TRUE(c.GetCommand(110)->IsKindOf(RUNTIME_CLASS(CTestToolbarCommand)));
  ASSERT_NE(c.GetCommand(111), nullptr);  // the portable name maps to the framework class
  EXPECT_TRUE(c.GetCommand(111)->IsKindOf(RUNTIME_CLASS(CUICommandForZoomComboBox)));
  EXPECT_EQ(c.GetCommand(112), nullptr);  // drill-depth combo boxes are skipped
  EXPECT_EQ(c.GetCommand(113), nullptr);
  EXPECT_EQ(c.GetCommand(114), nullptr);  // no class of that name
  EXPECT_EQ(c.GetCommand(115), nullptr);  // a class that is not a command
  ASSERT_NE(c.GetCommand(116), nullptr);
  EXPECT_EQ(c.GetCommand(116)->GetRuntimeClass(), RUNTIME_CLASS(CUICommand));
  EXPECT_EQ(c.GetCommand(110)->m_dwNameLabel, 20150u);
}

TEST(CommandCenter, DamagedTablesKeepTheirWholeRecords) {
  TestModule bad(L"cmdtab_bad.dll");
  ASSERT_TRUE(bad.get());
  LoadedCenter loaded({bad.get()});
  CUICommandCenter& c = loaded.center;
  for (WORD id : {300, 301, 310, 320, 330}) EXPECT_NE(c.GetCommand(id), nullptr) << id;
  EXPECT_EQ(c.GetCommand(311), nullptr);
  EXPECT_EQ(c.GetCommand(320)->m_dwNameLabel, 40330u);  // the first of the duplicates
  EXPECT_NE(c.GetSecurityFamily(7), nullptr);
  EXPECT_EQ(c.GetSecurityFamily(8), nullptr);
  EXPECT_EQ(c.GetSecurityCommand(1008)->dwDescriptionLabel, 40018u);
  EXPECT_EQ(c.GetSecurityCommand(1009), nullptr);
}

TEST(CommandCenter, AcceleratorTableOverridesHotKeys) {
  LoadedCenter loaded({}, 1);
  CUICommandCenter& c = loaded.center;
  EXPECT_EQ(c.GetCommand(101)->m_wHotKey, 'B');
  EXPECT_EQ(c.GetCommand(101)->m_wHotKeyFlags, FVIRTKEY | FCONTROL | FSHIFT);
  // Of two entries for one command the later counts.
  EXPECT_EQ(c.GetCommand(102)->m_wHotKey, VK_F4);
  EXPECT_EQ(c.GetCommand(102)->m_wHotKeyFlags, FVIRTKEY | FALT);
  EXPECT_EQ(c.GetCommand(100)->m_wHotKey, 0x74);  // untouched
  EXPECT_EQ(c.GetCommand(9999), nullptr);

  LoadedCenter missing({}, 4711);
  EXPECT_EQ(missing.center.GetCommand(101)->m_wHotKey, 0x41);
}

TEST(CommandCenter, AddRemoveAndLookup) {
  CUICommandCenter c;
  EXPECT_EQ(c.AddCommand(NULL), 0);
  CUICommand* a = new CUICommand;
  a->m_wID = 5;
  CUICommand* b = new CUICommand;
  b->m_wID = 5;
  EXPECT_EQ(c.AddCommand(a), 1);
  EXPECT_EQ(c.AddCommand(b), 0);
  EXPECT_EQ(c.GetCommand(5), a);
  delete b;
  EXPECT_EQ(c.RemoveCommand(5), a);
  EXPECT_EQ(c.RemoveCommand(5), nullptr);
  EXPECT_EQ(c.GetCommand(5), nullptr);
  delete a;
}

TEST(CommandCenter, MenuAndTooltipTexts) {
  LoadedCenter loaded;
  CUICommand* refresh = loaded.center.GetCommand(100);
  EXPECT_EQ(MenuText(refresh), "&Refresh\tAlt+Ctrl+F5");
  EXPECT_EQ(MenuText(refresh, 1), "Refresh &All\tAlt+Ctrl+F5");
  EXPECT_EQ(Tooltip(refresh), "Refresh the report (Alt+Ctrl+F5)");
  CString message;
  refresh->GetMessageString(message);
  EXPECT_EQ(Narrow(message), "Refreshes the data of the report");

  CString override(_T("Reload"));
  refresh->SetTooltipString(override);
  EXPECT_EQ(Tooltip(refresh), "Reload (Alt+Ctrl+F5)");
  EXPECT_EQ(Tooltip(refresh, 1), "Refresh the report (Alt+Ctrl+F5)");
  UISetShowHotKeyInTooltip(FALSE);
  EXPECT_EQ(Tooltip(refresh), "Reload");
  UISetShowHotKeyInTooltip(TRUE);

  // No alternative label: the menu text; no key: no hot-key text.
  EXPECT_EQ(MenuText(loaded.center.GetCommand(102), 1), "&Close");
  EXPECT_EQ(loaded.center.GetCommand(0xE110)->m_dwMenuLabel, 0u);
  EXPECT_EQ(MenuText(loaded.center.GetCommand(0xE110)), "");
}

TEST(CommandCenter, CustomCommands) {
  CUICommandCenter c;
  CString name(_T("My report")), menu(_T("My &report")), tip(_T("Open my report")), msg(_T("Opens it"));
  CUICustomCommand* first = c.CreateCustomCommand('K', FVIRTKEY | FCONTROL, name, menu, tip, msg, NULL);
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(first->m_wID, 15000);
  EXPECT_EQ(c.GetCommand(15000), first);
  EXPECT_EQ(first->IsCustomCommand(), 1);
  EXPECT_EQ(MenuText(first), "My &report\tCtrl+K");
  EXPECT_EQ(Tooltip(first), "Open my report (Ctrl+K)");
  CString text;
  first->GetCommandName(text);
  EXPECT_EQ(Narrow(text), "My report");
  first->GetMessageString(text);
  EXPECT_EQ(Narrow(text), "Opens it");

  CUICustomCommand* second = c.CreateCustomCommand(0, 0, name, menu, tip, msg, NULL);
  ASSERT_NE(second, nullptr);
  EXPECT_EQ(second->m_wID, 15001);
  EXPECT_EQ(MenuText(second), "My &report");

  // Counted: the last Release removes and deletes; the freed id is taken again.
  EXPECT_EQ(first->AddRef(), 2);
  EXPECT_EQ(first->Release(), 1);
  EXPECT_EQ(c.GetCommand(15000), first);
  EXPECT_EQ(first->Release(), 0);
  EXPECT_EQ(c.GetCommand(15000), nullptr);
  CUICustomCommand* again = c.CreateCustomCommand(0, 0, name, menu, tip, msg, NULL);
  ASSERT_NE(again, nullptr);
  EXPECT_EQ(again->m_wID, 15000);

  // All thousand ids taken: no more.
  for (int i = 2; i < 1000; ++i) ASSERT_NE(c.CreateCustomCommand(0, 0, name, menu, tip, msg, NULL), nullptr);
  EXPECT_EQ(c.CreateCustomCommand(0, 0, name, menu, tip, msg, NULL), nullptr);
  EXPECT_EQ(c.GetCommandCount(), 1000);
}

TEST(CommandCenter, LastReleaseOfARemovedCommandLeavesTheCommandThatTookItsId) {
  CUICommandCenter c;
  CString name(_T("Mine")), menu(_T("&Mine")), tip(_T("Mine")), msg(_T("Mine"));
  CUICustomCommand* removed = c.CreateCustomCommand(0, 0, name, menu, tip, msg, NULL);
  ASSERT_NE(removed, nullptr);
  EXPECT_EQ(removed->AddRef(), 2);
  ASSERT_EQ(c.RemoveCommand(15000), removed);
  CUICustomCommand* successor = c.CreateCustomCommand(0, 0, name, menu, tip, msg, NULL);
  ASSERT_NE(successor, nullptr);
  ASSERT_EQ(successor->m_wID, 15000);
  EXPECT_EQ(removed->Release(), 1);
  EXPECT_EQ(removed->Release(), 0);  // deleted; the centre does not hold it
  EXPECT_EQ(c.GetCommand(15000), successor);
  EXPECT_EQ(c.GetCommandCount(), 1);
  // The id stays taken: the next command gets the next one.
  CUICustomCommand* next = c.CreateCustomCommand(0, 0, name, menu, tip, msg, NULL);
  ASSERT_NE(next, nullptr);
  EXPECT_EQ(next->m_wID, 15001);
  EXPECT_EQ(successor->Release(), 0);
  EXPECT_EQ(c.GetCommand(15000), nullptr);
  EXPECT_EQ(c.GetCommand(15001), next);
}

TEST(CommandCenter, ChangeHBitmapCopiesAndAcceptsItsOwnHandle) {
  CUICommandCenter c;
  HDC screen = GetDC(NULL);
  HBITMAP source = CreateCompatibleBitmap(screen, 16, 15);
  ReleaseDC(NULL, screen);
  HDC dc = CreateCompatibleDC(NULL);
  HGDIOBJ old = SelectObject(dc, source);
  SetPixel(dc, 3, 4, RGB(255, 0, 0));
  SelectObject(dc, old);
  CString s;
  CUICustomCommand* cmd = c.CreateCustomCommand(0, 0, s, s, s, s, source);
  ASSERT_NE(cmd, nullptr);
  DeleteObject(source);  // the command has its own copy
  ASSERT_NE(cmd->m_hBitmap, (HBITMAP)NULL);

  auto pixel = [&](HBITMAP bm) {
    HGDIOBJ o = SelectObject(dc, bm);
    COLORREF p = GetPixel(dc, 3, 4);
    SelectObject(dc, o);
    return p;
  };
  EXPECT_EQ(pixel(cmd->m_hBitmap), RGB(255, 0, 0));
  cmd->ChangeHBitmap(cmd->m_hBitmap);
  ASSERT_NE(cmd->m_hBitmap, (HBITMAP)NULL);
  BITMAP bm;
  ASSERT_EQ(GetObject(cmd->m_hBitmap, sizeof bm, &bm), (int)sizeof bm);
  EXPECT_EQ(bm.bmWidth, 16);
  EXPECT_EQ(bm.bmHeight, 15);
  EXPECT_EQ(pixel(cmd->m_hBitmap), RGB(255, 0, 0));
  cmd->ChangeHBitmap(NULL);
  EXPECT_EQ(cmd->m_hBitmap, (HBITMAP)NULL);
  DeleteDC(dc);
}

// The rights callback: every answer 0 to 4 to each of the two questions.
std::vector<DWORD> s_asked;
DWORD s_answers[2];
DWORD AnsweringCallback(DWORD id) {
  s_asked.push_back(id);
  return s_answers[s_asked.size() > 1 ? 1 : 0];
}

TEST(CommandCenter, RightsAskTheCallbackTwiceOnlyWhenTheFirstAnswerIsOne) {
  CUICommandCenter none;
  EXPECT_EQ(none.GetSecurityCommandStatus(1001, 0, 100), 1u);
  LoadedCenter loaded({}, 0, AnsweringCallback);
  CUICommandCenter& c = loaded.center;
  for (DWORD first = 0; first <= 4; ++first) {
    for (DWORD second = 0; second <= 4; ++second) {
      SCOPED_TRACE(testing::Message() << first << "," << second);
      s_answers[0] = first | 0xABCD0000;  // only the low 16 bits count
      s_answers[1] = second | 0x12340000;
      s_asked.clear();
      DWORD status = c.GetSecurityCommandStatus(c.GetCommand(100));
      if (first == 1) {
        EXPECT_EQ(s_asked, (std::vector<DWORD>{1001, 100 | 0x40000000}));
        EXPECT_EQ(status, second);
      } else {
        EXPECT_EQ(s_asked, (std::vector<DWORD>{1001}));
        EXPECT_EQ(status, first);
      }
      // Command id 0: no second question.
      s_asked.clear();
      EXPECT_EQ(c.GetSecurityCommandStatus(1001, 0, 0), first);
      EXPECT_EQ(s_asked.size(), 1u);
    }
  }
  s_asked.clear();
  EXPECT_EQ(c.GetSecurityCommandStatus(NULL), 1u);
  EXPECT_TRUE(s_asked.empty());
}

TEST(CommandCenter, ImageListsOfUnknownCommandsAndMissingStrips) {
  LoadedCenter loaded;
  EXPECT_EQ(loaded.center.GetImageList(999), nullptr);
  EXPECT_EQ(loaded.center.GetImageList(100), nullptr);  // bitmap 300 is nowhere
  HDC dc = CreateCompatibleDC(NULL);
  loaded.center.DrawCmdIcon(100, CDC::FromHandle(dc), 0, 0, 0);  // draws nothing, does not fail
  DeleteDC(dc);
}

TEST(CommandCenter, SingletonIsOneObject) {
  EXPECT_EQ(&CUICommandCenter::GetCommandCenter(), &CUICommandCenter::GetCommandCenter());
}

}  // namespace
