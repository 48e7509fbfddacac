// The header of a sortable list: it draws its owner-drawn items itself and shows a
// three-dimensional triangle in the sort column (pointing up for ascending, down for
// descending).
#pragma once
#include <framework.h>

#include "quarnel_api.h"

class QUARNEL_API CSortHeader : public CHeaderCtrl {
 public:
  CSortHeader();
  ~CSortHeader() override;

  // Shows the arrow in a column (making that item owner-drawn; items owner-drawn before stay
  // so); returns the previous sort column (-1 = none).
  int SetSortImage(int nColumn, BOOL bAscending);
  int GetSortColumn() const { return m_nSortColumn; }
  BOOL IsAscending() const { return m_bAscending; }
  void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override;

 protected:
  int m_nSortColumn;
  BOOL m_bAscending;
};
