// The sample host's document window: a page of report text drawn through the library's
// drawing view, which scrolls over a page larger than the window.
#pragma once
#include <windows.h>

namespace host {
// Creates the document window (owned by the framework; it deletes itself when destroyed).
HWND CreateDocumentWindow();
}  // namespace host
