// CFile, CStdioFile, CMemFile and CSharedFile.
#include "fw_file.h"

#include <errno.h>
#include <io.h>
#include <share.h>
#include <string.h>

IMPLEMENT_DYNAMIC(CFile, CObject)
IMPLEMENT_DYNAMIC(CStdioFile, CFile)
IMPLEMENT_DYNAMIC(CMemFile, CFile)
IMPLEMENT_DYNAMIC(CSharedFile, CMemFile)

const HANDLE CFile::hFileNull = INVALID_HANDLE_VALUE;

namespace {

CTime TimeOf(const FILETIME& ft) {
  ULARGE_INTEGER v;
  v.LowPart = ft.dwLowDateTime;
  v.HighPart = ft.dwHighDateTime;
  const ULONGLONG kEpoch = 116444736000000000ULL;  // 1970-01-01 in 100 ns units since 1601
  if (v.QuadPart < kEpoch) return CTime();
  return CTime(static_cast<__time64_t>((v.QuadPart - kEpoch) / 10000000ULL));
}

void FillStatus(CFileStatus& st, const FILETIME& created, const FILETIME& written, const FILETIME& accessed,
                ULONGLONG size, DWORD attributes) {
  st.m_ctime = TimeOf(created);
  st.m_mtime = TimeOf(written);
  st.m_atime = TimeOf(accessed);
  st.m_size = size;
  st.m_attribute = static_cast<BYTE>(attributes & 0xFF);
  st.m_padding = 0;
}

DWORD ShareMode(UINT nOpenFlags) {
  switch (nOpenFlags & 0x70) {
    case CFile::shareDenyWrite: return FILE_SHARE_READ;
    case CFile::shareDenyRead: return FILE_SHARE_WRITE;
    case CFile::shareDenyNone: return FILE_SHARE_READ | FILE_SHARE_WRITE;
    default: return 0;  // exclusive
  }
}

// Fills the caller's exception record of a failed Open; returns FALSE.
BOOL Failed(CFileException* pError, int cause, LONG lOsError, LPCTSTR lpszFileName) {
  if (pError) {
    pError->m_cause = cause;
    pError->m_lOsError = lOsError;
    pError->m_strFileName = lpszFileName;
  }
  return FALSE;
}

CString FullPath(LPCTSTR name) {
  TCHAR buf[MAX_PATH];
  LPTSTR filePart = NULL;
  DWORD n = GetFullPathName(name, MAX_PATH, buf, &filePart);
  return (n > 0 && n < MAX_PATH) ? CString(buf) : CString(name);
}

}  // namespace

// ---------------------------------------------------------------------------------------
// CFile

CFile::CFile() : m_hFile(hFileNull), m_bCloseOnDelete(FALSE) {}

CFile::CFile(HANDLE hFile) : m_hFile(hFile), m_bCloseOnDelete(FALSE) {}

CFile::CFile(LPCTSTR lpszFileName, UINT nOpenFlags) : m_hFile(hFileNull), m_bCloseOnDelete(FALSE) {
  CFileException e;
  if (!Open(lpszFileName, nOpenFlags, &e))
    AfxThrowFileException(e.m_cause, e.m_lOsError, e.m_strFileName);
}

CFile::~CFile() {
  if (m_hFile != hFileNull && m_bCloseOnDelete) Abort();
}

void CFile::ThrowLastError() const {
  CFileException::ThrowOsError(static_cast<LONG>(GetLastError() ? GetLastError() : ERROR_GEN_FAILURE), m_strFileName);
}

