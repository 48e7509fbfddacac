// The owner-drawn button with an image, toggle state, default frame and colour tab.
#include "MaskedBitmapButton.h"

#include "UIBitmapUtilities.h"

#include <framework.h>
#include <commctrl.h>
#include <tchar.h>

#include <string.h>
#include <vector>

IMPLEMENT_DYNAMIC(CMaskedBitmapButton, CButton)

BEGIN_MESSAGE_MAP(CMaskedBitmapButton, CButton)
  ON_WM_SYSCOLORCHANGE()
  ON_WM_DESTROY()
END_MESSAGE_MAP()

CMaskedBitmapButton::CMaskedBitmapButton(int extra) : m_extra(extra) {}

CMaskedBitmapButton::~CMaskedBitmapButton() = default;

BOOL CMaskedBitmapButton::PreCreateWindow(CREATESTRUCT& cs) {
  cs.style |= BS_OWNERDRAW;
  return CButton::PreCreateWindow(cs);
}

void CMaskedBitmapButton::Repaint() {
  if (m_hWnd != NULL) ::InvalidateRect(m_hWnd, NULL, TRUE);
}

void CMaskedBitmapButton::ReleaseImages() {
  m_icon.Reset();
  m_bitmap.Reset();
  m_disabledBitmap.Reset();
}

namespace {

// The bitmap resource with one colour mapped, resized to w x h. NULL on failure. The map
// reaches the colour table of a palette bitmap and the pixels of any other.
HBITMAP MappedBitmap(UINT id, int w, int h, const COLORMAP* map) {
  HINSTANCE module = AfxFindResourceHandle(MAKEINTRESOURCE(id), RT_BITMAP);
  if (module == NULL) return NULL;
  COLORMAP copy = map != NULL ? *map : COLORMAP();
  uih::OwnedBitmap bmp(CreateMappedBitmap(module, static_cast<INT_PTR>(id), 0, map != NULL ? &copy : NULL,
                                          map != NULL ? 1 : 0));
  if (!bmp) return NULL;
  if (map != NULL) {
    bmp.Reset(Utilities::RemapMaskedBitmapAtDepth(bmp.Get(), map->from, map->to, 0, 32));
    if (!bmp) return NULL;
  }
  return static_cast<HBITMAP>(CopyImage(bmp.Get(), IMAGE_BITMAP, w, h, 0));
}

}  // namespace

int CMaskedBitmapButton::BuildImages() {
  ReleaseImages();
  if (m_kind == kIcon) {
    HINSTANCE module = AfxFindResourceHandle(MAKEINTRESOURCE(m_imageId), RT_GROUP_ICON);
    if (module != NULL)
      m_icon.Reset(static_cast<HICON>(LoadImage(module, MAKEINTRESOURCE(m_imageId), IMAGE_ICON, m_imageW, m_imageH, 0)));
    return m_icon ? 1 : 0;
  }
  if (m_kind == kBitmap || m_kind == kMaskedBitmap) {
    COLORMAP normal = {m_transparent, GetSysColor(COLOR_BTNFACE)};
    COLORMAP disabled = {m_transparent, RGB(255, 255, 255)};
    const bool mapped = m_kind == kMaskedBitmap;
    m_bitmap.Reset(MappedBitmap(m_imageId, m_imageW, m_imageH, mapped ? &normal : NULL));
    m_disabledBitmap.Reset(MappedBitmap(m_imageId, m_imageW, m_imageH, mapped ? &disabled : NULL));
    if (!m_bitmap || !m_disabledBitmap) {
      ReleaseImages();
      return 0;
    }
    return 1;
  }
  return 0;
}

int CMaskedBitmapButton::SetImage(int kind, UINT id, int w, int h) {
  m_kind = kind;
  m_imageId = id;
  m_imageW = w;
  m_imageH = h;
  const int ok = BuildImages();
  Repaint();
  return ok;
}

int CMaskedBitmapButton::SetIcon(UINT id, int w, int h) { return SetImage(kIcon, id, w, h); }

int CMaskedBitmapButton::SetBitmap(UINT id, int w, int h) { return SetImage(kBitmap, id, w, h); }

