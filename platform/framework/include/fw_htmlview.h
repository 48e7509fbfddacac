// CHtmlView: a view that shows web content in the web browser object (CLSID_WebBrowser),
// active in place in the view's window through a small OLE site of the view's own (client
// site, in-place site and frame).
//
// Creation. The view's WM_CREATE makes the browser through the factory (by default
// CoCreateInstance of CLSID_WebBrowser, in process), gives it the site, activates it in place
// over the client area and connects the view to its events (DWebBrowserEvents2). When any of
// these fails the window is not made and Create answers FALSE (a view made on the heap is then
// deleted by PostNcDestroy, as after any view's end). OLE must be initialised on the thread.
//
// Events. BeforeNavigate2, NavigateComplete2 and DocumentComplete reach the virtuals below,
// on the thread that made the view, with the address as text (the browser passes it as a
// VARIANT by reference; a value of another kind arrives as an empty text).
//
// Keys. A key message for the view or a window inside it (the browser's) goes first to the
// browser's active object (the one it named through the site's SetActiveObject), so that the
// page has its own keys (tab between links, arrows, accelerators of the page).
//
// End. WM_DESTROY disconnects the events, deactivates and closes the browser, takes the site
// back and releases every interface of it; nothing the view holds outlives its window.
#pragma once
#include "fw_coll.h"
#include "fw_view.h"

#include <exdisp.h>
#include <ole2.h>

class CHtmlViewSite;
class CHtmlViewEvents;

// {34A715A0-6587-11D0-924A-0020AFC7AC4D}: the browser's event interface.
extern "C" FW_API const IID FW_DIID_DWebBrowserEvents2;

class FW_API CHtmlView : public CView {
  DECLARE_DYNCREATE(CHtmlView)

 public:
  // Makes a browser object with one reference for the caller; it must answer IOleObject and
  // IWebBrowser2 (and be a connection point container for its events).
  typedef HRESULT (*BrowserFactory)(IUnknown** browser);
  // The factory of every view made from now on (NULL: the system's browser); the previous one.
  static BrowserFactory SetBrowserFactory(BrowserFactory factory);

  CHtmlView();
  ~CHtmlView() override;

  // Goes to the address (flags, target frame, headers and post data as the browser's
  // Navigate2 takes them; NULL or 0 for none). FALSE without a browser or when it refuses.
  BOOL Navigate2(LPCTSTR lpszURL, DWORD dwFlags = 0, LPCTSTR lpszTargetFrameName = NULL, LPCTSTR lpszHeaders = NULL,
                 LPCVOID lpvPostData = NULL, DWORD dwPostDataLen = 0);
  // The browser's current document, with a reference for the caller; NULL when there is none.
  LPDISPATCH GetHtmlDocument() const;
  // The browser's automation object, with a reference for the caller; NULL without a browser.
  LPDISPATCH GetApplication() const;
  // The browser the view holds (no reference added); NULL before creation and after the end.
  IWebBrowser2* GetBrowser() const { return m_pBrowserApp; }

  // Navigation events. Before a navigation: set *pbCancel to stop it (the base leaves it).
  virtual void OnBeforeNavigate2(LPCTSTR lpszURL, DWORD nFlags, LPCTSTR lpszTargetFrameName, CByteArray& baPostedData,
                                 LPCTSTR lpszHeaders, BOOL* pbCancel);
  virtual void OnNavigateComplete2(LPCTSTR strURL);
  virtual void OnDocumentComplete(LPCTSTR lpszURL);

  BOOL PreTranslateMessage(MSG* pMsg) override;

 protected:
  void OnDraw(CDC* pDC) override;  // nothing: the browser draws its own window
  BOOL PreCreateWindow(CREATESTRUCT& cs) override;

  afx_msg int OnCreate(LPCREATESTRUCT lpcs);
  afx_msg void OnDestroy();
  afx_msg void OnSize(UINT nType, int cx, int cy);
  afx_msg BOOL OnEraseBkgnd(CDC* pDC);

  IWebBrowser2* m_pBrowserApp = NULL;

 private:
  BOOL CreateBrowser();
  // Disconnects and lets go of the browser; safe to call more than once.
  void ReleaseBrowser();

  IOleObject* m_pBrowserObject = NULL;
  CHtmlViewSite* m_pSite = NULL;
  CHtmlViewEvents* m_pEvents = NULL;
  DWORD m_dwEventsCookie = 0;

  friend class CHtmlViewEvents;
  DECLARE_MESSAGE_MAP()
};
