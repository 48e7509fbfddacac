// ::StringFromCLSID: a GUID in registry form.
#include <stdio.h>

#include "Trace.h"
#include "WexModule.h"

void StringFromCLSID(wchar_t* buffer, const GUID* g) {
  TESSVIK_TRACE("::StringFromCLSID");
  swprintf(buffer, 39, L"{%08lX-%04X-%04X-%02X%02X-%02X%02X%02X%02X%02X%02X}", static_cast<unsigned long>(g->Data1),
           g->Data2, g->Data3, g->Data4[0], g->Data4[1], g->Data4[2], g->Data4[3], g->Data4[4], g->Data4[5],
           g->Data4[6], g->Data4[7]);
}
