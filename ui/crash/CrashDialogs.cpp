// The crash and assertion dialogs: plain dialog procedures over the library's templates.
#include "CrashDialogs.h"

#include <stdio.h>

#include <vector>

#include "CrashResources.h"
#include "UIStackTrace.h"

namespace crash_report {

namespace {

const int kMinTrackWidth = 516;
const int kMinTrackHeight = 372;

// The exception dialog's top of the report box at dialog start, in client coordinates.
int s_savedReportTop = 0;

std::wstring Widen(const char* utf8) {
  int n = MultiByteToWideChar(CP_UTF8, 0, utf8, -1, NULL, 0);
  std::wstring out(n > 0 ? n : 1, L'\0');
  if (n > 0) MultiByteToWideChar(CP_UTF8, 0, utf8, -1, &out[0], n);
  out.resize(wcslen(out.c_str()));
  return out;
}

void StartDialog(HWND dialog, const char* report) {
  HWND box = GetDlgItem(dialog, IDC_REPORT);
  SendMessageW(box, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(ANSI_FIXED_FONT)), FALSE);
  SendMessageW(box, EM_SETLIMITTEXT, 0, 0);
  SetWindowTextW(box, Widen(report).c_str());
  RECT rc;
  GetWindowRect(dialog, &rc);
  int x = (GetSystemMetrics(SM_CXSCREEN) - (rc.right - rc.left)) / 2;
  int y = (GetSystemMetrics(SM_CYSCREEN) - (rc.bottom - rc.top)) / 2;
  SetWindowPos(dialog, HWND_TOPMOST, x, y, 0, 0, SWP_NOSIZE);
  SetForegroundWindow(dialog);
  SetFocus(GetDlgItem(dialog, IDC_ABORT));
}

RECT ChildRect(HWND dialog, int id) {
  RECT rc = {0, 0, 0, 0};
  HWND child = GetDlgItem(dialog, id);
  if (child != NULL) {
    GetWindowRect(child, &rc);
    MapWindowPoints(NULL, dialog, reinterpret_cast<POINT*>(&rc), 2);
  }
  return rc;
}

void LayoutExceptionDialog(HWND dialog) {
  HWND abort = GetDlgItem(dialog, IDC_ABORT), debug = GetDlgItem(dialog, IDC_EXCEPTION_DEBUG);
  HWND save = GetDlgItem(dialog, IDC_SAVE), box = GetDlgItem(dialog, IDC_REPORT);
  HWND grip = GetDlgItem(dialog, IDC_SIZE_GRIP);
  if (!abort || !debug || !save || !box || !grip) return;  // WM_SIZE before the controls exist
  RECT client;
  GetClientRect(dialog, &client);
  int W = client.right, H = client.bottom;
  RECT a = ChildRect(dialog, IDC_ABORT), d = ChildRect(dialog, IDC_EXCEPTION_DEBUG);
  RECT g = ChildRect(dialog, IDC_SIZE_GRIP), r = ChildRect(dialog, IDC_REPORT);
  int w = a.right - a.left, h = a.bottom - a.top;
  int y = H - 3 * h / 2;
  int top = s_savedReportTop != 0 ? s_savedReportTop : r.top;
  MoveWindow(grip, W - (g.right - g.left), H - (g.bottom - g.top), g.right - g.left, g.bottom - g.top, TRUE);
  MoveWindow(abort, a.left, y, w, h, TRUE);
  MoveWindow(debug, d.left, y, w, h, TRUE);
  MoveWindow(save, W - h / 2 - w, y, w, h, TRUE);
  MoveWindow(box, h / 2, top, W - h, H - 2 * h - top, TRUE);
  InvalidateRect(dialog, NULL, TRUE);
}

void ShowMessage(HWND owner, const wchar_t* format, const wchar_t* path, const wchar_t* title, UINT icon) {
  std::vector<wchar_t> text(wcslen(format) + wcslen(path) + 1);
  swprintf(text.data(), text.size(), format, path);
  MessageBoxW(owner, text.data(), title, MB_OK | icon);
}

// Writes the whole report as UTF-16 (no byte-order mark) beside the program.
void SaveReport(HWND dialog) {
  HWND box = GetDlgItem(dialog, IDC_REPORT);
  int length = GetWindowTextLengthW(box);
  std::vector<wchar_t> text(length + 1);
  length = GetWindowTextW(box, text.data(), length + 1);
  std::vector<wchar_t> program(32768);
  DWORD n = GetModuleFileNameW(NULL, program.data(), static_cast<DWORD>(program.size()));
  if (n == 0 || n >= program.size()) program[0] = L'\0';
  std::wstring path = ReportFilePath(program.data());
  bool written = false;
  HANDLE file = path.empty() ? INVALID_HANDLE_VALUE
                             : CreateFileW(path.c_str(), GENERIC_WRITE, 0, NULL, CREATE_ALWAYS,
                                           FILE_ATTRIBUTE_NORMAL, NULL);
  if (file != INVALID_HANDLE_VALUE) {
    DWORD bytes = static_cast<DWORD>(length) * sizeof(wchar_t), done = 0;
    written = WriteFile(file, text.data(), bytes, &done, NULL) && done == bytes;
    written = CloseHandle(file) && written;
  }
  if (written)
    ShowMessage(dialog, L"Data has been dumped to the file %ls", path.c_str(), L"Dump complete", MB_ICONINFORMATION);
  else
    ShowMessage(dialog, L"Unable to write the file %ls", path.c_str(), L"Dump failed", MB_ICONERROR);
}

INT_PTR CALLBACK AssertionProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG:
      StartDialog(dialog, reinterpret_cast<const char*>(lParam));
      return FALSE;
    case WM_COMMAND:
      switch (LOWORD(wParam)) {
        case IDC_ABORT: EndDialog(dialog, 0); return TRUE;
        case IDC_IGNORE: EndDialog(dialog, 1); return TRUE;
        case IDC_ASSERT_DEBUG: EndDialog(dialog, 2); return TRUE;
      }
      return TRUE;  // Escape and the like: the user must choose
  }
  return FALSE;
}

