// The text pane: a portable text view showing release notes, and the chart caught panning.
#pragma once
#include <windows.h>

namespace host {
// A captioned popup holding a portable text view; NULL when it cannot be made.
HWND CreateTextPaneWindow(HWND owner, RECT rect);
// Screenshot mode: the pane with a word found and selected ("text_pane").
void CaptureTextPane(HWND pane);
// Screenshot mode: the portable chart while its middle button pans, the panning mark showing
// ("portable_chart_panning").
void CaptureChartPanning(HWND chartFrame);
}  // namespace host
