// CFormView: a child dialog from a template as a view.
#include "fw_formview.h"

#include <vector>

#include "fw_app.h"

namespace {

// The window styles of a template are replaced; its DS_ styles (the low word) stay.
void SetTemplateStyle(std::vector<BYTE>& t, DWORD windowStyle) {
  const bool extended = t.size() >= 4 && reinterpret_cast<const WORD*>(t.data())[1] == 0xFFFF;
  const size_t at = extended ? 12 : 0;
  if (t.size() < at + sizeof(DWORD)) return;
  DWORD style;
  memcpy(&style, t.data() + at, sizeof style);
  style = (style & 0xFFFF & ~DS_MODALFRAME) | (windowStyle & 0xFFFF0000) | WS_CHILD | DS_CONTROL;
  style &= ~(WS_POPUP | WS_VISIBLE);
  memcpy(t.data() + at, &style, sizeof style);
}

// WM_INITDIALOG leaves the focus alone; everything else goes to the form's message map.
INT_PTR CALLBACK FormDlgProc(HWND, UINT, WPARAM, LPARAM) { return FALSE; }

}  // namespace

IMPLEMENT_DYNAMIC(CFormView, CScrollView)

BEGIN_MESSAGE_MAP(CFormView, CScrollView)
END_MESSAGE_MAP()

CFormView::CFormView(UINT nIDTemplate) : m_lpszTemplateName(MAKEINTRESOURCE(nIDTemplate)) {}

CFormView::CFormView(LPCTSTR lpszTemplateName) : m_lpszTemplateName(lpszTemplateName) {}

BOOL CFormView::Create(LPCTSTR, LPCTSTR, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID,
                       CCreateContext* pContext) {
  if (m_lpszTemplateName == NULL || m_hWnd != NULL) return FALSE;
  HINSTANCE hInst = AfxFindResourceHandle(m_lpszTemplateName, RT_DIALOG);
  HRSRC hRes = hInst != NULL ? ::FindResource(hInst, m_lpszTemplateName, RT_DIALOG) : NULL;
  HGLOBAL hTemplate = hRes != NULL ? ::LoadResource(hInst, hRes) : NULL;
  const BYTE* data = hTemplate != NULL ? static_cast<const BYTE*>(::LockResource(hTemplate)) : NULL;
  const DWORD size = hRes != NULL ? ::SizeofResource(hInst, hRes) : 0;
  if (data == NULL || size < sizeof(DLGTEMPLATE)) return FALSE;
  std::vector<BYTE> t(data, data + size);
  SetTemplateStyle(t, dwStyle);

  // The creation context reaches CView::OnCreate as the dialog's creation parameter.
  AfxHookWindowCreate(this);
  HWND hWnd = ::CreateDialogIndirectParam(hInst, reinterpret_cast<LPCDLGTEMPLATE>(t.data()), pParentWnd->GetSafeHwnd(),
                                          FormDlgProc, reinterpret_cast<LPARAM>(pContext));
  const BOOL bound = AfxUnhookWindowCreate();
  if (!bound) {
    if (hWnd != NULL) ::DestroyWindow(hWnd);
    PostNcDestroy();
    return FALSE;
  }
  if (hWnd == NULL) return FALSE;  // bound, then destroyed during creation: already ended

  CRect client;
  ::GetClientRect(m_hWnd, &client);
  SetScrollSizes(MM_TEXT, client.Size());
  ::SetWindowLongPtr(m_hWnd, GWLP_ID, static_cast<LONG_PTR>(nID));
  ::SetWindowPos(m_hWnd, NULL, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
  if (dwStyle & WS_VISIBLE) ::ShowWindow(m_hWnd, SW_SHOWNOACTIVATE);
  return TRUE;
}

void CFormView::OnInitialUpdate() {
  UpdateData(FALSE);
  CScrollView::OnInitialUpdate();
}

void CFormView::OnDraw(CDC*) {}

BOOL CFormView::PreTranslateMessage(MSG* pMsg) {
  if (CScrollView::PreTranslateMessage(pMsg)) return TRUE;
  const bool keys = pMsg->message >= WM_KEYFIRST && pMsg->message <= WM_KEYLAST;
  if (keys && m_hWnd != NULL && ::IsChild(m_hWnd, pMsg->hwnd)) return ::IsDialogMessage(m_hWnd, pMsg);
  return FALSE;
}
