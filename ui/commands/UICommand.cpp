// Framework commands: table commands and the user's custom commands.
#include "UICommand.h"
#include "UIHandles.h"

#include "UICommandCenter.h"
#include "UIHotKey.h"
#include "UILabelText.h"

namespace {
BOOL s_bShowHotKeyInTooltip = TRUE;

// A screen-compatible copy of a bitmap; NULL when `source` is not a bitmap or the copy fails.
HBITMAP CopyBitmapForScreen(HBITMAP source) {
  BITMAP bm;
  if (source == NULL || GetObject(source, sizeof bm, &bm) != sizeof bm) return NULL;
  const uih::WindowDC screen(NULL);
  uih::MemoryDC from(screen.Get()), to(screen.Get());
  if (!from.Get() || !to.Get()) return NULL;
  uih::OwnedBitmap copy(CreateCompatibleBitmap(screen.Get(), bm.bmWidth, bm.bmHeight));
  if (!copy) return NULL;
  {
    const uih::Selection fromSource(from.Get(), source), toCopy(to.Get(), copy.Get());
    BitBlt(to.Get(), 0, 0, bm.bmWidth, bm.bmHeight, from.Get(), 0, 0, SRCCOPY);
  }
  return copy.Release();
}
}  // namespace

BOOL UIGetShowHotKeyInTooltip() { return s_bShowHotKeyInTooltip; }
void UISetShowHotKeyInTooltip(BOOL show) { s_bShowHotKeyInTooltip = show ? TRUE : FALSE; }

IMPLEMENT_DYNCREATE(CUICommand, CObject)

CUICommand::CUICommand()
    : m_wID(0), m_wSpare1(0), m_wCheckStyle(0), m_wSpare3(0), m_dwSecurityID(0), m_wHotKey(0),
      m_wHotKeyFlags(FVIRTKEY), m_dwCommandClassLabel(0), m_dwControlClassLabel(0), m_dwNameLabel(0),
      m_dwMenuLabel(0), m_dwAltMenuLabel(0), m_dwTooltipLabel(0), m_dwMessageLabel(0), m_wBitmapID(0),
      m_wImageIndex(0), m_dwHelpID(0), m_dwValue(0), m_hBitmap(NULL) {}

CUICommand::~CUICommand() {
  if (m_hBitmap) DeleteObject(m_hBitmap);
}

CUICommand& CUICommand::operator=(tagCOMMAND& record) {
  m_wID = record.wID;
  m_wSpare1 = record.wSpare1;
  m_wCheckStyle = record.wCheckStyle;
  m_wSpare3 = record.wSpare3;
  m_dwSecurityID = record.dwSecurityID;
  m_wHotKey = record.wKey;
  m_wHotKeyFlags = FVIRTKEY;
  if (record.wModifiers & CMDMOD_ALT) m_wHotKeyFlags |= FALT;
  if (record.wModifiers & CMDMOD_CTRL) m_wHotKeyFlags |= FCONTROL;
  if (record.wModifiers & CMDMOD_SHIFT) m_wHotKeyFlags |= FSHIFT;
  m_dwCommandClassLabel = record.dwCommandClassLabel;
  m_dwControlClassLabel = record.dwControlClassLabel;
  m_dwNameLabel = record.dwNameLabel;
  m_dwMenuLabel = record.dwMenuLabel;
  m_dwAltMenuLabel = record.dwAltMenuLabel;
  m_dwTooltipLabel = record.dwTooltipLabel;
  m_dwMessageLabel = record.dwMessageLabel;
  m_wBitmapID = record.wBitmapID;
  m_wImageIndex = record.wImageIndex;
  m_dwHelpID = record.dwHelpID;
  m_dwValue = 0;
  if (m_hBitmap) DeleteObject(m_hBitmap);
  m_hBitmap = NULL;
  m_strTooltip.Empty();
  return *this;
}

CWnd* CUICommand::CreateControlForToolbar(CWnd*, CRect&, UINT) { return NULL; }

void CUICommand::GetMessageString(CString& text) { UILabelText(m_dwMessageLabel, text); }

void CUICommand::AppendHotKey(CString& text, int tooltipForm) const {
  CString key;
  if (UIGetHotKeyString(key, m_wHotKey, m_wHotKeyFlags, tooltipForm)) text += key;
}

void CUICommand::GetTooltipString(CString& text, int fromLabel) {
  if (!m_strTooltip.IsEmpty() && !fromLabel)
    text = m_strTooltip;
  else
    UILabelText(m_dwTooltipLabel, text);
  if (s_bShowHotKeyInTooltip) AppendHotKey(text, TRUE);
}

void CUICommand::GetMenuStringW(CString& text, int alternative) {
  text.Empty();
  if (alternative && m_dwAltMenuLabel) UILabelText(m_dwAltMenuLabel, text);
  if (text.IsEmpty() && m_dwMenuLabel) UILabelText(m_dwMenuLabel, text);
  AppendHotKey(text, FALSE);
}

void CUICommand::SetTooltipString(CString& text) { m_strTooltip = text; }
void CUICommand::OnHotChange(int) {}
int CUICommand::IsCustomCommand() { return 0; }
void CUICommand::DeleteControlFromToolbar() {}

IMPLEMENT_DYNAMIC(CUICustomCommand, CUICommand)

CUICustomCommand::CUICustomCommand(CUICommandCenter* center, WORD id, WORD key, WORD flags, const CString& name,
                                   const CString& menuText, const CString& tooltip, const CString& message,
                                   HBITMAP bitmap)
    : m_strMessage(message), m_strCustomTooltip(tooltip), m_strMenu(menuText), m_strName(name),
      m_pCenter(center), m_nRefCount(1) {
  m_wID = id;
  m_wHotKey = key;
  m_wHotKeyFlags = flags;
  ChangeHBitmap(bitmap);
}

CUICustomCommand::~CUICustomCommand() {}

void CUICustomCommand::GetMessageString(CString& text) { text = m_strMessage; }

void CUICustomCommand::GetTooltipString(CString& text, int) {
  text = m_strCustomTooltip;
  if (UIGetShowHotKeyInTooltip()) AppendHotKey(text, TRUE);
}

void CUICustomCommand::GetMenuStringW(CString& text, int) {
  text = m_strMenu;
  AppendHotKey(text, FALSE);
}

int CUICustomCommand::IsCustomCommand() { return 1; }
void CUICustomCommand::GetCommandName(CString& text) { text = m_strName; }

int CUICustomCommand::AddRef() { return ++m_nRefCount; }

int CUICustomCommand::Release() {
  if (m_nRefCount == 0) return 0;
  if (--m_nRefCount > 0) return m_nRefCount;
  // The id may have been removed and handed to another command since: only this command
  // leaves the centre.
  if (m_pCenter && m_pCenter->GetCommand(m_wID) == this) m_pCenter->RemoveCommand(m_wID);
  delete this;
  return 0;
}

void CUICustomCommand::ChangeHBitmap(HBITMAP bitmap) {
  HBITMAP copy = CopyBitmapForScreen(bitmap);
  if (m_hBitmap) DeleteObject(m_hBitmap);
  m_hBitmap = copy;
}
