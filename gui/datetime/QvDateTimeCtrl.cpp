// The portable date/time field, its platform class and the containers' lookup of it.
#include "QvDateTimeCtrl.h"

#include <QvGUIContainer.h>

#include "GUIDateTimeCtrl.h"

QV_IMPLEMENT_CREATABLE(QvDateTimeCtrl, QV_RUNTIME_CLASS(QvControl))
QV_CLASSINIT(QvDateTimeCtrl)

namespace {
struct Binding {
  Binding() { QvControl::SetPlatformClass(QV_RUNTIME_CLASS(QvDateTimeCtrl), RUNTIME_CLASS(CGUIDateTimeCtrl)); }
};
Binding s_binding;
}  // namespace

bool QvGUIContainer::GetControlFromID(QvDateTimeCtrl*& out, unsigned short id, unsigned long labelId) {
  QvControl* control = nullptr;
  out = GetOrCreateControl(QV_RUNTIME_CLASS(QvDateTimeCtrl), control, id, labelId)
            ? dynamic_cast<QvDateTimeCtrl*>(control)
            : nullptr;
  return out != nullptr;
}

CGUIDateTimeCtrl* QvDateTimeCtrl::Field() const {
  return GetPlatformWindow() ? dynamic_cast<CGUIDateTimeCtrl*>(GetPlatformControl()) : nullptr;
}

void QvDateTimeCtrl::SetStyle(unsigned short style) {
  if (CGUIDateTimeCtrl* field = Field()) field->SetStyle(style);
}

bool QvDateTimeCtrl::SetDate(const QvDate& date) {
  CGUIDateTimeCtrl* field = Field();
  return field && field->SetDate(date);
}

bool QvDateTimeCtrl::GetDate(QvDate& date) {
  CGUIDateTimeCtrl* field = Field();
  return field && field->GetDate(date);
}

void QvDateTimeCtrl::SetTime(const QvTime& time, QvZone&) {
  if (CGUIDateTimeCtrl* field = Field()) field->SetTime(time);
}

bool QvDateTimeCtrl::GetTime(const QvDate&, QvTime& time, QvZone&) {
  CGUIDateTimeCtrl* field = Field();
  return field && field->GetTime(time);
}
