// Export macro of the vekkel library.
#pragma once

#ifdef VEKKEL_BUILD
#define VEKKEL_API __declspec(dllexport)
#else
#define VEKKEL_API __declspec(dllimport)
#endif
