// Collections: CArray, CList and CMap with their named forms (CPtrArray, CObList,
// CMapStringToPtr...) and the typed pointer wrappers (CTypedPtrArray, CTypedPtrList,
// CTypedPtrMap). An index outside an array, or a position or head of an empty list, throws
// CInvalidArgException.
#pragma once
#include "fw_archive.h"

#include <stdint.h>
#include <type_traits>
#include <utility>

struct __POSITION {};
typedef __POSITION* POSITION;
#define BEFORE_START_POSITION ((POSITION)-1L)

// ---------------------------------------------------------------------------------------
// Element helpers; specialise them for a type of your own.

// Binary form of plain values; strings and object pointers have their own forms. A type
// that is neither cannot be stored byte-wise and throws CNotSupportedException.
template <class TYPE>
void AFXAPI SerializeElements(CArchive& ar, TYPE* pElements, INT_PTR nCount) {
  if constexpr (std::is_trivially_copyable<TYPE>::value) {
    UINT nBytes = static_cast<UINT>(nCount * sizeof(TYPE));
    if (ar.IsStoring()) {
      ar.Write(pElements, nBytes);
    } else if (ar.Read(pElements, nBytes) != nBytes) {
      AfxThrowArchiveException(CArchiveException::endOfFile);
    }
  } else {
    (void)ar, (void)pElements, (void)nCount;
    AfxThrowNotSupportedException();
  }
}
template <>
inline void AFXAPI SerializeElements<CStringA>(CArchive& ar, CStringA* p, INT_PTR n) {
  for (INT_PTR i = 0; i < n; ++i) ar.IsStoring() ? (void)(ar << p[i]) : (void)(ar >> p[i]);
}
template <>
inline void AFXAPI SerializeElements<CStringW>(CArchive& ar, CStringW* p, INT_PTR n) {
  for (INT_PTR i = 0; i < n; ++i) ar.IsStoring() ? (void)(ar << p[i]) : (void)(ar >> p[i]);
}
template <>
inline void AFXAPI SerializeElements<CObject*>(CArchive& ar, CObject** p, INT_PTR n) {
  for (INT_PTR i = 0; i < n; ++i) ar.IsStoring() ? (void)(ar << p[i]) : (void)(ar >> p[i]);
}

template <class TYPE, class ARG_TYPE>
BOOL AFXAPI CompareElements(const TYPE* pElement1, const ARG_TYPE* pElement2) {
  return *pElement1 == *pElement2;
}

namespace fwcoll {
FW_API UINT HashString(const char* s);
FW_API UINT HashString(const wchar_t* s);
inline UINT Mix(unsigned long long v) {
  v ^= v >> 33;
  v *= 0xff51afd7ed558ccdULL;
  v ^= v >> 33;
  return static_cast<UINT>(v);
}
template <class T>
UINT Hash(const T& key) {
  typedef typename std::remove_cv<typename std::remove_pointer<T>::type>::type Pointee;
  if constexpr (std::is_pointer<T>::value && (std::is_same<Pointee, char>::value || std::is_same<Pointee, wchar_t>::value))
    return key ? HashString(key) : 0;
  else if constexpr (std::is_pointer<T>::value)
    return Mix(reinterpret_cast<ULONG_PTR>(key));
  else
    return Mix(static_cast<unsigned long long>(key));
}
inline UINT Hash(const CStringA& key) { return HashString(key.GetString()); }
inline UINT Hash(const CStringW& key) { return HashString(key.GetString()); }
}  // namespace fwcoll

// Hash of a key: integers and pointers are mixed so that neighbouring ids spread over the
// whole table; text keys hash their characters.
template <class ARG_KEY>
inline UINT AFXAPI HashKey(ARG_KEY key) {
  return fwcoll::Hash(key);
}

// ---------------------------------------------------------------------------------------
// CArray

template <class TYPE, class ARG_TYPE = const TYPE&>
class CArray : public CObject {
 public:
  CArray() = default;
  ~CArray() override { Release(); }

  INT_PTR GetSize() const { return m_nSize; }
  INT_PTR GetCount() const { return m_nSize; }
  BOOL IsEmpty() const { return m_nSize == 0; }
  INT_PTR GetUpperBound() const { return m_nSize - 1; }

  // New elements are value-initialised (zero for plain types).
  void SetSize(INT_PTR nNewSize, INT_PTR nGrowBy = -1) {
    if (nNewSize < 0) AfxThrowInvalidArgException();
    if (nGrowBy >= 0) m_nGrowBy = nGrowBy;
    if (nNewSize > m_nMaxSize) Reserve(nNewSize, true);
    for (INT_PTR i = m_nSize; i < nNewSize; ++i) new (m_pData + i) TYPE();
    for (INT_PTR i = nNewSize; i < m_nSize; ++i) m_pData[i].~TYPE();
    m_nSize = nNewSize;
    if (m_nSize == 0 && nGrowBy == -1) Release();
  }
  void FreeExtra() {
    if (m_nSize != m_nMaxSize) Reserve(m_nSize, false);
  }
  void RemoveAll() { SetSize(0, -1); }

