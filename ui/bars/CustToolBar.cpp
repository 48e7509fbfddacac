// Customisable toolbar of command-centre commands: made from a resource list of command ids,
// pruned by the user's rights, updated in idle time, with tooltips and prompts from the
// commands and the thread's mouse hook shared by all bars.
#include "UICustToolBar.h"

#include <framework.h>

#include <windowsx.h>

#include <set>
#include <vector>

#include "UICommand.h"
#include "UICommandCenter.h"
#include "UICommandRouting.h"
#include "ToolBarRecords.h"
#include "UIHandles.h"
#include "UIImages.h"
#include "UILabelText.h"
#include "UITrace.h"
#include "UIUtilities.h"

namespace {
UlmLogger s_log("ui/CustToolBar");

int s_largeButtons = 0;
int s_showTooltips = 1;
int s_showHotKeys = 1;

// The records toolbars made and still hold: only these are followed from a data word.
std::set<const TBBUTTON_DATAS*>& LiveRecords() {
  static std::set<const TBBUTTON_DATAS*> records;
  return records;
}

TBBUTTON_DATAS* RecordOf(const TBBUTTON& button) { return quarnel::ToolBarRecordOf(button); }

CSize ImageSize() { return s_largeButtons ? CSize(24, 22) : CSize(16, 15); }
CSize ButtonSize() { return s_largeButtons ? CSize(31, 29) : CSize(23, 21); }

// The thread's tooltip hook, the number of the thread's toolbars that use it, and the window it
// last fed to its toolbar. (Plain values: nothing to run when a thread ends; the last toolbar of
// the thread removes the hook.)
thread_local HHOOK t_tooltipHook = NULL;
thread_local int t_hookUsers = 0;
thread_local HWND s_lastHookWindow = NULL;

LRESULT CALLBACK TooltipHook(int code, WPARAM wParam, LPARAM lParam) {
  const MOUSEHOOKSTRUCT* mouse = reinterpret_cast<MOUSEHOOKSTRUCT*>(lParam);
  _AFX_THREAD_STATE* ts = AfxGetThreadState();
  if (code == HC_ACTION && wParam == WM_MOUSEMOVE && ts->m_pToolTip != NULL) {
    HWND under = reinterpret_cast<HWND>(
        ts->m_pToolTip->SendMessage(TTM_WINDOWFROMPOINT, 0, reinterpret_cast<LPARAM>(&mouse->pt)));
    TCHAR cls[32] = {};
    HWND parent = under != NULL ? ::GetParent(under) : NULL;
    if (under != s_lastHookWindow && parent != NULL && ::GetClassName(parent, cls, _countof(cls)) &&
        lstrcmpi(cls, TOOLBARCLASSNAME) == 0) {
      s_lastHookWindow = under;
      if (CWnd* bar = CWnd::FromHandlePermanent(parent)) {
        ts->m_pLastHit = NULL;
        ts->m_nLastHit = -1;
        MSG msg = {under, WM_MOUSEMOVE, 0, 0, static_cast<DWORD>(::GetMessageTime()), mouse->pt};
        POINT client = mouse->pt;
        ::ScreenToClient(under, &client);
        msg.lParam = MAKELPARAM(client.x, client.y);
        bar->FilterToolTipMessage(&msg);
      }
    } else if (under != s_lastHookWindow) {
      s_lastHookWindow = NULL;
    }
  }
  return ::CallNextHookEx(t_tooltipHook, code, wParam, lParam);
}

// An image of the strip to be: a slice of a resource strip, or a whole custom bitmap.
struct StripPiece {
  HBITMAP source;
  int index;   // slice index, -1: the whole bitmap stretched
  bool teal;   // custom bitmaps show teal as the button face
};

// Builds the strip in one pass: one bitmap as wide as all images, each image copied once.
HBITMAP BuildStrip(const std::vector<StripPiece>& pieces, CSize image) {
  if (pieces.empty()) return NULL;
  uih::WindowDC screen(NULL);
  uih::OwnedBitmap strip(::CreateCompatibleBitmap(screen.Get(), image.cx * static_cast<int>(pieces.size()), image.cy));
  uih::MemoryDC to(screen.Get()), from(screen.Get());
  screen.Reset();
  if (!strip || to.Get() == NULL || from.Get() == NULL) {
    UI_TRACE_FAILED(s_log, "CreateCompatibleBitmap");
    return NULL;
  }
  const uih::Selection toStrip(to.Get(), strip.Get());
  uih::OwnedBrush face(::CreateSolidBrush(::GetSysColor(COLOR_BTNFACE)));
  RECT all = {0, 0, image.cx * static_cast<int>(pieces.size()), image.cy};
  ::FillRect(to.Get(), &all, face.Get());
  // A source stays selected while the pieces after it come from it too: selecting a
  // device-dependent bitmap asks the display's format, which costs Wine trips to its server.
  uih::Selection selected;
  HBITMAP current = NULL;
  BITMAP bm = {};
  int x = 0;
  for (const StripPiece& p : pieces) {
    if (p.source != NULL && p.source != current) {
      selected.Restore();
      current = NULL;
      if (::GetObject(p.source, sizeof bm, &bm)) selected = uih::Selection(from.Get(), p.source);
      if (selected) current = p.source;
    }
    if (p.source != NULL && p.source == current) {
      const int sx = p.index < 0 ? 0 : p.index * image.cx;
      const int sw = p.index < 0 ? bm.bmWidth : image.cx;
      const int sh = p.index < 0 ? bm.bmHeight : image.cy;
      if (p.teal)
        ::TransparentBlt(to.Get(), x, 0, image.cx, image.cy, from.Get(), sx, 0, sw, sh, RGB(0, 128, 128));
      else if (sw == image.cx && sh == image.cy)
        ::BitBlt(to.Get(), x, 0, image.cx, image.cy, from.Get(), sx, 0, SRCCOPY);
      else
        ::StretchBlt(to.Get(), x, 0, image.cx, image.cy, from.Get(), sx, 0, sw, sh, SRCCOPY);
    }
    x += image.cx;
  }
  selected.Restore();
  return strip.Release();
}

// While Reload adds buttons: the pieces of the strip to be, and the image buttons and
// separators not added yet (NULL otherwise: images are appended, buttons inserted at once).
struct PendingButtons {
  std::vector<StripPiece> pieces;
  std::vector<TBBUTTON> buttons;
  // The screen's width, asked once: each query costs Wine trips to its server.
  int screenWidth = ::GetSystemMetrics(SM_CXSCREEN);
};
PendingButtons* s_pending = NULL;

// The image of a command's button in the current face colour: its custom bitmap, or its slice
// of a resource strip; no source when it has none.
StripPiece PieceOf(CUICommand& command) {
  StripPiece piece = {NULL, -1, false};
  if (command.m_hBitmap != NULL && command.IsCustomCommand()) {
    piece = {command.m_hBitmap, -1, true};
  } else if (command.m_wBitmapID != 0) {
    piece = {CFlatToolBar::GetToolbarBitmap(command.m_wBitmapID + (s_largeButtons ? 1 : 0)), command.m_wImageIndex, false};
    if (piece.source == NULL) piece.index = -1;
  }
  return piece;
}

WORD EffectiveId(WORD id) {
  WORD effective = 0;
  return smapEffCmd.Lookup(id, effective) && effective != 0 ? effective : id;
}

}  // namespace

