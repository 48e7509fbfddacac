// Images, image lists, packed DIBs and OLE items drawn in the GDI view.
#include "GUIImageCtrl.h"
#include "UIImages.h"
#include "UIOleItem.h"
#include "UIUtilities.h"
#include "UIView.h"

void CMFCUIView::QvDrawImageList(POINT p, CImageList* list, unsigned short index) {
  if (list == nullptr || list->GetSafeHandle() == NULL || m_hDC == NULL) return;
  QvImageToClientPoint(p);
  const bool zoomed = (m_flags & UIVIEW_ZOOMED) != 0 && m_zoomNum > 0 && m_zoomDen > 0;
  // The DC's own mapping (a metafile's, say) is given back afterwards.
  uih::SavedDC mapping;
  if (zoomed) {
    mapping = uih::SavedDC(m_hDC);
    SetMapMode(m_hDC, MM_ANISOTROPIC);
    SetWindowExtEx(m_hDC, m_zoomDen, m_zoomDen, NULL);
    SetViewportExtEx(m_hDC, m_zoomNum, m_zoomNum, NULL);
    p.x = RoundToNearestInt(p.x / static_cast<double>(m_zoomRatio));
    p.y = RoundToNearestInt(p.y / static_cast<double>(m_zoomRatio));
    m_flags &= ~UIVIEW_ZOOMED;
  }
  ImageList_Draw(list->GetSafeHandle(), index, m_hDC, p.x, p.y, ILD_TRANSPARENT);
  if (zoomed) m_flags |= UIVIEW_ZOOMED;
}

void CMFCUIView::QvDrawImage(RECT const& r, CBitmap* bmp, QvImageDisplay mode) {
  RECT c;
  if (m_hDC == NULL || bmp == nullptr || bmp->GetSafeHandle() == NULL || !ImageToClientRect(r, c)) return;
  DrawBitmapInState(CDC::FromHandle(m_hDC), &c, static_cast<HBITMAP>(bmp->GetSafeHandle()), static_cast<int>(mode),
                    0);
}

void CMFCUIView::DrawDIB(void* dib, CRect const& r, char const*) {
  RECT c;
  if (dib == nullptr || r.IsRectEmpty() || m_hDC == NULL || !ImageToClientRect(r, c)) return;
  DrawPackedDIB(m_hDC, static_cast<HGLOBAL>(dib), c, NULL);
}

void CMFCUIView::QvDrawOLEItem(CQvOleClientItem* item, RECT const& r) {
  RECT c;
  if (item == nullptr || m_hDC == NULL) return;
  const UINT state = item->GetItemState();
  // An item active in place draws itself in its own window.
  if (state == COleClientItem::activeState || state == COleClientItem::activeUIState) return;
  if (!ImageToClientRect(r, c)) return;
  if (m_flags & UIVIEW_PRINTING) FillRect(m_hDC, &c, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  item->Draw(CDC::FromHandle(m_hDC), &c, static_cast<DVASPECT>(-1));
  RealizePalette(m_hDC);
}
