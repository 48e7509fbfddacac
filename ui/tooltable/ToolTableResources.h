// Resource ids of the tool tables' own bitmaps.
#pragma once
// Down arrows of the popup tool-table buttons' arrow part (small, large) and their masks,
// 8 pixels wide each, drawn in the disabled look for a disabled button.
#define IDB_BTNARROWS 262
