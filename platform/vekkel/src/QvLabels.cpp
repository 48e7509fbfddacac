#include "QvLabels.h"

#include <string.h>

#include <algorithm>
#include <iterator>
#include <string>
#include <vector>

#include "framework.h"

namespace {

// Live label managers' modules, newest last. Labels are read from any thread.
SRWLOCK s_managersLock = SRWLOCK_INIT;
std::vector<HINSTANCE>& Managers() {
  static std::vector<HINSTANCE> managers;
  return managers;
}

volatile LONG s_displayIds = 0;

const wchar_t kLabelType[] = L"QVLABELS";

void AddUnique(std::vector<HMODULE>& list, HMODULE module) {
  if (module && std::find(list.begin(), list.end(), module) == list.end()) list.push_back(module);
}

void AddChain(std::vector<HMODULE>& list, AFX_MODULE_STATE* state) {
  if (!state) return;
  AddUnique(list, state->m_hCurrentResourceHandle);
  AfxLockGlobals(CRIT_DYNLINKLIST);
  for (int system = 0; system < 2; ++system)
    for (CDynLinkLibrary* lib = state->m_libraryList; lib; lib = lib->m_pNextDLL)
      if (!!lib->m_bSystem == !!system) AddUnique(list, lib->m_hResource);
  AfxUnlockGlobals(CRIT_DYNLINKLIST);
}

std::vector<HMODULE> SearchOrder() {
  std::vector<HMODULE> list;
  AcquireSRWLockShared(&s_managersLock);
  const std::vector<HINSTANCE>& managers = Managers();
  for (auto it = managers.rbegin(); it != managers.rend(); ++it) AddUnique(list, *it);
  ReleaseSRWLockShared(&s_managersLock);
  AddChain(list, AfxGetModuleState());
  AddChain(list, AfxGetAppModuleState());
  AddUnique(list, GetModuleHandleW(NULL));
  return list;
}

// The bytes of a resource, or null.
const unsigned char* ResourceBytes(HMODULE module, HRSRC res, DWORD& size) {
  size = 0;
  if (!res) return nullptr;
  HGLOBAL data = LoadResource(module, res);
  const unsigned char* p = data ? static_cast<const unsigned char*>(LockResource(data)) : nullptr;
  if (p) size = SizeofResource(module, res);
  return p;
}

// A string-table entry: 16 counted UTF-16 strings per block; an empty entry is absent.
bool FindInStringTable(HMODULE module, unsigned long id, std::wstring& text) {
  if (id > 0xFFFF) return false;
  HRSRC res = FindResourceW(module, MAKEINTRESOURCEW(id / 16 + 1), MAKEINTRESOURCEW(6));
  DWORD size;
  const unsigned char* p = ResourceBytes(module, res, size);
  if (!p) return false;
  size_t offset = 0;
  for (unsigned index = 0; index < 16; ++index) {
    if (offset + 2 > size) return false;
    WORD length;
    memcpy(&length, p + offset, 2);
    offset += 2;
    if (offset + size_t(length) * 2 > size) return false;
    if (index == (id & 15)) {
      if (length == 0) return false;
      text.resize(length);
      memcpy(&text[0], p + offset, size_t(length) * 2);
      return true;
    }
    offset += size_t(length) * 2;
  }
  return false;
}

struct LabelSearch {
  unsigned long id;
  std::wstring* text;
  bool found;
};

// One "QVLABELS" resource: records of a 32-bit id and a zero-ended UTF-16 text.
bool FindInLabelBlock(const unsigned char* p, DWORD size, unsigned long id, std::wstring& text) {
  size_t offset = 0;
  while (offset + 4 <= size) {
    unsigned int recordId;
    memcpy(&recordId, p + offset, 4);
    offset += 4;
    size_t start = offset;
    while (offset + 2 <= size && (p[offset] | p[offset + 1]) != 0) offset += 2;
    if (offset + 2 > size) return false;  // truncated record
    if (recordId == id) {
      size_t length = (offset - start) / 2;
      text.resize(length);
      if (length) memcpy(&text[0], p + start, length * 2);
      return true;
    }
    offset += 2;
  }
  return false;
}

BOOL CALLBACK EnumLabelBlock(HMODULE module, LPCWSTR, LPWSTR name, LONG_PTR param) {
  LabelSearch* search = reinterpret_cast<LabelSearch*>(param);
  DWORD size;
  const unsigned char* p = ResourceBytes(module, FindResourceW(module, name, kLabelType), size);
  if (p && FindInLabelBlock(p, size, search->id, *search->text)) {
    search->found = true;
    return FALSE;
  }
  return TRUE;
}

bool FindInModule(HMODULE module, unsigned long id, std::wstring& text) {
  if (FindInStringTable(module, id, text)) return true;
  LabelSearch search = {id, &text, false};
  EnumResourceNamesW(module, kLabelType, EnumLabelBlock, reinterpret_cast<LONG_PTR>(&search));
  return search.found;
}

bool IsNoLabel(unsigned long id) { return id == 0 || id == 0xFFFFFFFFUL; }

bool FindLabelText(unsigned long id, QvString& text) {
  text.Empty();
  if (IsNoLabel(id)) return false;
  std::wstring wide;
  for (HMODULE module : SearchOrder())
    if (FindInModule(module, id, wide)) {
      text = QvString(wide.c_str(), wide.size());
      return true;
    }
  return false;
}

QvString DisplayText(unsigned long id) {
  QvString text;
  if (IsNoLabel(id)) return text;
  bool found = FindLabelText(id, text);
  QvString shown;
  if (!found)
    shown.Format("[label %lu]", id);
  else if (Get_bDisplayLabelID())
    shown.Format("[%lu] %s", id, text.c_str());
  else
    return text;
  return shown;
}

HINSTANCE ResourceModuleForName(const char* name) {
  std::wstring dll = QvString(name).ToWide() + L".dll";
  if (HMODULE module = GetModuleHandleW(dll.c_str())) return module;
  if (HINSTANCE res = AfxGetModuleState()->m_hCurrentResourceHandle) return res;
  return GetModuleHandleW(NULL);
}

}  // namespace

