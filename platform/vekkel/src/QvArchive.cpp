#include "QvArchive.h"

#include <windows.h>
#include <math.h>
#include <string.h>

#include <new>

#include <tamrick.h>

namespace {

const char kArchiveMagic[4] = {'Q', 'v', 'A', 'r'};
const char kContainerMagic[4] = {'Q', 'v', 'C', 't'};
const size_t kReadPiece = 64 * 1024;

template <class U>
void PutLE(unsigned char* out, U v, size_t n) {
  for (size_t i = 0; i < n; ++i) out[i] = static_cast<unsigned char>(static_cast<uint64_t>(v) >> (8 * i));
}
uint64_t GetLE(const unsigned char* in, size_t n) {
  uint64_t v = 0;
  for (size_t i = 0; i < n; ++i) v |= static_cast<uint64_t>(in[i]) << (8 * i);
  return v;
}

}  // namespace

// ---------------------------------------------------------------------------------------
QvMemory::QvMemory(size_t size) : m_bytes(size, '\0') {}
QvMemory::QvMemory(const void* data, size_t size) { Assign(data, size); }
void QvMemory::Assign(const void* data, size_t size) {
  if (data)
    m_bytes.assign(static_cast<const char*>(data), size);
  else
    m_bytes.assign(size, '\0');
}

// ---------------------------------------------------------------------------------------
QvVirtualOutputStream::~QvVirtualOutputStream() = default;

bool QvVirtualOutputStream::WriteBytes(const void* data, size_t size) {
  if (m_failed) return false;
  if (size == 0) return true;
  if (!data || !DoWrite(data, size)) m_failed = true;
  return !m_failed;
}

namespace {
template <class U>
QvVirtualOutputStream& WriteLE(QvVirtualOutputStream& s, U v, size_t n) {
  unsigned char buf[8];
  PutLE(buf, v, n);
  s.WriteBytes(buf, n);
  return s;
}
QvVirtualOutputStream& WriteCounted(QvVirtualOutputStream& s, const void* data, size_t size) {
  if (size > QvVirtualInputStream::kMaxBlockSize) {
    s.SetFailed();  // could not be read back: refuse rather than write it
    return s;
  }
  WriteLE(s, static_cast<uint32_t>(size), 4);
  s.WriteBytes(data, size);
  return s;
}
}  // namespace

QvVirtualOutputStream& QvVirtualOutputStream::operator<<(bool v) { return WriteLE(*this, v ? 1u : 0u, 1); }
QvVirtualOutputStream& QvVirtualOutputStream::operator<<(char v) { return WriteLE(*this, static_cast<unsigned char>(v), 1); }
QvVirtualOutputStream& QvVirtualOutputStream::operator<<(unsigned char v) { return WriteLE(*this, v, 1); }
QvVirtualOutputStream& QvVirtualOutputStream::operator<<(short v) { return WriteLE(*this, static_cast<uint16_t>(v), 2); }
QvVirtualOutputStream& QvVirtualOutputStream::operator<<(unsigned short v) { return WriteLE(*this, v, 2); }
QvVirtualOutputStream& QvVirtualOutputStream::operator<<(int v) { return WriteLE(*this, static_cast<uint32_t>(v), 4); }
QvVirtualOutputStream& QvVirtualOutputStream::operator<<(unsigned int v) { return WriteLE(*this, static_cast<uint32_t>(v), 4); }
QvVirtualOutputStream& QvVirtualOutputStream::operator<<(long v) { return WriteLE(*this, static_cast<uint32_t>(v), 4); }
QvVirtualOutputStream& QvVirtualOutputStream::operator<<(unsigned long v) { return WriteLE(*this, static_cast<uint32_t>(v), 4); }
QvVirtualOutputStream& QvVirtualOutputStream::operator<<(double v) {
  uint64_t bits;
  memcpy(&bits, &v, 8);
  return WriteLE(*this, bits, 8);
}
QvVirtualOutputStream& QvVirtualOutputStream::operator<<(const QvString& v) {
  return WriteCounted(*this, v.c_str(), v.GetLength());
}
QvVirtualOutputStream& QvVirtualOutputStream::operator<<(const char* v) {
  return WriteCounted(*this, v ? v : "", v ? strlen(v) : 0);
}
QvVirtualOutputStream& QvVirtualOutputStream::operator<<(const QvMemory& v) {
  return WriteCounted(*this, v.GetData(), v.GetSize());
}

