// Handler chains, the two targets, command status and the checked execution of commands.
#include "QvCommandHandler.h"

#include "QvCommandCenter.h"
#include "QvHotKeyText.h"

#include <vector>

QV_IMPLEMENT_CLASS(QvCommandStatus, nullptr)

QvCommandHandler* QvCommandHandler::s_target = nullptr;
QvCommandHandler* QvCommandHandler::s_temporaryTarget = nullptr;

QvCommandHandler::~QvCommandHandler() {
  if (s_target == this) SetActiveTarget(m_parent);
  if (s_temporaryTarget == this) SetActiveTemporaryTarget(nullptr);
}

bool QvCommandHandler::OnCommand(QvCommand& command) { return m_parent ? m_parent->OnCommand(command) : false; }

bool QvCommandHandler::OnUpdateCommandStatus(QvCommandStatus& status) {
  return m_parent ? m_parent->OnUpdateCommandStatus(status) : false;
}

bool QvCommandHandler::OnControlNotification(QvControlNotification& notification) {
  return m_parent ? m_parent->OnControlNotification(notification) : false;
}

void QvCommandHandler::PostQvAction(QvAction* action, bool flag) {
  if (m_parent) m_parent->PostQvAction(action, flag);
}

// Top-down: the inactive ancestors first, stopping at the first active one.
void QvCommandHandler::ActivateChain(QvCommandHandler* handler) {
  if (handler->m_active) return;
  if (handler->m_parent) ActivateChain(handler->m_parent);
  handler->m_active = true;
  handler->OnActivate();
}

// Bottom-up from handler, as far as (not including) stop or the first handler of the chain
// of `kept`, the other target: a chain the two targets share stays active.
void QvCommandHandler::DeactivateChain(QvCommandHandler* handler, QvCommandHandler* stop, QvCommandHandler* kept) {
  for (QvCommandHandler* h = handler; h && (h == handler || h != stop); h = h->m_parent) {
    if (InChainOf(h, kept)) return;
    h->m_active = false;
    h->OnDeactivate();
  }
}

bool QvCommandHandler::InChainOf(const QvCommandHandler* handler, const QvCommandHandler* target) {
  for (const QvCommandHandler* h = target; h; h = h->m_parent)
    if (h == handler) return true;
  return false;
}

void QvCommandHandler::SwitchTarget(QvCommandHandler*& slot, QvCommandHandler* target, QvCommandHandler* other) {
  QvCommandHandler* old = slot;
  if (old == target) return;
  if (!target) {
    if (old) {
      old->OnDeactivateTarget();
      DeactivateChain(old, nullptr, other);
    }
  } else if (!old) {
    ActivateChain(target);
  } else {
    QvCommandHandler* common = target;
    while (common && !common->m_active) common = common->m_parent;
    old->OnDeactivateTarget();
    if (common == old) {
      ActivateChain(target);
    } else {
      DeactivateChain(old, common, other);
      if (common != target) ActivateChain(target);
    }
  }
  slot = target;
  if (target) target->OnActivateTarget();
}

void QvCommandHandler::SetActiveTarget(QvCommandHandler* target) {
  SwitchTarget(s_target, target, s_temporaryTarget);
}
void QvCommandHandler::SetActiveTemporaryTarget(QvCommandHandler* target) {
  SwitchTarget(s_temporaryTarget, target, s_target);
}
QvCommandHandler* QvCommandHandler::GetTarget() { return s_target; }
QvCommandHandler* QvCommandHandler::GetTemporaryTarget() { return s_temporaryTarget; }
QvCommandHandler* QvCommandHandler::Get_Target() { return s_target; }
void QvCommandHandler::Set_Target(QvCommandHandler* target) { s_target = target; }
QvCommandHandler* QvCommandHandler::Get_TemporaryTarget() { return s_temporaryTarget; }
void QvCommandHandler::Set_TemporaryTarget(QvCommandHandler* target) { s_temporaryTarget = target; }

bool QvCommandHandler::ExecuteCommand(QvCommand* command) {
  QvCommandHandler* target = s_temporaryTarget ? s_temporaryTarget : s_target;
  return target && command ? target->OnCommand(*command) : false;
}

bool QvCommandHandler::CheckAndExecuteCommand(unsigned short id, bool withoutCheck) {
  // Redirections are followed in a loop; an id met twice is a cycle and answers false. The
  // ids met stay on the stack while the chain is short, as it nearly always is.
  unsigned short nearby[16];
  size_t metNearby = 0;
  std::vector<unsigned short> further;
  auto met = [&](unsigned short candidate) {
    for (size_t i = 0; i < metNearby; ++i)
      if (nearby[i] == candidate) return true;
    for (unsigned short seen : further)
      if (seen == candidate) return true;
    return false;
  };
  for (;;) {
    QvCommand* command = GUIGetCommandFromID(id);
    if (!command) return false;
    if (withoutCheck) return ExecuteCommand(command);
    if (met(id)) return false;
    if (metNearby < sizeof nearby / sizeof nearby[0])
      nearby[metNearby++] = id;
    else
      further.push_back(id);
    QvCommandStatus status(id);
    if (!GetCommandStatus(status)) return false;
    if (status.AsEffectiveCmd()) {
      withoutCheck = !status.m_bCheckEffective;
      id = status.GetEffectiveCmdID();
      continue;
    }
    // The handlers may have redefined the id (deleting `command`) while they answered: the
    // command that runs is the one the id has now.
    return status.IsEnabled() ? ExecuteCommand(GUIGetCommandFromID(id)) : false;
  }
}

void QvCommandHandler::InvalidateStatus() {
  if (QvApplicationIsBlind()) return;
  QvCommandCenter* center = Get_TheCommandCenter();
  if (!center) return;
  const QvMapUShortLPQvFirst& defs = center->GetCommandDefs();
  QvPosition pos = defs.GetStartPosition();
  while (pos) {
    unsigned short id;
    QvFirst* def;
    defs.GetNextAssoc(pos, id, def);
    static_cast<QvCommandDef*>(def)->m_bStatusValid = false;
  }
}

unsigned short QvCommandStatus::GetID() const { return m_command ? m_command->GetID() : 0; }

void QvCommandStatus::SetMenuText(const QvString& text) {
  m_menuText = text;
  QvCommandDef* def = m_command ? m_command->GetCommandDef() : nullptr;
  QvString hotKey;
  if (def && GetHotKeyText(hotKey, def->m_defaultKey, def->m_defaultModifiers, false)) m_menuText += hotKey;
}
