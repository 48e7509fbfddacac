// Framework classes over the tool table: the item record, the window wrapper and the
// container with tooltips and relayed notifications.
#include "ToolTableWnd.h"

#include "ToolTableState.h"
#include "ControlClass.h"
#include "ControlClasses.h"

#include <fw_dc.h>

#include <cstdlib>
#include <cstring>
#include <string>

// CToolTableItem.

CToolTableItem::CToolTableItem() { Reset(); }
CToolTableItem::CToolTableItem(const tagTT_ITEMINFO& info) : m_info(info) {}
CToolTableItem::CToolTableItem(const CToolTableItem& other) : m_info(other.m_info) {}
CToolTableItem& CToolTableItem::operator=(const CToolTableItem& other) {
  m_info = other.m_info;
  return *this;
}

CToolTableItem::CToolTableItem(short type, unsigned long id, void* object, int flags, int state, unsigned long data) {
  Reset();
  m_info.flags = static_cast<DWORD>(flags);
  m_info.state = static_cast<DWORD>(state);
  m_info.data = data;
  SetObject(static_cast<DWORD>(type), object);
  m_info.id = id;
}

CToolTableItem::CToolTableItem(short type, void* object, unsigned long id, unsigned long data, int span, int enabled,
                               int selected, int focused, int hilited, int, int autoDispose, int centred, int fit) {
  Reset();
  m_info.data = data;
  SpanItem(span);
  EnableItem(enabled);
  SelectItem(selected);
  FocusItem(focused);
  HiliteItem(hilited);
  AutoDisposeItem(autoDispose);
  CenterItem(centred);
  FitItem(fit);
  SetObject(static_cast<DWORD>(type), object);
  m_info.id = id;
}

CToolTableItem::~CToolTableItem() { std::memset(&m_info, 0, sizeof m_info); }

void CToolTableItem::SetObject(DWORD type, HANDLE object) {
  m_info.type = type;
  m_info.object = type == TTBL_OWNERDRAW || type == TTBL_SEPARATOR ? NULL : object;
  if (type == TTBL_SEPARATOR) {
    m_info.flags = TTBLF_NEUTRAL | TTBLF_SPAN;
    m_info.state = TTBLS_DISABLED;
  }
}

void CToolTableItem::SetItemWindow(HWND window) { SetObject(TTBL_WINDOW, window); }
void CToolTableItem::SetItemBitmap(HBITMAP bitmap) { SetObject(TTBL_BITMAP, bitmap); }
void CToolTableItem::SetItemIcon(HICON icon) { SetObject(TTBL_ICON, icon); }
void CToolTableItem::SetItemOwnerDraw() { SetObject(TTBL_OWNERDRAW, NULL); }
void CToolTableItem::SetItemSeparator() { SetObject(TTBL_SEPARATOR, NULL); }

void CToolTableItem::SetItemPos(unsigned long posOrId, int byPosition) {
  m_info.how = byPosition ? TTBL_BYPOSITION : TTBL_BYID;
  m_info.posOrId = posOrId;
}

void CToolTableItem::Reset() {
  std::memset(&m_info, 0, sizeof m_info);
  m_info.mask = TTBLMASK_ALL;
}

void CToolTableItem::Pos(unsigned long& posOrId, int& byPosition) const {
  posOrId = m_info.posOrId;
  byPosition = m_info.how == TTBL_BYPOSITION;
}

// CToolTable.

IMPLEMENT_DYNAMIC(CToolTable, CWnd)

namespace {

tagTT_ITEMINFO Named(unsigned long posOrId, int byPosition) {
  tagTT_ITEMINFO r = {};
  r.how = byPosition ? TTBL_BYPOSITION : TTBL_BYID;
  r.posOrId = posOrId;
  r.mask = TTBLMASK_ALL;
  return r;
}

tagTT_ITEMINFO Made(DWORD type, HANDLE object, unsigned long id, unsigned long data, DWORD flags, DWORD state = 0) {
  tagTT_ITEMINFO r = {};
  r.type = type;
  r.object = object;
  r.id = id;
  r.data = data;
  r.flags = flags;
  r.state = state;
  r.mask = TTBLMASK_ALL;
  return r;
}

DWORD Flag(int on, DWORD bit) { return on ? bit : 0; }

// The bits combined by mode; false for an unknown mode.
bool Combine(DWORD current, int bits, CToolTable::SetMode mode, DWORD* out) {
  switch (mode) {
    case CToolTable::Replace:
      *out = static_cast<DWORD>(bits);
      return true;
    case CToolTable::Add:
      *out = current | static_cast<DWORD>(bits);
      return true;
    case CToolTable::Remove:
      *out = current & ~static_cast<DWORD>(bits);
      return true;
    default:
      return false;
  }
}

}  // namespace

