// The cell record of the multi-column list.
#include "QvListCell.h"

QvListCell& QvListCell::operator=(const QvListCell& other) {
  m_setFlags = other.m_setFlags;
  m_text = other.m_text;
  m_pictureIndex = other.m_pictureIndex;
  m_itemData = other.m_itemData;
  return *this;
}

void QvListCell::SetText(const QvString& text) {
  m_text = text;
  m_setFlags |= TextSet;
}

bool QvListCell::GetText(QvString& text) const {
  if (!(m_setFlags & TextSet)) {
    text.Empty();
    return false;
  }
  text = m_text;
  return true;
}

void QvListCell::SetItemData(void* data) {
  m_itemData = data;
  m_setFlags |= ItemDataSet;
}

bool QvListCell::GetItemData(void*& data) const {
  if (!(m_setFlags & ItemDataSet)) {
    data = nullptr;
    return false;
  }
  data = m_itemData;
  return true;
}

void QvListCell::Reset() {
  m_text.Empty();
  m_setFlags = 0;
  m_pictureIndex = -1;
}
