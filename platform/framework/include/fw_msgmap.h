// Message-map entries: the macros that go between BEGIN_MESSAGE_MAP and END_MESSAGE_MAP.
//
// Each entry names a handler of a fixed signature; the signature is checked where the entry is
// written, and the dispatcher cracks wParam/lParam into the typed arguments.
#pragma once
#include "fw_cmdtarget.h"

class CDC;
class CScrollBar;
class CListBox;
class CWinThread;

// The 16-bit colour message; the WM_CTLCOLOR* messages reach a WM_CTLCOLOR entry.
#ifndef WM_CTLCOLOR
#define WM_CTLCOLOR 0x0019
#endif

// How a handler is called.
enum AfxSig : UINT_PTR {
  AfxSig_end = 0,
  // Commands and notifications (through OnCmdMsg).
  AfxSig_vv,         // void ()
  AfxSig_bv,         // BOOL ()
  AfxSig_vw,         // void (UINT id)
  AfxSig_bw,         // BOOL (UINT id)
  AfxSig_cmdui,      // void (CCmdUI*)
  AfxSig_vNMHDRpl,   // void (NMHDR*, LRESULT*)
  AfxSig_bNMHDRpl,   // BOOL (NMHDR*, LRESULT*)
  AfxSig_vwNMHDRpl,  // void (UINT id, NMHDR*, LRESULT*)
  AfxSig_bwNMHDRpl,  // BOOL (UINT id, NMHDR*, LRESULT*)
  // Window messages (through OnWndMsg).
  AfxSig_lwl,        // LRESULT (WPARAM, LPARAM)
  AfxSig_vwl,        // void (WPARAM, LPARAM): thread messages
  AfxSig_is,         // int (LPCREATESTRUCT)
  AfxSig_bs,         // BOOL (LPCREATESTRUCT)
  AfxSig_vwii,       // void (UINT, int, int)
  AfxSig_vii,        // void (int, int)
  AfxSig_vwp,        // void (UINT, CPoint)
  AfxSig_bwsp,       // BOOL (UINT, short, CPoint)
  AfxSig_vwwp,       // void (UINT, UINT, CPoint)
  AfxSig_vwww,       // void (UINT, UINT, UINT)
  AfxSig_vW,         // void (CWnd*)
  AfxSig_vt,         // void (UINT_PTR)
  AfxSig_vwwW,       // void (UINT, UINT, CScrollBar*)
  AfxSig_vww,        // void (UINT, UINT)
  AfxSig_bWww,       // BOOL (CWnd*, UINT, UINT)
  AfxSig_iWww,       // int (CWnd*, UINT, UINT)
  AfxSig_lp,         // LRESULT (CPoint)
  AfxSig_wv,         // UINT ()
  AfxSig_bD,         // BOOL (CDC*)
  AfxSig_vD,         // void (CDC*)
  AfxSig_hDWw,       // HBRUSH (CDC*, CWnd*, UINT)
  AfxSig_hDw,        // HBRUSH (CDC*, UINT)
  AfxSig_viDRAW,     // void (int, LPDRAWITEMSTRUCT)
  AfxSig_viMEASURE,  // void (int, LPMEASUREITEMSTRUCT)
  AfxSig_iiCOMPARE,  // int (int, LPCOMPAREITEMSTRUCT)
  AfxSig_viDELETE,   // void (int, LPDELETEITEMSTRUCT)
  AfxSig_vDRAW,      // void (LPDRAWITEMSTRUCT)
  AfxSig_vMEASURE,   // void (LPMEASUREITEMSTRUCT)
  AfxSig_iCOMPARE,   // int (LPCOMPAREITEMSTRUCT)
  AfxSig_vDELETE,    // void (LPDELETEITEMSTRUCT)
  AfxSig_iwLw,       // int (UINT, CListBox*, UINT)
  AfxSig_iww,        // int (UINT, UINT)
  AfxSig_vwL,        // void (UINT, LPARAM)
  AfxSig_vbw,        // void (BOOL, UINT)
  AfxSig_vwWb,       // void (UINT, CWnd*, BOOL)
  AfxSig_vbh,        // void (BOOL, DWORD)
  AfxSig_vb,         // void (BOOL)
  AfxSig_bb,         // BOOL (BOOL)
  AfxSig_vMINMAX,    // void (MINMAXINFO*)
  AfxSig_vPOS,       // void (WINDOWPOS*)
  AfxSig_vCALC,      // void (BOOL, NCCALCSIZE_PARAMS*)
  AfxSig_vWp,        // void (CWnd*, CPoint)
  AfxSig_vM,         // void (CMenu*)
  AfxSig_vMwb,       // void (CMenu*, UINT, BOOL)
  AfxSig_vwwh,       // void (UINT, UINT, HMENU)
  AfxSig_lwwM,       // LRESULT (UINT, UINT, CMenu*)
  AfxSig_vwW,        // void (UINT, CWnd*)
  AfxSig_vwR,        // void (UINT, LPRECT)
  AfxSig_vws,        // void (UINT, LPCTSTR)
  AfxSig_bHELPINFO,  // BOOL (HELPINFO*)
  AfxSig_hv,         // HCURSOR ()
  AfxSig_viSTYLE,    // void (int, LPSTYLESTRUCT)
  AfxSig_vbWW,       // void (BOOL, CWnd*, CWnd*)
  AfxSig_bWCDS,      // BOOL (CWnd*, COPYDATASTRUCT*)
  AfxSig_max
};

