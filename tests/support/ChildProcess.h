#pragma once

#include <cstddef>
#include <functional>

// Runs test code in a forked child process (POSIX only), so that a write can fail for real in
// the middle of a file and whatever the child holds (a lock, an open file) is left as a crash
// would leave it: the child ends without running destructors.
namespace ChildProcess {

// The child's exit code: 0 when body returned true, 1 when it returned false; -1 when it was
// killed. With nFileSizeLimit > 0 its files may not grow beyond that many bytes, and a write
// beyond fails with EFBIG (the child ignores SIGXFSZ).
int Run(const std::function<bool()>& body, size_t nFileSizeLimit = 0);

}  // namespace ChildProcess
