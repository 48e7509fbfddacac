// The framework's dump context: diagnostic text written to a file, or to the debugger's
// output when it has none. Numbers are written in decimal.
#pragma once
#include "fw_file.h"
#include "fw_string.h"

class FW_API CDumpContext {
 public:
  explicit CDumpContext(CFile* pFile = NULL) : m_pFile(pFile) {}
  CDumpContext(const CDumpContext&) = delete;
  CDumpContext& operator=(const CDumpContext&) = delete;

  CDumpContext& operator<<(LPCSTR text);
  CDumpContext& operator<<(LPCWSTR text);
  CDumpContext& operator<<(int n);
  CDumpContext& operator<<(UINT n);
  CDumpContext& operator<<(LONG n);
  CDumpContext& operator<<(DWORD n);
  void Flush();

 private:
  void Output(LPCTSTR text);
  CFile* m_pFile;
};
