// The framework window of an icon pane: creates a window of "QvIconPaneControl32" and drives
// it through the pane's private messages. Without a window the calls answer FALSE or -1.
#pragma once
#include <fw_wnd.h>

#include "IconPaneControl.h"
#include "quarnel_api.h"

class QUARNEL_API CIconPaneControl : public CWnd {
  DECLARE_DYNAMIC(CIconPaneControl)

 public:
  CIconPaneControl();
  ~CIconPaneControl() override;

  // A visible tab-stop child of the class with `count` items cut from the strip bitmapId at
  // width x height, captioned by labelIds. 0 when the window cannot be made; 1 otherwise
  // (the items exist when the pane accepted them: see IsItemEnabled).
  BOOL Create(CWnd* parent, CRect& rect, UINT id, int count, int width, int height, UINT bitmapId,
              const UINT* labelIds);
  BOOL Create(CWnd* parent, CRect& rect, UINT id, IPCREATESTRUCT& create);

  void SetDrawStyle(IPDRAWSTYLE style);
  BOOL GetDragDrop(int& out) const;
  BOOL SetDragDrop(int flag, int* old = NULL);
  BOOL Get3DStyle(IP3DSTYLE& out) const;
  BOOL Set3DStyle(IP3DSTYLE style, IP3DSTYLE* old = NULL);
  int EnableItem(int item, int enable);
  int IsItemEnabled(int item) const;
  int CheckItem(int item, int check);
  int IsItemChecked(int item) const;
  // The previous owner; -1 (as a handle) without a window.
  HWND SetOwner(HWND owner);
  int GetCheckedItem() const;

  BOOL PreTranslateMessage(MSG* pMsg) override;

 protected:
  void PreSubclassWindow() override;
  LRESULT Send(UINT message, WPARAM wParam, LPARAM lParam, LRESULT none) const;
};
