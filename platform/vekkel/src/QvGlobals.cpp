#include "QvGlobals.h"

#include <windows.h>

#include "QvLabels.h"

namespace {

volatile LONG s_bypassDialogs = 0;
volatile LONG s_blind = 0;
volatile LONG s_applId = 0;
volatile LONG s_measurementUnits = -1;  // not set: the locale's
// The thread that runs the static initialisers, that is, the thread that loads the library.
volatile LONG s_mainThread = static_cast<LONG>(GetCurrentThreadId());

bool ReadFlag(volatile LONG& flag) { return InterlockedCompareExchange(&flag, 0, 0) != 0; }

}  // namespace

QvLocale::QvLocale() {
  for (int day = 0; day < 7; ++day) {
    wchar_t name[80];
    int n = GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SDAYNAME1 + day, name, 80);
    m_dayNames[day] = n > 1 ? QvString(name, static_cast<size_t>(n - 1)) : QvString();
  }
  m_format.ReadFrom(nullptr);
}

QvLocale::~QvLocale() = default;

namespace {
// One text of a locale; empty when the system has none.
QvString LocaleText(const wchar_t* name, LCTYPE what) {
  wchar_t text[100];
  const int n = GetLocaleInfoEx(name, what, text, 100);
  return n > 1 ? QvString(text, static_cast<size_t>(n - 1)) : QvString();
}

int LocaleNumber(const wchar_t* name, LCTYPE what, int fallback) {
  DWORD value = 0;
  return GetLocaleInfoEx(name, what | LOCALE_RETURN_NUMBER, reinterpret_cast<LPWSTR>(&value),
                         sizeof value / sizeof(wchar_t)) > 0
             ? static_cast<int>(value)
             : fallback;
}
}  // namespace

bool QvDateTimeFormat::ReadFrom(const wchar_t* localeName) {
  wchar_t name[LOCALE_NAME_MAX_LENGTH] = {};
  if (localeName && *localeName) {
    for (int i = 0; localeName[i] && i < LOCALE_NAME_MAX_LENGTH - 1; ++i)
      name[i] = localeName[i] == L'_' ? L'-' : localeName[i];
  } else if (GetUserDefaultLocaleName(name, LOCALE_NAME_MAX_LENGTH) <= 0) {
    return false;
  }
  if (!IsValidLocaleName(name)) return false;
  QvDateTimeFormat read;
  const int order = LocaleNumber(name, LOCALE_IDATE, 0);
  read.dateOrder = order >= 0 && order <= 2 ? order : 0;
  read.twentyFourHours = LocaleNumber(name, LOCALE_ITIME, 1) != 0;
  read.fourDigitYears = LocaleNumber(name, LOCALE_ICENTURY, 1) != 0;
  // A text the locale lacks keeps the neutral one.
  auto take = [&name](LCTYPE what, QvString& into) {
    QvString text = LocaleText(name, what);
    if (!text.IsEmpty()) into = text;
  };
  take(LOCALE_SDATE, read.dateSeparator);
  take(LOCALE_STIME, read.timeSeparator);
  take(LOCALE_STIMEFORMAT, read.timeFormat);
  take(LOCALE_S1159, read.amText);
  take(LOCALE_S2359, read.pmText);
  *this = read;
  return true;
}

QvSuccess QvLocale::SetDayNameLabels(unsigned long monday, unsigned long tuesday,
                                     unsigned long wednesday, unsigned long thursday,
                                     unsigned long friday, unsigned long saturday,
                                     unsigned long sunday) {
  const unsigned long ids[7] = {monday, tuesday, wednesday, thursday, friday, saturday, sunday};
  for (unsigned long id : ids)
    if (id == 0 || id == 0xFFFFFFFFUL) return QvSuccess(false);
  for (int day = 0; day < 7; ++day) {
    QvString text;
    if (QvFindLabel(ids[day], text)) m_dayNames[day] = text;
  }
  return QvSuccess(true);
}

QvString QvLocale::GetDayName(int day) const {
  return day >= 0 && day < 7 ? m_dayNames[day] : QvString();
}

QvLocale* Get_GlobalLocale() {
  static QvLocale locale;
  return &locale;
}

bool BypassDialogs() { return ReadFlag(s_bypassDialogs); }
void SetBypassDialogs(bool bypass) { InterlockedExchange(&s_bypassDialogs, bypass ? 1 : 0); }
bool QvApplicationIsBlind() { return ReadFlag(s_blind); }
void QvSetApplicationBlind(bool blind) { InterlockedExchange(&s_blind, blind ? 1 : 0); }

bool IsCurrentMainThread() { return GetCurrentThreadId() == Get_MainThreadID(); }
unsigned long Get_MainThreadID() {
  return static_cast<DWORD>(InterlockedCompareExchange(&s_mainThread, 0, 0));
}
void Set_MainThreadID(unsigned long threadId) {
  InterlockedExchange(&s_mainThread, static_cast<LONG>(threadId));
}

unsigned long Get_Global_applID() {
  return static_cast<unsigned long>(InterlockedCompareExchange(&s_applId, 0, 0));
}
void Set_Global_applID(unsigned long id) { InterlockedExchange(&s_applId, static_cast<LONG>(id)); }

unsigned short QvGetPlateform() {
  // Every Windows this library runs on is of the NT family.
  return 3;
}

unsigned short QvGetReportMeasurementUnits() {
  const LONG units = InterlockedCompareExchange(&s_measurementUnits, 0, 0);
  if (units >= 0) return static_cast<unsigned short>(units);
  wchar_t measure[4] = {0};
  GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_IMEASURE, measure, 4);
  return measure[0] == L'1' && measure[1] == 0 ? 0 : 1;  // LOCALE_IMEASURE "1": U.S. units
}
void QvSetReportMeasurementUnits(unsigned short units) {
  InterlockedExchange(&s_measurementUnits, static_cast<LONG>(units));
}
