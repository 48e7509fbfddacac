#include "QvFileDialog.h"

#include "MFCMsgDialog.h"
#ifndef UNICODE
#include "GUISaveNameCheck.h"
#endif
#include "GUIPlatformUtilities.h"
#include "QvMsgDialog.h"
#include "UIUtilities.h"

#include <dlgs.h>

#include <algorithm>

namespace {

// The types with a description label of their own.
const struct {
  QvInternalFileType type;
  unsigned long label;
} kTypeLabels[] = {{50, 31246},  {55, 31243},  {57, 31241},  {59, 31242},  {71, 31239},  {72, 31240},
                   {76, 31251},  {79, 31275},  {80, 31274},  {121, 31247}, {170, 31245}, {175, 31244},
                   {300, 31248}, {301, 31249}, {303, 31250}, {307, 31253}};

// Room for the names of a multiple choice.
const DWORD kMultipleNames = 32767;

QvString Extension(QvInternalFileType type) {
  QvString extension;
  Get_GlobalParameters()->GetTypeLabel(extension, type);
  return extension;
}

// The lowered extension of a name: the text after the last dot of its name part.
QvString LoweredExtension(const QvString& name) {
  const long slash = std::max(std::max(name.ReverseFind('\\'), name.ReverseFind('/')), name.ReverseFind(':'));
  const long dot = name.ReverseFind('.');
  if (dot < 0 || dot < slash) return QvString();
  QvString extension = name.Mid(static_cast<size_t>(dot + 1));
  std::string lowered = extension.str();
  for (char& c : lowered)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return QvString(lowered);
}

bool ListHas(const QvString& list, const QvString& extension) {
  size_t start = 0;
  const std::string& s = list.str();
  while (start <= s.size()) {
    size_t end = s.find('|', start);
    if (end == std::string::npos) end = s.size();
    if (s.compare(start, end - start, extension.str()) == 0) return true;
    start = end + 1;
  }
  return false;
}

CString ToText(const QvString& s) { return CString(s.ToWide().c_str()); }
QvString FromText(const CString& s) { return QvString(CStringW(s).GetString()); }

}  // namespace

QvString GUICompleteFileName(const QvString& name, const QvArrayQvString& extensionLists, long selected) {
  const QvString extension = LoweredExtension(name);
  bool known = false;
  for (long i = 0; i < extensionLists.GetSize() && !known && !extension.IsEmpty(); ++i)
    known = ListHas(extensionLists[i], extension);
  if (known || selected < 0 || selected >= extensionLists.GetSize()) return name;
  const QvString& list = extensionLists[selected];
  const long bar = list.Find('|');
  const QvString first = bar < 0 ? list : list.Left(static_cast<size_t>(bar));
  // A filter without extension adds nothing (not a bare dot).
  if (first.IsEmpty() || first == QvString("*")) return name;
  QvString completed(name);
  completed += ".";
  completed += first;
  return completed;
}

QvFileDialog::QvFileDialog() {}
QvFileDialog::~QvFileDialog() {}

QvString QvFileDialog::DefaultDescription(QvInternalFileType type) {
  for (const auto& entry : kTypeLabels)
    if (entry.type == type) return QvGetMyLabel(entry.label);
  QvString description("*.");
  description += Extension(type);
  return description;
}

bool QvFileDialog::AddFilter(QvInternalFileType type, const char* description, QvDirectory* folder) {
  QvArrayUShort types;
  types.Add(type);
  return AddFilter(types, description, folder);
}

