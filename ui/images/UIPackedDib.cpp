// Packed DIBs: colour counts, reading .bmp files, conversion to and from bitmaps.
#include "UIImages.h"

#include "UIImageBits.h"

#include <memory>
#include <new>
#include <string.h>

namespace {

UlmLogger s_log("UIPackedDib");

// Largest image (rows x row bytes) accepted: what a DWORD size field and GDI can hold.
const unsigned long long kMaxImageBytes = 0x7FFF0000ULL;

const DWORD kHeaderCore = 12;
const DWORD kHeaderInfo = 40;
const DWORD kBiAlphaBitfields = 6;

struct DibFormat {
  DWORD headerSize;
  LONG width;
  LONG height;  // number of rows, positive
  bool topDown;
  WORD bitCount;
  DWORD compression;    // BI_RGB, BI_RLE8, BI_RLE4 or BI_BITFIELDS
  DWORD masks[3];       // BI_BITFIELDS: red, green, blue
  DWORD masksAfter;     // bytes of masks stored after the header (40-byte header only)
  DWORD sizeImage;      // as recorded
  LONG xPelsPerMeter, yPelsPerMeter;
  DWORD clrUsed, clrImportant;
  DWORD entrySize;      // bytes per colour-table entry: 3 (core) or 4
  unsigned long long stride;
  unsigned long long rawImageBytes;  // stride x rows
};

template <typename T>
T ReadAt(const BYTE* p, size_t offset) {
  T v;
  memcpy(&v, p + offset, sizeof(T));
  return v;
}

bool IsRle(const DibFormat& f) { return f.compression == BI_RLE8 || f.compression == BI_RLE4; }

// Reads and checks the header at p, of which n bytes are available.
bool ReadHeader(const BYTE* p, size_t n, DibFormat* f) {
  if (p == NULL || n < sizeof(DWORD)) return false;
  memset(f, 0, sizeof(*f));
  f->headerSize = ReadAt<DWORD>(p, 0);
  if (f->headerSize > n) return false;
  if (f->headerSize == kHeaderCore) {
    f->width = ReadAt<WORD>(p, 4);
    f->height = ReadAt<WORD>(p, 6);
    f->bitCount = ReadAt<WORD>(p, 10);
    f->compression = BI_RGB;
    f->entrySize = 3;
    if (f->bitCount != 1 && f->bitCount != 4 && f->bitCount != 8 && f->bitCount != 24) return false;
  } else if (f->headerSize == kHeaderInfo || f->headerSize == 52 || f->headerSize == 56 ||
             f->headerSize == sizeof(BITMAPV4HEADER) || f->headerSize == sizeof(BITMAPV5HEADER)) {
    f->width = ReadAt<LONG>(p, 4);
    LONG height = ReadAt<LONG>(p, 8);
    if (height < 0) {
      if (height == LONG(0x80000000)) return false;
      f->topDown = true;
      height = -height;
    }
    f->height = height;
    f->bitCount = ReadAt<WORD>(p, 14);
    f->compression = ReadAt<DWORD>(p, 16);
    f->sizeImage = ReadAt<DWORD>(p, 20);
    f->xPelsPerMeter = ReadAt<LONG>(p, 24);
    f->yPelsPerMeter = ReadAt<LONG>(p, 28);
    f->clrUsed = ReadAt<DWORD>(p, 32);
    f->clrImportant = ReadAt<DWORD>(p, 36);
    f->entrySize = 4;
    switch (f->bitCount) {
      case 1: case 4: case 8: case 16: case 24: case 32: break;
      default: return false;  // includes 0: JPEG and PNG payloads
    }
    switch (f->compression) {
      case BI_RGB:
        break;
      case BI_RLE8:
      case BI_RLE4:
        if (f->topDown || f->bitCount != (f->compression == BI_RLE8 ? 8 : 4)) return false;
        break;
      case BI_BITFIELDS:
      case kBiAlphaBitfields:
        if (f->bitCount != 16 && f->bitCount != 32) return false;
        if (f->headerSize >= 52) {
          for (int i = 0; i < 3; ++i) f->masks[i] = ReadAt<DWORD>(p, 40 + 4 * i);
        } else {
          // The masks follow a 40-byte header (a fourth, alpha, one with BI_ALPHABITFIELDS).
          f->masksAfter = f->compression == BI_BITFIELDS ? 12 : 16;
          if (n < f->headerSize + f->masksAfter) return false;
          for (int i = 0; i < 3; ++i) f->masks[i] = ReadAt<DWORD>(p, f->headerSize + 4 * i);
        }
        f->compression = BI_BITFIELDS;
        break;
      default:
        return false;
    }
  } else {
    return false;
  }
  if (f->width <= 0 || f->height <= 0) return false;
  f->stride = ((static_cast<unsigned long long>(f->bitCount) * f->width + 31) / 32) * 4;
  f->rawImageBytes = f->stride * f->height;
  return f->rawImageBytes <= kMaxImageBytes;
}

// Colour-table entries an image of this depth uses; 0 above 8 bits.
DWORD PaletteSize(const DibFormat& f) {
  if (f.bitCount > 8) return 0;
  const DWORD full = 1u << f.bitCount;
  return f.clrUsed == 0 || f.clrUsed > full ? full : f.clrUsed;
}

// A 40-byte header with masks and colour table, as GDI takes it.
struct NormalInfo {
  BITMAPINFOHEADER header;
  RGBQUAD colours[256];
};

// Fills the header of `info` from the format; the colour table is left to the caller.
void FillHeader(const DibFormat& f, DWORD imageBytes, DWORD colours, BITMAPINFOHEADER* h) {
  memset(h, 0, sizeof(*h));
  h->biSize = sizeof(BITMAPINFOHEADER);
  h->biWidth = f.width;
  h->biHeight = f.height;
  h->biPlanes = 1;
  h->biBitCount = f.bitCount;
  h->biCompression = f.compression;
  h->biSizeImage = imageBytes;
  h->biXPelsPerMeter = f.xPelsPerMeter;
  h->biYPelsPerMeter = f.yPelsPerMeter;
  if (f.bitCount <= 8 && colours != (1u << f.bitCount)) h->biClrUsed = colours;
  h->biClrImportant = f.clrImportant <= colours ? f.clrImportant : 0;
}

// Widens `count` colour-table entries of `entrySize` bytes at src into RGBQUADs at dst. dst
// and src may be the same memory: entries are moved from the last to the first.
void WidenColours(const BYTE* src, DWORD count, DWORD entrySize, RGBQUAD* dst) {
  for (DWORD i = count; i-- > 0;) {
    const BYTE* e = src + static_cast<size_t>(i) * entrySize;
    RGBQUAD q;
    q.rgbBlue = e[0];
    q.rgbGreen = e[1];
    q.rgbRed = e[2];
    q.rgbReserved = 0;
    dst[i] = q;
  }
}

class WaitCursor {
 public:
  WaitCursor() : m_old(SetCursor(LoadCursor(NULL, IDC_WAIT))) {}
  ~WaitCursor() { SetCursor(m_old); }

