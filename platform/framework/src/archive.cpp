// CArchive: buffered binary reading and writing, strings, counts and object graphs.
#include "fw_archive.h"

#include <string.h>
#include <unordered_map>
#include <vector>

#include "fw_file.h"

namespace {

// Tags of the object stream: a WORD per reference, with a DWORD form for large indices.
const WORD wNullTag = 0;
const WORD wNewClassTag = 0xFFFF;
const WORD wClassTag = 0x8000;
const DWORD dwBigClassTag = 0x80000000;
const WORD wBigObjectTag = 0x7FFF;
const DWORD nMaxMapCount = 0x3FFFFFFE;
const int nMaxClassName = 64;

}  // namespace

struct CArchive::Maps {
  // Storing: object or class record -> index. Loading: index -> entry.
  std::unordered_map<const void*, DWORD> store;
  struct LoadEntry {
    void* p;
    bool isClass;
    UINT schema;
  };
  std::vector<LoadEntry> load{{NULL, false, 0}};  // index 0 is the null object
  DWORD count = 1;
};

CObject* AFXAPI FwReadObject(CArchive& ar, const CRuntimeClass* pClass) { return ar.ReadObject(pClass); }

CArchive::CArchive(CFile* pFile, UINT nMode, int nBufSize, void* lpBuf)
    : m_pFile(pFile), m_nMode(nMode), m_pBuf(NULL), m_pCur(NULL), m_pEnd(NULL),
      m_nBufSize(nBufSize < 128 ? 128u : static_cast<UINT>(nBufSize)), m_bUserBuf(lpBuf != NULL),
      m_nObjectSchema(static_cast<UINT>(-1)), m_pMaps(new Maps) {
  if (pFile == NULL) {
    delete m_pMaps;
    AfxThrowInvalidArgException();
  }
  m_strFileName = pFile->GetFilePath();
  if (lpBuf && nBufSize >= 128) {
    m_pBuf = static_cast<BYTE*>(lpBuf);
  } else {
    m_bUserBuf = FALSE;
    m_pBuf = new (std::nothrow) BYTE[m_nBufSize];
    if (m_pBuf == NULL) {
      delete m_pMaps;
      AfxThrowMemoryException();
    }
  }
  m_pCur = m_pBuf;
  m_pEnd = IsStoring() ? m_pBuf + m_nBufSize : m_pBuf;
}

CArchive::~CArchive() {
  if (m_pFile != NULL && !(m_nMode & bNoFlushOnDelete)) {
    try {
      Close();
    } catch (CException* e) {
      e->Delete();  // a destructor must not throw; call Close() to see the error
    }
  }
  if (!m_bUserBuf) delete[] m_pBuf;
  delete m_pMaps;
}

void CArchive::ThrowArchive(int cause) const { AfxThrowArchiveException(cause, m_strFileName); }

void CArchive::CheckMode(bool storing) const {
  if (m_pFile == NULL) ThrowArchive(CArchiveException::genericException);
  if (storing && IsLoading()) ThrowArchive(CArchiveException::readOnly);
  if (!storing && IsStoring()) ThrowArchive(CArchiveException::writeOnly);
}

UINT CArchive::GetObjectSchema() {
  UINT n = m_nObjectSchema;
  m_nObjectSchema = static_cast<UINT>(-1);  // each object reads its schema once
  return n;
}

void CArchive::FillBuffer() {
  UINT got = m_pFile->Read(m_pBuf, m_nBufSize);
  m_pCur = m_pBuf;
  m_pEnd = m_pBuf + got;
}

