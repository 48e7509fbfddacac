// QvListCell: one cell of the multi-column list, each part with its own "set" flag.
#pragma once
#include <vekkel.h>

#include "quarnel_api.h"

class QUARNEL_API QvListCell : public QvFirst {
 public:
  enum { TextSet = 0x1, ItemDataSet = 0x2 };

  QvListCell() = default;
  QvListCell(const QvListCell& other) : QvFirst(other) { *this = other; }
  QvListCell& operator=(const QvListCell& other);

  void SetText(const QvString& text);
  // False, and the text emptied, when no text was set.
  bool GetText(QvString& text) const;
  void SetPictureIndex(short index) { m_pictureIndex = index; }
  short GetPictureIndex() const { return m_pictureIndex; }
  void SetItemData(void* data);
  // False, and null, when no item data was set.
  bool GetItemData(void*& data) const;
  // Empties the text, clears both flags and sets the picture index to -1; the item data
  // stays stored but reads as unset.
  void Reset();

 private:
  unsigned short m_setFlags = 0;
  QvString m_text;
  short m_pictureIndex = -1;
  void* m_itemData = nullptr;
};
