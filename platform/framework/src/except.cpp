// The exception classes, their messages and the AfxThrow functions.
#include "fw_except.h"

#include "fw_module.h"

IMPLEMENT_DYNAMIC(CException, CObject)
IMPLEMENT_DYNAMIC(CSimpleException, CException)
IMPLEMENT_DYNAMIC(CMemoryException, CSimpleException)
IMPLEMENT_DYNAMIC(CNotSupportedException, CSimpleException)
IMPLEMENT_DYNAMIC(CInvalidArgException, CSimpleException)
IMPLEMENT_DYNAMIC(CResourceException, CSimpleException)
IMPLEMENT_DYNAMIC(CUserException, CSimpleException)
IMPLEMENT_DYNAMIC(COleException, CException)
IMPLEMENT_DYNAMIC(CFileException, CException)
IMPLEMENT_DYNAMIC(CArchiveException, CException)

namespace {

BOOL CopyMessage(const CString& text, LPTSTR lpszError, UINT nMaxError) {
  if (lpszError == NULL || nMaxError == 0) return FALSE;
  lstrcpyn(lpszError, text, static_cast<int>(nMaxError));
  return TRUE;
}

BOOL NoMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext) {
  if (lpszError && nMaxError) *lpszError = 0;
  if (pnHelpContext) *pnHelpContext = 0;
  return FALSE;
}

// Texts with %1 for the file name.
CString WithFileName(LPCTSTR pattern, const CString& fileName) {
  CString text(pattern);
  text.Replace(_T("%1"), fileName.IsEmpty() ? CString(_T("an unnamed file")) : fileName);
  return text;
}

}  // namespace

void CException::Delete() {
  if (m_bAutoDelete) delete this;
}

BOOL CException::GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext) const {
  return NoMessage(lpszError, nMaxError, pnHelpContext);
}

int CException::ReportError(UINT nType, UINT nMessageID) {
  TCHAR text[512];
  if (GetErrorMessage(text, _countof(text))) return AfxMessageBox(text, nType);
  if (nMessageID != 0) return AfxMessageBox(nMessageID, nType);
  return AfxMessageBox(_T("No error message is available."), nType);
}

BOOL CSimpleException::GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext) const {
  LPCTSTR text = DefaultMessage();
  if (text == NULL) return NoMessage(lpszError, nMaxError, pnHelpContext);
  if (pnHelpContext) *pnHelpContext = 0;
  return CopyMessage(text, lpszError, nMaxError);
}

LPCTSTR CMemoryException::DefaultMessage() const { return _T("Out of memory."); }
LPCTSTR CNotSupportedException::DefaultMessage() const { return _T("The request is not supported."); }
LPCTSTR CInvalidArgException::DefaultMessage() const { return _T("Encountered an improper argument."); }
LPCTSTR CResourceException::DefaultMessage() const { return _T("A required resource was unavailable."); }
LPCTSTR CUserException::DefaultMessage() const { return NULL; }

BOOL COleException::GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext) const {
  if (pnHelpContext) *pnHelpContext = 0;
  LPTSTR system = NULL;
  DWORD n = FormatMessage(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_IGNORE_INSERTS,
                          NULL, static_cast<DWORD>(m_sc), 0, reinterpret_cast<LPTSTR>(&system), 0, NULL);
  CString text;
  if (n && system) {
    text = system;
    text.TrimRight();
  } else {
    text.Format(_T("OLE error 0x%08lX."), static_cast<unsigned long>(m_sc));
  }
  if (system) LocalFree(system);
  return CopyMessage(text, lpszError, nMaxError);
}

SCODE PASCAL COleException::Process(const CException* e) {
  if (e == NULL) return E_UNEXPECTED;
  if (e->IsKindOf(RUNTIME_CLASS(COleException))) return static_cast<const COleException*>(e)->m_sc;
  if (e->IsKindOf(RUNTIME_CLASS(CMemoryException))) return E_OUTOFMEMORY;
  if (e->IsKindOf(RUNTIME_CLASS(CNotSupportedException))) return E_NOTIMPL;
  if (e->IsKindOf(RUNTIME_CLASS(CInvalidArgException))) return E_INVALIDARG;
  return E_UNEXPECTED;
}

