// Customisable toolbar: buttons of different widths measured and wrapped by the bar itself,
// its non-client area and gripper, custom drawing of its buttons, and what it notes of a
// tracked drop-down menu (the tracking itself lives with the cool menus, ToolBarMenus.cpp).
#include <framework.h>

#include <algorithm>
#include <vector>

#include "ToolBarRecords.h"
#include "UIHandles.h"
#include "UIUtilities.h"

namespace {
int TextOffset() { return UIGetComCtlVersion() == 0x40047 ? 2 : 0; }

bool IsTextButton(const TBBUTTON& b) {
  TBBUTTON_DATAS* record = quarnel::ToolBarRecordOf(b);
  return record != NULL && record->m_nKind != TBBUTTON_DATAS::kControl;
}

// Restores the GDI batch limit the custom drawing set to 1.
class BatchLimitScope {
 public:
  BatchLimitScope() : m_old(::GdiSetBatchLimit(1)) {}
  ~BatchLimitScope() { ::GdiSetBatchLimit(m_old); }
  BatchLimitScope(const BatchLimitScope&) = delete;
  BatchLimitScope& operator=(const BatchLimitScope&) = delete;

 private:
  DWORD m_old;
};

void FillSolid(HDC dc, int x, int y, int cx, int cy, COLORREF colour) {
  ::SetBkColor(dc, colour);
  RECT r = {x, y, x + cx, y + cy};
  ::ExtTextOut(dc, 0, 0, ETO_OPAQUE, &r, NULL, 0, NULL);
}
}  // namespace

int CCustToolBar::GetButtonWidth(TBBUTTON* pButton) {
  if (pButton->fsStyle & TBSTYLE_SEP) return pButton->iBitmap;
  if (CWnd* control = IsControlButton(pButton)) {
    CRect r;
    control->GetWindowRect(&r);
    return r.Width() + 4;
  }
  if (IsTextButton(*pButton)) {
    TBBUTTON_DATAS* record = quarnel::ToolBarRecordOf(*pButton);
    const int arrow = record->m_nKind == TBBUTTON_DATAS::kMenu ? DropDownIconSize() : 0;
    if (record->m_nTextWidth >= 0) return record->m_nTextWidth + 11 + arrow;
    CString text;
    for (int i = 0, n = GetCount(); i < n; ++i) {
      TBBUTTON b;
      CToolBar::_GetButton(i, &b);
      if (b.dwData == pButton->dwData && b.idCommand == pButton->idCommand) {
        GetButtonText(i, text);
        break;
      }
    }
    uih::OwnedDC dc(::CreateCompatibleDC(NULL));
    const uih::Selection font(dc.Get(), GetDefaultFont(0));
    SIZE extent = {};
    ::GetTextExtentPoint32(dc.Get(), text, text.GetLength(), &extent);
    record->m_nTextWidth = extent.cx;
    return extent.cx + 11 + arrow;
  }
  if (pButton->fsStyle & TBSTYLE_DROPDOWN) return m_sizeButton.cx + 9;
  return m_sizeButton.cx;
}

int CCustToolBar::GetButtonHeight(TBBUTTON* pButton) {
  if (!IsTextButton(*pButton)) return m_sizeButton.cy;
  uih::OwnedDC dc(::CreateCompatibleDC(NULL));
  const uih::Selection font(dc.Get(), GetDefaultFont(0));
  TEXTMETRIC tm = {};
  ::GetTextMetrics(dc.Get(), &tm);
  return tm.tmHeight + 11;
}