CToolTable::CToolTable() {}
CToolTable::~CToolTable() {}

int CToolTable::Send(UINT msg, WPARAM wp, LPARAM lp) const {
  if (m_hWnd == NULL) return -1;
  return static_cast<int>(::SendMessageW(m_hWnd, msg, wp, lp));
}

int CToolTable::SendItem(UINT msg, WPARAM wp, unsigned long posOrId, int byPosition) const {
  tagTT_ITEMINFO r = Named(posOrId, byPosition);
  return Send(msg, wp, reinterpret_cast<LPARAM>(&r));
}

BOOL CToolTable::Create(CWnd* parent, int x, int y, unsigned int id, int columns, int cellWidth, int cellHeight,
                        int sepX, int sepY, int multipleSelection, int relay, int) {
  RegisterToolTableClass(quarnel::LibraryInstance());
  if (!CreateEx(0, _T("QvToolTable32"), _T(""), WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | WS_TABSTOP,
                x, y, 10, 10, parent->GetSafeHwnd(), reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id))))
    return FALSE;
  SetItemMetrics(static_cast<short>(cellWidth), static_cast<short>(cellHeight));
  SetItemSep(static_cast<short>(sepX), static_cast<short>(sepY));
  SetNumCols(static_cast<short>(columns));
  SetRelay(relay);
  SetTableStyle(TTBLT_MULTISEL, multipleSelection ? Add : Remove);
  return TRUE;
}

