// Counts a piece of work in progress (a user's message being handled, a change the control
// makes itself) for as long as the scope lasts, also when the work throws.
#pragma once

class DepthScope {
 public:
  explicit DepthScope(int& depth) : m_depth(depth) { ++m_depth; }
  ~DepthScope() { --m_depth; }
  DepthScope(const DepthScope&) = delete;
  DepthScope& operator=(const DepthScope&) = delete;

 private:
  int& m_depth;
};