 private:
  HCURSOR m_old;
};

class FileHandle {
 public:
  explicit FileHandle(HANDLE h) : m_h(h) {}
  ~FileHandle() {
    if (m_h != INVALID_HANDLE_VALUE) CloseHandle(m_h);
  }
  HANDLE Get() const { return m_h; }

 private:
  HANDLE m_h;
};

bool ReadExactly(HANDLE file, unsigned long long offset, void* buffer, unsigned long long count) {
  LARGE_INTEGER pos;
  pos.QuadPart = static_cast<LONGLONG>(offset);
  if (!SetFilePointerEx(file, pos, NULL, FILE_BEGIN)) return false;
  BYTE* out = static_cast<BYTE*>(buffer);
  while (count > 0) {
    const DWORD chunk = count > (1u << 24) ? (1u << 24) : static_cast<DWORD>(count);
    DWORD got = 0;
    if (!ReadFile(file, out, chunk, &got, NULL) || got != chunk) return false;
    out += chunk;
    count -= chunk;
  }
  return true;
}

class LockedBlock {
 public:
  explicit LockedBlock(HGLOBAL h) : m_h(h), m_p(h != NULL ? static_cast<const BYTE*>(GlobalLock(h)) : NULL) {}
  ~LockedBlock() {
    if (m_p != NULL) GlobalUnlock(m_h);
  }
  const BYTE* Data() const { return m_p; }

