// Property pages whose children follow anchors: the page arranges them whenever the sheet
// sizes it. The host adds its anchors in OnInitDialog after calling this class's.
// CResizablePageEx adds the Wizard97 header texts, and redraws every child after each
// arrangement when the page hides the header (its background is the watermark).
#pragma once
#include <framework.h>

#include "ResizableLayout.h"
#include "quarnel_api.h"

class QUARNEL_API CResizablePage : public CPropertyPage, public CResizableLayout {
  DECLARE_DYNCREATE(CResizablePage)
 public:
  CResizablePage();
  explicit CResizablePage(UINT nIDTemplate, UINT nIDCaption = 0);
  explicit CResizablePage(LPCTSTR lpszTemplateName, UINT nIDCaption = 0);
  ~CResizablePage() override;

  BOOL OnInitDialog() override;

 protected:
  CResizablePage(LPCTSTR lpszTemplateName, UINT nIDCaption, UINT nIDHeaderTitle, UINT nIDHeaderSubTitle);
  CWnd* GetResizableWnd() override { return this; }
  afx_msg void OnSize(UINT nType, int cx, int cy);
  afx_msg BOOL OnEraseBkgnd(CDC* pDC);
  DECLARE_MESSAGE_MAP()

 protected:
  BOOL m_bInitDone = FALSE;
};

class QUARNEL_API CResizablePageEx : public CResizablePage {
  DECLARE_DYNCREATE(CResizablePageEx)
 public:
  CResizablePageEx();
  explicit CResizablePageEx(UINT nIDTemplate, UINT nIDCaption = 0, UINT nIDHeaderTitle = 0,
                            UINT nIDHeaderSubTitle = 0);
  explicit CResizablePageEx(LPCTSTR lpszTemplateName, UINT nIDCaption = 0, UINT nIDHeaderTitle = 0,
                            UINT nIDHeaderSubTitle = 0);
  ~CResizablePageEx() override;

 protected:
  BOOL NeedsRefresh(HWND hWnd) override;
};
