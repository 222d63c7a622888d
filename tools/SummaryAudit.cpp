#include "tools/SummaryAudit.h"

#include <cstdint>

#include "platform/ProfileFile.h"
#include "tools/KvlTextFormatter.h"

namespace {

constexpr const char* kSection = "general";

struct SummaryRule {
    const char* pszKey;
    int32_t nMin;
    int32_t nMax;
    const char* pszExpected;
};

constexpr SummaryRule kRules[] = {
    {"game_type", 1, 3, "1 (Quake), 2 (Quake II) or 3 (Hexen II)"},
    {"quantum_unit_x", 1, INT32_MAX, "a positive size"},
    {"quantum_unit_y", 1, INT32_MAX, "a positive size"},
    {"quantum_unit_z", 1, INT32_MAX, "a positive size"},
};

}  // namespace

std::vector<std::string> SummaryAudit::Audit(const std::string& path) {
    std::vector<std::string> problems;
    for (const SummaryRule& rule : kRules) {
        const std::string key = std::string("[") + kSection + "] " + rule.pszKey;
        const std::string text = ProfileFile::GetString(path, kSection, rule.pszKey, "");
        if (text.empty()) {
            problems.push_back(key + " is missing; expected " + rule.pszExpected);
            continue;
        }
        // Read as the generator reads it: leading digits, wrapping like the profile functions.
        const auto nValue =
            static_cast<int32_t>(ProfileFile::GetInt(path, kSection, rule.pszKey, 0));
        if (nValue < rule.nMin || nValue > rule.nMax) {
            problems.push_back(key + " is " + KvlTextFormatter::Quote(text) + "; expected " +
                               rule.pszExpected);
        }
    }
    return problems;
}
