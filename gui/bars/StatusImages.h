// What the status bar needs of the portable image lists: the bar's default list, the width
// of an image and the drawing of one image in a pane.
#pragma once
#include <windows.h>

class QvImageList;

// The list of bitmap resource 3998 (16-pixel images) found through the framework's resource
// chain; null when it cannot be made.
QvImageList* StatusMakeDefaultImages();
void StatusDeleteImages(QvImageList* list);
// The width of one image of the list; 0 for none.
unsigned short StatusImageWidth(QvImageList* list);
// Draws image `index` of the list at (x, y); nothing for -1, no list or a list without images.
void StatusDrawImage(QvImageList* list, short index, HDC dc, int x, int y);