bool QvFileDialog::AddFilter(const QvArrayUShort& types, const char* description, QvDirectory* folder) {
  QvString patterns, extensions;
  for (long i = 0; i < types.GetSize(); ++i) {
    const QvString extension = Extension(types[i]);
    if (i > 0) {
      patterns += ";";
      extensions += "|";
    }
    patterns += "*.";
    patterns += extension.IsEmpty() ? QvString("*") : extension;
    extensions += extension;
  }
  // The type lists of the systems before Windows 4 show no descriptions: the patterns
  // describe the filter there.
  const WindowsVersion version = GUIGetWindowsVersion();
  QvString text = version == QvWin32s || version == QvWinNT3 ? patterns
                  : description != nullptr && *description != '\0'
                      ? QvString(description)
                      : types.IsEmpty() ? QvString() : DefaultDescription(types[0]);
  // A bar would end the description early and shift every later filter.
  std::string safe;
  for (char c : text.str()) safe += c == '|' ? std::string("\xC2\xA6") : std::string(1, c);
  if (!m_filter.IsEmpty()) m_filter = m_filter.Left(m_filter.GetLength() - 1);
  m_filter += safe.c_str();
  m_filter += "|";
  m_filter += patterns;
  m_filter += "||";
  m_extensions.Add(extensions);
  m_folders.Add(folder != nullptr ? folder->GetFileDescriptor()->WINONLY_GetPath() : QvString());
  return true;
}

IMPLEMENT_DYNAMIC(CGUIFileDialog, CFileDialog)

CGUIFileDialog::CGUIFileDialog(BOOL open, const QvFileDialog& filters, LPCTSTR defExt, LPCTSTR fileName, DWORD flags,
                               CWnd* parent)
    : CFileDialog(open, defExt, fileName, flags, ToText(filters.GetFilterString()), parent),
      m_extensionLists(&filters.GetExtensionLists()),
      m_folders(&filters.GetFolders()) {
  // The systems before Windows 4 have only the old-style dialog.
  if (OldSystem()) m_ofn.Flags &= ~OFN_EXPLORER;
  if (flags & OFN_ALLOWMULTISELECT) {
    m_names.assign(kMultipleNames + 1, 0);
    if (fileName != NULL) lstrcpyn(m_names.data(), fileName, static_cast<int>(m_names.size()));
    m_ofn.lpstrFile = m_names.data();
    m_ofn.nMaxFile = kMultipleNames;
  }
}

CGUIFileDialog::~CGUIFileDialog() {}

namespace {
// The system dialog's type list and name box (a combo box on Windows 2000 and later).
const int kTypeList = 1136, kNameCombo = 1148, kNameEdit = 1152, kNameLabel = 1090;
// The option box's place in dialog units.
const RECT kOptionPlace = {6, 146, 140, 156};
}  // namespace

bool CGUIFileDialog::OldSystem() {
  const WindowsVersion version = GUIGetWindowsVersion();
  return version == QvWin32s || version == QvWinNT3;
}

BOOL CGUIFileDialog::OnCommand(WPARAM wParam, LPARAM lParam) {
  // The old-style dialog sends no type-change notification: its type list's change is
  // taken here, after the system has shown the new type's files.
  if ((m_ofn.Flags & OFN_EXPLORER) == 0 && LOWORD(wParam) == kTypeList && HIWORD(wParam) == CBN_SELCHANGE) {
    Default();
    OnTypeChange();
    return TRUE;
  }
  return CFileDialog::OnCommand(wParam, lParam);
}

long CGUIFileDialog::SelectedFilter() const {
  HWND dlg = GetCommonDialog();
  HWND types = dlg != NULL ? ::GetDlgItem(dlg, kTypeList) : NULL;
  if (types == NULL) return static_cast<long>(m_ofn.nFilterIndex) - 1;
  return static_cast<long>(::SendMessage(types, CB_GETCURSEL, 0, 0));
}

bool CGUIFileDialog::AnyFilterTakes(const QvString& name) const {
  const QvString extension = LoweredExtension(name);
  if (extension.IsEmpty()) return true;  // completed with the selected filter's
  for (long i = 0; i < m_extensionLists->GetSize(); ++i) {
    const QvString& list = (*m_extensionLists)[i];
    if (list.IsEmpty() || ListHas(list, QvString("*")) || ListHas(list, extension)) return true;
  }
  return false;
}

bool CGUIFileDialog::OptionAllowed(long filter) const {
  if (filter < 0 || filter >= m_extensionLists->GetSize()) return false;
  return ListHas((*m_extensionLists)[filter], QvString("unv")) || ListHas((*m_extensionLists)[filter], QvString("rep"));
}