int CToolTable::Close() { return Send(TTBLM_CLOSE, 0, 0); }
int CToolTable::AddItem(const tagTT_ITEMINFO& item) {
  tagTT_ITEMINFO r = item;
  return Send(TTBLM_ADDITEM, 0, reinterpret_cast<LPARAM>(&r));
}
int CToolTable::InsertItem(const tagTT_ITEMINFO& item) {
  tagTT_ITEMINFO r = item;
  return Send(TTBLM_INSERTITEM, 0, reinterpret_cast<LPARAM>(&r));
}
int CToolTable::DeleteItem(const tagTT_ITEMINFO& item) {
  tagTT_ITEMINFO r = item;
  return Send(TTBLM_DELETEITEM, 0, reinterpret_cast<LPARAM>(&r));
}
int CToolTable::DeleteItem(unsigned long posOrId, int byPosition) {
  return SendItem(TTBLM_DELETEITEM, 0, posOrId, byPosition);
}
int CToolTable::AddSeparator() {
  return AddItem(Made(TTBL_SEPARATOR, NULL, 0, 0, TTBLF_NEUTRAL | TTBLF_SPAN, TTBLS_DISABLED));
}
int CToolTable::AddOwnerDraw(unsigned long id, unsigned long data, int span) {
  return AddItem(Made(TTBL_OWNERDRAW, NULL, id, data, Flag(span, TTBLF_SPAN)));
}
int CToolTable::AddWindow(HWND window, unsigned long id, unsigned long data, int span, int autoDispose) {
  return AddItem(Made(TTBL_WINDOW, window, id, data, Flag(span, TTBLF_SPAN) | Flag(autoDispose, TTBLF_AUTODISPOSE)));
}
int CToolTable::AddIcon(HICON icon, unsigned long id, unsigned long data, int centred, int span, int autoDispose) {
  return AddItem(Made(TTBL_ICON, icon, id, data,
                      Flag(centred, TTBLF_CENTER) | Flag(span, TTBLF_SPAN) | Flag(autoDispose, TTBLF_AUTODISPOSE)));
}
int CToolTable::AddBitmap(HBITMAP bitmap, unsigned long id, unsigned long data, int fit, int centred, int span,
                          int autoDispose) {
  return AddItem(Made(TTBL_BITMAP, bitmap, id, data,
                      Flag(fit, TTBLF_FIT) | Flag(centred, TTBLF_CENTER) | Flag(span, TTBLF_SPAN) |
                          Flag(autoDispose, TTBLF_AUTODISPOSE)));
}
int CToolTable::SetItem(const tagTT_ITEMINFO& item) {
  tagTT_ITEMINFO r = item;
  r.mask = TTBLMASK_ALL;
  return Send(TTBLM_SETITEM, 0, reinterpret_cast<LPARAM>(&r));
}
int CToolTable::SetItemObject(const tagTT_ITEMINFO& item) {
  tagTT_ITEMINFO r = item;
  r.mask = TTBLMASK_OBJECT;
  return Send(TTBLM_SETITEM, 0, reinterpret_cast<LPARAM>(&r));
}
int CToolTable::SetItemState(const tagTT_ITEMINFO& item) {
  tagTT_ITEMINFO r = item;
  return Send(TTBLM_SETITEMSTATE, r.state, reinterpret_cast<LPARAM>(&r));
}
int CToolTable::SetItemState(unsigned long posOrId, int byPosition, int bits, SetMode mode) {
  if (mode != Replace && mode != Add && mode != Remove) return -1;
  DWORD state = static_cast<DWORD>(bits);
  if (mode != Replace) {
    const int current = GetItemState(posOrId, byPosition);
    if (current == -1) return -1;
    Combine(static_cast<DWORD>(current), bits, mode, &state);
  }
  return SendItem(TTBLM_SETITEMSTATE, state, posOrId, byPosition);
}
int CToolTable::SetItemData(const tagTT_ITEMINFO& item) {
  tagTT_ITEMINFO r = item;
  return Send(TTBLM_SETITEMDATA, r.data, reinterpret_cast<LPARAM>(&r));
}
int CToolTable::SetItemData(unsigned long posOrId, int byPosition, unsigned long data) {
  return SendItem(TTBLM_SETITEMDATA, data, posOrId, byPosition);
}
int CToolTable::GetItem(tagTT_ITEMINFO* item) const { return Send(TTBLM_GETITEM, 0, reinterpret_cast<LPARAM>(item)); }
int CToolTable::RedrawItem(unsigned long posOrId, int byPosition, int content) {
  return SendItem(TTBLM_REDRAWITEM, content ? TTBL_DRAWCONTENT : 0, posOrId, byPosition);
}
int CToolTable::GetItemState(unsigned long posOrId, int byPosition) const {
  return SendItem(TTBLM_GETITEMSTATE, 0, posOrId, byPosition);
}
int CToolTable::GetItemData(unsigned long posOrId, int byPosition) const {
  return SendItem(TTBLM_GETITEMDATA, 0, posOrId, byPosition);
}
int CToolTable::RedrawAllItems() { return Send(TTBLM_REDRAWALL, 0, 0); }
int CToolTable::GetNumItems() const { return Send(TTBLM_GETNUMITEMS, 0, 0); }
int CToolTable::GetNumRows() const { return Send(TTBLM_GETNUMROWS, 0, 0); }
int CToolTable::GetNumCols() const { return Send(TTBLM_GETNUMCOLS, 0, 0); }
int CToolTable::SetNumCols(short columns) { return Send(TTBLM_SETNUMCOLS, 0, columns); }
int CToolTable::GetPair(UINT msg, short& low, short& high) const {
  const int r = Send(msg, 0, 0);
  if (r != -1) {
    low = static_cast<short>(LOWORD(r));
    high = static_cast<short>(HIWORD(r));
  }
  return r;
}
int CToolTable::GetItemSep(short& x, short& y) const { return GetPair(TTBLM_GETITEMSEP, x, y); }
int CToolTable::SetItemSep(short x, short y) {
  return Send(TTBLM_SETITEMSEP, 0, MAKELPARAM(static_cast<WORD>(x), static_cast<WORD>(y)));
}
int CToolTable::GetItemMetrics(short& width, short& height) const {
  return GetPair(TTBLM_GETITEMMETRICS, width, height);
}
int CToolTable::SetItemMetrics(short width, short height) {
  return Send(TTBLM_SETITEMMETRICS, 0, MAKELPARAM(static_cast<WORD>(width), static_cast<WORD>(height)));
}
int CToolTable::SetRelay(int on) { return Send(TTBLM_SETRELAY, on, 0); }
int CToolTable::Clear() { return Send(TTBLM_CLEAR, 0, 0); }
int CToolTable::GetTableStyle() const { return Send(TTBLM_GETTABLESTYLE, 0, 0); }
int CToolTable::SetTableStyle(int bits, SetMode mode) {
  if (mode != Replace && mode != Add && mode != Remove) return -1;
  DWORD style = static_cast<DWORD>(bits);
  if (mode != Replace) {
    const int current = GetTableStyle();
    if (current == -1) return -1;
    Combine(static_cast<DWORD>(current), bits, mode, &style);
  }
  return Send(TTBLM_SETTABLESTYLE, style, 0);
}
int CToolTable::GetSelectedArray(short* positions, short max) const {
  return Send(TTBLM_GETSTATEARRAY, MAKEWPARAM(static_cast<WORD>(max), 1), reinterpret_cast<LPARAM>(positions));
}
int CToolTable::GetGrayedArray(short* positions, short max) const {
  return Send(TTBLM_GETSTATEARRAY, MAKEWPARAM(static_cast<WORD>(max), 0), reinterpret_cast<LPARAM>(positions));
}
void CToolTable::Resize(unsigned int edge, RECT* rect) { Send(WM_SIZING, edge, reinterpret_cast<LPARAM>(rect)); }
void CToolTable::Size(unsigned int type, int cx, int cy) { Send(WM_SIZE, type, MAKELPARAM(cx, cy)); }
int CToolTable::GetHilite() const { return Send(TTBLM_GETHILITE, 0, 0); }
int CToolTable::GetFocus() const { return Send(TTBLM_GETFOCUS, 0, 0); }
int CToolTable::FindItem(unsigned long object, short type, int wantPosition) const {
  return Send(TTBLM_FINDITEM, static_cast<WPARAM>(object), MAKELPARAM(static_cast<WORD>(type), wantPosition ? 1 : 0));
}
int CToolTable::FindItemID(unsigned long id) const { return Send(TTBLM_FINDITEMID, id, 0); }
int CToolTable::SetHilite(int pos, int skip) { return Send(TTBLM_SETHILITE, static_cast<WPARAM>(pos), skip); }
int CToolTable::HitTest(tagTT_CLICKSTRUCT& hit, POINT* pt) const {
  POINT at;
  if (pt != NULL) {
    at = *pt;
  } else if (!::GetCursorPos(&at) || !::ScreenToClient(m_hWnd, &at)) {
    return -1;
  }
  return Send(TTBLM_HITTEST, MAKEWPARAM(static_cast<WORD>(at.x), static_cast<WORD>(at.y)),
              reinterpret_cast<LPARAM>(&hit));
}

