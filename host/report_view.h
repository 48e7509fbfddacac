// The sample host's document window: a page of report text drawn through the library's
// drawing view, which scrolls over a page larger than the window.
#pragma once
#include <windows.h>

class CWnd;

namespace host {
// Creates the document window (owned by the framework; it deletes itself when destroyed).
HWND CreateDocumentWindow();
// A report view as the child `id` of `parent` (a pane of a document frame's splitter) with the
// scroll bars asked for, its page set up; NULL when it cannot be made. It deletes itself when
// destroyed.
CWnd* CreateReportView(CWnd* parent, UINT id, DWORD scrollBars = WS_HSCROLL | WS_VSCROLL);
}  // namespace host
