// The container of embedded dialogs, and the window hook that catches each embedded dialog
// as it initialises on its thread.
#include "ModalDialogContainer.h"

#include "UIHandles.h"
#include "UITrace.h"

#include <commdlg.h>

#include <algorithm>
#include <map>
#include <mutex>
#include <utility>

namespace {

UlmLogger s_log("ModalDialogContainer");

// The hook of one thread: the container and dialog it waits for, the first dialog
// initialised there and the last one after it.
struct ThreadHook {
  uih::OwnedHook hook;
  CModalDialogContainer* container = NULL;
  CDialog* dialog = NULL;
  HWND first = NULL;
  HWND lastNotified = NULL;
};
// What the hook procedure reads of its thread's hook, taken under the lock.
struct HookView {
  HHOOK hook;
  CModalDialogContainer* container;
  CDialog* dialog;
  HWND first;
  HWND lastNotified;
};
std::mutex s_hooksLock;
std::map<DWORD, ThreadHook>& Hooks() {
  static std::map<DWORD, ThreadHook> hooks;
  return hooks;
}

// A dialog window becomes a borderless child of the container at its origin.
void MakeEmbedded(HWND dialog, HWND container) {
  LONG style = ::GetWindowLongW(dialog, GWL_STYLE);
  style &= ~static_cast<LONG>(WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | DS_MODALFRAME);
  style |= WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | DS_CONTROL;
  ::SetWindowLongW(dialog, GWL_STYLE, style);
  ::SetWindowLongW(dialog, GWL_EXSTYLE,
                   ::GetWindowLongW(dialog, GWL_EXSTYLE) & ~static_cast<LONG>(WS_EX_DLGMODALFRAME | WS_EX_WINDOWEDGE));
  ::SetParent(dialog, container);
  ::SetWindowPos(dialog, NULL, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

LRESULT CALLBACK DialogHookProc(int code, WPARAM wParam, LPARAM lParam) {
  const DWORD thread = ::GetCurrentThreadId();
  HookView rec = {};
  {
    std::lock_guard<std::mutex> lock(s_hooksLock);
    auto it = Hooks().find(thread);
    if (it != Hooks().end())
      rec = HookView{it->second.hook.Get(), it->second.container, it->second.dialog, it->second.first,
                     it->second.lastNotified};
  }
  if (code != HC_ACTION || rec.container == NULL) return ::CallNextHookEx(rec.hook, code, wParam, lParam);
  bool embeddedOwnDialog = false;
  try {
    const CWPSTRUCT* m = reinterpret_cast<const CWPSTRUCT*>(lParam);
    const HWND own = rec.dialog != NULL ? rec.dialog->m_hWnd : NULL;
    CEmbedInfo* info = NULL;
    if (m->message == WM_INITDIALOG) {
      MakeEmbedded(m->hwnd, rec.container->m_hWnd);
      if (rec.first == NULL)
        rec.first = m->hwnd;
      else
        rec.lastNotified = m->hwnd;
      if (m->hwnd == own) info = new CEmbedInfo(rec.first, NULL, m->hwnd);
    } else if (m->message == WM_NOTIFY && m->lParam != 0 &&
               reinterpret_cast<const NMHDR*>(m->lParam)->code == static_cast<UINT>(CDN_INITDONE) && m->hwnd == own) {
      info = new CEmbedInfo(rec.first, rec.lastNotified, m->hwnd);
      rec.lastNotified = NULL;
    }
    {
      std::lock_guard<std::mutex> lock(s_hooksLock);
      auto it = Hooks().find(thread);
      if (it != Hooks().end()) {
        it->second.first = rec.first;
        it->second.lastNotified = rec.lastNotified;
      }
    }
    if (info != NULL) {
      rec.container->AddRecord(info);
      embeddedOwnDialog = true;
    }
  } catch (...) {
    UI_TRACE_REFUSED(s_log, "an exception while embedding a dialog");
  }
  const LRESULT result = ::CallNextHookEx(rec.hook, code, wParam, lParam);
  if (embeddedOwnDialog) rec.container->UnhookThreadID(thread);
  return result;
}

// Waits for a thread to end while answering the messages other threads send to this one
// (an embedded dialog going away notifies its parent here).
void WaitForThread(CModalThread* thread) {
  const HANDLE handle = thread->m_hThread;
  if (handle == NULL) return;
  while (::MsgWaitForMultipleObjects(1, &handle, FALSE, INFINITE, QS_SENDMESSAGE) != WAIT_OBJECT_0) {
    MSG msg;
    ::PeekMessage(&msg, NULL, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
  }
}

}  // namespace

IMPLEMENT_DYNAMIC(CEmbedInfo, CObject)
IMPLEMENT_DYNAMIC(CModalDialogContainer, CDialog)

const UINT CModalDialogContainer::WM_ENDMODALTHREAD =
    ::RegisterWindowMessageW(L"CModalDialogContainer::WM_ENDMODALTHREAD");
const UINT CModalDialogContainer::WM_ENDMODELESS = ::RegisterWindowMessageW(L"CModalDialogContainer::WM_ENDMODELESS");
const UINT CModalDialogContainer::WM_REFRESH = ::RegisterWindowMessageW(L"CModalDialogContainer::WM_REFRESH");
CModalDialogContainer* CModalDialogContainer::pContainer = NULL;

BEGIN_MESSAGE_MAP(CModalDialogContainer, CDialog)
  ON_REGISTERED_MESSAGE(CModalDialogContainer::WM_ENDMODALTHREAD, OnEndModalThread)
  ON_REGISTERED_MESSAGE(CModalDialogContainer::WM_ENDMODELESS, OnEndModeless)
  ON_WM_PAINT()
  ON_WM_WINDOWPOSCHANGING()
  ON_WM_CLOSE()
  ON_WM_DESTROY()
END_MESSAGE_MAP()

CModalDialogContainer::CModalDialogContainer(UINT templateId, CWnd* parent) : CDialog(templateId, parent) {
  ::InitializeCriticalSection(&m_lock);
  m_hReported = ::CreateEventW(NULL, FALSE, FALSE, NULL);
}

CModalDialogContainer::CModalDialogContainer(LPCTSTR templateName, CWnd* parent) : CDialog(templateName, parent) {
  ::InitializeCriticalSection(&m_lock);
  m_hReported = ::CreateEventW(NULL, FALSE, FALSE, NULL);
}

CModalDialogContainer::~CModalDialogContainer() {
  ::InterlockedExchange(&m_bReportTerminations, 0);
  for (CModalThread* t : m_running) {
    t->TerminateModalThread(IDCANCEL);
    WaitForThread(t);
  }
  for (CModalThread* t : m_finished) WaitForThread(t);
  {
    std::lock_guard<std::mutex> lock(s_hooksLock);
    for (auto it = Hooks().begin(); it != Hooks().end();) {
      if (it->second.container == this)
        it = Hooks().erase(it);  // unhooks
      else
        ++it;
    }
  }
  for (auto& modal : m_modal) delete modal.second;
  for (CEmbedInfo* info : m_records) delete info;
  if (pContainer == this) pContainer = NULL;
  if (m_hReported != NULL) ::CloseHandle(m_hReported);
  ::DeleteCriticalSection(&m_lock);
}

void CModalDialogContainer::EmbedModal(CDialog* dialog) {
  if (dialog == NULL) return;
  m_modal.push_back({dialog, new CModalThread});
  ++m_nExpected;
}

void CModalDialogContainer::EmbedModeless(CDialog* dialog, UINT templateId) {
  if (dialog == NULL) return;
  m_modeless.push_back(Modeless{dialog, templateId});
  ++m_nExpected;
}

void CModalDialogContainer::EmbedModeless(CDialog*, LPCTSTR) {}

void CModalDialogContainer::HookThreadID(DWORD threadId, CDialog* dialog) {
  {
    std::lock_guard<std::mutex> lock(s_hooksLock);
    Hooks().erase(threadId);  // the thread's earlier hook
    // The hook procedure runs on the hooked thread: every thread hooks itself.
    uih::OwnedHook hook = uih::HookThreadW(WH_CALLWNDPROC, DialogHookProc, threadId);
    if (!hook) {
      UI_TRACE_FAILED(s_log, "SetWindowsHookEx");
      return;
    }
    ThreadHook& rec = Hooks()[threadId];
    rec.hook = std::move(hook);
    rec.container = this;
    rec.dialog = dialog;
  }
  m_nLastHookedThread = threadId;
  OnBeforeEmbedding(ThreadOf(threadId));
}

void CModalDialogContainer::UnhookThreadID(DWORD threadId) {
  {
    std::lock_guard<std::mutex> lock(s_hooksLock);
    auto it = Hooks().find(threadId);
    if (it == Hooks().end() || it->second.container != this) return;
    Hooks().erase(it);  // unhooks
  }
  OnEmbedComplete(ThreadOf(threadId));
}

CModalThread* CModalDialogContainer::ThreadOf(DWORD threadId) {
  CModalThread* thread = NULL;
  ::EnterCriticalSection(&m_lock);
  for (auto& modal : m_modal)
    if (modal.second != NULL && modal.second->m_nThreadID == threadId) thread = modal.second;
  ::LeaveCriticalSection(&m_lock);
  return thread;
}

int CModalDialogContainer::GetHookCount() const {
  std::lock_guard<std::mutex> lock(s_hooksLock);
  return static_cast<int>(std::count_if(Hooks().begin(), Hooks().end(),
                                        [this](const std::pair<const DWORD, ThreadHook>& h) { return h.second.container == this; }));
}

void CModalDialogContainer::AddRecord(CEmbedInfo* info) {
  ::EnterCriticalSection(&m_lock);
  m_records.push_back(info);
  ::LeaveCriticalSection(&m_lock);
  ::SetEvent(m_hReported);
}

int CModalDialogContainer::RecordCount() {
  ::EnterCriticalSection(&m_lock);
  const int n = static_cast<int>(m_records.size());
  ::LeaveCriticalSection(&m_lock);
  return n;
}

BOOL CModalDialogContainer::OnInitDialog() {
  ShowWindow(SW_HIDE);
  CDialog::OnInitDialog();
  StartModeless();
  StartModal();
  return TRUE;
}

void CModalDialogContainer::StartModeless() {
  for (const Modeless& m : m_modeless) {
    pContainer = this;
    const DWORD self = ::GetCurrentThreadId();
    HookThreadID(self, m.dialog);
    if (!m.dialog->Create(m.templateId, this)) UI_TRACE_FAILED(s_log, "CDialog::Create");
    UnhookThreadID(self);  // when it never initialised
  }
}

void CModalDialogContainer::StartModal() {
  for (auto& modal : m_modal) {
    if (modal.second == NULL || modal.second->m_hThread != NULL) continue;
    pContainer = this;
    ::EnterCriticalSection(&m_lock);
    m_running.push_back(modal.second);
    ::LeaveCriticalSection(&m_lock);
    if (modal.second->CreateModalThread(modal.first, this) == NULL) {
      UI_TRACE_FAILED(s_log, "CreateModalThread");
      ::EnterCriticalSection(&m_lock);
      m_running.erase(std::find(m_running.begin(), m_running.end(), modal.second));
      ::LeaveCriticalSection(&m_lock);
    }
  }
}

int CModalDialogContainer::WaitForAllDialogs() {
  const DWORD start = ::GetTickCount();
  for (;;) {
    MSG msg;
    while (::PeekMessage(&msg, NULL, 0, 0, PM_REMOVE)) {
      if (msg.message == WM_QUIT) {
        ::PostQuitMessage(static_cast<int>(msg.wParam));
        break;
      }
      ::TranslateMessage(&msg);
      ::DispatchMessage(&msg);
    }
    if (m_nExpected == 0 || RecordCount() >= m_nExpected) break;
    if (HasEnded()) break;  // an embedded dialog that could not start ended the container
    const DWORD elapsed = ::GetTickCount() - start;  // wraps harmlessly
    if (elapsed >= m_nEmbedTimeout) break;
    ::MsgWaitForMultipleObjects(1, &m_hReported, FALSE, m_nEmbedTimeout - elapsed, QS_ALLINPUT);
  }
  ::EnterCriticalSection(&m_lock);
  std::vector<CEmbedInfo*> records;
  records.swap(m_records);
  ::LeaveCriticalSection(&m_lock);
  if (static_cast<int>(records.size()) < m_nExpected) {
    m_nExpected -= static_cast<int>(records.size());
    for (CEmbedInfo* info : records) delete info;
    if (HasEnded()) {
      UI_TRACE_REFUSED(s_log, "the container ended before every embedded dialog started");
      return FALSE;  // with the result it ended with
    }
    UI_TRACE_REFUSED(s_log, "embedded dialogs that did not initialise in time");
    PostMessage(WM_CLOSE);
    return FALSE;
  }
  for (CEmbedInfo* info : records) {
    OnBeforeContainerDisplayed(info);
    delete info;
  }
  m_nExpected = 0;
  m_bAllEmbedded = TRUE;
  OnAllDialogsStarted();
  OnDialogsInitComplete();
  return TRUE;
}

bool CModalDialogContainer::HasEnded() const {
  return m_hWnd == NULL || !::IsWindow(m_hWnd) || (m_nFlags & WF_CONTINUEMODAL) == 0;
}

void CModalDialogContainer::NotifyThreadTermination(CModalThread* thread) {
  ::EnterCriticalSection(&m_lock);
  auto it = std::find(m_running.begin(), m_running.end(), thread);
  const bool listed = it != m_running.end();
  if (listed) {
    m_running.erase(it);
    m_finished.push_back(thread);
  }
  ::LeaveCriticalSection(&m_lock);
  if (listed) ::PostMessage(m_hWnd, WM_ENDMODALTHREAD, 0, reinterpret_cast<LPARAM>(thread));
}

LRESULT CModalDialogContainer::OnEndModalThread(WPARAM, LPARAM lParam) {
  CModalThread* thread = reinterpret_cast<CModalThread*>(lParam);
  ::EnterCriticalSection(&m_lock);
  const bool ours = std::find(m_finished.begin(), m_finished.end(), thread) != m_finished.end();
  ::LeaveCriticalSection(&m_lock);
  if (!ours) return 0;
  if (OnEndModalEmbedded(thread, kDialogEnded)) {
    m_pClosingDlg = thread->GetDialog();
    EndDialog(thread->GetResult());
  }
  return 0;
}

LRESULT CModalDialogContainer::OnEndModeless(WPARAM wParam, LPARAM lParam) {
  CDialog* dialog = reinterpret_cast<CDialog*>(wParam);
  const bool ours = std::any_of(m_modeless.begin(), m_modeless.end(), [dialog](const Modeless& m) { return m.dialog == dialog; });
  if (!ours || !::IsWindow(dialog->m_hWnd)) return 0;
  if (OnEndModelessEmbedded(dialog, kDialogEnded)) {
    m_pClosingDlg = dialog;
    EndDialog(static_cast<int>(lParam));
  }
  return 0;
}

void CModalDialogContainer::OnPaint() {
  Default();
  std::vector<HWND> dialogs;
  ::EnterCriticalSection(&m_lock);
  for (CModalThread* t : m_running)
    if (t->GetDialog() != NULL && t->GetDialog()->m_hWnd != NULL) dialogs.push_back(t->GetDialog()->m_hWnd);
  ::LeaveCriticalSection(&m_lock);
  for (HWND h : dialogs)
    if (::IsWindow(h)) ::SendMessage(h, WM_REFRESH, 0, 0);
}

void CModalDialogContainer::OnWindowPosChanging(WINDOWPOS* pos) {
  if (!m_bAllEmbedded && (pos->flags & SWP_SHOWWINDOW)) {
    pos->flags &= ~SWP_SHOWWINDOW;
    pos->flags |= SWP_HIDEWINDOW;
  }
  CDialog::OnWindowPosChanging(pos);
}

void CModalDialogContainer::OnOK() {
  if (DoCloseOnReturnKey()) CDialog::OnOK();
}

void CModalDialogContainer::OnClose() { EndDialog(IDCANCEL); }

void CModalDialogContainer::OnDestroy() {
  EndEmbedded();  // while the embedded dialogs are still children of a live window
  CDialog::OnDestroy();
}

INT_PTR CModalDialogContainer::DoModal() {
  m_bEnded = FALSE;
  const INT_PTR result = CDialog::DoModal();
  EndEmbedded();
  return result;
}

void CModalDialogContainer::EndEmbedded() {
  if (m_bEnded) return;
  m_bEnded = TRUE;
  ::InterlockedExchange(&m_bReportTerminations, 0);
  std::vector<CModalThread*> running, finished;
  ::EnterCriticalSection(&m_lock);
  running.swap(m_running);
  finished.swap(m_finished);
  ::LeaveCriticalSection(&m_lock);
  auto forget = [this](CModalThread* t) {
    ::EnterCriticalSection(&m_lock);  // other threads still look their thread up
    for (auto& modal : m_modal)
      if (modal.second == t) modal.second = NULL;
    ::LeaveCriticalSection(&m_lock);
    delete t;
  };
  for (CModalThread* t : running) {
    t->TerminateModalThread(IDCANCEL);
    WaitForThread(t);
    OnEndModalEmbedded(t, kContainerClosed);
    forget(t);
  }
  for (CModalThread* t : finished) {
    WaitForThread(t);
    forget(t);
  }
  for (const Modeless& m : m_modeless) {
    if (!::IsWindow(m.dialog->m_hWnd)) continue;
    OnEndModelessEmbedded(m.dialog, kContainerClosed);
    m.dialog->DestroyWindow();
  }
}

void CModalDialogContainer::OnBeforeEmbedding(CModalThread*) {}
void CModalDialogContainer::OnEmbedComplete(CModalThread*) {}
void CModalDialogContainer::OnBeforeContainerDisplayed(CEmbedInfo*) {}
BOOL CModalDialogContainer::OnEndModalEmbedded(CModalThread*, int) { return TRUE; }
BOOL CModalDialogContainer::OnEndModelessEmbedded(CDialog*, int) { return TRUE; }
BOOL CModalDialogContainer::DoCloseOnReturnKey() { return TRUE; }
void CModalDialogContainer::OnDialogsInitComplete() {}
