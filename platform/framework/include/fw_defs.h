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

// Assertions. In checked builds (FW_CHECKED defined) ASSERT(f) evaluates f and reports a false
// result to the assertion handler; otherwise it is nothing and f is not evaluated. VERIFY(f)
// always evaluates f and reports like ASSERT in checked builds.
extern "C" {
typedef void (*FwAssertHandler)(const char* file, int line, const char* expression);
// Sets the process-wide handler (NULL: the default one, which writes a debugger line and
// breaks into an attached debugger); answers the one it replaces. A handler may return:
// execution then goes on after the failed assertion.
FW_API FwAssertHandler FwSetAssertHandler(FwAssertHandler handler);
FW_API void FwAssertFailed(const char* file, int line, const char* expression);
}
#ifndef ASSERT
#ifdef FW_CHECKED
#define ASSERT(f) ((f) ? (void)0 : ::FwAssertFailed(__FILE__, __LINE__, #f))
#else
#define ASSERT(f) ((void)0)
#endif
#endif
#ifdef FW_CHECKED
#define VERIFY(f) ((f) ? (void)0 : ::FwAssertFailed(__FILE__, __LINE__, #f))
#else
#define VERIFY(f) ((void)(f))
#endif
#define ASSERT_VALID(p) ((void)0)
#define TRACE(...) ((void)0)
#define UNUSED_ALWAYS(x) ((void)(x))
#ifndef _countof
#define _countof(a) (sizeof(a) / sizeof((a)[0]))
#endif
