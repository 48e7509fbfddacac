// The manager of the command-built toolbars: named bars, the toolbars menu and the user's
// toolbar settings.
#include "QvHotKeyText.h"
#include "QvStatusBar.h"
#include "QvToolBars.h"
#include "UITrace.h"

QV_IMPLEMENT_CLASS(QvToolBarManager, nullptr)

namespace {
UlmLogger s_log("ToolBarManager");

const char kColour[] = "Color";
const char kLarge[] = "Large";
const char kToolTips[] = "Show Tool Tip";
const char kShortCuts[] = "Show Short Cut";
// The bar style of every toolbar the manager makes.
const DWORD kBarStyle = WS_CHILD | WS_VISIBLE | CBRS_ALIGN_TOP | CBRS_BORDER_BOTTOM | CBRS_FLYBY | CBRS_TOOLTIPS |
                        CBRS_HIDE_INPLACE | CBRS_SIZE_FIXED;
static_assert(kBarStyle == 0x5000283A, "the toolbars' style");

// Managers alive: the first makes the list of standard shortcuts, the last deletes it.
int s_managers = 0;

void ReadSetting(const char* value, bool& flag) {
  unsigned long data = 0;
  if (GetKeyDWORDValue(QVTOOLBAR_SETTINGS_KEY, value, data) >= 0) flag = data != 0;
}

bool WriteSetting(const char* value, bool flag) {
  if (SetUserKeyDWORDValue(QVTOOLBAR_SETTINGS_KEY, value, flag ? 1 : 0) >= 0) return true;
  UI_TRACE_REFUSED(s_log, "a toolbar setting could not be written");
  return false;
}

CWnd* ToolbarFrame() {
  CWnd* window = Get_GlobalTemporayAccessforMFCMainWindow();
  return window ? window : AfxGetMainWnd();
}

CGUIMultipleBitmapToolbar* BarAt(const QvDictionaryLPVoid& bars, const QvString& name) {
  void* bar = nullptr;
  return bars.Lookup(name, bar) ? static_cast<CGUIMultipleBitmapToolbar*>(bar) : nullptr;
}

// True when the bar has a button that is not a separator.
bool HasButtons(CGUIMultipleBitmapToolbar* bar) {
  const int count = bar->GetCount();
  for (int i = 0; i < count; ++i) {
    TBBUTTON b = {};
    if (bar->SendMessage(TB_GETBUTTON, i, reinterpret_cast<LPARAM>(&b)) && !(b.fsStyle & TBSTYLE_SEP)) return true;
  }
  return false;
}
}  // namespace

QvToolBarManager::QvToolBarManager() : m_menu(new CMenu) {
  if (s_managers++ == 0 && !Get_GlobalListStandardShortCutCommandDef())
    Set_GlobalListStandardShortCutCommandDef(new QvListLPQvFirst);
  m_menu->CreatePopupMenu();
  if (Get_GlobalHotKeyCtrl() == 2) Set_GlobalHotKeyCtrl(1);
  ReadSetting(kColour, m_colour);
  ReadSetting(kLarge, m_large);
  ReadSetting(kToolTips, m_toolTips);
  ReadSetting(kShortCuts, m_shortCuts);
  Set_GlobalHotKeyCtrl(m_shortCuts ? 1 : 0);
  ComputeBitmapStyle();
}

QvToolBarManager::~QvToolBarManager() {
  DestroyAllToolBars();  // the manager owns its bars: none outlives it
  delete m_menu;
  if (--s_managers == 0) {
    delete Get_GlobalListStandardShortCutCommandDef();
    Set_GlobalListStandardShortCutCommandDef(nullptr);
  }
}

CGUIMultipleBitmapToolbar* QvToolBarManager::AddToolBar(const QvString& name, bool show, unsigned int id) {
  if (CGUIMultipleBitmapToolbar* old = BarAt(m_toolbars, name)) {
    // One bar per name: the old one goes with its menu item, the name keeps its place.
    m_menu->DeleteMenu(old->GetToolBarId(), MF_BYCOMMAND);
    delete old;
  } else {
    m_names.AddTail(name);
  }
  ::AppendMenuW(m_menu->m_hMenu, MF_STRING, id, name.ToWide().c_str());
  auto* bar = new CGUIMultipleBitmapToolbar(static_cast<QvToolBarBitmapStyle>(m_bitmapStyle), id);
  m_toolbars.SetAt(name, bar);
  bar->MemorizeShow(show);
  return bar;
}

CGUIMultipleBitmapToolbar* QvToolBarManager::GetToolBar(const QvString& name) const { return BarAt(m_toolbars, name); }

