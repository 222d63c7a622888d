#include <iostream>

#include "tools/CKvlTool.h"

int main(int argc, char** argv) {
    return CKvlTool().Run(argc, argv, std::cout, std::cerr);
}
