// The messaging client's interfaces as Tessvik calls them.
//
// The client's module manager hands out one object per IID (IModuleManager::GetModule). Every
// method is a COM method; slots that Tessvik never calls are kept as placeholders so that the
// called ones sit at their vtable positions. Group-kind ids (departments, groups, mobile
// groups) travel as VT_UI4 VARIANTs, user ids as VT_BSTR VARIANTs, always by value.
// Directory records are fixed-size with their size in the first DWORD.
#pragma once
#include <windows.h>
#include <ole2.h>
#include <commctrl.h>
#include <stddef.h>

// Directory kinds, as the callers pass them.
enum HostDirectoryKind {
  HOSTDIR_DEPARTMENT = 1,
  HOSTDIR_GROUP = 2,
  HOSTDIR_MOBILEGROUP = 3,
  HOSTDIR_ROOT = 5,
  HOSTDIR_OTHERGROUP = 7,
};

#pragma pack(push, 4)
// What the host service tells about itself (108 bytes); the resource handle at offset 80.
struct HostInfoRecord {
  DWORD cbSize;  // 108
  BYTE reserved1[76];
  HINSTANCE hResource;
  BYTE reserved2[108 - 80 - sizeof(HINSTANCE)];
};

// A directory entry (180 bytes): a department, group or mobile group.
struct HostDirEntry {
  DWORD cbSize;  // 180
  DWORD kind;
  DWORD id;      // offset 8
  DWORD parentId;  // 0: a top-level entry
  char name[160];
  DWORD memberCount;
};

// A group's state (176 bytes).
struct HostGroupQuery {
  DWORD cbSize;  // 176
  DWORD state;   // 1 active, 2 expired
  DWORD created;  // seconds since 1970, server time
  GUID guid;
  char name[64];
  DWORD memberCount;  // of all members; the first ones are listed below
  DWORD members[20];  // user numbers
};

// An outside contact (212 bytes), as the client stores mobile contacts.
struct HostUserRecord {
  DWORD cbSize;  // 212
  BYTE reserved[8];
  char phone[39];  // offset 12: the (mobile) number
  char name[161];  // offset 51
};

// A user of the directory (1316 bytes).
struct HostUserDetail {
  DWORD cbSize;  // 1316
  DWORD uin;     // the user number
  char familyName[64];
  char givenName[64];
  char mobile[32];
  char email[128];
  BYTE reserved[1316 - 8 - 64 - 64 - 32 - 128];
};
#pragma pack(pop)

static_assert(offsetof(HostInfoRecord, hResource) == 80 && sizeof(HostInfoRecord) == 108, "host record");
static_assert(offsetof(HostDirEntry, id) == 8 && sizeof(HostDirEntry) == 180, "directory entry");
static_assert(sizeof(HostGroupQuery) == 176, "group query");
static_assert(sizeof(HostUserRecord) == 212 && offsetof(HostUserRecord, phone) == 12 &&
                  offsetof(HostUserRecord, name) == 51,
              "user record");
static_assert(sizeof(HostUserDetail) == 1316, "user detail");

#define HOST_RESERVED(n) STDMETHOD(Reserved##n)() = 0;

// The client's module manager: one object per IID, no reference added for the caller.
struct IModuleManager : IUnknown {
  STDMETHOD(GetModule)(const IID* iid, void** ppv) = 0;  // slot 3
};

// {49A42686-9127-8B6B-A5EB-617B67726E41}
struct IHostService : IUnknown {
  STDMETHOD(GetInfo)(HostInfoRecord* record) = 0;             // 3
  HOST_RESERVED(4)
  STDMETHOD(GetPresence)(VARIANT id, DWORD* status) = 0;      // 5
};

