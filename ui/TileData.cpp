// The tile control's data: facets, master tiles and the control object's masters.
#include "TileControl.h"

namespace {

const int kDefaultMaxTiles = 5;

// A copy of a bitmap the copier owns; NULL for NULL or on failure.
HBITMAP CopyOwnedBitmap(HBITMAP bitmap) {
  return bitmap ? static_cast<HBITMAP>(::CopyImage(bitmap, IMAGE_BITMAP, 0, 0, 0)) : NULL;
}

}  // namespace

Tile::Tile() : m_object(NULL), m_bitmap(NULL), m_ownsBitmap(0) {}

Tile::Tile(const wchar_t* caption, EMBEDDED_OBJECT* object, HBITMAP bitmap, int ownsBitmap)
    : m_caption(caption ? caption : L"NULL"), m_object(object), m_bitmap(bitmap), m_ownsBitmap(ownsBitmap) {}

// As assignment: two tiles never own one bitmap.
Tile::Tile(const Tile& other) : m_object(NULL), m_bitmap(NULL), m_ownsBitmap(0) { *this = other; }

Tile::~Tile() { Reset(); }

Tile& Tile::operator=(const Tile& other) {
  if (this == &other) return *this;
  m_caption = other.m_caption;
  m_object = other.m_object;
  if (m_ownsBitmap && m_bitmap) ::DeleteObject(m_bitmap);
  if (other.m_ownsBitmap) {
    m_bitmap = CopyOwnedBitmap(other.m_bitmap);
    m_ownsBitmap = m_bitmap != NULL;
  } else {
    m_bitmap = other.m_bitmap;
    m_ownsBitmap = 0;
  }
  return *this;
}

int Tile::operator==(const Tile& other) const {
  return m_caption == other.m_caption && m_object == other.m_object && m_ownsBitmap == other.m_ownsBitmap &&
         m_bitmap == other.m_bitmap;
}

void Tile::Reset() {
  m_caption.Empty();
  m_object = NULL;
  if (m_ownsBitmap && m_bitmap) ::DeleteObject(m_bitmap);
  m_bitmap = NULL;
  m_ownsBitmap = 0;
}

void Tile::SetCaption(const wchar_t* caption) {
  if (caption) m_caption = caption;
}

HBITMAP Tile::GetBitmap(HBITMAP* bitmap, int* owns) const {
  if (bitmap) *bitmap = m_bitmap;
  if (owns) *owns = m_ownsBitmap;
  return m_bitmap;
}

HBITMAP Tile::SetBitmap(HBITMAP bitmap, int owns) {
  HBITMAP previous = m_bitmap;
  if (m_ownsBitmap && previous) {
    ::DeleteObject(previous);
    previous = NULL;
  }
  m_bitmap = bitmap;
  m_ownsBitmap = owns;
  return previous;
}

MasterTile::MasterTile() : m_tiles(NULL), m_maxCount(0), m_count(0), m_active(0) { Reset(); }

MasterTile::MasterTile(const MasterTile& other) : m_tiles(NULL), m_maxCount(0), m_count(0), m_active(0) {
  *this = other;
}

MasterTile::~MasterTile() { delete[] m_tiles; }

void MasterTile::Reset() {
  delete[] m_tiles;
  m_maxCount = kDefaultMaxTiles;
  m_tiles = new Tile[m_maxCount];
  m_count = 0;
  m_active = 0;
}

MasterTile& MasterTile::operator=(const MasterTile& other) {
  if (this == &other) return *this;
  Tile* tiles = new Tile[other.m_maxCount > 0 ? other.m_maxCount : 1];
  for (int i = 0; i < other.m_count; ++i) tiles[i] = other.m_tiles[i];
  delete[] m_tiles;
  m_tiles = tiles;
  m_maxCount = other.m_maxCount;
  m_count = other.m_count;
  m_active = other.m_active;
  return *this;
}

int MasterTile::AddTile(Tile& tile) {
  if (m_count >= m_maxCount) return -1;
  m_tiles[m_count] = tile;
  return m_count++;
}

int MasterTile::GetTile(Tile& tile, int index) const {
  if (index < 0 || index >= m_count) return 0;
  tile = m_tiles[index];
  return 1;
}

const Tile* MasterTile::TileAt(int index) const { return index >= 0 && index < m_count ? &m_tiles[index] : NULL; }

int MasterTile::GetActiveTile() const { return m_count > 0 && m_active >= 0 && m_active < m_count ? m_active : -1; }

int MasterTile::SetActiveTileIndex(int index) {
  if (index < 0 || index >= m_count) return 0;
  m_active = index;
  return 1;
}

TileControl::TileControl(HWND window, int maxMasters)
    : m_hWnd(window), m_active(-1), m_masters(maxMasters > 0 ? new MasterTile[maxMasters] : NULL), m_count(0),
      m_maxCount(maxMasters > 0 ? maxMasters : 0), m_interaction(0xFFFFFFF7) {}

TileControl::~TileControl() { delete[] m_masters; }

int TileControl::AddMasterTile(MasterTile& master) {
  if (!(m_interaction & TCFI_ALLOWMANIPULATION) || m_masters == NULL || m_count >= m_maxCount) return -1;
  m_masters[m_count] = master;
  return m_count++;
}

int TileControl::SetActiveMasterTile(int index, int) {
  if (!(m_interaction & TCFI_ALLOWMASTERCHANGE) || index < 0 || index >= m_count) return 0;
  m_active = index;
  return 1;
}

int TileControl::GetTile(int master, Tile& tile, int index) const {
  if (m_masters == NULL || master < 0 || master >= m_count) return -1;
  return m_masters[master].GetTile(tile, index);
}

const Tile* TileControl::TileAt(int master, int index) const {
  if (m_masters == NULL || master < 0 || master >= m_count) return NULL;
  return m_masters[master].TileAt(index);
}
