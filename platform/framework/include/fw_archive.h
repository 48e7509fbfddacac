// CArchive: binary serialization of values, strings, counts and objects on a CFile.
#pragma once
#include "fw_except.h"
#include "fw_geometry.h"

class CFile;
class CDocument;

// Schema flag of IMPLEMENT_SERIAL: the class reads older schemas itself (GetObjectSchema).
#define VERSIONABLE_SCHEMA (0x80000000)

// A value that does not fit the archive, a short read, an unknown or mistyped class or a
// bad object reference throws CArchiveException; the archive never reads past its data.
class FW_API CArchive {
 public:
  enum Mode { store = 0, load = 1, bNoFlushOnDelete = 2, bNoByteSwap = 4 };

  CArchive(CFile* pFile, UINT nMode, int nBufSize = 4096, void* lpBuf = NULL);
  ~CArchive();
  CArchive(const CArchive&) = delete;
  CArchive& operator=(const CArchive&) = delete;

  BOOL IsLoading() const { return (m_nMode & load) != 0; }
  BOOL IsStoring() const { return (m_nMode & load) == 0; }
  BOOL IsByteSwapping() const { return FALSE; }
  BOOL IsBufferEmpty() const { return m_pCur == m_pEnd; }
  CFile* GetFile() const { return m_pFile; }

  // The schema of the object being read (after ReadObject found a versionable class).
  UINT GetObjectSchema();
  void SetObjectSchema(UINT nSchema) { m_nObjectSchema = nSchema; }

  // Raw bytes: Read returns what it could read (less at the end of the file).
  UINT Read(void* lpBuf, UINT nMax);
  void Write(const void* lpBuf, UINT nMax);
  void Flush();
  // Flushes and detaches from the file (the file stays open).
  void Close();
  // Detaches without flushing, for use after an exception.
  void Abort();

  // Text lines of a text archive; ReadString(CString&) is FALSE at the end of the file.
  void WriteString(LPCTSTR lpsz);
  LPTSTR ReadString(LPTSTR lpsz, UINT nMax);
  BOOL ReadString(CString& rString);

  // Element counts (a WORD, or 0xFFFF then a DWORD).
  DWORD_PTR ReadCount();
  void WriteCount(DWORD_PTR dwCount);

  // Objects: class by name and schema the first time, then by reference; the same object
  // written twice is read back as one object.
  CObject* ReadObject(const CRuntimeClass* pClass);
  void WriteObject(const CObject* pOb);
  CRuntimeClass* ReadClass(const CRuntimeClass* pClassRefRequested = NULL, UINT* pSchema = NULL,
                           DWORD* pObTag = NULL);
  void WriteClass(const CRuntimeClass* pClassRef);
  void SerializeClass(const CRuntimeClass* pClassRef);
  // Records an object (written or read elsewhere) so later references resolve to it.
  void MapObject(const CObject* pOb);

  // Strings in the archive's string format: a length prefix then the characters; wide
  // strings carry a mark and are converted when read into the other character set.
  void WriteStringData(const CStringA& s);
  void WriteStringData(const CStringW& s);
  void ReadStringData(CStringA& s);
  void ReadStringData(CStringW& s);

