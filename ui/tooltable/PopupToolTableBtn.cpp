// Buttons that drop down popup tool tables, their toggled form and the small arrow button.
#include "PopupToolTableBtn.h"

#include "ToolTableResources.h"
#include "LanguageFont.h"

#include "UIImages.h"
#include "UIUtilities.h"

#include <UIHandles.h>
#include <fw_app.h>
#include <fw_dc.h>

const HBITMAP CPopupToolTableBtn::PB_NOBITMAP = reinterpret_cast<HBITMAP>(static_cast<INT_PTR>(-1));

namespace {

bool Drawable(HBITMAP b) { return b != NULL && b != CPopupToolTableBtn::PB_NOBITMAP; }

void Line(HDC dc, int x0, int y0, int x1, int y1) {
  MoveToEx(dc, x0, y0, NULL);
  LineTo(dc, x1, y1);
}

// The three-line triangle at the right edge of `part`: rows 6, 4 and 2 pixels wide, the
// widest from 8 to 2 pixels in from the right edge; pointing down, or up when `up`.
void DrawArrow(HDC dc, const RECT& part, COLORREF colour, bool up) {
  uih::OwnedPen pen(CreatePen(PS_SOLID, 1, colour));
  uih::Selection chosen(dc, pen.Get());
  const int mid = (part.top + part.bottom) / 2;
  for (int row = 0; row < 3; ++row) {
    const int y = up ? mid - row : mid - 2 + row;
    Line(dc, part.right - 8 + row, y, part.right - 2 - row, y);
  }
}

// The arrow of a disabled button: the library's own arrow image (small or large) in the
// disabled look, centred in `part`; false when the image cannot be had.
bool DrawDisabledArrow(HDC dc, const RECT& part, bool large) {
  HBITMAP both = NULL;  // the image and its mask side by side
  if (!Extract1MaskedImage(IDB_BTNARROWS, large ? 1 : 0, 8, &both, TRUE)) return false;
  uih::OwnedBitmap owned(both);
  const int x = part.left + (part.right - part.left - 8) / 2, y = part.top + (part.bottom - part.top - 8) / 2;
  return DrawDisabledBitmap(dc, x, y, owned.Get(), 8, 0, false) != FALSE;
}

void Raised(HDC dc, const RECT& r, int light, int dark) {
  uih::OwnedPen hi(CreatePen(PS_SOLID, 1, GetSysColor(light))), lo(CreatePen(PS_SOLID, 1, GetSysColor(dark)));
  {
    uih::Selection s(dc, hi.Get());
    Line(dc, r.left, r.bottom - 1, r.left, r.top);
    Line(dc, r.left, r.top, r.right - 1, r.top);
  }
  uih::Selection s(dc, lo.Get());
  Line(dc, r.right - 1, r.top, r.right - 1, r.bottom - 1);
  Line(dc, r.right - 1, r.bottom - 1, r.left - 1, r.bottom - 1);
}

}  // namespace

// The hook on the table's owner.

LRESULT CPTTBtnHook::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  CPopupToolTable* table = m_pButton->m_pTable;
  if (message == WM_NOTIFY && table != NULL && lParam != 0) {
    const tagNM_TOOLTABLE* nm = reinterpret_cast<const tagNM_TOOLTABLE*>(lParam);
    if (nm->hdr.hwndFrom == table->m_hWnd) {
      const DWORD value = static_cast<DWORD>(nm->value);
      switch (nm->hdr.code) {
        case TTBLN_SELCHANGE:
          if (LOWORD(value) == 1 && m_pButton->SetCurrentBitmap(HIWORD(value))) m_pButton->Redraw();
          break;
        case TTBLN_TABKEY: {
          const TT_KEYSTRUCT* key = reinterpret_cast<const TT_KEYSTRUCT*>(nm->value);
          if (key != NULL && key->message == WM_KEYDOWN && !m_pButton->TornOff()) m_pButton->SetFocus();
          break;
        }
        case TTBLN_CLOSE:
          m_pButton->DismissTable();
          break;
        case TTBLN_TORNOFF:
          m_pButton->TearOff(static_cast<int>(value));
          break;
        default:
          break;
      }
    }
  }
  return CMsgHook::WindowProc(message, wParam, lParam);
}

// CPopupToolTableBtn.

IMPLEMENT_DYNAMIC(CPopupToolTableBtn, CButton)

BEGIN_MESSAGE_MAP(CPopupToolTableBtn, CButton)
  ON_WM_DESTROY()
  ON_WM_LBUTTONUP()
  ON_WM_LBUTTONDOWN()
  ON_WM_LBUTTONDBLCLK()
  ON_WM_KEYUP()
  ON_WM_KEYDOWN()
  ON_WM_SYSKEYUP()
  ON_WM_SETFOCUS()
  ON_WM_KILLFOCUS()
  ON_WM_GETDLGCODE()
  ON_WM_MOUSEMOVE()
  ON_WM_ENABLE()
  ON_WM_CAPTURECHANGED()
  ON_WM_ERASEBKGND()
  ON_WM_PAINT()
  ON_WM_TIMER()
END_MESSAGE_MAP()

