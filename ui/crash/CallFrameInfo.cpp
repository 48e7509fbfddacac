// The DWARF call-frame unwinder of 32-bit x86 call stacks. Every read of the image or the
// stack is bounded: damaged tables or a wild stack end the walk, never fault in the filter.
#include "CallFrameInfo.h"

#if !defined(_WIN64)

#include <stddef.h>
#include <string.h>

namespace crash_report {

namespace {

// DWARF register numbers on x86.
enum { kEax, kEcx, kEdx, kEbx, kEsp, kEbp, kEsi, kEdi, kEip, kRegisters };

struct Span {
  const BYTE* begin;
  const BYTE* end;
};

// A bounded reader; any read past the end marks it failed and yields 0.
class Reader {
 public:
  Reader(const BYTE* p, const BYTE* end) : m_p(p), m_end(end), m_ok(p <= end) {}
  bool Ok() const { return m_ok; }
  bool AtEnd() const { return m_p >= m_end; }
  const BYTE* Pos() const { return m_p; }

  DWORD Fixed(size_t n) {
    DWORD v = 0;
    if (static_cast<size_t>(m_end - m_p) < n) return Fail();
    memcpy(&v, m_p, n < sizeof v ? n : sizeof v);  // little-endian; 8-byte forms keep the low half
    m_p += n;
    return v;
  }
  BYTE Byte() { return static_cast<BYTE>(Fixed(1)); }
  DWORD Uleb() {
    DWORD v = 0;
    for (int shift = 0;; shift += 7) {
      if (m_p >= m_end) return Fail();
      BYTE b = *m_p++;
      if (shift < 32) v |= static_cast<DWORD>(b & 0x7F) << shift;
      if ((b & 0x80) == 0) return v;
    }
  }
  LONG Sleb() {
    DWORD v = 0;
    int shift = 0;
    BYTE b;
    do {
      if (m_p >= m_end) return static_cast<LONG>(Fail());
      b = *m_p++;
      if (shift < 32) v |= static_cast<DWORD>(b & 0x7F) << shift;
      shift += 7;
    } while (b & 0x80);
    if (shift < 32 && (b & 0x40)) v |= ~0u << shift;
    return static_cast<LONG>(v);
  }
  const char* String() {
    const BYTE* start = m_p;
    while (m_p < m_end && *m_p != 0) ++m_p;
    if (m_p >= m_end) {
      Fail();
      return "";
    }
    ++m_p;
    return reinterpret_cast<const char*>(start);
  }
  Span Block(size_t n) {
    Span s = {m_p, m_p};
    if (static_cast<size_t>(m_end - m_p) < n) {
      Fail();
      return s;
    }
    m_p += n;
    s.end = m_p;
    return s;
  }
  // A pointer in one of the DW_EH_PE encodings; `apply` false reads the value only (the
  // length of an address range). Encodings relative to anything but the field itself are not
  // used by the images we walk and fail.
  ULONG_PTR Pointer(BYTE encoding, bool apply) {
    if (encoding == 0xFF) return Fail();
    ULONG_PTR field = reinterpret_cast<ULONG_PTR>(m_p);
    ULONG_PTR v;
    switch (encoding & 0x0F) {
      case 0x00: v = Fixed(sizeof(ULONG_PTR)); break;
      case 0x01: v = Uleb(); break;
      case 0x02: v = Fixed(2); break;
      case 0x03: v = Fixed(4); break;
      case 0x04: v = Fixed(8); break;
      case 0x09: v = static_cast<ULONG_PTR>(Sleb()); break;
      case 0x0A: v = static_cast<ULONG_PTR>(static_cast<LONG_PTR>(static_cast<SHORT>(Fixed(2)))); break;
      case 0x0B: v = Fixed(4); break;
      case 0x0C: v = Fixed(8); break;
      default: return Fail();
    }
    if (!apply) return v;
    switch (encoding & 0x70) {
      case 0x00: break;
      case 0x10: v += field; break;
      default: return Fail();
    }
    return v;  // an indirect pointer (0x80) is only skipped: such fields are never followed
  }

