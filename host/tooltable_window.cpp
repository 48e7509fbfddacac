#include "tooltable_window.h"

#include <PopupToolTableBtn.h>
#include <ToolTableWnd.h>
#include <UIToolNails.h>
#include <UIHandles.h>

#include <fw_wnd.h>

#include <algorithm>

namespace host {
namespace {

const int kCell = 24;
const UINT kToolsId = 301, kColourButtonId = 302, kColoursId = 303;

// A masked strip of one size x size image: the shape drawn by `draw` in black on a
// transparent ground.
template <class Draw>
HBITMAP ToolImage(int size, Draw draw) {
  HDC screen = GetDC(NULL);
  HBITMAP strip = CreateCompatibleBitmap(screen, 2 * size, size);
  HDC dc = CreateCompatibleDC(screen);
  ReleaseDC(NULL, screen);
  HGDIOBJ old = SelectObject(dc, strip);
  RECT all = {0, 0, 2 * size, size};
  FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  // The image on the left, then the same shape as the mask on the right (black: opaque).
  for (int half = 0; half < 2; ++half) {
    SetViewportOrgEx(dc, half * size, 0, NULL);
    draw(dc, size);
  }
  SetViewportOrgEx(dc, 0, 0, NULL);
  SelectObject(dc, old);
  DeleteDC(dc);
  return strip;
}

void Pen(HDC dc, int width, COLORREF colour) {
  DeleteObject(SelectObject(dc, CreatePen(PS_SOLID, width, colour)));
}

HBITMAP Swatch(COLORREF colour, int size) {
  return ToolImage(size, [colour](HDC dc, int s) {
    RECT r = {1, 1, s - 1, s - 1};
    HBRUSH b = CreateSolidBrush(colour);
    FillRect(dc, &r, b);
    DeleteObject(b);
    FrameRect(dc, &r, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
  });
}

class ToolTableWindow : public CWnd {
 public:
  BOOL Make(HWND owner, const RECT& rc) {
    const CString cls = AfxRegisterWndClass(CS_DBLCLKS, LoadCursor(NULL, IDC_ARROW), GetSysColorBrush(COLOR_BTNFACE));
    if (!CreateEx(WS_EX_TOOLWINDOW, cls, _T("Drawing tools"), WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN,
                  rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top, owner, NULL))
      return FALSE;
    // The tools: three columns of 24-pixel cells, a rule, and the fill tools under it.
    if (!m_tools.Create(this, 10, 10, kToolsId, 3, kCell, kCell, 5, 5, FALSE, FALSE)) return FALSE;
    m_tools.SetTableStyle(TTBLT_HALFTONE, CToolTable::Add);
    const auto line = [](HDC dc, int s) {
      Pen(dc, 2, RGB(0, 0, 0));
      MoveToEx(dc, 4, s - 5, NULL);
      LineTo(dc, s - 5, 4);
    };
    const auto rectangle = [](HDC dc, int s) {
      Pen(dc, 2, RGB(0, 0, 128));
      SelectObject(dc, GetStockObject(NULL_BRUSH));
      Rectangle(dc, 4, 6, s - 4, s - 6);
    };
    const auto ellipse = [](HDC dc, int s) {
      Pen(dc, 2, RGB(128, 0, 0));
      SelectObject(dc, GetStockObject(NULL_BRUSH));
      Ellipse(dc, 3, 5, s - 3, s - 5);
    };
    const auto polygon = [](HDC dc, int s) {
      Pen(dc, 2, RGB(0, 96, 0));
      SelectObject(dc, GetStockObject(NULL_BRUSH));
      POINT p[] = {{s / 2, 3}, {s - 4, s / 2}, {s - 8, s - 4}, {8, s - 4}, {4, s / 2}};
      Polygon(dc, p, 5);
    };
    const auto text = [](HDC dc, int s) {
      Pen(dc, 3, RGB(0, 0, 0));
      MoveToEx(dc, 5, s - 4, NULL);
      LineTo(dc, s / 2, 4);
      LineTo(dc, s - 5, s - 4);
      MoveToEx(dc, 8, s / 2 + 3, NULL);
      LineTo(dc, s - 8, s / 2 + 3);
    };
    const auto fill = [](HDC dc, int s) {
      HBRUSH b = CreateSolidBrush(RGB(200, 120, 0));
      RECT r = {4, 8, s - 4, s - 4};
      FillRect(dc, &r, b);
      DeleteObject(b);
    };
    const auto eraser = [](HDC dc, int s) {
      Pen(dc, 1, RGB(0, 0, 0));
      SelectObject(dc, GetStockObject(LTGRAY_BRUSH));
      POINT p[] = {{4, s - 8}, {s / 2, 4}, {s - 4, 10}, {s / 2 - 2, s - 4}};
      Polygon(dc, p, 4);
    };
    m_tools.AddBitmap(ToolImage(kCell - 4, line), 1, 0, FALSE, TRUE, FALSE, TRUE);
    m_tools.AddBitmap(ToolImage(kCell - 4, rectangle), 2, 0, FALSE, TRUE, FALSE, TRUE);
    m_tools.AddBitmap(ToolImage(kCell - 4, ellipse), 3, 0, FALSE, TRUE, FALSE, TRUE);
    m_tools.AddBitmap(ToolImage(kCell - 4, polygon), 4, 0, FALSE, TRUE, FALSE, TRUE);
    m_tools.AddBitmap(ToolImage(kCell - 4, text), 5, 0, FALSE, TRUE, FALSE, TRUE);
    m_tools.AddSeparator();
    m_tools.AddBitmap(ToolImage(kCell - 4, fill), 6, 0, FALSE, TRUE, FALSE, TRUE);
    m_tools.AddBitmap(ToolImage(kCell - 4, eraser), 7, 0, FALSE, TRUE, FALSE, TRUE);
    m_tools.SetItemState(2, TRUE, TTBLS_SELECTED, CToolTable::Replace);
    m_tools.SetItemState(8, TRUE, TTBLS_DISABLED, CToolTable::Replace);
    m_tools.SetItemState(4, TRUE, TTBLS_HILITED, CToolTable::Replace);

    // The colour button drops down a table of colours that can be torn off.
    if (!m_colour.Create(_T(""), WS_CHILD | WS_VISIBLE | WS_TABSTOP, CRect(140, 10, 172, 31), this, kColourButtonId))
      return FALSE;
    if (!m_colour.CreateTable(L"Colours", this, kColoursId, 4, 16, 16, 4, 4, PTT_TEAROFF | PTT_CLOSEONSELECT,
                              FALSE))
      return FALSE;
    static const COLORREF colours[] = {RGB(0, 0, 0),     RGB(128, 0, 0),   RGB(0, 128, 0),   RGB(0, 0, 128),
                                       RGB(255, 0, 0),   RGB(0, 160, 0),   RGB(0, 0, 255),   RGB(255, 200, 0),
                                       RGB(128, 128, 128), RGB(0, 160, 160), RGB(160, 0, 160), RGB(255, 255, 255)};
    for (DWORD i = 0; i < sizeof colours / sizeof colours[0]; ++i) {
      HBITMAP cell = Swatch(colours[i], 16);
      m_images.Add(cell);
      m_colour.AddBitmap(cell, NULL, TRUE, cell, 100 + i, colours[i], FALSE, TRUE, FALSE, FALSE);
    }
    m_colour.SetDefaultBitmap(m_images[0], NULL);
    m_colour.GetTable()->SetItemState(5, TRUE, TTBLS_SELECTED, CToolTable::Replace);

    // The drawing's layers as nails along the bottom edge.
    if (!m_layers.Create(this, NAILS_ALIGN_BOTTOM, 304)) return FALSE;
    for (const wchar_t* layer : {L"Background", L"Shapes", L"Labels", L"Notes"})
      m_layers.AddItem(layer, layer, NULL, -1, 0);
    m_layers.Select(1, FALSE);
    LayOut();
    return TRUE;
  }
  // The window grows to hold the table and the colour button with a margin, and the nail strip
  // goes below them: the table never covers the strip's nails.
  void LayOut() {
    CRect tools, button;
    m_tools.GetWindowRect(&tools);
    m_colour.GetWindowRect(&button);
    ScreenToClient(&tools);
    ScreenToClient(&button);
    const int margin = 10;
    const int bar = m_layers.GetFullBarHeight();
    CRect client(0, 0, std::max(tools.right, button.right) + margin, std::max(tools.bottom, button.bottom) + margin + bar);
    CRect client0;
    GetClientRect(&client0);
    client.right = std::max(client.right, client0.right);
    CRect window = client;
    ::AdjustWindowRectEx(&window, GetStyle(), FALSE, GetExStyle());
    SetWindowPos(NULL, 0, 0, window.Width(), window.Height(), SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    GetClientRect(&client);
    m_layers.SetWindowPos(NULL, 0, client.bottom - bar, client.Width(), bar, SWP_NOZORDER | SWP_NOACTIVATE);
  }
  HWND Colours(bool show) {
    if (show)
      m_colour.DisplayTable(1, 1);
    else
      m_colour.DismissTable();
    return m_colour.GetTableHWND();
  }

 protected:
  void PostNcDestroy() override {
    for (INT_PTR i = 0; i < m_images.GetSize(); ++i) DeleteObject(m_images[i]);
    delete this;
  }

 private:
  CToolTable m_tools;
  CPopupToolTableBtn m_colour;
  CUIToolNails m_layers;
  CArray<HBITMAP, HBITMAP> m_images;
};

}  // namespace

HWND CreateToolTableWindow(HWND owner, const RECT& rc) {
  ToolTableWindow* window = new ToolTableWindow;
  if (!window->Make(owner, rc)) {
    if (window->m_hWnd != NULL)
      window->DestroyWindow();  // deletes the object
    else
      delete window;
    return NULL;
  }
  return window->m_hWnd;
}

HWND ShowColourTable(HWND toolWindow, bool show) {
  ToolTableWindow* window = static_cast<ToolTableWindow*>(CWnd::FromHandlePermanent(toolWindow));
  return window != NULL ? window->Colours(show) : NULL;
}

}  // namespace host