CPopupToolTableBtn::CPopupToolTableBtn(int style)
    : m_smallWidth(32), m_smallHeight(21), m_smallSplit(22), m_largeWidth(38), m_largeHeight(27), m_largeSplit(28),
      m_pTable(NULL), m_bOwnsTable(0), m_bTableVisible(0), m_pHook(NULL), m_nStyle(style), m_hCurrentSmall(NULL),
      m_hCurrentLarge(NULL), m_hDefaultSmall(NULL), m_hDefaultLarge(NULL), m_nPressedPart(0), m_nFocusPart(0),
      m_nPressedLook(0), m_nHotPart(0), m_bPressing(0), m_bTornOff(0), m_bUseCursor(1), m_drawPoint{1, 0},
      m_bNotifyOwner(0), m_bHot(0), m_bHotCaptured(0), m_bCommandEnabled(1), m_nWidth(0), m_nHeight(0),
      m_nSplit(0), m_bLarge(0), m_mouseUpTimer(0), m_hotTimer(0), m_hFocusBefore(NULL), m_hFocusBack(NULL) {
  m_pHook = new CPTTBtnHook(this);
  ComputeMetrics();
}

CPopupToolTableBtn::~CPopupToolTableBtn() {
  if (m_pHook != NULL && m_pHook->IsHooked()) m_pHook->HookWindow(NULL);
  delete m_pHook;
  m_pHook = NULL;
  if (m_hWnd != NULL) DestroyWindow();
  if (m_bOwnsTable) delete m_pTable;
  m_pTable = NULL;
}

void CPopupToolTableBtn::ComputeMetrics() {
  if (m_nStyle & PTTB_WINDOWSIZE) {
    RECT rc = {0, 0, 100, 20};
    if (m_hWnd != NULL) GetWindowRect(&rc);
    m_nWidth = static_cast<short>(rc.right - rc.left);
    m_nHeight = static_cast<short>(rc.bottom - rc.top);
    m_nSplit = static_cast<short>(m_nWidth - 10);
    return;
  }
  m_nWidth = m_bLarge ? m_largeWidth : m_smallWidth;
  m_nHeight = m_bLarge ? m_largeHeight : m_smallHeight;
  m_nSplit = m_bLarge ? m_largeSplit : m_smallSplit;
  if (ToolBarControl()) m_nWidth = m_nHeight;
}

void CPopupToolTableBtn::CreateFontW() {
  LOGFONTW lf;
  GetDefaultLogFont(lf);
  {
    uih::WindowDC dc(m_hWnd);
    // Japanese and Chinese: 9 points in the language's character set; otherwise 8 points.
    if (!quarnel::FarEastLogFont(lf, dc.Get(), false)) lf.lfHeight = -MulDiv(8, GetDeviceCaps(dc.Get(), LOGPIXELSY), 72);
  }
  // Upright text: no escapement or orientation.
  lf.lfEscapement = lf.lfOrientation = 0;
  m_font.DeleteObject();
  m_font.Attach(::CreateFontIndirectW(&lf));
}

