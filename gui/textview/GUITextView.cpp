// The text view's window and its rich edit control.
#include "GUITextView.h"

#include <GUIPlatformGlue.h>
#include <GUIViewBinding.h>
#include <QvCommandHandler.h>
#include <QvModifier.h>
#include <QvOriginInfo.h>
#include <QvLabels.h>

IMPLEMENT_DYNAMIC(CGUITextViewEdit, CRichEditCtrl)
IMPLEMENT_DYNAMIC(CGUITextView, CView)
IMPLEMENT_DYNAMIC(CControlTextView, CGUITextView)

BEGIN_MESSAGE_MAP(CGUITextViewEdit, CRichEditCtrl)
ON_WM_RBUTTONDOWN()
END_MESSAGE_MAP()

BEGIN_MESSAGE_MAP(CGUITextView, CView)
ON_WM_SIZE()
ON_WM_SETFOCUS()
ON_WM_DESTROY()
END_MESSAGE_MAP()

BEGIN_MESSAGE_MAP(CControlTextView, CGUITextView)
ON_WM_MOUSEACTIVATE()
END_MESSAGE_MAP()

namespace {
// Labels of the face names: the fixed-pitch and the variable-pitch font.
const unsigned long kFixedFaceLabel = 32883;
const unsigned long kVariableFaceLabel = 32884;
}  // namespace

void CGUITextViewEdit::OnRButtonDown(UINT flags, CPoint point) {
  if (m_view) m_view->onRightMouseDown(QvModifier::FromKeyFlags(flags));
  // The view may have closed the window meanwhile.
  if (::IsWindow(m_hWnd)) CRichEditCtrl::OnRButtonDown(flags, point);
}

CGUITextView::CGUITextView() : m_view(nullptr), m_edit(nullptr) {}

CGUITextView::~CGUITextView() {
  QvTextView* view = m_view;
  ForgetView();
  delete view;
  delete m_edit;
}

void CGUITextView::ForgetView() {
  if (m_view) {
    m_view->m_platformView = nullptr;
    m_view->SetMFCCWnd(nullptr);
    if (m_hWnd != NULL) GUISetQvGUIContainer(this, nullptr);
  }
  m_view = nullptr;
  if (m_edit) m_edit->Forget();
}

BOOL CGUITextView::Create(LPCTSTR, LPCTSTR, DWORD, const RECT&, CWnd*, UINT, CCreateContext*) { return FALSE; }

BOOL CGUITextView::Create(QvTextView* view, DWORD style, const RECT& rect, CWnd* parent, UINT id,
                          CCreateContext* context) {
  auto link = [this, view](bool on) {
    m_view = on ? view : nullptr;
    if (view) view->m_platformView = on ? this : nullptr;
  };
  return CreateBoundViewWindow(this, view, link, CS_DBLCLKS, style, rect, parent, id, context);
}

void CGUITextView::OnInitialUpdate() {
  CView::OnInitialUpdate();
  if (m_edit != nullptr && m_edit->GetSafeHwnd() != NULL) return;  // made once
  const unsigned short style = m_view ? m_view->GetStyle() : 0;
  DWORD editStyle = WS_CHILD | WS_VISIBLE | WS_VSCROLL | ES_MULTILINE | ES_AUTOVSCROLL | ES_NOHIDESEL;
  if (!(style & QVTEXT_NO_HSCROLL)) editStyle |= WS_HSCROLL | ES_AUTOHSCROLL;
  RECT client = {};
  ::GetClientRect(m_hWnd, &client);
  delete m_edit;
  m_edit = new CGUITextViewEdit(m_view);
  if (!m_edit->Create(editStyle, client, this, kEditId)) {
    delete m_edit;
    m_edit = nullptr;
    return;
  }
  if (style & QVTEXT_READONLY) m_edit->SetReadOnly(TRUE);
  const bool fixed = (style & QVTEXT_FIXED_PITCH) != 0;
  LOGFONTW lf = {};
  lf.lfHeight = -12;
  lf.lfWeight = FW_NORMAL;
  lf.lfCharSet = gOrgInfo.QvLanguageIs("ja") ? SHIFTJIS_CHARSET : ANSI_CHARSET;
  lf.lfOutPrecision = OUT_RASTER_PRECIS;
  lf.lfPitchAndFamily = fixed ? FIXED_PITCH : VARIABLE_PITCH;
  const std::wstring face = QvGetMyLabel(fixed ? kFixedFaceLabel : kVariableFaceLabel).ToWide();
  lstrcpynW(lf.lfFaceName, face.c_str(), LF_FACESIZE);
  m_font.Reset(::CreateFontIndirectW(&lf));
  if (m_font) m_edit->SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(m_font.Get()), TRUE);
  // A new view has nothing to undo, setting its font included.
  m_edit->EmptyUndoBuffer();
  if (m_view) m_view->OnInit();
}

BOOL CGUITextView::OnCmdMsg(UINT id, int code, void* extra, AFX_CMDHANDLERINFO* handlerInfo) {
  if (GUIOnCmdMsg(id, code, extra, handlerInfo)) return TRUE;
  return CView::OnCmdMsg(id, code, extra, handlerInfo);
}

void CGUITextView::OnActivateView(BOOL activate, CView* activated, CView* deactivated) {
  CView::OnActivateView(activate, activated, deactivated);
  if (activate) {
    if (m_edit && m_edit->GetSafeHwnd()) ::SetFocus(m_edit->m_hWnd);
    QvCommandHandler::SetActiveTarget(m_view);
  } else {
    QvCommandHandler::SetActiveTarget(nullptr);
  }
}

void CGUITextView::OnSize(UINT, int cx, int cy) {
  Default();
  if (!m_edit || !m_edit->GetSafeHwnd()) return;
  ::SetWindowPos(m_edit->m_hWnd, NULL, 0, 0, cx, cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  RECT client = {};
  ::GetClientRect(m_hWnd, &client);
  m_edit->SetRect(&client);
}

void CGUITextView::OnSetFocus(CWnd*) {
  if (m_edit && m_edit->GetSafeHwnd()) ::SetFocus(m_edit->m_hWnd);
}

void CGUITextView::OnDestroy() {
  if (m_view) m_view->OnTerminate();
  CView::OnDestroy();
}

CControlTextView::CControlTextView() = default;
CControlTextView::~CControlTextView() = default;

int CControlTextView::OnMouseActivate(CWnd*, UINT, UINT) { return static_cast<int>(Default()); }
