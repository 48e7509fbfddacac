// Links in text: finding anchors and addresses, the displayed text, hit testing, the look of
// a link and opening it.
#include "UILinks.h"

#include <UIHandles.h>
#include <shellapi.h>
#include <wchar.h>

#include <algorithm>
#include <memory>
#include <new>

namespace {

const wchar_t* const kSchemes[] = {L"http://", L"https://", L"mailto:",  L"file://", L"ftp://", L"telnet://",
                                   L"news://", L"gopher://", L"nntp://", L"wais://", L"qv://",  L"vba://"};

bool IsBlank(wchar_t c) { return c == L' ' || c == L'\t' || c == L'\n' || c == L'\r'; }

// Whether text[at, end) begins with prefix, ASCII letters compared without case.
bool StartsWith(const wchar_t* text, int at, int end, const wchar_t* prefix) {
  for (int i = at; *prefix != 0; ++i, ++prefix) {
    if (i >= end || towlower(text[i]) != towlower(*prefix)) return false;
  }
  return true;
}

int Find(const wchar_t* text, int from, int end, const wchar_t* what) {
  for (int i = from; i < end; ++i)
    if (StartsWith(text, i, end, what)) return i;
  return -1;
}

bool StartsWithScheme(const std::wstring& s) {
  for (const wchar_t* scheme : kSchemes)
    if (StartsWith(s.c_str(), 0, static_cast<int>(s.size()), scheme)) return true;
  return false;
}

bool StartsWithHost(const wchar_t* text, int at, int end) {
  return StartsWith(text, at, end, L"www.") || StartsWith(text, at, end, L"ftp.");
}

void ReplaceAll(std::wstring& s, const wchar_t* from, const wchar_t* to) {
  const size_t n = wcslen(from), m = wcslen(to);
  for (size_t at = s.find(from); at != std::wstring::npos; at = s.find(from, at + m)) s.replace(at, n, to);
}

// A target without a scheme gets the one its form implies.
void Normalise(std::wstring& target) {
  if (target.find(L':') != std::wstring::npos) return;
  if (target.find(L'@') != std::wstring::npos) {
    target.insert(0, L"mailto:");
  } else if (!StartsWithScheme(target)) {
    const int n = static_cast<int>(target.size());
    target.insert(0, StartsWith(target.c_str(), 0, n, L"www.")   ? L"http://"
                     : StartsWith(target.c_str(), 0, n, L"ftp.") ? L"ftp://"
                                                                 : L"file://");
  }
}

int KindOf(const wchar_t* text, int at, int end) {
  return end - at > 5 && StartsWith(text, at, end, L"qv://") ? 2 : 1;
}

// For every position, where the next character of each kind that decides an address start
// lies (end when none): one pass backwards, so the test at each position is constant time.
struct NextMarks {
  std::vector<int> angle, at, colon, dot, blank;
  NextMarks(const wchar_t* text, int end)
      : angle(end + 1, end), at(end + 1, end), colon(end + 1, end), dot(end + 1, end), blank(end + 1, end) {
    for (int i = end - 1; i >= 0; --i) {
      const wchar_t c = text[i];
      angle[i] = c == L'<' || c == L'>' ? i : angle[i + 1];
      at[i] = c == L'@' ? i : at[i + 1];
      colon[i] = c == L':' ? i : colon[i + 1];
      dot[i] = c == L'.' ? i : dot[i + 1];
      blank[i] = IsBlank(c) ? i : blank[i + 1];
    }
  }
};

bool AddressStarts(const wchar_t* text, int p, int end, const NextMarks& m) {
  if (m.angle[p] < end) return false;
  if (m.at[p] == end && m.colon[p] == end && m.dot[p] == end) return false;
  if (m.colon[p] < m.at[p]) {
    for (const wchar_t* scheme : kSchemes)
      if (StartsWith(text, p, end, scheme)) return true;
    return StartsWithHost(text, p, end);
  }
  if (IsBlank(text[p])) return false;
  if (m.at[p] == end || m.at[p] == p) return StartsWithHost(text, p, end);
  return m.blank[p] > m.at[p];
}

// Visited targets and anchor colours, for the process.
std::vector<std::wstring>& Visited() {
  static std::vector<std::wstring> visited;
  return visited;
}

COLORREF ReadColor(HKEY key, const wchar_t* name, COLORREF fallback) {
  wchar_t text[64] = {};
  DWORD size = sizeof(text) - sizeof(wchar_t), type = 0;
  if (RegQueryValueExW(key, name, NULL, &type, reinterpret_cast<BYTE*>(text), &size) != ERROR_SUCCESS ||
      type != REG_SZ)
    return fallback;
  unsigned r = 0, g = 0, b = 0;
  if (swscanf(text, L"%u,%u,%u", &r, &g, &b) != 3) return fallback;
  return RGB(r & 0xFF, g & 0xFF, b & 0xFF);
}

struct AnchorColors {
  COLORREF link = 0xFF0000;
  COLORREF visited = 0x800080;
  AnchorColors() {
    HKEY key = NULL;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, L"SOFTWARE\\Microsoft\\Internet Explorer\\Settings", 0, KEY_READ, &key) !=
        ERROR_SUCCESS)
      return;
    link = ReadColor(key, L"Anchor Color", link);
    visited = ReadColor(key, L"Anchor Color Visited", visited);
    RegCloseKey(key);
  }
};

