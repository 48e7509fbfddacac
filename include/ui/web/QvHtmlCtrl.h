// An HTML view that a dialog shows in place of one of its static controls, and whose body can
// be set and read. The object lives as a member of its dialog: the end of its window does not
// delete it (the browser is let go with the window all the same).
#pragma once
#include <fw_htmlview.h>

#include "quarnel_api.h"

#include <optional>

class QUARNEL_API CQvHtmlCtrl : public CHtmlView {
  DECLARE_DYNAMIC(CQvHtmlCtrl)

 public:
  CQvHtmlCtrl();
  ~CQvHtmlCtrl() override;

  // Takes the place of the parent's static control `id`: the view is made with the static's
  // rectangle (in the parent's client coordinates), id and place in the tab order (WS_CHILD |
  // WS_VISIBLE), then the static is destroyed. FALSE when the parent has no such static, this
  // control already has a window, or the view (its browser) cannot be made; the static stays
  // then.
  BOOL CreateFromStatic(UINT id, CWnd* parent);

  // Puts the text (UTF-8) as the content of the document's body. false, with the body
  // unchanged, when the text is NULL or not UTF-8, or there is no browser, document or body,
  // or the document refuses it.
  bool SetBody(const char* utf8);
  // The body element's outer HTML (the body's tags and their content); nothing when there is
  // no browser, document or body, or the document does not give it. An empty text is a body
  // the document gave as empty.
  std::optional<CStringW> GetBody() const;

 protected:
  void PostNcDestroy() override;  // nothing: the dialog owns the object

  afx_msg void OnDestroy();
  // The window's own activation only: no view of a frame becomes active.
  afx_msg int OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message);
  DECLARE_MESSAGE_MAP()
};
