#include "portable_frame.h"

#include <GUIFrameWnd.h>
#include <GUIToolbarCombos.h>
#include <GUIView.h>
#include <QvCommandCenter.h>
#include <QvCommandCombos.h>
#include <QvControls.h>
#include <QvDynamicMenu.h>
#include <QvStatusBar.h>
#include <QvToolBars.h>
#include <QvView.h>
#include <QvWindow.h>
#include <framework.h>
#include <fw_statusbar.h>

#include <initializer_list>


#include "command_ids.h"
#include "context_menu.h"
#include "portable_frame_ids.h"
#include "screens.h"

namespace host {
namespace {

// ---------------------------------------------------------------------------------------
// The control makers of the toolbars' combo boxes, made by the toolbars from the class names
// of the commands' definitions.

// A combo box of the toolbars: the platform box over the placeholders, bound to its portable
// combo box, which the command's adaptor drives while the box lives.
template <class Box, class Portable>
class BoxMaker : public QvComboBoxMaker {
 public:
  typedef Portable* (*Getter)();
  typedef void (*Setter)(Portable*);
  BoxMaker(Getter get, Setter set, unsigned short placeholders)
      : m_get(get), m_set(set), m_placeholders(placeholders) {}
  ~BoxMaker() override {
    if (m_get() == &m_portable) m_set(nullptr);
  }
  bool CreateControl(CWnd* toolbar, RECT* space, unsigned int commandId) override {
    CRect r(*space);
    r.bottom = r.top + 240;  // room for the dropped list
    if (!m_box.Create(WS_CHILD | WS_VISIBLE | WS_VSCROLL | CBS_DROPDOWN, r, toolbar, commandId)) return false;
    SetSystemFont(&m_box);
    if (!m_portable.SetPlatformControl(m_box.m_hWnd)) return false;
    m_set(&m_portable);
    return true;
  }
  unsigned short GetSeparatorCount() override { return m_placeholders; }
  CWnd* GetControl() override { return m_box.m_hWnd ? &m_box : nullptr; }

 private:
  Getter m_get;
  Setter m_set;
  unsigned short m_placeholders;
  Box m_box;
  Portable m_portable;  // goes before its window
};

class HostZoomComboMaker : public BoxMaker<CGUIZoomComboBox, QvZoomComboBox> {
  QV_DECLARE_CREATABLE(HostZoomComboMaker)
 public:
  HostZoomComboMaker()
      : BoxMaker(&QvCommandForZoomComboBox::Get_ZoomComboBox, &QvCommandForZoomComboBox::Set_ZoomComboBox, 9) {}
};
QV_IMPLEMENT_CREATABLE(HostZoomComboMaker, QV_RUNTIME_CLASS(QvComboBoxMaker))
QV_CLASSINIT(HostZoomComboMaker)

class HostFontsComboMaker : public BoxMaker<CGUIFontsComboBox, QvFontsComboBox> {
  QV_DECLARE_CREATABLE(HostFontsComboMaker)
 public:
  HostFontsComboMaker()
      : BoxMaker(&QvCommandForFontsComboBox::Get_FontsComboBox, &QvCommandForFontsComboBox::Set_FontsComboBox, 17) {}
};
QV_IMPLEMENT_CREATABLE(HostFontsComboMaker, QV_RUNTIME_CLASS(QvComboBoxMaker))
QV_CLASSINIT(HostFontsComboMaker)

// The zoom box's adaptor, as the command centre made it.
QvCommandForZoomComboBox* ZoomCommand() {
  return dynamic_cast<QvCommandForZoomComboBox*>(GUIGetCommandFromID(ID_VIEW_ZOOM_BOX));
}

// ---------------------------------------------------------------------------------------
// The report.

QvColor Colour(int r, int g, int b) {
  return QvColor(static_cast<unsigned short>(r << 8), static_cast<unsigned short>(g << 8),
                 static_cast<unsigned short>(b << 8));
}

// The report's figures, drawn through the portable drawing interface in the chosen face.
class SummaryView : public QvView {
 public:
  SummaryView() : QvView(nullptr, true) {}
  bool grid = true;
  QvString face = "Arial";

