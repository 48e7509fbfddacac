/* Resource ids of the bitmaps of the platform controls (read by the resource script too,
   hence plain definitions). */
#ifndef QUARNEL_GUI_WIDGET_BITMAPS_H
#define QUARNEL_GUI_WIDGET_BITMAPS_H

/* The marks of the font-name list, 16 x 16 each, masks in the right half: 0 a device
   (printer) font, 1 a TrueType font. */
#define IDB_FONT_TYPES 258

#endif
