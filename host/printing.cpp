// The report as printed pages: a title page with the figures and a page of comments, drawn
// in twips on the page (a drawing view that paginates itself).
#include "printing.h"

#include <framework.h>

#include <GUIView.h>
#include <QvPageFormat.h>
#include <QvPreviewView.h>
#include <QvPrinter.h>
#include <QvView.h>
#include <UIView.h>

#include "portable_chart.h"
#include "screens.h"

namespace host {
namespace {

const long kInch = 1440;

struct Row {
  const wchar_t* region;
  int q[4];
};
const Row kRows[] = {{L"North", {1200, 1350, 1410, 1600}},
                     {L"South", {980, 1020, 1115, 1190}},
                     {L"East", {1500, 1480, 1620, 1755}},
                     {L"West", {870, 940, 1005, 1130}}};

const wchar_t kComments[] =
    L"Revenue rose in every region this quarter. The northern region led with a gain of eleven percent, "
    L"while costs fell by four percent against the last quarter and margins improved across each product "
    L"line. The eastern region kept the largest share of sales; the western region grew fastest from the "
    L"smallest base. The board will review these figures at its next meeting and decide on the budget "
    L"for the coming year.";

class ReportPrintView : public CMFCUIView {
 public:
  explicit ReportPrintView(bool blind) : CMFCUIView(UIVIEW_TWIPS), m_blind(blind) {}

  void OnDraw(CDC*) override {}
  int IsInBlindMode() override { return m_blind ? 1 : 0; }
  int HasCustomPageManagement() override { return 1; }
  long GetNumberOfPages() override { return 2; }

  void PrintOnePage(long page) override {
    QvBeginUse();
    QvSetBackgroundColor(RGB(255, 255, 255));
    Font(20, 1, L"Arial");
    QvSetPenForeColor(RGB(0, 51, 102));
    Text(page == 1 ? L"Quarterly sales by region" : L"Comments on the quarter", kInch, kInch, 7 * kInch, 400);
    QvSetPenForeColor(RGB(0, 0, 0));
    if (page == 1)
      FiguresPage();
    else
      CommentsPage();
    Font(9, 0, L"Arial");
    wchar_t footer[32];
    wsprintfW(footer, L"Page %ld of 2", page);
    QvDrawTextInRect(footer, lstrlenW(footer), RECT{kInch, 10 * kInch, 7 * kInch, 10 * kInch + 300}, QvAlignTop,
                     QvAlignRight, 0, 0);
  }

 private:
  void FiguresPage() {
    const wchar_t* heads[] = {L"Region", L"Q1", L"Q2", L"Q3", L"Q4"};
    const long x0 = kInch, y0 = kInch + 700, colW = 1300, rowH = 360;
    QvSetFillForeColor(RGB(214, 226, 240));
    QvSetFillPattern(QvSolidPattern);
    QvDrawRect(RECT{x0, y0, x0 + 5 * colW, y0 + rowH}, 0, 1);
    Font(11, 1, L"Arial");
    for (int c = 0; c < 5; ++c) Text(heads[c], x0 + c * colW + 100, y0 + 60, colW - 200, rowH);
    Font(11, 0, L"Arial");
    for (int r = 0; r < 4; ++r) {
      const long y = y0 + rowH * (r + 1);
      Text(kRows[r].region, x0 + 100, y + 60, colW - 200, rowH);
      for (int c = 0; c < 4; ++c) {
        wchar_t value[16];
        wsprintfW(value, L"%d", kRows[r].q[c]);
        QvDrawTextInRect(value, lstrlenW(value), RECT{x0 + (c + 1) * colW, y + 60, x0 + (c + 2) * colW - 100, y + rowH},
                         QvAlignTop, QvAlignRight, 0, 0);
      }
      QvDrawLine(POINT{x0, y + rowH}, POINT{x0 + 5 * colW, y + rowH});
    }
    // Q4 as bars.
    const long chartY = y0 + rowH * 6;
    Font(11, 1, L"Arial");
    Text(L"Fourth quarter", x0, chartY, 4 * kInch, 300);
    Font(11, 0, L"Arial");
    QvSetFillForeColor(RGB(70, 130, 180));
    for (int r = 0; r < 4; ++r) {
      const long y = chartY + 450 + r * 420;
      Text(kRows[r].region, x0, y + 40, 1000, 300);
      QvDrawRect(RECT{x0 + 1100, y, x0 + 1100 + kRows[r].q[3] * 2, y + 300}, 0, 1);
    }
  }

  void CommentsPage() {
    Font(12, 0, L"Times New Roman");
    QvDrawTextInRect(kComments, lstrlenW(kComments), RECT{kInch, kInch + 700, 7 * kInch, 5 * kInch}, QvAlignTop,
                     QvAlignJustify, 1, 0);
    Font(11, 0, L"Arial");
    QvSetFillCharacter(QvString("."));
    Text(L"Total revenue", kInch, 5 * kInch + 300, 4 * kInch, 300);
    QvSetFillCharacter(QvString(""));
    QvDrawTextInRect(L"5,675", 5, RECT{5 * kInch, 5 * kInch + 300, 6 * kInch, 5 * kInch + 600}, QvAlignTop,
                     QvAlignRight, 0, 0);
  }

