// Flat toolbar: button access in the framework's packing, per-button texts, the update probe
// of its buttons and the image strips built from command bitmaps.
#include "UICustToolBar.h"

#include <framework.h>

#include <map>

#include "UIHandles.h"
#include "UITrace.h"

namespace {
UlmLogger s_log("ui/FlatToolBar");

// Bitmaps loaded by resource id, with the face colour they were made for: a colour change
// makes the next request load the bitmap again.
struct CachedBitmap {
  uih::OwnedBitmap bitmap;
  COLORREF face = CLR_INVALID;
};
std::map<UINT, CachedBitmap>& BitmapCache() {
  static std::map<UINT, CachedBitmap> cache;
  return cache;
}

// A DIB section copy of the resource with light grey shown as the button face.
HBITMAP LoadFaceBitmap(UINT bitmapId, COLORREF face) {
  LPCTSTR name = MAKEINTRESOURCE(bitmapId);
  HINSTANCE inst = AfxFindResourceHandle(name, RT_BITMAP);
  HBITMAP loaded = static_cast<HBITMAP>(::LoadImage(inst, name, IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
  if (loaded == NULL) {
    UI_TRACE_FAILED(s_log, "LoadImage");
    return NULL;
  }
  DIBSECTION ds = {};
  if (::GetObject(loaded, sizeof ds, &ds) == sizeof ds && ds.dsBm.bmBitsPixel == 32 && ds.dsBm.bmBits != NULL) {
    // 32-bit sections are changed in place.
    DWORD* px = static_cast<DWORD*>(ds.dsBm.bmBits);
    const DWORD grey = 0xC0C0C0, to = RGB(GetBValue(face), GetGValue(face), GetRValue(face));
    for (LONG i = 0, n = ds.dsBm.bmWidth * std::abs(ds.dsBm.bmHeight); i < n; ++i)
      if ((px[i] & 0xFFFFFF) == grey) px[i] = (px[i] & 0xFF000000) | to;
    return loaded;
  }
  // Others are drawn into a screen-compatible bitmap, grey made transparent over the face.
  BITMAP bm = {};
  ::GetObject(loaded, sizeof bm, &bm);
  uih::OwnedBitmap source(loaded);
  uih::WindowDC screen(NULL);
  uih::OwnedBitmap result(::CreateCompatibleBitmap(screen.Get(), bm.bmWidth, bm.bmHeight));
  uih::MemoryDC from(screen.Get()), to(screen.Get());
  screen.Reset();
  if (!result || from.Get() == NULL || to.Get() == NULL) return NULL;
  {
    const uih::Selection fromSource(from.Get(), source.Get()), toResult(to.Get(), result.Get());
    uih::OwnedBrush brush(::CreateSolidBrush(face));
    RECT all = {0, 0, bm.bmWidth, bm.bmHeight};
    ::FillRect(to.Get(), &all, brush.Get());
    ::TransparentBlt(to.Get(), 0, 0, bm.bmWidth, bm.bmHeight, from.Get(), 0, 0, bm.bmWidth, bm.bmHeight, 0xC0C0C0);
  }
  return result.Release();
}
}  // namespace

// CFlatToolCmdUI

void CFlatToolCmdUI::Enable(BOOL bOn) {
  m_bEnableChanged = TRUE;
  CToolBar* pBar = static_cast<CToolBar*>(m_pOther);
  const UINT style = pBar->GetButtonStyle(static_cast<int>(m_nIndex));
  UINT newStyle = style & ~UI_TBBS_DISABLED;
  if (!bOn) newStyle = (newStyle & ~(UI_TBBS_CHECKED | UI_TBBS_PRESSED)) | UI_TBBS_DISABLED;
  if (newStyle != style) pBar->SetButtonStyle(static_cast<int>(m_nIndex), newStyle);
}

// CFlatToolBar

IMPLEMENT_DYNAMIC(CFlatToolBar, CToolBar)

BEGIN_MESSAGE_MAP(CFlatToolBar, CToolBar)
  ON_WM_WINDOWPOSCHANGING()
  ON_WM_WINDOWPOSCHANGED()
END_MESSAGE_MAP()

BOOL CFlatToolBar::Create(CWnd* pParentWnd, DWORD dwStyle, UINT nID) {
  if (!CToolBar::Create(pParentWnd, dwStyle, nID)) return FALSE;
  ModifyStyle(0, TBSTYLE_FLAT);
  return TRUE;
}

void CFlatToolBar::_GetButton(int nIndex, TBBUTTON* pButton) {
  CToolBar::_GetButton(nIndex, pButton);
  pButton->fsState ^= TBSTATE_ENABLED;
}

int CFlatToolBar::_SetButton(int nIndex, TBBUTTON* pButton) {
  TBBUTTON button = *pButton;
  button.fsState ^= TBSTATE_ENABLED;
  return CToolBar::_SetButton(nIndex, &button);
}

int CFlatToolBar::_SetButton(int nIndex, TBBUTTONINFOW* pInfo) {
  if (nIndex < 0 || nIndex >= GetCount() || pInfo == NULL) return 0;
  TBBUTTONINFOW info = *pInfo;
  info.cbSize = sizeof info;
  info.dwMask |= TBIF_BYINDEX;
  if (!::SendMessageW(m_hWnd, TB_SETBUTTONINFOW, nIndex, reinterpret_cast<LPARAM>(&info))) return 0;
  // The control's own rectangle of the button: no layout of the bar is needed for it.
  CRect r;
  if (CWnd::DefWindowProc(TB_GETITEMRECT, nIndex, reinterpret_cast<LPARAM>(&r))) InvalidateRect(&r, FALSE);
  return 1;
}

void CFlatToolBar::SetButtonStyle(int nIndex, UINT nStyle) {
  CToolBar::SetButtonStyle(nIndex, nStyle);
  m_bDelayedButtonLayout = TRUE;
}

BOOL CFlatToolBar::SetButtonText(int nIndex, LPCWSTR lpszText) {
  TBBUTTONINFOW info = {};
  info.dwMask = TBIF_TEXT;
  info.pszText = const_cast<LPWSTR>(lpszText != NULL ? lpszText : L"");
  m_bDelayedButtonLayout = TRUE;
  return _SetButton(nIndex, &info);
}

void CFlatToolBar::GetButtonText(int nIndex, CString& rText) {
  rText.Empty();
  if (nIndex < 0 || nIndex >= GetCount()) return;
  WCHAR buffer[512] = {};
  TBBUTTONINFOW info = {};
  info.cbSize = sizeof info;
  info.dwMask = TBIF_BYINDEX | TBIF_TEXT;
  info.pszText = buffer;
  info.cchText = _countof(buffer);
  if (::SendMessageW(m_hWnd, TB_GETBUTTONINFOW, nIndex, reinterpret_cast<LPARAM>(&info)) == -1) return;
  buffer[_countof(buffer) - 1] = 0;
  rText = CString(buffer);
}

void CFlatToolBar::OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) {
  CFlatToolCmdUI state;
  state.m_pOther = this;
  const int count = GetCount();
  state.m_nIndexMax = static_cast<UINT>(count);
  for (int i = 0; i < count; ++i) {
    TBBUTTON b;
    _GetButton(i, &b);
    if (b.fsStyle & TBSTYLE_SEP) continue;
    state.m_nIndex = static_cast<UINT>(i);
    state.m_nID = static_cast<UINT>(b.idCommand);
    if (CWnd::OnCmdMsg(state.m_nID, static_cast<int>(CN_UPDATE_COMMAND_UI), &state, NULL)) continue;
    state.DoUpdate(pTarget, bDisableIfNoHndler);
  }
  UpdateDialogControls(pTarget, bDisableIfNoHndler);
}

void CFlatToolBar::OnWindowPosChanging(WINDOWPOS* lpWndPos) {
  lpWndPos->flags &= ~SWP_NOREDRAW;
  CToolBar::OnWindowPosChanging(lpWndPos);
  SendMessage(WM_NCPAINT);
}

void CFlatToolBar::OnWindowPosChanged(WINDOWPOS* lpWndPos) {
  CToolBar::OnWindowPosChanged(lpWndPos);
  SendMessage(WM_NCPAINT);
}

int CFlatToolBar::AppendBitmapForToolbar(HBITMAP* strip, HBITMAP source, int index, int width) {
  if (strip == NULL || width <= 0) return 0;
  BITMAP old = {}, src = {};
  const int oldWidth = (*strip != NULL && ::GetObject(*strip, sizeof old, &old)) ? old.bmWidth : 0;
  if (source == NULL || !::GetObject(source, sizeof src, &src) || (index + 1) * width > src.bmWidth) {
    UI_TRACE_REFUSED(s_log, "no such image in the source");
    return oldWidth / width;
  }
  uih::WindowDC screen(NULL);
  uih::OwnedBitmap made(::CreateCompatibleBitmap(screen.Get(), oldWidth + width, src.bmHeight));
  uih::MemoryDC to(screen.Get()), from(screen.Get());
  screen.Reset();
  if (!made || to.Get() == NULL || from.Get() == NULL) {
    UI_TRACE_FAILED(s_log, "CreateCompatibleBitmap");
    return oldWidth / width;
  }
  {
    const uih::Selection toMade(to.Get(), made.Get());
    if (*strip != NULL) {
      const uih::Selection fromStrip(from.Get(), *strip);
      ::BitBlt(to.Get(), 0, 0, oldWidth, old.bmHeight, from.Get(), 0, 0, SRCCOPY);
    }
    const uih::Selection fromSource(from.Get(), source);
    ::BitBlt(to.Get(), oldWidth, 0, width, src.bmHeight, from.Get(), index * width, 0, SRCCOPY);
  }
  if (*strip != NULL) ::DeleteObject(*strip);
  *strip = made.Release();
  return oldWidth / width;
}

HBITMAP CFlatToolBar::GetToolbarBitmap(UINT bitmapId) {
  const COLORREF face = ::GetSysColor(COLOR_BTNFACE);
  CachedBitmap& entry = BitmapCache()[bitmapId];
  if (!entry.bitmap || entry.face != face) {
    entry.bitmap.Reset(LoadFaceBitmap(bitmapId, face));
    entry.face = face;
  }
  return entry.bitmap.Get();
}

int CFlatToolBar::AppendBitmapForToolbar(HBITMAP* strip, UINT bitmapId, int index, int width) {
  return AppendBitmapForToolbar(strip, GetToolbarBitmap(bitmapId), index, width);
}
