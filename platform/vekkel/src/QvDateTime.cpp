#include "QvDateTime.h"

namespace {

const unsigned short kMinYear = 1601, kMaxYear = 30827;  // the range of SYSTEMTIME
const long kMaxBias = 24 * 60;

// Days from 1970-01-01 to the civil date (proleptic Gregorian).
long long DaysFromCivil(long long y, unsigned m, unsigned d) {
  y -= m <= 2;
  const long long era = (y >= 0 ? y : y - 399) / 400;
  const unsigned yoe = static_cast<unsigned>(y - era * 400);
  const unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
  const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + static_cast<long long>(doe) - 719468;
}

void CivilFromDays(long long z, long long& y, unsigned& m, unsigned& d) {
  z += 719468;
  const long long era = (z >= 0 ? z : z - 146096) / 146097;
  const unsigned doe = static_cast<unsigned>(z - era * 146097);
  const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  y = static_cast<long long>(yoe) + era * 400;
  const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const unsigned mp = (5 * doy + 2) / 153;
  d = doy - (153 * mp + 2) / 5 + 1;
  m = mp < 10 ? mp + 3 : mp - 9;
  y += m <= 2;
}

const long long kDay1601 = DaysFromCivil(1601, 1, 1);

}  // namespace

// ---------------------------------------------------------------------------------------
QvZone QvZone::Local() {
  TIME_ZONE_INFORMATION tz;
  DWORD kind = GetTimeZoneInformation(&tz);
  long bias = tz.Bias;
  if (kind == TIME_ZONE_ID_DAYLIGHT) bias += tz.DaylightBias;
  else if (kind == TIME_ZONE_ID_STANDARD) bias += tz.StandardBias;
  return QvZone(bias);
}

// ---------------------------------------------------------------------------------------
QvTime::QvTime(unsigned short hour, unsigned short minute, unsigned short second, unsigned short millisecond) {
  Set(hour, minute, second, millisecond);
}

bool QvTime::IsValidTime(unsigned short hour, unsigned short minute, unsigned short second,
                         unsigned short millisecond) {
  return hour < 24 && minute < 60 && second < 60 && millisecond < 1000;
}

bool QvTime::Set(unsigned short hour, unsigned short minute, unsigned short second, unsigned short millisecond) {
  if (!IsValidTime(hour, minute, second, millisecond)) return false;
  m_hour = hour;
  m_minute = minute;
  m_second = second;
  m_millisecond = millisecond;
  return true;
}

QvTime QvTime::Now() {
  SYSTEMTIME st;
  GetLocalTime(&st);
  return QvTime(st.wHour, st.wMinute, st.wSecond, st.wMilliseconds);
}

long QvTime::GetMillisecondsOfDay() const {
  return ((m_hour * 60L + m_minute) * 60L + m_second) * 1000L + m_millisecond;
}

// ---------------------------------------------------------------------------------------
QV_IMPLEMENT_CREATABLE(QvDate, QV_RUNTIME_CLASS(QvFirst))
QV_CLASSINIT(QvDate)

QvDate::QvDate(unsigned short year, unsigned short month, unsigned short day) { Set(year, month, day); }

QvDate QvDate::Today() {
  SYSTEMTIME st;
  GetLocalTime(&st);
  return QvDate(st.wYear, st.wMonth, st.wDay);
}