BOOL CFileException::GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext) const {
  static const LPCTSTR texts[] = {
      _T("No error occurred."),
      _T("An unknown error occurred while accessing %1."),
      _T("%1 was not found."),
      _T("%1 contains an invalid path."),
      _T("%1 could not be opened because there are too many open files."),
      _T("Access to %1 was denied."),
      _T("An invalid file handle was associated with %1."),
      _T("%1 could not be removed because it is the current directory."),
      _T("%1 could not be created because the directory is full."),
      _T("Seek failed on %1."),
      _T("A hardware I/O error was reported while accessing %1."),
      _T("A sharing violation occurred while accessing %1."),
      _T("A locking violation occurred while accessing %1."),
      _T("Disk full while accessing %1."),
      _T("An attempt was made to access %1 past its end."),
  };
  if (pnHelpContext) *pnHelpContext = 0;
  int cause = (m_cause >= 0 && m_cause < static_cast<int>(_countof(texts))) ? m_cause : genericException;
  return CopyMessage(WithFileName(texts[cause], m_strFileName), lpszError, nMaxError);
}

int PASCAL CFileException::OsErrorToException(LONG lOsError) {
  switch (lOsError) {
    case NO_ERROR: return none;
    case ERROR_FILE_NOT_FOUND: return fileNotFound;
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_NAME:
    case ERROR_BAD_PATHNAME:
    case ERROR_INVALID_DRIVE:
    case ERROR_DIRECTORY:
    case ERROR_FILENAME_EXCED_RANGE: return badPath;
    case ERROR_TOO_MANY_OPEN_FILES: return tooManyOpenFiles;
    case ERROR_ACCESS_DENIED:
    case ERROR_WRITE_PROTECT:
    case ERROR_FILE_EXISTS:
    case ERROR_ALREADY_EXISTS: return accessDenied;
    case ERROR_INVALID_HANDLE: return invalidFile;
    case ERROR_CURRENT_DIRECTORY: return removeCurrentDir;
    case ERROR_CANNOT_MAKE: return directoryFull;
    case ERROR_SEEK:
    case ERROR_NEGATIVE_SEEK: return badSeek;
    case ERROR_CRC:
    case ERROR_READ_FAULT:
    case ERROR_WRITE_FAULT:
    case ERROR_GEN_FAILURE: return hardIO;
    case ERROR_SHARING_VIOLATION: return sharingViolation;
    case ERROR_LOCK_VIOLATION: return lockViolation;
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL: return diskFull;
    case ERROR_HANDLE_EOF: return endOfFile;
    default: return genericException;
  }
}

void PASCAL CFileException::ThrowOsError(LONG lOsError, LPCTSTR lpszFileName) {
  if (lOsError != 0) AfxThrowFileException(OsErrorToException(lOsError), lOsError, lpszFileName);
}

BOOL CArchiveException::GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext) const {
  static const LPCTSTR texts[] = {
      _T("No error occurred."),
      _T("An unknown error occurred while accessing %1."),
      _T("An attempt was made to write to %1 while it was open for reading."),
      _T("An unexpected end of file was found while reading %1."),
      _T("An attempt was made to read from %1 while it was open for writing."),
      _T("%1 has a bad format."),
      _T("%1 contains an unexpected object."),
      _T("%1 contains an incorrect schema."),
  };
  if (pnHelpContext) *pnHelpContext = 0;
  int cause = (m_cause >= 0 && m_cause < static_cast<int>(_countof(texts))) ? m_cause : genericException;
  return CopyMessage(WithFileName(texts[cause], m_strFileName), lpszError, nMaxError);
}

// Out of memory may not allocate: one shared exception that Delete() leaves alone.
void AFXAPI AfxThrowMemoryException() {
  static CMemoryException s_memory(FALSE);
  throw &s_memory;
}

void AFXAPI AfxThrowNotSupportedException() { throw new CNotSupportedException; }
void AFXAPI AfxThrowInvalidArgException() { throw new CInvalidArgException; }
void AFXAPI AfxThrowResourceException() { throw new CResourceException; }
void AFXAPI AfxThrowUserException() { throw new CUserException; }
void AFXAPI AfxThrowOleException(SCODE sc) { throw new COleException(sc); }
void AFXAPI AfxThrowFileException(int cause, LONG lOsError, LPCTSTR lpszFileName) {
  throw new CFileException(cause, lOsError, lpszFileName);
}
void AFXAPI AfxThrowArchiveException(int cause, LPCTSTR lpszArchiveName) {
  throw new CArchiveException(cause, lpszArchiveName);
}