  void Draw(const QvRect&) override {
    static const char* const kHeads[] = {"Region", "Orders", "Revenue", "Margin"};
    static const char* const kCells[][4] = {
        {"North", "1 284", "412 800", "18.2 %"},
        {"South", "  967", "301 450", "16.9 %"},
        {"East", "1 512", "498 120", "19.4 %"},
        {"West", "  843", "256 300", "15.1 %"},
    };
    QvBeginUse();
    QvSetFont(QvFont(face, 11, QVFONT_BOLD));
    QvSetPenForeColor(Colour(0, 51, 102));
    QvDrawTextInRect("Summary of the quarter", QvRect(12, 8, 420, 28), QvAlignTop, QvAlignLeft, false, 0);
    QvSetFont(QvFont(face, 9, 0));
    const int left = 12, top = 38, colW = 100, rowH = 22;
    QvSetFillPattern(QvSolidPattern);
    QvSetFillForeColor(Colour(214, 226, 240));
    QvDrawRect(QvRect(left, top, left + 4 * colW, top + rowH), false, true);
    for (int r = 0; r <= 4; ++r) {
      for (int c = 0; c < 4; ++c) {
        const char* text = r == 0 ? kHeads[c] : kCells[r - 1][c];
        const int y = top + r * rowH;
        QvSetPenForeColor(Colour(0, 0, 0));
        QvDrawTextInRect(text, QvRect(left + c * colW + 6, y, left + (c + 1) * colW - 6, y + rowH), QvAlignVCenter,
                         c == 0 ? QvAlignLeft : QvAlignRight, false, 0);
      }
    }
    if (grid) {
      QvSetPenForeColor(Colour(160, 160, 160));
      for (int r = 0; r <= 5; ++r) QvDrawLine(QvPoint(left, top + r * rowH), QvPoint(left + 4 * colW, top + r * rowH));
      for (int c = 0; c <= 4; ++c) QvDrawLine(QvPoint(left + c * colW, top), QvPoint(left + c * colW, top + 5 * rowH));
    }
  }
};

// The portable report window: the commands of the frame's menus, toolbars and boxes answer
// from here (after the user's rights, which the portable layer asks first).
class ReportWindow : public QvWindow {
 public:
  ReportWindow() : QvWindow(nullptr) {}
  SummaryView* summary = nullptr;

  bool OnUpdateCommandStatus(QvCommandStatus& status) override {
    const unsigned short id = status.GetID();
    status.Enable(id != ID_FILE_SAVE);  // nothing changed yet
    if (id == ID_VIEW_GRID) status.SetCheck(summary && summary->grid ? QvChecked : QvUnchecked);
    if (id == ID_VIEW_ZOOM_50 || id == ID_VIEW_ZOOM_100 || id == ID_VIEW_ZOOM_200)
      status.SetCheck(ZoomOf(id) == Zoom() ? QvChecked : QvUnchecked);
    return true;
  }

  bool OnCommand(QvCommand& command) override {
    const unsigned short id = command.GetID();
    if (!summary) return QvWindow::OnCommand(command);
    switch (id) {
      case ID_VIEW_ZOOM_BOX:  // a zoom chosen or typed in the box
        ShowZoom(static_cast<QvCommandForZoomComboBox&>(command).GetZoom());
        return true;
      case ID_VIEW_ZOOM_50:
      case ID_VIEW_ZOOM_100:
      case ID_VIEW_ZOOM_200:
        if (QvCommandForZoomComboBox* zoom = ZoomCommand()) zoom->SetZoom(ZoomOf(id));
        ShowZoom(ZoomOf(id));
        return true;
      case ID_FORMAT_FONT_BOX: {  // a face chosen in the font box
        QvString face;
        if (static_cast<QvCommandForFontsComboBox&>(command).GetFontName(face) && !face.IsEmpty()) {
          summary->face = face;
          summary->QvInvalAll(true);
        }
        return true;
      }
      case ID_VIEW_GRID:
        summary->grid = !summary->grid;
        summary->QvInvalAll(true);
        return true;
      case ID_VIEW_REFRESH:
        summary->QvInvalAll(true);
        return true;
    }
    return QvWindow::OnCommand(command);
  }

