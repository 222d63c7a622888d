#pragma once

#include <pwd.h>
#include <unistd.h>

#include "ProgramRun.h"

// A user other than root for tests whose failures root's rights would hide (POSIX only, and
// only root can make it).
namespace TestUser {

inline constexpr const char* kName = "kvledit-test";

// The test user, created now when it did not exist; nullptr when it cannot be had.
inline const passwd* Ensure() {
    if (getpwnam(kName) == nullptr && geteuid() == 0) {
        ProgramRun::Run("useradd",
                        {"--system", "--no-create-home", "--shell", "/usr/sbin/nologin", kName});
    }
    return getpwnam(kName);
}

}  // namespace TestUser
