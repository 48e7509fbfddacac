// The portable text view's text interface on its rich edit control. Text goes to and comes
// from the control as UTF-16 whatever the control's window class (EM_SETTEXTEX, EM_GETTEXTEX,
// EM_FINDTEXTEXW with the UTF-16 code page), so that no character is narrowed on the way.
#include "QvTextView.h"

#include "GUITextView.h"

#include <richedit.h>

#include <string.h>

#include <string>

QV_IMPLEMENT_CLASS(QvRootTextView, QV_RUNTIME_CLASS(QvGUIContainer))
QV_IMPLEMENT_CLASS(QvTextView, QV_RUNTIME_CLASS(QvRootTextView))

namespace {

const UINT kUtf16CodePage = 1200;

// Characters in the control, a line break counting one.
long CharCount(HWND edit) {
  GETTEXTLENGTHEX g = {GTL_NUMCHARS | GTL_PRECISE, kUtf16CodePage};
  const LRESULT n = ::SendMessageW(edit, EM_GETTEXTLENGTHEX, reinterpret_cast<WPARAM>(&g), 0);
  return n > 0 ? static_cast<long>(n) : 0;
}

// The text with line breaks as the control keeps them ("\r") or as "\r\n".
std::wstring WholeText(HWND edit, bool crlf) {
  if (crlf && ::IsWindowUnicode(edit)) {
    // A UTF-16 control answers WM_GETTEXT with "\r\n" breaks itself.
    const LRESULT n = ::SendMessageW(edit, WM_GETTEXTLENGTH, 0, 0);
    if (n <= 0) return std::wstring();
    std::wstring text(static_cast<size_t>(n) + 1, L'\0');
    const LRESULT got = ::SendMessageW(edit, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(&text[0]));
    text.resize(got > 0 ? static_cast<size_t>(got) : 0);
    return text;
  }
  GETTEXTLENGTHEX g = {static_cast<DWORD>((crlf ? GTL_USECRLF : GTL_DEFAULT) | GTL_NUMCHARS | GTL_PRECISE),
                       kUtf16CodePage};
  const LRESULT n = ::SendMessageW(edit, EM_GETTEXTLENGTHEX, reinterpret_cast<WPARAM>(&g), 0);
  if (n <= 0) return std::wstring();
  std::wstring text(static_cast<size_t>(n) + 1, L'\0');
  GETTEXTEX get = {};
  get.cb = static_cast<DWORD>(text.size() * sizeof(wchar_t));
  get.flags = crlf ? GT_USECRLF : GT_DEFAULT;
  get.codepage = kUtf16CodePage;
  const LRESULT got =
      ::SendMessageW(edit, EM_GETTEXTEX, reinterpret_cast<WPARAM>(&get), reinterpret_cast<LPARAM>(&text[0]));
  text.resize(got > 0 ? static_cast<size_t>(got) : 0);
  return text;
}

void ReplaceSelection(HWND edit, const std::wstring& text) {
  SETTEXTEX set = {ST_SELECTION | ST_KEEPUNDO, kUtf16CodePage};
  ::SendMessageW(edit, EM_SETTEXTEX, reinterpret_cast<WPARAM>(&set), reinterpret_cast<LPARAM>(text.c_str()));
}

CHARRANGE Selection(HWND edit) {
  CHARRANGE r = {0, 0};
  ::SendMessageW(edit, EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&r));
  return r;
}

void Select(HWND edit, CHARRANGE r) { ::SendMessageW(edit, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&r)); }

// Puts the text on the clipboard as UTF-16 with "\r\n" line breaks; nothing when the
// clipboard cannot be had.
void KeepOnClipboard(HWND owner, const std::wstring& text) {
  std::wstring lines;
  lines.reserve(text.size() + text.size() / 32);
  for (size_t i = 0; i < text.size(); ++i) {
    lines += text[i];
    if (text[i] == L'\r' && (i + 1 >= text.size() || text[i + 1] != L'\n')) lines += L'\n';
  }
  const size_t bytes = (lines.size() + 1) * sizeof(wchar_t);
  HGLOBAL memory = ::GlobalAlloc(GMEM_MOVEABLE, bytes);
  if (memory == NULL) return;
  if (void* p = ::GlobalLock(memory)) {
    memcpy(p, lines.c_str(), bytes);
    ::GlobalUnlock(memory);
  }
  if (!::OpenClipboard(owner)) {
    ::GlobalFree(memory);
    return;
  }
  ::EmptyClipboard();
  if (::SetClipboardData(CF_UNICODETEXT, memory) == NULL) ::GlobalFree(memory);  // else the clipboard's
  ::CloseClipboard();
}

}  // namespace

QvRootTextView::QvRootTextView(QvCommandHandler* parent, unsigned short style)
    : QvGUIContainer(parent, 0), m_style(style) {}
QvRootTextView::~QvRootTextView() = default;

QvTextView::QvTextView(QvCommandHandler* parent, unsigned short style) : QvRootTextView(parent, style) {}

QvTextView::~QvTextView() {
  // Deleted by someone else than its window: the window forgets it.
  if (m_platformView) m_platformView->ForgetView();
}

HWND QvTextView::Edit() const {
  CGUITextViewEdit* edit = m_platformView ? m_platformView->GetEdit() : nullptr;
  return edit ? edit->GetSafeHwnd() : NULL;
}

void QvTextView::SetText(const QvString& text) {
  if (HWND edit = Edit()) ReplaceSelection(edit, text.ToWide());
}

