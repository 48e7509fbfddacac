// A dialog that shows other dialogs inside itself as borderless children: modeless dialogs
// made on the user-interface thread, and modal dialogs each running its own modal loop on a
// thread of its own. It shows itself once every embedded dialog has initialised and ends
// when any embedded modal dialog ends, with that dialog's result. Abstract: the host lays its
// dialogs out in OnAllDialogsStarted.
#pragma once
#include "quarnel_api.h"

#include <framework.h>

#include <utility>
#include <vector>

class CModalDialogContainer;

// Where an embedded dialog stands: the first dialog of its thread, a second one (a dialog
// whose initialisation completes through a common-dialog notification), and the dialog just
// embedded.
class QUARNEL_API CEmbedInfo : public CObject {
  DECLARE_DYNAMIC(CEmbedInfo)
 public:
  CEmbedInfo(HWND first = NULL, HWND second = NULL, HWND embedded = NULL)
      : m_hFirstDlg(first), m_hSecondDlg(second), m_hEmbeddedDlg(embedded) {}
  HWND m_hFirstDlg;
  HWND m_hSecondDlg;
  HWND m_hEmbeddedDlg;
};

// The thread of one embedded modal dialog; the dialog is its main window. The container
// owns the object and deletes it once the thread has ended.
class QUARNEL_API CModalThread : public CWinThread {
  DECLARE_DYNAMIC(CModalThread)
 public:
  CModalThread();
  ~CModalThread() override;

  // Records both and starts the thread; its handle, NULL when it could not start.
  HANDLE CreateModalThread(CDialog* dialog, CModalDialogContainer* container);
  // Ends the dialog's modal loop with `result` (the first result given stands).
  void TerminateModalThread(int result);
  CDialog* GetDialog() { return m_pDialog; }
  int GetResult() const { return m_nResult; }
  // TRUE while the dialog's modal loop may run.
  BOOL IsRunning() const { return m_bRunning != 0; }

  BOOL InitInstance() override;
  int ExitInstance() override;

 protected:
  CDialog* m_pDialog = NULL;
  CModalDialogContainer* m_pContainer = NULL;
  int m_nResult = IDCANCEL;
  volatile LONG m_bRunning = 0;
  volatile LONG m_bEnding = 0;  // a result was given; the loop ends or does not start
};

class QUARNEL_API CModalDialogContainer : public CDialog {
  DECLARE_DYNAMIC(CModalDialogContainer)
 public:
  enum { kContainerClosed = 0, kDialogEnded = 1 };  // why an embedded dialog was ended

  CModalDialogContainer(UINT templateId, CWnd* parent = NULL);
  CModalDialogContainer(LPCTSTR templateName, CWnd* parent = NULL);
  ~CModalDialogContainer() override;

  // Registered at load by name ("CModalDialogContainer::WM_...").
  static const UINT WM_ENDMODALTHREAD;  // LPARAM: the CModalThread whose dialog ended
  static const UINT WM_ENDMODELESS;     // WPARAM: the embedded modeless CDialog, LPARAM: the result
  static const UINT WM_REFRESH;         // sent to each running embedded modal dialog after painting

  // The container whose dialogs are being started.
  static CModalDialogContainer* pContainer;

  void EmbedModal(CDialog* dialog);
  void EmbedModeless(CDialog* dialog, UINT templateId);
  void EmbedModeless(CDialog* dialog, LPCTSTR templateName);

  // Pumps messages until every embedded dialog has initialised (TRUE: then lays them out
  // through OnAllDialogsStarted), the container has ended meanwhile (FALSE: an embedded dialog
  // that could not start ended it with its result) or the time is up (FALSE: the container
  // closes itself).
  int WaitForAllDialogs();
  CDialog* GetClosingDlg() { return m_pClosingDlg; }

  INT_PTR DoModal() override;
  BOOL OnInitDialog() override;

  // Runs on the dialog's thread once it has ended, while the container listens.
  void NotifyThreadTermination(CModalThread* thread);
  BOOL ReportsTerminations() const { return m_bReportTerminations != 0; }
  // Catching the next dialog initialised on a thread, and letting go of it.
  void HookThreadID(DWORD threadId, CDialog* dialog);
  void UnhookThreadID(DWORD threadId);
  // Takes the record of a dialog just embedded (on any thread).
  void AddRecord(CEmbedInfo* info);

  virtual void OnBeforeEmbedding(CModalThread* thread);
  virtual void OnEmbedComplete(CModalThread* thread);
  virtual void OnBeforeContainerDisplayed(CEmbedInfo* info);
  virtual BOOL OnEndModalEmbedded(CModalThread* thread, int reason);
  virtual BOOL OnEndModelessEmbedded(CDialog* dialog, int reason);
  virtual BOOL DoCloseOnReturnKey();
  virtual void OnAllDialogsStarted() = 0;
  virtual void OnDialogsInitComplete();

 protected:
  void OnOK() override;
  afx_msg LRESULT OnEndModalThread(WPARAM wParam, LPARAM lParam);
  afx_msg LRESULT OnEndModeless(WPARAM wParam, LPARAM lParam);
  afx_msg void OnPaint();
  afx_msg void OnWindowPosChanging(WINDOWPOS* pos);
  afx_msg void OnClose();
  afx_msg void OnDestroy();
  DECLARE_MESSAGE_MAP()

 protected:
  // How long WaitForAllDialogs waits, in milliseconds (10 s).
  DWORD m_nEmbedTimeout = 10000;
  // Threads with a hook of this container in place.
  int GetHookCount() const;

 private:
  friend class CModalThread;
  struct Modeless {
    CDialog* dialog;
    UINT templateId;
  };
  void StartModeless();
  void StartModal();
  // Ends the threads still running and destroys the modeless dialogs (once).
  void EndEmbedded();
  CModalThread* ThreadOf(DWORD threadId);  // NULL for a thread not of this container
  int RecordCount();
  // The container's window is gone or its end was asked for (EndDialog).
  bool HasEnded() const;

  std::vector<Modeless> m_modeless;
  std::vector<std::pair<CDialog*, CModalThread*>> m_modal;  // each dialog and its thread (NULL once ended)
  std::vector<CModalThread*> m_running;   // threads started, by dialog order
  std::vector<CModalThread*> m_finished;  // threads whose dialog ended by itself
  std::vector<CEmbedInfo*> m_records;
  DWORD m_nLastHookedThread = 0;
  volatile LONG m_bReportTerminations = 1;
  BOOL m_bAllEmbedded = FALSE;
  int m_nExpected = 0;
  CDialog* m_pClosingDlg = NULL;
  BOOL m_bEnded = FALSE;
  CRITICAL_SECTION m_lock;  // the lists and records, shared with the dialog threads
  HANDLE m_hReported = NULL; // set each time a dialog reports
};
