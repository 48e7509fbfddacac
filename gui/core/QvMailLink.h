// The fields of a "mailto:" link, read by a small lexer.
#pragma once
#include <vekkel.h>

struct QvMailFields {
  QvString to, cc, bcc, body, subject;
};

// Reads "mailto:address?field=value&field=value" (fields bcc, cc, body and subject, their
// names without regard to case), split at its unescaped separators, each field decoded
// afterwards (HyperlinkDecodeString). False when the text is no such link; fields read before
// the failure stay filled.
bool ParseMailLink(const QvString& link, QvMailFields& fields);
