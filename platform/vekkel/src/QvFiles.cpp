#include "QvFiles.h"

QvFileDescriptor::QvFileDescriptor(const char* path) : m_path(path) {}
QvFileDescriptor::~QvFileDescriptor() = default;

namespace {
QvString WithFinalBackslash(const char* path) {
  QvString text(path);
  if (!text.IsEmpty() && !text.EndsWith("\\") && !text.EndsWith("/")) text += '\\';
  return text;
}
}  // namespace

QvDirectory::QvDirectory(const char* path) : m_descriptor(WithFinalBackslash(path)) {}
QvDirectory::~QvDirectory() = default;

QvFileMaster::QvFileMaster() = default;
QvFileMaster::~QvFileMaster() = default;

QvDirectory* QvFileMaster::CreateQvDirectoryFromID(int id) {
  const QvString path = GetInternalDirectory(id);
  return path.IsEmpty() ? nullptr : new QvDirectory(path);
}

QvDirectory* QvFileMaster::WINONLY_CreateQvDirectory(const char* path, int) {
  return path == nullptr || *path == 0 ? nullptr : new QvDirectory(path);
}

QvFileDescriptor* QvFileMaster::WINONLY_CreateQvFileDescriptor(const char* path) {
  return path == nullptr || *path == 0 ? nullptr : new QvFileDescriptor(path);
}

QvString QvFileMaster::GetTotalPathFromFilDir(const QvDirectory* directory) const {
  return directory == nullptr ? QvString() : directory->GetFileDescriptor()->WINONLY_GetPath();
}

void QvFileMaster::DestroyQvDirectory(QvDirectory* directory) { delete directory; }
void QvFileMaster::DestroyQvFileDescriptor(QvFileDescriptor* descriptor) { delete descriptor; }

bool QvFileMaster::SetInternalDirectory(int id, const char* path) {
  if (id == QvDirNone) return false;
  if (path == nullptr || *path == 0)
    m_folders.erase(id);
  else
    m_folders[id] = QvString(path);
  return true;
}

QvString QvFileMaster::GetInternalDirectory(int id) const {
  auto it = m_folders.find(id);
  return it == m_folders.end() ? QvString() : it->second;
}

QvFileMaster* Get_GlobalFileMaster() {
  static QvFileMaster master;
  return &master;
}
