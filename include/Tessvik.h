// Tessvik: the messaging client's picker module, a COM in-process server.
//
// The client creates CLSID_WexModule (ProgID "WexModule."), initialises it through IModule
// (drevik.h) with its module manager, and calls IPickerModule.
#pragma once
#include "TessvikHost.h"

#pragma pack(push, 4)
// A mobile contact to put into a mobile group (212 bytes).
struct MobileGroupRecord {
  DWORD cbSize;  // 212
  BYTE reserved1[8];
  char mobile[39];  // offset 12: the mobile number
  char name[161];   // offset 51: the name
};

// A message for the notification popup (192 bytes in 32-bit processes). cbSize tells how
// much of the record the caller filled; text is NUL-terminated within its field.
struct NotificationRecord {
  DWORD cbSize;
  BYTE reserved[24];
  char text[132];  // offset 28
  VARIANT data;    // offset 160
  DWORD dwell;     // offset 176 (32-bit): ticks a message stays shown
  DWORD keep;      // offset 180 (32-bit): the message stays until its popup closes
  BYTE reserved2[192 - 184];
};
#pragma pack(pop)
#ifndef _WIN64
static_assert(sizeof(MobileGroupRecord) == 212 && offsetof(MobileGroupRecord, name) == 51, "mobile record");
static_assert(offsetof(NotificationRecord, data) == 160 && offsetof(NotificationRecord, keep) == 180 &&
                  sizeof(NotificationRecord) == 192,
              "notification record");
#endif

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