// Member-pointer conversions of the entry macros and the dispatcher (the handler's exact
// type is checked by the static_cast inside each macro).
template <class F>
inline AFX_PMSG AfxPmsgCast(F f) noexcept {
  static_assert(sizeof(F) == sizeof(AFX_PMSG), "member function pointer size");
  union {
    F f;
    AFX_PMSG p;
  } u;
  u.f = f;
  return u.p;
}
template <class F>
inline F AfxPmsgTo(AFX_PMSG p) noexcept {
  union {
    AFX_PMSG p;
    F f;
  } u;
  u.p = p;
  return u.f;
}

#define FW_PMSG(type, fn) AfxPmsgCast(static_cast<type>(fn))
#define FW_WM(msg, sig, type, fn) {msg, 0, 0, 0, sig, FW_PMSG(type, &ThisClass::fn)},
#define FW_WM_REFLECT(msg, sig, type, fn) {WM_REFLECT_BASE + (msg), 0, 0, 0, sig, FW_PMSG(type, &ThisClass::fn)},

// Commands, notifications and messages name their handler in full: &CMyWnd::OnThing.
#define ON_COMMAND(id, memberFxn) \
  {WM_COMMAND, CN_COMMAND, (WORD)(id), (WORD)(id), AfxSig_vv, FW_PMSG(void (CCmdTarget::*)(), memberFxn)},
#define ON_COMMAND_EX(id, memberFxn) \
  {WM_COMMAND, CN_COMMAND, (WORD)(id), (WORD)(id), AfxSig_bw, FW_PMSG(BOOL (CCmdTarget::*)(UINT), memberFxn)},
#define ON_COMMAND_RANGE(id, idLast, memberFxn) \
  {WM_COMMAND, CN_COMMAND, (WORD)(id), (WORD)(idLast), AfxSig_vw, FW_PMSG(void (CCmdTarget::*)(UINT), memberFxn)},
#define ON_COMMAND_EX_RANGE(id, idLast, memberFxn) \
  {WM_COMMAND, CN_COMMAND, (WORD)(id), (WORD)(idLast), AfxSig_bw, FW_PMSG(BOOL (CCmdTarget::*)(UINT), memberFxn)},
#define ON_UPDATE_COMMAND_UI(id, memberFxn) \
  {WM_COMMAND, CN_UPDATE_COMMAND_UI, (WORD)(id), (WORD)(id), AfxSig_cmdui, FW_PMSG(void (CCmdTarget::*)(CCmdUI*), memberFxn)},
#define ON_UPDATE_COMMAND_UI_RANGE(id, idLast, memberFxn)                                   \
  {WM_COMMAND, CN_UPDATE_COMMAND_UI, (WORD)(id), (WORD)(idLast), AfxSig_cmdui,             \
   FW_PMSG(void (CCmdTarget::*)(CCmdUI*), memberFxn)},
