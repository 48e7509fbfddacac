// ZelDbug: per-thread nesting of traced functions and their trace lines.
#include "ZelDbug.h"

#include <stdio.h>

int _db_on_ = 0;

namespace {

struct ThreadTrace {
  const char* func = "";
  const char* file = "";
  unsigned depth = 0;
};

thread_local ThreadTrace t_trace;
DbOutputFn volatile g_output = NULL;

void Emit(const char* module, char mark, const char* func, unsigned line, unsigned depth) {
  char text[512];
  // Indented by depth so that nesting reads at a glance.
  snprintf(text, sizeof(text), "%s: %*s%c%s (%u)\n", module ? module : "?", static_cast<int>(depth * 2), "", mark,
           func ? func : "?", line);
  DbOutputFn out = g_output;
  if (out != NULL)
    out(text);
  else
    OutputDebugStringA(text);
}

}  // namespace

void _db_enter_(const char* module, const char* func, const char* file, unsigned line, const char** sfunc,
                const char** sfile, unsigned* slevel, char*** sframep) {
  ThreadTrace& t = t_trace;
  if (sfunc) *sfunc = t.func;
  if (sfile) *sfile = t.file;
  if (slevel) *slevel = t.depth;
  if (sframep) *sframep = NULL;
  Emit(module, '>', func, line, t.depth);
  t.func = func ? func : "";
  t.file = file ? file : "";
  ++t.depth;
}

void _db_return_(const char* module, unsigned line, const char** sfunc, const char** sfile, unsigned* slevel) {
  ThreadTrace& t = t_trace;
  unsigned depth = slevel ? *slevel : (t.depth > 0 ? t.depth - 1 : 0);
  Emit(module, '<', t.func, line, depth);
  t.func = sfunc && *sfunc ? *sfunc : "";
  t.file = sfile && *sfile ? *sfile : "";
  t.depth = depth;
}

DbOutputFn _db_set_output_(DbOutputFn fn) {
  DbOutputFn old = g_output;
  g_output = fn;
  return old;
}

unsigned _db_depth_() { return t_trace.depth; }
const char* _db_func_() { return t_trace.func; }