int CMaskedBitmapButton::SetMaskedBitmap(UINT id, int w, int h, COLORREF transparent) {
  m_transparent = transparent;
  return SetImage(kMaskedBitmap, id, w, h);
}

void CMaskedBitmapButton::SetColorTab(COLORREF colour) {
  m_hasColorTab = 1;
  m_tabColour = colour;
  Repaint();
}

int CMaskedBitmapButton::SetImageOffset(int offset) {
  const int old = m_imageOffset;
  m_imageOffset = offset;
  m_autoLayout = 1;
  Repaint();
  return old;
}

int CMaskedBitmapButton::SetTextOffset(int offset) {
  const int old = m_textOffset;
  m_textOffset = offset;
  m_autoLayout = 1;
  Repaint();
  return old;
}

CPoint CMaskedBitmapButton::SetImagePos(CPoint pos) {
  const CPoint old = m_imagePos;
  m_imagePos = pos;
  m_autoLayout = 0;
  Repaint();
  return old;
}

CPoint CMaskedBitmapButton::SetTextPos(CPoint pos) {
  const CPoint old = m_textPos;
  m_textPos = pos;
  m_autoLayout = 0;
  Repaint();
  return old;
}

void CMaskedBitmapButton::SetToggle(int on) {
  m_toggled = on ? 1 : 0;
  Repaint();
}