  const TYPE& GetAt(INT_PTR nIndex) const { return m_pData[Checked(nIndex)]; }
  TYPE& GetAt(INT_PTR nIndex) { return m_pData[Checked(nIndex)]; }
  void SetAt(INT_PTR nIndex, ARG_TYPE newElement) { m_pData[Checked(nIndex)] = newElement; }
  const TYPE& ElementAt(INT_PTR nIndex) const { return m_pData[Checked(nIndex)]; }
  TYPE& ElementAt(INT_PTR nIndex) { return m_pData[Checked(nIndex)]; }
  const TYPE& operator[](INT_PTR nIndex) const { return m_pData[Checked(nIndex)]; }
  TYPE& operator[](INT_PTR nIndex) { return m_pData[Checked(nIndex)]; }
  const TYPE* GetData() const { return m_pData; }
  TYPE* GetData() { return m_pData; }

  // newElement may be an element of this array.
  void SetAtGrow(INT_PTR nIndex, ARG_TYPE newElement) {
    if (nIndex < 0) AfxThrowInvalidArgException();
    if (nIndex < m_nSize) {
      m_pData[nIndex] = newElement;
      return;
    }
    TYPE copy(newElement);
    SetSize(nIndex + 1, -1);
    m_pData[nIndex] = std::move(copy);
  }
  INT_PTR Add(ARG_TYPE newElement) {
    INT_PTR i = m_nSize;
    if (i < m_nMaxSize) {
      new (m_pData + i) TYPE(newElement);
    } else {
      TYPE copy(newElement);
      Reserve(i + 1, true);
      new (m_pData + i) TYPE(std::move(copy));
    }
    m_nSize = i + 1;
    return i;
  }
  INT_PTR Append(const CArray& src) {
    INT_PTR old = m_nSize, n = src.m_nSize;
    if (old + n > m_nMaxSize) Reserve(old + n, true);  // src may be this array
    for (INT_PTR i = 0; i < n; ++i) new (m_pData + old + i) TYPE(src.m_pData[i]);
    m_nSize = old + n;
    return old;
  }
  void Copy(const CArray& src) {
    if (this == &src) return;
    SetSize(src.m_nSize);
    for (INT_PTR i = 0; i < m_nSize; ++i) m_pData[i] = src.m_pData[i];
  }

  void InsertAt(INT_PTR nIndex, ARG_TYPE newElement, INT_PTR nCount = 1) {
    if (nIndex < 0 || nCount <= 0) AfxThrowInvalidArgException();
    TYPE copy(newElement);
    if (nIndex >= m_nSize) {
      SetSize(nIndex + nCount, -1);
    } else {
      OpenGap(nIndex, nCount);
    }
    for (INT_PTR i = 0; i < nCount; ++i) m_pData[nIndex + i] = copy;
  }
  void InsertAt(INT_PTR nStartIndex, const CArray* pNewArray) {
    if (pNewArray == NULL || nStartIndex < 0) AfxThrowInvalidArgException();
    if (pNewArray->m_nSize == 0) return;
    CArray copy;  // pNewArray may be this array
    copy.Append(*pNewArray);
    INT_PTR n = copy.m_nSize;
    if (nStartIndex >= m_nSize)
      SetSize(nStartIndex + n, -1);
    else
      OpenGap(nStartIndex, n);
    for (INT_PTR i = 0; i < n; ++i) m_pData[nStartIndex + i] = std::move(copy.m_pData[i]);
  }
  void RemoveAt(INT_PTR nIndex, INT_PTR nCount = 1) {
    if (nIndex < 0 || nCount < 0 || nIndex > m_nSize - nCount) AfxThrowInvalidArgException();
    for (INT_PTR i = nIndex; i + nCount < m_nSize; ++i) m_pData[i] = std::move(m_pData[i + nCount]);
    for (INT_PTR i = m_nSize - nCount; i < m_nSize; ++i) m_pData[i].~TYPE();
    m_nSize -= nCount;
  }

  void Serialize(CArchive& ar) override {
    CObject::Serialize(ar);
    if (ar.IsStoring()) {
      ar.WriteCount(m_nSize);
      SerializeElements<TYPE>(ar, m_pData, m_nSize);
      return;
    }
    // Grow only as the data arrives: a forged count cannot make a huge allocation.
    DWORD_PTR n = ar.ReadCount();
    RemoveAll();
    const INT_PTR chunk = 4096;
    for (DWORD_PTR done = 0; done < n;) {
      INT_PTR step = static_cast<INT_PTR>(n - done < static_cast<DWORD_PTR>(chunk) ? n - done : chunk);
      SetSize(static_cast<INT_PTR>(done) + step);
      SerializeElements<TYPE>(ar, m_pData + done, step);
      done += step;
    }
  }

