// The open/save dialog: construction, the hooks, the shortcut bar, help and the remembered
// folder and view.
#include <QvCommandCenter.h>
#include <QvOpenSaveDlg.h>
#include <UIHandles.h>
#include <UIUtilities.h>
#include <shlobj.h>
#include <vekkel.h>

namespace {
const char kOptionsKey[] = "%QVDESKTOPCFG%\\%CURRENT_USER_PREFS%\\%APPSHORTNAME%\\Options";
const TCHAR kObjectProp[] = _T("QvOpenSaveDlg.Object");
const int kFolderLabel = 0x443;
const UINT kSetDirectoryMessage = ::RegisterWindowMessageW(L"CQvOpenSaveDlg::WM_SETDIRECTORY");
const UINT kValidateMessage = ::RegisterWindowMessageW(L"CUnifiedOSDlg::WM_VALIDATE");
const UINT kRefreshMessage = ::RegisterWindowMessageW(L"CModalDialogContainer::WM_REFRESH");
// Toolbar commands of the system dialog's list and details views.
const int kListViewCommand = 0xA003;
const int kDetailsViewCommand = 0xA004;
const int kRightsCommand = 1286;
// The system dialog's shell browser, and how it is asked to go to a folder.
const UINT kGetShellBrowser = WM_USER + 7;
const UINT kDefaultBrowse = 0;

// Resources of the host.
const UINT kProductStrip = 1013, kCommonStripBrowser = 1014, kCommonStripPlain = 1015, kMasterStrip = 1016;
const UINT kProductLabels[] = {62793, 62794, 62796};
const UINT kCommonLabelsBrowser[] = {62797, 62798, 62799};
const UINT kCommonLabelsPlain[] = {62797, 62800, 62799};
const UINT kDocumentsLabel = 62801, kPlacesLabel = 62802;

// The procedure of a template made only to be read.
INT_PTR CALLBACK SilentDialogProc(HWND, UINT message, WPARAM, LPARAM) { return message == WM_INITDIALOG; }

// (Wide in both editions: the bar's captions are.)
CStringW Label(UINT id) { return CStringW(QvGetMyLabel(id).ToWide().c_str()); }

// The shell view's list of the system dialog ("SysListView32" under "SHELLDLL_DefView").
HWND FileList(HWND dlg) {
  HWND view = dlg != NULL ? ::FindWindowExW(dlg, NULL, L"SHELLDLL_DefView", NULL) : NULL;
  return view != NULL ? ::FindWindowExW(view, NULL, L"SysListView32", NULL) : NULL;
}
}  // namespace

HWND CQvOpenSaveDlg::gCommonDlgHWND = NULL;
CQvOpenSaveDlg* CQvOpenSaveDlg::g_pCurrentOSDlg = NULL;
HHOOK CQvOpenSaveDlg::cDialogHook = NULL;
HHOOK CQvOpenSaveDlg::cOKBtnHook = NULL;
BOOL CQvOpenSaveDlg::bShowDetails = FALSE;
QvShortcutDescriptor CQvOpenSaveDlg::gQvShortcuts[4];
StdShortcutDescriptor CQvOpenSaveDlg::gBuiltinShortcuts[3];

IMPLEMENT_DYNAMIC(CQvOpenSaveDlg, CFileDialog)

BEGIN_MESSAGE_MAP(CQvOpenSaveDlg, CFileDialog)
  ON_NOTIFY(IPN_ITEMCLICKED, CQvOpenSaveDlg::IDC_PRODUCT_PANE, CQvOpenSaveDlg::OnQvShortcutClick)
  ON_NOTIFY(IPN_ITEMCLICKED, CQvOpenSaveDlg::IDC_COMMON_PANE, CQvOpenSaveDlg::OnMyShortcutClick)
  ON_WM_SYSCOLORCHANGE()
  ON_WM_HELPINFO()
END_MESSAGE_MAP()

CQvOpenSaveDlg::CQvOpenSaveDlg(BOOL bOpenFileDialog, LPCTSTR lpszDefExt, LPCTSTR lpszFileName, DWORD dwFlags,
                               LPCTSTR lpszFilter, CWnd* pParentWnd, LPCTSTR lpszFolders,
                               LPCTSTR lpszInitialFolder, LPCTSTR lpszTemplateName, LPOFNHOOKPROC pfnHook)
    : CFileDialog(bOpenFileDialog, NULL, lpszFileName, dwFlags, lpszFilter, pParentWnd, OPENFILENAME_SIZE_VERSION_400),
      m_nFileNameOKMessage(0),
      m_pfnFrameworkHook(m_ofn.lpfnHook),
      m_strDefExtension(lpszDefExt != NULL ? lpszDefExt : _T("")),
      m_bOldStyle(IsOldStyleOpenSave()) {
  InitDirectories(lpszFilter, lpszFolders);
  Construct(lpszFileName, lpszInitialFolder, lpszTemplateName, pfnHook);
}

