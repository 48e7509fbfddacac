// Other frames: the small-caption floating frame and the in-place frame of an OLE document
// server.
#pragma once
#include "fw_view.h"

class FW_API CMiniFrameWnd : public CFrameWnd {
  DECLARE_DYNCREATE(CMiniFrameWnd)

 public:
  CMiniFrameWnd();
  ~CMiniFrameWnd() override;

  // A tool window (small caption) owned by pParentWnd; nID is kept as its help id.
  virtual BOOL Create(LPCTSTR lpClassName, LPCTSTR lpWindowName, DWORD dwStyle, const RECT& rect,
                      CWnd* pParentWnd = NULL, UINT nID = 0);
  virtual BOOL CreateEx(DWORD dwExStyle, LPCTSTR lpClassName, LPCTSTR lpWindowName, DWORD dwStyle,
                        const RECT& rect, CWnd* pParentWnd = NULL, UINT nID = 0);

  DECLARE_MESSAGE_MAP()
};

class FW_API COleDocIPFrameWnd : public CFrameWnd {
  DECLARE_DYNCREATE(COleDocIPFrameWnd)

 public:
  COleDocIPFrameWnd();
  ~COleDocIPFrameWnd() override;
};
