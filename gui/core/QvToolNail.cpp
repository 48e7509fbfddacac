// The portable nail strip over its CToolNails, the strip's place in the binding map and its
// typed lookup in the containers.
#include "QvToolNail.h"

#include <QvGUIContainer.h>

#include <vector>

#include "UIToolNails.h"

QV_IMPLEMENT_CREATABLE(QvToolNail, QV_RUNTIME_CLASS(QvControl))
QV_CLASSINIT(QvToolNail)

namespace {
struct NailBinding {
  NailBinding() { QvControl::SetPlatformClass(QV_RUNTIME_CLASS(QvToolNail), RUNTIME_CLASS(CToolNails)); }
};
NailBinding s_binding;
}  // namespace

bool QvGUIContainer::GetControlFromID(QvToolNail*& out, unsigned short id, unsigned long labelId) {
  QvControl* control = nullptr;
  const bool got = GetOrCreateControl(QV_RUNTIME_CLASS(QvToolNail), control, id, labelId);
  out = got ? dynamic_cast<QvToolNail*>(control) : nullptr;
  return out != nullptr;
}

CToolNails* QvToolNail::Nails() const {
  return GetPlatformWindow() ? dynamic_cast<CToolNails*>(m_platformControl) : nullptr;
}

short QvToolNail::AddItem(const QvString& text, void* data, short imageId, unsigned long helpId) {
  CToolNails* nails = Nails();
  return nails ? static_cast<short>(nails->AddItem(text.ToWide().c_str(), data, imageId, helpId)) : -1;
}

short QvToolNail::InsertItem(const QvString& text, short index, void* data, short imageId, unsigned long helpId) {
  CToolNails* nails = Nails();
  return nails ? static_cast<short>(nails->InsertItem(text.ToWide().c_str(), index, data, imageId, helpId)) : -1;
}

bool QvToolNail::SetItemText(short index, const QvString& text) {
  CToolNails* nails = Nails();
  return nails && nails->SetItemText(index, text.ToWide().c_str());
}

bool QvToolNail::GetItemText(short index, QvString& text) {
  CToolNails* nails = Nails();
  if (!nails || index < 0 || index >= nails->GetCount()) return false;
  text = CStringW(nails->GetItemText(index)).GetString();
  return true;
}

bool QvToolNail::SetImageID(short index, short imageId) {
  CToolNails* nails = Nails();
  return nails && nails->SetImageID(index, imageId);
}

bool QvToolNail::GetImageID(short index, short& imageId) {
  CToolNails* nails = Nails();
  imageId = static_cast<short>(nails ? nails->GetImageID(index) : -1);
  return imageId >= 0;
}

bool QvToolNail::SetItemData(short index, void* data) {
  if (CToolNails* nails = Nails()) nails->SetItemData(index, data);
  return true;
}

bool QvToolNail::GetItemData(short index, void*& data) {
  CToolNails* nails = Nails();
  data = nails ? nails->GetItemData(index) : nullptr;
  return true;
}

bool QvToolNail::SetItemHelpID(short index, unsigned long helpId) {
  CToolNails* nails = Nails();
  return nails && nails->SetItemHelpID(index, helpId);
}

bool QvToolNail::GetItemHelpID(short index, unsigned long& helpId) {
  CToolNails* nails = Nails();
  helpId = nails ? nails->GetItemHelpID(index) : 0;
  return nails && index >= 0 && index < nails->GetCount();
}

bool QvToolNail::IsTop() {
  CToolNails* nails = Nails();
  return nails && nails->IsTop();
}

void QvToolNail::SetAlignment(bool top) {
  if (CToolNails* nails = Nails()) nails->SetAlignment(top ? NAILS_ALIGN_TOP : NAILS_ALIGN_BOTTOM);
}

short QvToolNail::GetSelectedCount() {
  CToolNails* nails = Nails();
  return static_cast<short>(nails ? nails->GetSelected(nails->GetCount(), nullptr) : 0);
}

bool QvToolNail::Select(short index) {
  CToolNails* nails = Nails();
  return nails && nails->Select(index, 1);
}

bool QvToolNail::IsSelected(short index) {
  CToolNails* nails = Nails();
  return nails && nails->IsSelected(index);
}

bool QvToolNail::GetSelected(short& index) {
  CToolNails* nails = Nails();
  index = static_cast<short>(nails ? nails->GetCurrent() : -1);
  return index >= 0;
}

short QvToolNail::GetSelected(QvArraySLong& indexes) {
  indexes.RemoveAll();
  CToolNails* nails = Nails();
  if (!nails) return 0;
  std::vector<int> selected(static_cast<size_t>(nails->GetCount()) + 1);
  const int count = nails->GetSelected(static_cast<int>(selected.size()), selected.data());
  for (int i = 0; i < count; ++i) indexes.Add(selected[static_cast<size_t>(i)]);
  return static_cast<short>(count);
}

void QvToolNail::DeselectAll() {
  if (CToolNails* nails = Nails()) nails->DeselectAll();
}

short QvToolNail::DeleteItem(QvArraySLong& indexes) {
  CToolNails* nails = Nails();
  if (!nails || indexes.GetSize() == 0) return 0;
  std::vector<int> list;
  for (long i = 0; i < indexes.GetSize(); ++i) {
    list.push_back(static_cast<int>(indexes[i]));
  }
  return static_cast<short>(nails->DeleteItem(static_cast<int>(list.size()), list.data()));
}

short QvToolNail::DeleteItem(short index) {
  QvArraySLong one;
  one.Add(index);
  return DeleteItem(one);
}

short QvToolNail::DeleteSelectedItems() {
  QvArraySLong selected;
  GetSelected(selected);
  return DeleteItem(selected);
}

void QvToolNail::EnableMultipleSel(bool enable) {
  if (CToolNails* nails = Nails()) nails->EnableMultipleSel(enable);
}

bool QvToolNail::IsMultipleSelEnabled() {
  CToolNails* nails = Nails();
  return nails && nails->IsMultipleSelEnabled();
}

void QvToolNail::EnableDrag(bool enable) {
  if (CToolNails* nails = Nails()) nails->EnableDrag(enable);
}

bool QvToolNail::IsDragEnabled() {
  CToolNails* nails = Nails();
  return nails && nails->IsDragEnabled();
}

bool QvToolNail::SetImageList(QvImageList* images) {
  if (CToolNails* nails = Nails()) nails->BorrowImageList(images ? &images->GetImageList() : nullptr);
  return true;
}

short QvToolNail::GetCount() {
  CToolNails* nails = Nails();
  return static_cast<short>(nails ? nails->GetCount() : 0);
}