  CArchive& operator<<(BYTE by) { return WriteRaw(&by, sizeof by); }
  CArchive& operator<<(WORD w) { return WriteRaw(&w, sizeof w); }
  CArchive& operator<<(LONG l) { return WriteRaw(&l, sizeof l); }
  CArchive& operator<<(DWORD dw) { return WriteRaw(&dw, sizeof dw); }
  CArchive& operator<<(float f) { return WriteRaw(&f, sizeof f); }
  CArchive& operator<<(double d) { return WriteRaw(&d, sizeof d); }
  CArchive& operator<<(LONGLONG n) { return WriteRaw(&n, sizeof n); }
  CArchive& operator<<(ULONGLONG n) { return WriteRaw(&n, sizeof n); }
  CArchive& operator<<(int i) { return operator<<(static_cast<LONG>(i)); }
  CArchive& operator<<(short w) { return operator<<(static_cast<WORD>(w)); }
  CArchive& operator<<(char ch) { return operator<<(static_cast<BYTE>(ch)); }
  CArchive& operator<<(wchar_t ch) { return operator<<(static_cast<WORD>(ch)); }
  CArchive& operator<<(unsigned u) { return operator<<(static_cast<DWORD>(u)); }
  CArchive& operator<<(bool b) { return operator<<(static_cast<BYTE>(b ? 1 : 0)); }
  CArchive& operator<<(const CObject* pOb) {
    WriteObject(pOb);
    return *this;
  }
  CArchive& operator<<(const CStringA& s) {
    WriteStringData(s);
    return *this;
  }
  CArchive& operator<<(const CStringW& s) {
    WriteStringData(s);
    return *this;
  }
  CArchive& operator<<(POINT pt) { return *this << pt.x << pt.y; }
  CArchive& operator<<(SIZE sz) { return *this << sz.cx << sz.cy; }
  CArchive& operator<<(const RECT& rc) { return *this << rc.left << rc.top << rc.right << rc.bottom; }

  CArchive& operator>>(BYTE& by) { return ReadRaw(&by, sizeof by); }
  CArchive& operator>>(WORD& w) { return ReadRaw(&w, sizeof w); }
  CArchive& operator>>(LONG& l) { return ReadRaw(&l, sizeof l); }
  CArchive& operator>>(DWORD& dw) { return ReadRaw(&dw, sizeof dw); }
  CArchive& operator>>(float& f) { return ReadRaw(&f, sizeof f); }
  CArchive& operator>>(double& d) { return ReadRaw(&d, sizeof d); }
  CArchive& operator>>(LONGLONG& n) { return ReadRaw(&n, sizeof n); }
  CArchive& operator>>(ULONGLONG& n) { return ReadRaw(&n, sizeof n); }
  CArchive& operator>>(int& i) { return ReadRaw(&i, sizeof i); }
  CArchive& operator>>(short& w) { return ReadRaw(&w, sizeof w); }
  CArchive& operator>>(char& ch) { return ReadRaw(&ch, sizeof ch); }
  CArchive& operator>>(wchar_t& ch) { return ReadRaw(&ch, sizeof ch); }
  CArchive& operator>>(unsigned& u) { return ReadRaw(&u, sizeof u); }
  CArchive& operator>>(bool& b) {
    BYTE by = 0;
    ReadRaw(&by, 1);
    b = by != 0;
    return *this;
  }
  CArchive& operator>>(CObject*& pOb) {
    pOb = ReadObject(NULL);
    return *this;
  }
  CArchive& operator>>(const CObject*& pOb) {
    pOb = ReadObject(NULL);
    return *this;
  }
  CArchive& operator>>(CStringA& s) {
    ReadStringData(s);
    return *this;
  }
  CArchive& operator>>(CStringW& s) {
    ReadStringData(s);
    return *this;
  }
  CArchive& operator>>(POINT& pt) { return *this >> pt.x >> pt.y; }
  CArchive& operator>>(SIZE& sz) { return *this >> sz.cx >> sz.cy; }
  CArchive& operator>>(RECT& rc) { return *this >> rc.left >> rc.top >> rc.right >> rc.bottom; }

  CDocument* m_pDocument = NULL;
  CString m_strFileName;

 private:
  CArchive& WriteRaw(const void* p, UINT n);
  CArchive& ReadRaw(void* p, UINT n);  // all n bytes or CArchiveException(endOfFile)
  void FillBuffer();
  bool ReadLine(CString& line, UINT nMax);
  void CheckMode(bool storing) const;
  void ThrowArchive(int cause) const;
  CObject* ReadObjectBody(const CRuntimeClass* pClass);

  struct Maps;
  CFile* m_pFile;
  UINT m_nMode;
  BYTE* m_pBuf;
  BYTE* m_pCur;
  BYTE* m_pEnd;  // end of valid data (loading) or of the buffer (storing)
  UINT m_nBufSize;
  BOOL m_bUserBuf;
  UINT m_nObjectSchema;
  Maps* m_pMaps;
};