TBBUTTON_DATAS* quarnel::ToolBarRecordOf(const TBBUTTON& button) {
  if (!(button.fsStyle & 0x10) || button.dwData == 0) return NULL;
  auto* record = reinterpret_cast<TBBUTTON_DATAS*>(button.dwData);
  return LiveRecords().count(record) ? record : NULL;
}

// TBBUTTON_DATAS

TBBUTTON_DATAS::TBBUTTON_DATAS(HMENU menu, CCmdUI* probe) : m_nKind(kMenu), m_pCmdUI(probe), m_hMenu(menu) {
  LiveRecords().insert(this);
}
TBBUTTON_DATAS::TBBUTTON_DATAS(CWnd* control, CCmdUI* probe)
    : m_nKind(kControl), m_pCmdUI(probe), m_pControl(control) {
  LiveRecords().insert(this);
}
TBBUTTON_DATAS::TBBUTTON_DATAS(CCmdUI* probe) : m_nKind(kText), m_pCmdUI(probe), m_hMenu(NULL) {
  LiveRecords().insert(this);
}
TBBUTTON_DATAS::~TBBUTTON_DATAS() {
  LiveRecords().erase(this);
  delete m_pCmdUI;
}
TBBUTTON_DATAS& TBBUTTON_DATAS::operator=(const TBBUTTON_DATAS& other) {
  m_nKind = other.m_nKind;
  m_pCmdUI = other.m_pCmdUI;
  m_hMenu = other.m_hMenu;
  return *this;
}

CWnd* IsControlButton(TBBUTTON* pButton) {
  TBBUTTON_DATAS* record = pButton != NULL ? RecordOf(*pButton) : NULL;
  return record != NULL && record->m_nKind == TBBUTTON_DATAS::kControl ? record->m_pControl : NULL;
}

HMENU IsDropDownButton(TBBUTTON* pButton) {
  TBBUTTON_DATAS* record = pButton != NULL ? RecordOf(*pButton) : NULL;
  return record != NULL && record->m_nKind == TBBUTTON_DATAS::kMenu ? record->m_hMenu : NULL;
}

// Settings

void UIGetToolBarParams(int* large, int* tooltips, int* hotKeys) {
  if (large != NULL) *large = s_largeButtons;
  if (tooltips != NULL) *tooltips = s_showTooltips;
  if (hotKeys != NULL) *hotKeys = s_showHotKeys;
}

