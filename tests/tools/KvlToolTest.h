#pragma once

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <nlohmann/json.hpp>
#include <sstream>
#include <string>
#include <vector>

#include "DefinitionSamples.h"
#include "MapSamples.h"
#include "ProgramRun.h"
#include "TestFiles.h"
#include "definition/CKvlWriter.h"

using ToolRun = ProgramRun::Result;
using Args = std::vector<std::string>;

// A run that ended with nExitCode and said says: on standard output when it succeeded, else on
// the error stream, where kvltool tells what went wrong.
MATCHER_P2(Exits, nExitCode, says,
           std::string(negation ? "does not exit" : "exits") + " with " +
               std::to_string(nExitCode) + " saying " + testing::PrintToString(says)) {
    const std::string& said = nExitCode == 0 ? arg.strOut : arg.strErr;
    return arg.nExitCode == nExitCode && said.find(says) != std::string::npos;
}

// A run that ended with 0, whatever it said.
inline const auto Succeeds = [] { return Exits(0, ""); };

// The generator's summary for cells of 256 units each way, and a map of one such cell.
inline const std::string kSummary =
    "[general]\r\ngame_type=1\r\n"
    "quantum_unit_x=256\r\nquantum_unit_y=256\r\nquantum_unit_z=256\r\n";
inline const std::string kOneCellMap =
    MapSamples::Entity("worldspawn", MapSamples::BoxBrush(0, 0, 0, 256, 256, 256));

// The start of a command line that makes a.KVL, for the options that follow.
inline const std::string kMake = "make a.map --dims=1x1x1 --exit=0,0,0:N ";

// The words of a command line without quotes; '' stands for an empty word.
inline Args Words(const std::string& commandLine) {
    std::istringstream in(commandLine);
    Args words;
    for (std::string word; in >> word;) {
        words.push_back(word == "''" ? "" : word);
    }
    return words;
}

inline Args operator+(Args args, const Args& more) {
    args.insert(args.end(), more.begin(), more.end());
    return args;
}

// Text as kvltool shows it here: on Windows, with CRLF line ends and "\" between folders.
inline std::string Shown(const std::string& text) {
#ifdef _WIN32
    std::string shown;
    for (const char c : text) {
        shown += c == '\n' ? "\r\n" : c == '/' ? "\\" : std::string(1, c);
    }
    return shown;
#else
    return text;
#endif
}

// Runs the built kvltool in a temporary folder of its own and looks at what it leaves there.
class KvlToolTest : public testing::Test {
protected:
    ToolRun Run(const Args& args, ProgramRun::Options options = {},
                const std::string& program = KVLTOOL_PATH) const {
        if (options.strFolder.empty()) {
            options.strFolder = m_Folder.Path();
        }
        return ProgramRun::Run(program, args, options);
    }
    // kvltool started in the test's folder, to run beside others.
    std::unique_ptr<ProgramRun::CProgram> Start(const Args& args) const {
        return std::make_unique<ProgramRun::CProgram>(KVLTOOL_PATH, args,
                                                      ProgramRun::Options{m_Folder.Path()});
    }
    // The bytes the editor's writer writes for a definition (its own tests pin Write to these).
    static constexpr auto Kvl = &CKvlWriter::Bytes;

    // The identifier in the definition kvl, as dump shows it; 0 when it shows none.
    uint32_t IdOf(const std::string& kvl) const {
        const auto dumped =
            nlohmann::json::parse(Run({"dump", "--json", kvl}).strOut, nullptr, false);
        return dumped.is_object() ? dumped.value("id", 0u) : 0;
    }

    std::string Path(const std::string& name) const { return m_Folder.PathOf(name); }
    std::string Read(const std::string& name) const { return TestFiles::ReadAll(Path(name)); }
    // Writes the file name, and the folders it needs.
    void Put(const std::string& name, const std::string& bytes) const {
        std::filesystem::create_directories(std::filesystem::path(Path(name)).parent_path());
        TestFiles::WriteAll(Path(name), bytes);
    }
    std::vector<std::string> Files() const { return m_Folder.Files(); }

    TestFiles::TempFolder m_Folder;
};
