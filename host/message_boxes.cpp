#include "message_boxes.h"

#include <framework.h>

#include <QvMsgDialog.h>

#include "screens.h"

namespace host {
namespace {

HWND s_info = NULL;

struct Search {
  int control;
  HWND exclude;
  HWND found;
};

BOOL CALLBACK MatchDialog(HWND w, LPARAM p) {
  auto* s = reinterpret_cast<Search*>(p);
  if (w == s->exclude || !::IsWindowVisible(w) || ::GetDlgItem(w, s->control) == NULL) return TRUE;
  s->found = w;
  return FALSE;
}

// A visible dialog of this thread with that control, other than `exclude`.
HWND ThreadDialogWith(int control, HWND exclude) {
  Search s = {control, exclude, NULL};
  ::EnumThreadWindows(::GetCurrentThreadId(), &MatchDialog, reinterpret_cast<LPARAM>(&s));
  return s.found;
}

void CALLBACK OnSaveBoxShown(HWND, UINT, UINT_PTR id, DWORD) {
  HWND save = ThreadDialogWith(IDYES, s_info);
  if (save == NULL) return;  // not up yet: the timer comes again
  ::KillTimer(NULL, id);
  RECT info, box;
  ::GetWindowRect(s_info, &info);
  ::GetWindowRect(save, &box);
  ::SetWindowPos(save, HWND_TOP, info.right + 12, info.top, 0, 0, SWP_NOSIZE | SWP_NOACTIVATE);
  const int margin = std::max<int>(box.right - box.left + 12, box.bottom - box.top - (info.bottom - info.top));
  CaptureWindow(s_info, L"message_boxes", margin + 4);
  ::PostMessageW(save, WM_COMMAND, IDCANCEL, 0);
}

void CALLBACK OnInfoShown(HWND, UINT, UINT_PTR id, DWORD) {
  HWND info = ThreadDialogWith(QV_ID_MSGHELP, NULL);
  if (info == NULL) return;
  ::KillTimer(NULL, id);
  s_info = info;
  ::SetWindowPos(info, NULL, 30, 30, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  ::SendMessageW(info, WM_COMMAND, MAKEWPARAM(QV_ID_MSGHELP, BN_CLICKED),
                 reinterpret_cast<LPARAM>(::GetDlgItem(info, QV_ID_MSGHELP)));
  ::SetTimer(NULL, 0, 50, &OnSaveBoxShown);
  QvSaveChangesDialog().Process(
      "Do you want to save the changes you made to the quarterly report of the northern region before the "
      "program closes? Changes you do not save are lost.",
      "Sample host", 0);
  ::PostMessageW(info, WM_COMMAND, IDOK, 0);
}

}  // namespace

void CaptureMessageBoxes(HWND owner) {
  if (!ScreenshotMode()) return;
  ::SetTimer(NULL, 0, 50, &OnInfoShown);
  QvInfoDialog(CWnd::FromHandle(owner))
      .Process("The report was printed with warnings.", "Sample host", 0,
               "Page 2: the chart was scaled to fit the page.\r\nPage 3: the font \"Garamond\" was replaced by "
               "\"Times New Roman\".");
  s_info = NULL;
}

}  // namespace host
