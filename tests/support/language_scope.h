// The UI language and the double-byte switch of gOrgInfo for a scope; the object as it was is
// put back at the end.
#pragma once
#include <QvOriginInfo.h>

namespace testing_support {

class LanguageScope {
 public:
  LanguageScope(const char* language, unsigned char dbcs) : saved_(gOrgInfo) {
    gOrgInfo.DoQvChangeLang(language);
    gOrgInfo.SetOrgDBCS(dbcs);
  }
  ~LanguageScope() { gOrgInfo = saved_; }
  LanguageScope(const LanguageScope&) = delete;
  LanguageScope& operator=(const LanguageScope&) = delete;

 private:
  CQvOriginInfo saved_;
};

}  // namespace testing_support
