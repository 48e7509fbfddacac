// The menu bar: buttons from a frame's menu, the accelerators of their mnemonics, and the
// keyboard and mouse moves between the popups while one is tracked.
#include "MenuToolBar.h"

#include "UICommand.h"
#include "UICommandCenter.h"
#include "UICoolMenu.h"
#include "UIHandles.h"
#include "UITrace.h"
#include "UIUtilities.h"

#include <framework.h>
#include <fw_mdi.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

UlmLogger s_log("ui/MenuToolBar");

// The bar whose popup is tracked, and the hooks installed meanwhile (the user-interface thread).
CMenuToolBar* s_tracking = NULL;
uih::OwnedHook s_keyHook;
uih::OwnedHook s_mouseHook;
POINT s_lastMouse = {LONG_MIN, LONG_MIN};

// The character after the first single ampersand, upper-cased; 0 when there is none.
WCHAR Mnemonic(const CString& text) {
  const CStringW wide(text);
  for (int i = 0; i + 1 < wide.GetLength(); ++i) {
    if (wide[i] != L'&') continue;
    if (wide[i + 1] == L'&') {
      ++i;
      continue;
    }
    return static_cast<WCHAR>(reinterpret_cast<UINT_PTR>(::CharUpperW(reinterpret_cast<LPWSTR>(static_cast<UINT_PTR>(wide[i + 1])))));
  }
  return 0;
}

// Collects the popups below menu (itself included) that have no menu object yet.
void CollectNewPopups(HMENU menu, CArray<HMENU, HMENU>& found, int depth = 0) {
  if (menu == NULL || depth > 16 || !::IsMenu(menu)) return;
  if (CMenu::FromHandlePermanent(menu) == NULL) found.Add(menu);
  for (int i = 0, n = ::GetMenuItemCount(menu); i < n; ++i)
    if (HMENU sub = ::GetSubMenu(menu, i)) CollectNewPopups(sub, found, depth + 1);
}

// The nearest ancestor window whose object is a frame; NULL when none.
CFrameWnd* ParentFrame(const CWnd* bar) {
  for (HWND parent = ::GetParent(bar->m_hWnd); parent != NULL; parent = ::GetParent(parent))
    if (CFrameWnd* frame = DYNAMIC_DOWNCAST(CFrameWnd, CWnd::FromHandlePermanent(parent))) return frame;
  return NULL;
}

// The active MDI child: asked of the MDI frame the bar docks in or floats over, else of the
// main window's MDI client; NULL when there is none.
HWND ActiveChild(const CWnd* bar, BOOL* maximized) {
  *maximized = FALSE;
  for (HWND up = ::GetParent(bar->m_hWnd); up != NULL; up = ::GetParent(up)) {
    CMDIFrameWnd* frame = DYNAMIC_DOWNCAST(CMDIFrameWnd, CWnd::FromHandlePermanent(up));
    if (frame == NULL || frame->m_hWndMDIClient == NULL) continue;
    CMDIChildWnd* child = frame->MDIGetActive(maximized);
    return child != NULL ? child->m_hWnd : NULL;
  }
  CWnd* main = AfxGetMainWnd();
  if (main == NULL || main->m_hWnd == NULL) return NULL;
  HWND client = ::FindWindowExW(main->m_hWnd, NULL, L"MDIClient", NULL);
  if (client == NULL) return NULL;
  return reinterpret_cast<HWND>(::SendMessageW(client, WM_MDIGETACTIVE, 0, reinterpret_cast<LPARAM>(maximized)));
}

// The icon a window was given (WM_SETICON) of one size; NULL when none. Answered at once or
// not at all: a window that hangs does not stop the bar.
HICON WindowIcon(HWND window, WPARAM size) {
  DWORD_PTR icon = 0;
  if (!::SendMessageTimeoutW(window, WM_GETICON, size, 0, SMTO_ABORTIFHUNG, 200, &icon)) return NULL;
  return reinterpret_cast<HICON>(icon);
}

// The name of the program's first icon group (an ordinal, or a copy of a string name).
struct IconGroupName {
  WORD ordinal = 0;
  std::wstring text;
  LPCWSTR Get() const { return ordinal != 0 ? MAKEINTRESOURCEW(ordinal) : (text.empty() ? NULL : text.c_str()); }
};

BOOL CALLBACK FirstIconGroup(HMODULE, LPCWSTR, LPWSTR name, LONG_PTR found) {
  auto* first = reinterpret_cast<IconGroupName*>(found);
  if (IS_INTRESOURCE(name))
    first->ordinal = static_cast<WORD>(reinterpret_cast<UINT_PTR>(name));
  else
    first->text = name;
  return FALSE;  // the first one is enough
}

