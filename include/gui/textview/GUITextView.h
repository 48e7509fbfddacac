// The text view's window: CGUITextView, a view window holding the rich edit control
// CGUITextViewEdit over its client area; CControlTextView is the same view as a child of a
// dialog or another container.
#pragma once
#include <framework.h>
#include <fw_richedit.h>
#include <fw_view.h>

#include <UIHandles.h>

#include "QvTextView.h"
#include "quarnel_api.h"

class QUARNEL_API CGUITextViewEdit : public CRichEditCtrl {
  DECLARE_DYNAMIC(CGUITextViewEdit)
 public:
  explicit CGUITextViewEdit(QvTextView* view) : m_view(view) {}
  void Forget() { m_view = nullptr; }

 protected:
  // The portable view hears of the right button with the modifier keys.
  afx_msg void OnRButtonDown(UINT flags, CPoint point);
  QvTextView* m_view;
  DECLARE_MESSAGE_MAP()
};

class QUARNEL_API CGUITextView : public CView {
  DECLARE_DYNAMIC(CGUITextView)
 public:
  // The id of the edit control in the view.
  enum { kEditId = 100 };
  CGUITextView();
  // Deletes the portable view, the edit control and the font.
  ~CGUITextView() override;

  // Binds the window and the portable view both ways, creates the window with an empty title
  // and calls the view's create callback. FALSE when the window cannot be made (the callback
  // is then not called, and the view stays the caller's).
  BOOL Create(QvTextView* view, DWORD style, const RECT& rect, CWnd* parent, UINT id, CCreateContext* context = NULL);
  // The class-name form is refused.
  BOOL Create(LPCTSTR className, LPCTSTR windowName, DWORD style, const RECT& rect, CWnd* parent, UINT id,
              CCreateContext* context = NULL) override;
  QvTextView* GetKernelView() const { return m_view; }
  CGUITextViewEdit* GetEdit() const { return m_edit; }
  // The portable view is being deleted elsewhere: the window no longer reaches or deletes it.
  void ForgetView();

  // Makes the edit control over the client area with the view's style and font, then the
  // portable view's OnInit.
  void OnInitialUpdate() override;
  void OnDraw(CDC*) override {}
  BOOL OnCmdMsg(UINT id, int code, void* extra, AFX_CMDHANDLERINFO* handlerInfo) override;

 protected:
  void OnActivateView(BOOL activate, CView* activated, CView* deactivated) override;
  afx_msg void OnSize(UINT type, int cx, int cy);
  afx_msg void OnSetFocus(CWnd* old);
  afx_msg void OnDestroy();

  QvTextView* m_view;
  CGUITextViewEdit* m_edit;
  uih::OwnedFont m_font;
  DECLARE_MESSAGE_MAP()
};

class QUARNEL_API CControlTextView : public CGUITextView {
  DECLARE_DYNAMIC(CControlTextView)
 public:
  CControlTextView();
  ~CControlTextView() override;

 protected:
  // Activating it never makes it the frame's active view.
  afx_msg int OnMouseActivate(CWnd* desktop, UINT hitTest, UINT message);
  DECLARE_MESSAGE_MAP()
};