// A control's WM_COMMAND notification with code wNotifyCode.
#define ON_CONTROL(wNotifyCode, id, memberFxn) \
  {WM_COMMAND, (WORD)(wNotifyCode), (WORD)(id), (WORD)(id), AfxSig_vv, FW_PMSG(void (CCmdTarget::*)(), memberFxn)},
#define ON_CONTROL_RANGE(wNotifyCode, id, idLast, memberFxn)                                \
  {WM_COMMAND, (WORD)(wNotifyCode), (WORD)(id), (WORD)(idLast), AfxSig_vw,                 \
   FW_PMSG(void (CCmdTarget::*)(UINT), memberFxn)},

// WM_NOTIFY from a child (id is the child's control id).
#define ON_NOTIFY(wNotifyCode, id, memberFxn)                                               \
  {WM_NOTIFY, (WORD)(int)(wNotifyCode), (WORD)(id), (WORD)(id), AfxSig_vNMHDRpl,           \
   FW_PMSG(void (CCmdTarget::*)(NMHDR*, LRESULT*), memberFxn)},
#define ON_NOTIFY_RANGE(wNotifyCode, id, idLast, memberFxn)                                 \
  {WM_NOTIFY, (WORD)(int)(wNotifyCode), (WORD)(id), (WORD)(idLast), AfxSig_vwNMHDRpl,      \
   FW_PMSG(void (CCmdTarget::*)(UINT, NMHDR*, LRESULT*), memberFxn)},
// The _EX forms answer whether they handled it; FALSE lets routing go on.
#define ON_NOTIFY_EX(wNotifyCode, id, memberFxn)                                            \
  {WM_NOTIFY, (WORD)(int)(wNotifyCode), (WORD)(id), (WORD)(id), AfxSig_bwNMHDRpl,          \
   FW_PMSG(BOOL (CCmdTarget::*)(UINT, NMHDR*, LRESULT*), memberFxn)},
#define ON_NOTIFY_EX_RANGE(wNotifyCode, id, idLast, memberFxn)                              \
  {WM_NOTIFY, (WORD)(int)(wNotifyCode), (WORD)(id), (WORD)(idLast), AfxSig_bwNMHDRpl,      \
   FW_PMSG(BOOL (CCmdTarget::*)(UINT, NMHDR*, LRESULT*), memberFxn)},

// Notifications reflected back to the control that sent them. The _EX forms answer
// whether the parent should not see it too (FALSE: the parent handles it as well).
#define ON_NOTIFY_REFLECT(wNotifyCode, memberFxn)                                           \
  {WM_REFLECT_BASE + WM_NOTIFY, (WORD)(int)(wNotifyCode), 0, 0, AfxSig_vNMHDRpl,           \
   FW_PMSG(void (CCmdTarget::*)(NMHDR*, LRESULT*), memberFxn)},
#define ON_NOTIFY_REFLECT_EX(wNotifyCode, memberFxn)                                        \
  {WM_REFLECT_BASE + WM_NOTIFY, (WORD)(int)(wNotifyCode), 0, 0, AfxSig_bNMHDRpl,           \
   FW_PMSG(BOOL (CCmdTarget::*)(NMHDR*, LRESULT*), memberFxn)},
#define ON_CONTROL_REFLECT(wNotifyCode, memberFxn)                                          \
  {WM_REFLECT_BASE + WM_COMMAND, (WORD)(wNotifyCode), 0, 0, AfxSig_vv,                     \
   FW_PMSG(void (CCmdTarget::*)(), memberFxn)},
#define ON_CONTROL_REFLECT_EX(wNotifyCode, memberFxn)                                       \
  {WM_REFLECT_BASE + WM_COMMAND, (WORD)(wNotifyCode), 0, 0, AfxSig_bv,                     \
   FW_PMSG(BOOL (CCmdTarget::*)(), memberFxn)},

// Any message: LRESULT memberFxn(WPARAM, LPARAM).
#define ON_MESSAGE(message, memberFxn) \
  {(UINT)(message), 0, 0, 0, AfxSig_lwl, FW_PMSG(LRESULT (CWnd::*)(WPARAM, LPARAM), memberFxn)},
