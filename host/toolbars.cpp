#include "toolbars.h"

#include <UICustToolBar.h>

#include "toolbars_ids.h"

namespace host {
namespace {

// A bar that goes with its window.
class HostToolBar : public CCustToolBar {
 protected:
  void PostNcDestroy() override { delete this; }
};

HWND s_bars[2] = {NULL, NULL};

}  // namespace

bool CreateToolbars(CWnd* main) {
  const UINT lists[2] = {IDL_STANDARD_BAR, IDL_REPORT_BAR};
  for (int i = 0; i < 2; ++i) {
    auto* bar = new HostToolBar;
    // A bar whose window could not be made has deleted itself.
    if (!bar->CreateAndLoad(main, AFX_IDW_TOOLBAR + i, lists[i], 0)) return false;
    s_bars[i] = bar->m_hWnd;
  }
  LayoutToolbars(main);
  return true;
}

int LayoutToolbars(CWnd* main) {
  main->RepositionBars(AFX_IDW_CONTROLBAR_FIRST, AFX_IDW_CONTROLBAR_LAST, 0, reposDefault);
  return ToolbarsHeight(main);
}

int ToolbarsHeight(CWnd* main) {
  CRect rest;
  main->RepositionBars(AFX_IDW_CONTROLBAR_FIRST, AFX_IDW_CONTROLBAR_LAST, 0, reposQuery, &rest);
  return rest.top;
}

bool IsToolbar(HWND hwnd) { return hwnd != NULL && (hwnd == s_bars[0] || hwnd == s_bars[1]); }

}  // namespace host
