#include "tools/CCommandMeasure.h"

#include <CLI/CLI.hpp>
#include <algorithm>
#include <nlohmann/json.hpp>
#include <sstream>

#include "tools/ExitLetters.h"
#include "tools/ToolExitCode.h"

namespace {

using Json = nlohmann::ordered_json;

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
                std::to_string(cell.nZ) + ":" + ExitLetters::Format(cell.nExits);
    }
    return text;
}

Json ToJson(const std::string& path, const MapMeasurement& m, const Vec3& quantum) {
    Json exits = Json::array();
    for (const SuggestedExit& cell : m.exits) {
        exits.push_back({{"x", cell.nX},
                         {"y", cell.nY},
                         {"z", cell.nZ},
                         {"sides", ExitLetters::Format(cell.nExits)}});
    }
    return Json{{"format", "kvltool-measure/1"},
                {"map", path},
                {"mins", m.extent.mins},
                {"maxs", m.extent.maxs},
                {"size", m.size},
                {"quantum", quantum},
                {"dims", m.dims},
                {"whole_cells", m.wholeCells},
                {"exits", std::move(exits)}};
}

}  // namespace

CLI::App* CCommandMeasure::Register(CLI::App& app) {
    CLI::App* pMeasure = app.add_subcommand(
        "measure", "Measure prefab .map files: their dimensions in cells and suggested exits");
    pMeasure->footer(
        "Sub cell 0,0,0 lies at the map's lowest corner; north is +Y. A side of a boundary sub "
        "cell is an exit when a gap of 32 x 56 units in it is free of solid brushes just inside "
        "the boundary.\n"
        "Example: kvltool measure hall.map");
    pMeasure->add_option("MAP", m_Files, "the .map files to measure")->required();
    pMeasure->add_flag("--json", m_bJson, "print one JSON object per map, one per line");
    m_Options.AddTo(*pMeasure);
    return pMeasure;
}

int CCommandMeasure::Run(std::ostream& out, std::ostream& err) {
    int nWorst = ToolExitCode::kAllWell;
    for (const std::string& path : m_Files) {
        nWorst = std::max(nWorst, MeasureFile(path, out, err));
    }
    return nWorst;
}

int CCommandMeasure::MeasureFile(const std::string& path, std::ostream& out,
                                 std::ostream& err) const {
    MapMeasurement measurement;
    std::string error;
    bool bUnreadable = false;
    if (!m_Options.MeasureFile(path, measurement, error, bUnreadable)) {
        err << error << '\n';
        return bUnreadable ? ToolExitCode::kUsageOrIoError : ToolExitCode::kProblemsFound;
    }
    const MeasureSettings settings = m_Options.SettingsFor(path);
    const std::vector<std::string> warnings = m_Options.Warnings(path, measurement);
    if (m_bJson) {
        out << ToJson(path, measurement, settings.quantum).dump() << '\n';
    } else {
        const Vec3 dims{static_cast<double>(measurement.dims[0]),
                        static_cast<double>(measurement.dims[1]),
                        static_cast<double>(measurement.dims[2])};
        out << path << ": from (" << Triple(measurement.extent.mins, ", ") << ") to ("
            << Triple(measurement.extent.maxs, ", ") << "), size "
            << Triple(measurement.size, " x ") << '\n'
            << "  cells of " << Triple(settings.quantum, " x ") << ": --dims " << Triple(dims, "x")
            << '\n'
            << "  exits:"
            << (measurement.exits.empty() ? " none" : ExitArguments(measurement.exits)) << '\n';
    }
    for (const std::string& warning : warnings) {
        err << warning << '\n';
    }
    return warnings.empty() ? ToolExitCode::kAllWell : ToolExitCode::kProblemsFound;
}
