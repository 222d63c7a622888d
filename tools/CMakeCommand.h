#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "definition/CKvlDefinition.h"
#include "tools/CMakeArguments.h"
#include "tools/ICommand.h"

// kvltool make: writes the definition the editor would write for the same map file,
// dimensions and exits, through the same writer, with an identifier from the shared profile.
class CMakeCommand : public ICommand {
public:
    CLI::App* Register(CLI::App& app) override;
    int Run(std::ostream& out, std::ostream& err) override;

private:
    // Refuses what the editor refuses or cannot express: dimensions beyond its limit, no sub
    // cell given, and sub cells it does not offer (it offers only coordinates inside the
    // dimensions, and 0 along an axis of size 0 or below).
    bool CheckInput(std::ostream& err) const;
    // -o, or the map file's base name and ".KVL" as the editor proposes; empty when the map
    // file name gives no base name.
    std::string OutputPath() const;
    // From --id, or allocated from the profile like the editor does. bWarned tells whether
    // the allocation had something to report.
    uint32_t TakeIdentifier(std::ostream& err, bool& bWarned) const;
    CKvlDefinition BuildDefinition(uint32_t nId) const;

    std::string m_strMapFile;
    CMakeArguments::Dimensions m_Dimensions{};
    std::vector<SubCell> m_Exits;
    std::optional<uint32_t> m_nId;
    std::optional<std::string> m_strProfile;
    std::string m_strOutput;
    bool m_bForce = false;
};
