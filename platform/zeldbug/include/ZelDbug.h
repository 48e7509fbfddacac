// ZelDbug: entry and exit trace of functions, nested per thread.
//
// A traced function calls _db_enter_ on entry with its module, name, source and line and the
// addresses of a frame record of its own; _db_return_ on every way out with the same record.
// The record keeps the caller's function, file and depth, which the exit restores. Tracing
// happens only while _db_on_ is non-zero. Each call writes one line to the output.
#pragma once
#include <windows.h>

#ifdef ZELDBUG_BUILD
#define ZELDBUG_API __declspec(dllexport)
#else
#define ZELDBUG_API __declspec(dllimport)
#endif

extern "C" {
// Non-zero: tracing is on (0 at load).
ZELDBUG_API extern int _db_on_;

ZELDBUG_API void _db_enter_(const char* module, const char* func, const char* file, unsigned line,
                            const char** sfunc, const char** sfile, unsigned* slevel, char*** sframep);
ZELDBUG_API void _db_return_(const char* module, unsigned line, const char** sfunc, const char** sfile,
                             unsigned* slevel);

// Where the lines go: a callback (NULL: OutputDebugStringA). Answers the previous one.
typedef void(__cdecl* DbOutputFn)(const char* line);
ZELDBUG_API DbOutputFn _db_set_output_(DbOutputFn fn);
// The calling thread's depth and current function ("" outside any traced function).
ZELDBUG_API unsigned _db_depth_();
ZELDBUG_API const char* _db_func_();
}

// A traced function's frame record.
struct ZelDbugFrame {
  const char* func = NULL;
  const char* file = NULL;
  unsigned level = 0;
  char** framep = NULL;
};
