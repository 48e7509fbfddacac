// Export macro of quarnel and the headers every exported header needs.
#pragma once
#include <framework.h>

#ifdef QUARNEL_BUILD
#define QUARNEL_API __declspec(dllexport)
#else
#define QUARNEL_API __declspec(dllimport)
#endif