QvResourceFile::QvResourceFile(const char* name)
    : m_name(name), m_info(ResourceModuleForName(name ? name : "")) {}

QvResourceFile::QvResourceFile(const char* name, HINSTANCE instance)
    : m_name(name), m_info(instance) {}

QvResourceFile::~QvResourceFile() = default;

QvLabelManager::QvLabelManager(const QvResourceFile* file)
    : m_instance(file ? file->GetPlateformInfo().GetInstance() : NULL) {
  AcquireSRWLockExclusive(&s_managersLock);
  Managers().push_back(m_instance);
  ReleaseSRWLockExclusive(&s_managersLock);
}

QvLabelManager::~QvLabelManager() {
  AcquireSRWLockExclusive(&s_managersLock);
  std::vector<HINSTANCE>& managers = Managers();
  // The newest registration of this module goes: managers may be made on one module twice.
  auto it = std::find(managers.rbegin(), managers.rend(), m_instance);
  if (it != managers.rend()) managers.erase(std::next(it).base());
  ReleaseSRWLockExclusive(&s_managersLock);
}

QvString QvLabelManager::GetLabel(unsigned long id) const { return DisplayText(id); }

bool QvLabelManager::FindLabel(unsigned long id, QvString& text) const {
  return FindLabelText(id, text);
}

QvSuccess QvLabelManagerCreationFromResourceName(const char* resourceName,
                                                 QvLabelManager*& manager,
                                                 QvResourceFile*& resourceFile) {
  manager = nullptr;
  resourceFile = nullptr;
  if (!resourceName || !*resourceName) return QvSuccess(false);
  resourceFile = new QvResourceFile(resourceName);
  manager = new QvLabelManager(resourceFile);
  return QvSuccess(true);
}

QvString QvGetMyLabel(unsigned long id) { return DisplayText(id); }

bool QvFindLabel(unsigned long id, QvString& text) { return FindLabelText(id, text); }

bool Get_bDisplayLabelID() { return InterlockedCompareExchange(&s_displayIds, 0, 0) != 0; }

void Set_bDisplayLabelID(bool display) { InterlockedExchange(&s_displayIds, display ? 1 : 0); }
