// TIFF images as packed DIBs (see UIImages.h for the packed-DIB layout).
#pragma once
#include "quarnel_api.h"

#include <windows.h>

// Reads the first image of a TIFF file into a new packed DIB (bottom-up rows padded to 4
// bytes), owned by the caller. The path is UTF-8 (text that is not valid UTF-8 is taken in
// the ANSI code page). Converted: bilevel, 4- and 8-bit grey (either photometric, with a grey
// ramp), 1-, 4- and 8-bit palette images and RGB with 1, 4 or 8 bits per sample (as 24-bit),
// in strips with contiguous samples. NULL for anything else (16-bit samples, alpha, planar
// samples, tiles, other colour spaces), for files that are not TIFF or are damaged, and on
// any failure. libtiff's error and warning handlers are silenced for the call.
extern "C" QUARNEL_API HGLOBAL UITiffConvertToDIB(const char* path);

// A new zero-filled packed DIB of width x height pixels: its header filled (bit count 1, 4,
// 8, 24 or 32: the smallest that holds bitCount; 72 dpi; no compression), room for the full
// colour table of the depth and the padded rows. NULL for sizes that are not positive, bit
// counts above 32, images larger than a DIB can describe, or when memory is short.
QUARNEL_API HGLOBAL AllocDibHeader(int bitCount, LONG height, LONG width);
