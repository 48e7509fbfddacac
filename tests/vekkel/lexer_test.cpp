// The autoState lexer, exercised with a mail-link reader: "mailto:" address, then
// "?cc=...&subject=..." fields.
#include <gtest/gtest.h>

#include <QvLexer.h>

namespace {

struct Mail {
  QvString buffer;
  QvString to, cc, bcc, body, subject;
  int kind = 0;  // 1 bcc, 2 cc, 3 body, 4 subject
};

bool Append(autoLexer&, const char* text, size_t n, int, void* ctx) {
  static_cast<Mail*>(ctx)->buffer.Append(text, n);
  return true;
}
bool StoreTo(autoLexer&, const char*, size_t, int, void* ctx) {
  Mail* m = static_cast<Mail*>(ctx);
  m->to = m->buffer;
  m->buffer.Empty();
  return true;
}
bool StoreField(autoLexer&, const char*, size_t, int, void* ctx) {
  Mail* m = static_cast<Mail*>(ctx);
  QvString* fields[] = {nullptr, &m->bcc, &m->cc, &m->body, &m->subject};
  if (m->kind >= 1 && m->kind <= 4) *fields[m->kind] = m->buffer;
  m->buffer.Empty();
  return true;
}
bool SetKind(autoLexer&, const char*, size_t, int token, void* ctx) {
  static_cast<Mail*>(ctx)->kind = token;
  return true;
}
size_t Keyword(const char* text, size_t available, int* token, void*) {
  static const struct { const char* head; const char* word; int kind; } words[] = {
      {"bcc", "bcc=", 1}, {"cc=", "cc=", 2}, {"bod", "body=", 3}, {"sub", "subject=", 4}};
  if (available < 3) return 0;
  for (auto& w : words) {
    if (QvString(text, 3).CompareNoCase(w.head) == 0) {
      *token = w.kind;
      size_t n = strlen(w.word);
      return n <= available ? n : 0;
    }
  }
  return 0;
}

class MailLexer : public ::testing::Test {
 protected:
  MailLexer() : s0("s0", false), s1("s1", true), s2("s2", false), s3("s3", true), lexer(&s0) {
    s0.AddCharSet(" \t\r\n", nullptr);
    s0.AddText("mailto:", true, &s1);
    s1.AddCharSet("?", &s2, &StoreTo);
    s1.SetDefault(nullptr, &Append);
    s1.SetEndAction(&StoreTo);
    s2.AddCharSet(" \t\r\n", nullptr);
    s2.AddRecogniser(&Keyword, &s3, &SetKind);
    s3.AddCharSet("&", &s2, &StoreField);
    s3.SetDefault(nullptr, &Append);
    s3.SetEndAction(&StoreField);
  }
  autoState s0, s1, s2, s3;
  autoLexer lexer;
};

TEST_F(MailLexer, ReadsAddressesAndFields) {
  struct { const char* text; bool ok; const char* to; const char* cc; const char* subject; const char* body; } cases[] = {
      {"mailto:ann@example.com", true, "ann@example.com", "", "", ""},
      {"  MailTo:bob@x.org?CC=c@x.org&subject=Hi there&body=B", true, "bob@x.org", "c@x.org", "Hi there", "B"},
      {"mailto:\xc3\xa9@x.fr?sub", false, "\xc3\xa9@x.fr", "", "", ""},  // "sub" cut short
      {"mailto:a@b?what=1", false, "a@b", "", "", ""},                       // no keyword
      {"http://x", false, "", "", "", ""},
      {"", false, "", "", "", ""},
      {"mailto:a\xff\xfe@b", true, "a\xff\xfe@b", "", "", ""},  // ill-formed bytes kept
  };
  for (auto& c : cases) {
    Mail mail;
    lexer.Reset();
    EXPECT_EQ(lexer.Parse(c.text, &mail), c.ok) << c.text << "\n" << lexer.GetTrace().c_str();
    EXPECT_STREQ(mail.to.c_str(), c.to) << c.text;
    EXPECT_STREQ(mail.cc.c_str(), c.cc) << c.text;
    EXPECT_STREQ(mail.subject.c_str(), c.subject) << c.text;
    EXPECT_STREQ(mail.body.c_str(), c.body) << c.text;
  }
}

TEST_F(MailLexer, TracesItsSteps) {
  Mail mail;
  EXPECT_TRUE(lexer.Parse("mailto:a", &mail));
  EXPECT_STREQ(lexer.GetTrace().c_str(), "s0 -> s1: mailto:\ns1 -> s1: a\ns1: end\n");
  EXPECT_EQ(lexer.GetCurrentState(), &s1);
  lexer.Reset();
  EXPECT_TRUE(lexer.GetTrace().IsEmpty());
  EXPECT_EQ(lexer.GetCurrentState(), nullptr);
  EXPECT_FALSE(autoLexer(nullptr).Parse("x", &mail));
}

}  // namespace
