// Process-wide settings of the maker's base library: the global locale, the modes of an
// unattended run, the main thread and the platform.
#pragma once
#include "QvString.h"
#include "QvSuccess.h"
#include "vekkel_api.h"

// How a locale writes dates and times: the orders of day, month and year and the clock,
// the separators, the year width and the texts of the two halves of a 12-hour day.
struct VEKKEL_API QvDateTimeFormat {
  int dateOrder = 0;               // 0 month-day-year, 1 day-month-year, 2 year-month-day
  bool twentyFourHours = true;     // else the 12-hour clock
  bool fourDigitYears = true;
  QvString dateSeparator = QvString("/");
  QvString timeSeparator = QvString(":");
  QvString timeFormat = QvString("HH:mm:ss");  // the locale's pattern (h/H hours, t AM/PM)
  QvString amText = QvString("AM");
  QvString pmText = QvString("PM");

  // The format of a Windows locale named "de-DE", "en_US", "ja-JP" ... (either separator);
  // null or empty: the user's locale. False, and the format unchanged, for a name the system
  // does not know.
  bool ReadFrom(const wchar_t* localeName);
};

// Names of the days of the week and the date and time format. At load they are the user
// locale's; the host's start-up gives the label ids of its own day names, and a host (or a
// test) may give the format of another locale.
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

  const QvDateTimeFormat& GetDateTimeFormat() const { return m_format; }
  void SetDateTimeFormat(const QvDateTimeFormat& format) { m_format = format; }
  // The texts of the morning and afternoon halves of a 12-hour day.
  QvString GetAMText() const { return m_format.amText; }
  QvString GetPMText() const { return m_format.pmText; }

 private:
  QvLocale(const QvLocale&) = delete;
  QvLocale& operator=(const QvLocale&) = delete;
  QvString m_dayNames[7];
  QvDateTimeFormat m_format;
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
