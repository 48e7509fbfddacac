// Base definitions of the window framework layer: Windows headers, export macro, character type.
#pragma once

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>
#include <tchar.h>
#include <stddef.h>

#ifdef FW_BUILD
#define FW_API __declspec(dllexport)
#else
#define FW_API __declspec(dllimport)
#endif

#ifndef AFXAPI
#define AFXAPI __stdcall
#endif
#define AFX_CDECL __cdecl
#define AFX_NOVTABLE
#define afx_msg

#ifndef ASSERT
#define ASSERT(f) ((void)0)
#endif
#define VERIFY(f) ((void)(f))
#define ASSERT_VALID(p) ((void)0)
#define TRACE(...) ((void)0)
#define UNUSED_ALWAYS(x) ((void)(x))
#ifndef _countof
#define _countof(a) (sizeof(a) / sizeof((a)[0]))
#endif