INT_PTR CALLBACK ExceptionProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG:
      s_savedReportTop = ChildRect(dialog, IDC_REPORT).top;
      StartDialog(dialog, reinterpret_cast<const char*>(lParam));
      LayoutExceptionDialog(dialog);
      return FALSE;
    case WM_GETMINMAXINFO: {
      MINMAXINFO* info = reinterpret_cast<MINMAXINFO*>(lParam);
      info->ptMinTrackSize.x = kMinTrackWidth;
      info->ptMinTrackSize.y = kMinTrackHeight;
      return TRUE;
    }
    case WM_SIZE:
      LayoutExceptionDialog(dialog);
      return TRUE;
    case WM_COMMAND:
      switch (LOWORD(wParam)) {
        case IDC_ABORT: EndDialog(dialog, 0); return TRUE;
        case IDC_EXCEPTION_DEBUG:
          DisableStackTraceLibrary();
          EndDialog(dialog, 2);
          return TRUE;
        case IDC_SAVE: SaveReport(dialog); return TRUE;
      }
      return TRUE;
  }
  return FALSE;
}

}  // namespace

std::wstring ReportFilePath(const wchar_t* programPath) {
  std::wstring path = programPath != NULL ? programPath : L"";
  size_t slash = path.find_last_of(L"\\/");
  size_t dot = path.rfind(L'.');
  if (dot != std::wstring::npos && (slash == std::wstring::npos || dot > slash)) path.erase(dot);
  return path;
}

INT_PTR RunAssertionDialog(HINSTANCE module, const char* report) {
  return DialogBoxParamW(module, MAKEINTRESOURCEW(IDD_ASSERTION_FAILED), NULL, AssertionProc,
                         reinterpret_cast<LPARAM>(report));
}

INT_PTR RunExceptionDialog(HINSTANCE module, const char* report) {
  return DialogBoxParamW(module, MAKEINTRESOURCEW(IDD_UNHANDLED_EXCEPTION), NULL, ExceptionProc,
                         reinterpret_cast<LPARAM>(report));
}

}  // namespace crash_report
