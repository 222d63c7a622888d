#include "ProgramRun.h"

#include "TestFiles.h"

#ifdef _WIN32
#include <windows.h>

#include "platform/NativePath.h"
#else
#include <fcntl.h>
#include <sys/resource.h>
#include <unistd.h>

#include <csignal>
#include <utility>

#include "ChildProcess.h"
#endif

namespace ProgramRun {

class CRunning {
public:
    TestFiles::TempFolder m_Files;
#ifdef _WIN32
    HANDLE m_hProcess = nullptr;
#else
    pid_t m_nProcessId = -1;
#endif

    std::string Path(const char* pszName) const {
        return m_Files.PathOf(pszName);
    }
};

namespace {

std::string InputPath(const CRunning& running, const Options& options) {
    if (!options.strInputFile.empty()) {
        return options.strInputFile;
    }
    TestFiles::WriteAll(running.Path("in"), options.strInput);
    return running.Path("in");
}

#ifdef _WIN32

// The quoting the C runtime's command line parser undoes: backslashes are literal unless a
// quote follows them.
std::wstring Quoted(const std::wstring& arg) {
    if (!arg.empty() && arg.find_first_of(L" \t\"") == std::wstring::npos) {
        return arg;
    }
    std::wstring quoted = L"\"";
    size_t nBackslashes = 0;
    for (const wchar_t c : arg) {
        if (c == L'\\') {
            ++nBackslashes;
        } else {
            quoted.append(c == L'"' ? 2 * nBackslashes + 1 : nBackslashes, L'\\');
            nBackslashes = 0;
        }
        quoted += c;
    }
    return quoted.append(nBackslashes, L'\\') + L"\"";
}

HANDLE OpenInherited(const std::string& path, bool bWrite) {
    SECURITY_ATTRIBUTES attributes{sizeof(attributes), nullptr, TRUE};
    return CreateFileW(NativePath::From(path).c_str(), bWrite ? GENERIC_WRITE : GENERIC_READ,
                       FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, &attributes,
                       bWrite ? CREATE_ALWAYS : OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
}

// Only the three standard handles are inherited, so that programs started side by side do
// not hold each other's files open.
void Start(CRunning& running, const std::string& program, const std::vector<std::string>& args,
           const Options& options) {
    std::wstring commandLine = Quoted(NativePath::From(program).wstring());
    for (const std::string& arg : args) {
        commandLine += L" " + Quoted(NativePath::From(arg).wstring());
    }
    HANDLE handles[] = {
        OpenInherited(InputPath(running, options), false),
        OpenInherited(options.strOutputFile.empty() ? running.Path("out") : options.strOutputFile,
                      true),
        OpenInherited(running.Path("err"), true)};
    SIZE_T nSize = 0;
    InitializeProcThreadAttributeList(nullptr, 1, 0, &nSize);
    std::string attributeList(nSize, '\0');
    STARTUPINFOEXW startup{};
    startup.StartupInfo.cb = sizeof(startup);
    startup.StartupInfo.dwFlags = STARTF_USESTDHANDLES;
    startup.StartupInfo.hStdInput = handles[0];
    startup.StartupInfo.hStdOutput = handles[1];
    startup.StartupInfo.hStdError = handles[2];
    startup.lpAttributeList = reinterpret_cast<LPPROC_THREAD_ATTRIBUTE_LIST>(attributeList.data());
    PROCESS_INFORMATION process{};
    const std::wstring folder = NativePath::From(options.strFolder).wstring();
    if (InitializeProcThreadAttributeList(startup.lpAttributeList, 1, 0, &nSize) &&
        UpdateProcThreadAttribute(startup.lpAttributeList, 0, PROC_THREAD_ATTRIBUTE_HANDLE_LIST,
                                  handles, sizeof(handles), nullptr, nullptr) &&
        CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, TRUE,
                       EXTENDED_STARTUPINFO_PRESENT, nullptr,
                       folder.empty() ? nullptr : folder.c_str(), &startup.StartupInfo, &process)) {
        CloseHandle(process.hThread);
        running.m_hProcess = process.hProcess;
    }
    DeleteProcThreadAttributeList(startup.lpAttributeList);
    for (HANDLE handle : handles) {
        CloseHandle(handle);
    }
}

int WaitForExit(CRunning& running) {
    DWORD nExitCode = 0;
    if (running.m_hProcess == nullptr ||
        WaitForSingleObject(running.m_hProcess, INFINITE) != WAIT_OBJECT_0 ||
        !GetExitCodeProcess(running.m_hProcess, &nExitCode)) {
        return -1;
    }
    CloseHandle(running.m_hProcess);
    running.m_hProcess = nullptr;
    return static_cast<int>(nExitCode);
}

void Kill(const CRunning& running) {
    if (running.m_hProcess != nullptr) {
        TerminateProcess(running.m_hProcess, 137);
    }
}

#else

// Everything the child needs is made before the fork: after it, only calls that are safe in
// a copy of a process with other threads.
void Start(CRunning& running, const std::string& program, const std::vector<std::string>& args,
           const Options& options) {
    const int fds[] = {
        open(InputPath(running, options).c_str(), O_RDONLY | O_CLOEXEC),
        open((options.strOutputFile.empty() ? running.Path("out") : options.strOutputFile).c_str(),
             O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600),
        open(running.Path("err").c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600)};
    std::vector<char*> argv{const_cast<char*>(program.c_str())};
    for (const std::string& arg : args) {
        argv.push_back(const_cast<char*>(arg.c_str()));
    }
    argv.push_back(nullptr);
    const rlimit limit{options.nLimit, options.nLimit};
    running.m_nProcessId = fork();
    if (running.m_nProcessId == 0) {
        for (int nFd = 0; nFd < 3; ++nFd) {
            if (fds[nFd] < 0 || dup2(fds[nFd], nFd) < 0) {
                _exit(127);
            }
        }
        if ((!options.strFolder.empty() && chdir(options.strFolder.c_str()) != 0) ||
            (options.nLimitResource >= 0 && setrlimit(options.nLimitResource, &limit) != 0)) {
            _exit(127);
        }
        execvp(argv[0], argv.data());
        _exit(127);
    }
    for (const int nFd : fds) {
        if (nFd >= 0) {
            close(nFd);
        }
    }
}

int WaitForExit(CRunning& running) {
    return ChildProcess::Wait(std::exchange(running.m_nProcessId, -1));
}

void Kill(const CRunning& running) {
    if (running.m_nProcessId > 0) {
        kill(running.m_nProcessId, SIGKILL);
    }
}

#endif

}  // namespace

CProgram::CProgram(const std::string& program, const std::vector<std::string>& args,
                   const Options& options)
    : m_pRunning(std::make_unique<CRunning>()) {
    Start(*m_pRunning, program, args, options);
}

// A program is never left running behind its test.
CProgram::~CProgram() {
    WaitForExit(*m_pRunning);
}

void CProgram::Kill() {
    ProgramRun::Kill(*m_pRunning);
}

Result CProgram::Wait() {
    const int nExitCode = WaitForExit(*m_pRunning);
    // Output sent to a file of the test's own leaves no "out", which then reads as empty.
    return {nExitCode, TestFiles::ReadAll(m_pRunning->Path("out")),
            TestFiles::ReadAll(m_pRunning->Path("err"))};
}

}  // namespace ProgramRun
