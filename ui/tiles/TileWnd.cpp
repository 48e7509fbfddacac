// The framework window of a tile control.
#include "TileWnd.h"

#include "UIBitmapUtilities.h"

#include <framework.h>

#include <stdlib.h>
#include <string.h>
#include <string>

namespace {

// A malloc'ed UTF-8 copy of the text; NULL for NULL.
char* Utf8Copy(const wchar_t* text) {
  if (text == NULL) return NULL;
  const int bytes = ::WideCharToMultiByte(CP_UTF8, 0, text, -1, NULL, 0, NULL, NULL);
  if (bytes <= 0) return NULL;
  char* copy = static_cast<char*>(::malloc(static_cast<size_t>(bytes)));
  if (copy != NULL && ::WideCharToMultiByte(CP_UTF8, 0, text, -1, copy, bytes, NULL, NULL) <= 0) copy[0] = 0;
  return copy;
}

CString FromUtf8(const char* text) {
  CString out;
  if (text == NULL || *text == 0) return out;
  const int chars = ::MultiByteToWideChar(CP_UTF8, 0, text, -1, NULL, 0);
  if (chars <= 0) return out;
  std::vector<wchar_t> buffer(static_cast<size_t>(chars));
  ::MultiByteToWideChar(CP_UTF8, 0, text, -1, buffer.data(), chars);
  return CString(buffer.data());
}

const UINT kTooltipBits = TTF_NOTBUTTON;

// The text as wide characters, in either edition.
std::wstring WideOf(const CString& text) {
#ifdef UNICODE
  return std::wstring(static_cast<LPCWSTR>(text));
#else
  const int chars = ::MultiByteToWideChar(CP_ACP, 0, text, -1, NULL, 0);
  if (chars <= 0) return std::wstring();
  std::vector<wchar_t> buffer(static_cast<size_t>(chars));
  ::MultiByteToWideChar(CP_ACP, 0, text, -1, buffer.data(), chars);
  return std::wstring(buffer.data());
#endif
}

}  // namespace

IMPLEMENT_DYNAMIC(CTileControl, CWnd)

BEGIN_MESSAGE_MAP(CTileControl, CWnd)
  ON_WM_DESTROY()
  ON_NOTIFY_EX_RANGE(TTN_NEEDTEXTW, 0, 0xFFFF, &CTileControl::OnToolTipText)
  ON_NOTIFY_EX_RANGE(TTN_NEEDTEXTA, 0, 0xFFFF, &CTileControl::OnToolTipText)
END_MESSAGE_MAP()

CTileControl::CTileControl() : m_stripId(0), m_strip(NULL), m_ownsStrip(0), m_tooltipStyle{0, 0} {}

CTileControl::~CTileControl() {
  ReleaseStrip();
  FreeTooltips();
}

LRESULT CTileControl::Send(UINT message, WPARAM wParam, LPARAM lParam, LRESULT none) const {
  return HasWindow() ? ::SendMessageW(m_hWnd, message, wParam, lParam) : none;
}

BOOL CTileControl::Create(CWnd* parent, CRect& rect, UINT id) {
  if (!CWnd::Create(_T("QvTileControl32"), NULL, WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | WS_TABSTOP,
                    rect, parent, id))
    return FALSE;
  m_tooltipStyle.nFits = 1;
  m_tooltipStyle.nCut = 4;
  EnableToolTips(TRUE);
  return TRUE;
}

void CTileControl::PreSubclassWindow() {
  CWnd::PreSubclassWindow();
  EnableToolTips(TRUE);
  m_tooltips.reserve(16);
}

BOOL CTileControl::PreTranslateMessage(MSG* pMsg) {
  if (m_hWnd != NULL && pMsg != NULL && ::IsDialogMessage(m_hWnd, pMsg)) {
    FilterToolTipMessage(pMsg);
    return TRUE;
  }
  return CWnd::PreTranslateMessage(pMsg);
}

void CTileControl::OnDestroy() {
  CWnd::OnDestroy();
  ReleaseStrip();
  FreeTooltips();
}

