// The portable command centre: its maps, the readers of the command tables, and the lookups
// and rights check that work on the current centre.
#include "QvCommandCenter.h"

#include "CommandTables.h"
#include "QvCommandCenterStart.h"
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

QvCommandCenter* QvCommandCenter::s_current = nullptr;
QvCmdStatusCallback QvCommandCenter::s_statusCallback = nullptr;

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

void QvCommandCenter::IndexPut(QvCommandDef* def) {
  std::unique_ptr<QvCommandDef*[]>& page = m_pages[def->m_id >> 8];
  if (!page) page.reset(new QvCommandDef*[256]());
  page[def->m_id & 0xFF] = def;
}

QvCommandDef* QvCommandCenter::GetCommandDef(unsigned short id) const { return FindCommandDef(id); }

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

QvCommandCenter* Get_TheCommandCenter() { return QvCommandCenter::s_current; }
void Set_TheCommandCenter(QvCommandCenter* center) { QvCommandCenter::s_current = center; }
QvCmdStatusCallback Get_TheCallbackStatusFunction() { return QvCommandCenter::s_statusCallback; }
void Set_TheCallbackStatusFunction(QvCmdStatusCallback callback) { QvCommandCenter::s_statusCallback = callback; }
void GUISetCallbackGetCmdStatusFunction(QvCmdStatusCallback callback) {
  QvCommandCenter::s_statusCallback = callback;
}

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
  QvCommandCenter* center = Get_TheCommandCenter();
  return center ? center->GetSecurityFamily(familyId) : nullptr;
}

QvCommandDef* GUIGetCommandDefFromID(unsigned short id) {
  QvCommandCenter* center = Get_TheCommandCenter();
  return center ? center->FindCommandDef(id) : nullptr;
}

QvCommand* GUIGetCommandFromID(unsigned short id) {
  return QvCommandCenter::CurrentCommandOf(id);
}

bool GUIIsValidCommandID(unsigned short id) { return GUIGetCommandDefFromID(id) != nullptr; }

bool GUILoadStdCommands(const QvResourceFile* resourceFile) {
  QvCommandCenter* center = Get_TheCommandCenter();
  if (!center || !resourceFile) {
    UI_TRACE_REFUSED(s_log, resourceFile ? "no command centre" : "no resource file");
    return false;
  }
  QvCommandTableFiller filler(*center);
  return ReadCommandTables(resourceFile->GetPlateformInfo().GetInstance(), RT_QVCOMMANDS, filler) != FALSE;
}

unsigned long GUIGetCmdStatus(unsigned long securityId, bool, unsigned long commandId) {
  return QvCommandCenter::Rights(securityId, commandId);
}
