// The portable command centre: the registry of the host's commands, filled from the command
// tables (resource types 302, 303 and 301, see CommandTables.h) of the host and of every
// extension module, with the commands' definitions, their security families and security
// commands; and the host's command-status (rights) callback.
//
// The centre is independent of the framework-side command centre: the two never call each
// other. It exists from GUIInitialisations to GUIRelease; outside that time every lookup
// answers null or false.
#pragma once
#include <vekkel.h>

#include <memory>
#include <vector>

#include "quarnel_api.h"

class QvCommandDef;

// A command object of the portable layer, made on first use for its definition. Definitions
// whose command-class label names a registered class below QvCommand get an object of that
// class.
class QUARNEL_API QvCommand : public QvFirst {
  QV_DECLARE_CREATABLE(QvCommand)
 public:
  QvCommand() = default;
  unsigned short GetID() const;
  QvCommandDef* GetCommandDef() const { return m_commandDef; }
  void SetCommandDef(QvCommandDef* def) { m_commandDef = def; }

 private:
  QvCommandDef* m_commandDef = nullptr;  // not owned
};

// The definition of one command. Label ids name its texts.
class QUARNEL_API QvCommandDef : public QvFirst {
  QV_DECLARE_CLASS(QvCommandDef)
 public:
  ~QvCommandDef() override;

  virtual bool GetName(QvString& text) const = 0;
  virtual bool GetMenuText(QvString& text) const = 0;
  virtual bool GetPopupMenuText(QvString& text) const = 0;
  virtual bool GetTooltipText(QvString& text) const = 0;
  virtual bool GetMessageBarText(QvString& text) const = 0;

  // The text of the command-class or control-class label, read with the label display mode
  // off; true when it is not empty. (GetClassNameW keeps the name the host binds to.)
  bool GetClassNameW(QvString& text) const;
  bool GetControlClassName(QvString& text) const;

  // The command object, made on first use (see QvCommand).
  QvCommand* GetCommand() { return m_command ? m_command : MakeCommand(); }

  QvCommand* m_command = nullptr;  // owned
  unsigned short m_id = 0xFFFF;
  unsigned short m_spare1 = 0xFFFF;
  unsigned short m_bitmapID = 0xFFFF;
  unsigned short m_imageIndex = 0xFFFF;
  unsigned short m_checkStyle = 0xFFFF;  // 2: the check state shows as a radio state
  unsigned short m_defaultKey = 0xFFFF;  // a virtual-key code
  unsigned short m_defaultModifiers = 0;  // bit 0 Shift, bit 1 Ctrl, bit 2 Alt
  unsigned long m_commandClassLabel = 0xFFFFFFFF;
  unsigned long m_controlClassLabel = 0xFFFFFFFF;
  unsigned long m_helpID = 0;
  unsigned long m_securityID = 0;
  bool m_bStatusValid = false;

 protected:
  QvCommandDef() = default;
  QvCommandDef(const QvCommandDef&) = delete;
  QvCommandDef& operator=(const QvCommandDef&) = delete;
  // Copies the ids and numbers (no texts, no command object).
  void CopyNumbersFrom(const QvCommandDef& other);

 private:
  QvCommand* MakeCommand();
};

// A definition read from a command table: its texts are labels.
class QUARNEL_API QvStdCommandDef : public QvCommandDef {
  QV_DECLARE_CLASS(QvStdCommandDef)
 public:
  QvStdCommandDef() = default;

  bool GetName(QvString& text) const override;  // always true
  bool GetMenuText(QvString& text) const override;
  bool GetPopupMenuText(QvString& text) const override;  // the menu label when none of its own
  bool GetTooltipText(QvString& text) const override;
  bool GetMessageBarText(QvString& text) const override;

  unsigned long m_nameLabel = 0;
  unsigned long m_menuLabel = 0;
  unsigned long m_popupMenuLabel = 0;
  unsigned long m_tooltipLabel = 0;
  unsigned long m_messageLabel = 0;
};

// A definition whose texts the host has taken over (GUIAccessQvUsrCommandDefFromID).
class QUARNEL_API QvUsrCommandDef : public QvCommandDef {
  QV_DECLARE_CREATABLE(QvUsrCommandDef)
 public:
  QvUsrCommandDef() = default;

  bool GetName(QvString& text) const override;
  bool GetMenuText(QvString& text) const override;
  bool GetPopupMenuText(QvString& text) const override;  // the menu text when empty
  bool GetTooltipText(QvString& text) const override;
  bool GetMessageBarText(QvString& text) const override;