void UISetLargeButton(int large) { s_largeButtons = large; }

void UISetShowHK(int show) {
  s_showHotKeys = show;
  UISetShowHotKeyInTooltip(show);
}

namespace {
template <class Fn>
void ForEachBarOfMainFrame(Fn fn) {
  CWnd* main = AfxGetMainWnd();
  if (main == NULL || main->m_hWnd == NULL) return;
  for (HWND h = ::GetWindow(main->m_hWnd, GW_CHILD); h != NULL; h = ::GetWindow(h, GW_HWNDNEXT)) {
    CWnd* wnd = CWnd::FromHandlePermanent(h);
    if (wnd != NULL && wnd->IsKindOf(RUNTIME_CLASS(CControlBar))) fn(main, static_cast<CControlBar*>(wnd));
  }
}
}  // namespace

void UISetShowTT(int show) {
  if (!show == !s_showTooltips) return;
  s_showTooltips = show;
  ForEachBarOfMainFrame([show](CWnd*, CControlBar* bar) {
    bar->SetBarStyle(show ? (bar->GetBarStyle() | CBRS_TOOLTIPS) : (bar->GetBarStyle() & ~CBRS_TOOLTIPS));
  });
}

int NotifyAllControlBars(int code) {
  CWnd* main = AfxGetMainWnd();
  if (main == NULL || !main->IsKindOf(RUNTIME_CLASS(CFrameWnd))) return 1;
  ForEachBarOfMainFrame([code](CWnd* frame, CControlBar* bar) {
    NMHDR hdr = {bar->m_hWnd, static_cast<UINT_PTR>(bar->GetDlgCtrlID()), static_cast<UINT>(code)};
    frame->SendMessage(WM_NOTIFY, hdr.idFrom, reinterpret_cast<LPARAM>(&hdr));
  });
  return 1;
}

// CCustToolBar

IMPLEMENT_DYNAMIC(CCustToolBar, CFlatToolBar)

CCustToolBar* CCustToolBar::sSelected = NULL;
HHOOK CCustToolBar::TooltipHookOfThread() { return t_tooltipHook; }
int CCustToolBar::TooltipHookUsersOfThread() { return t_hookUsers; }

BEGIN_MESSAGE_MAP(CCustToolBar, CFlatToolBar)
  ON_NOTIFY_EX_RANGE(TTN_NEEDTEXTW, 0, 0xFFFF, &CCustToolBar::OnToolTipText)
  ON_NOTIFY_EX_RANGE(TTN_NEEDTEXTA, 0, 0xFFFF, &CCustToolBar::OnToolTipText)
  ON_NOTIFY_REFLECT(NM_CUSTOMDRAW, &CCustToolBar::OnCustomDraw)
  ON_WM_SYSCOLORCHANGE()
  ON_WM_DESTROY()
  ON_WM_NCPAINT()
  ON_WM_NCCALCSIZE()
  ON_WM_MOUSEMOVE()
  ON_MESSAGE(WM_HELPHITTEST, &CCustToolBar::OnHelpHitTest)
  ON_MESSAGE(TB_GETITEMRECT, &CCustToolBar::OnGetItemRect)
  ON_WM_LBUTTONDOWN()
  ON_NOTIFY_REFLECT(TBN_BEGINDRAG, &CCustToolBar::OnBeginDrag)
  ON_NOTIFY_REFLECT(TBN_GETOBJECT, &CCustToolBar::OnGetObject)
  ON_MESSAGE(TB_SETINSERTMARK, &CCustToolBar::OnSetInsertMark)
  ON_MESSAGE(TB_GETINSERTMARK, &CCustToolBar::OnGetInsertMark)
END_MESSAGE_MAP()

CCustToolBar::CCustToolBar() = default;

CCustToolBar::~CCustToolBar() {
  if (m_hWnd != NULL) DestroyWindow();
  if (m_hStrip != NULL) ::DeleteObject(m_hStrip);
  if (m_hFont != NULL) ::DeleteObject(m_hFont);
  for (HIMAGELIST list : {m_hImages, m_hImagesDisabled, m_hImagesHot})
    if (list != NULL) ::ImageList_Destroy(list);
  if (sSelected == this) sSelected = NULL;
  if (m_pDropTarget != NULL) {
    m_pDropTarget->Detach();
    m_pDropTarget->Release();
  }
}

BOOL CCustToolBar::PreCreateWindow(CREATESTRUCT& cs) {
  cs.style |= m_dwExtraStyle;
  return CFlatToolBar::PreCreateWindow(cs);
}