// The application's icon: the program's first icon at the small icon size (shared: the system
// keeps it); NULL when the program has none.
HICON ApplicationIcon() {
  HMODULE program = ::GetModuleHandleW(NULL);
  IconGroupName first;
  ::EnumResourceNamesW(program, MAKEINTRESOURCEW(14) /* RT_GROUP_ICON */, FirstIconGroup, reinterpret_cast<LONG_PTR>(&first));
  if (first.Get() == NULL) return NULL;
  return static_cast<HICON>(::LoadImageW(program, first.Get(), IMAGE_ICON, ::GetSystemMetrics(SM_CXSMICON),
                                         ::GetSystemMetrics(SM_CYSMICON), LR_SHARED));
}

// The space the system icon and the caption buttons take from the client area.
const int kIconRoom = 20, kButtonsRoom = 48, kIconRoomVert = 18, kButtonsRoomVert = 16;
const int kButtonWidth = 15, kButtonHeight = 14;

}  // namespace

IMPLEMENT_DYNAMIC(CMenuToolBar, CCustToolBar)

BEGIN_MESSAGE_MAP(CMenuToolBar, CCustToolBar)
  ON_NOTIFY_REFLECT(TBN_DROPDOWN, &CMenuToolBar::OnDropDown)
  ON_COMMAND_RANGE(0xDF01, 0xDFFF, &CMenuToolBar::OnMenuCommand)
  ON_WM_KEYDOWN()
  ON_WM_MOUSEMOVE()
  ON_WM_SETFOCUS()
  ON_WM_GETDLGCODE()
  ON_WM_NCCALCSIZE()
  ON_WM_NCHITTEST()
  ON_WM_NCPAINT()
  ON_WM_NCLBUTTONDOWN()
  ON_WM_NCLBUTTONUP()
  ON_WM_NCLBUTTONDBLCLK()
  ON_WM_NCMOUSEMOVE()
  ON_WM_LBUTTONDOWN()
  ON_WM_LBUTTONDBLCLK()
  ON_WM_SYSCOLORCHANGE()
END_MESSAGE_MAP()

CMenuToolBar::CMenuToolBar() { m_bMenuBar = 1; }

CMenuToolBar::~CMenuToolBar() {
  if (m_hAccel != NULL) ::DestroyAcceleratorTable(m_hAccel);
  m_hAccel = NULL;
  if (s_tracking == this) s_tracking = NULL;
  // Only the cool menus this bar made go; other windows' cool menus stay. The menu handles
  // stay with the menu they are in: its owner destroys them with it.
  for (INT_PTR i = m_ownMenus.GetSize() - 1; i >= 0; --i) {
    CMenu* object = CMenu::FromHandlePermanent(m_ownMenus[i]);
    if (object == NULL || object != m_ownObjects[i] || !object->IsKindOf(RUNTIME_CLASS(CCoolMenu))) continue;
    object->Detach();
    delete object;
  }
  m_ownMenus.RemoveAll();
  m_ownObjects.RemoveAll();
}

int CMenuToolBar::Create(CWnd* pParentWnd, UINT nID, UINT nTitleLabel, DWORD dwStyle) {
  if (!CCustToolBar::Create(pParentWnd, nID, nTitleLabel, dwStyle)) return 0;
  SetButtonHeightFromFont();
  return 1;
}

void CMenuToolBar::SetButtonHeightFromFont() {
  TEXTMETRIC tm = {};
  uih::WindowDC dc(m_hWnd);
  if (dc) {
    uih::Selection font(dc.Get(), GetDefaultFont(1));
    ::GetTextMetrics(dc.Get(), &tm);
  }
  SetSizes(CSize(m_sizeButton.cx, tm.tmHeight + 11), m_sizeImage);
}

HFONT CMenuToolBar::GetDefaultFont(int create) {
  if (create) return UIGetDefaultGUIFont();
  systemMenuData* data = CCoolMenu::GetSystemMenuData(0);
  return data != NULL && data->hFont != NULL ? data->hFont : UIGetDefaultGUIFont();
}

