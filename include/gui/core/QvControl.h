// The portable control base as the containers bind and notify it: QvRootControl (a command
// handler whose notifications go up to its container), QvControl (bound to one child window
// through a framework object of the platform class registered for its portable class), and
// QvControlNotification, the record of one notification.
#pragma once
#include <framework.h>
#include <vekkel.h>

#include "QvColor.h"
#include "QvCommandHandler.h"
#include "quarnel_api.h"

class QvControl;

// A portable notification number (300 push button clicked, 200 edit text changed, ...).
typedef int NotificationCode;

// One notification of a control, made per event and deleted after the dispatch. A handler
// that takes it may set the result, which becomes the result of a WM_NOTIFY still at 0.
class QUARNEL_API QvControlNotification : public QvFirst {
  QV_DECLARE_CLASS(QvControlNotification)
 public:
  QvControlNotification(unsigned short id, QvControl* control, NotificationCode code, LONG_PTR value);
  ~QvControlNotification() override;

  long m_result = -1;
  unsigned short m_controlID;
  QvControl* m_control;
  NotificationCode m_code;
  LONG_PTR m_value;  // by code: a key code, an item, a position, the notification header
};

class QUARNEL_API QvRootControl : public QvFirst, public QvCommandHandler {
  QV_DECLARE_CREATABLE(QvRootControl)
 public:
  QvRootControl() = default;
  ~QvRootControl() override;

  // Called once the control is bound to its window.
  virtual void OnPlatformControlSet() {}
  virtual void SetText(const QvString& text);  // nothing here
  // The label's text through SetText(const QvString&).
  virtual void SetText(unsigned long labelId);
  virtual void Show(bool show);      // nothing here
  virtual void Enable(bool enable);  // nothing here
  // The text and its length; 0 (text untouched) here.
  virtual unsigned short GetText(QvString& text);
  virtual void SetFocus();             // nothing here
  virtual void SetDefaultTextColor();  // nothing here
  virtual void SetTextColor(QvColor color);  // nothing here
  void SetLabel(unsigned long labelId) { SetText(labelId); }

  // Kept for the host: the drag callback of a tree list (QvTreeDragCallback, QvTreeList.h)
  // and the pointer-sized value handed back to it.
  void* m_dragCallback = nullptr;
  ULONG_PTR m_dragCallbackData = 0;
};

// Every operation of a control and of its kinds asks its window; a control that is not bound
// (or whose window is gone) changes nothing and answers failure: false, 0, -1 or an empty
// text.
class QUARNEL_API QvControl : public QvRootControl {
  QV_DECLARE_CREATABLE(QvControl)
 public:
  // The first live control makes the binding map (portable class -> platform class) from
  // the registered pairs; the last one to go deletes it.
  QvControl();
  // A platform object the control made is detached from its window (the window procedure
  // it had is put back) before it is deleted: the window lives on.
  ~QvControl() override;

  // Binds the control to an existing child window: the window's own framework object when
  // it has one (not owned), else a new object of the platform class the binding map gives
  // for the control's portable class, which subclasses the window (a list view made so
  // shares no image lists and shows its selection always). Sets the default GUI font on it
  // and calls OnPlatformControlSet. False when the map has no platform class for the class,
  // the window is gone or the object cannot be made.
  bool SetPlatformControl(HWND child);
  CWnd* GetPlatformControl() const { return m_platformControl; }
  // The bound window; NULL when unbound or gone.
  HWND GetPlatformWindow() const;

  using QvRootControl::SetText;
  // The default GUI font, then the window text.
  void SetText(const QvString& text) override;
  void Show(bool show) override;
  // Disabling the window that has the focus first gives the focus to its parent.
  void Enable(bool enable) override;
  // The window text as UTF-8, and its length in bytes (65535 for a longer text); 0 and an
  // empty text when the window has none.
  unsigned short GetText(QvString& text) override;
  void SetFocus() override;
  // Set or clear the colour (only the high byte of each channel counts), then repaint.
  void SetDefaultTextColor() override;
  void SetTextColor(QvColor color) override;
  // False when no colour is set.
  bool GetTextColorIfSet(COLORREF& color) const;

  // Registers the framework class (below CWnd) that serves a portable class; null removes
  // the pair. The pairs live for the process; the binding map of live controls follows.
  static void SetPlatformClass(const QvRuntimeClass* portableClass, CRuntimeClass* platformClass);
  // The class the binding map (or, with no control alive, the registered pairs) gives.
  static CRuntimeClass* GetPlatformClass(const QvRuntimeClass* portableClass);
  // The binding map of the live controls; null when no control is alive.
  static const QvMapLPVoidLPVoid* GetBindingMap();
  static unsigned short GetLiveControlCount();

  CWnd* m_platformControl = nullptr;
  unsigned char m_ownsPlatformControl = 0;
  COLORREF m_textColor = static_cast<COLORREF>(-1);  // -1: none
  unsigned long m_extra = 0;

 private:
  void RepaintNow();
};

// A pointer kept for the host; the controls do not use it.
QUARNEL_API void* Get_UIGlobalCallback();
QUARNEL_API void Set_UIGlobalCallback(void* callback);