// ---------------------------------------------------------------------------------------
QvVirtualInputStream::~QvVirtualInputStream() = default;

bool QvVirtualInputStream::ReadBytes(void* data, size_t size) {
  unsigned char* out = static_cast<unsigned char*>(data);
  size_t done = 0;
  while (!m_failed && done < size) {
    size_t n = DoRead(out + done, size - done);
    if (n == 0 || n > size - done) m_failed = true;
    else done += n;
  }
  if (m_failed && size) memset(data, 0, size);
  return !m_failed;
}

bool QvVirtualInputStream::ReadCounted(std::string& out) {
  out.clear();
  unsigned char buf[4];
  if (!ReadBytes(buf, 4)) return false;
  uint64_t size = GetLE(buf, 4);
  if (size > kMaxBlockSize) {
    m_failed = true;
    return false;
  }
  // Grow piece by piece: a count larger than the data fails at the end of the data
  // without a large allocation first.
  while (out.size() < size) {
    size_t piece = static_cast<size_t>(size - out.size());
    if (piece > kReadPiece) piece = kReadPiece;
    size_t at = out.size();
    out.resize(at + piece);
    if (!ReadBytes(&out[at], piece)) {
      out.clear();
      return false;
    }
  }
  return true;
}

namespace {
uint64_t ReadLE(QvVirtualInputStream& s, size_t n) {
  unsigned char buf[8] = {};
  s.ReadBytes(buf, n);
  return GetLE(buf, n);
}
}  // namespace

QvVirtualInputStream& QvVirtualInputStream::operator>>(bool& v) {
  v = ReadLE(*this, 1) != 0;
  return *this;
}
QvVirtualInputStream& QvVirtualInputStream::operator>>(char& v) {
  v = static_cast<char>(ReadLE(*this, 1));
  return *this;
}
QvVirtualInputStream& QvVirtualInputStream::operator>>(unsigned char& v) {
  v = static_cast<unsigned char>(ReadLE(*this, 1));
  return *this;
}
QvVirtualInputStream& QvVirtualInputStream::operator>>(short& v) {
  v = static_cast<short>(static_cast<uint16_t>(ReadLE(*this, 2)));
  return *this;
}
QvVirtualInputStream& QvVirtualInputStream::operator>>(unsigned short& v) {
  v = static_cast<unsigned short>(ReadLE(*this, 2));
  return *this;
}
QvVirtualInputStream& QvVirtualInputStream::operator>>(int& v) {
  v = static_cast<int>(static_cast<uint32_t>(ReadLE(*this, 4)));
  return *this;
}
QvVirtualInputStream& QvVirtualInputStream::operator>>(unsigned int& v) {
  v = static_cast<unsigned int>(ReadLE(*this, 4));
  return *this;
}
QvVirtualInputStream& QvVirtualInputStream::operator>>(long& v) {
  v = static_cast<long>(static_cast<int32_t>(static_cast<uint32_t>(ReadLE(*this, 4))));
  return *this;
}
QvVirtualInputStream& QvVirtualInputStream::operator>>(unsigned long& v) {
  v = static_cast<unsigned long>(ReadLE(*this, 4));
  return *this;
}
QvVirtualInputStream& QvVirtualInputStream::operator>>(double& v) {
  uint64_t bits = ReadLE(*this, 8);
  memcpy(&v, &bits, 8);
  return *this;
}
QvVirtualInputStream& QvVirtualInputStream::operator>>(QvString& v) {
  std::string bytes = v.TakeUtf8();  // the text's storage is reused
  ReadCounted(bytes);
  v = QvString(std::move(bytes));
  return *this;
}
QvVirtualInputStream& QvVirtualInputStream::operator>>(QvMemory& v) {
  std::string bytes;
  ReadCounted(bytes);
  v.Assign(bytes.data(), bytes.size());
  return *this;
}

