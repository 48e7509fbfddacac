// The nail strip for framework hosts: layout, painting, scrolling, selection, dragging,
// tooltips and the frame's layout.
#include "UIToolNails.h"

#include "NailResources.h"
#include "LanguageFont.h"
#include "ControlClass.h"
#include "UIUtilities.h"

#include <UIHandles.h>
#include <fw_dc.h>

#include <algorithm>
#include <set>
#include <vector>

namespace {

const wchar_t kClassName[] = L"CUIToolNails";
const UINT_PTR kScrollTimer = 1, kDragTimer = 2;

void Run(CDC* dc, int x, int y, int w, int h, COLORREF c) {
  if (w > 0 && h > 0) dc->FillSolidRect(x, y, w, h, c);
}

}  // namespace

IMPLEMENT_DYNAMIC(CUIToolNails, CWnd)

BEGIN_MESSAGE_MAP(CUIToolNails, CWnd)
  ON_WM_PAINT()
  ON_WM_ERASEBKGND()
  ON_WM_SIZE()
  ON_WM_LBUTTONDOWN()
  ON_WM_LBUTTONUP()
  ON_WM_LBUTTONDBLCLK()
  ON_WM_RBUTTONDOWN()
  ON_WM_MOUSEMOVE()
  ON_WM_TIMER()
  ON_WM_CAPTURECHANGED()
  ON_WM_NCCALCSIZE()
  ON_WM_NCPAINT()
  ON_MESSAGE(WM_SIZEPARENT, OnSizeParent)
  ON_MESSAGE(WM_HELPHITTEST, OnHelpHitTest)
  ON_MESSAGE(WM_SETREDRAW, OnSetRedraw)
  ON_MESSAGE(WM_PRINTCLIENT, OnPrintClient)
END_MESSAGE_MAP()

CUIToolNails::CUIToolNails()
    : m_pImages(NULL), m_redraw(1), m_dirty(1), m_first(0), m_totalWidth(0), m_style(NAILS_ALIGN_BOTTOM),
      m_selectedCount(0), m_current(-1), m_captureMode(0), m_captureArg(-1), m_dropTarget(-1), m_dropAfter(0),
      m_buttonPressed(0), m_timer(0), m_multiSel(1), m_dragEnabled(1), m_visible(1), m_toolTips(1),
      m_toolsFirst(-1), m_toolsWidth(-1), m_toolsCount(-1), m_toolRegistrations(0) {}

CUIToolNails::~CUIToolNails() {
  if (m_hWnd != NULL) DestroyWindow();
  for (INT_PTR i = 0; i < m_items.GetSize(); ++i) delete m_items.At(static_cast<int>(i));
  m_items.RemoveAll();
  // The list is deleted here only, and only when it is the strip's own.
  if ((m_style & NAILS_BORROWIMAGES) == 0) delete m_pImages;
  m_pImages = NULL;
}

BOOL CUIToolNails::Create(CWnd* parent, unsigned long style, unsigned int id) {
  return CreateStrip(parent, style, id, kClassName, true);
}

BOOL CUIToolNails::CreateStrip(CWnd* parent, unsigned long style, unsigned int id, const wchar_t* className,
                               bool toolTips) {
  if (parent == NULL || m_hWnd != NULL) return FALSE;
  const quarnel::WindowClassSpec spec = {className, CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS, ::DefWindowProcW, 0,
                                         static_cast<HBRUSH>(GetStockObject(NULL_BRUSH))};
  WNDCLASSW existing;
  const HINSTANCE library = quarnel::LibraryInstance();
  if (!quarnel::RegisterWindowClass(library, spec) && !GetClassInfoW(library, className, &existing)) return FALSE;
  m_style = style;
  const CString name(className);
  if (!CreateEx(0, name, _T(""), WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | (style & 0xFFFF), 0, 0, 0, 0,
                parent->GetSafeHwnd(), reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id))))
    return FALSE;
  LOGFONTW lf;
  GetDefaultLogFont(lf);
  LOGFONTW stock = {};
  ::GetObjectW(::GetStockObject(DEFAULT_GUI_FONT), sizeof stock, &stock);
  lf.lfHeight = stock.lfHeight;
#ifndef UNICODE
  // The earlier edition picks the nails' font by the user-interface language.
  if (uih::WindowDC dc{m_hWnd}) quarnel::FarEastLogFont(lf, dc.Get(), true);
#endif
  m_normal.Attach(::CreateFontIndirectW(&lf));
  lf.lfWeight = FW_BOLD;
  m_bold.Attach(::CreateFontIndirectW(&lf));
  if (toolTips && m_toolTip.Create(this)) m_toolTip.Activate(TRUE);
  SetAlignment(static_cast<unsigned short>(style & NAILS_ALIGNMASK));
  return TRUE;
}