BOOL CGUIFileDialog::OnInitDialog() {
  CFileDialog::OnInitDialog();
  if (!m_okText.IsEmpty()) SetControlText(IDOK, m_okText);
  HWND dlg = GetCommonDialog();
  if (m_optionText.IsEmpty() || dlg == NULL) return TRUE;
  // Under the type list, from the left of the name's label, in room the dialog grows by (the
  // system may move its lower controls down as it grows); where the system dialog lacks them,
  // at its classic place.
  RECT place = kOptionPlace;
  ::MapDialogRect(dlg, &place);
  const int height = place.bottom - place.top;
  HWND types = ::GetDlgItem(dlg, kTypeList), label = ::GetDlgItem(dlg, kNameLabel);
  RECT window;
  ::GetWindowRect(dlg, &window);
  if (types != NULL && label != NULL) {
    ::SetWindowPos(dlg, NULL, 0, 0, window.right - window.left, window.bottom - window.top + 2 * height,
                   SWP_NOMOVE | SWP_NOZORDER);
    RECT t, l;
    ::GetWindowRect(types, &t);
    ::GetWindowRect(label, &l);
    ::MapWindowPoints(NULL, dlg, reinterpret_cast<POINT*>(&t), 2);
    ::MapWindowPoints(NULL, dlg, reinterpret_cast<POINT*>(&l), 2);
    place = RECT{l.left, t.bottom + height / 2, t.right, t.bottom + height / 2 + height};
  }
  // Still below the client area: the dialog grows to hold the box.
  RECT client;
  ::GetClientRect(dlg, &client);
  if (place.bottom + height / 2 > client.bottom) {
    ::GetWindowRect(dlg, &window);
    ::SetWindowPos(dlg, NULL, 0, 0, window.right - window.left,
                   window.bottom - window.top + place.bottom + height / 2 - client.bottom, SWP_NOMOVE | SWP_NOZORDER);
  }
  if (m_option.Create(m_optionText, WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_AUTOCHECKBOX, CRect(place),
                      CWnd::FromHandle(dlg), IDC_QV_FILE_OPTION)) {
    m_option.SendMessage(WM_SETFONT, ::SendMessage(dlg, WM_GETFONT, 0, 0), FALSE);
    m_option.EnableWindow(OptionAllowed(SelectedFilter()));
    m_option.SetCheck(m_optionChecked ? BST_CHECKED : BST_UNCHECKED);
  }
  return TRUE;
}

void CGUIFileDialog::OnTypeChange() {
  const long filter = SelectedFilter();
  if (m_option.m_hWnd != NULL) m_option.EnableWindow(OptionAllowed(filter));
  HWND dlg = GetCommonDialog();
  if (dlg == NULL || filter < 0 || filter >= m_extensionLists->GetSize()) return;
  HWND name = ::GetDlgItem(dlg, kNameCombo);
  if (name == NULL) name = ::GetDlgItem(dlg, kNameEdit);
  if (name == NULL) return;
  const int length = ::GetWindowTextLength(name);
  CString text;
  ::GetWindowText(name, text.GetBuffer(length + 1), length + 1);
  text.ReleaseBuffer();
  // A typed name with an extension takes the new filter's first one.
  const int dot = text.ReverseFind(_T('.'));
  const int slash = std::max(text.ReverseFind(_T('\\')), text.ReverseFind(_T('/')));
  if (dot > 0 && dot > slash) {
    const QvString& list = (*m_extensionLists)[filter];
    const long bar = list.Find('|');
    const QvString first = bar < 0 ? list : list.Left(static_cast<size_t>(bar));
    CString renamed = text.Left(dot);
    if (!first.IsEmpty() && first != QvString("*")) renamed += _T(".") + ToText(first);
    if (renamed != text) {
      ::SetWindowText(name, renamed);
      text = renamed;
    }
  }
  // To the filter's folder: the system goes to a folder typed as the name at OK (Win32s
  // takes OK only as a click on the button).
  const QvString& folder = (*m_folders)[filter];
  if (!folder.IsEmpty()) {
    ::SetWindowText(name, ToText(folder));
    if (GUIGetWindowsVersion() == QvWin32s)
      ::SendMessage(::GetDlgItem(dlg, IDOK), BM_CLICK, 0, 0);
    else
      ::SendMessage(dlg, WM_COMMAND, IDOK, 0);
    ::SetWindowText(name, text);
  }
}

