#pragma once

#include <cstddef>
#include <functional>

// Runs test code in a forked child process whose files may not grow beyond a limit, so that
// a write fails for real in the middle of a file (POSIX only).
namespace ChildProcess {

struct Outcome {
    bool bExited = false;  // ended through exit; otherwise killed by nSignal
    int nExitCode = -1;    // 0 when the body returned true, 1 when it returned false
    int nSignal = 0;
};

// bIgnoreFileSizeSignal: the child ignores SIGXFSZ, so a write beyond the limit fails with
// EFBIG instead of killing it.
Outcome RunWithFileSizeLimit(size_t nFileSizeLimit, bool bIgnoreFileSizeSignal,
                             const std::function<bool()>& body);
// Without a limit. The child ends without running destructors, so what it holds (a lock, an
// open file) is left as a crash would leave it.
Outcome Run(const std::function<bool()>& body);

}  // namespace ChildProcess
