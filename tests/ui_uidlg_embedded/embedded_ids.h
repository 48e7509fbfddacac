#pragma once
#define IDD_CONTAINER 100
#define IDD_EMBEDDED 101
