// Images, image lists, packed DIBs and OLE items drawn in the GDI view.
#include "UIBitmapInState.h"
#include "UIImages.h"
#include "UIOleItem.h"
#include "UIUtilities.h"
#include "UIView.h"

void CMFCUIView::QvDrawImageList(POINT p, CImageList* list, unsigned short index) {
  if (list != nullptr) DrawImageListCore(list->GetSafeHandle(), index, p);
}

void CMFCUIView::QvDrawImage(RECT const& r, CBitmap* bmp, QvImageDisplay mode) {
  RECT c;
  if (m_hDC == NULL || bmp == nullptr || bmp->GetSafeHandle() == NULL || !ImageToClientRect(r, c)) return;
  DrawBitmapInState(CDC::FromHandle(m_hDC), &c, static_cast<HBITMAP>(bmp->GetSafeHandle()), static_cast<int>(mode),
                    0);
  ForgetSelection();  // drawing that is not the core's
}

void CMFCUIView::DrawDIB(void* dib, CRect const& r, char const*) {
  RECT c;
  if (dib == nullptr || r.IsRectEmpty() || m_hDC == NULL || !ImageToClientRect(r, c)) return;
  DrawPackedDIB(m_hDC, static_cast<HGLOBAL>(dib), c, NULL);
  ForgetSelection();
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
  ForgetSelection();  // the item's own drawing
  RealizePalette(m_hDC);
}