// The hook on the container's owner.

CToolTableContainerHook::CToolTableContainerHook(CToolTableContainer* container)
    : m_pContainer(container), m_pWatched(NULL) {}

CToolTableContainerHook::~CToolTableContainerHook() {
  if (IsHooked()) HookWindow(NULL);
}

void CToolTableContainerHook::Hook(CWnd* window) {
  if (IsHooked()) HookWindow(NULL);
  m_pWatched = window;
  if (window != NULL) HookWindow(window);
}

LRESULT CToolTableContainerHook::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  HWND container = m_pContainer->GetSafeHwnd();
  const LRESULT result = CMsgHook::WindowProc(message, wParam, lParam);
  if (message == WM_NOTIFY && lParam != 0 && container != NULL) {
    tagNM_TOOLTABLE* nm = reinterpret_cast<tagNM_TOOLTABLE*>(lParam);
    if (nm->hdr.hwndFrom == container && nm->posted == 1) delete nm;
  }
  return result;
}

void DestructElements(char** elements, int count) {
  for (int i = 0; elements != NULL && i < count; ++i) {
    std::free(elements[i]);
    elements[i] = NULL;
  }
}

// CToolTableContainer.

IMPLEMENT_DYNAMIC(CToolTableContainer, CWnd)

BEGIN_MESSAGE_MAP(CToolTableContainer, CWnd)
  ON_WM_GETDLGCODE()
  ON_WM_DESTROY()
  ON_WM_SIZING()
  ON_WM_SIZE()
  ON_WM_WINDOWPOSCHANGING()
  ON_WM_MOVING()
  ON_NOTIFY_EX_RANGE(TTN_NEEDTEXTW, 0, 0xFFFF, OnToolTipText)
  ON_NOTIFY_EX_RANGE(TTN_NEEDTEXTA, 0, 0xFFFF, OnToolTipText)
  ON_WM_MOUSEWHEEL()
  ON_WM_ERASEBKGND()
END_MESSAGE_MAP()

CToolTableContainer::CToolTableContainer()
    : m_pHook(new CToolTableContainerHook(this)), m_pTable(NULL), m_pOwner(NULL), m_nNotifyId(0),
      m_savedRect{0, 0, 0, 0} {}

CToolTableContainer::~CToolTableContainer() {
  delete m_pHook;
  m_pHook = NULL;
  DestructElements(m_toolTips.GetData(), static_cast<int>(m_toolTips.GetSize()));
  // The table's window goes with the container's; the object is the container's.
  if (m_hWnd != NULL) DestroyWindow();
  delete m_pTable;
  m_pTable = NULL;
}

