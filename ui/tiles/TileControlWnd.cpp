// The tile control's window class ("QvTileControl32"): its window procedure, the private
// message set, the shared drawing resources.
#include "TileControl.h"

#include "ControlClass.h"
#include "ControlClasses.h"
#include "TileControlShared.h"
#include "UIBitmapUtilities.h"
#include "UITrace.h"
#include "UIUtilities.h"

#include <UIHandles.h>

#include <new>

namespace {

UlmLogger s_log("TileControl");
const wchar_t kClassName[] = L"QvTileControl32";

const int kColourIndices[tilelook::kColours] = {
    COLOR_BTNSHADOW, COLOR_BTNFACE,    COLOR_BTNHIGHLIGHT, COLOR_BTNSHADOW,  COLOR_WINDOWTEXT,
    COLOR_BTNHIGHLIGHT, COLOR_BTNSHADOW, COLOR_3DDKSHADOW, COLOR_BTNHIGHLIGHT, COLOR_3DDKSHADOW,
    COLOR_3DDKSHADOW, COLOR_GRAYTEXT,  COLOR_HIGHLIGHT,    COLOR_3DDKSHADOW};
int s_count = 0;

}  // namespace

namespace tilelook {
COLORREF s_colours[kColours];
uih::OwnedBrush s_brushes[kColours];
uih::OwnedFont s_controlFont;
uih::OwnedBitmap s_bitmapsList;
}  // namespace tilelook

using namespace tilelook;

void TileControl::InitArrays() {
  for (int i = 0; i < kColours; ++i) {
    s_colours[i] = ::GetSysColor(kColourIndices[i]);
    s_brushes[i].Reset(::CreateSolidBrush(s_colours[i]));
  }
}

void TileControl::ReleaseArrays() {
  for (auto& b : s_brushes) b.Reset();
}

void TileControl::InitControlStatics(HWND hwnd, int force) {
  if (s_count != 0 && !force) {
    ++s_count;
    return;
  }
  InitArrays();
  LOGFONTW lf;
  GetDefaultLogFont(lf);
  uih::WindowDC dc(hwnd);
  lf.lfHeight = -::MulDiv(8, dc.Get() != NULL ? ::GetDeviceCaps(dc.Get(), LOGPIXELSY) : 96, 72);
  // Upright text: escapement and orientation 0.
  lf.lfEscapement = lf.lfOrientation = 0;
  lf.lfOutPrecision = lf.lfClipPrecision = lf.lfQuality = lf.lfPitchAndFamily = 0;
  s_controlFont.Reset(::CreateFontIndirectW(&lf));
  if (!s_controlFont) UI_TRACE_FAILED(s_log, "CreateFontIndirectW");
  s_bitmapsList.Reset(Utilities::RemapMaskedBitmap(L"IDB_BITMAPSLIST", RGB(0, 128, 128), s_colours[11], 1));
  if (!force) ++s_count;
}

void TileControl::ReleaseControlStatics(int force) {
  const int was = s_count;
  if (s_count > 0 && !force) --s_count;
  if (was == 1 || force) {
    s_controlFont.Reset();
    s_bitmapsList.Reset();
    ReleaseArrays();
  }
}

int TileControl::GetControlCount() { return s_count; }

TileControl* TileControl::FromWindow(HWND hwnd) {
  if (hwnd == NULL || !::IsWindow(hwnd)) return NULL;
  wchar_t name[32] = L"";
  if (::GetClassNameW(hwnd, name, 32) == 0 || ::lstrcmpiW(name, kClassName) != 0) return NULL;
  return reinterpret_cast<TileControl*>(::GetWindowLongPtrW(hwnd, 0));
}

HFONT TileControl::GetFont() const { return m_font != NULL ? m_font : s_controlFont.Get(); }

void TileControl::SetFont(HFONT font, BOOL redraw) {
  m_font = font;
  if (redraw) VisualFeedback();
}