void CTileControl::ReleaseStrip() {
  if (m_ownsStrip && m_strip != NULL) ::DeleteObject(m_strip);
  m_strip = NULL;
  m_ownsStrip = 0;
  m_stripId = 0;
  m_stripName.clear();
}

void CTileControl::FreeTooltips() {
  for (char* text : m_tooltips) ::free(text);
  m_tooltips.clear();
}

// ---------------------------------------------------------------------------------------
// Masters

int CTileControl::IndexOf(MasterTile& master) const { return static_cast<int>(Send(TLM_FINDMASTER, reinterpret_cast<WPARAM>(&master), 0)); }

int CTileControl::AddMasterTile(MasterTile& master, int image, int) {
  const int index = static_cast<int>(Send(TLM_ADDMASTER, reinterpret_cast<WPARAM>(&master), 0));
  if (index < 0) return index;
  SetMasterBitmap(index, image);
  if (static_cast<size_t>(index) >= m_tooltips.size()) m_tooltips.resize(static_cast<size_t>(index) + 1, NULL);
  ::free(m_tooltips[static_cast<size_t>(index)]);
  m_tooltips[static_cast<size_t>(index)] = NULL;
  return index;
}

int CTileControl::InsertMasterTile(MasterTile& master, int index, int image, int) {
  const int at = static_cast<int>(Send(TLM_INSERTMASTER, reinterpret_cast<WPARAM>(&master), index));
  if (at < 0) return at;
  SetMasterBitmap(at, image);
  if (static_cast<size_t>(at) < m_tooltips.size()) m_tooltips.insert(m_tooltips.begin() + at, static_cast<char*>(NULL));
  return at;
}

int CTileControl::SetMasterTile(MasterTile& master, int index, int image, int) {
  const int done = static_cast<int>(Send(TLM_SETMASTER, reinterpret_cast<WPARAM>(&master), index));
  if (done > 0) SetMasterBitmap(index, image);
  return done;
}

int CTileControl::RemoveMasterTile(MasterTile& master) {
  const int removed = static_cast<int>(Send(TLM_REMOVEMASTER, reinterpret_cast<WPARAM>(&master), 1));
  if (removed >= 0 && static_cast<size_t>(removed) < m_tooltips.size()) {
    ::free(m_tooltips[static_cast<size_t>(removed)]);
    m_tooltips.erase(m_tooltips.begin() + removed);
  }
  return removed;
}

int CTileControl::RemoveMasterTile(int index) {
  const int removed = static_cast<int>(Send(TLM_REMOVEMASTER, static_cast<WPARAM>(index), 0));
  if (removed >= 0 && static_cast<size_t>(removed) < m_tooltips.size()) {
    ::free(m_tooltips[static_cast<size_t>(removed)]);
    m_tooltips.erase(m_tooltips.begin() + removed);
  }
  return removed;
}

int CTileControl::GetMasterTile(MasterTile& master) const {
  return static_cast<int>(Send(TLM_GETMASTER, reinterpret_cast<WPARAM>(&master), 0));
}
int CTileControl::GetMasterCount() const { return static_cast<int>(Send(TLM_GETMASTERCOUNT, 0, 0)); }
int CTileControl::GetMaxMasterCount() const { return static_cast<int>(Send(TLM_GETMAXMASTERS, 0, 0)); }
int CTileControl::GetActiveMasterTile() const { return static_cast<int>(Send(TLM_GETACTIVEMASTER, 0, 0)); }
int CTileControl::GetActiveMasterTile(MasterTile& master) const {
  return static_cast<int>(Send(TLM_GETACTIVEMASTER, reinterpret_cast<WPARAM>(&master), 0));
}
int CTileControl::SetActiveMasterTile(MasterTile& master) {
  return static_cast<int>(Send(TLM_SETACTIVEMASTER, reinterpret_cast<WPARAM>(&master), 1));
}
int CTileControl::SetActiveMasterTile(int index) {
  return static_cast<int>(Send(TLM_SETACTIVEMASTER, static_cast<WPARAM>(index), 0));
}
int CTileControl::SetNumMasterTiles(int n) { return static_cast<int>(Send(TLM_SETNUMMASTERS, static_cast<WPARAM>(n), 0)); }
int CTileControl::FindMasterTile(MasterTile& master) const { return IndexOf(master); }

