// A window of the sample host with the portable layer's toolbars: two bars built from button
// lists of the host's commands, each button with the image, kind and rights of its command
// (the mail command shows disabled, the macros are hidden, the options are disabled).
#pragma once
#include <windows.h>

namespace host {
// A captioned window owned by `owner`, at `rc` (screen coordinates), not yet shown; NULL when
// it cannot be made. Its toolbar manager and bars go with it.
HWND CreatePortableToolbars(HWND owner, const RECT& rc);
}  // namespace host
