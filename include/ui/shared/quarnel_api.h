// Export macro of quarnel: exports while the library is built, imports for its users.
#pragma once

#ifdef QUARNEL_BUILD
#define QUARNEL_API __declspec(dllexport)
#else
#define QUARNEL_API __declspec(dllimport)
#endif
