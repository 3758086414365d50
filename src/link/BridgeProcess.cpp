#include "BridgeProcess.h"

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <thread>

#if defined(_WIN32)
#include <windows.h>
#else
#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <spawn.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>
extern char** environ;
#endif

namespace qmv::bridge {

namespace {
// How long a bridge whose input has ended may take to finish before it is stopped.
constexpr auto exitGrace = std::chrono::seconds(5);
} // namespace

BridgeProcess::BridgeProcess(std::unique_ptr<PipeStream> stream, long long process)
    : m_stream(std::move(stream))
    , m_process(process)
{
}

#if defined(_WIN32)

namespace {

std::string lastErrorText(const char* what)
{
    return std::string(what) + " failed (error " + std::to_string(GetLastError()) + ")";
}

HANDLE asHandle(long long value)
{
    return reinterpret_cast<HANDLE>(static_cast<std::intptr_t>(value));
}

long long asValue(HANDLE handle)
{
    return static_cast<long long>(reinterpret_cast<std::intptr_t>(handle));
}

} // namespace

std::unique_ptr<BridgeProcess> BridgeProcess::start(const std::vector<std::string>& command,
                                                    const std::vector<std::string>& environment,
                                                    std::string* error)
{
    // The bridges a Windows program starts are Windows programs: nothing to add to their environment.
    static_cast<void>(environment);
    const std::string& program = command.front();
    SECURITY_ATTRIBUTES inheritable{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
    HANDLE childIn = nullptr;
    HANDLE toChild = nullptr;
    HANDLE fromChild = nullptr;
    HANDLE childOut = nullptr;
    if (!CreatePipe(&childIn, &toChild, &inheritable, 0)) {
        *error = lastErrorText("CreatePipe");
        return nullptr;
    }
    if (!CreatePipe(&fromChild, &childOut, &inheritable, 0)) {
        *error = lastErrorText("CreatePipe");
        CloseHandle(childIn);
        CloseHandle(toChild);
        return nullptr;
    }
    // Only the child's ends are inherited; ours must not keep its input open after we close it.
    SetHandleInformation(toChild, HANDLE_FLAG_INHERIT, 0);
    SetHandleInformation(fromChild, HANDLE_FLAG_INHERIT, 0);

    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = childIn;
    startup.hStdOutput = childOut;
    startup.hStdError = GetStdHandle(STD_ERROR_HANDLE);
    PROCESS_INFORMATION info{};
    std::string commandLine;
    for (const std::string& word : command)
        commandLine += (commandLine.empty() ? "\"" : " \"") + word + "\"";
    const BOOL started = CreateProcessA(program.c_str(), commandLine.data(), nullptr, nullptr, TRUE,
                                        CREATE_NO_WINDOW, nullptr, nullptr, &startup, &info);
    CloseHandle(childIn);
    CloseHandle(childOut);
    if (!started) {
        *error = lastErrorText("CreateProcess");
        CloseHandle(toChild);
        CloseHandle(fromChild);
        return nullptr;
    }
    CloseHandle(info.hThread);
    auto stream = std::make_unique<PipeStream>(asValue(fromChild), asValue(toChild), true);
    return std::unique_ptr<BridgeProcess>(new BridgeProcess(std::move(stream), asValue(info.hProcess)));
}

BridgeProcess::~BridgeProcess()
{
    m_stream->closeOutput();
    const HANDLE process = asHandle(m_process);
    const auto graceMillis = std::chrono::duration_cast<std::chrono::milliseconds>(exitGrace).count();
    if (WaitForSingleObject(process, static_cast<DWORD>(graceMillis)) != WAIT_OBJECT_0) {
        TerminateProcess(process, 1);
        WaitForSingleObject(process, INFINITE);
    }
    CloseHandle(process);
}

#else

namespace {

// This process's environment with the entries of `added` whose variables it does not set.
std::vector<std::string> environmentWith(const std::vector<std::string>& added)
{
    std::vector<std::string> entries;
    for (char** entry = environ; *entry; ++entry)
        entries.emplace_back(*entry);
    for (const std::string& entry : added) {
        const std::string name = entry.substr(0, entry.find('='));
        if (!std::getenv(name.c_str()))
            entries.push_back(entry);
    }
    return entries;
}

std::vector<char*> pointersTo(std::vector<std::string>& words)
{
    std::vector<char*> pointers;
    pointers.reserve(words.size() + 1);
    for (std::string& word : words)
        pointers.push_back(word.data());
    pointers.push_back(nullptr);
    return pointers;
}

} // namespace

std::unique_ptr<BridgeProcess> BridgeProcess::start(const std::vector<std::string>& command,
                                                    const std::vector<std::string>& environment,
                                                    std::string* error)
{
    const std::string& program = command.front();
    // One socket carries both directions: a write to a bridge that has ended fails with EPIPE
    // (send with MSG_NOSIGNAL) instead of killing this process with SIGPIPE.
    int ends[2];
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, ends) != 0) {
        *error = std::string("socketpair: ") + std::strerror(errno);
        return nullptr;
    }
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, ends[1], STDIN_FILENO);
    posix_spawn_file_actions_adddup2(&actions, ends[1], STDOUT_FILENO);
    std::vector<std::string> arguments = command;
    std::vector<std::string> variables = environmentWith(environment);
    const std::vector<char*> argv = pointersTo(arguments);
    const std::vector<char*> envp = pointersTo(variables);
    pid_t pid = -1;
    const int failed = ::posix_spawn(&pid, program.c_str(), &actions, nullptr, argv.data(), envp.data());
    posix_spawn_file_actions_destroy(&actions);
    ::close(ends[1]);
    if (failed != 0) {
        *error = program + ": " + std::strerror(failed);
        ::close(ends[0]);
        return nullptr;
    }
    auto stream = std::make_unique<PipeStream>(ends[0], ends[0], true);
    return std::unique_ptr<BridgeProcess>(new BridgeProcess(std::move(stream), pid));
}

BridgeProcess::~BridgeProcess()
{
    m_stream->closeOutput();
    const auto pid = static_cast<pid_t>(m_process);
    const auto deadline = std::chrono::steady_clock::now() + exitGrace;
    int status = 0;
    while (::waitpid(pid, &status, WNOHANG) == 0) {
        if (std::chrono::steady_clock::now() >= deadline) {
            ::kill(pid, SIGKILL);
            ::waitpid(pid, &status, 0);
            break;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
}

#endif

} // namespace qmv::bridge
