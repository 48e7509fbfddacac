// The host's file types and their extensions. The host names the extension of each of its
// types at start-up (SetTypeLabel); a type it did not name has no extension.
#pragma once
#include <map>

#include "QvString.h"
#include "vekkel_api.h"

// A file type of the host (its own numbering).
typedef unsigned short QvInternalFileType;

class VEKKEL_API QvGlobalParameters {
 public:
  QvGlobalParameters();
  virtual ~QvGlobalParameters();

  // The type's extension, without "*." ("rep"); an empty or null text forgets it.
  void SetTypeLabel(QvInternalFileType type, const char* extension);
  // The type's extension in `label`; false, with `label` empty, for a type without one.
  bool GetTypeLabel(QvString& label, QvInternalFileType type) const;

 private:
  QvGlobalParameters(const QvGlobalParameters&) = delete;
  QvGlobalParameters& operator=(const QvGlobalParameters&) = delete;
  std::map<QvInternalFileType, QvString> m_labels;
};

// The one set of global parameters of the process (never null).
VEKKEL_API QvGlobalParameters* Get_GlobalParameters();
