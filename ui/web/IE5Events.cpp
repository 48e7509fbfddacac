#include "IE5Events.h"

#include <framework.h>

extern "C" const IID IID_QuarnelWebBrowserEvents2 = {
    0x34A715A0, 0x6587, 0x11D0, {0x92, 0x4A, 0x00, 0x20, 0xAF, 0xC7, 0xAC, 0x4D}};

IMPLEMENT_DYNCREATE(CIE5Events, CCmdTarget)

BEGIN_DISPATCH_MAP(CIE5Events, CCmdTarget)
  DISP_FUNCTION_ID(CIE5Events, "BeforeNavigate2", kBeforeNavigate2, BeforeNavigate2, VT_EMPTY,
                   VTS_DISPATCH VTS_PVARIANT VTS_PVARIANT VTS_PVARIANT VTS_PVARIANT VTS_PVARIANT VTS_PBOOL)
  DISP_FUNCTION_ID(CIE5Events, "CommandStateChange", kCommandStateChange, CommandStateChange, VT_EMPTY,
                   VTS_I4 VTS_BOOL)
  DISP_FUNCTION_ID(CIE5Events, "DocumentComplete", kDocumentComplete, DocumentComplete, VT_EMPTY,
                   VTS_DISPATCH VTS_PVARIANT)
  DISP_FUNCTION_ID(CIE5Events, "DownloadBegin", kDownloadBegin, DownloadBegin, VT_EMPTY, VTS_NONE)
  DISP_FUNCTION_ID(CIE5Events, "DownloadComplete", kDownloadComplete, DownloadComplete, VT_EMPTY, VTS_NONE)
  DISP_FUNCTION_ID(CIE5Events, "NavigateComplete2", kNavigateComplete2, NavigateComplete2, VT_EMPTY,
                   VTS_DISPATCH VTS_PVARIANT)
  DISP_FUNCTION_ID(CIE5Events, "NewWindow2", kNewWindow2, NewWindow2, VT_EMPTY, VTS_PDISPATCH VTS_PBOOL)
  DISP_FUNCTION_ID(CIE5Events, "OnQuit", kOnQuit, OnQuit, VT_EMPTY, VTS_NONE)
  DISP_FUNCTION_ID(CIE5Events, "ProgressChange", kProgressChange, ProgressChange, VT_EMPTY, VTS_I4 VTS_I4)
  DISP_FUNCTION_ID(CIE5Events, "StatusTextChange", kStatusTextChange, StatusTextChange, VT_EMPTY, VTS_BSTR)
  DISP_FUNCTION_ID(CIE5Events, "TitleChange", kTitleChange, TitleChange, VT_EMPTY, VTS_BSTR)
END_DISPATCH_MAP()

BEGIN_INTERFACE_MAP(CIE5Events, CCmdTarget)
  INTERFACE_PART(CIE5Events, IID_QuarnelWebBrowserEvents2, Dispatch)
END_INTERFACE_MAP()

CIE5Events::CIE5Events(CWnd* owner) : m_owner(owner) { EnableAutomation(); }

HWND CIE5Events::OwnerWindow() const {
  HWND wnd = m_owner != NULL ? m_owner->GetSafeHwnd() : NULL;
  return wnd != NULL && ::IsWindow(wnd) ? wnd : NULL;
}

void CIE5Events::SendAddress(UINT message, const VARIANT* url) {
  HWND wnd = OwnerWindow();
  if (wnd == NULL || url == NULL) return;
  // A string directly, or a string by reference; the caller's by-reference VARIANT was
  // resolved by the dispatch map already.
  BSTR text = NULL;
  if (V_VT(url) == VT_BSTR)
    text = V_BSTR(url);
  else if (V_VT(url) == (VT_BYREF | VT_BSTR) && V_BSTRREF(url) != NULL)
    text = *V_BSTRREF(url);
  else
    return;
  const CString address(text != NULL ? text : L"");
  ::SendMessage(wnd, message, 0, reinterpret_cast<LPARAM>(static_cast<LPCTSTR>(address)));
}

void CIE5Events::BeforeNavigate2(LPDISPATCH, VARIANT*, VARIANT*, VARIANT*, VARIANT*, VARIANT*, VARIANT_BOOL*) {}

void CIE5Events::CommandStateChange(long command, BOOL enable) {
  CString text;
  text.Format(_T("CommandStateChange: Command = %ld  Enable = %d"), command, enable);
}

void CIE5Events::DocumentComplete(LPDISPATCH, VARIANT* url) { SendAddress(IE5EVENTS_DOCUMENTCOMPLETE, url); }

void CIE5Events::DownloadBegin() {}

void CIE5Events::DownloadComplete() {}

void CIE5Events::NavigateComplete2(LPDISPATCH, VARIANT* url) { SendAddress(IE5EVENTS_NAVIGATECOMPLETE, url); }

void CIE5Events::NewWindow2(LPDISPATCH*, VARIANT_BOOL*) {}

void CIE5Events::OnQuit() {
  if (HWND wnd = OwnerWindow()) ::SendMessage(wnd, IE5EVENTS_QUIT, 0, 0);
}

void CIE5Events::ProgressChange(long progress, long progressMax) {
  CString text;
  text.Format(_T("ProgressChange: Progress = %ld  ProgressMax = %ld"), progress, progressMax);
}

void CIE5Events::StatusTextChange(LPCOLESTR text) { CString line = CString(_T("StatusTextChange: ")) + CString(text); }

void CIE5Events::TitleChange(LPCOLESTR text) { CString line = CString(_T("TitleChange: ")) + CString(text); }
