// Property sheets that can be resized: a size grip, the first size as the minimum, the tab
// control and the active page stretched and the command buttons kept in the bottom-right
// corner; optionally the placement and the active page kept in the application's profile.
//
// CResizableSheet handles property sheets and wizards; CResizableSheetEx adds the Wizard97
// form, whose pages start below the header line unless they hide the header. The host derives
// from them and anchors nothing of the sheet itself (it adds anchors of its own after
// OnInitDialog).
#pragma once
#include <framework.h>

#include "ResizableLayout.h"
#include "quarnel_api.h"

// The sheet's own controls (those of the system's property sheet).
#define RESIZABLE_ID_TABCTRL 0x3020
#define RESIZABLE_ID_APPLY 0x3021
#define RESIZABLE_ID_BACK 0x3023
#define RESIZABLE_ID_NEXT 0x3024
#define RESIZABLE_ID_FINISH 0x3025
#define RESIZABLE_ID_LINE 0x3026         // the wizard's bottom etched line
#define RESIZABLE_ID_HEADERLINE 0x3027   // the Wizard97 header line

class QUARNEL_API CResizableSheet : public CPropertySheet,
                                    public CResizableLayout,
                                    public CResizableGrip,
                                    public CResizableMinMax,
                                    public CResizableState {
  DECLARE_DYNAMIC(CResizableSheet)
 public:
  CResizableSheet();
  explicit CResizableSheet(UINT nIDCaption, CWnd* pParentWnd = NULL, UINT iSelectPage = 0);
  explicit CResizableSheet(LPCTSTR pszCaption, CWnd* pParentWnd = NULL, UINT iSelectPage = 0);
  ~CResizableSheet() override;

  // The sheet's own initialisation (its result is returned), then the minimum size, the grip
  // and the anchors.
  BOOL OnInitDialog() override;

 protected:
  // Wizard97 forms (for CResizableSheetEx).
  CResizableSheet(UINT nIDCaption, CWnd* pParentWnd, UINT iSelectPage, HBITMAP hbmWatermark, HPALETTE hpalWatermark,
                  HBITMAP hbmHeader);
  CResizableSheet(LPCTSTR pszCaption, CWnd* pParentWnd, UINT iSelectPage, HBITMAP hbmWatermark,
                  HPALETTE hpalWatermark, HBITMAP hbmHeader);

  // Restores the placement and (with bSavePage) the active page from the section, and saves
  // both when the sheet is destroyed. Call it once the window exists.
  void EnableSaveRestore(LPCTSTR pszSection, BOOL bRectOnly = FALSE, BOOL bSavePage = FALSE);
  // The narrowest client width that keeps the visible command buttons in view.
  int GetMinWidth();

  CWnd* GetResizableWnd() override { return this; }
  // Entry 1: the active page, inside the tab control's display area (or at its margins of
  // the first layout in a wizard).
  BOOL ArrangeLayoutCallback(LayoutInfo& layout) override;
  // Anchors of the sheet's own parts and the page's margins, once at initialisation.
  void PresetLayout();
  // Whether the tab control is hidden and the wizard's lines anchored instead.
  virtual BOOL UsesWizardLayout() { return IsWizard(); }
  virtual void AnchorWizardLines();
  BOOL IsWizard() const { return (m_psh.dwFlags & PSH_WIZARD) != 0; }
  BOOL IsWizard97() const { return (m_psh.dwFlags & PSH_WIZARD97) != 0; }
  // The page's place for the Wizard97 form (CResizableSheetEx); FALSE: the sheet's own rule.
  virtual BOOL Wizard97PageMargins(CSize&, CSize&) { return FALSE; }
  BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;

  afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
  afx_msg void OnSize(UINT nType, int cx, int cy);
  afx_msg void OnGetMinMaxInfo(MINMAXINFO* lpMMI);
  afx_msg void OnDestroy();
  afx_msg BOOL OnEraseBkgnd(CDC* pDC);
  afx_msg void OnPageChanged();
  DECLARE_MESSAGE_MAP()

 protected:
  BOOL m_bEnableSaveRestore = FALSE;
  BOOL m_bRectOnly = FALSE;
  BOOL m_bSavePage = FALSE;
  CSize m_sizePageTL;  // the active page's margins from the client corners at initialisation
  CSize m_sizePageBR;
  CString m_sSection;
  BOOL m_bInitDone = FALSE;

 private:
  void SavePage();
  void LoadPage();
};

class QUARNEL_API CResizableSheetEx : public CResizableSheet {
  DECLARE_DYNAMIC(CResizableSheetEx)
 public:
  CResizableSheetEx();
  explicit CResizableSheetEx(UINT nIDCaption, CWnd* pParentWnd = NULL, UINT iSelectPage = 0);
  explicit CResizableSheetEx(LPCTSTR pszCaption, CWnd* pParentWnd = NULL, UINT iSelectPage = 0);
  CResizableSheetEx(UINT nIDCaption, CWnd* pParentWnd, UINT iSelectPage, HBITMAP hbmWatermark,
                    HPALETTE hpalWatermark = NULL, HBITMAP hbmHeader = NULL);
  CResizableSheetEx(LPCTSTR pszCaption, CWnd* pParentWnd, UINT iSelectPage, HBITMAP hbmWatermark,
                    HPALETTE hpalWatermark = NULL, HBITMAP hbmHeader = NULL);
  ~CResizableSheetEx() override;

  BOOL OnInitDialog() override;
  using CResizableSheet::EnableSaveRestore;

 protected:
  BOOL UsesWizardLayout() override { return IsWizard() || IsWizard97(); }
  void AnchorWizardLines() override;
  BOOL Wizard97PageMargins(CSize& tl, CSize& br) override;
};