CSize CCustToolBar::CalcSize(TBBUTTON* pButtons, int nCount) {
  CSize size(0, 0);
  int x = 0, y = 0, rowHeight = 0;
  for (int i = 0; i < nCount; ++i) {
    TBBUTTON& b = pButtons[i];
    if (b.fsState & TBSTATE_HIDDEN) continue;
    const bool separator = (b.fsStyle & TBSTYLE_SEP) != 0;
    const bool wrap = (b.fsState & TBSTATE_WRAP) != 0;
    const int width = GetButtonWidth(&b);
    if (!(separator && wrap)) {
      x += width;
      if (!separator) rowHeight = std::max(rowHeight, GetButtonHeight(&b));
      size.cx = std::max<LONG>(size.cx, x);
    }
    if (wrap) {
      y += rowHeight + (separator ? width : 0);
      x = 0;
      rowHeight = 0;
    }
  }
  size.cy = y + (rowHeight > 0 ? rowHeight : (nCount > 0 && y == 0 ? m_sizeButton.cy : 0));
  return size;
}

void CCustToolBar::WrapToolBar(TBBUTTON* pButtons, int nCount, int nWidth) {
  for (int i = 0; i < nCount; ++i) pButtons[i].fsState &= ~TBSTATE_WRAP;
  auto visible = [&](int i) { return (pButtons[i].fsState & TBSTATE_HIDDEN) == 0; };
  int x = 0;
  int lastSeparator = -1;  // the row's last separator: where it is wrapped, when it can be
  int previous = -1;       // the last visible button before this one
  for (int i = 0; i < nCount; ++i) {
    TBBUTTON& b = pButtons[i];
    if (!visible(i)) continue;
    const int width = GetButtonWidth(&b);
    if (x > 0 && x + width > nWidth) {
      if (b.fsStyle & TBSTYLE_SEP) {
        // The row ends here; the separator becomes the gap between the rows.
        b.fsState |= TBSTATE_WRAP;
        x = 0;
        lastSeparator = -1;
        previous = i;
        continue;
      }
      if (lastSeparator >= 0) {
        // The row ends at its last separator: the buttons after it start the next row.
        pButtons[lastSeparator].fsState |= TBSTATE_WRAP;
        x = 0;
        for (int k = lastSeparator + 1; k < i; ++k)
          if (visible(k)) x += GetButtonWidth(&pButtons[k]);
        lastSeparator = -1;
      }
      if (x > 0 && x + width > nWidth) {
        pButtons[previous].fsState |= TBSTATE_WRAP;
        x = 0;
      }
    }
    if ((b.fsStyle & TBSTYLE_SEP) && x > 0) lastSeparator = i;
    x += width;
    previous = i;
  }
}

CSize CCustToolBar::SizeToolBar(TBBUTTON* pButtons, int nCount, int nLength, BOOL bVert) {
  int widest = 0, total = 0;
  for (int i = 0; i < nCount; ++i) {
    const int w = GetButtonWidth(&pButtons[i]);
    widest = std::max(widest, w);
    total += w;
  }
  if (!bVert) {
    // The narrowest width that needs no more rows than nLength does.
    WrapToolBar(pButtons, nCount, nLength);
    const LONG rows = CalcSize(pButtons, nCount).cy;
    int low = widest, high = std::max(widest, nLength);
    while (low < high) {
      const int mid = (low + high) / 2;
      WrapToolBar(pButtons, nCount, mid);
      if (CalcSize(pButtons, nCount).cy <= rows)
        high = mid;
      else
        low = mid + 1;
    }
    WrapToolBar(pButtons, nCount, low);
  } else {
    // The narrowest width whose height fits the length.
    int low = widest, high = std::max(widest, total);
    while (low < high) {
      const int mid = (low + high) / 2;
      WrapToolBar(pButtons, nCount, mid);
      if (CalcSize(pButtons, nCount).cy <= nLength)
        high = mid;
      else
        low = mid + 1;
    }
    WrapToolBar(pButtons, nCount, low);
  }
  return CalcSize(pButtons, nCount);
}

CRect CCustToolBar::InsideMargins() const {
  CRect margins = BorderRect();
  if (!IsFloating()) {
    if (m_dwStyle & CBRS_ORIENT_HORZ)
      margins.left += 9;
    else
      margins.top += 9;
  }
  return margins;
}

