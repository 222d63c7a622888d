#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>

// Runs body in a forked child and returns its result as the child's exit code, or -1 when
// the child did not exit normally. The child ends without running destructors, so what it
// holds (a lock, an open file) is left as a crash would leave it. With nMaxFileBytes its
// files cannot grow beyond that size, as on a full disk.
int RunInChild(const std::function<int()>& body, size_t nMaxFileBytes = SIZE_MAX);
