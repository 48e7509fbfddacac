// The command adaptors of the toolbar combo boxes and the portable line combo box.
#include "QvCommandCombos.h"

#include "GUIToolbarCombos.h"

QV_IMPLEMENT_CREATABLE(QvCommandForZoomComboBox, QV_RUNTIME_CLASS(QvCommand))
QV_IMPLEMENT_CREATABLE(QvCommandForFontsComboBox, QV_RUNTIME_CLASS(QvCommand))
QV_IMPLEMENT_CREATABLE(QvCommandForSizesComboBox, QV_RUNTIME_CLASS(QvCommand))
QV_IMPLEMENT_CREATABLE(QvCommandForDrillDepthComboBox, QV_RUNTIME_CLASS(QvCommand))
QV_IMPLEMENT_CREATABLE(QvCommandForLineComboBox, QV_RUNTIME_CLASS(QvCommand))
QV_IMPLEMENT_CLASS(QvLineComboBox, nullptr)
QV_IMPLEMENT_CREATABLE(QvWINLineComboBox, QV_RUNTIME_CLASS(QvLineComboBox))
QV_CLASSINIT(QvCommandForZoomComboBox)
QV_CLASSINIT(QvCommandForFontsComboBox)
QV_CLASSINIT(QvCommandForSizesComboBox)
QV_CLASSINIT(QvCommandForDrillDepthComboBox)
QV_CLASSINIT(QvCommandForLineComboBox)

namespace {
QvZoomComboBox* s_zoomCombo = nullptr;
QvFontsComboBox* s_fontsCombo = nullptr;
QvEditComboBox* s_sizesCombo = nullptr;
QvEditComboBox* s_drillDepthCombo = nullptr;
QvLineComboBox* s_lineCombo = nullptr;

// Border line types 2 to 10 and their list positions.
const int kFirstType = 2;
const int kStyleOfType[] = {0, 4, 5, 6, 1, 2, 3, 8, 7};
const int kTypeCount = sizeof kStyleOfType / sizeof kStyleOfType[0];
}  // namespace

// ---------------------------------------------------------------------------------------
// Zoom and fonts

QvZoomComboBox* QvCommandForZoomComboBox::Get_ZoomComboBox() { return s_zoomCombo; }
void QvCommandForZoomComboBox::Set_ZoomComboBox(QvZoomComboBox* combo) { s_zoomCombo = combo; }

bool QvCommandForZoomComboBox::SetZoomValues(const QvArrayUShort& values, bool allowOthers) {
  return s_zoomCombo && s_zoomCombo->SetZoomValues(values, allowOthers);
}

void QvCommandForZoomComboBox::SetZoomRange(unsigned short minimum, unsigned short maximum) {
  if (s_zoomCombo) s_zoomCombo->SetZoomRange(minimum, maximum);
}

bool QvCommandForZoomComboBox::SetZoom(unsigned short zoom) { return s_zoomCombo && s_zoomCombo->SetZoom(zoom); }

unsigned short QvCommandForZoomComboBox::GetZoom() { return s_zoomCombo ? s_zoomCombo->GetZoom() : 0; }

QvFontsComboBox* QvCommandForFontsComboBox::Get_FontsComboBox() { return s_fontsCombo; }
void QvCommandForFontsComboBox::Set_FontsComboBox(QvFontsComboBox* combo) { s_fontsCombo = combo; }

bool QvCommandForFontsComboBox::SetFont(const QvFont& font) { return s_fontsCombo && s_fontsCombo->SetFont(font); }
bool QvCommandForFontsComboBox::GetFont(QvFont& font) { return s_fontsCombo && s_fontsCombo->GetFont(font); }
bool QvCommandForFontsComboBox::GetFontName(QvString& name) {
  return s_fontsCombo && s_fontsCombo->GetFontName(name);
}
bool QvCommandForFontsComboBox::GetFontSize(unsigned short& size) {
  return s_fontsCombo && s_fontsCombo->GetFontSize(size);
}
bool QvCommandForFontsComboBox::LinkASizesCombo(QvEditComboBox* sizes) {
  return s_fontsCombo && s_fontsCombo->LinkASizesCombo(sizes);
}

// ---------------------------------------------------------------------------------------
// Edit combo boxes: sizes and drill depth

QvEditComboBox* QvCommandForSizesComboBox::Get_ComboBox() { return s_sizesCombo; }
void QvCommandForSizesComboBox::Set_ComboBox(QvEditComboBox* combo) { s_sizesCombo = combo; }
QvEditComboBox* QvCommandForDrillDepthComboBox::Get_ComboBox() { return s_drillDepthCombo; }
void QvCommandForDrillDepthComboBox::Set_ComboBox(QvEditComboBox* combo) { s_drillDepthCombo = combo; }

