#pragma once

#include <string>

// The running executable's own full path, as the operating system knows it.
namespace ModulePath {

std::string Get();

}  // namespace ModulePath
