// CDialog and dialog data exchange (CDataExchange, DDX_ and DDV_ functions).
//
// A dialog window is bound to its object by the window-creation hook, so every message,
// WM_INITDIALOG included, goes through the object's message map; the dialog procedure only
// answers WM_INITDIALOG by calling OnInitDialog.
//
// Modal run (DoModal): the template (by name from the module chain, else the template
// handle, else the in-memory template) is created with the owner disabled, and
// RunModalLoop pumps until EndDialog; the window is then destroyed and DoModal returns the
// result, or -1 when the dialog could not be made. Modeless: Create/CreateIndirect, ended
// with DestroyWindow.
#pragma once
#include "fw_defs.h"
#include "fw_wnd.h"

class CDataExchange;
class CModalTemplate;

class FW_API CDialog : public CWnd {
  DECLARE_DYNAMIC(CDialog)
 public:
  CDialog();
  explicit CDialog(LPCTSTR lpszTemplateName, CWnd* pParentWnd = NULL);
  explicit CDialog(UINT nIDTemplate, CWnd* pParentWnd = NULL);
  ~CDialog() override;

  // Modeless creation; FALSE when the window could not be made.
  virtual BOOL Create(LPCTSTR lpszTemplateName, CWnd* pParentWnd = NULL);
  virtual BOOL Create(UINT nIDTemplate, CWnd* pParentWnd = NULL);
  virtual BOOL CreateIndirect(LPCDLGTEMPLATE lpDialogTemplate, CWnd* pParentWnd = NULL,
                              void* lpDialogInit = NULL);
  virtual BOOL CreateIndirect(HGLOBAL hDialogTemplate, CWnd* pParentWnd = NULL);

  // Modal run from an in-memory template: records it for DoModal (the caller keeps the
  // memory alive until DoModal returns). FALSE for a NULL template.
  BOOL InitModalIndirect(LPCDLGTEMPLATE lpDialogTemplate, CWnd* pParentWnd = NULL,
                         void* lpDialogInit = NULL);
  BOOL InitModalIndirect(HGLOBAL hDialogTemplate, CWnd* pParentWnd = NULL);
  virtual INT_PTR DoModal();
  // Ends a modal run with nResult (a modeless dialog is only hidden: destroy it).
  void EndDialog(int nResult);

  void MapDialogRect(LPRECT lpRect) const;
  void SetHelpID(UINT nIDR) { m_nIDHelp = nIDR; }
  DWORD GetDefID() const;
  void SetDefID(UINT nID);

  virtual BOOL OnInitDialog();
  virtual void OnSetFont(CFont* pFont);
  BOOL PreTranslateMessage(MSG* pMsg) override;

  // The window made from a template in memory, bound to this object. Used by Create,
  // CreateIndirect and DoModal; hInst is the module of the template's resources (the
  // current resource handle when NULL).
  BOOL CreateDlgIndirect(LPCDLGTEMPLATE lpDialogTemplate, CWnd* pParentWnd, HINSTANCE hInst);
  // Before a modal run: modeless windows of the application are disabled, and the owner of
  // the dialog is chosen (returned, NULL when none). PostModal undoes it.
  HWND PreModal();
  void PostModal();
  // The middle of a modal run: makes the window from the template with hWndParent as its
  // parent, runs the modal loop while the run goes on, and hides the window when it still
  // exists (the caller destroys it). A framework exception on the way is deleted and the
  // modal result becomes -1; any other exception goes on to the caller.
  void RunModalWindow(LPCDLGTEMPLATE lpDialogTemplate, HWND hWndParent, HINSTANCE hInst);
  // pfnStep is called at the start of a run (bStarting TRUE, the parent already disabled) and at its
  // end (FALSE, before the parent is enabled again), also when an exception ends it.
  typedef void (*PFN_MODALSTEP)(CDialog* pDlg, BOOL bStarting);
  // The modal run after PreModal: disables hWndParent (unless it is the desktop or already
  // disabled), runs the window, then enables the parent again, hands it the activation when
  // the dialog had it, destroys the window and calls PostModal. The modal result.
  INT_PTR RunModalWithParent(const CModalTemplate& t, HWND hWndParent, PFN_MODALSTEP pfnStep = NULL);