CSize CCustToolBar::CalcLayout(DWORD dwMode, int nLength) {
  const int count = GetCount();
  std::vector<TBBUTTON> buttons(static_cast<size_t>(count));
  for (int i = 0; i < count; ++i) CToolBar::_GetButton(i, &buttons[static_cast<size_t>(i)]);
  TBBUTTON* data = buttons.data();
  CSize size;
  if (dwMode & LM_HORZDOCK) {
    WrapToolBar(data, count, 32767);  // one row
    size = CalcSize(data, count);
  } else if (dwMode & LM_VERTDOCK) {
    WrapToolBar(data, count, 0);  // one column
    size = CalcSize(data, count);
  } else if (nLength > 0) {
    size = SizeToolBar(data, count, nLength, (dwMode & LM_LENGTHY) != 0);
  } else {
    const int width = m_nFloatWidth > 0 ? m_nFloatWidth : std::max(m_nWidthSum, 1);
    WrapToolBar(data, count, width);
    size = CalcSize(data, count);
  }
  if ((dwMode & (LM_COMMIT | LM_HORZDOCK | LM_VERTDOCK)) != 0) {
    for (int i = 0; i < count; ++i) {
      TBBUTTON now;
      CToolBar::_GetButton(i, &now);
      if ((now.fsState ^ buttons[static_cast<size_t>(i)].fsState) & TBSTATE_WRAP)
        CToolBar::_SetButton(i, &buttons[static_cast<size_t>(i)]);
    }
    m_bDelayedButtonLayout = FALSE;
    if (!(dwMode & (LM_HORZDOCK | LM_VERTDOCK))) m_nFloatWidth = size.cx;
    RecalcControlPos();
  }
  const CRect margins = InsideMargins();
  size.cx += margins.left + margins.right;
  size.cy += margins.top + margins.bottom - TextOffset();
  const CSize least = CControlBar::CalcFixedLayout(FALSE, (dwMode & LM_HORZ) != 0);
  return CSize(std::max(size.cx, least.cx), std::max(size.cy, least.cy));
}

CSize CCustToolBar::CalcFixedLayout(BOOL bStretch, BOOL bHorz) {
  CSize size = CalcLayout((bHorz ? LM_HORZ | LM_HORZDOCK : LM_VERTDOCK) | LM_COMMIT, -1);
  // Stretched along its side: the caller clips the length to the room.
  if (bStretch) (bHorz ? size.cx : size.cy) = 32767;
  return size;
}

CSize CCustToolBar::CalcDynamicLayout(int nLength, DWORD nMode) {
  if (nMode & (LM_HORZDOCK | LM_VERTDOCK)) return CalcFixedLayout((nMode & LM_STRETCH) != 0, (nMode & LM_HORZ) != 0);
  return CalcLayout(nMode, nLength);
}

CRect CCustToolBar::OwnItemRect(int nIndex) {
  const int count = GetCount();
  if (nIndex < 0 || nIndex >= count) return CRect(0, 0, 0, 0);
  if (m_bDelayedButtonLayout)
    CalcLayout(IsFloating() ? LM_COMMIT : (IsHorizontal() ? LM_HORZ | LM_HORZDOCK : LM_VERTDOCK), -1);
  int x = 0, y = 0, rowStart = 0;
  for (int i = 0; i < count; ++i) {
    TBBUTTON b;
    CToolBar::_GetButton(i, &b);
    const int width = (b.fsState & TBSTATE_HIDDEN) ? 0 : GetButtonWidth(&b);
    if (i == nIndex) {
      // The row's height: its tallest button.
      int rowHeight = 0;
      for (int j = rowStart; j < count; ++j) {
        TBBUTTON r;
        CToolBar::_GetButton(j, &r);
        if (!(r.fsStyle & TBSTYLE_SEP) && !(r.fsState & TBSTATE_HIDDEN)) rowHeight = std::max(rowHeight, GetButtonHeight(&r));
        if (r.fsState & TBSTATE_WRAP) break;
      }
      if (rowHeight == 0) rowHeight = m_sizeButton.cy;
      return CRect(x, y, x + width, y + rowHeight);
    }
    if (!((b.fsStyle & TBSTYLE_SEP) && (b.fsState & TBSTATE_WRAP))) x += width;
    if (b.fsState & TBSTATE_WRAP) {
      CRect row = OwnItemRect(rowStart);
      y = row.bottom + ((b.fsStyle & TBSTYLE_SEP) ? width : 0);
      x = 0;
      rowStart = i + 1;
    }
  }
  return CRect(0, 0, 0, 0);
}

