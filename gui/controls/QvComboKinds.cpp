// The portable font-name, zoom and fill-pattern lists, on the kinds of the platform combo box.
#include <string>
#include <vector>

#include "GUIControls.h"
#include "QvControls.h"

QV_IMPLEMENT_CREATABLE(QvFontsComboBox, QV_RUNTIME_CLASS(QvEditComboBox))
QV_IMPLEMENT_CREATABLE(QvZoomComboBox, QV_RUNTIME_CLASS(QvEditComboBox))
QV_IMPLEMENT_CREATABLE(QvPatternComboBox, QV_RUNTIME_CLASS(QvEditComboBox))
QV_CLASSINIT(QvFontsComboBox)
QV_CLASSINIT(QvZoomComboBox)
QV_CLASSINIT(QvPatternComboBox)

// ---------------------------------------------------------------------------------------
// Font names

CGUIComboBox* QvFontsComboBox::Fonts() const {
  CGUIComboBox* combo = Combo();
  return combo && (combo->m_flags & CGUIComboBox::kFonts) ? combo : nullptr;
}

void QvFontsComboBox::OnPlatformControlSet() {
  if (CGUIComboBox* combo = Combo()) combo->FillFonts();
}

bool QvFontsComboBox::SetFont(const QvFont& font) {
  CGUIComboBox* combo = Fonts();
  return combo && combo->SetFontSelection(font.m_faceName.ToWide().c_str(), font.m_size);
}

bool QvFontsComboBox::GetFont(QvFont& font) {
  QvString name;
  if (!GetFontName(name)) return false;
  font.m_faceName = name;
  unsigned short size;
  if (GetFontSize(size)) font.m_size = size;
  return true;
}

bool QvFontsComboBox::GetFontName(QvString& name) {
  name.Empty();
  CGUIComboBox* combo = Fonts();
  std::wstring face;
  if (!combo || !combo->GetCurrentFontName(face)) return false;
  name = QvString(face.c_str());
  return true;
}

bool QvFontsComboBox::GetFontSize(unsigned short& size) {
  CGUIComboBox* combo = Fonts();
  int points = 0;
  if (!combo || !combo->GetCurrentFontSize(points)) return false;
  size = static_cast<unsigned short>(points);
  return true;
}

bool QvFontsComboBox::LinkASizesCombo(QvEditComboBox* sizes) {
  CGUIComboBox* combo = Fonts();
  if (!combo) return false;
  if (!sizes) return combo->LinkSizesCombo(nullptr);
  CGUIComboBox* list = sizes->GetPlatformWindow() ? dynamic_cast<CGUIComboBox*>(sizes->GetPlatformControl()) : nullptr;
  return list && combo->LinkSizesCombo(list);
}

// ---------------------------------------------------------------------------------------
// Zoom

void QvZoomComboBox::OnPlatformControlSet() {
  if (CGUIComboBox* combo = Combo()) combo->SetZoomValues(CGUIComboBox::kDefaultZoomValues, 9, true);
}

bool QvZoomComboBox::SetZoomValues(const QvArrayUShort& values, bool allowOthers) {
  CGUIComboBox* combo = Combo();
  if (!combo) return false;
  std::vector<unsigned short> list;
  for (long i = 0; i < values.GetSize(); ++i) list.push_back(values[i]);
  return combo->SetZoomValues(list.data(), static_cast<int>(list.size()), allowOthers);
}

void QvZoomComboBox::SetZoomRange(unsigned short minimum, unsigned short maximum) {
  if (CGUIComboBox* combo = Combo()) combo->SetZoomRange(minimum, maximum);
}

bool QvZoomComboBox::SetZoom(unsigned short zoom) {
  CGUIComboBox* combo = Combo();
  return combo && combo->SetZoom(zoom);
}

unsigned short QvZoomComboBox::GetZoom() {
  CGUIComboBox* combo = Combo();
  return combo ? combo->GetZoom() : 0;
}

// ---------------------------------------------------------------------------------------
// Fill patterns

CGUIComboBox* QvPatternComboBox::Patterns() const {
  CGUIComboBox* combo = Combo();
  return combo && (combo->m_flags & CGUIComboBox::kPatterns) ? combo : nullptr;
}

void QvPatternComboBox::OnPlatformControlSet() {
  if (CGUIComboBox* combo = Combo()) combo->FillPatterns();
}

bool QvPatternComboBox::SetPattern(const QvGUIPattern& pattern) {
  CGUIComboBox* combo = Patterns();
  if (!combo || pattern < 0 || pattern > combo->GetCount()) return false;
  combo->SetCurSel(static_cast<int>(pattern) - 1);
  return true;
}

bool QvPatternComboBox::GetPattern(QvGUIPattern& pattern) {
  CGUIComboBox* combo = Patterns();
  const int selected = combo ? combo->GetCurSel() : CB_ERR;
  pattern = static_cast<QvGUIPattern>(selected >= 0 ? selected + 1 : 0);
  return selected >= 0;
}

void QvPatternComboBox::SetColors(const QvColor& first, const QvColor& second) {
  auto ref = [](const QvColor& c) { return RGB(c.red >> 8, c.green >> 8, c.blue >> 8); };
  if (CGUIComboBox* combo = Patterns()) combo->SetPatternColors(ref(first), ref(second));
}
