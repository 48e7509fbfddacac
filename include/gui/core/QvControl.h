// The portable control base as the containers bind and notify it: QvRootControl (a command
// handler whose notifications go up to its container), QvControl (bound to one child window
// through a framework object of the platform class registered for its portable class), and
// QvControlNotification, the record of one notification.
#pragma once
#include <framework.h>
#include <vekkel.h>

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
  void SetLabel(unsigned long labelId) { SetText(labelId); }

  // Kept for the host (the drag callback of a tree list and its value).
  void* m_dragCallback = nullptr;
  unsigned long m_dragCallbackData;
};

class QUARNEL_API QvControl : public QvRootControl {
  QV_DECLARE_CREATABLE(QvControl)
 public:
  QvControl() = default;
  // A platform object the control made is detached from its window (the window procedure
  // it had is put back) before it is deleted: the window lives on.
  ~QvControl() override;

  // Binds the control to an existing child window: the window's own framework object when
  // it has one (not owned), else a new object of the platform class registered for the
  // control's portable class, which subclasses the window. Sets the default GUI font on it and
  // calls OnPlatformControlSet. False when no platform class is registered for the class or
  // the object cannot be made.
  bool SetPlatformControl(HWND child);
  CWnd* GetPlatformControl() const { return m_platformControl; }
  // The window text.
  using QvRootControl::SetText;
  void SetText(const QvString& text) override;
  // False when no colour is set.
  bool GetTextColorIfSet(COLORREF& color) const;
  void SetTextColor(COLORREF color) { m_textColor = color; }

  // The framework class (below CWnd) that serves a portable class; null removes the entry.
  static void SetPlatformClass(const QvRuntimeClass* portableClass, CRuntimeClass* platformClass);
  static CRuntimeClass* GetPlatformClass(const QvRuntimeClass* portableClass);

  CWnd* m_platformControl = nullptr;
  unsigned char m_ownsPlatformControl = 0;
  COLORREF m_textColor = static_cast<COLORREF>(-1);  // -1: none
  unsigned long m_extra = 0;
};
