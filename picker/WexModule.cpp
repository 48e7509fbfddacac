// CWexModule, its IPickerModule, the host lookup and the class factory.
#include "WexModule.h"

#include <Pellix.h>

#include "ActiveGroupDlg.h"
#include "FriendsListDlg.h"
#include "MobileGroupDlg.h"
#include "SehTranslator.h"
#include "TaskBarMsgWnd.h"
#include "Trace.h"

namespace {
// The client's module manager, written by Initialize.
IUnknown* g_hostManager = NULL;

// The context under which picker results are filtered of limited users.
const GUID kPickerFilter = {0x5ad72a1d, 0x69e0, 0x4a5b, {0x96, 0xbb, 0x83, 0x02, 0x28, 0x61, 0xe9, 0xcf}};

COleObjectFactory g_factory(CLSID_WexModule, RUNTIME_CLASS(CWexModule), FALSE, _T("WexModule."));
}  // namespace

void* GetModule(const IID* iid) {
  TESSVIK_TRACE("::GetModule");
  if (g_hostManager == NULL) return NULL;
  void* out = NULL;
  static_cast<IModuleManager*>(g_hostManager)->GetModule(iid, &out);
  return out;
}

IMPLEMENT_DYNCREATE(CWexModule, CModuleBase)

BEGIN_INTERFACE_MAP(CWexModule, CModuleBase)
  INTERFACE_PART(CWexModule, IID_IPickerModule, PickerModule)
END_INTERFACE_MAP()

namespace {
// The popup's background.
const UINT kPopupBitmap = 253;
}  // namespace

CWexModule::CWexModule() : m_pPopup(NULL) {
  TESSVIK_TRACE("CWexModule::CWexModule");
  AfxOleLockApp();
  SetModuleName("Tessvik");
  EnableMFCFramework();
}

CWexModule::~CWexModule() {
  TESSVIK_TRACE("CWexModule::~CWexModule");
  AfxOleUnlockApp();
  if (m_pPopup != NULL) m_pPopup->DestroyWindow();  // the popup goes with its window
  if (m_pPopup != NULL) delete m_pPopup;
}

BOOL CWexModule::Initialize() {
  TESSVIK_TRACE("CWexModule::Initialize");
  g_hostManager = GetModuleManager();
  if (auto* host = static_cast<IHostService*>(GetModule(&IID_IHostService))) {
    HostInfoRecord info = {};
    info.cbSize = sizeof(info);
    host->GetInfo(&info);
    AfxSetResourceHandle(info.hResource);
  }
  return TRUE;
}

BOOL CWexModule::OnSetUser(DWORD user) {
  TESSVIK_TRACE("CWexModule::OnSetUser");
  return SetSelfUin(user);
}

HRESULT CWexModule::SelectObjects(int kind, HWND parent, const VARIANT& initial, DWORD flags, VARIANT* result) {
  TESSVIK_TRACE("CWexModule::SelectObjects");
  if (reinterpret_cast<INT_PTR>(parent) <= 0 || result == NULL) return E_INVALIDARG;
  // For this call only: the thread's own translator is back on every return. A fault that
  // a window procedure of the picker caught on its way still fails the call.
  SeTranslatorScope translator(&TranslateSeh);
  try {
    if (kind == 4) {
      HRESULT hr = SelectActiveGroup(parent, result);
      return translator.Faulted() ? E_FAIL : hr;
    }
    CFriendsListDlg dlg(CWnd::FromHandle(parent), initial, kind, flags);
    INT_PTR end = dlg.DoModal();
    if (translator.Faulted()) return E_FAIL;
    if (end != IDOK) return TESSVIK_E_CANCELLED;
    VARIANT chosen = dlg.DetachResult();
    HRESULT hr = FilterLimitUser(chosen, result, kPickerFilter);
    VariantClear(&chosen);
    return SUCCEEDED(hr) ? S_OK : hr;
  } catch (CException* e) {
    e->Delete();
  } catch (const CSEHException&) {
  } catch (...) {
  }
  return E_FAIL;
}

