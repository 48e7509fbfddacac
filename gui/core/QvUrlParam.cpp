// A link taken apart into its fields, and its tooltip.
#include "QvUrlParam.h"

#include <QvLabels.h>

#include "QvMailLink.h"

namespace {

// Labels of the tooltip lines.
enum : unsigned long {
  kLabelDocument = 31294,
  kLabelPath = 31295,
  kLabelSheet = 31296,
  kLabelParamsS = 31297,
  kLabelParamsF = 31298,
  kLabelParamsP = 31299,
  kLabelParamsV = 31300,
  kLabelSendMail = 31303,
  kLabelSubject = 31304,
  kLabelBody = 31305,
  kLabelTo = 31306,
  kLabelCc = 31307,
  kLabelBcc = 31308,
  kLabelLink = 31309,
  kLabelNoValue = 32849,  // what a macro link writes for a parameter left without value
};

// The link inside an anchor wrapper, <a href="link">...</a> (either quote, or none up to
// the first blank or '>'); the text itself when it is no anchor.
QvString Unwrap(const QvString& text) {
  const char* kOpen = "<a href=";
  if (text.GetLength() <= 8 || !text.StartsWith(kOpen, true)) return text;
  QvString rest = text.Mid(8);
  if (!rest.IsEmpty() && (rest[0] == '"' || rest[0] == '\'')) {
    long close = rest.Find(rest[0], 1);
    return close < 0 ? rest.Mid(1) : rest.Mid(1, static_cast<size_t>(close) - 1);
  }
  long end = rest.FindOneOf(" \t\r\n>");
  return end < 0 ? rest : rest.Left(static_cast<size_t>(end));
}

// The first separator c at or after start that is not escaped: a backslash takes the
// character after it literally (as HyperlinkDecodeString reads it), so "\\&" is no
// separator. -1 when there is none.
long FindSeparator(const QvString& text, char c, size_t start = 0) {
  const size_t n = text.GetLength();
  for (size_t i = start; i < n; ++i) {
    if (text[i] == '\\')
      ++i;
    else if (text[i] == c)
      return static_cast<long>(i);
  }
  return -1;
}

// The value of name=value text as a decimal number; -1 when it is none.
long NumberOrNone(const QvString& value) {
  long n = 0;
  return value.GetNumber(n) ? n : -1;
}

void AddLine(QvString& text, const QvString& line) {
  if (line.IsEmpty()) return;
  if (!text.IsEmpty()) text += '\n';
  text += line;
}

QvString LabelLine(unsigned long label, const QvString& value) {
  return QvGetMyLabel(label) + ": " + value;  // (the value may hold any byte, a zero too)
}

}  // namespace

QvUrlParam::QvUrlParam(const char* link) : m_link(Unwrap(QvString(link))) {
  QvString rest;
  if (m_link.StartsWith("qv:", true)) {
    rest = m_link.Mid(3);
  } else if (m_link.StartsWith("vba:", true)) {
    rest = m_link.Mid(4);
    m_macroLink = true;
  } else {
    // A web or mail address: kept as written, so that reading a link never changes the
    // address it opens (its pieces are decoded only when the tooltip splits it).
    m_otherLink = true;
    m_document = m_link;
    return;
  }
  if (rest.IsEmpty() || rest[0] != '/') return;
  rest = rest.Mid(1);
  if (m_macroLink)
    ParseMacroLink(rest);
  else
    ParseDocumentLink(rest);
}

QvUrlParam::~QvUrlParam() = default;

// Pieces are cut at unescaped separators first and decoded afterwards, so that an escaped
// '&' or '=' inside a name or value stays in it.
void QvUrlParam::ParseDocumentLink(const QvString& text) {
  long amp = FindSeparator(text, '&');
  if (amp < 0) {
    m_document = HyperlinkDecodeString(text);
    return;
  }
  m_document = HyperlinkDecodeString(text.Left(static_cast<size_t>(amp)));
  QvString rest = text.Mid(static_cast<size_t>(amp) + 1);
  for (;;) {
    long eq = FindSeparator(rest, '=');
    amp = FindSeparator(rest, '&');
    if (eq < 0 || (amp >= 0 && amp < eq)) return;
    QvString name = rest.Left(static_cast<size_t>(eq));
    QvString value = amp < 0 ? rest.Mid(static_cast<size_t>(eq) + 1)
                             : rest.Mid(static_cast<size_t>(eq) + 1, static_cast<size_t>(amp - eq - 1));
    if (name.CompareNoCase("sheet") == 0) {
      m_sheet = HyperlinkDecodeString(value);
    } else if (name.CompareNoCase("path") == 0) {
      m_path = HyperlinkDecodeString(value);
    } else if (name.CompareNoCase("line") == 0) {
      m_line = NumberOrNone(value);
    } else if (name.CompareNoCase("id") == 0) {
      m_id = HyperlinkDecodeString(value);
      m_idNumber = NumberOrNone(value);
    } else if (name.CompareNoCase("portal") == 0) {
      m_portal = HyperlinkDecodeString(value);
    } else if (name.GetLength() >= 2) {  // "x:Name": a list prefix, then the name
      static const char* const kPrefixes[kLists] = {"s:", "f:", "p:", "v:"};
      for (int list = 0; list < kLists; ++list)
        if (name.StartsWith(kPrefixes[list], true))
          AddParam(list, HyperlinkDecodeString(name.Mid(2)), HyperlinkDecodeString(value));
    }
    if (amp < 0) return;
    rest = rest.Mid(static_cast<size_t>(amp) + 1);
  }
}

