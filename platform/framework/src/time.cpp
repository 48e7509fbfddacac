// CTime: conversions between seconds since 1970 and calendar fields.
#include "fw_time.h"

#include <wchar.h>

#include "fw_except.h"

namespace {

__time64_t MakeLocal(int nYear, int nMonth, int nDay, int nHour, int nMin, int nSec, int nDST) {
  if (nYear < 1900 || nMonth < 1 || nMonth > 12 || nDay < 1 || nDay > 31 || nHour < 0 || nHour > 23 ||
      nMin < 0 || nMin > 59 || nSec < 0 || nSec > 59)
    AfxThrowInvalidArgException();
  struct tm t = {};
  t.tm_year = nYear - 1900;
  t.tm_mon = nMonth - 1;
  t.tm_mday = nDay;
  t.tm_hour = nHour;
  t.tm_min = nMin;
  t.tm_sec = nSec;
  t.tm_isdst = nDST;
  __time64_t v = _mktime64(&t);
  if (v == -1) AfxThrowInvalidArgException();
  return v;
}

[[maybe_unused]] size_t FormatTm(char* buf, size_t cap, const char* fmt, const struct tm* t) { return strftime(buf, cap, fmt, t); }
[[maybe_unused]] size_t FormatTm(wchar_t* buf, size_t cap, const wchar_t* fmt, const struct tm* t) {
  return wcsftime(buf, cap, fmt, t);
}

CString FormatFields(const struct tm* t, LPCTSTR pszFormat) {
  if (t == NULL || pszFormat == NULL || *pszFormat == 0) return CString();
  // The result may legitimately be empty; retry with more room a few times only.
  for (int cap = 128; cap <= 128 * 64; cap *= 4) {
    CString out;
    size_t n = FormatTm(out.GetBuffer(cap), static_cast<size_t>(cap), pszFormat, t);
    if (n > 0) {
      out.ReleaseBuffer(static_cast<int>(n));
      return out;
    }
    out.ReleaseBuffer(0);
  }
  return CString();
}

}  // namespace

CTime WINAPI CTime::GetCurrentTime() noexcept { return CTime(_time64(NULL)); }

BOOL WINAPI CTime::IsValidFILETIME(const FILETIME& ft) noexcept {
  FILETIME local;
  SYSTEMTIME st;
  return FileTimeToLocalFileTime(&ft, &local) && FileTimeToSystemTime(&local, &st);
}

CTime::CTime(int nYear, int nMonth, int nDay, int nHour, int nMin, int nSec, int nDST)
    : m_time(MakeLocal(nYear, nMonth, nDay, nHour, nMin, nSec, nDST)) {}

CTime::CTime(WORD wDosDate, WORD wDosTime, int nDST)
    : m_time(MakeLocal((wDosDate >> 9) + 1980, (wDosDate >> 5) & 0xF, wDosDate & 0x1F, wDosTime >> 11,
                       (wDosTime >> 5) & 0x3F, (wDosTime & 0x1F) * 2, nDST)) {}

CTime::CTime(const SYSTEMTIME& st, int nDST)
    : m_time(MakeLocal(st.wYear, st.wMonth, st.wDay, st.wHour, st.wMinute, st.wSecond, nDST)) {}

CTime::CTime(const FILETIME& ft, int nDST) : m_time(0) {
  FILETIME local;
  SYSTEMTIME st;
  if (!FileTimeToLocalFileTime(&ft, &local) || !FileTimeToSystemTime(&local, &st)) AfxThrowInvalidArgException();
  m_time = MakeLocal(st.wYear, st.wMonth, st.wDay, st.wHour, st.wMinute, st.wSecond, nDST);
}

struct tm* CTime::GetLocalTm(struct tm* ptm) const {
  if (ptm == NULL) return NULL;
  struct tm* t = _localtime64(&m_time);
  if (t == NULL) return NULL;
  *ptm = *t;
  return ptm;
}

struct tm* CTime::GetGmtTm(struct tm* ptm) const {
  if (ptm == NULL) return NULL;
  struct tm* t = _gmtime64(&m_time);
  if (t == NULL) return NULL;
  *ptm = *t;
  return ptm;
}

bool CTime::GetAsSystemTime(SYSTEMTIME& st) const {
  struct tm t;
  if (GetLocalTm(&t) == NULL) return false;
  st.wYear = static_cast<WORD>(t.tm_year + 1900);
  st.wMonth = static_cast<WORD>(t.tm_mon + 1);
  st.wDayOfWeek = static_cast<WORD>(t.tm_wday);
  st.wDay = static_cast<WORD>(t.tm_mday);
  st.wHour = static_cast<WORD>(t.tm_hour);
  st.wMinute = static_cast<WORD>(t.tm_min);
  st.wSecond = static_cast<WORD>(t.tm_sec);
  st.wMilliseconds = 0;
  return true;
}

#define FW_TM_FIELD(name, expr)              \
  int CTime::name() const {                  \
    struct tm t;                             \
    return GetLocalTm(&t) ? (expr) : -1;     \
  }
FW_TM_FIELD(GetYear, t.tm_year + 1900)
FW_TM_FIELD(GetMonth, t.tm_mon + 1)
FW_TM_FIELD(GetDay, t.tm_mday)
FW_TM_FIELD(GetHour, t.tm_hour)
FW_TM_FIELD(GetMinute, t.tm_min)
FW_TM_FIELD(GetSecond, t.tm_sec)
FW_TM_FIELD(GetDayOfWeek, t.tm_wday + 1)
#undef FW_TM_FIELD

CString CTime::Format(LPCTSTR pszFormat) const {
  struct tm t;
  return FormatFields(GetLocalTm(&t), pszFormat);
}

CString CTime::FormatGmt(LPCTSTR pszFormat) const {
  struct tm t;
  return FormatFields(GetGmtTm(&t), pszFormat);
}

CString CTime::Format(UINT nFormatID) const {
  CString fmt;
  return fmt.LoadString(nFormatID) ? Format(fmt) : CString();
}

CString CTime::FormatGmt(UINT nFormatID) const {
  CString fmt;
  return fmt.LoadString(nFormatID) ? FormatGmt(fmt) : CString();
}
