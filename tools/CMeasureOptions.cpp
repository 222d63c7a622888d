#include "tools/CMeasureOptions.h"

#include <CLI/CLI.hpp>
#include <algorithm>
#include <charconv>
#include <cmath>
#include <sstream>
#include <system_error>
#include <vector>

#include "fileio/PathText.h"

namespace {

// Positive numbers separated by cSeparator, count of them.
std::optional<std::vector<double>> ParsePositives(const std::string& text, char cSeparator,
                                                  size_t nCount) {
    std::vector<double> values;
    const char* p = text.data();
    const char* pEnd = p + text.size();
    while (true) {
        double value = 0;
        const auto [pStop, error] = std::from_chars(p, pEnd, value);
        if (error != std::errc() || !(value > 0) || !std::isfinite(value)) {
            return std::nullopt;
        }
        values.push_back(value);
        if (pStop == pEnd) {
            break;
        }
        if (*pStop != cSeparator) {
            return std::nullopt;
        }
        p = pStop + 1;
    }
    return values.size() == nCount ? std::optional(values) : std::nullopt;
}

}  // namespace

void CMeasureOptions::AddTo(CLI::App& command) {
    command
        .add_option_function<std::string>(
            "--quantum",
            [this](const std::string& text) {
                const auto values = ParsePositives(text, ',', 3);
                if (!values) {
                    throw CLI::ValidationError("--quantum", "\"" + text +
                                                                "\" is no cell size: expected "
                                                                "X,Y,Z, three positive numbers");
                }
                m_Quantum = Vec3{(*values)[0], (*values)[1], (*values)[2]};
            },
            "the cell size instead of the quantum units of summary.INI beside the map, or 256")
        ->type_name("X,Y,Z");
    command
        .add_option_function<std::string>(
            "--north",
            [this](const std::string& text) {
                std::string axis = text;
                std::transform(axis.begin(), axis.end(), axis.begin(), ::toupper);
                const bool bNegative = !axis.empty() && axis[0] == '-';
                if (!axis.empty() && (axis[0] == '-' || axis[0] == '+')) {
                    axis.erase(0, 1);
                }
                if (axis != "X" && axis != "Y") {
                    throw CLI::ValidationError(
                        "--north", "\"" + text + "\" is no axis: expected +Y, -Y, +X or -X");
                }
                m_Settings.nNorthAxis = axis == "X" ? 0 : 1;
                m_Settings.bNorthNegative = bNegative;
            },
            "the map's axis that points north, +Y unless given")
        ->type_name("AXIS");
    command
        .add_option_function<std::string>(
            "--gap",
            [this](const std::string& text) {
                const auto values = ParsePositives(text, 'x', 2);
                if (!values) {
                    throw CLI::ValidationError(
                        "--gap", "\"" + text + "\" is no gap: expected WxH such as 32x56");
                }
                m_Settings.gapWidth = (*values)[0];
                m_Settings.gapHeight = (*values)[1];
            },
            "the width and height a player needs to pass, 32x56 unless given")
        ->type_name("WxH");
}

MeasureSettings CMeasureOptions::SettingsFor(const std::string& path) const {
    MeasureSettings settings = m_Settings;
    if (m_Quantum) {
        settings.quantum = *m_Quantum;
        return settings;
    }
    // The maps of a folder share its summary.INI: read once, not once per map.
    const std::string folder = PathText::DirectoryOf(path);
    auto found = m_FolderQuanta.find(folder);
    if (found == m_FolderQuanta.end()) {
        found = m_FolderQuanta.emplace(folder, MapMeasure::FolderQuantum(path)).first;
    }
    settings.quantum = found->second;
    return settings;
}

bool CMeasureOptions::MeasureFile(const std::string& path, MapMeasurement& measurement,
                                  std::string& error, bool& bUnreadable) const {
    MapReadStatus read;
    if (MapMeasure::MeasureFile(path, SettingsFor(path), read, measurement, error)) {
        return true;
    }
    bUnreadable = !read.bOk && read.error.nLine == 0;
    error = read.bOk ? path + ": " + error : NoteText(path, read.error);
    return false;
}

std::vector<std::string> CMeasureOptions::Warnings(const std::string& path,
                                                   const MapMeasurement& measurement) const {
    std::vector<std::string> warnings;
    for (const MapNote& note : measurement.warnings) {
        warnings.push_back(NoteText(path, note));
    }
    const Vec3 quantum = SettingsFor(path).quantum;
    const char* const axes = "XYZ";
    for (int i = 0; i < 3; ++i) {
        if (!measurement.wholeCells[i]) {
            std::ostringstream text;
            text << path << ": the size along " << axes[i] << ", " << measurement.size[i]
                 << ", is not a whole number of cells of " << quantum[i];
            warnings.push_back(text.str());
        }
    }
    return warnings;
}

std::string CMeasureOptions::NoteText(const std::string& path, const MapNote& note) {
    if (note.nLine == 0) {
        return path + ": " + note.strMessage;
    }
    return path + ":" + std::to_string(note.nLine) + ":" + std::to_string(note.nColumn) + ": " +
           note.strMessage;
}