int CCustToolBar::Create(CWnd* pParentWnd, UINT nID, UINT nTitleLabel, DWORD dwStyle) {
  if (s_showTooltips) dwStyle |= CBRS_TOOLTIPS;
  if (!CFlatToolBar::Create(pParentWnd, dwStyle, nID)) return 0;
  // The bar draws its texts itself: the control sizes buttons without them.
  SendMessage(TB_SETMAXTEXTROWS, 0);
  if (nTitleLabel != 0) {
    m_nTitleLabel = nTitleLabel;
    CString title;
    UILabelText(nTitleLabel, title);
    SetWindowText(title);
  }
  SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(GetDefaultFont(1)));
  SetSizesByFlag();
  // The first bar of the thread installs the tooltip hook; the last one to go removes it.
  if (t_hookUsers++ == 0) {
    t_tooltipHook = uih::HookThisThread(WH_MOUSE, TooltipHook).Release();
    if (t_tooltipHook == NULL) UI_TRACE_FAILED(s_log, "SetWindowsHookEx");
  }
  return 1;
}

int CCustToolBar::CreateAndLoad(CWnd* pParentWnd, UINT nID, UINT nResourceId, UINT nTitleLabel) {
  if (!Create(pParentWnd, nID, nTitleLabel, 0x50002800)) return 0;
  m_nResourceId = nResourceId;
  if (Reload(1)) {
    if (CFrameWnd* frame = DYNAMIC_DOWNCAST(CFrameWnd, pParentWnd)) frame->RecalcLayout();
  }
  return 1;
}

void CCustToolBar::SetSizesByFlag() {
  SetSizes(ButtonSize(), ImageSize());
}

HFONT CCustToolBar::GetDefaultFont(int create) {
  if (!create) return UIGetDefaultGUIFont();
  if (m_hFont == NULL) {
    LOGFONTW lf = {};
    GetDefaultLogFont(lf);
    m_hFont = ::CreateFontIndirectW(&lf);
  }
  return m_hFont;
}

BOOL CCustToolBar::ReadButtonList(UINT nResourceId, CWordArray& ids) {
  ids.RemoveAll();
  LPCTSTR name = MAKEINTRESOURCE(nResourceId);
  HINSTANCE inst = AfxFindResourceHandle(name, RT_RCDATA);
  HRSRC res = ::FindResource(inst, name, RT_RCDATA);
  HGLOBAL loaded = res != NULL ? ::LoadResource(inst, res) : NULL;
  const WORD* words = loaded != NULL ? static_cast<const WORD*>(::LockResource(loaded)) : NULL;
  if (words == NULL) {
    UI_TRACE_FAILED(s_log, "FindResource");
    return FALSE;
  }
  const DWORD size = ::SizeofResource(inst, res);
  if (size % sizeof(WORD) != 0) {
    UI_TRACE_REFUSED(s_log, "a button list of an odd size");
    return FALSE;
  }
  const DWORD count = size / sizeof(WORD);
  for (DWORD i = 0; i < count; ++i) {
    if (words[i] == 0) return TRUE;
    if (i >= kMaxButtonList) break;
    ids.Add(words[i]);
  }
  UI_TRACE_REFUSED(s_log, count > kMaxButtonList ? "a button list too long" : "a button list without its end");
  ids.RemoveAll();
  return FALSE;
}

void CCustToolBar::DeleteAllButtons() {
  for (int i = GetCount(); i-- > 0;) {
    TBBUTTON b;
    CToolBar::_GetButton(i, &b);
    TBBUTTON_DATAS* record = RecordOf(b);
    SendMessage(TB_DELETEBUTTON, i);
    if (record != NULL && record->m_nKind == TBBUTTON_DATAS::kControl) {
      if (CUICommand* command = CUICommandCenter::GetCommandCenter().GetCommand(static_cast<WORD>(b.idCommand)))
        command->DeleteControlFromToolbar();
    }
    delete record;
  }
  m_nWidthSum = 0;
}

int CCustToolBar::Reload(int fromResource) {
  if (m_nTitleLabel != 0) {
    CString title;
    UILabelText(m_nTitleLabel, title);
    SetWindowText(title);
  }
  if (m_nResourceId == 0) fromResource = 0;
  CWordArray ids;
  if (fromResource) {
    if (!ReadButtonList(m_nResourceId, ids)) {
      DeleteAllButtons();
      return 0;
    }
  } else {
    for (int i = 0, n = GetCount(); i < n; ++i) ids.Add(static_cast<WORD>(GetItemID(i)));
  }
  SetRedraw(FALSE);
  DeleteAllButtons();
  SetSizesByFlag();
  if (m_hStrip != NULL) ::DeleteObject(m_hStrip);
  m_hStrip = NULL;
  // The images are gathered while the buttons are added, and the strip made once; plain
  // buttons go to the control together.
  PendingButtons pending;
  s_pending = &pending;
  CUICommandCenter& center = CUICommandCenter::GetCommandCenter();
  int index = 0;
  for (INT_PTR i = 0; i < ids.GetSize(); ++i)
    if (AddCommand(index, ids[i] != 0 ? center.GetCommand(ids[i]) : NULL, FALSE)) ++index;
  FlushPendingButtons();
  s_pending = NULL;
  SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(GetDefaultFont(1)));
  SetSizesByFlag();
  m_hStrip = BuildStrip(pending.pieces, ImageSize());
  MakeImageLists();
  const int result = CheckSecurityCommands();
  SetRedraw(TRUE);
  Invalidate();
  return result;
}

