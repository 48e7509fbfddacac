// A window of the sample host that shows Japanese text laid out by the drawing view in two narrow
// columns: with the Far-East line-breaking rules of the UI language "ja", and without them.
#pragma once
#include <windows.h>

namespace host {
// A captioned popup owned by `owner`, at `rc` (screen coordinates), not yet shown.
HWND CreateFarEastWindow(HWND owner, const RECT& rc);
// With "/fareast" on the command line, in screenshot mode: pictures that window alone (as
// "far_east_text_ansi" in the earlier edition, "far_east_text_alone" in the current one) and
// answers true, the host then ending; false otherwise.
bool CaptureFarEastWindowAlone(HWND owner);
}  // namespace host
