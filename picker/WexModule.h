// CWexModule: the module object the messaging client creates, and its IPickerModule.
#pragma once
#include <Tessvik.h>
#include <drevik.h>

class CTaskBarMsgWnd;

class CWexModule : public CModuleBase {
  DECLARE_DYNCREATE(CWexModule)
 public:
  CWexModule();
  ~CWexModule() override;

  BOOL Initialize() override;
  BOOL OnSetUser(DWORD user) override;

  HRESULT SelectObjects(int kind, HWND parent, const VARIANT& initial, DWORD flags, VARIANT* result);
  HRESULT SelectMobileGroup(MobileGroupRecord* groups, int count, VARIANT* result);
  HRESULT SelectActiveGroup(HWND parent, VARIANT* result);
  HRESULT ShowNotification(NotificationRecord* message);

 protected:
  CTaskBarMsgWnd* m_pPopup;  // NULL until the first notification and after the popup went

  BEGIN_INTERFACE_PART(PickerModule, IPickerModule)
    STDMETHOD(SelectObjects)(int kind, HWND parent, VARIANT initial, DWORD flags, VARIANT* result) override;
    STDMETHOD(SelectMobileGroup)(MobileGroupRecord* one, VARIANT* result) override;
    STDMETHOD(SelectMobileGroups)(MobileGroupRecord* groups, int count, VARIANT* result) override;
    STDMETHOD(ShowNotification)(NotificationRecord* message) override;
  END_INTERFACE_PART(PickerModule)
  DECLARE_INTERFACE_MAP()
};

// The client's object for iid from its module manager; NULL before a module was initialised
// or when the client has none. No reference is added.
void* GetModule(const IID* iid);

// "{XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}" in upper-case hex into buffer (39 characters or
// more).
void StringFromCLSID(wchar_t* buffer, const GUID* guid);
