// Resource ids of the owner-drawn menus.
#pragma once
#define IDB_COOLMENU_CHECK 145
