// The product's open and save dialog: the system's Explorer-style file dialog widened on the
// left by a shortcut bar (a tile control with the product's document folders and, where the
// shell allows, the system's common places), with a folder per filter, a remembered last
// folder and view, the product's help contexts, and a rewrite of the typed name before the
// system accepts it.
//
// Only one dialog is current per thread and process (g_pCurrentOSDlg); its two thread hooks
// live from the child's WM_INITDIALOG to its WM_DESTROY. A dialog opened while another runs
// takes the hooks over and gives them back when it closes.
#pragma once
#include <IconPaneWnd.h>
#include <TileWnd.h>
#include <dlgs.h>
#include <fw_filedialog.h>

#include <map>
#include <vector>

#include "quarnel_api.h"

struct IShellBrowser;

// One filter of the dialog: its description, its pattern(s) ("*.rep", or several separated
// by ';') and its folder (empty: none).
class QUARNEL_API OSDSTRUCT {
 public:
  OSDSTRUCT();
  OSDSTRUCT(LPCTSTR description, LPCTSTR pattern, LPCTSTR folder);  // NULL reads as empty
  OSDSTRUCT(const OSDSTRUCT& other);
  OSDSTRUCT& operator=(const OSDSTRUCT& other);
  virtual ~OSDSTRUCT();
  // TRUE when any of the three texts is not empty.
  virtual BOOL NotEmpty() const;

  CString m_strDescription;
  CString m_strPattern;
  CString m_strFolder;
};

// What the dialog asks the system: its version, the version of the shell and the shell's
// view of a path. The process has one; tests put their own in place to reach systems this
// one is not (old-style dialogs, old shells, the Windows 95 family, network shares).
class QUARNEL_API COpenSaveSystem {
 public:
  virtual ~COpenSaveSystem();
  // GetVersionEx.
  virtual BOOL GetVersion(OSVERSIONINFO& info);
  // The file version of "Shell32.dll"; FALSE when it has none.
  virtual BOOL GetShellVersion(DWORD& major, DWORD& minor);
  // SHGetFileInfo with SHGFI_ATTRIBUTES: FALSE when the shell does not know the path, else
  // TRUE with isFolder telling whether it is a folder (SFGAO_FOLDER).
  virtual BOOL GetShellAttributes(LPCTSTR path, BOOL& isFolder);

  // The current one (never NULL); Set answers the previous one (NULL puts the system's back).
  static COpenSaveSystem* Get();
  static COpenSaveSystem* Set(COpenSaveSystem* system);
};

// The shell's special-folder functions, when the shell is new enough (4.71 or later).
class QUARNEL_API Shell32Info {
 public:
  Shell32Info();
  virtual ~Shell32Info();
  Shell32Info(const Shell32Info&) = delete;
  Shell32Info& operator=(const Shell32Info&) = delete;

  typedef BOOL(WINAPI* PFN_GETPATH)(HWND, LPWSTR, int, BOOL);
  typedef HRESULT(WINAPI* PFN_GETLOCATION)(HWND, int, void** /* PIDLIST_ABSOLUTE* */);
  typedef HRESULT(WINAPI* PFN_GETDESKTOP)(void** /* IShellFolder** */);

  BOOL m_bUsable;
  HMODULE m_hShell32;
  PFN_GETPATH m_pfnGetSpecialFolderPath;
  PFN_GETLOCATION m_pfnGetSpecialFolderLocation;
  PFN_GETDESKTOP m_pfnGetDesktopFolder;
};

// A product shortcut: an internal folder id of the file master (-1: none) and a pattern.
struct QUARNEL_API QvShortcutDescriptor {
  int m_nId = -1;
  CString m_strPattern;
};
// A common place: a CSIDL (-1: none) and the folder's path.
struct QUARNEL_API StdShortcutDescriptor {
  int m_nCsidl = -1;
  CString m_strPath;
};

