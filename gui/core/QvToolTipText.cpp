// The tooltip-text handler of the portable toolbars' buttons.
#include "QvCommandCenter.h"
#include "QvEffectiveCommands.h"
#include "QvHotKeyText.h"
#include "UIUtilities.h"

#include <solvane.h>

#include <string.h>

#include <string>

namespace {

// UTF-16 text cut to fit `capacity` units with its terminating zero, never inside a
// surrogate pair.
void CopyCut(const wchar_t* text, wchar_t* buffer, size_t capacity) {
  size_t n = wcslen(text);
  if (n > capacity - 1) {
    n = capacity - 1;
    if (text[n - 1] >= 0xD800 && text[n - 1] <= 0xDBFF) --n;
  }
  wmemcpy(buffer, text, n);
  buffer[n] = 0;
}

// The text in the ANSI code page, cut to fit `capacity` bytes with its terminating zero,
// never inside a double-byte character.
void CopyCut(const wchar_t* text, char* buffer, size_t capacity) {
  int bytes = WideCharToMultiByte(CP_ACP, 0, text, -1, NULL, 0, NULL, NULL);
  std::string ansi(bytes > 0 ? static_cast<size_t>(bytes) : 1, '\0');
  if (bytes > 0) WideCharToMultiByte(CP_ACP, 0, text, -1, &ansi[0], bytes, NULL, NULL);
  size_t n = strlen(ansi.c_str()), fit = 0;
  while (fit < n) {
    size_t step = IsDBCSLeadByte(static_cast<BYTE>(ansi[fit])) && fit + 1 < n ? 2 : 1;
    if (fit + step > capacity - 1) break;
    fit += step;
  }
  memcpy(buffer, ansi.data(), fit);
  buffer[fit] = 0;
}

}  // namespace

int QvGlobalOnToolTipText(unsigned int, NMHDR* notify, LRESULT* result) {
  if (!notify) return TRUE;
  const bool ansi = notify->code == TTN_NEEDTEXTA;
  const bool wide = notify->code == TTN_NEEDTEXTW;
  UINT_PTR id = notify->idFrom;
  UINT flags = ansi ? reinterpret_cast<NMTTDISPINFOA*>(notify)->uFlags
                    : wide ? reinterpret_cast<NMTTDISPINFOW*>(notify)->uFlags : 0;
  if ((ansi || wide) && (flags & TTF_IDISHWND)) id = GetDlgCtrlID(reinterpret_cast<HWND>(id)) & 0xFFFF;

  QvCommandDef* def = GUIGetCommandDefFromID(GetEffectiveCmdFromCmdMap(static_cast<unsigned short>(id)));
  if (def) {
    QvString text;
    def->GetTooltipText(text);
    QvString hotKey;
    if (Get_GlobalHotKeyCtrl() != 0 && GetHotKeyText(hotKey, def->m_defaultKey, def->m_defaultModifiers, true))
      text += hotKey;
    ucs2string ucs2 = ucs2string::FromUtf8(text.c_str());
    if (ansi) {
      NMTTDISPINFOA* info = reinterpret_cast<NMTTDISPINFOA*>(notify);
      CopyCut(ucs2.c_str(), info->szText, _countof(info->szText));
      info->lpszText = info->szText;
    } else {
      NMTTDISPINFOW* info = reinterpret_cast<NMTTDISPINFOW*>(notify);
      CopyCut(ucs2.c_str(), info->szText, _countof(info->szText));
      info->lpszText = info->szText;
    }
  }
  if (result) *result = 0;
  HFONT font = notify->hwndFrom ? UIGetDefaultGUIFont() : NULL;
  if (font) SendMessage(notify->hwndFrom, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  return TRUE;
}
