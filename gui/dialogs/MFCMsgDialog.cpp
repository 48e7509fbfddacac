#include "MFCMsgDialog.h"

#include <FarEastRules.h>
#include <UIHandles.h>
#include <UIUtilities.h>

#include <utility>
#include <vector>

IMPLEMENT_DYNAMIC(MFCMsgDialog, CMultiModalDialog)

namespace {

struct KindRow {
  UINT id;
  unsigned long label;
};
// By kind value: the control id and the label of its text.
const KindRow kKinds[] = {
    {IDOK, 31198}, {IDCANCEL, 31199}, {IDYES, 31200}, {10, 31201},          {IDNO, 31202},         {11, 31203},
    {12, 31204},   {13, 31205},       {IDABORT, 31206}, {14, 31207}, {QV_ID_MSGHELP, 31208}, {QV_ID_MSGHELP, 31210},
};
const int kKindCount = static_cast<int>(sizeof(kKinds) / sizeof(kKinds[0]));

std::wstring WideFromTchar(LPCTSTR text) {
  if (text == NULL) return std::wstring();
#ifdef UNICODE
  return text;
#else
  int n = ::MultiByteToWideChar(CP_ACP, 0, text, -1, NULL, 0);
  if (n <= 0) return std::wstring();
  std::wstring out(static_cast<size_t>(n), L'\0');
  ::MultiByteToWideChar(CP_ACP, 0, text, -1, &out[0], n);
  out.resize(static_cast<size_t>(n - 1));
  return out;
#endif
}

HFONT MessageFont() { return UIGetDefaultGUIFont(); }

bool ValidPos(int pos) { return pos >= 0 && pos < 4; }

// Where a long line may break: at a blank, which in the earlier edition is also the UI
// language's ideographic space while the double-byte switch is on.
bool BreakBlank(wchar_t c) {
#ifdef UNICODE
  return c == L' ';
#else
  return c == L' ' || IsLanguageBlankW(c);
#endif
}

// A break at `at` (0 < at < n) of a part of n > 2 units that would part a surrogate pair
// moves after the pair (before it when the pair ends the part).
size_t WholeCharacter(const wchar_t* part, size_t at, size_t n) {
  if (IS_LOW_SURROGATE(part[at]) && IS_HIGH_SURROGATE(part[at - 1])) return at + 1 < n ? at + 1 : at - 1;
  return at;
}

// One character that no break may part.
bool OneCharacter(const wchar_t* part, size_t n) { return n == 2 && IS_SURROGATE_PAIR(part[0], part[1]); }

}  // namespace

UINT ButtonKindId(int kind) { return kind >= 0 && kind < kKindCount ? kKinds[kind].id : 65535u; }

unsigned long ButtonKindLabel(int kind) { return kind >= 0 && kind < kKindCount ? kKinds[kind].label : 0; }

int ButtonKindAnswer(UINT controlId) {
  // The Help and details buttons open the detail box: they answer nothing.
  for (int k = 0; k < QvHelpButton; ++k)
    if (kKinds[k].id == controlId) return k;
  return -1;
}