 protected:
  TYPE* m_pData = NULL;
  INT_PTR m_nSize = 0;
  INT_PTR m_nMaxSize = 0;
  INT_PTR m_nGrowBy = -1;

 private:
  INT_PTR Checked(INT_PTR nIndex) const {
    if (nIndex < 0 || nIndex >= m_nSize) AfxThrowInvalidArgException();
    return nIndex;
  }
  void Release() {
    for (INT_PTR i = 0; i < m_nSize; ++i) m_pData[i].~TYPE();
    ::operator delete(m_pData);
    m_pData = NULL;
    m_nSize = m_nMaxSize = 0;
  }
  // Moves the elements to a buffer of (at least, when growing) nNeeded elements.
  void Reserve(INT_PTR nNeeded, bool grow) {
    INT_PTR cap = nNeeded;
    if (grow) {
      INT_PTR step = m_nGrowBy > 0 ? m_nGrowBy : (m_nMaxSize / 2 < 4 ? 4 : m_nMaxSize / 2);
      if (cap < m_nMaxSize + step) cap = m_nMaxSize + step;
    }
    if (cap > static_cast<INT_PTR>(PTRDIFF_MAX / sizeof(TYPE))) AfxThrowMemoryException();
    TYPE* fresh = NULL;
    if (cap) {
      fresh = static_cast<TYPE*>(::operator new(cap * sizeof(TYPE), std::nothrow));
      if (fresh == NULL) AfxThrowMemoryException();
    }
    for (INT_PTR i = 0; i < m_nSize; ++i) {
      new (fresh + i) TYPE(std::move(m_pData[i]));
      m_pData[i].~TYPE();
    }
    ::operator delete(m_pData);
    m_pData = fresh;
    m_nMaxSize = cap;
  }
  // Makes room for n elements at nIndex < m_nSize; the gap holds value-initialised elements.
  void OpenGap(INT_PTR nIndex, INT_PTR n) {
    INT_PTR old = m_nSize;
    SetSize(old + n, -1);
    for (INT_PTR i = old - 1; i >= nIndex; --i) m_pData[i + n] = std::move(m_pData[i]);
    for (INT_PTR i = nIndex; i < nIndex + n; ++i) m_pData[i] = TYPE();
  }
};

#define FW_NAMED_ARRAY(name, type, arg_type, declare)                 \
  class FW_API name : public CArray<type, arg_type> {                 \
    declare(name)                                                     \
  };

FW_NAMED_ARRAY(CByteArray, BYTE, BYTE, DECLARE_SERIAL)
FW_NAMED_ARRAY(CWordArray, WORD, WORD, DECLARE_SERIAL)
FW_NAMED_ARRAY(CDWordArray, DWORD, DWORD, DECLARE_SERIAL)
FW_NAMED_ARRAY(CUIntArray, UINT, UINT, DECLARE_DYNAMIC)
FW_NAMED_ARRAY(CPtrArray, void*, void*, DECLARE_DYNAMIC)
FW_NAMED_ARRAY(CObArray, CObject*, CObject*, DECLARE_SERIAL)
FW_NAMED_ARRAY(CStringArray, CString, const CString&, DECLARE_SERIAL)

// An array of TYPE pointers over CPtrArray or CObArray.
template <class BASE_CLASS, class TYPE>
class CTypedPtrArray : public BASE_CLASS {
  typedef typename std::remove_reference<decltype(std::declval<BASE_CLASS&>().GetAt(0))>::type BaseElement;
  static TYPE& Ref(BaseElement& e) { return reinterpret_cast<TYPE&>(e); }

 public:
  TYPE GetAt(INT_PTR nIndex) const { return static_cast<TYPE>(BASE_CLASS::GetAt(nIndex)); }
  TYPE& ElementAt(INT_PTR nIndex) { return Ref(BASE_CLASS::ElementAt(nIndex)); }
  void SetAt(INT_PTR nIndex, TYPE ptr) { BASE_CLASS::SetAt(nIndex, ptr); }
  void SetAtGrow(INT_PTR nIndex, TYPE newElement) { BASE_CLASS::SetAtGrow(nIndex, newElement); }
  INT_PTR Add(TYPE newElement) { return BASE_CLASS::Add(newElement); }
  INT_PTR Append(const CTypedPtrArray& src) { return BASE_CLASS::Append(src); }
  void Copy(const CTypedPtrArray& src) { BASE_CLASS::Copy(src); }
  void InsertAt(INT_PTR nIndex, TYPE newElement, INT_PTR nCount = 1) { BASE_CLASS::InsertAt(nIndex, newElement, nCount); }
  void InsertAt(INT_PTR nStartIndex, CTypedPtrArray* pNewArray) { BASE_CLASS::InsertAt(nStartIndex, pNewArray); }
  TYPE operator[](INT_PTR nIndex) const { return GetAt(nIndex); }
  TYPE& operator[](INT_PTR nIndex) { return ElementAt(nIndex); }
  TYPE* GetData() { return reinterpret_cast<TYPE*>(BASE_CLASS::GetData()); }
  const TYPE* GetData() const { return reinterpret_cast<const TYPE*>(BASE_CLASS::GetData()); }
};