BOOL CFile::Open(LPCTSTR lpszFileName, UINT nOpenFlags, CFileException* pError) {
  if (m_hFile != hFileNull) Abort();
  if (lpszFileName == NULL || *lpszFileName == 0) {
    return Failed(pError, CFileException::badPath, ERROR_INVALID_NAME, lpszFileName);
  }
  DWORD access = 0;
  switch (nOpenFlags & 3) {
    case modeRead: access = GENERIC_READ; break;
    case modeWrite: access = GENERIC_WRITE; break;
    case modeReadWrite: access = GENERIC_READ | GENERIC_WRITE; break;
    default:
      return Failed(pError, CFileException::genericException, ERROR_INVALID_PARAMETER, lpszFileName);
  }
  DWORD creation = (nOpenFlags & modeCreate) ? ((nOpenFlags & modeNoTruncate) ? OPEN_ALWAYS : CREATE_ALWAYS)
                                             : OPEN_EXISTING;
  DWORD attrs = FILE_ATTRIBUTE_NORMAL;
  if (nOpenFlags & osNoBuffer) attrs |= FILE_FLAG_NO_BUFFERING;
  if (nOpenFlags & osWriteThrough) attrs |= FILE_FLAG_WRITE_THROUGH;
  if (nOpenFlags & osRandomAccess) attrs |= FILE_FLAG_RANDOM_ACCESS;
  if (nOpenFlags & osSequentialScan) attrs |= FILE_FLAG_SEQUENTIAL_SCAN;
  SECURITY_ATTRIBUTES sa = {sizeof sa, NULL, (nOpenFlags & modeNoInherit) ? FALSE : TRUE};

  CString path = FullPath(lpszFileName);
  HANDLE h = CreateFile(lpszFileName, access, ShareMode(nOpenFlags), &sa, creation, attrs, NULL);
  if (h == INVALID_HANDLE_VALUE) {
    LONG err = static_cast<LONG>(GetLastError());
    return Failed(pError, CFileException::OsErrorToException(err), err, path);
  }
  m_hFile = h;
  m_bCloseOnDelete = TRUE;
  m_strFileName = path;
  return TRUE;
}

ULONGLONG CFile::GetPosition() const {
  LARGE_INTEGER zero = {}, pos;
  if (!SetFilePointerEx(m_hFile, zero, &pos, FILE_CURRENT)) ThrowLastError();
  return static_cast<ULONGLONG>(pos.QuadPart);
}

ULONGLONG CFile::Seek(LONGLONG lOff, UINT nFrom) {
  if (nFrom > end) AfxThrowInvalidArgException();
  LARGE_INTEGER off, pos;
  off.QuadPart = lOff;
  if (!SetFilePointerEx(m_hFile, off, &pos, nFrom)) ThrowLastError();
  return static_cast<ULONGLONG>(pos.QuadPart);
}

void CFile::SetLength(ULONGLONG dwNewLen) {
  Seek(static_cast<LONGLONG>(dwNewLen), begin);
  if (!SetEndOfFile(m_hFile)) ThrowLastError();
}

ULONGLONG CFile::GetLength() const {
  LARGE_INTEGER size;
  if (!GetFileSizeEx(m_hFile, &size)) ThrowLastError();
  return static_cast<ULONGLONG>(size.QuadPart);
}

UINT CFile::Read(void* lpBuf, UINT nCount) {
  if (nCount == 0) return 0;
  if (lpBuf == NULL) AfxThrowInvalidArgException();
  DWORD got = 0;
  if (!ReadFile(m_hFile, lpBuf, nCount, &got, NULL)) ThrowLastError();
  return got;
}

void CFile::Write(const void* lpBuf, UINT nCount) {
  if (nCount == 0) return;
  if (lpBuf == NULL) AfxThrowInvalidArgException();
  DWORD written = 0;
  if (!WriteFile(m_hFile, lpBuf, nCount, &written, NULL)) ThrowLastError();
  if (written != nCount) AfxThrowFileException(CFileException::diskFull, -1, m_strFileName);
}

void CFile::LockRange(ULONGLONG dwPos, ULONGLONG dwCount) {
  if (!LockFile(m_hFile, static_cast<DWORD>(dwPos), static_cast<DWORD>(dwPos >> 32), static_cast<DWORD>(dwCount),
                static_cast<DWORD>(dwCount >> 32)))
    ThrowLastError();
}

void CFile::UnlockRange(ULONGLONG dwPos, ULONGLONG dwCount) {
  if (!UnlockFile(m_hFile, static_cast<DWORD>(dwPos), static_cast<DWORD>(dwPos >> 32), static_cast<DWORD>(dwCount),
                  static_cast<DWORD>(dwCount >> 32)))
    ThrowLastError();
}

void CFile::Flush() {
  if (m_hFile != hFileNull && !FlushFileBuffers(m_hFile)) ThrowLastError();
}

void CFile::Close() {
  BOOL failed = FALSE;
  DWORD err = 0;
  if (m_hFile != hFileNull) {
    failed = !CloseHandle(m_hFile);
    err = GetLastError();
  }
  m_hFile = hFileNull;
  m_bCloseOnDelete = FALSE;
  CString name = m_strFileName;
  m_strFileName.Empty();
  if (failed) CFileException::ThrowOsError(static_cast<LONG>(err), name);
}

