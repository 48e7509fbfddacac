// Shared pieces of the platform-glue tests.
#include "guiglue_test.h"

#include <QvGUIContainer.h>

#include <commctrl.h>

using testing_support::Recorder;

namespace {
unsigned long AllowAll(unsigned long, bool) { return 1; }
}  // namespace

BEGIN_MESSAGE_MAP(PortableWnd, CWnd)
  ON_COMMAND_RANGE(305, 309, &PortableWnd::OnOwnCommand)
  ON_COMMAND(0xE001, &PortableWnd::OnWindowCommand)
  ON_UPDATE_COMMAND_UI(306, &PortableWnd::OnUpdateOwnCommand)
  ON_WM_HSCROLL()
END_MESSAGE_MAP()

PortableWnd::PortableWnd() {
  CreateEx(0, AfxRegisterWndClass(0), _T("portable"), WS_OVERLAPPEDWINDOW, 0, 0, 300, 200, NULL, NULL);
}

PortableWnd::~PortableWnd() {
  if (m_hWnd) DestroyWindow();
}

LRESULT PortableWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  Recorder().Record(m_hWnd, message, wParam, lParam);
  if (message == WM_COMMAND) notifications.push_back({message, HIWORD(wParam)});
  if (message == WM_HSCROLL) notifications.push_back({message, LOWORD(wParam)});
  if (message == WM_NOTIFY) notifications.push_back({message, static_cast<int>(reinterpret_cast<NMHDR*>(lParam)->code)});
  return CWnd::WindowProc(message, wParam, lParam);
}

BOOL PortableWnd::OnCommand(WPARAM wParam, LPARAM lParam) { return GUIOnCommand(this, wParam, lParam); }

BOOL PortableWnd::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result) {
  return GUIOnNotify(this, wParam, lParam, result);
}

BOOL PortableWnd::OnCmdMsg(UINT id, int code, void* extra, AFX_CMDHANDLERINFO* info) {
  if (GUIOnCmdMsg(id, code, extra, info)) return TRUE;
  BOOL handled = CWnd::OnCmdMsg(id, code, extra, info);
  if (handled && extra == NULL && info == NULL) routed.push_back({id, code});
  return handled;
}

void PortableWnd::OnOwnCommand(UINT) {}
void PortableWnd::OnWindowCommand() {}
void PortableWnd::OnUpdateOwnCommand(CCmdUI* probe) { probe->Enable(FALSE); }

void PortableWnd::OnHScroll(UINT code, UINT pos, CScrollBar* bar) {
  HWND child = reinterpret_cast<CWnd*>(bar)->GetSafeHwnd();
  wchar_t name[64] = {};
  if (child) GetClassNameW(child, name, 64);
  QvGUIContainer* container = GUIGetQvGUIContainer(this);
  if (container && lstrcmpiW(name, TRACKBAR_CLASSW) == 0 &&
      GUITranslateControlNotification(container, static_cast<unsigned short>(::GetDlgCtrlID(child)),
                                      static_cast<int>(code), NULL))
    return;
  CWnd::OnHScroll(code, pos, bar);
}

void GlueTest::SetUp() {
  ASSERT_TRUE(GUIInitialisations(&AllowAll).Succeeded());
  ASSERT_NE(GUIGetCommandDefFromID(kOpen), nullptr);
  ASSERT_TRUE(wnd.GetSafeHwnd());
  QvCommandHandler::SetActiveTarget(&target);
}

void GlueTest::TearDown() {
  QvCommandHandler::SetActiveTarget(nullptr);
  GUIRelease();
}
