// Export macro of the brevin library.
#pragma once

#ifdef BREVIN_BUILD
#define BREVIN_API __declspec(dllexport)
#else
#define BREVIN_API __declspec(dllimport)
#endif