UINT CArchive::Read(void* lpBuf, UINT nMax) {
  CheckMode(false);
  if (nMax == 0) return 0;
  if (lpBuf == NULL) AfxThrowInvalidArgException();
  BYTE* dst = static_cast<BYTE*>(lpBuf);
  UINT done = 0;
  while (done < nMax) {
    if (m_pCur == m_pEnd) {
      UINT left = nMax - done;
      if (left >= m_nBufSize) {
        UINT got = m_pFile->Read(dst + done, left);
        done += got;
        if (got == 0) break;
        continue;
      }
      FillBuffer();
      if (m_pCur == m_pEnd) break;
    }
    UINT n = static_cast<UINT>(m_pEnd - m_pCur);
    if (n > nMax - done) n = nMax - done;
    memcpy(dst + done, m_pCur, n);
    m_pCur += n;
    done += n;
  }
  return done;
}

void CArchive::Write(const void* lpBuf, UINT nMax) {
  CheckMode(true);
  if (nMax == 0) return;
  if (lpBuf == NULL) AfxThrowInvalidArgException();
  const BYTE* src = static_cast<const BYTE*>(lpBuf);
  UINT room = static_cast<UINT>(m_pEnd - m_pCur);
  if (nMax <= room) {
    memcpy(m_pCur, src, nMax);
    m_pCur += nMax;
    return;
  }
  memcpy(m_pCur, src, room);
  m_pCur += room;
  src += room;
  nMax -= room;
  Flush();
  if (nMax >= m_nBufSize) {
    m_pFile->Write(src, nMax);
    return;
  }
  memcpy(m_pCur, src, nMax);
  m_pCur += nMax;
}

CArchive& CArchive::WriteRaw(const void* p, UINT n) {
  CheckMode(true);
  if (static_cast<UINT>(m_pEnd - m_pCur) >= n) {
    memcpy(m_pCur, p, n);
    m_pCur += n;
  } else {
    Write(p, n);
  }
  return *this;
}

CArchive& CArchive::ReadRaw(void* p, UINT n) {
  CheckMode(false);
  if (static_cast<UINT>(m_pEnd - m_pCur) >= n) {
    memcpy(p, m_pCur, n);
    m_pCur += n;
  } else if (Read(p, n) != n) {
    ThrowArchive(CArchiveException::endOfFile);
  }
  return *this;
}

void CArchive::Flush() {
  if (m_pFile == NULL) return;
  if (IsStoring()) {
    if (m_pCur != m_pBuf) {
      UINT n = static_cast<UINT>(m_pCur - m_pBuf);
      m_pCur = m_pBuf;
      m_pFile->Write(m_pBuf, n);
    }
    m_pFile->Flush();
  } else if (m_pCur != m_pEnd) {
    // Give back what was read ahead, so the file stands after the last byte used.
    m_pFile->Seek(-static_cast<LONGLONG>(m_pEnd - m_pCur), CFile::current);
    m_pCur = m_pEnd = m_pBuf;
  }
}

void CArchive::Close() {
  if (m_pFile == NULL) return;
  Flush();
  m_pFile = NULL;
}

void CArchive::Abort() {
  m_pFile = NULL;
  m_pCur = m_pBuf;
  m_pEnd = IsStoring() ? m_pBuf + m_nBufSize : m_pBuf;
}

// ---------------------------------------------------------------------------------------
// Counts and strings

DWORD_PTR CArchive::ReadCount() {
  WORD w;
  *this >> w;
  if (w != 0xFFFF) return w;
  DWORD dw;
  *this >> dw;
#ifdef _WIN64
  if (dw == 0xFFFFFFFF) {
    ULONGLONG q;
    *this >> q;
    return static_cast<DWORD_PTR>(q);
  }
#endif
  return dw;
}

void CArchive::WriteCount(DWORD_PTR dwCount) {
  if (dwCount < 0xFFFF) {
    *this << static_cast<WORD>(dwCount);
    return;
  }
  *this << static_cast<WORD>(0xFFFF);
#ifdef _WIN64
  if (dwCount >= 0xFFFFFFFF) {
    *this << static_cast<DWORD>(0xFFFFFFFF) << static_cast<ULONGLONG>(dwCount);
    return;
  }
#endif
  *this << static_cast<DWORD>(dwCount);
}