// ---------------------------------------------------------------------------------------
// CList

template <class TYPE, class ARG_TYPE = const TYPE&>
class CList : public CObject {
 protected:
  struct CNode {
    template <class A>
    explicit CNode(A&& v) : data(std::forward<A>(v)) {}
    CNode* pNext = NULL;
    CNode* pPrev = NULL;
    TYPE data;
  };

 public:
  explicit CList(INT_PTR nBlockSize = 10) { (void)nBlockSize; }
  ~CList() override { RemoveAll(); }

  INT_PTR GetCount() const { return m_nCount; }
  INT_PTR GetSize() const { return m_nCount; }
  BOOL IsEmpty() const { return m_nCount == 0; }

  TYPE& GetHead() { return NonEmpty(m_pNodeHead)->data; }
  const TYPE& GetHead() const { return NonEmpty(m_pNodeHead)->data; }
  TYPE& GetTail() { return NonEmpty(m_pNodeTail)->data; }
  const TYPE& GetTail() const { return NonEmpty(m_pNodeTail)->data; }
  TYPE RemoveHead() {
    CNode* n = NonEmpty(m_pNodeHead);
    TYPE v(std::move(n->data));
    Unlink(n);
    return v;
  }
  TYPE RemoveTail() {
    CNode* n = NonEmpty(m_pNodeTail);
    TYPE v(std::move(n->data));
    Unlink(n);
    return v;
  }

  POSITION AddHead(ARG_TYPE newElement) { return Link(new CNode(newElement), NULL, m_pNodeHead); }
  POSITION AddTail(ARG_TYPE newElement) { return Link(new CNode(newElement), m_pNodeTail, NULL); }
  // Adds copies of the elements of pNewList (which may be this list).
  void AddHead(const CList* pNewList) {
    if (pNewList == NULL) AfxThrowInvalidArgException();
    INT_PTR n = pNewList->m_nCount;
    CNode* p = pNewList->m_pNodeTail;
    for (INT_PTR i = 0; i < n; ++i, p = p->pPrev) AddHead(p->data);
  }
  void AddTail(const CList* pNewList) {
    if (pNewList == NULL) AfxThrowInvalidArgException();
    INT_PTR n = pNewList->m_nCount;
    CNode* p = pNewList->m_pNodeHead;
    for (INT_PTR i = 0; i < n; ++i, p = p->pNext) AddTail(p->data);
  }
  void RemoveAll() {
    for (CNode* p = m_pNodeHead; p;) {
      CNode* next = p->pNext;
      delete p;
      p = next;
    }
    m_pNodeHead = m_pNodeTail = NULL;
    m_nCount = 0;
  }

  POSITION GetHeadPosition() const { return reinterpret_cast<POSITION>(m_pNodeHead); }
  POSITION GetTailPosition() const { return reinterpret_cast<POSITION>(m_pNodeTail); }
  TYPE& GetNext(POSITION& rPosition) {
    CNode* n = Node(rPosition);
    rPosition = reinterpret_cast<POSITION>(n->pNext);
    return n->data;
  }
  const TYPE& GetNext(POSITION& rPosition) const {
    CNode* n = Node(rPosition);
    rPosition = reinterpret_cast<POSITION>(n->pNext);
    return n->data;
  }
  TYPE& GetPrev(POSITION& rPosition) {
    CNode* n = Node(rPosition);
    rPosition = reinterpret_cast<POSITION>(n->pPrev);
    return n->data;
  }
  const TYPE& GetPrev(POSITION& rPosition) const {
    CNode* n = Node(rPosition);
    rPosition = reinterpret_cast<POSITION>(n->pPrev);
    return n->data;
  }
  TYPE& GetAt(POSITION position) { return Node(position)->data; }
  const TYPE& GetAt(POSITION position) const { return Node(position)->data; }
  void SetAt(POSITION pos, ARG_TYPE newElement) { Node(pos)->data = newElement; }
  void RemoveAt(POSITION position) { Unlink(Node(position)); }
  POSITION InsertBefore(POSITION position, ARG_TYPE newElement) {
    if (position == NULL) return AddHead(newElement);
    CNode* at = Node(position);
    return Link(new CNode(newElement), at->pPrev, at);
  }
  POSITION InsertAfter(POSITION position, ARG_TYPE newElement) {
    if (position == NULL) return AddTail(newElement);
    CNode* at = Node(position);
    return Link(new CNode(newElement), at, at->pNext);
  }

