// Resource ids of the icon pane tests.
#pragma once
#define IDB_PANE_STRIP 320
#define IDS_PANE_ALPHA 520
#define IDS_PANE_BETA 521
#define IDS_PANE_GAMMA 522