namespace {

struct FontPass {
  HFONT font;
};

BOOL CALLBACK SetFontIfOther(HWND child, LPARAM pass) {
  const HFONT font = reinterpret_cast<FontPass*>(pass)->font;
  if (reinterpret_cast<HFONT>(::SendMessage(child, WM_GETFONT, 0, 0)) != font)
    ::SendMessage(child, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
  return TRUE;
}

// Set while the fonts are being given: a control that notifies meanwhile starts no second pass.
bool s_givingFonts = false;

}  // namespace

void GUISetDefaultFontOnChildren(HWND dialog) {
  if (dialog == NULL || s_givingFonts) return;
  FontPass pass = {UIGetDefaultGUIFont()};
  if (pass.font == NULL) return;
  s_givingFonts = true;
  // Every descendant: the shell view ("SHELLDLL_DefView") and its list are among them.
  ::EnumChildWindows(dialog, SetFontIfOther, reinterpret_cast<LPARAM>(&pass));
  s_givingFonts = false;
}

BOOL CGUIFileDialog::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
  GUISetDefaultFontOnChildren(GetCommonDialog());
  return CFileDialog::OnNotify(wParam, lParam, pResult);
}

void CGUIFileDialog::TellMissing(const QvString& path) {
  QvString text = QvGetMyLabel(IDL_QV_FILE_MISSING);
  // The host's text is no format: only its first "%s" stands for the name.
  const long at = text.Find("%s");
  if (at >= 0) {
    QvString told = text.Left(static_cast<size_t>(at));
    told += path;
    told += text.Mid(static_cast<size_t>(at + 2));
    text = told;
  } else {
    text += "\n";
    text += path;
  }
  QvInfoDialog().Process(text, "", 0, nullptr);
}

int CGUIFileDialog::AskReplace(const QvString& path) {
  QvActionDialog question;
  QvString text = QvGetMyLabel(IDL_QV_FILE_REPLACE);
  text += "\n";
  text += path;
  return question.Process(text, QvGetMyLabel(IDL_QV_FILE_YES), nullptr, 0, QvString());
}

BOOL CGUIFileDialog::OnFileNameOK() {
  if (m_option.m_hWnd != NULL) m_optionChecked = m_option.GetCheck() == BST_CHECKED;
  if (m_ofn.Flags & OFN_ALLOWMULTISELECT) return FALSE;  // existing files only: nothing to complete
  const QvString typed = FromText(CString(m_ofn.lpstrFile));
  if (typed.GetLength() == 2 && typed[1] == ':') return FALSE;  // a bare drive
#ifndef UNICODE
  // The earlier edition's database files: a short name of characters the database accepts.
  const long filter = static_cast<long>(m_ofn.nFilterIndex) - 1;
  const bool unv = filter >= 0 && filter < m_extensionLists->GetSize() && (*m_extensionLists)[filter] == QvString("unv");
  if (QvCheckSaveName(m_ofn.lpstrFile, unv) != 0) return TRUE;
#endif
  // Win32s keeps an extension that no filter offers (elsewhere it counts as none): such a name
  // is refused with a message.
  if (GUIGetWindowsVersion() == QvWin32s && !AnyFilterTakes(typed)) {
    QvString text = QvGetMyLabel(IDL_QV_FILE_NO_FILTER);
    text += "\n";
    text += typed;
    QvInfoDialog().Process(text, "", 0, nullptr);
    return TRUE;
  }
  const QvString name = GUICompleteFileName(typed, *m_extensionLists, static_cast<long>(m_ofn.nFilterIndex) - 1);
  const CString completed = ToText(name);
  if (static_cast<DWORD>(completed.GetLength()) >= m_ofn.nMaxFile) return TRUE;  // no room: refused, not cut
  lstrcpyn(m_ofn.lpstrFile, completed, static_cast<int>(m_ofn.nMaxFile));
  const DWORD attributes = ::GetFileAttributes(completed);
  const bool exists = attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
  if (!exists && m_bOpenFileDialog && m_mustExist) {
    TellMissing(name);
    return TRUE;
  }
  if (exists && m_confirmExisting) return AskReplace(name) == QvYesButton ? FALSE : TRUE;
  return FALSE;
}