#ifdef UNICODE
CQvOpenSaveDlg::CQvOpenSaveDlg(BOOL bOpenFileDialog, LPCTSTR lpszDefExt, LPCTSTR lpszFileName, DWORD dwFlags,
                               const OSDSTRUCT* pEntries, DWORD count, CWnd* pParentWnd,
                               LPCTSTR lpszInitialFolder, LPCTSTR lpszTemplateName, LPOFNHOOKPROC pfnHook)
    : CFileDialog(bOpenFileDialog, NULL, lpszFileName, dwFlags, NULL, pParentWnd, OPENFILENAME_SIZE_VERSION_400),
      m_nFileNameOKMessage(0),
      m_pfnFrameworkHook(m_ofn.lpfnHook),
      m_strDefExtension(lpszDefExt != NULL ? lpszDefExt : _T("")),
      m_bOldStyle(IsOldStyleOpenSave()) {
  // The filter text of the entries, made zero-separated as the base makes it.
  m_strFilter = StructToString(pEntries, count);
  LPTSTR p = m_strFilter.GetBuffer();
  for (; *p != 0; ++p)
    if (*p == _T('|')) *p = 0;
  m_strFilter.ReleaseBuffer(static_cast<int>(p - m_strFilter.GetString()));
  m_ofn.lpstrFilter = count > 0 ? m_strFilter.GetString() : NULL;
  for (DWORD i = 0; pEntries != NULL && i < count && pEntries[i].NotEmpty(); ++i) {
    m_folders.push_back(pEntries[i]);
    if (!pEntries[i].m_strFolder.IsEmpty()) m_bPerFilterFolders = TRUE;
  }
  Construct(lpszFileName, lpszInitialFolder, lpszTemplateName, pfnHook);
}
#endif

void CQvOpenSaveDlg::Construct(LPCTSTR lpszFileName, LPCTSTR lpszInitialFolder, LPCTSTR lpszTemplateName,
                               LPOFNHOOKPROC pfnHook) {
  // The record of the system's dialog without the places bar, at this build's size.
  m_ofn.lStructSize = OPENFILENAME_SIZE_VERSION_400;
  m_ofn.lpstrDefExt = m_strDefExtension.IsEmpty() ? NULL : m_strDefExtension.GetString();
  if (m_bOldStyle) m_ofn.Flags &= ~OFN_EXPLORER;

  m_ofn.nFilterIndex = GetStartFilterIndex(lpszFileName);

  // Where the dialog opens.
  m_strInitialFolder = lpszInitialFolder != NULL ? lpszInitialFolder : _T("");
  BOOL nameHasFolder = FALSE;
  if (lpszFileName != NULL && *lpszFileName != 0) {
    CString folderPart(lpszFileName);
    const int slash = folderPart.ReverseFind(_T('\\'));
    if (slash > 0) {
      folderPart = folderPart.Left(slash);
      const DWORD attributes = ::GetFileAttributes(folderPart);
      nameHasFolder = attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    }
  }
  if (m_strInitialFolder.IsEmpty() && lpszFileName != NULL && *lpszFileName != 0 && m_bPerFilterFolders &&
      !nameHasFolder) {
    LPCTSTR folder = GetDefaultDirectory();
    if (folder != NULL) m_strInitialFolder = folder;
  }
  if (m_strInitialFolder.IsEmpty() && !nameHasFolder) LoadLocation(m_strInitialFolder);
  if (m_strInitialFolder.IsEmpty()) {
    LPCTSTR folder = GetDefaultDirectory();
    if (folder != NULL) m_strInitialFolder = folder;
  }
  m_ofn.lpstrInitialDir = m_strInitialFolder.IsEmpty() ? NULL : m_strInitialFolder.GetString();

  if (lpszTemplateName != NULL && !IS_INTRESOURCE(lpszTemplateName) && *lpszTemplateName != 0) {
    m_strTemplateName = lpszTemplateName;
    if (!m_bOldStyle) {
      m_ofn.Flags |= OFN_ENABLETEMPLATE;
      m_ofn.hInstance = AfxFindResourceHandle(m_strTemplateName, RT_DIALOG);
      m_ofn.lpTemplateName = m_strTemplateName;
    }
  }

  m_nFileNameOKMessage = ::RegisterWindowMessage(FILEOKSTRING);
  m_ofn.Flags |= OFN_ENABLEHOOK;
  m_ofn.lCustData = reinterpret_cast<LPARAM>(this);
  m_ofn.lpfnHook = pfnHook != NULL ? pfnHook : MFCOpenSaveHookProc;
}

CQvOpenSaveDlg::~CQvOpenSaveDlg() {
  m_folders.clear();
  if (g_pCurrentOSDlg == this) {
    g_pCurrentOSDlg = NULL;
    gCommonDlgHWND = NULL;
    RemoveHooks();
  }
  if (m_pShellBrowser != NULL) m_pShellBrowser->Release();
  m_pShellBrowser = NULL;
  delete m_pProductObject;
  delete m_pCommonObject;
  if (m_tiles.m_hWnd != NULL) m_tiles.DestroyWindow();
  if (m_productPane.m_hWnd != NULL) m_productPane.DestroyWindow();
  if (m_commonPane.m_hWnd != NULL) m_commonPane.DestroyWindow();
}

BOOL CQvOpenSaveDlg::IsOldStyleOpenSave() {
  OSVERSIONINFO info = {};
  if (!COpenSaveSystem::Get()->GetVersion(info)) return FALSE;
  return info.dwMajorVersion < 4 || info.dwMinorVersion == 51;
}

// Hooks.

