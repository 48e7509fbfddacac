// The client's side of a picker run: the module made through COM, and a modal picker driven
// from a timer inside its own modal loop.
#pragma once
#include <functional>
#include <string>
#include <vector>

#include "fake_host.h"

struct PickerClient {
  IUnknown* object = NULL;
  IModule* module = NULL;
  IPickerModule* picker = NULL;
  // CoCreateInstance of the module, Init with the host's manager, SetUser(user).
  HRESULT Create(FakeHost& host, DWORD user = 104);
  void Release();
  ~PickerClient() { Release(); }
};

// SelectObjects on a fresh owner window; each step runs on the picker's dialog from a timer
// inside its modal loop, one step per tick, so that what a step posts is handled before the
// next one (the last step must end the dialog). The owner is destroyed afterwards.
using PickerStep = std::function<void(HWND dialog)>;
HRESULT RunPicker(IPickerModule* picker, int kind, DWORD flags, const VARIANT& initial, VARIANT* result,
                  std::vector<PickerStep> steps);

// A dialog without the client's owner window, made by call: the steps run on the dialog that
// takes input (a message box while one is shown).
HRESULT RunDialog(const std::function<HRESULT()>& call, std::vector<PickerStep> steps);

// Acting on the dialog.
namespace dlg {
int Count(HWND d, int list);
std::string Text(HWND d, int list, int row);
void Select(HWND d, int list, int row);  // that row only
void SelectAlso(HWND d, int list, int row);
void Focus(HWND d, int list, int row);
void Click(HWND d, int id);
void Idle(HWND d);  // one idle pass: button states follow the lists
bool Enabled(HWND d, int id);
void Notify(HWND d, int list, UINT code);  // NM_DBLCLK, NM_RCLICK from a list
int Find(HWND d, int list, const std::string& text);  // the row with that text, -1 when none
}  // namespace dlg
