#include "LinkScanner.h"

#include <cwchar>

namespace quarnel {

namespace {

const wchar_t* const kSchemes[] = {L"http://", L"https://", L"mailto:", L"file://",  L"ftp://", L"telnet://",
                                   L"news://", L"gopher://", L"nntp://", L"wais://", L"qv://",  L"vba://"};
const wchar_t kInternalScheme[] = L"qv://";

// The prefixes are ASCII: folding ASCII letters is enough.
wchar_t Folded(wchar_t c) { return c >= L'A' && c <= L'Z' ? static_cast<wchar_t>(c + (L'a' - L'A')) : c; }
bool SameLetter(wchar_t a, wchar_t b) { return Folded(a) == Folded(b); }

bool PrefixOf(const wchar_t* text, int length, int pos, const wchar_t* prefix) {
  for (int i = 0; prefix[i] != 0; ++i)
    if (pos + i >= length || !SameLetter(text[pos + i], prefix[i])) return false;
  return true;
}

}  // namespace

bool IsLinkBlank(wchar_t c) { return c == L' ' || c == L'\t' || c == L'\n' || c == L'\r'; }

std::wstring NormaliseTarget(const std::wstring& target) {
  if (target.find(L':') != std::wstring::npos) return target;
  if (target.find(L'@') != std::wstring::npos) return L"mailto:" + target;
  const int n = static_cast<int>(target.size());
  if (PrefixOf(target.c_str(), n, 0, L"www.")) return L"http://" + target;
  if (PrefixOf(target.c_str(), n, 0, L"ftp.")) return L"ftp://" + target;
  return L"file://" + target;
}

LinkScanner::LinkScanner(const wchar_t* text, int length) : m_text(text), m_length(text != nullptr && length > 0 ? length : 0) {}

int LinkScanner::FindChar(int from, wchar_t c) const {
  if (from >= m_length) return m_length;
  const wchar_t* p = std::wmemchr(m_text + from, c, static_cast<size_t>(m_length - from));
  return p != nullptr ? static_cast<int>(p - m_text) : m_length;
}

// An address ends at a blank, and at an angle bracket: neither belongs to an address, and a
// bracket marks the markup round it.
int LinkScanner::FindTokenEnd(int from) const {
  int pos = from;
  while (pos < m_length && !IsLinkBlank(m_text[pos]) && m_text[pos] != L'<' && m_text[pos] != L'>') ++pos;
  return pos;
}

int LinkScanner::FindEndAnchor(int from) const {
  for (int pos = FindChar(from, L'<'); pos < m_length; pos = FindChar(pos + 1, L'<'))
    if (StartsWith(pos, L"</a>")) return pos;
  return m_length;
}

bool LinkScanner::StartsWith(int pos, const wchar_t* prefix) const { return PrefixOf(m_text, m_length, pos, prefix); }

bool LinkScanner::StartsWithScheme(int pos) const {
  for (const wchar_t* scheme : kSchemes)
    if (StartsWith(pos, scheme)) return true;
  return false;
}

bool LinkScanner::AnchorAt(int pos, FoundLink& link, int& resume) {
  int q = pos + 2;
  while (q < m_length && IsLinkBlank(m_text[q])) ++q;
  m_work += q - pos;
  resume = q;
  if (m_length - q < 6 || !StartsWith(q, L"href=\"")) return false;
  q += 6;
  resume = q;
  const int kind = (m_length - q <= 5) ? 1 : (StartsWith(q, kInternalScheme) ? 2 : 1);
  const int quote = m_quote.Find(*this, q, [this](int f) { return FindChar(f, L'"'); });
  if (quote >= m_length) return false;
  const int close = m_close.Find(*this, quote + 1, [this](int f) { return FindChar(f, L'>'); });
  if (close >= m_length) return false;  // no '>': the anchor never ends
  const int end = m_endAnchor.Find(*this, close + 1, [this](int f) { return FindEndAnchor(f); });
  if (end >= m_length) return false;
  std::wstring target;
  for (int i = q; i < quote; ++i) {
    if (IsLinkBlank(m_text[i]))
      target += L"%20";
    else
      target += m_text[i];
  }
  link.start = pos;
  link.sourceEnd = end + 4;
  link.kind = kind;
  link.caption.assign(m_text + close + 1, m_text + end);
  link.target = NormaliseTarget(target);
  return true;
}

bool LinkScanner::AddressAt(int pos, FoundLink& link, int& resume) {
  const int end = m_tokenEnd.Find(*this, pos, [this](int f) { return FindTokenEnd(f); });
  resume = pos + 1;
  if (end == pos) return false;
  const int at = m_at.Find(*this, pos, [this](int f) { return FindChar(f, L'@'); });
  const int colon = m_colon.Find(*this, pos, [this](int f) { return FindChar(f, L':'); });
  const int dot = m_dot.Find(*this, pos, [this](int f) { return FindChar(f, L'.'); });
  if (at >= end && colon >= end && dot >= end) {
    resume = end;  // no later position of the word has any of them either
    return false;
  }
  const bool hostPrefix = StartsWith(pos, L"www.") || StartsWith(pos, L"ftp.");
  bool starts;
  if (colon < end && colon < at)
    starts = StartsWithScheme(pos) || hostPrefix;
  else if (at >= end || at == pos)
    starts = hostPrefix;
  else
    starts = true;  // a word with an '@' further on: a mail address
  if (!starts) return false;
  link.start = pos;
  link.sourceEnd = end;
  link.kind = (m_length - pos <= 5) ? 1 : (StartsWith(pos, kInternalScheme) ? 2 : 1);
  const std::wstring address(m_text + pos, m_text + end);
  link.caption.clear();
  for (size_t i = 0; i < address.size(); ++i) {
    if (address.compare(i, 3, L"%20") == 0) {
      link.caption += L' ';
      i += 2;
    } else {
      link.caption += address[i];
    }
  }
  link.target = NormaliseTarget(address);
  return true;
}

bool LinkScanner::Next(FoundLink& link) {
  while (m_pos < m_length) {
    const int pos = m_pos;
    ++m_work;
    if (m_text[pos] == L'<') {
      int resume = pos + 1;
      if (StartsWith(pos, L"<a") && AnchorAt(pos, link, resume)) {
        m_pos = link.sourceEnd;
        return true;
      }
      m_pos = resume;
      continue;
    }
    if (IsLinkBlank(m_text[pos])) {  // no address starts at a blank
      ++m_pos;
      continue;
    }
    int resume = pos + 1;
    if (AddressAt(pos, link, resume)) {
      m_pos = link.sourceEnd;
      return true;
    }
    m_pos = resume;
  }
  return false;
}

}  // namespace quarnel
