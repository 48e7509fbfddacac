// A tab control whose tabs share one width, that of its widest text and image, shrunk so
// that all tabs fit the control; it draws each tab itself. The creator gives the control the
// fixed-width and owner-drawn styles (TCS_FIXEDWIDTH | TCS_OWNERDRAWFIXED).
#pragma once
#include <fw_controls.h>

#include "quarnel_api.h"

#include <vector>

class QUARNEL_API CQvTabCtrl : public CTabCtrl {
  DECLARE_DYNAMIC(CQvTabCtrl)

 public:
  // Room the tabs leave free across the control, in pixels.
  enum { kSideRoom = 10 };
  // Room beside a tab's text, and between its image and its text.
  enum { kTextRoom = 12, kImageRoom = 4 };

  CQvTabCtrl() = default;

  // Measures every tab again (after a change of the image list, say) and sets the width.
  void RecalcItemSize();
  // The width all tabs are given for a client `clientWidth` wide, `count` tabs and the widest
  // tab wanting `wanted` pixels: the share of each in the client width less the side room,
  // never more than wanted and never less than 1 pixel.
  static int SharedTabWidth(int clientWidth, int count, int wanted);
  // The width the tab wants: its text in the default GUI font, the room beside it and, when it
  // shows an image, the image and the room after it.
  int MeasureItem(int item) const;

  void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override;

 protected:
  afx_msg void OnSize(UINT type, int cx, int cy);
  afx_msg LRESULT OnInsertItem(WPARAM, LPARAM);
  afx_msg LRESULT OnDeleteItem(WPARAM, LPARAM);
  afx_msg LRESULT OnDeleteAllItems(WPARAM, LPARAM);
  afx_msg LRESULT OnSetItem(WPARAM, LPARAM);
  afx_msg LRESULT OnSetImageList(WPARAM, LPARAM);
  DECLARE_MESSAGE_MAP()

 private:
  // Sets the shared width from the measured widths.
  void ApplyItemSize();

  // The wanted width of each tab, kept in step with the tabs, so that an insertion measures
  // only the tab inserted.
  std::vector<int> m_wanted;
};