void CMenuToolBar::SetMenu(HWND, HMENU hMenu, HMENU hWindowMenu) {
  SetRedraw(FALSE);
  if (m_hMenu != NULL) {
    DeleteAllButtons();
    m_hSysMenu = NULL;
    m_hIconSmall = m_hIconLarge = NULL;
    m_bSysIconHot = 0;
  }
  if (m_hAccel != NULL) ::DestroyAcceleratorTable(m_hAccel);
  m_hAccel = NULL;
  m_hMenu = hMenu;
  if (hMenu == NULL || !::IsMenu(hMenu)) {
    m_hMenu = NULL;
    SetRedraw(TRUE);
    Invalidate();
    return;
  }
  const CSize buttonSize = m_sizeButton;
  std::vector<ACCEL> keys;
  CUICommandCenter& center = CUICommandCenter::GetCommandCenter();
  for (int i = 0, n = ::GetMenuItemCount(hMenu), index = 0; i < n && i < 0xFE; ++i) {
    WCHAR buffer[257] = {};
    if (::GetMenuStringW(hMenu, static_cast<UINT>(i), buffer, 257, MF_BYPOSITION) <= 0) continue;
    CString text(buffer);
    const int number = _wtoi(buffer);
    HMENU popup = ::GetSubMenu(hMenu, i);
    if (number == 257 && hWindowMenu != NULL) popup = hWindowMenu;
    if (popup == NULL) continue;
    const INT_PTR known = m_ownMenus.GetSize();
    CollectNewPopups(popup, m_ownMenus);
    CCoolMenu* cool = CCoolMenu::FromHandle(popup);
    // The objects made for the new popups, so that a handle used again later is not taken
    // for one of them.
    for (INT_PTR k = known; k < m_ownMenus.GetSize(); ++k) m_ownObjects.Add(CMenu::FromHandlePermanent(m_ownMenus[k]));
    if (cool == NULL) continue;
    cool->Rebuild(1);
    if (::GetMenuItemCount(popup) <= 0) continue;  // everything in it was pruned
    const UINT id = kFirstButtonId + static_cast<UINT>(i);
    if (number != 0) {
      CCoolMenu::SetMenuId(popup, static_cast<WORD>(number));
      if (CUICommand* command = center.GetCommand(static_cast<WORD>(number))) command->GetMenuStringW(text, 0);
    }
    if (!InsertMenuButton(index, popup, text, id)) continue;
    // The control sizes buttons without their texts: each is told its text's width.
    CCustToolBar::OnInsertDropDownMenu(id);
    ++index;
    if (const WCHAR mnemonic = Mnemonic(text)) {
      // The key that types the character, so that "&-" is the minus key and not VK_INSERT;
      // a letter in either case is its key without Shift.
      const WCHAR lower = static_cast<WCHAR>(reinterpret_cast<UINT_PTR>(::CharLowerW(reinterpret_cast<LPWSTR>(static_cast<UINT_PTR>(mnemonic)))));
      const SHORT scan = ::VkKeyScanW(lower);
      if (scan != -1 && LOBYTE(scan) != 0) {
        ACCEL key = {static_cast<BYTE>(FVIRTKEY | FALT | ((HIBYTE(scan) & 1) ? FSHIFT : 0)), LOBYTE(scan), static_cast<WORD>(id)};
        keys.push_back(key);
      }
    }
    int count = 0;
    if (HACCEL own = cool->GetAccelTable(&count)) {
      const int size = ::CopyAcceleratorTableW(own, NULL, 0);
      if (size > 0) {
        std::vector<ACCEL> more(static_cast<size_t>(size));
        ::CopyAcceleratorTableW(own, more.data(), size);
        keys.insert(keys.end(), more.begin(), more.end());
      }
      ::DestroyAcceleratorTable(own);
    }
  }
  if (buttonSize.cx > 0 && buttonSize.cy > 0) SetSizes(buttonSize, m_sizeImage);
  SetRedraw(TRUE);
  Invalidate();
  RefreshSysMenu();
  if (CFrameWnd* frame = ParentFrame(this)) frame->DelayRecalcLayout();
  if (!keys.empty()) {
    m_hAccel = ::CreateAcceleratorTableW(keys.data(), static_cast<int>(keys.size()));
    if (m_hAccel == NULL) UI_TRACE_FAILED(s_log, "CreateAcceleratorTable");
  }
}

void CMenuToolBar::UpdateFromSecurity() { SetMenu(NULL, m_hMenu, NULL); }
void CMenuToolBar::DrawMenuBar() { SetMenu(NULL, m_hMenu, NULL); }

