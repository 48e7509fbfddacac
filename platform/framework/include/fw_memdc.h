// An off-screen DC over a target DC: drawing goes into a bitmap the size of the target's clip
// box (in the target's coordinates) and is copied to the target in one block when the CMemDC
// ends. Over a printing DC, or when the bitmap cannot be made (a huge clip box), it draws
// straight into the target instead (IsOffScreen() then answers FALSE).
#pragma once
#include "fw_dc.h"

class FW_API CMemDC : public CDC {
 public:
  explicit CMemDC(CDC* pDC, const RECT* pRect = NULL);
  ~CMemDC() override;
  CMemDC(const CMemDC&) = delete;
  CMemDC& operator=(const CMemDC&) = delete;

  BOOL IsOffScreen() const { return m_bMemDC; }
  const CRect& GetRect() const { return m_rect; }

 private:
  CDC* m_pDC;
  CBitmap m_bitmap;
  HGDIOBJ m_oldBitmap = NULL;
  CRect m_rect;
  BOOL m_bMemDC = FALSE;
};
