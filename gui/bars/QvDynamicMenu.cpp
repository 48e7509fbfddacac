// Dynamic menus: registration of menu bars, their layouts, the rebuild from the rights and
// the filling of popups when they open.
#include "QvDynamicMenu.h"

#include <map>
#include <memory>
#include <string>
#include <vector>

#include <fw_mdi.h>

#include "GUIPlatformUtilities.h"
#include "QvCommandCenter.h"
#include "QvCommandHandler.h"
#include "QvEffectiveCommands.h"
#include "QvHotKeyText.h"
#include "QvStandardShortCuts.h"
#include "UITrace.h"

QV_IMPLEMENT_CLASS(QvMenuDynamicData, nullptr)

namespace {

UlmLogger s_log("QvDynamicMenu");

CGUIMapHMENUtoInfo* s_handles = nullptr;
QvArrayLPQvFirst* s_dynamicData = nullptr;

const unsigned long kHidden = 3;
const WORD kEscapeCommand = 41216;
const unsigned int kWindowListPopup = 257;
// The scan-time flags an item keeps when it is written again.
const UINT kKeptFlags = MF_GRAYED | MF_DISABLED | MF_CHECKED | MF_MENUBARBREAK | MF_MENUBREAK | MF_HELP;

bool IsCommand(unsigned int id) { return id != 0 && id != QvPopupItemId && id != QvExtraMenuId; }

QvCommandDef* DefinitionOf(unsigned int id) {
  return id != 0 && id <= 0xFFFF ? GUIGetCommandDefFromID(static_cast<unsigned short>(id)) : nullptr;
}

bool IsKey(unsigned int key) { return key != 0 && key <= 0xFF; }

// The menu text of a command or popup id, with the hot key's menu form when asked; false for
// an id without a definition (such items are left out).
bool MenuText(unsigned int id, bool withHotKey, std::wstring& text) {
  QvCommandDef* def = DefinitionOf(id);
  if (!def) return false;
  QvString s;
  def->GetMenuText(s);
  QvString key;
  if (withHotKey && IsKey(def->m_defaultKey) && GetHotKeyText(key, def->m_defaultKey, def->m_defaultModifiers, false))
    s += key;
  text = s.ToWide();
  return true;
}

// A popup's caption is its id: decimal digits only (blanks around them allowed), not 0.
bool ParsePopupId(HMENU menu, int position, unsigned int& id) {
  wchar_t caption[256] = {};
  if (GetMenuStringW(menu, static_cast<UINT>(position), caption, 256, MF_BYPOSITION) <= 0) return false;
  const wchar_t* p = caption;
  while (*p == L' ' || *p == L'\t') ++p;
  unsigned long long value = 0;
  int digits = 0;
  for (; *p >= L'0' && *p <= L'9'; ++p, ++digits) {
    value = value * 10 + static_cast<unsigned>(*p - L'0');
    if (value >= QvExtraMenuId) return false;
  }
  while (*p == L' ' || *p == L'\t') ++p;
  if (*p != 0 || digits == 0 || value == 0) return false;
  id = static_cast<unsigned int>(value);
  return true;
}

bool Lookup(HMENU menu, SHMENUInfo& info) { return menu && s_handles && s_handles->Lookup(menu, info); }

void Register(HMENU menu, unsigned int popupId, QvMenuDynamicData* data) {
  SHMENUInfo info = {popupId, data, 0, 0};
  s_handles->SetAt(menu, info);
}

void Stamp(HMENU menu, unsigned long generation) {
  SHMENUInfo info;
  if (!Lookup(menu, info)) return;
  info.generation = generation;
  s_handles->SetAt(menu, info);
}

// The menu and every popup below it leave the handle map.
void ForgetTree(HMENU menu) {
  const int count = GetMenuItemCount(menu);
  for (int i = 0; i < count; ++i)
    if (HMENU sub = GetSubMenu(menu, i)) ForgetTree(sub);
  if (s_handles) s_handles->RemoveKey(menu);
}

// Deletes every item; popups below leave the handle map and are destroyed.
void EmptyMenu(HMENU menu) {
  for (int count = GetMenuItemCount(menu); count > 0; --count) {
    if (HMENU sub = GetSubMenu(menu, 0)) ForgetTree(sub);
    if (!DeleteMenu(menu, 0, MF_BYPOSITION)) {
      UI_TRACE_FAILED(s_log, "DeleteMenu");
      return;
    }
  }
}

bool IsSeparatorAt(HMENU menu, int position) {
  MENUITEMINFOW info = {};
  info.cbSize = sizeof info;
  info.fMask = MIIM_FTYPE;
  return GetMenuItemInfoW(menu, static_cast<UINT>(position), TRUE, &info) && (info.fType & MFT_SEPARATOR);
}

// A separator that comes first or right after another one is deleted; a trailing one stays.
void RemoveRedundantSeparators(HMENU menu) {
  bool previousWasSeparator = true;
  for (int position = 0; position < GetMenuItemCount(menu);) {
    if (IsSeparatorAt(menu, position)) {
      if (previousWasSeparator && DeleteMenu(menu, static_cast<UINT>(position), MF_BYPOSITION)) continue;
      previousWasSeparator = true;
    } else {
      previousWasSeparator = false;
    }
    ++position;
  }
}

// Scans a menu into layouts. Popups whose caption is not an id, whose id already has a
// layout, or whose handle is already known are left out: they stay as they are.
void ScanMenuLayout(QvMenuDynamicData* data, HMENU menu, unsigned int popupId) {
  Register(menu, popupId, data);
  CGUIMenuLayout* layout = new CGUIMenuLayout(popupId, data);
  data->m_layouts.SetAt(popupId, layout);  // stored first: a popup below with the same id is a duplicate
  const int count = GetMenuItemCount(menu);
  for (int position = 0; position < count; ++position) {
    SMenuItemInfo item = {GetMenuItemID(menu, position), 0, GetMenuState(menu, static_cast<UINT>(position), MF_BYPOSITION), 0};
    if (item.id == QvPopupItemId) {
      HMENU sub = GetSubMenu(menu, position);
      unsigned int subId = 0;
      SHMENUInfo known;
      if (!sub || !ParsePopupId(menu, position, subId) || data->GetLayout(subId) || Lookup(sub, known)) {
        UI_TRACE_REFUSED(s_log, "a popup without an id of its own is left as it is");
        continue;
      }
      item.popupId = subId;
      item.flags &= 0xFF;
      ScanMenuLayout(data, sub, subId);
    } else if (item.id != 0) {
      QvCommandDef* def = DefinitionOf(item.id);
      if (def && IsStandardShortCut(def->m_defaultKey, def->m_defaultModifiers)) data->m_shortCutDefs.Add(def);
    }
    layout->Add(item);
  }
}

void AddAccelerator(std::vector<ACCEL>& table, QvFirst* object) {
  QvCommandDef* def = static_cast<QvCommandDef*>(object);
  if (!def || !IsKey(def->m_defaultKey)) return;
  const unsigned mods = def->m_defaultModifiers;
  ACCEL entry;
  entry.fVirt = static_cast<BYTE>(FVIRTKEY | ((mods & QVMOD_ALT) ? FALT : 0) | ((mods & QVMOD_CTRL) ? FCONTROL : 0) |
                                  ((mods & QVMOD_SHIFT) ? FSHIFT : 0));
  entry.key = def->m_defaultKey;
  entry.cmd = def->m_id;
  table.push_back(entry);
}

void BuildAccelerators(QvMenuDynamicData* data) {
  std::vector<ACCEL> table;
  ACCEL escape;
  escape.fVirt = FVIRTKEY;
  escape.key = VK_ESCAPE;
  escape.cmd = kEscapeCommand;
  table.push_back(escape);
  for (long i = 0; i < data->m_shortCutDefs.GetSize(); ++i) AddAccelerator(table, data->m_shortCutDefs.GetAt(i));
  if (QvListLPQvFirst* list = Get_GlobalListStandardShortCutCommandDef()) {
    for (QvPosition pos = list->GetHeadPosition(); pos;) AddAccelerator(table, list->GetNext(pos));
  }
  data->m_shortCutDefs.RemoveAll();
  if (GUIGetWindowsVersion() == QvWin32s) {
    table.push_back(ACCEL{0, 0, 0});
    data->m_accelArray = new ACCEL[table.size()];
    std::copy(table.begin(), table.end(), data->m_accelArray);
    return;
  }
  data->m_hAccel = CreateAcceleratorTableW(table.data(), static_cast<int>(table.size()));
  if (!data->m_hAccel) UI_TRACE_FAILED(s_log, "CreateAcceleratorTableW");
}

// The rights of every popup and command of the bar's layouts, each id asked once.
void ComputeStatuses(QvMenuDynamicData* data) {
  std::map<unsigned int, unsigned long> asked;
  auto rightsOf = [&asked](unsigned int id) {
    auto it = asked.find(id);
    if (it != asked.end()) return it->second;
    QvCommandDef* def = DefinitionOf(id);
    unsigned long status = def ? GUIGetCmdStatus(def->m_securityID, false, id) : kHidden;
    asked[id] = status;
    return status;
  };
  POSITION pos = data->m_layouts.GetStartPosition();
  while (pos) {
    UINT id;
    CGUIMenuLayout* layout;
    data->m_layouts.GetNextAssoc(pos, id, layout);
    if (id != 0 && id != QvMenuBarId && id != QvExtraMenuId) layout->m_status = rightsOf(id);
    for (INT_PTR i = 0; i < layout->GetSize(); ++i) {
      SMenuItemInfo& item = layout->ElementAt(i);
      if (IsCommand(item.id)) item.status = rightsOf(item.id);
    }
  }
}

unsigned long LayoutState(QvMenuDynamicData* data, unsigned int popupId);

unsigned long ItemState(QvMenuDynamicData* data, const SMenuItemInfo& item) {
  return item.id == QvPopupItemId ? LayoutState(data, item.popupId) : item.status;
}

unsigned long LayoutState(QvMenuDynamicData* data, unsigned int popupId) {
  CGUIMenuLayout* layout = data->GetLayout(popupId);
  if (!layout || layout->m_status == kHidden) return kHidden;
  for (INT_PTR i = 0; i < layout->GetSize(); ++i) {
    const SMenuItemInfo& item = layout->ElementAt(i);
    if (item.id != 0 && ItemState(data, item) != kHidden) return layout->m_status;
  }
  return kHidden;
}

// Inserts one layout item at `position` (-1 appends); false when nothing was inserted. A new
// popup is empty: it is filled when it opens.
bool AddLayoutItem(QvMenuDynamicData* data, HMENU menu, const SMenuItemInfo& item, int position,
                   bool& lastWasSeparator) {
  const UINT where = position < 0 ? static_cast<UINT>(-1) : static_cast<UINT>(position);
  if (ItemState(data, item) == kHidden) return false;
  std::wstring text;
  if (item.id == QvPopupItemId) {
    if (!MenuText(item.popupId, false, text)) return false;
    HMENU sub = CreatePopupMenu();
    if (!sub) {
      UI_TRACE_FAILED(s_log, "CreatePopupMenu");
      return false;
    }
    if (!InsertMenuW(menu, where, (item.flags & kKeptFlags) | MF_BYPOSITION | MF_POPUP | MF_STRING,
                     reinterpret_cast<UINT_PTR>(sub), text.c_str())) {
      UI_TRACE_FAILED(s_log, "InsertMenuW");
      DestroyMenu(sub);
      return false;
    }
    Register(sub, item.popupId, data);
    lastWasSeparator = false;
    return true;
  }
  if (item.id == 0) {
    if (lastWasSeparator || !InsertMenuW(menu, where, MF_BYPOSITION | MF_SEPARATOR, 0, NULL)) return false;
    lastWasSeparator = true;
    return true;
  }
  if (!MenuText(item.id, true, text)) return false;
  if (!InsertMenuW(menu, where, (item.flags & kKeptFlags) | MF_BYPOSITION | MF_STRING, item.id, text.c_str())) {
    UI_TRACE_FAILED(s_log, "InsertMenuW");
    return false;
  }
  lastWasSeparator = false;
  return true;
}

void FillPopupFromLayout(QvMenuDynamicData* data, HMENU popup, unsigned int popupId) {
  if (GetMenuItemCount(popup) != 0) return;
  Stamp(popup, data->m_generation);
  CGUIMenuLayout* layout = data->GetLayout(popupId);
  if (!layout) return;  // redirected to a popup without layout: it stays empty
  bool lastWasSeparator = true;  // leading separators are skipped
  for (INT_PTR i = 0; i < layout->GetSize(); ++i)
    AddLayoutItem(data, popup, layout->ElementAt(i), -1, lastWasSeparator);
}

INT_PTR FindCommand(const CGUIMenuLayout& layout, INT_PTR after, unsigned int id) {
  for (INT_PTR i = after + 1; i < layout.GetSize(); ++i)
    if (layout.GetAt(i).id == id) return i;
  return -1;
}

INT_PTR FindPopup(const CGUIMenuLayout& layout, INT_PTR after, unsigned int popupId) {
  for (INT_PTR i = after + 1; i < layout.GetSize(); ++i) {
    const SMenuItemInfo& item = layout.GetAt(i);
    if (item.id == popupId || (item.id == QvPopupItemId && item.popupId == popupId)) return i;
  }
  return -1;
}

void SetItemText(HMENU menu, int position, const std::wstring& text) {
  MENUITEMINFOW info = {};
  info.cbSize = sizeof info;
  info.fMask = MIIM_STRING;
  info.dwTypeData = const_cast<wchar_t*>(text.c_str());
  if (!SetMenuItemInfoW(menu, static_cast<UINT>(position), TRUE, &info)) UI_TRACE_FAILED(s_log, "SetMenuItemInfoW");
}

// Merges the menu's items with its layout: hidden ones go, missing ones come back in their
// place, the others are written again from their definitions. The popups below are brought
// up to date when they open.
void RebuildMenuFromSecurity(QvMenuDynamicData* data, HMENU menu) {
  SHMENUInfo info;
  if (!Lookup(menu, info) || info.data != data) return;
  CGUIMenuLayout* layout = data->GetLayout(info.popupId);
  if (!layout) return;
  Stamp(menu, data->m_generation);
  int position = 0;
  INT_PTR lastMatch = -1;
  while (position < GetMenuItemCount(menu)) {
    const UINT id = GetMenuItemID(menu, position);
    HMENU sub = id == QvPopupItemId ? GetSubMenu(menu, position) : NULL;
    SHMENUInfo subInfo = {};
    INT_PTR match = -1;
    if (sub) {
      if (Lookup(sub, subInfo) && subInfo.data == data) {
        match = FindPopup(*layout, lastMatch, subInfo.popupId);
        if (match < 0 && subInfo.basePopupId) match = FindPopup(*layout, lastMatch, subInfo.basePopupId);
      }
    } else if (id != QvPopupItemId) {
      match = FindCommand(*layout, lastMatch, id);
    }
    if (match < 0) {
      ++position;
      continue;
    }
    for (INT_PTR k = lastMatch + 1; k < match; ++k) {
      bool lastWasSeparator = position == 0 || IsSeparatorAt(menu, position - 1);
      if (AddLayoutItem(data, menu, layout->ElementAt(k), position, lastWasSeparator)) ++position;
    }
    lastMatch = match;
    const SMenuItemInfo& item = layout->ElementAt(match);
    if (ItemState(data, item) == kHidden) {
      if (sub) ForgetTree(sub);
      if (!DeleteMenu(menu, static_cast<UINT>(position), MF_BYPOSITION)) {
        UI_TRACE_FAILED(s_log, "DeleteMenu");
        ++position;
      }
      continue;
    }
    std::wstring text;
    if (sub) {
      if (MenuText(subInfo.popupId, false, text)) SetItemText(menu, position, text);
    } else if (id == 0) {
      ModifyMenuW(menu, static_cast<UINT>(position), MF_BYPOSITION | MF_SEPARATOR, 0, NULL);
    } else if (MenuText(id, true, text)) {
      if (!ModifyMenuW(menu, static_cast<UINT>(position), MF_BYPOSITION | MF_STRING | (item.flags & kKeptFlags), id,
                       text.c_str()))
        UI_TRACE_FAILED(s_log, "ModifyMenuW");
    }
    ++position;
  }
  for (INT_PTR k = lastMatch + 1; k < layout->GetSize(); ++k) {
    const int count = GetMenuItemCount(menu);
    bool lastWasSeparator = count == 0 || IsSeparatorAt(menu, count - 1);
    AddLayoutItem(data, menu, layout->ElementAt(k), -1, lastWasSeparator);
  }
}

// The bar from the rights of now; its popups are brought up to date when they open.
void UpdateMenuBarFromSecurity(QvMenuDynamicData* data) {
  if (!IsMenu(data->m_hMenuBar)) return;  // destroyed with its window
  ComputeStatuses(data);
  ++data->m_generation;
  RebuildMenuFromSecurity(data, data->m_hMenuBar);
  RemoveRedundantSeparators(data->m_hMenuBar);
}

void RedrawMainMenuBar() {
  CWnd* main = AfxGetMainWnd();
  if (main && main->GetSafeHwnd()) main->DrawMenuBar();
}

// Sends the MDI window list into the popup when the main window is an MDI frame.
void ShowWindowList(HMENU popup) {
  CWnd* main = AfxGetMainWnd();
  if (!main || !main->IsKindOf(RUNTIME_CLASS(CMDIFrameWnd))) return;
  HWND client = static_cast<CMDIFrameWnd*>(main)->m_hWndMDIClient;
  if (!client) return;
  ::SendMessageW(client, WM_MDISETMENU, 0, reinterpret_cast<LPARAM>(popup));
  ::SendMessageW(client, WM_MDIREFRESHMENU, 0, 0);
}

}  // namespace