int CTileControl::GiveBitmap(UINT setMessage, UINT getMessage, DWORD byFlags, INT_PTR master, int facet, int image) {
  if (image == -1) return 0;
  if (!HasWindow()) return -1;
  CBitmap cut;
  if (m_strip == NULL || !Utilities::Extract1MaskedImage(m_strip, image, 16, cut)) return 0;
  HBITMAP bitmap = static_cast<HBITMAP>(cut.Detach());
  TC_MASTERDESC desc = {byFlags | TCMD_RECORD, master};
  TC_FACETRECORD set = {facet, NULL, bitmap, 1};
  const LRESULT answer = ::SendMessageW(m_hWnd, setMessage, reinterpret_cast<WPARAM>(&desc), reinterpret_cast<LPARAM>(&set));
  // Whatever the window did not take is ours to free.
  TC_FACETRECORD held = {facet, NULL, NULL, 0};
  ::SendMessageW(m_hWnd, getMessage, reinterpret_cast<WPARAM>(&desc), reinterpret_cast<LPARAM>(&held));
  if (held.bitmap != bitmap) ::DeleteObject(bitmap);
  return static_cast<int>(answer);
}

int CTileControl::SetMasterBitmap(MasterTile& master, int image, int) {
  return GiveBitmap(TLM_SETMASTERBITMAP, TLM_GETMASTERBITMAP, TCMD_BYPOINTER, reinterpret_cast<INT_PTR>(&master), 0, image);
}
int CTileControl::SetMasterBitmap(int index, int image, int) {
  return GiveBitmap(TLM_SETMASTERBITMAP, TLM_GETMASTERBITMAP, TCMD_BYINDEX, index, 0, image);
}

HBITMAP CTileControl::GetMasterBitmap(MasterTile& master, int& owns) const {
  TC_MASTERDESC desc = {TCMD_BYPOINTER | TCMD_RECORD, reinterpret_cast<INT_PTR>(&master)};
  TC_FACETRECORD rec = {0, NULL, NULL, 0};
  const LRESULT answer = Send(TLM_GETMASTERBITMAP, reinterpret_cast<WPARAM>(&desc), reinterpret_cast<LPARAM>(&rec));
  owns = rec.owns;
  return reinterpret_cast<HBITMAP>(answer);
}
HBITMAP CTileControl::GetMasterBitmap(int index, int& owns) const {
  TC_MASTERDESC desc = {TCMD_BYINDEX | TCMD_RECORD, index};
  TC_FACETRECORD rec = {0, NULL, NULL, 0};
  const LRESULT answer = Send(TLM_GETMASTERBITMAP, reinterpret_cast<WPARAM>(&desc), reinterpret_cast<LPARAM>(&rec));
  owns = rec.owns;
  return reinterpret_cast<HBITMAP>(answer);
}

BOOL CTileControl::GetMasterRect(MasterTile& master, CRect& rect) const {
  if (!HasWindow()) return FALSE;
  RECT* r = reinterpret_cast<RECT*>(::SendMessageW(m_hWnd, TLM_GETMASTERRECT, reinterpret_cast<WPARAM>(&master), 1));
  if (r == NULL) return FALSE;
  rect = *r;
  delete r;
  return TRUE;
}
BOOL CTileControl::GetMasterRect(int index, CRect& rect) const {
  if (!HasWindow()) return FALSE;
  RECT* r = reinterpret_cast<RECT*>(::SendMessageW(m_hWnd, TLM_GETMASTERRECT, static_cast<WPARAM>(index), 0));
  if (r == NULL) return FALSE;
  rect = *r;
  delete r;
  return TRUE;
}

int CTileControl::HitTest(CPoint& point, int& master) const {
  master = -1;
  return static_cast<int>(Send(TLM_HITTEST, MAKELONG(point.x, point.y), reinterpret_cast<LPARAM>(&master)));
}

// ---------------------------------------------------------------------------------------
// Facets

int CTileControl::SendFacet(UINT message, DWORD flags, INT_PTR master, LPARAM lp) const {
  TC_MASTERDESC desc = {flags, master};
  return static_cast<int>(Send(message, reinterpret_cast<WPARAM>(&desc), lp));
}