void CMenuToolBar::RefreshSysMenu() {
  const HMENU before = m_hSysMenu;
  BOOL maximized = FALSE;
  HWND child = ActiveChild(this, &maximized);
  if (child != NULL && maximized) {
    m_hSysMenu = ::GetSystemMenu(child, FALSE);
    m_hIconLarge = reinterpret_cast<HICON>(::GetClassLongPtrW(child, GCLP_HICON));
    m_hIconSmall = reinterpret_cast<HICON>(::GetClassLongPtrW(child, GCLP_HICONSM));
    if (m_hIconLarge == NULL && m_hIconSmall == NULL) {
      // A class without icons: the window's own, else the application's.
      m_hIconSmall = WindowIcon(child, ICON_SMALL);
      m_hIconLarge = WindowIcon(child, ICON_BIG);
      if (m_hIconLarge == NULL && m_hIconSmall == NULL) m_hIconSmall = ApplicationIcon();
    }
  } else {
    m_hSysMenu = NULL;
    m_hIconLarge = m_hIconSmall = NULL;
    m_bSysIconHot = 0;
  }
  if (m_hSysMenu != before) {
    // The non-client room changes with the system menu.
    SetWindowPos(NULL, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    if (CFrameWnd* frame = ParentFrame(this)) frame->DelayRecalcLayout();
  }
}

LRESULT CALLBACK CMenuToolBar::KeyboardHook(int code, WPARAM wParam, LPARAM lParam) {
  // A key going down (the transition bit clear) goes to the focus, the bar, first: before the
  // menu acts on it. A menu loop that peeks a key before it acts and removes it afterwards
  // shows it twice (HC_NOREMOVE, then HC_ACTION); the bar hears it once, at the first sight.
  static bool peeked = false;
  static WPARAM peekedKey = 0;
  static LPARAM peekedData = 0;
  if ((code == HC_ACTION || code == HC_NOREMOVE) && (lParam & 0x80000000) == 0 && s_tracking != NULL) {
    const bool seen = code == HC_ACTION && peeked && peekedKey == wParam && peekedData == lParam;
    peeked = code == HC_NOREMOVE;
    peekedKey = wParam;
    peekedData = lParam;
    if (!seen)
      if (HWND focus = ::GetFocus()) ::SendMessageW(focus, WM_KEYDOWN, wParam, lParam);
  }
  return ::CallNextHookEx(s_keyHook.Get(), code, wParam, lParam);
}

LRESULT CALLBACK CMenuToolBar::MouseHook(int code, WPARAM wParam, LPARAM lParam) {
  const auto* info = reinterpret_cast<MOUSEHOOKSTRUCT*>(lParam);
  if (code == HC_ACTION && info != NULL && s_tracking != NULL) {
    if (wParam == WM_MOUSEMOVE && (info->pt.x != s_lastMouse.x || info->pt.y != s_lastMouse.y)) {
      s_lastMouse = info->pt;
      // To the bar, whichever window has the capture (the menu loop's own or the popup).
      POINT pt = info->pt;
      if (::ScreenToClient(s_tracking->m_hWnd, &pt))
        ::SendMessageW(s_tracking->m_hWnd, WM_MOUSEMOVE, 0, MAKELPARAM(pt.x, pt.y));
    } else if (wParam == WM_LBUTTONDBLCLK && info->hwnd != NULL &&
               ::SendMessageW(info->hwnd, WM_NCHITTEST, 0, MAKELPARAM(info->pt.x, info->pt.y)) == HTSYSMENU) {
      ::SendMessageW(info->hwnd, WM_CANCELMODE, 0, 0);
      ::PostMessageW(info->hwnd, WM_NCLBUTTONDBLCLK, HTSYSMENU, MAKELPARAM(info->pt.x, info->pt.y));
    }
  }
  return ::CallNextHookEx(s_mouseHook.Get(), code, wParam, lParam);
}

void CMenuToolBar::OnMenuCommand(UINT nID) {
  SendMessage(TB_SETHOTITEM, static_cast<WPARAM>(-1));
  m_bSysIconHot = 0;
  if (s_tracking != NULL) return;  // one popup loop at a time
  // The mark and the hooks last as long as the loop, however it ends: the loop runs the host's
  // code, and one left behind would block every later popup.
  struct TrackingScope {
    explicit TrackingScope(CMenuToolBar* bar) {
      s_tracking = bar;
      s_lastMouse = {LONG_MIN, LONG_MIN};
      s_mouseHook = uih::HookThisThreadW(WH_MOUSE, MouseHook);
      s_keyHook = uih::HookThisThreadW(WH_KEYBOARD, KeyboardHook);
      if (!s_mouseHook || !s_keyHook) UI_TRACE_FAILED(s_log, "SetWindowsHookEx");
    }
    ~TrackingScope() {
      s_keyHook.Reset();
      s_mouseHook.Reset();
      s_tracking = NULL;
    }
    TrackingScope(const TrackingScope&) = delete;
    TrackingScope& operator=(const TrackingScope&) = delete;
  } scope(this);
  DoMenu(static_cast<int>(nID));
}

void CMenuToolBar::OnDropDown(NMHDR* pNMHDR, LRESULT* pResult) {
  *pResult = TBDDRET_DEFAULT;
  const auto* info = reinterpret_cast<NMTOOLBARW*>(pNMHDR);
  if (info->iItem >= static_cast<int>(kFirstButtonId) && info->iItem <= 0xDFFF)
    OnMenuCommand(static_cast<UINT>(info->iItem));
}

void CMenuToolBar::ContinueWith(int nIndex) {
  m_nNextIndex = nIndex;
  m_bDone = 0;
  ::EndMenu();
}

BOOL CMenuToolBar::OpenByMnemonic(UINT nChar) {
  WCHAR typed = static_cast<WCHAR>(::MapVirtualKeyW(nChar, MAPVK_VK_TO_CHAR) & 0xFFFF);
  if (typed == 0) return FALSE;
  typed = static_cast<WCHAR>(reinterpret_cast<UINT_PTR>(::CharUpperW(reinterpret_cast<LPWSTR>(static_cast<UINT_PTR>(typed)))));
  for (int i = 0, n = GetCount(); i < n; ++i) {
    CString text;
    GetButtonText(i, text);
    if (Mnemonic(text) == typed) {
      OnMenuCommand(GetItemID(i));
      return TRUE;
    }
  }
  return FALSE;
}

void CMenuToolBar::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags) {
  const int count = GetCount();
  if (m_hMenuOpen != NULL) {
    // Left leaves the top popup for the previous button; Right, unless it opens a sub-menu,
    // goes on to the next one.
    if (nChar == VK_LEFT && m_hMenuSelected == m_hMenuOpen)
      ContinueWith(m_nTrackIndex - 1);
    else if (nChar == VK_RIGHT && !m_bSubMenuSelected)
      ContinueWith(m_nTrackIndex + 1);
    return;
  }
  const int hot = m_bSysIconHot ? -1 : static_cast<int>(SendMessage(TB_GETHOTITEM));
  const int first = m_hSysMenu != NULL ? -1 : 0;
  switch (nChar) {
    case VK_ESCAPE:
      SendMessage(TB_SETHOTITEM, static_cast<WPARAM>(-1));
      m_bSysIconHot = 0;
      if (CWnd* parent = GetParent()) parent->SetFocus();
      return;
    case VK_LEFT:
    case VK_RIGHT: {
      if (count == 0) return;
      int next = hot;
      if (!m_bSysIconHot && hot < 0)
        next = nChar == VK_LEFT ? count - 1 : first;
      else if (nChar == VK_LEFT)
        next = hot - 1 < first ? count - 1 : hot - 1;
      else
        next = hot + 1 >= count ? first : hot + 1;
      m_bSysIconHot = next == -1;
      SendMessage(TB_SETHOTITEM, static_cast<WPARAM>(next));
      return;
    }
    case VK_UP:
    case VK_DOWN:
      if (m_bSysIconHot)
        OnMenuCommand(kSysMenuId);
      else if (hot >= 0 && hot < count)
        OnMenuCommand(GetItemID(hot));
      return;
    default:
      if (OpenByMnemonic(nChar)) return;
      break;
  }
  Default();
  (void)nRepCnt;
  (void)nFlags;
}

