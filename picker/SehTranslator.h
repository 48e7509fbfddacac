// Structured exceptions as C++ exceptions, per thread, for the length of a call.
//
// The translator turns a structured exception into a CSEHException thrown by value. g++'s
// exception handling never calls a translator the way the C runtime of the original
// compiler does, so the per-thread translator is kept here (SetSeTranslator) and a
// SeTranslatorScope makes it work: for the scope's life it watches the thread's hardware
// faults (access violations, division by zero, illegal instructions and the like) that no
// handler inside the scope takes, records it (Faulted) and resumes the faulting
// thread in a routine that calls the translator as if the faulting instruction had called
// it, so that the C++ exception unwinds from there through the unwind tables of the frames
// in between, running their destructors, to the nearest catch. The scope gives the thread
// back its previous translator and handler on every way out.
//
// On 32-bit x86 the scope is an exception frame of the thread's frame chain: handlers of the
// frames inside it (the system's own probes of memory) come first. On x86-64 it is a
// vectored handler that translates only while the thread is inside a scope; it sees a fault
// before any handler of the frames inside, so code inside the scope must not rely on
// catching its own hardware faults there (probe memory before the scope, as
// SelectMobileGroup does).
//
// Code compiled with g++ unwinds from a faulting instruction only with -fnon-call-exceptions
// (Tessvik is): without it a function that g++ proved cannot throw has no unwind entry for
// its calls, and the throw ends in std::terminate.
//
// A fault is never resumed: when the translator returns instead of throwing, a
// CSEHException is thrown anyway. Faults whose frames have no unwind tables cannot be
// unwound and still end the process, as do stack overflows (no stack is left to throw from).
#pragma once
#include <windows.h>

class CSEHException {
 public:
  CSEHException(unsigned code, const EXCEPTION_POINTERS* info);
  unsigned GetCode() const { return m_code; }
  const EXCEPTION_RECORD& GetRecord() const { return m_record; }
  const CONTEXT& GetContext() const { return m_context; }

 private:
  unsigned m_code;
  EXCEPTION_RECORD m_record;  // copies: the originals die with the exception's dispatch
  CONTEXT m_context;
};

typedef void(__cdecl* SeTranslatorFn)(unsigned code, EXCEPTION_POINTERS* info);

// The calling thread's translator; answers the previous one.
SeTranslatorFn SetSeTranslator(SeTranslatorFn fn);
SeTranslatorFn GetSeTranslator();

// Throws CSEHException(code, info).
void __cdecl TranslateSeh(unsigned code, EXCEPTION_POINTERS* info);

class SeTranslatorScope {
 public:
  explicit SeTranslatorScope(SeTranslatorFn fn);
  ~SeTranslatorScope();
  SeTranslatorScope(const SeTranslatorScope&) = delete;
  SeTranslatorScope& operator=(const SeTranslatorScope&) = delete;

  // A fault was translated inside the scope (also when a catch on the way swallowed the
  // C++ exception); the code of the last one, 0 when none.
  bool Faulted() const { return m_faultCode != 0; }
  unsigned FaultCode() const { return m_faultCode; }

  // What the fault handler and the throwing routine share (SehTranslator.cpp).
  struct Pending;

 private:
#if defined(__i386__)
  // The frame-chain entry; the handler finds the scope from its address.
  struct Registration {
    Registration* next;
    void* handler;
  } m_registration;
#else
  void* m_vectored;
#endif
  SeTranslatorFn m_previous;
  SeTranslatorScope* m_outer;
  unsigned m_faultCode;
  bool m_translating;  // the throwing routine has not run yet
  EXCEPTION_RECORD m_record;
  CONTEXT m_context;
};