  // The first element equal to searchValue after startAfter (from the head when NULL).
  POSITION Find(ARG_TYPE searchValue, POSITION startAfter = NULL) const {
    CNode* p = startAfter ? Node(startAfter)->pNext : m_pNodeHead;
    for (; p; p = p->pNext)
      if (CompareElements<TYPE, typename std::remove_reference<ARG_TYPE>::type>(&p->data, &searchValue))
        return reinterpret_cast<POSITION>(p);
    return NULL;
  }
  // The position of element nIndex; NULL when out of range.
  POSITION FindIndex(INT_PTR nIndex) const {
    if (nIndex < 0 || nIndex >= m_nCount) return NULL;
    CNode* p = m_pNodeHead;
    while (nIndex--) p = p->pNext;
    return reinterpret_cast<POSITION>(p);
  }

  void Serialize(CArchive& ar) override {
    CObject::Serialize(ar);
    if (ar.IsStoring()) {
      ar.WriteCount(m_nCount);
      for (CNode* p = m_pNodeHead; p; p = p->pNext) SerializeElements<TYPE>(ar, &p->data, 1);
      return;
    }
    DWORD_PTR n = ar.ReadCount();
    for (DWORD_PTR i = 0; i < n; ++i) {
      TYPE v{};
      SerializeElements<TYPE>(ar, &v, 1);
      AddTail(v);
    }
  }

 protected:
  CNode* m_pNodeHead = NULL;
  CNode* m_pNodeTail = NULL;
  INT_PTR m_nCount = 0;

 private:
  static CNode* Node(POSITION pos) {
    if (pos == NULL || pos == BEFORE_START_POSITION) AfxThrowInvalidArgException();
    return reinterpret_cast<CNode*>(pos);
  }
  static CNode* NonEmpty(CNode* n) {
    if (n == NULL) AfxThrowInvalidArgException();
    return n;
  }
  POSITION Link(CNode* n, CNode* prev, CNode* next) {
    n->pPrev = prev;
    n->pNext = next;
    (prev ? prev->pNext : m_pNodeHead) = n;
    (next ? next->pPrev : m_pNodeTail) = n;
    ++m_nCount;
    return reinterpret_cast<POSITION>(n);
  }
  void Unlink(CNode* n) {
    (n->pPrev ? n->pPrev->pNext : m_pNodeHead) = n->pNext;
    (n->pNext ? n->pNext->pPrev : m_pNodeTail) = n->pPrev;
    --m_nCount;
    delete n;
  }
};

#define FW_NAMED_LIST(name, type, arg_type, declare)                        \
  class FW_API name : public CList<type, arg_type> {                        \
    declare(name)                                                           \
   public:                                                                  \
    explicit name(INT_PTR nBlockSize = 10) : CList<type, arg_type>(nBlockSize) {} \
  };

FW_NAMED_LIST(CPtrList, void*, void*, DECLARE_DYNAMIC)
FW_NAMED_LIST(CObList, CObject*, CObject*, DECLARE_SERIAL)
FW_NAMED_LIST(CStringList, CString, const CString&, DECLARE_SERIAL)

