// Pane items of the status bar's template bars: text, indicator, progress bar and image.
#include "UIStatusBar.h"
#include "UIHandles.h"

#include <commctrl.h>

#include "UILabelText.h"

IMPLEMENT_DYNAMIC(CPaneItem, CObject)
IMPLEMENT_DYNAMIC(QvTextPaneItem, CPaneItem)
IMPLEMENT_DYNAMIC(QvIndicatorPaneItem, QvTextPaneItem)
IMPLEMENT_DYNAMIC(QvProgressPaneItem, CPaneItem)
IMPLEMENT_DYNAMIC(QvImagePaneItem, CPaneItem)

namespace {
// The status bar's font selected into a DC of its own for measuring.
class BarFontDC {
 public:
  explicit BarFontDC(CWnd* bar) : m_dc(bar != NULL ? bar->GetSafeHwnd() : NULL) {
    HWND wnd = m_dc.Window();
    HFONT font = wnd ? reinterpret_cast<HFONT>(::SendMessage(wnd, WM_GETFONT, 0, 0)) : NULL;
    if (m_dc) m_font = uih::Selection(m_dc.Get(), font ? font : static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT)));
  }
  BarFontDC(const BarFontDC&) = delete;
  BarFontDC& operator=(const BarFontDC&) = delete;
  HDC dc() const { return m_dc.Get(); }

 private:
  uih::WindowDC m_dc;
  uih::Selection m_font;  // given back before the DC is released
};
}  // namespace

QvTextPaneItem::QvTextPaneItem(LPCTSTR text, int chars, int alignment)
    : m_text(text != NULL ? text : _T("")), m_chars(chars), m_alignment(alignment) {}

void QvTextPaneItem::SetText(LPCTSTR text, int alignment) {
  m_text = text != NULL ? text : _T("");
  m_alignment = alignment;
}

int QvTextPaneItem::CalcWidth(CWnd* statusBar) {
  BarFontDC measure(statusBar);
  if (measure.dc() == NULL) return m_width = 0;
  if (m_chars >= 1) {
    TEXTMETRIC tm = {};
    ::GetTextMetrics(measure.dc(), &tm);
    return m_width = CUIStatusBar::BoundWidth(statusBar, static_cast<long long>(m_chars) * tm.tmAveCharWidth);
  }
  if (m_text.IsEmpty()) return m_width = 0;
  SIZE size = {0, 0};
  ::GetTextExtentPoint32(measure.dc(), m_text.GetString(), m_text.GetLength(), &size);
  return m_width = CUIStatusBar::BoundWidth(statusBar, size.cx);
}

void QvTextPaneItem::Draw(HDC dc, int x, int y, int height, int paneWidth) {
  int oldMode = ::SetBkMode(dc, TRANSPARENT);
  UINT oldAlign = ::SetTextAlign(dc, static_cast<UINT>(m_alignment));
  COLORREF oldColor = ::SetTextColor(dc, ::GetSysColor(COLOR_BTNTEXT));
  if (m_alignment == TA_CENTER)
    x += paneWidth / 2;
  else if (m_alignment == TA_RIGHT)
    x += paneWidth;
  TEXTMETRIC tm = {};
  ::GetTextMetrics(dc, &tm);
  int top = y + (height > tm.tmHeight ? (height - tm.tmHeight) / 2 : 0);
  ::TextOut(dc, x, top, m_text.GetString(), m_text.GetLength());
  ::SetTextColor(dc, oldColor);
  ::SetTextAlign(dc, oldAlign);
  ::SetBkMode(dc, oldMode);
}

QvIndicatorPaneItem::QvIndicatorPaneItem(DWORD labelId, CWnd* statusBar)
    : QvTextPaneItem(NULL, 0, TA_CENTER), m_labelId(labelId) {
  UILabelText(labelId, m_text);
  CalcWidth(statusBar);
}

QvProgressPaneItem::QvProgressPaneItem(CWnd* statusBar, int width, DWORD style, DWORD exStyle)
    : m_requested(width < 0 ? 0 : width) {
  m_width = CUIStatusBar::BoundWidth(statusBar, m_requested);
  if (statusBar != NULL && statusBar->GetSafeHwnd() != NULL)
    m_progress.CreateEx(exStyle & ~WS_EX_STATICEDGE, PROGRESS_CLASS, NULL, (style & ~WS_VISIBLE) | WS_CHILD,
                        CRect(0, 0, 1, 1), statusBar, 0);
}

QvProgressPaneItem::~QvProgressPaneItem() {
  if (m_progress.GetSafeHwnd() != NULL) m_progress.DestroyWindow();
}

int QvProgressPaneItem::CalcWidth(CWnd* statusBar) { return m_width = CUIStatusBar::BoundWidth(statusBar, m_requested); }

void QvProgressPaneItem::Hide() {
  if (m_progress.GetSafeHwnd() != NULL) m_progress.ShowWindow(SW_HIDE);
}

void QvProgressPaneItem::Draw(HDC, int x, int y, int height, int paneWidth) {
  if (m_progress.GetSafeHwnd() == NULL) return;
  m_progress.MoveWindow(x + (paneWidth - m_width) / 2, y + 1, m_width, height > 2 ? height - 2 : 1);
  m_progress.ShowWindow(SW_SHOWNA);
  m_progress.UpdateWindow();
}

QvImagePaneItem::QvImagePaneItem(CImageList* images, int image) : m_images(images), m_image(image) {}

void QvImagePaneItem::SetImage(CImageList* images, int image) {
  m_images = images;
  m_image = image;
}

int QvImagePaneItem::CalcWidth(CWnd*) {
  int cx = 16, cy = 16;
  if (m_images != NULL && m_images->m_hImageList != NULL) ::ImageList_GetIconSize(m_images->m_hImageList, &cx, &cy);
  return m_width = cx;
}

void QvImagePaneItem::Draw(HDC dc, int x, int y, int height, int paneWidth) {
  if (m_images == NULL || m_images->m_hImageList == NULL) return;
  int cx = 16, cy = 16;
  ::ImageList_GetIconSize(m_images->m_hImageList, &cx, &cy);
  int top = y + (height > cy ? (height - cy) / 2 : 0);
  ::ImageList_Draw(m_images->m_hImageList, m_image, dc, x + (paneWidth - cx) / 2, top, ILD_TRANSPARENT);
}

CPane::~CPane() {
  for (CPaneItem* item : m_items) delete item;
}

int CPane::GetWidth() const {
  int width = 0;
  for (CPaneItem* item : m_items) width += item->GetWidth() > 0 ? item->GetWidth() : 0;
  return width;
}