void QvUrlParam::ParseMacroLink(const QvString& text) {
  QvString noValue = QvGetMyLabel(kLabelNoValue);
  HyperlinkEncodeString(noValue);
  QvString rest = text;
  for (;;) {
    long amp = FindSeparator(rest, '&');
    if (amp < 0) return;
    rest = rest.Mid(static_cast<size_t>(amp) + 1);
    long eq = FindSeparator(rest, '=');
    if (eq < 0) return;
    QvString name = rest.Left(static_cast<size_t>(eq));
    long next = FindSeparator(rest, '&', static_cast<size_t>(eq) + 1);
    QvString value = next < 0 ? rest.Mid(static_cast<size_t>(eq) + 1)
                              : rest.Mid(static_cast<size_t>(eq) + 1, static_cast<size_t>(next - eq - 1));
    rest = next < 0 ? QvString() : rest.Mid(static_cast<size_t>(next));  // keeps its '&'
    long paren = name.Find('(');
    if (paren >= 0) name = name.Left(static_cast<size_t>(paren));
    if (value.CompareNoCase(noValue) == 0) value.Empty();
    if (name.CompareNoCase("document") == 0)
      m_document = HyperlinkDecodeString(value);
    else if (name.CompareNoCase("module") == 0)
      m_module = HyperlinkDecodeString(value);
    else if (name.CompareNoCase("macro") == 0)
      m_macro = HyperlinkDecodeString(value);
    else if (name.GetLength() >= 2 && name.StartsWith("v:", true))
      AddParam(kV, HyperlinkDecodeString(name.Mid(2)), HyperlinkDecodeString(value));
  }
}

void QvUrlParam::AddParam(int list, const QvString& name, const QvString& value) {
  m_names[list].Add(name);
  m_values[list].Add(value);
}

const QvArrayQvString* QvUrlParam::GetParamNames(char list) const {
  const char* lists = "sfpv";
  for (int i = 0; i < kLists; ++i)
    if (lists[i] == list) return &m_names[i];
  return nullptr;
}

const QvArrayQvString* QvUrlParam::GetParamValues(char list) const {
  const QvArrayQvString* names = GetParamNames(list);
  return names ? &m_values[names - m_names] : nullptr;
}

void QvUrlParam::AddParamLine(QvString& text, int list, unsigned long label) {
  if (m_names[list].IsEmpty()) return;
  QvString line = QvGetMyLabel(label) + ": ";
  for (long i = 0; i < m_names[list].GetSize(); ++i) {
    if (i) line += " ; ";
    line += m_names[list][i] + "=" + m_values[list][i];
  }
  AddLine(text, line);
}

void QvUrlParam::FormatMailToolTip(QvString& text) {
  QvMailFields mail;
  if (!ParseMailLink(m_document, mail)) {
    text = LabelLine(kLabelLink, m_document);
    return;
  }
  if (!mail.to.IsEmpty()) {
    AddLine(text, QvGetMyLabel(kLabelSendMail) + " " + LabelLine(kLabelTo, mail.to));
  }
  if (!mail.cc.IsEmpty()) AddLine(text, LabelLine(kLabelCc, mail.cc));
  if (!mail.bcc.IsEmpty()) AddLine(text, LabelLine(kLabelBcc, mail.bcc));
  if (!mail.subject.IsEmpty()) AddLine(text, LabelLine(kLabelSubject, mail.subject));
  if (!mail.body.IsEmpty()) AddLine(text, LabelLine(kLabelBody, mail.body));
}

bool QvUrlParam::FormatToolTip(QvString& text) {
  text.Empty();
  if (m_otherLink) {
    FormatMailToolTip(text);
    return true;
  }
  if (m_macroLink) {
    if (!m_document.IsEmpty()) AddLine(text, LabelLine(kLabelDocument, m_document));
    if (!m_module.IsEmpty()) AddLine(text, "Module: " + m_module);
    if (!m_macro.IsEmpty()) AddLine(text, "Macro: " + m_macro);
    AddParamLine(text, kV, kLabelParamsV);
    return true;
  }
  if (!m_document.IsEmpty()) {
    QvString line = LabelLine(kLabelDocument, m_document);
    if (!m_id.IsEmpty()) line += " (ID=" + m_id + ")";
    AddLine(text, line);
  }
  if (!m_path.IsEmpty()) AddLine(text, LabelLine(kLabelPath, m_path));
  if (!m_sheet.IsEmpty()) AddLine(text, LabelLine(kLabelSheet, m_sheet));
  AddParamLine(text, kS, kLabelParamsS);
  AddParamLine(text, kF, kLabelParamsF);
  AddParamLine(text, kP, kLabelParamsP);
  AddParamLine(text, kV, kLabelParamsV);
  return true;
}
