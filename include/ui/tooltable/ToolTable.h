// The tool table ("QvToolTable32"): a child control showing a grid of small cells (child
// windows, bitmaps, icons, owner-drawn cells and separators) in a fixed number of columns,
// with selection, a hot (hilite) cell, a keyboard focus cell and notifications to its
// parent. Everything is driven through the private messages below; positions are 1-based.
//
// Failure values: a message naming an item that does not exist, a null record, or an
// argument out of range answers -1; a window without state (before WM_CREATE, after
// WM_DESTROY) answers -1 to the private messages.
#pragma once
#include "quarnel_api.h"

#include <windows.h>
#include <commctrl.h>

// Private messages.
#define TTBLM_ADDITEM (WM_USER + 0x00)
#define TTBLM_INSERTITEM (WM_USER + 0x01)
#define TTBLM_DELETEITEM (WM_USER + 0x02)
#define TTBLM_REDRAWITEM (WM_USER + 0x03)
#define TTBLM_GETITEM (WM_USER + 0x04)
#define TTBLM_SETITEM (WM_USER + 0x05)
#define TTBLM_HITTEST (WM_USER + 0x06)
#define TTBLM_GETITEMSTATE (WM_USER + 0x07)
#define TTBLM_SETITEMSTATE (WM_USER + 0x08)
#define TTBLM_GETITEMDATA (WM_USER + 0x09)
#define TTBLM_SETITEMDATA (WM_USER + 0x0A)
#define TTBLM_REDRAWALL (WM_USER + 0x0B)
#define TTBLM_GETNUMITEMS (WM_USER + 0x0C)
#define TTBLM_GETNUMROWS (WM_USER + 0x0D)
#define TTBLM_GETITEMSEP (WM_USER + 0x0E)
#define TTBLM_SETITEMSEP (WM_USER + 0x0F)
#define TTBLM_GETNUMCOLS (WM_USER + 0x10)
#define TTBLM_SETNUMCOLS (WM_USER + 0x11)
#define TTBLM_GETITEMMETRICS (WM_USER + 0x12)
#define TTBLM_SETITEMMETRICS (WM_USER + 0x13)
#define TTBLM_RESERVED (WM_USER + 0x14)
#define TTBLM_SETRELAY (WM_USER + 0x15)
#define TTBLM_CLEAR (WM_USER + 0x16)
#define TTBLM_GETTABLESTYLE (WM_USER + 0x17)
#define TTBLM_SETTABLESTYLE (WM_USER + 0x18)
#define TTBLM_GETTABLEVALUE (WM_USER + 0x19)
#define TTBLM_SETTABLEVALUE (WM_USER + 0x1A)
#define TTBLM_GETSTATEARRAY (WM_USER + 0x1B)
#define TTBLM_CLOSE (WM_USER + 0x1C)
#define TTBLM_GETHILITE (WM_USER + 0x1D)
#define TTBLM_GETFOCUS (WM_USER + 0x1E)
#define TTBLM_STEPFOCUS (WM_USER + 0x1F)
#define TTBLM_FINDITEM (WM_USER + 0x20)
#define TTBLM_SETHILITE (WM_USER + 0x21)
#define TTBLM_FINDITEMID (WM_USER + 0x22)

// Notification codes (WM_NOTIFY to the parent, lParam a tagNM_TOOLTABLE).
#define TTBLN_SELCHANGE 0x400       // value: position << 16 | 1 selected, 0 deselected; 0 after a clear
#define TTBLN_KEY 0x401             // value: TT_KEYSTRUCT*
#define TTBLN_SETFOCUS 0x402
#define TTBLN_KILLFOCUS 0x403
#define TTBLN_DRAWITEM 0x404        // value: TT_DRAWSTRUCT*
#define TTBLN_HOVERENTER 0x405      // value: tagTT_CLICKSTRUCT* of the item entered
#define TTBLN_HOVERLEAVE 0x406      // value: tagTT_CLICKSTRUCT* of the item left
#define TTBLN_METRICSCHANGED 0x407  // value: width | height << 16
#define TTBLN_COLSCHANGED 0x408     // value: width | height << 16
#define TTBLN_RELAY 0x409           // value: TT_RELAYSTRUCT*
#define TTBLN_DESTROYED 0x40A
#define TTBLN_TABKEY 0x40B          // value: TT_KEYSTRUCT*
#define TTBLN_CLOSE 0x40C
#define TTBLN_RESIZED 0x40D         // value: width | height << 16
#define TTBLN_MOVED 0x40E           // value: left | top << 16 (containers)
#define TTBLN_REDRAWN 0x40F
#define TTBLN_TORNOFF 0x410         // value: 1 torn off, 0 docked back (popup tool tables)
#define TTBLN_CLICKOUT 0x411        // value: 1 (popup closed by a click elsewhere)
#define TTBLN_COMMANDCLICK 0x412    // popup buttons: the command part was clicked
#define TTBLN_DROPDOWN 0x413        // popup buttons: the arrow part opened the table
#define TTBLN_TABLESHOWN 0x414      // popup buttons: dock << 16 | show
#define TTBLN_TOGGLED 0x416         // toggle buttons: the new toggled value

