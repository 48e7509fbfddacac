// The tile control ("QvTileControl32"): a window class written on a bare window procedure
// showing a vertical stack of master tiles (headers 25 pixels high at 23-pixel steps). The
// masters up to the active one sit at the top, the others at the bottom; the space between
// them (the content area) shows the window of the active master's active facet. The active
// header shows that facet's bitmap and caption, arrows to the neighbouring facets and a
// button that opens a menu of the facets.
//
// One TileControl object per window, its pointer in the window's first pointer-sized extra
// bytes, made on WM_CREATE (with no master array: send TLM_SETNUMMASTERS before adding
// masters) and deleted on WM_NCDESTROY. Private messages answer -1 when the window has no
// object.
#pragma once
#include "FacetMenu.h"
#include "quarnel_api.h"

#include <fw_geometry.h>
#include <fw_string.h>
#include <windows.h>

// Interaction levels.
enum : DWORD {
  TCFI_ALLOWNONE = 0,
  TCFI_ALLOWMASTERCHANGE = 1,  // masters are activated (by the user or by call) and hot-tracked
  TCFI_ALLOWFACETCHANGE = 2,   // the arrows and the facet menu work
  TCFI_ALLOWMANIPULATION = 4,  // masters and facets are added, inserted, set, removed, resized
  TCFI_DISABLEDREACTS = 8,     // a disabled master still reacts to the mouse
  TCFI_ALLOWALL = 0xFFFFFFFF,
};

// Private messages (wParam, lParam -> result). D = a TC_MASTERDESC*.
enum {
  TLM_ADDMASTER = WM_USER + 0,         // MasterTile*, 0 -> index, -1
  TLM_INSERTMASTER = WM_USER + 1,      // MasterTile*, index -> index, -1
  TLM_REMOVEMASTER = WM_USER + 2,      // MasterTile* or index, 1 = pointer / 0 = index -> index, -1
  TLM_SETMASTER = WM_USER + 3,         // MasterTile*, index -> 1, 0; -1 for null
  TLM_GETMASTERCOUNT = WM_USER + 4,    // -> count
  TLM_GETMAXMASTERS = WM_USER + 5,     // -> maximum
  TLM_GETMASTER = WM_USER + 6,         // MasterTile* (out), index -> 1, 0; -1 for null
  TLM_GETACTIVEMASTER = WM_USER + 7,   // MasterTile* (out) or 0 -> active index, -1
  TLM_SETACTIVEMASTER = WM_USER + 8,   // MasterTile* or index, 1 / 0 -> 1, 0; -1 for null
  TLM_SETNUMMASTERS = WM_USER + 9,     // n -> n, -1
  TLM_FINDMASTER = WM_USER + 10,       // MasterTile* -> index, -1
  TLM_SETMASTERBITMAP = WM_USER + 11,  // D, TC_FACETRECORD* -> previous bitmap; -1 without record
  TLM_GETMASTERBITMAP = WM_USER + 12,  // D, TC_FACETRECORD* (out) -> bitmap; -1 without record
  TLM_GETMASTERRECT = WM_USER + 13,    // MasterTile* or index, 1 / 0 -> new RECT* (caller deletes), 0
  TLM_HITTEST = WM_USER + 14,          // MAKELONG(x, y), int* master (out) -> hit code
  TLM_ADDTILE = WM_USER + 15,          // D, Tile* or record -> index, -1
  TLM_INSERTTILE = WM_USER + 16,       // D, record (index, tile) -> index, -1
  TLM_REMOVETILE = WM_USER + 17,       // D, Tile*, record or index -> removed index, -1
  TLM_SETTILE = WM_USER + 18,          // D, record -> 1, 0, -1
  TLM_GETTILECOUNT = WM_USER + 19,     // D -> count, -1
  TLM_GETMAXTILES = WM_USER + 20,      // D -> maximum, -1
  TLM_GETTILE = WM_USER + 21,          // D, record (index in, tile filled) -> 1, 0, -1
  TLM_GETACTIVETILE = WM_USER + 22,    // D, Tile* (out) or none -> active index, -1
  TLM_SETACTIVETILE = WM_USER + 23,    // D, Tile* or index -> 1, 0, -1
  TLM_SETNUMTILES = WM_USER + 24,      // D, n -> n, -1
  TLM_FINDTILE = WM_USER + 25,         // D, Tile* -> index, -1
  TLM_GETTILEBITMAP = WM_USER + 26,    // D, record -> bitmap; -1 without record
  TLM_SETTILEBITMAP = WM_USER + 27,    // D, record -> previous bitmap; -1 without record
  TLM_GETINTERACTION = WM_USER + 28,   // -> level
  TLM_SETINTERACTION = WM_USER + 29,   // level -> previous level
  TLM_GETTRUNCATION = WM_USER + 30,    // master index, int* (out) -> 1, 0
  TLM_GETSTYLES = WM_USER + 31,        // -> styles
  TLM_SETSTYLES = WM_USER + 32,        // styles -> previous styles
  TLM_ENABLEMASTER = WM_USER + 33,     // MasterTile* or index, MAKELONG(1 = pointer / 0, enable) -> 1, -1
  TLM_ISMASTERENABLED = WM_USER + 34,  // MasterTile* or index, non-zero = pointer -> 1, 0, -1
  TLM_SETOWNER = WM_USER + 35,         // HWND -> previous owner
};

