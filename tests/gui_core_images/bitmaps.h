// Bitmaps of the portable image tests: drawn on a DIB canvas, then held as the screen-
// compatible bitmaps that images keep.
#pragma once
#include <fw_gdi.h>

#include "dib_canvas.h"

namespace imagetest {

// A new framework bitmap holding a screen-compatible copy of the canvas.
inline CBitmap* CopyToBitmap(const testing_support::DibCanvas& canvas) {
  HDC screen = GetDC(NULL);
  HBITMAP bmp = CreateCompatibleBitmap(screen, canvas.width(), canvas.height());
  HDC mem = CreateCompatibleDC(screen);
  HGDIOBJ old = SelectObject(mem, bmp);
  BitBlt(mem, 0, 0, canvas.width(), canvas.height(), canvas.dc(), 0, 0, SRCCOPY);
  SelectObject(mem, old);
  DeleteDC(mem);
  ReleaseDC(NULL, screen);
  CBitmap* b = new CBitmap;
  b->Attach(bmp);
  return b;
}

}  // namespace imagetest
