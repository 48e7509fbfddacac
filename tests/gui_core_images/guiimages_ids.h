// Resource ids of the portable image tests.
#pragma once
// strip.bmp, 32 x 8: two 8-pixel images on light grey, then their masks. Image 0: red square
// at 2..5 with a dark grey pixel at (3, 3). Image 1: blue square at 1..6 with a black pixel
// at (2, 4).
#define IDB_STRIP 300
// 32 x 15: two 16 x 15 images on light grey, a red (then a blue) block at x 4..11, y 4..10.
#define IDB_STANDARD_STRIP 302
