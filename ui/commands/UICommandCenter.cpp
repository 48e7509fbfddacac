// The framework command centre.
#include "UICommandCenter.h"

#include "UIImages.h"
#include "UILabelText.h"

#include <vekkel.h>

#include <string.h>

#include <memory>
#include <vector>

namespace {

// Command classes named in the tables by their portable names.
const struct {
  const char* from;
  const char* to;
} kClassNames[] = {
    {"QvCommandForZoomComboBox", "CUICommandForZoomComboBox"},
    {"QvCommandForFontsComboBox", "CUICommandForFontsComboBox"},
    {"QvCommandForSizesComboBox", "CUICommandForSizesComboBox"},
    {"QvCommandForLineComboBox", "CUICommandForLineComboBox"},
    {"QvCommandEditFormulaBar", "CUICommandForFormulaBar"},
};

// The framework writes the menu texts of its recent-file and window-list items itself.
bool HasFrameworkMenuText(WORD id) {
  return (id >= 0xE110 && id <= 0xE118) || id == 0xE210 || (id >= 0xFF00 && id <= 0xFF08);
}

// The command object for a record: a plain command, one of the class its command-class label
// names, or NULL when the record is to be skipped (a drill-depth combo box, or a name that no
// creatable command class bears).
CUICommand* MakeCommand(const tagCOMMAND& record) {
  if (record.dwCommandClassLabel == 0) return new CUICommand;
  QvString label;
  if (!QvFindLabel(record.dwCommandClassLabel, label)) return NULL;
  const char* name = label.c_str();
  if (strcmp(name, "QvCommandForDrillDepthComboBox") == 0 || strcmp(name, "CUICommandForDrillDepthComboBox") == 0)
    return NULL;
  for (const auto& m : kClassNames)
    if (strcmp(name, m.from) == 0) name = m.to;
  CRuntimeClass* cls = CRuntimeClass::FromName(name);
  if (cls == NULL || !cls->IsDerivedFrom(RUNTIME_CLASS(CUICommand))) return NULL;
  return static_cast<CUICommand*>(cls->CreateObject());
}

// Deletes the objects a map owns and empties it.
template <class Map>
void DeleteValues(Map& map) {
  for (POSITION pos = map.GetStartPosition(); pos;) {
    WORD key;
    typename Map::BaseValue value;
    map.GetNextAssoc(pos, key, value);
    delete value;
  }
  map.RemoveAll();
}

BOOL LoadModuleStep(HMODULE module, void* center) {
  static_cast<CUICommandCenter*>(center)->LoadCommands(module);
  return TRUE;
}

}  // namespace

// Puts the records of one module's tables into the centre.
class CUICommandTableSink : public CCommandTableSink {
 public:
  explicit CUICommandTableSink(CUICommandCenter& center) : m_center(center) {}
  void OnSecurityFamily(const tagSECURITY_FAMILY& r) override { m_center.m_mapFamilies.SetAt(r.wFamilyID, r); }
  void OnSecurityCommand(const tagSECURITY_COMMAND& r) override {
    m_center.m_mapSecurityCommands.SetAt(r.dwSecurityID, r);
  }
  void OnCommand(const tagCOMMAND& r) override {
    tagCOMMAND record = r;
    m_center.AddTableCommand(record);
  }
  void OnCategory(const tagCOMMAND_CATEGORY& r) override {
    m_center.m_mapCategories.SetAt(static_cast<WORD>(r.dwCategoryID), r.dwLabel);
  }

 private:
  CUICommandCenter& m_center;
};

CUICommandCenter& CUICommandCenter::GetCommandCenter() {
  static CUICommandCenter center;
  return center;
}

CUICommandCenter::CUICommandCenter() : m_pfnSecurity(NULL) {
  m_mapFamilies.InitHashTable(10);
  m_mapSecurityCommands.InitHashTable(10);
  m_mapCommands.InitHashTable(10);
  m_mapImageLists.InitHashTable(10);
  m_mapCategories.InitHashTable(10);
}

CUICommandCenter::~CUICommandCenter() {
  DeleteValues(m_mapCommands);
  DeleteValues(m_mapImageLists);
}

int CUICommandCenter::Init(UISecurityCallback callback, UINT acceleratorId) {
  if (AfxGetModuleState() == NULL) return 0;
  m_pfnSecurity = callback;
  EnumCommandTableModules(LoadModuleStep, this);
  if (acceleratorId != 0) ApplyAccelerators(acceleratorId);
  return 1;
}

void CUICommandCenter::ApplyAccelerators(UINT acceleratorId) {
  LPCTSTR name = MAKEINTRESOURCE(acceleratorId);
  HINSTANCE module = AfxFindResourceHandle(name, RT_ACCELERATOR);
  HACCEL table = module ? LoadAccelerators(module, name) : NULL;
  if (table == NULL) return;
  int count = CopyAcceleratorTable(table, NULL, 0);
  if (count > 0) {
    std::vector<ACCEL> entries(count);
    count = CopyAcceleratorTable(table, entries.data(), count);
    for (int i = 0; i < count; ++i) {
      CUICommand* command = GetCommand(entries[i].cmd);
      if (command == NULL) continue;
      command->m_wHotKey = entries[i].key;
      command->m_wHotKeyFlags = entries[i].fVirt;
    }
  }
  DestroyAcceleratorTable(table);
}

