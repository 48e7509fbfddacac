#include "shortcut_bar.h"

#include <framework.h>
#include <fw_bars.h>

#include <IconPaneWnd.h>
#include <TileWnd.h>

#include <memory>

#include "buttons_window_ids.h"
#include "screens.h"
#include "shortcut_bar_ids.h"

namespace host {
namespace {

const UINT kBarId = 0xE8F0;  // among the frame's control bar ids
const int kWidth = 150;
const UINT kPaneLabels[] = {IDS_HOST_PANE_REPORTS, IDS_HOST_PANE_CHARTS, IDS_HOST_PANE_DATA, IDS_HOST_PANE_ARCHIVE};

class ShortcutBar : public CControlBar {
 public:
  bool Make(CFrameWnd* frame) {
    m_dwStyle = CBRS_LEFT;
    if (!CWnd::Create(AfxRegisterWndClass(0, ::LoadCursor(NULL, IDC_ARROW), ::GetSysColorBrush(COLOR_BTNFACE)),
                      _T("Shortcuts"), WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, CRect(0, 0, kWidth, 400), frame, kBarId))
      return false;
    CRect inside(0, 0, kWidth, 400);
    if (!m_tiles.Create(this, inside, 1)) return false;
    m_tiles.SetMaskedBitmap(IDB_HOST_SHORTCUT_STRIP);
    m_tiles.SetNumMasterTiles(4);
    // Documents: the recent reports in an icon pane, and the templates in a list.
    CRect paneRect(0, 0, 100, 100);
    if (!m_pane.Create(this, paneRect, 2, 4, 32, 32, IDB_HOST_PANE_STRIP, kPaneLabels)) return false;
    m_pane.CheckItem(0, 1);
    m_templates = ::CreateWindowExW(0, L"LISTBOX", L"", WS_CHILD | WS_VSCROLL | LBS_NOINTEGRALHEIGHT, 0, 0, 100, 100,
                                    m_hWnd, NULL, NULL, NULL);
    ::SendMessageW(m_templates, WM_SETFONT, reinterpret_cast<WPARAM>(::GetStockObject(DEFAULT_GUI_FONT)), FALSE);
    for (const wchar_t* name : {L"Quarterly sales", L"Regional costs", L"Budget"})
      ::SendMessageW(m_templates, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name));
    m_paneObject.m_hCore = m_pane.m_hWnd;
    m_templatesObject.m_hCore = m_templates;
    MasterTile documents, places;
    Tile recent(L"Recent documents of every kind", &m_paneObject, NULL, 0), templates(L"Templates", &m_templatesObject, NULL, 0);
    documents.AddTile(recent);
    documents.AddTile(templates);
    Tile network(L"Places", NULL, NULL, 0);
    places.AddTile(network);
    if (m_tiles.AddMasterTile(documents, 0) != 0 || m_tiles.AddMasterTile(places, 1) != 1) return false;
    m_tiles.SetMasterTooltip(0, L"Documents");
    m_tiles.SetMasterTooltip(1, L"Places");
    m_tiles.SetActiveMasterTile(0);
    return true;
  }
  CSize CalcFixedLayout(BOOL bStretch, BOOL) override { return CSize(kWidth, bStretch ? 32767 : 400); }
  void OnUpdateCmdUI(CFrameWnd*, BOOL) override {}
  CTileControl& Tiles() { return m_tiles; }

 protected:
  afx_msg void OnSize(UINT type, int cx, int cy) {
    CControlBar::OnSize(type, cx, cy);
    if (m_tiles.m_hWnd != NULL) m_tiles.MoveWindow(0, 0, cx, cy);
  }
  void PostNcDestroy() override { delete this; }
  DECLARE_MESSAGE_MAP()

