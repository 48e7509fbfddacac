// Dates, times of day, time zones and date-times of the maker's library.
//
// Encoding in streams and archives (see QvArchive.h): a date is year (unsigned short),
// month, day (one byte each); a time is hour, minute, second (one byte each) and
// millisecond (unsigned short); a zone is its bias in minutes (long); a date-time is its
// date, its time and its zone. A value read that is not a real date or time fails the
// stream.
#pragma once
#include <windows.h>

#include "QvArchive.h"
#include "QvFirst.h"

// A time zone as the minutes to add to its local time to get UTC (Windows' bias: -60 for
// UTC+1).
class VEKKEL_API QvZone {
 public:
  QvZone() = default;  // UTC
  explicit QvZone(long biasMinutes) : m_bias(biasMinutes) {}
  static QvZone Local();  // this machine's zone now, daylight saving included
  static QvZone UTC() { return QvZone(0); }
  long GetBias() const { return m_bias; }
  void SetBias(long biasMinutes) { m_bias = biasMinutes; }
  bool operator==(const QvZone& o) const { return m_bias == o.m_bias; }
  bool operator!=(const QvZone& o) const { return m_bias != o.m_bias; }

 private:
  long m_bias = 0;
};

class VEKKEL_API QvTime {
 public:
  QvTime() = default;  // midnight
  // An invalid combination gives midnight; IsValid tells.
  QvTime(unsigned short hour, unsigned short minute, unsigned short second, unsigned short millisecond = 0);
  static QvTime Now();  // local time of day
  static bool IsValidTime(unsigned short hour, unsigned short minute, unsigned short second,
                          unsigned short millisecond = 0);
  // False, and the time unchanged, for an invalid combination.
  bool Set(unsigned short hour, unsigned short minute, unsigned short second, unsigned short millisecond = 0);
  unsigned short GetHour() const { return m_hour; }
  unsigned short GetMinute() const { return m_minute; }
  unsigned short GetSecond() const { return m_second; }
  unsigned short GetMillisecond() const { return m_millisecond; }
  long GetMillisecondsOfDay() const;
  bool operator==(const QvTime& o) const { return GetMillisecondsOfDay() == o.GetMillisecondsOfDay(); }
  bool operator!=(const QvTime& o) const { return !(*this == o); }
  bool operator<(const QvTime& o) const { return GetMillisecondsOfDay() < o.GetMillisecondsOfDay(); }

 private:
  unsigned short m_hour = 0, m_minute = 0, m_second = 0, m_millisecond = 0;
};

class VEKKEL_API QvDate : public QvFirst {
  QV_DECLARE_CREATABLE(QvDate)

 public:
  QvDate() = default;  // no date: IsValid answers false
  QvDate(unsigned short year, unsigned short month, unsigned short day);  // invalid: no date
  QvDate(const QvDate& o) : QvFirst(o), m_year(o.m_year), m_month(o.m_month), m_day(o.m_day) {}
  QvDate& operator=(const QvDate& o) {
    m_year = o.m_year;
    m_month = o.m_month;
    m_day = o.m_day;
    return *this;
  }
  static QvDate Today();  // local date
  static bool IsLeapYear(unsigned short year);
  static unsigned short DaysInMonth(unsigned short year, unsigned short month);  // 0 for a bad month
  static bool IsValidDate(unsigned short year, unsigned short month, unsigned short day);

  bool IsValid() const { return m_month != 0; }
  // False, and the date unchanged, for a date that does not exist (years 1601 to 30827).
  bool Set(unsigned short year, unsigned short month, unsigned short day);
  unsigned short GetYear() const { return m_year; }
  unsigned short GetMonth() const { return m_month; }
  unsigned short GetDay() const { return m_day; }
  int GetDayOfWeek() const;  // 0 Sunday to 6 Saturday, -1 without a date
  // Days since 1 January 1601 (day 0), -1 without a date.
  long GetDayNumber() const;
  bool AddDays(long days);  // false, date unchanged, when it would leave the valid range

  bool operator==(const QvDate& o) const { return m_year == o.m_year && m_month == o.m_month && m_day == o.m_day; }
  bool operator!=(const QvDate& o) const { return !(*this == o); }
  bool operator<(const QvDate& o) const { return GetDayNumber() < o.GetDayNumber(); }

  void SerializeIn(QvArchiveIn& archive) override;
  void SerializeOut(QvArchiveOut& archive) override;

 private:
  unsigned short m_year = 0, m_month = 0, m_day = 0;
};

// A date and a time of day in a zone.
class VEKKEL_API QvDateTime : public QvFirst {
  QV_DECLARE_CREATABLE(QvDateTime)

 public:
  QvDateTime() = default;
  QvDateTime(const QvDate& date, const QvTime& time, const QvZone& zone = QvZone::Local());
  QvDateTime(const QvDateTime& o) : QvFirst(o), m_date(o.m_date), m_time(o.m_time), m_zone(o.m_zone) {}
  QvDateTime& operator=(const QvDateTime& o) {
    m_date = o.m_date;
    m_time = o.m_time;
    m_zone = o.m_zone;
    return *this;
  }
  static QvDateTime Now();  // local date and time, with the local zone
  static QvDateTime FromSystemTime(const SYSTEMTIME& st, const QvZone& zone);
  bool ToSystemTime(SYSTEMTIME& st) const;  // false without a date

  const QvDate& GetDate() const { return m_date; }
  const QvTime& GetTime() const { return m_time; }
  const QvZone& GetZone() const { return m_zone; }
  void SetDate(const QvDate& date) { m_date = date; }
  void SetTime(const QvTime& time) { m_time = time; }
  void SetZone(const QvZone& zone) { m_zone = zone; }
  bool IsValid() const { return m_date.IsValid(); }
  // Milliseconds since 1 January 1601 UTC; -1 without a date.
  long long GetUTCMilliseconds() const;

  // Same instant (zones taken into account).
  bool operator==(const QvDateTime& o) const { return GetUTCMilliseconds() == o.GetUTCMilliseconds(); }
  bool operator!=(const QvDateTime& o) const { return !(*this == o); }
  bool operator<(const QvDateTime& o) const { return GetUTCMilliseconds() < o.GetUTCMilliseconds(); }

  void SerializeIn(QvArchiveIn& archive) override;
  void SerializeOut(QvArchiveOut& archive) override;

 private:
  QvDate m_date;
  QvTime m_time;
  QvZone m_zone;
};

VEKKEL_API QvVirtualOutputStream& operator<<(QvVirtualOutputStream& s, const QvZone& v);
VEKKEL_API QvVirtualInputStream& operator>>(QvVirtualInputStream& s, QvZone& v);
VEKKEL_API QvVirtualOutputStream& operator<<(QvVirtualOutputStream& s, const QvTime& v);
VEKKEL_API QvVirtualInputStream& operator>>(QvVirtualInputStream& s, QvTime& v);
VEKKEL_API QvVirtualOutputStream& operator<<(QvVirtualOutputStream& s, const QvDate& v);
VEKKEL_API QvVirtualInputStream& operator>>(QvVirtualInputStream& s, QvDate& v);
VEKKEL_API QvVirtualOutputStream& operator<<(QvVirtualOutputStream& s, const QvDateTime& v);
VEKKEL_API QvVirtualInputStream& operator>>(QvVirtualInputStream& s, QvDateTime& v);