CGUIMapHMENUtoInfo::CGUIMapHMENUtoInfo() : CMap(10) { InitHashTable(17); }

QvMenuDynamicData::QvMenuDynamicData() : m_layouts(10) {}

QvMenuDynamicData::~QvMenuDynamicData() {
  if (m_hAccel) DestroyAcceleratorTable(m_hAccel);
  delete[] m_accelArray;
  POSITION pos = m_layouts.GetStartPosition();
  while (pos) {
    UINT id;
    CGUIMenuLayout* layout;
    m_layouts.GetNextAssoc(pos, id, layout);
    delete layout;
  }
  m_layouts.RemoveAll();
}

CGUIMenuLayout* QvMenuDynamicData::GetLayout(unsigned int popupId) const {
  CGUIMenuLayout* layout = nullptr;
  return m_layouts.Lookup(popupId, layout) ? layout : nullptr;
}

CGUIMapHMENUtoInfo* Get_GlobalMapHMENUToInfo() { return s_handles; }
void Set_GlobalMapHMENUToInfo(CGUIMapHMENUtoInfo* map) { s_handles = map; }
QvArrayLPQvFirst* Get_GlobalArrayDynamicData() { return s_dynamicData; }
void Set_GlobalArrayDynamicData(QvArrayLPQvFirst* array) { s_dynamicData = array; }