bool QvCommandForEditComboBox::Select(const QvString& text) {
  QvEditComboBox* combo = Combo();
  return combo && combo->Select(text);
}
bool QvCommandForEditComboBox::Select(long index) {
  QvEditComboBox* combo = Combo();
  return combo && combo->Select(index);
}
bool QvCommandForEditComboBox::GetSelected(QvString& text) {
  QvEditComboBox* combo = Combo();
  return combo && combo->GetSelected(text);
}
bool QvCommandForEditComboBox::GetSelected(long& index) {
  QvEditComboBox* combo = Combo();
  if (!combo) index = -1;
  return combo && combo->GetSelected(index);
}
void QvCommandForEditComboBox::DeselectAll() {
  if (QvEditComboBox* combo = Combo()) combo->DeselectAll();
}
long QvCommandForEditComboBox::GetCount() {
  QvEditComboBox* combo = Combo();
  return combo ? combo->GetCount() : 0;
}
long QvCommandForEditComboBox::GetSelectedCount() {
  QvEditComboBox* combo = Combo();
  return combo ? combo->GetSelectedCount() : 0;
}
void QvCommandForEditComboBox::Sort(bool sort) {
  if (QvEditComboBox* combo = Combo()) combo->Sort(sort);
}
bool QvCommandForEditComboBox::IsSorted() {
  QvEditComboBox* combo = Combo();
  return combo && combo->IsSorted();
}
long QvCommandForEditComboBox::AddItem(const QvString& text, long index) {
  QvEditComboBox* combo = Combo();
  return combo ? combo->AddItem(text, index) : -1;
}
long QvCommandForEditComboBox::AddItem(const QvString& text) {
  QvEditComboBox* combo = Combo();
  return combo ? combo->AddItem(text) : -1;
}
void QvCommandForEditComboBox::AddItem(const QvArrayQvString& texts) {
  if (QvEditComboBox* combo = Combo()) combo->AddItem(texts);
}
bool QvCommandForEditComboBox::DeleteItem(long index) {
  QvEditComboBox* combo = Combo();
  return combo && combo->DeleteItem(index);
}
bool QvCommandForEditComboBox::DeleteItem(const QvString& text) {
  QvEditComboBox* combo = Combo();
  return combo && combo->DeleteItem(text);
}
void QvCommandForEditComboBox::DeleteAllItems() {
  if (QvEditComboBox* combo = Combo()) combo->DeleteAllItems();
}
bool QvCommandForEditComboBox::FindItem(const QvString& text, long& index) {
  QvEditComboBox* combo = Combo();
  if (!combo) index = -1;
  return combo && combo->FindItem(text, index);
}
bool QvCommandForEditComboBox::FindItem(long index, QvString& text) {
  QvEditComboBox* combo = Combo();
  if (!combo) text.Empty();
  return combo && combo->FindItem(index, text);
}
bool QvCommandForEditComboBox::SetItemData(long index, void* data) {
  QvEditComboBox* combo = Combo();
  if (!combo || index < 0 || index >= combo->GetCount()) return false;
  combo->SetItemData(index, data);
  return true;
}
void* QvCommandForEditComboBox::GetItemData(long index) {
  QvEditComboBox* combo = Combo();
  return combo ? combo->GetItemData(index) : nullptr;
}
bool QvCommandForEditComboBox::SetItemText(long index, const QvString& text) {
  QvEditComboBox* combo = Combo();
  return combo && combo->SetItemText(index, text);
}

// ---------------------------------------------------------------------------------------
// Line styles

CCQvLineStyle QvLineComboBox::StyleOfType(QvBorderLineType type) {
  const int at = static_cast<int>(type) - kFirstType;
  return static_cast<CCQvLineStyle>(at >= 0 && at < kTypeCount ? kStyleOfType[at] : static_cast<int>(type));
}

QvBorderLineType QvLineComboBox::TypeOfStyle(CCQvLineStyle style) {
  for (int at = 1; at < kTypeCount; ++at)  // style 0 is type 2, as is any other
    if (kStyleOfType[at] == static_cast<int>(style)) return static_cast<QvBorderLineType>(kFirstType + at);
  return static_cast<QvBorderLineType>(kFirstType);
}

void QvLineComboBox::SetLineStyle(QvBorderLineType type) { PlateformSetLineStyle(StyleOfType(type)); }

QvBorderLineType QvLineComboBox::GetLineStyle() { return TypeOfStyle(PlateformGetLineStyle()); }

void QvWINLineComboBox::PlateformSetLineStyle(CCQvLineStyle style) {
  if (m_combo && m_combo->GetSafeHwnd()) m_combo->FillLineWidths(static_cast<int>(style));
}

CCQvLineStyle QvWINLineComboBox::PlateformGetLineStyle() {
  HWND window = m_combo ? m_combo->GetSafeHwnd() : NULL;
  const LRESULT selected = window ? ::SendMessageW(window, CB_GETCURSEL, 0, 0) : CB_ERR;
  return static_cast<CCQvLineStyle>(selected < 0 ? -1 : static_cast<int>(selected));
}

QvLineComboBox* QvCommandForLineComboBox::Get_ComboBox() { return s_lineCombo; }
void QvCommandForLineComboBox::Set_ComboBox(QvLineComboBox* combo) { s_lineCombo = combo; }

void QvCommandForLineComboBox::SetLineStyle(QvBorderLineType type) {
  if (s_lineCombo) s_lineCombo->SetLineStyle(type);
}

QvBorderLineType QvCommandForLineComboBox::GetLineStyle() {
  return s_lineCombo ? s_lineCombo->GetLineStyle() : static_cast<QvBorderLineType>(kFirstType);
}
