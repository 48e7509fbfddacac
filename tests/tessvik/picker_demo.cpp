// The picker as the messaging client shows it: "/screens <folder>" writes
// "<folder>\picker.ready" with the dialog's rectangle, waits for "picker.done" and closes it.
#include <string>

#include "picker_driver.h"

#include <shellapi.h>

namespace {

std::wstring g_folder;

void Capture(HWND d) {
  // A few rows chosen, so that the picture shows both lists.
  dlg::Select(d, 17033, dlg::Find(d, 17033, " Turing Alan(102)"));
  dlg::Click(d, 17009);
  dlg::Select(d, 17033, dlg::Find(d, 17033, " Lovelace Ada(101)"));
  dlg::Idle(d);  // the buttons follow the selection
  UpdateWindow(d);
  if (!g_folder.empty()) {
    RECT rc;
    GetWindowRect(d, &rc);
    char geometry[64];
    int len = wsprintfA(geometry, "%ld %ld %ld %ld\n", rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top);
    std::wstring ready = g_folder + L"\\picker.ready", done = g_folder + L"\\picker.done";
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
  dlg::Click(d, IDOK);
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
      rc = hr == S_OK ? 0 : 2;
    }
  }
  CoUninitialize();
  return rc;
}