QvSuccess InitDynamicMenu() {
  if (!Get_GlobalMapCmdToEffectiveCmd()) Set_GlobalMapCmdToEffectiveCmd(new QvMapUShortUShort);
  if (!s_handles) s_handles = new CGUIMapHMENUtoInfo;
  if (!s_dynamicData) s_dynamicData = new QvArrayLPQvFirst(true);
  return QvSuccess(true);
}

QvSuccess RegisterMenuBar(CMenu* menuBar, unsigned int extraMenuId) {
  HMENU bar = menuBar ? menuBar->GetSafeHmenu() : NULL;
  SHMENUInfo known;
  if (!s_handles || !s_dynamicData || !bar || !IsMenu(bar) || Lookup(bar, known)) {
    UI_TRACE_REFUSED(s_log, "no dynamic menus, no menu bar, or a bar already registered");
    return QvSuccess(false);
  }
  // The extra menu first: when it cannot be loaded nothing has been registered yet.
  CMenu extra;
  if (extraMenuId != 0 && !extra.LoadMenu(extraMenuId)) {
    UI_TRACE_FAILED(s_log, "LoadMenu");
    return QvSuccess(false);
  }
  QvMenuDynamicData* data = new QvMenuDynamicData;
  data->m_hMenuBar = bar;
  s_dynamicData->Add(data);
  ScanMenuLayout(data, bar, QvMenuBarId);
  if (extra.GetSafeHmenu()) {
    // Its popups are layouts for redirection only; its handles die with it.
    ScanMenuLayout(data, extra.GetSafeHmenu(), QvExtraMenuId);
    ForgetTree(extra.GetSafeHmenu());
    extra.DestroyMenu();
  }
  BuildAccelerators(data);
  UpdateMenuBarFromSecurity(data);
  RedrawMainMenuBar();
  return QvSuccess(true);
}

