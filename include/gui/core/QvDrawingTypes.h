// Enumerations of the drawing interface shared by the portable view and the framework's drawing
// view: line dashes, fill patterns, draw modes, text alignment, image units.
#pragma once

// Dash style of lines: 0 solid, 1 alternate pixels, 2 short dashes, 3 long dashes, 4 dash-dot.
enum QvDashLine { QvSolidLine = 0, QvDottedLine = 1, QvShortDashLine = 2, QvLongDashLine = 3, QvDashDotLine = 4 };

// Fill pattern: 0 no fill, 1 all background, 2 solid foreground, 3 to 8 shadings from three
// quarters down to a thirty-second of foreground, 9 to 20 hatches and textures.
enum QvGUIPattern : int { QvNoPattern = 0, QvBackPattern = 1, QvSolidPattern = 2, QvLastPattern = 20 };

// 0 copy; 1 exclusive (a second identical drawing erases the first).
enum QvDrawMode { QvCopyMode = 0, QvXorMode = 1 };

enum QvVerticalAlign { QvAlignTop = 0, QvAlignBottom = 1, QvAlignVCenter = 2 };
enum QvHorizontalAlign { QvAlignLeft = 0, QvAlignRight = 1, QvAlignHCenter = 2, QvAlignJustify = 3 };
// 0 reads upwards (escapement 90), 1 reads downwards (270), 2 characters stacked.
enum QvVertDrawStyle { QvVertUp = 0, QvVertDown = 1, QvVertStacked = 2 };

// 1 twips; any other value pixels.
enum QvImageUnitType { QvPixelUnit = 0, QvTwipsUnit = 1 };

// Kind of drawing surface; the drawing views answer 1.
enum QvDevType { QvScreenDevice = 1 };

// How an image is fitted into its rectangle.
enum QvImageDisplay : int {};
