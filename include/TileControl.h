// The tile control's data: facets (Tile) grouped in master tiles (MasterTile), and the control
// object (TileControl) with its facet menu. Only what the facet menu reads and what fills it is
// here so far; the window procedure, geometry, drawing and the message set come with the
// control itself.
#pragma once
#include "FacetMenu.h"
#include "quarnel_api.h"

struct EMBEDDED_OBJECT;

// Interaction levels.
enum {
  TCFI_ALLOWNONE = 0,
  TCFI_ALLOWMASTERCHANGE = 1,
  TCFI_ALLOWFACETCHANGE = 2,
  TCFI_ALLOWMANIPULATION = 4,
  TCFI_ALLOWALL = 0xFFFFFFFF,
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
  MasterTile(const MasterTile& other);
  virtual ~MasterTile();
  MasterTile& operator=(const MasterTile& other);
  // Frees the facets: maximum 5, none, facet 0 active.
  void Reset();
  int GetCount() const { return m_count; }
  int GetMaxCount() const { return m_maxCount; }
  // The new facet's index, -1 when the master is full.
  int AddTile(Tile& tile);
  // 1, or 0 for an index outside the facets.
  int GetTile(Tile& tile, int index) const;
  // Facet `index` itself, NULL for an index outside the facets.
  const Tile* TileAt(int index) const;
  // The active facet's index, -1 when none.
  int GetActiveTile() const;
  int SetActiveTileIndex(int index);

 private:
  Tile* m_tiles;
  int m_maxCount;
  int m_count;
  int m_active;
};

class QUARNEL_API TileControl {
 public:
  TileControl(HWND window, int maxMasters);
  virtual ~TileControl();
  HWND GetWindow() const { return m_hWnd; }
  int GetMasterCount() const { return m_count; }
  int GetMaxMasterCount() const { return m_maxCount; }
  // The new master's index, -1 without TCFI_ALLOWMANIPULATION or room.
  int AddMasterTile(MasterTile& master);
  // The active master's index, -1 when none.
  int GetActiveMasterTile() const { return m_active; }
  // Makes master i active (no repaint here); 0 without TCFI_ALLOWMASTERCHANGE or for a bad i.
  int SetActiveMasterTile(int index, int force);
  // Copies facet j of master i: 1, 0 for a bad facet, -1 for a bad master.
  int GetTile(int master, Tile& tile, int index) const;
  // Facet j of master i itself (no copy), NULL when there is none.
  const Tile* TileAt(int master, int index) const;
  CFacetMenu& GetFacetMenu() { return m_facetMenu; }

 private:
  TileControl(const TileControl&) = delete;
  TileControl& operator=(const TileControl&) = delete;
  HWND m_hWnd;
  int m_active;
  MasterTile* m_masters;
  int m_count;
  int m_maxCount;
  CFacetMenu m_facetMenu;
  DWORD m_interaction;
};
