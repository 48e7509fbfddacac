// Security families and security commands, and the security commands of another module file.
#include "QvCommandCenter.h"

#include "QvCommandTableFiller.h"
#include "UITrace.h"

#include <solvane.h>

QV_IMPLEMENT_CLASS(QvSecurityFamily, nullptr)
QV_IMPLEMENT_CLASS(QvSecurityCommand, nullptr)

namespace {
UlmLogger s_log("QvSecurityCommands");

bool LabelText(unsigned long label, QvString& text) {
  text = QvGetMyLabel(label);
  return !text.IsEmpty();
}
}  // namespace

bool QvSecurityFamily::GetDescription(QvString& text) const { return LabelText(m_descriptionLabel, text); }

QvSecurityCommand::QvSecurityCommand() {}

QvSecurityCommand::QvSecurityCommand(const QvSecurityCommand& other) : QvFirst(other) { *this = other; }

QvSecurityCommand::~QvSecurityCommand() {}

QvSecurityCommand& QvSecurityCommand::operator=(const QvSecurityCommand& other) {
  m_securityID = other.m_securityID;
  m_familyID = other.m_familyID;
  m_descriptionLabel = other.m_descriptionLabel;
  m_additionalDescriptionLabel = other.m_additionalDescriptionLabel;
  m_version = other.m_version;
  return *this;
}

bool QvSecurityCommand::GetDescription(QvString& text) const { return LabelText(m_descriptionLabel, text); }

bool QvSecurityCommand::GetAdditionnalDescription(QvString& text) const {
  return LabelText(m_additionalDescriptionLabel, text);
}

bool QvSecurityCommand::GetFamilyDescription(QvString& text) const {
  QvSecurityFamily* family = GUIGetSecurityFamilyFromID(m_familyID);
  if (!family) {
    text.Empty();
    return false;
  }
  return family->GetDescription(text);
}

const QvEnumSecurityCommands* GUIBeginGetArraySecurityCommands(const QvFileDescriptor* file) {
  QvCommandCenter* center = Get_TheCommandCenter();
  const char* path = file ? file->WINONLY_GetPath().c_str() : nullptr;
  if (!center || !path || !*path) {
    UI_TRACE_REFUSED(s_log, center ? "no module path" : "no command centre");
    return nullptr;
  }
  // As a data file: the module's entry point and code never run; only its resources count.
  ucs2string widePath = ucs2string::FromUtf8(path);
  HMODULE module = LoadLibraryExW(widePath.c_str(), NULL, LOAD_LIBRARY_AS_DATAFILE);
  if (!module) {
    UI_TRACE_FAILED(s_log, "LoadLibraryExW");
    return nullptr;
  }
  QvEnumSecurityCommands* commands = new (std::nothrow) QvEnumSecurityCommands;
  if (!commands) {
    UI_TRACE_FAILED(s_log, "new");
    FreeLibrary(module);
    return nullptr;
  }
  commands->m_module = module;
  QvCommandTableFiller families(*center);
  ReadCommandTables(module, RT_QVSECURITY_FAMILIES, families);
  QvCommandTableFiller security(*center, commands);
  ReadCommandTables(module, RT_QVSECURITY_COMMANDS, security);
  return commands;
}

void GUIEndGetArraySecurityCommands(const QvEnumSecurityCommands* commands) {
  if (!commands) return;
  QvEnumSecurityCommands* owned = const_cast<QvEnumSecurityCommands*>(commands);
  owned->RemoveAll();
  if (owned->m_module) FreeLibrary(owned->m_module);
  delete owned;
}
