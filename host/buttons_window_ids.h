// Resource ids of the buttons-and-icon-pane window of the sample host.
#pragma once
#define IDB_HOST_GLYPH 47100
#define IDB_HOST_PANE_STRIP 47101
#define IDS_HOST_PANE_REPORTS 47110
#define IDS_HOST_PANE_CHARTS 47111
#define IDS_HOST_PANE_DATA 47112
#define IDS_HOST_PANE_ARCHIVE 47113
