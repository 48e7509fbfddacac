// Resource ids of the bars' own bitmaps and cursors.
#pragma once
// Down arrows of the popup tool-table buttons' arrow part (small, large) and their masks,
// 8 pixels wide each, drawn in the disabled look for a disabled button.
#define IDB_BTNARROWS 262
// The cursors of a drag of nails: one nail, several nails (in ui/shared's cursor script).
#define IDC_NAIL_DRAG 268
#define IDC_NAILS_DRAG 269