SIZE MeasureAndBreakMessage(HDC dc, std::wstring& text, int limit) {
  SIZE blank = {0, 0};
  ::GetTextExtentPoint32W(dc, L" ", 1, &blank);
  const int lineHeight = blank.cy;
  SIZE total = {0, 0};
  std::wstring out;
  out.reserve(text.size() + text.size() / 16);
  std::vector<int> ends;  // ends[k]: the width of the line's first k + 1 characters
  std::vector<std::pair<size_t, size_t>> pending;
  auto emitLine = [&](int width) {
    if (width > total.cx) total.cx = width;
    total.cy += lineHeight;
  };

  size_t start = 0;
  for (;;) {
    size_t end = text.find_first_of(L"\r\n", start);
    const size_t stop = end == std::wstring::npos ? text.size() : end;
    const wchar_t* line = text.data() + start;
    const size_t length = stop - start;
    if (length == 0) {
      emitLine(blank.cx);
    } else {
      ends.assign(length, 0);
      SIZE whole = {0, 0};
      int fit = 0;
      ::GetTextExtentExPointW(dc, line, static_cast<int>(length), 0, &fit, ends.data(), &whole);
      auto width = [&](size_t a, size_t b) { return ends[b - 1] - (a > 0 ? ends[a - 1] : 0); };
      // The parts of the line still to measure, the next one last: each part is measured,
      // and a long one is replaced by its two halves.
      pending.clear();
      pending.emplace_back(0, length);
      bool first = true;
      while (!pending.empty()) {
        const size_t a = pending.back().first, b = pending.back().second;
        pending.pop_back();
        const size_t n = b - a;
        const int w = n == 0 ? blank.cx : width(a, b);
        if (n < 2 || w < limit || OneCharacter(line + a, n)) {
          if (!first) out += L'\n';
          first = false;
          out.append(line + a, n);
          emitLine(w);
          continue;
        }
        const size_t m = n / 2;
        size_t at = 0;
        for (size_t k = m; k >= 1 && at == 0; --k)
          if (BreakBlank(line[a + k])) at = k;
        for (size_t k = m + m / 2; k > m && at == 0; --k)
          if (k < n && BreakBlank(line[a + k])) at = k;
        if (at != 0) {
          pending.emplace_back(a + at + 1, b);  // the blank becomes the break
          pending.emplace_back(a, a + at);
        } else {
          // The break goes in before the middle character (a whole one).
          const size_t cut = WholeCharacter(line + a, m, n);
          pending.emplace_back(a + cut, b);
          pending.emplace_back(a, a + cut);
        }
      }
    }
    if (end == std::wstring::npos) break;
    // A CR LF pair is one break; any other CR or LF is one on its own.
    size_t next = end + 1;
    if (text[end] == L'\r' && next < text.size() && text[next] == L'\n') ++next;
    out.append(text, end, next - end);
    start = next;
  }
  text.swap(out);
  return total;
}

MFCMsgDialog::MFCMsgDialog(CWnd* parent) : CMultiModalDialog(IDD_QV_MSGDIALOG, parent) {
  for (int i = 0; i < 4; ++i) ResetButton(i);
}

MFCMsgDialog::~MFCMsgDialog() = default;

void MFCMsgDialog::ResetButton(int pos) {
  if (!ValidPos(pos)) return;
  CSTDButton& b = m_buttons[pos];
  b.m_style = WS_CHILD | WS_VISIBLE | WS_TABSTOP;
  b.m_text.clear();
  b.m_id = static_cast<UINT>(pos + 1);
  b.m_width = b.m_height = 0;
}

void MFCMsgDialog::SetButtonDefaultText(int pos, int kind) {
  if (!ValidPos(pos)) return;
  m_buttons[pos].m_id = ButtonKindId(kind);
  if (unsigned long label = ButtonKindLabel(kind)) m_buttons[pos].m_text = QvGetMyLabel(label).ToWide();
}

void MFCMsgDialog::SetButtonText(int pos, const std::wstring& text) {
  if (ValidPos(pos)) m_buttons[pos].m_text = text;
}

void MFCMsgDialog::SetButtonVis(int pos, bool visible) {
  if (!ValidPos(pos)) return;
  if (visible)
    m_buttons[pos].m_style |= WS_VISIBLE;
  else
    m_buttons[pos].m_style &= ~static_cast<DWORD>(WS_VISIBLE);
}

void MFCMsgDialog::EnableButton(int pos, bool enabled) {
  if (!ValidPos(pos)) return;
  if (enabled)
    m_buttons[pos].m_style &= ~static_cast<DWORD>(WS_DISABLED);
  else
    m_buttons[pos].m_style |= WS_DISABLED;
}

void MFCMsgDialog::SetDefaultButton(int pos) {
  if (!ValidPos(pos)) return;
  for (int i = 0; i < 4; ++i) m_buttons[i].m_style &= ~static_cast<DWORD>(BS_DEFPUSHBUTTON);
  m_buttons[pos].m_style |= BS_DEFPUSHBUTTON;
}

void MFCMsgDialog::SetCancelButton(int pos) {
  if (ValidPos(pos)) m_buttons[pos].m_id = IDCANCEL;
}

