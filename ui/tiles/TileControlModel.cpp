// The tile control's object: its masters and facets, activation, embedding, notifications.
#include "TileControl.h"

#include <new>

namespace {
// RedrawWindow flags of a repaint that runs before the call returns.
const UINT kRepaint = RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_FRAME;
}  // namespace

TileControl::TileControl(HWND window, int maxMasters)
    : m_hWnd(window), m_clientArea(0, 0, 0, 0), m_active(-1),
      m_masters(maxMasters > 0 && maxMasters <= kMaxMasters ? new MasterTile[maxMasters] : NULL), m_count(0),
      m_maxCount(m_masters != NULL ? maxMasters : 0), m_hotLeft(NULL), m_hotRight(NULL), m_hotMaster(-1),
      m_timer(0), m_interaction(0xFFFFFFF7), m_enabled(1), m_hasFocus(0), m_styles(0), m_owner(NULL), m_font(NULL),
      m_menuOpen(0) {}

TileControl::~TileControl() {
  delete[] m_masters;
  m_masters = NULL;
  m_count = m_maxCount = 0;
  m_active = -1;
  DropHotArrows();
  if (m_timer != 0 && ::IsWindow(m_hWnd)) ::KillTimer(m_hWnd, m_timer);
  m_timer = 0;
}

HWND TileControl::SetOwner(HWND owner) {
  HWND old = m_owner;
  m_owner = owner;
  return old;
}

HWND TileControl::GetOwner() const { return m_owner != NULL ? m_owner : ::GetParent(m_hWnd); }

DWORD TileControl::SetInteractionLevel(DWORD level) {
  const DWORD old = m_interaction;
  m_interaction = level;
  return old;
}

int TileControl::SetStyles(int styles) {
  const int old = m_styles;
  m_styles = styles;
  VisualFeedback();
  return old;
}

void TileControl::Repaint() {
  if (m_hWnd != NULL && ::IsWindow(m_hWnd)) ::RedrawWindow(m_hWnd, NULL, NULL, kRepaint);
}

void TileControl::VisualFeedback() { Repaint(); }

EMBEDDED_OBJECT* TileControl::ActiveObject() const {
  return ValidMaster(m_active) ? m_masters[m_active].GetActiveObject() : NULL;
}

// Hides an object unless it is the one the content area shows now.
void TileControl::HideIfNotShown(EMBEDDED_OBJECT* object) {
  if (object != NULL && object != ActiveObject()) object->Hide();
}

void TileControl::EmbedTileObject(const Tile* tile) {
  if (!Allowed(TCFI_ALLOWMANIPULATION) || tile == NULL || tile->GetClientObject() == NULL) return;
  TC_EMBED_INFO info = {m_hWnd, m_clientArea};
  tile->GetClientObject()->Embed(&info);
}

void TileControl::EmbedMasterTileObjects(int master) {
  if (!ValidMaster(master)) return;
  for (int i = 0; i < m_masters[master].GetCount(); ++i) EmbedTileObject(m_masters[master].TileAt(i));
}

// ---------------------------------------------------------------------------------------
// Masters

int TileControl::AddMasterTile(MasterTile& master) {
  if (!Allowed(TCFI_ALLOWMANIPULATION) || m_masters == NULL || m_count >= m_maxCount) return -1;
  m_masters[m_count] = master;
  const int index = m_count++;
  RecomputeClientArea(NULL);
  EmbedMasterTileObjects(index);
  Repaint();
  return index;
}

int TileControl::InsertMasterTile(MasterTile& master, int index) {
  if (!Allowed(TCFI_ALLOWMANIPULATION) || m_masters == NULL || index < 0 || index >= m_count ||
      m_count >= m_maxCount)
    return -1;
  if (m_active >= index) ++m_active;
  for (int i = m_count; i > index; --i) m_masters[i] = m_masters[i - 1];
  m_masters[index] = master;
  ++m_count;
  RecomputeClientArea(NULL);
  EmbedMasterTileObjects(index);
  Repaint();
  return index;
}

