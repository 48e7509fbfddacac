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
