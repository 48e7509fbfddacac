// CWinThread and CWinApp: the message pump with pre-translation and idle processing, the
// application object, its profile in the registry (or an .INI file), cursors and help.
#pragma once
#include "fw_except.h"
#include "fw_wnd.h"

#include <commdlg.h>

typedef UINT(AFX_CDECL* AFX_THREADPROC)(LPVOID);

class CDC;
class CPrintDialog;

class FW_API CWinThread : public CCmdTarget {
  DECLARE_DYNAMIC(CWinThread)
 public:
  CWinThread();
  CWinThread(AFX_THREADPROC pfnThreadProc, LPVOID pParam);
  ~CWinThread() override;

  CWnd* m_pMainWnd = NULL;    // the thread's main window; its destruction ends the pump
  CWnd* m_pActiveWnd = NULL;
  BOOL m_bAutoDelete = TRUE;  // delete this object when the thread ends
  HANDLE m_hThread = NULL;
  DWORD m_nThreadID = 0;
  AFX_THREADPROC m_pfnThreadProc = NULL;
  LPVOID m_pThreadParams = NULL;

  operator HANDLE() const { return m_hThread; }

  // Starts the thread (suspended with CREATE_SUSPENDED); it runs InitInstance and Run, or
  // the worker procedure.
  BOOL CreateThread(DWORD dwCreateFlags = 0, UINT nStackSize = 0, LPSECURITY_ATTRIBUTES lpSecurityAttrs = NULL);
  DWORD ResumeThread() { return ::ResumeThread(m_hThread); }
  DWORD SuspendThread() { return ::SuspendThread(m_hThread); }
  BOOL PostThreadMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    return ::PostThreadMessage(m_nThreadID, message, wParam, lParam);
  }
  int GetThreadPriority() { return ::GetThreadPriority(m_hThread); }
  BOOL SetThreadPriority(int nPriority) { return ::SetThreadPriority(m_hThread, nPriority); }

  virtual CWnd* GetMainWnd();
  virtual BOOL InitInstance();
  virtual int ExitInstance();
  // The message loop: pumps until WM_QUIT, calling OnIdle while the queue is empty.
  virtual int Run();
  virtual BOOL PreTranslateMessage(MSG* pMsg);
  // Gets, pre-translates and dispatches one message; FALSE on WM_QUIT.
  virtual BOOL PumpMessage();
  // lCount 0: update the user interface; 1 and up: clean temporary objects. TRUE asks for
  // more idle time.
  virtual BOOL OnIdle(LONG lCount);
  virtual BOOL IsIdleMessage(MSG* pMsg);
  // The answer of a window procedure whose handler threw pException (WM_CREATE fails with
  // -1; a failing WM_PAINT validates the window so that it is not sent again).
  virtual LRESULT ProcessWndProcException(CException* e, const MSG* pMsg);
  virtual void Delete();

  // Dispatches a message posted to the thread through ON_THREAD_MESSAGE entries.
  BOOL DispatchThreadMessageEx(MSG* msg);

 protected:
  DECLARE_MESSAGE_MAP()
};

// What the application's command line asks for, read parameter by parameter: a file to open
// ("file"), to print ("/p file"), or to print on a named printer ("/pt file printer driver
// port"); "/dde", "/register", "/unregister", "/embedding", "/automation" and "/nologo" as
// their names say. A parameter given with '/' or '-' is a flag.
class FW_API CCommandLineInfo {
 public:
  enum ShellCommand { FileNew, FileOpen, FilePrint, FilePrintTo, FileDDE, AppRegister, AppUnregister, FileNothing = -1 };

  CCommandLineInfo() = default;
  virtual ~CCommandLineInfo() = default;
  CCommandLineInfo(const CCommandLineInfo&) = default;
  CCommandLineInfo& operator=(const CCommandLineInfo&) = default;

  // One parameter (a flag without its '/' or '-'); bLast for the command line's last one.
  virtual void ParseParam(LPCTSTR pszParam, BOOL bFlag, BOOL bLast);

