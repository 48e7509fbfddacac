#include "QvGetDirectoryDialog.h"

#include <GUIPlatformUtilities.h>

#include <shlobj.h>

#include "QvFileDialog.h"

namespace {

BOOL CALLBACK SetDefaultFont(HWND child, LPARAM font) {
  ::SendMessage(child, WM_SETFONT, static_cast<WPARAM>(font), FALSE);
  return TRUE;
}

// At its start the browser selects the initial folder (lParam: its path) and its controls
// get the default GUI font.
int CALLBACK BrowseCallback(HWND browser, UINT message, LPARAM, LPARAM initial) {
  if (message == BFFM_INITIALIZED) {
    ::SendMessageW(browser, BFFM_SETSELECTIONW, TRUE, initial);  // the path is UTF-16 in both editions
    ::EnumChildWindows(browser, SetDefaultFont, reinterpret_cast<LPARAM>(::GetStockObject(DEFAULT_GUI_FONT)));
  }
  return 0;
}

// An item list of the shell, freed with the shell's allocator.
struct ItemList {
  LPITEMIDLIST items;
  ~ItemList() {
    if (items != NULL) ::CoTaskMemFree(items);
  }
};

}  // namespace

bool GUIBrowseForFolder(HWND owner, const std::wstring& initial, const std::wstring& title, std::wstring& path) {
  wchar_t display[MAX_PATH] = {};
  BROWSEINFOW bi = {};
  bi.hwndOwner = owner;
  bi.pszDisplayName = display;
  bi.lpszTitle = title.empty() ? NULL : title.c_str();
  bi.ulFlags = BIF_RETURNONLYFSDIRS;
  if (!initial.empty()) {
    bi.lpfn = BrowseCallback;
    bi.lParam = reinterpret_cast<LPARAM>(initial.c_str());
  }
  const ItemList chosen = {::SHBrowseForFolderW(&bi)};
  if (chosen.items == NULL) return false;
  wchar_t found[MAX_PATH] = {};
  // An item outside the file system has no path: that is no folder to answer.
  if (!::SHGetPathFromIDListW(chosen.items, found) || found[0] == L'\0') return false;
  path = found;
  return true;
}

QvDirectory* QvGetDirectoryDialog::Process(QvDirectory* initial, const char* title, unsigned long) {
  const std::wstring start = initial != nullptr ? initial->GetFileDescriptor()->WINONLY_GetPath().ToWide() : std::wstring();
  const HWND owner = CWnd::GetSafeOwner_(NULL, NULL);
  std::wstring chosen;
  const WindowsVersion version = GUIGetWindowsVersion();
  if (version == QvWin32s || version == QvWinNT3) {
    // No folder browser before Windows 4: the library's folder dialog.
    CGUIFolderDialog dialog(CString(QvString(title).ToWide().c_str()), CString(start.c_str()),
                            owner != NULL ? CWnd::FromHandle(owner) : NULL);
    if (dialog.DoModal() != IDOK) return nullptr;
    chosen = CStringW(dialog.GetFolder()).GetString();
    if (chosen.empty()) return nullptr;
  } else if (!GUIBrowseForFolder(owner, start, QvString(title).ToWide(), chosen)) {
    return nullptr;
  }
  return Get_GlobalFileMaster()->WINONLY_CreateQvDirectory(QvString(chosen.c_str()).c_str(), 0);
}