 private:
  DWORD Fail() {
    m_ok = false;
    m_p = m_end;
    return 0;
  }
  const BYTE* m_p;
  const BYTE* m_end;
  bool m_ok;
};

struct Cie {
  const BYTE* at;  // where it starts (the cache key)
  DWORD codeAlign;
  LONG dataAlign;
  DWORD returnColumn;
  BYTE fdeEncoding;
  bool augmented;  // 'z': FDEs have an augmentation-data length
  Span instructions;
};

bool ParseCie(const BYTE* at, const Span& section, Cie* cie) {
  Reader r(at, section.end);
  DWORD length = r.Fixed(4);
  if (!r.Ok() || length == 0 || length == 0xFFFFFFFF || length > static_cast<size_t>(section.end - r.Pos()))
    return false;
  const BYTE* end = r.Pos() + length;
  r = Reader(r.Pos(), end);
  if (r.Fixed(4) != 0) return false;  // a CIE's id
  BYTE version = r.Byte();
  if (version != 1 && version != 3) return false;
  const char* augmentation = r.String();
  if (!r.Ok()) return false;
  cie->at = at;
  cie->codeAlign = r.Uleb();
  cie->dataAlign = r.Sleb();
  cie->returnColumn = version == 1 ? r.Byte() : r.Uleb();
  cie->fdeEncoding = 0;
  cie->augmented = augmentation[0] == 'z';
  if (cie->augmented) {
    DWORD size = r.Uleb();
    Reader data(r.Pos(), r.Pos() + size);
    r.Block(size);
    for (const char* a = augmentation + 1; *a != '\0' && data.Ok(); ++a) {
      if (*a == 'R')
        cie->fdeEncoding = data.Byte();
      else if (*a == 'L')
        data.Byte();
      else if (*a == 'P')
        data.Pointer(data.Byte(), false);
      else if (*a != 'S')
        return false;
    }
    if (!data.Ok()) return false;
  } else if (augmentation[0] != '\0') {
    return false;
  }
  cie->instructions.begin = r.Pos();
  cie->instructions.end = end;
  return r.Ok() && cie->returnColumn < kRegisters;
}

// The .eh_frame section of the image at `base`. Section names longer than eight characters
// live in the image file's string table, which is not loaded: the section is the loaded,
// kept, read-only data section with a long name (or the name cut to eight) that starts with
// a CIE.
bool FindEhFrame(ULONG_PTR base, Span* out) {
  MEMORY_BASIC_INFORMATION mbi;
  if (VirtualQuery(reinterpret_cast<void*>(base), &mbi, sizeof mbi) != sizeof mbi || mbi.State != MEM_COMMIT ||
      mbi.Type != MEM_IMAGE || (mbi.Protect & (PAGE_NOACCESS | PAGE_GUARD)) != 0)
    return false;
  const BYTE* image = reinterpret_cast<const BYTE*>(base);
  size_t headers = mbi.RegionSize;
  const IMAGE_DOS_HEADER* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(image);
  if (headers < sizeof *dos || dos->e_magic != IMAGE_DOS_SIGNATURE || dos->e_lfanew <= 0 ||
      static_cast<size_t>(dos->e_lfanew) > headers - sizeof(IMAGE_NT_HEADERS32))
    return false;
  const IMAGE_NT_HEADERS32* nt = reinterpret_cast<const IMAGE_NT_HEADERS32*>(image + dos->e_lfanew);
  if (nt->Signature != IMAGE_NT_SIGNATURE || nt->OptionalHeader.Magic != IMAGE_NT_OPTIONAL_HDR32_MAGIC) return false;
  size_t sectionsAt = dos->e_lfanew + offsetof(IMAGE_NT_HEADERS32, OptionalHeader) + nt->FileHeader.SizeOfOptionalHeader;
  size_t count = nt->FileHeader.NumberOfSections;
  if (sectionsAt > headers || count > (headers - sectionsAt) / sizeof(IMAGE_SECTION_HEADER)) return false;
  const IMAGE_SECTION_HEADER* sections = reinterpret_cast<const IMAGE_SECTION_HEADER*>(image + sectionsAt);
  const DWORD kWanted = IMAGE_SCN_CNT_INITIALIZED_DATA | IMAGE_SCN_MEM_READ;
  const DWORD kUnwanted = IMAGE_SCN_MEM_DISCARDABLE | IMAGE_SCN_MEM_EXECUTE | IMAGE_SCN_MEM_WRITE;
  for (size_t i = 0; i < count; ++i) {
    const IMAGE_SECTION_HEADER& s = sections[i];
    if ((s.Characteristics & (kWanted | kUnwanted)) != kWanted) continue;
    if (s.Name[0] != '/' && memcmp(s.Name, ".eh_fram", 8) != 0) continue;
    DWORD size = s.Misc.VirtualSize;
    if (size < 8 || s.VirtualAddress > nt->OptionalHeader.SizeOfImage ||
        size > nt->OptionalHeader.SizeOfImage - s.VirtualAddress)
      continue;
    const BYTE* begin = image + s.VirtualAddress;
    if (VirtualQuery(begin, &mbi, sizeof mbi) != sizeof mbi || mbi.State != MEM_COMMIT ||
        (mbi.Protect & (PAGE_NOACCESS | PAGE_GUARD)) != 0 ||
        reinterpret_cast<const BYTE*>(mbi.BaseAddress) + mbi.RegionSize < begin + size)
      continue;
    Span span = {begin, begin + size};
    Cie cie;
    if (!ParseCie(begin, span, &cie)) continue;
    *out = span;
    return true;
  }
  return false;
}

// The .eh_frame of the image holding pc. Looked up afresh each time: an image unloaded since
// may have left its address to another.
bool EhFrameOf(ULONG_PTR pc, Span* out) {
  MEMORY_BASIC_INFORMATION mbi;
  return VirtualQuery(reinterpret_cast<void*>(pc), &mbi, sizeof mbi) == sizeof mbi && mbi.State == MEM_COMMIT &&
         mbi.Type == MEM_IMAGE && FindEhFrame(reinterpret_cast<ULONG_PTR>(mbi.AllocationBase), out);
}

// The CIE and instructions of the FDE whose range holds pc, and where that range starts.
bool FindFde(const Span& section, ULONG_PTR pc, Cie* cie, Span* instructions, ULONG_PTR* start) {
  cie->at = NULL;
  const BYTE* p = section.begin;
  while (static_cast<size_t>(section.end - p) >= 8) {
    Reader r(p, section.end);
    DWORD length = r.Fixed(4);
    if (length == 0 || length == 0xFFFFFFFF || length > static_cast<size_t>(section.end - r.Pos())) return false;
    const BYTE* body = r.Pos();
    const BYTE* next = body + length;
    r = Reader(body, next);
    DWORD id = r.Fixed(4);
    if (r.Ok() && id != 0 && id <= static_cast<size_t>(body - section.begin)) {
      const BYTE* cieAt = body - id;
      if (cie->at == cieAt || ParseCie(cieAt, section, cie)) {
        ULONG_PTR begin = r.Pointer(cie->fdeEncoding, true);
        ULONG_PTR range = r.Pointer(cie->fdeEncoding & 0x0F, false);
        if (r.Ok() && pc >= begin && pc - begin < range) {
          if (cie->augmented) r.Block(r.Uleb());
          if (!r.Ok()) return false;
          instructions->begin = r.Pos();
          instructions->end = next;
          *start = begin;
          return true;
        }
      } else {
        cie->at = NULL;
      }
    }
    p = next;
  }
  return false;
}

enum RuleKind { kSame, kUndefined, kOffset, kValOffset, kRegister, kExpression, kValExpression };

struct Rule {
  RuleKind kind;
  LONG value;  // offset from the CFA, or register number
  Span expression;
};

struct Row {
  bool cfaByExpression;
  DWORD cfaRegister;
  LONG cfaOffset;
  Span cfaExpression;
  Rule rules[kRegisters];
};

class Frame {
 public:
  Frame(const CONTEXT& c, const StackBounds& bounds) : m_bounds(bounds) {
    m_regs[kEax] = c.Eax;
    m_regs[kEcx] = c.Ecx;
    m_regs[kEdx] = c.Edx;
    m_regs[kEbx] = c.Ebx;
    m_regs[kEsp] = c.Esp;
    m_regs[kEbp] = c.Ebp;
    m_regs[kEsi] = c.Esi;
    m_regs[kEdi] = c.Edi;
    m_regs[kEip] = c.Eip;
  }

