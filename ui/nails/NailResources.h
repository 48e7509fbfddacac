// Resource ids of the nail strips.
#pragma once
// The cursors of a drag of nails: one nail, several nails (in ui/shared's cursor script: the
// linker cannot merge cursors from several scripts).
#define IDC_NAIL_DRAG 268
#define IDC_NAILS_DRAG 269
