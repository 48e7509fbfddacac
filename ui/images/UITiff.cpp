// TIFF to packed DIB conversion on libtiff.
#include "UITiff.h"

#include "UIImageBits.h"
#include "UIImages.h"

#include <tiffio.h>

#include <memory>
#include <new>
#include <string.h>
#include <string>

namespace {

// Largest image (rows x row bytes) made: what a DWORD size field and GDI can hold.
const unsigned long long kMaxImageBytes = 0x7FFF0000ULL;

// libtiff's handlers set to none for the scope, restored whatever way it is left.
class SilentTiff {
 public:
  SilentTiff()
      : m_error(TIFFSetErrorHandler(NULL)),
        m_warning(TIFFSetWarningHandler(NULL)),
        m_errorExt(TIFFSetErrorHandlerExt(NULL)),
        m_warningExt(TIFFSetWarningHandlerExt(NULL)) {}
  ~SilentTiff() {
    TIFFSetErrorHandler(m_error);
    TIFFSetWarningHandler(m_warning);
    TIFFSetErrorHandlerExt(m_errorExt);
    TIFFSetWarningHandlerExt(m_warningExt);
  }

 private:
  SilentTiff(const SilentTiff&) = delete;
  SilentTiff& operator=(const SilentTiff&) = delete;
  TIFFErrorHandler m_error, m_warning;
  TIFFErrorHandlerExt m_errorExt, m_warningExt;
};

class TiffFile {
 public:
  explicit TiffFile(const char* path) : m_tif(NULL) {
    const int n = MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, path, -1, NULL, 0);
    if (n > 0) {
      std::wstring wide(static_cast<size_t>(n), L'\0');
      MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, path, -1, &wide[0], n);
      m_tif = TIFFOpenW(wide.c_str(), "r");
    } else {
      m_tif = TIFFOpen(path, "r");
    }
  }
  ~TiffFile() {
    if (m_tif != NULL) TIFFClose(m_tif);
  }
  TIFF* Get() const { return m_tif; }

 private:
  TiffFile(const TiffFile&) = delete;
  TiffFile& operator=(const TiffFile&) = delete;
  TIFF* m_tif;
};

// The sample layouts a DIB holds.
struct Layout {
  uint16_t photometric;
  uint16_t bitsPerSample;    // 1, 4 or 8
  uint16_t samplesPerPixel;  // 1 (grey, palette) or 3 (RGB)
};

bool ReadLayout(TIFF* tif, Layout* layout) {
  uint16_t photometric = 0, bps = 1, spp = 1, planar = PLANARCONFIG_CONTIG, format = SAMPLEFORMAT_UINT;
  if (TIFFIsTiled(tif) || !TIFFGetField(tif, TIFFTAG_PHOTOMETRIC, &photometric)) return false;
  TIFFGetFieldDefaulted(tif, TIFFTAG_BITSPERSAMPLE, &bps);
  TIFFGetFieldDefaulted(tif, TIFFTAG_SAMPLESPERPIXEL, &spp);
  TIFFGetFieldDefaulted(tif, TIFFTAG_PLANARCONFIG, &planar);
  TIFFGetFieldDefaulted(tif, TIFFTAG_SAMPLEFORMAT, &format);
  if (format != SAMPLEFORMAT_UINT && format != SAMPLEFORMAT_VOID) return false;
  if (bps != 1 && bps != 4 && bps != 8) return false;
  switch (photometric) {
    case PHOTOMETRIC_MINISWHITE:
    case PHOTOMETRIC_MINISBLACK:
    case PHOTOMETRIC_PALETTE:
      if (spp != 1) return false;
      break;
    case PHOTOMETRIC_RGB:
      if (spp != 3 || planar != PLANARCONFIG_CONTIG) return false;
      break;
    default:
      return false;
  }
  layout->photometric = photometric;
  layout->bitsPerSample = bps;
  layout->samplesPerPixel = spp;
  return true;
}

