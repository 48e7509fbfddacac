// What a link's target is, decided by the one rule both the framework side's links and
// Tessvik's text areas follow: web and mail addresses open at a click; anything else (a file
// in any spelling, a drive path, a network path, a program name, an unknown scheme) is not
// opened without the user's consent. Self-contained: no library of the project is needed.
#pragma once

enum LinkTargetKind {
  kLinkTargetWeb = 1,   // "http://", "https://", "ftp://"
  kLinkTargetMail = 2,  // "mailto:"
  kLinkTargetOther = 3  // everything else, an empty or missing target too
};

// Case-insensitive; the scheme must stand at the very first character (a leading blank or
// control character makes the target "other").
LinkTargetKind ClassifyLinkTarget(const wchar_t* target);

// True for the kinds that open without a question.
inline bool LinkTargetOpensFreely(const wchar_t* target) {
  return ClassifyLinkTarget(target) != kLinkTargetOther;
}