  ShellCommand m_nShellCommand = FileNew;
  CString m_strFileName;
  CString m_strPrinterName;  // "/pt": the printer (device), its driver and its port
  CString m_strDriverName;
  CString m_strPortName;
  BOOL m_bShowSplash = TRUE;
  BOOL m_bRunEmbedded = FALSE;
  BOOL m_bRunAutomated = FALSE;

 private:
  int m_nPrintToParams = 0;  // parameters of "/pt" read so far
};

class FW_API CWinApp : public CWinThread {
  DECLARE_DYNAMIC(CWinApp)
 public:
  // The application object of the module that constructs it (one per module state).
  explicit CWinApp(LPCTSTR lpszAppName = NULL);
  ~CWinApp() override;

  // The strings are the object's, allocated with malloc (_tcsdup) and freed with free.
  LPCTSTR m_pszAppName = NULL;
  HINSTANCE m_hInstance = NULL;
  LPTSTR m_lpCmdLine = NULL;
  int m_nCmdShow = SW_SHOWNORMAL;
  LPCTSTR m_pszExeName = NULL;
  LPCTSTR m_pszHelpFilePath = NULL;
  LPCTSTR m_pszProfileName = NULL;  // the .INI file, or the application's key name
  LPCTSTR m_pszRegistryKey = NULL;  // set: the profile lives in HKCU\Software\<key>\<profile>
  int m_nWaitCursorCount = 0;
  HCURSOR m_hcurWaitCursorRestore = NULL;

  virtual BOOL InitApplication();
  BOOL InitInstance() override;
  int ExitInstance() override;
  int Run() override;
  BOOL OnIdle(LONG lCount) override;
  virtual int DoMessageBox(LPCTSTR lpszPrompt, UINT nType, UINT nIDPrompt);
  // 1 adds a wait level, -1 removes one (never below none), 0 shows the wait cursor again
  // while levels remain.
  virtual void DoWaitCursor(int nCode);
  virtual void WinHelp(DWORD_PTR dwData, UINT nCmd = HELP_CONTEXT);
  // Disables (FALSE) or enables the application's modeless windows around a modal one;
  // calls nest.
  virtual void EnableModeless(BOOL bEnable);
  BOOL IsModelessEnabled() const { return m_nModelessDisabled == 0; }

  HCURSOR LoadCursor(LPCTSTR lpszResourceName) const;
  HCURSOR LoadCursor(UINT nIDResource) const;
  HCURSOR LoadStandardCursor(LPCTSTR lpszCursorName) const { return ::LoadCursor(NULL, lpszCursorName); }
  HCURSOR LoadOEMCursor(UINT nIDCursor) const { return ::LoadCursor(NULL, MAKEINTRESOURCE(nIDCursor)); }
  HICON LoadIcon(LPCTSTR lpszResourceName) const;
  HICON LoadIcon(UINT nIDResource) const;
  HICON LoadStandardIcon(LPCTSTR lpszIconName) const { return ::LoadIcon(NULL, lpszIconName); }
  HICON LoadOEMIcon(UINT nIDIcon) const { return ::LoadIcon(NULL, MAKEINTRESOURCE(nIDIcon)); }

  // Profile. With a registry key, values live under HKCU\Software\<key>\<profile>\<section>;
  // without one, in the .INI file m_pszProfileName.
  void SetRegistryKey(LPCTSTR lpszRegistryKey);
  void SetRegistryKey(UINT nIDRegistryKey);
  HKEY GetAppRegistryKey();
  HKEY GetSectionKey(LPCTSTR lpszSection);
  UINT GetProfileInt(LPCTSTR lpszSection, LPCTSTR lpszEntry, int nDefault);
  BOOL WriteProfileInt(LPCTSTR lpszSection, LPCTSTR lpszEntry, int nValue);
  CString GetProfileString(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPCTSTR lpszDefault = NULL);
  // A NULL entry deletes the section, a NULL value the entry.
  BOOL WriteProfileString(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPCTSTR lpszValue);
  // *ppData is new[]'d (the caller delete[]s it); FALSE and NULL when missing.
  BOOL GetProfileBinary(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPBYTE* ppData, UINT* pBytes);
  BOOL WriteProfileBinary(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPBYTE pData, UINT nBytes);

