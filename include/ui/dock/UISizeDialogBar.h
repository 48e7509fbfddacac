// The sizable dialog bar, the floating frame that resizes it, and the dock context that drags
// bars with the sizes they keep for each side.
#pragma once
#include "SizeDockBar.h"
#include "quarnel_api.h"

// A dialog bar whose size the user changes: it keeps one size floating, one docked on a
// horizontal side and one on a vertical side, all the template's size at creation.
class QUARNEL_API CUISizeDialogBar : public CDialogBar, public CSizableDockedBar {
  DECLARE_DYNAMIC(CUISizeDialogBar)

 public:
  CUISizeDialogBar();
  ~CUISizeDialogBar() override;

  BOOL Create(CWnd* pParentWnd, LPCTSTR lpszTemplateName, UINT nStyle, UINT nID) override;
  virtual BOOL Create(CWnd* pParentWnd, UINT nIDTemplate, UINT nStyle, UINT nID);
  using CDialogBar::Create;
  BOOL MustBeFirstOnLeft() const override { return FALSE; }
  BOOL MustBeAloneVertically() const override { return TRUE; }
  virtual BOOL CanClose() { return TRUE; }
  // The dock style, a drag context when the bar has none, and its parent as owner when it
  // has no owner yet.
  virtual void EnableDocking(DWORD dwDockStyle);
  // The floating size when floating, else the size of the side's orientation.
  CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;

  CSize GetHorzSize() const override { return m_sizeHorz; }
  CSize GetVertSize() const override { return m_sizeVert; }
  void SetHorzSize(CSize size) override { m_sizeHorz = size; }
  void SetVertSize(CSize size) override { m_sizeVert = size; }
  CSize GetFloatSize() const override { return m_sizeFloat; }
  void SetFloatSize(CSize size) override { m_sizeFloat = size; }

  CSize m_sizeFloat;
  CSize m_sizeHorz;
  CSize m_sizeVert;
};

// The floating frame of the sizable frames: a frame holding one sizable dialog bar has a
// sizing border and a system menu, and its size is the bar's floating size.
class QUARNEL_API CSizableMiniDockFrameWnd : public CMiniDockFrameWnd {
  DECLARE_DYNCREATE(CSizableMiniDockFrameWnd)

 public:
  enum Setup { notSetUp = 0, ordinary = 1, sizableBar = 2 };
  CSizableMiniDockFrameWnd();
  // The setup state (Setup), made on the first hit test, caption press or mouse activation.
  int IsDblClicked() const { return m_nSetup; }

 protected:
  BOOL PreCreateWindow(CREATESTRUCT& cs) override;
  void SetUp();
  // The one visible sizable dialog bar the frame holds, else NULL.
  CUISizeDialogBar* SoleSizableBar() const;

  afx_msg int OnCreate(LPCREATESTRUCT lpcs);
  afx_msg void OnSize(UINT nType, int cx, int cy);
  afx_msg void OnNcLButtonDown(UINT nHitTest, CPoint point);
  afx_msg void OnWindowPosChanged(WINDOWPOS* lpwndpos);
  afx_msg LRESULT OnNcHitTest(CPoint point);
  afx_msg void OnShowWindow(BOOL bShow, UINT nStatus);
  afx_msg void OnSysCommand(UINT nID, LPARAM lParam);
  afx_msg int OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message);

  int m_nSetup = notSetUp;

  DECLARE_MESSAGE_MAP()
};

// The dock context of sizable bars: a sizable dialog bar's outlines have its stored sizes,
// the main window's prompt says how to drag while dragging, and a drop on a sizable frame
// docks through its own docking.
class QUARNEL_API CDragDockContext : public CDockContext {
 public:
  enum { kDragPrompt = 31266 };
  explicit CDragDockContext(CControlBar* pBar) : CDockContext(pBar) {}

  void StartDrag(CPoint pt) override;

 protected:
  void EndDrag() override;
  void EndLoop() override;
  // The main window that shows the prompt.
  CWnd* PromptWindow() const;
};