void CCustToolBar::MakeImageLists() {
  const CSize image = ImageSize();
  HIMAGELIST made = m_hStrip != NULL ? CreateToolBarImageList(m_hStrip, image.cx, image.cy, 0) : NULL;
  // The disabled and hot looks are made from the new strip when a button first shows them.
  SendMessage(TB_SETDISABLEDIMAGELIST, 0, 0);
  SendMessage(TB_SETHOTIMAGELIST, 0, 0);
  for (HIMAGELIST* list : {&m_hImagesDisabled, &m_hImagesHot}) {
    if (*list != NULL) ::ImageList_Destroy(*list);
    *list = NULL;
  }
  SendMessage(TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(made));
  if (m_hImages != NULL) ::ImageList_Destroy(m_hImages);
  m_hImages = made;
}

HIMAGELIST CCustToolBar::ImagesOfLook(int look) {
  if (look == 0) return m_hImages;
  HIMAGELIST& list = look == 1 ? m_hImagesDisabled : m_hImagesHot;
  if (list == NULL && m_hStrip != NULL) {
    const CSize image = ImageSize();
    list = CreateToolBarImageList(m_hStrip, image.cx, image.cy, look);
    if (list != NULL) SendMessage(look == 1 ? TB_SETDISABLEDIMAGELIST : TB_SETHOTIMAGELIST, 0, reinterpret_cast<LPARAM>(list));
  }
  return list;
}

int CCustToolBar::AddCommand(int nIndex, CUICommand* pCommand, int bRelayoutFrame) {
  const CSize button = m_sizeButton;
  TBBUTTON b = {};
  b.fsState = TBSTATE_ENABLED;
  CString text;
  TBBUTTON_DATAS* record = NULL;
  const CSize image = ImageSize();
  if (pCommand == NULL) {
    b.fsStyle = TBSTYLE_SEP;
    b.iBitmap = 8;
  } else {
    b.idCommand = pCommand->m_wID;
    const StripPiece piece = PieceOf(*pCommand);
    if (piece.source != NULL) {
      if (s_pending != NULL) {
        b.iBitmap = static_cast<int>(s_pending->pieces.size());
        s_pending->pieces.push_back(piece);
      } else {
        // One image added to a bar already made: the strip grows by it.
        BITMAP bm = {};
        const int count = (m_hStrip != NULL && ::GetObject(m_hStrip, sizeof bm, &bm)) ? bm.bmWidth / image.cx : 0;
        HBITMAP single = BuildStrip({piece}, image);
        b.iBitmap = AppendBitmapForToolbar(&m_hStrip, single, 0, image.cx);
        if (single != NULL) ::DeleteObject(single);
        if (b.iBitmap == count) MakeImageLists();
      }
    } else {
      b.iBitmap = I_IMAGENONE;
      b.fsStyle = 0x10;
      CRect after(0, 0, 0, button.cy);
      if (nIndex > 0) {
        CToolBar::GetItemRect(nIndex - 1, &after);
        after.left = after.right;
      }
      CWnd* control = pCommand->CreateControlForToolbar(this, after, pCommand->m_wID);
      if (control != NULL) {
        auto* probe = new CWndCmdUI;
        probe->m_pOther = control;
        record = new TBBUTTON_DATAS(control, probe);
      } else if (pCommand->m_dwControlClassLabel != 0) {
        return 0;  // a control command that made no window adds nothing
      } else {
        record = new TBBUTTON_DATAS(static_cast<CCmdUI*>(NULL));
        pCommand->GetMenuStringW(text, 0);
        const int tab = text.Find(_T('\t'));
        if (tab >= 0) text = text.Left(tab);
        text.Remove(_T('&'));
      }
      b.dwData = reinterpret_cast<DWORD_PTR>(record);
    }
  }
  if (s_pending != NULL && record == NULL) {
    // Loading: added with the others (at the end, where loading adds).
    s_pending->buttons.push_back(b);
    if (m_nSelected >= nIndex) ++m_nSelected;
    const int width = GetButtonWidth(&b);
    if ((m_nWidthSum + width) * 4 < s_pending->screenWidth * 3) m_nWidthSum += width;
    return 1;
  }
  FlushPendingButtons();
  if (!SendMessage(TB_INSERTBUTTON, nIndex, reinterpret_cast<LPARAM>(&b))) {
    UI_TRACE_FAILED(s_log, "TB_INSERTBUTTON");
    delete record;
    return 0;
  }
  if (m_nSelected >= nIndex) ++m_nSelected;
  if (!text.IsEmpty()) SetButtonText(nIndex, CStringW(text));
  if (record != NULL) {
    // Buttons of their own width: the control is told it.
    TBBUTTON inserted;
    CToolBar::_GetButton(nIndex, &inserted);
    TBBUTTONINFOW info = {};
    info.dwMask = TBIF_SIZE;
    info.cx = static_cast<WORD>(GetButtonWidth(&inserted));
    CFlatToolBar::_SetButton(nIndex, &info);
    if (record->m_nKind == TBBUTTON_DATAS::kControl) OnControlResize(static_cast<UINT>(b.idCommand));
  }
  if (s_pending == NULL) {
    SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(GetDefaultFont(1)));
    SetSizes(button, image);
  }
  TBBUTTON added;
  CToolBar::_GetButton(nIndex, &added);
  const int width = GetButtonWidth(&added);
  if ((m_nWidthSum + width) * 4 < ::GetSystemMetrics(SM_CXSCREEN) * 3) m_nWidthSum += width;
  if (bRelayoutFrame)
    if (CFrameWnd* frame = DYNAMIC_DOWNCAST(CFrameWnd, GetParent())) frame->DelayRecalcLayout();
  Invalidate();
  m_bDelayedButtonLayout = TRUE;
  return 1;
}

