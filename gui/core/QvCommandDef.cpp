// Command definitions and command objects.
#include "QvCommandCenter.h"

QV_IMPLEMENT_CREATABLE(QvCommand, nullptr)
QV_IMPLEMENT_CLASS(QvCommandDef, nullptr)
QV_IMPLEMENT_CLASS(QvStdCommandDef, QV_RUNTIME_CLASS(QvCommandDef))
QV_IMPLEMENT_CREATABLE(QvUsrCommandDef, QV_RUNTIME_CLASS(QvCommandDef))
QV_CLASSINIT(QvCommand)
QV_CLASSINIT(QvUsrCommandDef)

namespace {

bool LabelText(unsigned long label, QvString& text) {
  text = QvGetMyLabel(label);
  return !text.IsEmpty();
}

// A class label's text names a class: it is read without the label display mode's prefix.
bool ClassLabelText(unsigned long label, QvString& text) {
  bool display = Get_bDisplayLabelID();
  Set_bDisplayLabelID(false);
  bool found = LabelText(label, text);
  Set_bDisplayLabelID(display);
  return found;
}

bool CopyText(const QvString& from, QvString& text) {
  text = from;
  return true;
}

}  // namespace

unsigned short QvCommand::GetID() const { return m_commandDef ? m_commandDef->m_id : 0; }

QvCommandDef::~QvCommandDef() { delete m_command; }

bool QvCommandDef::GetClassNameW(QvString& text) const { return ClassLabelText(m_commandClassLabel, text); }

bool QvCommandDef::GetControlClassName(QvString& text) const { return ClassLabelText(m_controlClassLabel, text); }

QvCommand* QvCommandDef::MakeCommand() {
  QvCommand* command = nullptr;
  QvString className;
  if (GetClassNameW(className)) {
    // Only a registered, creatable class below QvCommand may stand for a command.
    const QvRuntimeClass* cls = QvRuntimeClass::FromClassName(className.c_str());
    if (cls && cls->IsCreatable() && cls->IsDerivedFrom(QV_RUNTIME_CLASS(QvCommand))) {
      QvFirst* object = cls->CreateObject();
      command = dynamic_cast<QvCommand*>(object);
      if (!command) delete object;
    }
  }
  if (!command) command = new QvCommand;
  command->SetCommandDef(this);
  m_command = command;
  return command;
}

void QvCommandDef::CopyNumbersFrom(const QvCommandDef& other) {
  m_id = other.m_id;
  m_spare1 = other.m_spare1;
  m_bitmapID = other.m_bitmapID;
  m_imageIndex = other.m_imageIndex;
  m_checkStyle = other.m_checkStyle;
  m_defaultKey = other.m_defaultKey;
  m_defaultModifiers = other.m_defaultModifiers;
  m_commandClassLabel = other.m_commandClassLabel;
  m_controlClassLabel = other.m_controlClassLabel;
  m_helpID = other.m_helpID;
  m_securityID = other.m_securityID;
}

bool QvStdCommandDef::GetName(QvString& text) const {
  LabelText(m_nameLabel, text);
  return true;
}
bool QvStdCommandDef::GetMenuText(QvString& text) const { return LabelText(m_menuLabel, text); }
bool QvStdCommandDef::GetPopupMenuText(QvString& text) const {
  return LabelText(m_popupMenuLabel ? m_popupMenuLabel : m_menuLabel, text);
}
bool QvStdCommandDef::GetTooltipText(QvString& text) const { return LabelText(m_tooltipLabel, text); }
bool QvStdCommandDef::GetMessageBarText(QvString& text) const { return LabelText(m_messageLabel, text); }

bool QvUsrCommandDef::GetName(QvString& text) const { return CopyText(m_name, text); }
bool QvUsrCommandDef::GetMenuText(QvString& text) const { return CopyText(m_menuText, text); }
bool QvUsrCommandDef::GetPopupMenuText(QvString& text) const {
  return CopyText(m_popupMenuText.IsEmpty() ? m_menuText : m_popupMenuText, text);
}
bool QvUsrCommandDef::GetTooltipText(QvString& text) const { return CopyText(m_tooltipText, text); }
bool QvUsrCommandDef::GetMessageBarText(QvString& text) const { return CopyText(m_messageBarText, text); }

void QvUsrCommandDef::CopyFrom(const QvCommandDef& other) {
  CopyNumbersFrom(other);
  other.GetName(m_name);
  other.GetMenuText(m_menuText);
  other.GetTooltipText(m_tooltipText);
  other.GetMessageBarText(m_messageBarText);
}

QvUsrCommandDef* GUIAccessQvUsrCommandDefFromID(unsigned short id) {
  QvCommandCenter* center = Get_TheCommandCenter();
  QvCommandDef* def = center ? center->GetCommandDef(id) : nullptr;
  if (!def) return nullptr;
  if (def->IsKindOf(QV_RUNTIME_CLASS(QvUsrCommandDef))) return static_cast<QvUsrCommandDef*>(def);
  QvUsrCommandDef* user = new QvUsrCommandDef;
  user->CopyFrom(*def);
  center->ReplaceCommandDef(user);  // deletes def with its command object
  return user;
}