// The class is the library's own (not a global class): windows of it are made for the library.
BOOL CUIToolNails::PreCreateWindow(CREATESTRUCT& cs) {
  cs.hInstance = quarnel::LibraryInstance();
  return CWnd::PreCreateWindow(cs);
}

// Items.

int CUIToolNails::InsertItem(const wchar_t* text, const wchar_t* toolTip, int index, void* data, int imageId,
                             unsigned long helpId) {
  CUINailItem* item = new CUINailItem;
  item->m_text = text != NULL ? CString(text) : CString();
  item->m_toolTip = toolTip != NULL ? CString(toolTip) : CString();
  item->m_data = data;
  item->m_imageId = imageId;
  item->m_helpId = helpId;
  if (index < 0 || index > GetCount()) index = GetCount();
  m_items.InsertAt(index, item);
  if (m_current >= index) ++m_current;
  m_dirty = 1;
  if (m_hWnd != NULL) Invalidate();
  UpdateTools();
  return index;
}

int CUIToolNails::AddItem(const wchar_t* text, const wchar_t* toolTip, void* data, int imageId, unsigned long helpId) {
  return InsertItem(text, toolTip, -1, data, imageId, helpId);
}

#define ITEM_OR(index, fail) \
  if ((index) < 0 || (index) >= GetCount()) return fail; \
  CUINailItem* item = m_items.At(index)

int CUIToolNails::SetItemText(int index, const wchar_t* text) {
  ITEM_OR(index, 0);
  item->m_text = text != NULL ? CString(text) : CString();
  m_dirty = 1;
  if (m_hWnd != NULL) Invalidate();
  return 1;
}
CString CUIToolNails::GetItemText(int index) const {
  ITEM_OR(index, CString());
  return item->m_text;
}
int CUIToolNails::SetItemData(int index, void* data) {
  ITEM_OR(index, 0);
  item->m_data = data;
  return 1;
}
void* CUIToolNails::GetItemData(int index) const {
  ITEM_OR(index, NULL);
  return item->m_data;
}
int CUIToolNails::SetImageID(int index, int imageId) {
  ITEM_OR(index, 0);
  item->m_imageId = imageId;
  if (m_hWnd != NULL) Invalidate();
  return 1;
}
int CUIToolNails::GetImageID(int index) const {
  ITEM_OR(index, -1);
  return item->m_imageId;
}
int CUIToolNails::SetItemHelpID(int index, unsigned long helpId) {
  ITEM_OR(index, 0);
  item->m_helpId = helpId;
  return 1;
}
unsigned long CUIToolNails::GetItemHelpID(int index) const {
  ITEM_OR(index, 0);
  return item->m_helpId;
}
int CUIToolNails::IsSelected(int index) const {
  ITEM_OR(index, 0);
  return item->m_selected;
}

#undef ITEM_OR

int CUIToolNails::GetSelected(int max, int* indexes) const {
  int n = 0;
  for (int i = 0; i < GetCount() && n < max; ++i)
    if (m_items.At(i)->m_selected) {
      if (indexes != NULL) indexes[n] = i;
      ++n;
    }
  return n;
}

void CUIToolNails::DeselectAll() {
  for (int i = 0; i < GetCount(); ++i) m_items.At(i)->m_selected = 0;
  m_selectedCount = 0;
  if (m_hWnd != NULL) Invalidate();
}

LRESULT CUIToolNails::Notify(int code, NMHDR* record, size_t) {
  NMHDR plain;
  NMHDR* hdr = record != NULL ? record : &plain;
  hdr->hwndFrom = m_hWnd;
  hdr->idFrom = static_cast<UINT_PTR>(GetDlgCtrlID());
  hdr->code = static_cast<UINT>(code);
  HWND parent = ::GetParent(m_hWnd);
  return parent != NULL ? ::SendMessageW(parent, WM_NOTIFY, hdr->idFrom, reinterpret_cast<LPARAM>(hdr)) : 0;
}

int CUIToolNails::Select(int index, int notify) {
  if (index == m_current || index < -1 || index >= GetCount()) return 0;
  HWND self = m_hWnd;
  if (notify && self != NULL) {
    NMNAILCHANGING rec = {};
    rec.oldIndex = static_cast<short>(m_current);
    rec.newIndex = static_cast<short>(index);
    rec.allow = 1;
    Notify(NAILN_SELCHANGING, &rec.hdr, sizeof rec);
    if (!::IsWindow(self) || !rec.allow) return 0;
  }
  if (index == -1) {
    DeselectAll();
    m_current = -1;
    return 1;
  }
  CUINailItem* item = m_items.At(index);
  if (!item->m_selected || m_selectedCount == GetCount()) {
    for (int i = 0; i < GetCount(); ++i) m_items.At(i)->m_selected = 0;
    m_selectedCount = 0;
  }
  if (!item->m_selected) {
    item->m_selected = 1;
    ++m_selectedCount;
  }
  m_current = index;
  if (self != NULL) {
    ScrollIfNeeded(index);
    Invalidate();
    if (notify) Notify(NM_CLICK, NULL, sizeof(NMHDR));
  }
  return 1;
}

