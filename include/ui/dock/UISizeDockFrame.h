// Frames that dock their bars on sizable dock bars and save the bar layout, with the sizes of
// their sizable bars, in the application profile.
//
// Profile data, section given by the caller: "Version" = 2 (any other value: the stored
// layout is not used), the framework's bar records and summary, and "BarSize_<control id>"
// for each sizable bar: a 24-byte REG_BINARY value of six 32-bit ints (floating cx, cy,
// horizontal cx, cy, vertical cx, cy).
#pragma once
#include <fw_mdi.h>

#include "SizeDockBar.h"
#include "quarnel_api.h"

// The saved layout without the custom toolbars that are not kept.
class QUARNEL_API CUIDockState : public CDockState {
  DECLARE_DYNAMIC(CUIDockState)

 public:
  // The framework's records, numbered in order, skipping custom toolbars that are not
  // persistent; then the summary ("Bars", "ScreenCX", "ScreenCY").
  void SaveState(LPCTSTR lpszProfileName) override;
};

// The docking operations of the sizable-docking frames, on any frame: the MDI main frame below
// and the document frame with sizable docking forward to them.
namespace uidock {
// Sizable dock bars at the sides of dwDockStyle and sizable floating frames.
QUARNEL_API void EnableDocking(CFrameWnd& frame, DWORD dwDockStyle);
QUARNEL_API BOOL DockControlBarEx(CFrameWnd& frame, CControlBar* pBar, CDockBar* pDockBar, const RECT* lpRect);
QUARNEL_API void GetDockState(CFrameWnd& frame, CDockState& state);
// The records (CUIDockState), then the sizes through saveSizes, then the version.
QUARNEL_API void SaveBarState(CFrameWnd& frame, LPCTSTR lpszSection, void (*saveSizes)(CFrameWnd&, LPCTSTR));
// Nothing unless the section holds the current version; then the framework's records and, when
// they were sound and fit the frame, the sizes through readSizes (an exception stops there); the
// sides forget their hidden bars.
QUARNEL_API void LoadBarState(CFrameWnd& frame, LPCTSTR lpszSection, void (*readSizes)(CFrameWnd&, LPCTSTR));
QUARNEL_API void SaveBarSizes(CFrameWnd& frame, LPCTSTR lpszSection, BOOL bSave);
// The sizable sides forget which bars were hidden at their last layout (a restored layout
// shows its bars as they were saved, without making room for bars that reappear).
QUARNEL_API void ForgetHiddenBars(CFrameWnd& frame);
}  // namespace uidock

class QUARNEL_API CUIMDIFrameWndSizeDock : public CMDIFrameWnd {
  DECLARE_DYNCREATE(CUIMDIFrameWndSizeDock)

 public:
  static const int kBarStateVersion = 2;

  // Sizable dock bars at the sides of dwDockStyle and sizable floating frames; a failed
  // creation throws the framework's resource exception.
  virtual void EnableDocking(DWORD dwDockStyle);
  virtual void LoadBarState(LPCTSTR lpszSection);
  virtual void SaveBarState(LPCTSTR lpszSection);
  // Writes (bSave) or reads the "BarSize_" values of the sizable bars. A value that is not
  // exactly six ints is ignored; sizes are kept within the screen.
  virtual void SaveBarSizes(LPCTSTR lpszSection, BOOL bSave);
  // The records of the frame's bars, without custom toolbars not saved with the main ones; a
  // bar hidden only while an in-place item is active counts as shown.
  virtual void GetDockState(CDockState& state);
  // pDockBar NULL: the side of the bar's alignment. FALSE, and nothing docked, when there is
  // no such side.
  virtual BOOL DockControlBarEx(CControlBar* pBar, CDockBar* pDockBar, const RECT* lpRect);
};