const AnchorColors& Colors() {
  static const AnchorColors colors;
  return colors;
}

// The underlined copy of the last font a link was drawn over.
struct LinkFont {
  HFONT source = NULL;
  uih::OwnedFont font;
};
LinkFont& TheLinkFont() {
  static LinkFont f;
  return f;
}

}  // namespace

CArrayLinkDefs::~CArrayLinkDefs() { CArrayLinkDefs::RemoveAll(); }

void CArrayLinkDefs::Add(QvLinkDef* link) {
  std::unique_ptr<QvLinkDef> owned(link);
  m_links.push_back(link);
  owned.release();
}

void CArrayLinkDefs::RemoveAll() {
  for (QvLinkDef* link : m_links) delete link;
  m_links.clear();
}

bool CArrayLinkDefs::LocateLinksInString(const wchar_t* text, int& length) {
  const int end = text != NULL && length > 0 ? length : 0;
  std::unique_ptr<NextMarks> marks;
  for (int p = 0; p < end;) {
    if (StartsWith(text, p, end, L"<a")) {
      const int start = p;
      int q = p + 2;
      while (q < end && IsBlank(text[q])) ++q;
      if (end - q < 6 || !StartsWith(text, q, end, L"href=\"")) {
        p = q;
        continue;
      }
      q += 6;
      const int kind = KindOf(text, q, end);
      const int quote = Find(text, q, end, L"\"");
      if (quote < 0) break;
      std::wstring target(text + q, text + quote);
      ReplaceAll(target, L" ", L"%20");
      int close = Find(text, quote, end, L">");
      if (close < 0) break;
      const int endTag = Find(text, close + 1, end, L"</a>");
      if (endTag < 0) break;
      std::unique_ptr<QvLinkDef> link(new QvLinkDef);
      link->kind = kind;
      link->caption.assign(text + close + 1, text + endTag);
      Normalise(target);
      link->target = target;
      link->start = start;
      link->end = link->sourceEnd = endTag + 4;
      Add(link.release());
      p = endTag + 4;
      continue;
    }
    if (!marks) marks.reset(new NextMarks(text, end));
    if (AddressStarts(text, p, end, *marks)) {
      const int stop = marks->blank[p];
      std::unique_ptr<QvLinkDef> link(new QvLinkDef);
      link->kind = KindOf(text, p, end);
      link->target.assign(text + p, text + stop);
      link->caption = link->target;
      ReplaceAll(link->caption, L"%20", L" ");
      Normalise(link->target);
      link->start = p;
      link->end = link->sourceEnd = stop;
      Add(link.release());
      p = stop;
      continue;
    }
    ++p;
  }
  return !m_links.empty();
}

