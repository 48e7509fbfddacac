// The drag-and-drop window: the left view offers its selection as text (plain and Unicode)
// to drags and to the clipboard; the right view takes text dropped on it and shows where.
#include "dragdrop_window.h"

#include <framework.h>

#include <UIDragDrop.h>
#include <UIView.h>

#include <string>
#include <vector>

#include "screens.h"

namespace host {
namespace {

const wchar_t kSelection[] = L"Quarterly totals: 1,204,500";
const RECT kSelectionBox = {20, 60, 230, 96};

// A drawing view of this window: text and boxes in pixel units.
class PaneView : public CMFCUIView {
 public:
  PaneView() : CMFCUIView(0) {}
  void PostNcDestroy() override { delete this; }

 protected:
  void Heading(const wchar_t* text) {
    QvBeginUse();
    QvSetBackgroundColor(RGB(255, 255, 255));
    Font(10, 1);
    QvSetPenForeColor(RGB(0, 51, 102));
    QvDrawTextInRect(text, lstrlenW(text), RECT{20, 16, 240, 40}, QvAlignTop, QvAlignLeft, 1, 0);
    Font(10, 0);
    QvSetPenForeColor(RGB(0, 0, 0));
  }
  void Font(short size, unsigned short style) {
    UIFont f;
    f.size = size;
    f.style = style;
    f.face = L"Arial";
    QvSetFont(f);
  }
  void Box(const RECT& r, COLORREF fill, const wchar_t* text) {
    QvSetFillPattern(QvSolidPattern);
    QvSetFillForeColor(fill);
    QvDrawRect(r, 1, 1);
    RECT inner = {r.left + 6, r.top + 4, r.right - 6, r.bottom - 4};
    QvDrawTextInRect(text, lstrlenW(text), inner, QvAlignVCenter, QvAlignLeft, 1, 0);
  }
};

// The selection of the left view, as plain text and as Unicode text (given as UTF-8).
UIDragSel* NewSelection(UIDragSource* source) {
  auto* sel = new UIDragSel(source);
  std::string narrow(kSelection, kSelection + lstrlenW(kSelection));
  sel->AddFormat(kTagText, static_cast<DWORD>(narrow.size()), &narrow[0]);
  sel->AddFormat(kTagUnicode, static_cast<DWORD>(narrow.size()), &narrow[0]);
  return sel;
}

class SourceView : public PaneView {
 public:
  SourceView() : m_source(this) {}
  UIDragSource& Source() { return m_source; }
  void OnDraw(CDC*) override {
    Heading(L"Source: drag the selection");
    Box(kSelectionBox, RGB(204, 224, 255), kSelection);
    const wchar_t hint[] = L"Ctrl+C copies it to the clipboard.";
    QvDrawTextInRect(hint, lstrlenW(hint), RECT{20, 110, 240, 130}, QvAlignTop, QvAlignLeft, 1, 0);
  }
  // Drags the selection from a client point; the action the target settled on.
  UIDragAction DragFrom(CPoint point) {
    UIDragSel* sel = NewSelection(&m_source);
    UIDragAction action = m_source.Drag(point, sel);
    delete sel;
    return action;
  }

 protected:
  afx_msg void OnLButtonDown(UINT, CPoint point) {
    SetFocus();  // for Ctrl+C
    POINT image = point;
    QvClientToImagePoint(image);
    if (::PtInRect(&kSelectionBox, image)) DragFrom(point);
  }
  afx_msg void OnKeyDown(UINT key, UINT, UINT) {
    if (key == 'C' && ::GetKeyState(VK_CONTROL) < 0) {
      UIDragSel* sel = NewSelection(&m_source);
      m_source.CopyToClipboard(sel, FALSE);
      delete sel;
    }
  }

 private:
  UIDragSource m_source;
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(SourceView, PaneView)
  ON_WM_LBUTTONDOWN()
  ON_WM_KEYDOWN()
END_MESSAGE_MAP()

class TargetView;

// Takes text; shows the drop and where it landed.
class TextTarget : public UIDropTarget {
 public:
  TextTarget(CUIView* view, TargetView* owner) : UIDropTarget(view), m_owner(owner) {}
  UIDragAction EnterDropArea(UIDragSel* sel) override { return Accepts(sel) ? UIDragCopy : UIDragNone; }
  UIDragAction DropAreaMove(UIDragSel* sel) override { return Accepts(sel) ? UIDragCopy : UIDragNone; }
  UIDragAction Drop(UIDragSel* sel, UIDragAction action) override;