void QvTextView::AppendText(const QvString& text, bool newLine, bool keepSelection) {
  HWND edit = Edit();
  if (!edit) return;
  const CHARRANGE saved = Selection(edit);
  const long end = CharCount(edit);
  Select(edit, CHARRANGE{end, end});
  ReplaceSelection(edit, (newLine ? std::wstring(L"\r\n") : std::wstring()) + text.ToWide());
  if (keepSelection) Select(edit, saved);
}

long QvTextView::GetText(QvString& text) {
  HWND edit = Edit();
  text.Empty();
  if (!edit || ::SendMessageW(edit, WM_GETTEXTLENGTH, 0, 0) <= 0) return 0;
  const std::wstring all = WholeText(edit, true);
  text = QvString(all.c_str(), all.size());
  return static_cast<long>(all.size());
}

long QvTextView::ExtractText(QvString& text, long start, long end) {
  text.Empty();
  HWND edit = Edit();
  if (!edit) return 0;
  if (start < 0) {
    const CHARRANGE s = Selection(edit);
    start = s.cpMin;
    end = s.cpMax;
  }
  const long count = CharCount(edit);
  if (end <= start || start >= count) return 0;
  if (end > count) end = count;
  std::wstring range;
  if (::IsWindowUnicode(edit)) {
    range.assign(static_cast<size_t>(end - start) + 1, L'\0');
    TEXTRANGEW tr = {{start, end}, &range[0]};
    const LRESULT got = ::SendMessageW(edit, EM_GETTEXTRANGE, 0, reinterpret_cast<LPARAM>(&tr));
    range.resize(got > 0 ? static_cast<size_t>(got) : 0);
  } else {
    // A narrow control answers EM_GETTEXTRANGE in its code page: the range from the UTF-16 text.
    range = WholeText(edit, false).substr(static_cast<size_t>(start), static_cast<size_t>(end - start));
  }
  // The clipboard keeps the range as plain text, as copying it would leave it.
  KeepOnClipboard(edit, range);
  text = QvString(range.c_str(), range.size());
  return static_cast<long>(range.size());
}

long QvTextView::SearchText(const QvString& text, bool matchCase, bool wholeWord, long start) {
  HWND edit = Edit();
  if (!edit) return -1;
  const std::wstring what = text.ToWide();
  FINDTEXTEXW find = {};
  find.chrg.cpMin = start < 0 ? 0 : start;
  find.chrg.cpMax = -1;
  find.lpstrText = what.c_str();
  const WPARAM flags = FR_DOWN | (matchCase ? FR_MATCHCASE : 0) | (wholeWord ? FR_WHOLEWORD : 0);
  const LRESULT at = ::SendMessageW(edit, EM_FINDTEXTEXW, flags, reinterpret_cast<LPARAM>(&find));
  return at < 0 ? -1 : static_cast<long>(at);
}

long QvTextView::GetTextLength() {
  HWND edit = Edit();
  return edit ? static_cast<long>(::SendMessageW(edit, WM_GETTEXTLENGTH, 0, 0)) : 0;
}

bool QvTextView::GetSelection(long& start, long& end) {
  HWND edit = Edit();
  const CHARRANGE r = edit ? Selection(edit) : CHARRANGE{0, 0};
  start = r.cpMin;
  end = r.cpMax;
  return start != end;
}

void QvTextView::SetSelection(long start, long end) {
  HWND edit = Edit();
  if (!edit) return;
  if (start < 0) {
    const long n = CharCount(edit);
    Select(edit, CHARRANGE{n, n});
    return;
  }
  // Past the end would take the control's closing paragraph mark into the selection.
  const long n = CharCount(edit);
  if (start > n) start = n;
  if (end > n) end = n;
  if (end < start) end = start;
  Select(edit, CHARRANGE{start, end});
}

void QvTextView::EnableInput(bool enable) {
  if (HWND edit = Edit()) ::SendMessageW(edit, EM_SETREADONLY, enable ? FALSE : TRUE, 0);
}

void QvTextView::FreezeRedraw(bool freeze) {
  HWND view = m_platformView ? m_platformView->GetSafeHwnd() : NULL;
  if (!view) return;
  // The edit control paints itself: it stops and starts with the view.
  HWND edit = Edit();
  if (freeze) {
    ::SendMessageW(view, WM_SETREDRAW, FALSE, 0);
    if (edit) ::SendMessageW(edit, WM_SETREDRAW, FALSE, 0);
    return;
  }
  ::SendMessageW(view, WM_SETREDRAW, TRUE, 0);
  if (edit) ::SendMessageW(edit, WM_SETREDRAW, TRUE, 0);
  ::RedrawWindow(view, NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
}

bool QvTextView::CanUndo() {
  HWND edit = Edit();
  return edit && ::SendMessageW(edit, EM_CANUNDO, 0, 0) != 0;
}

bool QvTextView::Undo() {
  if (!CanUndo()) return false;
  ::SendMessageW(Edit(), EM_UNDO, 0, 0);
  return true;
}

bool QvTextView::Cut() {
  if (HWND edit = Edit()) ::SendMessageW(edit, WM_CUT, 0, 0);
  return true;
}

bool QvTextView::Copy() {
  if (HWND edit = Edit()) ::SendMessageW(edit, WM_COPY, 0, 0);
  return true;
}

bool QvTextView::CanPaste() { return ::IsClipboardFormatAvailable(CF_TEXT) != FALSE; }

bool QvTextView::Paste() {
  if (HWND edit = Edit()) ::SendMessageW(edit, WM_PASTE, 0, 0);
  return true;
}

bool QvTextView::Clear() {
  if (HWND edit = Edit()) ::SendMessageW(edit, WM_CLEAR, 0, 0);
  return true;
}
