// The tile control's data: embedded objects, facets (Tile) and master tiles (MasterTile).
#include "TileControl.h"

#include "UIBitmapUtilities.h"

#include <new>

namespace {

const int kDefaultMaxTiles = 5;

// A held bitmap takes another one's place: an owned one held is deleted (NULL is then the
// previous bitmap); returns the previous bitmap.
HBITMAP ReplaceBitmap(HBITMAP& held, int& owns, HBITMAP bitmap, int newOwns) {
  HBITMAP previous = held;
  if (owns && previous && previous != bitmap) {
    ::DeleteObject(previous);
    previous = NULL;
  }
  held = bitmap;
  owns = bitmap != NULL ? newOwns : 0;
  return previous;
}

// Assignment of a held bitmap: an owned source is copied (and the copy owned), a shared one
// is shared.
void AssignBitmap(HBITMAP& held, int& owns, HBITMAP source, int sourceOwns) {
  if (owns && held) ::DeleteObject(held);
  if (sourceOwns && source) {
    held = Utilities::CopyBitmap(source);
    owns = held != NULL;
  } else {
    held = source;
    owns = 0;
  }
}

}  // namespace

// ---------------------------------------------------------------------------------------
// Embedded objects

int EMBEDDED_OBJECT::Show() {
  if (m_hCore == NULL) return 0;
  ::SetWindowPos(m_hCore, NULL, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_SHOWWINDOW);
  ::SetFocus(m_hCore);
  return 1;
}

int EMBEDDED_OBJECT::Show(const CRect& rect) {
  if (m_hCore == NULL) return 0;
  ::SetWindowPos(m_hCore, NULL, rect.left, rect.top, rect.Width(), rect.Height(),
                 SWP_NOZORDER | SWP_FRAMECHANGED | SWP_SHOWWINDOW);
  ::SetFocus(m_hCore);
  return 1;
}

int EMBEDDED_OBJECT::Hide() {
  if (m_hCore == NULL) return 0;
  ::ShowWindow(m_hCore, SW_HIDE);
  return 1;
}

int EMBEDDED_OBJECT::Embed(const TC_EMBED_INFO* info) {
  if (m_hCore == NULL || info == NULL) return 0;
  if (info->hWnd == NULL) return 1;
  if (::GetParent(m_hCore) != info->hWnd) ::SetParent(m_hCore, info->hWnd);
  ::ShowWindow(m_hCore, SW_HIDE);
  return 1;
}

int EMBEDDED_OBJECT::Update() {
  if (m_hCore == NULL) return 0;
  ::UpdateWindow(m_hCore);
  return 1;
}

int EMBEDDED_OBJECT::SetFocus(int focus) {
  if (m_hCore == NULL) return 0;
  if (focus) ::SetFocus(m_hCore);
  return 1;
}

int EMBEDDED_OBJECT::Activate(int enable) {
  if (m_hCore == NULL) return 0;
  ::EnableWindow(m_hCore, enable ? TRUE : FALSE);
  return 1;
}

// ---------------------------------------------------------------------------------------
// Facets

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
  AssignBitmap(m_bitmap, m_ownsBitmap, other.m_bitmap, other.m_ownsBitmap);
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

EMBEDDED_OBJECT* Tile::SetClientObject(EMBEDDED_OBJECT* object) {
  if (object == m_object) return NULL;
  EMBEDDED_OBJECT* previous = m_object;
  m_object = object;
  return previous;
}

HBITMAP Tile::GetBitmap(HBITMAP* bitmap, int* owns) const {
  if (bitmap) *bitmap = m_bitmap;
  if (owns) *owns = m_ownsBitmap;
  return m_bitmap;
}

HBITMAP Tile::SetBitmap(HBITMAP bitmap, int owns) {
  return ReplaceBitmap(m_bitmap, m_ownsBitmap, bitmap, owns);
}

// ---------------------------------------------------------------------------------------
// Master tiles

MasterTile::MasterTile()
    : m_tiles(NULL), m_maxCount(0), m_count(0), m_active(0), m_bitmap(NULL), m_ownsBitmap(0), m_truncated(0),
      m_enabled(1) {
  Reset();
}

MasterTile::MasterTile(const MasterTile& other)
    : m_tiles(NULL), m_maxCount(0), m_count(0), m_active(0), m_bitmap(NULL), m_ownsBitmap(0), m_truncated(0),
      m_enabled(1) {
  *this = other;
}

MasterTile::~MasterTile() {
  delete[] m_tiles;
  m_tiles = NULL;
  if (m_ownsBitmap && m_bitmap) ::DeleteObject(m_bitmap);
}

void MasterTile::Reset() {
  delete[] m_tiles;
  m_maxCount = kDefaultMaxTiles;
  m_tiles = new Tile[m_maxCount];
  m_count = 0;
  m_active = 0;
  if (m_ownsBitmap && m_bitmap) ::DeleteObject(m_bitmap);
  m_bitmap = NULL;
  m_ownsBitmap = 0;
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
  AssignBitmap(m_bitmap, m_ownsBitmap, other.m_bitmap, other.m_ownsBitmap);
  m_truncated = other.m_truncated;
  m_enabled = other.m_enabled;
  return *this;
}

int MasterTile::operator==(const MasterTile& other) const {
  if (m_maxCount != other.m_maxCount || m_count != other.m_count || m_active != other.m_active) return 0;
  if (m_tiles == NULL || other.m_tiles == NULL) return m_tiles == other.m_tiles;
  for (int i = 0; i < m_count; ++i)
    if (!(m_tiles[i] == other.m_tiles[i])) return 0;
  return 1;
}