void CMenuToolBar::OnMouseMove(UINT nFlags, CPoint point) {
  if (m_hMenuOpen == NULL) {
    if (m_nNcPressed != 0) {
      m_nNcPressed = 0;
      SendMessage(WM_NCPAINT, 1);
    }
    CCustToolBar::OnMouseMove(nFlags, point);
    return;
  }
  // The open popup: the first menu window of this thread. A point inside it is the menu's.
  CPoint screen = point;
  ClientToScreen(&screen);
  for (HWND popup = ::FindWindowExW(NULL, NULL, L"#32768", NULL); popup != NULL;
       popup = ::FindWindowExW(NULL, popup, L"#32768", NULL)) {
    if (::GetWindowThreadProcessId(popup, NULL) != ::GetCurrentThreadId() || !::IsWindowVisible(popup)) continue;
    CRect rect;
    ::GetWindowRect(popup, &rect);
    if (rect.PtInRect(screen)) return;
    break;
  }
  CRect client;
  GetClientRect(&client);
  if (!client.PtInRect(point)) return;
  for (int i = 0, n = GetCount(); i < n; ++i) {
    CRect item;
    GetItemRect(i, &item);
    if (item.PtInRect(point)) {
      if (i != m_nTrackIndex) ContinueWith(i);
      return;
    }
  }
}