  // A word of the stack; false outside it or misaligned.
  bool Read(ULONG_PTR at, ULONG_PTR* value) const {
    if (at % 4 != 0 || at < m_bounds.low || at >= m_bounds.high || m_bounds.high - at < sizeof(ULONG_PTR))
      return false;
    *value = *reinterpret_cast<const ULONG_PTR*>(at);
    return true;
  }

  // A DWARF expression over this frame's registers; `initial` is pushed first when given.
  bool Evaluate(const Span& expression, const ULONG_PTR* initial, ULONG_PTR* result) const {
    const int kDepth = 16;
    ULONG_PTR stack[kDepth];
    int depth = 0;
    if (initial != NULL) stack[depth++] = *initial;
    Reader r(expression.begin, expression.end);
    while (!r.AtEnd()) {
      BYTE op = r.Byte();
      ULONG_PTR push;
      if (op >= 0x30 && op <= 0x4F) {  // DW_OP_lit<n>
        push = op - 0x30;
      } else if (op >= 0x70 && op <= 0x8F) {  // DW_OP_breg<n>
        if (op - 0x70 >= kRegisters) return false;
        push = m_regs[op - 0x70] + r.Sleb();
      } else if (op >= 0x50 && op <= 0x6F) {  // DW_OP_reg<n> as a value
        if (op - 0x50 >= kRegisters) return false;
        push = m_regs[op - 0x50];
      } else {
        switch (op) {
          case 0x08: push = r.Byte(); break;
          case 0x09: push = static_cast<ULONG_PTR>(static_cast<LONG_PTR>(static_cast<signed char>(r.Byte()))); break;
          case 0x0A: push = r.Fixed(2); break;
          case 0x0B: push = static_cast<ULONG_PTR>(static_cast<LONG_PTR>(static_cast<SHORT>(r.Fixed(2)))); break;
          case 0x0C:
          case 0x0D: push = r.Fixed(4); break;
          case 0x10: push = r.Uleb(); break;
          case 0x11: push = static_cast<ULONG_PTR>(r.Sleb()); break;
          case 0x92: {  // DW_OP_bregx
            DWORD reg = r.Uleb();
            if (reg >= kRegisters) return false;
            push = m_regs[reg] + r.Sleb();
            break;
          }
          case 0x12:  // DW_OP_dup
            if (depth < 1) return false;
            push = stack[depth - 1];
            break;
          default: {
            if (depth < 1) return false;
            ULONG_PTR& top = stack[depth - 1];
            if (op == 0x06) {  // DW_OP_deref
              if (!Read(top, &top)) return false;
            } else if (op == 0x23) {  // DW_OP_plus_uconst
              top += r.Uleb();
            } else if (op == 0x1A || op == 0x1C || op == 0x22) {  // and, minus, plus
              if (depth < 2) return false;
              ULONG_PTR b = stack[--depth], &a = stack[depth - 1];
              a = op == 0x1A ? (a & b) : op == 0x1C ? a - b : a + b;
            } else {
              return false;
            }
            continue;
          }
        }
      }
      if (!r.Ok() || depth == kDepth) return false;
      stack[depth++] = push;
    }
    if (!r.Ok() || depth < 1) return false;
    *result = stack[depth - 1];
    return true;
  }

