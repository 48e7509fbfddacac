#include "controls_page.h"

#include <GUIControls.h>
#include <GUIPlatformGlue.h>
#include <QvControls.h>
#include <QvGUIContainer.h>
#include <UIHandles.h>
#include <commctrl.h>
#include <framework.h>

#include <vector>

namespace host {
namespace {

enum : WORD {
  kTitle = 100,
  kName,
  kPassword,
  kApply,
  kSummary,
  kDetail,
  kLocked,
  kPartial,
  kSeparator,
  kRegions,
  kFormat,
  kCopies,
  kZoom,
  kProgress,
  kNameLabel,
  kPasswordLabel,
  kCopiesLabel,
  kZoomLabel,
  kOptions,
};

const DWORD kChild = WS_CHILD | WS_VISIBLE;

struct Item {
  const wchar_t* cls;
  const wchar_t* text;
  DWORD style;
  short x, y, cx, cy;
  WORD id;
};

const Item kItems[] = {
    {L"STATIC", L"", kChild | SS_LEFT, 8, 6, 240, 10, kTitle},
    {L"STATIC", L"Report name:", kChild | SS_LEFT, 8, 22, 50, 10, kNameLabel},
    {L"EDIT", L"", kChild | WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL, 62, 20, 90, 12, kName},
    {L"STATIC", L"Password:", kChild | SS_LEFT, 8, 38, 50, 10, kPasswordLabel},
    {L"EDIT", L"", kChild | WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL | ES_PASSWORD, 62, 36, 90, 12, kPassword},
    {L"BUTTON", L"Options", kChild | BS_GROUPBOX, 6, 54, 150, 62, kOptions},
    {L"BUTTON", L"Summary", kChild | WS_TABSTOP | BS_AUTORADIOBUTTON | WS_GROUP, 12, 66, 60, 10, kSummary},
    {L"BUTTON", L"Detail", kChild | BS_AUTORADIOBUTTON, 12, 78, 60, 10, kDetail},
    {L"BUTTON", L"Locked layout", kChild | WS_TABSTOP | BS_AUTOCHECKBOX | WS_GROUP, 80, 66, 72, 10, kLocked},
    {L"BUTTON", L"Some pages", kChild | WS_TABSTOP | BS_AUTO3STATE, 80, 78, 72, 10, kPartial},
    {L"BUTTON", L"", kChild | BS_GROUPBOX, 12, 92, 138, 4, kSeparator},
    {L"STATIC", L"Copies:", kChild | SS_LEFT, 12, 100, 30, 10, kCopiesLabel},
    {L"EDIT", L"", kChild | WS_BORDER | WS_TABSTOP, 44, 98, 40, 12, kCopies},
    {L"LISTBOX", L"", kChild | WS_BORDER | WS_VSCROLL | WS_TABSTOP | LBS_NOTIFY, 164, 20, 90, 50, kRegions},
    {L"COMBOBOX", L"", kChild | WS_VSCROLL | WS_TABSTOP | CBS_DROPDOWNLIST, 164, 76, 90, 80, kFormat},
    {L"STATIC", L"Zoom:", kChild | SS_LEFT, 164, 96, 30, 10, kZoomLabel},
    {L"msctls_trackbar32", L"", kChild | WS_TABSTOP | TBS_HORZ | TBS_AUTOTICKS, 190, 94, 66, 16, kZoom},
    {L"msctls_progress32", L"", kChild, 8, 124, 180, 10, kProgress},
    {L"BUTTON", L"Apply", kChild | WS_TABSTOP | BS_DEFPUSHBUTTON, 204, 122, 50, 14, kApply},
};

std::vector<WORD> Template() {
  std::vector<WORD> t;
  auto dword = [&t](DWORD d) {
    t.push_back(LOWORD(d));
    t.push_back(HIWORD(d));
  };
  auto text = [&t](const wchar_t* s) {
    for (; *s; ++s) t.push_back(*s);
    t.push_back(0);
  };
  dword(WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_SETFONT | DS_MODALFRAME);
  dword(0);
  t.push_back(static_cast<WORD>(sizeof kItems / sizeof kItems[0]));
  for (WORD w : {0, 0, 262, 142, 0, 0}) t.push_back(w);  // position, size, no menu, dialog class
  text(L"Report options");
  t.push_back(8);
  text(L"Tahoma");
  for (const Item& item : kItems) {
    if (t.size() % 2) t.push_back(0);
    dword(item.style);
    dword(0);
    for (short v : {item.x, item.y, item.cx, item.cy}) t.push_back(static_cast<WORD>(v));
    t.push_back(item.id);
    text(item.cls);
    text(item.text);
    t.push_back(0);
  }
  return t;
}

// The page's container: the spinner and the slider drive the progress bar.
class PageContainer : public QvGUIContainer {
 public:
  PageContainer() : QvGUIContainer(nullptr, 0) {}
  bool OnControlNotification(QvControlNotification& n) override {
    QvProgressBar* progress = nullptr;
    QvSpinner* copies = nullptr;
    if (n.m_code == 1200 && GetControlFromID(progress, kProgress, 0)) {
      QvSlider* zoom = nullptr;
      if (GetControlFromID(zoom, kZoom, 0)) progress->SetValue(zoom->GetValue());
      return true;
    }
    if (n.m_code == 205 && n.m_controlID == kCopies && GetControlFromID(copies, kCopies, 0) &&
        GetControlFromID(progress, kProgress, 0)) {
      progress->SetValue(n.m_value * 10);
      return true;
    }
    return QvGUIContainer::OnControlNotification(n);
  }
};

// Little coloured squares for the format combo.
void MakeSwatches(CImageList& list) {
  list.Create(12, 12, ILC_COLOR24, 3, 0);
  for (COLORREF c : {RGB(200, 40, 40), RGB(40, 140, 60), RGB(40, 80, 200)}) {
    HDC screen = GetDC(NULL);
    uih::OwnedBitmap bitmap(CreateCompatibleBitmap(screen, 12, 12));
    {
      uih::OwnedDC dc(CreateCompatibleDC(screen));
      uih::Selection selected(dc.Get(), bitmap.Get());
      uih::OwnedBrush brush(CreateSolidBrush(c));
      RECT rc = {0, 0, 12, 12};
      FillRect(dc.Get(), &rc, brush.Get());
    }
    ReleaseDC(NULL, screen);
    ImageList_Add(list.m_hImageList, bitmap.Get(), NULL);
  }
}

// The dialog: its children's notifications go the portable road.
class ControlsPage : public CDialog {
 public:
  ControlsPage() = default;
  ~ControlsPage() override { delete m_container; }