void CCustToolBar::GetItemRect(int nIndex, LPRECT lpRect) const {
  *lpRect = const_cast<CCustToolBar*>(this)->OwnItemRect(nIndex);
}

LRESULT CCustToolBar::OnGetItemRect(WPARAM wParam, LPARAM lParam) {
  const int index = static_cast<int>(wParam);
  if (lParam == 0 || index < 0 || index >= GetCount()) return FALSE;
  *reinterpret_cast<RECT*>(lParam) = OwnItemRect(index);
  return TRUE;
}

void CCustToolBar::OnNcCalcSize(BOOL bCalcValidRects, NCCALCSIZE_PARAMS* lpncsp) {
  CFlatToolBar::OnNcCalcSize(bCalcValidRects, lpncsp);
  const CRect margins = InsideMargins();
  RECT& r = lpncsp->rgrc[0];
  r.left += margins.left;
  r.top += margins.top;
  r.right -= margins.right;
  r.bottom -= margins.bottom;
  if (r.right < r.left) r.right = r.left;
  if (r.bottom < r.top) r.bottom = r.top;
}

void CCustToolBar::OnNcPaint() {
  CWindowDC dc(this);
  DoNcPaint(&dc);
}

void CCustToolBar::DoNcPaint(CDC* pDC) {
  HDC dc = pDC->GetSafeHdc();
  CRect window, client;
  GetWindowRect(&window);
  ScreenToClient(&window);
  GetClientRect(&client);
  client.OffsetRect(-window.left, -window.top);
  window.OffsetRect(-window.left, -window.top);
  const int saved = ::SaveDC(dc);
  ::ExcludeClipRect(dc, client.left, client.top, client.right, client.bottom);
  FillSolid(dc, 0, 0, window.Width(), window.Height(), ::GetSysColor(COLOR_BTNFACE));
  const CRect border = BorderRect();
  const COLORREF shadow = ::GetSysColor(COLOR_3DSHADOW), light = ::GetSysColor(COLOR_3DHILIGHT);
  if (border.top) FillSolid(dc, 0, 0, window.Width(), 1, shadow);
  if (border.bottom) FillSolid(dc, 0, window.Height() - 1, window.Width(), 1, light);
  if (border.left) FillSolid(dc, 0, 0, 1, window.Height(), shadow);
  if (border.right) FillSolid(dc, window.Width() - 1, 0, 1, window.Height(), light);
  if (!IsFloating()) {
    int large = 0;
    UIGetToolBarParams(&large, NULL, NULL);
    if (m_dwStyle & CBRS_ORIENT_HORZ) {
      // A column of dot pairs: a light square with a shadow square one pixel down and right.
      const int pairs = large ? 5 : 4;
      const int top = border.top + (large ? 5 : 3);
      const int left = border.left + 5;
      for (int k = 0; k < pairs; ++k) {
        FillSolid(dc, left + 1, top + 5 * k + 1, 2, 2, shadow);
        FillSolid(dc, left, top + 5 * k, 2, 2, light);
      }
    } else {
      // Two 3-D bars across the top.
      for (int y : {2, 6}) {
        RECT bar = {border.left + 2, border.top + y, window.Width() - border.right - 2, border.top + y + 3};
        ::DrawEdge(dc, &bar, BDR_RAISEDINNER, BF_RECT);
      }
    }
  }
  ::RestoreDC(dc, saved);
}

