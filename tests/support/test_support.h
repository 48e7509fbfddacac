// Helpers shared by the test programs.
#pragma once
#include <windows.h>
#include <string>
#include <vector>

namespace testing_support {
// Dispatches every message waiting in this thread's queue.
void PumpMessages();
// A top-level window of this thread with a child of that id (a dialog known by one of its
// controls); NULL when there is none.
HWND ThreadWindowWithControl(int id);
// Presses and releases each virtual key in turn, through SendInput.
void TypeKeys(const std::vector<WORD>& keys);
// Presses the modifier, presses and releases the key, releases the modifier, through SendInput.
void TypeChord(WORD modifier, WORD key);
// Marks the key held (or released) in this thread's keyboard state, as GetKeyState reads it;
// no input is sent.
void HoldKey(WORD key, bool down);
// Moves the mouse to pt (screen) through SendInput, with the button events in `buttons`
// (MOUSEEVENTF_LEFTDOWN ...) at that place.
void MouseTo(POINT pt, DWORD buttons = 0);
// "left,top,right,bottom", for comparing rectangles with readable failures.
std::string RectText(const RECT& r);
// The child's window rectangle in the parent's client coordinates, as RectText.
std::string RectInParent(HWND parent, HWND child);
// Reads a whole file; empty when it does not exist.
std::string ReadFile(const std::string& path);
// A fresh path in the temporary folder, unique per call.
std::string TempPath(const char* stem);
// Puts the text on the clipboard as Unicode text; false when the clipboard cannot be opened.
bool PutUnicodeOnClipboard(HWND owner, const wchar_t* text);
// Makes a failed assertion of the framework (ASSERT, VERIFY) fail the running test with the
// assertion's file, line and expression; the test goes on.
void ReportAssertionsAsFailures();
}  // namespace testing_support