 private:
  LockedBlock(const LockedBlock&) = delete;
  LockedBlock& operator=(const LockedBlock&) = delete;
  HGLOBAL m_h;
  const BYTE* m_p;
};

}  // namespace

UINT DIBColorCount(const BITMAPINFOHEADER* header) {
  if (header == NULL) return 0;
  const DWORD size = header->biSize;
  WORD bits;
  if (size == kHeaderCore) {
    bits = reinterpret_cast<const BITMAPCOREHEADER*>(header)->bcBitCount;
  } else if (size == kHeaderInfo || size == 52 || size == 56 || size == sizeof(BITMAPV4HEADER) ||
             size == sizeof(BITMAPV5HEADER)) {
    bits = header->biBitCount;
    if (header->biClrUsed != 0) {
      if (bits > 8) return header->biClrUsed;
      if (bits == 1 || bits == 4 || bits == 8)
        return header->biClrUsed < (1u << bits) ? header->biClrUsed : (1u << bits);
    }
  } else {
    return 0;
  }
  switch (bits) {
    case 1: return 2;
    case 4: return 16;
    case 8: return 256;
    default: return 0;
  }
}

HGLOBAL LoadDIB(LPCTSTR path) {
  if (path == NULL) {
    UI_TRACE_REFUSED(s_log, "no path");
    return NULL;
  }
  WaitCursor wait;
  FileHandle file(CreateFile(path, GENERIC_READ, FILE_SHARE_READ, NULL, OPEN_EXISTING,
                             FILE_FLAG_SEQUENTIAL_SCAN, NULL));
  if (file.Get() == INVALID_HANDLE_VALUE) {
    UI_TRACE_FAILED(s_log, "CreateFile");
    return NULL;
  }
  LARGE_INTEGER fileSize;
  if (!GetFileSizeEx(file.Get(), &fileSize)) {
    UI_TRACE_FAILED(s_log, "GetFileSizeEx");
    return NULL;
  }
  if (fileSize.QuadPart < 14 + 12) {
    UI_TRACE_REFUSED(s_log, "file shorter than the headers");
    return NULL;
  }
  const unsigned long long total = static_cast<unsigned long long>(fileSize.QuadPart);

  // File header, then as much of the info header as the file holds (at most a V5 header
  // and the masks that may follow a 40-byte one).
  BYTE fileHeader[14];
  if (!ReadExactly(file.Get(), 0, fileHeader, sizeof(fileHeader))) {
    UI_TRACE_FAILED(s_log, "ReadFile");
    return NULL;
  }
  if (ReadAt<WORD>(fileHeader, 0) != 0x4D42) {
    UI_TRACE_REFUSED(s_log, "no \"BM\" signature");
    return NULL;
  }
  const DWORD offBits = ReadAt<DWORD>(fileHeader, 10);
  BYTE header[sizeof(BITMAPV5HEADER)];
  const unsigned long long headerAvail = total - 14 < sizeof(header) ? total - 14 : sizeof(header);
  if (!ReadExactly(file.Get(), 14, header, headerAvail)) {
    UI_TRACE_FAILED(s_log, "ReadFile");
    return NULL;
  }
  DibFormat f;
  if (!ReadHeader(header, static_cast<size_t>(headerAvail), &f)) {
    UI_TRACE_REFUSED(s_log, "bitmap header");
    return NULL;
  }

  // The colour table follows the header (and its masks); the bits start at bfOffBits, or
  // right after the table when the file leaves bfOffBits 0.
  const unsigned long long tableStart = 14ULL + f.headerSize + f.masksAfter;
  const DWORD wanted = PaletteSize(f);
  const unsigned long long tableBytes =
      static_cast<unsigned long long>(f.bitCount <= 8 ? wanted : f.clrUsed) * f.entrySize;
  unsigned long long bitsStart;
  if (offBits != 0) {
    if (offBits < tableStart) {
      UI_TRACE_REFUSED(s_log, "bits inside the headers");
      return NULL;
    }
    bitsStart = offBits;
  } else {
    bitsStart = tableStart + tableBytes;
  }
  if (bitsStart >= total) {
    UI_TRACE_REFUSED(s_log, "bits past the end of the file");
    return NULL;
  }
  DWORD colours = 0;
  if (f.bitCount <= 8) {
    const unsigned long long room = (bitsStart - tableStart) / f.entrySize;
    colours = room < wanted ? static_cast<DWORD>(room) : wanted;
    if (colours == 0) {
      UI_TRACE_REFUSED(s_log, "no colour table");
      return NULL;
    }
  }

  unsigned long long imageBytes;
  const unsigned long long avail = total - bitsStart;
  if (IsRle(f)) {
    imageBytes = f.sizeImage != 0 ? f.sizeImage : avail;
    if (imageBytes > kMaxImageBytes) {
      UI_TRACE_REFUSED(s_log, "image too large");
      return NULL;
    }
  } else {
    imageBytes = f.rawImageBytes;
  }
  if (imageBytes == 0 || imageBytes > avail) {
    UI_TRACE_REFUSED(s_log, "bits shorter than the header says");
    return NULL;
  }

  const DWORD masksOut = f.compression == BI_BITFIELDS ? 12 : 0;
  const unsigned long long blockSize = sizeof(BITMAPINFOHEADER) + masksOut + 4ULL * colours + imageBytes;
  uiimg::GlobalBlock block(GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, static_cast<SIZE_T>(blockSize)));
  BYTE* p = block.Data();
  if (p == NULL) {
    UI_TRACE_FAILED(s_log, "GlobalAlloc");
    return NULL;
  }
  FillHeader(f, static_cast<DWORD>(imageBytes), colours, reinterpret_cast<BITMAPINFOHEADER*>(p));
  BYTE* out = p + sizeof(BITMAPINFOHEADER);
  if (masksOut != 0) {
    memcpy(out, f.masks, masksOut);
    out += masksOut;
  }
  if (colours != 0) {
    if (!ReadExactly(file.Get(), tableStart, out, static_cast<unsigned long long>(colours) * f.entrySize)) {
      UI_TRACE_FAILED(s_log, "ReadFile");
      return NULL;
    }
    if (f.entrySize != 4) WidenColours(out, colours, f.entrySize, reinterpret_cast<RGBQUAD*>(out));
    out += 4 * colours;
  }
  if (!ReadExactly(file.Get(), bitsStart, out, imageBytes)) {
    UI_TRACE_FAILED(s_log, "ReadFile");
    return NULL;
  }
  if (f.topDown) {
    // Rows are kept bottom-up, as every reader of packed DIBs expects.
    const size_t stride = static_cast<size_t>(f.stride);
    std::unique_ptr<BYTE[]> row(new (std::nothrow) BYTE[stride]);
    if (!row) {
      UI_TRACE_FAILED(s_log, "new");
      return NULL;
    }
    BYTE* top = out;
    BYTE* bottom = out + stride * (f.height - 1);
    for (; top < bottom; top += stride, bottom -= stride) {
      memcpy(row.get(), top, stride);
      memcpy(top, bottom, stride);
      memcpy(bottom, row.get(), stride);
    }
  }
  return block.Release();
}

