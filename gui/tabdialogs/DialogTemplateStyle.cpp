// The style of a dialog template in memory.
#include "DialogTemplateStyle.h"

#include <string.h>

namespace {
// DLGTEMPLATEEX: dlgVer (2), signature (2), helpID (4), exStyle (4), style (4), ...
// DLGTEMPLATE: style (4), exStyle (4), cdit (2), x, y, cx, cy (2 each).
const size_t kExHeader = 26;
const size_t kPlainHeader = 18;
}  // namespace

int DialogTemplateStyleOffset(const void* dialogTemplate, size_t size) {
  if (!dialogTemplate) return -1;
  const auto* bytes = static_cast<const unsigned char*>(dialogTemplate);
  if (size >= 4) {
    WORD version, signature;
    memcpy(&version, bytes, 2);
    memcpy(&signature, bytes + 2, 2);
    if (version == 1 && signature == 0xFFFF) return size >= kExHeader ? 12 : -1;
  }
  return size >= kPlainHeader ? 0 : -1;
}

bool EditDialogTemplateStyle(void* dialogTemplate, size_t size, DWORD keep, DWORD add) {
  const int offset = DialogTemplateStyleOffset(dialogTemplate, size);
  if (offset < 0) return false;
  auto* at = static_cast<unsigned char*>(dialogTemplate) + offset;
  DWORD style;
  memcpy(&style, at, 4);
  style = (style & keep) | add;
  memcpy(at, &style, 4);
  return true;
}

DWORD GetDialogTemplateStyle(const void* dialogTemplate, size_t size) {
  const int offset = DialogTemplateStyleOffset(dialogTemplate, size);
  if (offset < 0) return 0;
  DWORD style;
  memcpy(&style, static_cast<const unsigned char*>(dialogTemplate) + offset, 4);
  return style;
}
