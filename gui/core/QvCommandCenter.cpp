// The portable command centre: its maps, the readers of the command tables, and the lookups
// and rights check that work on the current centre.
#include "QvCommandCenter.h"

#include "CommandTables.h"
#include "QvCommandCenterStart.h"
#include "QvCommandPath.h"
#include "QvCommandTableFiller.h"
#include "UITrace.h"

#include <ulmora.h>

#include <new>

QV_IMPLEMENT_CLASS(QvCommandCenter, nullptr)

namespace {

UlmLogger s_log("QvCommandCenter");

unsigned short s_cmdCenterExists = 0;

const size_t kHashBuckets = 307;

template <class K>
void DeleteAll(QvMapOf<K, QvFirst*>& map) {
  QvPosition pos = map.GetStartPosition();
  while (pos) {
    K key;
    QvFirst* object;
    map.GetNextAssoc(pos, key, object);
    delete object;
  }
  map.RemoveAll();
}

template <class K>
QvFirst* Find(const QvMapOf<K, QvFirst*>& map, K key) {
  QvFirst* object = nullptr;
  return map.Lookup(key, object) ? object : nullptr;
}

// Stores object under key; an earlier object of that key is deleted.
template <class K>
void Replace(QvMapOf<K, QvFirst*>& map, K key, QvFirst* object) {
  QvFirst* old = nullptr;
  if (map.Lookup(key, old) && old != object) delete old;
  map.SetAt(key, object);
}

}  // namespace

namespace qvcommands {
QvCommandCenter* g_commandCenter = nullptr;
QvCmdStatusCallback g_statusCallback = nullptr;
}  // namespace qvcommands

using qvcommands::g_commandCenter;
using qvcommands::g_statusCallback;

// ---------------------------------------------------------------------------------------
// Readers of the tables: one sink fills the centre (or, for another file's security
// commands, an array).

QvCommandTableFiller::QvCommandTableFiller(QvCommandCenter& center, QvArrayLPQvFirst* securityArray)
    : m_center(center), m_securityArray(securityArray), m_version("4.1", "Halvanor Command 4.1", 4.1) {}

void QvCommandTableFiller::OnSecurityFamily(const tagSECURITY_FAMILY& r) {
  m_center.AddSecurityFamily(new QvSecurityFamily(r.wFamilyID, r.dwDescriptionLabel));
}

void QvCommandTableFiller::OnSecurityCommand(const tagSECURITY_COMMAND& r) {
  QvSecurityCommand* command = new QvSecurityCommand;
  command->m_familyID = r.wFamilyID;
  command->m_securityID = r.dwSecurityID;
  command->m_descriptionLabel = r.dwDescriptionLabel;
  command->m_additionalDescriptionLabel = r.dwAdditionalDescriptionLabel;
  command->m_version = m_version;
  if (m_securityArray)
    m_securityArray->Add(command);
  else
    m_center.AddSecurityCommand(command);
}

void QvCommandTableFiller::OnCommand(const tagCOMMAND& r) {
  QvStdCommandDef* def = new QvStdCommandDef;
  def->m_id = r.wID;
  def->m_spare1 = r.wSpare1;
  def->m_checkStyle = r.wCheckStyle;
  def->m_securityID = r.dwSecurityID;
  def->m_bitmapID = r.wBitmapID;
  def->m_imageIndex = r.wImageIndex;
  def->m_defaultKey = r.wKey;
  def->m_defaultModifiers = r.wModifiers;
  def->m_commandClassLabel = r.dwCommandClassLabel;
  def->m_controlClassLabel = r.dwControlClassLabel;
  def->m_nameLabel = r.dwNameLabel;
  def->m_menuLabel = r.dwMenuLabel;
  def->m_popupMenuLabel = r.dwAltMenuLabel;
  def->m_tooltipLabel = r.dwTooltipLabel;
  def->m_messageLabel = r.dwMessageLabel;
  def->m_helpID = r.dwHelpID;
  if (m_center.AddCommandDef(def)) return;
  // The host's tables come first, then the extension modules in chain order: the first
  // definition of an id stays.
  QvString kept, refused;
  if (QvCommandDef* old = m_center.GetCommandDef(r.wID)) old->GetName(kept);
  def->GetName(refused);
  ULM_LOG(s_log, UlmLogger::Debug, "void QvCommandTableFiller::OnCommand(const struct tagCOMMAND &)")
      << "QvCommandCenter::LoadCommandTables - duplicate command, Command ID = " << static_cast<unsigned>(r.wID)
      << ", old name = " << kept.c_str() << ", new name = " << refused.c_str();
  delete def;
}

// ---------------------------------------------------------------------------------------

QvCommandCenter::QvCommandCenter()
    : m_securityFamilies(kHashBuckets), m_securityCommands(kHashBuckets), m_others(kHashBuckets),
      m_commandDefs(kHashBuckets) {
  Set_CmdCenterExists(1);
}

QvCommandCenter::~QvCommandCenter() {
  DeleteAll(m_commandDefs);
  DeleteAll(m_others);
  DeleteAll(m_securityCommands);
  DeleteAll(m_securityFamilies);
}

