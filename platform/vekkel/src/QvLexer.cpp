#include "QvLexer.h"

#include <string.h>

namespace {
// Bytes of the UTF-8 character starting with lead byte c (1 for a byte that is not a lead).
size_t CharLength(unsigned char c, size_t available) {
  size_t n = c >= 0xF0 && c <= 0xF4 ? 4 : c >= 0xE0 ? 3 : c >= 0xC2 && c < 0xE0 ? 2 : 1;
  return n > available ? 1 : n;
}
}  // namespace

void autoState::AddCharSet(const char* chars, autoState* next, Action action, int token) {
  m_rules.push_back(Rule{kCharSet, QvString(chars), false, nullptr, next, action, token});
}

void autoState::AddText(const char* text, bool ignoreCase, autoState* next, Action action, int token) {
  if (!text || !*text) return;  // an empty literal would match without consuming
  m_rules.push_back(Rule{kText, QvString(text), ignoreCase, nullptr, next, action, token});
}

void autoState::AddRecogniser(Recogniser recogniser, autoState* next, Action action) {
  if (recogniser) m_rules.push_back(Rule{kRecogniser, QvString(), false, recogniser, next, action, 0});
}

void autoState::SetDefault(autoState* next, Action action, int token) {
  m_hasDefault = true;
  m_default = Rule{kCharSet, QvString(), false, nullptr, next, action, token};
}

size_t autoState::Match(const Rule& rule, const char* text, size_t available, int* token, void* context) const {
  switch (rule.kind) {
    case kCharSet: {
      size_t n = CharLength(static_cast<unsigned char>(text[0]), available);
      const std::string& set = rule.text.str();
      for (size_t i = 0; i < set.size();) {
        size_t m = CharLength(static_cast<unsigned char>(set[i]), set.size() - i);
        if (m == n && memcmp(set.data() + i, text, n) == 0) return n;
        i += m;
      }
      return 0;
    }
    case kText: {
      size_t n = rule.text.GetLength();
      if (n > available) return 0;
      QvString head(text, n);
      bool same = rule.ignoreCase ? head.StartsWith(rule.text.c_str(), true) : head == rule.text;
      return same ? n : 0;
    }
    case kRecogniser: {
      size_t n = rule.recogniser(text, available, token, context);
      return n > available ? 0 : n;
    }
  }
  return 0;
}

bool autoLexer::Parse(const char* text, void* context) { return Parse(text, text ? strlen(text) : 0, context); }

bool autoLexer::Parse(const char* text, size_t length, void* context) {
  m_current = m_start;
  if (!m_current) return false;
  if (!text) length = 0;
  size_t pos = 0;
  while (pos < length) {
    const char* at = text + pos;
    size_t available = length - pos;
    const autoState::Rule* fired = nullptr;
    size_t used = 0;
    int token = 0;
    for (const autoState::Rule& rule : m_current->m_rules) {
      token = rule.token;
      used = m_current->Match(rule, at, available, &token, context);
      if (used) {
        fired = &rule;
        break;
      }
    }
    if (!fired && m_current->m_hasDefault) {
      fired = &m_current->m_default;
      token = fired->token;
      used = CharLength(static_cast<unsigned char>(at[0]), available);
    }
    if (!fired) {
      m_trace.AppendFormat("%s: no rule at %lu\n", m_current->m_name.c_str(), static_cast<unsigned long>(pos));
      return false;
    }
    autoState* next = fired->next ? fired->next : m_current;
    m_trace.AppendFormat("%s -> %s: ", m_current->m_name.c_str(), next->m_name.c_str());
    m_trace.Append(at, used);
    m_trace += '\n';
    if (fired->action && !fired->action(*this, at, used, token, context)) return false;
    m_current = next;
    pos += used;
  }
  if (m_current->m_endAction && !m_current->m_endAction(*this, text + pos, 0, 0, context)) return false;
  m_trace.AppendFormat("%s: end\n", m_current->m_name.c_str());
  return m_current->m_final;
}

void autoLexer::Reset() {
  m_trace.Empty();
  m_current = nullptr;
}
