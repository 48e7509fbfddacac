// Resource ids of the pattern strips.
#pragma once
#define IDB_PATTERNS_1 310
#define IDB_PATTERNS_24 311