void CCustToolBar::FlushPendingButtons() {
  if (s_pending == NULL || s_pending->buttons.empty()) return;
  if (!SendMessage(TB_ADDBUTTONS, s_pending->buttons.size(), reinterpret_cast<LPARAM>(s_pending->buttons.data())))
    UI_TRACE_FAILED(s_log, "TB_ADDBUTTONS");
  s_pending->buttons.clear();
  m_bDelayedButtonLayout = TRUE;
}

UINT CCustToolBar::GetUniqueMenuButtonId() {
  // The ids in use, in one pass over the buttons.
  std::vector<bool> used(0x100, false);
  for (int i = 0, n = GetCount(); i < n; ++i) {
    const UINT id = GetItemID(i);
    if (id > 0xDF00 && id <= 0xDFFF) used[id - 0xDF00] = true;
  }
  for (UINT id = 0xDF01; id <= 0xDFFF; ++id)
    if (!used[id - 0xDF00]) return id;
  return 0;
}

BOOL CCustToolBar::SetButtonText(int nIndex, LPCWSTR lpszText) {
  if (!CFlatToolBar::SetButtonText(nIndex, lpszText)) return FALSE;
  TBBUTTON b;
  CToolBar::_GetButton(nIndex, &b);
  if (TBBUTTON_DATAS* record = RecordOf(b)) record->m_nTextWidth = -1;  // measured anew when asked
  return TRUE;
}

int CCustToolBar::InsertMenuButton(int nIndex, HMENU hMenu, const CString& text, UINT nID) {
  const UINT id = nID != 0 ? nID : GetUniqueMenuButtonId();
  if (id == 0) {
    UI_TRACE_REFUSED(s_log, "no free menu button id");
    return 0;
  }
  auto* record = new TBBUTTON_DATAS(hMenu, NULL);
  TBBUTTON b = {};
  b.iBitmap = I_IMAGENONE;
  b.idCommand = static_cast<int>(id);
  b.fsState = TBSTATE_ENABLED;
  b.fsStyle = 0x18;
  b.dwData = reinterpret_cast<DWORD_PTR>(record);
  if (!SendMessage(TB_INSERTBUTTON, nIndex, reinterpret_cast<LPARAM>(&b))) {
    delete record;
    return 0;
  }
  if (m_nSelected >= nIndex) ++m_nSelected;
  SetButtonText(nIndex, CStringW(text));
  OnInsertDropDownMenu(id);
  return 1;
}

int CCustToolBar::CheckSecurityCommands() {
  CUICommandCenter& center = CUICommandCenter::GetCommandCenter();
  const WORD barId = static_cast<WORD>(GetDlgCtrlID());
  CUICommand* barCommand = center.GetCommand(barId);
  const DWORD barStatus = barCommand != NULL ? center.GetSecurityCommandStatus(barCommand)
                                             : center.GetSecurityCommandStatus(0, 0, barId);
  if (LOWORD(barStatus) == UI_SECURITY_HIDDEN) {
    DeleteAllButtons();
    return 0;
  }
  bool previousSeparator = true;  // a separator may not start the bar
  for (int i = 0; i < GetCount();) {
    TBBUTTON b;
    CToolBar::_GetButton(i, &b);
    const bool separator = (b.fsStyle & TBSTYLE_SEP) != 0;
    bool drop = separator && previousSeparator;
    if (!separator) {
      CUICommand* command = center.GetCommand(EffectiveId(static_cast<WORD>(b.idCommand)));
      drop = command != NULL && LOWORD(center.GetSecurityCommandStatus(command)) == UI_SECURITY_HIDDEN;
    }
    if (drop) {
      TBBUTTON_DATAS* record = RecordOf(b);
      SendMessage(TB_DELETEBUTTON, i);
      delete record;
      continue;
    }
    previousSeparator = separator;
    ++i;
  }
  const int count = GetCount();
  if (count > 0) {
    TBBUTTON last;
    CToolBar::_GetButton(count - 1, &last);
    if (last.fsStyle & TBSTYLE_SEP) SendMessage(TB_DELETEBUTTON, count - 1);
  }
  return GetCount() > 0;
}