namespace {

// A packed DIB taken apart for GDI: the normalised header and table, and the bits.
struct PackedView {
  NormalInfo info;
  DibFormat format;
  const BYTE* bits;
};

// Checks the block at p (size bytes) and fills view; false (traced) when it is malformed.
bool ViewPacked(const BYTE* p, SIZE_T size, PackedView* view) {
  DibFormat& f = view->format;
  if (!ReadHeader(p, size, &f)) {
    UI_TRACE_REFUSED(s_log, "bitmap header");
    return false;
  }
  if (f.bitCount <= 8 && f.clrUsed > (1u << f.bitCount)) {
    UI_TRACE_REFUSED(s_log, "more colours than the depth has");
    return false;
  }
  const DWORD colours = PaletteSize(f);
  const unsigned long long tableStart = static_cast<unsigned long long>(f.headerSize) + f.masksAfter;
  const unsigned long long bitsStart =
      tableStart + static_cast<unsigned long long>(f.bitCount <= 8 ? colours : f.clrUsed) * f.entrySize;
  if (bitsStart > size) {
    UI_TRACE_REFUSED(s_log, "colour table past the end of the block");
    return false;
  }
  const unsigned long long avail = size - bitsStart;
  unsigned long long imageBytes = f.rawImageBytes;
  if (IsRle(f)) imageBytes = f.sizeImage != 0 ? f.sizeImage : avail;
  if (imageBytes == 0 || imageBytes > avail) {
    UI_TRACE_REFUSED(s_log, "bits shorter than the header says");
    return false;
  }
  FillHeader(f, IsRle(f) ? static_cast<DWORD>(imageBytes) : 0, colours, &view->info.header);
  if (f.topDown) view->info.header.biHeight = -f.height;
  if (f.compression == BI_BITFIELDS) memcpy(view->info.colours, f.masks, sizeof(f.masks));
  if (colours != 0) WidenColours(p + tableStart, colours, f.entrySize, view->info.colours);
  view->bits = p + bitsStart;
  return true;
}

}  // namespace