void CMenuToolBar::OnSetFocus(CWnd* pOldWnd) {
  CCustToolBar::OnSetFocus(pOldWnd);
  if (s_tracking != this && !m_bSysIconHot && SendMessage(TB_GETHOTITEM) < 0 && GetCount() > 0) SendMessage(TB_SETHOTITEM, 0);
}

UINT CMenuToolBar::OnGetDlgCode() { return static_cast<UINT>(Default()) | DLGC_WANTARROWS; }

void CMenuToolBar::OnNcCalcSize(BOOL bCalcValidRects, NCCALCSIZE_PARAMS* lpncsp) {
  CCustToolBar::OnNcCalcSize(bCalcValidRects, lpncsp);
  if (m_hSysMenu == NULL) return;
  RECT& r = lpncsp->rgrc[0];
  if (IsHorizontal()) {
    r.left += kIconRoom;
    r.right -= kButtonsRoom;
  } else {
    r.top += kIconRoomVert;
    r.bottom -= kButtonsRoomVert;
  }
  if (r.right < r.left) r.right = r.left;
  if (r.bottom < r.top) r.bottom = r.top;
}

int CMenuToolBar::GetRealClientArea(CRect& rect) {
  GetClientRect(&rect);
  return m_hSysMenu != NULL;
}

BOOL CMenuToolBar::GetNcItemRect(UINT nHit, CRect& rect) {
  rect.SetRectEmpty();
  if (m_hSysMenu == NULL) return FALSE;
  CRect window;
  GetWindowRect(&window);
  window.OffsetRect(-window.left, -window.top);
  const CRect margins = InsideMargins();
  const bool horz = IsHorizontal() != FALSE;
  if (nHit == HTSYSMENU) {
    if (horz)
      rect.SetRect(margins.left, margins.top + 1, margins.left + kIconRoom, window.bottom - margins.bottom);
    else
      rect.SetRect(margins.left, margins.top + 1, window.right - margins.right, margins.top + kIconRoomVert);
    return TRUE;
  }
  int inset = 0;
  if (nHit == HTCLOSE)
    inset = 0;
  else if (nHit == HTMAXBUTTON)
    inset = 17;
  else if (nHit == HTMINBUTTON)
    inset = 32;
  else
    return FALSE;
  if (horz) {
    const int right = window.right - margins.right - inset;
    const int top = margins.top + (window.Height() - margins.top - margins.bottom - kButtonHeight) / 2;
    rect.SetRect(right - kButtonWidth, top, right, top + kButtonHeight);
  } else {
    // A vertical bar has the buttons side by side in its bottom strip.
    const int right = window.right - margins.right - inset;
    const int top = window.bottom - margins.bottom - kButtonHeight - 1;
    rect.SetRect(right - kButtonWidth, top, right, top + kButtonHeight);
  }
  return TRUE;
}

UINT CMenuToolBar::NcItemFromPoint(CPoint screen) {
  CRect window;
  GetWindowRect(&window);
  const CPoint at(screen.x - window.left, screen.y - window.top);
  for (UINT hit : {HTSYSMENU, HTCLOSE, HTMAXBUTTON, HTMINBUTTON}) {
    CRect rect;
    if (GetNcItemRect(hit, rect) && rect.PtInRect(at)) return hit;
  }
  return HTNOWHERE;
}

LRESULT CMenuToolBar::OnNcHitTest(CPoint point) {
  const UINT hit = NcItemFromPoint(point);
  return hit != HTNOWHERE ? static_cast<LRESULT>(hit) : CCustToolBar::OnNcHitTest(point);
}

void CMenuToolBar::OnNcPaint() {
  CCustToolBar::OnNcPaint();
  if (m_hSysMenu == NULL) return;
  uih::WindowDC dc = uih::WindowDC::WholeWindow(m_hWnd);
  if (!dc) return;
  // Only the frame: painted while the client area has not made room for the items yet, they
  // would land in the client and move with its bits.
  CRect window, client;
  GetWindowRect(&window);
  GetClientRect(&client);
  ClientToScreen(&client);
  client.OffsetRect(-window.left, -window.top);
  ::ExcludeClipRect(dc.Get(), client.left, client.top, client.right, client.bottom);
  DrawNcItems(dc.Get());
}

