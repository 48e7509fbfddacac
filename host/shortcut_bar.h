// The reports window's shortcut bar: 150 pixels at the left of a frame, a tile control whose
// "Documents" master holds an icon pane (and a second facet), with "Places" below.
#pragma once
#include <windows.h>

class CFrameWnd;

namespace host {
// Docks a shortcut bar at the frame's left side; false when it cannot be made. The frame
// destroys it with its other bars.
bool AddShortcutBar(CFrameWnd* frame);
// In screenshot mode: the tooltip text of the "Documents" header, whose caption is cut, shown
// under the header while `name` is captured from the frame.
void CaptureShortcutBarTooltip(CFrameWnd* frame, const wchar_t* name);
}  // namespace host
