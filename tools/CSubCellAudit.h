#pragma once

#include <string>
#include <vector>

#include "definition/CKvlDefinition.h"

// Checks that a definition's sub cells describe its block: dimensions of at least one sub
// cell and within the editor's limit, every record inside the dimensions, no sub cell given
// twice, every sub cell given.
class CSubCellAudit {
public:
    // At most this many sub cells without a record are named one by one; the rest are counted.
    static constexpr size_t kMaxMissingListed = 10;

    // One text per problem; empty when there is none.
    static std::vector<std::string> Audit(const CKvlDefinition& definition);
};