 private:
  CTileControl m_tiles;
  CIconPaneControl m_pane;
  HWND m_templates = NULL;
  EMBEDDED_OBJECT m_paneObject, m_templatesObject;
};
BEGIN_MESSAGE_MAP(ShortcutBar, CControlBar)
  ON_WM_SIZE()
END_MESSAGE_MAP()

}  // namespace

bool AddShortcutBar(CFrameWnd* frame) {
  auto* bar = new ShortcutBar;
  if (!bar->Make(frame)) {
    if (bar->m_hWnd != NULL)
      bar->DestroyWindow();  // deletes itself
    else
      delete bar;
    return false;
  }
  frame->RecalcLayout();
  return true;
}

namespace {

// A label in the tooltip's look: the info colours, a black frame, the GUI font.
LRESULT CALLBACK TipLabelProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_PAINT) {
    PAINTSTRUCT ps;
    HDC dc = ::BeginPaint(hwnd, &ps);
    RECT rc;
    ::GetClientRect(hwnd, &rc);
    ::FillRect(dc, &rc, ::GetSysColorBrush(COLOR_INFOBK));
    ::FrameRect(dc, &rc, static_cast<HBRUSH>(::GetStockObject(BLACK_BRUSH)));
    HGDIOBJ old = ::SelectObject(dc, ::GetStockObject(DEFAULT_GUI_FONT));
    ::SetBkMode(dc, TRANSPARENT);
    ::SetTextColor(dc, ::GetSysColor(COLOR_INFOTEXT));
    wchar_t text[256] = L"";
    ::GetWindowTextW(hwnd, text, 256);
    ::InflateRect(&rc, -4, -2);
    ::DrawTextW(dc, text, -1, &rc, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    ::SelectObject(dc, old);
    ::EndPaint(hwnd, &ps);
    return 0;
  }
  return ::DefWindowProcW(hwnd, msg, wp, lp);
}

}  // namespace

void CaptureShortcutBarTooltip(CFrameWnd* frame, const wchar_t* name) {
  if (!ScreenshotMode()) return;
  auto* bar = dynamic_cast<ShortcutBar*>(frame->GetControlBar(kBarId));
  if (bar == NULL) return;
  CTileControl& tiles = bar->Tiles();
  CRect header;
  CString text;
  if (!tiles.GetMasterRect(0, header) || !tiles.TooltipTextAt(header.CenterPoint(), text)) return;
  // The header's tooltip text, shown at the header by a label in the tooltip's look inside the
  // frame (a popup would fall behind the frame when the capture brings it forward).
  WNDCLASSW wc = {};
  wc.lpfnWndProc = TipLabelProc;
  wc.hInstance = ::GetModuleHandleW(NULL);
  wc.lpszClassName = L"HostTipLabel";
  ::RegisterClassW(&wc);
  const CString shown = text;
  HDC screen = ::GetDC(NULL);
  HGDIOBJ old = ::SelectObject(screen, ::GetStockObject(DEFAULT_GUI_FONT));
  SIZE extent = {0, 0};
  ::GetTextExtentPoint32(screen, shown, shown.GetLength(), &extent);
  ::SelectObject(screen, old);
  ::ReleaseDC(NULL, screen);
  POINT at = {header.left + 30, header.bottom + 6};
  ::MapWindowPoints(tiles.m_hWnd, frame->m_hWnd, &at, 1);
  HWND label = ::CreateWindowExW(0, L"HostTipLabel", L"", WS_CHILD | WS_CLIPSIBLINGS, at.x, at.y, extent.cx + 10,
                                 extent.cy + 6, frame->m_hWnd, NULL, ::GetModuleHandleW(NULL), NULL);
  if (label == NULL) return;
  ::SetWindowText(label, shown);
  ::SetWindowPos(label, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW);
  frame->UpdateWindow();
  ::RedrawWindow(label, NULL, NULL, RDW_INVALIDATE | RDW_UPDATENOW);
  CaptureWindow(frame->m_hWnd, name);
  ::DestroyWindow(label);
}

}  // namespace host
