// Files and folders as the host's portable code names them: a file descriptor (a path), a
// directory object (a folder with its descriptor), and the file master that makes and
// releases both and knows the host's own folders by internal id.
//
// Paths are UTF-8. A folder's path ends with a backslash. The internal folders are the
// host's: it names each one (SetInternalDirectory) at start-up; an id without a folder gives
// no directory object.
#pragma once
#include <map>

#include "QvString.h"
#include "vekkel_api.h"

// The host's folders known by id (-1: none).
enum QvInternalDirectoryId : int {
  QvDirNone = -1,
  QvDirReports = 27,    // the user's reports (*.rep)
  QvDirTemplates = 30,  // report templates (*.ret)
  QvDirResults = 31,    // saved report results (*.rea)
};

class VEKKEL_API QvFileDescriptor {
 public:
  explicit QvFileDescriptor(const char* path);  // null: no path
  virtual ~QvFileDescriptor();
  // The full path; empty when the descriptor has none.
  const QvString& WINONLY_GetPath() const { return m_path; }

 private:
  QvFileDescriptor(const QvFileDescriptor&) = delete;
  QvFileDescriptor& operator=(const QvFileDescriptor&) = delete;
  QvString m_path;
};

class VEKKEL_API QvDirectory {
 public:
  explicit QvDirectory(const char* path);  // a final backslash is added when missing
  virtual ~QvDirectory();
  const QvFileDescriptor* GetFileDescriptor() const { return &m_descriptor; }

 private:
  QvDirectory(const QvDirectory&) = delete;
  QvDirectory& operator=(const QvDirectory&) = delete;
  QvFileDescriptor m_descriptor;
};

class VEKKEL_API QvFileMaster {
 public:
  QvFileMaster();
  virtual ~QvFileMaster();

  // A new directory object of the host's folder with that id (the caller releases it with
  // DestroyQvDirectory); null when the host named no folder for the id.
  QvDirectory* CreateQvDirectoryFromID(int id);
  // A new directory object of a folder path; null for a null or empty path. The second
  // argument is not used.
  QvDirectory* WINONLY_CreateQvDirectory(const char* path, int reserved);
  // A new descriptor of a file path; null for a null or empty path.
  QvFileDescriptor* WINONLY_CreateQvFileDescriptor(const char* path);
  // The whole path of a directory object (ending with a backslash); empty for null.
  QvString GetTotalPathFromFilDir(const QvDirectory* directory) const;
  void DestroyQvDirectory(QvDirectory* directory);
  void DestroyQvFileDescriptor(QvFileDescriptor* descriptor);

  // The host's folder of an id; a null or empty path forgets it. False for id -1.
  bool SetInternalDirectory(int id, const char* path);
  // Empty when the host named none.
  QvString GetInternalDirectory(int id) const;

 private:
  QvFileMaster(const QvFileMaster&) = delete;
  QvFileMaster& operator=(const QvFileMaster&) = delete;
  std::map<int, QvString> m_folders;
};

// The one file master of the process (never null).
VEKKEL_API QvFileMaster* Get_GlobalFileMaster();