int CTileControl::AddTile(MasterTile& m, Tile& t) { return SendFacet(TLM_ADDTILE, TCMD_BYPOINTER | TCMD_TILE, reinterpret_cast<INT_PTR>(&m), reinterpret_cast<LPARAM>(&t)); }
int CTileControl::AddTile(int m, Tile& t) { return SendFacet(TLM_ADDTILE, TCMD_BYINDEX | TCMD_TILE, m, reinterpret_cast<LPARAM>(&t)); }
int CTileControl::InsertTile(MasterTile& m, Tile& t, int i) {
  TC_FACETRECORD rec = {i, &t, NULL, 0};
  return SendFacet(TLM_INSERTTILE, TCMD_BYPOINTER | TCMD_RECORD, reinterpret_cast<INT_PTR>(&m), reinterpret_cast<LPARAM>(&rec));
}
int CTileControl::InsertTile(int m, Tile& t, int i) {
  TC_FACETRECORD rec = {i, &t, NULL, 0};
  return SendFacet(TLM_INSERTTILE, TCMD_BYINDEX | TCMD_RECORD, m, reinterpret_cast<LPARAM>(&rec));
}
int CTileControl::RemoveTile(MasterTile& m, Tile& t) { return SendFacet(TLM_REMOVETILE, TCMD_BYPOINTER | TCMD_TILE, reinterpret_cast<INT_PTR>(&m), reinterpret_cast<LPARAM>(&t)); }
int CTileControl::RemoveTile(int m, Tile& t) { return SendFacet(TLM_REMOVETILE, TCMD_BYINDEX | TCMD_TILE, m, reinterpret_cast<LPARAM>(&t)); }
int CTileControl::RemoveTile(MasterTile& m, int i) { return SendFacet(TLM_REMOVETILE, TCMD_BYPOINTER | TCMD_INDEX, reinterpret_cast<INT_PTR>(&m), i); }
int CTileControl::RemoveTile(int m, int i) { return SendFacet(TLM_REMOVETILE, TCMD_BYINDEX | TCMD_INDEX, m, i); }
int CTileControl::SetTile(MasterTile& m, Tile& t, int i) {
  TC_FACETRECORD rec = {i, &t, NULL, 0};
  return SendFacet(TLM_SETTILE, TCMD_BYPOINTER | TCMD_RECORD, reinterpret_cast<INT_PTR>(&m), reinterpret_cast<LPARAM>(&rec));
}
int CTileControl::SetTile(int m, Tile& t, int i) {
  TC_FACETRECORD rec = {i, &t, NULL, 0};
  return SendFacet(TLM_SETTILE, TCMD_BYINDEX | TCMD_RECORD, m, reinterpret_cast<LPARAM>(&rec));
}
int CTileControl::GetCount(MasterTile& m) const { return SendFacet(TLM_GETTILECOUNT, TCMD_BYPOINTER, reinterpret_cast<INT_PTR>(&m), 0); }
int CTileControl::GetCount(int m) const { return SendFacet(TLM_GETTILECOUNT, TCMD_BYINDEX, m, 0); }
int CTileControl::GetMaxCount(MasterTile& m) const { return SendFacet(TLM_GETMAXTILES, TCMD_BYPOINTER, reinterpret_cast<INT_PTR>(&m), 0); }
int CTileControl::GetMaxCount(int m) const { return SendFacet(TLM_GETMAXTILES, TCMD_BYINDEX, m, 0); }
int CTileControl::GetTile(MasterTile& m, Tile& t, int i) const {
  TC_FACETRECORD rec = {i, &t, NULL, 0};
  return SendFacet(TLM_GETTILE, TCMD_BYPOINTER | TCMD_RECORD, reinterpret_cast<INT_PTR>(&m), reinterpret_cast<LPARAM>(&rec));
}
int CTileControl::GetTile(int m, Tile& t, int i) const {
  TC_FACETRECORD rec = {i, &t, NULL, 0};
  return SendFacet(TLM_GETTILE, TCMD_BYINDEX | TCMD_RECORD, m, reinterpret_cast<LPARAM>(&rec));
}
int CTileControl::GetActiveTile(MasterTile& m) const { return SendFacet(TLM_GETACTIVETILE, TCMD_BYPOINTER | TCMD_NOFACET, reinterpret_cast<INT_PTR>(&m), 0); }
int CTileControl::GetActiveTile(int m) const { return SendFacet(TLM_GETACTIVETILE, TCMD_BYINDEX | TCMD_NOFACET, m, 0); }
int CTileControl::GetActiveTile(MasterTile& m, Tile& t) const { return SendFacet(TLM_GETACTIVETILE, TCMD_BYPOINTER | TCMD_TILE, reinterpret_cast<INT_PTR>(&m), reinterpret_cast<LPARAM>(&t)); }
int CTileControl::GetActiveTile(int m, Tile& t) const { return SendFacet(TLM_GETACTIVETILE, TCMD_BYINDEX | TCMD_TILE, m, reinterpret_cast<LPARAM>(&t)); }
int CTileControl::SetActiveTile(MasterTile& m, Tile& t) { return SendFacet(TLM_SETACTIVETILE, TCMD_BYPOINTER | TCMD_TILE, reinterpret_cast<INT_PTR>(&m), reinterpret_cast<LPARAM>(&t)); }
int CTileControl::SetActiveTile(int m, Tile& t) { return SendFacet(TLM_SETACTIVETILE, TCMD_BYINDEX | TCMD_TILE, m, reinterpret_cast<LPARAM>(&t)); }
int CTileControl::SetActiveTile(MasterTile& m, int i) { return SendFacet(TLM_SETACTIVETILE, TCMD_BYPOINTER | TCMD_INDEX, reinterpret_cast<INT_PTR>(&m), i); }
int CTileControl::SetActiveTile(int m, int i) { return SendFacet(TLM_SETACTIVETILE, TCMD_BYINDEX | TCMD_INDEX, m, i); }
int CTileControl::SetNumTiles(MasterTile& m, int n) { return SendFacet(TLM_SETNUMTILES, TCMD_BYPOINTER, reinterpret_cast<INT_PTR>(&m), n); }
int CTileControl::SetNumTiles(int m, int n) { return SendFacet(TLM_SETNUMTILES, TCMD_BYINDEX, m, n); }
int CTileControl::FindTile(MasterTile& m, Tile& t) const { return SendFacet(TLM_FINDTILE, TCMD_BYPOINTER | TCMD_TILE, reinterpret_cast<INT_PTR>(&m), reinterpret_cast<LPARAM>(&t)); }
int CTileControl::FindTile(int m, Tile& t) const { return SendFacet(TLM_FINDTILE, TCMD_BYINDEX | TCMD_TILE, m, reinterpret_cast<LPARAM>(&t)); }