// How a master descriptor names the master and how lParam gives the facet.
enum {
  TCMD_BYPOINTER = 1,  // the master is a MasterTile*, looked up by equality
  TCMD_BYINDEX = 2,    // the master is an index
  TCMD_RECORD = 4,     // lParam is a TC_FACETRECORD*
  TCMD_TILE = 8,       // lParam is a Tile*
  TCMD_INDEX = 16,     // lParam is a facet index
  TCMD_NOFACET = 32,   // no facet
};

class Tile;
class MasterTile;

// wParam of the facet messages. The master field holds a pointer or an index: pointer-sized.
struct TC_MASTERDESC {
  DWORD flags;
  INT_PTR master;
};

// A facet record: the facet index, a Tile, a bitmap and its ownership (inputs or outputs).
struct TC_FACETRECORD {
  int index;
  Tile* tile;
  HBITMAP bitmap;
  int owns;
};

// WM_NOTIFY sent to the owner (the parent when none) when a master was activated.
enum { TLN_MASTERACTIVATED = 0x400 };
struct NMTILECONTROL {
  NMHDR hdr;
  int nMaster;
  int nReserved;  // 0
};

// Hit-test codes.
enum {
  TLHT_ACTIVEHEADER = 1,  // on the active header, outside its parts
  TLHT_MASTER = 2,        // on another master's header
  TLHT_CONTENT = 4,       // in the content area
  TLHT_FACETMENU = 8,     // the image and facet-menu button of the active header
  TLHT_LEFTARROW = 16,
  TLHT_RIGHTARROW = 32,
  TLHT_CAPTION = 64,
  TLHT_OUTSIDE = 128,  // outside the client area
  TLHT_NOMASTER = 256,
};

// Style bit 1: images are always drawn through their masks, in the disabled look too.
enum { TLS_MASKEDIMAGES = 2 };

class CDumpContext;

// lParam of the registered messages "_UIM_DUMPWND" (everything) and "_UIM_DUMPSTYLE" (the
// interaction level only): where and how the control writes its dump.
struct TC_DUMPRECORD {
  void* reserved;         // not read
  CDumpContext* context;  // written to
  int crlf;               // non-zero: lines end with "\r\n", else "\n"
  int level;              // indent level of the first line
  int spaces;             // spaces per indent level
};

// What an embedded object is placed in: the control's window and its content area.
struct TC_EMBED_INFO {
  HWND hWnd;
  RECT rcClient;
};

// A facet's window (not owned). Each operation answers 0 for a null window, else 1.
struct QUARNEL_API EMBEDDED_OBJECT {
  explicit EMBEDDED_OBJECT(HWND core = NULL) : m_hCore(core) {}
  ~EMBEDDED_OBJECT() { m_hCore = NULL; }
  EMBEDDED_OBJECT& operator=(const EMBEDDED_OBJECT& other) {
    m_hCore = other.m_hCore;
    return *this;
  }
  HWND GetCoreObject() const { return m_hCore; }
  int Show();                   // shown where it stands, focused
  int Show(const CRect& rect);  // moved to the rectangle, shown, focused
  int Hide();
  // Makes the window a hidden child of the info's window (null info: 0).
  int Embed(const TC_EMBED_INFO* info);
  int Update();
  int SetFocus(int focus);
  int Activate(int enable);

  HWND m_hCore;
};

