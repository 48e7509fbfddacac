// The portable date/time field, its platform class and the containers' lookup of it.
#include "QvDateTimeCtrl.h"

#include <QvGUIContainer.h>

#include "GUIDateTimeCtrl.h"

QV_IMPLEMENT_CREATABLE(QvDateTimeCtrl, QV_RUNTIME_CLASS(QvControl))
QV_CLASSINIT(QvDateTimeCtrl)

QV_CONTROL_KIND(QvDateTimeCtrl, CGUIDateTimeCtrl)

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
