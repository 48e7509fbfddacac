// The per-thread structured-exception translator, the scope that makes it work, and
// CSEHException.
#include "SehTranslator.h"

#include <string.h>

namespace {
thread_local SeTranslatorFn t_translator = NULL;
thread_local SeTranslatorScope* t_scope = NULL;  // the innermost scope of this thread

// Faults of the faulting instruction itself, which can be resumed elsewhere. Exceptions
// raised by software (C++ runtimes, RaiseException), breakpoints, guard pages and stack
// overflows are left to whoever handles them.
bool IsTranslatable(DWORD code) {
  switch (code) {
    case EXCEPTION_ACCESS_VIOLATION:
    case EXCEPTION_ARRAY_BOUNDS_EXCEEDED:
    case EXCEPTION_DATATYPE_MISALIGNMENT:
    case EXCEPTION_FLT_DENORMAL_OPERAND:
    case EXCEPTION_FLT_DIVIDE_BY_ZERO:
    case EXCEPTION_FLT_INEXACT_RESULT:
    case EXCEPTION_FLT_INVALID_OPERATION:
    case EXCEPTION_FLT_OVERFLOW:
    case EXCEPTION_FLT_STACK_CHECK:
    case EXCEPTION_FLT_UNDERFLOW:
    case EXCEPTION_ILLEGAL_INSTRUCTION:
    case EXCEPTION_IN_PAGE_ERROR:
    case EXCEPTION_INT_DIVIDE_BY_ZERO:
    case EXCEPTION_INT_OVERFLOW:
    case EXCEPTION_PRIV_INSTRUCTION:
      return true;
    default:
      return false;
  }
}
}  // namespace

// The faulting thread resumes in tessvik_seh_resume with the faulting instruction's address
// plus one in the accumulator: the routine pushes it as a return address and goes on in
// tessvik_seh_throw, which then looks called from the faulting instruction (plus one, so
// that the unwinder, which steps back one byte from a return address, finds that
// instruction's own unwind rules).
extern "C" void TessvikSehResume() __asm__("tessvik_seh_resume");
extern "C" void TessvikSehThrow() __asm__("tessvik_seh_throw");
#if defined(__i386__)
__asm__(
    ".text\n"
    "tessvik_seh_resume:\n"
    "\tpushl %eax\n"
    "\tjmp tessvik_seh_throw\n");
#elif defined(__x86_64__)
// Here a call needs a 16-byte aligned stack, which a fault (in a leaf function, say) may not
// leave: the routine calls on from a frame of its own that aligns the stack and that the
// unwinder steps over through its frame register.
__asm__(
    ".text\n"
    "tessvik_seh_resume:\n"
    "\tpushq %rax\n"
    "\tjmp tessvik_seh_aligned\n"
    ".seh_proc tessvik_seh_aligned\n"
    "tessvik_seh_aligned:\n"
    "\tpushq %rbp\n"
    "\t.seh_pushreg %rbp\n"
    "\tmovq %rsp, %rbp\n"
    "\t.seh_setframe %rbp, 0\n"
    "\t.seh_endprologue\n"
    "\tandq $-16, %rsp\n"
    "\tsubq $32, %rsp\n"
    "\tcall tessvik_seh_throw\n"
    "\tint3\n"
    ".seh_endproc\n");
#else
#error "the translation of structured exceptions is written for x86 and x86-64"
#endif

struct SeTranslatorScope::Pending {
  // Records the fault in the scope and sends the thread to the throwing routine; false for
  // what is not translated.
  static bool Take(SeTranslatorScope* scope, EXCEPTION_RECORD* record, CONTEXT* context) {
    if (scope == NULL || record == NULL || context == NULL) return false;
    if (!IsTranslatable(record->ExceptionCode) || scope->m_translating) return false;
    scope->m_translating = true;
    scope->m_faultCode = record->ExceptionCode;
    scope->m_record = *record;
    scope->m_record.ExceptionRecord = NULL;
    scope->m_context = *context;
#if defined(__i386__)
    context->Eax = context->Eip + 1;
    context->Eip = reinterpret_cast<DWORD>(&TessvikSehResume);
#else
    context->Rax = context->Rip + 1;
    context->Rip = reinterpret_cast<DWORD64>(&TessvikSehResume);
#endif
    return true;
  }