int CTileControl::SetBitmap(MasterTile& m, int facet, int image, int) {
  return GiveBitmap(TLM_SETTILEBITMAP, TLM_GETTILEBITMAP, TCMD_BYPOINTER, reinterpret_cast<INT_PTR>(&m), facet, image);
}
int CTileControl::SetBitmap(int m, int facet, int image, int) {
  return GiveBitmap(TLM_SETTILEBITMAP, TLM_GETTILEBITMAP, TCMD_BYINDEX, m, facet, image);
}
HBITMAP CTileControl::GetBitmap(MasterTile& m, int facet, int& owns) const {
  TC_FACETRECORD rec = {facet, NULL, NULL, 0};
  const int answer = SendFacet(TLM_GETTILEBITMAP, TCMD_BYPOINTER | TCMD_RECORD, reinterpret_cast<INT_PTR>(&m), reinterpret_cast<LPARAM>(&rec));
  owns = rec.owns;
  return answer == -1 ? reinterpret_cast<HBITMAP>(static_cast<INT_PTR>(-1)) : rec.bitmap;
}
HBITMAP CTileControl::GetBitmap(int m, int facet, int& owns) const {
  TC_FACETRECORD rec = {facet, NULL, NULL, 0};
  const int answer = SendFacet(TLM_GETTILEBITMAP, TCMD_BYINDEX | TCMD_RECORD, m, reinterpret_cast<LPARAM>(&rec));
  owns = rec.owns;
  return answer == -1 ? reinterpret_cast<HBITMAP>(static_cast<INT_PTR>(-1)) : rec.bitmap;
}

