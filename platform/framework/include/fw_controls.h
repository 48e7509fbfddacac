// The framework's wrappers of the standard and common controls, every family at once. A unit
// that uses one family includes its own header instead.
#pragma once
#include "fw_stdctrls.h"
#include "fw_listctrls.h"
#include "fw_tabctrl.h"
#include "fw_tooltipctrl.h"
#include "fw_rangectrls.h"
#include "fw_richedit.h"
#include "fw_barctrls.h"
