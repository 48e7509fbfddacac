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
    // `scan(from)` answers the first position at or after `from` (the length when none).
    template <class Scan>
    int Find(const LinkScanner& s, int from, Scan scan) {
      if (m_found >= 0 && from >= m_from && from <= m_found) return m_found;
      const int pos = scan(from);
      s.m_work += pos - from + 1;
      m_from = from;
      m_found = pos;
      return pos;
    }

   private:
    int m_from = -1;   // the search that found m_found started here
    int m_found = -1;
  };

  bool AnchorAt(int pos, FoundLink& link, int& resume);
  // `resume`: where the scan goes on when no address starts here.
  bool AddressAt(int pos, FoundLink& link, int& resume);
  bool StartsWith(int pos, const wchar_t* prefix) const;
  int FindChar(int from, wchar_t c) const;
  int FindTokenEnd(int from) const;
  int FindEndAnchor(int from) const;
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