void CFile::Abort() {
  if (m_hFile != hFileNull) CloseHandle(m_hFile);
  m_hFile = hFileNull;
  m_bCloseOnDelete = FALSE;
  m_strFileName.Empty();
}

CFile* CFile::Duplicate() const {
  if (m_hFile == hFileNull) AfxThrowFileException(CFileException::invalidFile, ERROR_INVALID_HANDLE, m_strFileName);
  HANDLE dup;
  if (!DuplicateHandle(GetCurrentProcess(), m_hFile, GetCurrentProcess(), &dup, 0, FALSE, DUPLICATE_SAME_ACCESS))
    ThrowLastError();
  CFile* f = new CFile(dup);
  f->m_bCloseOnDelete = m_bCloseOnDelete;
  f->m_strFileName = m_strFileName;
  return f;
}

BOOL CFile::GetStatus(CFileStatus& rStatus) const {
  rStatus = CFileStatus{};
  lstrcpyn(rStatus.m_szFullName, m_strFileName, MAX_PATH);
  if (m_hFile == hFileNull) return FALSE;
  BY_HANDLE_FILE_INFORMATION info;
  if (!GetFileInformationByHandle(m_hFile, &info)) return FALSE;
  FillStatus(rStatus, info.ftCreationTime, info.ftLastWriteTime, info.ftLastAccessTime,
             (static_cast<ULONGLONG>(info.nFileSizeHigh) << 32) | info.nFileSizeLow, info.dwFileAttributes);
  return TRUE;
}

BOOL PASCAL CFile::GetStatus(LPCTSTR lpszFileName, CFileStatus& rStatus) {
  rStatus = CFileStatus{};
  if (lpszFileName == NULL || *lpszFileName == 0) return FALSE;
  WIN32_FILE_ATTRIBUTE_DATA data;
  if (!GetFileAttributesEx(lpszFileName, GetFileExInfoStandard, &data)) return FALSE;
  lstrcpyn(rStatus.m_szFullName, FullPath(lpszFileName), MAX_PATH);
  FillStatus(rStatus, data.ftCreationTime, data.ftLastWriteTime, data.ftLastAccessTime,
             (static_cast<ULONGLONG>(data.nFileSizeHigh) << 32) | data.nFileSizeLow, data.dwFileAttributes);
  return TRUE;
}

void PASCAL CFile::Rename(LPCTSTR lpszOldName, LPCTSTR lpszNewName) {
  if (!MoveFile(lpszOldName, lpszNewName))
    CFileException::ThrowOsError(static_cast<LONG>(GetLastError()), lpszOldName);
}

void PASCAL CFile::Remove(LPCTSTR lpszFileName) {
  if (!DeleteFile(lpszFileName)) CFileException::ThrowOsError(static_cast<LONG>(GetLastError()), lpszFileName);
}

CString CFile::GetFileName() const {
  CString path = GetFilePath();
  int cut = -1;
  for (int i = path.FindOneOf(_T("\\/:")); i >= 0;) {
    cut = i;
    int next = path.Mid(i + 1).FindOneOf(_T("\\/:"));
    i = next < 0 ? -1 : i + 1 + next;
  }
  return path.Mid(cut + 1);
}

CString CFile::GetFileTitle() const {
  CString name = GetFileName();
  int dot = name.ReverseFind(_T('.'));
  return dot > 0 ? name.Left(dot) : name;
}

// ---------------------------------------------------------------------------------------
// CStdioFile

CStdioFile::CStdioFile() : m_pStream(NULL), m_bOwnStream(false) {}

CStdioFile::CStdioFile(FILE* pOpenStream) : m_pStream(pOpenStream), m_bOwnStream(false) {
  if (pOpenStream) m_hFile = reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(pOpenStream)));
}

CStdioFile::CStdioFile(LPCTSTR lpszFileName, UINT nOpenFlags) : m_pStream(NULL), m_bOwnStream(false) {
  CFileException e;
  if (!Open(lpszFileName, nOpenFlags, &e)) AfxThrowFileException(e.m_cause, e.m_lOsError, e.m_strFileName);
}

CStdioFile::~CStdioFile() {
  Abort();
}

