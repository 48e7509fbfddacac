/* Resource ids of the library's bitmaps that both sides draw with (read by resource scripts
   too, hence plain definitions). Each strip holds 8 x 8 monochrome patterns stacked
   vertically. */
#ifndef QUARNEL_SHARED_BITMAPS_H
#define QUARNEL_SHARED_BITMAPS_H

/* 8 dash patterns: four horizontal, then the same four vertical. */
#define IDB_DASH_PATTERNS 259
/* 20 fill patterns, by QvGUIPattern value - 1. */
#define IDB_FILL_PATTERNS 260
/* Line patterns of the portable views; the first three are the line-width samples. */
#define IDB_LINE_WIDTH_PATTERNS 261

#endif