  // Runs in place of the faulting instruction: the translator, which throws.
  [[noreturn]] static void Throw() {
    SeTranslatorScope* scope = t_scope;
    while (scope != NULL && !scope->m_translating) scope = scope->m_outer;
    EXCEPTION_RECORD record = {};
    CONTEXT context = {};
    if (scope != NULL) {
      record = scope->m_record;
      context = scope->m_context;
    }
    // The scope takes faults again once the exception has left this routine: a fault of the
    // throw itself is not translated.
    struct Rearm {
      SeTranslatorScope* scope;
      ~Rearm() {
        if (scope != NULL) scope->m_translating = false;
      }
    } rearm = {scope};
    EXCEPTION_POINTERS info = {&record, &context};
    if (SeTranslatorFn fn = t_translator) fn(record.ExceptionCode, &info);
    throw CSEHException(record.ExceptionCode, &info);  // the faulting code is never resumed
  }

#if defined(__i386__)
  static EXCEPTION_DISPOSITION __cdecl FrameHandler(EXCEPTION_RECORD* record, void* frame, CONTEXT* context, void*) {
    const DWORD kUnwinding = 0x2 | 0x4;  // unwinding, exit unwind: no search
    if (record == NULL || (record->ExceptionFlags & kUnwinding) != 0) return ExceptionContinueSearch;
    SeTranslatorScope* scope = t_scope;
    while (scope != NULL && static_cast<void*>(&scope->m_registration) != frame) scope = scope->m_outer;
    return Take(scope, record, context) ? ExceptionContinueExecution : ExceptionContinueSearch;
  }
  static Registration* Head() {
    Registration* head;
    __asm__ volatile("movl %%fs:0, %0" : "=r"(head));
    return head;
  }
  static void SetHead(Registration* head) { __asm__ volatile("movl %0, %%fs:0" : : "r"(head) : "memory"); }
#else
  static LONG CALLBACK VectoredHandler(EXCEPTION_POINTERS* info) {
    if (info == NULL) return EXCEPTION_CONTINUE_SEARCH;
    return Take(t_scope, info->ExceptionRecord, info->ContextRecord) ? EXCEPTION_CONTINUE_EXECUTION
                                                                     : EXCEPTION_CONTINUE_SEARCH;
  }
#endif
};

extern "C" __attribute__((noinline, used)) void TessvikSehThrow() { SeTranslatorScope::Pending::Throw(); }

SeTranslatorScope::SeTranslatorScope(SeTranslatorFn fn)
    : m_previous(SetSeTranslator(fn)), m_outer(t_scope), m_faultCode(0), m_translating(false) {
  memset(&m_record, 0, sizeof(m_record));
  memset(&m_context, 0, sizeof(m_context));
#if defined(__i386__)
  m_registration.handler = reinterpret_cast<void*>(&Pending::FrameHandler);
  m_registration.next = Pending::Head();
  Pending::SetHead(&m_registration);
#else
  m_vectored = AddVectoredExceptionHandler(1, &Pending::VectoredHandler);
#endif
  t_scope = this;
}

SeTranslatorScope::~SeTranslatorScope() {
#if defined(__i386__)
  // Also when an exception passed frames of the system that did not unlink their entries.
  Pending::SetHead(m_registration.next);
#else
  if (m_vectored != NULL) RemoveVectoredExceptionHandler(m_vectored);
#endif
  t_scope = m_outer;
  SetSeTranslator(m_previous);
}

CSEHException::CSEHException(unsigned code, const EXCEPTION_POINTERS* info) : m_code(code) {
  memset(&m_record, 0, sizeof(m_record));
  memset(&m_context, 0, sizeof(m_context));
  if (info != NULL && info->ExceptionRecord != NULL) m_record = *info->ExceptionRecord;
  if (info != NULL && info->ContextRecord != NULL) m_context = *info->ContextRecord;
  m_record.ExceptionRecord = NULL;  // the chained record is not copied
}

SeTranslatorFn SetSeTranslator(SeTranslatorFn fn) {
  SeTranslatorFn old = t_translator;
  t_translator = fn;
  return old;
}

SeTranslatorFn GetSeTranslator() { return t_translator; }

void __cdecl TranslateSeh(unsigned code, EXCEPTION_POINTERS* info) { throw CSEHException(code, info); }
