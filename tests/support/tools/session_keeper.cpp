// session_keeper.exe: holds the Wine session's desktop open until its standard input ends.
// The desktop's process (explorer.exe) is started by the first program that needs it and takes
// that program's standard error; it ends only once no program uses the desktop. Started by
// cmake/wine-session.sh on /dev/null before the tests, this program makes the desktop and keeps
// it, so that no test program starts it and ctest never waits on it after a test ended.
#include <windows.h>

int wmain() {
  if (GetDesktopWindow() == NULL) return 1;  // the desktop's process starts here
  HWND keeper = CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, NULL, NULL, NULL);
  char buffer[256];
  DWORD got = 0;
  while (ReadFile(GetStdHandle(STD_INPUT_HANDLE), buffer, sizeof buffer, &got, NULL) && got > 0) {
  }
  if (keeper != NULL) DestroyWindow(keeper);
  return 0;
}
