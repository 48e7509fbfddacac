// Process-wide settings of the maker's base library: the global locale, the modes of an
// unattended run, the main thread and the platform.
#pragma once
#include "QvString.h"
#include "QvSuccess.h"
#include "vekkel_api.h"

// Names of the days of the week. At load they are the user locale's names; the host's
// start-up gives the label ids of its own names.
class VEKKEL_API QvLocale {
 public:
  QvLocale();
  virtual ~QvLocale();

  // The labels of the names of Monday to Sunday, in this order. A label that no module
  // has keeps the user locale's name for that day. Fails, changing nothing, when an id is
  // 0 or 0xFFFFFFFF (no label).
  QvSuccess SetDayNameLabels(unsigned long monday, unsigned long tuesday,
                             unsigned long wednesday, unsigned long thursday,
                             unsigned long friday, unsigned long saturday,
                             unsigned long sunday);
  // Day 0 is Monday, 6 Sunday; empty for another day.
  QvString GetDayName(int day) const;

 private:
  QvLocale(const QvLocale&) = delete;
  QvLocale& operator=(const QvLocale&) = delete;
  QvString m_dayNames[7];
};

// The one locale of the process (never null).
VEKKEL_API QvLocale* Get_GlobalLocale();

// Unattended runs: with dialogs bypassed no dialog is shown; a blind application has no
// user interface at all. Both off at load.
VEKKEL_API bool BypassDialogs();
VEKKEL_API void SetBypassDialogs(bool bypass);
VEKKEL_API bool QvApplicationIsBlind();
VEKKEL_API void QvSetApplicationBlind(bool blind);

// The main thread is the thread that loaded this library, unless the host names another.
VEKKEL_API bool IsCurrentMainThread();
VEKKEL_API unsigned long Get_MainThreadID();
VEKKEL_API void Set_MainThreadID(unsigned long threadId);

// The host application's identifier, 0 at load.
VEKKEL_API unsigned long Get_Global_applID();
VEKKEL_API void Set_Global_applID(unsigned long id);

// The platform the process runs on: 3, the Windows NT family (the only one supported).
VEKKEL_API unsigned short QvGetPlateform();

// The measurement units of the user's report preferences: 1 metric, 0 inches. Until the host
// sets the user's choice, the system of measurement of the user locale.
VEKKEL_API unsigned short QvGetReportMeasurementUnits();
VEKKEL_API void QvSetReportMeasurementUnits(unsigned short units);
