// The portable image control: a QvControl bound to a "QvImageCtrl" child through its platform
// control CGUIImageCtrl (GUIImageCtrl.h), which shows an image, optionally in relief, and can
// act as a check button. Its window can be replaced by a portable drawing view. A control that
// is not bound changes nothing and answers false.
#pragma once
#include <QvControl.h>
#include <vekkel.h>

#include "quarnel_api.h"

class CGUIImageCtrl;
class QvImage;
class QvView;
class QvTextView;

enum QvImageRelief { QvReliefNone = 0, QvReliefRaised = 1, QvReliefSunken = 2 };

class QUARNEL_API QvImageCtrl : public QvControl {
  QV_DECLARE_CREATABLE(QvImageCtrl)
 public:
  QvImageCtrl() = default;

  // The image (not owned; null clears) in a display mode of GUIImageCtrl.h.
  virtual bool SetImage(QvImage* image, int display);
  // Replaces the control's window by a drawing-view window (CControlView) for the view, in the
  // same place, with the same id, bordered; the control is bound to it and the view's image
  // size becomes the window's size (in twips for a view that works in twips). The view window
  // owns the view. Setting the view it already shows replaces its window and keeps the view.
  // False when the control is not bound or the window cannot be made.
  virtual bool SetView(QvView* view);
  // The same with a text-view window (CControlTextView) for the text view, which the window
  // owns; setting it again replaces the window and keeps the view. Made with the text view.
  virtual bool SetTextView(QvTextView* view);
  virtual void SetCheckMode(bool on);
  // Without notification; only in check mode.
  virtual void Check(bool on);
  virtual bool IsChecked();
  virtual void SetRelief(QvImageRelief relief, bool flat);

 protected:
  CGUIImageCtrl* Image() const;
  // Destroys the control's window (a view window deletes itself and the view it owns), giving
  // its place: rectangle in the parent's client coordinates, parent and id. False when the
  // control is not bound to a child window.
  bool TakeWindowPlace(RECT& rect, HWND& parent, UINT& id);
  // Binds the control to a view window made in that place; the window frees itself.
  bool BindViewWindow(HWND made);
};