  void Font(short size, unsigned short style, const wchar_t* face) {
    UIFont f;
    f.size = size;
    f.style = style;
    f.face = face;
    QvSetFont(f);
  }
  void Text(const wchar_t* text, long x, long y, long w, long h) {
    QvDrawTextInRect(text, lstrlenW(text), RECT{x, y, x + w, y + h}, QvAlignTop, QvAlignLeft, 1, 0);
  }
  void PostNcDestroy() override {}

  bool m_blind;
};

// The portable chart on a page: a heading, then the chart at its screen size an inch in from
// the paper's edges, in twips.
class ChartPage : public QvView {
 public:
  ChartPage() : QvView(nullptr, true) {}
  bool HasCustomPageManagement() override { return true; }
  long GetNumberOfPages() override { return 1; }
  void PrintOnePage(long) override {
    QvBeginUse();
    QvSetFont(QvFont("Arial", 20, QVFONT_BOLD));
    QvSetPenForeColor(QvColor(0, 0x3300, 0x6600));
    QvDrawTextInRect("Quarterly sales, portable chart", QvRect(kInch, kInch, 7 * kInch, kInch + 500), QvAlignTop,
                     QvAlignLeft, false, 0);
    QvSetPenForeColor(QvColor(0, 0, 0));
    QvSetOrigin(QvPoint(kInch, kInch + 800));
    DrawPortableChart(*this, 15, false);
    QvSetOrigin(QvPoint(0, 0));
  }
};

}  // namespace

bool PrintPortableChart(HWND main) {
  // A hidden frame of the main window's names the job after itself.
  CFrameWnd* frame = new CFrameWnd;
  if (!frame->Create(NULL, _T("Portable chart"), WS_OVERLAPPEDWINDOW, CFrameWnd::rectDefault, CWnd::FromHandle(main)))
    return false;
  ChartPage* page = new ChartPage;
  CGUIView* view = new CGUIView;  // owns the page from here on
  if (!view->Create(page, WS_CHILD, CRect(0, 0, 10, 10), frame, AFX_IDW_PANE_FIRST)) {
    delete view;
    delete page;
    frame->DestroyWindow();
    return false;
  }
  page->SetUnitType(QvTwipsUnit);
  QvPageFormat format(true);
  QvPrinter printer;
  printer.SetQvView(page);
  printer.SetPageFormat(&format);
  const bool printed = printer.Print(1, 1).Succeeded();
  frame->DestroyWindow();  // the view and its page with it
  return printed;
}

bool PrintReport(HWND main, bool blind) {
  // The report's document names the job.
  CDocument document;
  document.m_bAutoDelete = FALSE;
  document.SetTitle(_T("Quarterly report"));
  ReportPrintView view(blind);
  // A hidden window of the main window's, so that the view has a screen DC to compare with.
  if (!view.Create(NULL, NULL, WS_CHILD, CRect(0, 0, 1, 1), CWnd::FromHandle(main), 0xE901)) return false;
  document.AddView(&view);
  view.OnInitialUpdate();
  const UIPrintResult result = blind ? view.Print(1, 2) : view.Print(0, 0);
  view.DestroyWindow();
  document.RemoveView(&view);
  return result == UIPrinted;
}

void PreviewReport(HWND main) {
  CFrameWnd* frame = new CFrameWnd;
  if (!frame->Create(NULL, _T("Quarterly report - Preview"), WS_OVERLAPPEDWINDOW, CRect(40, 30, 840, 630),
                     CWnd::FromHandle(main)))
    return;
  CDocument* document = new CDocument;
  document->m_bAutoDelete = FALSE;
  document->SetTitle(_T("Quarterly report"));
  auto* view = new ReportPrintView(true);
  if (!view->Create(NULL, NULL, WS_CHILD | WS_VISIBLE, CRect(0, 0, 10, 10), frame, AFX_IDW_PANE_FIRST)) {
    delete view;
    delete document;
    frame->DestroyWindow();
    return;
  }
  document->AddView(view);
  view->OnInitialUpdate();
  frame->SetActiveView(view);
  frame->ShowWindow(SW_SHOW);
  frame->RecalcLayout();
  if (view->DoPrintPreview(RUNTIME_CLASS(CQvPreviewView))) {
    frame->SendMessage(WM_COMMAND, AFX_ID_PREVIEW_NUMPAGE);  // two pages
    if (ScreenshotMode()) CaptureWindow(frame->m_hWnd, L"print_preview");
    frame->SendMessage(WM_COMMAND, AFX_ID_PREVIEW_CLOSE);
  }
  document->RemoveView(view);
  delete document;
  frame->DestroyWindow();  // the view's window with it; the view object is this function's
  delete view;
}

}  // namespace host
