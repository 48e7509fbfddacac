#include "notes_page.h"

#include <GUIInitialisations.h>
#include <GUIPlatformGlue.h>
#include <QvColor.h>
#include <QvGUIContainer.h>
#include <QvRichText.h>
#include <framework.h>

#include "screens.h"

namespace host {
namespace {

class NotesPage : public CWnd {
 public:
  ~NotesPage() override {
    delete m_container;
    if (m_started) PlatformGUIRelease();
  }

  bool Make(HWND owner, int x, int y) {
    if (!PlatformGUIInitialisations().Succeeded()) return false;
    m_started = true;
    if (!CreateEx(WS_EX_CONTROLPARENT, AfxRegisterWndClass(0, ::LoadCursor(NULL, IDC_ARROW), ::GetSysColorBrush(COLOR_WINDOW)),
                  _T("What is new"), WS_POPUP | WS_CAPTION | WS_SYSMENU, x, y, 300, 256, owner, NULL))
      return false;
    m_container = new QvGUIContainer(nullptr, 0);
    m_container->SetMFCCWnd(this);
    GUISetQvGUIContainer(this, m_container);
    struct Line {
      unsigned short style;
      const wchar_t* text;
    } lines[] = {
        {0, L"Reports 4.2"},
        {1, L"This release makes long reports quicker to open and keeps your layout when the window is narrow: "
            L"every line of a note stays visible."},
        {2, L"Charts follow the report's colours"},
        {2, L"Schedules run in the background, even while another report is printed"},
        {3, L"Reports saved by this release open in 4.0 and later."},
        {6, L"Send us your ideas from the Help menu."},
    };
    // Each label is fitted to its text; the next one starts below it.
    int top = 10;
    unsigned short id = 300;
    for (const Line& line : lines) {
      HWND child = ::CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE, 12, top, 260, 16, m_hWnd,
                                     reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), NULL, NULL);
      QvRichText* label = nullptr;
      if (!child || !m_container->GetControlFromID(label, id++, 0)) continue;
      label->SetStyle(line.style);
      if (line.style == 6) label->SetColor(QvColor(0, 110 << 8, 60 << 8));
      label->SetText(QvString(line.text));
      RECT r = {};
      ::GetWindowRect(child, &r);
      top += (r.bottom - r.top) + 8;
    }
    return true;
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
  bool m_started = false;
};

}  // namespace

HWND CreateNotesPage(HWND owner, int x, int y) {
  NotesPage* page = new NotesPage;
  if (!page->Make(owner, x, y)) {
    delete page;
    return NULL;
  }
  return page->m_hWnd;
}

void CaptureNotesPage(HWND page) {
  if (page == NULL || !ScreenshotMode()) return;
  ::ShowWindow(page, SW_SHOW);
  ::UpdateWindow(page);
  CaptureWindow(page, L"rich_text");
  ::ShowWindow(page, SW_HIDE);
}

}  // namespace host
