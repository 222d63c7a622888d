#pragma once

#include <string>
#include <vector>

#include "definition/CKvlDefinition.h"

// Checks that a definition's sub cells describe its block: dimensions of at least one sub
// cell and within the editor's limit, every record inside the dimensions, no sub cell given
// twice, every sub cell given.
namespace SubCellAudit {

// One text per problem; empty when there is none.
std::vector<std::string> Audit(const CKvlDefinition& definition);

}  // namespace SubCellAudit
