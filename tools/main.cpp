#include <iostream>

#include "platform/CProcessSetup.h"
#include "tools/CKvlTool.h"

int main(int argc, char** argv) {
    CProcessSetup::IgnoreFileSizeSignal();
    return CKvlTool().Run(argc, argv, std::cout, std::cerr);
}