class QUARNEL_API CQvOpenSaveDlg : public CFileDialog {
  DECLARE_DYNAMIC(CQvOpenSaveDlg)
 public:
  // filter: description and pattern pairs, each item ended by '|'; folders: one folder per
  // filter, separated by '|'. hook: the caller's hook, else MFCOpenSaveHookProc; a caller's
  // hook should pass on to MFCOpenSaveHookProc what it does not handle.
  CQvOpenSaveDlg(BOOL bOpenFileDialog, LPCTSTR lpszDefExt = NULL, LPCTSTR lpszFileName = NULL,
                 DWORD dwFlags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, LPCTSTR lpszFilter = NULL,
                 CWnd* pParentWnd = NULL, LPCTSTR lpszFolders = NULL, LPCTSTR lpszInitialFolder = NULL,
                 LPCTSTR lpszTemplateName = NULL, LPOFNHOOKPROC pfnHook = NULL);
  // The filters and their folders from an array of count entries.
  CQvOpenSaveDlg(BOOL bOpenFileDialog, LPCTSTR lpszDefExt, LPCTSTR lpszFileName, DWORD dwFlags,
                 const OSDSTRUCT* pEntries, DWORD count, CWnd* pParentWnd = NULL,
                 LPCTSTR lpszInitialFolder = NULL, LPCTSTR lpszTemplateName = NULL, LPOFNHOOKPROC pfnHook = NULL);
  ~CQvOpenSaveDlg() override;

  // TRUE on a system whose file dialogs are old-style: major version below 4, or minor 51.
  static BOOL IsOldStyleOpenSave();
  // Goes to the folder as if it had been typed and confirmed; the typed name is kept.
  void SetDirectory(CString& folder);
  // Clicks OK.
  void Validate();
  static UINT_PTR CALLBACK MFCOpenSaveHookProc(HWND hdlg, UINT msg, WPARAM wParam, LPARAM lParam);

  // The 1-based filter for the name's extension, else for the default extension, else 1.
  DWORD GetStartFilterIndex(LPCTSTR lpszFileName);
  // TRUE and the 1-based index of the first filter one of whose patterns has the name's
  // extension (the text from the name's last dot; the whole name without a dot), compared
  // whole and ignoring case; FALSE and 0 otherwise or for NULL.
  BOOL KnownExtension(LPCTSTR name, DWORD& index);
  // Without a default extension the first filter's folder; with one, the folder of the first
  // filter that knows it. NULL when there is none (also for no filters).
  virtual LPCTSTR GetDefaultDirectory();
  // The folder of a product pattern: from the filters' folders, else from the file master.
  BOOL FindExtensionPath(CString& pattern, CString& folder);
  // The system dialog's current name, whole and trimmed; empty when it has none.
  CString GetCurrentPathName();
  void GetCurrentSpec(CString& spec);
  // Rewrites the typed name before the system reads it (leading blanks, default extension,
  // a final backslash for a network folder).
  virtual void CleanEditBox();
  // Checks the shortcut of the current folder.
  void UpdateSelection();
  // Replaces the text from the name's last dot by ext (or appends it when the name has no
  // dot). FALSE, and the name unchanged, when the result and its zero do not fit in
  // capacity characters.
  static BOOL SetExtension(LPTSTR name, size_t capacity, LPCTSTR ext);
  static void RemoveFirstExtension(LPTSTR name);
  static void RemoveLastExtension(LPTSTR name);
  // Cuts the name at its n-th dot (1-based); nothing when it has fewer.
  static void RemoveNthExtension(LPTSTR name, int n);
  // "description|pattern|" per entry and one more "|"; "||" for none. The text stays valid
  // until the next call.
  virtual LPCTSTR StructToString(const OSDSTRUCT* pEntries, DWORD count);

  // The filters (entry n - 1 is filter n) and the default extension, as the dialog uses them.
  const std::vector<OSDSTRUCT>& GetFolderTable() const { return m_folders; }
  const CString& GetDefaultExtension() const { return m_strDefExtension; }
  CTileControl& GetTileControl() { return m_tiles; }
  CIconPaneControl& GetProductPane() { return m_productPane; }
  CIconPaneControl& GetCommonPane() { return m_commonPane; }
  BOOL HasShell32Info() const { return m_shell32.m_bUsable; }
  // The control ids of the custom template (found when the bar is made).
  const std::vector<UINT>& TemplateIds() const { return m_templateIds; }

  static HWND gCommonDlgHWND;
  static CQvOpenSaveDlg* g_pCurrentOSDlg;
  static HHOOK cDialogHook;
  static HHOOK cOKBtnHook;
  static BOOL bShowDetails;
  static const int TILECTRL_OFFSET = 150;
  static QvShortcutDescriptor gQvShortcuts[4];
  static StdShortcutDescriptor gBuiltinShortcuts[3];

