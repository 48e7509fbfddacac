// The per-thread structured-exception translator and CSEHException.
#include "SehTranslator.h"

#include <string.h>

namespace {
thread_local SeTranslatorFn t_translator = NULL;
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