// A message registered at run time; nMessageVariable is the UINT that holds its number.
#define ON_REGISTERED_MESSAGE(nMessageVariable, memberFxn)                                  \
  {0xC000, 0, 0, 0, (UINT_PTR)(UINT*)(&nMessageVariable),                                  \
   FW_PMSG(LRESULT (CWnd::*)(WPARAM, LPARAM), memberFxn)},
// A message posted to the thread (no window): void memberFxn(WPARAM, LPARAM) of a CWinThread.
#define ON_THREAD_MESSAGE(message, memberFxn) \
  {(UINT)(message), 0, 0, 0, AfxSig_vwl, FW_PMSG(void (CWinThread::*)(WPARAM, LPARAM), memberFxn)},
#define ON_REGISTERED_THREAD_MESSAGE(nMessageVariable, memberFxn)                           \
  {0xC000, 0, 0, 1, (UINT_PTR)(UINT*)(&nMessageVariable),                                  \
   FW_PMSG(void (CWinThread::*)(WPARAM, LPARAM), memberFxn)},

// Window messages, each to the handler of its usual name.
#define ON_WM_CREATE() FW_WM(WM_CREATE, AfxSig_is, int (CWnd::*)(LPCREATESTRUCT), OnCreate)
#define ON_WM_NCCREATE() FW_WM(WM_NCCREATE, AfxSig_bs, BOOL (CWnd::*)(LPCREATESTRUCT), OnNcCreate)
#define ON_WM_DESTROY() FW_WM(WM_DESTROY, AfxSig_vv, void (CWnd::*)(), OnDestroy)
#define ON_WM_NCDESTROY() FW_WM(WM_NCDESTROY, AfxSig_vv, void (CWnd::*)(), OnNcDestroy)
#define ON_WM_CLOSE() FW_WM(WM_CLOSE, AfxSig_vv, void (CWnd::*)(), OnClose)
#define ON_WM_PAINT() FW_WM(WM_PAINT, AfxSig_vv, void (CWnd::*)(), OnPaint)
#define ON_WM_NCPAINT() FW_WM(WM_NCPAINT, AfxSig_vv, void (CWnd::*)(), OnNcPaint)
#define ON_WM_ERASEBKGND() FW_WM(WM_ERASEBKGND, AfxSig_bD, BOOL (CWnd::*)(CDC*), OnEraseBkgnd)
#define ON_WM_ICONERASEBKGND() FW_WM(WM_ICONERASEBKGND, AfxSig_vD, void (CWnd::*)(CDC*), OnIconEraseBkgnd)
#define ON_WM_SIZE() FW_WM(WM_SIZE, AfxSig_vwii, void (CWnd::*)(UINT, int, int), OnSize)
#define ON_WM_MOVE() FW_WM(WM_MOVE, AfxSig_vii, void (CWnd::*)(int, int), OnMove)
#define ON_WM_SIZING() FW_WM(WM_SIZING, AfxSig_vwR, void (CWnd::*)(UINT, LPRECT), OnSizing)
#define ON_WM_MOVING() FW_WM(WM_MOVING, AfxSig_vwR, void (CWnd::*)(UINT, LPRECT), OnMoving)
#define ON_WM_EXITSIZEMOVE() FW_WM(WM_EXITSIZEMOVE, AfxSig_vv, void (CWnd::*)(), OnExitSizeMove)
#define ON_WM_ENTERSIZEMOVE() FW_WM(WM_ENTERSIZEMOVE, AfxSig_vv, void (CWnd::*)(), OnEnterSizeMove)
#define ON_WM_GETMINMAXINFO() FW_WM(WM_GETMINMAXINFO, AfxSig_vMINMAX, void (CWnd::*)(MINMAXINFO*), OnGetMinMaxInfo)
#define ON_WM_WINDOWPOSCHANGING() \
  FW_WM(WM_WINDOWPOSCHANGING, AfxSig_vPOS, void (CWnd::*)(WINDOWPOS*), OnWindowPosChanging)
#define ON_WM_WINDOWPOSCHANGED() \
  FW_WM(WM_WINDOWPOSCHANGED, AfxSig_vPOS, void (CWnd::*)(WINDOWPOS*), OnWindowPosChanged)
