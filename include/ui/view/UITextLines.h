// Lines of a text laid out by the drawing view.
#pragma once
#include "quarnel_api.h"

#include <QvContainers.h>

// One line: where it starts in the laid-out text, its length, its size in image units, whether
// it holds the rest of its paragraph, and its break characters (for justification).
struct TextLineInfo {
  wchar_t const* text;
  int length;
  int cx;
  int cy;
  bool endsParagraph;
  short blanks;
};

// Owns its records: Add copies the record; a copy of the array copies every record, so each
// array frees only its own.
class QUARNEL_API TextLineInfoArray : public QvArrayLPVoid {
 public:
  TextLineInfoArray() = default;
  TextLineInfoArray(const TextLineInfoArray& other);
  TextLineInfoArray& operator=(const TextLineInfoArray& other);
  ~TextLineInfoArray() override;

  void Add(TextLineInfo const& line);
  TextLineInfo& Line(long i) const { return *static_cast<TextLineInfo*>(GetAt(i)); }
  void RemoveAll();
};

// Process-wide: non-zero lets the next text drawn in a rectangle show its links; the view sets
// it back to 1 after each such text, so 0 suppresses links for one call.
QUARNEL_API int& SupportedHyperlinks();

// Far-East line-breaking rules of the earlier edition: whether the (one- or two-byte) character
// at the start of the text, in the UI language's code page, may not begin, respectively end, a
// line (FarEastRules.h). The current edition answers 0; the view applies the same rules to its
// UTF-16 text in both editions.
QUARNEL_API int IsFarEastFollowingChars(unsigned char* text);
QUARNEL_API int IsFarEastLeadingChars(unsigned char* text);
