// The icon pane: a window class ("QvIconPaneControl32") written on a bare window procedure, a
// vertical column of items on a dark panel, each an image cut from a masked strip with its
// caption under it (draw style 1) or beside it (style 2). At most one item is checked; the
// item under the mouse is hot-tracked with a raised (sunken while pressed) frame; a click
// checks the item and notifies the owner; an item can be dragged out as its caption in the
// clipboard format "IconPaneControl Format".
//
// One IconPaneControl object per window, its pointer in the window's first pointer-sized
// extra bytes, made on WM_CREATE and deleted on WM_NCDESTROY. Private messages answer -1
// when the window has no object or an item index lies outside 0..count-1.
#pragma once
#include "quarnel_api.h"

#include <UIHandles.h>
#include <fw_geometry.h>
#include <fw_string.h>
#include <windows.h>

class COleDropSource;

// Argument of IPM_CREATE: item count, image size, the strip's bitmap resource id (looked up
// in the module chain) and one label id per item for its caption.
struct IPCREATESTRUCT {
  int nItems;
  int nImageWidth;
  int nImageHeight;
  UINT nBitmapId;
  const UINT* pLabelIds;
};

// 1: large images, centred at the top of the item, caption under them; 2 (any other value):
// small images at the left, caption beside them.
enum IPDRAWSTYLE { IPDS_LARGEICONS = 1, IPDS_SMALLICONS = 2 };
// Border of the pane: flat, sunken or raised.
enum IP3DSTYLE { IP3D_FLAT = 0, IP3D_SUNKEN = 1, IP3D_RAISED = 2 };

// Private messages (wParam, lParam -> result).
enum {
  IPM_SETDRAWSTYLE = WM_USER + 0,   // style, 0 -> 1
  IPM_CREATE = WM_USER + 1,         // IPCREATESTRUCT*, 0 -> item count, -1 when refused
  IPM_GET3DSTYLE = WM_USER + 2,     // -> 3D style
  IPM_GETDRAGDROP = WM_USER + 3,    // -> drag-and-drop flag
  IPM_SET3DSTYLE = WM_USER + 4,     // style, 0 -> previous style
  IPM_SETDRAGDROP = WM_USER + 5,    // flag, 0 -> previous flag
  IPM_ENABLEITEM = WM_USER + 6,     // enable, item -> previous enabled state
  IPM_CHECKITEM = WM_USER + 7,      // check, item -> previous checked state
  IPM_ISITEMENABLED = WM_USER + 8,  // 0, item -> 1 or 0
  IPM_ISITEMCHECKED = WM_USER + 9,  // 0, item -> 1 or 0
  IPM_SETOWNER = WM_USER + 10,      // owner HWND, 0 -> previous owner
  IPM_GETCHECKEDITEM = WM_USER + 11 // -> checked item, -1 for none
};

// WM_NOTIFY codes sent to the owner (the parent when none is set), wParam = the control id.
enum { IPN_ITEMCLICKED = 0x400, IPN_ITEMRBUTTONDOWN = 0x401 };
struct NMICONPANE {
  NMHDR hdr;
  int nItem;
  int nReserved;  // 0
};

// Hit-test codes.
enum {
  IPHT_NOWHERE = 1,     // in the client area, on no item
  IPHT_OUTSIDE = 2,     // outside the window
  IPHT_ITEM = 4,        // on an item, neither image nor caption
  IPHT_SCROLLUP = 8,    // the scrollers (never hit: they have no area)
  IPHT_SCROLLDOWN = 16,
  IPHT_IMAGE = 32,
  IPHT_CAPTION = 64,
  IPHT_NONCLIENT = 128  // in the window, outside the client area
};

// One item. A copy never shares an owned bitmap: it owns a copy of it.
class QUARNEL_API IconPaneItem {
 public:
  IconPaneItem();
  IconPaneItem(const wchar_t* caption, HBITMAP bitmap, int ownsBitmap);
  IconPaneItem(const IconPaneItem& other);
  IconPaneItem& operator=(const IconPaneItem& other);
  virtual ~IconPaneItem();

  int IsEnabled() const { return (m_flags & 1) == 0; }
  int IsChecked() const { return (m_flags & 2) != 0; }
  // Each returns the previous state.
  int Enable(int enable);
  int Check(int check);
  // Takes the bitmap (deleted with the item when owns is set), freeing an owned one held.
  void SetBitmap(HBITMAP bitmap, int owns);

  CString m_caption;
  HBITMAP m_bitmap;
  int m_ownsBitmap;
  DWORD m_flags;  // bit 0 disabled, bit 1 checked
};

// The part of the pane under the mouse.
class QUARNEL_API ipcHotItem {
 public:
  ipcHotItem() : m_code(0), m_item(-1) {}
  virtual ~ipcHotItem() {}
  virtual void Reset() {
    m_code = 0;
    m_item = -1;
  }
  virtual bool operator==(const ipcHotItem& o) const { return m_code == o.m_code && m_item == o.m_item; }
  virtual bool operator!=(const ipcHotItem& o) const { return !(*this == o); }
  int m_code;
  int m_item;
};

