// The portable date or time field: a QvControl bound to a child window of the class
// "QvDateTimeCtrl" through its platform control CGUIDateTimeCtrl (GUIDateTimeCtrl.h). The
// order of the fields, the separators, the clock and the year width follow the global
// locale's date and time format (QvLocale::GetDateTimeFormat), taken at SetDate and SetTime.
// Every accepted change of a value reaches the container as portable notification 1800.
//
// A control that is not bound changes nothing and answers false.
#pragma once
#include <QvControl.h>
#include <vekkel.h>

#include "quarnel_api.h"

class CGUIDateTimeCtrl;

class QUARNEL_API QvDateTimeCtrl : public QvControl {
  QV_DECLARE_CREATABLE(QvDateTimeCtrl)
 public:
  QvDateTimeCtrl() = default;

  // Bit 0: a time shows its seconds; the other low bits are kept and have no effect.
  virtual void SetStyle(unsigned short style);
  // Date mode with the date's day, month and year; false (nothing changed) for no date.
  virtual bool SetDate(const QvDate& date);
  // The date shown; a two-digit year below 30 is 20xx, else 19xx. False in time mode and
  // when the fields do not make a date (the date is then untouched).
  virtual bool GetDate(QvDate& date);
  // Time mode with the time's hour, minute and second. The zone is not shown.
  virtual void SetTime(const QvTime& time, QvZone& zone);
  // The time shown as a 24-hour time; false in date mode. The date and the zone are the
  // caller's: the control keeps neither.
  virtual bool GetTime(const QvDate& date, QvTime& time, QvZone& zone);

 protected:
  CGUIDateTimeCtrl* Field() const;
};
