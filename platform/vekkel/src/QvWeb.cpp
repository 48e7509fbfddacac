#include "QvWeb.h"

#include <windows.h>
#include <string.h>

namespace {

char s_empty[1] = {0};

char* CopyText(const char* text) {
  if (!text || !*text) return s_empty;
  size_t n = strlen(text) + 1;
  char* copy = new char[n];
  memcpy(copy, text, n);
  return copy;
}

void FreeText(char*& text, bool wipe = false) {
  if (text != s_empty) {
    if (wipe) SecureZeroMemory(text, strlen(text));
    delete[] text;
  }
  text = s_empty;
}

}  // namespace

QvWebParameters::QvWebParameters()
    : m_portalRootUrl(s_empty), m_user(s_empty), m_password(s_empty), m_serverName(s_empty) {}

QvWebParameters::~QvWebParameters() {
  FreeText(m_portalRootUrl);
  FreeText(m_user);
  FreeText(m_password, true);
  FreeText(m_serverName);
}

int QvWebParameters::GetIsOnlineSession() const { return m_onlineSession; }

void QvWebParameters::SetPortalRootURL(const char* url) {
  char* copy = CopyText(url);
  FreeText(m_portalRootUrl);
  m_portalRootUrl = copy;
}

void QvWebParameters::SetQVUSER(const char* user) {
  char* copy = CopyText(user);
  FreeText(m_user);
  m_user = copy;
}

void QvWebParameters::SetQVPASS(const char* password) {
  char* copy = CopyText(password);
  FreeText(m_password, true);
  m_password = copy;
}

void QvWebParameters::SetServerName(const char* name) {
  char* copy = CopyText(name);
  FreeText(m_serverName);
  m_serverName = copy;
}

QvWebParameters* GetQvWebParameters() {
  static QvWebParameters parameters;
  return &parameters;
}