// ---------------------------------------------------------------------------------------
// Levels, styles, enabling

DWORD CTileControl::GetInteractionLevel() const { return static_cast<DWORD>(Send(TLM_GETINTERACTION, 0, 0, 0xDEADBEEF)); }
DWORD CTileControl::SetInteractionLevel(DWORD level) {
  return static_cast<DWORD>(Send(TLM_SETINTERACTION, level, 0, 0xDEADBEEF));
}
int CTileControl::GetTruncation(int master, int& out) const {
  return static_cast<int>(Send(TLM_GETTRUNCATION, static_cast<WPARAM>(master), reinterpret_cast<LPARAM>(&out), 0));
}
int CTileControl::GetStyles() const { return static_cast<int>(Send(TLM_GETSTYLES, 0, 0, static_cast<LRESULT>(0xDEADBEEF))); }
int CTileControl::SetStyles(int styles) {
  return static_cast<int>(Send(TLM_SETSTYLES, static_cast<WPARAM>(styles), 0, static_cast<LRESULT>(0xDEADBEEF)));
}
int CTileControl::EnableMasterTile(MasterTile& master, int enable) {
  return static_cast<int>(Send(TLM_ENABLEMASTER, reinterpret_cast<WPARAM>(&master), MAKELPARAM(1, enable ? 1 : 0)));
}
int CTileControl::EnableMasterTile(int index, int enable) {
  return static_cast<int>(Send(TLM_ENABLEMASTER, static_cast<WPARAM>(index), MAKELPARAM(0, enable ? 1 : 0)));
}
BOOL CTileControl::IsMasterTileEnabled(int index) const {
  const LRESULT answer = Send(TLM_ISMASTERENABLED, static_cast<WPARAM>(index), 0, 0);
  return answer != 0 && answer != -1;
}
HWND CTileControl::SetOwner(HWND owner) {
  return reinterpret_cast<HWND>(Send(TLM_SETOWNER, reinterpret_cast<WPARAM>(owner), 0, -1));
}

// ---------------------------------------------------------------------------------------
// Strip and tooltips

void CTileControl::SetMaskedBitmap(HBITMAP strip, int owns) {
  ReleaseStrip();
  m_strip = strip;
  m_ownsStrip = strip != NULL ? owns : 0;
}

void CTileControl::SetMaskedBitmap(const wchar_t* name) {
  ReleaseStrip();
  if (name == NULL) return;
  if (IS_INTRESOURCE(name)) {
    m_stripId = reinterpret_cast<UINT_PTR>(name);
  } else {
    m_stripName.assign(name, name + ::wcslen(name) + 1);
  }
  CBitmap bitmap;
  const CString resourceName(IS_INTRESOURCE(name) ? CString() : CString(name));
  if (bitmap.LoadBitmap(IS_INTRESOURCE(name) ? MAKEINTRESOURCE(reinterpret_cast<UINT_PTR>(name)) : static_cast<LPCTSTR>(resourceName))) {
    m_strip = static_cast<HBITMAP>(bitmap.Detach());
    m_ownsStrip = 1;
  }
}

void CTileControl::SetMaskedBitmap(UINT id) { SetMaskedBitmap(MAKEINTRESOURCEW(id)); }

int CTileControl::SetMasterTooltip(MasterTile& master, const wchar_t* text) {
  return SetMasterTooltip(HasWindow() ? IndexOf(master) : -1, text);
}

int CTileControl::SetMasterTooltip(int index, const wchar_t* text) {
  if (index < 0 || static_cast<size_t>(index) >= m_tooltips.size()) return 0;
  ::free(m_tooltips[static_cast<size_t>(index)]);
  m_tooltips[static_cast<size_t>(index)] = Utf8Copy(text);
  return 1;
}

void CTileControl::GetMasterTooltip(CString& text, MasterTile& master) const {
  GetMasterTooltip(text, HasWindow() ? const_cast<CTileControl*>(this)->IndexOf(master) : -1);
}

