// Hyperlinks of the host's documents: their texts encoded and decoded, and a link taken apart
// into its fields (QvUrlParam) with the tooltip the hyperlink controls show for it.
//
// Three kinds of link:
//   qv:/Document&path=...&sheet=...&line=12&id=...&portal=...&s:Name=Value  (document link;
//     the parameter lists "s:", "f:", "p:" and "v:")
//   vba:/Text&document=...&module=...&macro=...&v:Name=Value                (macro link)
//   anything else (a web or "mailto:" address)                              (other link)
// A link may come wrapped in an anchor, <a href="...">...</a>; the wrapper is dropped.
// A link is cut at its separators ('&', '=', and '?' of a mail address) first and each
// piece is decoded afterwards, so an escaped separator ("%26", or a backslash before it)
// stays inside its piece. The document of an other link is the address as written.
//
// Links are outside data: any text is accepted, nothing is read past its end, and a link of
// an unexpected shape keeps the fields recognised before the parse stopped.
#pragma once
#include <vekkel.h>

#include "quarnel_api.h"

// In place: '%' becomes "%25" and a backslash "%5c", then blank "%20", '&' "%26", '=' "%3d" and
// ':' "%3a", so that HyperlinkDecodeString gives back any text.
QUARNEL_API void HyperlinkEncodeString(QvString& text);
// A new text in which ASCII letters and digits are kept and every other byte is written
// "%HH" (two upper-case hexadecimal digits of the byte).
QUARNEL_API QvString HyperlinkUrlEncodeString(QvString& text);
// Undoes the escapes of links, left to right in one pass:
//   a backslash before a blank, '"', '#', '&' or '?' gives that character alone; before any
//   other character both are kept (the character is taken literally); at the very end the
//   backslash is kept;
//   '%' with two hexadecimal digits (either case) gives that byte (a zero byte too: the text
//   keeps its length); a '%' not followed by two hexadecimal digits is kept as written.
QUARNEL_API QvString HyperlinkDecodeString(QvString text);

class QUARNEL_API QvUrlParam {
 public:
  explicit QvUrlParam(const char* link);  // null is the empty link
  virtual ~QvUrlParam();

  // The tooltip of the link, its lines joined by line feeds (label texts looked up now).
  // Always true.
  bool FormatToolTip(QvString& text);

  const QvString& GetLink() const { return m_link; }
  const QvString& GetDocument() const { return m_document; }
  const QvString& GetPath() const { return m_path; }
  const QvString& GetSheet() const { return m_sheet; }
  long GetLine() const { return m_line; }
  bool IsMacroLink() const { return m_macroLink; }
  bool IsOtherLink() const { return m_otherLink; }
  const QvString& GetID() const { return m_id; }
  long GetIDNumber() const { return m_idNumber; }
  const QvString& GetPortal() const { return m_portal; }
  const QvString& GetModule() const { return m_module; }
  const QvString& GetMacro() const { return m_macro; }
  // The parameter lists by prefix letter: 's', 'f', 'p' or 'v' (any other gives null).
  const QvArrayQvString* GetParamNames(char list) const;
  const QvArrayQvString* GetParamValues(char list) const;

 private:
  QvUrlParam(const QvUrlParam&) = delete;
  QvUrlParam& operator=(const QvUrlParam&) = delete;

  enum { kS, kF, kP, kV, kLists };
  void ParseDocumentLink(const QvString& rest);
  void ParseMacroLink(const QvString& rest);
  void AddParam(int list, const QvString& name, const QvString& value);
  void FormatMailToolTip(QvString& text);
  void AddParamLine(QvString& text, int list, unsigned long label);

  QvString m_link;
  QvString m_document;
  QvString m_path;
  QvString m_sheet;
  QvArrayQvString m_names[kLists];
  QvArrayQvString m_values[kLists];
  long m_line = -1;
  bool m_macroLink = false;
  bool m_otherLink = false;
  QvString m_id;
  long m_idNumber = -1;
  QvString m_portal;
  QvString m_module;
  QvString m_macro;
};
