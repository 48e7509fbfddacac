#include "GUISaveNameCheck.h"

#include <string.h>
#include <windows.h>

#include <QvMsgDialog.h>
#include <QvOriginInfo.h>
#include <QvRDBMSChars.h>
#include <vekkel.h>

#include <string>

void QvLowerSingleByte(char* name, unsigned int codePage) {
  if (name == NULL) return;
  for (unsigned char* p = reinterpret_cast<unsigned char*>(name); *p != 0; ++p) {
    if (p[0] >= 0x80 && ::IsDBCSLeadByteEx(codePage, p[0])) {
      if (p[1] == 0) break;
      ++p;  // the trail byte stays as it is
    } else if (*p >= 'A' && *p <= 'Z') {
      *p = static_cast<unsigned char>(*p - 'A' + 'a');
    }
  }
}

bool QvCharClassHas(const char* body, unsigned char c) {
  if (body == NULL) return false;
  const unsigned char* p = reinterpret_cast<const unsigned char*>(body);
  while (*p != 0) {
    unsigned char low = *p++;
    if (low == '\\' && *p != 0) low = *p++;
    unsigned char high = low;
    if (*p == '-' && p[1] != 0) {
      ++p;
      high = *p++;
      if (high == '\\' && *p != 0) high = *p++;
    }
    if (c >= low && c <= high) return true;
  }
  return false;
}

int QvJudgeSaveName(const char* typedName, bool unvFilter, unsigned long* label) {
  if (label != NULL) *label = 0;
  if (typedName == NULL) return 0;
  const size_t typedLength = strlen(typedName);
  if (typedLength == 2 && typedName[1] == ':') return 1;
  if (!unvFilter || typedLength == 0) return 0;

  const char* slash = strrchr(typedName, '\\');
  std::string name(slash != NULL ? slash + 1 : typedName);
  QvLowerSingleByte(&name[0], gOrgInfo.GetCodePage());
  const size_t at = name.find(".unv");
  if ((at != std::string::npos && at > 8) || (at == std::string::npos && name.size() > 8)) {
    if (label != NULL) *label = IDL_QV_SAVENAME_TOO_LONG;
    return 1;
  }
  if (name.size() > 1 && name.find(' ', 1) != std::string::npos) return 1;
  const std::string base = at != std::string::npos ? name.substr(0, at) : name;

  bool ok = true;
  if (gOrgInfo.QvLanguageIs("ja")) {
    ok = IsEnabledShiftJISRDBMSChars(base.c_str());
  } else if (gOrgInfo.QvLanguageIs("ko")) {
    ok = IsEnabledKSC5601RDBMSChars(base.c_str());
  } else if (gOrgInfo.QvLanguageIs("zh_CN")) {
    ok = IsEnabledSimplifiedChineseRDBMSChars(base.c_str());
  } else if (gOrgInfo.QvLanguageIs("zh_TW")) {
    ok = IsEnabledTraditionalChineseRDBMSChars(base.c_str());
  } else {
    const char* allowed = gOrgInfo.GetRDBMSAllowedChars();
    for (unsigned char c : base)
      if (!QvCharClassHas(allowed, c)) ok = false;
  }
  if (!ok) {
    if (label != NULL) *label = IDL_QV_SAVENAME_BAD_CHARS;
    return 1;
  }
  return 0;
}

int QvCheckSaveName(const char* typedName, bool unvFilter) {
  unsigned long label = 0;
  const int refuse = QvJudgeSaveName(typedName, unvFilter, &label);
  if (label != 0) QvInfoDialog().Process(QvGetMyLabel(label), "", 0, nullptr);
  return refuse;
}
