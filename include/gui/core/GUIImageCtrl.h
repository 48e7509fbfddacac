// The image control ("QvImageCtrl", registered by the portable start-up) and the drawing of
// an image in a rectangle in its display modes and states.
//
// The control shows one QvImage (not owned) with an optional 3-D relief and can act as a
// check button. A button press sends its parent WM_NOTIFY with NM_CLICK (a double click
// NM_DBLCLK); in check mode the check state then flips and WM_NOTIFY with
// QIMN_CHECKCHANGED follows. The window keeps its state from WM_NCCREATE to WM_NCDESTROY;
// it also answers WM_SETFONT / WM_GETFONT, WM_SETREDRAW and WM_PRINTCLIENT. Its own
// messages are the QIM_ ones below; CGUIImageCtrl sends them.
#pragma once
#include <fw_wnd.h>

#include "QvImage.h"
#include "UIBitmapInState.h"
#include "quarnel_api.h"

// Draws the image in the rectangle (see the display modes and state bits). An image with a
// DIB is drawn by its DIB routine, copied or stretched to the rectangle whatever the mode and
// state. Nothing for a null image or one with nothing to show.
QUARNEL_API void DrawImageInState(CDC* dc, RECT* rect, QvImage* image, int display, unsigned int state);
// DrawBitmapInState, the same for a bitmap, is in UIBitmapInState.h (included above).

// Messages of the image control.
const UINT QIM_SETIMAGE = WM_USER + 1;      // wParam display mode, lParam QvImage* (null clears); TRUE
const UINT QIM_SETRELIEF = WM_USER + 2;     // wParam relief (0 none, 1 raised, other sunken), lParam flat
const UINT QIM_SETCHECKMODE = WM_USER + 3;  // wParam on
const UINT QIM_CHECK = WM_USER + 4;         // wParam on, lParam notify; only in check mode
const UINT QIM_GETFLAGS = WM_USER + 5;      // answers the QIMF_ flags
const UINT QIM_GETIMAGE = WM_USER + 6;      // answers the QvImage*

// Flags of the control.
const unsigned short QIMF_PAIR = 0x01;
const unsigned short QIMF_CHECKMODE = 0x02;
const unsigned short QIMF_CHECKED = 0x04;
const unsigned short QIMF_FLAT = 0x08;

// Notification code of a check-state change (after NM_CLICK or NM_DBLCLK).
const int QIMN_CHECKCHANGED = -89;

class QUARNEL_API CGUIImageCtrl : public CWnd {
  DECLARE_DYNCREATE(CGUIImageCtrl)

 public:
  CGUIImageCtrl() = default;
  BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id);

  // Shows the image (null: none) in the display mode; in QvImageFit the window takes the
  // image's size (plus 4 with a relief, plus 1 for a pair image). Answers true.
  bool SetImage(QvImage* image, int display);
  void SetRelief(int relief, bool flat);
  void SetCheckMode(bool on);
  bool IsChecked() const;
  // Only in check mode: sets the check state, with notify sending QIMN_CHECKCHANGED.
  void Check(bool on, bool notify);
  unsigned short GetFlags() const;
};
