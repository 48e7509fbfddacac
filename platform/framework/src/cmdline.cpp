// The application's command line: its parameters read into a CCommandLineInfo, and the copy
// the application keeps.
#include "fw_app.h"

#include <shellapi.h>

namespace {

bool IsFlag(LPCTSTR param, LPCTSTR name) { return lstrcmpi(param, name) == 0; }

}  // namespace

void CCommandLineInfo::ParseParam(LPCTSTR pszParam, BOOL bFlag, BOOL bLast) {
  if (pszParam == NULL) return;
  if (bFlag) {
    m_nPrintToParams = 0;
    if (IsFlag(pszParam, _T("pt"))) {
      m_nShellCommand = FilePrintTo;
      m_nPrintToParams = 1;  // the file comes next
    } else if (IsFlag(pszParam, _T("p"))) {
      m_nShellCommand = FilePrint;
    } else if (IsFlag(pszParam, _T("dde"))) {
      m_nShellCommand = FileDDE;
    } else if (IsFlag(pszParam, _T("register")) || IsFlag(pszParam, _T("regserver"))) {
      m_nShellCommand = AppRegister;
    } else if (IsFlag(pszParam, _T("unregister")) || IsFlag(pszParam, _T("unregserver"))) {
      m_nShellCommand = AppUnregister;
    } else if (IsFlag(pszParam, _T("embedding"))) {
      m_bRunEmbedded = TRUE;
      m_bShowSplash = FALSE;
    } else if (IsFlag(pszParam, _T("automation"))) {
      m_bRunAutomated = TRUE;
      m_bShowSplash = FALSE;
    } else if (IsFlag(pszParam, _T("nologo"))) {
      m_bShowSplash = FALSE;
    }
  } else if (m_nPrintToParams >= 1 && m_nPrintToParams <= 4) {
    // "/pt file printer driver port", in that order.
    CString* fields[] = {&m_strFileName, &m_strPrinterName, &m_strDriverName, &m_strPortName};
    *fields[m_nPrintToParams - 1] = pszParam;
    m_nPrintToParams = m_nPrintToParams == 4 ? 0 : m_nPrintToParams + 1;
  } else if (m_strFileName.IsEmpty()) {
    m_strFileName = pszParam;
  }
  if (bLast && m_nShellCommand == FileNew && !m_strFileName.IsEmpty()) m_nShellCommand = FileOpen;
}

void CWinApp::SetCommandLineInfo(const CCommandLineInfo* info) {
  CCommandLineInfo* kept = info != NULL ? new CCommandLineInfo(*info) : NULL;
  delete m_pCmdInfo;
  m_pCmdInfo = kept;
}

void CWinApp::ParseCommandLine(CCommandLineInfo& rCmdInfo) {
  int argc = 0;
  LPWSTR* argv = ::CommandLineToArgvW(::GetCommandLineW(), &argc);
  if (argv != NULL) {
    for (int i = 1; i < argc; ++i) {
      const CString param(argv[i]);
      const bool flag = param.GetLength() > 1 && (param[0] == _T('/') || param[0] == _T('-'));
      rCmdInfo.ParseParam(flag ? param.Mid(1) : param, flag ? TRUE : FALSE, i == argc - 1 ? TRUE : FALSE);
    }
    ::LocalFree(argv);
  }
  SetCommandLineInfo(&rCmdInfo);
}
