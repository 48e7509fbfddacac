// Command targets, message maps, update probes and the framework's private messages.
//
// A class that handles messages or commands declares DECLARE_MESSAGE_MAP() and lists its
// handlers between BEGIN_MESSAGE_MAP(theClass, baseClass) and END_MESSAGE_MAP(); a map chains
// to its base class's map, so a handler of a base is found when the class has none. The entry
// macros (ON_COMMAND, ON_WM_PAINT, ...) are in fw_msgmap.h.
#pragma once
#include "fw_object.h"
#include "fw_module.h"

#include <unknwn.h>

class CCmdTarget;
struct AFX_INTERFACEMAP;
struct AFX_DISPMAP;
class CCmdUI;
class CMenu;
class CWnd;

// The framework's private window messages.
#define WM_QUERYAFXWNDPROC 0x0360   // answers 1 from a framework window procedure
#define WM_SIZEPARENT 0x0361        // lParam: AFX_SIZEPARENTPARAMS*; bars take their room
#define WM_SETMESSAGESTRING 0x0362  // wParam: string id, or lParam: text; 0xE001 idle prompt
#define WM_IDLEUPDATECMDUI 0x0363   // wParam: disable controls without a handler
#define WM_INITIALUPDATE 0x0364
#define WM_COMMANDHELP 0x0365       // lParam: help context; answers TRUE when handled
#define WM_HELPHITTEST 0x0366       // lParam: point; answers a help context
#define WM_EXITHELPMODE 0x0367
#define WM_RECALCPARENT 0x0368
#define WM_SIZECHILD 0x0369
#define WM_KICKIDLE 0x036A          // sent to a window running a modal loop while idle
#define WM_QUERYCENTERWND 0x036B
#define WM_DISABLEMODAL 0x036C
#define WM_FLOATSTATUS 0x036D       // wParam: FS_* flags
#define WM_ACTIVATETOPLEVEL 0x036E
#define WM_POPMESSAGESTRING 0x0375
// Notifications reflected to the child that sent them arrive as WM_REFLECT_BASE + message.
#define WM_REFLECT_BASE 0xBC00

// WM_FLOATSTATUS flags.
#define FS_SHOW 0x01
#define FS_HIDE 0x02
#define FS_ACTIVATE 0x04
#define FS_DEACTIVATE 0x08
#define FS_ENABLE 0x10
#define FS_DISABLE 0x20
#define FS_SYNCACTIVE 0x40

// Id of the idle prompt of the status bar.
#define AFX_IDS_IDLEMESSAGE 0xE001

// OnCmdMsg codes: a command, or an update probe (pExtra is the CCmdUI*). Notifications route
// with MAKELONG(notification code, WM_NOTIFY) and an AFX_NOTIFY* as pExtra.
#define CN_COMMAND 0
#define CN_UPDATE_COMMAND_UI ((UINT)(-1))

// Record of WM_SIZEPARENT: the parent's remaining rectangle, which each bar shrinks by what
// it takes; hDWP collects the moves (NULL: only measure).
struct AFX_SIZEPARENTPARAMS {
  HDWP hDWP;
  RECT rect;
  SIZE sizeTotal;
  BOOL bStretch;
};

// WM_NOTIFY routed through OnCmdMsg.
struct AFX_NOTIFY {
  LRESULT* pResult;
  NMHDR* pNMHDR;
};

// The colour message handed to a WM_CTLCOLOR entry.
struct AFX_CTLCOLOR {
  HWND hWnd;
  HDC hDC;
  UINT nCtlType;
};

typedef void (CCmdTarget::*AFX_PMSG)();

// What OnCmdMsg found when asked with a handler-info record instead of running it.
struct AFX_CMDHANDLERINFO {
  CCmdTarget* pTarget;
  AFX_PMSG pmf;
};

// One line of a message map. nSig tells how to call pfn (enum AfxSig); for registered
// messages it holds the address of the UINT message variable.
struct AFX_MSGMAP_ENTRY {
  UINT nMessage;
  UINT nCode;
  UINT nID;
  UINT nLastID;
  UINT_PTR nSig;
  AFX_PMSG pfn;
};

struct AFX_MSGMAP {
  const AFX_MSGMAP* (PASCAL* pfnGetBaseMap)();
  const AFX_MSGMAP_ENTRY* lpEntries;
};

class FW_API CCmdTarget : public CObject {
  DECLARE_DYNAMIC(CCmdTarget)
 public:
  CCmdTarget() = default;
  ~CCmdTarget() override = default;

