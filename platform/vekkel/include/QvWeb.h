// The parameters of a web session of the host: how it was started, the portal and server it
// talks to and the credentials it uses. One object per process (GetQvWebParameters); the
// host fills it through the setters, readers use the inline accessors.
#pragma once
#include <string>

#include "vekkel_api.h"

enum DornContextMode { DornContextNone = 0, DornContextDocument = 1, DornContextPortal = 2 };

// How the HTTP session is carried.
struct HTTPSessionConfiguration {
  std::string m_sessionCookie;     // cookie sent with every request; empty for none
  unsigned long m_timeoutMs = 0;   // request time-out; 0 for the system's default
};

class VEKKEL_API QvWebParameters {
 public:
  QvWebParameters();
  ~QvWebParameters();

  HTTPSessionConfiguration& GetHTTPSessionConfiguration() { return m_httpSession; }
  bool GetIsStartedFromMarlet() const { return m_startedFromPortal; }
  bool IsTREL() const { return m_trel; }
  bool IsZTFEnabled() const { return m_ztf; }
  const char* GetPortalRootURL() const { return m_portalRootUrl; }
  std::string GetProvider() const { return m_provider; }
  void SetProvider(const std::string& provider) { m_provider = provider; }
  const char* GetQVUSER() const { return m_user; }
  const char* GetQVPASS() const { return m_password; }
  const char* GetServerName() const { return m_serverName; }
  bool GetImportDocument() const { return m_importDocument; }
  int GetAuthenticationType() const { return m_authenticationType; }
  bool GetServerMode() const { return m_serverMode; }
  bool IsAudit() const { return m_audit; }
  void SetDornContextMode(DornContextMode mode) { m_dornContextMode = mode; }
  DornContextMode GetDornContextMode() const { return m_dornContextMode; }
  unsigned long GetLSITimeStamp() const { return m_lsiTimeStamp; }
  bool IsWebMode() const { return m_webMode; }
  // The online session: 0 none, 1 online, 2 offline, 3 online through the portal.
  int GetIsOnlineSession() const;
  bool IsOnlineTREL() const {
    int session = GetIsOnlineSession();
    return m_trel && (session == 1 || session == 3);
  }

  // Set by the host. The texts are copied; null gives the empty text.
  void SetTREL(bool on) { m_trel = on; }
  void SetZTFEnabled(bool on) { m_ztf = on; }
  void SetAudit(bool on) { m_audit = on; }
  void SetIsStartedFromMarlet(bool on) { m_startedFromPortal = on; }
  void SetImportDocument(bool on) { m_importDocument = on; }
  void SetPortalRootURL(const char* url);
  void SetQVUSER(const char* user);
  void SetQVPASS(const char* password);  // the previous password is wiped from memory
  void SetServerName(const char* name);
  void SetAuthenticationType(int type) { m_authenticationType = type; }
  void SetServerMode(bool on) { m_serverMode = on; }
  void SetLSITimeStamp(unsigned long stamp) { m_lsiTimeStamp = stamp; }
  void SetWebMode(bool on) { m_webMode = on; }
  void SetIsOnlineSession(int session) { m_onlineSession = session; }

 private:
  QvWebParameters(const QvWebParameters&) = delete;
  QvWebParameters& operator=(const QvWebParameters&) = delete;

  bool m_trel = false;
  bool m_ztf = false;
  bool m_audit = false;
  bool m_startedFromPortal = false;
  bool m_importDocument = false;
  char* m_portalRootUrl;
  char* m_user;
  char* m_password;
  char* m_serverName;
  std::string m_provider;
  int m_authenticationType = 0;
  bool m_serverMode = false;
  unsigned long m_lsiTimeStamp = 0;
  DornContextMode m_dornContextMode = DornContextNone;
  HTTPSessionConfiguration m_httpSession;
  bool m_webMode = false;
  int m_onlineSession = 0;
};

// The session parameters of the process (never null).
VEKKEL_API QvWebParameters* GetQvWebParameters();