HRESULT CWexModule::SelectMobileGroup(MobileGroupRecord* records, int count, VARIANT* result) {
  TESSVIK_TRACE("CWexModule::SelectMobileGroup");
  // The caller's records must be there, all of them writable (they are stored as given).
  if (records == NULL || count < 1 ||
      static_cast<unsigned>(count) > 0x7FFFFFFFu / sizeof(MobileGroupRecord) ||
      IsBadWritePtr(records, static_cast<UINT_PTR>(count) * sizeof(MobileGroupRecord)))
    return E_INVALIDARG;
  SeTranslatorScope translator(&TranslateSeh);
  try {
    CMobileGroupDlg dlg(NULL, records, count, result);
    INT_PTR end = dlg.DoModal();
    return end == IDOK && !translator.Faulted() ? S_OK : E_FAIL;
  } catch (CException* e) {
    e->Delete();
  } catch (...) {
  }
  return E_FAIL;
}

HRESULT CWexModule::SelectActiveGroup(HWND parent, VARIANT* result) {
  TESSVIK_TRACE("CWexModule::SelectActiveGroup");
  CActiveGroupDlg dlg(CWnd::FromHandle(parent));
  INT_PTR end = dlg.DoModal();
  if (end != IDOK) return TESSVIK_E_CANCELLED;  // *result stays the caller's
  VariantInit(result);  // an out value: what it held is not ours to free
  if (!IsEqualGUID(dlg.GetChosenGroup(), GUID_NULL)) {
    wchar_t text[40];
    ::StringFromCLSID(text, &dlg.GetChosenGroup());
    V_VT(result) = VT_BSTR;
    V_BSTR(result) = SysAllocString(text);
  }
  return S_OK;
}

HRESULT CWexModule::ShowNotification(NotificationRecord* message) {
  TESSVIK_TRACE("CWexModule::ShowNotification");
  if (message == NULL) return E_INVALIDARG;
  if (m_pPopup == NULL) {
    m_pPopup = static_cast<CTaskBarMsgWnd*>(RUNTIME_CLASS(CTaskBarMsgWnd)->CreateObject());
    if (m_pPopup == NULL) return E_OUTOFMEMORY;
    // The popup clears the pointer when it goes, whether it closes itself or its creation
    // fails.
    m_pPopup->SetOwnerSlot(&m_pPopup);
    if (!m_pPopup->Create(kPopupBitmap)) {
      if (m_pPopup != NULL && m_pPopup->GetSafeHwnd() != NULL) m_pPopup->DestroyWindow();
      if (m_pPopup != NULL) delete m_pPopup;
      return E_FAIL;  // nothing was shown
    }
  }
  m_pPopup->AddMessage(message);
  return S_OK;
}

// IPickerModule.

IMPLEMENT_PART_IUNKNOWN(CWexModule, PickerModule)

STDMETHODIMP CWexModule::XPickerModule::SelectObjects(int kind, HWND parent, VARIANT initial, DWORD flags,
                                                      VARIANT* result) {
  METHOD_PROLOGUE(CWexModule, PickerModule)
  return pThis->SelectObjects(kind, parent, initial, flags, result);
}

STDMETHODIMP CWexModule::XPickerModule::SelectMobileGroup(MobileGroupRecord* one, VARIANT* result) {
  METHOD_PROLOGUE(CWexModule, PickerModule)
  return pThis->SelectMobileGroup(one, 1, result);
}

STDMETHODIMP CWexModule::XPickerModule::SelectMobileGroups(MobileGroupRecord* groups, int count, VARIANT* result) {
  METHOD_PROLOGUE(CWexModule, PickerModule)
  return pThis->SelectMobileGroup(groups, count, result);
}

STDMETHODIMP CWexModule::XPickerModule::ShowNotification(NotificationRecord* message) {
  METHOD_PROLOGUE(CWexModule, PickerModule)
  return pThis->ShowNotification(message);
}