IMPLEMENT_DYNAMIC(CGUIFolderDialog, CFileDialog)

BEGIN_MESSAGE_MAP(CGUIFolderDialog, CFileDialog)
  ON_COMMAND(pshHelp, &CGUIFolderDialog::OnHelpButton)
  ON_MESSAGE(WM_COMMANDHELP, &CGUIFolderDialog::OnCommandHelp)
END_MESSAGE_MAP()

CGUIFolderDialog::CGUIFolderDialog(LPCTSTR title, LPCTSTR initialFolder, CWnd* parent)
    : CFileDialog(TRUE, NULL, DummyName(),
                  OFN_NOCHANGEDIR | OFN_SHOWHELP | OFN_ENABLETEMPLATE | OFN_PATHMUSTEXIST | OFN_NOTESTFILECREATE, NULL,
                  parent),
      m_title(title != NULL ? title : _T("")),
      m_initialFolder(initialFolder != NULL ? initialFolder : _T("")) {
  // Old style: the system's dialog on the library's template, whatever the system offers.
  m_ofn.Flags &= ~OFN_EXPLORER;
  m_ofn.hInstance = AfxFindResourceHandle(MAKEINTRESOURCE(IDD_QV_FOLDER_DIALOG), RT_DIALOG);
  m_ofn.lpTemplateName = MAKEINTRESOURCE(IDD_QV_FOLDER_DIALOG);
  if (!m_title.IsEmpty()) m_ofn.lpstrTitle = m_title;
  if (!m_initialFolder.IsEmpty()) m_ofn.lpstrInitialDir = m_initialFolder;
}

CGUIFolderDialog::~CGUIFolderDialog() {}

BOOL CGUIFolderDialog::OnInitDialog() {
  CFileDialog::OnInitDialog();
  const struct {
    int control;
    unsigned long label;
  } texts[] = {{IDC_QV_FOLDER_HEADING, IDL_QV_FOLDER_FOLDERS},
               {stc4, IDL_QV_FOLDER_DRIVES},
               {IDOK, 31198},
               {IDCANCEL, 31199},
               {pshHelp, 31208}};
  for (const auto& t : texts)
    if (HWND control = ::GetDlgItem(m_hWnd, t.control)) ::SetWindowText(control, ToText(QvGetMyLabel(t.label)));
  // The caller's title stays: the label only stands in for a missing one.
  if (m_title.IsEmpty()) SetWindowText(ToText(QvGetMyLabel(IDL_QV_FOLDER_TITLE)));
  GUISetDefaultFontOnChildren(m_hWnd);
  return TRUE;
}

BOOL CGUIFolderDialog::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
  GUISetDefaultFontOnChildren(m_hWnd);
  return CFileDialog::OnNotify(wParam, lParam, pResult);
}

CString CGUIFolderDialog::GetFolder() const {
  const CString path(m_ofn.lpstrFile != NULL ? m_ofn.lpstrFile : _T(""));
  // The system gives where the name part starts; without it, after the last backslash.
  int cut = m_ofn.nFileOffset;
  if (cut <= 0 || cut > path.GetLength()) cut = path.ReverseFind(_T('\\')) + 1;
  return path.Left(cut);
}

void CGUIFolderDialog::OnHelpButton() { SendMessage(WM_COMMANDHELP, 0, 0); }

LRESULT CGUIFolderDialog::OnCommandHelp(WPARAM, LPARAM) {
  if (CWinApp* app = AfxGetApp()) app->WinHelp(301, HELP_CONTEXT);
  return TRUE;
}

