#pragma once

#include <cstddef>
#include <functional>

// Runs test code in forked child processes (POSIX only): a write can fail for real in the
// middle of a file, several processes can race for one file, and whatever a child holds (a
// lock, an open file) is left as a crash would leave it, since it ends without running
// destructors. With nFileSizeLimit > 0 the child's files may not grow beyond that many bytes,
// and a write beyond fails with EFBIG (the child ignores SIGXFSZ).
namespace ChildProcess {

// Starts body in a child whose exit code is body's result; gives the child's process id.
int Start(const std::function<int()>& body, size_t nFileSizeLimit = 0);
// Waits for the child to end: its exit code, or -1 when it was killed.
int Wait(int nProcessId);
// Starts body and waits for it: 0 when body returned true, 1 when it returned false.
int Run(const std::function<bool()>& body, size_t nFileSizeLimit = 0);

}  // namespace ChildProcess
