// The label tooltip of a tree list: a bordered popup ("CTooltipWnd") over a row whose label is
// cut by the list's client edges, showing the whole label in the item's font and colours. It
// never becomes active: it is created under a thread hook that refuses activation. It holds
// the mouse capture: it goes when the pointer leaves it after having been inside, or on a
// click outside both it and the list (the click then goes to the window under the pointer);
// clicks inside it or over the list are handed to the list in the list's coordinates, and a
// left-drag that moves 3 pixels starts the list's drag of its item.
#pragma once
#include <framework.h>

#include <string>

#include "quarnel_api.h"

class CGUITreeList;

class QUARNEL_API CTooltipWnd : public CWnd {
 public:
  explicit CTooltipWnd(CGUITreeList* list) : m_list(list) {}
  ~CTooltipWnd() override;
  // Creates the window over `box` (screen coordinates) with the text and font; false on failure
  // (no capture is kept then).
  bool Show(const RECT& box, const std::wstring& text, HFONT font, bool selected, bool disabled);
  bool HasBeenInside() const { return (m_flags & 1) != 0; }

 protected:
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
  void PostNcDestroy() override {}

 private:
  void Paint(HDC dc);
  CGUITreeList* m_list;
  unsigned m_flags = 0;
  HFONT m_font = NULL;
  bool m_selected = false, m_disabled = false;
};