BOOL CToolTableContainer::Create(CWnd* owner, unsigned int id) {
  if (m_pTable == NULL) m_pTable = new CToolTable;
  EnableToolTips(TRUE);
  if (m_toolTips.GetSize() < 16) m_toolTips.SetSize(16, 16);
  m_pOwner = owner;
  m_nNotifyId = id;
  if (owner != NULL && owner != this && m_pHook != NULL) m_pHook->Hook(owner);
  return TRUE;
}

void CToolTableContainer::Close() {
  if (m_hWnd != NULL) ShowWindow(SW_HIDE);
  if (m_pTable != NULL) m_pTable->Close();
}

int CToolTableContainer::PositionOf(int posOrId, int byPosition) const {
  if (m_pTable == NULL) return 0;
  tagTT_ITEMINFO r = Named(static_cast<unsigned long>(posOrId), byPosition);
  const int pos = m_pTable->GetItem(&r);
  return pos > 0 ? pos : 0;
}

int CToolTableContainer::DeleteItem(unsigned long posOrId, int byPosition) {
  if (m_pTable == NULL) return -1;
  const int pos = m_pTable->DeleteItem(posOrId, byPosition);
  if (pos > 0 && pos - 1 < m_toolTips.GetSize()) {
    DestructElements(&m_toolTips[pos - 1], 1);
    m_toolTips.RemoveAt(pos - 1);
  }
  return pos;
}

int CToolTableContainer::DeleteItem(const tagTT_ITEMINFO& item) {
  return DeleteItem(item.posOrId, item.how == TTBL_BYPOSITION);
}

int CToolTableContainer::InsertItem(const tagTT_ITEMINFO& item) {
  if (m_pTable == NULL) return -1;
  const int pos = m_pTable->InsertItem(item);
  if (pos > 0 && pos - 1 < m_toolTips.GetSize()) m_toolTips.InsertAt(pos - 1, static_cast<char*>(NULL));
  return pos;
}

#define FORWARD(call) return m_pTable == NULL ? -1 : m_pTable->call

int CToolTableContainer::AddItem(const tagTT_ITEMINFO& item) { FORWARD(AddItem(item)); }
int CToolTableContainer::AddSeparator() { FORWARD(AddSeparator()); }
int CToolTableContainer::AddOwnerDraw(unsigned long id, unsigned long data, int span) {
  FORWARD(AddOwnerDraw(id, data, span));
}
int CToolTableContainer::AddWindow(HWND window, unsigned long id, unsigned long data, int span, int autoDispose) {
  FORWARD(AddWindow(window, id, data, span, autoDispose));
}
int CToolTableContainer::AddIcon(HICON icon, unsigned long id, unsigned long data, int centred, int span,
                                 int autoDispose) {
  FORWARD(AddIcon(icon, id, data, centred, span, autoDispose));
}
int CToolTableContainer::AddBitmap(HBITMAP bitmap, unsigned long id, unsigned long data, int fit, int centred,
                                   int span, int autoDispose) {
  FORWARD(AddBitmap(bitmap, id, data, fit, centred, span, autoDispose));
}
int CToolTableContainer::SetItem(const tagTT_ITEMINFO& item) { FORWARD(SetItem(item)); }
int CToolTableContainer::SetItemObject(const tagTT_ITEMINFO& item) { FORWARD(SetItemObject(item)); }
int CToolTableContainer::SetItemState(unsigned long posOrId, int byPosition, int bits, CToolTable::SetMode mode) {
  FORWARD(SetItemState(posOrId, byPosition, bits, mode));
}
int CToolTableContainer::SetItemState(const tagTT_ITEMINFO& item) { FORWARD(SetItemState(item)); }
int CToolTableContainer::SetItemData(unsigned long posOrId, int byPosition, unsigned long data) {
  FORWARD(SetItemData(posOrId, byPosition, data));
}
int CToolTableContainer::SetItemData(const tagTT_ITEMINFO& item) { FORWARD(SetItemData(item)); }
int CToolTableContainer::GetItem(tagTT_ITEMINFO* item) const { FORWARD(GetItem(item)); }
int CToolTableContainer::GetItemState(unsigned long posOrId, int byPosition) {
  FORWARD(GetItemState(posOrId, byPosition));
}
int CToolTableContainer::GetItemData(unsigned long posOrId, int byPosition) {
  FORWARD(GetItemData(posOrId, byPosition));
}
int CToolTableContainer::GetNumItems() { FORWARD(GetNumItems()); }
int CToolTableContainer::GetNumRows() { FORWARD(GetNumRows()); }
int CToolTableContainer::GetNumCols() { FORWARD(GetNumCols()); }
int CToolTableContainer::SetNumCols(short columns) { FORWARD(SetNumCols(columns)); }
int CToolTableContainer::GetItemSep(short& x, short& y) { FORWARD(GetItemSep(x, y)); }
int CToolTableContainer::SetItemSep(short x, short y) { FORWARD(SetItemSep(x, y)); }
int CToolTableContainer::GetItemMetrics(short& width, short& height) { FORWARD(GetItemMetrics(width, height)); }
int CToolTableContainer::SetItemMetrics(short width, short height) { FORWARD(SetItemMetrics(width, height)); }
int CToolTableContainer::SetRelay(int on) { FORWARD(SetRelay(on)); }
int CToolTableContainer::Clear() { FORWARD(Clear()); }
int CToolTableContainer::GetTableStyle() { FORWARD(GetTableStyle()); }
int CToolTableContainer::SetTableStyle(int bits, CToolTable::SetMode mode) { FORWARD(SetTableStyle(bits, mode)); }
int CToolTableContainer::GetGrayedArray(short* positions, short max) { FORWARD(GetGrayedArray(positions, max)); }
int CToolTableContainer::GetSelectedArray(short* positions, short max) {
  FORWARD(GetSelectedArray(positions, max));
}
int CToolTableContainer::RedrawItem(unsigned long posOrId, int byPosition, int content) {
  FORWARD(RedrawItem(posOrId, byPosition, content));
}
int CToolTableContainer::RedrawAllItems() { FORWARD(RedrawAllItems()); }
int CToolTableContainer::GetHilite() { FORWARD(GetHilite()); }
int CToolTableContainer::GetFocus() { FORWARD(GetFocus()); }
int CToolTableContainer::FindItem(unsigned long object, short type, int wantPosition) {
  FORWARD(FindItem(object, type, wantPosition));
}
int CToolTableContainer::FindItemID(unsigned long id) { FORWARD(FindItemID(id)); }