// One facet: a caption, an optional bitmap (a masked strip of one image) and an optional
// embedded object (not owned).
class QUARNEL_API Tile {
 public:
  Tile();
  // A null caption is stored as "NULL".
  Tile(const wchar_t* caption, EMBEDDED_OBJECT* object, HBITMAP bitmap, int ownsBitmap);
  Tile(const Tile& other);  // as assignment
  virtual ~Tile();
  // Copies caption and object; an owned bitmap of the source is copied (and owned), a shared
  // one is shared.
  Tile& operator=(const Tile& other);
  int operator==(const Tile& other) const;
  void Reset();

  const CString& GetCaption() const { return m_caption; }
  void SetCaption(const wchar_t* caption);
  EMBEDDED_OBJECT* GetClientObject() const { return m_object; }
  // The previous object, NULL when it was already this one.
  EMBEDDED_OBJECT* SetClientObject(EMBEDDED_OBJECT* object);
  HBITMAP GetBitmap(HBITMAP* bitmap, int* owns) const;
  // Returns the previous bitmap, or NULL when it was owned and has been deleted.
  HBITMAP SetBitmap(HBITMAP bitmap, int owns);

 private:
  CString m_caption;
  EMBEDDED_OBJECT* m_object;
  HBITMAP m_bitmap;
  int m_ownsBitmap;
};

// A master tile: up to a maximum number of facets, one of them active.
class QUARNEL_API MasterTile {
 public:
  MasterTile();
  MasterTile(const MasterTile& other);  // a deep copy, as assignment
  virtual ~MasterTile();
  MasterTile& operator=(const MasterTile& other);
  int operator==(const MasterTile& other) const;
  // Frees the facets and an owned master bitmap: maximum 5, none, facet 0 active.
  void Reset();
  int GetCount() const { return m_count; }
  int GetMaxCount() const { return m_maxCount; }
  // The new facet's index, -1 when the master is full.
  int AddTile(Tile& tile);
  // i, or -1 unless 0 <= i < count < maximum; an active index >= i follows its facet.
  int InsertTile(Tile& tile, int index);
  // 1, or 0 for an index outside the facets.
  int SetTile(Tile& tile, int index);
  int GetTile(Tile& tile, int index) const;
  // The removed index, -1 when none. Removing the active facet leaves none active.
  int RemoveTile(int index);
  int RemoveTile(Tile& tile);
  int FindTile(Tile& tile) const;
  // Facet `index` itself, NULL for an index outside the facets.
  const Tile* TileAt(int index) const;
  // The active facet's index, -1 when none.
  int GetActiveTile() const;
  int GetActiveTile(Tile& tile) const;
  // Makes the first equal facet active (nothing shown or hidden): 1, 0 when not found.
  int SetActiveTile(Tile& tile);
  // Makes facet i active: shows its object (in the rectangle when given), hides the old
  // active object when it differs. 0 for a bad index.
  int SetActiveTile(int index, const CRect* rect);
  int SetActiveTileIndex(int index);
  EMBEDDED_OBJECT* GetActiveObject() const;
  // The active caption, "???" when no facet is active.
  CString GetActiveCaption() const;
  // Stores the flag and enables or disables every facet's window.
  void EnableTile(int enable);
  int IsTileEnabled() const { return m_enabled; }
  HBITMAP SetBitmap(HBITMAP bitmap, int owns);
  HBITMAP GetBitmap(HBITMAP* bitmap, int* owns) const;
  // Facet i's bitmap; 0 for a bad index.
  HBITMAP SetBitmap(int index, HBITMAP bitmap, int owns);
  HBITMAP GetBitmap(int index, HBITMAP* bitmap, int* owns) const;
  // A new maximum: -1 for n < 1 or above kMaxTiles. Facets past it are freed, the count and
  // the active index stay inside it.
  int SetNumTiles(int n);
  int GetTruncation() const { return m_truncated; }
  void SetTruncation(int truncated) { m_truncated = truncated; }

  static const int kMaxTiles = 4096;

 private:
  Tile* m_tiles;
  int m_maxCount;
  int m_count;
  int m_active;
  HBITMAP m_bitmap;
  int m_ownsBitmap;
  int m_truncated;
  int m_enabled;
};