// ---------------------------------------------------------------------------------------
std::string QvMemoryOutputStream::TakeBytes() {
  std::string out;
  out.swap(m_bytes);
  return out;
}
bool QvMemoryOutputStream::DoWrite(const void* data, size_t size) {
  try {
    m_bytes.append(static_cast<const char*>(data), size);
  } catch (const std::bad_alloc&) {
    return false;
  }
  return true;
}

QvMemoryInputStream::QvMemoryInputStream(const void* data, size_t size)
    : m_bytes(data ? std::string(static_cast<const char*>(data), size) : std::string()) {}
QvMemoryInputStream::QvMemoryInputStream(const std::string& bytes) : m_bytes(bytes) {}
size_t QvMemoryInputStream::DoRead(void* data, size_t size) {
  size_t n = m_bytes.size() - m_pos;
  if (n > size) n = size;
  memcpy(data, m_bytes.data() + m_pos, n);
  m_pos += n;
  return n;
}

// ---------------------------------------------------------------------------------------
bool QvVersionDescriptor::IsAtLeast(double number) const {
  return llround(m_number * 10000.0) >= llround(number * 10000.0);
}

QvArchiveOut::QvArchiveOut(QvVirtualOutputStream& stream, const QvVersionDescriptor& version)
    : m_stream(stream), m_version(version) {
  WriteBytes(kArchiveMagic, 4);
  *this << version.GetVersion() << version.GetText() << version.GetNumber();
}

bool QvArchiveOut::DoWrite(const void* data, size_t size) { return m_stream.WriteBytes(data, size); }

void QvArchiveOut::WriteObject(const QvFirst* object) {
  if (!object) {
    *this << "";
    return;
  }
  const QvRuntimeClass* rc = object->GetRuntimeClass();
  *this << (rc ? rc->GetName() : "");
  const_cast<QvFirst*>(object)->SerializeOut(*this);
}

QvArchiveIn::QvArchiveIn(QvVirtualInputStream& stream, const QvVersionDescriptor* expected) : m_stream(stream) {
  char magic[4];
  if (!ReadBytes(magic, 4) || memcmp(magic, kArchiveMagic, 4) != 0) {
    SetFailed();
    return;
  }
  QvString version, text;
  double number = 0;
  *this >> version >> text >> number;
  if (Failed() || !isfinite(number)) {
    SetFailed();
    return;
  }
  m_version.Set(version.c_str(), text.c_str(), number);
  if (expected && expected->GetText() != text) SetFailed();
}

size_t QvArchiveIn::DoRead(void* data, size_t size) {
  return m_stream.ReadBytes(data, size) ? size : 0;
}

QvFirst* QvArchiveIn::ReadObject(const QvRuntimeClass* expected) {
  QvString name;
  *this >> name;
  if (Failed() || name.IsEmpty()) return nullptr;  // an empty name is a null object
  const QvRuntimeClass* rc = QvRuntimeClass::FromClassName(name.c_str());
  if (!rc || (expected && !rc->IsDerivedFrom(expected) && expected != &QvFirst::classQvFirst)) {
    SetFailed();
    return nullptr;
  }
  QvFirst* object = rc->CreateObject();
  if (!object) {
    SetFailed();
    return nullptr;
  }
  object->SerializeIn(*this);
  if (Failed()) {
    delete object;
    return nullptr;
  }
  return object;
}

// ---------------------------------------------------------------------------------------
QvContainerItem::~QvContainerItem() {
  delete m_input;
  delete m_output;
}

QvVirtualInputStream* QvContainerItem::GetInputStream() {
  CloseStream();
  m_input = new QvMemoryInputStream(m_data);
  return m_input;
}

QvVirtualOutputStream* QvContainerItem::GetOutputStream() {
  CloseStream();
  m_output = new QvMemoryOutputStream;
  return m_output;
}

void QvContainerItem::CloseStream() {
  if (m_output && !m_output->Failed()) m_data = m_output->TakeBytes();
  delete m_output;
  m_output = nullptr;
  delete m_input;
  m_input = nullptr;
}

void QvContainerItem::Release() {
  CloseStream();
  if (m_uses > 0) --m_uses;
}

