#pragma once

#include <optional>
#include <string>
#include <vector>

#include "map/CMapMeasurement.h"
#include "tools/ICommand.h"

// kvltool measure: reads prefab maps and proposes their dimensions and exits.
class CMeasureCommand : public ICommand {
public:
    CLI::App* Register(CLI::App& app) override;
    int Run(std::ostream& out, std::ostream& err) override;

    // --quantum, --north and --gap on command, shared with the commands that measure.
    void AddSettingOptions(CLI::App& command);
    // The settings for the map at path: the folder's quantum unless --quantum was given.
    MeasureSettings SettingsFor(const std::string& path) const;

private:
    int MeasureFile(const std::string& path, std::ostream& out, std::ostream& err) const;

    std::vector<std::string> m_Files;
    bool m_bJson = false;
    std::optional<Vec3> m_Quantum;
    MeasureSettings m_Settings;
};