int TileControl::SetMasterTile(MasterTile& master, int index) {
  if (!Allowed(TCFI_ALLOWMANIPULATION) || !ValidMaster(index)) return 0;
  EMBEDDED_OBJECT* old = m_masters[index].GetActiveObject();
  m_masters[index] = master;
  EmbedMasterTileObjects(index);
  ActivateMasterTile(index, 1);
  // The old object goes only when the content area does not show it any more.
  HideIfNotShown(old);
  return 1;
}

int TileControl::RemoveMasterTile(int index) {
  if (!Allowed(TCFI_ALLOWMANIPULATION) || !ValidMaster(index)) return -1;
  // The removed active master's window is hidden, never destroyed.
  EMBEDDED_OBJECT* shown = index == m_active ? ActiveObject() : NULL;
  for (int i = index; i < m_count - 1; ++i) m_masters[i] = m_masters[i + 1];
  m_masters[m_count - 1].Reset();
  --m_count;
  if (m_active > index)
    --m_active;
  else if (m_active == index)
    m_active = -1;
  if (m_hotMaster >= m_count) m_hotMaster = -1;
  if (shown != NULL) shown->Hide();
  RecomputeClientArea(NULL);
  Repaint();
  return index;
}

int TileControl::SetNumMasterTiles(int n) {
  if (!Allowed(TCFI_ALLOWMANIPULATION) || n < 1 || n > kMaxMasters) return -1;
  if (n == m_maxCount && m_masters != NULL) return n;
  MasterTile* masters = new (std::nothrow) MasterTile[n];
  if (masters == NULL) return -1;
  const int kept = m_count < n ? m_count : n;
  for (int i = 0; i < kept; ++i) masters[i] = m_masters[i];
  const bool activeDropped = m_active >= n;
  EMBEDDED_OBJECT* shown = activeDropped ? ActiveObject() : NULL;
  delete[] m_masters;
  m_masters = masters;
  m_maxCount = n;
  m_count = kept;
  if (m_hotMaster >= m_count) m_hotMaster = -1;
  if (activeDropped) {
    m_active = -1;
    if (shown != NULL) shown->Hide();
    RecomputeClientArea(NULL);
    if (m_count > 0) SetActiveMasterTile(0, 0);
  }
  Repaint();
  return n;
}

int TileControl::FindMasterTile(MasterTile& master) const {
  for (int i = 0; m_masters != NULL && i < m_count; ++i)
    if (m_masters[i] == master) return i;
  return -1;
}

int TileControl::GetMasterTile(MasterTile& master, int index) const {
  if (!ValidMaster(index)) return 0;
  master = m_masters[index];
  return 1;
}

int TileControl::GetActiveMasterTile(MasterTile& master) const {
  if (!ValidMaster(m_active)) return -1;
  master = m_masters[m_active];
  return m_active;
}

int TileControl::SetActiveMasterTile(int index, int force) {
  if (!Allowed(TCFI_ALLOWMASTERCHANGE) || !ValidMaster(index)) return 0;
  const int done = ActivateMasterTile(index, force);
  if (done > 0 && !Notify(TLN_MASTERACTIVATED, m_active)) return done;
  return done;
}

int TileControl::ActivateMasterTile(int index, int force) {
  if (!Allowed(TCFI_ALLOWMASTERCHANGE)) return -1;
  if (index == m_active && !force) return 1;
  if (m_masters == NULL) return 0;
  EMBEDDED_OBJECT* old = ActiveObject();
  m_scrollInfo.m_animating = 1;
  m_scrollInfo.m_from = m_active;
  m_scrollInfo.m_to = index;
  m_scrollInfo.m_offset = 0;
  Repaint();
  m_scrollInfo.Reset();
  m_active = index;
  RecomputeClientArea(NULL);
  Repaint();
  if (old != NULL && old != ActiveObject()) old->Hide();
  Repaint();
  return 1;
}