#define ON_WM_NCCALCSIZE() \
  FW_WM(WM_NCCALCSIZE, AfxSig_vCALC, void (CWnd::*)(BOOL, NCCALCSIZE_PARAMS*), OnNcCalcSize)
#define ON_WM_NCHITTEST() FW_WM(WM_NCHITTEST, AfxSig_lp, LRESULT (CWnd::*)(CPoint), OnNcHitTest)
#define ON_WM_SHOWWINDOW() FW_WM(WM_SHOWWINDOW, AfxSig_vbw, void (CWnd::*)(BOOL, UINT), OnShowWindow)
#define ON_WM_ENABLE() FW_WM(WM_ENABLE, AfxSig_vb, void (CWnd::*)(BOOL), OnEnable)
#define ON_WM_ACTIVATE() FW_WM(WM_ACTIVATE, AfxSig_vwWb, void (CWnd::*)(UINT, CWnd*, BOOL), OnActivate)
#define ON_WM_ACTIVATEAPP() FW_WM(WM_ACTIVATEAPP, AfxSig_vbh, void (CWnd::*)(BOOL, DWORD), OnActivateApp)
#define ON_WM_NCACTIVATE() FW_WM(WM_NCACTIVATE, AfxSig_bb, BOOL (CWnd::*)(BOOL), OnNcActivate)
#define ON_WM_MOUSEACTIVATE() \
  FW_WM(WM_MOUSEACTIVATE, AfxSig_iWww, int (CWnd::*)(CWnd*, UINT, UINT), OnMouseActivate)
#define ON_WM_SETFOCUS() FW_WM(WM_SETFOCUS, AfxSig_vW, void (CWnd::*)(CWnd*), OnSetFocus)
#define ON_WM_KILLFOCUS() FW_WM(WM_KILLFOCUS, AfxSig_vW, void (CWnd::*)(CWnd*), OnKillFocus)
#define ON_WM_CAPTURECHANGED() FW_WM(WM_CAPTURECHANGED, AfxSig_vW, void (CWnd::*)(CWnd*), OnCaptureChanged)
#define ON_WM_CANCELMODE() FW_WM(WM_CANCELMODE, AfxSig_vv, void (CWnd::*)(), OnCancelMode)
#define ON_WM_TIMER() FW_WM(WM_TIMER, AfxSig_vt, void (CWnd::*)(UINT_PTR), OnTimer)
#define ON_WM_SETCURSOR() FW_WM(WM_SETCURSOR, AfxSig_bWww, BOOL (CWnd::*)(CWnd*, UINT, UINT), OnSetCursor)
#define ON_WM_GETDLGCODE() FW_WM(WM_GETDLGCODE, AfxSig_wv, UINT (CWnd::*)(), OnGetDlgCode)
#define ON_WM_SYSCOMMAND() FW_WM(WM_SYSCOMMAND, AfxSig_vwL, void (CWnd::*)(UINT, LPARAM), OnSysCommand)
#define ON_WM_PARENTNOTIFY() FW_WM(WM_PARENTNOTIFY, AfxSig_vwL, void (CWnd::*)(UINT, LPARAM), OnParentNotify)
#define ON_WM_CONTEXTMENU() FW_WM(WM_CONTEXTMENU, AfxSig_vWp, void (CWnd::*)(CWnd*, CPoint), OnContextMenu)
#define ON_WM_HELPINFO() FW_WM(WM_HELP, AfxSig_bHELPINFO, BOOL (CWnd::*)(HELPINFO*), OnHelpInfo)
#define ON_WM_SYSCOLORCHANGE() FW_WM(WM_SYSCOLORCHANGE, AfxSig_vv, void (CWnd::*)(), OnSysColorChange)
#define ON_WM_SETTINGCHANGE() FW_WM(WM_SETTINGCHANGE, AfxSig_vws, void (CWnd::*)(UINT, LPCTSTR), OnSettingChange)
#define ON_WM_QUERYNEWPALETTE() FW_WM(WM_QUERYNEWPALETTE, AfxSig_bv, BOOL (CWnd::*)(), OnQueryNewPalette)
#define ON_WM_PALETTECHANGED() FW_WM(WM_PALETTECHANGED, AfxSig_vW, void (CWnd::*)(CWnd*), OnPaletteChanged)
#define ON_WM_QUERYDRAGICON() FW_WM(WM_QUERYDRAGICON, AfxSig_hv, HCURSOR (CWnd::*)(), OnQueryDragIcon)
#define ON_WM_STYLECHANGED() FW_WM(WM_STYLECHANGED, AfxSig_viSTYLE, void (CWnd::*)(int, LPSTYLESTRUCT), OnStyleChanged)
#define ON_WM_STYLECHANGING() \
  FW_WM(WM_STYLECHANGING, AfxSig_viSTYLE, void (CWnd::*)(int, LPSTYLESTRUCT), OnStyleChanging)
