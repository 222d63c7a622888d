#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "definition/CKvlDefinition.h"
#include "tools/CMeasureOptions.h"
#include "tools/CommandMakeArguments.h"
#include "tools/ICommand.h"

// kvltool make: writes the definition the editor would write for the same map file,
// dimensions and exits, through the same writer, with an identifier from the shared profile.
class CCommandMake : public ICommand {
public:
    CLI::App* Register(CLI::App& app) override;
    int Run(std::ostream& out, std::ostream& err) override;

private:
    // Refuses what gives no prefab the generator can place or what the editor cannot
    // express: dimensions below 1 or beyond its limit, no sub cell given, sub cells outside
    // the dimensions.
    bool CheckInput(std::ostream& err) const;
    // With --from-map, the dimensions and exits not given measured from the map, its warnings
    // told; false, with the reason told, when the map cannot be measured or no size is given.
    bool TakeFromMap(std::ostream& err);
    // -o ("-" for standard output), or the map file's base name and ".KVL" as the editor
    // proposes; nothing, with the reason told, when the map file name gives no usable name.
    std::optional<std::string> OutputPath(std::ostream& err) const;
    // The definition's bytes on out; there is no file to write first, so the identifier is
    // taken at once.
    int WriteToStandardOutput(std::ostream& out, std::ostream& err) const;
    // From --id, or allocated from the profile like the editor does; nothing, with the reason
    // told, when no identifier could be reserved.
    std::optional<uint32_t> TakeIdentifier(std::ostream& err) const;
    // The definition with identifier 0 and the given records only, not yet completed.
    CKvlDefinition BuildDefinition() const;
    std::string Summary(uint32_t nId, size_t nRecords) const;

    std::string m_strMapFile;
    CommandMakeArguments::Dimensions m_Dimensions{};
    std::vector<SubCell> m_Exits;
    std::optional<uint32_t> m_nId;
    std::optional<std::string> m_strProfile;
    std::string m_strOutput;
    bool m_bForce = false;
    bool m_bDimsGiven = false;
    bool m_bFromMap = false;
    CMeasureOptions m_Options;
};
