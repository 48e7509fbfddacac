// Resource ids of the test strip.
#pragma once
#define IDB_TEST_STRIP 300
