// Pictures of the portable layer: an image held as a framework bitmap, named by a bitmap
// resource or loaded from a .bmp file as a packed DIB; strips of equal images held as a
// framework image list; the drawing of an image in a rectangle in its display modes and
// states, and the image control window.
//
// A pair image holds two images side by side: the image in the left half and its companion
// (a mask, white where transparent, or a second state) in the right half.
//
// Archive record of a QvImage (after its class name): unsigned 16-bit resource id, unsigned
// 16-bit pair flag (0 or 1), unsigned 32-bit size of the packed DIB that follows as a memory
// block (0: none follows). The DIB is that of the image's bitmap (or, for an image known by
// resource id, of the resource bitmap); a reader keeps it only for an image without resource
// id, and always reads past it.
#pragma once
#include <vekkel.h>

#include <fw_dc.h>
#include <fw_gdi.h>
#include <fw_imagelist.h>

#include "quarnel_api.h"

class QUARNEL_API QvRootImage : public QvFirst {
 public:
  QvRootImage() : m_resourceId(0), m_pair(false) {}
  QvRootImage(unsigned short id, bool pair) : m_resourceId(id), m_pair(pair) {}
  unsigned short GetResourceId() const { return m_resourceId; }
  bool IsPair() const { return m_pair; }

 protected:
  unsigned short m_resourceId;  // 0: none
  bool m_pair;
};

class QUARNEL_API QvImage : public QvRootImage {
  QV_DECLARE_CREATABLE(QvImage)

 public:
  QvImage() : m_bitmap(nullptr), m_dib(NULL) {}
  QvImage(unsigned short id, bool pair) : QvRootImage(id, pair), m_bitmap(nullptr), m_dib(NULL) {}
  // Takes ownership of the bitmap (which may be null).
  QvImage(CBitmap* bitmap, bool pair) : QvRootImage(0, pair), m_bitmap(bitmap), m_dib(NULL) {}
  ~QvImage() override;

  void SerializeIn(QvArchiveIn& archive) override;
  void SerializeOut(QvArchiveOut& archive) override;

  // The DIB's size when there is one; else the bitmap's (or the resource bitmap's), the width
  // halved for a pair image; 0 when no size can be found.
  virtual long GetHeight();
  virtual long GetWidth();
  // Loads the .bmp file (UTF-8 path) as the image's DIB in place of the one it had; true when
  // a DIB was loaded. A failed load leaves the image without DIB.
  virtual bool LoadDIBImage(const char* path);
  // Draws the DIB (the part source, y counted from the top; null: all of it) into the
  // destination: copied at the same size, else stretched. False when there is no DIB, the
  // destination is empty or nothing could be drawn.
  virtual bool DrawDIBImage(CDC* dc, RECT* destination, RECT* source);

  CBitmap* GetBitmap() const { return m_bitmap; }
  HGLOBAL GetDIB() const { return m_dib; }
  // The image's bitmap, or its resource bitmap loaded into holder; NULL when neither exists.
  HBITMAP BitmapForUse(CBitmap& holder) const;

 private:
  QvImage(const QvImage&) = delete;
  QvImage& operator=(const QvImage&) = delete;
  void FreeDIB();

  CBitmap* m_bitmap;  // owned
  HGLOBAL m_dib;      // owned packed DIB
};

// Reads a QvImage written with QvArchiveOut::WriteObject; null (and the archive failed) for
// an object of another class.
QUARNEL_API QvArchiveIn& operator>>(QvArchiveIn& archive, QvImage*& image);

// The framework image list of the portable image lists.
class QUARNEL_API CGUIImageList : public CImageList {
 public:
  // The size of image 0; FALSE (size unchanged) when the list has no image.
  BOOL GetImageSize(CSize& size);
};

class QUARNEL_API QvRootImageList : public QvFirst {
 public:
  // Image width of the standard list of 16 x 15 images with light grey transparent.
  static const unsigned short kStandardWidth = 65535;
  QvRootImageList(unsigned short bitmapId, unsigned short width) : m_bitmapId(bitmapId), m_width(width) {}
  unsigned short GetBitmapId() const { return m_bitmapId; }
  unsigned short GetImageWidth() const { return m_width; }

 protected:
  unsigned short m_bitmapId;
  unsigned short m_width;
};

class QUARNEL_API QvImageList : public QvRootImageList {
 public:
  // The images of the strip resource (left half images, right half masks) of that width;
  // kStandardWidth takes the whole resource as 16 x 15 images. A failed load leaves it empty.
  QvImageList(unsigned short bitmapId, unsigned short width);
  ~QvImageList() override;

  virtual long GetHeight();
  // A new image (the caller owns it) holding image `index`, and with pair its companion on
  // the right; null for an index outside the list or when it cannot be made.
  virtual QvImage* PickImage(unsigned short index, bool pair);

  CGUIImageList& GetImageList() { return m_list; }

 private:
  QvImageList(const QvImageList&) = delete;
  QvImageList& operator=(const QvImageList&) = delete;
  CGUIImageList m_list;
};

