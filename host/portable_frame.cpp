#include "portable_frame.h"

#include <GUIFrameWnd.h>
#include <GUIView.h>
#include <QvCommandCenter.h>
#include <QvHotKeyText.h>
#include <QvView.h>
#include <QvWindow.h>
#include <framework.h>
#include <fw_statusbar.h>
#include <solvane.h>

#include "command_ids.h"
#include "context_menu.h"
#include "screens.h"

namespace host {
namespace {

QvColor Colour(int r, int g, int b) {
  return QvColor(static_cast<unsigned short>(r << 8), static_cast<unsigned short>(g << 8),
                 static_cast<unsigned short>(b << 8));
}

// The report's figures, drawn through the portable drawing interface.
class SummaryView : public QvView {
 public:
  SummaryView() : QvView(nullptr, true) {}
  bool grid = true;

  void Draw(const QvRect&) override {
    static const char* const kHeads[] = {"Region", "Orders", "Revenue", "Margin"};
    static const char* const kCells[][4] = {
        {"North", "1 284", "412 800", "18.2 %"},
        {"South", "  967", "301 450", "16.9 %"},
        {"East", "1 512", "498 120", "19.4 %"},
        {"West", "  843", "256 300", "15.1 %"},
    };
    QvBeginUse();
    QvSetFont(QvFont("Arial", 11, QVFONT_BOLD));
    QvSetPenForeColor(Colour(0, 51, 102));
    QvDrawTextInRect("Summary of the quarter", QvRect(12, 8, 420, 28), QvAlignTop, QvAlignLeft, false, 0);
    QvSetFont(QvFont("Arial", 9, 0));
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

// The portable report window: the commands of its menu answer from here.
class ReportWindow : public QvWindow {
 public:
  ReportWindow() : QvWindow(nullptr) {}
  SummaryView* summary = nullptr;

  bool OnUpdateCommandStatus(QvCommandStatus& status) override {
    switch (status.GetID()) {
      case ID_FILE_SAVE:  // nothing changed yet
        status.Enable(false);
        return true;
      case ID_VIEW_GRID:
        status.Enable(true);
        status.SetCheck(summary && summary->grid ? QvChecked : QvUnchecked);
        return true;
      case ID_VIEW_RULERS:
        status.Enable(true);
        status.SetCheck(QvUnchecked);
        return true;
      case ID_FILE_OPEN:
      case ID_FILE_PRINT:
      case ID_FILE_SEND_MAIL:
      case ID_VIEW_REFRESH:
      case ID_VIEW_ZOOM_100:
        status.Enable(true);
        return true;
    }
    return QvWindow::OnUpdateCommandStatus(status);
  }

  bool OnCommand(QvCommand& command) override {
    if (command.GetID() == ID_VIEW_GRID && summary) {
      summary->grid = !summary->grid;
      summary->QvInvalAll(true);
      return true;
    }
    if (command.GetID() == ID_VIEW_REFRESH && summary) {
      summary->QvInvalAll(true);
      return true;
    }
    return QvWindow::OnCommand(command);
  }
};

// The frame makes its report window the command target while it is active.
class ReportFrame : public CGUIFrameWnd {
 public:
  ReportWindow* window = nullptr;
  CStatusBar status;

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
  DECLARE_MESSAGE_MAP()

 private:
  QvCommandHandler* m_previous = nullptr;
};

BEGIN_MESSAGE_MAP(ReportFrame, CGUIFrameWnd)
  ON_WM_ACTIVATE()
END_MESSAGE_MAP()

// A menu item with the text of the command's portable definition and its hot key.
void AppendCommand(HMENU menu, unsigned short id) {
  QvCommandDef* def = GUIGetCommandDefFromID(id);
  QvString text;
  if (!def || !def->GetMenuText(text)) return;
  QvString key;
  if (GetHotKeyText(key, def->m_defaultKey, def->m_defaultModifiers, false)) text += key;
  AppendMenuW(menu, MF_STRING, id, ucs2string::FromUtf8(text.c_str()).c_str());
}

HMENU BuildMenu() {
  HMENU bar = CreateMenu();
  HMENU report = CreatePopupMenu();
  for (unsigned short id : {ID_FILE_OPEN, ID_FILE_SAVE}) AppendCommand(report, id);
  AppendMenuW(report, MF_SEPARATOR, 0, NULL);
  for (unsigned short id : {ID_FILE_PRINT, ID_FILE_SEND_MAIL}) AppendCommand(report, id);
  HMENU view = CreatePopupMenu();
  for (unsigned short id : {ID_VIEW_REFRESH, ID_VIEW_ZOOM_100}) AppendCommand(view, id);
  AppendMenuW(view, MF_SEPARATOR, 0, NULL);
  for (unsigned short id : {ID_VIEW_GRID, ID_VIEW_RULERS}) AppendCommand(view, id);
  AppendMenuW(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(report), L"&Report");
  AppendMenuW(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(view), L"&View");
  return bar;
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
  frame->m_hMenuDefault = BuildMenu();
  ::SetMenu(frame->m_hWnd, frame->m_hMenuDefault);
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
  window->SetWindowPosAndSize(QvRect(rect.left, rect.top, rect.right, rect.bottom));
  frame->RecalcLayout();
  return frame->m_hWnd;
}

void CapturePortableFrame(HWND hwnd) {
  ReportFrame* frame = static_cast<ReportFrame*>(CWnd::FromHandlePermanent(hwnd));
  if (!frame || !ScreenshotMode()) return;
  frame->window->BringToFront();
  frame->SetMessageText(ID_VIEW_GRID);  // the portable prompt of the item highlighted below
  // The View menu opened from the keyboard (its first item highlighted), then down to Grid.
  MenuCapture capture(hwnd, L"portable_frame", {VK_DOWN, VK_DOWN});
  ::SendMessageW(hwnd, WM_SYSCOMMAND, SC_KEYMENU, 'v');
  ::ShowWindow(hwnd, SW_HIDE);
}

}  // namespace host