 private:
  static bool Accepts(UIDragSel* sel) { return sel->GetDataSize(kTagUnicode, 1) > 0 || sel->GetDataSize(kTagText, 1) > 0; }
  TargetView* m_owner;
};

class TargetView : public PaneView {
 public:
  void Dropped(const std::wstring& text, CPoint at) {
    m_text = text;
    m_at = at;
    m_dropped = true;
    Invalidate();
  }
  void OnDraw(CDC*) override {
    Heading(L"Target: drop here");
    if (!m_dropped) return;
    RECT box = {m_at.x, m_at.y, m_at.x + 210, m_at.y + 36};
    Box(box, RGB(214, 240, 214), m_text.c_str());
    wchar_t where[64];
    wsprintfW(where, L"Dropped at (%d, %d)", static_cast<int>(m_at.x), static_cast<int>(m_at.y));
    QvDrawTextInRect(where, lstrlenW(where), RECT{20, 150, 240, 170}, QvAlignTop, QvAlignLeft, 1, 0);
  }

 private:
  std::wstring m_text;
  CPoint m_at;
  bool m_dropped = false;
};

UIDragAction TextTarget::Drop(UIDragSel* sel, UIDragAction) {
  long chars = sel->GetDataSize(kTagUnicode, 1);
  if (chars <= 0 || chars > 4096) return UIDragNone;
  std::vector<wchar_t> text(static_cast<size_t>(chars) + 1, 0);
  long got = sel->FetchData(kTagUnicode, text.data(), 1);
  if (got <= 0) return UIDragNone;
  m_owner->Dropped(std::wstring(text.data(), static_cast<size_t>(got)), sel->GetPositionAtDrop());
  return UIDragCopy;
}

// The window: the two views side by side; it owns the right view's drop target.
class DragDropWindow : public CWnd {
 public:
  SourceView* m_left = NULL;
  TargetView* m_right = NULL;
  TextTarget* m_target = NULL;
  void PostNcDestroy() override { delete this; }
  ~DragDropWindow() override { delete m_target; }

 protected:
  afx_msg void OnDestroy() {
    // The target goes with the view it is registered on.
    delete m_target;
    m_target = NULL;
    CWnd::OnDestroy();
  }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(DragDropWindow, CWnd)
  ON_WM_DESTROY()
END_MESSAGE_MAP()

// Moves the cursor along a path, a point each time the drag loop asks, then drops: the
// screenshot's stand-in for a hand on the mouse.
class ScriptedDrop : public UIOleDropSource {
 public:
  std::vector<POINT> path;
  size_t step = 0;
  SCODE QueryContinueDrag(BOOL, DWORD) override {
    if (step < path.size()) {
      ::SetCursorPos(path[step].x, path[step].y);
      ++step;
      return S_OK;
    }
    return DRAGDROP_S_DROP;
  }
};

}  // namespace

HWND CreateDragDropWindow(HWND owner, const RECT& rc) {
  LPCTSTR cls = AfxRegisterWndClass(0, ::LoadCursor(NULL, IDC_ARROW), reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1));
  auto* window = new DragDropWindow;
  if (cls == NULL || !window->CreateEx(0, cls, _T("Drag and drop"), WS_POPUP | WS_CAPTION | WS_SYSMENU, rc.left,
                                       rc.top, rc.right - rc.left, rc.bottom - rc.top, owner, NULL)) {
    delete window;
    return NULL;
  }
  RECT client;
  window->GetClientRect(&client);
  const int half = (client.right - client.left) / 2;
  window->m_left = new SourceView;
  window->m_right = new TargetView;
  if (!window->m_left->Create(NULL, NULL, WS_CHILD | WS_VISIBLE | WS_BORDER, CRect(0, 0, half - 2, client.bottom),
                              window, 1) ||
      !window->m_right->Create(NULL, NULL, WS_CHILD | WS_VISIBLE | WS_BORDER,
                               CRect(half + 2, 0, client.right, client.bottom), window, 2)) {
    window->DestroyWindow();
    return NULL;
  }
  window->m_left->OnInitialUpdate();
  window->m_right->OnInitialUpdate();
  window->m_target = new TextTarget(window->m_right, window->m_right);
  return window->m_hWnd;
}

void CaptureDragDrop(HWND hwnd) {
  if (!ScreenshotMode() || hwnd == NULL) return;
  auto* window = static_cast<DragDropWindow*>(CWnd::FromHandlePermanent(hwnd));
  if (window == NULL) return;
  ::ShowWindow(hwnd, SW_SHOW);
  ::SetForegroundWindow(hwnd);
  ::UpdateWindow(hwnd);
  POINT from = {60, 78}, to = {40, 70};
  ::ClientToScreen(window->m_left->m_hWnd, &from);
  ::ClientToScreen(window->m_right->m_hWnd, &to);
  auto* script = new ScriptedDrop;
  script->path = {from, to, to};
  ::SetCursorPos(from.x, from.y);
  UIDragSel* sel = NewSelection(&window->m_left->Source());
  UIDropTarget::PrepareAllTargetsForDrag();
  sel->GetDataSource()->DoDragDrop(DROPEFFECT_COPY | DROPEFFECT_MOVE, NULL, script);
  delete sel;
  script->InternalRelease();
  CaptureWindow(hwnd, L"dragdrop");
}

}  // namespace host
