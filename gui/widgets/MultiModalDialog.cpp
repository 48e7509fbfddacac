// CMultiModalDialog: one current modal dialog per user-interface thread, the enable/disable
// protocol between the modal dialogs of different threads, and activation across threads.
#include "MultiModalDialog.h"

#include <QvGlobals.h>
#include <fw_app.h>

#include <vector>

#include "UITrace.h"

IMPLEMENT_DYNAMIC(CMultiModalDialog, CDialog)

BEGIN_MESSAGE_MAP(CMultiModalDialog, CDialog)
  ON_WM_ACTIVATEAPP()
  ON_WM_WINDOWPOSCHANGING()
  ON_WM_ACTIVATE()
  ON_REGISTERED_MESSAGE(CMultiModalDialog::c_uEnableChildrenMessage, &CMultiModalDialog::OnEnableWindowAndChildren)
  ON_REGISTERED_MESSAGE(CMultiModalDialog::c_uGetModalTypeMessage, &CMultiModalDialog::OnGetModalType)
END_MESSAGE_MAP()

CMapPtrToPtr CMultiModalDialog::c_mappedModalDialogs;
CMultiModalDialog* CMultiModalDialog::c_pCurrentMMD = NULL;
int CMultiModalDialog::c_bNoDialogMapped = FALSE;
CTypedPtrArray<CPtrArray, CWnd*> CMultiModalDialog::c_allocatedWindows;
UINT CMultiModalDialog::c_uEnableChildrenMessage = ::RegisterWindowMessage(_T("multimodaldlg_EnableChildrenNotify"));
UINT CMultiModalDialog::c_uGetModalTypeMessage = ::RegisterWindowMessage(_T("multimodaldlg_GetModalTypeNotify"));

namespace {

UlmLogger s_log("MultiModalDialog");

// The lock of the registry (the thread -> dialog map and the chain of the process's current
// dialogs). Held only for reading and writing them: never while a message is sent, since the
// receiving thread may be waiting for the lock itself.
class RegistryLock {
 public:
  RegistryLock() { ::InitializeCriticalSection(&m_cs); }
  ~RegistryLock() { ::DeleteCriticalSection(&m_cs); }
  RegistryLock(const RegistryLock&) = delete;
  RegistryLock& operator=(const RegistryLock&) = delete;
  CRITICAL_SECTION m_cs;
} s_registryLock;

class Hold {
 public:
  Hold() { ::EnterCriticalSection(&s_registryLock.m_cs); }
  ~Hold() { ::LeaveCriticalSection(&s_registryLock.m_cs); }
  Hold(const Hold&) = delete;
  Hold& operator=(const Hold&) = delete;
};

// Walks up from hWnd through its parents (owners of popups) to the last window reached.
HWND RootOf(HWND hWnd) {
  if (hWnd == NULL) return NULL;
  for (HWND parent = ::GetParent(hWnd); parent != NULL && ::IsWindow(parent); parent = ::GetParent(hWnd))
    hWnd = parent;
  return hWnd;
}

DWORD ThreadOf(HWND hWnd) { return ::GetWindowThreadProcessId(hWnd, NULL); }

void* KeyOfThread(DWORD threadId) { return reinterpret_cast<void*>(static_cast<ULONG_PTR>(threadId)); }

// Whether two windows belong together: TRUE when either has no live root, else whether both
// roots belong to one thread.
BOOL SameThread(HWND a, HWND b) {
  HWND rootA = RootOf(a);
  HWND rootB = RootOf(b);
  if (!::IsWindow(rootA) || !::IsWindow(rootB)) return TRUE;
  return ThreadOf(rootA) == ThreadOf(rootB);
}

// The active window when it is the dialog or lies within it; NULL otherwise.
HWND ActiveWithin(HWND hDlg) {
  HWND active = ::GetActiveWindow();
  if (active == NULL || hDlg == NULL) return NULL;
  for (HWND h = active; h != NULL; h = ::GetParent(h))
    if (h == hDlg) return active;
  return NULL;
}

bool OwnedByCallingThread(HWND hWnd) {
  return hWnd != NULL && ::IsWindow(hWnd) && ThreadOf(hWnd) == ::GetCurrentThreadId();
}

// A window of this process (the desktop never is).
bool OfThisProcess(HWND hWnd) {
  if (hWnd == NULL || !::IsWindow(hWnd) || hWnd == ::GetDesktopWindow()) return false;
  DWORD pid = 0;
  ::GetWindowThreadProcessId(hWnd, &pid);
  return pid == ::GetCurrentProcessId();
}

// The window that tells whose modal dialogs the caller deals with: its active window, else
// the main (or active) window of its own thread object. A thread without one (a worker) has
// no reference window: the application's main window belongs to another thread.
HWND ReferenceWindow() {
  if (HWND active = ::GetActiveWindow()) return active;
  CWinThread* thread = AfxGetThread();
  if (thread == NULL) return NULL;
  HWND main = thread->m_pMainWnd->GetSafeHwnd();
  if (main == NULL) main = thread->m_pActiveWnd->GetSafeHwnd();
  return OwnedByCallingThread(main) ? main : NULL;
}

// The registry's entries, copied under the lock so that messages go out without it.
struct Entry {
  DWORD threadId;
  CWnd* dialog;
  HWND hWnd;
};

std::vector<Entry> SnapshotEntries() {
  std::vector<Entry> entries;
  Hold hold;
  for (POSITION pos = CMultiModalDialog::c_mappedModalDialogs.GetStartPosition(); pos != NULL;) {
    void* key = NULL;
    void* value = NULL;
    CMultiModalDialog::c_mappedModalDialogs.GetNextAssoc(pos, key, value);
    CWnd* dialog = static_cast<CWnd*>(value);
    if (dialog != NULL)
      entries.push_back({static_cast<DWORD>(reinterpret_cast<ULONG_PTR>(key)), dialog, dialog->m_hWnd});
  }
  return entries;
}

// The chain of current dialogs is short; a longer walk means a loop.
const int kMaxChain = 4096;

}  // namespace