int CUIToolNails::DeleteItem(int index) { return DeleteItem(1, &index); }

int CUIToolNails::DeleteItem(int count, int* indexes) {
  if (indexes == NULL || count <= 0) return 0;
  std::set<int> gone;
  for (int i = 0; i < count; ++i)
    if (indexes[i] >= 0 && indexes[i] < GetCount()) gone.insert(indexes[i]);
  if (gone.empty()) return 0;
  if (gone.count(m_current)) {
    // Told first; the current nail goes whatever the answer.
    Select(-1, TRUE);
    if (m_current != -1) {
      DeselectAll();
      m_current = -1;
    }
  } else if (m_current >= 0) {
    m_current -= static_cast<int>(std::distance(gone.begin(), gone.lower_bound(m_current)));
  }
  for (auto it = gone.rbegin(); it != gone.rend(); ++it) {
    delete m_items.At(*it);
    m_items.RemoveAt(*it);
  }
  m_selectedCount = GetSelected(GetCount(), NULL);
  m_dirty = 1;
  FixScroll();
  if (m_hWnd != NULL) Invalidate();
  UpdateTools();
  return static_cast<int>(gone.size());
}

int CUIToolNails::DeleteSelectedNails() {
  std::vector<int> selected(static_cast<size_t>(GetCount()) + 1);
  const int n = GetSelected(GetCount(), selected.data());
  return n > 0 ? DeleteItem(n, selected.data()) : 0;
}

void CUIToolNails::MoveNails(int dragged, int target, int after) {
  if (dragged < 0 || dragged >= GetCount() || target < 0 || target >= GetCount()) return;
  CUINailItem* draggedItem = m_items.At(dragged);
  CUINailItem* targetItem = m_items.At(target);
  if (targetItem->m_selected) return;
  std::vector<CUINailItem*> moving, staying;
  for (int i = 0; i < GetCount(); ++i) (m_items.At(i)->m_selected ? moving : staying).push_back(m_items.At(i));
  if (moving.empty()) return;
  auto at = std::find(staying.begin(), staying.end(), targetItem) + (after ? 1 : 0);
  staying.insert(at, moving.begin(), moving.end());
  for (size_t i = 0; i < staying.size(); ++i) {
    m_items.SetAt(static_cast<INT_PTR>(i), staying[i]);
    if (staying[i] == draggedItem) m_current = static_cast<int>(i);
  }
  m_dirty = 1;
  if (m_hWnd != NULL) Invalidate();
  UpdateTools();
}

// Appearance.

