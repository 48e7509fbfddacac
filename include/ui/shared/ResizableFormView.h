// A form view whose controls follow anchors. The anchors refer to the client area, but never
// to less than the form's own size: a window smaller than the form scrolls it and the
// controls keep their places. The host adds its anchors in OnInitialUpdate before calling
// this class's.
#pragma once
#include <framework.h>

#include "ResizableLayout.h"
#include "quarnel_api.h"

class QUARNEL_API CResizableFormView : public CFormView, public CResizableLayout {
  DECLARE_DYNAMIC(CResizableFormView)
 public:
  ~CResizableFormView() override;
  void OnInitialUpdate() override;

 protected:
  explicit CResizableFormView(UINT nIDTemplate);
  explicit CResizableFormView(LPCTSTR lpszTemplateName);

  CWnd* GetResizableWnd() override { return this; }
  // Before the initial update the form's own size; then the client rectangle, widened and
  // heightened to it.
  void GetTotalClientRect(LPRECT lpRect) override;

  afx_msg void OnSize(UINT nType, int cx, int cy);
  afx_msg BOOL OnEraseBkgnd(CDC* pDC);
  DECLARE_MESSAGE_MAP()

 protected:
  BOOL m_bInitDone = FALSE;
};
