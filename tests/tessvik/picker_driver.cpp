// PickerClient and the timer-driven picker run.
#include "picker_driver.h"

#include <commctrl.h>

namespace {

std::vector<PickerStep> g_steps;
size_t g_next = 0;
HWND g_owner = NULL;
UINT_PTR g_timer = 0;

BOOL CALLBACK IsPicker(HWND w, LPARAM p) {
  char cls[16];
  GetClassNameA(w, cls, sizeof(cls));
  // Without an owner of the client's, the dialog that takes input now (a message box over a
  // picker is the one).
  bool ours = g_owner != NULL ? GetWindow(w, GW_OWNER) == g_owner : IsWindowEnabled(w) != FALSE;
  if (lstrcmpA(cls, "#32770") == 0 && ours && IsWindowVisible(w)) {
    *reinterpret_cast<HWND*>(p) = w;
    return FALSE;
  }
  return TRUE;
}

HWND FindPicker() {
  HWND found = NULL;
  EnumThreadWindows(GetCurrentThreadId(), &IsPicker, reinterpret_cast<LPARAM>(&found));
  return found;
}

void CALLBACK OnTimer(HWND, UINT, UINT_PTR, DWORD) {
  HWND d = FindPicker();
  if (d == NULL) return;  // not shown yet
  if (g_next >= g_steps.size()) return;
  PickerStep step = g_steps[g_next++];
  step(d);
}

}  // namespace

HRESULT PickerClient::Create(FakeHost& host, DWORD user) {
  HRESULT hr = CoCreateInstance(CLSID_WexModule, NULL, CLSCTX_INPROC_SERVER, IID_IUnknown,
                                reinterpret_cast<void**>(&object));
  if (FAILED(hr)) return hr;
  object->QueryInterface(IID_IModule, reinterpret_cast<void**>(&module));
  object->QueryInterface(IID_IPickerModule, reinterpret_cast<void**>(&picker));
  if (module == NULL || picker == NULL) return E_NOINTERFACE;
  hr = module->Init(host.Manager());
  if (SUCCEEDED(hr)) module->SetUser(user);
  return hr;
}

void PickerClient::Release() {
  if (picker) picker->Release();
  if (module) module->Release();
  if (object) object->Release();
  picker = NULL;
  module = NULL;
  object = NULL;
}

HRESULT RunPicker(IPickerModule* picker, int kind, DWORD flags, const VARIANT& initial, VARIANT* result,
                  std::vector<PickerStep> steps) {
  g_owner = CreateWindowExA(0, "STATIC", "client", WS_POPUP | WS_VISIBLE, 0, 0, 100, 100, NULL, NULL, NULL, NULL);
  g_steps = std::move(steps);
  g_next = 0;
  g_timer = SetTimer(NULL, 0, 10, &OnTimer);
  HRESULT hr = picker->SelectObjects(kind, g_owner, initial, flags, result);
  if (g_timer != 0) KillTimer(NULL, g_timer);
  g_timer = 0;
  g_steps.clear();
  DestroyWindow(g_owner);
  g_owner = NULL;
  return hr;
}

HRESULT RunDialog(const std::function<HRESULT()>& call, std::vector<PickerStep> steps) {
  g_owner = NULL;
  g_steps = std::move(steps);
  g_next = 0;
  g_timer = SetTimer(NULL, 0, 10, &OnTimer);
  HRESULT hr = call();
  if (g_timer != 0) KillTimer(NULL, g_timer);
  g_timer = 0;
  g_steps.clear();
  return hr;
}

namespace dlg {

int Count(HWND d, int list) { return static_cast<int>(SendDlgItemMessageA(d, list, LVM_GETITEMCOUNT, 0, 0)); }

std::string Text(HWND d, int list, int row) {
  char buf[256] = {};
  LVITEMA item = {};
  item.iSubItem = 0;
  item.pszText = buf;
  item.cchTextMax = sizeof(buf);
  SendDlgItemMessageA(d, list, LVM_GETITEMTEXTA, row, reinterpret_cast<LPARAM>(&item));
  return buf;
}

void SetState(HWND d, int list, int row, UINT state, UINT mask) {
  LVITEMA item = {};
  item.stateMask = mask;
  item.state = state;
  SendDlgItemMessageA(d, list, LVM_SETITEMSTATE, row, reinterpret_cast<LPARAM>(&item));
}

void Select(HWND d, int list, int row) {
  SetState(d, list, -1, 0, LVIS_SELECTED);
  SetState(d, list, row, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
}

void SelectAlso(HWND d, int list, int row) { SetState(d, list, row, LVIS_SELECTED, LVIS_SELECTED); }

void Focus(HWND d, int list, int row) { SetState(d, list, row, LVIS_FOCUSED, LVIS_FOCUSED); }

void Click(HWND d, int id) {
  SendMessageA(d, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(d, id)));
}

void Idle(HWND d) { SendMessageA(d, 0x036A /* WM_KICKIDLE */, 0, 0); }

bool Enabled(HWND d, int id) { return IsWindowEnabled(GetDlgItem(d, id)) != FALSE; }

void Notify(HWND d, int list, UINT code) {
  NMITEMACTIVATE nm = {};
  nm.hdr.hwndFrom = GetDlgItem(d, list);
  nm.hdr.idFrom = static_cast<UINT_PTR>(list);
  nm.hdr.code = code;
  nm.iItem = -1;
  SendMessageA(d, WM_NOTIFY, static_cast<WPARAM>(list), reinterpret_cast<LPARAM>(&nm));
}

int Find(HWND d, int list, const std::string& text) {
  for (int i = 0; i < Count(d, list); ++i)
    if (Text(d, list, i) == text) return i;
  return -1;
}

}  // namespace dlg
