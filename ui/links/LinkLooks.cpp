// How links look: the browser's anchor colours and an underlined form of the DC's font.
#include "UILinks.h"

#include "UITrace.h"

#include <cstring>
#include <mutex>

namespace {

UlmLogger s_log("LinkLooks");

struct AnchorColors {
  COLORREF link = RGB(0, 0, 0xFF);
  COLORREF visited = RGB(0x80, 0, 0x80);
};

void ReadColor(HKEY key, const wchar_t* name, COLORREF* color) {
  wchar_t text[64] = {};
  DWORD type = 0, bytes = sizeof text - sizeof(wchar_t);
  if (::RegQueryValueExW(key, name, NULL, &type, reinterpret_cast<BYTE*>(text), &bytes) != ERROR_SUCCESS) return;
  if (type != REG_SZ) {
    UI_TRACE_REFUSED(s_log, "anchor colour that is not text");
    return;
  }
  text[bytes / sizeof(wchar_t)] = 0;
  if (!UIParseAnchorColor(text, color)) UI_TRACE_REFUSED(s_log, "anchor colour that is not three numbers");
}

const AnchorColors& Colors() {
  static AnchorColors colors;
  static std::once_flag once;
  std::call_once(once, [] {
    HKEY key = NULL;
    if (::RegOpenKeyExW(HKEY_LOCAL_MACHINE, L"SOFTWARE\\Microsoft\\Internet Explorer\\Settings", 0, KEY_READ, &key) !=
        ERROR_SUCCESS)
      return;
    ReadColor(key, L"Anchor Color", &colors.link);
    ReadColor(key, L"Anchor Color Visited", &colors.visited);
    ::RegCloseKey(key);
  });
  return colors;
}

// A decimal component: digits, blanks round it; false for anything else.
bool ReadComponent(const wchar_t*& p, unsigned* value) {
  while (*p == L' ' || *p == L'\t') ++p;
  if (*p < L'0' || *p > L'9') return false;
  unsigned v = 0;
  for (; *p >= L'0' && *p <= L'9'; ++p) v = v > 255 ? 256 : v * 10 + static_cast<unsigned>(*p - L'0');
  while (*p == L' ' || *p == L'\t') ++p;
  *value = v > 255 ? 255 : v;
  return true;
}

}  // namespace

BOOL UIParseAnchorColor(const wchar_t* text, COLORREF* color) {
  if (text == NULL || color == NULL) return FALSE;
  unsigned rgb[3];
  const wchar_t* p = text;
  for (int i = 0; i < 3; ++i) {
    if (!ReadComponent(p, &rgb[i])) return FALSE;
    if (i < 2 && *p++ != L',') return FALSE;
  }
  if (*p != 0) return FALSE;
  *color = RGB(rgb[0], rgb[1], rgb[2]);
  return TRUE;
}

COLORREF UIGetLinkColor(BOOL visited) { return visited ? Colors().visited : Colors().link; }

HFONT CArrayLinkDefs::SelectLinkFont(HDC dc, const QvLinkDef& link) {
  HFONT current = static_cast<HFONT>(::GetCurrentObject(dc, OBJ_FONT));
  ::SetTextColor(dc, UIGetLinkColor(UIIsLinkVisited(link.m_target.c_str())));
  LOGFONTW lf = {};
  if (current == NULL || ::GetObjectW(current, sizeof lf, &lf) == 0) {
    UI_TRACE_FAILED(s_log, "GetObject");
    return current;
  }
  if (lf.lfUnderline) return current;
  if (!m_linkFont || std::memcmp(&lf, &m_linkFontSource, sizeof lf) != 0) {
    LOGFONTW underlined = lf;
    underlined.lfUnderline = TRUE;
    HFONT made = ::CreateFontIndirectW(&underlined);
    if (made == NULL) {
      UI_TRACE_FAILED(s_log, "CreateFontIndirect");
      return current;
    }
    m_linkFont.Reset(made);
    m_linkFontSource = lf;
  }
  // Stays selected for the caller's drawing: the caller selects the answered font back.
  ::SelectObject(dc, m_linkFont.Get());
  return current;
}
