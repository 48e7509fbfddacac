// Finds the links of a text in one pass, left to right: every search for a character or a
// word remembers where it found it, so the characters after a position are looked at a
// bounded number of times whatever the text holds.
#pragma once
#include <string>

namespace quarnel {

struct FoundLink {
  int start = 0;      // first character of the link's source
  int sourceEnd = 0;  // after the link's source
  int kind = 1;
  std::wstring caption;
  std::wstring target;
};

class LinkScanner {
 public:
  LinkScanner(const wchar_t* text, int length);
  // The next link after the previous one; false at the end of the text.
  bool Next(FoundLink& link);
  // Characters looked at so far.
  long long Work() const { return m_work; }

 private:
  // First position at or after `from` where `pred` holds (the length when none), remembered
  // for later searches from positions up to it.
  class Finder {
   public:
    int Find(const LinkScanner& s, int from, bool (*pred)(const wchar_t*, int, int));
   private:
    int m_from = -1;   // the search that found m_found started here
    int m_found = -1;
  };

  bool AnchorAt(int pos, FoundLink& link, int& resume);
  bool AddressAt(int pos, FoundLink& link);
  bool StartsWith(int pos, const wchar_t* prefix) const;
  bool StartsWithScheme(int pos) const;

  const wchar_t* m_text;
  int m_length;
  int m_pos = 0;
  mutable long long m_work = 0;
  Finder m_quote, m_close, m_endAnchor, m_tokenEnd, m_at, m_colon, m_dot;
};

// Adds the scheme a target without one needs ("mailto:", "http://", "ftp://" or "file://").
std::wstring NormaliseTarget(const std::wstring& target);
bool IsLinkBlank(wchar_t c);

}  // namespace quarnel
