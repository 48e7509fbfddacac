// The sample host's portable wizard: a report export in three pages (welcome, format, ready)
// beside a picture strip, the labels on the pages laid out by the wizard in its rich-text
// styles.
#pragma once

namespace host {
// In screenshot mode: runs the wizard, goes to its second page, pictures it ("wizard") and
// cancels it.
void CaptureReportWizard();
}  // namespace host
