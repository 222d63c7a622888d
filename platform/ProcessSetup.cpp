#include "platform/ProcessSetup.h"

#include <csignal>
#include <cstdio>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

void ProcessSetup::IgnoreFileSizeSignal() {
#ifdef SIGXFSZ
    std::signal(SIGXFSZ, SIG_IGN);
#endif
}

void ProcessSetup::MakeStandardOutputBinary() {
#ifdef _WIN32
    _setmode(_fileno(stdout), _O_BINARY);
#endif
}

void ProcessSetup::MakeStandardInputBinary() {
#ifdef _WIN32
    _setmode(_fileno(stdin), _O_BINARY);
#endif
}