CMultiModalDialog::CMultiModalDialog() = default;

CMultiModalDialog::CMultiModalDialog(LPCTSTR lpszTemplateName, CWnd* pParentWnd)
    : CDialog(lpszTemplateName, pParentWnd) {}

CMultiModalDialog::CMultiModalDialog(UINT nIDTemplate, CWnd* pParentWnd) : CDialog(nIDTemplate, pParentWnd) {}

CMultiModalDialog::~CMultiModalDialog() {
  RestorePreviousModalDialog();
  {
    // No entry may go on naming a dialog that is gone.
    Hold hold;
    CWnd* replacement = m_bRegistered ? m_pPreviousModalDialog : NULL;
    if (replacement == this) replacement = NULL;
    for (POSITION pos = c_mappedModalDialogs.GetStartPosition(); pos != NULL;) {
      void* key = NULL;
      void* value = NULL;
      c_mappedModalDialogs.GetNextAssoc(pos, key, value);
      if (value == this) c_mappedModalDialogs.SetAt(key, replacement);
    }
  }
  m_pPreviousModalDialog = NULL;
  m_bRegistered = FALSE;
  m_pDisabler = NULL;
  m_childStates.RemoveAll();
}

CWnd* PASCAL CMultiModalDialog::GetCurrentModalDialog(CWnd** foreground) {
  HWND root = RootOf(ReferenceWindow());
  DWORD threadId = root != NULL ? ThreadOf(root) : ::GetCurrentThreadId();
  {
    Hold hold;
    void* value = NULL;
    if (c_mappedModalDialogs.Lookup(KeyOfThread(threadId), value)) return static_cast<CWnd*>(value);
  }
  if (root != NULL && ::IsWindowVisible(root)) return NULL;
  if (foreground != NULL) *foreground = CWnd::FromHandle(::GetForegroundWindow());
  return NULL;
}

void PASCAL CMultiModalDialog::SetCurrentModalDialog(CWnd* dialog) {
  HWND ref = ReferenceWindow();
  if (ref == NULL || !::IsWindowVisible(ref)) {
    // The foreground window keys the caller only when the caller owns it.
    HWND foreground = ::GetForegroundWindow();
    ref = OwnedByCallingThread(foreground) ? foreground : NULL;
  }
  DWORD threadId = ref != NULL ? ThreadOf(RootOf(ref)) : ::GetCurrentThreadId();
  Hold hold;
  c_mappedModalDialogs.SetAt(KeyOfThread(threadId), dialog);
  c_bNoDialogMapped = ref == NULL;
}