QvSuccess InitDynamicMenu(CMenu* menuBar, bool) { return RegisterMenuBar(menuBar, 0); }

QvSuccess InitDynamicMenu(unsigned int extraMenuId, unsigned int, unsigned int, CMenu* menuBar, bool) {
  return RegisterMenuBar(menuBar, extraMenuId);
}

void UpdateMenusFromSecurity() {
  if (!s_dynamicData) return;
  for (long i = 0; i < s_dynamicData->GetSize(); ++i)
    UpdateMenuBarFromSecurity(static_cast<QvMenuDynamicData*>(s_dynamicData->GetAt(i)));
  RedrawMainMenuBar();
}

void UpdateDynamicMenuForSecurity(CMenu* popup) {
  HMENU menu = popup ? popup->GetSafeHmenu() : NULL;
  SHMENUInfo info;
  if (!Lookup(menu, info)) return;
  QvMenuDynamicData* data = info.data;
  if (info.popupId == QvMenuBarId) {
    const int count = GetMenuItemCount(menu);
    for (int i = 0; i < count; ++i) {
      HMENU sub = GetSubMenu(menu, i);
      SHMENUInfo subInfo;
      if (Lookup(sub, subInfo) && subInfo.data == data) FillPopupFromLayout(data, sub, subInfo.popupId);
    }
    return;
  }
  // Which popup this one stands for now: its own, or its command's effective command's.
  const unsigned int base = info.basePopupId ? info.basePopupId : info.popupId;
  unsigned int effective = base;
  if (base <= 0xFFFF) {
    QvCommandStatus status(static_cast<unsigned short>(base));
    QvCommandHandler::GetCommandStatus(status);
    if (status.AsEffectiveCmd()) effective = status.GetEffectiveCmdID();
  }
  if (effective != info.popupId) {
    EmptyMenu(menu);
    info.popupId = effective;
    info.basePopupId = effective != base ? base : 0;
    info.generation = 0;
    s_handles->SetAt(menu, info);
  }
  if (GetMenuItemCount(menu) == 0) {
    FillPopupFromLayout(data, menu, info.popupId);
  } else if (info.generation != data->m_generation) {
    RebuildMenuFromSecurity(data, menu);
    RemoveRedundantSeparators(menu);
  }
  if (info.popupId == kWindowListPopup) ShowWindowList(menu);
}

void UpdateDynamicMenu(CMenu*, CWnd*) {}

HACCEL GetAcceleratorForUpdateFrameMenu(CMenu* menu) {
  SHMENUInfo info;
  return Lookup(menu ? menu->GetSafeHmenu() : NULL, info) && info.data ? info.data->m_hAccel : NULL;
}

void ReleaseDynamicMenu() {
  delete Get_GlobalMapCmdToEffectiveCmd();
  Set_GlobalMapCmdToEffectiveCmd(nullptr);
  delete s_dynamicData;
  s_dynamicData = nullptr;
  delete s_handles;
  s_handles = nullptr;
}
