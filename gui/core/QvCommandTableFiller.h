// The sink through which the portable command centre reads the command tables.
#pragma once
#include "CommandTables.h"
#include "QvCommandCenter.h"

// Type 302 records become security families of the centre (a later one replaces an earlier
// one of the same id); type 303 records security commands of the centre, or of the array
// when one is given; type 301 records standard definitions, the first of each id kept.
class QvCommandTableFiller : public CCommandTableSink {
 public:
  explicit QvCommandTableFiller(QvCommandCenter& center, QvArrayLPQvFirst* securityArray = nullptr);
  void OnSecurityFamily(const tagSECURITY_FAMILY& record) override;
  void OnSecurityCommand(const tagSECURITY_COMMAND& record) override;
  void OnCommand(const tagCOMMAND& record) override;

 private:
  QvCommandCenter& m_center;
  QvArrayLPQvFirst* m_securityArray;
  QvVersionDescriptor m_version;
};