namespace {

UINT DumpWindowMessage() {
  static const UINT m = ::RegisterWindowMessageW(L"_UIM_DUMPWND");
  return m;
}

UINT DumpStyleMessage() {
  static const UINT m = ::RegisterWindowMessageW(L"_UIM_DUMPSTYLE");
  return m;
}

// The master a descriptor names: -1 for none, a pointer not found or a bad index.
int MasterOf(const TileControl* o, WPARAM wp) {
  const TC_MASTERDESC* d = reinterpret_cast<const TC_MASTERDESC*>(wp);
  if (d == NULL) return -1;
  if (d->flags & TCMD_BYPOINTER) {
    MasterTile* master = reinterpret_cast<MasterTile*>(d->master);
    return master != NULL ? o->FindMasterTile(*master) : -1;
  }
  if (d->flags & TCMD_BYINDEX) {
    const INT_PTR i = d->master;
    return i >= 0 && i < o->GetMasterCount() ? static_cast<int>(i) : -1;
  }
  return -1;
}

DWORD FlagsOf(WPARAM wp) {
  const TC_MASTERDESC* d = reinterpret_cast<const TC_MASTERDESC*>(wp);
  return d != NULL ? d->flags : 0;
}

// The master given as pointer (kind non-zero) or index.
int MasterByKind(const TileControl* o, WPARAM wp, bool byPointer) {
  if (!byPointer) return static_cast<int>(static_cast<INT_PTR>(wp));
  MasterTile* master = reinterpret_cast<MasterTile*>(wp);
  return master != NULL ? o->FindMasterTile(*master) : -2;
}

LRESULT FacetMessage(TileControl* o, UINT msg, WPARAM wp, LPARAM lp) {
  const int m = MasterOf(o, wp);
  const DWORD flags = FlagsOf(wp);
  TC_FACETRECORD* rec = (flags & TCMD_RECORD) ? reinterpret_cast<TC_FACETRECORD*>(lp) : NULL;
  Tile* tile = (flags & TCMD_TILE) ? reinterpret_cast<Tile*>(lp) : rec != NULL ? rec->tile : NULL;
  switch (msg) {
    case TLM_SETMASTERBITMAP:
      if (rec == NULL) return -1;
      return reinterpret_cast<LRESULT>(o->SetMasterBitmap(m, rec->bitmap, rec->owns));
    case TLM_GETMASTERBITMAP:
      if (rec == NULL) return -1;
      return reinterpret_cast<LRESULT>(o->GetMasterBitmap(m, &rec->bitmap, &rec->owns));
    case TLM_ADDTILE: return tile != NULL ? o->AddTile(m, *tile) : -1;
    case TLM_INSERTTILE: return rec != NULL && rec->tile != NULL ? o->InsertTile(m, *rec->tile, rec->index) : -1;
    case TLM_REMOVETILE:
      if (flags & TCMD_INDEX) return o->RemoveTile(m, static_cast<int>(lp));
      return tile != NULL ? o->RemoveTile(m, *tile) : -1;
    case TLM_SETTILE: return rec != NULL && rec->tile != NULL ? o->SetTile(m, *rec->tile, rec->index) : -1;
    case TLM_GETTILECOUNT: return o->GetCount(m);
    case TLM_GETMAXTILES: return o->GetMaxCount(m);
    case TLM_GETTILE: return rec != NULL && rec->tile != NULL ? o->GetTile(m, *rec->tile, rec->index) : -1;
    case TLM_GETACTIVETILE: return tile != NULL ? o->GetActiveTile(m, *tile) : o->GetActiveTile(m);
    case TLM_SETACTIVETILE:
      if (flags & TCMD_INDEX) return o->SetActiveTile(m, static_cast<int>(lp));
      return tile != NULL ? o->SetActiveTile(m, *tile) : -1;
    case TLM_SETNUMTILES: return o->SetNumTiles(m, static_cast<int>(lp));
    case TLM_FINDTILE: return tile != NULL ? o->FindTile(m, *tile) : -1;
    case TLM_GETTILEBITMAP:
      if (rec == NULL) return -1;
      if (o->TileAt(m, rec->index) == NULL) return 0;
      return reinterpret_cast<LRESULT>(o->GetBitmap(m, rec->index, &rec->bitmap, &rec->owns));
    case TLM_SETTILEBITMAP:
      if (rec == NULL) return -1;
      return reinterpret_cast<LRESULT>(o->SetBitmap(m, rec->index, rec->bitmap, rec->owns));
    default: return -1;
  }
}

LRESULT PrivateMessage(TileControl* o, UINT msg, WPARAM wp, LPARAM lp) {
  MasterTile* master = reinterpret_cast<MasterTile*>(wp);
  switch (msg) {
    case TLM_ADDMASTER: return master != NULL ? o->AddMasterTile(*master) : -1;
    case TLM_INSERTMASTER: return master != NULL ? o->InsertMasterTile(*master, static_cast<int>(lp)) : -1;
    case TLM_REMOVEMASTER: {
      const int i = MasterByKind(o, wp, lp != 0);
      return i >= 0 ? o->RemoveMasterTile(i) : -1;
    }
    case TLM_SETMASTER: return master != NULL ? o->SetMasterTile(*master, static_cast<int>(lp)) : -1;
    case TLM_GETMASTERCOUNT: return o->GetMasterCount();
    case TLM_GETMAXMASTERS: return o->GetMaxMasterCount();
    case TLM_GETMASTER: return master != NULL ? o->GetMasterTile(*master, static_cast<int>(lp)) : -1;
    case TLM_GETACTIVEMASTER:
      return master != NULL ? o->GetActiveMasterTile(*master) : o->GetActiveMasterTile();
    case TLM_SETACTIVEMASTER: {
      if (lp != 0 && master == NULL) return -1;
      const int i = MasterByKind(o, wp, lp != 0);
      return i >= 0 ? o->SetActiveMasterTile(i, 0) : 0;
    }
    case TLM_SETNUMMASTERS: return o->SetNumMasterTiles(static_cast<int>(static_cast<INT_PTR>(wp)));
    case TLM_FINDMASTER: return master != NULL ? o->FindMasterTile(*master) : -1;
    case TLM_GETMASTERRECT: {
      const int i = MasterByKind(o, wp, lp != 0);
      return reinterpret_cast<LRESULT>(i >= 0 ? o->GetMasterRect(i) : NULL);
    }
    case TLM_HITTEST: {
      int hit = -1;
      const int code = o->HitTest(CPoint(static_cast<short>(LOWORD(wp)), static_cast<short>(HIWORD(wp))), hit);
      if (int* out = reinterpret_cast<int*>(lp)) *out = hit;
      return code;
    }
    case TLM_GETINTERACTION: return static_cast<LRESULT>(o->GetInteractionLevel());
    case TLM_SETINTERACTION: return static_cast<LRESULT>(o->SetInteractionLevel(static_cast<DWORD>(wp)));
    case TLM_GETTRUNCATION: {
      int* out = reinterpret_cast<int*>(lp);
      if (out == NULL) return 0;
      return o->GetTruncation(static_cast<int>(wp), *out);
    }
    case TLM_GETSTYLES: return o->GetStyles();
    case TLM_SETSTYLES: return o->SetStyles(static_cast<int>(wp));
    case TLM_ENABLEMASTER: {
      if (LOWORD(lp) != 0 && master == NULL) return -1;
      const int i = MasterByKind(o, wp, LOWORD(lp) != 0);
      if (i < 0 || i >= o->GetMasterCount()) return -1;
      o->EnableMasterTile(i, HIWORD(lp));
      return 1;
    }
    case TLM_ISMASTERENABLED: {
      if (lp != 0 && master == NULL) return -1;
      const int i = MasterByKind(o, wp, lp != 0);
      if (i < 0 || i >= o->GetMasterCount()) return -1;
      return o->IsMasterTileEnabled(i);
    }
    case TLM_SETOWNER: return reinterpret_cast<LRESULT>(o->SetOwner(reinterpret_cast<HWND>(wp)));
    default:
      if (msg >= TLM_SETMASTERBITMAP && msg <= TLM_SETTILEBITMAP && msg != TLM_GETMASTERRECT && msg != TLM_HITTEST)
        return FacetMessage(o, msg, wp, lp);
      return -1;
  }
}

LRESULT Dispatch(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  TileControl* o = reinterpret_cast<TileControl*>(::GetWindowLongPtrW(hwnd, 0));
  if (msg == WM_CREATE) {
    if (o == NULL) {
      const BOOL enabled = ::IsWindowEnabled(hwnd);
      TileControl::InitControlStatics(hwnd, 0);
      o = new (std::nothrow) TileControl(hwnd, 0);
      if (o == NULL) {
        TileControl::ReleaseControlStatics(0);
        return -1;
      }
      ::SetWindowLongPtrW(hwnd, 0, reinterpret_cast<LONG_PTR>(o));
      o->Enable(enabled);
    }
    return 0;
  }
  if (msg == WM_NCDESTROY) {
    if (o != NULL) {
      ::SetWindowLongPtrW(hwnd, 0, 0);
      delete o;
      TileControl::ReleaseControlStatics(0);
    }
    return ::DefWindowProcW(hwnd, msg, wp, lp);
  }
  if (msg >= WM_USER && msg < 0xC000) return o != NULL ? PrivateMessage(o, msg, wp, lp) : -1;
  if (msg == DumpWindowMessage() || msg == DumpStyleMessage()) {
    const int stylesOnly = msg == DumpStyleMessage();
    if (o != NULL && lp != 0) o->Dump(reinterpret_cast<const TC_DUMPRECORD*>(lp), stylesOnly);
    return stylesOnly ? 1 : 3;
  }
  if (o == NULL && msg != WM_PAINT) {
    return ::DefWindowProcW(hwnd, msg, wp, lp);
  }
  const int x = static_cast<short>(LOWORD(lp)), y = static_cast<short>(HIWORD(lp));
  switch (msg) {
    case WM_SIZE: {
      const CRect rect(0, 0, LOWORD(lp), HIWORD(lp));
      o->Resize(static_cast<UINT>(wp), rect);
      return 0;
    }
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
      o->SetFocus(msg == WM_SETFOCUS);
      return 0;
    case WM_ENABLE:
      o->Enable(static_cast<int>(wp));
      return 0;
    case WM_PAINT:
      if (o == NULL) break;
      o->Draw(reinterpret_cast<HDC>(wp));
      return 0;
    case WM_PRINTCLIENT:
      o->DrawAll(reinterpret_cast<HDC>(wp));
      return 0;
    case WM_ERASEBKGND:
      return 1;  // the paint covers the whole client area
    case WM_SETFONT:
      o->SetFont(reinterpret_cast<HFONT>(wp), LOWORD(lp));
      return 0;
    case WM_GETFONT:
      return reinterpret_cast<LRESULT>(o->GetFont());
    case WM_SYSCOLORCHANGE:
      TileControl::ReleaseControlStatics(1);
      TileControl::InitControlStatics(hwnd, 1);
      o->VisualFeedback();
      return 0;
    case WM_SETCURSOR:
      if (o->SetCursor(LOWORD(lp))) return 1;
      break;
    case WM_GETMINMAXINFO:
      o->GetMinMaxInfo(reinterpret_cast<MINMAXINFO*>(lp));
      return 0;
    case WM_NOTIFY: {
      HWND parent = ::GetParent(hwnd);
      return parent != NULL ? ::SendMessageW(parent, WM_NOTIFY, wp, lp) : 0;
    }
    case WM_HELP:
      return 0;
    case WM_MEASUREITEM: {
      // The facet menu's items (item data = this control), also without a framework wrapper.
      MEASUREITEMSTRUCT* mis = reinterpret_cast<MEASUREITEMSTRUCT*>(lp);
      if (mis != NULL && mis->CtlType == ODT_MENU && mis->itemData == reinterpret_cast<ULONG_PTR>(o)) {
        o->GetFacetMenu().MeasureItem(mis);
        return TRUE;
      }
      break;
    }
    case WM_DRAWITEM: {
      DRAWITEMSTRUCT* dis = reinterpret_cast<DRAWITEMSTRUCT*>(lp);
      if (dis != NULL && dis->CtlType == ODT_MENU && dis->itemData == reinterpret_cast<ULONG_PTR>(o)) {
        o->GetFacetMenu().DrawItem(dis);
        return TRUE;
      }
      break;
    }
    case WM_COMMAND:
      if (lp == 0 && HIWORD(wp) == 0) o->HandleCommandFromMenu(LOWORD(wp), 0);
      return 0;
    case WM_MOUSEMOVE:
    case WM_NCMOUSEMOVE:
      o->TrackHotSpot();
      if (msg == WM_NCMOUSEMOVE) break;
      return 0;
    case WM_TIMER:
      if (wp == static_cast<WPARAM>(TileControl::kTimerId)) {
        POINT pt;
        ::GetCursorPos(&pt);
        ::ScreenToClient(hwnd, &pt);
        o->HandleHilite(CPoint(pt.x, pt.y));
      }
      return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      o->HandleMouseDown(x, y);
      return 0;
    case WM_LBUTTONUP:
      o->HandleMouseUp(x, y);
      return 0;
    default:
      break;
  }
  return ::DefWindowProcW(hwnd, msg, wp, lp);
}

LRESULT CALLBACK TileWndProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  // No exception leaves the procedure: a failed private message answers -1, others 0.
  try {
    return Dispatch(hwnd, msg, wp, lp);
  } catch (...) {
    UI_TRACE_FAILED(s_log, "message handling");
    return msg >= WM_USER && msg < 0xC000 ? -1 : 0;
  }
}

}  // namespace

BOOL RegisterTileControlClass(HINSTANCE hModule) {
  ASSERT(hModule != NULL);
  const quarnel::WindowClassSpec spec = {kClassName, CS_GLOBALCLASS | CS_DBLCLKS, TileWndProc,
                                         static_cast<int>(sizeof(LONG_PTR)), NULL};
  if (quarnel::RegisterWindowClass(hModule, spec)) return TRUE;
  UI_TRACE_FAILED(s_log, "RegisterClassW");
  return FALSE;
}

BOOL UnregisterTileControlClass(HINSTANCE hModule) {
  if (quarnel::DestroyWindowsAndUnregisterClass(hModule, kClassName)) return TRUE;
  UI_TRACE_FAILED(s_log, "UnregisterClassW");
  return FALSE;
}
