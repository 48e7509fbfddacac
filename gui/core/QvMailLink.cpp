// The mail-link lexer: four states of the autoState lexer, made once per process.
//   s0 (start): blanks stay; "mailto:" (any case) leads to s1.
//   s1 (final): '?' ends the address and leads to s2; any other character is part of it.
//   s2: blanks stay; a field keyword leads to s3.
//   s3 (final): '&' ends the field's value and leads back to s2; any other character is part
//       of the value.
// The end of the text ends the address or value being read. In s1 and s3 a backslash and the
// character after it are part of the text (an escaped '?' or '&' separates nothing). The
// link is split as written; each field is decoded afterwards, so that an escaped separator
// ("%26", "%3F") never splits a field.
#include "QvMailLink.h"

#include <string.h>

#include <QvLexer.h>

#include "QvUrlParam.h"

namespace {

enum FieldKind { kNone = 0, kBcc = 1, kCc = 2, kBody = 3, kSubject = 4 };

struct MailContext {
  QvMailFields* fields;
  QvString buffer;
  int kind;
};

MailContext& Context(void* context) { return *static_cast<MailContext*>(context); }

bool Append(autoLexer&, const char* text, size_t length, int, void* context) {
  Context(context).buffer.Append(text, length);
  return true;
}

bool EndAddress(autoLexer&, const char*, size_t, int, void* context) {
  MailContext& c = Context(context);
  c.fields->to = c.buffer;
  c.buffer.Empty();
  return true;
}

bool EndValue(autoLexer&, const char*, size_t, int, void* context) {
  MailContext& c = Context(context);
  QvString* field = c.kind == kBcc ? &c.fields->bcc
                    : c.kind == kCc ? &c.fields->cc
                    : c.kind == kBody ? &c.fields->body
                    : c.kind == kSubject ? &c.fields->subject
                                         : nullptr;
  if (field) *field = c.buffer;
  c.buffer.Empty();
  c.kind = kNone;
  return true;
}

bool StartValue(autoLexer&, const char*, size_t, int token, void* context) {
  MailContext& c = Context(context);
  c.kind = token;
  c.buffer.Empty();
  return true;
}

// A field keyword at text, the whole keyword compared without regard to case and only
// within the bytes available.
size_t Keyword(const char* text, size_t available, int* token, void*) {
  static const struct {
    const char* word;
    int kind;
  } kWords[] = {{"bcc=", kBcc}, {"cc=", kCc}, {"body=", kBody}, {"subject=", kSubject}};
  for (const auto& k : kWords) {
    size_t n = strlen(k.word);
    if (n <= available && QvString(text, n).StartsWith(k.word, true)) {
      *token = k.kind;
      return n;
    }
  }
  return 0;
}

// A backslash and the character after it (at the end of the text the backslash alone is
// left to the default rule).
size_t EscapedCharacter(const char* text, size_t available, int*, void*) {
  return available >= 2 && text[0] == '\\' ? 2 : 0;
}

autoLexer& MailLexer() {
  static autoState s0("s0", false), s1("s1", true), s2("s2", false), s3("s3", true);
  static autoLexer lexer = [] {
    const char* blanks = " \t\n\r";
    s0.AddCharSet(blanks, nullptr);
    s0.AddText("mailto:", true, &s1);
    s1.AddRecogniser(EscapedCharacter, nullptr, Append);
    s1.AddCharSet("?", &s2, EndAddress);
    s1.SetDefault(nullptr, Append);
    s1.SetEndAction(EndAddress);
    s2.AddCharSet(blanks, nullptr);
    s2.AddRecogniser(Keyword, &s3, StartValue);
    s3.AddRecogniser(EscapedCharacter, nullptr, Append);
    s3.AddCharSet("&", &s2, EndValue);
    s3.SetDefault(nullptr, Append);
    s3.SetEndAction(EndValue);
    return autoLexer(&s0);
  }();
  return lexer;
}

}  // namespace

bool ParseMailLink(const QvString& link, QvMailFields& fields) {
  autoLexer& lexer = MailLexer();
  MailContext context{&fields, QvString(), kNone};
  lexer.Reset();
  bool parsed = lexer.Parse(link.c_str(), link.GetLength(), &context);
  lexer.Reset();
  for (QvString* field : {&fields.to, &fields.cc, &fields.bcc, &fields.body, &fields.subject})
    *field = HyperlinkDecodeString(*field);
  return parsed;
}