namespace {

void WriteLength(CArchive& ar, ULONGLONG n) {
  if (n < 0xFF) {
    ar << static_cast<BYTE>(n);
    return;
  }
  ar << static_cast<BYTE>(0xFF);
  if (n < 0xFFFE) {
    ar << static_cast<WORD>(n);
    return;
  }
  ar << static_cast<WORD>(0xFFFF);
  if (n < 0xFFFFFFFF) {
    ar << static_cast<DWORD>(n);
    return;
  }
  ar << static_cast<DWORD>(0xFFFFFFFF) << n;
}

// The length of the next string in characters; bWide tells whether it was written wide.
ULONGLONG ReadLength(CArchive& ar, bool& bWide) {
  bWide = false;
  for (;;) {
    BYTE b;
    ar >> b;
    if (b < 0xFF) return b;
    WORD w;
    ar >> w;
    if (w == 0xFFFE) {
      if (bWide) AfxThrowArchiveException(CArchiveException::badIndex, ar.m_strFileName);
      bWide = true;  // the mark of a wide string; its length follows
      continue;
    }
    if (w < 0xFFFF) return w;
    DWORD dw;
    ar >> dw;
    if (dw < 0xFFFFFFFF) return dw;
    ULONGLONG q;
    ar >> q;
    return q;
  }
}

// Reads n units into s, growing it only as data arrives (a forged length cannot make a
// huge allocation); a short read throws endOfFile.
template <typename C>
void ReadUnits(CArchive& ar, CStringT<C>& s, ULONGLONG n) {
  if (n > 0x3FFFFFFF) AfxThrowArchiveException(CArchiveException::badIndex, ar.m_strFileName);
  int total = static_cast<int>(n);
  CStringT<C> out;
  const int chunk = 64 * 1024;
  for (int done = 0; done < total;) {
    int step = total - done < chunk ? total - done : chunk;
    C* p = out.GetBuffer(done + step);
    UINT bytes = static_cast<UINT>(step * sizeof(C));
    if (ar.Read(p + done, bytes) != bytes) {
      out.ReleaseBuffer(0);
      AfxThrowArchiveException(CArchiveException::endOfFile, ar.m_strFileName);
    }
    done += step;
    out.ReleaseBuffer(done);
  }
  s = std::move(out);
}

template <typename C>
void ReadAny(CArchive& ar, CStringT<C>& s) {
  bool wide;
  ULONGLONG n = ReadLength(ar, wide);
  if (wide == (sizeof(C) == sizeof(wchar_t))) {
    ReadUnits(ar, s, n);
  } else if (wide) {
    CStringW w;
    ReadUnits(ar, w, n);
    s = w;
  } else {
    CStringA a;
    ReadUnits(ar, a, n);
    s = a;
  }
}

}  // namespace

void CArchive::WriteStringData(const CStringA& s) {
  WriteLength(*this, static_cast<ULONGLONG>(s.GetLength()));
  Write(s.GetString(), static_cast<UINT>(s.GetLength()));
}

void CArchive::WriteStringData(const CStringW& s) {
  *this << static_cast<BYTE>(0xFF) << static_cast<WORD>(0xFFFE);
  WriteLength(*this, static_cast<ULONGLONG>(s.GetLength()));
  Write(s.GetString(), static_cast<UINT>(s.GetLength() * sizeof(wchar_t)));
}

void CArchive::ReadStringData(CStringA& s) { ReadAny(*this, s); }
void CArchive::ReadStringData(CStringW& s) { ReadAny(*this, s); }

void CArchive::WriteString(LPCTSTR lpsz) {
  if (lpsz == NULL) AfxThrowInvalidArgException();
  Write(lpsz, static_cast<UINT>(lstrlen(lpsz) * sizeof(TCHAR)));
}

