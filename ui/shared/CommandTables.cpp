// The bounded reader of the command tables (resource types 300 to 303).
#include "CommandTables.h"

#include <framework.h>
#include <ulmora.h>

#include <string.h>

#include <vector>

namespace {

UlmLogger s_log("CommandTables");

template <class Record>
void Deliver(CCommandTableSink& sink, const Record& record);
template <>
void Deliver(CCommandTableSink& sink, const tagCOMMAND_CATEGORY& r) { sink.OnCategory(r); }
template <>
void Deliver(CCommandTableSink& sink, const tagCOMMAND& r) { sink.OnCommand(r); }
template <>
void Deliver(CCommandTableSink& sink, const tagSECURITY_FAMILY& r) { sink.OnSecurityFamily(r); }
template <>
void Deliver(CCommandTableSink& sink, const tagSECURITY_COMMAND& r) { sink.OnSecurityCommand(r); }

bool IsTerminator(const tagCOMMAND_CATEGORY& r) { return r.dwCategoryID == 0 && r.dwLabel == 0; }
bool IsTerminator(const tagCOMMAND& r) { return r.wID == 0; }
bool IsTerminator(const tagSECURITY_FAMILY& r) { return r.wFamilyID == 0; }
bool IsTerminator(const tagSECURITY_COMMAND& r) { return r.dwSecurityID == 0; }

// Resource data need not be aligned for the record: each record is copied out before use.
template <class Record>
CommandTableEnd ReadRecords(const BYTE* data, DWORD size, CCommandTableSink& sink) {
  DWORD offset = 0;
  for (; size - offset >= sizeof(Record); offset += sizeof(Record)) {
    Record r;
    memcpy(&r, data + offset, sizeof r);
    if (IsTerminator(r)) return CTE_TERMINATED;
    Deliver(sink, r);
  }
  return offset == size ? CTE_UNTERMINATED : CTE_TRUNCATED;
}

struct ReadContext {
  WORD type;
  CCommandTableSink* sink;
};

void ReadOneResource(HMODULE module, LPCTSTR name, const ReadContext& ctx) {
  HRSRC res = FindResource(module, name, MAKEINTRESOURCE(ctx.type));
  if (!res) return;
  DWORD size = SizeofResource(module, res);
  HGLOBAL block = LoadResource(module, res);
  const void* data = block ? LockResource(block) : NULL;
  if (data == NULL) return;
  CommandTableEnd end = ReadCommandTable(ctx.type, data, size, *ctx.sink);
  if (end == CTE_UNTERMINATED || end == CTE_TRUNCATED) {
    ULM_LOG(s_log, UlmLogger::Error, "int __cdecl ReadCommandTables(struct HINSTANCE__ *,unsigned short,class CCommandTableSink &)")
        << "ReadCommandTables - table of type " << static_cast<unsigned>(ctx.type) << " in module "
        << static_cast<const void*>(module) << (end == CTE_TRUNCATED ? " is truncated" : " has no terminator")
        << ", size " << static_cast<unsigned long>(size);
  }
  // Resources need no release: they live as long as the module.
}

BOOL CALLBACK EnumNameProc(HMODULE module, LPCTSTR, LPTSTR name, LONG_PTR param) {
  ReadOneResource(module, name, *reinterpret_cast<const ReadContext*>(param));
  return TRUE;  // go on with the next resource whatever this one held
}

BOOL ReadChainStep(HMODULE module, void* context) {
  const ReadContext& ctx = *static_cast<const ReadContext*>(context);
  ReadCommandTables(module, ctx.type, *ctx.sink);
  return TRUE;
}

struct ChainLock {
  ChainLock() { AfxLockGlobals(CRIT_DYNLINKLIST); }
  ~ChainLock() { AfxUnlockGlobals(CRIT_DYNLINKLIST); }
  ChainLock(const ChainLock&) = delete;
  ChainLock& operator=(const ChainLock&) = delete;
};

}  // namespace

CCommandTableSink::~CCommandTableSink() {}
void CCommandTableSink::OnCategory(const tagCOMMAND_CATEGORY&) {}
void CCommandTableSink::OnCommand(const tagCOMMAND&) {}
void CCommandTableSink::OnSecurityFamily(const tagSECURITY_FAMILY&) {}
void CCommandTableSink::OnSecurityCommand(const tagSECURITY_COMMAND&) {}

UINT CommandTableRecordSize(WORD type) {
  switch (type) {
    case RT_QVCOMMAND_CATEGORIES: return sizeof(tagCOMMAND_CATEGORY);
    case RT_QVCOMMANDS: return sizeof(tagCOMMAND);
    case RT_QVSECURITY_FAMILIES: return sizeof(tagSECURITY_FAMILY);
    case RT_QVSECURITY_COMMANDS: return sizeof(tagSECURITY_COMMAND);
  }
  return 0;
}

CommandTableEnd ReadCommandTable(WORD type, const void* data, DWORD size, CCommandTableSink& sink) {
  const BYTE* bytes = static_cast<const BYTE*>(data);
  if (bytes == NULL) size = 0;
  switch (type) {
    case RT_QVCOMMAND_CATEGORIES: return ReadRecords<tagCOMMAND_CATEGORY>(bytes, size, sink);
    case RT_QVCOMMANDS: return ReadRecords<tagCOMMAND>(bytes, size, sink);
    case RT_QVSECURITY_FAMILIES: return ReadRecords<tagSECURITY_FAMILY>(bytes, size, sink);
    case RT_QVSECURITY_COMMANDS: return ReadRecords<tagSECURITY_COMMAND>(bytes, size, sink);
  }
  return CTE_UNKNOWN_TYPE;
}

BOOL ReadCommandTables(HMODULE module, WORD type, CCommandTableSink& sink) {
  if (module == NULL || CommandTableRecordSize(type) == 0) return FALSE;
  ReadContext ctx = {type, &sink};
  return EnumResourceNames(module, MAKEINTRESOURCE(type), EnumNameProc, reinterpret_cast<LONG_PTR>(&ctx));
}

void EnumCommandTableModules(CommandTableModuleVisitor visit, void* context) {
  // The chain is copied under its lock; the visits run outside it.
  std::vector<HMODULE> modules;
  AFX_MODULE_STATE* state = AfxGetModuleState();
  {
    ChainLock lock;
    if (!state->m_bSystem && state->m_hCurrentResourceHandle) modules.push_back(state->m_hCurrentResourceHandle);
    for (CDynLinkLibrary* lib = state->m_libraryList; lib; lib = lib->m_pNextDLL)
      if (!lib->m_bSystem && lib->m_hResource) modules.push_back(lib->m_hResource);
  }
  for (HMODULE m : modules)
    if (!visit(m, context)) break;
}

void ReadCommandTablesOfChain(WORD type, CCommandTableSink& sink) {
  ReadContext ctx = {type, &sink};
  EnumCommandTableModules(ReadChainStep, &ctx);
}
