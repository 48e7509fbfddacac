// The portable open and save dialogs: filters collected from the host's file types, and
// their window, the framework's file dialog with a name check that completes a missing
// extension and asks once before an existing file is replaced.
//
// Filter string: one entry per filter, "description|patterns|", the patterns "*.ext" joined
// by ";" ("*.*" for a type without extension), and a second "|" after the last entry. The
// extension list of a filter is its types' extensions joined by "|" ("rep|rea").
#pragma once
#include <framework.h>
#include <fw_filedialog.h>
#include <vekkel.h>

#include <vector>

#include "quarnel_api.h"

// Labels of the name check's texts ("%s" in the missing file's text stands for the name).
enum { IDL_QV_FILE_REPLACE = 31258, IDL_QV_FILE_YES = 31200, IDL_QV_FILE_MISSING = 31268, IDL_QV_FILE_NO_FILTER = 31254 };
// The option check box of the save dialog.
enum { IDC_QV_FILE_OPTION = 500 };

// The name as the dialog completes it: a name whose extension (lowered) is in none of the
// lists counts as one without; such a name gets "." and the first extension of the list of
// filter `selected` (nothing when that list is empty or there is no such filter).
QUARNEL_API QvString GUICompleteFileName(const QvString& name, const QvArrayQvString& extensionLists, long selected);

class QUARNEL_API QvFileDialog {
 public:
  QvFileDialog();
  virtual ~QvFileDialog();

  // A filter of one type; true.
  bool AddFilter(QvInternalFileType type, const char* description, QvDirectory* folder);
  // A filter of several types, described by `description` (UTF-8; none: the first type's
  // default description; before Windows 4, whose type lists show no descriptions, always its
  // patterns), its folder the given one (none: null). A "|" in the description becomes "¦",
  // so that it cannot split the entry. True.
  bool AddFilter(const QvArrayUShort& types, const char* description, QvDirectory* folder);

  // The description of a type when none is given: its label when it has one of its own, else
  // "*." and its extension.
  static QvString DefaultDescription(QvInternalFileType type);

  const QvString& GetFilterString() const { return m_filter; }
  const QvArrayQvString& GetExtensionLists() const { return m_extensions; }
  const QvArrayQvString& GetFolders() const { return m_folders; }

 protected:
  QvString m_filter;
  QvArrayQvString m_folders;     // by filter, empty for none
  QvArrayQvString m_extensions;  // by filter
};

// The window of the portable file dialogs: the Explorer-style dialog, or before Windows 4 the
// old-style one.
class QUARNEL_API CGUIFileDialog : public CFileDialog {
  DECLARE_DYNAMIC(CGUIFileDialog)
 public:
  // The filter string and the lists of a QvFileDialog (kept by the caller for the run). The
  // record is of the full size of this build, and a multiple choice has room for 32 767
  // characters of names.
  CGUIFileDialog(BOOL open, const QvFileDialog& filters, LPCTSTR defExt, LPCTSTR fileName, DWORD flags,
                 CWnd* parent);
  ~CGUIFileDialog() override;

  // Asks before a name of an existing file is accepted (the save dialog's).
  bool m_confirmExisting = false;
  // An open dialog's name (completed) must be that of an existing file: another is refused
  // with an information message (label 31268) and the dialog stays open. Clear: a name of no
  // existing file is accepted at once.
  bool m_mustExist = false;
  // The text of the OK button (empty: the system's).
  CString m_okText;
  // With a text, a check box (IDC_QV_FILE_OPTION) under the system's controls, enabled for
  // the filters of reports ("rep") and database files ("unv"); its state when OK was pressed
  // is kept in m_optionChecked (which also gives its state at the start).
  CString m_optionText;
  bool m_optionChecked = false;

  BOOL OnInitDialog() override;

 protected:
  // Completes a single name (GUICompleteFileName with the selected filter), writes it into
  // the record, and, with m_confirmExisting, asks once (label 31258, Yes button 31200) when
  // the file exists: only Yes accepts the name; No, Escape and the close box refuse it. In an
  // open dialog a name of no existing file follows m_mustExist. On Win32s a name whose
  // extension no filter takes is refused with a message (label 31254).
  BOOL OnFileNameOK() override;
  // Every notification of the system first gives the dialog's controls (the shell view and
  // its list among them) the default GUI font.
  BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
  // The question; QvYesButton accepts.
  virtual int AskReplace(const QvString& path);
  // The information that no file has that name (label 31268, without a title).
  virtual void TellMissing(const QvString& path);
  // A new filter: the option box follows it, a typed name takes its first extension, and the
  // dialog moves to the filter's folder when it has one.
  void OnTypeChange() override;

