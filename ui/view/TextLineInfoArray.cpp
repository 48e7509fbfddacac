// Lines of a laid-out text, each record owned by exactly one array.
#include "UITextLines.h"

#include "FarEastRules.h"

TextLineInfoArray::TextLineInfoArray(const TextLineInfoArray& other) : QvArrayLPVoid() { *this = other; }

TextLineInfoArray& TextLineInfoArray::operator=(const TextLineInfoArray& other) {
  if (this == &other) return *this;
  RemoveAll();
  for (long i = 0; i < other.GetSize(); ++i) Add(other.Line(i));
  return *this;
}

TextLineInfoArray::~TextLineInfoArray() { RemoveAll(); }

void TextLineInfoArray::Add(TextLineInfo const& line) {
  TextLineInfo* copy = new TextLineInfo(line);
  try {
    QvArrayLPVoid::Add(copy);
  } catch (...) {
    delete copy;
    throw;
  }
}

void TextLineInfoArray::RemoveAll() {
  for (long i = 0; i < GetSize(); ++i) delete static_cast<TextLineInfo*>(GetAt(i));
  QvArrayLPVoid::RemoveAll();
}

int& SupportedHyperlinks() {
  static int supported = 1;
  return supported;
}

#ifdef UNICODE
int IsFarEastFollowingChars(unsigned char*) { return 0; }
int IsFarEastLeadingChars(unsigned char*) { return 0; }
#else
int IsFarEastFollowingChars(unsigned char* text) { return FarEastMayNotBegin(reinterpret_cast<char*>(text)) ? 1 : 0; }
int IsFarEastLeadingChars(unsigned char* text) { return FarEastMayNotEnd(reinterpret_cast<char*>(text)) ? 1 : 0; }
#endif
