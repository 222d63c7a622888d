#pragma once

#include <string>

// The running executable's own full path, as the operating system knows it.
class CModulePath {
public:
    static std::string Get();
};