BOOL CStdioFile::Open(LPCTSTR lpszFileName, UINT nOpenFlags, CFileException* pError) {
  Abort();
  if (lpszFileName == NULL || *lpszFileName == 0) {
    return Failed(pError, CFileException::badPath, ERROR_INVALID_NAME, lpszFileName);
  }
  TCHAR mode[4];
  int n = 0;
  bool readWrite = (nOpenFlags & 3) == modeReadWrite;
  if (nOpenFlags & modeCreate)
    mode[n++] = (nOpenFlags & modeNoTruncate) ? _T('a') : _T('w');
  else if ((nOpenFlags & 3) == modeWrite)
    mode[n++] = _T('a');
  else
    mode[n++] = _T('r');
  if (readWrite) mode[n++] = _T('+');
  mode[n++] = (nOpenFlags & typeBinary) ? _T('b') : _T('t');
  mode[n] = 0;
  int share = _SH_DENYRW;
  switch (ShareMode(nOpenFlags)) {
    case FILE_SHARE_READ: share = _SH_DENYWR; break;
    case FILE_SHARE_WRITE: share = _SH_DENYRD; break;
    case FILE_SHARE_READ | FILE_SHARE_WRITE: share = _SH_DENYNO; break;
  }
  FILE* f = _tfsopen(lpszFileName, mode, share);
  if (f == NULL) {
    LONG err = static_cast<LONG>(_doserrno ? _doserrno : ERROR_FILE_NOT_FOUND);
    return Failed(pError, CFileException::OsErrorToException(err), err, FullPath(lpszFileName));
  }
  m_pStream = f;
  m_bOwnStream = true;
  m_hFile = reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(f)));
  m_bCloseOnDelete = TRUE;
  m_strFileName = FullPath(lpszFileName);
  return TRUE;
}

// Bytes of the next line including its newline, at most maxBytes (all when < 0).
bool CStdioFile::ReadLineBytes(CStringA& line, int maxBytes) {
  line.Empty();
  if (m_pStream == NULL) AfxThrowFileException(CFileException::invalidFile, ERROR_INVALID_HANDLE, m_strFileName);
  char chunk[512];
  for (;;) {
    int room = maxBytes < 0 ? static_cast<int>(sizeof chunk) : maxBytes - line.GetLength() + 1;
    if (room > static_cast<int>(sizeof chunk)) room = sizeof chunk;
    if (room <= 1) break;
    if (fgets(chunk, room, m_pStream) == NULL) {
      if (ferror(m_pStream)) {
        clearerr(m_pStream);
        AfxThrowFileException(CFileException::genericException, _doserrno, m_strFileName);
      }
      break;
    }
    line += chunk;
    if (line.GetLength() && line[line.GetLength() - 1] == '\n') break;
  }
  return !line.IsEmpty();
}

BOOL CStdioFile::ReadString(CString& rString) {
  CStringA line;
  if (!ReadLineBytes(line, -1)) {
    rString.Empty();
    return FALSE;
  }
  if (line[line.GetLength() - 1] == '\n') line.Truncate(line.GetLength() - 1);
  rString = line;
  return TRUE;
}

LPTSTR CStdioFile::ReadString(LPTSTR lpsz, UINT nMax) {
  if (lpsz == NULL || nMax == 0) AfxThrowInvalidArgException();
  CStringA line;
  // Every character takes at least one byte, so nMax - 1 bytes never overflow lpsz.
  if (!ReadLineBytes(line, static_cast<int>(nMax) - 1)) {
    *lpsz = 0;
    return NULL;
  }
  CString text(line);
  lstrcpyn(lpsz, text, static_cast<int>(nMax));
  return lpsz;
}

void CStdioFile::WriteString(LPCTSTR lpsz) {
  if (lpsz == NULL) AfxThrowInvalidArgException();
  if (m_pStream == NULL) AfxThrowFileException(CFileException::invalidFile, ERROR_INVALID_HANDLE, m_strFileName);
  CStringA bytes(lpsz);
  if (fputs(bytes, m_pStream) == EOF) AfxThrowFileException(CFileException::diskFull, _doserrno, m_strFileName);
}

ULONGLONG CStdioFile::GetPosition() const {
  if (m_pStream == NULL) return CFile::GetPosition();
  __int64 pos = _ftelli64(m_pStream);
  if (pos < 0) AfxThrowFileException(CFileException::badSeek, _doserrno, m_strFileName);
  return static_cast<ULONGLONG>(pos);
}