bool QvDate::IsLeapYear(unsigned short year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

unsigned short QvDate::DaysInMonth(unsigned short year, unsigned short month) {
  static const unsigned short days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  if (month < 1 || month > 12) return 0;
  return month == 2 && IsLeapYear(year) ? 29 : days[month - 1];
}

bool QvDate::IsValidDate(unsigned short year, unsigned short month, unsigned short day) {
  return year >= kMinYear && year <= kMaxYear && day >= 1 && day <= DaysInMonth(year, month);
}

bool QvDate::Set(unsigned short year, unsigned short month, unsigned short day) {
  if (!IsValidDate(year, month, day)) return false;
  m_year = year;
  m_month = month;
  m_day = day;
  return true;
}

long QvDate::GetDayNumber() const {
  if (!IsValid()) return -1;
  return static_cast<long>(DaysFromCivil(m_year, m_month, m_day) - kDay1601);
}

int QvDate::GetDayOfWeek() const {
  long n = GetDayNumber();
  return n < 0 ? -1 : static_cast<int>((n + 1) % 7);  // 1 January 1601 was a Monday
}

bool QvDate::AddDays(long days) {
  if (!IsValid()) return false;
  long long y;
  unsigned m, d;
  CivilFromDays(DaysFromCivil(m_year, m_month, m_day) + days, y, m, d);
  if (y < kMinYear || y > kMaxYear) return false;
  return Set(static_cast<unsigned short>(y), static_cast<unsigned short>(m), static_cast<unsigned short>(d));
}

void QvDate::SerializeIn(QvArchiveIn& archive) { archive >> *this; }
void QvDate::SerializeOut(QvArchiveOut& archive) { archive << *this; }

// ---------------------------------------------------------------------------------------
QV_IMPLEMENT_CREATABLE(QvDateTime, QV_RUNTIME_CLASS(QvFirst))
QV_CLASSINIT(QvDateTime)

QvDateTime::QvDateTime(const QvDate& date, const QvTime& time, const QvZone& zone)
    : m_date(date), m_time(time), m_zone(zone) {}

QvDateTime QvDateTime::Now() {
  SYSTEMTIME st;
  GetLocalTime(&st);
  return FromSystemTime(st, QvZone::Local());
}

QvDateTime QvDateTime::FromSystemTime(const SYSTEMTIME& st, const QvZone& zone) {
  return QvDateTime(QvDate(st.wYear, st.wMonth, st.wDay), QvTime(st.wHour, st.wMinute, st.wSecond, st.wMilliseconds),
                    zone);
}

bool QvDateTime::ToSystemTime(SYSTEMTIME& st) const {
  st = SYSTEMTIME();
  if (!IsValid()) return false;
  st.wYear = m_date.GetYear();
  st.wMonth = m_date.GetMonth();
  st.wDay = m_date.GetDay();
  st.wDayOfWeek = static_cast<WORD>(m_date.GetDayOfWeek());
  st.wHour = m_time.GetHour();
  st.wMinute = m_time.GetMinute();
  st.wSecond = m_time.GetSecond();
  st.wMilliseconds = m_time.GetMillisecond();
  return true;
}

long long QvDateTime::GetUTCMilliseconds() const {
  if (!IsValid()) return -1;
  return m_date.GetDayNumber() * 86400000LL + m_time.GetMillisecondsOfDay() + m_zone.GetBias() * 60000LL;
}

void QvDateTime::SerializeIn(QvArchiveIn& archive) { archive >> *this; }
void QvDateTime::SerializeOut(QvArchiveOut& archive) { archive << *this; }

// ---------------------------------------------------------------------------------------
QvVirtualOutputStream& operator<<(QvVirtualOutputStream& s, const QvZone& v) { return s << v.GetBias(); }
QvVirtualInputStream& operator>>(QvVirtualInputStream& s, QvZone& v) {
  long bias = 0;
  s >> bias;
  if (bias < -kMaxBias || bias > kMaxBias) {
    s.SetFailed();
    bias = 0;
  }
  v.SetBias(s.Failed() ? 0 : bias);
  return s;
}

QvVirtualOutputStream& operator<<(QvVirtualOutputStream& s, const QvTime& v) {
  return s << static_cast<unsigned char>(v.GetHour()) << static_cast<unsigned char>(v.GetMinute())
           << static_cast<unsigned char>(v.GetSecond()) << v.GetMillisecond();
}
QvVirtualInputStream& operator>>(QvVirtualInputStream& s, QvTime& v) {
  unsigned char h = 0, m = 0, sec = 0;
  unsigned short ms = 0;
  s >> h >> m >> sec >> ms;
  if (!s.Failed() && !v.Set(h, m, sec, ms)) s.SetFailed();
  if (s.Failed()) v = QvTime();
  return s;
}

QvVirtualOutputStream& operator<<(QvVirtualOutputStream& s, const QvDate& v) {
  return s << v.GetYear() << static_cast<unsigned char>(v.GetMonth()) << static_cast<unsigned char>(v.GetDay());
}
QvVirtualInputStream& operator>>(QvVirtualInputStream& s, QvDate& v) {
  unsigned short y = 0;
  unsigned char m = 0, d = 0;
  s >> y >> m >> d;
  bool none = y == 0 && m == 0 && d == 0;  // a date-less value
  QvDate read;
  if (!s.Failed() && !none && !read.Set(y, m, d)) s.SetFailed();
  v = s.Failed() ? QvDate() : read;
  return s;
}

QvVirtualOutputStream& operator<<(QvVirtualOutputStream& s, const QvDateTime& v) {
  return s << v.GetDate() << v.GetTime() << v.GetZone();
}
QvVirtualInputStream& operator>>(QvVirtualInputStream& s, QvDateTime& v) {
  QvDate d;
  QvTime t;
  QvZone z;
  s >> d >> t >> z;
  v = s.Failed() ? QvDateTime(QvDate(), QvTime(), QvZone()) : QvDateTime(d, t, z);
  return s;
}
