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

// Labels of the name check's texts.
enum { IDL_QV_FILE_REPLACE = 31258, IDL_QV_FILE_YES = 31200 };
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
  // default description), its folder the given one (none: null). A "|" in the description
  // becomes "¦", so that it cannot split the entry. True.
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

// The window of the portable file dialogs.
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
  // the file exists: only Yes accepts the name; No, Escape and the close box refuse it.
  BOOL OnFileNameOK() override;
  // The question; QvYesButton accepts.
  virtual int AskReplace(const QvString& path);
  // A new filter: the option box follows it, a typed name takes its first extension, and the
  // dialog moves to the filter's folder when it has one.
  void OnTypeChange() override;

  // The filter selected in the system's type list (0-based; -1 for none).
  long SelectedFilter() const;
  bool OptionAllowed(long filter) const;

  CButton m_option;

  const QvArrayQvString* m_extensionLists;
  const QvArrayQvString* m_folders;
  std::vector<TCHAR> m_names;  // the record's name buffer
};

class QUARNEL_API QvOpenFileDialog : public QvFileDialog {
 public:
  // One file: the title, the OK button's text (null: the system's); the chosen file as a new
  // descriptor made by the global file master, null when cancelled. The initial folder is
  // the given one, else the first filter's.
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
