// CTime (a moment, in seconds since 1970 UTC) and CTimeSpan (a difference of two).
#pragma once
#include "fw_string.h"

#include <time.h>

// winbase.h names GetTickCount so; CTime has a member of that name.
#ifdef GetCurrentTime
#undef GetCurrentTime
#endif

class FW_API CTimeSpan {
 public:
  CTimeSpan() noexcept : m_timeSpan(0) {}
  CTimeSpan(__time64_t time) noexcept : m_timeSpan(time) {}
  CTimeSpan(LONG lDays, int nHours, int nMins, int nSecs) noexcept
      : m_timeSpan(nSecs + 60 * (nMins + 60 * (nHours + 24LL * lDays))) {}

  LONGLONG GetDays() const noexcept { return m_timeSpan / (24 * 3600); }
  LONGLONG GetTotalHours() const noexcept { return m_timeSpan / 3600; }
  LONG GetHours() const noexcept { return static_cast<LONG>(GetTotalHours() - GetDays() * 24); }
  LONGLONG GetTotalMinutes() const noexcept { return m_timeSpan / 60; }
  LONG GetMinutes() const noexcept { return static_cast<LONG>(GetTotalMinutes() - GetTotalHours() * 60); }
  LONGLONG GetTotalSeconds() const noexcept { return m_timeSpan; }
  LONG GetSeconds() const noexcept { return static_cast<LONG>(GetTotalSeconds() - GetTotalMinutes() * 60); }
  __time64_t GetTimeSpan() const noexcept { return m_timeSpan; }

  CTimeSpan operator+(CTimeSpan span) const noexcept { return CTimeSpan(m_timeSpan + span.m_timeSpan); }
  CTimeSpan operator-(CTimeSpan span) const noexcept { return CTimeSpan(m_timeSpan - span.m_timeSpan); }
  CTimeSpan& operator+=(CTimeSpan span) noexcept {
    m_timeSpan += span.m_timeSpan;
    return *this;
  }
  CTimeSpan& operator-=(CTimeSpan span) noexcept {
    m_timeSpan -= span.m_timeSpan;
    return *this;
  }
  bool operator==(CTimeSpan span) const noexcept { return m_timeSpan == span.m_timeSpan; }
  bool operator!=(CTimeSpan span) const noexcept { return m_timeSpan != span.m_timeSpan; }
  bool operator<(CTimeSpan span) const noexcept { return m_timeSpan < span.m_timeSpan; }
  bool operator>(CTimeSpan span) const noexcept { return m_timeSpan > span.m_timeSpan; }
  bool operator<=(CTimeSpan span) const noexcept { return m_timeSpan <= span.m_timeSpan; }
  bool operator>=(CTimeSpan span) const noexcept { return m_timeSpan >= span.m_timeSpan; }

 private:
  __time64_t m_timeSpan;
};

// Dates outside what the C runtime can represent (before 1970 UTC, or an impossible field)
// throw CInvalidArgException from the constructors.
class FW_API CTime {
 public:
  static CTime WINAPI GetCurrentTime() noexcept;
  static BOOL WINAPI IsValidFILETIME(const FILETIME& ft) noexcept;

  CTime() noexcept : m_time(0) {}
  CTime(__time64_t time) noexcept : m_time(time) {}
  // Local time; nDST < 0 lets the C runtime decide whether daylight saving applies.
  CTime(int nYear, int nMonth, int nDay, int nHour, int nMin, int nSec, int nDST = -1);
  CTime(WORD wDosDate, WORD wDosTime, int nDST = -1);
  CTime(const SYSTEMTIME& st, int nDST = -1);
  CTime(const FILETIME& ft, int nDST = -1);

  __time64_t GetTime() const noexcept { return m_time; }
  // Fields of the local time (NULL from GetLocalTm when out of range).
  struct tm* GetLocalTm(struct tm* ptm) const;
  struct tm* GetGmtTm(struct tm* ptm) const;
  bool GetAsSystemTime(SYSTEMTIME& st) const;
  int GetYear() const;
  int GetMonth() const;
  int GetDay() const;
  int GetHour() const;
  int GetMinute() const;
  int GetSecond() const;
  int GetDayOfWeek() const;  // 1 = Sunday

  // strftime formats of the local or UTC time.
  CString Format(LPCTSTR pszFormat) const;
  CString FormatGmt(LPCTSTR pszFormat) const;
  CString Format(UINT nFormatID) const;
  CString FormatGmt(UINT nFormatID) const;

  CTimeSpan operator-(CTime time) const noexcept { return CTimeSpan(m_time - time.m_time); }
  CTime operator-(CTimeSpan span) const noexcept { return CTime(m_time - span.GetTimeSpan()); }
  CTime operator+(CTimeSpan span) const noexcept { return CTime(m_time + span.GetTimeSpan()); }
  CTime& operator+=(CTimeSpan span) noexcept {
    m_time += span.GetTimeSpan();
    return *this;
  }
  CTime& operator-=(CTimeSpan span) noexcept {
    m_time -= span.GetTimeSpan();
    return *this;
  }
  bool operator==(CTime time) const noexcept { return m_time == time.m_time; }
  bool operator!=(CTime time) const noexcept { return m_time != time.m_time; }
  bool operator<(CTime time) const noexcept { return m_time < time.m_time; }
  bool operator>(CTime time) const noexcept { return m_time > time.m_time; }
  bool operator<=(CTime time) const noexcept { return m_time <= time.m_time; }
  bool operator>=(CTime time) const noexcept { return m_time >= time.m_time; }

 private:
  __time64_t m_time;
};