// A line of at most nMax characters; "\n", "\r\n" or a lone "\r" ends it and is dropped.
bool CArchive::ReadLine(CString& line, UINT nMax) {
  line.Empty();
  CheckMode(false);
  TCHAR ch;
  bool any = false;
  while (static_cast<UINT>(line.GetLength()) < nMax && Read(&ch, sizeof ch) == sizeof ch) {
    any = true;
    if (ch == _T('\n')) break;
    if (ch == _T('\r')) {
      TCHAR next;
      // The character after a lone "\r" was just read from the buffer and goes back to it.
      if (Read(&next, sizeof next) == sizeof next && next != _T('\n')) m_pCur -= sizeof next;
      break;
    }
    line += ch;
  }
  return any;
}

BOOL CArchive::ReadString(CString& rString) { return ReadLine(rString, static_cast<UINT>(INT_MAX)); }

LPTSTR CArchive::ReadString(LPTSTR lpsz, UINT nMax) {
  if (lpsz == NULL || nMax == 0) AfxThrowInvalidArgException();
  CString line;
  bool any = ReadLine(line, nMax - 1);
  lstrcpyn(lpsz, line, static_cast<int>(nMax));
  return any ? lpsz : NULL;
}

// ---------------------------------------------------------------------------------------
// Objects

void CArchive::MapObject(const CObject* pOb) {
  if (IsStoring()) {
    if (pOb && m_pMaps->store.find(pOb) == m_pMaps->store.end()) {
      if (m_pMaps->count >= nMaxMapCount) ThrowArchive(CArchiveException::badIndex);
      m_pMaps->store.emplace(pOb, m_pMaps->count++);
    }
  } else {
    if (m_pMaps->count >= nMaxMapCount) ThrowArchive(CArchiveException::badIndex);
    m_pMaps->load.push_back({const_cast<CObject*>(pOb), false, 0});
    m_pMaps->count++;
  }
}

void CArchive::WriteClass(const CRuntimeClass* pClassRef) {
  if (pClassRef == NULL) AfxThrowInvalidArgException();
  CheckMode(true);
  if (pClassRef->m_wSchema == 0xFFFF) AfxThrowNotSupportedException();  // not serializable
  auto it = m_pMaps->store.find(pClassRef);
  if (it != m_pMaps->store.end()) {
    DWORD index = it->second;
    if (index < wBigObjectTag)
      *this << static_cast<WORD>(wClassTag | index);
    else
      *this << wBigObjectTag << static_cast<DWORD>(dwBigClassTag | index);
    return;
  }
  if (m_pMaps->count >= nMaxMapCount) ThrowArchive(CArchiveException::badIndex);
  size_t len = strlen(pClassRef->m_lpszClassName);
  if (len == 0 || len >= static_cast<size_t>(nMaxClassName)) ThrowArchive(CArchiveException::badClass);
  *this << wNewClassTag << static_cast<WORD>(pClassRef->m_wSchema & ~VERSIONABLE_SCHEMA) << static_cast<WORD>(len);
  Write(pClassRef->m_lpszClassName, static_cast<UINT>(len));
  m_pMaps->store.emplace(pClassRef, m_pMaps->count++);
}

void CArchive::WriteObject(const CObject* pOb) {
  CheckMode(true);
  if (pOb == NULL) {
    *this << wNullTag;
    return;
  }
  auto it = m_pMaps->store.find(pOb);
  if (it != m_pMaps->store.end()) {
    DWORD index = it->second;
    if (index < wBigObjectTag)
      *this << static_cast<WORD>(index);
    else
      *this << wBigObjectTag << index;
    return;
  }
  WriteClass(pOb->GetRuntimeClass());
  if (m_pMaps->count >= nMaxMapCount) ThrowArchive(CArchiveException::badIndex);
  m_pMaps->store.emplace(pOb, m_pMaps->count++);
  const_cast<CObject*>(pOb)->Serialize(*this);
}