void CPopupToolTableBtn::PreSubclassWindow() {
  CButton::PreSubclassWindow();
  CreateFontW();
  ComputeMetrics();
  if (DropDown()) {
    ModifyStyle(BS_TYPEMASK, BS_OWNERDRAW);
    SetWindowPos(NULL, 0, 0, ToolBarControl() ? m_nHeight : m_nWidth, m_nHeight,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  } else if (m_nStyle & PTTB_BITMAP) {
    ModifyStyle(0, BS_BITMAP);
  }
}

void CPopupToolTableBtn::Redraw() {
  if (m_hWnd != NULL) {
    Invalidate(FALSE);
    UpdateWindow();
  }
}

BOOL CPopupToolTableBtn::CreateTable(const wchar_t* title, CWnd* owner, unsigned int id, int columns, int cellWidth,
                                     int cellHeight, int sepX, int sepY, unsigned long tableStyle, int notifyOwner) {
  if (m_pTable != NULL || owner == NULL) return FALSE;
  m_pTable = new CPopupToolTable(static_cast<long>(tableStyle));
  m_bOwnsTable = 1;
  if (!m_pTable->Create(title, owner, id, 0, 0, columns, cellWidth, cellHeight, sepX, sepY)) {
    delete m_pTable;
    m_pTable = NULL;
    m_bOwnsTable = 0;
    return FALSE;
  }
  if (owner != this && m_pHook != NULL) m_pHook->HookWindow(owner);
  m_bNotifyOwner = notifyOwner;
  CalcTablePos();
  return TRUE;
}

void CPopupToolTableBtn::CalcTablePos() {
  if (m_pTable == NULL || m_pTable->m_hWnd == NULL || m_hWnd == NULL) return;
  RECT rc;
  GetWindowRect(&rc);
  m_pTable->SetWindowPos(NULL, rc.left - 1, rc.bottom, 0, 0,
                         SWP_NOSIZE | SWP_NOZORDER | SWP_NOREDRAW | SWP_NOACTIVATE);
}

void CPopupToolTableBtn::DisplayTable(int show, int dock) {
  if (m_pTable == NULL || m_pTable->m_hWnd == NULL) return;
  if (show) {
    m_hFocusBack = m_hFocusBefore;
    if (m_pTable->TornOff() && m_pTable->IsWindowVisible()) m_pTable->ShowWindow(SW_HIDE);
    if (dock) TearOff(0);
    if (!m_pTable->TornOff()) CalcTablePos();
    m_pTable->ShowWindow(SW_SHOW);
    m_pTable->SetFocus();
    m_bTableVisible = 1;
  } else {
    m_pTable->ShowWindow(SW_HIDE);
    m_bTableVisible = 0;
    m_nPressedPart = 0;
    if (m_hFocusBack != NULL && ::IsWindow(m_hFocusBack)) ::SetFocus(m_hFocusBack);
  }
  Redraw();
  SendNotification(TTBLN_TABLESHOWN, MAKELONG(show, dock));
}

int CPopupToolTableBtn::DismissTable() {
  if (m_pTable == NULL) return 0;
  DisplayTable(0, 1);
  TearOff(0);
  return 1 - TableVisible();
}

void CPopupToolTableBtn::TearOff(int on) {
  if (on == m_bTornOff) return;
  m_bTornOff = on;
  if (m_pTable != NULL) m_pTable->TearOff(on);
  m_bUseCursor = 1;
  OnTearChange(on);
  Redraw();
}

void CPopupToolTableBtn::OnTearChange(int) {}

void CPopupToolTableBtn::TearOffComplete() {
  if (m_hFocusBack != NULL && ::IsWindow(m_hFocusBack)) ::SetFocus(m_hFocusBack);
}

HWND CPopupToolTableBtn::GetTableHWND() { return m_pTable != NULL ? m_pTable->m_hWnd : NULL; }
CPopupToolTable* CPopupToolTableBtn::GetTable() { return m_pTable; }

int CPopupToolTableBtn::HitTest(tagTT_CLICKSTRUCT& hit, POINT* pt) {
  return m_pTable != NULL ? m_pTable->HitTest(hit, pt) : -1;
}

int CPopupToolTableBtn::HitTest(POINT& pt, int& part) {
  RECT rc;
  GetClientRect(&rc);
  if (!::PtInRect(&rc, pt)) {
    part = PTTB_PART_OUTSIDE;
    return 0;
  }
  part = DropDown() ? (pt.x >= m_nSplit ? PTTB_PART_ARROW : PTTB_PART_COMMAND) : 1;
  return 1;
}

int CPopupToolTableBtn::GetStyleMetrics(short& width, short& height) {
  if (!DropDown()) return 0;
  width = ToolBarControl() ? m_nHeight : m_nWidth;
  height = m_nHeight;
  return 1;
}

void CPopupToolTableBtn::SetLargeButton(int large) {
  if ((large != 0) == (m_bLarge != 0)) return;
  m_bLarge = large != 0;
  ComputeMetrics();
  if (m_hWnd != NULL) {
    SetWindowPos(NULL, 0, 0, m_nWidth, m_nHeight,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_FRAMECHANGED | SWP_NOOWNERZORDER | SWP_NOACTIVATE);
    Redraw();
  }
}

void CPopupToolTableBtn::EnableCurrentCommand(int on) {
  if ((on != 0) == (m_bCommandEnabled != 0)) return;
  m_bCommandEnabled = on != 0;
  if (m_hWnd != NULL) Invalidate(FALSE);
}

void CPopupToolTableBtn::SetHot(int hot) {
  if ((hot != 0) == (m_bHot != 0)) return;
  m_bHot = hot != 0;
  if (m_hWnd == NULL || !IsWindowEnabled()) return;
  if ((m_nStyle & PTTB_WINDOWSIZE) == 0) Redraw();
  if (!m_bHot) {
    if (CWnd* main = AfxGetMainWnd()) ::SendMessage(main->GetSafeHwnd(), WM_SETMESSAGESTRING, static_cast<WPARAM>(-1), 0);
  }
}

// Images.

void CPopupToolTableBtn::ShowBitmapButtonImage() {
  if (m_hWnd == NULL || (m_nStyle & PTTB_BITMAP) == 0 || DropDown()) return;
  HBITMAP current = ImageOf(m_hCurrentSmall, m_hCurrentLarge);
  HBITMAP shown = Drawable(current) ? current : ImageOf(m_hDefaultSmall, m_hDefaultLarge);
  SetBitmap(Drawable(shown) ? shown : NULL);
}

void CPopupToolTableBtn::SetDefaultBitmap(HBITMAP small, HBITMAP large) {
  m_hDefaultSmall = small;
  m_hDefaultLarge = large;
  ShowBitmapButtonImage();
}

int CPopupToolTableBtn::SetCurrentBitmap(HBITMAP small, HBITMAP large) {
  if (small != PB_NOBITMAP) m_hCurrentSmall = small;
  if (large != PB_NOBITMAP) m_hCurrentLarge = large;
  ShowBitmapButtonImage();
  return 1;
}

int CPopupToolTableBtn::SetCurrentBitmap(int position) {
  const int count = m_pTable != NULL ? m_pTable->GetNumItems() : 0;
  if (position < 1 || position > count) return 0;
  const size_t i = static_cast<size_t>(position - 1);
  return SetCurrentBitmap(i < m_smallImages.size() ? m_smallImages[i] : PB_NOBITMAP,
                          i < m_largeImages.size() ? m_largeImages[i] : PB_NOBITMAP);
}

HBITMAP CPopupToolTableBtn::GetCurrentBitmap() { return ImageOf(m_hCurrentSmall, m_hCurrentLarge); }
HBITMAP CPopupToolTableBtn::GetDefaultBitmap() { return ImageOf(m_hDefaultSmall, m_hDefaultLarge); }

void CPopupToolTableBtn::AppendImages(int pos, HBITMAP small, HBITMAP large, int flag, bool insert) {
  if (pos <= 0) return;
  if (!flag) small = large = PB_NOBITMAP;
  const size_t at = static_cast<size_t>(pos - 1);
  for (std::vector<HBITMAP>* images : {&m_smallImages, &m_largeImages}) {
    if (images->size() < at) images->resize(at, PB_NOBITMAP);
  }
  if (insert && at <= m_smallImages.size()) {
    m_smallImages.insert(m_smallImages.begin() + at, small);
    m_largeImages.insert(m_largeImages.begin() + at, large);
  } else {
    m_smallImages.push_back(small);
    m_largeImages.push_back(large);
  }
}

int CPopupToolTableBtn::AddItem(HBITMAP small, HBITMAP large, int flag, const tagTT_ITEMINFO& item) {
  if (m_pTable == NULL) return -1;
  const int pos = m_pTable->AddItem(item);
  AppendImages(pos, small, large, flag, false);
  return pos;
}
int CPopupToolTableBtn::AddSeparator(HBITMAP small, HBITMAP large, int flag) {
  if (m_pTable == NULL) return -1;
  const int pos = m_pTable->AddSeparator();
  AppendImages(pos, small, large, flag, false);
  return pos;
}
int CPopupToolTableBtn::AddOwnerDraw(HBITMAP small, HBITMAP large, int flag, unsigned long id, unsigned long data,
                                     int span) {
  if (m_pTable == NULL) return -1;
  const int pos = m_pTable->AddOwnerDraw(id, data, span);
  AppendImages(pos, small, large, flag, false);
  return pos;
}
int CPopupToolTableBtn::AddWindow(HBITMAP small, HBITMAP large, int flag, HWND window, unsigned long id,
                                  unsigned long data, int span, int autoDispose) {
  if (m_pTable == NULL) return -1;
  const int pos = m_pTable->AddWindow(window, id, data, span, autoDispose);
  AppendImages(pos, small, large, flag, false);
  return pos;
}
int CPopupToolTableBtn::AddIcon(HBITMAP small, HBITMAP large, int flag, HICON icon, unsigned long id,
                                unsigned long data, int centred, int span, int autoDispose) {
  if (m_pTable == NULL) return -1;
  const int pos = m_pTable->AddIcon(icon, id, data, centred, span, autoDispose);
  AppendImages(pos, small, large, flag, false);
  return pos;
}
int CPopupToolTableBtn::AddBitmap(HBITMAP small, HBITMAP large, int flag, HBITMAP bitmap, unsigned long id,
                                  unsigned long data, int fit, int centred, int span, int autoDispose) {
  if (m_pTable == NULL) return -1;
  const int pos = m_pTable->AddBitmap(bitmap, id, data, fit, centred, span, autoDispose);
  AppendImages(pos, small, large, flag, false);
  return pos;
}
int CPopupToolTableBtn::InsertItem(HBITMAP small, HBITMAP large, int flag, const tagTT_ITEMINFO& item) {
  if (m_pTable == NULL) return -1;
  const int pos = m_pTable->InsertItem(item);
  AppendImages(pos, small, large, flag, true);
  return pos;
}

int CPopupToolTableBtn::SetItem(HBITMAP small, HBITMAP large, int flag, const tagTT_ITEMINFO& item, int replace) {
  if (m_pTable == NULL) return -1;
  const int pos = m_pTable->SetItem(item);
  if (pos <= 0 || !replace) return pos;
  if (!flag) small = large = PB_NOBITMAP;
  const size_t at = static_cast<size_t>(pos - 1);
  if (m_smallImages.size() <= at) {
    m_smallImages.resize(at + 1, PB_NOBITMAP);
    m_largeImages.resize(at + 1, PB_NOBITMAP);
  }
  // The images replaced, of both sizes, are the button's to free.
  for (auto pair : {std::make_pair(&m_smallImages, small), std::make_pair(&m_largeImages, large)}) {
    HBITMAP& slot = (*pair.first)[at];
    if (Drawable(slot) && slot != pair.second) {
      if (slot == m_hCurrentSmall) m_hCurrentSmall = m_hDefaultSmall;
      if (slot == m_hCurrentLarge) m_hCurrentLarge = m_hDefaultLarge;
      ::DeleteObject(slot);
    }
    slot = pair.second;
  }
  return pos;
}

int CPopupToolTableBtn::DeleteItem(unsigned long posOrId, int byPosition) {
  if (m_pTable == NULL) return -1;
  const int pos = m_pTable->DeleteItem(posOrId, byPosition);
  if (pos <= 0) return pos;
  const size_t at = static_cast<size_t>(pos - 1);
  bool shown = false;
  if (at < m_smallImages.size()) {
    shown = Drawable(m_smallImages[at]) && m_smallImages[at] == m_hCurrentSmall;
    m_smallImages.erase(m_smallImages.begin() + at);
  }
  if (at < m_largeImages.size()) {
    shown = shown || (Drawable(m_largeImages[at]) && m_largeImages[at] == m_hCurrentLarge);
    m_largeImages.erase(m_largeImages.begin() + at);
  }
  if (shown) {
    m_hCurrentSmall = m_hDefaultSmall;
    m_hCurrentLarge = m_hDefaultLarge;
    ShowBitmapButtonImage();
    Redraw();
  }
  return pos;
}

int CPopupToolTableBtn::DeleteItem(const tagTT_ITEMINFO& item) {
  return DeleteItem(item.posOrId, item.how == TTBL_BYPOSITION);
}

void CPopupToolTableBtn::ResetBitmaps(int clearSmall, int clearLarge) {
  std::fill(m_smallImages.begin(), m_smallImages.end(), static_cast<HBITMAP>(NULL));
  std::fill(m_largeImages.begin(), m_largeImages.end(), static_cast<HBITMAP>(NULL));
  if (clearSmall) m_smallImages.clear();
  if (clearLarge) m_largeImages.clear();
}

int CPopupToolTableBtn::SetItemState(unsigned long posOrId, int byPosition, int bits, CToolTable::SetMode mode) {
  return m_pTable != NULL ? m_pTable->SetItemState(posOrId, byPosition, bits, mode) : -1;
}
int CPopupToolTableBtn::GetItemState(unsigned long posOrId, int byPosition) {
  return m_pTable != NULL ? m_pTable->GetItemState(posOrId, byPosition) : -1;
}
int CPopupToolTableBtn::GetNumItems() { return m_pTable != NULL ? m_pTable->GetNumItems() : -1; }
int CPopupToolTableBtn::GetHilite() { return m_pTable != NULL ? m_pTable->GetHilite() : -1; }
int CPopupToolTableBtn::SetItemToolTip(const wchar_t* text, int posOrId, int byPosition) {
  return m_pTable != NULL ? m_pTable->SetItemToolTip(text, posOrId, byPosition) : -1;
}

LRESULT CPopupToolTableBtn::SendNotification(unsigned int code, DWORD_PTR value) {
  tagNM_TOOLTABLE nm = {};
  nm.hdr.hwndFrom = m_hWnd;
  nm.hdr.idFrom = static_cast<UINT_PTR>(::GetDlgCtrlID(m_hWnd));
  nm.hdr.code = code;
  nm.value = value;
  HWND parent = ::GetParent(m_hWnd);
  HWND self = m_hWnd;
  const LRESULT answer = parent != NULL ? ::SendMessageW(parent, WM_NOTIFY, nm.hdr.idFrom, reinterpret_cast<LPARAM>(&nm)) : 0;
  if (m_bNotifyOwner && ::IsWindow(self) && m_pTable != NULL) {
    CWnd* owner = m_pTable->GetOwnerWnd();
    if (owner != NULL && owner->GetSafeHwnd() != NULL && owner->GetSafeHwnd() != parent)
      ::SendMessageW(owner->GetSafeHwnd(), WM_NOTIFY, nm.hdr.idFrom, reinterpret_cast<LPARAM>(&nm));
  }
  return answer;
}

// Drawing.

void CPopupToolTableBtn::LowLevelDrawBitmap(HDC dc, HBITMAP bitmap, int x, int y, COLORREF, int disabled) {
  if (!Drawable(bitmap)) return;
  BITMAP bm = {};
  if (!::GetObjectW(bitmap, sizeof bm, &bm)) return;
  if (disabled)
    DrawDisabledBitmap(dc, x, y, bitmap, bm.bmWidth / 2, 0, false);
  else
    DrawImage(dc, POINT{x, y}, bitmap, 0, m_bLarge ? 24u : 16u, 1);
}

void CPopupToolTableBtn::LowLevelDrawIcon(HDC dc, HICON icon, int x, int y, int mode) {
  if (icon == NULL) return;
  if (mode == 1) {
    ::DrawStateW(dc, NULL, NULL, reinterpret_cast<LPARAM>(icon), 0, x, y, 0, 0, DST_ICON);
    return;
  }
  ICONINFO info = {};
  if (!::GetIconInfo(icon, &info)) return;
  LowLevelDrawBitmap(dc, info.hbmColor, x, y, RGB(255, 255, 255), 1);
  if (info.hbmColor != NULL) ::DeleteObject(info.hbmColor);
  if (info.hbmMask != NULL) ::DeleteObject(info.hbmMask);
}

void CPopupToolTableBtn::DrawSunkenControl(HDC dc, RECT& rect, int) {
  Raised(dc, rect, COLOR_BTNSHADOW, COLOR_3DHILIGHT);
}

void CPopupToolTableBtn::DrawHotRect(HDC dc, const RECT& command, const RECT& arrow, int commandPressed,
                                     int arrowPressed) {
  const bool inert = (m_nStyle & PTTB_INERT) != 0;
  const bool raised = (m_nStyle & PTTB_WINDOWSIZE) != 0 || m_bHot;
  auto frame = [&](const RECT& r, bool pressed) {
    if (pressed || r.right <= r.left) return;
    if (raised)
      Raised(dc, r, COLOR_3DHILIGHT, COLOR_BTNSHADOW);
    else
      ::FrameRect(dc, &r, GetSysColorBrush(COLOR_BTNFACE));
  };
  frame(command, commandPressed || inert);
  if (DropDown()) frame(arrow, arrowPressed);
}

void CPopupToolTableBtn::DrawCaption(HDC dc, RECT* rect) {
  CString text;
  GetWindowText(text);
  if (text.IsEmpty()) return;
  RECT r = *rect;
  const HBITMAP image = ImageOf(m_hCurrentSmall, m_hCurrentLarge);
  const bool hasImage = Drawable(image) || Drawable(ImageOf(m_hDefaultSmall, m_hDefaultLarge));
  r.left += hasImage ? (m_bLarge ? 24 : 16) + 3 : 2;
  r.right -= 2;
  uih::Selection font(dc, static_cast<HFONT>(m_font.GetSafeHandle()));
  ::SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
  ::SetBkMode(dc, TRANSPARENT);
  ::DrawText(dc, text, text.GetLength(), &r,
             DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS | DT_WORD_ELLIPSIS);
}

void CPopupToolTableBtn::DrawSunken(DRAWITEMSTRUCT* dis, int commandPressed, int arrowPressed) {
  HDC dc = dis->hDC;
  const RECT all = dis->rcItem;
  const int split = DropDown() ? std::min<int>(m_nSplit, all.right) : all.right;
  RECT command = {all.left, all.top, split, all.bottom};
  RECT arrow = {split, all.top, all.right, all.bottom};
  ::FillRect(dc, &all, GetSysColorBrush(COLOR_BTNFACE));
  const bool inert = (m_nStyle & PTTB_INERT) != 0;
  if (inert) commandPressed = 0;
  if (commandPressed) DrawSunkenControl(dc, command, PTTB_PART_COMMAND);
  if (DropDown() && (arrowPressed || ((m_nStyle & PTTB_WINDOWSIZE) && m_bTableVisible)))
    DrawSunkenControl(dc, arrow, PTTB_PART_ARROW);
  const bool disabled = (dis->itemState & ODS_DISABLED) != 0 || !m_bCommandEnabled;
  HBITMAP image = ImageOf(m_hCurrentSmall, m_hCurrentLarge);
  if (!Drawable(image)) image = ImageOf(m_hDefaultSmall, m_hDefaultLarge);
  const int size = m_bLarge ? 24 : 16;
  if (Drawable(image)) {
    const int shift = commandPressed ? 1 : 0;
    LowLevelDrawBitmap(dc, image, all.left + 2 + shift, all.top + (all.bottom - all.top - size) / 2 + shift,
                       GetSysColor(COLOR_BTNFACE), disabled);
  }
  if (DropDown()) {
    if (!(dis->itemState & ODS_DISABLED))
      DrawArrow(dc, arrow, GetSysColor(COLOR_WINDOWFRAME), false);
    else if (!DrawDisabledArrow(dc, arrow, m_bLarge != 0))
      DrawArrow(dc, arrow, GetSysColor(COLOR_GRAYTEXT), false);  // the library's bitmap missing
  }
  if (m_nStyle & PTTB_CAPTION) {
    RECT r = command;
    if (commandPressed) ::OffsetRect(&r, 1, 1);
    DrawCaption(dc, &r);
  }
  DrawHotRect(dc, command, arrow, commandPressed, arrowPressed);
}

void CPopupToolTableBtn::DrawItem(LPDRAWITEMSTRUCT dis) {
  int commandPressed = 0, arrowPressed = 0;
  if ((dis->itemState & ODS_DISABLED) == 0) {
    POINT pt = m_drawPoint;
    if (m_bUseCursor) {
      ::GetCursorPos(&pt);
      ::ScreenToClient(m_hWnd, &pt);
    }
    RECT rc;
    GetClientRect(&rc);
    if (::PtInRect(&rc, pt)) {
      if (m_nPressedPart == PTTB_PART_ARROW)
        arrowPressed = 1;
      else if (m_nPressedPart == PTTB_PART_COMMAND)
        commandPressed = 1;
      else if (m_bTableVisible && !m_bTornOff)
        arrowPressed = 1;
    } else if (!m_bPressing) {
      commandPressed = m_nPressedLook == 1;
      arrowPressed = m_nPressedLook == 2;
    }
  }
  DrawSunken(dis, commandPressed, arrowPressed);
}

// Messages.

void CPopupToolTableBtn::OnDestroy() {
  if (m_mouseUpTimer) KillTimer(MOUSEUP_TIMER_ID);
  if (m_hotTimer) KillTimer(HOTRECT_TIMER_ID);
  m_mouseUpTimer = m_hotTimer = 0;
  if (m_pHook != NULL && m_pHook->IsHooked()) m_pHook->HookWindow(NULL);
  if (m_bOwnsTable && m_pTable != NULL) {
    if (m_pTable->m_hWnd != NULL) m_pTable->DestroyWindow();
    delete m_pTable;
    m_pTable = NULL;
    m_bOwnsTable = 0;
  }
  CButton::OnDestroy();
}

void CPopupToolTableBtn::OnLButtonDown(UINT flags, CPoint point) {
  m_hFocusBefore = ::GetFocus();
  if (DropDown()) {
    int part = 0;
    POINT pt = point;
    HitTest(pt, part);
    if (part == PTTB_PART_COMMAND) {
      if (!m_bCommandEnabled || (m_nStyle & PTTB_INERT)) return;
      m_nFocusPart = m_nPressedLook = 1;
    } else if (part == PTTB_PART_ARROW) {
      m_nFocusPart = m_nPressedLook = 2;
    } else {
      m_nFocusPart = m_nPressedLook = 0;
    }
    m_nPressedPart = part;
    m_bPressing = 1;
  }
  m_mouseUpTimer = SetTimer(MOUSEUP_TIMER_ID, 250, NULL);
  m_bUseCursor = 1;
  CButton::OnLButtonDown(flags, point);
  Redraw();
}

// A quick second press is a press like the first.
void CPopupToolTableBtn::OnLButtonDblClk(UINT flags, CPoint point) { OnLButtonDown(flags, point); }

void CPopupToolTableBtn::OnTimer(UINT_PTR id) {
  if (id == MOUSEUP_TIMER_ID) {
    if (::GetAsyncKeyState(VK_LBUTTON) >= 0 && m_nPressedPart != PTTB_PART_OUTSIDE) {
      m_nPressedPart = PTTB_PART_OUTSIDE;
      m_nPressedLook = 0;
      Redraw();
      KillTimer(MOUSEUP_TIMER_ID);
      m_mouseUpTimer = 0;
      if (m_hFocusBefore != NULL && ::IsWindow(m_hFocusBefore) && !m_bTableVisible) ::SetFocus(m_hFocusBefore);
    }
    return;
  }
  if (id == HOTRECT_TIMER_ID) {
    POINT cursor;
    RECT rc;
    ::GetCursorPos(&cursor);
    GetWindowRect(&rc);
    SetHot(::PtInRect(&rc, cursor));
    if (!m_bHot) {
      KillTimer(HOTRECT_TIMER_ID);
      m_hotTimer = 0;
    }
    return;
  }
  CButton::OnTimer(id);
}

void CPopupToolTableBtn::OnLButtonUp(UINT flags, CPoint point) {
  if (m_mouseUpTimer) KillTimer(MOUSEUP_TIMER_ID);
  m_mouseUpTimer = 0;
  HWND self = m_hWnd;
  LRESULT answer = 0;
  RECT rc;
  GetClientRect(&rc);
  if (::PtInRect(&rc, point)) {
    int part = 0;
    POINT pt = point;
    HitTest(pt, part);
    if (m_nPressedPart == PTTB_PART_ARROW || !DropDown()) {
      DisplayTable(1, 1);
      if (!::IsWindow(self)) return;
      answer = SendNotification(TTBLN_DROPDOWN, 0);
    } else if (m_nPressedPart == PTTB_PART_COMMAND && part == PTTB_PART_COMMAND && m_bCommandEnabled) {
      answer = SendNotification(TTBLN_COMMANDCLICK, 0);
      if (::IsWindow(self)) Redraw();
    }
    if (!::IsWindow(self)) return;
  }
  m_bPressing = 0;
  m_nPressedPart = PTTB_PART_OUTSIDE;
  if (answer != 1) CButton::OnLButtonUp(flags, point);
  if (!::IsWindow(self)) return;
  SetHot(0);
  // The focus goes back where it was, unless the table that just opened has it.
  if ((m_nStyle & PTTB_WINDOWSIZE) == 0 && !m_bTableVisible && m_hFocusBefore != NULL && ::IsWindow(m_hFocusBefore))
    ::SetFocus(m_hFocusBefore);
  Redraw();
}

void CPopupToolTableBtn::OnMouseMove(UINT flags, CPoint point) {
  RECT rc;
  GetClientRect(&rc);
  const bool inside = ::PtInRect(&rc, point) != FALSE;
  const int part = !inside ? 0 : (DropDown() && point.x >= m_nSplit ? 1 : 2);
  if (inside && m_hotTimer == 0) m_hotTimer = SetTimer(HOTRECT_TIMER_ID, 250, NULL);
  const int wasHot = m_bHot, wasPart = m_nHotPart;
  m_nHotPart = part;
  if (inside != (m_bHot != 0)) SetHot(inside);
  if ((wasHot != m_bHot || wasPart != part) && (m_nStyle & PTTB_WINDOWSIZE) == 0) Redraw();
  if (m_bHot) {
    if (CWnd* main = AfxGetMainWnd()) main->PostMessage(WM_SETMESSAGESTRING, static_cast<WPARAM>(GetDlgCtrlID()), 0);
  }
  CButton::OnMouseMove(flags, point);
}

void CPopupToolTableBtn::OnCaptureChanged(CWnd* wnd) {
  m_bHotCaptured = 0;
  CButton::OnCaptureChanged(wnd);
}

UINT CPopupToolTableBtn::OnGetDlgCode() {
  UINT code = static_cast<UINT>(Default());
  if (DropDown() && DialogControl()) code |= DLGC_WANTARROWS;
  return code;
}

void CPopupToolTableBtn::OnSetFocus(CWnd* old) {
  CButton::OnSetFocus(old);
  if (m_nFocusPart == 0) m_nFocusPart = 1;
  Invalidate(FALSE);
}

void CPopupToolTableBtn::OnKillFocus(CWnd* next) {
  CButton::OnKillFocus(next);
  m_nFocusPart = m_nPressedLook = 0;
  Invalidate(FALSE);
}

void CPopupToolTableBtn::OnKeyDown(UINT key, UINT repeat, UINT flags) {
  if (DropDown()) {
    if (key == VK_SPACE) {
      if (!m_bCommandEnabled && m_nFocusPart != 2) return;
      if (m_nFocusPart == 2) {
        m_nPressedLook = 2;
        m_nPressedPart = PTTB_PART_ARROW;
        m_drawPoint = POINT{m_nSplit + 1, 0};
      } else if ((m_nStyle & PTTB_INERT) == 0) {
        m_nPressedLook = 1;
        m_nPressedPart = PTTB_PART_COMMAND;
        m_drawPoint = POINT{1, 0};
      }
      m_bUseCursor = 0;
      Redraw();
      return;
    }
    if (key == VK_LEFT || key == VK_RIGHT) {
      m_nFocusPart = m_nFocusPart == 2 ? 1 : 2;
      Redraw();
      return;
    }
  }
  CButton::OnKeyDown(key, repeat, flags);
}

void CPopupToolTableBtn::OnKeyUp(UINT key, UINT repeat, UINT flags) {
  HWND self = m_hWnd;
  if (key == VK_ESCAPE) {
    DismissTable();
  } else if (key == VK_SPACE) {
    if (!DropDown() || m_nPressedPart == PTTB_PART_ARROW) {
      DisplayTable(1, 1);
    } else if (m_nPressedPart == PTTB_PART_COMMAND) {
      SendNotification(TTBLN_COMMANDCLICK, 0);
      m_bUseCursor = 1;
    }
    if (!::IsWindow(self)) return;
    m_nPressedPart = PTTB_PART_OUTSIDE;
    m_nPressedLook = 0;
    Redraw();
    return;
  }
  CButton::OnKeyUp(key, repeat, flags);
}

void CPopupToolTableBtn::OnSysKeyUp(UINT key, UINT repeat, UINT flags) {
  if (key == VK_DOWN && (::GetKeyState(VK_MENU) < 0 || (flags & KF_ALTDOWN))) {
    m_nFocusPart = 2;
    DisplayTable(1, 1);
    return;
  }
  CButton::OnSysKeyUp(key, repeat, flags);
}

void CPopupToolTableBtn::OnEnable(BOOL enable) {
  CButton::OnEnable(enable);
  if (m_pTable == NULL) return;
  const int count = m_pTable->GetNumItems();
  if (!enable) {
    // Each item's own state is kept, and every item shows disabled meanwhile.
    m_savedStates.clear();
    for (int p = 1; p <= count; ++p) {
      m_savedStates.push_back(m_pTable->GetItemState(p, TRUE));
      m_pTable->SetItemState(p, TRUE, TTBLS_DISABLED, CToolTable::Replace);
    }
  } else if (static_cast<int>(m_savedStates.size()) == count) {
    for (int p = 1; p <= count; ++p)
      m_pTable->SetItemState(p, TRUE, m_savedStates[static_cast<size_t>(p - 1)], CToolTable::Replace);
    m_savedStates.clear();
  }
  Invalidate(FALSE);
}

BOOL CPopupToolTableBtn::OnEraseBkgnd(CDC* dc) {
  RECT rc;
  GetClientRect(&rc);
  ::FillRect(dc->GetSafeHdc(), &rc, GetSysColorBrush(COLOR_BTNFACE));
  return TRUE;
}

void CPopupToolTableBtn::OnPaint() {
  if (!DropDown()) {
    Default();
    return;
  }
  CPaintDC dc(this);
  DRAWITEMSTRUCT dis = {};
  dis.CtlType = ODT_BUTTON;
  dis.CtlID = static_cast<UINT>(GetDlgCtrlID());
  dis.itemAction = ODA_DRAWENTIRE;
  dis.itemState = IsWindowEnabled() ? 0 : ODS_DISABLED;
  dis.hwndItem = m_hWnd;
  dis.hDC = dc.GetSafeHdc();
  GetClientRect(&dis.rcItem);
  DrawItem(&dis);
}

// CPTTToggleBtn.

IMPLEMENT_DYNAMIC(CPTTToggleBtn, CPopupToolTableBtn)

BEGIN_MESSAGE_MAP(CPTTToggleBtn, CPopupToolTableBtn)
  ON_WM_LBUTTONDOWN()
  ON_WM_LBUTTONUP()
END_MESSAGE_MAP()

void CPTTToggleBtn::DrawItem(LPDRAWITEMSTRUCT dis) { CPopupToolTableBtn::DrawItem(dis); }
int CPTTToggleBtn::DismissTable() { return CPopupToolTableBtn::DismissTable(); }
void CPTTToggleBtn::DisplayTable(int show, int dock) { CPopupToolTableBtn::DisplayTable(show, dock); }

void CPTTToggleBtn::DrawSunkenControl(HDC dc, RECT& rect, int part) {
  CPopupToolTableBtn::DrawSunkenControl(dc, rect, part);
  if (part != PTTB_PART_COMMAND || !m_bToggled || m_bPressing || (m_nStyle & PTTB_INERT)) return;
  static const WORD rows[8] = {0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA};
  uih::OwnedBitmap pattern(CreateBitmap(8, 8, 1, 1, rows));
  uih::OwnedBrush halftone(pattern.Get() != NULL ? CreatePatternBrush(pattern.Get()) : NULL);
  RECT inner = rect;
  ::InflateRect(&inner, -2, -2);
  const COLORREF text = ::SetTextColor(dc, GetSysColor(COLOR_3DHILIGHT));
  const COLORREF back = ::SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
  if (halftone.Get() != NULL) ::FillRect(dc, &inner, halftone.Get());
  ::SetTextColor(dc, text);
  ::SetBkColor(dc, back);
}

void CPTTToggleBtn::Toggle() {
  m_bToggled = !m_bToggled;
  HWND self = m_hWnd;
  SendNotification(TTBLN_TOGGLED, static_cast<DWORD_PTR>(m_bToggled));
  if (::IsWindow(self)) Redraw();
}

void CPTTToggleBtn::SetToggle(int on) {
  m_bToggled = on != 0;
  if (m_hWnd != NULL) Redraw();
}

void CPTTToggleBtn::OnLButtonDown(UINT flags, CPoint point) { CPopupToolTableBtn::OnLButtonDown(flags, point); }

void CPTTToggleBtn::OnLButtonUp(UINT flags, CPoint point) {
  int part = 0;
  POINT pt = point;
  HitTest(pt, part);
  const bool command = m_nPressedPart == PTTB_PART_COMMAND && part == PTTB_PART_COMMAND && m_bCommandEnabled &&
                       (m_nStyle & PTTB_INERT) == 0;
  HWND self = m_hWnd;
  CPopupToolTableBtn::OnLButtonUp(flags, point);
  if (command && ::IsWindow(self)) Toggle();
}

// CToggleBtn.

IMPLEMENT_DYNAMIC(CToggleBtn, CButton)

void CToggleBtn::DrawItem(LPDRAWITEMSTRUCT dis) {
  // The button's own DC: the record's may belong to a parent drawing for it.
  uih::WindowDC dc(m_hWnd);
  if (!dc) return;
  RECT rc;
  GetClientRect(&rc);
  ::FillRect(dc.Get(), &rc, GetSysColorBrush(COLOR_BTNFACE));
  DrawArrow(dc.Get(), rc, GetSysColor((dis->itemState & ODS_DISABLED) ? COLOR_GRAYTEXT : COLOR_WINDOWFRAME), !m_bDown);
}
