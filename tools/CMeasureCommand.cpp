#include "tools/CMeasureCommand.h"

#include <CLI/CLI.hpp>
#include <algorithm>
#include <charconv>
#include <nlohmann/json.hpp>
#include <sstream>

#include "tools/CExitLetters.h"
#include "tools/ToolExitCode.h"

namespace {

using Json = nlohmann::ordered_json;

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

std::string Number(double value) {
    std::ostringstream text;
    text << value;
    return text.str();
}

std::string Triple(const Vec3& v, const char* pszSeparator) {
    return Number(v[0]) + pszSeparator + Number(v[1]) + pszSeparator + Number(v[2]);
}

std::string ExitArguments(const std::vector<SuggestedExit>& exits) {
    std::string text;
    for (const SuggestedExit& cell : exits) {
        text += " --exit " + std::to_string(cell.nX) + "," + std::to_string(cell.nY) + "," +
                std::to_string(cell.nZ) + ":" + CExitLetters::Format(cell.nExits);
    }
    return text;
}

std::string NoteText(const std::string& path, const MapNote& note) {
    return path + ":" + std::to_string(note.nLine) + ":" + std::to_string(note.nColumn) + ": " +
           note.strMessage;
}

Json ToJson(const std::string& path, const MapMeasurement& m, const Vec3& quantum) {
    Json exits = Json::array();
    for (const SuggestedExit& cell : m.m_Exits) {
        exits.push_back({{"x", cell.nX},
                         {"y", cell.nY},
                         {"z", cell.nZ},
                         {"sides", CExitLetters::Format(cell.nExits)}});
    }
    return Json{{"format", "kvltool-measure/1"},
                {"map", path},
                {"mins", m.m_Extent.mins},
                {"maxs", m.m_Extent.maxs},
                {"size", m.size},
                {"quantum", quantum},
                {"dims", m.dims},
                {"whole_cells", m.wholeCells},
                {"exits", std::move(exits)}};
}

}  // namespace

CLI::App* CMeasureCommand::Register(CLI::App& app) {
    CLI::App* pMeasure = app.add_subcommand(
        "measure", "Measure prefab .map files: their dimensions in cells and suggested exits");
    pMeasure->footer(
        "Sub cell 0,0,0 lies at the map's lowest corner; north is +Y. A side of a boundary sub "
        "cell is an exit when a gap of 32 x 56 units in it is free of solid brushes just inside "
        "the boundary.\n"
        "Example: kvltool measure hall.map");
    pMeasure->add_option("MAP", m_Files, "the .map files to measure")->required();
    pMeasure->add_flag("--json", m_bJson, "print one JSON object per map, one per line");
    AddSettingOptions(*pMeasure);
    return pMeasure;
}

void CMeasureCommand::AddSettingOptions(CLI::App& command) {
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

MeasureSettings CMeasureCommand::SettingsFor(const std::string& path) const {
    MeasureSettings settings = m_Settings;
    settings.quantum = m_Quantum ? *m_Quantum : CMapMeasurement::FolderQuantum(path);
    return settings;
}

int CMeasureCommand::Run(std::ostream& out, std::ostream& err) {
    int nWorst = ToolExitCode::kAllWell;
    for (const std::string& path : m_Files) {
        nWorst = std::max(nWorst, MeasureFile(path, out, err));
    }
    return nWorst;
}

int CMeasureCommand::MeasureFile(const std::string& path, std::ostream& out,
                                 std::ostream& err) const {
    const MapReadResult map = CMapReader::ReadFile(path);
    if (!map.bOk) {
        if (map.m_Error.nLine == 0) {
            err << path << ": " << map.m_Error.strMessage << '\n';
            return ToolExitCode::kUsageOrIoError;
        }
        err << NoteText(path, map.m_Error) << '\n';
        return ToolExitCode::kProblemsFound;
    }
    const MeasureSettings settings = SettingsFor(path);
    MapMeasurement measurement;
    std::string error;
    if (!CMapMeasurement::Measure(map, settings, measurement, error)) {
        err << path << ": " << error << '\n';
        return ToolExitCode::kProblemsFound;
    }
    std::vector<std::string> warnings;
    for (const MapNote& note : map.m_Warnings) {
        warnings.push_back(NoteText(path, note));
    }
    for (const MapNote& note : measurement.m_Warnings) {
        warnings.push_back(NoteText(path, note));
    }
    const char* const axes = "XYZ";
    for (int i = 0; i < 3; ++i) {
        if (!measurement.wholeCells[i]) {
            warnings.push_back(
                path + ": the size along " + axes[i] + ", " + Number(measurement.size[i]) +
                ", is not a whole number of cells of " + Number(settings.quantum[i]));
        }
    }
    if (m_bJson) {
        out << ToJson(path, measurement, settings.quantum).dump() << '\n';
    } else {
        const Vec3 dims{static_cast<double>(measurement.dims[0]),
                        static_cast<double>(measurement.dims[1]),
                        static_cast<double>(measurement.dims[2])};
        out << path << ": from (" << Triple(measurement.m_Extent.mins, ", ") << ") to ("
            << Triple(measurement.m_Extent.maxs, ", ") << "), size "
            << Triple(measurement.size, " x ") << '\n'
            << "  cells of " << Triple(settings.quantum, " x ") << ": --dims " << Triple(dims, "x")
            << '\n'
            << "  exits:"
            << (measurement.m_Exits.empty() ? " none" : ExitArguments(measurement.m_Exits)) << '\n';
    }
    for (const std::string& warning : warnings) {
        err << warning << '\n';
    }
    return warnings.empty() ? ToolExitCode::kAllWell : ToolExitCode::kProblemsFound;
}