void CMaskedBitmapButton::Toggle() {
  m_toggled = !m_toggled;
  if (m_hWnd != NULL) ::RedrawWindow(m_hWnd, NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

int CMaskedBitmapButton::SetDefaultButton(int on) {
  const int old = m_default;
  if (m_hWnd != NULL) {
    HWND parent = ::GetParent(m_hWnd);
    if (parent != NULL) ::SendMessage(parent, DM_SETDEFID, GetDlgCtrlID(), 0);
  }
  m_default = on ? 1 : 0;
  Repaint();
  return old;
}

void CMaskedBitmapButton::OnSysColorChange() {
  CButton::OnSysColorChange();
  BuildImages();
  Repaint();
}

void CMaskedBitmapButton::OnDestroy() {
  ReleaseImages();
  CButton::OnDestroy();
}

CString CMaskedBitmapButton::FitCaption(HDC dc, LPCTSTR text, int width) {
  if (text == NULL) return CString();
  const size_t length = _tcslen(text);
  if (length > 0x7FFFFFF0) return CString();
  // DT_MODIFYSTRING writes the ellipsis and a terminator up to four characters past the
  // shortened text: the copy has that room.
  std::vector<TCHAR> buffer(length + 5, 0);
  memcpy(buffer.data(), text, length * sizeof(TCHAR));
  RECT r = {0, 0, width > 0 ? width : 0, 0x4000};
  DrawText(dc, buffer.data(), static_cast<int>(length), &r,
           DT_CALCRECT | DT_MODIFYSTRING | DT_END_ELLIPSIS | DT_SINGLELINE | DT_VCENTER);
  buffer.back() = 0;
  return CString(buffer.data());
}

void CMaskedBitmapButton::DrawItem(LPDRAWITEMSTRUCT dis) {
  if (dis == NULL || dis->hDC == NULL) return;
  HDC dc = dis->hDC;
  const UINT state = dis->itemState, action = dis->itemAction;
  const bool pressed = (state & ODS_SELECTED) != 0 || m_toggled;
  const bool disabled = (state & ODS_DISABLED) != 0;
  const int shift = pressed ? 1 : 0;
  RECT r = dis->rcItem;
  if (m_default) {
    FrameRect(dc, &r, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    InflateRect(&r, -1, -1);
  }
  const int width = r.right - r.left, height = r.bottom - r.top;

  if (action != ODA_FOCUS) {
    DrawFrameControl(dc, &r, DFC_BUTTON, DFCS_BUTTONPUSH | (pressed ? DFCS_PUSHED : 0));
    if (m_hasColorTab) {
      uih::OwnedPen pen(CreatePen(PS_SOLID, 1, m_tabColour));
      uih::Selection selected(dc, pen.Get());
      const int x0 = r.left + 1 + shift, y0 = r.top + 1 + shift;
      for (int k = 0; k < 8; ++k) {
        MoveToEx(dc, x0, y0 + k, NULL);
        LineTo(dc, x0 + 8 - k, y0 + k);  // the end point x0 + 7 - k included
      }
    }
    CString caption;
    if (m_hWnd != NULL) GetWindowText(caption);
    const bool hasCaption = !caption.IsEmpty();
    const bool hasImage = HasImage() != FALSE;
    if (hasImage) {
      int x, y;
      if (m_autoLayout) {
        x = hasCaption ? r.left + m_imageOffset : r.left + (width - m_imageW) / 2;
        y = r.top + (height - m_imageH) / 2;
      } else {
        x = m_imagePos.x == -1 ? r.left + (width - m_imageW) / 2 : m_imagePos.x;
        y = m_imagePos.y == -1 ? r.top + (height - m_imageH) / 2 : m_imagePos.y;
      }
      if (m_icon) {
        DrawState(dc, NULL, NULL, reinterpret_cast<LPARAM>(m_icon.Get()), 0, x + shift, y + shift, m_imageW, m_imageH,
                  DST_ICON | (disabled ? DSS_DISABLED : DSS_NORMAL));
      } else {
        HBITMAP bmp = disabled ? m_disabledBitmap.Get() : m_bitmap.Get();
        DrawState(dc, NULL, NULL, reinterpret_cast<LPARAM>(bmp), 0, x + shift, y + shift, m_imageW, m_imageH,
                  DST_BITMAP | (disabled ? DSS_DISABLED : DSS_NORMAL));
      }
    }
    if (hasCaption) {
      HFONT font = m_hWnd != NULL ? reinterpret_cast<HFONT>(::SendMessage(m_hWnd, WM_GETFONT, 0, 0)) : NULL;
      uih::Selection selectedFont;
      if (font != NULL) selectedFont = uih::Selection(dc, font);
      // The caption is cut to the room right of where it starts, so that its ellipsis shows.
      int room = width - 3;
      if (m_autoLayout && hasImage)
        room -= m_imageW + m_imageOffset + m_textOffset;
      else if (!m_autoLayout && m_textPos.x != -1)
        room = r.right - m_textPos.x - 3;
      const CString shown = FitCaption(dc, caption, room);
      SIZE extent = {0, 0};
      GetTextExtentPoint32(dc, shown, shown.GetLength(), &extent);
      int x, y;
      if (m_autoLayout) {
        x = hasImage ? r.left + m_imageW + m_imageOffset + m_textOffset : r.left + (width - extent.cx) / 2;
        y = r.top + (height - extent.cy) / 2;
      } else {
        x = m_textPos.x == -1 ? r.left + (width - extent.cx) / 2 : m_textPos.x;
        y = m_textPos.y == -1 ? r.top + (height - extent.cy) / 2 : m_textPos.y;
      }
      const int oldMode = SetBkMode(dc, TRANSPARENT);
      const COLORREF oldText = SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
      DrawState(dc, NULL, NULL, reinterpret_cast<LPARAM>(static_cast<LPCTSTR>(shown)), shown.GetLength(), x + shift,
                y + shift, extent.cx, extent.cy, DST_PREFIXTEXT | (disabled ? DSS_DISABLED : DSS_NORMAL));
      SetTextColor(dc, oldText);
      SetBkMode(dc, oldMode);
    }
  }

  const bool focusChanged = (action & ODA_FOCUS) != 0 && ((state ^ m_lastState) & ODS_FOCUS) != 0;
  const bool focusOnFullDraw = (action & ODA_DRAWENTIRE) != 0 && (state & ODS_FOCUS) != 0;
  if (m_drawFocus && (focusChanged || (action == ODA_FOCUS) || focusOnFullDraw)) {
    const int side = width < height ? width : height;
    const int inset = side < 12 ? side / 4 : 3;
    RECT focus = r;
    InflateRect(&focus, -inset, -inset);
    DrawFocusRect(dc, &focus);
  }
  m_lastAction = action;
  m_lastState = state;
}