bool QvCommandCenter::LoadCommandTables() {
  QvCommandTableFiller filler(*this);
  ReadCommandTablesOfChain(RT_QVSECURITY_FAMILIES, filler);
  ReadCommandTablesOfChain(RT_QVSECURITY_COMMANDS, filler);
  ReadCommandTablesOfChain(RT_QVCOMMANDS, filler);
  m_tablesLoaded = true;
  return m_tablesLoaded;
}

// The slot of id, or the free slot where it would go. The table always has a free slot.
size_t QvCommandCenter::IndexSlotOf(unsigned short id) const {
  const size_t mask = m_index.size() - 1;
  size_t i = static_cast<size_t>((static_cast<unsigned>(id) * 2654435761u) >> m_indexShift);
  while (m_index[i].def && m_index[i].id != id) i = (i + 1) & mask;
  return i;
}

// Stores def under its id, in place of the definition there.
void QvCommandCenter::IndexPut(QvCommandDef* def) {
  if (m_commandDefs.GetCount() * 2 > static_cast<long>(m_index.size())) {
    unsigned bits = 4;
    while ((size_t(1) << bits) < static_cast<size_t>(m_commandDefs.GetCount()) * 2) ++bits;
    std::vector<IndexSlot> old(size_t(1) << bits, IndexSlot{nullptr, 0});
    old.swap(m_index);
    m_indexShift = 32 - bits;
    for (const IndexSlot& slot : old)
      if (slot.def) m_index[IndexSlotOf(slot.id)] = slot;
  }
  m_index[IndexSlotOf(def->m_id)] = IndexSlot{def, def->m_id};
}

QvCommandDef* QvCommandCenter::GetCommandDef(unsigned short id) const {
  if (m_index.empty()) return nullptr;
  return m_index[IndexSlotOf(id)].def;
}

QvSecurityFamily* QvCommandCenter::GetSecurityFamily(unsigned short id) const {
  return static_cast<QvSecurityFamily*>(Find(m_securityFamilies, id));
}

QvSecurityCommand* QvCommandCenter::GetSecurityCommand(unsigned long securityId) const {
  return static_cast<QvSecurityCommand*>(Find(m_securityCommands, securityId));
}

bool QvCommandCenter::AddCommandDef(QvCommandDef* def) {
  if (m_commandDefs.Contains(def->m_id)) return false;
  m_commandDefs.SetAt(def->m_id, def);
  IndexPut(def);
  return true;
}

void QvCommandCenter::AddSecurityFamily(QvSecurityFamily* family) {
  Replace(m_securityFamilies, family->m_familyID, family);
}

void QvCommandCenter::AddSecurityCommand(QvSecurityCommand* command) {
  Replace(m_securityCommands, command->m_securityID, command);
}

void QvCommandCenter::ReplaceCommandDef(QvCommandDef* def) {
  Replace(m_commandDefs, def->m_id, def);
  IndexPut(def);
}

unsigned short QvCommandCenter::Get_CmdCenterExists() { return s_cmdCenterExists; }
void QvCommandCenter::Set_CmdCenterExists(unsigned short exists) { s_cmdCenterExists = exists; }

// ---------------------------------------------------------------------------------------

QvCommandCenter* Get_TheCommandCenter() { return g_commandCenter; }
void Set_TheCommandCenter(QvCommandCenter* center) { g_commandCenter = center; }
QvCmdStatusCallback Get_TheCallbackStatusFunction() { return g_statusCallback; }
void Set_TheCallbackStatusFunction(QvCmdStatusCallback callback) { g_statusCallback = callback; }
void GUISetCallbackGetCmdStatusFunction(QvCmdStatusCallback callback) { g_statusCallback = callback; }

bool CreateCommandCenter() {
  QvCommandCenter* center = new (std::nothrow) QvCommandCenter;
  if (!center) {
    UI_TRACE_FAILED(s_log, "new");
    return false;
  }
  Set_TheCommandCenter(center);
  return center->LoadCommandTables();
}

void DestroyCommandCenter() {
  QvCommandCenter* center = Get_TheCommandCenter();
  if (!center) return;
  Set_TheCommandCenter(nullptr);
  delete center;
}

QvSecurityFamily* GUIGetSecurityFamilyFromID(unsigned short familyId) {
  return g_commandCenter ? g_commandCenter->GetSecurityFamily(familyId) : nullptr;
}

QvCommandDef* GUIGetCommandDefFromID(unsigned short id) {
  return g_commandCenter ? g_commandCenter->GetCommandDef(id) : nullptr;
}

QvCommand* GUIGetCommandFromID(unsigned short id) {
  QvCommandDef* def = GUIGetCommandDefFromID(id);
  return def ? def->GetCommand() : nullptr;
}

bool GUIIsValidCommandID(unsigned short id) { return GUIGetCommandDefFromID(id) != nullptr; }

bool GUILoadStdCommands(const QvResourceFile* resourceFile) {
  if (!g_commandCenter || !resourceFile) {
    UI_TRACE_REFUSED(s_log, resourceFile ? "no command centre" : "no resource file");
    return false;
  }
  QvCommandTableFiller filler(*g_commandCenter);
  return ReadCommandTables(resourceFile->GetPlateformInfo().GetInstance(), RT_QVCOMMANDS, filler) != FALSE;
}

unsigned long GUIGetCmdStatus(unsigned long securityId, bool, unsigned long commandId) {
  return qvcommands::Rights(securityId, commandId);
}
