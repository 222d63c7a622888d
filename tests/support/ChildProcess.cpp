#include "ChildProcess.h"

#ifndef _WIN32
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include "platform/CProcessSetup.h"

int ChildProcess::Run(const std::function<bool()>& body, size_t nFileSizeLimit) {
    const pid_t pid = fork();
    if (pid == 0) {
        const rlimit limit{nFileSizeLimit, nFileSizeLimit};
        if (nFileSizeLimit > 0 && setrlimit(RLIMIT_FSIZE, &limit) != 0) {
            _exit(2);
        }
        CProcessSetup::IgnoreFileSizeSignal();
        // _exit: the child must not run the test framework's exit handlers.
        _exit(body() ? 0 : 1);
    }
    int status = 0;
    if (pid < 0 || waitpid(pid, &status, 0) != pid || !WIFEXITED(status)) {
        return -1;
    }
    return WEXITSTATUS(status);
}
#endif