// A colour-map value as 8 bits: maps written with 8-bit values are taken as they are.
inline BYTE MapValue(uint16_t v, bool eightBit) {
  return eightBit ? static_cast<BYTE>(v) : static_cast<BYTE>((v * 255u + 32767u) / 65535u);
}

bool FillColourTable(TIFF* tif, const Layout& layout, RGBQUAD* table) {
  const unsigned count = 1u << layout.bitsPerSample;
  if (layout.photometric == PHOTOMETRIC_PALETTE) {
    uint16_t *red = NULL, *green = NULL, *blue = NULL;
    if (!TIFFGetField(tif, TIFFTAG_COLORMAP, &red, &green, &blue) || !red || !green || !blue) return false;
    bool eightBit = true;
    for (unsigned i = 0; i < count && eightBit; ++i) {
      eightBit = red[i] < 256 && green[i] < 256 && blue[i] < 256;
    }
    for (unsigned i = 0; i < count; ++i) {
      table[i].rgbRed = MapValue(red[i], eightBit);
      table[i].rgbGreen = MapValue(green[i], eightBit);
      table[i].rgbBlue = MapValue(blue[i], eightBit);
      table[i].rgbReserved = 0;
    }
    return true;
  }
  // Grey: a ramp from black to white, reversed when zero is white.
  for (unsigned i = 0; i < count; ++i) {
    BYTE v = static_cast<BYTE>(i * 255u / (count - 1));
    if (layout.photometric == PHOTOMETRIC_MINISWHITE) v = static_cast<BYTE>(255 - v);
    table[i].rgbRed = table[i].rgbGreen = table[i].rgbBlue = v;
    table[i].rgbReserved = 0;
  }
  return true;
}

// One TIFF RGB row of `width` pixels as a 24-bit DIB row (blue, green, red).
void ConvertRgbRow(const BYTE* in, BYTE* out, uint32_t width, unsigned bps) {
  if (bps == 8) {
    for (uint32_t x = 0; x < width; ++x, in += 3, out += 3) {
      const BYTE r = in[0];
      out[0] = in[2];
      out[1] = in[1];
      out[2] = r;
    }
    return;
  }
  // 1 or 4 bits per sample, packed from the high bits, widened to 0 to 255.
  const unsigned maxValue = (1u << bps) - 1;
  const unsigned scale = 255 / maxValue;
  const size_t samples = static_cast<size_t>(width) * 3;
  for (size_t s = 0; s < samples; s += 3, out += 3) {
    for (unsigned k = 0; k < 3; ++k) {
      const size_t bit = (s + k) * bps;
      const unsigned shift = 8 - bps - static_cast<unsigned>(bit % 8);
      out[2 - k] = static_cast<BYTE>(((in[bit / 8] >> shift) & maxValue) * scale);
    }
  }
}

}  // namespace

HGLOBAL AllocDibHeader(int bitCount, LONG height, LONG width) {
  if (bitCount < 0 || bitCount > 32 || height <= 0 || width <= 0) return NULL;
  const WORD bits = bitCount <= 1 ? 1 : bitCount <= 4 ? 4 : bitCount <= 8 ? 8 : bitCount <= 24 ? 24 : 32;
  const unsigned long long stride = ((static_cast<unsigned long long>(bits) * width + 31) / 32) * 4;
  const unsigned long long imageBytes = stride * static_cast<unsigned long long>(height);
  if (imageBytes > kMaxImageBytes) return NULL;
  BITMAPINFOHEADER header;
  memset(&header, 0, sizeof(header));
  header.biSize = sizeof(BITMAPINFOHEADER);
  header.biWidth = width;
  header.biHeight = height;
  header.biPlanes = 1;
  header.biBitCount = bits;
  header.biCompression = BI_RGB;
  header.biSizeImage = static_cast<DWORD>(imageBytes);
  header.biXPelsPerMeter = 2834;
  header.biYPelsPerMeter = 2834;
  const unsigned long long blockSize = sizeof(header) + 4ULL * DIBColorCount(&header) + imageBytes;
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, static_cast<SIZE_T>(blockSize));
  void* p = block != NULL ? GlobalLock(block) : NULL;
  if (p == NULL) {
    if (block != NULL) GlobalFree(block);
    return NULL;
  }
  memcpy(p, &header, sizeof(header));
  GlobalUnlock(block);
  return block;
}