BOOL TileControl::Notify(int code, int master) {
  if (m_hWnd == NULL || !::IsWindow(m_hWnd)) return FALSE;
  HWND owner = GetOwner();
  if (owner == NULL) return TRUE;
  NMTILECONTROL nm = {};
  nm.hdr.hwndFrom = m_hWnd;
  nm.hdr.idFrom = static_cast<UINT_PTR>(::GetDlgCtrlID(m_hWnd));
  nm.hdr.code = static_cast<UINT>(code);
  nm.nMaster = master;
  HWND self = m_hWnd;
  ::SendMessageW(owner, WM_NOTIFY, nm.hdr.idFrom, reinterpret_cast<LPARAM>(&nm));
  // The owner may have destroyed the control while hearing of it.
  return ::IsWindow(self) && FromWindow(self) == this;
}

void TileControl::EnableMasterTile(int index, int enable) {
  if (!ValidMaster(index)) return;
  m_masters[index].EnableTile(enable);
  DrawMasterTileEx(index, false, index == m_hotMaster);
}

int TileControl::IsMasterTileEnabled(int index) const {
  return ValidMaster(index) ? m_masters[index].IsTileEnabled() : 0;
}

HBITMAP TileControl::SetMasterBitmap(int index, HBITMAP bitmap, int owns) {
  if (!Allowed(TCFI_ALLOWMANIPULATION) || !ValidMaster(index)) return NULL;
  HBITMAP previous = m_masters[index].SetBitmap(bitmap, owns);
  DrawMasterTileEx(index, false, index == m_hotMaster);
  return previous;
}

HBITMAP TileControl::GetMasterBitmap(int index, HBITMAP* bitmap, int* owns) const {
  if (!ValidMaster(index)) return NULL;
  return m_masters[index].GetBitmap(bitmap, owns);
}

RECT* TileControl::GetMasterRect(int index) const {
  if (!ValidMaster(index)) return NULL;
  RECT* rect = new (std::nothrow) RECT;
  if (rect != NULL) *rect = MasterRect(index);
  return rect;
}

int TileControl::GetTruncation(int index, int& truncated) const {
  if (!ValidMaster(index)) return 0;
  truncated = m_masters[index].GetTruncation();
  return 1;
}

// ---------------------------------------------------------------------------------------
// Facets

int TileControl::AddTile(int master, Tile& tile) {
  if (!ValidMaster(master)) return -1;
  if (!Allowed(TCFI_ALLOWMANIPULATION)) return -1;
  const int index = m_masters[master].AddTile(tile);
  if (index >= 0) {
    EmbedTileObject(&tile);
    if (master == m_active) Repaint();
  }
  return index;
}

int TileControl::InsertTile(int master, Tile& tile, int index) {
  if (!ValidMaster(master) || !Allowed(TCFI_ALLOWMANIPULATION)) return -1;
  const int at = m_masters[master].InsertTile(tile, index);
  if (at >= 0) {
    EmbedTileObject(&tile);
    if (master == m_active) Repaint();
  }
  return at;
}

int TileControl::SetTile(int master, Tile& tile, int index) {
  if (!ValidMaster(master) || !Allowed(TCFI_ALLOWMANIPULATION)) return -1;
  EMBEDDED_OBJECT* shown = ActiveObject();
  const int done = m_masters[master].SetTile(tile, index);
  if (done) {
    EmbedTileObject(&tile);
    if (master == m_active) {
      // A new object in the shown facet takes the content area.
      if (EMBEDDED_OBJECT* now = ActiveObject())
        if (now != shown) now->Show(m_clientArea);
      HideIfNotShown(shown);
      Repaint();
    }
  }
  return done;
}

