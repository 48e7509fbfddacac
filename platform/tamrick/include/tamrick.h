// tamrick: the maker's platform library (exceptions).
#pragma once

#ifdef TAMRICK_BUILD
#define TAMRICK_API __declspec(dllexport)
#else
#define TAMRICK_API __declspec(dllimport)
#endif

// Thrown by the maker's libraries; Code() tells what went wrong.
class TAMRICK_API QvException {
 public:
  enum : unsigned long { IndexOutOfRange = 0x80041128UL };
  explicit QvException(unsigned long code, const char* what = nullptr);
  QvException(const QvException& other);
  QvException& operator=(const QvException& other);
  virtual ~QvException();
  unsigned long Code() const { return m_code; }
  const char* What() const { return m_what ? m_what : ""; }

 private:
  unsigned long m_code;
  char* m_what;
};
