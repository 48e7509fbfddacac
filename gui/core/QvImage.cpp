// Portable images: sizes, .bmp files, DIB drawing and the image's archive record.
#include "QvImage.h"

#include "UIHandles.h"
#include "UIImages.h"
#include "UITrace.h"

#include <string.h>

#include <string>

namespace {

UlmLogger s_log("QvImage");

// UTF-8 to the file system's text (UTF-16; the ANSI code page in the earlier edition).
std::basic_string<TCHAR> FileSystemPath(const char* utf8) {
  const int n = MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8, -1, NULL, 0);
  if (n <= 0) return std::basic_string<TCHAR>();
  std::wstring wide(static_cast<size_t>(n), L'\0');
  MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8, -1, &wide[0], n);
  wide.resize(static_cast<size_t>(n - 1));
#ifdef UNICODE
  return wide;
#else
  const int m = WideCharToMultiByte(CP_ACP, 0, wide.c_str(), -1, NULL, 0, NULL, NULL);
  if (m <= 0) return std::string();
  std::string narrow(static_cast<size_t>(m), '\0');
  WideCharToMultiByte(CP_ACP, 0, wide.c_str(), -1, &narrow[0], m, NULL, NULL);
  narrow.resize(static_cast<size_t>(m - 1));
  return narrow;
#endif
}

}  // namespace

QV_IMPLEMENT_CREATABLE(QvImage, nullptr)
QV_CLASSINIT(QvImage)

QvImage::~QvImage() {
  delete m_bitmap;
  FreeDIB();
}

void QvImage::FreeDIB() {
  if (m_dib != NULL) GlobalFree(m_dib);
  m_dib = NULL;
}

HBITMAP QvImage::BitmapForUse(CBitmap& holder) const {
  if (m_bitmap != nullptr && m_bitmap->GetSafeHandle() != NULL) return static_cast<HBITMAP>(m_bitmap->GetSafeHandle());
  if (m_resourceId == 0 || !holder.LoadBitmap(m_resourceId)) return NULL;
  return static_cast<HBITMAP>(holder.GetSafeHandle());
}

// The DIB's size, else the bitmap's (the width halved for a pair image); 0 x 0 when none.
static SIZE SizeOf(const QvImage& image) {
  SIZE size = {0, 0};
  if (image.GetDIB() != NULL) {
    if (!GetPackedDIBSize(image.GetDIB(), &size)) size = SIZE{0, 0};
    return size;
  }
  CBitmap holder;
  BITMAP bm;
  HBITMAP bmp = image.BitmapForUse(holder);
  if (bmp != NULL && GetObject(bmp, sizeof bm, &bm) != 0)
    size = SIZE{image.IsPair() ? bm.bmWidth / 2 : bm.bmWidth, bm.bmHeight};
  return size;
}

long QvImage::GetHeight() { return SizeOf(*this).cy; }
long QvImage::GetWidth() { return SizeOf(*this).cx; }

bool QvImage::LoadDIBImage(const char* path) {
  FreeDIB();
  if (path == nullptr) {
    UI_TRACE_REFUSED(s_log, "no path");
    return false;
  }
  const std::basic_string<TCHAR> name = FileSystemPath(path);
  if (name.empty()) {
    UI_TRACE_REFUSED(s_log, "path not UTF-8");
    return false;
  }
  // The file is read with its own bounds: LoadDIB honours the bits offset, every header size
  // and bit fields, and refuses sizes the file does not hold.
  m_dib = LoadDIB(name.c_str());
  return m_dib != NULL;
}

bool QvImage::DrawDIBImage(CDC* dc, RECT* destination, RECT* source) {
  if (m_dib == NULL || dc == nullptr || destination == nullptr || IsRectEmpty(destination)) return false;
  return DrawPackedDIB(dc->GetSafeHdc(), m_dib, *destination, source) != FALSE;
}

void QvImage::SerializeOut(QvArchiveOut& archive) {
  CBitmap holder;
  HBITMAP bmp = BitmapForUse(holder);
  QvFirst::SerializeOut(archive);
  archive << m_resourceId << static_cast<unsigned short>(m_pair ? 1 : 0);
  DWORD size = 0;
  HGLOBAL dib = bmp != NULL ? BMP2DIB(NULL, bmp, &size) : NULL;
  if (dib == NULL) {
    // Also for an image with nothing to show: its record stays whole, so that what follows
    // it in the archive is read in step.
    archive << static_cast<unsigned long>(0);
    return;
  }
  const void* bytes = GlobalLock(dib);
  archive << static_cast<unsigned long>(size) << QvMemory(bytes, size);
  GlobalUnlock(dib);
  GlobalFree(dib);
}

void QvImage::SerializeIn(QvArchiveIn& archive) {
  QvFirst::SerializeIn(archive);
  unsigned short id = 0, pair = 0;
  unsigned long size = 0;
  archive >> id >> pair >> size;
  QvMemory block;
  if (size != 0) archive >> block;  // read in every case: the record ends after it
  if (archive.Failed()) return;
  if (block.GetSize() != size) {
    UI_TRACE_REFUSED(s_log, "DIB block of another size than recorded");
    archive.SetFailed();
    return;
  }
  m_resourceId = id;
  m_pair = pair != 0;
  if (id != 0 || size == 0) return;
  HGLOBAL copy = GlobalAlloc(GMEM_MOVEABLE, size);
  void* p = copy != NULL ? GlobalLock(copy) : nullptr;
  if (p == nullptr) {
    UI_TRACE_FAILED(s_log, "GlobalAlloc");
    if (copy != NULL) GlobalFree(copy);
    return;
  }
  memcpy(p, block.GetData(), size);
  GlobalUnlock(copy);
  HBITMAP bmp = DIB2BMP(NULL, copy);  // refuses a malformed or short DIB
  GlobalFree(copy);
  if (bmp == NULL) return;
  CBitmap* bitmap = new CBitmap;
  bitmap->Attach(bmp);
  delete m_bitmap;
  m_bitmap = bitmap;
}

QvArchiveIn& operator>>(QvArchiveIn& archive, QvImage*& image) {
  image = static_cast<QvImage*>(archive.ReadObject(QV_RUNTIME_CLASS(QvImage)));
  return archive;
}
