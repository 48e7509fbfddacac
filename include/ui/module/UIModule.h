// The library as a framework extension module.
#pragma once
#include "quarnel_api.h"

#include <fw_module.h>

// Filled by AfxInitExtensionModule on load, emptied on unload.
extern "C" QUARNEL_API AFX_EXTENSION_MODULE UIViewDLL;