HBITMAP DIB2BMP(HDC dc, HGLOBAL dib) {
  if (dib == NULL) {
    UI_TRACE_REFUSED(s_log, "no DIB");
    return NULL;
  }
  const SIZE_T size = GlobalSize(dib);
  LockedBlock block(dib);
  const BYTE* p = block.Data();
  if (p == NULL) {
    UI_TRACE_FAILED(s_log, "GlobalLock");
    return NULL;
  }
  std::unique_ptr<PackedView> view(new (std::nothrow) PackedView);
  if (!view || !ViewPacked(p, size, view.get())) return NULL;
  const NormalInfo& info = view->info;
  const DWORD colours = PaletteSize(view->format);

  uiimg::ScreenDC screen;
  HDC target = dc != NULL ? dc : screen.Get();
  if (target == NULL) return NULL;  // traced by the screen DC
  uih::OwnedPalette palette;
  HPALETTE oldPalette = NULL;
  if (colours != 0) {
    struct {
      WORD version, count;
      PALETTEENTRY entries[256];
    } lp;
    lp.version = 0x300;
    lp.count = static_cast<WORD>(colours);
    for (DWORD i = 0; i < colours; ++i) {
      lp.entries[i].peRed = info.colours[i].rgbRed;
      lp.entries[i].peGreen = info.colours[i].rgbGreen;
      lp.entries[i].peBlue = info.colours[i].rgbBlue;
      lp.entries[i].peFlags = 0;
    }
    // Without its palette the DIB is still converted, in the DC's colours.
    palette.Reset(CreatePalette(reinterpret_cast<LOGPALETTE*>(&lp)));
    if (palette.Get() == NULL) {
      UI_TRACE_FAILED(s_log, "CreatePalette");
    } else {
      oldPalette = SelectPalette(target, palette.Get(), FALSE);
      if (oldPalette == NULL) UI_TRACE_FAILED(s_log, "SelectPalette");
      else RealizePalette(target);
    }
  }
  HBITMAP bmp = CreateDIBitmap(target, &info.header, CBM_INIT, view->bits,
                               reinterpret_cast<const BITMAPINFO*>(&info), DIB_RGB_COLORS);
  if (bmp == NULL) UI_TRACE_FAILED(s_log, "CreateDIBitmap");
  if (oldPalette != NULL) {
    SelectPalette(target, oldPalette, FALSE);
    RealizePalette(target);
  }
  return bmp;
}