#undef FORWARD

int CToolTableContainer::Resize(unsigned int edge, RECT* rect) {
  if (m_pTable == NULL) return -1;
  m_pTable->Resize(edge, rect);
  return 0;
}

int CToolTableContainer::Size(unsigned int type, int cx, int cy) {
  if (m_pTable == NULL) return -1;
  m_pTable->Size(type, cx, cy);
  return 0;
}

void CToolTableContainer::SetHilite(int pos, int skip) {
  if (m_pTable != NULL) m_pTable->SetHilite(pos, skip);
}

int CToolTableContainer::HitTest(tagTT_CLICKSTRUCT& hit, POINT* pt) const {
  if (m_pTable == NULL) return -1;
  if (pt == NULL) return m_pTable->HitTest(hit, NULL);
  POINT at = *pt;
  ::MapWindowPoints(m_hWnd, m_pTable->m_hWnd, &at, 1);
  return m_pTable->HitTest(hit, &at);
}

int CToolTableContainer::SetItemToolTip(const wchar_t* text, int posOrId, int byPosition) {
  if (text == NULL || m_pTable == NULL) return 0;
  const int pos = PositionOf(posOrId, byPosition);
  if (pos == 0) return 0;
  const int bytes = WideCharToMultiByte(CP_UTF8, 0, text, -1, NULL, 0, NULL, NULL);
  std::string utf8(bytes > 0 ? static_cast<size_t>(bytes) : 1u, '\0');
  if (bytes > 0) WideCharToMultiByte(CP_UTF8, 0, text, -1, &utf8[0], bytes, NULL, NULL);
  char* copy = _strdup(utf8.c_str());
  if (copy == NULL) return 0;
  if (pos - 1 >= m_toolTips.GetSize()) m_toolTips.SetSize(pos);
  DestructElements(&m_toolTips[pos - 1], 1);
  m_toolTips[pos - 1] = copy;
  return 1;
}

void CToolTableContainer::GetItemToolTip(CString& text, int posOrId, int byPosition) const {
  text.Empty();
  const int pos = PositionOf(posOrId, byPosition);
  if (pos == 0 || pos - 1 >= m_toolTips.GetSize() || m_toolTips[pos - 1] == NULL) return;
  const char* utf8 = m_toolTips[pos - 1];
  const int chars = MultiByteToWideChar(CP_UTF8, 0, utf8, -1, NULL, 0);
  if (chars <= 1) return;
  std::wstring wide(static_cast<size_t>(chars), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, utf8, -1, &wide[0], chars);
  text = CString(wide.c_str());
}

