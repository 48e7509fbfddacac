// CFormView: a view whose window is a child dialog made from a template; its controls are
// the template's. The template is the view's: its DS_ styles and items are kept, its window
// styles are replaced by the ones given to Create (always a child). It is a scroll view whose
// total size is the template's size in pixels, as the view was made: a window smaller than
// the form scrolls it.
#pragma once
#include "fw_scrollview.h"

class FW_API CFormView : public CScrollView {
  DECLARE_DYNAMIC(CFormView)
 public:
  // FALSE when the template cannot be found (the object is left as it was) or the window
  // cannot be made (then, as after any view's end, PostNcDestroy deletes the object).
  BOOL Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd,
              UINT nID, CCreateContext* pContext = NULL) override;
  LPCTSTR GetTemplateName() const { return m_lpszTemplateName; }

  // The controls take the data (UpdateData(FALSE)), then the view's own initial update.
  void OnInitialUpdate() override;
  // The dialog keys of the form's controls.
  BOOL PreTranslateMessage(MSG* pMsg) override;

 protected:
  explicit CFormView(UINT nIDTemplate);
  explicit CFormView(LPCTSTR lpszTemplateName);
  void OnDraw(CDC* pDC) override;  // nothing: the controls draw themselves

  LPCTSTR m_lpszTemplateName;
  DECLARE_MESSAGE_MAP()
};
