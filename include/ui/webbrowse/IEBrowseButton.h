// A bitmap button beside an edit (its sibling) that lets the user pick an address for it:
// either in a web browser it starts (the address of the page the browser shows ends in the
// sibling, unless the filter callback refuses it) or, when told so, in an open-file dialog.
//
// States: idle (enabled, no browser) -> browsing (disabled, browser and connection held) ->
// idle when the browser quits or the button is destroyed (which tells the browser to quit).
#pragma once
#include <MaskedBitmapButton.h>

#include "quarnel_api.h"

#include <exdisp.h>

class CIE5Events;

class QUARNEL_API CIEBrowseButton : public CMaskedBitmapButton {
  DECLARE_DYNAMIC(CIEBrowseButton)

 public:
  // Makes the browser; S_OK and a browser with one reference for the caller.
  typedef HRESULT (*BrowserFactory)(IWebBrowser2** browser);
  // The factory of every button (NULL: the system's browser, as a local server); the one
  // before.
  static BrowserFactory SetBrowserFactory(BrowserFactory factory);

  CIEBrowseButton();
  ~CIEBrowseButton() override;

  // Starts the browser (nothing while one runs or when none can be made) or, without the
  // browser, runs the open-file dialog.
  void DoBrowse();
  // The parent's child with that id becomes the sibling (none when there is no such child).
  void SetSibling(DWORD id);
  HWND GetSibling() const { return m_sibling; }
  void SetBrowseIE(BOOL useBrowser) { m_useBrowser = useBrowser; }
  // Asked with each address before it goes to the sibling; 0 refuses it.
  void SetCallback(int (*filter)(LPCTSTR)) { m_filter = filter; }
  BOOL IsBrowsing() const { return m_browser != NULL; }

 protected:
  afx_msg void OnLButtonUp(UINT flags, CPoint point);
  afx_msg void OnKeyUp(UINT nChar, UINT nRepCnt, UINT nFlags);
  afx_msg void OnDestroy();
  afx_msg LRESULT OnNavigateComplete(WPARAM, LPARAM);
  afx_msg LRESULT OnDocumentComplete(WPARAM, LPARAM address);
  afx_msg LRESULT OnBrowserQuit(WPARAM, LPARAM);
  DECLARE_MESSAGE_MAP()

 private:
  // Disconnects the sink and lets the browser go (telling it to quit when `quit`).
  void EndBrowsing(bool quit);

  CIE5Events* m_sink;  // reference counted: the browser may hold it too
  IWebBrowser2* m_browser = NULL;
  DWORD m_cookie = 0;
  HWND m_sibling = NULL;
  BOOL m_useBrowser = TRUE;
  int (*m_filter)(LPCTSTR) = NULL;
};
