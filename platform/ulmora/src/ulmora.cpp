#include "ulmora.h"

#include <windows.h>
#include <exception>
#include <new>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <string>

class UlmStream {
 public:
  std::string text;
};

namespace {

CRITICAL_SECTION& WriteLock() {
  static CRITICAL_SECTION cs = [] {
    CRITICAL_SECTION c;
    InitializeCriticalSection(&c);
    return c;
  }();
  return cs;
}

char* CopyName(const char* name) {
  const char* s = name ? name : "[NULL C STRING]";
  size_t n = strlen(s) + 1;
  char* p = new char[n];
  memcpy(p, s, n);
  return p;
}

int Clamp(int v, int lo, int hi, int fallback) { return (v < lo || v > hi) ? fallback : v; }

void AppendUtf8(std::string& out, const wchar_t* s) {
  int n = WideCharToMultiByte(CP_UTF8, 0, s, -1, NULL, 0, NULL, NULL);
  if (n <= 1) return;
  size_t at = out.size();
  out.resize(at + n);
  WideCharToMultiByte(CP_UTF8, 0, s, -1, &out[at], n, NULL, NULL);
  out.resize(at + n - 1);
}

}  // namespace

UlmLogger::UlmLogger(const char* name, int defaultLevel)
    : m_name(CopyName(name)), m_defaultLevel(Clamp(defaultLevel, 0, 4, Info)) {}

UlmLogger::~UlmLogger() { delete[] m_name; }

UlmEvent::UlmEvent(const UlmLogger& logger, int level, const char* file, int line, const char* signature,
                   int detail, int channel)
    : m_logger(logger),
      m_level(Clamp(level, 0, 4, 2)),
      m_detail(Clamp(detail, 0, 3, 0)),
      m_channel(Clamp(channel, 0, 2, 0)),
      m_file(file),
      m_line(line),
      m_signature(signature),
      m_stream(new (std::nothrow) UlmStream),
      m_uncaught(std::uncaught_exceptions()) {}

UlmEvent::~UlmEvent() {
  if (!m_stream) return;
  const char* path = getenv("ULMORA_LOG");
  if (path && *path) {
    char head[64];
    snprintf(head, sizeof head, "%d|", m_level);
    std::string line = head;
    line += m_logger.Name();
    line += '|';
    line += m_file ? m_file : "";
    snprintf(head, sizeof head, "(%d)|", m_line);
    line += head;
    line += m_signature ? m_signature : "";
    line += '|';
    line += m_stream->text;
    line += '\n';
    EnterCriticalSection(&WriteLock());
    if (FILE* f = fopen(path, "ab")) {
      fwrite(line.data(), 1, line.size(), f);
      // Unwinding may be a crash on its way: skip the flush, the close still writes.
      if (std::uncaught_exceptions() <= m_uncaught) fflush(f);
      fclose(f);
    }
    LeaveCriticalSection(&WriteLock());
  }
  delete m_stream;
}

UlmEvent& UlmEvent::operator<<(char c) {
  if (m_stream) m_stream->text.push_back(c);
  return *this;
}

#define ULM_NUMBER(type, fmt)                                     \
  UlmEvent& UlmEvent::operator<<(type n) {                        \
    if (m_stream) {                                               \
      char buf[32];                                               \
      snprintf(buf, sizeof buf, fmt, n);                          \
      m_stream->text += buf;                                      \
    }                                                             \
    return *this;                                                 \
  }
ULM_NUMBER(short, "%hd")
ULM_NUMBER(unsigned short, "%hu")
ULM_NUMBER(int, "%d")
ULM_NUMBER(unsigned int, "%u")
ULM_NUMBER(long, "%ld")
ULM_NUMBER(unsigned long, "%lu")
ULM_NUMBER(const void*, "%p")
#undef ULM_NUMBER

UlmEvent& UlmEvent::operator<<(const char* s) {
  if (m_stream) m_stream->text += s ? s : "[NULL]";
  return *this;
}

UlmEvent& UlmEvent::operator<<(const wchar_t* s) {
  if (!m_stream) return *this;
  if (s)
    AppendUtf8(m_stream->text, s);
  else
    m_stream->text += "[NULL]";
  return *this;
}