void CCustToolBar::OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) {
  const int count = GetCount();
  if (m_bCustomizing) {
    for (int i = 0; i < count; ++i) {
      const UINT style = GetButtonStyle(i);
      if (!(style & TBSTYLE_SEP) && (style & UI_TBBS_DISABLED)) SetButtonStyle(i, style & ~UI_TBBS_DISABLED);
    }
    return;
  }
  CUICommandCenter& center = CUICommandCenter::GetCommandCenter();
  CFlatToolCmdUI shared;
  shared.m_pOther = this;
  for (int i = 0; i < count; ++i) {
    TBBUTTON b;
    CToolBar::_GetButton(i, &b);
    if (b.fsStyle & TBSTYLE_SEP) continue;
    WORD id = static_cast<WORD>(b.idCommand);
    if (m_bCheckEffective) id = EffectiveId(id);
    TBBUTTON_DATAS* record = RecordOf(b);
    CCmdUI* probe = record != NULL && record->m_pCmdUI != NULL ? record->m_pCmdUI : &shared;
    if (probe != &shared && probe->m_pOther == NULL) probe->m_pOther = this;
    probe->m_nIndex = static_cast<UINT>(i);
    probe->m_nIndexMax = static_cast<UINT>(count);
    probe->m_nID = id;
    if (id >= 0xDF01 && id <= 0xDFFF) {  // the menu bar's buttons
      probe->Enable(TRUE);
      continue;
    }
    if (LOWORD(center.GetSecurityCommandStatus(center.GetCommand(id))) == UI_SECURITY_DISABLED) {
      probe->Enable(FALSE);
      continue;
    }
    if (CWnd::OnCmdMsg(id, static_cast<int>(CN_UPDATE_COMMAND_UI), probe, NULL)) continue;
    probe->DoUpdate(pTarget, bDisableIfNoHndler);
  }
  UpdateDialogControls(pTarget, bDisableIfNoHndler);
}

BOOL CCustToolBar::OnToolTipText(UINT, NMHDR* pNMHDR, LRESULT* pResult) {
  CUICommand* command = CUICommandCenter::GetCommandCenter().GetCommand(EffectiveId(static_cast<WORD>(pNMHDR->idFrom)));
  if (command == NULL) return FALSE;  // the frame answers
  CString tip;
  command->GetTooltipString(tip, 0);
  if (pNMHDR->code == TTN_NEEDTEXTW) {
    TOOLTIPTEXTW* ttt = reinterpret_cast<TOOLTIPTEXTW*>(pNMHDR);
    lstrcpynW(ttt->szText, CStringW(tip), _countof(ttt->szText));
  } else {
    TOOLTIPTEXTA* ttt = reinterpret_cast<TOOLTIPTEXTA*>(pNMHDR);
    lstrcpynA(ttt->szText, CStringA(tip), _countof(ttt->szText));
  }
  *pResult = 0;
  return TRUE;
}

BOOL CCustToolBar::GetFlyByText(UINT nID, CString& text) {
  CUICommand* command = CUICommandCenter::GetCommandCenter().GetCommand(EffectiveId(static_cast<WORD>(nID)));
  if (command == NULL) return FALSE;
  command->GetMessageString(text);
  return TRUE;
}

