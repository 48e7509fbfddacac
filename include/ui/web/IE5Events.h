// The receiver of a web browser's events (the DWebBrowserEvents2 dispatch interface), which
// passes the three that matter to its owner's window as sent messages:
//   IE5EVENTS_NAVIGATECOMPLETE (0x8100)  lParam: the address text, during the call only
//   IE5EVENTS_DOCUMENTCOMPLETE (0x8101)  lParam: the address text, during the call only
//   IE5EVENTS_QUIT             (0x8102)  wParam and lParam 0
// The address comes as a string VARIANT, directly or by reference (the browser sends
// VT_BYREF|VT_VARIANT); any other kind sends nothing. A sink without an owner (or whose owner
// has no window) sends nothing at all.
//
// The object is reference counted: it starts with one reference, held by whoever made it; a
// browser it is connected to holds its own. Give yours back with ExternalRelease, never delete.
#pragma once
#include <fw_disp.h>
#include <fw_wnd.h>

#include "quarnel_api.h"

#define IE5EVENTS_NAVIGATECOMPLETE 0x8100
#define IE5EVENTS_DOCUMENTCOMPLETE 0x8101
#define IE5EVENTS_QUIT 0x8102

// {34A715A0-6587-11D0-924A-0020AFC7AC4D}
extern "C" QUARNEL_API const IID IID_QuarnelWebBrowserEvents2;

class QUARNEL_API CIE5Events : public CCmdTarget {
  DECLARE_DYNCREATE(CIE5Events)

 public:
  explicit CIE5Events(CWnd* owner = NULL);
  ~CIE5Events() override = default;

  CWnd* GetOwner() const { return m_owner; }
  // The owner goes (the sink may outlive it while a browser still holds it).
  void Detach() { m_owner = NULL; }

  // The DISPIDs of DWebBrowserEvents2 the map answers.
  enum {
    kStatusTextChange = 102, kDownloadComplete = 104, kCommandStateChange = 105, kDownloadBegin = 106,
    kProgressChange = 108, kTitleChange = 113, kBeforeNavigate2 = 250, kNewWindow2 = 251,
    kNavigateComplete2 = 252, kOnQuit = 253, kDocumentComplete = 259
  };

 protected:
  void BeforeNavigate2(LPDISPATCH, VARIANT* url, VARIANT* flags, VARIANT* target, VARIANT* postData,
                       VARIANT* headers, VARIANT_BOOL* cancel);
  void CommandStateChange(long command, BOOL enable);
  void DocumentComplete(LPDISPATCH, VARIANT* url);
  void DownloadBegin();
  void DownloadComplete();
  void NavigateComplete2(LPDISPATCH, VARIANT* url);
  void NewWindow2(LPDISPATCH* ppDisp, VARIANT_BOOL* cancel);
  void OnQuit();
  void ProgressChange(long progress, long progressMax);
  void StatusTextChange(LPCOLESTR text);
  void TitleChange(LPCOLESTR text);

 private:
  // Sends the message with the address when the VARIANT holds a string.
  void SendAddress(UINT message, const VARIANT* url);
  HWND OwnerWindow() const;

  CWnd* m_owner;

  DECLARE_DISPATCH_MAP()
  DECLARE_INTERFACE_MAP()
};
