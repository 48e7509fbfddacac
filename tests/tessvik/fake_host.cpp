// The fake messaging client: each service is a small COM object over FakeHost's data.
#include "fake_host.h"

#include <Pellix.h>
#include <TessvikIids.inl>
#include <string.h>
#include <time.h>

namespace {

#define RESERVED(n) \
  STDMETHOD(Reserved##n)() override { return E_NOTIMPL; }

// Objects owned by the host: their reference counts do not matter.
template <class I>
struct Part : I {
  FakeHost* host = NULL;
  STDMETHOD_(ULONG, AddRef)() override { return 2; }
  STDMETHOD_(ULONG, Release)() override { return 1; }
  STDMETHOD(QueryInterface)(REFIID iid, void** ppv) override {
    if (IsEqualIID(iid, IID_IUnknown)) {
      *ppv = this;
      return S_OK;
    }
    *ppv = NULL;
    return E_NOINTERFACE;
  }
};

DWORD Num(const VARIANT& v) { return V_VT(&v) == VT_UI4 ? V_UI4(&v) : 0xFFFFFFFF; }

void Copy(char* dst, size_t cap, const std::string& s) { lstrcpynA(dst, s.c_str(), static_cast<int>(cap)); }

// A host service with a fault of its own: an access violation, as a broken service makes it.
int* volatile g_nowhere = NULL;
__attribute__((noinline)) void FaultIf(bool fault) {
  if (fault) *g_nowhere = 1;
}

struct HostService : Part<IHostService> {
  STDMETHOD(GetInfo)(HostInfoRecord* r) override {
    if (r == NULL || r->cbSize != sizeof(HostInfoRecord)) return E_INVALIDARG;
    r->hResource = host->resources;
    return S_OK;
  }
  RESERVED(4)
  STDMETHOD(GetPresence)(VARIANT id, DWORD* status) override {
    *status = 0;
    for (const FakeUser& u : host->users)
      if ((V_VT(&id) == VT_BSTR && u.id == V_BSTR(&id)) || (V_VT(&id) == VT_I4 && u.uin == static_cast<DWORD>(V_I4(&id))))
        *status = u.presence;
    return S_OK;
  }
};

struct OrgDirectory : Part<IOrgDirectory> {
  const FakeEntry* Find(DWORD kind, DWORD id) {
    for (const FakeEntry& e : host->entries)
      if (e.kind == kind && e.id == id) return &e;
    return NULL;
  }
  static void Fill(const FakeEntry& e, HostDirEntry* out) {
    out->kind = e.kind;
    out->id = e.id;
    out->parentId = e.parent;
    Copy(out->name, sizeof(out->name), e.name);
    out->memberCount = static_cast<DWORD>(e.members.size());
  }
  STDMETHOD(NewId)(DWORD kind, DWORD* newId) override {
    DWORD top = 100;
    for (const FakeEntry& e : host->entries) top = e.id > top ? e.id : top;
    *newId = top + 1;
    host->calls.push_back("new " + std::to_string(kind) + " " + std::to_string(*newId));
    return S_OK;
  }
  STDMETHOD(SetEntry)(DWORD kind, DWORD parent, DWORD id, HostDirEntry* entry) override {
    if (entry == NULL || entry->cbSize != sizeof(HostDirEntry)) return E_INVALIDARG;
    host->entries.push_back({kind, id, parent, entry->name, {}});
    host->calls.push_back("entry " + std::to_string(id) + " " + entry->name);
    return S_OK;
  }
  STDMETHOD(GetEntry)(DWORD kind, VARIANT id, HostDirEntry* entry) override {
    const FakeEntry* e = Find(kind, Num(id));
    if (e == NULL) return E_FAIL;
    Fill(*e, entry);
    return S_OK;
  }
  // The answer for a list of n entries when the caller has room for *count; false when
  // nothing more is to be written.
  bool Overflows(DWORD n, DWORD room, HRESULT* hr) {
    if (n < room) return false;
    *hr = host->overflow == FakeHost::Overflow::MoreData ? HRESULT_FROM_WIN32(ERROR_MORE_DATA) : S_OK;
    return true;
  }
  STDMETHOD(GetChildren)(DWORD kind, VARIANT parent, HostDirEntry* entries, DWORD* count) override {
    DWORD n = 0, room = *count;
    HRESULT hr = S_OK;
    for (const FakeEntry& e : host->entries) {
      if (e.kind != kind || e.parent != Num(parent)) continue;
      if (!Overflows(n, room, &hr)) Fill(e, &entries[n]);
      else if (host->overflow != FakeHost::Overflow::CountAll) break;
      ++n;
    }
    if (hr != S_OK) return hr;
    *count = host->overflow == FakeHost::Overflow::Cut && n > room ? room : n;
    return S_OK;
  }
  RESERVED(7)
  STDMETHOD(GetChildCount)(DWORD kind, VARIANT parent, DWORD* count) override {
    FaultIf(host->directoryFaults);
    *count = 0;
    for (const FakeEntry& e : host->entries) *count += e.kind == kind && e.parent == Num(parent);
    return S_OK;
  }
  RESERVED(9)
  FakeEntry* FindEntry(DWORD kind, DWORD id) { return const_cast<FakeEntry*>(Find(kind, id)); }
  STDMETHOD(AddMember)(DWORD kind, VARIANT group, VARIANT member) override {
    FakeEntry* e = FindEntry(kind, Num(group));
    if (e == NULL || V_VT(&member) != VT_BSTR) return E_INVALIDARG;
    e->members.push_back(V_BSTR(&member));
    std::wstring m = V_BSTR(&member);
    host->calls.push_back("add " + std::to_string(e->id) + " " + std::string(m.begin(), m.end()));
    return S_OK;
  }
  STDMETHOD(GetMembers)(DWORD kind, VARIANT parent, VARIANT* ids, DWORD* count) override {
    FaultIf(host->directoryFaults);
    const FakeEntry* e = Find(kind, Num(parent));
    if (e == NULL) {
      *count = 0;
      return S_OK;
    }
    DWORD n = static_cast<DWORD>(e->members.size()), room = *count;
    HRESULT hr = S_OK;
    if (n > room && Overflows(room, room, &hr) && hr != S_OK) return hr;
    for (DWORD i = 0; i < n && i < room; ++i) ids[i] = UserId(e->members[i].c_str());
    *count = host->overflow == FakeHost::Overflow::CountAll || n <= room ? n : room;
    return S_OK;
  }
  RESERVED(12)
  RESERVED(13)
  STDMETHOD(GetMoreMembers)(DWORD, VARIANT, VARIANT*, DWORD*) override { return E_NOTIMPL; }
  RESERVED(15)
  RESERVED(16)
  RESERVED(17)
  RESERVED(18)
  STDMETHOD(HasMember)(DWORD kind, VARIANT group, VARIANT member, DWORD* exists) override {
    *exists = 0;
    const FakeEntry* e = Find(kind, Num(group));
    if (e == NULL || V_VT(&member) != VT_BSTR) return E_INVALIDARG;
    for (const std::wstring& m : e->members) *exists |= m == V_BSTR(&member);
    return S_OK;
  }
};

struct UserDirectory : Part<IUserDirectory> {
  STDMETHOD(GetUserDetail)(VARIANT id, HostUserDetail* d) override {
    if (d == NULL || d->cbSize != sizeof(HostUserDetail)) return E_INVALIDARG;
    if (V_VT(&id) != VT_BSTR && V_VT(&id) != VT_I4) return E_INVALIDARG;
    for (const FakeUser& u : host->users) {
      if (V_VT(&id) == VT_BSTR ? u.id != V_BSTR(&id) : u.uin != static_cast<DWORD>(V_I4(&id))) continue;
      d->uin = u.uin;
      Copy(d->familyName, sizeof(d->familyName), u.family);
      Copy(d->givenName, sizeof(d->givenName), u.given);
      Copy(d->mobile, sizeof(d->mobile), u.mobile);
      return S_OK;
    }
    return E_FAIL;
  }
  RESERVED(4)
  RESERVED(5)
  RESERVED(6)
  RESERVED(7)
  RESERVED(8)
  STDMETHOD(GetUserRecord)(VARIANT id, HostUserRecord* r) override {
    if (V_VT(&id) != VT_BSTR) return E_FAIL;
    for (const FakeContact& c : host->contacts) {
      if (c.id != V_BSTR(&id)) continue;
      Copy(r->name, sizeof(r->name), c.name);
      Copy(r->phone, sizeof(r->phone), c.phone);
      return S_OK;
    }
    return E_FAIL;
  }
  STDMETHOD(StoreUserRecord)(VARIANT id, HostUserRecord* r) override {
    if (V_VT(&id) != VT_BSTR || r == NULL) return E_INVALIDARG;
    host->contacts.push_back({V_BSTR(&id), std::string(r->name, strnlen(r->name, sizeof(r->name))),
                              std::string(r->phone, strnlen(r->phone, sizeof(r->phone)))});
    std::wstring w = V_BSTR(&id);
    host->calls.push_back("store " + std::string(w.begin(), w.end()) + " " + host->contacts.back().name);
    return S_OK;
  }
  RESERVED(11)
  STDMETHOD(GetGroupQuery)(VARIANT id, HostGroupQuery* q) override {
    if (q == NULL || q->cbSize != sizeof(HostGroupQuery) || V_VT(&id) != VT_BSTR) return E_INVALIDARG;
    for (const FakeGroup& g : host->groups) {
      if (g.id != V_BSTR(&id)) continue;
      q->state = g.state;
      q->created = static_cast<DWORD>(time(NULL) - static_cast<time_t>(g.hoursOld) * 3600 - 60);
      q->guid = g.guid;
      Copy(q->name, sizeof(q->name), g.name);
      q->memberCount = g.claimedCount != 0 ? g.claimedCount : static_cast<DWORD>(g.members.size());
      for (size_t i = 0; i < g.members.size() && i < 20; ++i) q->members[i] = g.members[i];
      return S_OK;
    }
    return E_FAIL;
  }
};

struct ImageService : Part<IImageService> {
  RESERVED(3)
  RESERVED(4)
  RESERVED(5)
  STDMETHOD(GetImageList)(DWORD, HIMAGELIST* list) override {
    *list = host->icons;
    return S_OK;
  }
  STDMETHOD(GetImageIndex)(DWORD icon, int* index, DWORD) override {
    *index = icon == 420 ? 5 : icon == 6004 ? 6 : icon == 409 ? 7 : 0;
    return S_OK;
  }
};

struct ContextMenu : Part<IContextMenuService> {
  STDMETHOD(Show)(HWND, VARIANT selection, DWORD) override {
    std::string call = "show";
    for (const std::wstring& u : UsersOf(selection)) call += " " + std::string(u.begin(), u.end());
    for (int type : {BOID_GROUP, BOID_DEPARTMENT, BOID_MOBILEGROUP})
      for (DWORD n : NumbersOf(selection, type)) call += " " + std::to_string(type) + ":" + std::to_string(n);
    host->menuCalls.push_back(call);
    return S_OK;
  }
  STDMETHOD(Section)(DWORD code) override {
    host->menuCalls.push_back("section " + std::to_string(code));
    return S_OK;
  }
  STDMETHOD(AddItem)(UINT flags, LPCSTR, LPCSTR, DWORD) override {
    host->menuCalls.push_back("item " + std::to_string(flags));
    return S_OK;
  }
};

// The plug-in data object and its target: counted, so that a test sees them released.
struct PluginObject : IUnknown {
  FakeHost* host = NULL;
  STDMETHOD_(ULONG, AddRef)() override { return static_cast<ULONG>(++host->pluginRefs); }
  STDMETHOD_(ULONG, Release)() override { return static_cast<ULONG>(--host->pluginRefs); }
  STDMETHOD(QueryInterface)(REFIID iid, void** ppv) override {
    *ppv = NULL;
    if (!IsEqualIID(iid, IID_IUnknown) && !IsEqualIID(iid, IID_IPluginDataTarget)) return E_NOINTERFACE;
    *ppv = this;
    AddRef();
    return S_OK;
  }
};

struct PluginData : Part<IPluginData> {
  PluginObject object;
  STDMETHOD(GetDataObject)(const IID* iid, IUnknown** out) override {
    *out = NULL;
    if (!IsEqualIID(*iid, IID_IPluginDataObject)) return E_NOINTERFACE;
    object.host = host;
    object.AddRef();
    *out = &object;
    return S_OK;
  }
};

struct MobileStore : Part<IMobileGroupStore> {
  RESERVED(3)
  RESERVED(4)
  RESERVED(5)
  RESERVED(6)
  RESERVED(7)
  RESERVED(8)
  RESERVED(9)
  RESERVED(10)
  RESERVED(11)
  RESERVED(12)
  STDMETHOD(Refresh)(DWORD kind, VARIANT scope, DWORD flags) override {
    host->calls.push_back("refresh " + std::to_string(kind) + " " + std::to_string(V_VT(&scope)) + " " +
                          std::to_string(flags));
    return S_OK;
  }
};

struct ManagerPart : Part<IModuleManager> {
  STDMETHOD(GetModule)(const IID* iid, void** ppv) override;
};

HIMAGELIST MakeIcons() {
  // Eight coloured squares: faces 0-4, group 5, up one level 6, mobile 7.
  static const COLORREF colours[] = {RGB(128, 128, 128), RGB(0, 170, 0),  RGB(230, 170, 0), RGB(200, 0, 0),
                                     RGB(90, 90, 200),   RGB(0, 120, 200), RGB(100, 60, 20), RGB(150, 0, 150)};
  HIMAGELIST list = ImageList_Create(16, 16, ILC_COLOR24, 8, 0);
  HDC screen = GetDC(NULL);
  for (COLORREF c : colours) {
    HBITMAP bmp = CreateCompatibleBitmap(screen, 16, 16);
    HDC dc = CreateCompatibleDC(screen);
    HGDIOBJ old = SelectObject(dc, bmp);
    RECT all = {0, 0, 16, 16}, inner = {3, 3, 13, 13};
    FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    HBRUSH brush = CreateSolidBrush(c);
    FillRect(dc, &inner, brush);
    DeleteObject(brush);
    SelectObject(dc, old);
    DeleteDC(dc);
    ImageList_Add(list, bmp, NULL);
    DeleteObject(bmp);
  }
  ReleaseDC(NULL, screen);
  return list;
}

}  // namespace

struct FakeHost::Parts {
  ManagerPart manager;
  HostService service;
  OrgDirectory org;
  UserDirectory users;
  ImageService images;
  ContextMenu menu;
  PluginData plugin;
  MobileStore store;
};

STDMETHODIMP ManagerPart::GetModule(const IID* iid, void** ppv) {
  *ppv = NULL;
  FakeHost::Parts* p = host->parts;
  if (!host->serviceAnswers) return E_NOINTERFACE;
  if (IsEqualIID(*iid, IID_IHostService)) *ppv = static_cast<IHostService*>(&p->service);
  if (IsEqualIID(*iid, IID_IOrgDirectory)) *ppv = static_cast<IOrgDirectory*>(&p->org);
  if (IsEqualIID(*iid, IID_IUserDirectory)) *ppv = static_cast<IUserDirectory*>(&p->users);
  if (IsEqualIID(*iid, IID_IImageService)) *ppv = static_cast<IImageService*>(&p->images);
  if (IsEqualIID(*iid, IID_IContextMenuService)) *ppv = static_cast<IContextMenuService*>(&p->menu);
  if (IsEqualIID(*iid, IID_IPluginData)) *ppv = static_cast<IPluginData*>(&p->plugin);
  if (IsEqualIID(*iid, IID_IMobileGroupStore)) *ppv = static_cast<IMobileGroupStore*>(&p->store);
  return *ppv ? S_OK : E_NOINTERFACE;
}

FakeHost::FakeHost() : resources(GetModuleHandle(NULL)), icons(MakeIcons()), parts(new Parts) {
  parts->manager.host = parts->service.host = parts->org.host = parts->users.host = parts->images.host =
      parts->menu.host = parts->plugin.host = parts->store.host = this;
  Reset();
}

FakeHost::~FakeHost() {
  delete parts;
  ImageList_Destroy(icons);
}

void FakeHost::Reset() {
  entries = {
      {HOSTDIR_DEPARTMENT, 1, 0, "Sales", {L"101.0.1"}},
      {HOSTDIR_DEPARTMENT, 2, 1, "Sales East", {L"102.0.1", L"104.0.1"}},
      {HOSTDIR_DEPARTMENT, 3, 0, "Research", {L"103.0.1"}},
      {HOSTDIR_GROUP, 10, 0, "Chess club", {L"101.0.1", L"103.0.1"}},
      {HOSTDIR_MOBILEGROUP, 20, 0, "Field team", {L"102.0.1", L"102.0.1", L"103.0.1"}},
      {HOSTDIR_ROOT, 0, 0, "", {L"g1", L"g2", L"g3"}},
  };
  groups = {
      {L"g1", 1, 2, {0x11111111, 0x2222, 0x3333, {0x44, 0x44, 0x55, 0x55, 0x55, 0x55, 0x55, 0x55}}, "Launch team",
       {101, 103}},
      {L"g2", 1, 500, {0xaaaaaaaa, 0xbbbb, 0xcccc, {0xdd, 0xdd, 0xee, 0xee, 0xee, 0xee, 0xee, 0xee}}, "Old project",
       {102}},
      {L"g3", 2, 1, {0x99999999, 0x8888, 0x7777, {0x66, 0x66, 0x55, 0x55, 0x55, 0x55, 0x55, 0x55}}, "Closed", {101}},
  };
  contacts = {{L"900.0.1", "Contact", "555"}, {L"0170.0.3", "Lovelace", "0170"}};
  calls.clear();
  pluginRefs = 0;
  users = {
      {L"101.0.1", 101, "Lovelace", "Ada", "0170", 1},
      {L"102.0.1", 102, "Turing", "Alan", "", 2},
      {L"103.0.1", 103, "Hopper", "Grace", "0171", 0},
      {L"104.0.1", 104, "Self", "Me", "0172", 1},
  };
  menuCalls.clear();
  serviceAnswers = true;
}

IUnknown* FakeHost::Manager() { return &parts->manager; }

VARIANT UserId(const wchar_t* id) {
  VARIANT v;
  VariantInit(&v);
  V_VT(&v) = VT_BSTR;
  V_BSTR(&v) = SysAllocString(id);
  return v;
}

std::vector<std::wstring> UsersOf(const VARIANT& set) {
  CBoid boid;
  std::vector<std::wstring> out;
  if (!boid.Input(set)) return out;
  for (int i = 0; i < boid.GetCount(); ++i)
    if (boid.GetType(i) == BOID_USER) out.push_back(V_BSTR(&boid.GetId(i)));
  return out;
}

std::vector<DWORD> NumbersOf(const VARIANT& set, int type) {
  CBoid boid;
  std::vector<DWORD> out;
  if (!boid.Input(set)) return out;
  for (int i = 0; i < boid.GetCount(); ++i)
    if (boid.GetType(i) == type) out.push_back(boid.GetNumber(i));
  return out;
}
