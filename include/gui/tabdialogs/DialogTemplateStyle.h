// The window style of a dialog template in memory, in either format: a DIALOG template keeps
// it at offset 0, a DIALOGEX template (version 1, signature 0xFFFF) at offset 12.
#pragma once
#include <windows.h>

#include <cstddef>

#include "quarnel_api.h"

// The offset of the style in the template of `size` bytes; -1 when the block is too short to
// hold the header of its format.
QUARNEL_API int DialogTemplateStyleOffset(const void* dialogTemplate, size_t size);
// Replaces the style with (style & keep) | add; false, the template left alone, when the
// block is too short (see DialogTemplateStyleOffset).
QUARNEL_API bool EditDialogTemplateStyle(void* dialogTemplate, size_t size, DWORD keep, DWORD add);
// The style, or 0 when the block is too short.
QUARNEL_API DWORD GetDialogTemplateStyle(const void* dialogTemplate, size_t size);