// The part of the control the mouse is over: hit code and master index.
class QUARNEL_API tcHotItem {
 public:
  tcHotItem() : m_code(0), m_item(-1) {}
  virtual ~tcHotItem() {}
  virtual void Reset() {
    m_code = 0;
    m_item = -1;
  }
  virtual bool operator==(const tcHotItem& o) const { return m_code == o.m_code && m_item == o.m_item; }
  virtual bool operator!=(const tcHotItem& o) const { return !(*this == o); }
  int m_code;
  int m_item;
};

// Where the left button went down.
class QUARNEL_API tcClickLoc : public tcHotItem {
 public:
  tcClickLoc() : m_x(-1), m_y(-1) {}
  void Reset() override { ResetAll(); }
  int ResetAll() {
    tcHotItem::Reset();
    m_x = m_y = -1;
    return -1;
  }
  virtual bool SamePlace(const tcClickLoc& o) const { return tcHotItem::operator==(o) && m_x == o.m_x && m_y == o.m_y; }
  int m_x, m_y;
};

// The master-change animation: the masters moving and the pixel offset of their headers.
class QUARNEL_API TC_SCROLLINFO {
 public:
  TC_SCROLLINFO() { Reset(); }
  virtual ~TC_SCROLLINFO() {}
  virtual void Reset() {
    m_animating = 0;
    m_from = -1;
    m_to = -1;
    m_offset = 0;
  }
  int m_animating;
  int m_from;
  int m_to;
  int m_offset;
};

class QUARNEL_API TileControl {
 public:
  TileControl(HWND window, int maxMasters);
  virtual ~TileControl();
  TileControl(const TileControl&) = delete;
  TileControl& operator=(const TileControl&) = delete;

  // The object of a window of the class; NULL for any other window.
  static TileControl* FromWindow(HWND hwnd);

  HWND GetWindow() const { return m_hWnd; }
  HWND SetOwner(HWND owner);
  HWND GetOwner() const;
  void GetClientArea(CRect& rect) const { rect = m_clientArea; }
  DWORD GetInteractionLevel() const { return m_interaction; }
  DWORD SetInteractionLevel(DWORD level);
  int GetStyles() const { return m_styles; }
  int SetStyles(int styles);
  int GetMasterCount() const { return m_count; }
  int GetMaxMasterCount() const { return m_maxCount; }

  // Masters. The structural operations need TCFI_ALLOWMANIPULATION.
  int AddMasterTile(MasterTile& master);
  int InsertMasterTile(MasterTile& master, int index);
  int SetMasterTile(MasterTile& master, int index);
  int RemoveMasterTile(int index);
  // A new maximum: -1 for n < 1 or above kMaxMasters. Masters past it are freed; when the
  // active master was among them, master 0 becomes active.
  int SetNumMasterTiles(int n);
  int FindMasterTile(MasterTile& master) const;
  int GetMasterTile(MasterTile& master, int index) const;
  // The active master's index, -1 when none.
  int GetActiveMasterTile() const { return m_active; }
  int GetActiveMasterTile(MasterTile& master) const;
  // Activates master i and notifies the owner: 1 done, 0 refused.
  int SetActiveMasterTile(int index, int force);
  void EnableMasterTile(int index, int enable);
  int IsMasterTileEnabled(int index) const;
  HBITMAP SetMasterBitmap(int index, HBITMAP bitmap, int owns);
  HBITMAP GetMasterBitmap(int index, HBITMAP* bitmap, int* owns) const;
  // A new RECT the caller deletes; NULL for a bad index.
  RECT* GetMasterRect(int index) const;
  int GetTruncation(int index, int& truncated) const;
  const MasterTile* MasterAt(int index) const { return ValidMaster(index) ? &m_masters[index] : NULL; }

  // Facets of master i: -1 for a bad master.
  int AddTile(int master, Tile& tile);
  int InsertTile(int master, Tile& tile, int index);
  int SetTile(int master, Tile& tile, int index);
  int RemoveTile(int master, int index);
  int RemoveTile(int master, Tile& tile);
  int FindTile(int master, Tile& tile) const;
  int GetCount(int master) const;
  int GetMaxCount(int master) const;
  // Copies facet j of master i: 1, 0 for a bad facet, -1 for a bad master.
  int GetTile(int master, Tile& tile, int index) const;
  int GetActiveTile(int master) const;
  int GetActiveTile(int master, Tile& tile) const;
  int SetActiveTile(int master, int index);
  int SetActiveTile(int master, Tile& tile);
  int SetNumTiles(int master, int n);
  HBITMAP SetBitmap(int master, int index, HBITMAP bitmap, int owns);
  HBITMAP GetBitmap(int master, int index, HBITMAP* bitmap, int* owns) const;
  // Facet j of master i itself (no copy), NULL when there is none.
  const Tile* TileAt(int master, int index) const;
  CFacetMenu& GetFacetMenu() { return m_facetMenu; }

