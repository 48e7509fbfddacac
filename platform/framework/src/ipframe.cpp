// COleDocIPFrameWnd.
#include "fw_frames.h"

IMPLEMENT_DYNCREATE(COleDocIPFrameWnd, CFrameWnd)

COleDocIPFrameWnd::COleDocIPFrameWnd() = default;

COleDocIPFrameWnd::~COleDocIPFrameWnd() = default;
