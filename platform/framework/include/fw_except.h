// Exceptions of the framework. They are thrown as pointers and freed by the catcher with
// Delete(): catch (CException* e) { ...; e->Delete(); }
#pragma once
#include "fw_object.h"
#include "fw_string.h"

class FW_API CException : public CObject {
  DECLARE_DYNAMIC(CException)
 public:
  explicit CException(BOOL bAutoDelete = TRUE) : m_bAutoDelete(bAutoDelete) {}
  ~CException() override = default;

  // Frees a heap exception; one that is not auto-deleted (a static one) stays.
  void Delete();
  // The message for the user; FALSE when there is none.
  virtual BOOL GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext = NULL) const;
  // Shows the message (or string nMessageID, or a generic text) with AfxMessageBox.
  virtual int ReportError(UINT nType = MB_OK, UINT nMessageID = 0);

  BOOL m_bAutoDelete;
};

class FW_API CSimpleException : public CException {
  DECLARE_DYNAMIC(CSimpleException)
 public:
  explicit CSimpleException(BOOL bAutoDelete = TRUE) : CException(bAutoDelete) {}
  BOOL GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext = NULL) const override;

 protected:
  virtual LPCTSTR DefaultMessage() const = 0;
};

class FW_API CMemoryException : public CSimpleException {
  DECLARE_DYNAMIC(CMemoryException)
 public:
  explicit CMemoryException(BOOL bAutoDelete = TRUE) : CSimpleException(bAutoDelete) {}
 protected:
  LPCTSTR DefaultMessage() const override;
};

class FW_API CNotSupportedException : public CSimpleException {
  DECLARE_DYNAMIC(CNotSupportedException)
 public:
  explicit CNotSupportedException(BOOL bAutoDelete = TRUE) : CSimpleException(bAutoDelete) {}
 protected:
  LPCTSTR DefaultMessage() const override;
};

class FW_API CInvalidArgException : public CSimpleException {
  DECLARE_DYNAMIC(CInvalidArgException)
 public:
  explicit CInvalidArgException(BOOL bAutoDelete = TRUE) : CSimpleException(bAutoDelete) {}
 protected:
  LPCTSTR DefaultMessage() const override;
};

class FW_API CResourceException : public CSimpleException {
  DECLARE_DYNAMIC(CResourceException)
 public:
  explicit CResourceException(BOOL bAutoDelete = TRUE) : CSimpleException(bAutoDelete) {}
 protected:
  LPCTSTR DefaultMessage() const override;
};

// Thrown to end an operation after the user was already told (no message of its own).
class FW_API CUserException : public CSimpleException {
  DECLARE_DYNAMIC(CUserException)
 public:
  explicit CUserException(BOOL bAutoDelete = TRUE) : CSimpleException(bAutoDelete) {}
 protected:
  LPCTSTR DefaultMessage() const override;
};

class FW_API COleException : public CException {
  DECLARE_DYNAMIC(COleException)
 public:
  explicit COleException(SCODE sc = E_UNEXPECTED) : m_sc(sc) {}
  BOOL GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext = NULL) const override;
  // The status code an exception stands for (E_OUTOFMEMORY, E_INVALIDARG, E_NOTIMPL...).
  static SCODE PASCAL Process(const CException* pAnyException);
  SCODE m_sc;
};

class FW_API CFileException : public CException {
  DECLARE_DYNAMIC(CFileException)
 public:
  enum {
    none,
    genericException,
    fileNotFound,
    badPath,
    tooManyOpenFiles,
    accessDenied,
    invalidFile,
    removeCurrentDir,
    directoryFull,
    badSeek,
    hardIO,
    sharingViolation,
    lockViolation,
    diskFull,
    endOfFile
  };
  explicit CFileException(int cause = none, LONG lOsError = -1, LPCTSTR lpszArchiveName = NULL)
      : m_cause(cause), m_lOsError(lOsError), m_strFileName(lpszArchiveName) {}
  BOOL GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext = NULL) const override;

  // The cause for a Win32 error code.
  static int PASCAL OsErrorToException(LONG lOsError);
  static void PASCAL ThrowOsError(LONG lOsError, LPCTSTR lpszFileName = NULL);

  int m_cause;
  LONG m_lOsError;
  CString m_strFileName;
};

class FW_API CArchiveException : public CException {
  DECLARE_DYNAMIC(CArchiveException)
 public:
  enum { none, genericException, readOnly, endOfFile, writeOnly, badIndex, badClass, badSchema };
  explicit CArchiveException(int cause = none, LPCTSTR lpszArchiveName = NULL)
      : m_cause(cause), m_strFileName(lpszArchiveName) {}
  BOOL GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext = NULL) const override;

  int m_cause;
  CString m_strFileName;
};

[[noreturn]] FW_API void AFXAPI AfxThrowMemoryException();
[[noreturn]] FW_API void AFXAPI AfxThrowNotSupportedException();
[[noreturn]] FW_API void AFXAPI AfxThrowInvalidArgException();
[[noreturn]] FW_API void AFXAPI AfxThrowResourceException();
[[noreturn]] FW_API void AFXAPI AfxThrowUserException();
[[noreturn]] FW_API void AFXAPI AfxThrowOleException(SCODE sc);
[[noreturn]] FW_API void AFXAPI AfxThrowFileException(int cause, LONG lOsError = -1, LPCTSTR lpszFileName = NULL);
[[noreturn]] FW_API void AFXAPI AfxThrowArchiveException(int cause, LPCTSTR lpszArchiveName = NULL);

// The framework's message box: the text with the application's name as title, owned by
// the active window. Tests can answer it without showing anything (AfxSetMessageBoxHook).
FW_API int AFXAPI AfxMessageBox(LPCTSTR lpszText, UINT nType = MB_OK, UINT nIDHelp = 0);
FW_API int AFXAPI AfxMessageBox(UINT nIDPrompt, UINT nType = MB_OK, UINT nIDHelp = (UINT)-1);
// Called in place of the message box while set; returns the button that answers it.
typedef int(CALLBACK* AFX_MESSAGEBOX_HOOK)(LPCTSTR lpszText, UINT nType, UINT nIDHelp);
FW_API AFX_MESSAGEBOX_HOOK AFXAPI AfxSetMessageBoxHook(AFX_MESSAGEBOX_HOOK pfnHook);

// Catches that free the exception when the block ends (unless THROW_LAST rethrows it).
class FwExceptionHolder {
 public:
  explicit FwExceptionHolder(CException* e) : m_e(e) {}
  ~FwExceptionHolder() {
    if (m_e) m_e->Delete();
  }
  void Release() { m_e = NULL; }
  FwExceptionHolder(const FwExceptionHolder&) = delete;
  FwExceptionHolder& operator=(const FwExceptionHolder&) = delete;
 private:
  CException* m_e;
};

#define TRY try
#define CATCH(class_name, e)  \
  catch (class_name * e) {    \
    FwExceptionHolder _afxExceptionHolder(e);
#define AND_CATCH(class_name, e) \
  }                              \
  catch (class_name * e) {       \
    FwExceptionHolder _afxExceptionHolder(e);
#define END_CATCH }
#define CATCH_ALL(e) CATCH(CException, e)
#define AND_CATCH_ALL(e) AND_CATCH(CException, e)
#define END_CATCH_ALL }
#define THROW(e) throw e
#define THROW_LAST()                  \
  do {                                \
    _afxExceptionHolder.Release();    \
    throw;                            \
  } while (0)
