// The status bar's use of the portable image lists.
#include "StatusImages.h"

#include "QvImage.h"

namespace {
// The bar's default images: a strip of 16-pixel images that the host carries.
const unsigned short kDefaultImagesId = 3998;
const unsigned short kDefaultImageWidth = 16;
}  // namespace

QvImageList* StatusMakeDefaultImages() { return new QvImageList(kDefaultImagesId, kDefaultImageWidth); }

void StatusDeleteImages(QvImageList* list) { delete list; }

unsigned short StatusImageWidth(QvImageList* list) {
  if (!list) return 0;
  // The standard list's images are 16 pixels wide.
  return list->GetImageWidth() == QvRootImageList::kStandardWidth ? 16 : list->GetImageWidth();
}

void StatusDrawImage(QvImageList* list, short index, HDC dc, int x, int y) {
  if (!list || index < 0) return;
  HIMAGELIST images = list->GetImageList().GetSafeHandle();
  if (images) ::ImageList_Draw(images, index, dc, x, y, ILD_NORMAL);
}
