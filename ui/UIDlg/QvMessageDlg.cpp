#include <QvMessageDlg.h>
#include <UIUtilities.h>

namespace {

// Standard texts per set: button 1, 2, 3 (NULL: hidden).
struct ButtonSet {
  LPCTSTR text[3];
  int id[3];
};
const ButtonSet kSets[] = {
    {{_T("OK"), NULL, NULL}, {IDOK, IDOK, IDOK}},
    {{_T("Cancel"), _T("OK"), NULL}, {IDCANCEL, IDOK, IDOK}},
    {{_T("Ignore"), _T("Retry"), _T("Abort")}, {IDIGNORE, IDRETRY, IDABORT}},
    {{_T("Cancel"), _T("No"), _T("Yes")}, {IDCANCEL, IDNO, IDYES}},
    {{_T("No"), _T("Yes"), NULL}, {IDNO, IDYES, IDYES}},
    {{_T("Cancel"), _T("Retry"), NULL}, {IDCANCEL, IDRETRY, IDRETRY}},
};
const UINT kSetCount = sizeof(kSets) / sizeof(kSets[0]);

}  // namespace

CQvMessageDlg::CQvMessageDlg(CWnd* parent, LPCTSTR text, LPCTSTR caption, UINT type, UINT userIcon)
    : CDialog(_T("IDD_UIDLG_MESSAGEBOX"), parent),
      m_nButtonSet(type & 0x0F),
      m_nIconKind(type & 0xF0),
      m_nDefault(type & 0xF00),
      m_strText(text),
      m_strCaption(caption),
      m_nUserIcon(userIcon) {}

CQvMessageDlg::~CQvMessageDlg() {}

UINT CQvMessageDlg::VisibleButtons() const {
  if (m_nButtonSet >= kSetCount) return 1;
  UINT n = 0;
  while (n < 3 && kSets[m_nButtonSet].text[n] != NULL) ++n;
  return n;
}

BOOL CQvMessageDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  SetDefID(kButton1);
  SetWindowText(m_strCaption);
  if (HWND text = ::GetDlgItem(m_hWnd, kTextId)) {
    ::SendMessage(text, WM_SETFONT, reinterpret_cast<WPARAM>(UIGetDefaultGUIFont()), FALSE);
    ::SetWindowText(text, m_strText);
  }
  SetIconStyle();
  SetButtonStyle();
  SetDefaultPos();
  OverrideButtonsText();
  return FALSE;  // the focus is set here
}

void CQvMessageDlg::SetIconStyle() {
  HICON icon = NULL;
  switch (m_nIconKind) {
    case 0x10: icon = ::LoadIcon(NULL, MAKEINTRESOURCE(32513)); break;
    case 0x20: icon = ::LoadIcon(NULL, MAKEINTRESOURCE(32514)); break;
    case 0x30: icon = ::LoadIcon(NULL, MAKEINTRESOURCE(32515)); break;
    case 0x40: icon = ::LoadIcon(NULL, MAKEINTRESOURCE(32516)); break;
    case QV_MESSAGE_USERICON:
      // The caller's icon: from the module of the chain that has it (the host's, usually).
      if (m_nUserIcon != 0) {
        HINSTANCE module = AfxFindResourceHandle(MAKEINTRESOURCE(m_nUserIcon), RT_GROUP_ICON);
        icon = ::LoadIcon(module, MAKEINTRESOURCE(m_nUserIcon));
      }
      break;
    default: break;
  }
  if (icon != NULL) ::SendDlgItemMessage(m_hWnd, kIconId, STM_SETICON, reinterpret_cast<WPARAM>(icon), 0);
}

void CQvMessageDlg::SetButtonStyle() {
  const ButtonSet& set = kSets[m_nButtonSet < kSetCount ? m_nButtonSet : 0];
  const int ids[3] = {kButton1, kButton2, kButton3};
  for (int i = 0; i < 3; ++i) {
    HWND button = ::GetDlgItem(m_hWnd, ids[i]);
    if (button == NULL) continue;
    // Button 1 is always shown.
    const bool shown = i == 0 || (m_nButtonSet < kSetCount && set.text[i] != NULL);
    if (set.text[i] != NULL) ::SetWindowText(button, set.text[i]);
    ::ShowWindow(button, shown ? SW_SHOW : SW_HIDE);
  }
}

int CQvMessageDlg::ButtonID(UINT pos) {
  if (m_nButtonSet >= kSetCount) return -1;
  if (pos < 1 || pos > 3) return -1;
  return kSets[m_nButtonSet].id[pos - 1];
}

void CQvMessageDlg::SetDefaultPos() {
  UINT pos = 0;
  switch (m_nDefault) {
    case 0: pos = 1; break;
    case 0x100: pos = m_nButtonSet == 0 ? 1 : 2; break;
    case 0x200: pos = m_nButtonSet == 2 || m_nButtonSet == 3 ? 3 : 1; break;
    default: return;
  }
  const UINT id = kButton1 + pos - 1;
  SetDefID(id);
  if (HWND button = ::GetDlgItem(m_hWnd, id)) ::SendMessage(m_hWnd, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(button), TRUE);
}

void CQvMessageDlg::SetButtonTextFromPos(UINT pos, LPCTSTR text) {
  if (pos >= 1 && pos <= 3 && text != NULL && *text != 0) m_strButtonText[pos - 1] = text;
}

void CQvMessageDlg::SetButtonTextFromID(UINT id, LPCTSTR text) {
  // The shown button that answers id in this set.
  if (m_nButtonSet >= kSetCount) return;
  for (UINT pos = 1; pos <= VisibleButtons(); ++pos) {
    if (ButtonID(pos) == static_cast<int>(id)) {
      SetButtonTextFromPos(pos, text);
      return;
    }
  }
}

void CQvMessageDlg::OverrideButtonsText() {
  for (int i = 0; i < 3; ++i)
    if (!m_strButtonText[i].IsEmpty()) ::SetDlgItemText(m_hWnd, kButton1 + i, m_strButtonText[i]);
}

BOOL CQvMessageDlg::OnCommand(WPARAM wParam, LPARAM lParam) {
  const UINT id = LOWORD(wParam);
  if (HIWORD(wParam) == BN_CLICKED && id >= kButton1 && id <= kButton3) {
    EndDialog(ButtonID(id - kButton1 + 1));
    return TRUE;
  }
  return CDialog::OnCommand(wParam, lParam);
}
