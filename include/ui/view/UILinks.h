// Links in text: HTML-style anchors (<a href="target">caption</a>) and bare addresses
// (http://..., www...., name@host) found in a text, the text as displayed (anchors replaced by
// their captions), where each link was drawn, the link under a point, the look of a link and
// opening one through the shell.
#pragma once
#include "quarnel_api.h"

#include <windows.h>

#include <string>
#include <vector>

// One link. Positions are character indexes: start and end in the displayed text once
// ReplaceLinks ran (in the source text before), sourceEnd in the source text.
struct QUARNEL_API QvLinkDef {
  int start = 0;
  int end = 0;
  int sourceEnd = 0;
  int kind = 1;  // 1 opened through the shell; 2 an internal "qv://" link left to the host
  std::vector<RECT> rects;  // where the link was drawn, in image coordinates
  std::wstring caption;
  std::wstring target;
};

class QUARNEL_API CArrayLinkDefs {
 public:
  CArrayLinkDefs() = default;
  CArrayLinkDefs(const CArrayLinkDefs&) = delete;
  CArrayLinkDefs& operator=(const CArrayLinkDefs&) = delete;
  virtual ~CArrayLinkDefs();

  void Add(QvLinkDef* link);  // takes ownership
  QvLinkDef* GetAt(int i) const { return m_links[static_cast<size_t>(i)]; }
  int GetSize() const { return static_cast<int>(m_links.size()); }
  virtual void RemoveAll();

  // Appends one definition per link found in text[0, length); true when the array holds a link.
  bool LocateLinksInString(const wchar_t* text, int& length);
  // The displayed text (new[]'d, zero-terminated; the caller delete[]s it): the source with each
  // link replaced by its caption; the links' start and end become displayed positions. NULL
  // when memory runs out.
  wchar_t* ReplaceLinks(const wchar_t* text, int length);
  // The link one of whose rectangles, moved by offset, holds the point (last link and last
  // rectangle first); its rectangle goes to rect when given. NULL when none.
  QvLinkDef* LocateLink(POINT point, POINT offset, RECT* rect) const;

 private:
  std::vector<QvLinkDef*> m_links;
};

// Selects the underlined copy of the DC's font and the link's colour (visited or not) into the
// DC; answers the font selected before.
QUARNEL_API HFONT SelectLinkFont(HDC dc, const QvLinkDef& link);
// Opens a link of kind 1 through the shell and remembers it as visited; false for any other.
QUARNEL_API bool OpenLink(const QvLinkDef& link);
// Whether the target was opened in this process (case-insensitive).
QUARNEL_API bool IsVisitedLink(const wchar_t* target);