int MFCMsgDialog::Run(const std::wstring& message, const std::wstring& caption, unsigned long helpId,
                      const std::wstring& detail) {
  m_message = message;
  m_detail = detail;
  m_caption = caption.empty() ? WideFromTchar(AfxGetAppName()) : caption;
  m_helpId = helpId;
  m_hasDetails = m_detailsShown = false;
  if (helpId != 0) {
    for (int i = 0; i < 3; ++i) {
      CSTDButton& to = m_buttons[i];
      const CSTDButton& from = m_buttons[i + 1];
      to.m_style = from.m_style;
      to.m_text = from.m_text;
      to.m_id = from.m_id;
    }
    ResetButton(3);
    SetButtonDefaultText(3, QvHelpButton);
  }
  // An owner that something else disabled (an outer modal run) stays disabled after this one.
  HWND owner = CWnd::GetSafeOwner(m_pParentWnd)->GetSafeHwnd();
  const bool disabledOwner = owner != NULL && ::IsWindowEnabled(owner);
  if (disabledOwner) ::EnableWindow(owner, FALSE);
  CWinApp* app = AfxGetApp();
  if (app != NULL) app->EnableModeless(FALSE);
  INT_PTR result = -1;
  try {
    result = DoModal();
  } catch (...) {
    if (app != NULL) app->EnableModeless(TRUE);
    if (disabledOwner && ::IsWindow(owner)) ::EnableWindow(owner, TRUE);
    throw;
  }
  if (app != NULL) app->EnableModeless(TRUE);
  if (disabledOwner && ::IsWindow(owner)) {
    ::EnableWindow(owner, TRUE);
    if (::GetActiveWindow() == NULL) ::SetActiveWindow(owner);
  }
  return static_cast<int>(result);
}

BOOL MFCMsgDialog::OnInitDialog() {
  CMultiModalDialog::OnInitDialog();
  HFONT font = MessageFont();
  const int cxIcon = ::GetSystemMetrics(SM_CXICON), cyIcon = ::GetSystemMetrics(SM_CYICON);
  const int cxFrame = ::GetSystemMetrics(SM_CXFIXEDFRAME), cyFrame = ::GetSystemMetrics(SM_CYFIXEDFRAME);

  // Text and buttons measured in the message font.
  SIZE textSize = {0, 0};
  CRect minimum(0, 0, 50, 14);
  MapDialogRect(&minimum);
  int buttonsWidth = 0, buttonHeight = 0;
  {
    uih::WindowDC dc(m_hWnd);
    uih::Selection selected(dc.Get(), font);
    textSize = MeasureAndBreakMessage(dc.Get(), m_message);
    for (CSTDButton& b : m_buttons) {
      RECT r = {0, 0, 0, 0};
      ::DrawTextW(dc.Get(), b.m_text.c_str(), static_cast<int>(b.m_text.size()), &r, DT_CALCRECT | DT_SINGLELINE);
      b.m_width = std::max<int>(r.right - r.left + 12, minimum.Width());
      b.m_height = std::max<int>(r.bottom - r.top + 12, minimum.Height());
      buttonsWidth += b.m_width;
      buttonHeight = std::max(buttonHeight, b.m_height);
    }
  }
  const int rowWidth = buttonsWidth + 3 * 8;
  int width = std::max(2 * cxFrame + 36 + buttonsWidth, cxIcon + 2 * cxFrame + 41 + static_cast<int>(textSize.cx));
  int height = ::GetSystemMetrics(SM_CYCAPTION) + 2 * cyFrame + 12 + std::max<int>(textSize.cy, cyIcon) + 17 +
               buttonHeight;
  // The top-left corner stays, unless the window would leave the monitor's work area: it is
  // then moved back inside and, taller than the work area, cut to it (the buttons stay on it).
  CRect window;
  GetWindowRect(&window);
  MONITORINFO mi;
  ::ZeroMemory(&mi, sizeof(mi));
  mi.cbSize = sizeof(mi);
  int left = window.left, top = window.top;
  if (::GetMonitorInfoW(::MonitorFromWindow(m_hWnd, MONITOR_DEFAULTTONEAREST), &mi)) {
    const RECT& work = mi.rcWork;
    height = std::min<int>(height, work.bottom - work.top);
    width = std::min<int>(width, work.right - work.left);
    if (top + height > work.bottom) top = work.bottom - height;
    if (left + width > work.right) left = work.right - width;
  }
  MoveWindow(left, top, width, height, FALSE);

  CRect client;
  GetClientRect(&client);
  int x = client.Width() - rowWidth - 6;
  const int y = client.Height() - buttonHeight - 6;
  int defaultPos = -1;
  for (int i = 0; i < 4; ++i) {
    CSTDButton& b = m_buttons[i];
    CRect r(x, y, x + b.m_width, y + buttonHeight);
    b.Create(_T(""), b.m_style, r, this, b.m_id);
    ::SetWindowTextW(b.m_hWnd, b.m_text.c_str());
    b.SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    if (b.m_style & BS_DEFPUSHBUTTON) defaultPos = i;
    x += b.m_width + 8;
  }

  CRect textRect(29 + cxIcon, 12, client.right, client.bottom - 12 - minimum.Height());
  m_textStatic.Create(_T(""), WS_CHILD | WS_VISIBLE | WS_GROUP, textRect, this, 65535);
  m_textStatic.SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  ::SetWindowTextW(m_textStatic.m_hWnd, m_message.c_str());
  ::SetWindowTextW(m_hWnd, m_caption.c_str());

  m_iconStatic.Create(_T("Icon"), WS_CHILD | WS_VISIBLE | SS_ICON, CRect(12, 12, 12 + cxIcon, 12 + cyIcon), this,
                      65535);
  LPCTSTR iconName = m_warningLevel == QvInfoLevel ? IDI_INFORMATION
                     : m_warningLevel == QvWarningLevel ? IDI_WARNING
                                                        : IDI_HAND;
  m_iconStatic.SetIcon(::LoadIcon(NULL, iconName));

  if (!m_detail.empty()) {
    m_hasDetails = true;
    CRect b, d;
    m_buttons[3].GetWindowRect(&b);
    GetWindowRect(&d);
    MoveWindow(d.left, d.top, d.Width() + b.Width() + 12, d.Height() + b.Height(), TRUE);
    const int bx = d.Width() + b.Width() + 12 - 10 - b.Width();
    m_buttons[3].MoveWindow(bx, 5, b.Width(), b.Height());
    m_buttons[0].MoveWindow(bx, 5 + b.Height() + 5, b.Width(), b.Height());
  }

  if (defaultPos >= 0) {
    SendMessage(DM_SETDEFID, m_buttons[defaultPos].m_id, 0);
    GotoDlgCtrl(&m_buttons[defaultPos]);
    return FALSE;
  }
  return TRUE;
}

