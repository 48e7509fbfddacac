// The thread of one embedded modal dialog.
#include "ModalDialogContainer.h"

IMPLEMENT_DYNAMIC(CModalThread, CWinThread)

CModalThread::CModalThread() { m_bAutoDelete = FALSE; }  // the container deletes it after the thread ended

CModalThread::~CModalThread() = default;

HANDLE CModalThread::CreateModalThread(CDialog* dialog, CModalDialogContainer* container) {
  m_pDialog = dialog;
  m_pContainer = container;
  m_pMainWnd = dialog;
  m_bAutoDelete = FALSE;
  if (!CreateThread()) return NULL;
  return m_hThread;
}

void CModalThread::TerminateModalThread(int result) {
  if (::InterlockedExchange(&m_bEnding, 1) != 0) return;
  m_nResult = result;
  // Seen running: the loop runs or is about to, and ends at WM_QUIT. Not yet running: the
  // thread sees the end given before it starts the loop.
  if (::InterlockedCompareExchange(&m_bRunning, 0, 0) != 0) ::PostThreadMessage(m_nThreadID, WM_QUIT, 0, 0);
}

BOOL CModalThread::InitInstance() {
  if (m_pDialog == NULL || m_pContainer == NULL) return FALSE;
  MSG msg;
  ::PeekMessage(&msg, NULL, 0, 0, PM_NOREMOVE);  // the thread's queue, before WM_QUIT may be posted to it
  m_pContainer->HookThreadID(m_nThreadID, m_pDialog);
  ::InterlockedExchange(&m_bRunning, 1);
  int result = IDCANCEL;
  if (::InterlockedCompareExchange(&m_bEnding, 0, 0) == 0) result = static_cast<int>(m_pDialog->DoModal());
  TerminateModalThread(result);
  m_pContainer->UnhookThreadID(m_nThreadID);  // for a dialog that never initialised
  if (m_pContainer->ReportsTerminations()) m_pContainer->NotifyThreadTermination(this);
  m_pMainWnd = NULL;  // ended: nothing left to destroy
  return FALSE;
}

int CModalThread::ExitInstance() {
  ::InterlockedExchange(&m_bRunning, 0);
  return CWinThread::ExitInstance();
}
