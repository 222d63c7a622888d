#include "ChildProcess.h"

#ifndef _WIN32
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include "platform/ProcessSetup.h"

namespace ChildProcess {

int Start(const std::function<int()>& body, size_t nFileSizeLimit) {
    const pid_t pid = fork();
    if (pid == 0) {
        const rlimit limit{nFileSizeLimit, nFileSizeLimit};
        if (nFileSizeLimit > 0 && setrlimit(RLIMIT_FSIZE, &limit) != 0) {
            _exit(125);
        }
        ProcessSetup::IgnoreFileSizeSignal();
        // _exit: the child must not run the test framework's exit handlers.
        _exit(body());
    }
    return pid;
}

int Wait(int nProcessId) {
    int status = 0;
    if (nProcessId <= 0 || waitpid(nProcessId, &status, 0) != nProcessId || !WIFEXITED(status)) {
        return -1;
    }
    return WEXITSTATUS(status);
}

int Run(const std::function<bool()>& body, size_t nFileSizeLimit) {
    return Wait(Start([&] { return body() ? 0 : 1; }, nFileSizeLimit));
}

}  // namespace ChildProcess
#endif
