// The framework's dump context.
#include "framework.h"

#include "fw_dump.h"

#include <stdio.h>

void CDumpContext::Output(LPCTSTR text) {
  if (text == NULL) return;
  if (m_pFile != NULL)
    m_pFile->Write(text, static_cast<UINT>(lstrlen(text) * sizeof(TCHAR)));
  else
    ::OutputDebugString(text);
}

CDumpContext& CDumpContext::operator<<(LPCSTR text) {
  if (text != NULL) Output(CString(text));
  return *this;
}

CDumpContext& CDumpContext::operator<<(LPCWSTR text) {
  if (text != NULL) Output(CString(text));
  return *this;
}

CDumpContext& CDumpContext::operator<<(int n) {
  char buffer[16];
  snprintf(buffer, sizeof buffer, "%d", n);
  return *this << buffer;
}

CDumpContext& CDumpContext::operator<<(UINT n) {
  char buffer[16];
  snprintf(buffer, sizeof buffer, "%u", n);
  return *this << buffer;
}

CDumpContext& CDumpContext::operator<<(LONG n) { return *this << static_cast<int>(n); }

CDumpContext& CDumpContext::operator<<(DWORD n) { return *this << static_cast<UINT>(n); }

void CDumpContext::Flush() {
  if (m_pFile != NULL) m_pFile->Flush();
}
