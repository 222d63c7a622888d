#pragma once

#include <cstdint>
#include <string>

#include "platform/IPlatformServices.h"

// Identifiers handed out from the NEXT_ID counter of a profile shared by every editor and
// kvltool: each one once, never wrapping.
namespace Identifiers {

enum class Outcome {
    Reserved,     // the counter now holds the next identifier
    NotReserved,  // the counter could not be advanced: the identifier may be handed out again
    NoneLeft,     // the last identifier, 4294967295, has been handed out; nId is 0
};

struct Allocation {
    Outcome eOutcome = Outcome::Reserved;
    uint32_t nId = 0;
};

// Takes the next identifier from the profile and advances the counter, holding the profile's
// lock so that programs started together never share an identifier. Unless it was reserved,
// services tells the user why.
Allocation Allocate(const std::string& profile, IPlatformServices& services);

}  // namespace Identifiers
