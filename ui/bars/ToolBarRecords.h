// The records behind toolbar buttons' data words, shared by the toolbar's sources.
#pragma once
#include "UICustToolBar.h"

namespace quarnel {
// The record of a button when a toolbar made it and still holds it, else NULL.
TBBUTTON_DATAS* ToolBarRecordOf(const TBBUTTON& button);
}  // namespace quarnel
