// CFileDialog: the system's Explorer-style open and save dialog as a framework dialog.
//
// The record m_ofn is filled by the constructor and may be changed before DoModal. The
// system makes the dialog and, inside it, a child dialog whose procedure is m_ofn.lpfnHook
// (the framework's common-dialog hook unless the caller put another there; a replacement
// should pass what it does not handle on to the framework's). At that child's
// WM_INITDIALOG the framework's hook binds the child to this object (SubclassWindow) and
// calls OnInitDialog; from then on the child's messages go through the object's message map
// and the system's notifications (WM_NOTIFY with the CDN_ codes, sent to the child) reach
// OnNotify, which hands them to the virtual members below. The child is unbound when it is
// destroyed. GetParent() of the bound child is the system's dialog.
//
// Without OFN_EXPLORER (cleared by the caller before DoModal) the system makes the old-style
// dialog from its own or the caller's template (OFN_ENABLETEMPLATE), the hook is that dialog's
// procedure, and the hook binds the dialog itself: GetCommonDialog() is then the bound window,
// and its OK and Cancel buttons stay the system's. Such a dialog tells its hook of a chosen
// name, a selection in its file list and a sharing violation by the registered messages
// FILEOKSTRING, LBSELCHSTRING and SHAREVISTRING, which the framework's file hook hands to
// OnFileNameOK, OnFileNameChange and OnShareViolation.
#pragma once
#include "fw_commondlg.h"

class FW_API CFileDialog : public CCommonDialog {
  DECLARE_DYNAMIC(CFileDialog)
 public:
  // lpszFilter: description and pattern pairs, each item ended by '|' ("Text|*.txt||").
  // dwSize: the record size the system is told (0: the full record of this build).
  explicit CFileDialog(BOOL bOpenFileDialog, LPCTSTR lpszDefExt = NULL, LPCTSTR lpszFileName = NULL,
                       DWORD dwFlags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, LPCTSTR lpszFilter = NULL,
                       CWnd* pParentWnd = NULL, DWORD dwSize = 0);
  ~CFileDialog() override;

  OPENFILENAME m_ofn;

  // IDOK (the chosen name in m_ofn.lpstrFile) or IDCANCEL; also IDCANCEL when the system
  // could not show the dialog (CommDlgExtendedError tells why).
  INT_PTR DoModal() override;

  // While the dialog runs: what the system's dialog holds now; afterwards: the result in
  // m_ofn. Texts are read whole, whatever their length.
  CString GetPathName() const;
  CString GetFileName() const;  // the name part of the path
  CString GetFileExt() const;   // the text after the name's last dot, empty without one
  CString GetFileTitle() const; // the name without its extension
  // The current folder of a running dialog; empty otherwise or for a virtual folder.
  CString GetFolderPath() const;
  BOOL GetReadOnlyPref() const { return (m_ofn.Flags & OFN_READONLY) != 0; }
  // Requests to a running dialog (nothing before it runs).
  void SetControlText(int nID, LPCTSTR lpsz);
  void HideControl(int nID);
  void SetDefExt(LPCSTR lpsz);
  // Several chosen names (OFN_ALLOWMULTISELECT): a position, then each full path. The
  // Explorer-style dialog ends each name with a zero, the old-style one with a blank.
  POSITION GetStartPosition() const;
  CString GetNextPathName(POSITION& pos) const;

  BOOL IsOpenDialog() const { return m_bOpenFileDialog; }
  // The system's dialog (the parent of the bound child); NULL while not running.
  HWND GetCommonDialog() const;

  // The dialog object the framework's hook binds at the next WM_INITDIALOG on this thread.
  static CFileDialog* PASCAL GetStartingDialog();
  // The framework's hook of file dialogs (m_ofn.lpfnHook as constructed): the old-style
  // dialog's registered messages to the bound object, everything else to
  // CCommonDialog::HookProc.
  static UINT_PTR CALLBACK FileHookProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
  // Called by the framework's hook once the child is bound; TRUE.
  BOOL OnInitDialog() override;

 protected:
  BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
  // TRUE refuses the name (the dialog stays open). The default accepts.
  virtual BOOL OnFileNameOK();
  virtual UINT OnShareViolation(LPCTSTR lpszPathName);
  virtual void OnInitDone();
  virtual void OnFileNameChange();
  virtual void OnFolderChange();
  virtual void OnTypeChange();
  // The system's dialog answers its own buttons: OK and Cancel go on to its procedure (an
  // old-style dialog holds them itself) instead of ending the dialog from here.
  void OnOK() override;
  void OnCancel() override;

  BOOL m_bOpenFileDialog;
  CString m_strFilter;  // the filter with its separators made zeros
  CString m_strDefExt;
  TCHAR m_szFileTitle[64];
  TCHAR m_szFileName[MAX_PATH];
  OFNOTIFY* m_pofnTemp = NULL;  // the notification being handled

  // A CDM_ text request to the running dialog, answered whole: the size first, then the
  // text; empty when the dialog does not answer.
  CString AskText(UINT message) const;
  // GetNextPathName of an old-style dialog's choice (OFN_ALLOWMULTISELECT without
  // OFN_EXPLORER).
  CString NextOldStyleName(POSITION& pos) const;
};
