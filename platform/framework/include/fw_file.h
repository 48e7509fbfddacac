// Files: CFile on a Win32 handle, CStdioFile for text lines, CMemFile in memory and
// CSharedFile in global memory (clipboard and drag-and-drop data).
#pragma once
#include <stdio.h>
// <commdlg.h> maps GetFileTitle to its A/W form: the member is declared after that mapping
// so that every unit sees one name, whichever of the two headers it includes first.
#include <commdlg.h>

#include "fw_except.h"
#include "fw_time.h"

struct CFileStatus {
  CTime m_ctime;  // creation
  CTime m_mtime;  // last write
  CTime m_atime;  // last access
  ULONGLONG m_size;
  BYTE m_attribute;
  BYTE m_padding;
  TCHAR m_szFullName[MAX_PATH];
};

// Failures throw CFileException, except Open, which reports through its return value.
class FW_API CFile : public CObject {
  DECLARE_DYNAMIC(CFile)
 public:
  enum OpenFlags {
    modeRead = 0x0000,
    modeWrite = 0x0001,
    modeReadWrite = 0x0002,
    shareCompat = 0x0000,
    shareExclusive = 0x0010,
    shareDenyWrite = 0x0020,
    shareDenyRead = 0x0030,
    shareDenyNone = 0x0040,
    modeNoInherit = 0x0080,
    modeCreate = 0x1000,
    modeNoTruncate = 0x2000,
    typeText = 0x4000,
    typeBinary = 0x8000,
    osNoBuffer = 0x10000,
    osWriteThrough = 0x20000,
    osRandomAccess = 0x40000,
    osSequentialScan = 0x80000,
  };
  enum Attribute { normal = 0x00, readOnly = 0x01, hidden = 0x02, system = 0x04, volume = 0x08, directory = 0x10, archive = 0x20 };
  enum SeekPosition { begin = 0x0, current = 0x1, end = 0x2 };
  static const HANDLE hFileNull;

  CFile();
  // Borrows hFile: the file does not close it.
  explicit CFile(HANDLE hFile);
  // Opens or throws CFileException.
  CFile(LPCTSTR lpszFileName, UINT nOpenFlags);
  ~CFile() override;

  operator HANDLE() const { return m_hFile; }

  virtual BOOL Open(LPCTSTR lpszFileName, UINT nOpenFlags, CFileException* pError = NULL);
  virtual ULONGLONG GetPosition() const;
  virtual ULONGLONG Seek(LONGLONG lOff, UINT nFrom);
  void SeekToBegin() { Seek(0, begin); }
  ULONGLONG SeekToEnd() { return Seek(0, end); }
  virtual void SetLength(ULONGLONG dwNewLen);
  virtual ULONGLONG GetLength() const;
  virtual UINT Read(void* lpBuf, UINT nCount);
  virtual void Write(const void* lpBuf, UINT nCount);
  virtual void LockRange(ULONGLONG dwPos, ULONGLONG dwCount);
  virtual void UnlockRange(ULONGLONG dwPos, ULONGLONG dwCount);
  virtual void Flush();
  virtual void Close();
  // Closes without throwing.
  virtual void Abort();
  virtual CFile* Duplicate() const;

  virtual BOOL GetStatus(CFileStatus& rStatus) const;
  static BOOL PASCAL GetStatus(LPCTSTR lpszFileName, CFileStatus& rStatus);
  static void PASCAL Rename(LPCTSTR lpszOldName, LPCTSTR lpszNewName);
  static void PASCAL Remove(LPCTSTR lpszFileName);

  virtual CString GetFileName() const;
  virtual CString GetFileTitle() const;
  virtual CString GetFilePath() const { return m_strFileName; }
  virtual void SetFilePath(LPCTSTR lpszNewName) { m_strFileName = lpszNewName; }

  HANDLE m_hFile;
  BOOL m_bCloseOnDelete;
  CString m_strFileName;

 protected:
  void ThrowLastError() const;
};

// Text lines in the ANSI code page (converted in the Unicode build); in text mode "\r\n"
// is read as "\n" and "\n" written as "\r\n".
class FW_API CStdioFile : public CFile {
  DECLARE_DYNAMIC(CStdioFile)
 public:
  CStdioFile();
  explicit CStdioFile(FILE* pOpenStream);  // borrowed
  CStdioFile(LPCTSTR lpszFileName, UINT nOpenFlags);
  ~CStdioFile() override;