CMultiModalDialog::eModalType PASCAL CMultiModalDialog::GetCurrentModalType() {
  CWnd* current = GetCurrentModalDialog(NULL);
  if (current == NULL) return eNoModal;
  eModalType type = eUnknownModal;
  if (::SendMessage(current->GetSafeHwnd(), c_uGetModalTypeMessage, reinterpret_cast<WPARAM>(&type), 0) == 0)
    return eNoModal;
  return type;
}

void PASCAL CMultiModalDialog::EnableTopLevelDialogs(CWnd* sender, BOOL enable) {
  HWND hSender = sender->GetSafeHwnd();
  for (const Entry& e : SnapshotEntries()) {
    if (e.dialog == sender || !::IsWindow(e.hWnd) || SameThread(e.hWnd, hSender)) continue;
    ::SendMessage(e.hWnd, c_uEnableChildrenMessage, enable, reinterpret_cast<LPARAM>(sender));
  }
}

void PASCAL CMultiModalDialog::TopLevelActivate(UINT state, CWnd* window) {
  if (state != WA_INACTIVE || window == NULL || window->m_hWnd == NULL) return;
  if (CWnd::FromHandlePermanent(window->m_hWnd) != NULL) return;
  DWORD mainThread = 0;
  if (CWinThread* thread = AfxGetThread())
    if (HWND main = thread->GetMainWnd()->GetSafeHwnd()) mainThread = ThreadOf(main);
  for (const Entry& e : SnapshotEntries()) {
    if (e.threadId == mainThread || e.hWnd == NULL) continue;
    bool within = false;
    for (HWND h = window->m_hWnd; h != NULL && !within; h = ::GetParent(h)) within = h == e.hWnd;
    if (!within) continue;
    if (HWND parent = ::GetParent(e.hWnd)) {
      ::SetForegroundWindow(RootOf(parent));
      // The dialog's thread takes in that activation when it next reads its messages; until
      // then its input still names the window it had active, and when that is `window` the
      // next call would change nothing. A message sent to the thread is handled after it.
      DWORD_PTR ignored = 0;
      ::SendMessageTimeout(window->m_hWnd, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 2000, &ignored);
    }
    ::SetForegroundWindow(window->m_hWnd);
    ::SetFocus(window->m_hWnd);
  }
}

void CMultiModalDialog::EnableWindowAndChildren(BOOL enable, CWnd* sender) {
  enable = enable ? TRUE : FALSE;
  if (m_bEnabled == enable) return;
  if (enable) {
    if (sender != m_pDisabler) return;
    m_pDisabler = NULL;
  } else {
    if (m_pDisabler != NULL) return;
    m_pDisabler = sender;
  }
  m_bEnabled = enable;
  if (m_hWnd != NULL) {
    if (!enable) m_childStates.RemoveAll();
    Invalidate(TRUE);
  }
}

void CMultiModalDialog::AddModalDialog(CWnd* dialog) {
  m_bRegistered = TRUE;
  // Registering again keeps the dialog that came before (a dialog never precedes itself).
  CWnd* current = GetCurrentModalDialog(NULL);
  if (current != this) m_pPreviousModalDialog = current;
  SetCurrentModalDialog(dialog);
  SavePreviousModalDialog(dialog);
}

void CMultiModalDialog::RemoveModalDialog(CWnd* dialog) {
  if (!m_bRegistered) return;
  CWnd* current = GetCurrentModalDialog(NULL);
  RestorePreviousModalDialog();
  if (current != NULL && current->m_hWnd == dialog->GetSafeHwnd()) {
    SetCurrentModalDialog(m_pPreviousModalDialog);
    m_pPreviousModalDialog = NULL;
  }
  m_bRegistered = FALSE;
}

void CMultiModalDialog::SavePreviousModalDialog(CWnd* dialog) {
  {
    Hold hold;
    // Registering again keeps the dialog's place in the chain (it never follows itself).
    if (c_pCurrentMMD != this) m_pPreviousProcessModal = c_pCurrentMMD;
    c_pCurrentMMD = DYNAMIC_DOWNCAST(CMultiModalDialog, dialog);
  }
  EnableTopLevelDialogs(this, FALSE);
}

