#include <QvColorDlg.h>

namespace {
// The window property that holds a colour dialog's object.
const TCHAR kObjectProp[] = _T("QvColorDlg.Object");
}  // namespace

CQvColorDlg::CQvColorDlg(COLORREF initial, DWORD flags, CWnd* parent, LPCTSTR templateName, LPCCHOOKPROC hook)
    : CColorDialog(initial, flags, parent), m_pfnFrameworkHook(m_cc.lpfnHook) {
  if (templateName != NULL && *templateName != 0) {
    m_strTemplateName = templateName;
    m_cc.Flags |= CC_ENABLETEMPLATE;
    m_cc.hInstance = reinterpret_cast<HWND>(AfxFindResourceHandle(m_strTemplateName, RT_DIALOG));
    m_cc.lpTemplateName = m_strTemplateName;
  }
  if (hook != NULL) {
    m_cc.Flags |= CC_ENABLEHOOK;
    m_cc.lCustData = reinterpret_cast<LPARAM>(this);
    m_cc.lpfnHook = hook;
  }
}

CQvColorDlg::~CQvColorDlg() {}

UINT_PTR CALLBACK CQvColorDlg::MFCColorHookProc(HWND hdlg, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_INITDIALOG) {
    const CHOOSECOLOR* cc = reinterpret_cast<const CHOOSECOLOR*>(lParam);
    if (cc != NULL && cc->lCustData != 0) ::SetProp(hdlg, kObjectProp, reinterpret_cast<HANDLE>(cc->lCustData));
  }
  CQvColorDlg* dlg = reinterpret_cast<CQvColorDlg*>(::GetProp(hdlg, kObjectProp));
  UINT_PTR result = 0;
  if (dlg != NULL && dlg->m_pfnFrameworkHook != NULL) result = dlg->m_pfnFrameworkHook(hdlg, msg, wParam, lParam);
  if (msg == WM_NCDESTROY) ::RemoveProp(hdlg, kObjectProp);
  return result;
}
