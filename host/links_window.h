// A small window of the sample host that shows a text with links, opened on a click.
#pragma once
#include <windows.h>

namespace host {
// A captioned popup owned by `owner`, at `rc` (screen coordinates), not yet shown.
HWND CreateLinksWindow(HWND owner, const RECT& rc);
}  // namespace host