void CMultiModalDialog::RestorePreviousModalDialog() {
  bool wasCurrent = false;
  {
    Hold hold;
    if (c_pCurrentMMD == this) {
      c_pCurrentMMD = m_pPreviousProcessModal;
      wasCurrent = true;
    } else {
      // A dialog that ends before one started after it leaves the chain, so that the later
      // one does not hand the process back to a dialog that is gone.
      int steps = 0;
      for (CMultiModalDialog* p = c_pCurrentMMD; p != NULL && steps < kMaxChain;
           p = p->m_pPreviousProcessModal, ++steps) {
        if (p->m_pPreviousProcessModal == this) {
          p->m_pPreviousProcessModal = m_pPreviousProcessModal;
          break;
        }
      }
    }
    m_pPreviousProcessModal = NULL;
  }
  if (wasCurrent) EnableTopLevelDialogs(this, TRUE);
}

HWND CMultiModalDialog::PreModal() {
  if (CWinApp* app = AfxGetApp()) app->EnableModeless(FALSE);
  CWnd* parent = m_pParentWnd;
  if (parent == NULL) {
    if (CWnd* current = GetCurrentModalDialog(&parent)) {
      AfxHookWindowCreate(this);
      return current->GetSafeHwnd();
    }
    // The foreground window stands in for the parent only when this thread owns it.
    if (parent != NULL && !OwnedByCallingThread(parent->m_hWnd)) parent = NULL;
  } else if (!OfThisProcess(parent->GetSafeHwnd())) {
    UI_TRACE_REFUSED(s_log, "a parent window that is not one of this process");
    parent = NULL;
  }
  HWND owner = CWnd::GetSafeOwner_(parent->GetSafeHwnd(), &m_hWndTop);
  if (owner != NULL && !OfThisProcess(owner)) owner = NULL;
  AfxHookWindowCreate(this);
  return owner;
}

INT_PTR CMultiModalDialog::DoModal() {
  if (BypassDialogs()) return -1;
  CModalTemplate t(*this);
  if (t.Get() == NULL) return -1;
  HWND hWndParent = PreModal();
  AfxUnhookWindowCreate();
  // Registered as the current modal dialog once the parent is disabled, unregistered before
  // it is enabled again.
  return RunModalWithParent(t, hWndParent, [](CDialog* dlg, BOOL starting) {
    auto* self = static_cast<CMultiModalDialog*>(dlg);
    if (starting)
      self->AddModalDialog(self);
    else
      self->RemoveModalDialog(self);
  });
}

void CMultiModalDialog::OnWindowPosChanging(WINDOWPOS* lpwndpos) {
  if (lpwndpos->flags & SWP_HIDEWINDOW) RemoveModalDialog(this);
  CDialog::OnWindowPosChanging(lpwndpos);
}

void CMultiModalDialog::OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized) {
  if (m_bActivating) return;
  CDialog::OnActivate(nState, pWndOther, bMinimized);
  if (nState != WA_ACTIVE && nState != WA_CLICKACTIVE) return;
  HWND active = ActiveWithin(m_hWnd);
  if (active == NULL || SameThread(pWndOther->GetSafeHwnd(), m_hWnd)) return;
  m_bActivating = TRUE;
  if (HWND parent = ::GetParent(m_hWnd)) ::SetForegroundWindow(RootOf(parent));
  ::SetForegroundWindow(active);
  ::SetFocus(active);
  m_bActivating = FALSE;
  m_bActivatedByAppSwitch = FALSE;
}

void CMultiModalDialog::OnActivateApp(BOOL bActive, DWORD dwThreadID) {
  if (bActive) {
    if (HWND active = ActiveWithin(m_hWnd)) {
      if (HWND parent = ::GetParent(m_hWnd)) ::SetForegroundWindow(RootOf(parent));
      m_bActivatedByAppSwitch = active != m_hWnd;
      ::SetForegroundWindow(m_hWnd);
      ::SetFocus(active);
    }
  }
  CDialog::OnActivateApp(bActive, dwThreadID);
}

LRESULT CMultiModalDialog::OnEnableWindowAndChildren(WPARAM wParam, LPARAM lParam) {
  EnableWindowAndChildren(static_cast<BOOL>(wParam), reinterpret_cast<CWnd*>(lParam));
  return 1;
}

LRESULT CMultiModalDialog::OnGetModalType(WPARAM wParam, LPARAM) {
  if (wParam == 0) return 0;
  *reinterpret_cast<eModalType*>(wParam) = eMultiModal;
  return 1;
}