  // Reads this process's command line (its parameters after the program) into rCmdInfo and
  // keeps a copy of what it read in m_pCmdInfo, for what runs later (printing to the printer
  // the command line names).
  void ParseCommandLine(CCommandLineInfo& rCmdInfo);
  // The command line as last read (owned; NULL until ParseCommandLine or SetCommandLineInfo).
  CCommandLineInfo* m_pCmdInfo = NULL;
  // Keeps a copy of info as the application's command line (NULL forgets it).
  void SetCommandLineInfo(const CCommandLineInfo* info);

  // The application's printer: a DEVMODE and a DEVNAMES block (movable global memory, owned
  // by the application; NULL until a printer is chosen or asked for).
  HGLOBAL m_hDevMode = NULL;
  HGLOBAL m_hDevNames = NULL;
  // Makes the two blocks the application's printer; the old ones are freed with bFreeOld
  // (blocks that are the new ones are kept).
  void SelectPrinter(HANDLE hDevNames, HANDLE hDevMode, BOOL bFreeOld = TRUE);
  // The application's printer blocks into the record (the default printer when none is
  // chosen); FALSE when there is no printer.
  BOOL GetPrinterDeviceDefaults(PRINTDLG* pPrintDlg);
  // Runs the dialog on the application's printer and keeps the printer it ends with.
  virtual INT_PTR DoPrintDialog(CPrintDialog* pPD);
  // A DC of the application's printer attached to dc; FALSE when there is none.
  BOOL CreatePrinterDC(CDC& dc);
  // The chosen printer when it is usable (or bForceDefaults is clear and one is chosen),
  // else the default printer.
  void UpdatePrinterSelection(BOOL bForceDefaults);
  // ID_FILE_PRINT_SETUP: the print setup dialog on the application's printer.
  afx_msg void OnFilePrintSetup();

 protected:
  int m_nModelessDisabled = 0;

 private:
  void FreeStrings();
  void FreePrinterSelection();
  AFX_MODULE_STATE* m_pModuleState = NULL;
};

FW_API CWinApp* AFXAPI AfxGetApp();
FW_API CWinThread* AFXAPI AfxGetThread();
FW_API CWnd* AFXAPI AfxGetMainWnd();
FW_API LPCTSTR AFXAPI AfxGetAppName();
// Gets and dispatches one message of the current thread's pump; FALSE on WM_QUIT.
FW_API BOOL AFXAPI AfxPumpMessage();
FW_API void AFXAPI AfxPostQuitMessage(int nExitCode);

// A user-interface thread of class pThreadClass (a CWinThread), or a worker running pfn.
FW_API CWinThread* AFXAPI AfxBeginThread(AFX_THREADPROC pfnThreadProc, LPVOID pParam,
                                         int nPriority = THREAD_PRIORITY_NORMAL, UINT nStackSize = 0,
                                         DWORD dwCreateFlags = 0, LPSECURITY_ATTRIBUTES lpSecurityAttrs = NULL);
FW_API CWinThread* AFXAPI AfxBeginThread(CRuntimeClass* pThreadClass, int nPriority = THREAD_PRIORITY_NORMAL,
                                         UINT nStackSize = 0, DWORD dwCreateFlags = 0,
                                         LPSECURITY_ATTRIBUTES lpSecurityAttrs = NULL);
FW_API void AFXAPI AfxEndThread(UINT nExitCode, BOOL bDelete = TRUE);

// Start-up of the application object of the executable, and the whole run of it.
FW_API BOOL AFXAPI AfxWinInit(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPTSTR lpCmdLine, int nCmdShow);
FW_API void AFXAPI AfxWinTerm();
FW_API int AFXAPI AfxWinMain(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPTSTR lpCmdLine, int nCmdShow);