  // Before Windows 4 (the old-style dialog): the type list's CBN_SELCHANGE runs OnTypeChange.
  BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
  // Win32s or Windows NT 3, which have only the old-style dialog (its controls in the dialog
  // itself, the system's template).
  static bool OldSystem();

  // The filter selected in the system's type list (0-based; -1 for none).
  long SelectedFilter() const;
  // Whether a filter takes the name: one without extensions or with "*", or one that offers
  // the name's extension (a name without one is completed, so taken).
  bool AnyFilterTakes(const QvString& name) const;
  bool OptionAllowed(long filter) const;

  CButton m_option;

  const QvArrayQvString* m_extensionLists;
  const QvArrayQvString* m_folders;
  std::vector<TCHAR> m_names;  // the record's name buffer
};

// Gives every control of the dialog, at any depth, the default GUI font (UIGetDefaultGUIFont2);
// those that have it already are left alone, so that a repeated call repaints nothing.
QUARNEL_API void GUISetDefaultFontOnChildren(HWND dialog);

// Dialog template of the folder dialog (the library's own) and the labels of its texts.
enum { IDD_QV_FOLDER_DIALOG = 257 };
enum { IDL_QV_FOLDER_TITLE = 31216, IDL_QV_FOLDER_FOLDERS = 31217, IDL_QV_FOLDER_DRIVES = 31218 };
// Control ids of the folder dialog beyond the system's: the heading of the folder list.
enum { IDC_QV_FOLDER_HEADING = 65535 };

// The folder picker of the systems before Windows 4 (no folder browser): an old-style open
// dialog on template 257 that shows the folders and drives (the file controls the system
// needs are hidden), its name pre-filled with a dummy name so that OK is taken in any folder.
class QUARNEL_API CGUIFolderDialog : public CFileDialog {
  DECLARE_DYNAMIC(CGUIFolderDialog)
 public:
  // The title (empty: label 31216) and the folder to start in (empty: the current one).
  CGUIFolderDialog(LPCTSTR title, LPCTSTR initialFolder, CWnd* parent);
  ~CGUIFolderDialog() override;

  // The dummy name that fills the name box.
  static LPCTSTR DummyName() { return _T("zombolo.zzz"); }

  // Labels the headings, the buttons and the title; every control gets the default GUI font.
  BOOL OnInitDialog() override;
  // After IDOK: the chosen folder, the chosen path without its name part (ends with "\").
  CString GetFolder() const;

 protected:
  BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
  // The Help button: the application's help on context 301.
  afx_msg void OnHelpButton();
  afx_msg LRESULT OnCommandHelp(WPARAM, LPARAM);
  DECLARE_MESSAGE_MAP()

  CString m_title, m_initialFolder;
};

class QUARNEL_API QvOpenFileDialog : public QvFileDialog {
 public:
  // One file: the title, the OK button's text (null: the system's); the chosen file as a new
  // descriptor made by the global file master, null when cancelled. The initial folder is
  // the given one, else the first filter's. With mustExist only an existing file is taken
  // (CGUIFileDialog::m_mustExist).
  QvFileDescriptor* Process(QvDirectory* folder, const char* title, const char* text, unsigned long helpId,
                            bool mustExist);
  // Several files: a new descriptor of each chosen file added to `result` (unchanged when
  // cancelled).
  void Process(QvArrayLPVoid& result, QvDirectory* folder, const char* title, const char* text,
               unsigned long helpId, bool activeOwner);
};

class QUARNEL_API QvSaveAsFileDialog : public QvFileDialog {
 public:
  // The initial name, the title, the type whose extension completes names and whose filter is
  // selected first, the text of an option check box (null or empty: none); asks before an
  // existing file is replaced. The chosen file as a new descriptor, null when cancelled.
  QvFileDescriptor* Process(const char* name, QvDirectory* folder, const char* title, QvInternalFileType type,
                            const char* optionText, unsigned long helpId, bool activeOwner, bool, bool);
  // The option box's state when the name was accepted.
  bool IsOptionChecked() const { return m_optionChecked; }

 private:
  bool m_optionChecked = false;
};