LRESULT CCustToolBar::OnHelpHitTest(WPARAM, LPARAM lParam) {
  CPoint point(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
  const INT_PTR id = OnToolHitTest(point, NULL);
  if (id <= 0) return 0;
  CUICommand* command = CUICommandCenter::GetCommandCenter().GetCommand(EffectiveId(static_cast<WORD>(id)));
  return command != NULL ? static_cast<LRESULT>(command->m_dwHelpID) : 0;
}

void CCustToolBar::OnMouseMove(UINT nFlags, CPoint point) {
  if (m_bCustomizing) return;
  CFlatToolBar::OnMouseMove(nFlags, point);
}

void CCustToolBar::RemakeImages() {
  const CSize image = ImageSize();
  BITMAP bm = {};
  if (m_hStrip == NULL || !::GetObject(m_hStrip, sizeof bm, &bm)) return;
  if (bm.bmHeight != image.cy) {
    Reload(0);  // the button size changed since the bar was made: the buttons are made again
    return;
  }
  const int count = bm.bmWidth / image.cx;
  // Each image again from the command of the button that shows it. Images no button shows any
  // more are left out: the buttons after them move down to the new indexes.
  struct Shown {
    int button;
    int image;
  };
  std::vector<Shown> shown;
  std::vector<StripPiece> byImage(static_cast<size_t>(count), StripPiece{NULL, -1, false});
  std::vector<bool> used(static_cast<size_t>(count), false);
  CUICommandCenter& center = CUICommandCenter::GetCommandCenter();
  for (int i = 0, n = GetCount(); i < n; ++i) {
    TBBUTTON b;
    CToolBar::_GetButton(i, &b);
    if ((b.fsStyle & TBSTYLE_SEP) || b.iBitmap < 0 || b.iBitmap >= count) continue;
    shown.push_back({i, b.iBitmap});
    if (used[static_cast<size_t>(b.iBitmap)]) continue;
    used[static_cast<size_t>(b.iBitmap)] = true;
    if (CUICommand* command = center.GetCommand(static_cast<WORD>(b.idCommand)))
      byImage[static_cast<size_t>(b.iBitmap)] = PieceOf(*command);
  }
  std::vector<int> newIndex(static_cast<size_t>(count), -1);
  std::vector<StripPiece> pieces;
  for (int i = 0; i < count; ++i) {
    if (!used[static_cast<size_t>(i)]) continue;
    newIndex[static_cast<size_t>(i)] = static_cast<int>(pieces.size());
    pieces.push_back(byImage[static_cast<size_t>(i)]);
  }
  HBITMAP strip = BuildStrip(pieces, image);
  if (strip == NULL && !pieces.empty()) return;  // traced; the old images stay
  if (m_hStrip != NULL) ::DeleteObject(m_hStrip);
  m_hStrip = strip;
  for (const Shown& s : shown) {
    const int moved = newIndex[static_cast<size_t>(s.image)];
    if (moved == s.image) continue;
    TBBUTTONINFOW info = {};
    info.dwMask = TBIF_IMAGE;
    info.iImage = moved;
    CFlatToolBar::_SetButton(s.button, &info);
  }
  MakeImageLists();
  Invalidate();
}

void CCustToolBar::OnDestroy() {
  SetCustomizingToolBar(0);
  DeleteAllButtons();
  CFlatToolBar::OnDestroy();
  if (t_hookUsers > 0 && --t_hookUsers == 0) {
    uih::OwnedHook(t_tooltipHook).Reset();
    t_tooltipHook = NULL;
    s_lastHookWindow = NULL;
  }
}

void CCustToolBar::Select(int nIndex) {
  if (sSelected != NULL) sSelected->Unselect();
  if (nIndex < 0 || nIndex >= GetCount()) return;
  m_nSelected = nIndex;
  sSelected = this;
  SetButtonStyle(nIndex, GetButtonStyle(nIndex) | UI_TBBS_PRESSED);
}

void CCustToolBar::Unselect() {
  if (m_nSelected >= 0 && m_nSelected < GetCount()) {
    SetButtonStyle(m_nSelected, GetButtonStyle(m_nSelected) & ~UI_TBBS_PRESSED);
    CRect r;
    CToolBar::GetItemRect(m_nSelected, &r);
    InvalidateRect(&r);
  }
  m_nSelected = -1;
  if (sSelected == this) sSelected = NULL;
}

int CCustToolBar::GetRealClientArea(CRect& rect) {
  GetClientRect(&rect);
  return 0;
}

HMENU CCustToolBar::GetButtonMenu(int nIndex) {
  if (nIndex < 0 || nIndex >= GetCount()) return NULL;
  TBBUTTON b;
  CToolBar::_GetButton(nIndex, &b);
  return IsDropDownButton(&b);
}

void CCustToolBar::OnInsertDropDownMenu(UINT nID) {
  const int index = CommandToIndex(nID);
  if (index < 0) return;
  TBBUTTON b;
  CToolBar::_GetButton(index, &b);
  TBBUTTONINFOW info = {};
  info.dwMask = TBIF_SIZE;
  info.cx = static_cast<WORD>(GetButtonWidth(&b));
  CFlatToolBar::_SetButton(index, &info);
}

void CCustToolBar::OnControlResize(UINT) { RecalcControlPos(); }

void CCustToolBar::RecalcControlPos() {
  const int offset = UIGetComCtlVersion() == 0x40047 ? 2 : 0;
  for (int i = 0, n = GetCount(); i < n; ++i) {
    TBBUTTON b;
    CToolBar::_GetButton(i, &b);
    CWnd* control = IsControlButton(&b);
    if (control == NULL || control->m_hWnd == NULL) continue;
    CRect item, now;
    CToolBar::GetItemRect(i, &item);
    control->GetWindowRect(&now);
    ScreenToClient(&now);
    CRect place(CPoint(item.left + (item.Width() - now.Width()) / 2, item.top + (item.Height() - now.Height()) / 2 + offset),
                now.Size());
    if (place != now) {
      control->MoveWindow(&place, TRUE);
    }
  }
}

void CCustToolBar::EnableDocking(DWORD dwDockStyle) {
  m_dwDockStyle = dwDockStyle;
  if (m_pDockSite == NULL) m_pDockSite = DYNAMIC_DOWNCAST(CFrameWnd, GetParent());
}
