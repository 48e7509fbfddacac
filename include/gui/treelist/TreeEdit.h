// The in-place editor of a tree list's labels: a bordered child edit control (id 100) that the
// list attaches over a row. Enter stores a changed text (through the list, which may refuse it:
// the editor then stays), Escape closes without storing, and losing the focus stores unless
// the editor is closing without saving. Typed characters from '0' to 'z' may be refused by
// the host; the editor widens to its text and keeps the caret inside the list.
#pragma once
#include <framework.h>

#include <string>

#include "quarnel_api.h"

class CGUITreeList;

class QUARNEL_API CTreeEdit : public CEdit {
 public:
  CTreeEdit() = default;
  bool CreateFor(CGUITreeList* list);
  // Shows the editor in `box` with the text, all selected, and gives it the focus.
  void Attach(long row, const RECT& box, HFONT font, const std::wstring& text, int limit);
  // Hides the editor; the list's OnEditorClosed follows with the changed flag.
  void Detach();
  bool IsAttached() const { return m_row >= 0; }
  long GetRow() const { return m_row; }
  bool TextChanged() const { return m_changed; }
  std::wstring Text() const;
  // Enter: a changed text is offered to the list; true when the editor closed.
  bool Validate();

 protected:
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  void Widen();
  CGUITreeList* m_list = nullptr;
  long m_row = -1;
  bool m_changed = false;
  std::wstring m_original;
};
