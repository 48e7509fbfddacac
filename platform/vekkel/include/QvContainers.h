// Containers of the maker's library: growable arrays, hashed maps, doubly linked lists and
// a dictionary keyed by text. Every named container (QvArrayUShort, QvMapUShortUShort ...)
// is a class of its own so that it can be declared ahead.
//
// A bad array index, or a head or tail asked of an empty list, throws
// QvException(QvException::IndexOutOfRange). Positions (QvPosition) of maps and lists stay
// valid until their element is removed.
#pragma once
#include <stddef.h>

#include <utility>
#include <vector>

#include <tamrick.h>

#include "QvFirst.h"
#include "QvString.h"

typedef void* QvPosition;

[[noreturn]] inline void QvThrowIndexOutOfRange() {
  throw QvException(QvException::IndexOutOfRange, "container index out of range");
}

// ---------------------------------------------------------------------------------------
// Arrays.
template <class T>
class QvArrayOf : public QvFirst {
 public:
  QvArrayOf() = default;
  QvArrayOf(const QvArrayOf& other) : QvFirst(other), m_items(other.m_items), m_growBy(other.m_growBy) {}
  QvArrayOf& operator=(const QvArrayOf& other) {
    if (this != &other) {
      m_items = other.m_items;
      m_growBy = other.m_growBy;
    }
    return *this;
  }

  long GetSize() const { return static_cast<long>(m_items.size()); }
  long GetCount() const { return GetSize(); }
  long GetUpperBound() const { return GetSize() - 1; }
  bool IsEmpty() const { return m_items.empty(); }

  const T& GetAt(long index) const { return m_items[Checked(index)]; }
  T& ElementAt(long index) { return m_items[Checked(index)]; }
  const T& operator[](long index) const { return GetAt(index); }
  T& operator[](long index) { return ElementAt(index); }
  void SetAt(long index, const T& value) { m_items[Checked(index)] = value; }
  T* GetData() { return m_items.empty() ? nullptr : m_items.data(); }
  const T* GetData() const { return m_items.empty() ? nullptr : m_items.data(); }

  long Add(const T& value) {
    Reserve(m_items.size() + 1);
    m_items.push_back(value);
    return GetSize() - 1;
  }
  long Append(const QvArrayOf& other) {
    long first = GetSize();
    if (&other == this) {
      std::vector<T> copy(m_items);
      m_items.insert(m_items.end(), copy.begin(), copy.end());
    } else {
      m_items.insert(m_items.end(), other.m_items.begin(), other.m_items.end());
    }
    return first;
  }
  void Copy(const QvArrayOf& other) { *this = other; }
  // Grows to index + 1 when needed, then stores.
  void SetAtGrow(long index, const T& value) {
    if (index < 0) QvThrowIndexOutOfRange();
    if (static_cast<size_t>(index) >= m_items.size()) SetSize(index + 1);
    m_items[static_cast<size_t>(index)] = value;
  }
  // Inserts count copies; an index at or past the end grows the array to it first.
  void InsertAt(long index, const T& value, long count = 1) {
    if (index < 0 || count < 0) QvThrowIndexOutOfRange();
    if (static_cast<size_t>(index) > m_items.size()) SetSize(index);
    T copy(value);  // value may live in this array
    m_items.insert(m_items.begin() + index, static_cast<size_t>(count), copy);
  }
  void InsertAt(long index, const QvArrayOf* other) {
    if (!other) return;
    if (index < 0) QvThrowIndexOutOfRange();
    if (static_cast<size_t>(index) > m_items.size()) SetSize(index);
    std::vector<T> copy(other->m_items);
    m_items.insert(m_items.begin() + index, copy.begin(), copy.end());
  }
  void RemoveAt(long index, long count = 1) {
    if (index < 0 || count < 0 || static_cast<size_t>(index) + static_cast<size_t>(count) > m_items.size())
      QvThrowIndexOutOfRange();
    m_items.erase(m_items.begin() + index, m_items.begin() + index + count);
  }
  void RemoveAll() { m_items.clear(); }
  // New elements are value-initialised; growBy -1 keeps the growth step.
  void SetSize(long newSize, long growBy = -1) {
    if (newSize < 0) QvThrowIndexOutOfRange();
    if (growBy != -1) m_growBy = growBy < 0 ? 0 : growBy;
    if (newSize == 0) {
      std::vector<T>().swap(m_items);
      return;
    }
    Reserve(static_cast<size_t>(newSize));
    m_items.resize(static_cast<size_t>(newSize));
  }
  void FreeExtra() { m_items.shrink_to_fit(); }
  // The index of the first element equal to value, -1 when none.
  long Find(const T& value, long start = 0) const {
    for (size_t i = start < 0 ? 0 : static_cast<size_t>(start); i < m_items.size(); ++i)
      if (m_items[i] == value) return static_cast<long>(i);
    return -1;
  }