  // The template, in the order DoModal looks at them.
  LPCTSTR m_lpszTemplateName = NULL;
  HGLOBAL m_hDialogTemplate = NULL;
  LPCDLGTEMPLATE m_lpDialogTemplate = NULL;
  void* m_lpDialogInit = NULL;
  CWnd* m_pParentWnd = NULL;
  HWND m_hWndTop = NULL;  // the top-level window PreModal disabled, enabled again by PostModal
  UINT m_nIDHelp = 0;

 protected:
  virtual void OnOK();      // UpdateData(TRUE), then EndDialog(IDOK)
  virtual void OnCancel();  // EndDialog(IDCANCEL)
  // Centres the dialog at initialisation when its template gives no position.
  virtual BOOL CheckAutoCenter();

  afx_msg LRESULT HandleInitDialog(WPARAM wParam, LPARAM lParam);
  afx_msg LRESULT HandleSetFont(WPARAM wParam, LPARAM lParam);
  DECLARE_MESSAGE_MAP()

 private:
  BOOL m_bTemplateAtOrigin = FALSE;
};

// The template of a dialog's modal run, found as DoModal finds it: by name through the
// module chain, else the template handle (locked while this object lives), else the template
// in memory. Get() is NULL when there is none. A resource loaded by name is freed again.
class FW_API CModalTemplate {
 public:
  explicit CModalTemplate(const CDialog& dlg);
  ~CModalTemplate();
  CModalTemplate(const CModalTemplate&) = delete;
  CModalTemplate& operator=(const CModalTemplate&) = delete;

  LPCDLGTEMPLATE Get() const { return m_pTemplate; }
  // The module the template came from (the current resource handle unless found by name).
  HINSTANCE Instance() const { return m_hInst; }

 private:
  LPCDLGTEMPLATE m_pTemplate = NULL;
  HINSTANCE m_hInst = NULL;
  HGLOBAL m_hLoaded = NULL;  // loaded here by name
  HGLOBAL m_hLocked = NULL;  // the dialog's template handle, locked here
};

// The dialog procedure of framework dialogs: WM_INITDIALOG calls OnInitDialog.
FW_API INT_PTR CALLBACK AfxDlgProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);

// The state of one UpdateData pass.
class FW_API CDataExchange {
 public:
  CDataExchange(CWnd* pDlgWnd, BOOL bSaveAndValidate);

  BOOL m_bSaveAndValidate;  // TRUE: controls to members (and validate)
  CWnd* m_pDlgWnd;
  HWND m_idLastControl = NULL;  // the control of the last DDX call (focus target of Fail)
  BOOL m_bEditLastControl = FALSE;

  // The control nIDC of the dialog; a missing control ends the exchange (Fail).
  HWND PrepareCtrl(int nIDC);
  HWND PrepareEditCtrl(int nIDC);
  // Gives the last control the focus (selecting an edit's text) and ends the exchange with
  // a CUserException, which UpdateData catches.
  [[noreturn]] void Fail();
};

// Controls to and from values. On save, text that does not parse puts up a message and
// fails the exchange.
FW_API void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, CString& value);
FW_API void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, int& value);
FW_API void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, UINT& value);
FW_API void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, long& value);
FW_API void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, double& value);
// A check box: BST_UNCHECKED, BST_CHECKED or BST_INDETERMINATE.
FW_API void AFXAPI DDX_Check(CDataExchange* pDX, int nIDC, int& value);
// The index of the checked radio button of the group that starts at nIDC; -1 for none.
FW_API void AFXAPI DDX_Radio(CDataExchange* pDX, int nIDC, int& value);
FW_API void AFXAPI DDX_LBIndex(CDataExchange* pDX, int nIDC, int& index);
FW_API void AFXAPI DDX_CBIndex(CDataExchange* pDX, int nIDC, int& index);
FW_API void AFXAPI DDX_CBString(CDataExchange* pDX, int nIDC, CString& value);
// Subclasses control nIDC with rControl the first time (a control already bound is left).
FW_API void AFXAPI DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl);

// Validation, run on save after the matching DDX call.
FW_API void AFXAPI DDV_MaxChars(CDataExchange* pDX, const CString& value, int nChars);
FW_API void AFXAPI DDV_MinMaxInt(CDataExchange* pDX, int value, int minVal, int maxVal);