// Where the left button went down.
class QUARNEL_API ipcClickLoc : public ipcHotItem {
 public:
  ipcClickLoc() : m_x(-1), m_y(-1) {}
  void Reset() override { ResetAll(); }
  int ResetAll() {
    ipcHotItem::Reset();
    m_x = m_y = -1;
    return -1;
  }
  virtual bool SamePlace(const ipcClickLoc& o) const { return ipcHotItem::operator==(o) && m_x == o.m_x && m_y == o.m_y; }
  int m_x, m_y;
};

class QUARNEL_API IconPaneControl {
 public:
  explicit IconPaneControl(HWND hwnd);
  virtual ~IconPaneControl();
  IconPaneControl(const IconPaneControl&) = delete;
  IconPaneControl& operator=(const IconPaneControl&) = delete;

  // The object of a window of the class; NULL for any other window or before WM_CREATE.
  static IconPaneControl* FromWindow(HWND hwnd);

  // -1 for a null record, a count outside 1..kMaxItems, a non-positive or oversized image, no
  // label ids, or a second call; else the item count.
  int Create(const IPCREATESTRUCT* create);
  static const int kMaxItems = 4096;
  static const int kMaxImageSide = 1024;

  int SetDrawStyle(int style);
  int GetDrawStyle() const { return m_drawStyle; }
  int Get3DStyle() const { return m_3DStyle; }
  int Set3DStyle(int style);
  int GetDragDrop() const { return m_dragDrop; }
  int SetDragDrop(int flag);
  int EnableItem(int item, int enable);
  int CheckItem(int item, int check);
  // 1 or 0; -1 for an index outside 0..count-1.
  int IsEnabledItem(int item) const;
  int IsCheckedItem(int item) const;
  int GetCheckedItem() const { return m_checkedItem; }
  int GetItemCount() const { return m_nItems > 0 ? m_nItems : 0; }
  // NULL outside 0..count-1.
  const IconPaneItem* GetItem(int item) const;
  IconPaneItem* GetItem(int item) { return Valid(item) ? &m_items[item] : NULL; }
  HWND SetOwner(HWND owner);
  HWND GetOwner() const;
  HWND GetWindow() const { return m_hwnd; }
  void Enable(int enable);
  int IsEnabled() const { return m_enabled; }
  void SetFocus(int focus) { m_hasFocus = focus; }
  const ipcHotItem& GetHotItem() const { return m_hotItem; }
  const ipcClickLoc& GetClickLoc() const { return m_clickLoc; }

  void TrackHotSpot();
  int HitTest(CPoint point, int& item) const;
  void HandleMouseDown(int x, int y);
  void HandleMouseUp(int x, int y);
  void HandleRMouseDown(int x, int y);
  void HandleHilite(CPoint point);
  void HandleDragDrop();
  // The drop source the following drags run with (not owned; NULL = the framework's own).
  void SetDropSource(COleDropSource* source) { m_dropSource = source; }
  // Notifies the owner that the item was clicked. FALSE when the window was destroyed meanwhile.
  BOOL DoItemClick(int item);
  int CanScrollUp() const;
  int CanScrollDown() const;
  void DoScrollUp();
  void DoScrollDown();
  // WM_PAINT: paints the update region into `dc` (the paint DC when NULL).
  void Draw(HDC dc);
  // The whole pane into the DC (WM_PRINTCLIENT and the double buffer).
  void DrawItems(HDC dc);
  void Dump(long, int) {}

  // Geometry (client coordinates).
  int ItemHeight() const;
  RECT ItemRect(int item) const;
  RECT ImageRect(const RECT& item) const;
  RECT CaptionRect(const RECT& item) const;

  HFONT GetFont() const;
  void SetFont(HFONT font, BOOL redraw);

  // Shared resources of all panes.
  static void InitControlStatics(HWND hwnd, int force);
  static void ReleaseControlStatics(int force);
  static void InitArrays();
  static void ReleaseArrays();
  static UINT GetDragDropFormat();
  static int GetControlCount();
  static const int kTimerId = 0x01020304;

 private:
  void Repaint();
  class ImagePainter;
  // Draws the item; `painter` (may be NULL) draws the enabled images with work bitmaps made
  // once per paint.
  void DrawItem(HDC dc, int item, bool frameOnly, ImagePainter* painter = NULL);
  void DrawItemFrame(HDC dc, int item, const RECT& image);
  void DrawItemEx(int item, bool frameOnly);
  bool IsItemPart(int code) const { return code == IPHT_ITEM || code == IPHT_IMAGE || code == IPHT_CAPTION; }
  BOOL Notify(int code, int item);
  bool Valid(int item) const { return m_items != NULL && item >= 0 && item < m_nItems; }

  HWND m_hwnd;
  int m_enabled;
  int m_hasFocus;
  int m_nAllocated;
  int m_nItems;
  IconPaneItem* m_items;
  int m_imageWidth, m_imageHeight;
  int m_firstVisible, m_lastVisible;
  UINT_PTR m_timer;
  ipcHotItem m_hotItem;
  ipcClickLoc m_clickLoc;
  int m_scrollPos;
  int m_animOffset;
  int m_drawStyle;
  int m_scrollDir;
  int m_dragPending;
  int m_3DStyle;
  int m_dragDrop;
  int m_checkedItem;
  HWND m_owner;
  HFONT m_font;  // set by WM_SETFONT, not owned; NULL = the shared control font
  COleDropSource* m_dropSource;
};