#define ON_WM_MDIACTIVATE() FW_WM(WM_MDIACTIVATE, AfxSig_vbWW, void (CWnd::*)(BOOL, CWnd*, CWnd*), OnMDIActivate)
#define ON_WM_COPYDATA() FW_WM(WM_COPYDATA, AfxSig_bWCDS, BOOL (CWnd::*)(CWnd*, COPYDATASTRUCT*), OnCopyData)
#define ON_WM_HOTKEY() FW_WM(WM_HOTKEY, AfxSig_vwww, void (CWnd::*)(UINT, UINT, UINT), OnHotKey)

// Mouse.
#define ON_WM_MOUSEMOVE() FW_WM(WM_MOUSEMOVE, AfxSig_vwp, void (CWnd::*)(UINT, CPoint), OnMouseMove)
#define ON_WM_LBUTTONDOWN() FW_WM(WM_LBUTTONDOWN, AfxSig_vwp, void (CWnd::*)(UINT, CPoint), OnLButtonDown)
#define ON_WM_LBUTTONUP() FW_WM(WM_LBUTTONUP, AfxSig_vwp, void (CWnd::*)(UINT, CPoint), OnLButtonUp)
#define ON_WM_LBUTTONDBLCLK() FW_WM(WM_LBUTTONDBLCLK, AfxSig_vwp, void (CWnd::*)(UINT, CPoint), OnLButtonDblClk)
#define ON_WM_RBUTTONDOWN() FW_WM(WM_RBUTTONDOWN, AfxSig_vwp, void (CWnd::*)(UINT, CPoint), OnRButtonDown)
#define ON_WM_RBUTTONUP() FW_WM(WM_RBUTTONUP, AfxSig_vwp, void (CWnd::*)(UINT, CPoint), OnRButtonUp)
#define ON_WM_RBUTTONDBLCLK() FW_WM(WM_RBUTTONDBLCLK, AfxSig_vwp, void (CWnd::*)(UINT, CPoint), OnRButtonDblClk)
#define ON_WM_MBUTTONDOWN() FW_WM(WM_MBUTTONDOWN, AfxSig_vwp, void (CWnd::*)(UINT, CPoint), OnMButtonDown)
#define ON_WM_MBUTTONUP() FW_WM(WM_MBUTTONUP, AfxSig_vwp, void (CWnd::*)(UINT, CPoint), OnMButtonUp)
#define ON_WM_MBUTTONDBLCLK() FW_WM(WM_MBUTTONDBLCLK, AfxSig_vwp, void (CWnd::*)(UINT, CPoint), OnMButtonDblClk)
#define ON_WM_XBUTTONDOWN() FW_WM(WM_XBUTTONDOWN, AfxSig_vwwp, void (CWnd::*)(UINT, UINT, CPoint), OnXButtonDown)
#define ON_WM_XBUTTONUP() FW_WM(WM_XBUTTONUP, AfxSig_vwwp, void (CWnd::*)(UINT, UINT, CPoint), OnXButtonUp)
#define ON_WM_XBUTTONDBLCLK() \
  FW_WM(WM_XBUTTONDBLCLK, AfxSig_vwwp, void (CWnd::*)(UINT, UINT, CPoint), OnXButtonDblClk)
