// The library's colour dialog: the framework's colour dialog with an optional template of
// the caller's and an optional hook. A caller that passes MFCColorHookProc as the hook keeps
// the framework's own handling (the hook kept at construction).
#pragma once
#include <framework.h>

#include "quarnel_api.h"

class QUARNEL_API CQvColorDlg : public CColorDialog {
 public:
  CQvColorDlg(COLORREF initial, DWORD flags, CWnd* parent, LPCTSTR templateName, LPCCHOOKPROC hook);
  ~CQvColorDlg() override;

  // Hands every message of a dialog made by a CQvColorDlg to that object's kept hook; 0 for
  // a window no object is known for. The object is kept per dialog window from WM_INITDIALOG
  // (lCustData) to WM_NCDESTROY, so later and nested dialogs each reach their own.
  static UINT_PTR CALLBACK MFCColorHookProc(HWND hdlg, UINT msg, WPARAM wParam, LPARAM lParam);

 protected:
  CString m_strTemplateName;
  LPCCHOOKPROC m_pfnFrameworkHook;  // the framework's hook, kept before it is replaced
};