 private:
  size_t Checked(long index) const {
    if (index < 0 || static_cast<size_t>(index) >= m_items.size()) QvThrowIndexOutOfRange();
    return static_cast<size_t>(index);
  }
  void Reserve(size_t needed) {
    if (needed <= m_items.capacity()) return;
    size_t step = m_growBy ? static_cast<size_t>(m_growBy) : (m_items.size() / 2 < 5 ? 4 : m_items.size() / 2);
    size_t target = m_items.capacity() + step;
    m_items.reserve(needed > target ? needed : target);
  }

  std::vector<T> m_items;
  long m_growBy = 0;  // 0: automatic
};

class QvArrayUShort : public QvArrayOf<unsigned short> {};
class QvArrayShort : public QvArrayOf<short> {};
class QvArrayULong : public QvArrayOf<unsigned long> {};
class QvArraySLong : public QvArrayOf<long> {};
class QvArrayLong : public QvArrayOf<long> {};
class QvArrayQvString : public QvArrayOf<QvString> {};
class QvArrayLPVoid : public QvArrayOf<void*> {};

// Pointers to objects; with deleteObjects set the array owns them and deletes them when
// they are removed with RemoveAll or when the array is destroyed.
class QvArrayLPQvFirst : public QvArrayOf<QvFirst*> {
 public:
  explicit QvArrayLPQvFirst(bool deleteObjects = false) : m_deleteObjects(deleteObjects) {}
  QvArrayLPQvFirst(const QvArrayLPQvFirst& other) : QvArrayOf<QvFirst*>(other), m_deleteObjects(false) {}
  QvArrayLPQvFirst& operator=(const QvArrayLPQvFirst& other) {
    if (this != &other) {
      DeleteObjects();
      QvArrayOf<QvFirst*>::operator=(other);
      m_deleteObjects = false;  // a copy never owns
    }
    return *this;
  }
  ~QvArrayLPQvFirst() override { DeleteObjects(); }
  bool DeletesObjects() const { return m_deleteObjects; }
  void RemoveAll() {
    DeleteObjects();
    QvArrayOf<QvFirst*>::RemoveAll();
  }

 private:
  void DeleteObjects() {
    if (!m_deleteObjects) return;
    for (long i = 0; i < GetSize(); ++i) delete GetAt(i);
    QvArrayOf<QvFirst*>::RemoveAll();
  }
  bool m_deleteObjects;
};

// ---------------------------------------------------------------------------------------
// Hashed maps.
inline size_t QvHashKey(unsigned long key) { return key * 2654435761u; }
inline size_t QvHashKey(unsigned short key) { return QvHashKey(static_cast<unsigned long>(key)); }
inline size_t QvHashKey(long key) { return QvHashKey(static_cast<unsigned long>(key)); }
inline size_t QvHashKey(const void* key) {
  size_t v = reinterpret_cast<size_t>(key);
  return (v >> 4) ^ (v * 2654435761u);
}
inline size_t QvHashKey(const QvString& key) { return key.Hash(); }

// The table has a power of two of buckets, at least the size asked for, and doubles whenever
// the map holds more entries than buckets: lookups stay constant-time at any size. Positions
// stay valid across the growth (the entries do not move), but a walk during which entries are
// added may then see some twice or miss some.
template <class K, class V>
class QvMapOf : public QvFirst {
  struct Node {
    Node* next;
    size_t bucket;
    K key;
    V value;
  };

 public:
  explicit QvMapOf(size_t buckets = 17) { Allocate(buckets ? buckets : 17); }
  QvMapOf(const QvMapOf& other) : QvFirst(other) {
    Allocate(other.m_buckets.size());
    CopyFrom(other);
  }
  QvMapOf& operator=(const QvMapOf& other) {
    if (this != &other) {
      RemoveAll();
      CopyFrom(other);
    }
    return *this;
  }
  ~QvMapOf() override { RemoveAll(); }

  long GetCount() const { return static_cast<long>(m_count); }
  long GetSize() const { return GetCount(); }
  bool IsEmpty() const { return m_count == 0; }
  // Sets the number of buckets; only while the map is empty, as entries would be lost.
  bool InitHashTable(size_t buckets) {
    if (m_count || buckets == 0) return false;
    Allocate(buckets);
    return true;
  }
  size_t GetHashTableSize() const { return m_buckets.size(); }

