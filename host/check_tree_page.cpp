#include "check_tree_page.h"

#include <GUIInitialisations.h>
#include <GUIPlatformGlue.h>
#include <GUITreeList.h>
#include <QvGUIContainer.h>
#include <QvTreeList.h>
#include <UIHandles.h>
#include <commctrl.h>
#include <framework.h>

#include "screens.h"

namespace host {
namespace {

enum : unsigned short { kTreeId = 400 };

// Two 16 x 16 pictures drawn here: a folder (0) and a sheet (1).
HIMAGELIST MakeImages() {
  HIMAGELIST list = ::ImageList_Create(16, 16, ILC_COLOR24 | ILC_MASK, 2, 0);
  if (!list) return NULL;
  uih::WindowDC screen(NULL);
  for (int which = 0; which < 2; ++which) {
    uih::OwnedBitmap picture(::CreateCompatibleBitmap(screen.Get(), 16, 16));
    {
      uih::MemoryDC dc(screen.Get());
      if (!dc.Select(picture.Get())) continue;
      RECT all = {0, 0, 16, 16};
      ::FillRect(dc.Get(), &all, reinterpret_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
      uih::OwnedBrush fill(::CreateSolidBrush(which == 0 ? RGB(240, 200, 60) : RGB(250, 250, 250)));
      uih::OwnedBrush edge(::CreateSolidBrush(which == 0 ? RGB(160, 120, 20) : RGB(90, 90, 120)));
      RECT body = which == 0 ? RECT{1, 4, 15, 14} : RECT{3, 1, 13, 15};
      ::FillRect(dc.Get(), &body, fill.Get());
      ::FrameRect(dc.Get(), &body, edge.Get());
      if (which == 1)
        for (int y = 4; y < 13; y += 3) {
          RECT line = {5, y, 11, y + 1};
          ::FillRect(dc.Get(), &line, edge.Get());
        }
    }
    ::ImageList_AddMasked(list, picture.Get(), RGB(255, 255, 255));
  }
  return list;
}

class CheckTreePage : public CWnd {
 public:
  ~CheckTreePage() override {
    delete m_container;
    if (m_images) ::ImageList_Destroy(m_images);
    if (m_started) PlatformGUIRelease();
  }

  bool Make(HWND owner, int x, int y) {
    if (!PlatformGUIInitialisations().Succeeded()) return false;
    m_started = true;
    if (!CreateEx(WS_EX_CONTROLPARENT, AfxRegisterWndClass(0, ::LoadCursor(NULL, IDC_ARROW), ::GetSysColorBrush(COLOR_BTNFACE)),
                  _T("Data sources"), WS_POPUP | WS_CAPTION | WS_SYSMENU, x, y, 300, 300, owner, NULL))
      return false;
    m_container = new QvGUIContainer(nullptr, 0);
    m_container->SetMFCCWnd(this);
    GUISetQvGUIContainer(this, m_container);
    RECT client = {};
    GetClientRect(&client);
    HWND child = ::CreateWindowExW(WS_EX_CLIENTEDGE, L"QvTreeList", L"", WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_VSCROLL,
                                   8, 8, client.right - 16, client.bottom - 16, m_hWnd,
                                   reinterpret_cast<HMENU>(static_cast<INT_PTR>(kTreeId)), NULL, NULL);
    QvCheckTreeList* tree = nullptr;
    if (!child || !m_container->GetControlFromID(tree, kTreeId, 0)) return false;
    CGUITreeList* list = tree->List();
    // Checking a source checks its tables; a source whose tables are all checked is checked.
    tree->SetStyle(0x40 | 0x80 | 0x400 | 0x800);
    m_images = MakeImages();
    list->SetImageList(m_images, 16);
    list->SetItemImages(CGUITreeList::kClosedContainer, -1, 0, -1);
    list->SetItemImages(CGUITreeList::kOpenContainer, -1, 0, -1);
    list->SetItemImages(CGUITreeList::kTerminal, -1, 1, -1);
    const long sales = tree->AddSuccessor(QvString("Sales database"), -1);
    const long orders = tree->AddDescendant(QvString("Orders"), sales);
    tree->AddDescendant(QvString("Order lines"), sales);
    const long customers = tree->AddDescendant(QvString("Customers"), sales);
    const long staff = tree->AddSuccessor(QvString("Staff directory"), -1);
    const long people = tree->AddDescendant(QvString("People"), staff);
    const long salaries = tree->AddDescendant(QvString("Salaries (no access)"), staff);
    const long archive = tree->AddSuccessor(QvString("Archive 2019"), -1);
    tree->AddDescendant(QvString("Old orders"), archive);
    tree->Expand(sales, false, false);
    tree->Expand(staff, false, false);
    tree->SetItemStyle(sales, CGUITreeList::kBold);
    tree->SetItemStyle(staff, CGUITreeList::kBold);
    tree->SetItemStyle(archive, CGUITreeList::kItalic);
    tree->SetItemStyle(salaries, CGUITreeList::kGreyed);
    tree->SetState(orders, QvChecked, false);
    tree->SetState(customers, QvChecked, false);
    tree->SetState(people, QvIndeterminate, false);
    tree->EnableOnlineEdit(true, 64, false);
    tree->Select(customers, true, false);
    m_tree = tree;
    m_edited = people;
    return true;
  }

  void FocusTree() {
    if (m_tree) ::SetFocus(m_tree->GetPlatformWindow());
  }
  void OpenEditor() {
    if (!m_tree) return;
    FocusTree();
    m_tree->EditItem(m_edited);
  }

 protected:
  BOOL OnCommand(WPARAM wParam, LPARAM lParam) override { return GUIOnCommand(this, wParam, lParam) ? TRUE : FALSE; }
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
    if (message == WM_CLOSE) {
      ShowWindow(SW_HIDE);
      return 0;
    }
    return CWnd::WindowProc(message, wParam, lParam);
  }
  void PostNcDestroy() override { delete this; }

 private:
  QvGUIContainer* m_container = nullptr;
  QvCheckTreeList* m_tree = nullptr;
  HIMAGELIST m_images = NULL;
  long m_edited = -1;
  bool m_started = false;
};

}  // namespace

HWND CreateCheckTreePage(HWND owner, int x, int y) {
  CheckTreePage* page = new CheckTreePage;
  if (!page->Make(owner, x, y)) {
    if (page->m_hWnd) page->DestroyWindow();
    else delete page;
    return NULL;
  }
  return page->m_hWnd;
}

void CaptureCheckTreePage(HWND page) {
  if (page == NULL || !ScreenshotMode()) return;
  CheckTreePage* p = dynamic_cast<CheckTreePage*>(CWnd::FromHandlePermanent(page));
  if (!p) return;
  ::ShowWindow(page, SW_SHOW);
  ::SetForegroundWindow(page);
  // The focused list fills its selection; with a label open in the editor it only frames it.
  p->FocusTree();
  ::RedrawWindow(page, NULL, NULL, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
  CaptureWindow(page, L"check_tree");
  p->OpenEditor();
  ::RedrawWindow(page, NULL, NULL, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
  CaptureWindow(page, L"check_tree_editor");
  ::ShowWindow(page, SW_HIDE);
}

}  // namespace host
