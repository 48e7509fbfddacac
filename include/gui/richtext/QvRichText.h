// The portable rich-text label: a QvControl bound to a static child window through its platform
// control CGUIRichText (GUIRichText.h), which draws the text in one of seven styles and fits
// its height to it. A label that is not bound changes nothing and answers 0.
#pragma once
#include <QvControl.h>
#include <vekkel.h>

#include "quarnel_api.h"

class CGUIRichText;
class QvColor;

class QUARNEL_API QvRichText : public QvControl {
  QV_DECLARE_CREATABLE(QvRichText)
 public:
  QvRichText() = default;

  // Styles 0..6 (see GUIRichText.h); a style above 6 is refused and changes nothing.
  virtual void SetStyle(unsigned short style);
  virtual unsigned short GetStyle();
  // The colour of style 6.
  virtual void SetColor(const QvColor& color);
  using QvControl::SetText;
  // The text, shown through a hide and show (the parent repaints behind the transparent
  // label) and drawn at once; the label's font stays that of its style.
  void SetText(const QvString& text) override;

 protected:
  CGUIRichText* Label() const;
};
