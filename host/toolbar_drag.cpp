#include "toolbar_drag.h"

#include <UICustToolBar.h>

namespace host {

void ShowToolbarDrag(CCustToolBar* bar, int dragged, int over, bool after) {
  if (bar == NULL || bar->m_hWnd == NULL) return;
  bar->SetCustomizingToolBar(1);
  bar->Select(dragged);
  TBINSERTMARK mark = {over, static_cast<DWORD>(after ? TBIMHT_AFTER : 0)};
  bar->SendMessage(TB_SETINSERTMARK, 0, reinterpret_cast<LPARAM>(&mark));
  bar->UpdateWindow();
}

void EndToolbarDrag(CCustToolBar* bar) {
  if (bar == NULL || bar->m_hWnd == NULL) return;
  bar->SetCustomizingToolBar(0);  // clears the insertion point and the selection
  bar->Invalidate();
}

}  // namespace host
