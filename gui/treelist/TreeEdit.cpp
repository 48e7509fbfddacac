// The in-place editor of the tree list (see TreeEdit.h).
#include "TreeEdit.h"

#include <UIHandles.h>
#include <vekkel.h>

#include <algorithm>
#include <memory>

#include "GUITreeList.h"

bool CTreeEdit::CreateFor(CGUITreeList* list) {
  m_list = list;
  RECT box = {0, 0, 10, 10};
  return Create(WS_CHILD | WS_BORDER | ES_AUTOHSCROLL, box, list, CGUITreeList::kEditorId) != FALSE;
}

std::wstring CTreeEdit::Text() const {
  const int length = ::GetWindowTextLengthW(m_hWnd);
  std::wstring text(static_cast<size_t>(std::max(length, 0)) + 1, L'\0');
  const int got = ::GetWindowTextW(m_hWnd, &text[0], length + 1);
  text.resize(static_cast<size_t>(std::max(got, 0)));
  return text;
}

void CTreeEdit::Attach(long row, const RECT& box, HFONT font, const std::wstring& text, int limit) {
  m_row = row;
  m_changed = false;
  m_original = text;
  ::SendMessageW(m_hWnd, EM_LIMITTEXT, static_cast<WPARAM>(limit), 0);
  ::SendMessageW(m_hWnd, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  ::SetWindowTextW(m_hWnd, text.c_str());
  ::SetWindowPos(m_hWnd, HWND_TOP, box.left, box.top, box.right - box.left, box.bottom - box.top, SWP_SHOWWINDOW);
  ::SendMessageW(m_hWnd, EM_SETSEL, 0, -1);
  ::SetFocus(m_hWnd);
}

void CTreeEdit::Detach() {
  if (m_row < 0) return;
  const bool changed = m_changed;
  m_row = -1;
  ::ShowWindow(m_hWnd, SW_HIDE);
  if (m_list) m_list->OnEditorClosed(changed);
}

bool CTreeEdit::Validate() {
  if (m_row < 0 || !m_list) return true;
  m_list->m_flags |= CGUITreeList::kEditCancelling;
  const std::wstring text = Text();
  // "Different" as the user sees it: case and accents count, as the label shows them.
  if (QvString(text.c_str()).CompareAlphaUI(QvString(m_original.c_str())) != 0 || text != m_original) {
    std::shared_ptr<bool> alive = m_list->m_alive;
    CGUITreeList* list = m_list;
    if (!list->StoreEditedText(text)) {
      if (*alive) list->m_flags &= ~CGUITreeList::kEditCancelling;
      return false;  // refused: the editor stays open
    }
    if (!*alive) return true;
    m_changed = true;
  }
  ::SetFocus(m_list->m_hWnd);
  // The focus may stay here (the list refused it): close in any case.
  Detach();
  m_list->m_flags &= ~CGUITreeList::kEditCancelling;
  return true;
}

void CTreeEdit::Widen() {
  if (m_row < 0 || !m_list) return;
  const std::wstring text = Text();
  SIZE size = {0, 0};
  {
    uih::WindowDC dc(m_hWnd);
    uih::Selection font(dc.Get(), reinterpret_cast<HFONT>(::SendMessageW(m_hWnd, WM_GETFONT, 0, 0)));
    ::GetTextExtentPoint32W(dc.Get(), text.c_str(), static_cast<int>(text.size()), &size);
  }
  RECT box = {};
  ::GetWindowRect(m_hWnd, &box);
  ::MapWindowPoints(NULL, m_list->m_hWnd, reinterpret_cast<POINT*>(&box), 2);
  const int width = std::max<int>(size.cx + 14, 50);
  if (width != box.right - box.left) {
    RECT uncovered = {box.left + width, box.top, box.right, box.bottom};
    ::SetWindowPos(m_hWnd, NULL, 0, 0, width, box.bottom - box.top, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    if (uncovered.right > uncovered.left) ::InvalidateRect(m_list->m_hWnd, &uncovered, TRUE);
  }
  // The caret stays 4 pixels inside the list's client area shrunk by 10 on each side.
  POINT caret = {};
  ::GetCaretPos(&caret);
  ::MapWindowPoints(m_hWnd, m_list->m_hWnd, &caret, 1);
  RECT client = {};
  ::GetClientRect(m_list->m_hWnd, &client);
  if (caret.x > client.right - 10) m_list->ScrollBy(caret.x - (client.right - 10) + 4, 0);
  else if (caret.x < 10) m_list->ScrollBy(caret.x - 10 - 4, 0);
}

LRESULT CTreeEdit::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  try {
    switch (message) {
      case WM_GETDLGCODE:
        return DLGC_WANTALLKEYS;
      case WM_SETFOCUS:
        if (m_row < 0 && m_list) {
          ::SetFocus(m_list->m_hWnd);
          return 0;
        }
        break;
      case WM_KEYDOWN:
        if (m_row >= 0 && wParam == VK_RETURN) {
          Validate();
          return 0;
        }
        if (m_row >= 0 && wParam == VK_ESCAPE) {
          // Closing without saving: no text is stored and no change is told.
          m_list->m_flags |= CGUITreeList::kEditCancelling;
          ::SetFocus(m_list->m_hWnd);
          if (m_row >= 0) Detach();
          m_list->m_flags &= ~CGUITreeList::kEditCancelling;
          return 0;
        }
        {
          const LRESULT result = CEdit::WindowProc(message, wParam, lParam);
          if (wParam < 47) Widen();
          return result;
        }
      case WM_CHAR: {
        if (m_row < 0) break;
        if (wParam == VK_RETURN || wParam == VK_ESCAPE) return 0;  // handled on the key press
        if (m_list && !m_list->AcceptEditChar(static_cast<wchar_t>(wParam))) return 0;
        const LRESULT result = CEdit::WindowProc(message, wParam, lParam);
        Widen();
        return result;
      }
      case WM_KILLFOCUS: {
        const LRESULT result = CEdit::WindowProc(message, wParam, lParam);
        if (m_row >= 0 && m_list) {
          if (!(m_list->m_flags & CGUITreeList::kEditCancelling)) {
            m_list->m_flags |= CGUITreeList::kEditCancelling;
            const std::wstring text = Text();
            if (text != m_original) {
              std::shared_ptr<bool> alive = m_list->m_alive;
              if (m_list->StoreEditedText(text)) m_changed = true;
              if (!*alive) return result;
            }
            m_list->m_flags &= ~CGUITreeList::kEditCancelling;
          }
          Detach();
        }
        return result;
      }
    }
    return CEdit::WindowProc(message, wParam, lParam);
  } catch (...) {
    return 0;
  }
}
