// Streams, archives, memory blocks and the document container.
//
// Byte encoding (all integers little-endian):
//   byte / bool            1 byte (bool: 0 or 1; any non-zero byte reads as true)
//   short, unsigned short  2 bytes
//   long, unsigned long    4 bytes (two's complement)
//   double                 8 bytes, IEEE 754
//   text (QvString)        unsigned 32-bit byte count, then the UTF-8 bytes (no terminator)
//   memory block (QvMemory) unsigned 32-bit byte count, then the bytes
//   object                 its class name as text, then what its SerializeOut writes
// An archive starts with the 4 bytes "QvAr" and its version descriptor: version text,
// description text, version number (double).
//
// Reading never goes past the data: a read that finds too few bytes, a count above
// kMaxBlockSize or a malformed value fails. A failure is sticky: the stream is marked
// failed (Failed() answers true), the value read is zero or empty, and every later read
// fails too, so one test after a run of reads is enough. Nothing is allocated for a count
// before its bytes are really there.
#pragma once
#include <stddef.h>
#include <stdint.h>

#include <string>
#include <vector>

#include "QvFirst.h"
#include "QvString.h"

class QvDateTime;

// A block of bytes owned by the object.
class VEKKEL_API QvMemory : public QvFirst {
 public:
  QvMemory() = default;
  explicit QvMemory(size_t size);  // zero-filled
  QvMemory(const void* data, size_t size);
  QvMemory(const QvMemory& other) : QvFirst(other), m_bytes(other.m_bytes) {}
  QvMemory& operator=(const QvMemory& other) {
    m_bytes = other.m_bytes;
    return *this;
  }
  size_t GetSize() const { return m_bytes.size(); }
  bool IsEmpty() const { return m_bytes.empty(); }
  void SetSize(size_t size) { m_bytes.resize(size); }  // new bytes are zero
  void Assign(const void* data, size_t size);
  unsigned char* GetData() { return m_bytes.empty() ? nullptr : reinterpret_cast<unsigned char*>(&m_bytes[0]); }
  const unsigned char* GetData() const {
    return m_bytes.empty() ? nullptr : reinterpret_cast<const unsigned char*>(m_bytes.data());
  }
  bool operator==(const QvMemory& other) const { return m_bytes == other.m_bytes; }

 private:
  std::string m_bytes;
};

class VEKKEL_API QvVirtualOutputStream {
 public:
  virtual ~QvVirtualOutputStream();
  // Writes the bytes; false (and the stream failed) when they cannot all be written.
  bool WriteBytes(const void* data, size_t size);
  bool Failed() const { return m_failed; }
  void SetFailed() { m_failed = true; }
  virtual void Close() {}

  QvVirtualOutputStream& operator<<(bool v);
  QvVirtualOutputStream& operator<<(char v);
  QvVirtualOutputStream& operator<<(unsigned char v);
  QvVirtualOutputStream& operator<<(short v);
  QvVirtualOutputStream& operator<<(unsigned short v);
  QvVirtualOutputStream& operator<<(int v);  // as long
  QvVirtualOutputStream& operator<<(unsigned int v);  // as unsigned long
  QvVirtualOutputStream& operator<<(long v);
  QvVirtualOutputStream& operator<<(unsigned long v);
  QvVirtualOutputStream& operator<<(double v);
  QvVirtualOutputStream& operator<<(const QvString& v);
  QvVirtualOutputStream& operator<<(const char* v);  // null writes the empty text
  QvVirtualOutputStream& operator<<(const QvMemory& v);

 protected:
  // The device: write all the bytes or answer false.
  virtual bool DoWrite(const void* data, size_t size) = 0;

 private:
  bool m_failed = false;
};

class VEKKEL_API QvVirtualInputStream {
 public:
  static const uint32_t kMaxBlockSize = 256u * 1024u * 1024u;

  virtual ~QvVirtualInputStream();
  // Reads exactly size bytes; false (data zeroed, stream failed) when they are not there.
  bool ReadBytes(void* data, size_t size);
  bool Failed() const { return m_failed; }
  // Marks the stream failed: for readers that find a value they cannot accept.
  void SetFailed() { m_failed = true; }
  virtual void Close() {}

  QvVirtualInputStream& operator>>(bool& v);
  QvVirtualInputStream& operator>>(char& v);
  QvVirtualInputStream& operator>>(unsigned char& v);
  QvVirtualInputStream& operator>>(short& v);
  QvVirtualInputStream& operator>>(unsigned short& v);
  QvVirtualInputStream& operator>>(int& v);
  QvVirtualInputStream& operator>>(unsigned int& v);
  QvVirtualInputStream& operator>>(long& v);
  QvVirtualInputStream& operator>>(unsigned long& v);
  QvVirtualInputStream& operator>>(double& v);
  QvVirtualInputStream& operator>>(QvString& v);
  QvVirtualInputStream& operator>>(QvMemory& v);

 protected:
  // The device: read up to size bytes, answer how many were read (0 at the end).
  virtual size_t DoRead(void* data, size_t size) = 0;

 private:
  // Reads a 32-bit count and then that many bytes into out, in pieces.
  bool ReadCounted(std::string& out);
  bool m_failed = false;
};

// Writes into a growing buffer of its own.
class VEKKEL_API QvMemoryOutputStream : public QvVirtualOutputStream {
 public:
  const std::string& GetBytes() const { return m_bytes; }
  std::string TakeBytes();

 protected:
  bool DoWrite(const void* data, size_t size) override;

 private:
  std::string m_bytes;
};

