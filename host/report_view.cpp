// The document window: report text in several alignments, a justified paragraph, vertical
// text, a fill character and a link, drawn by a CMFCUIView in pixel units.
#include "report_view.h"

#include <framework.h>

#include <UIView.h>

#include "context_menu.h"

namespace host {
namespace {

const wchar_t kParagraph[] =
    L"Revenue rose in every region this quarter. The northern region led with a gain of eleven percent, "
    L"while costs fell by four percent against the last quarter and margins improved across each product "
    L"line. The board will review the figures at its next meeting.";

class ReportView : public CMFCUIView {
 public:
  ReportView() : CMFCUIView(0) {}

  void OnDraw(CDC*) override {
    QvBeginUse();
    QvSetBackgroundColor(RGB(255, 255, 255));
    Font(16, 1, L"Arial");
    QvSetPenForeColor(RGB(0, 51, 102));
    Text(L"Quarterly report", RECT{24, 16, 600, 44}, QvAlignLeft);

    Font(10, 0, L"Arial");
    QvSetPenForeColor(RGB(0, 0, 0));
    struct Box {
      const wchar_t* text;
      QvHorizontalAlign ha;
      QvVerticalAlign va;
    };
    const Box boxes[] = {{L"Left aligned, top", QvAlignLeft, QvAlignTop},
                         {L"Centred in its box", QvAlignHCenter, QvAlignVCenter},
                         {L"Right aligned, bottom", QvAlignRight, QvAlignBottom}};
    for (int i = 0; i < 3; ++i) {
      RECT r = {24 + i * 190, 56, 24 + i * 190 + 176, 106};
      QvSetFillForeColor(RGB(235, 241, 248));
      QvSetFillPattern(QvSolidPattern);
      QvDrawRect(r, 1, 1);
      RECT inner = {r.left + 4, r.top + 4, r.right - 4, r.bottom - 4};
      QvDrawTextInRect(boxes[i].text, lstrlenW(boxes[i].text), inner, boxes[i].va, boxes[i].ha, 1, 0);
    }

    Font(10, 1, L"Arial");
    Text(L"Summary (justified)", RECT{24, 122, 560, 140}, QvAlignLeft);
    Font(10, 0, L"Times New Roman");
    QvDrawTextInRect(kParagraph, lstrlenW(kParagraph), RECT{24, 142, 400, 240}, QvAlignTop, QvAlignJustify, 1, 0);

    Font(10, 0, L"Arial");
    QvSetFillCharacter(QvString("."));
    Text(L"Total revenue", RECT{24, 252, 330, 270}, QvAlignLeft);
    QvSetFillCharacter(QvString(""));
    Text(L"4,875", RECT{330, 252, 400, 270}, QvAlignRight);
    const wchar_t link[] = L"Details at <a href=\"www.example.com/q4\">the report site</a>.";
    QvDrawTextInRect(link, lstrlenW(link), RECT{24, 280, 400, 300}, QvAlignTop, QvAlignLeft, 1, 0);

    Font(12, 1, L"Arial");
    QvSetPenForeColor(RGB(120, 30, 30));
    RECT band = {430, 130, 470, 300};
    QvDrawVertTextInRect(L"Q4 figures", 10, band, QvAlignBottom, QvAlignLeft, QvVertUp);
    Font(10, 0, L"Arial");
    QvDrawVertTextInRect(L"NORTH", 5, RECT{490, 130, 520, 300}, QvAlignTop, QvAlignHCenter, QvVertStacked);
  }

 private:
  void Font(short size, unsigned short style, const wchar_t* face) {
    UIFont f;
    f.size = size;
    f.style = style;
    f.face = face;
    QvSetFont(f);
  }
  void Text(const wchar_t* text, RECT r, QvHorizontalAlign ha) {
    QvDrawTextInRect(text, lstrlenW(text), r, QvAlignTop, ha, 1, 0);
  }
  void PostNcDestroy() override { delete this; }
};

// The document's window: the view fills it; a right click on the view (or Shift+F10) opens the
// document's context menu.
class DocumentFrame : public CWnd {
 public:
  void PostNcDestroy() override { delete this; }

 protected:
  afx_msg void OnContextMenu(CWnd*, CPoint point) { ShowDocumentContextMenu(this, POINT{point.x, point.y}); }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(DocumentFrame, CWnd)
  ON_WM_CONTEXTMENU()
END_MESSAGE_MAP()

}  // namespace

HWND CreateDocumentWindow() {
  LPCTSTR cls = AfxRegisterWndClass(0, ::LoadCursor(NULL, IDC_ARROW), reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1));
  DocumentFrame* frame = new DocumentFrame;
  if (cls == NULL || !frame->CreateEx(0, cls, _T("Report document"), WS_OVERLAPPEDWINDOW, 80, 80, 560, 360, NULL,
                                      NULL)) {
    delete frame;
    return NULL;
  }
  CWnd* view = CreateReportView(frame, 1);
  if (view == NULL) {
    frame->DestroyWindow();
    return NULL;
  }
  RECT client;
  frame->GetClientRect(&client);
  view->MoveWindow(&client);
  return frame->m_hWnd;
}

CWnd* CreateReportView(CWnd* parent, UINT id, DWORD scrollBars) {
  ReportView* view = new ReportView;
  if (!view->Create(NULL, NULL, WS_CHILD | WS_VISIBLE | scrollBars, CRect(0, 0, 0, 0), parent, id))
    return NULL;
  view->OnInitialUpdate();
  view->SetImageSize(CSize(760, 420), 0);
  view->SetVScroll(10);
  return view;
}

}  // namespace host