void CQvOpenSaveDlg::InstallHooks() {
  RemoveHooks();
  cDialogHook = uih::HookThisThreadW(WH_CALLWNDPROC, DialogHookProc).Release();
  cOKBtnHook = uih::HookThisThreadW(WH_GETMESSAGE, OKButtonHookProc).Release();
}

void CQvOpenSaveDlg::RemoveHooks() {
  if (cDialogHook != NULL) ::UnhookWindowsHookEx(cDialogHook);
  if (cOKBtnHook != NULL) ::UnhookWindowsHookEx(cOKBtnHook);
  cDialogHook = cOKBtnHook = NULL;
}

UINT_PTR CALLBACK CQvOpenSaveDlg::MFCOpenSaveHookProc(HWND hdlg, UINT msg, WPARAM wParam, LPARAM lParam) {
  try {
    if (g_pCurrentOSDlg != NULL && !::IsWindow(g_pCurrentOSDlg->m_hWnd) && g_pCurrentOSDlg->m_hWnd != NULL) {
      g_pCurrentOSDlg = NULL;
      gCommonDlgHWND = NULL;
    }
    if (msg == WM_INITDIALOG) {
      const OPENFILENAME* ofn = reinterpret_cast<const OPENFILENAME*>(lParam);
      CQvOpenSaveDlg* dlg = ofn != NULL ? reinterpret_cast<CQvOpenSaveDlg*>(ofn->lCustData) : NULL;
      if (dlg != NULL) {
        ::SetProp(hdlg, kObjectProp, reinterpret_cast<HANDLE>(dlg));
        // A dialog opened inside another takes its hooks over and gives them back later.
        dlg->m_pOuterDlg = g_pCurrentOSDlg;
        dlg->m_hOuterCommonDlg = gCommonDlgHWND;
        g_pCurrentOSDlg = dlg;
        dlg->InstallHooks();
      }
    }
    CQvOpenSaveDlg* dlg = reinterpret_cast<CQvOpenSaveDlg*>(::GetProp(hdlg, kObjectProp));
    UINT_PTR result = 0;
    if (dlg != NULL && msg == dlg->m_nFileNameOKMessage && dlg->m_bOldStyle) {
      // An old-style dialog sends no CDN_FILEOK: this message stands for it.
      OFNOTIFY notify = {};
      notify.hdr.hwndFrom = hdlg;
      notify.hdr.idFrom = 0;
      notify.hdr.code = CDN_FILEOK;
      notify.lpOFN = reinterpret_cast<LPOPENFILENAME>(lParam);
      LRESULT refused = 0;
      dlg->OnNotify(0, reinterpret_cast<LPARAM>(&notify), &refused);
      result = refused != 0;
    } else if (dlg != NULL && dlg->m_pfnFrameworkHook != NULL) {
      result = dlg->m_pfnFrameworkHook(hdlg, msg, wParam, lParam);
    }
    if (msg == WM_DESTROY && dlg != NULL) {
      if (dlg->m_pShellBrowser != NULL) dlg->m_pShellBrowser->Release();
      dlg->m_pShellBrowser = NULL;
      // A next run of the same object makes its bar anew.
      dlg->m_bLookCustomized = FALSE;
      dlg->m_bTemplateMerged = FALSE;
      if (g_pCurrentOSDlg == dlg) {
        dlg->RemoveHooks();
        g_pCurrentOSDlg = NULL;
        gCommonDlgHWND = NULL;
        CQvOpenSaveDlg* outer = dlg->m_pOuterDlg;
        if (outer != NULL && outer->m_hWnd != NULL && ::IsWindow(outer->m_hWnd)) {
          g_pCurrentOSDlg = outer;
          gCommonDlgHWND = dlg->m_hOuterCommonDlg;
          outer->InstallHooks();
        }
      }
      ::RemoveProp(hdlg, kObjectProp);
    }
    return result;
  } catch (...) {
    return 0;
  }
}

namespace {
// Messages that make the system dialog accept the typed name.
bool IsValidateMessage(const MSG& msg, HWND dlg) {
  if (dlg == NULL || msg.hwnd == NULL) return false;
  HWND ok = ::GetDlgItem(dlg, IDOK);
  if (msg.hwnd == ok && (msg.message == WM_LBUTTONUP || (msg.message == WM_KEYUP && msg.wParam == VK_SPACE)))
    return true;
  return msg.message == WM_KEYDOWN && msg.wParam == VK_RETURN && (msg.hwnd == dlg || ::IsChild(dlg, msg.hwnd));
}
}  // namespace

LRESULT CALLBACK CQvOpenSaveDlg::OKButtonHookProc(int code, WPARAM wParam, LPARAM lParam) {
  try {
    CQvOpenSaveDlg* dlg = CQvOpenSaveDlg::g_pCurrentOSDlg;
    // Once per message: when it is taken from the queue, not when it is only looked at.
    if (code == HC_ACTION && wParam == PM_REMOVE && dlg != NULL &&
        IsValidateMessage(*reinterpret_cast<const MSG*>(lParam), dlg->m_hCommonDlg)) {
      dlg->CleanEditBox();
      CString spec;
      dlg->GetCurrentSpec(spec);
      // Into the caller's buffer only a name, and only when it fits whole.
      if (dlg->m_ofn.lpstrFile != NULL && !spec.IsEmpty() && static_cast<DWORD>(spec.GetLength()) < dlg->m_ofn.nMaxFile)
        lstrcpyn(dlg->m_ofn.lpstrFile, spec, spec.GetLength() + 1);
    }
  } catch (...) {
  }
  return ::CallNextHookEx(NULL, code, wParam, lParam);
}

