#include <cstdio>
#include <iostream>

#include "platform/ProcessSetup.h"
#include "tools/CKvlTool.h"
#include "tools/ToolExitCode.h"

int main(int argc, char** argv) {
    ProcessSetup::IgnoreFileSizeSignal();
    // The streams keep buffers of their own instead of writing each piece through stdio.
    std::ios::sync_with_stdio(false);
    int nExitCode = CKvlTool().Run(argc, argv, std::cout, std::cerr);
    // A failure only the close reveals still means the output did not arrive.
    if (std::fclose(stdout) != 0 && nExitCode != ToolExitCode::kUsageOrIoError) {
        std::cerr << "kvltool: closing standard output failed\n";
        nExitCode = ToolExitCode::kUsageOrIoError;
    }
    return nExitCode;
}