// Item types.
#define TTBL_WINDOW 1
#define TTBL_BITMAP 2
#define TTBL_ICON 4
#define TTBL_OWNERDRAW 8
#define TTBL_SEPARATOR 16

// Item flags.
#define TTBLF_AUTODISPOSE 0x001  // the table owns the object
#define TTBLF_CENTER 0x002       // a smaller image is centred in the cell
#define TTBLF_FIT 0x004          // a larger bitmap is stretched into the cell
#define TTBLF_SPAN 0x008         // a row of its own, as wide as the columns
#define TTBLF_NEUTRAL 0x100      // never selected, hilited or focused

// Item states.
#define TTBLS_HILITED 0x10
#define TTBLS_DISABLED 0x20
#define TTBLS_SELECTED 0x40
#define TTBLS_FOCUSED 0x80

// Table styles.
#define TTBLT_MULTISEL 0x01
#define TTBLT_WANTTAB 0x08
#define TTBLT_RELAY 0x10
#define TTBLT_HALFTONE 0x20
#define TTBLT_CENTERSPAN 0x40
#define TTBLT_NOCAPTURE 0x80

// How an item is named.
#define TTBL_BYPOSITION 1
#define TTBL_BYID 2

// Groups of a set-item record.
#define TTBLMASK_OBJECT 0x04  // type, flags, id and object
#define TTBLMASK_STATE 0x08
#define TTBLMASK_DATA 0x10
#define TTBLMASK_ALL 0x1C

// Hit-test where-codes.
#define TTBLHT_EMPTY 0x20
#define TTBLHT_ITEM 0x40
#define TTBLHT_OUTSIDE 0x80

// Relay kinds.
#define TTBLR_COMMAND 0x100
#define TTBLR_NOTIFY 0x200
#define TTBLR_PARENTNOTIFY 0x400
#define TTBLR_MOUSE 0x800

// Drawing flag of TTBLM_REDRAWITEM: the content is drawn too.
#define TTBL_DRAWCONTENT 0x200

// The item record of the message set.
struct tagTT_ITEMINFO {
  DWORD how;        // TTBL_BYPOSITION or TTBL_BYID; set to TTBL_BYPOSITION by an add
  DWORD posOrId;    // which item; the new position after an add
  DWORD type;       // item type
  DWORD flags;      // item flags
  DWORD id;
  HANDLE object;    // window, bitmap or icon
  DWORD state;      // item state
  RECT rect;        // the cell, filled by TTBLM_GETITEM
  DWORD data;
  DWORD mask;       // groups that TTBLM_SETITEM changes
};

// The result of a hit test. On an item: position and id; in empty space: 0, then x and y.
struct tagTT_CLICKSTRUCT {
  DWORD where;  // TTBLHT_...
  DWORD pos;
  union {
    DWORD id;
    struct {
      short x, y;
    } pt;
  };
};

// The notification record. Posted records lie on the heap (posted 1); the receiver deletes
// them with `delete`.
struct tagNM_TOOLTABLE {
  NMHDR hdr;
  DWORD_PTR value;
  DWORD posted;
};

struct TT_RELAYSTRUCT {
  tagTT_CLICKSTRUCT click;
  DWORD kind;       // TTBLR_...
  WORD word1, word2;
  LPARAM value;
};

struct TT_DRAWSTRUCT {
  HDC dc;
  RECT rect;
  DWORD type, flags, id;
  HANDLE object;
  DWORD state, data;
};

struct TT_KEYSTRUCT {
  UINT message;
  WPARAM wParam;
  LPARAM lParam;
};

typedef tagTT_ITEMINFO TT_ITEMINFO;
typedef tagTT_CLICKSTRUCT TT_CLICKSTRUCT;
typedef tagNM_TOOLTABLE NM_TOOLTABLE;

// WM_NOTIFY to the window's parent with its control id and a record on the stack (posted 0);
// the parent's answer, 0 when the window has no parent.
QUARNEL_API LRESULT SendNotification(HWND window, UINT code, DWORD_PTR value);
// The same record allocated on the heap (posted 1) and posted; the receiver deletes it.
// FALSE (and nothing left allocated) when it cannot be posted.
QUARNEL_API BOOL PostNotification(HWND window, UINT code, DWORD_PTR value);
