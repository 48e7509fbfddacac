// Shared pieces of the dynamic-menu tests.
#include "dynmenus_test.h"

namespace dynmenus_test {

std::map<unsigned long, unsigned long> Rights::status;
std::map<unsigned long, int> Rights::asked;

unsigned long Rights::Callback(unsigned long id, bool) {
  ++asked[id];
  auto it = status.find(id);
  return it == status.end() ? 1 : it->second;
}

bool Target::OnUpdateCommandStatus(QvCommandStatus& status) {
  status.Enable(true);
  auto it = redirects.find(status.GetID());
  if (it != redirects.end()) status.SetEffectiveCmdID(it->second);
  return true;
}

bool Target::OnCommand(QvCommand& command) {
  executed.push_back(command.GetID());
  return true;
}

CountingDef::CountingDef(const QvCommandDef& original) {
  CopyNumbersFrom(original);
  original.GetMenuText(m_menuText);
}

bool CountingDef::GetMenuText(QvString& text) const {
  ++menuTexts;
  return QvUsrCommandDef::GetMenuText(text);
}

BEGIN_MESSAGE_MAP(MenuFrame, CFrameWnd)
  ON_WM_INITMENUPOPUP()
END_MESSAGE_MAP()

MenuFrame::MenuFrame() { Create(NULL, _T("menus"), WS_OVERLAPPEDWINDOW, CRect(0, 0, 400, 300)); }


BOOL MenuFrame::OnCmdMsg(UINT id, int code, void* extra, AFX_CMDHANDLERINFO* info) {
  if (GUIOnCmdMsg(id, code, extra, info)) return TRUE;
  return CFrameWnd::OnCmdMsg(id, code, extra, info);
}

BOOL MenuFrame::OnCommand(WPARAM wParam, LPARAM) {
  commands.push_back(wParam);
  return TRUE;
}

void MenuFrame::OnInitMenuPopup(CMenu* popup, UINT index, BOOL systemMenu) {
  if (!systemMenu) UpdateDynamicMenuForSecurity(popup);
  CFrameWnd::OnInitMenuPopup(popup, index, systemMenu);
}

std::vector<Item> Items(HMENU menu) {
  std::vector<Item> items;
  const int count = GetMenuItemCount(menu);
  for (int i = 0; i < count; ++i) {
    wchar_t text[256] = {};
    MENUITEMINFOW info = {};
    info.cbSize = sizeof info;
    info.fMask = MIIM_FTYPE | MIIM_ID | MIIM_STATE | MIIM_SUBMENU | MIIM_STRING;
    info.dwTypeData = text;
    info.cch = 255;
    GetMenuItemInfoW(menu, static_cast<UINT>(i), TRUE, &info);
    std::string narrow;
    for (const wchar_t* p = text; *p; ++p) narrow += static_cast<char>(*p);
    if (info.fType & MFT_SEPARATOR) narrow = "-";
    items.push_back(Item{info.hSubMenu ? static_cast<UINT>(-1) : (info.fType & MFT_SEPARATOR ? 0u : info.wID), narrow,
                         info.hSubMenu, info.fState});
  }
  return items;
}

std::vector<UINT> Ids(HMENU menu) {
  std::vector<UINT> ids;
  for (const Item& item : Items(menu)) ids.push_back(item.id);
  return ids;
}

std::vector<std::string> Texts(HMENU menu) {
  std::vector<std::string> texts;
  for (const Item& item : Items(menu)) texts.push_back(item.text);
  return texts;
}

HMENU PopupNamed(HMENU menu, const std::string& text) {
  for (const Item& item : Items(menu))
    if (item.sub && item.text == text) return item.sub;
  return NULL;
}

void DynamicMenuTest::SetUp() {
  Rights::status.clear();
  Rights::asked.clear();
  ASSERT_TRUE(GUIInitialisations(&Rights::Callback).Succeeded());
  ASSERT_TRUE(InitDynamicMenu().Succeeded());
  QvCommandHandler::SetActiveTarget(&target);
  ASSERT_TRUE(bar.LoadMenu(IDR_BAR));
}

void DynamicMenuTest::TearDown() {
  if (frame) {
    ::SetMenu(frame->m_hWnd, NULL);  // the bar stays the test's
    frame->DestroyWindow();           // the frame deletes itself
  }
  ReleaseDynamicMenu();
  QvCommandHandler::SetActiveTarget(nullptr);
  GUIRelease();
}

void DynamicMenuTest::RegisterOnFrame() {
  frame = new MenuFrame;
  ASSERT_TRUE(frame->GetSafeHwnd());
  ASSERT_TRUE(::SetMenu(frame->m_hWnd, bar.m_hMenu));
  ASSERT_TRUE(RegisterMenuBar(&bar, IDR_EXTRA).Succeeded());
}

HMENU DynamicMenuTest::Open(const std::string& text) {
  const std::vector<Item> items = Items(bar.m_hMenu);
  for (size_t i = 0; i < items.size(); ++i) {
    if (!items[i].sub || items[i].text != text) continue;
    frame->SendMessage(WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(items[i].sub), MAKELPARAM(i, FALSE));
    return items[i].sub;
  }
  ADD_FAILURE() << "no popup " << text;
  return NULL;
}

CountingDef* DynamicMenuTest::Count(unsigned short command) {
  QvCommandDef* original = GUIGetCommandDefFromID(command);
  if (!original) return nullptr;
  CountingDef* def = new CountingDef(*original);
  Get_TheCommandCenter()->ReplaceCommandDef(def);
  return def;
}

}  // namespace dynmenus_test
