// Builds dialog templates in memory (DLGTEMPLATE with DLGITEMTEMPLATE items).
#pragma once
#include <windows.h>

#include <vector>

class DialogTemplate {
 public:
  DialogTemplate(const wchar_t* title, DWORD style, short cx, short cy) {
    // Header: style, extended style, item count, x, y, cx, cy, no menu, default class, title,
    // then the font (DS_SETFONT).
    PutDword(style | DS_SETFONT);
    PutDword(0);
    m_countAt = m_words.size();
    Put(0);
    Put(0);
    Put(0);
    Put((WORD)cx);
    Put((WORD)cy);
    Put(0);
    Put(0);
    PutString(title);
    Put(8);
    PutString(L"MS Shell Dlg");
  }

  // cls: 0x0080 button, 0x0081 edit, 0x0082 static, 0x0083 list box, 0x0085 combo box.
  DialogTemplate& Add(WORD cls, WORD id, const wchar_t* text, DWORD style, short x, short y, short cx, short cy) {
    return AddItem(nullptr, cls, id, text, style, x, y, cx, cy);
  }
  // A control of a window class given by name.
  DialogTemplate& Add(const wchar_t* cls, WORD id, const wchar_t* text, DWORD style, short x, short y, short cx,
                      short cy) {
    return AddItem(cls, 0, id, text, style, x, y, cx, cy);
  }

  LPCDLGTEMPLATE get() const { return reinterpret_cast<LPCDLGTEMPLATE>(m_words.data()); }

 private:
  DialogTemplate& AddItem(const wchar_t* clsName, WORD cls, WORD id, const wchar_t* text, DWORD style, short x,
                          short y, short cx, short cy) {
    while (m_words.size() % 2) Put(0);  // DWORD alignment
    PutDword(style | WS_CHILD | WS_VISIBLE);
    PutDword(0);
    Put((WORD)x);
    Put((WORD)y);
    Put((WORD)cx);
    Put((WORD)cy);
    Put(id);
    if (clsName != nullptr) {
      PutString(clsName);
    } else {
      Put(0xFFFF);
      Put(cls);
    }
    PutString(text);
    Put(0);  // no creation data
    ++m_words[m_countAt];
    return *this;
  }
  void Put(WORD w) { m_words.push_back(w); }
  void PutDword(DWORD d) {
    Put(LOWORD(d));
    Put(HIWORD(d));
  }
  void PutString(const wchar_t* s) {
    for (; *s; ++s) Put((WORD)*s);
    Put(0);
  }
  std::vector<WORD> m_words;
  size_t m_countAt = 0;
};