extern "C" HGLOBAL UITiffConvertToDIB(const char* path) {
  if (path == NULL) return NULL;
  SilentTiff silent;
  TiffFile file(path);
  TIFF* tif = file.Get();
  if (tif == NULL) return NULL;

  uint32_t width = 0, length = 0;
  Layout layout;
  if (!TIFFGetField(tif, TIFFTAG_IMAGEWIDTH, &width) || !TIFFGetField(tif, TIFFTAG_IMAGELENGTH, &length) ||
      width == 0 || length == 0 || width > 0x7FFFFFFFu || length > 0x7FFFFFFFu || !ReadLayout(tif, &layout))
    return NULL;
  const unsigned long long scanline =
      (static_cast<unsigned long long>(width) * layout.bitsPerSample * layout.samplesPerPixel + 7) / 8;
  if (TIFFScanlineSize64(tif) != scanline) return NULL;
  uint32_t rowsPerStrip = 0;
  TIFFGetFieldDefaulted(tif, TIFFTAG_ROWSPERSTRIP, &rowsPerStrip);
  if (rowsPerStrip == 0 || rowsPerStrip > length) rowsPerStrip = length;

  const int bitCount = layout.samplesPerPixel == 3 ? 24 : layout.bitsPerSample;
  uiimg::GlobalBlock dib(AllocDibHeader(bitCount, static_cast<LONG>(length), static_cast<LONG>(width)));
  BYTE* p = dib.Data();
  if (p == NULL) return NULL;
  const BITMAPINFOHEADER* header = reinterpret_cast<const BITMAPINFOHEADER*>(p);
  RGBQUAD* table = reinterpret_cast<RGBQUAD*>(p + sizeof(BITMAPINFOHEADER));
  const UINT colours = DIBColorCount(header);
  if (colours != 0 && !FillColourTable(tif, layout, table)) return NULL;
  BYTE* bits = p + sizeof(BITMAPINFOHEADER) + 4 * colours;
  const size_t stride = header->biSizeImage / length;

  const unsigned long long bufferBytes = scanline * rowsPerStrip;
  if (bufferBytes > kMaxImageBytes) return NULL;
  std::unique_ptr<BYTE[]> buffer(new (std::nothrow) BYTE[static_cast<size_t>(bufferBytes)]);
  if (!buffer) return NULL;
  const uint32_t strips = TIFFNumberOfStrips(tif);
  for (uint32_t row = 0; row < length;) {
    const uint32_t strip = TIFFComputeStrip(tif, row, 0);
    const uint32_t rows = length - row < rowsPerStrip ? length - row : rowsPerStrip;
    const tmsize_t wanted = static_cast<tmsize_t>(scanline * rows);
    // A damaged strip may be reported as read with rows left unwritten (a badly terminated
    // fax strip): they come out blank, not as what the buffer held before.
    memset(buffer.get(), 0, static_cast<size_t>(wanted));
    if (strip >= strips || TIFFReadEncodedStrip(tif, strip, buffer.get(), wanted) < wanted) return NULL;
    for (uint32_t r = 0; r < rows; ++r, ++row) {
      const BYTE* in = buffer.get() + scanline * r;
      BYTE* out = bits + stride * (length - 1 - row);  // the first TIFF row is the last DIB row
      if (layout.samplesPerPixel == 3) {
        ConvertRgbRow(in, out, width, layout.bitsPerSample);
      } else {
        memcpy(out, in, static_cast<size_t>(scanline));
      }
    }
  }
  return dib.Release();
}