QvContainer::~QvContainer() { Clear(); }

void QvContainer::Clear() {
  for (QvContainerItem* item : m_items) delete item;
  m_items.clear();
}

QvContainerItem* QvContainer::FindItem(const char* name) {
  if (!name) return nullptr;
  for (QvContainerItem* item : m_items) {
    if (item->m_name == name) {
      ++item->m_uses;
      return item;
    }
  }
  return nullptr;
}

QvContainerItem* QvContainer::CreateItem(const char* name) {
  if (!name) return nullptr;
  if (QvContainerItem* found = FindItem(name)) return found;
  QvContainerItem* item = new QvContainerItem(QvString(name));
  m_items.push_back(item);
  ++item->m_uses;
  return item;
}

bool QvContainer::RemoveItem(const char* name) {
  for (size_t i = 0; name && i < m_items.size(); ++i) {
    if (m_items[i]->m_name == name) {
      if (m_items[i]->m_uses > 0) return false;
      delete m_items[i];
      m_items.erase(m_items.begin() + static_cast<long>(i));
      return true;
    }
  }
  return false;
}

const QvString& QvContainer::GetItemName(long index) const {
  if (index < 0 || static_cast<size_t>(index) >= m_items.size())
    throw QvException(QvException::IndexOutOfRange, "container item index out of range");
  return m_items[static_cast<size_t>(index)]->m_name;
}

std::string QvContainer::SaveToBytes() const {
  QvMemoryOutputStream out;
  out.WriteBytes(kContainerMagic, 4);
  out << static_cast<unsigned long>(m_items.size());
  for (const QvContainerItem* item : m_items) {
    // Bytes still in an open output stream are not part of the item yet.
    out << item->m_name << QvMemory(item->m_data.data(), item->m_data.size());
  }
  return out.TakeBytes();
}

bool QvContainer::LoadFromBytes(const void* data, size_t size) {
  for (QvContainerItem* item : m_items)
    if (item->m_uses > 0) return false;  // items in use cannot be replaced
  QvMemoryInputStream in(data, size);
  char magic[4];
  if (!in.ReadBytes(magic, 4) || memcmp(magic, kContainerMagic, 4) != 0) return false;
  unsigned long count = 0;
  in >> count;
  std::vector<QvContainerItem*> items;
  try {
    for (unsigned long i = 0; i < count && !in.Failed(); ++i) {
      QvString name;
      QvMemory bytes;
      in >> name >> bytes;
      if (in.Failed()) break;
      items.push_back(nullptr);
      items.back() = new QvContainerItem(name);
      if (bytes.GetSize()) items.back()->m_data.assign(reinterpret_cast<const char*>(bytes.GetData()), bytes.GetSize());
    }
  } catch (const std::bad_alloc&) {
    in.SetFailed();
  }
  // A short read or trailing bytes mean the data is not what this container wrote.
  if (in.Failed() || in.GetRemaining() != 0) {
    for (QvContainerItem* item : items) delete item;
    return false;
  }
  Clear();
  m_items.swap(items);
  return true;
}

bool QvContainer::SaveToFile(const wchar_t* path) const {
  if (!path) return false;
  std::string bytes = SaveToBytes();
  HANDLE file = CreateFileW(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  BOOL ok = bytes.size() <= 0xFFFFFFFFu &&
            WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
            written == bytes.size();
  CloseHandle(file);
  if (!ok) DeleteFileW(path);
  return ok != FALSE;
}

bool QvContainer::LoadFromFile(const wchar_t* path) {
  if (!path) return false;
  HANDLE file = CreateFileW(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  LARGE_INTEGER size;
  bool ok = GetFileSizeEx(file, &size) && size.QuadPart <= QvVirtualInputStream::kMaxBlockSize;
  std::string bytes;
  if (ok) {
    bytes.resize(static_cast<size_t>(size.QuadPart));
    DWORD read = 0;
    ok = bytes.empty() ||
         (ReadFile(file, &bytes[0], static_cast<DWORD>(bytes.size()), &read, nullptr) && read == bytes.size());
  }
  CloseHandle(file);
  return ok && LoadFromBytes(bytes.data(), bytes.size());
}