#define ON_WM_MOUSEWHEEL() FW_WM(WM_MOUSEWHEEL, AfxSig_bwsp, BOOL (CWnd::*)(UINT, short, CPoint), OnMouseWheel)
#define ON_WM_NCMOUSEMOVE() FW_WM(WM_NCMOUSEMOVE, AfxSig_vwp, void (CWnd::*)(UINT, CPoint), OnNcMouseMove)
#define ON_WM_NCLBUTTONDOWN() FW_WM(WM_NCLBUTTONDOWN, AfxSig_vwp, void (CWnd::*)(UINT, CPoint), OnNcLButtonDown)
#define ON_WM_NCLBUTTONUP() FW_WM(WM_NCLBUTTONUP, AfxSig_vwp, void (CWnd::*)(UINT, CPoint), OnNcLButtonUp)
#define ON_WM_NCLBUTTONDBLCLK() \
  FW_WM(WM_NCLBUTTONDBLCLK, AfxSig_vwp, void (CWnd::*)(UINT, CPoint), OnNcLButtonDblClk)
#define ON_WM_NCRBUTTONDOWN() FW_WM(WM_NCRBUTTONDOWN, AfxSig_vwp, void (CWnd::*)(UINT, CPoint), OnNcRButtonDown)
#define ON_WM_NCRBUTTONUP() FW_WM(WM_NCRBUTTONUP, AfxSig_vwp, void (CWnd::*)(UINT, CPoint), OnNcRButtonUp)
#define ON_WM_NCMBUTTONDOWN() FW_WM(WM_NCMBUTTONDOWN, AfxSig_vwp, void (CWnd::*)(UINT, CPoint), OnNcMButtonDown)

// Keyboard: nChar, nRepCnt (low word of lParam), nFlags (high word of lParam).
#define ON_WM_KEYDOWN() FW_WM(WM_KEYDOWN, AfxSig_vwww, void (CWnd::*)(UINT, UINT, UINT), OnKeyDown)
#define ON_WM_KEYUP() FW_WM(WM_KEYUP, AfxSig_vwww, void (CWnd::*)(UINT, UINT, UINT), OnKeyUp)
#define ON_WM_CHAR() FW_WM(WM_CHAR, AfxSig_vwww, void (CWnd::*)(UINT, UINT, UINT), OnChar)
#define ON_WM_DEADCHAR() FW_WM(WM_DEADCHAR, AfxSig_vwww, void (CWnd::*)(UINT, UINT, UINT), OnDeadChar)
#define ON_WM_SYSKEYDOWN() FW_WM(WM_SYSKEYDOWN, AfxSig_vwww, void (CWnd::*)(UINT, UINT, UINT), OnSysKeyDown)
#define ON_WM_SYSKEYUP() FW_WM(WM_SYSKEYUP, AfxSig_vwww, void (CWnd::*)(UINT, UINT, UINT), OnSysKeyUp)
#define ON_WM_SYSCHAR() FW_WM(WM_SYSCHAR, AfxSig_vwww, void (CWnd::*)(UINT, UINT, UINT), OnSysChar)
#define ON_WM_SYSDEADCHAR() FW_WM(WM_SYSDEADCHAR, AfxSig_vwww, void (CWnd::*)(UINT, UINT, UINT), OnSysDeadChar)

// Scrolling.
#define ON_WM_HSCROLL() FW_WM(WM_HSCROLL, AfxSig_vwwW, void (CWnd::*)(UINT, UINT, CScrollBar*), OnHScroll)
#define ON_WM_VSCROLL() FW_WM(WM_VSCROLL, AfxSig_vwwW, void (CWnd::*)(UINT, UINT, CScrollBar*), OnVScroll)

// Menus.
#define ON_WM_INITMENU() FW_WM(WM_INITMENU, AfxSig_vM, void (CWnd::*)(CMenu*), OnInitMenu)
#define ON_WM_INITMENUPOPUP() FW_WM(WM_INITMENUPOPUP, AfxSig_vMwb, void (CWnd::*)(CMenu*, UINT, BOOL), OnInitMenuPopup)
#define ON_WM_MENUSELECT() FW_WM(WM_MENUSELECT, AfxSig_vwwh, void (CWnd::*)(UINT, UINT, HMENU), OnMenuSelect)
#define ON_WM_MENUCHAR() FW_WM(WM_MENUCHAR, AfxSig_lwwM, LRESULT (CWnd::*)(UINT, UINT, CMenu*), OnMenuChar)
#define ON_WM_ENTERIDLE() FW_WM(WM_ENTERIDLE, AfxSig_vwW, void (CWnd::*)(UINT, CWnd*), OnEnterIdle)