CRuntimeClass* CArchive::ReadClass(const CRuntimeClass* pClassRefRequested, UINT* pSchema, DWORD* pObTag) {
  CheckMode(false);
  WORD tag;
  *this >> tag;
  DWORD obTag;
  if (tag == wBigObjectTag)
    *this >> obTag;
  else
    obTag = (static_cast<DWORD>(tag & wClassTag) << 16) | (tag & ~wClassTag);

  if (!(obTag & dwBigClassTag)) {
    // An object reference (or null), not a class.
    if (pObTag == NULL) ThrowArchive(CArchiveException::badIndex);
    *pObTag = obTag;
    return NULL;
  }

  CRuntimeClass* pClass = NULL;
  UINT schema = 0;
  if (tag == wNewClassTag) {
    WORD wSchema, len;
    *this >> wSchema >> len;
    if (len == 0 || len >= nMaxClassName) ThrowArchive(CArchiveException::badClass);
    char name[nMaxClassName];
    if (Read(name, len) != len) ThrowArchive(CArchiveException::endOfFile);
    name[len] = 0;
    pClass = CRuntimeClass::FromName(name);
    if (pClass == NULL || pClass->m_wSchema == 0xFFFF) ThrowArchive(CArchiveException::badClass);
    schema = wSchema;
    if ((pClass->m_wSchema & ~VERSIONABLE_SCHEMA) != schema && !(pClass->m_wSchema & VERSIONABLE_SCHEMA))
      ThrowArchive(CArchiveException::badSchema);
    if (m_pMaps->count >= nMaxMapCount) ThrowArchive(CArchiveException::badIndex);
    m_pMaps->load.push_back({pClass, true, schema});
    m_pMaps->count++;
  } else {
    DWORD index = obTag & ~dwBigClassTag;
    if (index == 0 || index >= m_pMaps->load.size() || !m_pMaps->load[index].isClass)
      ThrowArchive(CArchiveException::badIndex);
    pClass = static_cast<CRuntimeClass*>(m_pMaps->load[index].p);
    schema = m_pMaps->load[index].schema;
  }
  if (pClassRefRequested && !pClass->IsDerivedFrom(pClassRefRequested)) ThrowArchive(CArchiveException::badClass);
  if (pSchema) *pSchema = schema;
  if (pObTag) *pObTag = 0;
  return pClass;
}

void CArchive::SerializeClass(const CRuntimeClass* pClassRef) {
  if (IsStoring())
    WriteClass(pClassRef);
  else
    ReadClass(pClassRef, &m_nObjectSchema);
}

CObject* CArchive::ReadObject(const CRuntimeClass* pClassRefRequested) {
  UINT schema = 0;
  DWORD obTag = 0;
  CRuntimeClass* pClass = ReadClass(pClassRefRequested, &schema, &obTag);
  if (pClass == NULL) {
    if (obTag == 0) return NULL;
    if (obTag >= m_pMaps->load.size() || m_pMaps->load[obTag].isClass || m_pMaps->load[obTag].p == NULL)
      ThrowArchive(CArchiveException::badIndex);
    CObject* pOb = static_cast<CObject*>(m_pMaps->load[obTag].p);
    if (pClassRefRequested && !pOb->IsKindOf(pClassRefRequested)) ThrowArchive(CArchiveException::badClass);
    return pOb;
  }
  CObject* pOb = pClass->CreateObject();
  if (pOb == NULL) ThrowArchive(CArchiveException::badClass);
  size_t index = m_pMaps->load.size();
  try {
    MapObject(pOb);
    m_nObjectSchema = schema;
    pOb->Serialize(*this);
  } catch (...) {
    // The half-read object is freed; its index no longer resolves.
    if (index < m_pMaps->load.size()) m_pMaps->load[index].p = NULL;
    delete pOb;
    throw;
  }
  return pOb;
}