namespace {

// The folder the dialog starts in: the given one, else the first filter's.
CString StartFolder(QvDirectory* folder, const QvFileDialog& filters) {
  if (folder != nullptr) return ToText(folder->GetFileDescriptor()->WINONLY_GetPath());
  return filters.GetFolders().IsEmpty() ? CString() : ToText(filters.GetFolders()[0]);
}

QvFileDescriptor* Descriptor(const CString& path) {
  return Get_GlobalFileMaster()->WINONLY_CreateQvFileDescriptor(FromText(path).c_str());
}

}  // namespace

QvFileDescriptor* QvOpenFileDialog::Process(QvDirectory* folder, const char* title, const char* text,
                                            unsigned long, bool mustExist) {
  CGUIFileDialog dialog(TRUE, *this, NULL, NULL, OFN_HIDEREADONLY | OFN_PATHMUSTEXIST, NULL);
  dialog.m_mustExist = mustExist;
  const CString start = StartFolder(folder, *this), caption = ToText(QvString(title));
  if (!start.IsEmpty()) dialog.m_ofn.lpstrInitialDir = start;
  if (title != nullptr) dialog.m_ofn.lpstrTitle = caption;
  if (text != nullptr) dialog.m_okText = ToText(QvString(text));
  if (dialog.DoModal() != IDOK) return nullptr;
  return Descriptor(dialog.m_ofn.lpstrFile);
}

void QvOpenFileDialog::Process(QvArrayLPVoid& result, QvDirectory* folder, const char* title, const char* text,
                               unsigned long, bool activeOwner) {
  CGUIFileDialog dialog(TRUE, *this, NULL, NULL, OFN_ALLOWMULTISELECT | OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST,
                        activeOwner ? CWnd::GetActiveWindow() : NULL);
  const CString start = StartFolder(folder, *this), caption = ToText(QvString(title));
  if (!start.IsEmpty()) dialog.m_ofn.lpstrInitialDir = start;
  if (title != nullptr) dialog.m_ofn.lpstrTitle = caption;
  if (text != nullptr) dialog.m_okText = ToText(QvString(text));
  if (dialog.DoModal() != IDOK) return;
  for (POSITION pos = dialog.GetStartPosition(); pos != NULL;)
    if (QvFileDescriptor* file = Descriptor(dialog.GetNextPathName(pos))) result.Add(file);
}

QvFileDescriptor* QvSaveAsFileDialog::Process(const char* name, QvDirectory* folder, const char* title,
                                              QvInternalFileType type, const char* optionText, unsigned long,
                                              bool activeOwner, bool, bool) {
  // The default extension (none for type 51) completes a name the system hands over bare.
  const QvString extension = type == 51 ? QvString() : Extension(type);
  const CString defExt = ToText(extension), initial = ToText(QvString(name)), caption = ToText(QvString(title));
  CGUIFileDialog dialog(FALSE, *this, extension.IsEmpty() ? NULL : static_cast<LPCTSTR>(defExt),
                        name != nullptr ? static_cast<LPCTSTR>(initial) : NULL, OFN_HIDEREADONLY | OFN_PATHMUSTEXIST,
                        activeOwner ? CWnd::GetActiveWindow() : NULL);
  dialog.m_confirmExisting = true;
  if (optionText != nullptr) dialog.m_optionText = ToText(QvString(optionText));
  dialog.m_optionChecked = m_optionChecked;
  // The type's filter first.
  for (long i = 0; i < m_extensions.GetSize(); ++i) {
    if (m_extensions[i] == extension && !extension.IsEmpty()) {
      dialog.m_ofn.nFilterIndex = static_cast<DWORD>(i + 1);
      break;
    }
  }
  const CString start = StartFolder(folder, *this);
  if (!start.IsEmpty()) dialog.m_ofn.lpstrInitialDir = start;
  if (title != nullptr) dialog.m_ofn.lpstrTitle = caption;
  if (dialog.DoModal() != IDOK) return nullptr;
  m_optionChecked = dialog.m_optionChecked;
  return Descriptor(dialog.m_ofn.lpstrFile);
}