LRESULT CToolTableContainer::SendNotification(unsigned int code, DWORD_PTR value) {
  if (m_pOwner == NULL || m_pOwner->GetSafeHwnd() == NULL) return 0;
  tagNM_TOOLTABLE nm = {};
  nm.hdr.hwndFrom = m_hWnd;
  nm.hdr.idFrom = m_nNotifyId;
  nm.hdr.code = code;
  nm.value = value;
  return ::SendMessageW(m_pOwner->GetSafeHwnd(), WM_NOTIFY, m_nNotifyId, reinterpret_cast<LPARAM>(&nm));
}

BOOL CToolTableContainer::PostNotification(unsigned int code, DWORD_PTR value) {
  if (m_pOwner == NULL || m_pOwner->GetSafeHwnd() == NULL) return FALSE;
  tagNM_TOOLTABLE* nm = new tagNM_TOOLTABLE();
  nm->hdr.hwndFrom = m_hWnd;
  nm->hdr.idFrom = m_nNotifyId;
  nm->hdr.code = code;
  nm->value = value;
  nm->posted = 1;
  if (::PostMessageW(m_pOwner->GetSafeHwnd(), WM_NOTIFY, m_nNotifyId, reinterpret_cast<LPARAM>(nm))) return TRUE;
  delete nm;
  return FALSE;
}

LRESULT CToolTableContainer::RelayNotification(const tagNM_TOOLTABLE* record) {
  if (m_pOwner == NULL || m_pOwner->GetSafeHwnd() == NULL || record == NULL) return 0;
  // A copy under the container's name; the record itself stays its sender's.
  tagNM_TOOLTABLE nm = *record;
  nm.hdr.hwndFrom = m_hWnd;
  nm.hdr.idFrom = m_nNotifyId;
  nm.posted = 0;
  return ::SendMessageW(m_pOwner->GetSafeHwnd(), WM_NOTIFY, m_nNotifyId, reinterpret_cast<LPARAM>(&nm));
}

void CToolTableContainer::OnBoundsChanged(unsigned short, unsigned short) {}
void CToolTableContainer::OnFrameResized(unsigned short, unsigned short) {}
void CToolTableContainer::OnItemsResized(unsigned short, unsigned short) {}

BOOL CToolTableContainer::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
  const BOOL handled = CWnd::OnNotify(wParam, lParam, pResult);
  tagNM_TOOLTABLE* nm = reinterpret_cast<tagNM_TOOLTABLE*>(lParam);
  if (nm == NULL || m_pTable == NULL || nm->hdr.hwndFrom != m_pTable->m_hWnd || nm->hdr.idFrom != m_nNotifyId)
    return handled;
  HWND self = m_hWnd;
  const DWORD value = static_cast<DWORD>(nm->value);
  switch (nm->hdr.code) {
    case TTBLN_METRICSCHANGED:
      OnItemsResized(LOWORD(value), HIWORD(value));
      break;
    case TTBLN_COLSCHANGED:
      OnFrameResized(LOWORD(value), HIWORD(value));
      break;
    case TTBLN_RESIZED:
      OnBoundsChanged(LOWORD(value), HIWORD(value));
      break;
    case TTBLN_REDRAWN:
      ::SetWindowPos(self, NULL, 0, 0, 0, 0,
                     SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_FRAMECHANGED | SWP_NOCOPYBITS | SWP_NOACTIVATE);
      ::RedrawWindow(self, NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME);
      break;
    default:
      break;
  }
  *pResult = RelayNotification(nm);
  // A posted record from the table is this container's to free once relayed.
  if (nm->posted == 1) delete nm;
  return TRUE;
}

UINT CToolTableContainer::OnGetDlgCode() { return static_cast<UINT>(Default()) | DLGC_WANTTAB; }

void CToolTableContainer::OnDestroy() {
  if (m_pHook != NULL && m_pHook->IsHooked()) m_pHook->Hook(NULL);
  DestructElements(m_toolTips.GetData(), static_cast<int>(m_toolTips.GetSize()));
  m_toolTips.RemoveAll();
  CWnd::OnDestroy();
}

void CToolTableContainer::OnWindowPosChanging(WINDOWPOS* pos) {
  GetWindowRect(&m_savedRect);
  CWnd::OnWindowPosChanging(pos);
}

void CToolTableContainer::OnSizing(UINT edge, LPRECT rect) {
  if (m_pTable != NULL && (edge == WMSZ_RIGHT || edge == WMSZ_TOPRIGHT || edge == WMSZ_BOTTOMRIGHT)) {
    m_pTable->Resize(edge, rect);
    if (edge == WMSZ_TOPRIGHT) OffsetRect(rect, 0, m_savedRect.top - rect->top);
  } else {
    *rect = m_savedRect;
  }
}