int TileControl::RemoveTile(int master, int index) {
  if (!ValidMaster(master) || !Allowed(TCFI_ALLOWMANIPULATION)) return -1;
  // The content area's window goes with the active facet: hidden, never destroyed.
  EMBEDDED_OBJECT* shown = master == m_active ? ActiveObject() : NULL;
  const int removed = m_masters[master].RemoveTile(index);
  if (removed >= 0 && master == m_active) {
    HideIfNotShown(shown);
    Repaint();
  }
  return removed;
}

int TileControl::RemoveTile(int master, Tile& tile) {
  if (!ValidMaster(master)) return -1;
  return RemoveTile(master, m_masters[master].FindTile(tile));
}

int TileControl::FindTile(int master, Tile& tile) const {
  return ValidMaster(master) ? m_masters[master].FindTile(tile) : -1;
}

int TileControl::GetCount(int master) const { return ValidMaster(master) ? m_masters[master].GetCount() : -1; }

int TileControl::GetMaxCount(int master) const { return ValidMaster(master) ? m_masters[master].GetMaxCount() : -1; }

int TileControl::GetTile(int master, Tile& tile, int index) const {
  if (!ValidMaster(master)) return -1;
  return m_masters[master].GetTile(tile, index);
}

int TileControl::GetActiveTile(int master) const {
  return ValidMaster(master) ? m_masters[master].GetActiveTile() : -1;
}

int TileControl::GetActiveTile(int master, Tile& tile) const {
  return ValidMaster(master) ? m_masters[master].GetActiveTile(tile) : -1;
}

int TileControl::SetActiveTile(int master, int index) {
  if (!Allowed(TCFI_ALLOWMANIPULATION)) return 0;
  if (!ValidMaster(master)) return -1;
  const int done = m_masters[master].SetActiveTile(index, master == m_active ? &m_clientArea : NULL);
  Repaint();
  return done;
}

int TileControl::SetActiveTile(int master, Tile& tile) {
  if (!Allowed(TCFI_ALLOWMANIPULATION)) return 0;
  if (!ValidMaster(master)) return -1;
  const int index = m_masters[master].FindTile(tile);
  return index < 0 ? 0 : SetActiveTile(master, index);
}

int TileControl::SetNumTiles(int master, int n) {
  if (!ValidMaster(master) || !Allowed(TCFI_ALLOWMANIPULATION)) return -1;
  EMBEDDED_OBJECT* shown = master == m_active ? ActiveObject() : NULL;
  const int result = m_masters[master].SetNumTiles(n);
  if (result > 0 && master == m_active) {
    if (EMBEDDED_OBJECT* now = ActiveObject())
      if (now != shown) now->Show(m_clientArea);
    HideIfNotShown(shown);
    Repaint();
  }
  return result;
}

HBITMAP TileControl::SetBitmap(int master, int index, HBITMAP bitmap, int owns) {
  if (!ValidMaster(master)) return NULL;
  HBITMAP previous = m_masters[master].SetBitmap(index, bitmap, owns);
  if (master == m_active) Repaint();
  return previous;
}

HBITMAP TileControl::GetBitmap(int master, int index, HBITMAP* bitmap, int* owns) const {
  return ValidMaster(master) ? m_masters[master].GetBitmap(index, bitmap, owns) : NULL;
}

const Tile* TileControl::TileAt(int master, int index) const {
  return ValidMaster(master) ? m_masters[master].TileAt(index) : NULL;
}

// ---------------------------------------------------------------------------------------
// Enabling and focus

void TileControl::SetFocus(int focus) {
  m_hasFocus = focus ? 1 : 0;
  if (focus)
    if (EMBEDDED_OBJECT* object = ActiveObject()) object->SetFocus(1);
}

void TileControl::Enable(int enable) {
  m_enabled = enable ? 1 : 0;
  const bool masterDisabled = ValidMaster(m_active) && !m_masters[m_active].IsTileEnabled();
  if (!(masterDisabled && m_enabled))
    if (EMBEDDED_OBJECT* object = ActiveObject()) object->Activate(m_enabled);
  Repaint();
}