  // Routes a command, update probe or notification through this target's message map.
  // With pHandlerInfo, only says whether a handler exists and fills it in.
  virtual BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo);

  // The wait cursor of the application (nesting counted by CWinApp::DoWaitCursor).
  void BeginWaitCursor();
  void EndWaitCursor();
  void RestoreWaitCursor();

  // COM side (interface maps and macros in fw_ole.h). The object starts with one reference;
  // the last Release calls OnFinalRelease, which deletes it. Interfaces are found by IID in
  // the class's interface map, then its bases' maps; IID_IUnknown answers the first part.
  HRESULT InternalQueryInterface(const void* iid, LPVOID* ppvObj);
  ULONG InternalAddRef();
  ULONG InternalRelease();
  // The same through the controlling unknown when the object is aggregated.
  HRESULT ExternalQueryInterface(const void* iid, LPVOID* ppvObj);
  ULONG ExternalAddRef();
  ULONG ExternalRelease();
  // The interface for iid without a reference; NULL when the object has none.
  LPUNKNOWN GetInterface(const void* iid);
  LPUNKNOWN GetControllingUnknown();
  virtual void OnFinalRelease();
  // Asked before the interface map; an object may answer an IID there.
  virtual LPUNKNOWN GetInterfaceHook(const void* iid);
  // Called once the object has its outer unknown (when aggregated); FALSE fails creation.
  virtual BOOL OnCreateAggregates();

  // Automation (dispatch maps in fw_disp.h): after EnableAutomation (from the constructor)
  // the object answers IDispatch through its dispatch map. GetIDispatch gives that interface
  // (with a reference when bAddRef), NULL when automation is not enabled.
  void EnableAutomation();
  LPDISPATCH GetIDispatch(BOOL bAddRef);
  BOOL IsAutomationEnabled() const { return m_xDispatch != 0; }

  long m_dwRef = 1;
  LPUNKNOWN m_pOuterUnknown = NULL;  // the controlling unknown while aggregated
  DWORD_PTR m_xInnerUnknown = 0;     // the non-delegating unknown, once aggregation is enabled
  DWORD_PTR m_xDispatch = 0;         // the IDispatch part, once automation is enabled
  AFX_MODULE_STATE* m_pModuleState = AfxGetModuleState();  // switched to by interface methods

 protected:
  // Makes the object aggregatable (call from the constructor).
  void EnableAggregation();
  static const AFX_INTERFACEMAP* PASCAL GetThisInterfaceMap();
  virtual const AFX_INTERFACEMAP* GetInterfaceMap() const;
  static const AFX_DISPMAP* PASCAL GetThisDispatchMap();
  virtual const AFX_DISPMAP* GetDispatchMap() const;

  static const AFX_MSGMAP* PASCAL GetThisMessageMap();
  // The same map for every object of a class: lookups are cached per class.
  virtual const AFX_MSGMAP* GetMessageMap() const;

  friend class CWnd;
};

// Finds the entry of a map (not its bases) for a window message; NULL when none.
FW_API const AFX_MSGMAP_ENTRY* AFXAPI AfxFindMessageEntry(const AFX_MSGMAP_ENTRY* lpEntry, UINT nMsg,
                                                          UINT nCode, UINT nID);

// An update probe: asks the command routing whether a menu item, button or control is
// enabled, checked or has another text. Derived probes map the answers onto their UI.
class FW_API CCmdUI {
 public:
  CCmdUI() = default;
  virtual ~CCmdUI() = default;

  UINT m_nID = 0;
  UINT m_nIndex = 0;         // menu item position, or button index
  CMenu* m_pMenu = NULL;     // the menu of the item, or NULL
  CMenu* m_pSubMenu = NULL;  // the item's popup, when the item opens one
  CMenu* m_pParentMenu = NULL;
  CWnd* m_pOther = NULL;     // the control or bar of the item, or NULL
  BOOL m_bEnableChanged = FALSE;
  BOOL m_bContinueRouting = FALSE;
  UINT m_nIndexMax = 0;      // menu item count while walking a menu

  virtual void Enable(BOOL bOn = TRUE);
  virtual void SetCheck(int nCheck = 1);  // 0 off, 1 on, 2 indeterminate
  virtual void SetRadio(BOOL bOn = TRUE);
  virtual void SetText(LPCTSTR lpszText);

  // The handler lets the probe go on to the next target of the route.
  void ContinueRouting();

  // Asks pTarget; without an update handler, disables the item when bDisableIfNoHndler is
  // set and no command handler exists either.
  void DoUpdate(CCmdTarget* pTarget, BOOL bDisableIfNoHndler);
};

#define DECLARE_MESSAGE_MAP()                             \
 protected:                                               \
  static const AFX_MSGMAP* PASCAL GetThisMessageMap();    \
  const AFX_MSGMAP* GetMessageMap() const override;       \
                                                          \
 private:

#define BEGIN_MESSAGE_MAP(theClass, baseClass)                                      \
  const AFX_MSGMAP* theClass::GetMessageMap() const { return GetThisMessageMap(); } \
  const AFX_MSGMAP* PASCAL theClass::GetThisMessageMap() {                          \
    using ThisClass [[maybe_unused]] = theClass;                                    \
    using TheBaseClass = baseClass;                                                 \
    static const AFX_MSGMAP_ENTRY _messageEntries[] = {
#define END_MESSAGE_MAP()                                                           \
  {0, 0, 0, 0, 0, (AFX_PMSG)0}                                                      \
  }                                                                                 \
  ;                                                                                 \
  static const AFX_MSGMAP messageMap = {&TheBaseClass::GetThisMessageMap, &_messageEntries[0]}; \
  return &messageMap;                                                               \
  }

// A class template's map: BEGIN_TEMPLATE_MESSAGE_MAP(CFoo, T, CBase) ... END_MESSAGE_MAP().
#define BEGIN_TEMPLATE_MESSAGE_MAP(theClass, type_name, baseClass)                         \
  template <typename type_name>                                                           \
  const AFX_MSGMAP* theClass<type_name>::GetMessageMap() const {                          \
    return GetThisMessageMap();                                                           \
  }                                                                                       \
  template <typename type_name>                                                           \
  const AFX_MSGMAP* PASCAL theClass<type_name>::GetThisMessageMap() {                     \
    using ThisClass [[maybe_unused]] = theClass<type_name>;                               \
    using TheBaseClass = baseClass;                                                       \
    static const AFX_MSGMAP_ENTRY _messageEntries[] = {