int CUICommandCenter::LoadCommands(HINSTANCE module) {
  CUICommandTableSink sink(*this);
  ReadCommandTables(module, RT_QVSECURITY_FAMILIES, sink);
  ReadCommandTables(module, RT_QVSECURITY_COMMANDS, sink);
  ReadCommandTables(module, RT_QVCOMMANDS, sink);
  ReadCommandTables(module, RT_QVCOMMAND_CATEGORIES, sink);
  return 1;
}

void CUICommandCenter::AddTableCommand(tagCOMMAND& record) {
  // The first definition of an id wins: later ones are not even made.
  if (GetCommand(record.wID) != NULL) return;
  std::unique_ptr<CUICommand> command(MakeCommand(record));
  if (!command) return;
  *command = record;
  if (HasFrameworkMenuText(record.wID)) command->m_dwMenuLabel = 0;
  if (AddCommand(command.get())) command.release();
}

int CUICommandCenter::AddCommand(CUICommand* command) {
  if (command == NULL || m_mapCommands.PLookup(command->m_wID) != NULL) return 0;
  m_mapCommands.SetAt(command->m_wID, command);
  return 1;
}

CUICommand* CUICommandCenter::RemoveCommand(WORD id) {
  CUICommand* command = NULL;
  if (!m_mapCommands.Lookup(id, command)) return NULL;
  m_mapCommands.RemoveKey(id);
  return command;
}

CUICommand* CUICommandCenter::GetCommand(WORD id) {
  CUICommand* command = NULL;
  return m_mapCommands.Lookup(id, command) ? command : NULL;
}

CUICustomCommand* CUICommandCenter::CreateCustomCommand(WORD key, WORD flags, CString& name, CString& menuText,
                                                        CString& tooltip, CString& message, HBITMAP bitmap) {
  for (UINT id = UI_FIRST_CUSTOM_COMMAND; id <= UI_LAST_CUSTOM_COMMAND; ++id) {
    if (m_mapCommands.PLookup(static_cast<WORD>(id)) != NULL) continue;
    CUICustomCommand* command =
        new CUICustomCommand(this, static_cast<WORD>(id), key, flags, name, menuText, tooltip, message, bitmap);
    AddCommand(command);
    return command;
  }
  return NULL;
}

DWORD CUICommandCenter::GetSecurityCommandStatus(DWORD securityId, int, DWORD commandId) {
  if (m_pfnSecurity == NULL) return UI_SECURITY_ALLOWED;
  DWORD status = m_pfnSecurity(securityId) & 0xFFFF;
  if (status != UI_SECURITY_ALLOWED || commandId == 0) return status;
  return m_pfnSecurity(commandId | UI_SECURITY_COMMAND_BIT) & 0xFFFF;
}

DWORD CUICommandCenter::GetSecurityCommandStatus(CUICommand* command) {
  if (command == NULL) return UI_SECURITY_ALLOWED;
  return GetSecurityCommandStatus(command->m_dwSecurityID, 0, command->m_wID);
}

int CUICommandCenter::GetCategory(WORD id, CString& text) {
  DWORD label = 0;
  if (!m_mapCategories.Lookup(id, label)) return 0;
  UILabelText(label, text);
  return 1;
}

CImageList* CUICommandCenter::GetImageList(WORD commandId) {
  CUICommand* command = GetCommand(commandId);
  if (command == NULL) return NULL;
  CImageList* list = NULL;
  if (m_mapImageLists.Lookup(command->m_wBitmapID, list)) return list;
  HIMAGELIST handle = NULL;
  if (!LoadMaskedImageList(&handle, command->m_wBitmapID, 16) || handle == NULL) return NULL;
  list = new CImageList;
  list->Attach(handle);
  m_mapImageLists.SetAt(command->m_wBitmapID, list);
  return list;
}

void CUICommandCenter::DrawCmdIcon(WORD commandId, CDC* dc, int x, int y, int) {
  CUICommand* command = GetCommand(commandId);
  CImageList* list = command ? GetImageList(commandId) : NULL;
  if (list == NULL || dc == NULL) return;
  list->Draw(dc, command->m_wImageIndex, CPoint(x, y), ILD_TRANSPARENT);
}

const tagSECURITY_FAMILY* CUICommandCenter::GetSecurityFamily(WORD familyId) const {
  auto* pair = m_mapFamilies.PLookup(familyId);
  return pair ? &pair->value : NULL;
}

const tagSECURITY_COMMAND* CUICommandCenter::GetSecurityCommand(DWORD securityId) const {
  auto* pair = m_mapSecurityCommands.PLookup(securityId);
  return pair ? &pair->value : NULL;
}
