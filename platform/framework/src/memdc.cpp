#include "fw_memdc.h"

CMemDC::CMemDC(CDC* pDC, const RECT* pRect) : m_pDC(pDC) {
  ASSERT(pDC != NULL);
  if (pRect != NULL)
    m_rect = *pRect;
  else
    pDC->GetClipBox(&m_rect);
  if (!pDC->IsPrinting() && !m_rect.IsRectEmpty() && CreateCompatibleDC(pDC)) {
    if (m_bitmap.CreateCompatibleBitmap(pDC, m_rect.Width(), m_rect.Height())) {
      m_oldBitmap = ::SelectObject(m_hDC, m_bitmap.m_hObject);
      SetWindowOrg(m_rect.left, m_rect.top);
      const COLORREF back = ::GetBkColor(pDC->m_hDC);
      const COLORREF old = ::SetBkColor(m_hDC, back);
      ::ExtTextOut(m_hDC, 0, 0, ETO_OPAQUE, &m_rect, NULL, 0, NULL);
      ::SetBkColor(m_hDC, old);
      m_bMemDC = TRUE;
      return;
    }
    DeleteDC();
  }
  // Straight into the target: share its handles without owning them.
  m_bPrinting = pDC->m_bPrinting;
  m_hDC = pDC->m_hDC;
  m_hAttribDC = pDC->m_hAttribDC;
}

CMemDC::~CMemDC() {
  if (m_bMemDC) {
    ::BitBlt(m_pDC->m_hDC, m_rect.left, m_rect.top, m_rect.Width(), m_rect.Height(), m_hDC, m_rect.left, m_rect.top,
             SRCCOPY);
    ::SelectObject(m_hDC, m_oldBitmap);
    DeleteDC();
  } else {
    m_hDC = m_hAttribDC = NULL;
  }
}
