#include "ChildProcess.h"

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>

int RunInChild(const std::function<int()>& body, size_t nMaxFileBytes) {
    const pid_t pid = fork();
    if (pid == 0) {
        if (nMaxFileBytes != SIZE_MAX) {
            std::signal(SIGXFSZ, SIG_IGN);  // a write past the limit fails instead of killing
            const rlimit limit{nMaxFileBytes, nMaxFileBytes};
            setrlimit(RLIMIT_FSIZE, &limit);
        }
        _exit(body());
    }
    int status = 0;
    if (pid < 0 || waitpid(pid, &status, 0) != pid || !WIFEXITED(status)) {
        return -1;
    }
    return WEXITSTATUS(status);
}
