// The portable nail strip: a QvControl whose platform window is a CToolNails ("QvToolNails").
// Its notifications reach the container through GUITranslateControlNotification: 1100 the
// current nail changed, 1101 double-click, 1102 right click, 1103 may a drag start, 1104 nails
// moved, 1105 the current nail is about to change (value: the record after the header, whose
// allow flag a handler may clear).
#pragma once
#include <QvContainers.h>
#include <QvControl.h>
#include <QvImage.h>

#include "quarnel_api.h"

class CToolNails;

class QUARNEL_API QvToolNail : public QvControl {
  QV_DECLARE_CREATABLE(QvToolNail)
 public:
  QvToolNail() = default;

  // The index of the new nail; -1 when unbound.
  short AddItem(const QvString& text, void* data, short imageId, unsigned long helpId);
  // Before index (a negative index appends).
  short InsertItem(const QvString& text, short index, void* data, short imageId, unsigned long helpId);
  bool SetItemText(short index, const QvString& text);
  bool GetItemText(short index, QvString& text);  // false for a bad index
  bool SetImageID(short index, short imageId);
  bool GetImageID(short index, short& imageId);  // true when the nail has an image
  bool SetItemData(short index, void* data);
  bool GetItemData(short index, void*& data);
  bool SetItemHelpID(short index, unsigned long helpId);
  bool GetItemHelpID(short index, unsigned long& helpId);

  // Whether the strip lies along the top of its parent, the page below it.
  bool IsTop();
  // At the top when `top`, else at the bottom.
  void SetAlignment(bool top);

  short GetSelectedCount();
  // Makes the nail current, asking the parent first (it may refuse).
  bool Select(short index);
  bool IsSelected(short index);
  // Writes the current nail (-1 none); true when there is one.
  bool GetSelected(short& index);
  // The selected nails in order; their count.
  short GetSelected(QvArraySLong& indexes);
  void DeselectAll();
  // The number deleted; out-of-range indexes are ignored.
  short DeleteItem(QvArraySLong& indexes);
  short DeleteItem(short index);
  short DeleteSelectedItems();
  void EnableMultipleSel(bool enable);
  bool IsMultipleSelEnabled();
  void EnableDrag(bool enable);
  bool IsDragEnabled();
  // The strip draws the images of the list, which stays the QvImageList's own.
  bool SetImageList(QvImageList* images);
  short GetCount();

  // The bound strip; null when unbound or gone.
  CToolNails* Nails() const;
};