BOOL MFCMsgDialog::OnCommand(WPARAM wParam, LPARAM lParam) {
  const UINT id = LOWORD(wParam);
  const UINT code = HIWORD(wParam);
  if (code == BN_CLICKED || lParam == 0) {
    if (id == QV_ID_MSGHELP) {
      ShowDetails();
      return TRUE;
    }
    if (id != IDOK && id != IDCANCEL) {
      const int answer = ButtonKindAnswer(id);
      if (answer >= 0) {
        Finish(answer);
        return TRUE;
      }
    }
  }
  return CMultiModalDialog::OnCommand(wParam, lParam);
}

void MFCMsgDialog::OnOK() { Finish(QvOKButton); }

void MFCMsgDialog::OnCancel() { Finish(QvCancelButton); }

void MFCMsgDialog::Finish(int answer) {
  // The system's end of a dialog (EndDialog) enables its owner, whoever disabled it. A modal
  // run ends through its own loop only, so the owner keeps its state until whoever disabled
  // it enables it again; the window goes when the run ends.
  if (m_nFlags & (WF_MODALLOOP | WF_CONTINUEMODAL))
    EndModalLoop(answer);
  else
    EndDialog(answer);
}

void MFCMsgDialog::ShowDetails() {
  if (!m_hasDetails || m_detailsShown) return;
  m_detailsShown = true;
  GotoDlgCtrl(&m_buttons[3]);
  m_buttons[0].EnableWindow(FALSE);
  // The window grows downwards; near the bottom of the work area it moves up instead.
  CRect w;
  GetWindowRect(&w);
  int top = w.top;
  MONITORINFO mi;
  ::ZeroMemory(&mi, sizeof(mi));
  mi.cbSize = sizeof(mi);
  if (::GetMonitorInfoW(::MonitorFromWindow(m_hWnd, MONITOR_DEFAULTTONEAREST), &mi) && w.bottom + 150 > mi.rcWork.bottom)
    top = std::max<int>(mi.rcWork.top, mi.rcWork.bottom - w.Height() - 150);
  MoveWindow(w.left, top, w.Width(), w.Height() + 150, TRUE);
  CRect client;
  GetClientRect(&client);
  CRect r(12, client.bottom - 140, client.right - 12, client.bottom - 15);
  HFONT font = MessageFont();
  m_detailEdit.CreateEx(WS_EX_CLIENTEDGE | WS_EX_NOPARENTNOTIFY, _T("EDIT"), _T(""), 0x50210844, r, this, 65535);
  m_detailEdit.SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  ::SetWindowTextW(m_detailEdit.m_hWnd, m_detail.c_str());
}