  // Window side.
  void SetFocus(int focus);
  void Enable(int enable);
  int IsEnabled() const { return m_enabled; }
  void Resize(UINT type, const CRect& rect);
  void GetMinMaxInfo(MINMAXINFO* info) const;
  int SetCursor(int hitCode);
  void VisualFeedback();
  void TrackHotSpot();
  void HandleMouseDown(int x, int y);
  void HandleMouseUp(int x, int y);
  void HandleHilite(CPoint point);
  void HandleCommandFromMenu(int id, int);
  void HandleCommandFromChild() {}
  void HandleCommandFromAccelerator() {}
  int HitTest(CPoint point, int& master) const;
  // WM_PAINT: paints the update region (into `dc` when given).
  void Draw(HDC dc);
  // The whole control into the DC (WM_PRINTCLIENT and the double buffer).
  void DrawAll(HDC dc);
  HFONT GetFont() const;
  void SetFont(HFONT font, BOOL redraw);
  int GetHotMaster() const { return m_hotMaster; }
  const tcHotItem& GetHotItem() const { return m_hotItem; }
  const tcClickLoc& GetClickLoc() const { return m_clickLoc; }
  // Geometry (client coordinates): master i's header, empty for a bad index; part 0..5 of it.
  CRect MasterRect(int index) const;
  static CRect AreaRect(const CRect& master, int part);
  // Writes the dump the record asks for: the interaction level only, or everything.
  void Dump(const TC_DUMPRECORD* record, int stylesOnly) const;
  // Moves the active facet by delta, wrapping, with the slide.
  void IncrementFacet(int delta);

  // Shared resources of all tile controls.
  static void InitArrays();
  static void ReleaseArrays();
  static void InitControlStatics(HWND hwnd, int force);
  static void ReleaseControlStatics(int force);
  static int GetControlCount();

  static const int kMaxMasters = 4096;
  static const int kTimerId = 0x01020304;
  static const int kHeaderHeight = 25;
  static const int kHeaderStep = 23;

 private:
  bool ValidMaster(int index) const { return m_masters != NULL && index >= 0 && index < m_count; }
  bool Allowed(DWORD bit) const { return (m_interaction & bit) != 0; }
  int ActivateMasterTile(int index, int force);
  void RecomputeClientArea(const CRect* rect);
  void EmbedTileObject(const Tile* tile);
  void EmbedMasterTileObjects(int master);
  EMBEDDED_OBJECT* ActiveObject() const;
  void HideIfNotShown(EMBEDDED_OBJECT* object);
  void Repaint();
  BOOL Notify(int code, int master);
  void DrawMasters(HDC dc, const CRect& client);
  void DrawMasterTile(HDC dc, int index);
  void DrawFocus(HDC dc, int index, int hot);
  void DrawArrows(HDC dc, int index, const CRect& r);
  void DrawImage(HDC dc, int index, const CRect& r);
  void DrawCaption(HDC dc, int index, const CRect& r);
  void DrawMasterTileEx(int index, bool frameOnly, int hot);
  void DrawAnimated(HDC target);
  void SlideFacet(int master, int from, int to, int delta);
  void ChooseFacet();
  void DropHotArrows();
  bool ReactsToMouse(int master) const;

  HWND m_hWnd;
  CRect m_clientArea;
  int m_active;
  MasterTile* m_masters;
  int m_count;
  int m_maxCount;
  CFacetMenu m_facetMenu;
  HBITMAP m_hotLeft;
  HBITMAP m_hotRight;
  int m_hotMaster;
  UINT_PTR m_timer;
  DWORD m_interaction;
  int m_enabled;
  int m_hasFocus;
  int m_styles;
  tcClickLoc m_clickLoc;
  tcHotItem m_hotItem;
  TC_SCROLLINFO m_scrollInfo;
  HWND m_owner;
  HFONT m_font;  // set by WM_SETFONT, not owned; NULL = the shared control font
  int m_menuOpen;
};