void CUIToolNails::SetAlignment(unsigned short alignment) {
  m_style = (m_style & ~static_cast<unsigned long>(NAILS_ALIGNMASK)) | (alignment & NAILS_ALIGNMASK);
  if (m_hWnd != NULL) {
    SetWindowPos(NULL, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    Invalidate();
  }
}

void CUIToolNails::SetVisible(int visible) {
  if ((visible != 0) == (m_visible != 0)) return;
  m_visible = visible != 0;
  if (m_hWnd != NULL) ShowWindow(m_visible ? SW_SHOW : SW_HIDE);
}

void CUIToolNails::SetImageList(CImageList* images) {
  if (images == m_pImages) return;
  if ((m_style & NAILS_BORROWIMAGES) == 0) delete m_pImages;
  m_pImages = images;
  m_dirty = 1;
  if (m_hWnd != NULL) Invalidate();
}

void CUIToolNails::BorrowImageList(CImageList* images) {
  SetImageList(images);
  m_style |= NAILS_BORROWIMAGES;
}

void CUIToolNails::EnableToolTip(int on) {
  m_toolTips = on != 0;
  if (m_toolTip.m_hWnd != NULL) m_toolTip.Activate(m_toolTips);
}

int CUIToolNails::BarHeight() {
  CClientDC dc(this);
  uih::Selection font(dc.GetSafeHdc(), static_cast<HFONT>(m_bold));
  TEXTMETRIC tm = {};
  dc.GetTextMetrics(&tm);
  int h = tm.tmHeight + 4;
  IMAGEINFO info;
  if (m_pImages != NULL && m_pImages->GetImageCount() > 0 && m_pImages->GetImageInfo(0, &info))
    h = std::max<int>(h, info.rcImage.bottom - info.rcImage.top);
  h = std::max(h, GetSystemMetrics(SM_CYHSCROLL));
  return h + 5;
}

int CUIToolNails::GetFullBarHeight() { return m_visible ? BarHeight() + 4 : 0; }

void CUIToolNails::Recompute() {
  if (!m_dirty || m_hWnd == NULL) return;
  CClientDC dc(this);
  uih::Selection font(dc.GetSafeHdc(), static_cast<HFONT>(m_bold));
  const int spacing = dc.GetTextExtent(_T("  "), 2).cx;
  int imageWidth = 0;
  IMAGEINFO info;
  if (m_pImages != NULL && m_pImages->GetImageCount() > 0 && m_pImages->GetImageInfo(0, &info))
    imageWidth = info.rcImage.right - info.rcImage.left + 6;
  int x = 0;
  for (int i = 0; i < GetCount(); ++i) {
    CUINailItem* item = m_items.At(i);
    item->m_width = dc.GetTextExtent(item->m_text, item->m_text.GetLength()).cx + imageWidth + spacing;
    item->m_x = x;
    x += item->m_width;
  }
  m_totalWidth = x;
  m_dirty = 0;
}

bool CUIToolNails::ScrollButtonsShown() {
  Recompute();
  CRect rc;
  GetClientRect(&rc);
  return m_first > 0 || m_totalWidth > rc.Width();
}

int CUIToolNails::ButtonsWidth() const {
  return 2 * GetSystemMetrics(SM_CXHSCROLL);
}

bool CUIToolNails::CanScrollRight() {
  Recompute();
  if (m_first >= GetCount() - 1) return false;
  CRect rc;
  GetClientRect(&rc);
  const int shownFrom = m_items.At(m_first)->m_x;
  return m_totalWidth - shownFrom > rc.Width() - ButtonsWidth();
}

CRect CUIToolNails::GetNailRect(int index) {
  if (index < 0 || index >= GetCount() || m_hWnd == NULL) return CRect(0, 0, 0, 0);
  Recompute();
  const int bar = BarHeight();
  const int shift = (ScrollButtonsShown() ? ButtonsWidth() : 0) - (GetCount() > 0 ? m_items.At(m_first)->m_x : 0);
  const CUINailItem* item = m_items.At(index);
  CRect r(item->m_x + shift, IsTop() ? 2 : 0, item->m_x + shift + item->m_width, IsTop() ? bar : bar - 2);
  if (index == m_current) {
    if (IsTop())
      r.top -= 2;
    else
      r.bottom += 2;
    if (index != m_first) r.left -= 1;
  }
  return r;
}

int CUIToolNails::NailAt(CPoint point) {
  if (ScrollButtonsShown() && point.x < ButtonsWidth()) return -1;
  // The current nail is drawn over its neighbours: it is asked first.
  if (m_current >= 0 && GetNailRect(m_current).PtInRect(point)) return m_current;
  for (int i = m_first; i < GetCount(); ++i)
    if (GetNailRect(i).PtInRect(point)) return i;
  return -1;
}

int CUIToolNails::ScrollButtonAt(CPoint point) {
  if (!ScrollButtonsShown()) return -1;
  const int cx = GetSystemMetrics(SM_CXHSCROLL);
  if (point.x < 0 || point.x >= 2 * cx) return -1;
  return point.x < cx ? 0 : 1;
}

void CUIToolNails::Scroll(int delta) {
  if (delta > 0 && CanScrollRight())
    ++m_first;
  else if (delta < 0 && CanScrollLeft())
    --m_first;
  else
    return;
  Invalidate();
  UpdateTools();
}

void CUIToolNails::ScrollIfNeeded(int index) {
  if (index < 0 || index >= GetCount() || m_hWnd == NULL) return;
  Recompute();
  // A nail left of the first visible one brings the strip back to it.
  if (index < m_first) {
    m_first = index;
    Invalidate();
    UpdateTools();
    return;
  }
  CRect rc;
  GetClientRect(&rc);
  const int room = rc.Width() - ButtonsWidth();
  const CUINailItem* item = m_items.At(index);
  const int before = m_first;
  while (m_first < index && item->m_x + item->m_width - m_items.At(m_first)->m_x > room) ++m_first;
  if (m_first != before) {
    Invalidate();
    UpdateTools();
  }
}

void CUIToolNails::FixScroll() {
  if (m_first >= GetCount()) m_first = std::max(0, GetCount() - 1);
  if (m_hWnd == NULL || GetCount() == 0) {
    m_first = 0;
    return;
  }
  Recompute();
  CRect rc;
  GetClientRect(&rc);
  // Back while the nail before the first visible one still fits.
  while (m_first > 0 && m_totalWidth - m_items.At(m_first - 1)->m_x <= rc.Width() - ButtonsWidth()) --m_first;
  if (m_first > 0 && m_totalWidth <= rc.Width()) m_first = 0;
}

void CUIToolNails::UpdateTools() {
  if (m_toolTip.m_hWnd == NULL || m_hWnd == NULL) return;
  CRect rc;
  GetClientRect(&rc);
  // Registered again only when what the tools depend on changed.
  if (!m_dirty && m_toolsFirst == m_first && m_toolsWidth == rc.Width() && m_toolsCount == GetCount()) return;
  const int previous = m_toolsCount;
  for (int i = 0; i < previous; ++i) m_toolTip.DelTool(this, static_cast<UINT_PTR>(i + 1));
  for (int i = m_first; i < GetCount(); ++i) {
    CRect nail = GetNailRect(i);
    if (nail.left >= rc.right) break;
    const CUINailItem* item = m_items.At(i);
    if (!item->m_toolTip.IsEmpty()) m_toolTip.AddTool(this, item->m_toolTip, &nail, static_cast<UINT_PTR>(i + 1));
  }
  m_toolsFirst = m_first;
  m_toolsWidth = rc.Width();
  m_toolsCount = GetCount();
  ++m_toolRegistrations;
}

// Painting.

void CUIToolNails::DrawNail(CDC* dc, const CRect& r, int) {
  const int l = r.left, t = r.top, rr = r.right, b = r.bottom, h = b - t - 2;
  const COLORREF dark = GetSysColor(COLOR_3DDKSHADOW);
  if (IsTop()) {
    Run(dc, l, t + 2, 1, h, RGB(255, 255, 255));
    Run(dc, l + 1, t + 1, 1, 1, RGB(255, 255, 255));
    Run(dc, l + 2, t, rr - l - 4, 1, RGB(255, 255, 255));
    Run(dc, l + 1, t + 2, 1, h, GetSysColor(COLOR_3DHILIGHT));
    Run(dc, l + 2, t + 1, rr - l - 4, 1, GetSysColor(COLOR_3DHILIGHT));
    Run(dc, rr - 2, t + 1, 1, 1, dark);
    Run(dc, rr - 1, t + 2, 1, h, dark);
    Run(dc, rr - 2, t + 2, 1, h, GetSysColor(COLOR_BTNSHADOW));
  } else {
    Run(dc, l, t, 1, h, GetSysColor(COLOR_3DHILIGHT));
    Run(dc, l + 1, b - 3, 1, 2, GetSysColor(COLOR_BTNSHADOW));
    Run(dc, l + 1, b - 2, rr - l - 3, 1, GetSysColor(COLOR_BTNSHADOW));
    Run(dc, rr - 3, b - 3, 2, 1, GetSysColor(COLOR_BTNSHADOW));
    Run(dc, rr - 2, t, 1, h, GetSysColor(COLOR_BTNSHADOW));
    Run(dc, l + 2, b - 1, rr - l - 4, 1, dark);
    Run(dc, rr - 2, b - 2, 1, 1, dark);
    Run(dc, rr - 1, t, 1, h, dark);
  }
}

void CUIToolNails::DrawScrollButton(CDC* dc, int button, bool pressed) {
  const int cx = GetSystemMetrics(SM_CXHSCROLL), cy = GetSystemMetrics(SM_CYHSCROLL);
  const int bottom = BarHeight() - 1;
  CRect r(button * cx, bottom - cy, (button + 1) * cx, bottom);
  const bool enabled = button == 0 ? CanScrollLeft() : CanScrollRight();
  ::DrawFrameControl(dc->GetSafeHdc(), &r, DFC_SCROLL,
                     (button == 0 ? DFCS_SCROLLLEFT : DFCS_SCROLLRIGHT) | (pressed ? DFCS_PUSHED : 0) |
                         (enabled ? 0 : DFCS_INACTIVE));
}

void CUIToolNails::OnPaint() {
  CPaintDC dc(this);
  Paint(dc, CRect(dc.m_ps.rcPaint));
}

LRESULT CUIToolNails::OnPrintClient(WPARAM wParam, LPARAM) {
  CDC* dc = CDC::FromHandle(reinterpret_cast<HDC>(wParam));
  if (dc == NULL) return 0;
  CRect rc;
  GetClientRect(&rc);
  dc->FillSolidRect(&rc, GetSysColor(COLOR_BTNFACE));
  const int saved = dc->SaveDC();
  Paint(*dc, rc);
  dc->RestoreDC(saved);
  return 0;
}

void CUIToolNails::Paint(CDC& dc, const CRect& update) {
  Recompute();
  const bool buttons = ScrollButtonsShown();
  if (buttons) {
    DrawScrollButton(&dc, 0, m_captureMode == 1 && m_captureArg == 0 && m_buttonPressed);
    DrawScrollButton(&dc, 1, m_captureMode == 1 && m_captureArg == 1 && m_buttonPressed);
    dc.ExcludeClipRect(0, 0, ButtonsWidth(), BarHeight() + 4);
  }
  IMAGEINFO info = {};
  const bool images = m_pImages != NULL && m_pImages->GetImageCount() > 0 && m_pImages->GetImageInfo(0, &info);
  const int imageW = images ? info.rcImage.right - info.rcImage.left : 0;
  const int imageH = images ? info.rcImage.bottom - info.rcImage.top : 0;
  dc.SetBkMode(TRANSPARENT);
  dc.SetTextColor(GetSysColor(COLOR_WINDOWTEXT));
  // The current nail last, over its neighbours.
  std::vector<int> order;
  for (int i = m_first; i < GetCount(); ++i)
    if (i != m_current) order.push_back(i);
  if (m_current >= m_first) order.push_back(m_current);
  for (int i : order) {
    CRect r = GetNailRect(i), meet;
    if (!meet.IntersectRect(&r, &update)) continue;
    const CUINailItem* item = m_items.At(i);
    dc.FillSolidRect(&r, GetSysColor(COLOR_BTNFACE));
    DrawNail(&dc, r, i == m_current);
    int x = r.left + 6;
    if (images && item->m_imageId >= 0) {
      m_pImages->Draw(&dc, item->m_imageId, CPoint(r.left + 3, r.top + (r.Height() - imageH) / 2), ILD_TRANSPARENT);
    }
    if (images) x = r.left + 3 + imageW + 3;
    const bool bold = i == m_current || (m_multiSel && item->m_selected);
    uih::Selection font(dc.GetSafeHdc(), static_cast<HFONT>(bold ? m_bold : m_normal));
    CRect text(x, r.top, r.right, r.bottom);
    dc.DrawText(item->m_text, text, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
  }
  // Where dragged nails would land: a triangle pointing at the place.
  if (m_captureMode == 2 && m_dropTarget >= 0) {
    const CRect r = GetNailRect(m_dropTarget);
    const int x = m_dropAfter ? r.right : r.left, y = r.top + 2;
    POINT p[3] = {{x - 6, y}, {x + 4, y}, {x - 1, y + 5}};
    uih::OwnedBrush brush(::CreateSolidBrush(GetSysColor(COLOR_HIGHLIGHT)));
    uih::OwnedPen pen(::CreatePen(PS_SOLID, 1, GetSysColor(COLOR_HIGHLIGHT)));
    uih::Selection b(dc.GetSafeHdc(), brush.Get()), p2(dc.GetSafeHdc(), pen.Get());
    ::Polygon(dc.GetSafeHdc(), p, 3);
  }
}

BOOL CUIToolNails::OnEraseBkgnd(CDC* dc) {
  CRect rc;
  GetClientRect(&rc);
  dc->FillSolidRect(&rc, GetSysColor(COLOR_BTNFACE));
  return TRUE;
}

void CUIToolNails::OnNcCalcSize(BOOL, NCCALCSIZE_PARAMS* params) {
  RECT& r = params->rgrc[0];
  if (IsTop())
    r.bottom = std::max(r.top, r.bottom - 4);
  else
    r.top = std::min(r.bottom, r.top + 4);
}

void CUIToolNails::OnNcPaint() {
  CWindowDC dc(this);
  CRect window;
  GetWindowRect(&window);
  window.OffsetRect(-window.left, -window.top);
  CRect band = window;
  if (IsTop())
    band.top = band.bottom - 4;
  else
    band.bottom = band.top + 4;
  dc.FillSolidRect(&band, GetSysColor(COLOR_BTNFACE));
  // The edge towards the page, open under the current nail.
  const int y = IsTop() ? band.bottom - 1 : band.top;
  CRect open = m_current >= 0 ? GetNailRect(m_current) : CRect(0, 0, 0, 0);
  if (!IsTop()) open.OffsetRect(0, 4);
  Run(&dc, 0, y, open.IsRectEmpty() ? window.Width() : open.left, 1, GetSysColor(COLOR_BTNSHADOW));
  if (!open.IsRectEmpty()) Run(&dc, open.right, y, window.Width() - open.right, 1, GetSysColor(COLOR_BTNSHADOW));
}

void CUIToolNails::OnSize(UINT type, int cx, int cy) {
  CWnd::OnSize(type, cx, cy);
  FixScroll();
  UpdateTools();
  Invalidate();
}

// Mouse.

void CUIToolNails::EndCapture() {
  const int mode = m_captureMode;
  m_captureMode = 0;
  m_buttonPressed = 0;
  m_dropTarget = -1;
  if (m_timer) KillTimer(mode == 1 ? kScrollTimer : kDragTimer);
  m_timer = 0;
  if (::GetCapture() == m_hWnd) ::ReleaseCapture();
  if (mode == 2) ::SetCursor(::LoadCursor(NULL, IDC_ARROW));
  Invalidate();
}

void CUIToolNails::ShowDragCursor() {
  // The library's own cursors: one nail, or several.
  const WORD id = m_selectedCount > 1 ? IDC_NAILS_DRAG : IDC_NAIL_DRAG;
  if (HCURSOR cursor = ::LoadCursor(quarnel::LibraryInstance(), MAKEINTRESOURCE(id))) ::SetCursor(cursor);
}

void CUIToolNails::OnLButtonDown(UINT flags, CPoint point) {
  const int button = ScrollButtonAt(point);
  if (button >= 0) {
    if (button == 0 ? !CanScrollLeft() : !CanScrollRight()) return;
    m_captureMode = 1;
    m_captureArg = button;
    m_buttonPressed = 1;
    SetCapture();
    Scroll(button == 0 ? -1 : 1);
    m_timer = SetTimer(kScrollTimer, 250, NULL) != 0;
    return;
  }
  const int nail = NailAt(point);
  if (nail < 0) return;
  CUINailItem* item = m_items.At(nail);
  if (flags & (MK_SHIFT | MK_CONTROL)) {
    if (!m_multiSel) {
      Default();
      return;
    }
    if ((flags & MK_SHIFT) && m_current >= 0) {
      const int lo = std::min(m_current, nail), hi = std::max(m_current, nail);
      for (int i = 0; i < GetCount(); ++i)
        if (i != m_current) m_items.At(i)->m_selected = i >= lo && i <= hi;
    } else if ((flags & MK_CONTROL) && nail != m_current) {
      item->m_selected = !item->m_selected;
    }
    m_selectedCount = GetSelected(GetCount(), NULL);
    Invalidate();
    return;
  }
  if (nail == m_current && item->m_selected && m_dragEnabled) {
    NMNAILDRAG rec = {};
    rec.index = nail;
    HWND self = m_hWnd;
    const LRESULT start = Notify(NAILN_BEGINDRAG, &rec.hdr, sizeof rec);
    if (!::IsWindow(self) || !start) return;
    m_captureMode = 2;
    m_captureArg = nail;
    m_dropTarget = -1;
    SetCapture();
    m_timer = SetTimer(kDragTimer, 250, NULL) != 0;
    ShowDragCursor();
    return;
  }
  Select(nail, TRUE);
}

void CUIToolNails::OnMouseMove(UINT flags, CPoint point) {
  if (m_captureMode == 1) {
    const bool over = ScrollButtonAt(point) == m_captureArg;
    if (over != (m_buttonPressed != 0)) {
      m_buttonPressed = over;
      Invalidate();
    }
  } else if (m_captureMode == 2) {
    ShowDragCursor();
    CRect rc;
    GetClientRect(&rc);
    int target = NailAt(point), after = 0;
    if (target < 0 && rc.PtInRect(point) && GetCount() > 0 && point.x > GetNailRect(GetCount() - 1).right) {
      target = GetCount() - 1;
      after = 1;
    }
    if (target != m_dropTarget || after != m_dropAfter) {
      m_dropTarget = target;
      m_dropAfter = after;
      Invalidate();
    }
  }
  CWnd::OnMouseMove(flags, point);
}

void CUIToolNails::OnLButtonUp(UINT flags, CPoint point) {
  if (m_captureMode == 2) {
    const int dragged = m_captureArg, target = m_dropTarget, after = m_dropAfter;
    EndCapture();
    if (target >= 0 && (target != dragged || after)) {
      MoveNails(dragged, target, after);
      NMNAILMOVED rec = {};
      rec.dragged = dragged;
      rec.target = target;
      rec.after = after;
      Notify(NAILN_MOVED, &rec.hdr, sizeof rec);
    }
    return;
  }
  if (m_captureMode == 1) {
    EndCapture();
    return;
  }
  CWnd::OnLButtonUp(flags, point);
}

void CUIToolNails::OnTimer(UINT_PTR id) {
  CPoint cursor;
  ::GetCursorPos(&cursor);
  ScreenToClient(&cursor);
  if (id == kScrollTimer && m_captureMode == 1) {
    if (ScrollButtonAt(cursor) == m_captureArg) Scroll(m_captureArg == 0 ? -1 : 1);
    if (m_captureArg == 0 ? !CanScrollLeft() : !CanScrollRight()) EndCapture();
    return;
  }
  if (id == kDragTimer && m_captureMode == 2) {
    CRect rc;
    GetClientRect(&rc);
    if (cursor.x < ButtonsWidth() && CanScrollLeft()) {
      Scroll(-1);
      if (m_dropTarget > 0) --m_dropTarget;
    } else if (cursor.x > rc.right && CanScrollRight()) {
      Scroll(1);
      if (m_dropTarget >= 0 && m_dropTarget < GetCount() - 1) ++m_dropTarget;
    }
    return;
  }
  CWnd::OnTimer(id);
}

void CUIToolNails::OnCaptureChanged(CWnd* wnd) {
  if (m_captureMode != 0 && (wnd == NULL || wnd->GetSafeHwnd() != m_hWnd)) {
    m_captureMode = 0;
    m_dropTarget = -1;
    if (m_timer) {
      KillTimer(kScrollTimer);
      KillTimer(kDragTimer);
    }
    m_timer = 0;
    Invalidate();
  }
  CWnd::OnCaptureChanged(wnd);
}

void CUIToolNails::OnLButtonDblClk(UINT, CPoint point) {
  if (NailAt(point) >= 0) Notify(NM_DBLCLK, NULL, sizeof(NMHDR));
}

void CUIToolNails::OnRButtonDown(UINT, CPoint point) {
  const int nail = NailAt(point);
  if (nail < 0) return;
  HWND self = m_hWnd;
  Select(nail, TRUE);
  if (::IsWindow(self)) Notify(NM_RCLICK, NULL, sizeof(NMHDR));
}

LRESULT CUIToolNails::OnSizeParent(WPARAM, LPARAM lParam) {
  AFX_SIZEPARENTPARAMS* layout = reinterpret_cast<AFX_SIZEPARENTPARAMS*>(lParam);
  if (layout == NULL || !m_visible) return 0;
  const int h = GetFullBarHeight();
  RECT r = layout->rect;
  if (IsTop()) {
    r.bottom = r.top + h;
    layout->rect.top += h;
  } else {
    r.top = r.bottom - h;
    layout->rect.bottom -= h;
  }
  AfxRepositionWindow(layout, m_hWnd, &r);
  return 0;
}

LRESULT CUIToolNails::OnHelpHitTest(WPARAM, LPARAM lParam) {
  const int nail = NailAt(CPoint(static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))));
  return nail >= 0 ? static_cast<LRESULT>(m_items.At(nail)->m_helpId) : 0;
}

