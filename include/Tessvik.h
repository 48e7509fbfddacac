// Tessvik: the messaging client's picker module, a COM in-process server.
//
// The client creates CLSID_WexModule (ProgID "WexModule."), initialises it through IModule
// (drevik.h) with its module manager, and calls IPickerModule.
#pragma once
#include "TessvikHost.h"

struct MobileGroupRecord;   // a mobile group to pick from
struct NotificationRecord;  // a message for the notification popup

// The result of a cancelled picker.
#define TESSVIK_E_CANCELLED ((HRESULT)ERROR_CANCELLED)

struct IPickerModule : IUnknown {
  // kind: a HostDirectoryKind, or 4 for the active-group picker. parent: the owner window.
  // S_OK with *result the chosen id set, TESSVIK_E_CANCELLED (*result untouched),
  // E_INVALIDARG for no owner or no result, E_FAIL when the picker failed.
  STDMETHOD(SelectObjects)(int kind, HWND parent, VARIANT initial, DWORD flags, VARIANT* result) = 0;
  STDMETHOD(SelectMobileGroup)(MobileGroupRecord* one, VARIANT* result) = 0;
  STDMETHOD(SelectMobileGroups)(MobileGroupRecord* groups, int count, VARIANT* result) = 0;
  STDMETHOD(ShowNotification)(NotificationRecord* message) = 0;
};

// Picker flags.
enum {
  PICK_GROUPS = 0x01,      // groups, departments and mobile groups may be chosen
  PICK_MULTIPLE = 0x02,
  PICK_OTHERGROUPS = 0x04,  // the other-group directory may be browsed
  PICK_REMOVEPRESET = 0x08,  // the initial entries may be removed
  PICK_SELF = 0x10,          // the user themself is listed
  PICK_MOBILE = 0x20,        // the mobile-group directory may be browsed
  PICK_READONLY = 0x40,
};

extern "C" const IID IID_IPickerModule;
extern "C" const CLSID CLSID_WexModule;
