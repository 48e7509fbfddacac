// The status bar's use of image lists. Until the portable image lists are part of this layer
// a bar has no default list: picture panes are 2 pixels wide and draw nothing.
#include "StatusImages.h"

QvImageList* StatusMakeDefaultImages() { return nullptr; }
void StatusDeleteImages(QvImageList*) {}
unsigned short StatusImageWidth(QvImageList*) { return 0; }
void StatusDrawImage(QvImageList*, short, HDC, int, int) {}