void CTileControl::GetMasterTooltip(CString& text, int index) const {
  if (index < 0 || static_cast<size_t>(index) >= m_tooltips.size()) return;
  text = FromUtf8(m_tooltips[static_cast<size_t>(index)]);
}

void CTileControl::SetTooltipStyle(TCS_TOOLTIPSTYLESTRUCT& style, TCS_TOOLTIPSTYLESTRUCT* old) {
  if (old != NULL) *old = m_tooltipStyle;
  m_tooltipStyle = style;
}

INT_PTR CTileControl::OnToolHitTest(CPoint point, TOOLINFO* pTI) const {
  int master = -1;
  const int code = HitTest(point, master);
  CRect rect;
  if (code == TLHT_OUTSIDE || master < 0 || !GetMasterRect(master, rect)) return -1;
  if (pTI != NULL && pTI->cbSize >= 40) {
    pTI->lpszText = LPSTR_TEXTCALLBACK;
    pTI->uFlags |= kTooltipBits;
    pTI->rect = rect;
    pTI->hwnd = m_hWnd;
    pTI->uId = static_cast<UINT_PTR>(master);
  }
  return master;
}

BOOL CTileControl::TooltipTextAt(CPoint point, CString& text) const {
  int master = -1;
  const int code = HitTest(point, master);
  if (code == TLHT_OUTSIDE || code == TLHT_CONTENT || code == -1 || master < 0) return FALSE;
  CString tip;
  GetMasterTooltip(tip, master);
  int cut = 0;
  const int style = GetTruncation(master, cut) && cut ? m_tooltipStyle.nCut : m_tooltipStyle.nFits;
  if (style < 1 || style > 4) return FALSE;
  Tile facet;
  const bool hasFacet = GetActiveTile(master, facet) >= 0;
  const CString caption = hasFacet ? facet.GetCaption() : CString();
  const CString shownTip = tip.IsEmpty() ? CString(L"???") : tip;
  switch (style) {
    case 1: text = shownTip; break;
    case 2: text = hasFacet ? caption : CString(L"???"); break;
    case 3: text = hasFacet ? shownTip + L" (" + caption + L")" : shownTip; break;
    default: text = hasFacet ? caption + L" : " + shownTip : shownTip; break;
  }
  return TRUE;
}

BOOL CTileControl::OnToolTipText(UINT, NMHDR* pNMHDR, LRESULT* pResult) {
  if (pNMHDR == NULL) return FALSE;
  POINT cursor;
  ::GetCursorPos(&cursor);
  ::ScreenToClient(m_hWnd, &cursor);
  CString shown;
  if (!TooltipTextAt(CPoint(cursor.x, cursor.y), shown)) return FALSE;
  const std::wstring text = WideOf(shown);
  if (pNMHDR->code == TTN_NEEDTEXTW) {
    TOOLTIPTEXTW* tip = reinterpret_cast<TOOLTIPTEXTW*>(pNMHDR);
    ::lstrcpynW(tip->szText, text.c_str(), static_cast<int>(sizeof(tip->szText) / sizeof(tip->szText[0])));
  } else {
    // The ANSI record gets the text converted, cut to its field between characters.
    TOOLTIPTEXTA* tip = reinterpret_cast<TOOLTIPTEXTA*>(pNMHDR);
    const int size = static_cast<int>(sizeof(tip->szText));
    std::vector<char> converted(text.size() * 2 + 1, 0);
    ::WideCharToMultiByte(CP_ACP, 0, text.c_str(), -1, converted.data(), static_cast<int>(converted.size()), NULL, NULL);
    int at = 0;
    while (converted[static_cast<size_t>(at)] != 0) {
      const int width = ::IsDBCSLeadByte(static_cast<BYTE>(converted[static_cast<size_t>(at)])) ? 2 : 1;
      if (at + width > size - 1) break;
      ::memcpy(tip->szText + at, converted.data() + at, static_cast<size_t>(width));
      at += width;
    }
    tip->szText[at] = 0;
  }
  if (pResult != NULL) *pResult = 0;
  ::SetWindowPos(pNMHDR->hwndFrom, HWND_TOP, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE | SWP_NOOWNERZORDER);
  return TRUE;
}