ULONGLONG CStdioFile::Seek(LONGLONG lOff, UINT nFrom) {
  if (m_pStream == NULL) return CFile::Seek(lOff, nFrom);
  static const int origin[] = {SEEK_SET, SEEK_CUR, SEEK_END};
  if (nFrom > end) AfxThrowInvalidArgException();
  if (_fseeki64(m_pStream, lOff, origin[nFrom]) != 0)
    AfxThrowFileException(CFileException::badSeek, _doserrno, m_strFileName);
  return GetPosition();
}

ULONGLONG CStdioFile::GetLength() const {
  if (m_pStream == NULL) return CFile::GetLength();
  __int64 pos = _ftelli64(m_pStream);
  if (pos < 0 || _fseeki64(m_pStream, 0, SEEK_END) != 0)
    AfxThrowFileException(CFileException::badSeek, _doserrno, m_strFileName);
  __int64 size = _ftelli64(m_pStream);
  _fseeki64(m_pStream, pos, SEEK_SET);
  return static_cast<ULONGLONG>(size);
}

UINT CStdioFile::Read(void* lpBuf, UINT nCount) {
  if (m_pStream == NULL) return CFile::Read(lpBuf, nCount);
  if (nCount == 0) return 0;
  if (lpBuf == NULL) AfxThrowInvalidArgException();
  size_t got = fread(lpBuf, 1, nCount, m_pStream);
  if (got == 0 && ferror(m_pStream)) {
    clearerr(m_pStream);
    AfxThrowFileException(CFileException::genericException, _doserrno, m_strFileName);
  }
  return static_cast<UINT>(got);
}

void CStdioFile::Write(const void* lpBuf, UINT nCount) {
  if (m_pStream == NULL) return CFile::Write(lpBuf, nCount);
  if (nCount == 0) return;
  if (lpBuf == NULL) AfxThrowInvalidArgException();
  if (fwrite(lpBuf, 1, nCount, m_pStream) != nCount)
    AfxThrowFileException(CFileException::diskFull, _doserrno, m_strFileName);
}

void CStdioFile::Flush() {
  if (m_pStream && fflush(m_pStream) != 0) AfxThrowFileException(CFileException::diskFull, _doserrno, m_strFileName);
}

void CStdioFile::Close() {
  FILE* f = m_pStream;
  bool own = m_bOwnStream;
  CString name = m_strFileName;
  m_pStream = NULL;
  m_bOwnStream = false;
  m_hFile = hFileNull;  // fclose closes the handle
  m_bCloseOnDelete = FALSE;
  m_strFileName.Empty();
  if (f && own && fclose(f) != 0) AfxThrowFileException(CFileException::diskFull, _doserrno, name);
}

void CStdioFile::Abort() {
  if (m_pStream && m_bOwnStream) fclose(m_pStream);
  m_pStream = NULL;
  m_bOwnStream = false;
  m_hFile = hFileNull;
  m_bCloseOnDelete = FALSE;
  m_strFileName.Empty();
}

CFile* CStdioFile::Duplicate() const {
  AfxThrowNotSupportedException();
  return NULL;
}

// ---------------------------------------------------------------------------------------
// CMemFile

CMemFile::CMemFile(UINT nGrowBytes)
    : m_nGrowBytes(nGrowBytes), m_nPosition(0), m_nBufferSize(0), m_nFileSize(0), m_lpBuffer(NULL),
      m_bAutoDelete(TRUE) {}

CMemFile::CMemFile(BYTE* lpBuffer, UINT nBufferSize, UINT nGrowBytes)
    : m_nGrowBytes(0), m_nPosition(0), m_nBufferSize(0), m_nFileSize(0), m_lpBuffer(NULL), m_bAutoDelete(TRUE) {
  Attach(lpBuffer, nBufferSize, nGrowBytes);
}

CMemFile::~CMemFile() {
  if (m_lpBuffer && m_bAutoDelete) CMemFile::Free(m_lpBuffer);
  m_lpBuffer = NULL;
}

void CMemFile::Attach(BYTE* lpBuffer, UINT nBufferSize, UINT nGrowBytes) {
  Close();
  m_lpBuffer = lpBuffer;
  m_nBufferSize = lpBuffer ? nBufferSize : 0;
  m_nFileSize = nGrowBytes == 0 ? m_nBufferSize : 0;
  m_nGrowBytes = nGrowBytes;
  m_nPosition = 0;
  m_bAutoDelete = FALSE;
}