LRESULT CUIToolNails::OnSetRedraw(WPARAM wParam, LPARAM) {
  m_redraw = static_cast<int>(wParam);
  return 0;
}

BOOL CUIToolNails::PreTranslateMessage(MSG* pMsg) {
  if (m_toolTip.m_hWnd != NULL && pMsg->message >= WM_MOUSEFIRST && pMsg->message <= WM_MOUSELAST)
    m_toolTip.RelayEvent(pMsg);
  return CWnd::PreTranslateMessage(pMsg);
}

// CToolNails.

IMPLEMENT_DYNAMIC(CToolNails, CUIToolNails)

BOOL CToolNails::Create(CWnd* parent, unsigned long style, unsigned int id) {
  return CreateStrip(parent, style, id, L"QvToolNails", false);
}

int CToolNails::AddItem(const wchar_t* text, void* data, int imageId, unsigned long helpId) {
  return CUIToolNails::AddItem(text, NULL, data, imageId, helpId);
}

int CToolNails::InsertItem(const wchar_t* text, int index, void* data, int imageId, unsigned long helpId) {
  return CUIToolNails::InsertItem(text, NULL, index, data, imageId, helpId);
}

int DumpNails(HWND window, unsigned int action, unsigned long* value, CStringList* texts) {
  CWnd* wnd = CWnd::FromHandlePermanent(window);
  if (wnd == NULL || !wnd->IsKindOf(RUNTIME_CLASS(CToolNails))) return 1;
  return UIDumpNails(window, action, value, texts);
}

int UIDumpNails(HWND window, unsigned int action, unsigned long* value, CStringList* texts) {
  CWnd* wnd = CWnd::FromHandlePermanent(window);
  if (wnd == NULL || !wnd->IsKindOf(RUNTIME_CLASS(CUIToolNails))) return 1;
  CUIToolNails* nails = static_cast<CUIToolNails*>(wnd);
  if (nails->GetCount() == 0) return 3;
  switch (action) {
    case 0:
      if (texts == NULL) return 1;
      for (int i = 0; i < nails->GetCount(); ++i) texts->AddTail(nails->GetItemText(i));
      return 0;
    case 1:
      if (value == NULL || *value >= static_cast<unsigned long>(nails->GetCount())) return 5;
      nails->Select(static_cast<int>(*value), TRUE);
      return 0;
    case 2:
      if (value == NULL) return 1;
      *value = static_cast<unsigned long>(nails->GetCurrent());
      return 0;
    case 3:
      if (value == NULL) return 1;
      *value = static_cast<unsigned long>(nails->GetCount());
      return 0;
    default:
      return 1;
  }
}
