#include "ProgramRun.h"

#include <utility>

#ifdef _WIN32
#include <windows.h>

#include "platform/NativePath.h"
#else
#include <fcntl.h>
#include <spawn.h>
#include <unistd.h>

#include <csignal>

#include "ChildProcess.h"
#endif

namespace ProgramRun {

#ifdef _WIN32

namespace {

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

}  // namespace

// Only the three standard handles are inherited, so that programs started side by side do
// not hold each other's files open.
CProgram::CProgram(const std::string& program, const std::vector<std::string>& args,
                   const Options& options) {
    std::wstring commandLine = Quoted(NativePath::From(program).wstring());
    for (const std::string& arg : args) {
        commandLine += L" " + Quoted(NativePath::From(arg).wstring());
    }
    HANDLE handles[] = {
        OpenInherited(options.strInputFile.empty() ? "NUL" : options.strInputFile, false),
        OpenInherited(options.strOutputFile.empty() ? m_Files.PathOf("out") : options.strOutputFile,
                      true),
        OpenInherited(m_Files.PathOf("err"), true)};
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
        m_hProcess = process.hProcess;
    }
    DeleteProcThreadAttributeList(startup.lpAttributeList);
    for (HANDLE handle : handles) {
        CloseHandle(handle);
    }
}

int CProgram::Exit() {
    DWORD nExitCode = 0;
    if (m_hProcess == nullptr || WaitForSingleObject(m_hProcess, INFINITE) != WAIT_OBJECT_0 ||
        !GetExitCodeProcess(m_hProcess, &nExitCode)) {
        return -1;
    }
    CloseHandle(std::exchange(m_hProcess, nullptr));
    return static_cast<int>(nExitCode);
}

void CProgram::Kill() {
    if (m_hProcess != nullptr) {
        TerminateProcess(m_hProcess, 137);
    }
}

#else

// posix_spawn, not fork: the test process may have other threads, and the child needs no
// more than its standard files and folder.
CProgram::CProgram(const std::string& program, const std::vector<std::string>& args,
                   const Options& options) {
    std::vector<char*> argv{const_cast<char*>(program.c_str())};
    for (const std::string& arg : args) {
        argv.push_back(const_cast<char*>(arg.c_str()));
    }
    argv.push_back(nullptr);
    const std::string in = options.strInputFile.empty() ? "/dev/null" : options.strInputFile;
    const std::string out =
        options.strOutputFile.empty() ? m_Files.PathOf("out") : options.strOutputFile;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, in.c_str(), O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 1, out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    posix_spawn_file_actions_addopen(&actions, 2, m_Files.PathOf("err").c_str(),
                                     O_WRONLY | O_CREAT | O_TRUNC, 0600);
    if (!options.strFolder.empty()) {
        posix_spawn_file_actions_addchdir_np(&actions, options.strFolder.c_str());
    }
    pid_t nProcessId = -1;
    if (posix_spawnp(&nProcessId, argv[0], &actions, nullptr, argv.data(), environ) == 0) {
        m_nProcessId = nProcessId;
    }
    posix_spawn_file_actions_destroy(&actions);
}

int CProgram::Exit() {
    return ChildProcess::Wait(std::exchange(m_nProcessId, -1));
}

void CProgram::Kill() {
    if (m_nProcessId > 0) {
        kill(m_nProcessId, SIGKILL);
    }
}

#endif

Result CProgram::Wait() {
    const int nExitCode = Exit();
    // Output sent to a file of the test's own leaves no "out", which then reads as empty.
    return {nExitCode, TestFiles::ReadAll(m_Files.PathOf("out")),
            TestFiles::ReadAll(m_Files.PathOf("err"))};
}

}  // namespace ProgramRun