BYTE* CMemFile::Detach() {
  BYTE* p = m_lpBuffer;
  m_lpBuffer = NULL;
  m_nBufferSize = m_nFileSize = m_nPosition = 0;
  m_bAutoDelete = TRUE;
  return p;
}

BOOL CMemFile::Open(LPCTSTR, UINT, CFileException* pError) {
  if (pError) {
    pError->m_cause = CFileException::genericException;
    pError->m_lOsError = ERROR_NOT_SUPPORTED;
  }
  return FALSE;
}

BYTE* CMemFile::Alloc(SIZE_T nBytes) { return static_cast<BYTE*>(malloc(nBytes)); }
BYTE* CMemFile::Realloc(BYTE* lpMem, SIZE_T nBytes) { return static_cast<BYTE*>(realloc(lpMem, nBytes)); }
void CMemFile::Free(BYTE* lpMem) { free(lpMem); }

void CMemFile::GrowFile(SIZE_T dwNewLen) {
  if (dwNewLen <= m_nBufferSize) return;
  if (m_nGrowBytes == 0) AfxThrowMemoryException();
  // Geometric growth in whole steps of m_nGrowBytes keeps appending linear.
  SIZE_T size = m_nBufferSize + m_nBufferSize / 2;
  if (size < dwNewLen) size = dwNewLen;
  size = (size + m_nGrowBytes - 1) / m_nGrowBytes * m_nGrowBytes;
  if (size < dwNewLen) AfxThrowMemoryException();  // wrapped
  BYTE* fresh;
  if (m_lpBuffer == NULL) {
    fresh = Alloc(size);
  } else if (m_bAutoDelete) {
    fresh = Realloc(m_lpBuffer, size);
  } else {
    // A caller's block is never reallocated: the content moves to a block of our own.
    fresh = Alloc(size);
    if (fresh) memcpy(fresh, m_lpBuffer, m_nFileSize);
  }
  if (fresh == NULL) AfxThrowMemoryException();
  m_lpBuffer = fresh;
  m_nBufferSize = size;
  m_bAutoDelete = TRUE;
}

ULONGLONG CMemFile::Seek(LONGLONG lOff, UINT nFrom) {
  LONGLONG base;
  switch (nFrom) {
    case begin: base = 0; break;
    case current: base = static_cast<LONGLONG>(m_nPosition); break;
    case end: base = static_cast<LONGLONG>(m_nFileSize); break;
    default: AfxThrowInvalidArgException(); return 0;
  }
  LONGLONG pos = base + lOff;
  if (pos < 0 || (lOff > 0 && pos < base) || static_cast<ULONGLONG>(pos) > static_cast<SIZE_T>(-1))
    AfxThrowFileException(CFileException::badSeek, ERROR_NEGATIVE_SEEK, m_strFileName);
  m_nPosition = static_cast<SIZE_T>(pos);
  return m_nPosition;
}

void CMemFile::SetLength(ULONGLONG dwNewLen) {
  if (dwNewLen > static_cast<SIZE_T>(-1)) AfxThrowMemoryException();
  SIZE_T len = static_cast<SIZE_T>(dwNewLen);
  if (len > m_nBufferSize) GrowFile(len);
  if (len > m_nFileSize) memset(m_lpBuffer + m_nFileSize, 0, len - m_nFileSize);
  m_nFileSize = len;
  if (m_nPosition > len) m_nPosition = len;
}

UINT CMemFile::Read(void* lpBuf, UINT nCount) {
  if (nCount == 0 || m_nPosition >= m_nFileSize) return 0;
  if (lpBuf == NULL) AfxThrowInvalidArgException();
  SIZE_T n = m_nFileSize - m_nPosition;
  if (n > nCount) n = nCount;
  memcpy(lpBuf, m_lpBuffer + m_nPosition, n);
  m_nPosition += n;
  return static_cast<UINT>(n);
}