 private:
  static unsigned short ZoomOf(unsigned short id) {
    return id == ID_VIEW_ZOOM_50 ? 50 : id == ID_VIEW_ZOOM_200 ? 200 : 100;
  }
  unsigned short Zoom() const {
    long numerator = 1, denominator = 1;
    if (summary) summary->GetZoomFactor(numerator, denominator);
    return static_cast<unsigned short>(numerator * 100 / denominator);
  }
  void ShowZoom(unsigned short zoom) {
    if (zoom != 0) summary->SetZoomFactor(zoom, 100);
  }
};

// ---------------------------------------------------------------------------------------
// The menu bar: popups captioned with the ids of commands the host adds for them.

enum : unsigned short { kFilePopup = 32700, kViewPopup, kZoomPopup, kAnalysisPopup, kMacrosPopup, kHelpPopup };

void AddPopupCommands() {
  static const struct {
    unsigned short id;
    const wchar_t* text;
  } kPopups[] = {{kFilePopup, L"&File"},         {kViewPopup, L"&View"},     {kZoomPopup, L"&Zoom"},
                 {kAnalysisPopup, L"&Analysis"}, {kMacrosPopup, L"&Macros"}, {kHelpPopup, L"&Help"}};
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

// The bar as the host's menu resource would hold it.
HMENU MakeMenuBar() {
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
  // The macro is hidden by the rights: no two separators are left in a row.
  HMENU view = popup({ID_VIEW_REFRESH, ID_VIEW_GRID, ID_VIEW_RULERS, 0, ID_ANALYSIS_MACRO_1, 0});
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

// ---------------------------------------------------------------------------------------
// The frame.

const char* const kBars[] = {"Standard", "Report"};

// The frame makes its report window the command target while it is active, takes its
// accelerators from its dynamic menu bar, and lets its toolbars and dynamic menus go when it
// ends.
class ReportFrame : public CGUIFrameWnd {
 public:
  ReportWindow* window = nullptr;
  QvToolBarManager* toolbars = nullptr;
  CStatusBar status;

  HACCEL GetDefaultAccelerator() override { return GetAcceleratorForUpdateFrameMenu(GetMenu()); }
  CGUIMultipleBitmapToolbar* Bar(const char* name) const { return toolbars ? toolbars->GetToolBar(name) : nullptr; }
  CGUIZoomComboBox* ZoomBox() const {
    CGUIMultipleBitmapToolbar* bar = Bar("Report");
    QvControlMaker* maker = bar ? bar->GetControlMaker(ID_VIEW_ZOOM_BOX) : nullptr;
    return maker ? dynamic_cast<CGUIZoomComboBox*>(maker->GetControl()) : nullptr;
  }
  // The buttons' states as the idle update gives them.
  void UpdateButtons() {
    for (const char* name : kBars)
      if (CGUIMultipleBitmapToolbar* bar = Bar(name)) bar->OnUpdateCmdUI(this, TRUE);
  }

 protected:
  afx_msg void OnActivate(UINT state, CWnd* other, BOOL minimised) {
    CGUIFrameWnd::OnActivate(state, other, minimised);
    if (state != WA_INACTIVE) {
      if (QvCommandHandler::GetTarget() != window) m_previous = QvCommandHandler::GetTarget();
      QvCommandHandler::SetActiveTarget(window);
    } else if (QvCommandHandler::GetTarget() == window) {
      QvCommandHandler::SetActiveTarget(m_previous);
    }
  }
  afx_msg void OnDestroy() {
    if (QvCommandHandler::GetTarget() == window) QvCommandHandler::SetActiveTarget(m_previous);
    if (toolbars) {
      delete toolbars;  // its bars, their makers and boxes with them
      toolbars = nullptr;
    }
    if (Get_GlobalTemporayAccessforMFCMainWindow() == this) Set_GlobalTemporayAccessforMFCMainWindow(nullptr);
    CGUIFrameWnd::OnDestroy();  // the portable window ends
    ReleaseDynamicMenu();
  }
  DECLARE_MESSAGE_MAP()

 private:
  QvCommandHandler* m_previous = nullptr;
};

BEGIN_MESSAGE_MAP(ReportFrame, CGUIFrameWnd)
  ON_WM_ACTIVATE()
  ON_WM_DESTROY()
END_MESSAGE_MAP()

bool AddMenuBar(ReportFrame* frame) {
  if (!InitDynamicMenu().Succeeded()) return false;
  AddPopupCommands();
  CMenu bar;
  bar.Attach(MakeMenuBar());
  frame->SetMenu(&bar);
  frame->m_hMenuDefault = bar.m_hMenu;
  const bool registered = RegisterMenuBar(&bar, 0).Succeeded();
  bar.Detach();  // the window's now
  return registered;
}

void AddToolbars(ReportFrame* frame) {
  // The toolbars are shown and docked in this frame.
  Set_GlobalTemporayAccessforMFCMainWindow(frame);
  frame->toolbars = new QvToolBarManager;
  QvToolBarManager& manager = *frame->toolbars;
  manager.AddToolBar(kBars[0], true, ID_PORTABLE_STANDARD_BAR);
  manager.AddToolBar(kBars[1], true, ID_PORTABLE_REPORT_BAR);
  manager.CreateToolBars(frame);
  manager.AddToolBarResource(kBars[0], IDL_PORTABLE_STANDARD);
  manager.AddToolBarResource(kBars[1], IDL_PORTABLE_REPORT);
}

}  // namespace

HWND CreatePortableFrame(HWND owner, const RECT& rect) {
  if (!StartPortableCommands()) return NULL;
  ReportFrame* frame = new ReportFrame;
  if (!frame->Create(NULL, _T("Report"), WS_OVERLAPPEDWINDOW, CRect(0, 0, 300, 200), CWnd::FromHandle(owner)))
    return NULL;  // a failed creation deletes the object
  ReportWindow* window = new ReportWindow;
  window->SetMFCCWnd(frame);
  GUISetQvGUIContainer(frame, window);
  frame->window = window;
  if (!AddMenuBar(frame)) {
    frame->DestroyWindow();
    return NULL;
  }
  AddToolbars(frame);
  static const UINT kIndicators[] = {ID_SEPARATOR};
  frame->status.Create(frame);
  frame->status.SetIndicators(kIndicators, 1);

  SummaryView* summary = new SummaryView;
  CGUIView* view = new CGUIView;
  if (!view->Create(summary, WS_CHILD | WS_VISIBLE, CRect(0, 0, 0, 0), frame, AFX_IDW_PANE_FIRST)) {
    delete view;
    delete summary;
  } else {
    window->summary = summary;
    summary->SetParentCommandHandler(window);
    summary->SetImageSize(QvSize(440, 170), false);
  }
  window->SetCaption("Sales report (portable frame)");
  window->SetWindowPosAndSize(QvRect(rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top));
  frame->RecalcLayout();
  return frame->m_hWnd;
}

void CapturePortableFrame(HWND hwnd) {
  ReportFrame* frame = static_cast<ReportFrame*>(CWnd::FromHandlePermanent(hwnd));
  if (!frame || !ScreenshotMode()) return;
  frame->window->BringToFront();
  frame->UpdateButtons();
  frame->SetMessageText(ID_VIEW_ZOOM_BOX);  // the prompt of the zoom box
  CaptureWindow(hwnd, L"portable_frame");

  frame->SetMessageText(AFX_IDS_IDLEMESSAGE);
  {
    // The View popup opened from the keyboard (Refresh highlighted), down to Zoom (past Grid
    // and Rulers; the hidden macro and its separator are gone) and into it.
    MenuCapture capture(hwnd, L"portable_menu", {VK_DOWN, VK_DOWN, VK_DOWN, VK_RIGHT});
    ::SendMessageW(hwnd, WM_SYSCOMMAND, SC_KEYMENU, 'v');
  }

  // 150 % chosen in the zoom box as a click in its list does (the selection, which the toolbar
  // reflects to the box): the view zooms. Then the list dropped down over the view.
  if (CGUIZoomComboBox* box = frame->ZoomBox()) {
    const int item = box->FindStringExact(-1, _T("150%"));
    if (item >= 0) {
      box->SetCurSel(item);
      ::SendMessageW(::GetParent(box->m_hWnd), WM_COMMAND, MAKEWPARAM(box->GetDlgCtrlID(), CBN_SELCHANGE),
                     reinterpret_cast<LPARAM>(box->m_hWnd));
    }
    frame->UpdateButtons();
    ::SetFocus(box->m_hWnd);
    box->ShowDropDown(TRUE);
    CaptureWindow(hwnd, L"portable_toolbar");
    box->ShowDropDown(FALSE);
  }
  ::ShowWindow(hwnd, SW_HIDE);
}

}  // namespace host
