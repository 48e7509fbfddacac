// The drawing resources that the portable start-up makes for the views: two sets of 8 x 8
// pattern brushes cut from monochrome bitmap strips, and a palette for palette-index colours.
#pragma once
#include <framework.h>

#include <vector>

// Resources of the library: the strips of fill patterns and of line patterns.
enum { IDB_GUI_FILL_PATTERNS = 260, IDB_GUI_LINE_PATTERNS = 259 };

// A strip of 8 x 8 monochrome patterns (its height / 8 of them); each brush is made on first
// use and lives as long as the set.
class GUIPatternSet {
 public:
  GUIPatternSet() = default;
  ~GUIPatternSet();
  GUIPatternSet(const GUIPatternSet&) = delete;
  GUIPatternSet& operator=(const GUIPatternSet&) = delete;

  // Loads the strip through the framework's resource search; false when it is missing.
  bool Init(UINT bitmapId);
  int GetNumBrushes() const { return m_count; }
  // Pattern brush i; NULL outside 0 to count - 1 or when it cannot be made.
  HBRUSH operator[](int i);

 private:
  HBITMAP m_strip = NULL;
  int m_count = 0;
  std::vector<HBRUSH> m_brushes;
};

// The fill patterns, the line patterns and the palette while the platform part is started;
// null otherwise.
GUIPatternSet* GUIGetFillPatterns();
GUIPatternSet* GUIGetLinePatterns();
CPalette* GUIGetPalette();
