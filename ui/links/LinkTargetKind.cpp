// The rule that tells web and mail addresses from everything else a link can name.
#include "LinkTargetKind.h"

namespace {

wchar_t Lower(wchar_t c) { return c >= L'A' && c <= L'Z' ? static_cast<wchar_t>(c - L'A' + L'a') : c; }

// `prefix` is lower case ASCII.
bool StartsWith(const wchar_t* text, const wchar_t* prefix) {
  for (; *prefix != 0; ++text, ++prefix)
    if (Lower(*text) != *prefix) return false;  // the text's end (0) never matches
  return true;
}

}  // namespace

LinkTargetKind ClassifyLinkTarget(const wchar_t* target) {
  if (target == nullptr) return kLinkTargetOther;
  // A web address names its host right after the two slashes: "http:///C:/x" or "http://\x"
  // are not web addresses a browser is sure to take.
  static const wchar_t* const web[] = {L"http://", L"https://", L"ftp://"};
  for (const wchar_t* scheme : web) {
    if (!StartsWith(target, scheme)) continue;
    int length = 0;
    while (scheme[length] != 0) ++length;
    const wchar_t host = target[length];
    return host != 0 && host != L'/' && host != L'\\' ? kLinkTargetWeb : kLinkTargetOther;
  }
  if (StartsWith(target, L"mailto:") && target[7] != 0) return kLinkTargetMail;
  return kLinkTargetOther;
}
