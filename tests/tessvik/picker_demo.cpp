// Tessvik as the messaging client shows it: the user picker, the active-group picker and the
// notification popup. With "/screens <folder>", for each of them "<folder>\<name>.ready" is
// written with the window's rectangle, and the window stays until "<name>.done" appears.
#include <string>

#include "picker_driver.h"

#include <commctrl.h>
#include <shellapi.h>
#include <string.h>

namespace {

std::wstring g_folder;

// Writes the marker of window w and keeps handling messages until the picture is taken.
void Snap(const wchar_t* name, HWND w) {
  if (g_folder.empty()) return;
  RECT rc;
  GetWindowRect(w, &rc);
  char geometry[64];
  int len = wsprintfA(geometry, "%ld %ld %ld %ld\n", rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top);
  std::wstring ready = g_folder + L"\\" + name + L".ready", done = g_folder + L"\\" + name + L".done";
  std::wstring tmp = ready + L".tmp";
  HANDLE f = CreateFileW(tmp.c_str(), GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, 0, NULL);
  DWORD written;
  WriteFile(f, geometry, len, &written, NULL);
  CloseHandle(f);
  MoveFileW(tmp.c_str(), ready.c_str());
  for (int i = 0; i < 600 && GetFileAttributesW(done.c_str()) == INVALID_FILE_ATTRIBUTES; ++i) {
    MSG msg;
    while (PeekMessageW(&msg, NULL, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
    MsgWaitForMultipleObjects(0, NULL, FALSE, 50, QS_ALLINPUT);
  }
}

void Capture(HWND d) {
  // A few rows chosen, so that the picture shows both lists.
  dlg::Select(d, 17033, dlg::Find(d, 17033, " Turing Alan(102)"));
  dlg::Click(d, 17009);
  dlg::Select(d, 17033, dlg::Find(d, 17033, " Lovelace Ada(101)"));
  dlg::Idle(d);  // the buttons follow the selection
  UpdateWindow(d);
  Snap(L"picker", d);
  dlg::Click(d, IDOK);
}

void CaptureActiveGroups(HWND d) {
  HWND tree = GetDlgItem(d, 17022);
  TreeView_SelectItem(tree, TreeView_GetRoot(tree));  // its members shown
  UpdateWindow(d);
  Snap(L"active_groups", d);
  dlg::Click(d, IDOK);
}

BOOL CALLBACK IsPopup(HWND w, LPARAM p) {
  if ((GetWindowLongPtrW(w, GWL_EXSTYLE) & WS_EX_TOOLWINDOW) && GetWindow(w, GW_CHILD) != NULL &&
      IsWindowVisible(w)) {
    *reinterpret_cast<HWND*>(p) = w;
    return FALSE;
  }
  return TRUE;
}

// Two messages, the second on top; the popup slides in on its own timers.
bool ShowNotifications(IPickerModule* picker) {
  const char* texts[] = {"Alan Turing shared \"Quarterly figures\". ",
                         "\r\nThe weekly review starts at 10:00 in room 4. "};
  for (const char* text : texts) {
    NotificationRecord r;
    memset(&r, 0, sizeof(r));
    r.cbSize = sizeof(r);
    lstrcpynA(r.text, text, sizeof(r.text));
    if (picker->ShowNotification(&r) != S_OK) return false;
  }
  HWND popup = NULL;
  EnumThreadWindows(GetCurrentThreadId(), &IsPopup, reinterpret_cast<LPARAM>(&popup));
  if (popup == NULL) return false;
  RECT work;
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  // At most ten seconds for the slide-in.
  for (int i = 0; i < 200; ++i) {
    RECT rc;
    GetWindowRect(popup, &rc);
    if (rc.left == work.right - 230 && rc.top <= work.bottom - 135 - 5) break;  // fully in
    MSG msg;
    while (PeekMessageW(&msg, NULL, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
    MsgWaitForMultipleObjects(0, NULL, FALSE, 50, QS_ALLINPUT);
  }
  UpdateWindow(popup);
  Snap(L"notification", popup);
  return true;
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  int argc = 0;
  LPWSTR* argv = CommandLineToArgvW(GetCommandLineW(), &argc);
  for (int i = 1; i + 1 < argc; ++i)
    if (lstrcmpiW(argv[i], L"/screens") == 0) g_folder = argv[i + 1];
  LocalFree(argv);
  if (FAILED(CoInitialize(NULL))) return 1;
  int rc = 1;
  {
    FakeHost host;
    PickerClient client;
    if (SUCCEEDED(client.Create(host))) {
      VARIANT initial, result;
      VariantInit(&initial);
      VariantInit(&result);
      HRESULT hr = RunPicker(client.picker, 1, 0x02 | 0x01, initial, &result,
                             {[](HWND d) { dlg::Idle(d); }, [](HWND d) { Capture(d); }});
      VariantClear(&result);
      HRESULT groups = RunPicker(client.picker, 4, 0, initial, &result, {[](HWND d) { CaptureActiveGroups(d); }});
      VariantClear(&result);
      bool popup = ShowNotifications(client.picker);
      rc = hr == S_OK && groups == S_OK && popup ? 0 : 2;
    }
  }
  CoUninitialize();
  return rc;
}