int MasterTile::AddTile(Tile& tile) {
  if (m_tiles == NULL || m_count >= m_maxCount) return -1;
  m_tiles[m_count] = tile;
  return m_count++;
}

int MasterTile::InsertTile(Tile& tile, int index) {
  if (m_tiles == NULL || index < 0 || index >= m_count || m_count >= m_maxCount) return -1;
  for (int i = m_count; i > index; --i) m_tiles[i] = m_tiles[i - 1];
  m_tiles[index] = tile;
  if (m_active >= index) ++m_active;
  ++m_count;
  return index;
}

int MasterTile::SetTile(Tile& tile, int index) {
  if (index < 0 || index >= m_count) return 0;
  m_tiles[index] = tile;
  return 1;
}

int MasterTile::GetTile(Tile& tile, int index) const {
  if (index < 0 || index >= m_count) return 0;
  tile = m_tiles[index];
  return 1;
}

int MasterTile::RemoveTile(int index) {
  if (index < 0 || index >= m_count) return -1;
  for (int i = index; i < m_count - 1; ++i) m_tiles[i] = m_tiles[i + 1];
  m_tiles[m_count - 1].Reset();
  --m_count;
  if (m_active > index)
    --m_active;
  else if (m_active == index)
    m_active = -1;
  return index;
}

int MasterTile::RemoveTile(Tile& tile) {
  const int index = FindTile(tile);
  return index < 0 ? -1 : RemoveTile(index);
}

int MasterTile::FindTile(Tile& tile) const {
  for (int i = 0; i < m_count; ++i)
    if (m_tiles[i] == tile) return i;
  return -1;
}

const Tile* MasterTile::TileAt(int index) const { return index >= 0 && index < m_count ? &m_tiles[index] : NULL; }

int MasterTile::GetActiveTile() const { return m_count > 0 && m_active >= 0 && m_active < m_count ? m_active : -1; }

int MasterTile::GetActiveTile(Tile& tile) const {
  const int active = GetActiveTile();
  if (active >= 0) tile = m_tiles[active];
  return active;
}

int MasterTile::SetActiveTile(Tile& tile) {
  const int index = FindTile(tile);
  if (index < 0) return 0;
  m_active = index;
  return 1;
}

int MasterTile::SetActiveTile(int index, const CRect* rect) {
  if (index < 0 || index >= m_count) return 0;
  EMBEDDED_OBJECT* old = GetActiveObject();
  EMBEDDED_OBJECT* now = m_tiles[index].GetClientObject();
  if (now != NULL) {
    if (rect != NULL)
      now->Show(*rect);
    else
      now->Show();
  }
  if (old != NULL && old != now) old->Hide();
  m_active = index;
  return 1;
}

int MasterTile::SetActiveTileIndex(int index) {
  if (index < 0 || index >= m_count) return 0;
  m_active = index;
  return 1;
}

EMBEDDED_OBJECT* MasterTile::GetActiveObject() const {
  const int active = GetActiveTile();
  return active >= 0 ? m_tiles[active].GetClientObject() : NULL;
}

CString MasterTile::GetActiveCaption() const {
  const int active = GetActiveTile();
  return active >= 0 ? m_tiles[active].GetCaption() : CString(L"???");
}

void MasterTile::EnableTile(int enable) {
  m_enabled = enable ? 1 : 0;
  for (int i = 0; i < m_count; ++i)
    if (EMBEDDED_OBJECT* object = m_tiles[i].GetClientObject()) object->Activate(m_enabled);
}

HBITMAP MasterTile::SetBitmap(HBITMAP bitmap, int owns) {
  return ReplaceBitmap(m_bitmap, m_ownsBitmap, bitmap, owns);
}

HBITMAP MasterTile::GetBitmap(HBITMAP* bitmap, int* owns) const {
  if (bitmap) *bitmap = m_bitmap;
  if (owns) *owns = m_ownsBitmap;
  return m_bitmap;
}

HBITMAP MasterTile::SetBitmap(int index, HBITMAP bitmap, int owns) {
  if (index < 0 || index >= m_count) return NULL;
  return m_tiles[index].SetBitmap(bitmap, owns);
}

HBITMAP MasterTile::GetBitmap(int index, HBITMAP* bitmap, int* owns) const {
  if (index < 0 || index >= m_count) return NULL;
  return m_tiles[index].GetBitmap(bitmap, owns);
}

int MasterTile::SetNumTiles(int n) {
  if (n < 1 || n > kMaxTiles) return -1;
  if (n == m_maxCount) return n;
  Tile* tiles = new (std::nothrow) Tile[n];
  if (tiles == NULL) return -1;
  const int kept = m_count < n ? m_count : n;
  for (int i = 0; i < kept; ++i) tiles[i] = m_tiles[i];
  // The facets past the new maximum are freed with the old array; their windows are hidden.
  EMBEDDED_OBJECT* shown = GetActiveObject();
  const bool activeDropped = m_active >= n;
  delete[] m_tiles;
  m_tiles = tiles;
  m_maxCount = n;
  m_count = kept;
  if (activeDropped) {
    m_active = -1;
    if (m_count > 0) SetActiveTile(0, NULL);
    if (shown != NULL && shown != GetActiveObject()) shown->Hide();
    if (m_count == 0) m_active = 0;
  }
  return n;
}