// A list of TYPE pointers over CPtrList or CObList.
template <class BASE_CLASS, class TYPE>
class CTypedPtrList : public BASE_CLASS {
 public:
  explicit CTypedPtrList(INT_PTR nBlockSize = 10) : BASE_CLASS(nBlockSize) {}
  TYPE& GetHead() { return reinterpret_cast<TYPE&>(BASE_CLASS::GetHead()); }
  TYPE GetHead() const { return static_cast<TYPE>(BASE_CLASS::GetHead()); }
  TYPE& GetTail() { return reinterpret_cast<TYPE&>(BASE_CLASS::GetTail()); }
  TYPE GetTail() const { return static_cast<TYPE>(BASE_CLASS::GetTail()); }
  TYPE RemoveHead() { return static_cast<TYPE>(BASE_CLASS::RemoveHead()); }
  TYPE RemoveTail() { return static_cast<TYPE>(BASE_CLASS::RemoveTail()); }
  TYPE& GetNext(POSITION& rPosition) { return reinterpret_cast<TYPE&>(BASE_CLASS::GetNext(rPosition)); }
  TYPE GetNext(POSITION& rPosition) const { return static_cast<TYPE>(BASE_CLASS::GetNext(rPosition)); }
  TYPE& GetPrev(POSITION& rPosition) { return reinterpret_cast<TYPE&>(BASE_CLASS::GetPrev(rPosition)); }
  TYPE GetPrev(POSITION& rPosition) const { return static_cast<TYPE>(BASE_CLASS::GetPrev(rPosition)); }
  TYPE& GetAt(POSITION position) { return reinterpret_cast<TYPE&>(BASE_CLASS::GetAt(position)); }
  TYPE GetAt(POSITION position) const { return static_cast<TYPE>(BASE_CLASS::GetAt(position)); }
  void SetAt(POSITION pos, TYPE newElement) { BASE_CLASS::SetAt(pos, newElement); }
  POSITION AddHead(TYPE newElement) { return BASE_CLASS::AddHead(newElement); }
  POSITION AddTail(TYPE newElement) { return BASE_CLASS::AddTail(newElement); }
  void AddHead(CTypedPtrList* pNewList) { BASE_CLASS::AddHead(pNewList); }
  void AddTail(CTypedPtrList* pNewList) { BASE_CLASS::AddTail(pNewList); }
  POSITION InsertBefore(POSITION position, TYPE newElement) { return BASE_CLASS::InsertBefore(position, newElement); }
  POSITION InsertAfter(POSITION position, TYPE newElement) { return BASE_CLASS::InsertAfter(position, newElement); }
  POSITION Find(TYPE searchValue, POSITION startAfter = NULL) const { return BASE_CLASS::Find(searchValue, startAfter); }
};

// ---------------------------------------------------------------------------------------
// CMap: a hash table whose size starts at the InitHashTable hint and doubles when it holds
// more entries than buckets, so lookups stay constant-time however many keys it gets.

template <class KEY, class ARG_KEY, class VALUE, class ARG_VALUE>
class CMap : public CObject {
 public:
  typedef KEY BaseKey;
  typedef ARG_KEY BaseArgKey;
  typedef VALUE BaseValue;
  typedef ARG_VALUE BaseArgValue;

  class CPair {
   public:
    const KEY key;
    VALUE value;

   protected:
    explicit CPair(ARG_KEY keyval) : key(keyval), value() {}
  };

 protected:
  class CAssoc : public CPair {
    friend class CMap;
    CAssoc* pNext = NULL;
    UINT nHashValue = 0;

   public:
    CAssoc(ARG_KEY key, UINT hash) : CPair(key), nHashValue(hash) {}
  };

 public:
  explicit CMap(INT_PTR nBlockSize = 10) : m_nBlockSize(nBlockSize > 0 ? nBlockSize : 10) {}
  ~CMap() override { RemoveAll(); }

  INT_PTR GetCount() const { return m_nCount; }
  INT_PTR GetSize() const { return m_nCount; }
  BOOL IsEmpty() const { return m_nCount == 0; }

  BOOL Lookup(ARG_KEY key, VALUE& rValue) const {
    const CAssoc* a = Find(key, HashKey<ARG_KEY>(key));
    if (a == NULL) return FALSE;
    rValue = a->value;
    return TRUE;
  }
  const CPair* PLookup(ARG_KEY key) const { return Find(key, HashKey<ARG_KEY>(key)); }
  CPair* PLookup(ARG_KEY key) { return Find(key, HashKey<ARG_KEY>(key)); }
  // The value of key, added (value-initialised) when missing.
  VALUE& operator[](ARG_KEY key) {
    UINT h = HashKey<ARG_KEY>(key);
    if (CAssoc* a = Find(key, h)) return a->value;
    return Insert(key, h)->value;
  }
  void SetAt(ARG_KEY key, ARG_VALUE newValue) { (*this)[key] = newValue; }
  BOOL RemoveKey(ARG_KEY key) {
    if (m_pHashTable == NULL) return FALSE;
    UINT h = HashKey<ARG_KEY>(key);
    for (CAssoc** pp = &m_pHashTable[h & (m_nHashTableSize - 1)]; *pp; pp = &(*pp)->pNext) {
      CAssoc* a = *pp;
      if (a->nHashValue == h && CompareElements<KEY, typename std::remove_reference<ARG_KEY>::type>(&a->key, &key)) {
        *pp = a->pNext;
        FreeAssoc(a);
        return TRUE;
      }
    }
    return FALSE;
  }
  void RemoveAll() {
    if (m_pHashTable) {
      for (UINT i = 0; i < m_nHashTableSize; ++i)
        for (CAssoc* a = m_pHashTable[i]; a; a = a->pNext) a->~CAssoc();
      delete[] m_pHashTable;
      m_pHashTable = NULL;
    }
    m_nHashTableSize = RoundUp(m_nInitSize);
    m_nCount = 0;
    m_pFreeList = NULL;
    while (m_pBlocks) {
      Block* next = m_pBlocks->pNext;
      ::operator delete(m_pBlocks);
      m_pBlocks = next;
    }
  }

