// The origin information of the installation: the user-interface language, its ANSI code
// page, whether that code page is double-byte, and the fonts and database characters that
// go with the language.
//
// Language codes are "en", "fr", "de", ... and, for the Far-East languages, "ja", "ko",
// "zh_CN" and "zh_TW". gOrgInfo starts from the user's default UI language; a host changes
// it with DoQvChangeLang.
#pragma once
#include "brevin_api.h"

class BREVIN_API CQvOriginInfo {
 public:
  CQvOriginInfo();  // the user's default UI language
  // A language code as above; null or empty gives "en". The code page, the DBCS flag and
  // the fonts follow the language.
  explicit CQvOriginInfo(const char* language);
  CQvOriginInfo(const CQvOriginInfo& other) { *this = other; }
  CQvOriginInfo& operator=(const CQvOriginInfo& other) {
    for (int i = 0; i < kLanguageSize; ++i) m_language[i] = other.m_language[i];
    for (int i = 0; i < kLongNameSize; ++i) m_longName[i] = other.m_longName[i];
    m_codePage = other.m_codePage;
    m_dbcs = other.m_dbcs;
    return *this;
  }

  // True when the UI language is that code (letter case and '-' for '_' do not matter).
  bool QvLanguageIs(const char* code) const;
  const char* GetLanguage() const { return m_language; }
  unsigned int GetCodePage() const { return m_codePage; }

  // 1 when the UI runs on a double-byte code page, else 0.
  unsigned char GetOrgDBCS() const { return m_dbcs; }
  void SetOrgDBCS(unsigned char dbcs) { m_dbcs = dbcs; }

  // The language's name as shown to users (UTF-8, cut to 63 bytes); empty at first.
  const char* GetLongName() const { return m_longName; }
  void SetLongName(const char* name) {
    int i = 0;
    for (; name && name[i] && i < kLongNameSize - 1; ++i) m_longName[i] = name[i];
    // A cut never leaves half a UTF-8 character behind.
    while (i > 0 && name && name[i] && (static_cast<unsigned char>(name[i]) & 0xC0) == 0x80) --i;
    m_longName[i] = 0;
  }

  // Changes the UI language (as the constructor); the long name is kept.
  void DoQvChangeLang(const char* language) {
    CQvOriginInfo changed(language);
    for (int i = 0; i < kLongNameSize; ++i) changed.m_longName[i] = m_longName[i];
    *this = changed;
  }

  // The name under which a font is known on a code page (UTF-8), for the fonts whose
  // names are translated on Far-East systems ("MS Gothic" on 932 is "ＭＳ ゴシック");
  // empty when the font has no other name there.
  const char* GetFontName(unsigned int codePage, const char* face) const;
  // The face of user-interface texts in this language: "MS UI Gothic" (ja), "Gulim" (ko),
  // "SimSun" (zh_CN), "PMingLiU" (zh_TW), else "MS Sans Serif".
  const char* GetUIFontName() const;
  // The characters a database name may hold in this language, as the inside of a regular
  // expression's character class.
  const char* GetRDBMSAllowedChars() const;

 private:
  enum { kLanguageSize = 8, kLongNameSize = 64 };
  char m_language[kLanguageSize];
  unsigned int m_codePage;
  unsigned char m_dbcs;
  char m_longName[kLongNameSize];
};

// The origin information of the process.
extern BREVIN_API CQvOriginInfo gOrgInfo;

// The ANSI code page of the UI language (gOrgInfo's).
BREVIN_API unsigned int QvGetCodePage();