  // The caller's registers by the row; false when a rule cannot be followed or the return
  // address is undefined (the outermost frame).
  bool Unwind(const Row& row, DWORD returnColumn, CONTEXT* context) const {
    ULONG_PTR cfa;
    if (row.cfaByExpression) {
      if (!Evaluate(row.cfaExpression, NULL, &cfa)) return false;
    } else {
      if (row.cfaRegister >= kRegisters) return false;
      cfa = m_regs[row.cfaRegister] + row.cfaOffset;
    }
    ULONG_PTR caller[kRegisters];
    for (int reg = 0; reg < kRegisters; ++reg) {
      const Rule& rule = row.rules[reg];
      ULONG_PTR at;
      switch (rule.kind) {
        case kSame:
          caller[reg] = m_regs[reg];
          break;
        case kUndefined:
          if (static_cast<DWORD>(reg) == returnColumn) return false;
          caller[reg] = m_regs[reg];
          break;
        case kOffset:
          if (!Read(cfa + rule.value, &caller[reg])) return false;
          break;
        case kValOffset:
          caller[reg] = cfa + rule.value;
          break;
        case kRegister:
          caller[reg] = m_regs[rule.value];
          break;
        case kExpression:
          if (!Evaluate(rule.expression, &cfa, &at) || !Read(at, &caller[reg])) return false;
          break;
        case kValExpression:
          if (!Evaluate(rule.expression, &cfa, &caller[reg])) return false;
          break;
      }
    }
    context->Ebx = caller[kEbx];
    context->Ebp = caller[kEbp];
    context->Esi = caller[kEsi];
    context->Edi = caller[kEdi];
    context->Esp = cfa;  // the CFA is the stack pointer before the call
    context->Eip = caller[returnColumn];
    return true;
  }

