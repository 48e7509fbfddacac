// Labels: user-visible texts identified by number, read from the resources of the host's
// modules.
//
// Where a label's text is found, in this order (the first module that has it wins):
//   1. the module of every live label manager's resource file, newest manager first;
//   2. the framework's current resource module, then the extension modules of the
//      framework's chain (ordinary before system ones), then the program's own module.
//      (vekkel links the framework's DLL to read that chain, so that a label is found in
//      the same modules as every other resource of the host.)
// In each module a label id up to 65535 is looked up as a string resource (STRINGTABLE);
// any id, including the wider ones such as 390000, is also looked up in the resources of
// the custom type "QVLABELS": a sequence of records, each a 32-bit label id followed by the
// text in UTF-16 ending with a zero character. In a .rc file:
//   1 QVLABELS BEGIN 390000L, L"Monday\0", 390001L, L"Tuesday\0" END
// A truncated record ends the reading of its resource; the records before it stay valid.
//
// Texts are given as UTF-8 (QvString). Label ids 0 and 0xFFFFFFFF name no label and give
// the empty text. A label that is found nowhere gives the text "[label <id>]" so that the
// gap shows on screen; FindLabel tells the two cases apart.
// In display-label-ids mode (Set_bDisplayLabelID(true)) a found label gives
// "[<id>] <text>", so that a reader of the screen can tell which label each text comes from.
#pragma once
#include <windows.h>

#include "QvString.h"
#include "QvSuccess.h"
#include "vekkel_api.h"

// Where the resources of a resource file live.
class VEKKEL_API QvPlateformResFileInfo {
 public:
  explicit QvPlateformResFileInfo(HINSTANCE instance = NULL) : m_instance(instance) {}
  HINSTANCE GetInstance() const { return m_instance; }

 private:
  HINSTANCE m_instance;
};

// A named resource file. The name "<name>" stands for the loaded module "<name>.dll" when
// the process has one, else for the framework's current resource module (the program's
// own module when the framework has none).
class VEKKEL_API QvResourceFile {
 public:
  explicit QvResourceFile(const char* name);
  QvResourceFile(const char* name, HINSTANCE instance);
  virtual ~QvResourceFile();
  const QvString& GetName() const { return m_name; }
  const QvPlateformResFileInfo& GetPlateformInfo() const { return m_info; }

 private:
  QvResourceFile(const QvResourceFile&) = delete;
  QvResourceFile& operator=(const QvResourceFile&) = delete;
  QvString m_name;
  QvPlateformResFileInfo m_info;
};

// Resolves label ids to texts. Every live manager adds its resource file's module to the
// search (see above); the manager does not own the resource file, which may be deleted
// first.
class VEKKEL_API QvLabelManager {
 public:
  explicit QvLabelManager(const QvResourceFile* file);
  virtual ~QvLabelManager();

  // The text of the label as QvGetMyLabel gives it.
  QvString GetLabel(unsigned long id) const;
  // The plain text of the label (display mode ignored); false when no module has it.
  bool FindLabel(unsigned long id, QvString& text) const;
  HINSTANCE GetInstance() const { return m_instance; }

 private:
  QvLabelManager(const QvLabelManager&) = delete;
  QvLabelManager& operator=(const QvLabelManager&) = delete;
  HINSTANCE m_instance;
};

// Makes the resource file of that name and a label manager on it; both belong to the
// caller (delete the resource file, then the manager). Fails, with both set to null, for a
// null or empty name.
VEKKEL_API QvSuccess QvLabelManagerCreationFromResourceName(const char* resourceName,
                                                            QvLabelManager*& manager,
                                                            QvResourceFile*& resourceFile);

// The text of a label, looked up at the time of the call (see above).
VEKKEL_API QvString QvGetMyLabel(unsigned long id);
// The plain text of a label; false, and the text emptied, when no module has it.
VEKKEL_API bool QvFindLabel(unsigned long id, QvString& text);

// Display-label-ids mode, off at load.
VEKKEL_API bool Get_bDisplayLabelID();
VEKKEL_API void Set_bDisplayLabelID(bool display);