  // The next line without its end-of-line; FALSE at the end of the file.
  virtual BOOL ReadString(CString& rString);
  // fgets-like: at most nMax - 1 characters, keeping the newline; NULL at the end.
  virtual LPTSTR ReadString(LPTSTR lpsz, UINT nMax);
  virtual void WriteString(LPCTSTR lpsz);

  BOOL Open(LPCTSTR lpszFileName, UINT nOpenFlags, CFileException* pError = NULL) override;
  ULONGLONG GetPosition() const override;
  ULONGLONG Seek(LONGLONG lOff, UINT nFrom) override;
  ULONGLONG GetLength() const override;
  UINT Read(void* lpBuf, UINT nCount) override;
  void Write(const void* lpBuf, UINT nCount) override;
  void Flush() override;
  void Close() override;
  void Abort() override;
  CFile* Duplicate() const override;

  FILE* m_pStream;

 private:
  bool m_bOwnStream;
  bool ReadLineBytes(CStringA& line, int maxBytes);
};

// A file in a growing memory block. With nGrowBytes 0 the block is fixed and writing past
// it throws CMemoryException.
class FW_API CMemFile : public CFile {
  DECLARE_DYNAMIC(CMemFile)
 public:
  explicit CMemFile(UINT nGrowBytes = 1024);
  CMemFile(BYTE* lpBuffer, UINT nBufferSize, UINT nGrowBytes = 0);
  ~CMemFile() override;

  // Uses (without owning) lpBuffer as the file; its content is the file when nGrowBytes is 0.
  void Attach(BYTE* lpBuffer, UINT nBufferSize, UINT nGrowBytes = 0);
  // Hands the block to the caller (free it with free()) and empties the file.
  BYTE* Detach();

  BOOL Open(LPCTSTR, UINT, CFileException* pError = NULL) override;
  ULONGLONG GetPosition() const override { return m_nPosition; }
  ULONGLONG Seek(LONGLONG lOff, UINT nFrom) override;
  void SetLength(ULONGLONG dwNewLen) override;
  ULONGLONG GetLength() const override { return m_nFileSize; }
  UINT Read(void* lpBuf, UINT nCount) override;
  void Write(const void* lpBuf, UINT nCount) override;
  void LockRange(ULONGLONG, ULONGLONG) override;
  void UnlockRange(ULONGLONG, ULONGLONG) override;
  void Flush() override {}
  void Close() override;
  void Abort() override;
  CFile* Duplicate() const override;
  BOOL GetStatus(CFileStatus& rStatus) const override;

 protected:
  virtual BYTE* Alloc(SIZE_T nBytes);
  virtual BYTE* Realloc(BYTE* lpMem, SIZE_T nBytes);
  virtual void Free(BYTE* lpMem);
  virtual void GrowFile(SIZE_T dwNewLen);

  UINT m_nGrowBytes;
  SIZE_T m_nPosition;
  SIZE_T m_nBufferSize;
  SIZE_T m_nFileSize;
  BYTE* m_lpBuffer;
  BOOL m_bAutoDelete;  // the block is the file's own and is freed with it
};

// A memory file in a movable global block that can be handed to the clipboard or to OLE.
class FW_API CSharedFile : public CMemFile {
  DECLARE_DYNAMIC(CSharedFile)
 public:
  explicit CSharedFile(UINT nAllocFlags = GMEM_DDESHARE | GMEM_MOVEABLE, UINT nGrowBytes = 4096);
  ~CSharedFile() override;

  // Gives up the block (the caller owns it; its size may exceed the file's length).
  HGLOBAL Detach();
  // Takes hGlobalMemory as the file's content; bAllowGrow lets writes enlarge it.
  void SetHandle(HGLOBAL hGlobalMemory, BOOL bAllowGrow = TRUE);

 protected:
  BYTE* Alloc(SIZE_T nBytes) override;
  BYTE* Realloc(BYTE* lpMem, SIZE_T nBytes) override;
  void Free(BYTE* lpMem) override;

  UINT m_nAllocFlags;
  HGLOBAL m_hGlobalMemory;
  BOOL m_bAllowGrow;
};
