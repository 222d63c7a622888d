#pragma once

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "TestFiles.h"

// Runs another program as a test's subject, the way a script would: its standard output and
// error are kept in files while it runs (so that many can run at once without a reader per
// pipe), then handed back as bytes.
namespace ProgramRun {

struct Result {
    int nExitCode = -1;  // also when the program did not end normally
    std::string strOut;
    std::string strErr;

    bool operator==(const Result&) const = default;
};

// A failure shows what the program said instead of the bytes of the result.
inline void PrintTo(const Result& run, std::ostream* pOut) {
    *pOut << "exit code " << run.nExitCode << ", output " << testing::PrintToString(run.strOut)
          << ", errors " << testing::PrintToString(run.strErr);
}

struct Options {
    std::string strFolder{};      // working folder; the test's own when empty
    std::string strInputFile{};   // standard input; an empty one when not given
    std::string strOutputFile{};  // standard output goes to this file instead of being kept
};

// A started program; Wait gives its result once.
class CProgram {
public:
    CProgram(const std::string& program, const std::vector<std::string>& args,
             const Options& options = {});
    // A program is never left running behind its test.
    ~CProgram() { Exit(); }
    CProgram(const CProgram&) = delete;
    CProgram& operator=(const CProgram&) = delete;

    Result Wait();
    // Ends the program at once, as a crash or the task manager would: it cleans nothing up.
    void Kill();

private:
    int Exit();

    TestFiles::TempFolder m_Files;  // its "out" and "err"
#ifdef _WIN32
    void* m_hProcess = nullptr;
#else
    int m_nProcessId = -1;
#endif
};

inline Result Run(const std::string& program, const std::vector<std::string>& args,
                  const Options& options = {}) {
    return CProgram(program, args, options).Wait();
}

}  // namespace ProgramRun
