// Picking a folder: the shell's folder browser, limited to folders of the file system.
#pragma once
#include <framework.h>

#include <QvFiles.h>

#include <string>

#include "quarnel_api.h"

// Runs the shell's folder browser (owner `owner`, no root, the title when not empty) and
// answers the chosen folder's path in `path`. With an initial folder the browser starts on
// it, and its controls get the default GUI font. False, with `path` unchanged, when the
// browser is cancelled or the chosen item has no file-system path (a virtual folder).
QUARNEL_API bool GUIBrowseForFolder(HWND owner, const std::wstring& initial, const std::wstring& title,
                                    std::wstring& path);

// The portable folder picker.
class QUARNEL_API QvGetDirectoryDialog {
 public:
  // The shell's folder browser (owner: the safe owner window) started on the initial folder
  // when one is given, the title (UTF-8) when not null; before Windows 4 (Win32s, Windows NT
  // 3), which have no browser, the library's folder dialog (CGUIFolderDialog) instead. Answers a new directory object of the
  // chosen folder made by the global file master (the caller releases it), or null when the
  // browser is cancelled or the choice is no folder of the file system: no object is made
  // then. The help id is not used.
  QvDirectory* Process(QvDirectory* initial, const char* title, unsigned long helpId);
};
