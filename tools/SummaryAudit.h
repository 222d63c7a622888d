#pragma once

#include <string>
#include <vector>

// Checks the values of a Castery folder's summary.INI that the generator relies on: a known
// game and positive quantum unit sizes.
namespace SummaryAudit {

// One text per problem; empty when there is none.
std::vector<std::string> Audit(const std::string& path);

}  // namespace SummaryAudit
