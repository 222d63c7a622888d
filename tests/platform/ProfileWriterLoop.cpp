// Counts NEXT_ID of the profile named by its argument up, one whole rewrite of the file after
// another, until it is killed. Says "ready" before the first write.
#include <cstdint>
#include <iostream>
#include <string>

#include "platform/CProfileFile.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        return 2;
    }
    const std::string path = argv[1];
    std::cout << "ready" << std::endl;
    for (;;) {
        const auto nNext = static_cast<int32_t>(CProfileFile::GetInt(path, "ID", "NEXT_ID", 0));
        if (!CProfileFile::WriteInt(path, "ID", "NEXT_ID", nNext + 1)) {
            return 1;
        }
    }
}