// Owner draw and control colours sent to the parent.
#define ON_WM_CTLCOLOR() FW_WM(WM_CTLCOLOR, AfxSig_hDWw, HBRUSH (CWnd::*)(CDC*, CWnd*, UINT), OnCtlColor)
#define ON_WM_DRAWITEM() FW_WM(WM_DRAWITEM, AfxSig_viDRAW, void (CWnd::*)(int, LPDRAWITEMSTRUCT), OnDrawItem)
#define ON_WM_MEASUREITEM() \
  FW_WM(WM_MEASUREITEM, AfxSig_viMEASURE, void (CWnd::*)(int, LPMEASUREITEMSTRUCT), OnMeasureItem)
#define ON_WM_COMPAREITEM() \
  FW_WM(WM_COMPAREITEM, AfxSig_iiCOMPARE, int (CWnd::*)(int, LPCOMPAREITEMSTRUCT), OnCompareItem)
#define ON_WM_DELETEITEM() FW_WM(WM_DELETEITEM, AfxSig_viDELETE, void (CWnd::*)(int, LPDELETEITEMSTRUCT), OnDeleteItem)
#define ON_WM_CHARTOITEM() FW_WM(WM_CHARTOITEM, AfxSig_iwLw, int (CWnd::*)(UINT, CListBox*, UINT), OnCharToItem)
#define ON_WM_VKEYTOITEM() FW_WM(WM_VKEYTOITEM, AfxSig_iwLw, int (CWnd::*)(UINT, CListBox*, UINT), OnVKeyToItem)

// The same messages reflected to the control they concern.
#define ON_WM_CTLCOLOR_REFLECT() FW_WM_REFLECT(WM_CTLCOLOR, AfxSig_hDw, HBRUSH (CWnd::*)(CDC*, UINT), CtlColor)
#define ON_WM_DRAWITEM_REFLECT() FW_WM_REFLECT(WM_DRAWITEM, AfxSig_vDRAW, void (CWnd::*)(LPDRAWITEMSTRUCT), DrawItem)
#define ON_WM_MEASUREITEM_REFLECT() \
  FW_WM_REFLECT(WM_MEASUREITEM, AfxSig_vMEASURE, void (CWnd::*)(LPMEASUREITEMSTRUCT), MeasureItem)
#define ON_WM_COMPAREITEM_REFLECT() \
  FW_WM_REFLECT(WM_COMPAREITEM, AfxSig_iCOMPARE, int (CWnd::*)(LPCOMPAREITEMSTRUCT), CompareItem)
#define ON_WM_DELETEITEM_REFLECT() \
  FW_WM_REFLECT(WM_DELETEITEM, AfxSig_vDELETE, void (CWnd::*)(LPDELETEITEMSTRUCT), DeleteItem)
#define ON_WM_CHARTOITEM_REFLECT() FW_WM_REFLECT(WM_CHARTOITEM, AfxSig_iww, int (CWnd::*)(UINT, UINT), CharToItem)
#define ON_WM_VKEYTOITEM_REFLECT() FW_WM_REFLECT(WM_VKEYTOITEM, AfxSig_iww, int (CWnd::*)(UINT, UINT), VKeyToItem)
#define ON_WM_HSCROLL_REFLECT() FW_WM_REFLECT(WM_HSCROLL, AfxSig_vww, void (CWnd::*)(UINT, UINT), HScroll)
#define ON_WM_VSCROLL_REFLECT() FW_WM_REFLECT(WM_VSCROLL, AfxSig_vww, void (CWnd::*)(UINT, UINT), VScroll)
#define ON_WM_PARENTNOTIFY_REFLECT() \
  FW_WM_REFLECT(WM_PARENTNOTIFY, AfxSig_vwL, void (CWnd::*)(UINT, LPARAM), ParentNotify)
