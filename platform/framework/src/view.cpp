// CView: the child window that shows a document, joins it on creation and leaves it on
// destruction, draws through OnDraw and tells its frame when it becomes active.
#include "fw_view.h"
#include "fw_dc.h"
#include "fw_internal.h"

namespace {

// A DC that someone else owns, for the time of one call.
class BorrowedDC : public CDC {
 public:
  explicit BorrowedDC(HDC hDC) { Attach(hDC); }
  ~BorrowedDC() override { Detach(); }
};

}  // namespace

IMPLEMENT_DYNAMIC(CView, CWnd)

BEGIN_MESSAGE_MAP(CView, CWnd)
  ON_WM_CREATE()
  ON_WM_DESTROY()
  ON_WM_PAINT()
  ON_WM_MOUSEACTIVATE()
  ON_MESSAGE(WM_INITIALUPDATE, &CView::OnInitialUpdateMessage)
  ON_MESSAGE(WM_PRINTCLIENT, &CView::OnPrintClient)
END_MESSAGE_MAP()

CView::CView() : m_pDocument(NULL) {}

CView::~CView() {
  // Deleted while its window still exists: the frame must not keep pointing at it (the
  // window's WM_DESTROY no longer reaches this class once the destructor runs).
  if (m_hWnd != NULL) {
    CFrameWnd* pFrame = GetParentFrame();
    if (pFrame != NULL && pFrame->m_pViewActive == this) pFrame->m_pViewActive = NULL;
  }
  if (m_pDocument != NULL) m_pDocument->RemoveView(this);
}

CFrameWnd* CView::GetParentFrame() const {
  if (m_hWnd == NULL) return NULL;
  for (HWND hWnd = ::GetParent(m_hWnd); hWnd != NULL; hWnd = ::GetParent(hWnd)) {
    CWnd* pWnd = CWnd::FromHandlePermanent(hWnd);
    if (pWnd != NULL && pWnd->IsKindOf(RUNTIME_CLASS(CFrameWnd))) return static_cast<CFrameWnd*>(pWnd);
  }
  return NULL;
}

BOOL CView::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) {
  if (CWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo)) return TRUE;
  return m_pDocument != NULL && m_pDocument->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

BOOL CView::IsSelected(const CObject*) const { return FALSE; }

void CView::OnPrepareDC(CDC*, CPrintInfo*) {}

void CView::OnInitialUpdate() { OnUpdate(NULL, 0, NULL); }

void CView::OnUpdate(CView*, LPARAM, CObject*) { Invalidate(TRUE); }

void CView::OnActivateView(BOOL bActivate, CView* pActivateView, CView*) {
  // The view that becomes active takes the focus when its top-level window is active.
  if (!bActivate || pActivateView != this || m_hWnd == NULL) return;
  HWND hWndTop = ::GetAncestor(m_hWnd, GA_ROOT);
  if (hWndTop != NULL && hWndTop == ::GetActiveWindow() && ::GetFocus() != m_hWnd) ::SetFocus(m_hWnd);
}

void CView::OnActivateFrame(UINT, CFrameWnd*) {}

BOOL CView::OnScroll(UINT, UINT, BOOL) { return FALSE; }

BOOL CView::OnScrollBy(CSize, BOOL) { return FALSE; }

BOOL CView::OnPreparePrinting(CPrintInfo*) { return FALSE; }

void CView::OnBeginPrinting(CDC*, CPrintInfo*) {}

void CView::OnPrint(CDC* pDC, CPrintInfo*) { OnDraw(pDC); }

void CView::OnEndPrinting(CDC*, CPrintInfo*) {}

BOOL CView::PreCreateWindow(CREATESTRUCT& cs) {
  if (cs.lpszClass == NULL) {
    cs.lpszClass = fw::FrameOrViewClass();
    if (cs.lpszClass == NULL) return FALSE;
  }
  return CWnd::PreCreateWindow(cs);
}

void CView::PostNcDestroy() { delete this; }

int CView::OnCreate(LPCREATESTRUCT lpcs) {
  if (CWnd::OnCreate(lpcs) == -1) return -1;
  // Made by a frame (or anyone passing a creation context): join the context's document.
  CCreateContext* pContext = static_cast<CCreateContext*>(lpcs->lpCreateParams);
  if (pContext != NULL && pContext->m_pCurrentDoc != NULL) pContext->m_pCurrentDoc->AddView(this);
  return 0;
}

void CView::OnDestroy() {
  CFrameWnd* pFrame = GetParentFrame();
  if (pFrame != NULL && pFrame->GetActiveView() == this) pFrame->SetActiveView(NULL);
  CWnd::OnDestroy();
}

void CView::OnPaint() {
  CPaintDC dc(this);
  OnPrepareDC(&dc);
  OnDraw(&dc);
}

int CView::OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message) {
  int nResult = CWnd::OnMouseActivate(pDesktopWnd, nHitTest, message);
  if (nResult == MA_NOACTIVATE || nResult == MA_NOACTIVATEANDEAT) return nResult;
  CFrameWnd* pFrame = GetParentFrame();
  if (pFrame != NULL && pFrame->GetActiveView() != this) pFrame->SetActiveView(this);
  return nResult;
}

LRESULT CView::OnInitialUpdateMessage(WPARAM, LPARAM) {
  OnInitialUpdate();
  return 0;
}

LRESULT CView::OnPrintClient(WPARAM wParam, LPARAM) {
  HDC hDC = reinterpret_cast<HDC>(wParam);
  if (hDC == NULL) return 0;
  BorrowedDC dc(hDC);
  OnPrepareDC(&dc);
  OnDraw(&dc);
  return 0;
}