void CToolTableContainer::OnSize(UINT type, int cx, int cy) {
  CWnd::OnSize(type, cx, cy);
  if (m_pTable != NULL && m_pTable->m_hWnd != NULL) m_pTable->Size(type, cx, cy);
}

void CToolTableContainer::OnMoving(UINT edge, LPRECT rect) {
  SendNotification(TTBLN_MOVED, MAKELONG(rect->left, rect->top));
  CWnd::OnMoving(edge, rect);
}

BOOL CToolTableContainer::OnMouseWheel(UINT, short delta, CPoint) {
  if (m_pTable != NULL && m_pTable->m_hWnd != NULL)
    m_pTable->SendMessage(TTBLM_STEPFOCUS, static_cast<WPARAM>(delta < 0 ? 1 : -1), 0);
  return FALSE;
}

BOOL CToolTableContainer::OnEraseBkgnd(CDC* dc) {
  CRect rc;
  GetClientRect(&rc);
  ::FillRect(dc->GetSafeHdc(), &rc, GetSysColorBrush(COLOR_BTNFACE));
  return TRUE;
}

BOOL CToolTableContainer::PreTranslateMessage(MSG* pMsg) {
  FilterToolTipMessage(pMsg);
  if (pMsg->message != WM_KEYDOWN && pMsg->message != WM_KEYUP && m_hWnd != NULL &&
      ::IsDialogMessage(m_hWnd, pMsg))
    return TRUE;
  return CWnd::PreTranslateMessage(pMsg);
}

INT_PTR CToolTableContainer::OnToolHitTest(CPoint point, TOOLINFO* pTI) const {
  if (m_pTable == NULL || m_pTable->m_hWnd == NULL) return -1;
  tagTT_CLICKSTRUCT hit = {};
  POINT at = point;
  HitTest(hit, &at);
  HWND tool = NULL;
  RECT cell = {0, 0, 0, 0};
  if (hit.where == TTBLHT_ITEM) {
    tagTT_ITEMINFO r = Named(hit.pos, TRUE);
    if (m_pTable->GetItem(&r) > 0) {
      cell = r.rect;
      ::MapWindowPoints(m_pTable->m_hWnd, m_hWnd, reinterpret_cast<POINT*>(&cell), 2);
      if (r.type == TTBL_WINDOW && ::IsWindow(static_cast<HWND>(r.object))) tool = static_cast<HWND>(r.object);
    }
  }
  if (tool == NULL) {
    for (HWND child = ::GetWindow(m_hWnd, GW_CHILD); child != NULL; child = ::GetWindow(child, GW_HWNDNEXT)) {
      RECT rc;
      ::GetWindowRect(child, &rc);
      ::MapWindowPoints(NULL, m_hWnd, reinterpret_cast<POINT*>(&rc), 2);
      if (::IsWindowVisible(child) && ::GetDlgCtrlID(child) < 65535 && ::PtInRect(&rc, point)) {
        tool = child;
        break;
      }
    }
  }
  if (tool == NULL) return -1;
  if (pTI != NULL && pTI->cbSize >= 40) {
    pTI->uFlags = TTF_IDISHWND;
    pTI->hwnd = m_hWnd;
    pTI->uId = reinterpret_cast<UINT_PTR>(tool);
    pTI->lpszText = LPSTR_TEXTCALLBACK;
    pTI->rect = cell;
    if ((::SendMessage(tool, WM_GETDLGCODE, 0, 0) & DLGC_BUTTON) == 0) pTI->uFlags |= TTF_NOTBUTTON;
  }
  return ::GetDlgCtrlID(tool) & 0xFFFF;
}

BOOL CToolTableContainer::OnToolTipText(UINT, NMHDR* hdr, LRESULT* result) {
  *result = 0;
  tagTT_CLICKSTRUCT hit = {};
  if (HitTest(hit, NULL) >= 0 && hit.where == TTBLHT_ITEM && hdr->code == TTN_NEEDTEXTW) {
    CString text;
    GetItemToolTip(text, static_cast<int>(hit.id), FALSE);
    NMTTDISPINFOW* info = reinterpret_cast<NMTTDISPINFOW*>(hdr);
    const CStringW wide(text);
    lstrcpynW(info->szText, wide.GetString(), 80);
  }
  if (hdr->hwndFrom != NULL)
    ::SetWindowPos(hdr->hwndFrom, HWND_TOP, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE | SWP_NOOWNERZORDER);
  return TRUE;
}
