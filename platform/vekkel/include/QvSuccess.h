// QvSuccess: the result of an operation of the portable layer that can fail.
#pragma once

class QvSuccess {
 public:
  enum : int { Failure = 0, Success = 1 };
  QvSuccess() = default;  // success
  QvSuccess(bool ok) : m_value(ok ? Success : Failure) {}
  int GetValue() const { return m_value; }
  bool Succeeded() const { return m_value == Success; }
  bool Failed() const { return m_value != Success; }
  explicit operator bool() const { return Succeeded(); }

 private:
  int m_value = Success;
};
