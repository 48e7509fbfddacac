// Structured exceptions as C++ exceptions, per thread, for the length of a call.
//
// The translator turns a structured exception into a CSEHException thrown by value. g++'s
// exception handling never calls a translator the way the C runtime of the original
// compiler does, so the per-thread translator is kept here (SetSeTranslator) rather than in
// the runtime. A SeTranslatorScope installs one and gives the thread back its previous
// translator on every way out of the scope.
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
  explicit SeTranslatorScope(SeTranslatorFn fn) : m_previous(SetSeTranslator(fn)) {}
  ~SeTranslatorScope() { SetSeTranslator(m_previous); }
  SeTranslatorScope(const SeTranslatorScope&) = delete;
  SeTranslatorScope& operator=(const SeTranslatorScope&) = delete;

 private:
  SeTranslatorFn m_previous;
};