// {49A42686-9127-4B64-A5EE-617B67728E21}
struct IOrgDirectory : IUnknown {
  STDMETHOD(NewId)(DWORD kind, DWORD* newId) = 0;                                  // 3
  STDMETHOD(SetEntry)(DWORD kind, DWORD parent, DWORD id, HostDirEntry* entry) = 0;  // 4
  STDMETHOD(GetEntry)(DWORD kind, VARIANT id, HostDirEntry* entry) = 0;            // 5
  // Up to *count children of parent (VT_UI4 0: the top level); *count becomes the number given.
  STDMETHOD(GetChildren)(DWORD kind, VARIANT parent, HostDirEntry* entries, DWORD* count) = 0;  // 6
  HOST_RESERVED(7)
  STDMETHOD(GetChildCount)(DWORD kind, VARIANT parent, DWORD* count) = 0;          // 8
  HOST_RESERVED(9)
  STDMETHOD(AddMember)(DWORD kind, VARIANT group, VARIANT member) = 0;             // 10
  // Up to *count member ids (the caller clears them); *count becomes the number given.
  STDMETHOD(GetMembers)(DWORD kind, VARIANT parent, VARIANT* ids, DWORD* count) = 0;  // 11
  HOST_RESERVED(12)
  HOST_RESERVED(13)
  STDMETHOD(GetMoreMembers)(DWORD kind, VARIANT parent, VARIANT* ids, DWORD* count) = 0;  // 14
  HOST_RESERVED(15)
  HOST_RESERVED(16)
  HOST_RESERVED(17)
  HOST_RESERVED(18)
  STDMETHOD(HasMember)(DWORD kind, VARIANT group, VARIANT member, DWORD* exists) = 0;  // 19
};

// {49A42686-9127-4B64-A5EE-617B67128E21}
struct IUserDirectory : IUnknown {
  STDMETHOD(GetUserDetail)(VARIANT id, HostUserDetail* detail) = 0;  // 3
  HOST_RESERVED(4)
  HOST_RESERVED(5)
  HOST_RESERVED(6)
  HOST_RESERVED(7)
  HOST_RESERVED(8)
  STDMETHOD(GetUserRecord)(VARIANT id, HostUserRecord* record) = 0;    // 9
  STDMETHOD(StoreUserRecord)(VARIANT id, HostUserRecord* record) = 0;  // 10
  HOST_RESERVED(11)
  STDMETHOD(GetGroupQuery)(VARIANT id, HostGroupQuery* query) = 0;     // 12
};

// {D5A974F6-0F30-4E16-872A-E5091BAFF858}
struct IImageService : IUnknown {
  HOST_RESERVED(3)
  HOST_RESERVED(4)
  HOST_RESERVED(5)
  STDMETHOD(GetImageList)(DWORD which, HIMAGELIST* list) = 0;           // 6: 0 the shared small icons
  STDMETHOD(GetImageIndex)(DWORD iconId, int* index, DWORD flags) = 0;  // 7
};

// {C5A974F6-0F30-4C16-872A-EA0DDBADD8A8}
struct IPluginData : IUnknown {
  STDMETHOD(GetDataObject)(const IID* iid, IUnknown** object) = 0;  // 3
};

// {44726EF7-6D7D-442F-A4AF-863D0CF7FF36}
struct IContextMenuService : IUnknown {
  STDMETHOD(Show)(HWND list, VARIANT selection, DWORD flags) = 0;                  // 3
  STDMETHOD(Section)(DWORD code) = 0;                                              // 4: 1 begin, 3 second
  STDMETHOD(AddItem)(UINT flags, LPCSTR command, LPCSTR text, DWORD data) = 0;     // 5
};

// {6167564C-7E1C-4552-B33C-015C64EE5051}
struct IMobileGroupStore : IUnknown {
  HOST_RESERVED(3)
  HOST_RESERVED(4)
  HOST_RESERVED(5)
  HOST_RESERVED(6)
  HOST_RESERVED(7)
  HOST_RESERVED(8)
  HOST_RESERVED(9)
  HOST_RESERVED(10)
  HOST_RESERVED(11)
  HOST_RESERVED(12)
  STDMETHOD(Refresh)(DWORD kind, VARIANT scope, DWORD flags) = 0;  // 13
};

#undef HOST_RESERVED

// Interface ids (defined in Tessvik and in hosts that include TessvikIids.inl).
extern "C" const IID IID_IHostService, IID_IOrgDirectory, IID_IUserDirectory, IID_IImageService,
    IID_IPluginData, IID_IContextMenuService, IID_IMobileGroupStore, IID_IPluginDataObject,
    IID_IPluginDataTarget;
