// autoState: a state of a small hand-built lexer (a finite automaton over UTF-8 bytes).
//
// Each state holds rules tried in the order added; the first rule that matches at the
// current position consumes its text, runs its action and moves to its next state. A rule
// matches one character of a set, a literal text (optionally without regard to ASCII
// case), or what a recogniser function says; a state's default rule takes any one
// character no other rule took. At the end of the text the state's end action runs.
// A parse succeeds when the text is consumed and it ends in a final state.
//
// The lexer keeps a trace: one line per step ("state -> state: text"), for diagnostics.
#pragma once
#include <stddef.h>

#include <vector>

#include "QvString.h"
#include "vekkel_api.h"

class autoLexer;

class VEKKEL_API autoState {
 public:
  // Runs when a rule fires: the matched text, the token code (a recogniser's answer, or
  // the rule's code) and the caller's context. Answering false stops the parse (failure).
  typedef bool (*Action)(autoLexer& lexer, const char* text, size_t length, int token, void* context);
  // Answers the number of bytes it recognises at text (0: no match) and may set token.
  typedef size_t (*Recogniser)(const char* text, size_t available, int* token, void* context);

  autoState(const char* name, bool isFinal) : m_name(name), m_final(isFinal) {}
  autoState(const autoState&) = delete;
  autoState& operator=(const autoState&) = delete;

  const QvString& GetName() const { return m_name; }
  bool IsFinal() const { return m_final; }

  // A null next state stays in this state; a null action does nothing.
  void AddCharSet(const char* chars, autoState* next, Action action = nullptr, int token = 0);
  void AddText(const char* text, bool ignoreCase, autoState* next, Action action = nullptr, int token = 0);
  void AddRecogniser(Recogniser recogniser, autoState* next, Action action = nullptr);
  void SetDefault(autoState* next, Action action = nullptr, int token = 0);
  void SetEndAction(Action action) { m_endAction = action; }

 private:
  friend class autoLexer;
  enum Kind { kCharSet, kText, kRecogniser };
  struct Rule {
    Kind kind;
    QvString text;
    bool ignoreCase;
    Recogniser recogniser;
    autoState* next;
    Action action;
    int token;
  };
  // Length matched by the rule at text (0 when it does not match).
  size_t Match(const Rule& rule, const char* text, size_t available, int* token, void* context) const;

  QvString m_name;
  bool m_final;
  std::vector<Rule> m_rules;
  bool m_hasDefault = false;
  Rule m_default{};
  Action m_endAction = nullptr;
};

// Runs a text through the states, starting from a given one.
class VEKKEL_API autoLexer {
 public:
  explicit autoLexer(autoState* start) : m_start(start) {}
  // True when the whole text was consumed and the parse ended in a final state.
  bool Parse(const char* text, void* context);
  bool Parse(const char* text, size_t length, void* context);
  // Empties the trace and forgets the last state.
  void Reset();
  const QvString& GetTrace() const { return m_trace; }
  const autoState* GetCurrentState() const { return m_current; }

 private:
  autoState* m_start;
  autoState* m_current = nullptr;
  QvString m_trace;
};
