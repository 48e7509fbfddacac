// The watcher thread googletest keeps for each thread that uses its per-thread values.
#pragma once

namespace testing_support {

// Starts googletest's watcher of the calling thread now and returns once that watcher runs.
// googletest creates the watcher the first time a thread uses one of its per-thread values
// (a SCOPED_TRACE, a failed assertion). A program whose last test does so first ends while
// the watcher thread is still starting, and Wine ends a process whose thread is still
// starting with a crash of that thread. Answers false when the watcher was made but could
// not be waited for.
bool StartThreadWatcher();

// The number of threads of this process, starting ones included; -1 when unknown.
int ThreadsOfThisProcess();

}  // namespace testing_support