  // Iteration: the entry that GetNextAssoc returned may be removed before the next call.
  POSITION GetStartPosition() const { return reinterpret_cast<POSITION>(FirstFrom(0)); }
  void GetNextAssoc(POSITION& rNextPosition, KEY& rKey, VALUE& rValue) const {
    const CAssoc* a = reinterpret_cast<const CAssoc*>(rNextPosition);
    if (a == NULL || rNextPosition == BEFORE_START_POSITION) AfxThrowInvalidArgException();
    rKey = a->key;
    rValue = a->value;
    rNextPosition = reinterpret_cast<POSITION>(Next(a));
  }
  const CPair* PGetFirstAssoc() const { return FirstFrom(0); }
  CPair* PGetFirstAssoc() { return FirstFrom(0); }
  const CPair* PGetNextAssoc(const CPair* pAssoc) const { return Next(static_cast<const CAssoc*>(pAssoc)); }
  CPair* PGetNextAssoc(const CPair* pAssoc) { return Next(static_cast<const CAssoc*>(pAssoc)); }

  UINT GetHashTableSize() const { return m_nHashTableSize; }
  // hashSize is the least number of buckets; the table still grows with its content.
  void InitHashTable(UINT hashSize, BOOL bAllocNow = TRUE) {
    m_nInitSize = hashSize ? hashSize : 17;
    UINT size = RoundUp(m_nInitSize);
    if (m_pHashTable == NULL) {
      m_nHashTableSize = size;
      if (bAllocNow) AllocTable();
    } else if (size > m_nHashTableSize) {
      Rehash(size);
    }
  }

  void Serialize(CArchive& ar) override {
    CObject::Serialize(ar);
    if (ar.IsStoring()) {
      ar.WriteCount(m_nCount);
      for (CAssoc* a = FirstFrom(0); a; a = Next(a)) {
        SerializeElements<KEY>(ar, const_cast<KEY*>(&a->key), 1);
        SerializeElements<VALUE>(ar, &a->value, 1);
      }
      return;
    }
    DWORD_PTR n = ar.ReadCount();
    for (DWORD_PTR i = 0; i < n; ++i) {
      KEY k{};
      VALUE v{};
      SerializeElements<KEY>(ar, &k, 1);
      SerializeElements<VALUE>(ar, &v, 1);
      (*this)[k] = v;
    }
  }

 protected:
  struct Block {
    Block* pNext;
  };
  CAssoc** m_pHashTable = NULL;
  UINT m_nHashTableSize = 32;
  UINT m_nInitSize = 17;
  INT_PTR m_nCount = 0;
  CAssoc* m_pFreeList = NULL;
  Block* m_pBlocks = NULL;
  INT_PTR m_nBlockSize;

