#pragma once

#include <cstdio>
#include <cstdlib>

// A promise the code under fuzzing makes to its callers: broken, the run stops with its
// words, so that libFuzzer keeps the input that broke it.
inline void Require(bool bCondition, const char* pszWhat) {
    if (!bCondition) {
        std::fprintf(stderr, "broken promise: %s\n", pszWhat);
        std::abort();
    }
}