LRESULT CALLBACK CQvOpenSaveDlg::DialogHookProc(int code, WPARAM wParam, LPARAM lParam) {
  try {
    CQvOpenSaveDlg* current = CQvOpenSaveDlg::g_pCurrentOSDlg;
    const CWPSTRUCT* sent = reinterpret_cast<const CWPSTRUCT*>(lParam);
    HWND common = CQvOpenSaveDlg::gCommonDlgHWND;
    if (code == HC_ACTION && common != NULL && sent != NULL) {
      if (sent->message == WM_DESTROY && current != NULL && sent->hwnd == FileList(common)) {
        // The file list goes before the dialog's other windows: its last view is the one.
        current->RecordView();
      } else if (sent->message == kRefreshMessage) {
        ::InvalidateRect(common, NULL, TRUE);
        ::RedrawWindow(common, NULL, NULL,
                       RDW_INVALIDATE | RDW_NOINTERNALPAINT | RDW_NOERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
      } else if (sent->message == kSetDirectoryMessage && sent->wParam != 0 && sent->lParam != 0) {
        CString folder(reinterpret_cast<LPCTSTR>(sent->lParam));
        reinterpret_cast<CQvOpenSaveDlg*>(sent->wParam)->SetDirectory(folder);
      } else if (sent->message == kValidateMessage && sent->wParam != 0) {
        reinterpret_cast<CQvOpenSaveDlg*>(sent->wParam)->Validate();
      } else if ((sent->message == WM_WINDOWPOSCHANGING || sent->message == WM_WINDOWPOSCHANGED ||
                  sent->message == WM_EXITSIZEMOVE) &&
                 current != NULL && sent->hwnd == current->m_hCommonDlg) {
        current->Resize();
      } else if (sent->message == WM_SYSCOLORCHANGE && sent->hwnd == common && current != NULL) {
        ::PostMessage(current->m_hWnd, WM_SYSCOLORCHANGE, 0, 0);
      } else if (sent->message == WM_HELP && current != NULL && sent->hwnd == common) {
        current->DisplayProprietaryHelp(reinterpret_cast<HELPINFO*>(sent->lParam), TRUE);
      }
    }
  } catch (...) {
  }
  return ::CallNextHookEx(NULL, code, wParam, lParam);
}

// The view of the file list: the details view when the toolbar's details button is pressed
// or the list shows its report view (the system's button need not stay pressed).
void CQvOpenSaveDlg::RecordView() {
  HWND toolbar = ::FindWindowExW(m_hCommonDlg, NULL, L"ToolbarWindow32", NULL);
  BOOL details = toolbar != NULL && ::SendMessage(toolbar, TB_ISBUTTONCHECKED, kDetailsViewCommand, 0) != 0;
  if (HWND list = FileList(m_hCommonDlg))
    details = details || (::GetWindowLongPtr(list, GWL_STYLE) & LVS_TYPEMASK) == LVS_REPORT;
  bShowDetails = details;
}

void CQvOpenSaveDlg::RestoreView() {
  HWND toolbar = ::FindWindowExW(m_hCommonDlg, NULL, L"ToolbarWindow32", NULL);
  if (toolbar == NULL) return;
  const int command = bShowDetails ? kDetailsViewCommand : kListViewCommand;
  const LRESULT index = ::SendMessage(toolbar, TB_COMMANDTOINDEX, command, 0);
  RECT rect;
  if (index < 0 || !::SendMessage(toolbar, TB_GETITEMRECT, index, reinterpret_cast<LPARAM>(&rect))) return;
  const LPARAM at = MAKELPARAM(rect.left + 10, rect.top + 10);
  ::PostMessage(toolbar, WM_LBUTTONDOWN, MK_LBUTTON, at);
  ::PostMessage(toolbar, WM_LBUTTONUP, MK_LBUTTON, at);
}

// Notifications.

BOOL CQvOpenSaveDlg::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
  NMHDR* header = reinterpret_cast<NMHDR*>(lParam);
  const UINT_PTR from = header->idFrom;
  const bool fromBar = (header->hwndFrom == m_tiles.m_hWnd && from == IDC_TILES) ||
                       (header->hwndFrom == m_productPane.m_hWnd && from == IDC_PRODUCT_PANE) ||
                       (header->hwndFrom == m_commonPane.m_hWnd && from == IDC_COMMON_PANE);
  // (An old-style dialog is its own system dialog.)
  if (!fromBar && header->hwndFrom != NULL && (header->hwndFrom != m_hWnd || m_bOldStyle)) {
    m_hCommonDlg = header->hwndFrom;
    if (g_pCurrentOSDlg == this) gCommonDlgHWND = m_hCommonDlg;
  }
  if (fromBar) return CFileDialog::OnNotify(wParam, lParam, pResult);
  switch (header->code) {
    case CDN_FILEOK: {
      LRESULT refused = 1;
      if (!m_bBusy) {
        CString spec;
        GetCurrentSpec(spec);
        if (SaveAllowed(spec)) {
          SaveLocation();
          refused = 0;
        }
      }
      if (m_hWnd != NULL) ::SetWindowLongPtr(m_hWnd, DWLP_MSGRESULT, refused);
      *pResult = refused;
      return TRUE;
    }
    case CDN_FOLDERCHANGE:
      UpdateSelection();
      break;
    case CDN_INITDONE:
      RestoreView();
      if (g_pCurrentOSDlg == this && m_hCommonDlg != NULL) {
        if (m_pShellBrowser == NULL) {
          m_pShellBrowser = reinterpret_cast<IShellBrowser*>(::SendMessage(m_hCommonDlg, kGetShellBrowser, 0, 0));
          if (m_pShellBrowser != NULL) m_pShellBrowser->AddRef();
        }
        DefineShortcuts();
        CustomizeLook();
      }
      RepositionControls();
      UpdateSelection();
      break;
    default:
      break;
  }
  ApplyGuiFont();
  return CFileDialog::OnNotify(wParam, lParam, pResult);
}

