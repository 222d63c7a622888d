// An editor reduced to its identifier: finds the profile beside the executable path given as
// argument, says "ready", allocates one identifier when a line arrives on standard input and
// prints it with the number of message boxes shown.
#include <iostream>
#include <string>

#include "CScriptedPlatformServices.h"
#include "config/CGeneratorSettings.h"
#include "config/CKvlApplication.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        return 2;
    }
    CScriptedPlatformServices services(argv[1]);
    CKvlApplication app(services);
    app.SetProfilePath();
    std::cout << "ready" << std::endl;
    std::string line;
    std::getline(std::cin, line);
    theSettings.AllocateNextId();
    std::cout << theSettings.m_Definition.m_nId << " " << services.Messages().size() << std::endl;
    return 0;
}
