// Links taken apart into their fields, and their tooltips (label texts from the test
// program's string table).
#include <gtest/gtest.h>

#include <QvUrlParam.h>

#include <string>
#include <vector>

namespace {

std::vector<std::string> List(const QvUrlParam& p, char list) {
  std::vector<std::string> out;
  const QvArrayQvString* names = p.GetParamNames(list);
  const QvArrayQvString* values = p.GetParamValues(list);
  for (long i = 0; i < names->GetSize(); ++i) out.push_back(names->GetAt(i).str() + "=" + values->GetAt(i).str());
  return out;
}

std::string Tip(const char* link) {
  QvUrlParam p(link);
  QvString text("stale");
  EXPECT_TRUE(p.FormatToolTip(text));
  return text.str();
}

TEST(UrlParam, DocumentLinkFields) {
  QvUrlParam p("qv:/Sales&path=/a/b&line=12&s:Region=West");
  EXPECT_FALSE(p.IsMacroLink());
  EXPECT_FALSE(p.IsOtherLink());
  EXPECT_EQ(p.GetDocument(), "Sales");
  EXPECT_EQ(p.GetPath(), "/a/b");
  EXPECT_EQ(p.GetLine(), 12);
  EXPECT_EQ(List(p, 's'), std::vector<std::string>{"Region=West"});

  QvUrlParam q("QV:/My%20Doc&SHEET=S%261&id=42&portal=P&f:A=1&p:B=2&v:C%3aD=x%3dy&x:E=3&v:F=4");
  EXPECT_EQ(q.GetDocument(), "My Doc");
  EXPECT_EQ(q.GetSheet(), "S&1");
  EXPECT_EQ(q.GetID(), "42");
  EXPECT_EQ(q.GetIDNumber(), 42);
  EXPECT_EQ(q.GetPortal(), "P");
  EXPECT_EQ(List(q, 'f'), std::vector<std::string>{"A=1"});
  EXPECT_EQ(List(q, 'p'), std::vector<std::string>{"B=2"});
  EXPECT_EQ(List(q, 'v'), (std::vector<std::string>{"C:D=x=y", "F=4"}));
  EXPECT_TRUE(List(q, 's').empty());
  EXPECT_EQ(q.GetParamNames('x'), nullptr);
}

TEST(UrlParam, MacroLinkFields) {
  QvUrlParam p("vba:/Run&document=Doc&macro(1)=M1&v:Year=2001&module=Mod%20A");
  EXPECT_TRUE(p.IsMacroLink());
  EXPECT_EQ(p.GetDocument(), "Doc");
  EXPECT_EQ(p.GetMacro(), "M1");
  EXPECT_EQ(p.GetModule(), "Mod A");
  EXPECT_EQ(List(p, 'v'), std::vector<std::string>{"Year=2001"});
  // Run, before the first ampersand, is never read, not even when it looks like a field;
  // the placeholder of a parameter without value gives the empty value.
  QvUrlParam q("vba:/document=Skip&v:A=%3cno%20value%3e&v:B=<no%20value>");
  EXPECT_TRUE(q.GetDocument().IsEmpty());
  EXPECT_EQ(List(q, 'v'), (std::vector<std::string>{"A=<no value>", "B="}));
}

TEST(UrlParam, AnchorsAreUnwrappedAtTheirQuotes) {
  const struct {
    const char* in;
    const char* link;
  } cases[] = {
      {"<A HREF=\"qv:/X\"></A>", "qv:/X"},
      {"<a href=\"qv:/X\">Sales</a>", "qv:/X"},   // any anchor text
      {"<a href='qv:/X'>", "qv:/X"},
      {"<a href=qv:/X>x</a>", "qv:/X"},
      {"<a href=\"qv:/X", "qv:/X"},               // no closing quote: the rest
      {"<a href=\"", ""},                         // shorter than the wrapper
      {"<a href=\"\"", ""},
      {"<a href=", "<a href="},                   // not longer than the opening: no anchor
      {"<a hrex=\"qv:/X\">", "<a hrex=\"qv:/X\">"},
  };
  for (const auto& c : cases) EXPECT_EQ(QvUrlParam(c.in).GetLink(), c.link) << c.in;
  EXPECT_EQ(QvUrlParam("<A HREF=\"qv:/X\"></A>").GetDocument(), "X");
}

// Links of unexpected shapes keep what was read before the parse stopped and never read
// past the end of the text.
TEST(UrlParam, MalformedLinksKeepWhatWasRecognised) {
  const struct {
    const char* in;
    const char* document;
    long line;
    size_t sParams;
  } cases[] = {
      {nullptr, "", -1, 0},
      {"", "", -1, 0},
      {"qv:", "", -1, 0},
      {"qv:Sales", "", -1, 0},  // no slash: only the kind of link
      {"qv:/", "", -1, 0},
      {"qv:/&", "", -1, 0},
      {"qv:/A&", "A", -1, 0},
      {"qv:/A&=", "A", -1, 0},
      {"qv:/A&line", "A", -1, 0},
      {"qv:/A&line=", "A", -1, 0},
      {"qv:/A&line=abc", "A", -1, 0},                  // not a number: no line
      {"qv:/A&line=99999999999999999999", "A", -1, 0},  // too large
      {"qv:/A&line=7&s=1&x=2&s:=3", "A", 7, 1},         // names of 1 character; an empty name
      {"qv:/A&s:B=1&junk&s:C=2", "A", -1, 1},           // an ampersand before '=' stops
      {"qv:/A&s:B=%G&s:C=%", "A", -1, 2},
      {"vba:/", "", -1, 0},
      {"vba:/&", "", -1, 0},
      {"vba:/x&document", "", -1, 0},
      {"vba:/x&(=1&v=2&=3", "", -1, 0},
  };
  for (const auto& c : cases) {
    QvUrlParam p(c.in);
    EXPECT_EQ(p.GetDocument(), c.document) << (c.in ? c.in : "null");
    EXPECT_EQ(p.GetLine(), c.line) << (c.in ? c.in : "null");
    EXPECT_EQ(p.GetParamNames('s')->GetSize(), static_cast<long>(c.sParams)) << (c.in ? c.in : "null");
    QvString tip;
    EXPECT_TRUE(p.FormatToolTip(tip));
  }
  EXPECT_EQ(List(QvUrlParam("qv:/A&s:=3"), 's'), std::vector<std::string>{"=3"});
}

TEST(UrlParam, OversizedLinksAreReadWhole) {
  std::string link = "qv:/" + std::string(200000, 'D');
  for (int i = 0; i < 5000; ++i) link += "&s:N" + std::to_string(i) + "=" + std::to_string(i);
  QvUrlParam p(link.c_str());
  EXPECT_EQ(p.GetDocument().GetLength(), 200000u);
  ASSERT_EQ(p.GetParamNames('s')->GetSize(), 5000);
  EXPECT_EQ(p.GetParamNames('s')->GetAt(4999), "N4999");
  EXPECT_EQ(p.GetParamValues('s')->GetAt(4999), "4999");
}

TEST(UrlParam, ToolTips) {
  EXPECT_EQ(Tip("qv:/Sales&path=/a/b&id=7&sheet=S1&s:Region=West&s:Year=2001&v:V=1"),
            "Document: Sales (ID=7)\nPath: /a/b\nSheet: S1\nSelections: Region=West ; Year=2001\nVariables: V=1");
  EXPECT_EQ(Tip("qv:/Sales&f:A=1&p:B=2"), "Document: Sales\nFilters: A=1\nPrompts: B=2");
  EXPECT_EQ(Tip("qv:Sales"), "");
  EXPECT_EQ(Tip("vba:/Run&document=Doc&module=Mod&macro=M1&v:Year=2001"),
            "Document: Doc\nModule: Mod\nMacro: M1\nVariables: Year=2001");
  EXPECT_EQ(Tip("vba:/Run&macro=M1"), "Macro: M1");
}

TEST(UrlParam, MailToolTips) {
  const struct {
    const char* link;
    const char* tip;
  } cases[] = {
      {"mailto:ann@x.org?subject=Report&cc=bob@x.org", "Send mail To: ann@x.org\nCc: bob@x.org\nSubject: Report"},
      {"  MAILTO:ann@x.org?SUBJECT=Hi&BCC=c@x.org&body=Text", "Send mail To: ann@x.org\nBcc: c@x.org\nSubject: Hi\nBody: Text"},
      {"mailto:ann@x.org", "Send mail To: ann@x.org"},
      {"mailto:ann%40x.org?subject=a%20b", "Send mail To: ann@x.org\nSubject: a b"},  // decoded link
      {"mailto:", ""},
      {"mailto:?subject=Only", "Subject: Only"},
      // Not a mail link, or a mail link that does not parse: the whole link.
      {"http://www.x.org/a b", "Link: http://www.x.org/a b"},
      {"mailto:a?", "Link: mailto:a?"},
      {"mailto:a?bod", "Link: mailto:a?bod"},            // a keyword cut short by the end
      {"mailto:a?bodyx=1", "Link: mailto:a?bodyx=1"},
      {"mailto:a?subject=x&", "Link: mailto:a?subject=x&"},
      {"mailt", "Link: mailt"},
  };
  for (const auto& c : cases) EXPECT_EQ(Tip(c.link), c.tip) << c.link;
  // The lexer is shared: a failed parse leaves nothing behind for the next one.
  EXPECT_EQ(Tip("mailto:a?cc=b"), "Send mail To: a\nCc: b");
}

// A link is split at its separators first and each piece decoded afterwards: an escaped
// separator inside a field ("%26", "%3F", or a backslash before it, the form links were
// stored in before) stays in the field, and a web or mail address reads back unchanged.
TEST(UrlParam, EscapedSeparatorsStayInTheirFields) {
  const struct {
    const char* link;
    const char* tip;
  } cases[] = {
      {"mailto:ann@x.org?subject=Q%26A&cc=bob@x.org", "Send mail To: ann@x.org\nCc: bob@x.org\nSubject: Q&A"},
      {"mailto:a%3Fb@x.org", "Send mail To: a?b@x.org"},
      {"mailto:a%3fb@x.org?body=x%3Dy%26z", "Send mail To: a?b@x.org\nBody: x=y&z"},
      {"mailto:ann@x.org?subject=Q\\&A&cc=bob@x.org", "Send mail To: ann@x.org\nCc: bob@x.org\nSubject: Q&A"},
      {"mailto:a\\?b@x.org?subject=S", "Send mail To: a?b@x.org\nSubject: S"},
      {"mailto:a@x.org?subject=end\\", "Send mail To: a@x.org\nSubject: end\\"},  // a backslash at the end
      {"http://x.org/search?q=a%26b", "Link: http://x.org/search?q=a%26b"},
      {"http://x.org/a\\&b", "Link: http://x.org/a\\&b"},
  };
  for (const auto& c : cases) {
    QvUrlParam p(c.link);
    EXPECT_TRUE(p.IsOtherLink()) << c.link;
    EXPECT_EQ(p.GetDocument(), c.link) << "the address is kept as written";
    EXPECT_EQ(Tip(c.link), c.tip) << c.link;
  }

  // Document links of the earlier form: a backslash before '&' or '=' keeps it in the piece.
  QvUrlParam q("qv:/Sales\\&Co&sheet=A\\&B&s:K\\=1=v\\=w&line=3");
  EXPECT_EQ(q.GetDocument(), "Sales&Co");
  EXPECT_EQ(q.GetSheet(), "A&B");
  EXPECT_EQ(List(q, 's'), std::vector<std::string>{"K\\=1=v\\=w"});  // a backslash before '=' is kept by decoding
  EXPECT_EQ(q.GetLine(), 3);
  QvUrlParam m("vba:/Run&document=D\\&E&v:A=1\\&2&macro=M");
  EXPECT_EQ(m.GetDocument(), "D&E");
  EXPECT_EQ(List(m, 'v'), std::vector<std::string>{"A=1&2"});
  EXPECT_EQ(m.GetMacro(), "M");
}

// Fields written into links with either encoding read back as they were, whatever
// separators they hold.
TEST(UrlParam, FieldsRoundTripThroughLinks) {
  const struct {
    const char* to;
    const char* subject;
    const char* cc;
  } mails[] = {
      {"ann@x.org", "Q&A", "bob@x.org"},
      {"a?b@x.org", "x=y&z?", "c&d@x.org"},
      {"a b@x.org", "100% sure", "e\\f@x.org"},
      {"ann@x.org", "cc=bob", "subject=x"},
  };
  for (const auto& m : mails) {
    QvString to(m.to), subject(m.subject), cc(m.cc);
    std::string link = "mailto:" + HyperlinkUrlEncodeString(to).str() + "?subject=" +
                       HyperlinkUrlEncodeString(subject).str() + "&cc=" + HyperlinkUrlEncodeString(cc).str();
    QvUrlParam p(link.c_str());
    EXPECT_EQ(p.GetDocument().str(), link);
    EXPECT_EQ(Tip(link.c_str()), std::string("Send mail To: ") + m.to + "\nCc: " + m.cc + "\nSubject: " + m.subject)
        << link;
  }

  const char* const fields[] = {"Sales&Co", "a=b", "c:\\d e", "50%", "%26", "\\&", "x?y#z"};
  for (const char* f : fields) {
    QvString piece(f);
    HyperlinkEncodeString(piece);
    std::string e = piece.str();
    std::string link = "qv:/" + e + "&sheet=" + e + "&path=" + e + "&s:" + e + "=" + e + "&line=5";
    QvUrlParam p(link.c_str());
    EXPECT_EQ(p.GetDocument(), f) << link;
    EXPECT_EQ(p.GetSheet(), f) << link;
    EXPECT_EQ(p.GetPath(), f) << link;
    EXPECT_EQ(List(p, 's'), std::vector<std::string>{std::string(f) + "=" + f}) << link;
    EXPECT_EQ(p.GetLine(), 5) << link;
  }
}

TEST(WebParameters, AccessorsReadTheSessionObject) {
  QvWebParameters* web = GetQvWebParameters();
  ASSERT_NE(web, nullptr);
  web->SetTREL(true);
  for (int session : {0, 1, 2, 3}) {
    web->SetIsOnlineSession(session);
    EXPECT_EQ(web->IsOnlineTREL(), session == 1 || session == 3) << session;
  }
  web->SetTREL(false);
  web->SetIsOnlineSession(1);
  EXPECT_FALSE(web->IsOnlineTREL());
  web->SetIsOnlineSession(0);
  web->SetProvider("prov");
  EXPECT_EQ(web->GetProvider(), "prov");
  web->SetProvider("");
}

}  // namespace
