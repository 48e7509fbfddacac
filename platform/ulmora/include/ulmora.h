// ulmora: the trace logger.
//
// Each source file that logs owns one UlmLogger, made at load. A call site makes a UlmEvent
// from it, streams values into it and the event writes one line when it is destroyed, at the
// end of the statement:
//
//   ULM_LOG(s_log, 1, "void Foo::Bar(int)") << "Foo::Bar - failed, n=" << n;
//
// Lines go to the file named by the environment variable ULMORA_LOG (appended, one line per
// event: "<level>|<logger>|<file>(<line>)|<signature>|<text>"); without it they are dropped.
#pragma once
#include <stddef.h>
#include <stdint.h>

#ifdef ULMORA_BUILD
#define ULMORA_API __declspec(dllexport)
#else
#define ULMORA_API __declspec(dllimport)
#endif

class ULMORA_API UlmLogger {
 public:
  enum { Fatal = 0, Error = 1, Info = 2, Debug = 3, Trace = 4 };
  // A null name stands as "[NULL C STRING]".
  explicit UlmLogger(const char* name, int defaultLevel = Info);
  ~UlmLogger();
  const char* Name() const { return m_name; }
  int DefaultLevel() const { return m_defaultLevel; }

 private:
  UlmLogger(const UlmLogger&) = delete;
  UlmLogger& operator=(const UlmLogger&) = delete;
  char* m_name;
  int m_defaultLevel;
};

class UlmStream;

class ULMORA_API UlmEvent {
 public:
  // level: 0 to 4, anything else is 2. detail: 0 to 3, channel: 0 to 2; out of range gives 0.
  UlmEvent(const UlmLogger& logger, int level, const char* file, int line, const char* signature,
           int detail = 0, int channel = 0);
  ~UlmEvent();

  UlmEvent& operator<<(char c);
  UlmEvent& operator<<(short n);
  UlmEvent& operator<<(unsigned short n);
  UlmEvent& operator<<(int n);
  UlmEvent& operator<<(unsigned int n);
  UlmEvent& operator<<(long n);
  UlmEvent& operator<<(unsigned long n);
  UlmEvent& operator<<(const void* p);
  UlmEvent& operator<<(const char* s);      // null streams "[NULL]"
  UlmEvent& operator<<(const wchar_t* s);   // as UTF-8; null streams "[NULL]"

  int Level() const { return m_level; }
  int Detail() const { return m_detail; }
  int Channel() const { return m_channel; }

 private:
  UlmEvent(const UlmEvent&) = delete;
  UlmEvent& operator=(const UlmEvent&) = delete;
  const UlmLogger& m_logger;
  int m_level, m_detail, m_channel;
  const char* m_file;
  int m_line;
  const char* m_signature;
  UlmStream* m_stream;  // absent when the event could not get one: streaming does nothing
  int m_uncaught;
};

#define ULM_LOG(logger, level, signature) UlmEvent((logger), (level), __FILE__, __LINE__, (signature))