  QvString m_name;
  QvString m_menuText;
  QvString m_popupMenuText;
  QvString m_tooltipText;
  QvString m_messageBarText;

 private:
  friend QUARNEL_API QvUsrCommandDef* GUIAccessQvUsrCommandDefFromID(unsigned short id);
  void CopyFrom(const QvCommandDef& other);
};

// A family of security commands (type 302).
class QUARNEL_API QvSecurityFamily : public QvFirst {
  QV_DECLARE_CLASS(QvSecurityFamily)
 public:
  QvSecurityFamily(unsigned short id, unsigned long descriptionLabel)
      : m_familyID(id), m_descriptionLabel(descriptionLabel) {}
  unsigned short GetID() const { return m_familyID; }
  bool GetDescription(QvString& text) const;  // true when not empty

  unsigned short m_familyID;
  unsigned long m_descriptionLabel;
};

// A security command (type 303).
class QUARNEL_API QvSecurityCommand : public QvFirst {
  QV_DECLARE_CLASS(QvSecurityCommand)
 public:
  QvSecurityCommand();
  QvSecurityCommand(const QvSecurityCommand& other);
  ~QvSecurityCommand() override;
  // Copies every field.
  QvSecurityCommand& operator=(const QvSecurityCommand& other);

  bool GetDescription(QvString& text) const;
  bool GetAdditionnalDescription(QvString& text) const;
  // The description of its family; false when there is no such family.
  bool GetFamilyDescription(QvString& text) const;
  const QvVersionDescriptor* GetVersion() const { return &m_version; }
  unsigned long GetID() const { return m_securityID; }
  void SetID(unsigned long id) { m_securityID = id; }

  unsigned long m_securityID = 0;
  unsigned short m_familyID = 0;
  unsigned long m_descriptionLabel = 0;
  unsigned long m_additionalDescriptionLabel = 0;
  QvVersionDescriptor m_version;
};

// The security commands of another module file, and that module (loaded as a data file).
class QUARNEL_API QvEnumSecurityCommands : public QvArrayLPQvFirst {
 public:
  QvEnumSecurityCommands() : QvArrayLPQvFirst(true), m_module(NULL) {}
  HMODULE m_module;
};

// The host's command-status callback: given a security id (or a command id ORed with
// 0x40000000) and false, it answers the user's status of it; 1 allows.
typedef unsigned long (*QvCmdStatusCallback)(unsigned long, bool);

class QUARNEL_API QvCommandCenter : public QvFirst {
  QV_DECLARE_CLASS(QvCommandCenter)
 public:
  QvCommandCenter();
  ~QvCommandCenter() override;

  // Reads the tables of types 302, 303 and 301 over the module chain.
  bool LoadCommandTables();
  bool TablesLoaded() const { return m_tablesLoaded; }

  QvCommandDef* GetCommandDef(unsigned short id) const;
  // The definition of id, or null: inline, two loads, whatever the ids in use.
  QvCommandDef* FindCommandDef(unsigned short id) const noexcept {
    QvCommandDef* const* page = m_pages[id >> 8].get();
    return page ? page[id & 0xFF] : nullptr;
  }
  // The command of id in the current centre, or null.
  static QvCommand* CurrentCommandOf(unsigned short id) {
    const QvCommandCenter* center = s_current;
    QvCommandDef* def = center ? center->FindCommandDef(id) : nullptr;
    return def ? def->GetCommand() : nullptr;
  }
  QvSecurityFamily* GetSecurityFamily(unsigned short id) const;
  QvSecurityCommand* GetSecurityCommand(unsigned long securityId) const;
  // Stores a definition under its id unless one is there: false (and the caller keeps the
  // definition) for a duplicate.
  bool AddCommandDef(QvCommandDef* def);
  // Stores a family or security command under its id, replacing (deleting) an earlier one.
  void AddSecurityFamily(QvSecurityFamily* family);
  void AddSecurityCommand(QvSecurityCommand* command);
  // Puts def in the place of the definition of its id and deletes the old one.
  void ReplaceCommandDef(QvCommandDef* def);

  const QvMapUShortLPQvFirst& GetCommandDefs() const { return m_commandDefs; }

