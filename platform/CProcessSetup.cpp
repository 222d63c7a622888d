#include "platform/CProcessSetup.h"

#include <csignal>

void CProcessSetup::IgnoreFileSizeSignal() {
#ifdef SIGXFSZ
    std::signal(SIGXFSZ, SIG_IGN);
#endif
}