  bool Lookup(const K& key, V& value) const {
    const Node* n = FindNode(key);
    if (!n) return false;
    value = n->value;
    return true;
  }
  bool Contains(const K& key) const { return FindNode(key) != nullptr; }
  void SetAt(const K& key, const V& value) { (*this)[key] = value; }
  V& operator[](const K& key) {
    Node* n = const_cast<Node*>(FindNode(key));
    if (n) return n->value;
    if (m_count >= m_buckets.size()) Grow();
    size_t b = Bucket(key);
    n = new Node{m_buckets[b], b, key, V()};
    m_buckets[b] = n;
    ++m_count;
    return n->value;
  }
  bool RemoveKey(const K& key) {
    size_t b = Bucket(key);
    for (Node** link = &m_buckets[b]; *link; link = &(*link)->next) {
      if ((*link)->key == key) {
        Node* dead = *link;
        *link = dead->next;
        delete dead;
        --m_count;
        return true;
      }
    }
    return false;
  }
  void RemoveAll() {
    for (Node*& head : m_buckets) {
      while (head) {
        Node* dead = head;
        head = head->next;
        delete dead;
      }
    }
    m_count = 0;
  }

  // Iteration: pos = GetStartPosition(); while (pos) GetNextAssoc(pos, key, value);
  // the entry just returned may be removed during the walk.
  QvPosition GetStartPosition() const { return FirstFrom(0); }
  void GetNextAssoc(QvPosition& pos, K& key, V& value) const {
    const Node* n = static_cast<const Node*>(pos);
    if (!n) QvThrowIndexOutOfRange();
    key = n->key;
    value = n->value;
    pos = n->next ? static_cast<QvPosition>(const_cast<Node*>(n->next)) : FirstFrom(n->bucket + 1);
  }

 private:
  // The top bits of the key's hash mixed once more (the hashes of texts and pointers are
  // weak in their low bits).
  size_t Bucket(const K& key) const {
    return static_cast<size_t>((static_cast<unsigned>(QvHashKey(key)) * 2654435761u) >> m_shift);
  }
  // A table of the next power of two of at least `buckets` (2 at least), empty.
  void Allocate(size_t buckets) {
    unsigned bits = 1;
    while (bits < 31 && (size_t(1) << bits) < buckets) ++bits;
    m_buckets.assign(size_t(1) << bits, nullptr);
    m_shift = 32 - bits;
  }
  // Twice the buckets, the entries moved over in place.
  void Grow() {
    if (m_shift <= 1) return;
    std::vector<Node*> old;
    old.swap(m_buckets);
    Allocate(old.size() * 2);
    for (Node* head : old) {
      while (head) {
        Node* n = head;
        head = head->next;
        n->bucket = Bucket(n->key);
        n->next = m_buckets[n->bucket];
        m_buckets[n->bucket] = n;
      }
    }
  }
  const Node* FindNode(const K& key) const {
    for (const Node* n = m_buckets[Bucket(key)]; n; n = n->next)
      if (n->key == key) return n;
    return nullptr;
  }
  QvPosition FirstFrom(size_t bucket) const {
    for (size_t b = bucket; b < m_buckets.size(); ++b)
      if (m_buckets[b]) return m_buckets[b];
    return nullptr;
  }
  void CopyFrom(const QvMapOf& other) {
    for (const Node* head : other.m_buckets)
      for (const Node* n = head; n; n = n->next) SetAt(n->key, n->value);
  }

  std::vector<Node*> m_buckets;
  unsigned m_shift = 31;  // 32 less the bits of the bucket count
  size_t m_count = 0;
};

class QvMapUShortUShort : public QvMapOf<unsigned short, unsigned short> {
 public:
  using QvMapOf::QvMapOf;
};
class QvMapUShortLPQvFirst : public QvMapOf<unsigned short, QvFirst*> {
 public:
  using QvMapOf::QvMapOf;
};
class QvMapULongLPQvFirst : public QvMapOf<unsigned long, QvFirst*> {
 public:
  using QvMapOf::QvMapOf;
};
class QvMapLPVoidLPVoid : public QvMapOf<void*, void*> {
 public:
  using QvMapOf::QvMapOf;
};
// Text keys, compared exactly.
class QvDictionaryLPVoid : public QvMapOf<QvString, void*> {
 public:
  using QvMapOf::QvMapOf;
};

// ---------------------------------------------------------------------------------------
// Doubly linked lists.
template <class T>
class QvListOf : public QvFirst {
  struct Node {
    Node* prev;
    Node* next;
    T value;
  };

