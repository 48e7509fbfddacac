#include "QvFileTypes.h"

QvGlobalParameters::QvGlobalParameters() {}
QvGlobalParameters::~QvGlobalParameters() {}

void QvGlobalParameters::SetTypeLabel(QvInternalFileType type, const char* extension) {
  if (extension == nullptr || *extension == '\0')
    m_labels.erase(type);
  else
    m_labels[type] = QvString(extension);
}

bool QvGlobalParameters::GetTypeLabel(QvString& label, QvInternalFileType type) const {
  const auto found = m_labels.find(type);
  label = found != m_labels.end() ? found->second : QvString();
  return found != m_labels.end();
}

QvGlobalParameters* Get_GlobalParameters() {
  static QvGlobalParameters parameters;
  return &parameters;
}
