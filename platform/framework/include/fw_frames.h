// Other frames: the in-place frame of an OLE document server (the small tool frame,
// CMiniFrameWnd, is with the docking classes in fw_dock.h).
#pragma once
#include "fw_view.h"

class FW_API COleDocIPFrameWnd : public CFrameWnd {
  DECLARE_DYNCREATE(COleDocIPFrameWnd)

 public:
  COleDocIPFrameWnd();
  ~COleDocIPFrameWnd() override;
};