  // The host's answer for a command of that security id (GUIGetCmdStatus, whose flag is
  // never passed on): 1 allows; 1 too without a callback.
  static unsigned long Rights(unsigned long securityId, unsigned long commandId) {
    const QvCmdStatusCallback callback = s_statusCallback;
    if (!callback) return 1;
    unsigned long status = callback(securityId, false) & 0xFFFF;
    if (status == 1 && commandId != 0) status = callback(commandId | 0x40000000UL, false) & 0xFFFF;
    return status;
  }

  static unsigned short Get_CmdCenterExists();
  static void Set_CmdCenterExists(unsigned short exists);

 private:
  QvCommandCenter(const QvCommandCenter&) = delete;
  QvCommandCenter& operator=(const QvCommandCenter&) = delete;

  friend class QvCommandHandler;
  friend class QvCommandStatus;
  friend QUARNEL_API QvCommandCenter* Get_TheCommandCenter();
  friend QUARNEL_API void Set_TheCommandCenter(QvCommandCenter* center);
  friend QUARNEL_API QvCmdStatusCallback Get_TheCallbackStatusFunction();
  friend QUARNEL_API void Set_TheCallbackStatusFunction(QvCmdStatusCallback callback);
  friend QUARNEL_API void GUISetCallbackGetCmdStatusFunction(QvCmdStatusCallback callback);

  // What a command-status question reads, inline: the current centre, the definitions by
  // id and the host's rights callback. Menus, toolbars and the idle update ask for statuses
  // all the time, and a call into the library for each step would cost as much as the step.

  // The current centre (null outside GUIInitialisations .. GUIRelease) and the host's
  // command-status callback (null: everything allowed).
  static QvCommandCenter* s_current;
  static QvCmdStatusCallback s_statusCallback;

  // Stores def under its id, in place of the definition there.
  void IndexPut(QvCommandDef* def);

  bool m_tablesLoaded = false;
  QvMapUShortLPQvFirst m_securityFamilies;
  QvMapULongLPQvFirst m_securityCommands;
  QvMapUShortLPQvFirst m_others;  // filled by nothing in the library
  QvMapUShortLPQvFirst m_commandDefs;
  // The definitions by id once more, for the lookups above: 256 pages of 256 entries by the
  // id's high byte, each made when its first id comes. Ids are never removed, only their
  // definitions replaced.
  std::unique_ptr<QvCommandDef*[]> m_pages[256];
};

QUARNEL_API QvCommandCenter* Get_TheCommandCenter();
QUARNEL_API void Set_TheCommandCenter(QvCommandCenter* center);
QUARNEL_API QvCmdStatusCallback Get_TheCallbackStatusFunction();
QUARNEL_API void Set_TheCallbackStatusFunction(QvCmdStatusCallback callback);
QUARNEL_API void GUISetCallbackGetCmdStatusFunction(QvCmdStatusCallback callback);

// Lookups in the current command centre; null or false when there is none.
QUARNEL_API QvSecurityFamily* GUIGetSecurityFamilyFromID(unsigned short familyId);
QUARNEL_API QvCommandDef* GUIGetCommandDefFromID(unsigned short id);
QUARNEL_API QvCommand* GUIGetCommandFromID(unsigned short id);
QUARNEL_API bool GUIIsValidCommandID(unsigned short id);
// The user definition of the command: the definition itself when it already is one, else a
// new one with the definition's numbers and texts that takes its place. Null when the id has
// no definition.
QUARNEL_API QvUsrCommandDef* GUIAccessQvUsrCommandDefFromID(unsigned short id);
// Reads the type-301 tables of the resource file's module into the centre; false when the
// module has none (or there is no centre).
QUARNEL_API bool GUILoadStdCommands(const QvResourceFile* resourceFile);

// The security commands of the module file the descriptor names: the file is loaded as a
// data file (none of its code runs), its families join the centre's and its security
// commands fill the array. Null for a null descriptor or one without a path, a file that
// cannot be loaded or no centre. Give the array back to GUIEndGetArraySecurityCommands,
// which frees the module.
QUARNEL_API const QvEnumSecurityCommands* GUIBeginGetArraySecurityCommands(const QvFileDescriptor* file);
QUARNEL_API void GUIEndGetArraySecurityCommands(const QvEnumSecurityCommands* commands);

// The user's rights: 1 without a callback; else the callback's answer (low 16 bits) for the
// security id and, when that is 1 and commandId is non-zero, its answer for commandId ORed
// with 0x40000000. The flag is not passed on: the callback is always given false.
QUARNEL_API unsigned long GUIGetCmdStatus(unsigned long securityId, bool flag, unsigned long commandId);