void CCustToolBar::DrawDropDownMenu(HDC hDC, CRect& rect) {
  const COLORREF colour = ::GetSysColor(COLOR_MENUTEXT);
  FillSolid(hDC, rect.right - 4 - 6, rect.top + 10, 6, 1, colour);
  FillSolid(hDC, rect.right - 5 - 4, rect.top + 11, 4, 1, colour);
  FillSolid(hDC, rect.right - 6 - 2, rect.top + 12, 2, 1, colour);
}

CRect CCustToolBar::InsertionStrip() const {
  if (m_nInsertIndex < 0 || m_nInsertIndex >= const_cast<CCustToolBar*>(this)->GetCount()) return CRect(0, 0, 0, 0);
  CRect item;
  GetItemRect(m_nInsertIndex, &item);
  const bool after = m_nInsertFlags >= 0 && (m_nInsertFlags & TBIMHT_AFTER) != 0;
  if (IsHorizontal()) {
    const int x = after ? item.right : item.left;
    return CRect(x - 3, item.top, x + 3, item.bottom);
  }
  const int y = after ? item.bottom : item.top;
  return CRect(item.left, y - 3, item.right, y + 3);
}

void CCustToolBar::DrawInsertionPoint(HDC hDC) {
  const CRect strip = InsertionStrip();
  if (strip.IsRectEmpty()) return;
  // A 2-pixel line along the strip's middle with an arrow at each end pointing at it: rows
  // (or columns) 6, 4 and 2 pixels across.
  HBRUSH black = static_cast<HBRUSH>(::GetStockObject(BLACK_BRUSH));
  if (IsHorizontal()) {
    const int mid = strip.left + 3;
    RECT line = {mid - 1, strip.top, mid + 1, strip.bottom};
    ::FillRect(hDC, &line, black);
    for (int k = 0; k < 3; ++k) {
      RECT top = {strip.left + k, strip.top + k, strip.right - k, strip.top + k + 1};
      RECT bottom = {strip.left + k, strip.bottom - 1 - k, strip.right - k, strip.bottom - k};
      ::FillRect(hDC, &top, black);
      ::FillRect(hDC, &bottom, black);
    }
  } else {
    const int mid = strip.top + 3;
    RECT line = {strip.left, mid - 1, strip.right, mid + 1};
    ::FillRect(hDC, &line, black);
    for (int k = 0; k < 3; ++k) {
      RECT left = {strip.left + k, strip.top + k, strip.left + k + 1, strip.bottom - k};
      RECT right = {strip.right - 1 - k, strip.top + k, strip.right - k, strip.bottom - k};
      ::FillRect(hDC, &left, black);
      ::FillRect(hDC, &right, black);
    }
  }
}

int CCustToolBar::IndexOfDrawnItem(const NMCUSTOMDRAW& cd) {
  for (int i = 0, n = GetCount(); i < n; ++i) {
    TBBUTTON at;
    CToolBar::_GetButton(i, &at);
    if (at.dwData == static_cast<DWORD_PTR>(cd.lItemlParam) && static_cast<DWORD_PTR>(static_cast<UINT>(at.idCommand)) == cd.dwItemSpec) return i;
  }
  return -1;
}

void CCustToolBar::DrawButtonImage(HDC hDC, const CRect& rect, int image, UINT state) {
  int cx = 0, cy = 0;
  if (m_hImages == NULL || !::ImageList_GetIconSize(m_hImages, &cx, &cy)) return;
  int x = rect.left + (rect.Width() - cx) / 2, y = rect.top + (rect.Height() - cy) / 2;
  HIMAGELIST list = m_hImages;
  if (state & CDIS_DISABLED) {
    if (HIMAGELIST disabled = ImagesOfLook(1)) list = disabled;
  } else if (state & (CDIS_SELECTED | CDIS_CHECKED)) {
    ++x, ++y;
  } else if (state & CDIS_HOT) {
    if (HIMAGELIST hot = ImagesOfLook(2)) list = hot;
    --x, --y;
  }
  ::ImageList_Draw(list, image, hDC, x, y, ILD_TRANSPARENT);
}

