// The system's common dialogs as framework dialogs: CCommonDialog, their base, and
// CColorDialog. The system's dialog answers its own buttons, so the window is not bound to
// the object; the framework's hook procedure (kept in the dialog's record, where a derived
// class may chain to it) gives the keyboard focus to the system at initialisation.
#pragma once
#include "fw_dialog.h"

#include <commdlg.h>

class FW_API CCommonDialog : public CDialog {
  DECLARE_DYNAMIC(CCommonDialog)
 public:
  explicit CCommonDialog(CWnd* pParentWnd);
  ~CCommonDialog() override;

  // The framework's hook of common dialogs: TRUE at WM_INITDIALOG (the focus as the system
  // gives it), 0 (the system's handling) for every other message. At the WM_INITDIALOG of a
  // file dialog's child it binds the child to the CFileDialog being run and answers its
  // OnInitDialog.
  static UINT_PTR CALLBACK HookProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);

 protected:
  // Runs the system's dialog function between PreModal and PostModal; IDOK when it answers
  // TRUE, else IDCANCEL.
  INT_PTR RunSystemDialog(BOOL (*pfnRun)(void* pRecord, HWND hWndOwner), void* pRecord);
};

class FW_API CColorDialog : public CCommonDialog {
  DECLARE_DYNAMIC(CColorDialog)
 public:
  explicit CColorDialog(COLORREF clrInit = 0, DWORD dwFlags = 0, CWnd* pParentWnd = NULL);
  ~CColorDialog() override;

  CHOOSECOLOR m_cc;

  // IDOK (the chosen colour in m_cc.rgbResult) or IDCANCEL.
  INT_PTR DoModal() override;
  COLORREF GetColor() const { return m_cc.rgbResult; }
  void SetCurrentColor(COLORREF clr) { m_cc.rgbResult = clr; }
  // The sixteen custom colours every colour dialog of the process starts from and keeps.
  static COLORREF* PASCAL GetSavedCustomColors();
};
