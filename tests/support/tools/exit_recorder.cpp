// exit_recorder.exe <result file> <program> [arguments]: runs the program with this process's
// standard handles, answers its exit code, and writes that code (decimal) into the result file
// before ending.
//
// Why: Wine's server kills (SIGKILL) a process whose Unix side has not ended about half a
// second after its last thread did. On a starved machine a test program that has passed and
// exited can be killed that way; the Unix exit status then says "killed" although the Windows
// exit code, which the server already holds, says 0. The recorded code is the one Windows
// gives the program's waiters: a crash while the program unloads its DLLs is in it, since the
// last thread ends only after that. cmake/wine-run.sh reads the file when this runner itself
// was killed at its own exit.
//
// The program runs in a job that ends it when the last handle to the job goes, so a runner
// ended by a time-out takes its program (and that program's children) with it.
#include <windows.h>

#include <cstdio>

namespace {

// The command line after its first `count` arguments (split as the C runtime splits them, for
// arguments without embedded quotes), or NULL when it has fewer.
const wchar_t* AfterArguments(const wchar_t* line, int count) {
  for (int i = 0; i < count; ++i) {
    while (*line == L' ' || *line == L'\t') ++line;
    if (*line == 0) return NULL;
    bool quoted = false;
    while (*line != 0 && (quoted || (*line != L' ' && *line != L'\t'))) {
      if (*line == L'"') quoted = !quoted;
      ++line;
    }
  }
  while (*line == L' ' || *line == L'\t') ++line;
  return *line != 0 ? line : NULL;
}

int Fail(const char* what) {
  fprintf(stderr, "exit_recorder: %s failed (error %lu)\n", what, GetLastError());
  return 126;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  const wchar_t* rest = AfterArguments(GetCommandLineW(), 2);
  if (argc < 3 || rest == NULL) {
    fprintf(stderr, "usage: exit_recorder <result file> <program> [arguments]\n");
    return 126;
  }
  const wchar_t* resultPath = argv[1];
  DeleteFileW(resultPath);

  HANDLE job = CreateJobObjectW(NULL, NULL);
  if (job == NULL) return Fail("CreateJobObject");
  JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits = {};
  limits.BasicLimitInformation.LimitFlags = JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE;
  if (!SetInformationJobObject(job, JobObjectExtendedLimitInformation, &limits, sizeof limits))
    return Fail("SetInformationJobObject");

  STARTUPINFOW si = {};
  si.cb = sizeof si;
  si.dwFlags = STARTF_USESTDHANDLES;
  si.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
  si.hStdOutput = GetStdHandle(STD_OUTPUT_HANDLE);
  si.hStdError = GetStdHandle(STD_ERROR_HANDLE);
  PROCESS_INFORMATION pi = {};
  // CreateProcess may write into the command line.
  const size_t length = wcslen(rest) + 1;
  wchar_t* line = static_cast<wchar_t*>(HeapAlloc(GetProcessHeap(), 0, length * sizeof(wchar_t)));
  if (line == NULL) return Fail("HeapAlloc");
  memcpy(line, rest, length * sizeof(wchar_t));
  if (!CreateProcessW(argv[2], line, NULL, NULL, TRUE, CREATE_SUSPENDED, NULL, NULL, &si, &pi))
    return Fail("CreateProcess");
  HeapFree(GetProcessHeap(), 0, line);
  if (!AssignProcessToJobObject(job, pi.hProcess)) {
    TerminateProcess(pi.hProcess, 126);
    return Fail("AssignProcessToJobObject");
  }
  ResumeThread(pi.hThread);
  CloseHandle(pi.hThread);
  WaitForSingleObject(pi.hProcess, INFINITE);
  DWORD code = 0;
  if (!GetExitCodeProcess(pi.hProcess, &code)) return Fail("GetExitCodeProcess");
  CloseHandle(pi.hProcess);

  // Written whole or not at all: the reader takes only a file that names a code.
  char text[16];
  const int size = snprintf(text, sizeof text, "%lu\n", code);
  HANDLE file = CreateFileW(resultPath, GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL);
  DWORD written = 0;
  if (file == INVALID_HANDLE_VALUE) return Fail("CreateFile");
  const bool ok = WriteFile(file, text, static_cast<DWORD>(size), &written, NULL) && written == static_cast<DWORD>(size);
  CloseHandle(file);
  if (!ok) {
    DeleteFileW(resultPath);
    return Fail("WriteFile");
  }
  CloseHandle(job);  // the program has ended: nothing left for the job to end
  return static_cast<int>(code);
}