// Reads from bytes that it copies at construction.
class VEKKEL_API QvMemoryInputStream : public QvVirtualInputStream {
 public:
  QvMemoryInputStream(const void* data, size_t size);
  explicit QvMemoryInputStream(const std::string& bytes);
  size_t GetRemaining() const { return m_bytes.size() - m_pos; }

 protected:
  size_t DoRead(void* data, size_t size) override;

 private:
  std::string m_bytes;
  size_t m_pos = 0;
};

// What an archive was written with: a version text ("V1.0.3"), a description
// ("Qv 4 Kernel Page Format") and a version number (1.03).
class VEKKEL_API QvVersionDescriptor : public QvFirst {
 public:
  QvVersionDescriptor() = default;
  QvVersionDescriptor(const char* version, const char* text, double number)
      : m_version(version), m_text(text), m_number(number) {}
  QvVersionDescriptor(const QvVersionDescriptor& other)
      : QvFirst(other), m_version(other.m_version), m_text(other.m_text), m_number(other.m_number) {}
  QvVersionDescriptor& operator=(const QvVersionDescriptor& other) {
    m_version = other.m_version;
    m_text = other.m_text;
    m_number = other.m_number;
    return *this;
  }
  const QvString& GetVersion() const { return m_version; }
  const QvString& GetText() const { return m_text; }
  double GetNumber() const { return m_number; }
  void Set(const char* version, const char* text, double number) {
    m_version = version;
    m_text = text;
    m_number = number;
  }
  // True when this number is at least the given one (compared to four decimals, so that
  // 1.02 read back is at least 1.02).
  bool IsAtLeast(double number) const;
  bool operator==(const QvVersionDescriptor& o) const {
    return m_version == o.m_version && m_text == o.m_text && m_number == o.m_number;
  }

 private:
  QvString m_version;
  QvString m_text;
  double m_number = 0;
};

// Writes the header at construction; every value then goes through to the stream.
class VEKKEL_API QvArchiveOut : public QvVirtualOutputStream {
 public:
  QvArchiveOut(QvVirtualOutputStream& stream, const QvVersionDescriptor& version);
  const QvVersionDescriptor& GetVersion() const { return m_version; }
  // The class name, then the object's fields; a null object is written as an empty name.
  void WriteObject(const QvFirst* object);
  bool IsValid() const { return !Failed(); }

 protected:
  bool DoWrite(const void* data, size_t size) override;

 private:
  QvVirtualOutputStream& m_stream;
  QvVersionDescriptor m_version;
};

// Reads the header at construction. The archive is valid while its header was well formed
// (and, when an expected descriptor is given, its description text matches) and no read
// has failed.
class VEKKEL_API QvArchiveIn : public QvVirtualInputStream {
 public:
  explicit QvArchiveIn(QvVirtualInputStream& stream, const QvVersionDescriptor* expected = nullptr);
  bool IsValid() const { return !Failed(); }
  const QvVersionDescriptor& GetVersion() const { return m_version; }
  // Reads an object written by WriteObject; its class must be registered by name and be
  // the expected class or registered below it (null expects any class). Answers the new
  // object (the caller owns it); null for a null object written, or null and the archive
  // failed.
  QvFirst* ReadObject(const QvRuntimeClass* expected);

 protected:
  size_t DoRead(void* data, size_t size) override;

 private:
  QvVirtualInputStream& m_stream;
  QvVersionDescriptor m_version;
};

class QvContainer;

// A named item of a container: a block of bytes written and read through streams.
class VEKKEL_API QvContainerItem : public QvFirst {
 public:
  const QvString& GetName() const { return m_name; }
  size_t GetSize() const { return m_data.size(); }
  // A stream over a copy of the item's bytes; one at a time, closed by CloseStream.
  QvVirtualInputStream* GetInputStream();
  // A stream whose bytes replace the item's bytes when it is closed without failure;
  // a failed or abandoned write leaves the stored bytes as they were.
  QvVirtualOutputStream* GetOutputStream();
  void CloseStream();
  // Ends a use begun by QvContainer::FindItem or CreateItem (closes an open stream).
  void Release();
  long GetUseCount() const { return m_uses; }

 private:
  friend class QvContainer;
  explicit QvContainerItem(const QvString& name) : m_name(name) {}
  ~QvContainerItem() override;
  QvContainerItem(const QvContainerItem&) = delete;
  QvContainerItem& operator=(const QvContainerItem&) = delete;

  QvString m_name;
  std::string m_data;
  QvVirtualInputStream* m_input = nullptr;
  QvMemoryOutputStream* m_output = nullptr;
  long m_uses = 0;
};

// A document container: named items kept in memory, saved to and loaded from bytes or a file.
// File layout: "QvCt", unsigned 32-bit item count, then per item its name as text and its
// bytes as a memory block.
class VEKKEL_API QvContainer : public QvFirst {
 public:
  QvContainer() = default;
  ~QvContainer() override;

  // The item of that name (exact), null when none; each non-null answer is one use.
  QvContainerItem* FindItem(const char* name);
  // The item of that name, made empty when absent; one use.
  QvContainerItem* CreateItem(const char* name);
  bool RemoveItem(const char* name);  // false when absent or in use
  long GetItemCount() const { return static_cast<long>(m_items.size()); }
  const QvString& GetItemName(long index) const;

  std::string SaveToBytes() const;
  // Replaces the items only when the whole data is well formed; false otherwise, and the
  // container is unchanged.
  bool LoadFromBytes(const void* data, size_t size);
  bool SaveToFile(const wchar_t* path) const;
  bool LoadFromFile(const wchar_t* path);

 private:
  QvContainer(const QvContainer&) = delete;
  QvContainer& operator=(const QvContainer&) = delete;
  void Clear();
  std::vector<QvContainerItem*> m_items;
};
