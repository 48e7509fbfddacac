// GUI containers: every window-like object of the portable layer is a QvRootGUIContainer (a
// command handler), made concrete by QvGUIContainer, which binds it to one platform window,
// keeps the portable controls of the window's dialog children by control id, and turns the
// Windows notifications of the children (WM_COMMAND codes, WM_NOTIFY, trackbar scrolling)
// into portable notifications that go up the control's handler chain.
//
// A process-wide map finds the container of a platform window (GUIGetQvGUIContainer); the
// platform windows enter themselves when they are created.
#pragma once
#include <framework.h>
#include <vekkel.h>

#include "QvCommandHandler.h"
#include "QvControl.h"
#include "quarnel_api.h"

class QvStaticText;
class QvEditText;
class QvPassEditText;
class QvPushButton;
class QvRadioButton;
class QvCheckBox;
class QvGroupBox;
class QvListBox;
class QvComboBox;
class QvEditComboBox;
class QvFontsComboBox;
class QvZoomComboBox;
class QvPatternComboBox;
class QvDateTimeCtrl;
class QvRichText;
class QvSpinner;
class QvSlider;
class QvProgressBar;
class QvToolNail;
class QvMCListBox;
class QvTreeList;
class QvCheckTreeList;
class QvImageCtrl;

// The help command: enabled by a container that has a help id.
enum { ID_QV_HELP = 40840 };

class QUARNEL_API QvRootGUIContainer : public QvFirst, public QvCommandHandler {
  QV_DECLARE_CLASS(QvRootGUIContainer)
 public:
  QvRootGUIContainer(QvCommandHandler* parent, unsigned long helpId);
  ~QvRootGUIContainer() override;

  virtual bool CreatePlatform(bool flag) = 0;
  virtual CWnd* OnCreatePlatform() = 0;
  virtual void DestroyPlatform() = 0;
  virtual bool OnSystemClose() = 0;
  virtual void OnTerminate() = 0;
  virtual unsigned short GetCaption(QvString& text) = 0;
  virtual void SetCaption(const QvString& text) = 0;
  virtual void SetTooltip(unsigned short toolId, const QvString& text) = 0;
  virtual void SetTooltipByCmd(unsigned short toolId, unsigned short commandId) = 0;
  virtual void Show(bool show) = 0;
  virtual bool IsVisible() = 0;
  virtual bool OnSaveUserPrefs(const char* name);     // true
  virtual bool OnRestoreUserPrefs(const char* name);  // true
  virtual void UpdateView(unsigned long hint, void* data);  // nothing

  // Enables the help command when the container has a help id; else asks the parent.
  bool OnUpdateCommandStatus(QvCommandStatus& status) override;

  unsigned long GetHelpID() const { return m_helpID; }
  void SetHelpID(unsigned long helpId) { m_helpID = helpId; }
  // The preferences live under "%QVDESKTOPCFG%\%CURRENT_USER_PREFS%\" + name.
  void SetUserPrefsRegistryName(const char* name);
  const QvString& GetUserPrefsRegistryName() const { return m_userPrefsName; }
  // False without a registry name; else OnSaveUserPrefs / OnRestoreUserPrefs of the name.
  bool SaveUserPrefs();
  bool RestoreUserPrefs();

 protected:
  unsigned long m_helpID;
  QvString m_userPrefsName;
};

class QUARNEL_API QvGUIContainer : public QvRootGUIContainer {
  QV_DECLARE_CLASS(QvGUIContainer)
 public:
  QvGUIContainer(QvCommandHandler* parent, unsigned long helpId);
  // Deletes its controls and leaves the window map; a notification it is dispatching ends
  // without touching it.
  ~QvGUIContainer() override;

  // The window of OnCreatePlatform becomes the platform window; false when it gives none.
  bool CreatePlatform(bool flag) override;
  CWnd* OnCreatePlatform() override;  // none here
  void DestroyPlatform() override;    // destroys the window and forgets it
  bool OnSystemClose() override;      // true
  void OnTerminate() override;        // nothing
  // The window text as UTF-8 and its length in UTF-16 units; 0 (text untouched) when empty.
  unsigned short GetCaption(QvString& text) override;
  void SetCaption(const QvString& text) override;
  void SetTooltip(unsigned short toolId, const QvString& text) override;  // nothing here
  // The tooltip of the command the id is redirected to at present (or of the id itself).
  void SetTooltipByCmd(unsigned short toolId, unsigned short commandId) override;
  void Show(bool show) override;  // shown without activation, and painted
  bool IsVisible() override;

  void SetMFCCWnd(CWnd* window) { m_platformWindow = window; }
  CWnd* GetMFCCWnd() const { return m_platformWindow; }

  // The control entered under the id; null for 0 or none.
  QvControl* LookupControl(unsigned short id);
  // The control of the dialog child with that id, of the class or one registered below it:
  // the one entered under the id, else a new one bound to the child and entered. Its parent
  // handler becomes the container, and a non-zero label becomes its text. False (and null)
  // when the entered control is of another kind, or no control of the class can be made and
  // bound to the child.
  bool GetOrCreateControl(const QvRuntimeClass* controlClass, QvControl*& control, unsigned short id,
                          unsigned long labelId);