void CQvOpenSaveDlg::ApplyGuiFont() {
  HFONT font = UIGetDefaultGUIFont();
  if (font == NULL) return;
  auto give = [font](HWND wnd) {
    if (wnd != NULL && reinterpret_cast<HFONT>(::SendMessage(wnd, WM_GETFONT, 0, 0)) != font)
      ::SendMessage(wnd, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
  };
  for (HWND child = ::GetWindow(m_hWnd, GW_CHILD); child != NULL; child = ::GetWindow(child, GW_HWNDNEXT))
    give(child);
  if (m_hCommonDlg != NULL) {
    give(::FindWindowExW(m_hCommonDlg, NULL, L"SHELLDLL_DefView", NULL));
    give(FileList(m_hCommonDlg));
  }
}

BOOL CQvOpenSaveDlg::OnInitDialog() {
  CFileDialog::OnInitDialog();
  if (m_bOldStyle) {
    if (HWND ok = ::GetDlgItem(GetCommonDialog(), IDOK)) ::SetFocus(ok);
    return FALSE;
  }
  return TRUE;
}

BOOL CQvOpenSaveDlg::OnCommand(WPARAM wParam, LPARAM lParam) {
  if (m_bOldStyle) {
    HWND sender = reinterpret_cast<HWND>(lParam);
    if (sender != NULL) m_hCommonDlg = ::GetParent(sender);
    if (!m_bTemplateMerged && m_hCommonDlg != NULL) {
      m_bTemplateMerged = TRUE;
      MergeTemplate();
    }
    // An old-style dialog sends no CDN_TYPECHANGE.
    if (LOWORD(wParam) == cmb1 && HIWORD(wParam) == CBN_SELCHANGE) OnTypeChange();
  }
  return CFileDialog::OnCommand(wParam, lParam);
}

// An old-style dialog takes no template of its own: the template's controls are moved under
// its controls, and the dialog grows to hold them.
void CQvOpenSaveDlg::MergeTemplate() {
  if (m_strTemplateName.IsEmpty()) return;
  HINSTANCE module = AfxFindResourceHandle(m_strTemplateName, RT_DIALOG);
  HWND made = ::CreateDialogParam(module, m_strTemplateName, m_hWnd, SilentDialogProc, 0);
  if (made == NULL) return;
  ::ShowWindow(made, SW_HIDE);
  RECT window, added;
  ::GetWindowRect(m_hCommonDlg, &window);
  ::GetWindowRect(made, &added);
  const int oldHeight = window.bottom - window.top;
  const int top = oldHeight - ::GetSystemMetrics(SM_CYCAPTION) - ::GetSystemMetrics(SM_CYEDGE);
  const int left = ::GetSystemMetrics(SM_CXEDGE);
  std::vector<HWND> children;
  for (HWND child = ::GetWindow(made, GW_CHILD); child != NULL; child = ::GetWindow(child, GW_HWNDNEXT))
    children.push_back(child);
  for (HWND child : children) {
    RECT r;
    ::GetWindowRect(child, &r);
    ::MapWindowPoints(NULL, made, reinterpret_cast<POINT*>(&r), 2);
    ::SetParent(child, m_hCommonDlg);
    ::SetWindowPos(child, NULL, left + r.left, top + r.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
  const int width = std::max<int>(window.right - window.left, added.right - added.left);
  ::SetWindowPos(m_hCommonDlg, NULL, 0, 0, width, oldHeight + (added.bottom - added.top),
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOOWNERZORDER);
  ::DestroyWindow(made);
}

// Shortcuts.

void CQvOpenSaveDlg::DefineShortcuts() {
  DefineQvShortcuts();
  DefineCommonShortcuts();
}

void CQvOpenSaveDlg::DefineQvShortcuts() {
  const struct {
    int id;
    LPCTSTR pattern;
  } product[] = {{QvDirReports, _T("*.rep")}, {QvDirResults, _T("*.rea")}, {QvDirTemplates, _T("*.ret")},
#ifndef UNICODE
                 // The other product's documents: no folder of the file master, only a filter's.
                 {QvDirNone, _T("*.unv")},
#endif
  };
  for (size_t i = 0; i < sizeof(product) / sizeof(product[0]); ++i) {
    gQvShortcuts[i].m_nId = product[i].id;
    gQvShortcuts[i].m_strPattern = product[i].pattern;
  }
}

void CQvOpenSaveDlg::DefineCommonShortcuts() {
#ifdef UNICODE
  if (g_pCurrentOSDlg == NULL || !g_pCurrentOSDlg->m_shell32.m_bUsable ||
      g_pCurrentOSDlg->m_shell32.m_pfnGetSpecialFolderPath == NULL)
    return;
  const int csidl[3] = {CSIDL_PERSONAL, m_pShellBrowser != NULL ? CSIDL_DRIVES : CSIDL_DESKTOPDIRECTORY, CSIDL_NETWORK};
  for (int i = 0; i < 3; ++i) {
    wchar_t path[MAX_PATH + 1] = L"";
    if (!g_pCurrentOSDlg->m_shell32.m_pfnGetSpecialFolderPath(NULL, path, csidl[i], FALSE)) path[0] = 0;
    gBuiltinShortcuts[i].m_nCsidl = csidl[i];
    gBuiltinShortcuts[i].m_strPath = path;
  }
#endif
}

BOOL CALLBACK OffsetChildProc(HWND hWnd, LPARAM lParam) {
  CQvOpenSaveDlg* dlg = reinterpret_cast<CQvOpenSaveDlg*>(lParam);
  HWND common = dlg != NULL ? dlg->GetCommonDialog() : NULL;
  // Direct children only: a control's own children move with it.
  if (common == NULL || ::GetParent(hWnd) != common || hWnd == dlg->m_hWnd) return TRUE;
  const int id = ::GetDlgCtrlID(hWnd);
  for (UINT templateId : dlg->TemplateIds())
    if (static_cast<int>(templateId) == id) return TRUE;
  RECT rect;
  ::GetWindowRect(hWnd, &rect);
  ::MapWindowPoints(NULL, common, reinterpret_cast<POINT*>(&rect), 2);
  // OK and Cancel are the buttons of those ids (the system may give another control id 1).
  wchar_t kind[16] = L"";
  ::GetClassNameW(hWnd, kind, 16);
  const bool okOrCancel = (id == IDOK || id == IDCANCEL) && lstrcmpiW(kind, L"Button") == 0;
  const int dx = CQvOpenSaveDlg::TILECTRL_OFFSET - (okOrCancel ? 3 : 0);
  ::SetWindowPos(hWnd, NULL, rect.left + dx, rect.top, 0, 0, SWP_NOZORDER | SWP_NOSIZE | SWP_NOOWNERZORDER);
  return TRUE;
}

void CQvOpenSaveDlg::CustomizeLook() {
  if (m_hCommonDlg == NULL || m_bLookCustomized) return;
  m_bLookCustomized = TRUE;
  RECT label = {0, 0, 0, 0};
  if (HWND folderLabel = ::GetDlgItem(m_hCommonDlg, kFolderLabel)) {
    ::GetWindowRect(folderLabel, &label);
    ::MapWindowPoints(NULL, m_hCommonDlg, reinterpret_cast<POINT*>(&label), 2);
  }
  RECT window;
  ::GetWindowRect(m_hCommonDlg, &window);
  ::MoveWindow(m_hCommonDlg, window.left, window.top, window.right - window.left + TILECTRL_OFFSET,
               window.bottom - window.top + (IsOpenDialog() ? 0 : 30), FALSE);

  // The controls of a custom template stay where they are.
  m_templateIds.clear();
  if (!m_strTemplateName.IsEmpty() && m_ofn.hInstance != NULL) {
    HWND made = ::CreateDialogParam(m_ofn.hInstance, m_strTemplateName, m_hWnd, SilentDialogProc, 0);
    if (made != NULL) {
      for (HWND child = ::GetWindow(made, GW_CHILD); child != NULL; child = ::GetWindow(child, GW_HWNDNEXT))
        m_templateIds.push_back(static_cast<UINT>(::GetDlgCtrlID(child)));
      ::DestroyWindow(made);
    }
  }
  ::EnumChildWindows(m_hCommonDlg, OffsetChildProc, reinterpret_cast<LPARAM>(this));

  RECT client;
  ::GetClientRect(m_hCommonDlg, &client);
  CRect bar(label.left - 3, label.top, TILECTRL_OFFSET - 1, client.bottom - 10);
  CWnd* parent = CWnd::FromHandle(m_hCommonDlg);

  // The client objects of an earlier run (its windows are gone).
  delete m_pProductObject;
  delete m_pCommonObject;
  m_pProductObject = m_pCommonObject = NULL;
  CRect paneRect(0, 0, 100, 100);
  if (m_productPane.Create(parent, paneRect, IDC_PRODUCT_PANE, IsOpenDialog() ? 2 : 3, 32, 32, kProductStrip,
                           kProductLabels)) {
    m_productPane.SetOwner(m_hWnd);
    m_productPane.SetDragDrop(0);
    m_pProductObject = new EMBEDDED_OBJECT(m_productPane.m_hWnd);
  }
  if (HasShell32Info() &&
      m_commonPane.Create(parent, paneRect, IDC_COMMON_PANE, 3, 32, 32,
                          m_pShellBrowser != NULL ? kCommonStripBrowser : kCommonStripPlain,
                          m_pShellBrowser != NULL ? kCommonLabelsBrowser : kCommonLabelsPlain)) {
    m_commonPane.SetOwner(m_hWnd);
    m_commonPane.SetDragDrop(0);
    m_pCommonObject = new EMBEDDED_OBJECT(m_commonPane.m_hWnd);
  }
  if (!m_tiles.Create(parent, bar, IDC_TILES)) return;
  m_tiles.SetOwner(m_hWnd);
  TCS_TOOLTIPSTYLESTRUCT style = {1, 3};
  m_tiles.SetTooltipStyle(style);
  m_tiles.SetNumMasterTiles(HasShell32Info() ? 2 : 1);
  m_tiles.SetMaskedBitmap(kMasterStrip);
  const CStringW documents = Label(kDocumentsLabel);
  MasterTile productMaster;
  Tile productTile(documents, m_pProductObject, NULL, 0);
  productMaster.AddTile(productTile);
  m_tiles.AddMasterTile(productMaster, 0);
  m_tiles.SetMasterTooltip(0, documents);
  if (HasShell32Info()) {
    const CStringW places = Label(kPlacesLabel);
    MasterTile commonMaster;
    Tile commonTile(places, m_pCommonObject, NULL, 0);
    commonMaster.AddTile(commonTile);
    m_tiles.AddMasterTile(commonMaster, 1);
    m_tiles.SetMasterTooltip(1, places);
  }
  m_tiles.SetActiveMasterTile(0);
  m_tiles.SetActiveTile(0, 0);
}

void CQvOpenSaveDlg::RepositionControls() {}

void CQvOpenSaveDlg::GetCustomControlsList(std::map<int, UINT>& list) {
  list[0] = IDC_TILES;
  list[1] = IDC_PRODUCT_PANE;
  list[2] = IDC_COMMON_PANE;
}

BOOL CQvOpenSaveDlg::SaveAllowed(LPCTSTR) { return TRUE; }
BOOL CQvOpenSaveDlg::SaveAsForAllUsersAllowed() { return TRUE; }

void CQvOpenSaveDlg::Resize() {
  if (m_tiles.m_hWnd == NULL || m_hCommonDlg == NULL) return;
  RECT bar, client;
  ::GetWindowRect(m_tiles.m_hWnd, &bar);
  ::MapWindowPoints(NULL, m_hCommonDlg, reinterpret_cast<POINT*>(&bar), 2);
  ::GetClientRect(m_hCommonDlg, &client);
  const int height = client.bottom - 10 - bar.top;
  if (height > 0 && height != bar.bottom - bar.top)
    ::SetWindowPos(m_tiles.m_hWnd, NULL, 0, 0, bar.right - bar.left, height,
                   SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  RepositionControls();
  if (SaveAsForAllUsersAllowed()) {
    std::map<int, UINT> list;
    GetCustomControlsList(list);
    auto it = list.find(3);
    HWND control = it != list.end() ? ::GetDlgItem(m_hWnd, it->second) : NULL;
    if (control != NULL) {
      switch (GUIGetCmdStatus(kRightsCommand, false, 0)) {
        case 1:
          ::EnableWindow(control, TRUE);
          break;
        case 2:
          ::EnableWindow(control, FALSE);
          break;
        case 3:
          ::ShowWindow(control, SW_HIDE);
          break;
        default:
          break;
      }
    }
  }
}

void CQvOpenSaveDlg::OnSysColorChange() {
  CFileDialog::OnSysColorChange();
  if (m_tiles.m_hWnd != NULL) m_tiles.SendMessage(WM_SYSCOLORCHANGE);
  Resize();
  if (m_hCommonDlg != NULL) ::RedrawWindow(m_hCommonDlg, NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

void CQvOpenSaveDlg::OnQvShortcutClick(NMHDR* pNMHDR, LRESULT* pResult) {
  *pResult = 0;
  const int index = reinterpret_cast<NMICONPANE*>(pNMHDR)->nItem;
  if (index < 0 || index >= 4) return;
  CString folder;
  if (FindExtensionPath(gQvShortcuts[index].m_strPattern, folder)) SetDirectory(folder);
}

void CQvOpenSaveDlg::OnMyShortcutClick(NMHDR* pNMHDR, LRESULT* pResult) {
  *pResult = 0;
  const int index = reinterpret_cast<NMICONPANE*>(pNMHDR)->nItem;
  if (index < 0 || index >= 3 || gBuiltinShortcuts[index].m_nCsidl == -1) return;
  if (m_pShellBrowser != NULL) {
    LPITEMIDLIST list = NULL;
    if (SUCCEEDED(::SHGetSpecialFolderLocation(NULL, gBuiltinShortcuts[index].m_nCsidl, &list)) && list != NULL) {
      // Not every system tells the dialog of a folder change it did not make itself.
      if (SUCCEEDED(m_pShellBrowser->BrowseObject(list, kDefaultBrowse))) UpdateSelection();
      ::CoTaskMemFree(list);
    }
  } else {
    CString folder = gBuiltinShortcuts[index].m_strPath;
    SetDirectory(folder);
  }
}

BOOL CQvOpenSaveDlg::FindExtensionPath(CString& pattern, CString& folder) {
  if (pattern.IsEmpty()) return FALSE;
  for (const FilterEntry& entry : m_folders)
    if (entry.m_strPattern.CompareNoCase(pattern) == 0 && !entry.m_strFolder.IsEmpty()) {
      folder = entry.m_strFolder;
      return TRUE;
    }
  for (const QvShortcutDescriptor& shortcut : gQvShortcuts) {
    if (shortcut.m_nId == -1 || shortcut.m_strPattern.CompareNoCase(pattern) != 0) continue;
    QvFileMaster* master = Get_GlobalFileMaster();
    QvDirectory* directory = master->CreateQvDirectoryFromID(shortcut.m_nId);
    if (directory == NULL) return FALSE;
    CString path(master->GetTotalPathFromFilDir(directory).ToWide().c_str());
    master->DestroyQvDirectory(directory);
    if (path.GetLength() > 1 && path.Right(1) == _T("\\")) path = path.Left(path.GetLength() - 1);
    if (path.IsEmpty()) return FALSE;
    folder = path;
    return TRUE;
  }
  return FALSE;
}

// Going somewhere by typing a folder and confirming it.

void CQvOpenSaveDlg::ClickOK() {
  HWND ok = ::GetDlgItem(m_hCommonDlg, IDOK);
  if (ok == NULL) return;
  m_bValidating = TRUE;
  ::SendMessage(ok, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(1, 1));
  ::SendMessage(ok, WM_LBUTTONUP, MK_LBUTTON, MAKELPARAM(1, 1));
  m_bValidating = FALSE;
}

void CQvOpenSaveDlg::SetDirectory(CString& folder) {
  if (m_hCommonDlg == NULL) return;
  ::SendMessage(m_hCommonDlg, WM_SETREDRAW, FALSE, 0);
  const CString typed = EditText();
  ::SendMessage(m_hCommonDlg, CDM_SETCONTROLTEXT, edt1, reinterpret_cast<LPARAM>(folder.GetString()));
  HWND list = FileList(m_hWnd);
  if (list == NULL) list = FileList(m_hCommonDlg);
  if (list != NULL) {
    LVITEM item = {};
    item.stateMask = LVIS_SELECTED;
    for (int i = static_cast<int>(::SendMessage(list, LVM_GETNEXTITEM, -1, LVNI_SELECTED)); i >= 0;
         i = static_cast<int>(::SendMessage(list, LVM_GETNEXTITEM, i, LVNI_SELECTED)))
      ::SendMessage(list, LVM_SETITEMSTATE, i, reinterpret_cast<LPARAM>(&item));
  }
  ClickOK();
  ::SendMessage(m_hCommonDlg, CDM_SETCONTROLTEXT, edt1, reinterpret_cast<LPARAM>(typed.GetString()));
  ::SendMessage(m_hCommonDlg, WM_SETREDRAW, TRUE, 0);
  ::RedrawWindow(m_hCommonDlg, NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

void CQvOpenSaveDlg::Validate() {
  if (m_hCommonDlg != NULL) ClickOK();
}

// Help.

BOOL CQvOpenSaveDlg::OnHelpInfo(HELPINFO* pHelpInfo) {
  DisplayProprietaryHelp(pHelpInfo, FALSE);
  return TRUE;
}

void CQvOpenSaveDlg::DisplayProprietaryHelp(HELPINFO* info, BOOL fromHook) {
  if (info == NULL || info->iContextType != HELPINFO_WINDOW || g_pCurrentOSDlg == NULL) return;
  std::map<int, UINT> list;
  GetCustomControlsList(list);
  int key = -1;
  for (const auto& entry : list)
    if (static_cast<int>(entry.second) == info->iCtrlId) key = entry.first;
  const BOOL open = IsOpenDialog();
  int context = 0;
  switch (key) {
    case 0:
      context = m_tiles.GetActiveMasterTile() == 1 ? (open ? 5 : 6) : (open ? 3 : 4);
      break;
    case 1:
      context = open ? 3 : 4;
      break;
    case 2:
      context = open ? 5 : 6;
      break;
    case 3:
      context = fromHook ? 0 : 7;
      break;
    case 4:
      context = fromHook ? 0 : 8;
      break;
    default:
      break;
  }
  if (context == 0) return;
  if (CWinApp* app = AfxGetApp()) app->WinHelp(300 + context, HELP_CONTEXT);
}

// The remembered folder.

void CQvOpenSaveDlg::LoadLocation(CString& folder) {
  QvString text;
  if (GetKeyStringValue(kOptionsKey, IsOpenDialog() ? "open" : "save", text) < 0) return;
  const std::wstring wide = text.ToWide();
  folder = wide.c_str();
  // A folder the edition's character set cannot name (letters that became '?') is no folder.
  if (wcscmp(CStringW(folder).GetString(), wide.c_str()) != 0) folder.Empty();
}

void CQvOpenSaveDlg::SaveLocation() {
  const CString folder = GetFolderPath();
  // (Through the wide form: the store's text is UTF-8 in both editions.)
  SetUserKeyStringValue(kOptionsKey, IsOpenDialog() ? "open" : "save", QvString(CStringW(folder).GetString()).c_str());
}