wchar_t* CArrayLinkDefs::ReplaceLinks(const wchar_t* text, int length) {
  try {
    std::wstring out;
    out.reserve(static_cast<size_t>(length > 0 ? length : 0));
    int previous = 0;
    for (QvLinkDef* link : m_links) {
      if (link->start > previous) out.append(text + previous, text + link->start);
      link->start = static_cast<int>(out.size());
      out += link->caption;
      link->end = static_cast<int>(out.size());
      previous = link->sourceEnd;
    }
    if (length > previous) out.append(text + previous, text + length);
    wchar_t* copy = new wchar_t[out.size() + 1];
    std::copy(out.begin(), out.end(), copy);
    copy[out.size()] = 0;
    return copy;
  } catch (const std::bad_alloc&) {
    return NULL;
  }
}

QvLinkDef* CArrayLinkDefs::LocateLink(POINT point, POINT offset, RECT* rect) const {
  for (auto link = m_links.rbegin(); link != m_links.rend(); ++link) {
    for (auto r = (*link)->rects.rbegin(); r != (*link)->rects.rend(); ++r) {
      RECT moved = *r;
      OffsetRect(&moved, offset.x, offset.y);
      if (!PtInRect(&moved, point)) continue;
      if (rect != NULL) *rect = moved;
      return *link;
    }
  }
  return NULL;
}

bool IsVisitedLink(const wchar_t* target) {
  if (target == NULL) return false;
  for (const std::wstring& v : Visited())
    if (lstrcmpiW(v.c_str(), target) == 0) return true;
  return false;
}

HFONT SelectLinkFont(HDC dc, const QvLinkDef& link) {
  HFONT current = static_cast<HFONT>(GetCurrentObject(dc, OBJ_FONT));
  LOGFONTW lf;
  LinkFont& made = TheLinkFont();
  if (GetObjectW(current, sizeof(lf), &lf) == sizeof(lf) && !lf.lfUnderline) {
    if (!made.font || made.source != current) {
      lf.lfUnderline = TRUE;
      made.font.Reset(CreateFontIndirectW(&lf));
      made.source = current;
    }
    if (made.font) SelectObject(dc, made.font.Get());
  }
  SetTextColor(dc, IsVisitedLink(link.target.c_str()) ? Colors().visited : Colors().link);
  return current;
}

bool OpenLink(const QvLinkDef& link) {
  if (link.kind != 1 || link.target.empty()) return false;
  if (!IsVisitedLink(link.target.c_str())) Visited().push_back(link.target);
  std::wstring target = link.target;
  if (StartsWith(target.c_str(), 0, static_cast<int>(target.size()), L"file://")) ReplaceAll(target, L"%20", L" ");
  HCURSOR previous = SetCursor(LoadCursor(NULL, IDC_WAIT));
  const INT_PTR result = reinterpret_cast<INT_PTR>(ShellExecuteW(NULL, L"open", target.c_str(), NULL, NULL, SW_SHOWNORMAL));
  if (result <= 32) {
    // The shell knows no handler for it: the browser that opens web pages opens it.
    wchar_t cls[256] = {};
    LONG size = sizeof(cls);
    if (RegQueryValueW(HKEY_CLASSES_ROOT, L".htm", cls, &size) == ERROR_SUCCESS) {
      std::wstring key = std::wstring(cls) + L"\\shell\\open\\command";
      wchar_t command[1024] = {};
      size = sizeof(command);
      if (RegQueryValueW(HKEY_CLASSES_ROOT, key.c_str(), command, &size) == ERROR_SUCCESS) {
        std::wstring line(command);
        size_t cut = line.find(L"\"%1\"");
        if (cut == std::wstring::npos) cut = line.find(L"%1");
        if (cut != std::wstring::npos) line.resize(cut);
        line += L" " + target;
        const int n = WideCharToMultiByte(CP_UTF8, 0, line.c_str(), -1, NULL, 0, NULL, NULL);
        std::string utf8(static_cast<size_t>(n > 0 ? n : 1), '\0');
        WideCharToMultiByte(CP_UTF8, 0, line.c_str(), -1, &utf8[0], n, NULL, NULL);
        WinExec(utf8.c_str(), SW_SHOWNORMAL);
      }
    }
  }
  SetCursor(previous);
  return true;
}