 private:
  static UINT RoundUp(UINT n) {
    UINT size = 16;
    while (size < n && size < 0x40000000u) size <<= 1;
    return size;
  }
  void AllocTable() {
    m_pHashTable = new (std::nothrow) CAssoc*[m_nHashTableSize]();
    if (m_pHashTable == NULL) AfxThrowMemoryException();
  }
  CAssoc* Find(ARG_KEY key, UINT h) const {
    if (m_pHashTable == NULL) return NULL;
    for (CAssoc* a = m_pHashTable[h & (m_nHashTableSize - 1)]; a; a = a->pNext)
      if (a->nHashValue == h && CompareElements<KEY, typename std::remove_reference<ARG_KEY>::type>(&a->key, &key))
        return a;
    return NULL;
  }
  CAssoc* FirstFrom(UINT bucket) const {
    if (m_pHashTable == NULL) return NULL;
    for (UINT i = bucket; i < m_nHashTableSize; ++i)
      if (m_pHashTable[i]) return m_pHashTable[i];
    return NULL;
  }
  CAssoc* Next(const CAssoc* a) const {
    return a->pNext ? a->pNext : FirstFrom((a->nHashValue & (m_nHashTableSize - 1)) + 1);
  }
  void Rehash(UINT size) {
    CAssoc** fresh = new (std::nothrow) CAssoc*[size]();
    if (fresh == NULL) AfxThrowMemoryException();
    if (m_pHashTable) {
      for (UINT i = 0; i < m_nHashTableSize; ++i) {
        for (CAssoc* a = m_pHashTable[i]; a;) {
          CAssoc* next = a->pNext;
          CAssoc*& head = fresh[a->nHashValue & (size - 1)];
          a->pNext = head;
          head = a;
          a = next;
        }
      }
      delete[] m_pHashTable;
    }
    m_pHashTable = fresh;
    m_nHashTableSize = size;
  }
  CAssoc* Insert(ARG_KEY key, UINT h) {
    if (m_pHashTable == NULL) AllocTable();
    if (static_cast<UINT>(m_nCount) >= m_nHashTableSize && m_nHashTableSize < 0x40000000u)
      Rehash(m_nHashTableSize * 2);
    if (m_pFreeList == NULL) {
      // One block of m_nBlockSize entries, threaded onto the free list.
      size_t slot = (sizeof(CAssoc) + alignof(CAssoc) - 1) / alignof(CAssoc) * alignof(CAssoc);
      size_t head = (sizeof(Block) + alignof(CAssoc) - 1) / alignof(CAssoc) * alignof(CAssoc);
      void* raw = ::operator new(head + slot * m_nBlockSize, std::nothrow);
      if (raw == NULL) AfxThrowMemoryException();
      Block* b = static_cast<Block*>(raw);
      b->pNext = m_pBlocks;
      m_pBlocks = b;
      char* base = static_cast<char*>(raw) + head;
      for (INT_PTR i = m_nBlockSize - 1; i >= 0; --i) {
        CAssoc* slotPtr = reinterpret_cast<CAssoc*>(base + i * slot);
        *reinterpret_cast<CAssoc**>(slotPtr) = m_pFreeList;
        m_pFreeList = slotPtr;
      }
    }
    CAssoc* mem = m_pFreeList;
    CAssoc* nextFree = *reinterpret_cast<CAssoc**>(mem);
    CAssoc* a = new (mem) CAssoc(key, h);  // may throw: the slot stays on the free list
    m_pFreeList = nextFree;
    CAssoc*& bucket = m_pHashTable[h & (m_nHashTableSize - 1)];
    a->pNext = bucket;
    bucket = a;
    ++m_nCount;
    return a;
  }
  void FreeAssoc(CAssoc* a) {
    a->~CAssoc();
    *reinterpret_cast<CAssoc**>(a) = m_pFreeList;
    m_pFreeList = a;
    if (--m_nCount == 0) RemoveAll();
  }
};

#define FW_NAMED_MAP(name, key, arg_key, value, arg_value, declare)                     \
  class FW_API name : public CMap<key, arg_key, value, arg_value> {                     \
    declare(name)                                                                       \
   public:                                                                              \
    explicit name(INT_PTR nBlockSize = 10) : CMap<key, arg_key, value, arg_value>(nBlockSize) {} \
  };

FW_NAMED_MAP(CMapWordToPtr, WORD, WORD, void*, void*, DECLARE_DYNAMIC)
FW_NAMED_MAP(CMapWordToOb, WORD, WORD, CObject*, CObject*, DECLARE_SERIAL)
FW_NAMED_MAP(CMapPtrToPtr, void*, void*, void*, void*, DECLARE_DYNAMIC)
FW_NAMED_MAP(CMapPtrToWord, void*, void*, WORD, WORD, DECLARE_DYNAMIC)
FW_NAMED_MAP(CMapStringToPtr, CString, LPCTSTR, void*, void*, DECLARE_DYNAMIC)
FW_NAMED_MAP(CMapStringToOb, CString, LPCTSTR, CObject*, CObject*, DECLARE_SERIAL)
FW_NAMED_MAP(CMapStringToString, CString, LPCTSTR, CString, LPCTSTR, DECLARE_SERIAL)

// A map of typed pointers (or keys) over one of the named maps.
template <class BASE_CLASS, class KEY, class VALUE>
class CTypedPtrMap : public BASE_CLASS {
 public:
  explicit CTypedPtrMap(INT_PTR nBlockSize = 10) : BASE_CLASS(nBlockSize) {}
  BOOL Lookup(typename BASE_CLASS::BaseArgKey key, VALUE& rValue) const {
    typename BASE_CLASS::BaseValue v;
    if (!BASE_CLASS::Lookup(key, v)) return FALSE;
    rValue = static_cast<VALUE>(v);
    return TRUE;
  }
  VALUE& operator[](typename BASE_CLASS::BaseArgKey key) {
    return reinterpret_cast<VALUE&>(BASE_CLASS::operator[](key));
  }
  void SetAt(KEY key, VALUE newValue) { BASE_CLASS::SetAt(key, newValue); }
  BOOL RemoveKey(KEY key) { return BASE_CLASS::RemoveKey(key); }
  void GetNextAssoc(POSITION& rPosition, KEY& rKey, VALUE& rValue) const {
    typename BASE_CLASS::BaseKey k;
    typename BASE_CLASS::BaseValue v;
    BASE_CLASS::GetNextAssoc(rPosition, k, v);
    rKey = static_cast<KEY>(k);
    rValue = static_cast<VALUE>(v);
  }
};
