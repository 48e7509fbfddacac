// The window with a dynamic menu bar, on a framework frame that brings each popup up to date
// before it opens and routes its commands and item states through the portable road.
#include "portable_menu.h"

#include <framework.h>

#include <GUIPlatformGlue.h>
#include <QvCommandCenter.h>
#include <QvDynamicMenu.h>

#include "commands.h"
#include "context_menu.h"
#include "resource.h"
#include "screens.h"

namespace host {
namespace {

// The popups' own ids and texts: commands the host adds to the portable command centre.
enum : unsigned short { kFilePopup = 32700, kViewPopup, kZoomPopup, kAnalysisPopup, kMacrosPopup, kHelpPopup };
const struct {
  unsigned short id;
  const wchar_t* text;
} kPopups[] = {{kFilePopup, L"&File"},         {kViewPopup, L"&View"},     {kZoomPopup, L"&Zoom"},
               {kAnalysisPopup, L"&Analysis"}, {kMacrosPopup, L"&Macros"}, {kHelpPopup, L"&Help"}};

void AddPopupCommands() {
  QvCommandCenter* center = Get_TheCommandCenter();
  for (const auto& p : kPopups) {
    if (!center || GUIGetCommandDefFromID(p.id)) continue;
    QvUsrCommandDef* def = new QvUsrCommandDef;
    def->m_id = p.id;
    def->m_defaultKey = 0;
    def->m_menuText = QvString(p.text);
    if (!center->AddCommandDef(def)) delete def;
  }
}

// The bar as the host's menu resource would hold it: popups captioned with their ids.
HMENU MakeBar() {
  auto popup = [](std::initializer_list<UINT> ids) {
    HMENU menu = CreatePopupMenu();
    for (UINT id : ids) AppendMenuW(menu, id ? MF_STRING : MF_SEPARATOR, id, L"item");
    return menu;
  };
  auto add = [](HMENU bar, HMENU sub, unsigned short id) {
    wchar_t caption[8];
    wsprintfW(caption, L"%u", id);
    AppendMenuW(bar, MF_POPUP | MF_STRING, reinterpret_cast<UINT_PTR>(sub), caption);
  };
  HMENU bar = CreateMenu();
  add(bar, popup({ID_FILE_OPEN, ID_FILE_SAVE, ID_FILE_SAVE_AS, 0, ID_FILE_PRINT, ID_FILE_SEND_MAIL, 0, ID_FILE_EXIT}),
      kFilePopup);
  HMENU view = popup({ID_VIEW_REFRESH, ID_VIEW_TOOLBAR, ID_VIEW_STATUS_BAR, 0, ID_ANALYSIS_MACRO_1, 0});
  add(view, popup({ID_VIEW_ZOOM_50, ID_VIEW_ZOOM_100, ID_VIEW_ZOOM_200, 0, ID_VIEW_ZOOM_IN, ID_VIEW_ZOOM_OUT}),
      kZoomPopup);
  add(bar, view, kViewPopup);
  add(bar, popup({ID_ANALYSIS_DRILL, ID_ANALYSIS_DRILL_UP, ID_ANALYSIS_DRILL_DOWN, 0, ID_ANALYSIS_MACRO_2}),
      kAnalysisPopup);
  // Every macro is hidden by the rights: the whole popup goes.
  add(bar, popup({ID_TOOLS_MACROS, ID_TOOLS_VBA, ID_ANALYSIS_MACRO_3}), kMacrosPopup);
  add(bar, popup({ID_HELP_CONTENTS, 0, ID_HELP_ABOUT}), kHelpPopup);
  return bar;
}

class CPortableMenuFrame : public CFrameWnd {
 public:
  BOOL OnCmdMsg(UINT id, int code, void* extra, AFX_CMDHANDLERINFO* info) override {
    if (GUIOnCmdMsg(id, code, extra, info)) return TRUE;
    return CFrameWnd::OnCmdMsg(id, code, extra, info);
  }
  HACCEL GetDefaultAccelerator() override { return GetAcceleratorForUpdateFrameMenu(GetMenu()); }

 protected:
  BOOL OnCommand(WPARAM wParam, LPARAM lParam) override {
    return GUIOnCommand(this, wParam, lParam) || CFrameWnd::OnCommand(wParam, lParam);
  }
  afx_msg void OnInitMenuPopup(CMenu* popup, UINT index, BOOL systemMenu) {
    if (!systemMenu) UpdateDynamicMenuForSecurity(popup);
    CFrameWnd::OnInitMenuPopup(popup, index, systemMenu);
  }
  afx_msg void OnPaint() {
    CPaintDC dc(this);
    CRect rc;
    GetClientRect(&rc);
    dc.FillSolidRect(&rc, RGB(255, 255, 255));
  }
  afx_msg void OnDestroy() {
    CFrameWnd::OnDestroy();
    ReleaseDynamicMenu();  // the bar goes with the window
  }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CPortableMenuFrame, CFrameWnd)
  ON_WM_INITMENUPOPUP()
  ON_WM_PAINT()
  ON_WM_DESTROY()
END_MESSAGE_MAP()

}  // namespace

HWND CreatePortableMenuWindow(HWND owner, const RECT& rc) {
  if (!StartPortableCommands() || !InitDynamicMenu().Succeeded()) return NULL;
  AddPopupCommands();
  CPortableMenuFrame* frame = new CPortableMenuFrame;  // deletes itself when destroyed
  if (!frame->Create(NULL, _T("Portable menus"), WS_OVERLAPPEDWINDOW, rc, CWnd::FromHandle(owner))) return NULL;
  CMenu bar;
  bar.Attach(MakeBar());
  frame->SetMenu(&bar);
  const bool registered = RegisterMenuBar(&bar, 0).Succeeded();
  bar.Detach();  // the window's now
  if (!registered) {
    frame->DestroyWindow();
    return NULL;
  }
  return frame->m_hWnd;
}

void CapturePortableMenu(HWND window) {
  if (!window || !ScreenshotMode()) return;
  ShowWindow(window, SW_SHOW);
  SetForegroundWindow(window);
  // Down to Zoom (Refresh, Toolbar, Status Bar, Zoom) and open it.
  MenuCapture capture(window, L"portable_menu", {VK_DOWN, VK_DOWN, VK_DOWN, VK_RIGHT});
  SendMessageW(window, WM_SYSCOMMAND, SC_KEYMENU, L'v');
}

}  // namespace host