 private:
  ULONG_PTR m_regs[kRegisters];
  const StackBounds& m_bounds;
};

// Runs call-frame instructions into `row` up to the row that holds pc (all of them when pc
// is 0, for a CIE's initial instructions). `initial` is the row after the CIE's instructions,
// for DW_CFA_restore.
bool Execute(const Span& instructions, const Cie& cie, ULONG_PTR location, ULONG_PTR pc, const Row* initial,
             Row* row) {
  const int kStates = 8;
  Row saved[kStates];
  int states = 0;
  Reader r(instructions.begin, instructions.end);
  while (!r.AtEnd()) {
    BYTE op = r.Byte();
    DWORD reg = 0;
    BYTE high = op & 0xC0;
    ULONG_PTR advance = 0;
    bool advances = false;
    if (high == 0x40) {
      advance = (op & 0x3F) * cie.codeAlign;
      advances = true;
    } else if (high == 0x80 || high == 0xC0) {
      reg = op & 0x3F;
      op = high;
    }
    switch (advances ? 0xFF : op) {
      case 0xFF: break;
      case 0x00: break;  // DW_CFA_nop
      case 0x01: {       // DW_CFA_set_loc
        ULONG_PTR to = r.Pointer(cie.fdeEncoding, true);
        if (pc != 0 && to > pc) return r.Ok();
        location = to;
        break;
      }
      case 0x02: advance = r.Byte() * cie.codeAlign, advances = true; break;
      case 0x03: advance = r.Fixed(2) * cie.codeAlign, advances = true; break;
      case 0x04: advance = r.Fixed(4) * cie.codeAlign, advances = true; break;
      case 0x80:  // DW_CFA_offset
      case 0x05:  // DW_CFA_offset_extended
      case 0x11:  // DW_CFA_offset_extended_sf
      case 0x14:  // DW_CFA_val_offset
      case 0x15:  // DW_CFA_val_offset_sf
      case 0x2F: {  // DW_CFA_GNU_negative_offset_extended
        if (op != 0x80) reg = r.Uleb();
        LONG factored = (op == 0x11 || op == 0x15) ? r.Sleb() : static_cast<LONG>(r.Uleb());
        if (op == 0x2F) factored = -factored;
        if (reg < kRegisters) {
          row->rules[reg].kind = (op == 0x14 || op == 0x15) ? kValOffset : kOffset;
          row->rules[reg].value = factored * cie.dataAlign;
        }
        break;
      }
      case 0xC0:  // DW_CFA_restore
      case 0x06:  // DW_CFA_restore_extended
        if (op == 0x06) reg = r.Uleb();
        if (reg < kRegisters) {
          if (initial == NULL) return false;
          row->rules[reg] = initial->rules[reg];
        }
        break;
      case 0x07:  // DW_CFA_undefined
      case 0x08:  // DW_CFA_same_value
        reg = r.Uleb();
        if (reg < kRegisters) row->rules[reg].kind = op == 0x07 ? kUndefined : kSame;
        break;
      case 0x09: {  // DW_CFA_register
        reg = r.Uleb();
        DWORD from = r.Uleb();
        if (reg < kRegisters) {
          if (from >= kRegisters) return false;
          row->rules[reg].kind = kRegister;
          row->rules[reg].value = static_cast<LONG>(from);
        }
        break;
      }
      case 0x0A:  // DW_CFA_remember_state
        if (states == kStates) return false;
        saved[states++] = *row;
        break;
      case 0x0B: {  // DW_CFA_restore_state: the rules come back, the CFA too
        if (states == 0) return false;
        *row = saved[--states];
        break;
      }
      case 0x0C:  // DW_CFA_def_cfa
      case 0x12:  // DW_CFA_def_cfa_sf
        row->cfaByExpression = false;
        row->cfaRegister = r.Uleb();
        row->cfaOffset = op == 0x0C ? static_cast<LONG>(r.Uleb()) : r.Sleb() * cie.dataAlign;
        break;
      case 0x0D:  // DW_CFA_def_cfa_register
        row->cfaByExpression = false;
        row->cfaRegister = r.Uleb();
        break;
      case 0x0E:  // DW_CFA_def_cfa_offset
      case 0x13:  // DW_CFA_def_cfa_offset_sf
        row->cfaOffset = op == 0x0E ? static_cast<LONG>(r.Uleb()) : r.Sleb() * cie.dataAlign;
        break;
      case 0x0F:  // DW_CFA_def_cfa_expression
        row->cfaByExpression = true;
        row->cfaExpression = r.Block(r.Uleb());
        break;
      case 0x10:  // DW_CFA_expression
      case 0x16: {  // DW_CFA_val_expression
        reg = r.Uleb();
        Span expression = r.Block(r.Uleb());
        if (reg < kRegisters) {
          row->rules[reg].kind = op == 0x10 ? kExpression : kValExpression;
          row->rules[reg].expression = expression;
        }
        break;
      }
      case 0x2E:  // DW_CFA_GNU_args_size
        r.Uleb();
        break;
      default:
        return false;
    }
    if (!r.Ok()) return false;
    if (advances) {
      if (pc != 0 && location + advance > pc) return true;
      location += advance;
    }
  }
  return r.Ok();
}

}  // namespace

bool UnwindByCallFrameInfo(CONTEXT* context, ULONG_PTR pc, const StackBounds& bounds) {
  Span section;
  if (!EhFrameOf(pc, &section)) return false;
  Cie cie;
  Span instructions;
  ULONG_PTR start = 0;
  if (!FindFde(section, pc, &cie, &instructions, &start)) return false;
  Row initial;
  memset(&initial, 0, sizeof initial);  // every register kSame, the CFA at register 0 + 0
  if (!Execute(cie.instructions, cie, start, 0, NULL, &initial)) return false;
  Row row = initial;
  if (!Execute(instructions, cie, start, pc, &initial, &row)) return false;
  Frame frame(*context, bounds);
  CONTEXT caller = *context;
  if (!frame.Unwind(row, cie.returnColumn, &caller)) return false;
  *context = caller;
  return true;
}

}  // namespace crash_report

#endif