  // Control ids of the bar and its panes.
  enum { IDC_TILES = 1012, IDC_PRODUCT_PANE = 1010, IDC_COMMON_PANE = 1011 };

 protected:
  virtual void CustomizeLook();
  virtual void DefineShortcuts();
  virtual void DefineQvShortcuts();
  virtual void DefineCommonShortcuts();
  virtual void RepositionControls();
  // Key 0 the tile control, 1 the product pane, 2 the common pane; 3 and 4 are derived
  // classes' (3: the control the rights of command 1286 govern).
  virtual void GetCustomControlsList(std::map<int, UINT>& list);
  virtual BOOL SaveAllowed(LPCTSTR lpszSpec);
  virtual void InitDirectories(LPCTSTR lpszFilter, LPCTSTR lpszFolders);
  virtual BOOL SaveAsForAllUsersAllowed();

  BOOL OnInitDialog() override;
  BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
  BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
  void OnFileNameChange() override;
  void OnTypeChange() override;

  // The existence checks of a derived class's name check: FALSE after telling the user.
  BOOL IsValidFileSpec(CString& out);
  void Resize();
  void DisplayProprietaryHelp(HELPINFO* info, BOOL fromHook);
  void LoadLocation(CString& folder);
  void SaveLocation();

  afx_msg void OnQvShortcutClick(NMHDR* pNMHDR, LRESULT* pResult);
  afx_msg void OnMyShortcutClick(NMHDR* pNMHDR, LRESULT* pResult);
  afx_msg void OnSysColorChange();
  afx_msg BOOL OnHelpInfo(HELPINFO* pHelpInfo);
  DECLARE_MESSAGE_MAP()

 protected:
  UINT m_nFileNameOKMessage;
  CTileControl m_tiles;
  CIconPaneControl m_productPane;
  CIconPaneControl m_commonPane;
  EMBEDDED_OBJECT* m_pProductObject = NULL;
  EMBEDDED_OBJECT* m_pCommonObject = NULL;
  IShellBrowser* m_pShellBrowser = NULL;
  Shell32Info m_shell32;
  std::vector<OSDSTRUCT> m_folders;
  HWND m_hCommonDlg = NULL;
  BOOL m_bBusy = FALSE;
  BOOL m_bPerFilterFolders = FALSE;
  BOOL m_bValidating = FALSE;
  LPOFNHOOKPROC m_pfnFrameworkHook;
  CString m_strInitialFolder;
  CString m_strTemplateName;
  CString m_strDefExtension;
  CString m_strDefaultDirectory;  // what GetDefaultDirectory answered last
  BOOL m_bOldStyle;
  BOOL m_bTemplateMerged = FALSE;
  BOOL m_bFileMustExist = FALSE;
  BOOL m_bPathMustExist = FALSE;
  std::vector<UINT> m_templateIds;

 private:
  void Construct(LPCTSTR lpszFileName, LPCTSTR lpszInitialFolder, LPCTSTR lpszTemplateName, LPOFNHOOKPROC pfnHook);
  // Which dialog ran before this one (restored when this one ends).
  CQvOpenSaveDlg* m_pOuterDlg = NULL;
  HWND m_hOuterCommonDlg = NULL;
  BOOL m_bLookCustomized = FALSE;
  void InstallHooks();
  void RemoveHooks();
  void ClickOK();
  HWND EditBox() const;  // the edit control of the name (inside a combo box when it is one)
  CString EditText() const;
  void SetEditText(const CString& text);
  void SetDefaultExtension(const CString& ext);
  void RestoreView();
  void MergeTemplate();
  void RecordView();
  void ApplyGuiFont();
  // The thread hooks: messages sent to the system dialog, and the messages that make it
  // accept a name (the edit box is rewritten before it sees them).
  static LRESULT CALLBACK DialogHookProc(int code, WPARAM wParam, LPARAM lParam);
  static LRESULT CALLBACK OKButtonHookProc(int code, WPARAM wParam, LPARAM lParam);
};

// Moves a direct child of the dialog's system window (lParam: the CQvOpenSaveDlg*) right by
// the bar's width, unless it belongs to the custom template; OK and Cancel 3 pixels less.
QUARNEL_API BOOL CALLBACK OffsetChildProc(HWND hWnd, LPARAM lParam);