  bool Make(HWND owner, int x, int y) {
    static const std::vector<WORD> words = Template();
    if (!CreateIndirect(reinterpret_cast<LPCDLGTEMPLATE>(words.data()), CWnd::FromHandle(owner))) return false;
    SetWindowPos(NULL, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    m_container = new PageContainer;
    m_container->SetMFCCWnd(this);
    GUISetQvGUIContainer(this, m_container);
    Fill();
    return true;
  }

 protected:
  void Fill() {
    PageContainer& c = *m_container;
    QvStaticText* title = nullptr;
    if (c.GetControlFromID(title, kTitle, 0)) title->SetText(QvString("Quarterly sales report \xE2\x80\x94 output options"));
    QvEditText* name = nullptr;
    if (c.GetControlFromID(name, kName, 0)) {
      name->SetText(QvString("Sales Q4"), false);
      name->SetFilteredChar(QvString("\\/:*?\"<>|"));  // no characters a file name cannot hold
    }
    QvPassEditText* password = nullptr;
    if (c.GetControlFromID(password, kPassword, 0)) password->SetText(QvString("secret"), false);
    QvRadioButton* detail = nullptr;
    if (c.GetControlFromID(detail, kDetail, 0)) detail->Check(true);
    QvCheckBox* locked = nullptr;
    if (c.GetControlFromID(locked, kLocked, 0)) {
      locked->SetState(QvChecked);
      locked->SetReadOnly(true);
    }
    QvCheckBox* partial = nullptr;
    if (c.GetControlFromID(partial, kPartial, 0)) partial->SetState(QvIndeterminate);
    QvGroupBox* separator = nullptr;
    c.GetControlFromID(separator, kSeparator, 0);
    QvListBox* regions = nullptr;
    if (c.GetControlFromID(regions, kRegions, 0)) {
      for (const char* region : {"North", "South", "East", "West", "Central", "Overseas"}) regions->AddItem(QvString(region), -1);
      regions->Select(QvString("East"), true);
    }
    QvComboBox* format = nullptr;
    if (c.GetControlFromID(format, kFormat, 0)) {
      for (const char* f : {"PDF document", "Spreadsheet", "Web page"}) format->AddItem(QvString(f));
      // The images are the platform combo's: a list of swatches made here.
      if (CGUIComboBox* combo = dynamic_cast<CGUIComboBox*>(format->GetPlatformControl())) {
        CImageList* swatches = new CImageList;
        MakeSwatches(*swatches);
        combo->SetImageList(swatches, true, true);
      }
      for (short i = 0; i < 3; ++i) format->SetItemImage(i, i);
      format->Select(0L);
      format->AdjustDroppedWidth();
    }
    QvSpinner* copies = nullptr;
    if (c.GetControlFromID(copies, kCopies, 0)) {
      copies->SetRange(1, 99);
      copies->SetValue(3);
    }
    QvSlider* zoom = nullptr;
    if (c.GetControlFromID(zoom, kZoom, 0)) {
      zoom->SetRange(0, 100);
      zoom->SetStep(10);
      zoom->SetValue(60);
    }
    QvProgressBar* progress = nullptr;
    if (c.GetControlFromID(progress, kProgress, 0)) {
      progress->SetRange(0, 100);
      progress->SetValue(60);
    }
  }
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
    if (message == WM_HSCROLL && lParam) {
      GUITranslateControlNotification(m_container, static_cast<unsigned short>(::GetDlgCtrlID(reinterpret_cast<HWND>(lParam))),
                                      LOWORD(wParam), NULL);
      return 0;
    }
    if (message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC) {
      const LRESULT brush = CDialog::WindowProc(message, wParam, lParam);
      GUIOnCtlColor(this, CDC::FromHandle(reinterpret_cast<HDC>(wParam)),
                    CWnd::FromHandle(reinterpret_cast<HWND>(lParam)), message - WM_CTLCOLORMSGBOX);
      return brush;
    }
    return CDialog::WindowProc(message, wParam, lParam);
  }
  BOOL OnCommand(WPARAM wParam, LPARAM lParam) override {
    if (LOWORD(wParam) == IDCANCEL && lParam == 0) {
      ShowWindow(SW_HIDE);
      return TRUE;
    }
    return GUIOnCommand(this, wParam, lParam) ? TRUE : FALSE;
  }
  BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result) override {
    return GUIOnNotify(this, wParam, lParam, result) ? TRUE : FALSE;
  }
  void OnOK() override {}
  void OnCancel() override { ShowWindow(SW_HIDE); }
  void PostNcDestroy() override { delete this; }

 private:
  PageContainer* m_container = nullptr;
};

}  // namespace

HWND CreateControlsPage(HWND owner, int x, int y) {
  ControlsPage* page = new ControlsPage;
  if (!page->Make(owner, x, y)) {
    delete page;
    return NULL;
  }
  return page->m_hWnd;
}

}  // namespace host
