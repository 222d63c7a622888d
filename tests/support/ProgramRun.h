#pragma once

#include <memory>
#include <string>
#include <vector>

// Runs another program as a test's subject, the way a script would: its standard output and
// error are kept in files while it runs (so that many can run at once without a reader per
// pipe), then handed back as bytes.
namespace ProgramRun {

struct Result {
    int nExitCode = -1;  // also when the program did not end normally
    std::string strOut;
    std::string strErr;
};

struct Options {
    std::string strFolder{};      // working folder; the test's own when empty
    std::string strInput{};       // bytes on standard input
    std::string strInputFile{};   // or this file as standard input
    std::string strOutputFile{};  // standard output goes to this file instead of being kept
    int nLimitResource = -1;      // POSIX: a resource limit (RLIMIT_...) set before the start
    unsigned long long nLimit = 0;
};

class CRunning;

// A started program; Wait gives its result once.
class CProgram {
public:
    CProgram(const std::string& program, const std::vector<std::string>& args,
             const Options& options = {});
    ~CProgram();
    CProgram(const CProgram&) = delete;
    CProgram& operator=(const CProgram&) = delete;

    Result Wait();

private:
    std::unique_ptr<CRunning> m_pRunning;
};

inline Result Run(const std::string& program, const std::vector<std::string>& args,
                  const Options& options = {}) {
    return CProgram(program, args, options).Wait();
}

}  // namespace ProgramRun