void CMenuToolBar::DrawNcItems(HDC hDC) {
  CRect icon;
  if (!GetNcItemRect(HTSYSMENU, icon)) return;
  HICON image = m_hIconSmall != NULL ? m_hIconSmall : m_hIconLarge;
  if (image != NULL) {
    const int size = m_hIconSmall != NULL ? 0 : 16;  // a large icon is drawn at 16 x 16
    ::DrawIconEx(hDC, icon.left + 2, icon.top + (icon.Height() - 16) / 2, image, size, size, 0,
                 ::GetSysColorBrush(COLOR_BTNFACE), DI_NORMAL);
  }
  const struct {
    UINT hit, state;
  } buttons[] = {{HTCLOSE, DFCS_CAPTIONCLOSE}, {HTMAXBUTTON, DFCS_CAPTIONRESTORE}, {HTMINBUTTON, DFCS_CAPTIONMIN}};
  for (const auto& b : buttons) {
    CRect rect;
    GetNcItemRect(b.hit, rect);
    ::DrawFrameControl(hDC, &rect, DFC_CAPTION, b.state | (m_nNcPressed == static_cast<int>(b.hit) ? DFCS_PUSHED : 0));
  }
}

void CMenuToolBar::OnNcLButtonDown(UINT nHitTest, CPoint point) {
  if (m_hSysMenu != NULL) {
    if (nHitTest == HTSYSMENU) {
      OnMenuCommand(kSysMenuId);
      return;
    }
    if (nHitTest == HTCLOSE || nHitTest == HTMAXBUTTON || nHitTest == HTMINBUTTON) {
      m_nNcPressed = static_cast<int>(nHitTest);
      SendMessage(WM_NCPAINT, 1);
      return;
    }
  }
  CCustToolBar::OnNcLButtonDown(nHitTest, point);
}

void CMenuToolBar::OnNcLButtonUp(UINT nHitTest, CPoint point) {
  const int pressed = m_nNcPressed;
  m_nNcPressed = 0;
  if (pressed != 0) SendMessage(WM_NCPAINT, 1);
  if (pressed != 0 && pressed == static_cast<int>(nHitTest)) {
    BOOL maximized = FALSE;
    if (HWND child = ActiveChild(this, &maximized)) {
      const WPARAM command = pressed == HTCLOSE ? SC_CLOSE : pressed == HTMAXBUTTON ? SC_RESTORE : SC_MINIMIZE;
      ::SendMessageW(child, WM_SYSCOMMAND, command, 0);
      RefreshSysMenu();
    }
    return;
  }
  CCustToolBar::OnNcLButtonUp(nHitTest, point);
}

void CMenuToolBar::OnNcLButtonDblClk(UINT nHitTest, CPoint point) {
  if (m_hSysMenu != NULL && nHitTest == HTSYSMENU) {
    BOOL maximized = FALSE;
    if (HWND child = ActiveChild(this, &maximized)) {
      ::SendMessageW(child, WM_SYSCOMMAND, SC_CLOSE, 0);
      RefreshSysMenu();
    }
    return;
  }
  CCustToolBar::OnNcLButtonDblClk(nHitTest, point);
}

void CMenuToolBar::OnNcMouseMove(UINT nHitTest, CPoint point) {
  // A move with the left button up lets a pressed caption button go.
  if (m_nNcPressed != 0 && (::GetKeyState(VK_LBUTTON) & 0x8000) == 0) {
    m_nNcPressed = 0;
    SendMessage(WM_NCPAINT, 1);
  }
  CCustToolBar::OnNcMouseMove(nHitTest, point);
}

CSize CMenuToolBar::CalcSize(TBBUTTON* pButtons, int nCount) {
  m_dwStyle &= ~CBRS_BORDER_RIGHT;
  CSize size = CCustToolBar::CalcSize(pButtons, nCount);
  if (IsFloating()) return size;
  CWnd* site = m_pDockSite != NULL ? static_cast<CWnd*>(m_pDockSite) : ParentFrame(this);
  if (site == NULL || site->m_hWnd == NULL) return size;
  CRect client;
  site->GetClientRect(&client);
  const CRect margins = InsideMargins();
  const int extra = m_hSysMenu != NULL ? 2 : 1;
  if (IsHorizontal()) {
    const int room = m_hSysMenu != NULL ? kIconRoom + kButtonsRoom : 0;
    size.cx = std::max<LONG>(size.cx, client.Width() - margins.left - margins.right - room + extra);
  } else {
    const int room = m_hSysMenu != NULL ? kIconRoomVert + kButtonsRoomVert : 0;
    size.cy = std::max<LONG>(size.cy, client.Height() - margins.top - margins.bottom - room + extra);
  }
  return size;
}

