#include "schedule_page.h"

#include <GUIDateTimeCtrl.h>
#include <GUIInitialisations.h>
#include <GUIPlatformGlue.h>
#include <QvControls.h>
#include <QvDateTimeCtrl.h>
#include <QvGUIContainer.h>
#include <UIUtilities.h>
#include <framework.h>

#include "screens.h"

namespace host {
namespace {

enum : WORD { kDateLabel = 200, kDate, kTimeLabel, kTime, kPatternLabel, kPattern };

// The date/time fields take the format of the global locale when they are set: each field
// is given the one of its locale, then the user's comes back.
class LocaleFormat {
 public:
  explicit LocaleFormat(const wchar_t* name) : m_saved(Get_GlobalLocale()->GetDateTimeFormat()) {
    QvDateTimeFormat format;
    if (format.ReadFrom(name)) Get_GlobalLocale()->SetDateTimeFormat(format);
  }
  ~LocaleFormat() { Get_GlobalLocale()->SetDateTimeFormat(m_saved); }

 private:
  QvDateTimeFormat m_saved;
};

class SchedulePage : public CWnd {
 public:
  ~SchedulePage() override {
    delete m_container;
    if (m_started) PlatformGUIRelease();
  }

  bool Make(HWND owner, int x, int y) {
    // The field's window class comes with the portable layer's platform start-up.
    if (!PlatformGUIInitialisations().Succeeded()) return false;
    m_started = true;
    if (!CreateEx(WS_EX_CONTROLPARENT, AfxRegisterWndClass(0, ::LoadCursor(NULL, IDC_ARROW), ::GetSysColorBrush(COLOR_BTNFACE)),
                  _T("Report schedule"), WS_POPUP | WS_CAPTION | WS_SYSMENU, x, y, 300, 270, owner, NULL))
      return false;
    struct Child {
      const wchar_t* cls;
      const wchar_t* text;
      DWORD style;
      int x, y, cx, cy;
      WORD id;
    } children[] = {
        {L"STATIC", L"Report date (de-DE):", SS_LEFT, 10, 14, 130, 16, kDateLabel},
        {L"QvDateTimeCtrl", L"", WS_TABSTOP, 150, 10, 100, 22, kDate},
        {L"STATIC", L"Run at (en-US):", SS_LEFT, 10, 48, 130, 16, kTimeLabel},
        {L"QvDateTimeCtrl", L"", WS_TABSTOP, 150, 44, 100, 22, kTime},
        {L"STATIC", L"Header fill:", SS_LEFT, 10, 82, 130, 16, kPatternLabel},
        {L"COMBOBOX", L"", WS_VSCROLL | WS_TABSTOP | CBS_DROPDOWNLIST, 150, 78, 130, 170, kPattern},
    };
    for (const Child& c : children) {
      HWND child = ::CreateWindowExW(0, c.cls, c.text, WS_CHILD | WS_VISIBLE | c.style, c.x, c.y, c.cx, c.cy, m_hWnd,
                                     reinterpret_cast<HMENU>(static_cast<INT_PTR>(c.id)), NULL, NULL);
      if (child) ::SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(UIGetDefaultGUIFont()), FALSE);
    }
    m_container = new QvGUIContainer(nullptr, 0);
    m_container->SetMFCCWnd(this);
    GUISetQvGUIContainer(this, m_container);
    Fill();
    return true;
  }

 protected:
  void Fill() {
    QvDateTimeCtrl* date = nullptr;
    if (m_container->GetControlFromID(date, kDate, 0)) {
      LocaleFormat german(L"de-DE");
      date->SetDate(QvDate(2026, 12, 31));
    }
    QvDateTimeCtrl* time = nullptr;
    if (m_container->GetControlFromID(time, kTime, 0)) {
      LocaleFormat american(L"en-US");
      QvZone zone = QvZone::Local();
      time->SetTime(QvTime(18, 45, 30), zone);
      time->SetStyle(1);  // with seconds
    }
    QvPatternComboBox* pattern = nullptr;
    if (m_container->GetControlFromID(pattern, kPattern, 0)) {
      pattern->SetColors(QvColor(255 << 8, 255 << 8, 224 << 8), QvColor(0, 64 << 8, 160 << 8));
      pattern->SetPattern(static_cast<QvGUIPattern>(4));
    }
  }
  BOOL OnCommand(WPARAM wParam, LPARAM lParam) override { return GUIOnCommand(this, wParam, lParam) ? TRUE : FALSE; }
  BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result) override {
    return GUIOnNotify(this, wParam, lParam, result) ? TRUE : FALSE;
  }
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

HWND CreateSchedulePage(HWND owner, int x, int y) {
  SchedulePage* page = new SchedulePage;
  if (!page->Make(owner, x, y)) {
    delete page;
    return NULL;
  }
  return page->m_hWnd;
}

void CaptureSchedulePage(HWND page) {
  if (page == NULL || !ScreenshotMode()) return;
  ::ShowWindow(page, SW_SHOW);
  ::SetForegroundWindow(page);
  HWND time = ::GetDlgItem(page, kTime);
  if (HWND hour = ::GetDlgItem(time, 1)) ::SetFocus(hour);
  CaptureWindow(page, L"schedule");
  HWND pattern = ::GetDlgItem(page, kPattern);
  ::SetFocus(pattern);
  ::SendMessageW(pattern, CB_SHOWDROPDOWN, TRUE, 0);
  CaptureWindow(page, L"schedule_patterns");
  ::SendMessageW(pattern, CB_SHOWDROPDOWN, FALSE, 0);
  ::ShowWindow(page, SW_HIDE);
}

}  // namespace host
