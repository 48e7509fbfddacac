// Drawing resources shared by every GDI view of the process: the fill patterns, the dash
// patterns and the palette. Held from the first view that needs them until unload.
#include "UIView.h"

#include "DrawingResources.h"

BOOL UIViewPrepareSharedResources() { return quarnel::HoldDrawingResources(quarnel::kFrameworkViews); }

void UIViewReleaseSharedResources() { quarnel::ReleaseDrawingResources(quarnel::kFrameworkViews); }

BrushArrayRec* UIViewFillPatterns() { return quarnel::FillPatterns(); }
BrushArrayRec* UIViewDashPatterns() { return quarnel::DashPatterns(); }
CPalette* UIViewPalette() { return quarnel::LibraryPalette(); }