namespace {
// While the bar is dragged or toggled off its frame, its dock site floats bars in the menu
// bar's own frame; the site's class is given back afterwards.
class MenuBarFloatScope {
 public:
  explicit MenuBarFloatScope(CFrameWnd* site) : m_site(site), m_hSite(site != NULL ? site->m_hWnd : NULL) {
    if (m_site == NULL) return;
    m_before = m_site->m_pFloatingFrameClass;
    m_site->m_pFloatingFrameClass = RUNTIME_CLASS(CMenuMiniDockFrameWnd);
  }
  ~MenuBarFloatScope() {
    if (m_site != NULL && ::IsWindow(m_hSite) && CWnd::FromHandlePermanent(m_hSite) == m_site)
      m_site->m_pFloatingFrameClass = m_before;
  }
  MenuBarFloatScope(const MenuBarFloatScope&) = delete;
  MenuBarFloatScope& operator=(const MenuBarFloatScope&) = delete;

 private:
  CFrameWnd* m_site;
  HWND m_hSite;
  CRuntimeClass* m_before = NULL;
};
}  // namespace

void CMenuToolBar::DisableCloseWhenFloating() {
  if (m_hWnd == NULL || !::IsWindow(m_hWnd) || !IsFloating()) return;
  if (CMenuMiniDockFrameWnd* frame = DYNAMIC_DOWNCAST(CMenuMiniDockFrameWnd, ParentFrame(this)))
    frame->DisableCloseForMenuBar();
  else if (CFrameWnd* other = ParentFrame(this))
    if (CMenu* system = other->GetSystemMenu(FALSE)) system->EnableMenuItem(SC_CLOSE, MF_BYCOMMAND | MF_GRAYED);
}

void CMenuToolBar::OnLButtonDown(UINT nFlags, CPoint point) {
  const HWND self = m_hWnd;
  {
    MenuBarFloatScope scope(m_pDockSite);
    CCustToolBar::OnLButtonDown(nFlags, point);  // a press beside the buttons drags the bar
  }
  if (::IsWindow(self) && CWnd::FromHandlePermanent(self) == this) DisableCloseWhenFloating();
}

void CMenuToolBar::OnLButtonDblClk(UINT nFlags, CPoint point) {
  const HWND self = m_hWnd;
  {
    MenuBarFloatScope scope(m_pDockSite);
    CCustToolBar::OnLButtonDblClk(nFlags, point);
  }
  if (::IsWindow(self) && CWnd::FromHandlePermanent(self) == this) DisableCloseWhenFloating();
}

void CMenuToolBar::OnSysColorChange() {
  CCustToolBar::OnSysColorChange();
  // The menu font follows the system's; the bar's font and button height follow it.
  CCoolMenu::GetSystemMenuData(1);
  SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(GetDefaultFont(1)));
  SetButtonHeightFromFont();
  if (CFrameWnd* frame = ParentFrame(this)) frame->RecalcLayout();
}

IMPLEMENT_DYNCREATE(CMenuMiniDockFrameWnd, CMiniDockFrameWnd)

BEGIN_MESSAGE_MAP(CMenuMiniDockFrameWnd, CMiniDockFrameWnd)
  ON_WM_SHOWWINDOW()
END_MESSAGE_MAP()

BOOL CMenuMiniDockFrameWnd::DisableCloseForMenuBar() {
  BOOL menuBar = FALSE;
  for (int i = 0; i < m_wndDockBar.m_arrBars.GetSize(); ++i) {
    // Entries are bars, row ends (NULL) or the placeholders of hidden bars (small numbers).
    const UINT_PTR entry = reinterpret_cast<UINT_PTR>(m_wndDockBar.m_arrBars[i]);
    if (entry <= 0xFFFF) continue;
    auto* bar = static_cast<CControlBar*>(m_wndDockBar.m_arrBars[i]);
    if (bar->IsKindOf(RUNTIME_CLASS(CMenuToolBar))) menuBar = TRUE;
  }
  if (!menuBar) return FALSE;
  HMENU system = ::GetSystemMenu(m_hWnd, FALSE);
  return system != NULL && ::EnableMenuItem(system, SC_CLOSE, MF_BYCOMMAND | MF_GRAYED) != -1;
}

void CMenuMiniDockFrameWnd::OnShowWindow(BOOL bShow, UINT nStatus) {
  CMiniDockFrameWnd::OnShowWindow(bShow, nStatus);
  if (bShow) DisableCloseForMenuBar();
}