 public:
  QvListOf() = default;
  QvListOf(const QvListOf& other) : QvFirst(other) { AddTail(other); }
  QvListOf& operator=(const QvListOf& other) {
    if (this != &other) {
      RemoveAll();
      AddTail(other);
    }
    return *this;
  }
  ~QvListOf() override { RemoveAll(); }

  long GetCount() const { return static_cast<long>(m_count); }
  long GetSize() const { return GetCount(); }
  bool IsEmpty() const { return m_count == 0; }

  T& GetHead() { return NonEmpty(m_head)->value; }
  const T& GetHead() const { return NonEmpty(m_head)->value; }
  T& GetTail() { return NonEmpty(m_tail)->value; }
  const T& GetTail() const { return NonEmpty(m_tail)->value; }
  T RemoveHead() {
    T v = GetHead();
    RemoveAt(m_head);
    return v;
  }
  T RemoveTail() {
    T v = GetTail();
    RemoveAt(m_tail);
    return v;
  }
  QvPosition AddHead(const T& value) { return InsertBefore(m_head, value); }
  QvPosition AddTail(const T& value) { return InsertAfter(m_tail, value); }
  void AddTail(const QvListOf& other) {
    if (&other == this) {
      QvListOf copy(other);
      AddTail(copy);
      return;
    }
    for (const Node* n = other.m_head; n; n = n->next) AddTail(n->value);
  }
  // A null position inserts at the head (before) or the tail (after).
  QvPosition InsertBefore(QvPosition pos, const T& value) {
    Node* at = static_cast<Node*>(pos);
    if (!at) at = m_head;
    Node* n = new Node{at ? at->prev : m_tail, at, value};
    Link(n);
    return n;
  }
  QvPosition InsertAfter(QvPosition pos, const T& value) {
    Node* at = static_cast<Node*>(pos);
    if (!at) at = m_tail;
    Node* n = new Node{at, at ? at->next : nullptr, value};
    Link(n);
    return n;
  }
  void RemoveAt(QvPosition pos) {
    Node* n = NonEmpty(static_cast<Node*>(pos));
    (n->prev ? n->prev->next : m_head) = n->next;
    (n->next ? n->next->prev : m_tail) = n->prev;
    delete n;
    --m_count;
  }
  void RemoveAll() {
    while (m_head) {
      Node* dead = m_head;
      m_head = m_head->next;
      delete dead;
    }
    m_tail = nullptr;
    m_count = 0;
  }

  QvPosition GetHeadPosition() const { return m_head; }
  QvPosition GetTailPosition() const { return m_tail; }
  // The element at pos; pos moves to the next (previous) element, null after the last.
  T& GetNext(QvPosition& pos) { return Step(pos, true)->value; }
  const T& GetNext(QvPosition& pos) const { return Step(pos, true)->value; }
  T& GetPrev(QvPosition& pos) { return Step(pos, false)->value; }
  const T& GetPrev(QvPosition& pos) const { return Step(pos, false)->value; }
  T& GetAt(QvPosition pos) { return NonEmpty(static_cast<Node*>(pos))->value; }
  const T& GetAt(QvPosition pos) const { return NonEmpty(static_cast<Node*>(pos))->value; }
  void SetAt(QvPosition pos, const T& value) { NonEmpty(static_cast<Node*>(pos))->value = value; }
  // The position of the first element equal to value after start (from the head when
  // start is null), null when none.
  QvPosition Find(const T& value, QvPosition start = nullptr) const {
    const Node* n = start ? static_cast<const Node*>(start)->next : m_head;
    for (; n; n = n->next)
      if (n->value == value) return const_cast<Node*>(n);
    return nullptr;
  }
  // The position of the element at that index, null when out of range.
  QvPosition FindIndex(long index) const {
    if (index < 0 || static_cast<size_t>(index) >= m_count) return nullptr;
    const Node* n = m_head;
    while (index-- > 0) n = n->next;
    return const_cast<Node*>(n);
  }

 private:
  static Node* NonEmpty(Node* n) {
    if (!n) QvThrowIndexOutOfRange();
    return n;
  }
  static Node* Step(QvPosition& pos, bool forward) {
    Node* n = NonEmpty(static_cast<Node*>(pos));
    pos = forward ? n->next : n->prev;
    return n;
  }
  void Link(Node* n) {
    (n->prev ? n->prev->next : m_head) = n;
    (n->next ? n->next->prev : m_tail) = n;
    ++m_count;
  }

  Node* m_head = nullptr;
  Node* m_tail = nullptr;
  size_t m_count = 0;
};

class QvListLPVoid : public QvListOf<void*> {};
class QvListLPQvFirst : public QvListOf<QvFirst*> {};
class QvListQvString : public QvListOf<QvString> {};
