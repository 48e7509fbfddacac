#include "test_support.h"

#include <stdio.h>
#include <string.h>

namespace testing_support {

void PumpMessages() {
  MSG msg;
  while (PeekMessageW(&msg, NULL, 0, 0, PM_REMOVE)) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
}

namespace {
struct ControlSearch {
  int id;
  HWND found;
};
BOOL CALLBACK FindWindowWithControl(HWND h, LPARAM lp) {
  auto* search = reinterpret_cast<ControlSearch*>(lp);
  if (GetDlgItem(h, search->id) == NULL) return TRUE;
  search->found = h;
  return FALSE;
}
}  // namespace

HWND ThreadWindowWithControl(int id) {
  ControlSearch search = {id, NULL};
  EnumThreadWindows(GetCurrentThreadId(), &FindWindowWithControl, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

void TypeKeys(const std::vector<WORD>& keys) {
  std::vector<INPUT> inputs;
  for (WORD key : keys) {
    INPUT down = {};
    down.type = INPUT_KEYBOARD;
    down.ki.wVk = key;
    INPUT up = down;
    up.ki.dwFlags = KEYEVENTF_KEYUP;
    inputs.push_back(down);
    inputs.push_back(up);
  }
  SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

void TypeChord(WORD modifier, WORD key) {
  INPUT keys[4] = {};
  const WORD vk[4] = {modifier, key, key, modifier};
  for (int i = 0; i < 4; ++i) {
    keys[i].type = INPUT_KEYBOARD;
    keys[i].ki.wVk = vk[i];
    keys[i].ki.dwFlags = i >= 2 ? KEYEVENTF_KEYUP : 0;
  }
  SendInput(4, keys, sizeof(INPUT));
}

void HoldKey(WORD key, bool down) {
  BYTE keys[256];
  GetKeyboardState(keys);
  keys[key] = down ? 0x80 : 0;
  SetKeyboardState(keys);
}

void MouseTo(POINT pt, DWORD buttons) {
  const int w = GetSystemMetrics(SM_CXSCREEN), h = GetSystemMetrics(SM_CYSCREEN);
  INPUT in = {};
  in.type = INPUT_MOUSE;
  in.mi.dx = MulDiv(pt.x, 65536, w) + 1;
  in.mi.dy = MulDiv(pt.y, 65536, h) + 1;
  in.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE | buttons;
  SendInput(1, &in, sizeof in);
}

std::string RectText(const RECT& r) {
  return std::to_string(r.left) + "," + std::to_string(r.top) + "," + std::to_string(r.right) + "," +
         std::to_string(r.bottom);
}

std::string RectInParent(HWND parent, HWND child) {
  RECT r;
  GetWindowRect(child, &r);
  MapWindowPoints(NULL, parent, reinterpret_cast<POINT*>(&r), 2);
  return RectText(r);
}

std::string ReadFile(const std::string& path) {
  std::string out;
  if (FILE* f = fopen(path.c_str(), "rb")) {
    char buf[4096];
    size_t n;
    while ((n = fread(buf, 1, sizeof buf, f)) > 0) out.append(buf, n);
    fclose(f);
  }
  return out;
}

std::string TempPath(const char* stem) {
  static unsigned counter = 0;
  char dir[MAX_PATH];
  GetTempPathA(MAX_PATH, dir);
  char path[MAX_PATH * 2];
  snprintf(path, sizeof path, "%s%s_%lu_%u.tmp", dir, stem, GetCurrentProcessId(), ++counter);
  DeleteFileA(path);
  return path;
}

bool PutUnicodeOnClipboard(HWND owner, const wchar_t* text) {
  if (!OpenClipboard(owner)) return false;
  EmptyClipboard();
  const size_t bytes = (wcslen(text) + 1) * sizeof(wchar_t);
  if (HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, bytes)) {
    memcpy(GlobalLock(block), text, bytes);
    GlobalUnlock(block);
    if (!SetClipboardData(CF_UNICODETEXT, block)) GlobalFree(block);
  }
  CloseClipboard();
  return true;
}

}  // namespace testing_support
