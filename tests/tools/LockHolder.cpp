// Holds the identifier lock of a profile for the tests of what happens to the other processes
// when its holder is killed: takes it, creates the marker file to say so, then waits to be
// killed (ending by itself after a minute, so that none is ever left behind).
#include <chrono>
#include <fstream>
#include <thread>

#include "platform/CFileLock.h"
#include "platform/NativePath.h"

int main(int argc, char** argv) {
    if (argc != 3) {
        return 2;
    }
    CFileLock lock;
    if (!lock.Lock(CFileLock::LockPathFor(argv[1]), std::chrono::seconds(10))) {
        return 1;
    }
    std::ofstream(NativePath::From(argv[2])) << "locked";
    std::this_thread::sleep_for(std::chrono::minutes(1));
    return 0;
}