void CCustToolBar::OnCustomDraw(NMHDR* pNMHDR, LRESULT* pResult) {
  BatchLimitScope batch;
  NMTBCUSTOMDRAW* cd = reinterpret_cast<NMTBCUSTOMDRAW*>(pNMHDR);
  switch (cd->nmcd.dwDrawStage) {
    case CDDS_PREPAINT:
      // The insertion point goes over the buttons once all are drawn.
      *pResult = CDRF_NOTIFYITEMDRAW | (m_bCustomizing && m_nInsertIndex >= 0 ? CDRF_NOTIFYPOSTPAINT : 0);
      return;
    case CDDS_POSTPAINT:
      *pResult = CDRF_DODEFAULT;
      if (m_bCustomizing) DrawInsertionPoint(cd->nmcd.hdc);
      return;
    case CDDS_ITEMPREPAINT: {
      *pResult = CDRF_NOTIFYPOSTPAINT;
      if (m_hMenuOpen != NULL) cd->nmcd.uItemState &= ~CDIS_HOT;
      TBBUTTON b = {};
      b.idCommand = static_cast<int>(cd->nmcd.dwItemSpec);
      b.dwData = cd->nmcd.lItemlParam;
      b.fsStyle = 0x10;
      HDC dc = cd->nmcd.hdc;
      CRect rect(cd->nmcd.rc);
      const UINT state = cd->nmcd.uItemState;
      const bool pressed = (state & (CDIS_SELECTED | CDIS_CHECKED)) != 0;
      if (!IsTextButton(b)) {
        // Image buttons are drawn from the bar's three lists: pressed and checked moved by
        // (1, 1), hot by (-1, -1), disabled from the disabled list.
        const int index = IndexOfDrawnItem(cd->nmcd);
        TBBUTTON at = {};
        if (index >= 0) CToolBar::_GetButton(index, &at);
        if (index < 0 || (at.fsStyle & TBSTYLE_SEP) || at.iBitmap < 0 || IsControlButton(&at) != NULL) return;
        if (pressed && !(state & CDIS_DISABLED))
          ::DrawEdge(dc, &rect, BDR_SUNKENOUTER, BF_RECT);
        else if ((state & CDIS_HOT) && !(state & CDIS_DISABLED))
          ::DrawEdge(dc, &rect, BDR_RAISEDINNER, BF_RECT);
        CRect imageRect = rect;
        if (at.fsStyle & TBSTYLE_DROPDOWN) imageRect.right -= 9;
        DrawButtonImage(dc, imageRect, at.iBitmap, state);
        if (at.fsStyle & TBSTYLE_DROPDOWN) DrawDropDownMenu(dc, rect);
        *pResult = CDRF_SKIPDEFAULT | CDRF_NOTIFYPOSTPAINT;
        return;
      }
      // Text buttons are drawn here: the control knows no image for them.
      if (pressed)
        ::DrawEdge(dc, &rect, BDR_SUNKENOUTER, BF_RECT);
      else if (state & CDIS_HOT)
        ::DrawEdge(dc, &rect, BDR_RAISEDINNER, BF_RECT);
      CString text;
      const int index = IndexOfDrawnItem(cd->nmcd);
      if (index >= 0) GetButtonText(index, text);
      CRect textRect = rect;
      const bool dropDown = IsDropDownButton(&b) != NULL;
      if (dropDown) textRect.right -= DropDownIconSize();
      if (pressed && !m_bCustomizing) textRect.OffsetRect(1, 1);
      uih::Selection font(dc, GetDefaultFont(0));
      ::SetBkMode(dc, TRANSPARENT);
      ::SetTextColor(dc, ::GetSysColor((state & CDIS_DISABLED) ? COLOR_GRAYTEXT : COLOR_MENUTEXT));
      // A menu bar's texts underline their mnemonics as a menu does.
      const UINT prefix = m_bMenuBar ? 0 : DT_NOPREFIX;
      ::DrawText(dc, text, text.GetLength(), &textRect, DT_SINGLELINE | DT_CENTER | DT_VCENTER | prefix);
      font.Restore();
      if (dropDown) DrawDropDownMenu(dc, rect);
      *pResult = CDRF_SKIPDEFAULT | CDRF_NOTIFYPOSTPAINT;
      return;
    }
    case CDDS_ITEMPOSTPAINT: {
      *pResult = CDRF_DODEFAULT;
      const int index = IndexOfDrawnItem(cd->nmcd);
      if (m_bCustomizing) {
        if (m_nSelected >= 0 && m_nSelected == index) {
          CRect rect(cd->nmcd.rc);
          uih::OwnedBrush frame(::CreateSolidBrush(RGB(0x5C, 0x5C, 0x5C)));
          ::FrameRect(cd->nmcd.hdc, &rect, frame.Get());
          rect.DeflateRect(1, 1);
          ::FrameRect(cd->nmcd.hdc, &rect, frame.Get());
        }
      } else if (index >= 0 && (cd->nmcd.uItemState & CDIS_CHECKED) && !(cd->nmcd.uItemState & CDIS_DISABLED)) {
        // A checked image button is drawn once more where a pressed one shows its image, over
        // whatever the checked background left on it.
        TBBUTTON at;
        CToolBar::_GetButton(index, &at);
        if (!(at.fsStyle & TBSTYLE_SEP) && at.iBitmap >= 0 && IsControlButton(&at) == NULL) {
          CRect imageRect(cd->nmcd.rc);
          if (at.fsStyle & TBSTYLE_DROPDOWN) imageRect.right -= 9;
          DrawButtonImage(cd->nmcd.hdc, imageRect, at.iBitmap, CDIS_CHECKED);
        }
      }
      return;
    }
    default:
      *pResult = CDRF_DODEFAULT;
      return;
  }
}