bool QvToolBarManager::AddToolBarResource(const QvString& name, unsigned int resourceId) {
  CGUIMultipleBitmapToolbar* bar = BarAt(m_toolbars, name);
  if (!bar || !bar->AddToolBar(resourceId, TRUE)) return false;
  // A bar not made yet is judged when it is made.
  if (bar->m_hWnd && !HasButtons(bar)) m_menu->DeleteMenu(bar->GetToolBarId(), MF_BYCOMMAND);
  return true;
}

bool QvToolBarManager::CreateToolBars(CWnd* parent) {
  for (QvPosition pos = m_names.GetHeadPosition(); pos;) {
    const QvString& name = m_names.GetNext(pos);
    CGUIMultipleBitmapToolbar* bar = BarAt(m_toolbars, name);
    if (!bar || bar->m_hWnd) continue;
    if (!bar->Create(parent, kBarStyle)) {
      UI_TRACE_REFUSED(s_log, "a toolbar window could not be made");
      return false;
    }
    ::SetWindowTextW(bar->m_hWnd, name.ToWide().c_str());
    bar->ShowToolTips(m_toolTips);
    if (!bar->IsMemorizedShow()) bar->Show(false);
    if (!bar->GetToolBarResource().IsEmpty() && !HasButtons(bar)) m_menu->DeleteMenu(bar->GetToolBarId(), MF_BYCOMMAND);
  }
  return true;
}

void QvToolBarManager::UpdateToolBar(const QvString& name) {
  CGUIMultipleBitmapToolbar* old = BarAt(m_toolbars, name);
  if (!old) return;
  auto* bar = new CGUIMultipleBitmapToolbar(static_cast<QvToolBarBitmapStyle>(m_bitmapStyle), old->GetToolBarId());
  const QvArrayUShort& lists = old->GetToolBarResource();
  for (long i = 0; i < lists.GetSize(); ++i) bar->MemorizeToolBar(lists[i]);
  // A bar the user hid stays hidden through the rebuild.
  bar->MemorizeShow(old->m_hWnd ? old->IsShowed() : old->IsMemorizedShow());
  delete old;
  m_toolbars.SetAt(name, bar);
}

void QvToolBarManager::UpdateAllToolBars() {
  for (QvPosition pos = m_names.GetHeadPosition(); pos;) UpdateToolBar(m_names.GetNext(pos));
  CWnd* frame = ToolbarFrame();
  if (!frame) return;
  CreateToolBars(frame);
  if (CFrameWnd* layout = DYNAMIC_DOWNCAST(CFrameWnd, frame)) layout->RecalcLayout();
}

void QvToolBarManager::UpdateButtonSettings(bool colour, bool large) {
  m_colour = colour;
  m_large = large;
  ComputeBitmapStyle();
  UpdateAllToolBars();
  // Each value only while the ones before it could be written.
  if (WriteSetting(kColour, m_colour) && WriteSetting(kLarge, m_large) && WriteSetting(kToolTips, m_toolTips))
    WriteSetting(kShortCuts, m_shortCuts);
}

void QvToolBarManager::UpdateToolTips(bool show) {
  m_toolTips = show;
  for (QvPosition pos = m_names.GetHeadPosition(); pos;)
    if (CGUIMultipleBitmapToolbar* bar = BarAt(m_toolbars, m_names.GetNext(pos))) bar->ShowToolTips(show);
  WriteSetting(kToolTips, m_toolTips);
  WriteSetting(kShortCuts, m_shortCuts);
}

void QvToolBarManager::UpdateShowShortKey(bool show) {
  m_shortCuts = show;
  Set_GlobalHotKeyCtrl(show ? 1 : 0);
  WriteSetting(kShortCuts, m_shortCuts);
}

void QvToolBarManager::GetCurrentSettings(bool& colour, bool& large, bool& toolTips, bool& shortCuts) const {
  colour = m_colour;
  large = m_large;
  toolTips = m_toolTips;
  shortCuts = m_shortCuts;
}

void QvToolBarManager::HideToolBar(const QvString& name) {
  if (CGUIMultipleBitmapToolbar* bar = BarAt(m_toolbars, name)) bar->Show(false);
}

void QvToolBarManager::ShowToolBar(const QvString& name) {
  if (CGUIMultipleBitmapToolbar* bar = BarAt(m_toolbars, name)) bar->Show(true);
}

void QvToolBarManager::DestroyAllToolBars() {
  for (QvPosition pos = m_names.GetHeadPosition(); pos;) {
    CGUIMultipleBitmapToolbar* bar = BarAt(m_toolbars, m_names.GetNext(pos));
    if (!bar) continue;
    m_menu->DeleteMenu(bar->GetToolBarId(), MF_BYCOMMAND);
    delete bar;
  }
  m_toolbars.RemoveAll();
  m_names.RemoveAll();
}
