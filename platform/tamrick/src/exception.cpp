#include "tamrick.h"

#include <string.h>

namespace {
char* Dup(const char* s) {
  if (!s) return nullptr;
  size_t n = strlen(s) + 1;
  char* p = new char[n];
  memcpy(p, s, n);
  return p;
}
}  // namespace

QvException::QvException(unsigned long code, const char* what) : m_code(code), m_what(Dup(what)) {}
QvException::QvException(const QvException& o) : m_code(o.m_code), m_what(Dup(o.m_what)) {}
QvException& QvException::operator=(const QvException& o) {
  if (this != &o) {
    char* w = Dup(o.m_what);
    delete[] m_what;
    m_what = w;
    m_code = o.m_code;
  }
  return *this;
}
QvException::~QvException() { delete[] m_what; }