LRESULT CCustToolBar::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITMENUPOPUP:
    case WM_MENUSELECT:
    case WM_ENTERIDLE: {
      if (message == WM_MENUSELECT) {
        // The closing notice (flags 0xFFFF, no menu) selects nothing: it must not read as a
        // sub-menu for the next popup.
        const bool closing = HIWORD(wParam) == 0xFFFF && lParam == 0;
        m_hMenuSelected = reinterpret_cast<HMENU>(lParam);
        m_bSubMenuSelected = !closing && (HIWORD(wParam) & MF_POPUP) != 0;
      } else if (message == WM_INITMENUPOPUP) {
        m_hMenuSelected = reinterpret_cast<HMENU>(wParam);
      }
      CWnd* main = AfxGetMainWnd();
      if (main != NULL && main != this && main->m_hWnd != NULL) return main->SendMessage(message, wParam, lParam);
      break;
    }
    default:
      break;
  }
  return CFlatToolBar::WindowProc(message, wParam, lParam);
}

BOOL CCustToolBar::OnCommand(WPARAM wParam, LPARAM lParam) {
  if (lParam == 0) {
    // A command from a button's popup: the main window first, redrawn at once.
    CWnd* main = AfxGetMainWnd();
    if (main != NULL && main != this && main->m_hWnd != NULL) {
      main->Invalidate();
      main->UpdateWindow();
      if (main->SendMessage(WM_COMMAND, wParam, lParam)) return TRUE;
    }
  }
  return CFlatToolBar::OnCommand(wParam, lParam);
}