  // GetOrCreateControl for each control kind: the control of the dialog child `id` as that
  // kind, entered and bound on first use; null and false when it cannot be had.
  bool GetControlFromID(QvStaticText*& out, unsigned short id, unsigned long labelId);
  bool GetControlFromID(QvEditText*& out, unsigned short id, unsigned long labelId);
  bool GetControlFromID(QvPassEditText*& out, unsigned short id, unsigned long labelId);
  bool GetControlFromID(QvPushButton*& out, unsigned short id, unsigned long labelId);
  bool GetControlFromID(QvRadioButton*& out, unsigned short id, unsigned long labelId);
  bool GetControlFromID(QvCheckBox*& out, unsigned short id, unsigned long labelId);
  bool GetControlFromID(QvGroupBox*& out, unsigned short id, unsigned long labelId);
  bool GetControlFromID(QvListBox*& out, unsigned short id, unsigned long labelId);
  bool GetControlFromID(QvComboBox*& out, unsigned short id, unsigned long labelId);
  bool GetControlFromID(QvEditComboBox*& out, unsigned short id, unsigned long labelId);
  bool GetControlFromID(QvFontsComboBox*& out, unsigned short id, unsigned long labelId);
  bool GetControlFromID(QvZoomComboBox*& out, unsigned short id, unsigned long labelId);
  bool GetControlFromID(QvPatternComboBox*& out, unsigned short id, unsigned long labelId);
  bool GetControlFromID(QvDateTimeCtrl*& out, unsigned short id, unsigned long labelId);  // with the date/time control
  bool GetControlFromID(QvRichText*& out, unsigned short id, unsigned long labelId);  // with the rich-text label
  bool GetControlFromID(QvSpinner*& out, unsigned short id, unsigned long labelId);
  bool GetControlFromID(QvSlider*& out, unsigned short id, unsigned long labelId);
  bool GetControlFromID(QvProgressBar*& out, unsigned short id, unsigned long labelId);
  bool GetControlFromID(QvToolNail*& out, unsigned short id, unsigned long labelId);  // with the nail strip
  bool GetControlFromID(QvMCListBox*& out, unsigned short id, unsigned long labelId);  // with the list views
  bool GetControlFromID(QvTreeList*& out, unsigned short id, unsigned long labelId);  // with the tree list
  bool GetControlFromID(QvCheckTreeList*& out, unsigned short id, unsigned long labelId);  // with the tree list
  bool GetControlFromID(QvImageCtrl*& out, unsigned short id, unsigned long labelId);

  // The portable class of a dialog child by its window class and style (null when none).
  static const QvRuntimeClass* GetControlClassForChild(HWND child);

  // The notification of the child with that id, translated and handed to its control (see
  // GUITranslateControlNotification).
  bool TranslateControlNotification(unsigned short id, int code, AFX_NOTIFY* record);

 private:
  // A notification being dispatched: told when the container goes meanwhile.
  struct Dispatch {
    bool gone = false;
    Dispatch* next = nullptr;
    QvControl* temporary = nullptr;  // a control made for this notification only
    bool kept = false;               // ... that a handler asked the container for: it stays
  };
  CWnd* m_platformWindow = nullptr;
  QvMapUShortLPQvFirst m_controls;  // owned
  Dispatch* m_dispatches = nullptr;  // notifications being dispatched, innermost first
};

// The container entered for the window; null when none.
QUARNEL_API QvGUIContainer* GUIGetQvGUIContainer(CWnd* window);
// Enters or replaces the pair; a null container removes the window's entry.
QUARNEL_API void GUISetQvGUIContainer(CWnd* window, QvGUIContainer* container);

// Turns the Windows notification `code` of the container's child `id` (a WM_COMMAND code, a
// WM_NOTIFY code with the record {result, header}, or a trackbar scroll code) into a portable
// notification and hands it to the child's control, made and bound for the call when none is
// entered. A control made for the call is deleted after it (the notification's control
// pointer is good for the call only), unless a handler asked the container for it
// (GetControlFromID): then it stays entered, owned by the container. True when a handler
// took it; a taken WM_NOTIFY whose result is still 0 gets the notification's result.
QUARNEL_API bool GUITranslateControlNotification(QvGUIContainer* container, unsigned short id, int code,
                                                 AFX_NOTIFY* record);

// While set, an edit window's EN_UPDATE is not translated (the text is being set by program).
QUARNEL_API bool Get_EditTextSetByProgram();
QUARNEL_API void Set_EditTextSetByProgram(bool set);

// WM_CTLCOLOR of a portable dialog: a child whose portable control has a text colour draws
// its text in it, except a rich-text label (CGUIRichText), which keeps its own colours. The
// caller chooses the brush.
QUARNEL_API void GUIOnCtlColor(CWnd* dialog, CDC* dc, CWnd* child, UINT ctlColor);

// In the source of a control kind that lives in an area above this one: registers the kind's
// platform class when the library loads and defines the containers' typed lookup of it.
#define QV_CONTROL_KIND(Kind, PlatformClass)                                                            \
  namespace {                                                                                          \
  struct Kind##Binding {                                                                               \
    Kind##Binding() { QvControl::SetPlatformClass(QV_RUNTIME_CLASS(Kind), RUNTIME_CLASS(PlatformClass)); } \
  };                                                                                                   \
  Kind##Binding s_##Kind##Binding;                                                                     \
  }                                                                                                    \
  bool QvGUIContainer::GetControlFromID(Kind*& out, unsigned short id, unsigned long labelId) {        \
    QvControl* control = nullptr;                                                                      \
    out = GetOrCreateControl(QV_RUNTIME_CLASS(Kind), control, id, labelId) ? dynamic_cast<Kind*>(control) \
                                                                           : nullptr;                   \
    return out != nullptr;                                                                             \
  }
