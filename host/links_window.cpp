#include "links_window.h"

#include "popup_window.h"

#include <UIHandles.h>
#include <UILinks.h>

#include <memory>
#include <string>
#include <vector>

namespace host {
namespace {

const wchar_t kClass[] = L"QuarnelHostLinks";
const wchar_t* const kLines[] = {
    L"Quarterly figures are on <a href=\"www.example.com/sales\">the sales portal</a>.",
    L"Questions: mail reports@example.com or see http://intranet.example/faq",
    L"Internal report: <a href=\"qv://report/q4\">Q4 by region</a>",
};

// One line: its links and the text as shown.
struct Line {
  CArrayLinkDefs links;
  std::wstring shown;
};

struct State {
  std::vector<std::unique_ptr<Line>> lines;
  uih::OwnedFont font;
};

State* StateOf(HWND hwnd) { return reinterpret_cast<State*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA)); }

void Paint(HWND hwnd, HDC dc, State& state) {
  RECT rc;
  GetClientRect(hwnd, &rc);
  FillRect(dc, &rc, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  uih::Selection font(dc, state.font.Get());
  SetBkMode(dc, TRANSPARENT);
  int y = 14;
  for (auto& line : state.lines) {
    int x = 14, from = 0;
    const int n = static_cast<int>(line->shown.size());
    auto draw = [&](int start, int end) {
      SIZE size = {};
      GetTextExtentPoint32W(dc, line->shown.c_str() + start, end - start, &size);
      TextOutW(dc, x, y, line->shown.c_str() + start, end - start);
      RECT r = {x, y, x + size.cx, y + size.cy};
      x += size.cx;
      return r;
    };
    for (int i = 0; i < line->links.GetSize(); ++i) {
      QvLinkDef* link = line->links.GetAt(i);
      SetTextColor(dc, RGB(0, 0, 0));
      draw(from, link->m_nStart);
      HFONT previous = line->links.SelectLinkFont(dc, *link);
      link->ClearRects();
      link->AddRect(draw(link->m_nStart, link->m_nEnd));
      SelectObject(dc, previous);
      from = link->m_nEnd;
    }
    SetTextColor(dc, RGB(0, 0, 0));
    draw(from, n);
    y += 26;
  }
}

LRESULT CALLBACK Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  State* state = StateOf(hwnd);
  switch (message) {
    case WM_CREATE: {
      auto made = std::make_unique<State>();
      made->font.Reset(CreateFontW(-15, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, CLEARTYPE_QUALITY, 0, L"Arial"));
      for (const wchar_t* text : kLines) {
        auto line = std::make_unique<Line>();
        int length = -1;
        line->links.LocateLinksInString(text, length);
        std::unique_ptr<wchar_t[]> shown(line->links.ReplaceLinks(text, length));
        if (shown) line->shown = shown.get();
        made->lines.push_back(std::move(line));
      }
      SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(made.release()));
      return 0;
    }
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(hwnd, &ps);
      if (state != NULL) Paint(hwnd, dc, *state);
      EndPaint(hwnd, &ps);
      return 0;
    }
    case WM_LBUTTONUP:
      if (state != NULL) {
        const POINT pt = {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
        for (auto& line : state->lines)
          if (QvLinkDef* link = line->links.LocateLink(pt, POINT{0, 0}, NULL)) {
            CArrayLinkDefs::OpenLink(*link);
            InvalidateRect(hwnd, NULL, FALSE);  // drawn in the visited colour from now on
          }
      }
      return 0;
    case WM_NCDESTROY:
      SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
      delete state;
      break;
    default:
      break;
  }
  return DefWindowProcW(hwnd, message, wParam, lParam);
}

}  // namespace

HWND CreateLinksWindow(HWND owner, const RECT& rc) {
  return CreatePopupWindow(kClass, Proc, L"Links", owner, rc, IDC_HAND, NULL);
}

}  // namespace host