HGLOBAL BMP2DIB(HDC dc, HBITMAP bitmap, DWORD* size) {
  if (size != NULL) *size = 0;
  BITMAP bm;
  if (bitmap == NULL || GetObject(bitmap, sizeof(bm), &bm) == 0 || bm.bmWidth <= 0 || bm.bmHeight <= 0) {
    UI_TRACE_REFUSED(s_log, "not a bitmap");
    return NULL;
  }
  const int depth = bm.bmPlanes * bm.bmBitsPixel;
  WORD bits = depth <= 1 ? 1 : depth <= 4 ? 4 : depth <= 8 ? 8 : depth <= 16 ? 16 : depth <= 24 ? 24 : 32;
  const unsigned long long stride = ((static_cast<unsigned long long>(bits) * bm.bmWidth + 31) / 32) * 4;
  const unsigned long long imageBytes = stride * bm.bmHeight;
  if (imageBytes > kMaxImageBytes) {
    UI_TRACE_REFUSED(s_log, "image too large");
    return NULL;
  }
  const DWORD colours = bits <= 8 ? (1u << bits) : 0;
  const unsigned long long blockSize = sizeof(BITMAPINFOHEADER) + 4ULL * colours + imageBytes;

  uiimg::GlobalBlock block(GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, static_cast<SIZE_T>(blockSize)));
  BYTE* p = block.Data();
  if (p == NULL) {
    UI_TRACE_FAILED(s_log, "GlobalAlloc");
    return NULL;
  }
  BITMAPINFOHEADER* h = reinterpret_cast<BITMAPINFOHEADER*>(p);
  h->biSize = sizeof(BITMAPINFOHEADER);
  h->biWidth = bm.bmWidth;
  h->biHeight = bm.bmHeight;
  h->biPlanes = 1;
  h->biBitCount = bits;
  h->biCompression = BI_RGB;
  h->biSizeImage = static_cast<DWORD>(imageBytes);
  uiimg::ScreenDC screen;
  HDC source = dc != NULL ? dc : screen.Get();
  if (source == NULL) return NULL;  // traced by the screen DC
  if (GetDIBits(source, bitmap, 0, bm.bmHeight, p + sizeof(BITMAPINFOHEADER) + 4 * colours,
                reinterpret_cast<BITMAPINFO*>(p), DIB_RGB_COLORS) != bm.bmHeight) {
    UI_TRACE_FAILED(s_log, "GetDIBits");
    return NULL;
  }
  // GetDIBits may rewrite these; the block holds a full table and unpadded-size rows.
  h->biSizeImage = static_cast<DWORD>(imageBytes);
  h->biClrUsed = 0;
  h->biClrImportant = 0;
  h->biCompression = BI_RGB;
  if (size != NULL) *size = static_cast<DWORD>(blockSize);
  return block.Release();
}

BOOL GetPackedDIBSize(HGLOBAL dib, SIZE* size) {
  if (dib == NULL || size == NULL) return FALSE;
  const SIZE_T bytes = GlobalSize(dib);
  LockedBlock block(dib);
  DibFormat f;
  if (block.Data() == NULL || !ReadHeader(block.Data(), bytes, &f)) {
    UI_TRACE_REFUSED(s_log, "bitmap header");
    return FALSE;
  }
  size->cx = f.width;
  size->cy = f.height;
  return TRUE;
}

BOOL DrawPackedDIB(HDC dc, HGLOBAL dib, const RECT& destination, const RECT* source) {
  const int dw = destination.right - destination.left, dh = destination.bottom - destination.top;
  if (dc == NULL || dib == NULL || dw <= 0 || dh <= 0) {
    UI_TRACE_REFUSED(s_log, "no DC, no DIB or an empty destination");
    return FALSE;
  }
  const SIZE_T size = GlobalSize(dib);
  LockedBlock block(dib);
  if (block.Data() == NULL) {
    UI_TRACE_FAILED(s_log, "GlobalLock");
    return FALSE;
  }
  std::unique_ptr<PackedView> view(new (std::nothrow) PackedView);
  if (!view || !ViewPacked(block.Data(), size, view.get())) return FALSE;
  const DibFormat& f = view->format;
  RECT src = {0, 0, f.width, f.height};
  if (source != NULL) src = *source;
  const int sw = src.right - src.left, sh = src.bottom - src.top;
  if (sw <= 0 || sh <= 0) {
    UI_TRACE_REFUSED(s_log, "empty source");
    return FALSE;
  }
  // Bottom-up rows are addressed from the last row of the image.
  const int sy = f.topDown ? src.top : f.height - src.bottom;
  const BITMAPINFO* info = reinterpret_cast<const BITMAPINFO*>(&view->info);
  int lines;
  if (sw == dw && sh == dh && !IsRle(f))
    lines = SetDIBitsToDevice(dc, destination.left, destination.top, dw, dh, src.left, sy, 0, f.height,
                              view->bits, info, DIB_RGB_COLORS);
  else
    lines = StretchDIBits(dc, destination.left, destination.top, dw, dh, src.left, sy, sw, sh, view->bits, info,
                          DIB_RGB_COLORS, SRCCOPY);
  if (lines <= 0) {  // 0 or GDI_ERROR
    UI_TRACE_FAILED(s_log, "StretchDIBits");
    return FALSE;
  }
  return TRUE;
}
