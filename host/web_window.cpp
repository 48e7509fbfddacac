#include "web_window.h"

#include "screens.h"

#include <AutoComEdit.h>
#include <HyperLink.h>
#include <QvHtmlCtrl.h>
#include <QvTabCtrl.h>
#include <SensitiveWnd.h>
#include <UIHandles.h>
#include <framework.h>

#ifdef UNICODE
#include <IEBrowseButton.h>  // the browse button belongs to the current edition only
#endif

#include <memory>

namespace host {
namespace {

enum { kLinkPlain = 100, kLinkVisited, kLinkHovered, kTabs = 110, kEdit = 120, kZones = 130, kAddress = 140, kBrowse, kPreview = 150 };

class WebControlsWindow : public CWnd {
 public:
  BOOL Make(HWND owner, const RECT& rc) {
    // A class of the dialog face (the framework's own class paints no background).
    LPCTSTR cls = AfxRegisterWndClass(0, ::LoadCursor(NULL, IDC_ARROW), ::GetSysColorBrush(COLOR_BTNFACE));
    if (!CreateEx(0, cls, _T("Links, tabs, zones and an HTML page"), WS_POPUP | WS_CAPTION | WS_SYSMENU, rc.left, rc.top,
                  rc.right - rc.left, rc.bottom - rc.top, owner, NULL))
      return FALSE;
    HFONT font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    // Three links, each from a static of the window.
    const struct {
      UINT id;
      const TCHAR* text;
      const TCHAR* url;
    } links[] = {{kLinkPlain, _T("Report server"), _T("http://reports.example.org/")},
                 {kLinkVisited, _T("Last week's figures"), _T("http://reports.example.org/week")},
                 {kLinkHovered, _T("Help on reports"), _T("http://reports.example.org/help")}};
    for (int i = 0; i < 3; ++i) {
      HWND s = ::CreateWindowEx(0, _T("STATIC"), links[i].text, WS_CHILD | WS_VISIBLE, 12, 10 + 22 * i, 200, 18,
                                m_hWnd, reinterpret_cast<HMENU>(static_cast<UINT_PTR>(links[i].id)), NULL, NULL);
      ::SendMessage(s, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
      m_links[i].SubclassDlgItem(links[i].id, this, links[i].url);
    }
    m_links[1].SetVisited(TRUE);
    m_links[2].ModifyLinkStyle(0, CHyperLink::StyleUseHover);

    // Tabs with images: a red, a green and a blue square.
    m_images.Reset(::ImageList_Create(16, 16, ILC_COLOR32, 3, 0));
    const COLORREF colours[] = {RGB(200, 40, 40), RGB(40, 160, 40), RGB(40, 40, 200)};
    for (COLORREF c : colours) {
      uih::WindowDC screen(NULL);
      uih::OwnedBitmap bmp(::CreateCompatibleBitmap(screen.Get(), 16, 16));
      {
        uih::OwnedDC dc(::CreateCompatibleDC(screen.Get()));
        uih::Selection sel(dc.Get(), bmp.Get());
        uih::OwnedBrush brush(::CreateSolidBrush(c));
        RECT r = {2, 2, 14, 14}, all = {0, 0, 16, 16};
        ::FillRect(dc.Get(), &all, ::GetSysColorBrush(COLOR_BTNFACE));
        ::FillRect(dc.Get(), &r, brush.Get());
      }
      ::ImageList_Add(m_images.Get(), bmp.Get(), NULL);
    }
    m_tabs.Create(WS_CHILD | WS_VISIBLE | TCS_FIXEDWIDTH | TCS_OWNERDRAWFIXED, CRect(240, 10, 560, 80), this, kTabs);
    m_tabs.SendMessage(TCM_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(m_images.Get()));
    const TCHAR* tabs[] = {_T("Reports"), _T("Charts"), _T("Data sources")};
    for (int i = 0; i < 3; ++i) m_tabs.InsertItem(i, tabs[i], i);

    // The auto-complete edit.
    m_edit.Create(WS_CHILD | WS_VISIBLE | WS_BORDER | ES_AUTOHSCROLL | ES_NOHIDESEL, CRect(12, 90, 220, 112), this, kEdit);
    m_edit.SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    const TCHAR* entries[] = {_T("quarterly report.pdf"), _T("quarter figures.xls"), _T("report template.dot")};
    for (const TCHAR* e : entries) m_edit.AddEntry(e);

#ifdef UNICODE
    // An address edit with its browse button.
    m_address.Create(WS_CHILD | WS_VISIBLE | WS_BORDER | ES_AUTOHSCROLL, CRect(12, 122, 196, 144), this, kAddress);
    m_address.SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    m_address.SetWindowText(_T("http://reports.example.org/"));
    if (m_browse.Create(_T("..."), WS_CHILD | WS_VISIBLE, CRect(198, 122, 222, 144), this, kBrowse)) {
      m_browse.SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
      m_browse.SetSibling(kAddress);
    }
#endif

    // The text with three zones.
    m_zones.Create(_T("Open the \x0007quarterly report\x000C") _T("1\x000C or the \x0007") _T("figures\x000C") _T("2\x000C")
                   _T(" of this month.\nSee also \x0007last year\x000C") _T("3\x000C for a comparison."),
                   WS_VISIBLE | WS_BORDER, CRect(240, 90, 560, 170), this, kZones);

    // A report summary in the HTML control, which takes the place of a static under its label.
    // The static says what the place is for and stays when no browser can be made here; a
    // browser without an engine to render with (as under Wine) shows an empty page.
    HWND label = ::CreateWindowEx(0, _T("STATIC"),
                                  _T("Report summary (an HTML page; empty where no browser engine renders it):"),
                                  WS_CHILD | WS_VISIBLE, 12, 180, 548, 16, m_hWnd, NULL, NULL, NULL);
    ::SendMessage(label, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    HWND placeholder = ::CreateWindowEx(WS_EX_CLIENTEDGE, _T("STATIC"), _T("No web browser here"),
                                        WS_CHILD | WS_VISIBLE | SS_CENTER | SS_CENTERIMAGE, 12, 198, 548, 80, m_hWnd,
                                        reinterpret_cast<HMENU>(static_cast<UINT_PTR>(kPreview)), NULL, NULL);
    ::SendMessage(placeholder, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    if (m_preview.CreateFromStatic(kPreview, this))
      m_preview.SetBody(u8"<h3>Quarterly report</h3><p>Revenue 1 204 k€, 4 % above plan — 12 regions.</p>");
    return TRUE;
  }

  void ShowPicturedState() {
    // The third link under the mouse (the cursor put there: the link holds the mouse while it
    // is over it, so that no other window hears it move); the edit completing "qu"; the
    // second zone hovered.
    CRect link;
    m_links[2].GetWindowRect(&link);
    ::SetCursorPos(link.left + 4, link.CenterPoint().y);
    m_links[2].SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(4, link.Height() / 2));
    m_edit.SendMessage(WM_CHAR, _T('q'), 1);
    m_edit.SendMessage(WM_CHAR, _T('u'), 1);
    if (m_zones.GetZoneCount() > 1) {
      const CPoint at = m_zones.GetScrolledRect(1).CenterPoint();
      m_zones.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(at.x, at.y));
    }
    RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
  }

 protected:
  void PostNcDestroy() override { delete this; }
  // The zones tell their parent by WM_COMMAND; the window has nothing to do with them.
  BOOL OnCommand(WPARAM wParam, LPARAM lParam) override {
    if (LOWORD(wParam) == kZones) return TRUE;
    return CWnd::OnCommand(wParam, lParam);
  }

 private:
  CHyperLink m_links[3];
  uih::OwnedImageList m_images;
  CQvTabCtrl m_tabs;
  AutoComEdit m_edit;
  CSensitiveWnd m_zones;
  CQvHtmlCtrl m_preview;
#ifdef UNICODE
  CEdit m_address;
  CIEBrowseButton m_browse;
#endif
};

}  // namespace

HWND CreateWebControlsWindow(HWND owner, const RECT& rc) {
  auto* window = new WebControlsWindow;
  if (!window->Make(owner, rc)) {
    if (window->m_hWnd != NULL)
      window->DestroyWindow();  // deletes it
    else
      delete window;
    return NULL;
  }
  return window->m_hWnd;
}

void CaptureWebControls(HWND hwnd) {
  auto* window = static_cast<WebControlsWindow*>(CWnd::FromHandlePermanent(hwnd));
  if (window == NULL) return;
  ::ShowWindow(hwnd, SW_SHOWNOACTIVATE);
  window->ShowPicturedState();
  CaptureWindow(hwnd, L"links_tabs_zones");
  if (::GetCapture() != NULL) ::ReleaseCapture();
  ::ShowWindow(hwnd, SW_HIDE);
}

}  // namespace host
