// QvCommandHandler: a link in a chain of parent handlers through which commands, command
// status questions, control notifications and actions travel up until a handler takes them;
// QvCommandStatus: the state of one command as the handlers fill it.
//
// Two process-wide targets receive command questions first: the temporary target, while it
// is set, else the active target. Making a handler a target activates its chain top-down
// (OnActivate of each inactive ancestor, then of the handler, then OnActivateTarget); the
// chain of the previous target is deactivated bottom-up as far as the nearest handler the two
// chains share (OnDeactivateTarget of the old target first). Handlers of the other target's
// chain are never deactivated by a switch of one target: they stay active for it.
#pragma once
#include <vekkel.h>

#include "QvCommandCenter.h"
#include "quarnel_api.h"

class QvCommandStatus;
class QvControlNotification;
class QvAction;

// Check state of a command: 0 unchecked, 1 checked, 2 indeterminate.
typedef int QvTriState;
enum { QvUnchecked = 0, QvChecked = 1, QvIndeterminate = 2 };

class QUARNEL_API QvCommandHandler {
 public:
  // A handler that is a target when destroyed hands the target to its parent (active target)
  // or clears it (temporary target). The derived parts are gone by then: only the base
  // versions of the callbacks run.
  virtual ~QvCommandHandler();

  virtual void OnActivate() {}
  virtual void OnDeactivate() {}
  virtual void OnActivateTarget() {}
  virtual void OnDeactivateTarget() {}
  // The base versions pass the call to the parent handler; without one they answer false
  // (PostQvAction does nothing).
  virtual bool OnCommand(QvCommand& command);
  virtual bool OnUpdateCommandStatus(QvCommandStatus& status);
  virtual bool OnControlNotification(QvControlNotification& notification);
  virtual void PostQvAction(QvAction* action, bool flag);

  void SetParentCommandHandler(QvCommandHandler* parent) { m_parent = parent; }
  QvCommandHandler* GetParentCommandHandler() { return m_parent; }
  bool isActive() { return m_active; }

  static void SetActiveTarget(QvCommandHandler* target);
  static void SetActiveTemporaryTarget(QvCommandHandler* target);
  static QvCommandHandler* GetTarget();
  static QvCommandHandler* GetTemporaryTarget();
  static QvCommandHandler* Get_Target();
  static void Set_Target(QvCommandHandler* target);  // stores it, no callbacks
  static QvCommandHandler* Get_TemporaryTarget();
  static void Set_TemporaryTarget(QvCommandHandler* target);  // stores it, no callbacks

  // Fills the status: true when the command has a definition, the rights callback allows
  // it (answer 1) and the current target (or a parent) answered.
  // Inline (below): the hottest question of menus, toolbars and the idle update.
  static bool GetCommandStatus(QvCommandStatus& status);
  // Runs the command when it is allowed and enabled, following redirections to effective
  // commands (each checked in turn; a redirection cycle answers false). withoutCheck runs it
  // without asking anyone. True when a handler executed it.
  static bool CheckAndExecuteCommand(unsigned short id, bool withoutCheck);
  // Marks every command definition's status as stale (not in a blind application).
  static void InvalidateStatus();

 protected:
  QvCommandHandler() = default;
  explicit QvCommandHandler(QvCommandHandler* parent) : m_parent(parent) {}
  QvCommandHandler(const QvCommandHandler&) = delete;
  QvCommandHandler& operator=(const QvCommandHandler&) = delete;

  // The execution step alone: the current target's OnCommand.
  static bool ExecuteCommand(QvCommand* command);

 private:
  static void ActivateChain(QvCommandHandler* handler);
  static void DeactivateChain(QvCommandHandler* handler, QvCommandHandler* stop, QvCommandHandler* kept);
  static bool InChainOf(const QvCommandHandler* handler, const QvCommandHandler* target);
  static void SwitchTarget(QvCommandHandler*& slot, QvCommandHandler* target, QvCommandHandler* other);

  // The two targets (see the top of this file).
  static QvCommandHandler* s_target;
  static QvCommandHandler* s_temporaryTarget;

  QvCommandHandler* m_parent = nullptr;
  bool m_active = false;
};

class QUARNEL_API QvCommandStatus : public QvFirst {
  QV_DECLARE_CLASS(QvCommandStatus)
 public:
  // The status of command id: its command object (null when the id has no definition),
  // disabled, unchecked, no menu text, no effective command.
  explicit QvCommandStatus(unsigned short id) : m_command(QvCommandCenter::CurrentCommandOf(id)) {}

  virtual unsigned short GetID() const;  // 0 when the status has no command
  virtual QvCommand* GetCommand() const { return m_command; }
  virtual void Enable(bool enabled) { m_enabled = enabled; }
  virtual void SetCheck(QvTriState check) { m_check = check; }
  // Stores the text followed by the menu form of the command's default hot key.
  virtual void SetMenuText(const QvString& text);
  virtual void SetEffectiveCmdID(unsigned short id) { m_effectiveCmdID = id; }
  virtual bool IsEnabled() const { return m_enabled; }
  virtual QvTriState GetCheck() const { return m_check; }
  virtual const QvString& GetMenuText() const { return m_menuText; }
  virtual unsigned short GetEffectiveCmdID() { return m_effectiveCmdID; }
  virtual bool AsEffectiveCmd() { return m_effectiveCmdID != 0; }

  QvCommand* m_command;
  bool m_enabled = false;
  QvTriState m_check = QvUnchecked;
  QvString m_menuText;
  unsigned short m_effectiveCmdID = 0;
  // An effective command's own status is asked before it runs.
  bool m_bCheckEffective = true;
};

inline bool QvCommandHandler::GetCommandStatus(QvCommandStatus& status) {
  // The status's command belongs to the definition of its id.
  QvCommand* command = status.GetCommand();
  QvCommandDef* def = command && QvCommandCenter::s_current ? command->GetCommandDef() : nullptr;
  if (!def) return false;
  if (QvCommandCenter::Rights(def->m_securityID, def->m_id) != 1) return false;
  QvCommandHandler* target = s_temporaryTarget ? s_temporaryTarget : s_target;
  return target ? target->OnUpdateCommandStatus(status) : false;
}
