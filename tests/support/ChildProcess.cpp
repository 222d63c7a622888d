#include "ChildProcess.h"

#ifndef _WIN32
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include "platform/CProcessSetup.h"

namespace ChildProcess {

namespace {

Outcome RunForked(const std::function<void()>& setup, const std::function<bool()>& body) {
    const pid_t pid = fork();
    if (pid == 0) {
        setup();
        // _exit: the child must not run the test framework's exit handlers.
        _exit(body() ? 0 : 1);
    }
    Outcome outcome;
    int status = 0;
    if (pid < 0 || waitpid(pid, &status, 0) != pid) {
        return outcome;
    }
    outcome.bExited = WIFEXITED(status);
    outcome.nExitCode = outcome.bExited ? WEXITSTATUS(status) : -1;
    outcome.nSignal = WIFSIGNALED(status) ? WTERMSIG(status) : 0;
    return outcome;
}

}  // namespace

Outcome RunWithFileSizeLimit(size_t nFileSizeLimit, bool bIgnoreFileSizeSignal,
                             const std::function<bool()>& body) {
    const auto setup = [=] {
        const rlimit limit{nFileSizeLimit, nFileSizeLimit};
        if (setrlimit(RLIMIT_FSIZE, &limit) != 0) {
            _exit(2);
        }
        if (bIgnoreFileSizeSignal) {
            CProcessSetup::IgnoreFileSizeSignal();
        }
    };
    return RunForked(setup, body);
}

Outcome Run(const std::function<bool()>& body) {
    return RunForked([] {}, body);
}

}  // namespace ChildProcess
#endif