void CMemFile::Write(const void* lpBuf, UINT nCount) {
  if (nCount == 0) return;
  if (lpBuf == NULL) AfxThrowInvalidArgException();
  SIZE_T endPos = m_nPosition + nCount;
  if (endPos < m_nPosition) AfxThrowMemoryException();
  if (endPos > m_nBufferSize) {
    // lpBuf may lie in this file's own block.
    const BYTE* src = static_cast<const BYTE*>(lpBuf);
    bool inside = m_lpBuffer && src >= m_lpBuffer && src < m_lpBuffer + m_nBufferSize;
    SIZE_T offset = inside ? static_cast<SIZE_T>(src - m_lpBuffer) : 0;
    GrowFile(endPos);
    if (inside) lpBuf = m_lpBuffer + offset;
  }
  // A gap left by seeking past the end reads as zeros.
  if (m_nPosition > m_nFileSize) memset(m_lpBuffer + m_nFileSize, 0, m_nPosition - m_nFileSize);
  memmove(m_lpBuffer + m_nPosition, lpBuf, nCount);
  m_nPosition = endPos;
  if (m_nPosition > m_nFileSize) m_nFileSize = m_nPosition;
}

void CMemFile::LockRange(ULONGLONG, ULONGLONG) { AfxThrowNotSupportedException(); }
void CMemFile::UnlockRange(ULONGLONG, ULONGLONG) { AfxThrowNotSupportedException(); }

void CMemFile::Close() {
  if (m_lpBuffer && m_bAutoDelete) Free(m_lpBuffer);
  m_lpBuffer = NULL;
  m_nBufferSize = m_nFileSize = m_nPosition = 0;
  m_bAutoDelete = TRUE;
}

void CMemFile::Abort() { Close(); }

CFile* CMemFile::Duplicate() const {
  AfxThrowNotSupportedException();
  return NULL;
}

BOOL CMemFile::GetStatus(CFileStatus& rStatus) const {
  rStatus = CFileStatus{};
  rStatus.m_size = m_nFileSize;
  lstrcpyn(rStatus.m_szFullName, m_strFileName, MAX_PATH);
  return TRUE;
}

// ---------------------------------------------------------------------------------------
// CSharedFile

CSharedFile::CSharedFile(UINT nAllocFlags, UINT nGrowBytes)
    : CMemFile(nGrowBytes), m_nAllocFlags(nAllocFlags), m_hGlobalMemory(NULL), m_bAllowGrow(TRUE) {}

CSharedFile::~CSharedFile() { Close(); }

BYTE* CSharedFile::Alloc(SIZE_T nBytes) {
  HGLOBAL h = GlobalAlloc(m_nAllocFlags, nBytes);
  if (h == NULL) return NULL;
  m_hGlobalMemory = h;
  return static_cast<BYTE*>(GlobalLock(h));
}

BYTE* CSharedFile::Realloc(BYTE*, SIZE_T nBytes) {
  if (!m_bAllowGrow || m_hGlobalMemory == NULL) return NULL;
  GlobalUnlock(m_hGlobalMemory);
  HGLOBAL h = GlobalReAlloc(m_hGlobalMemory, nBytes, GMEM_MOVEABLE);
  if (h == NULL) {
    GlobalLock(m_hGlobalMemory);  // the old block stays the file
    return NULL;
  }
  m_hGlobalMemory = h;
  return static_cast<BYTE*>(GlobalLock(h));
}

void CSharedFile::Free(BYTE*) {
  if (m_hGlobalMemory) {
    GlobalUnlock(m_hGlobalMemory);
    GlobalFree(m_hGlobalMemory);
  }
  m_hGlobalMemory = NULL;
}

HGLOBAL CSharedFile::Detach() {
  HGLOBAL h = m_hGlobalMemory;
  if (h) GlobalUnlock(h);
  m_hGlobalMemory = NULL;
  m_lpBuffer = NULL;
  m_nBufferSize = m_nFileSize = m_nPosition = 0;
  m_bAutoDelete = TRUE;
  return h;
}

void CSharedFile::SetHandle(HGLOBAL hGlobalMemory, BOOL bAllowGrow) {
  Close();
  if (hGlobalMemory == NULL) AfxThrowInvalidArgException();
  BYTE* p = static_cast<BYTE*>(GlobalLock(hGlobalMemory));
  if (p == NULL) AfxThrowMemoryException();
  m_hGlobalMemory = hGlobalMemory;
  m_lpBuffer = p;
  m_nBufferSize = m_nFileSize = GlobalSize(hGlobalMemory);
  m_nPosition = 0;
  m_bAllowGrow = bAllowGrow;
  m_bAutoDelete = TRUE;  // the file now owns the block
}
