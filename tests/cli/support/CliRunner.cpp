// Running quarvel-cli as a process of its own with its output captured in files.
#include "CliRunner.h"

#include "support/HostPath.h"
#include "support/TempFiles.h"

#include <cstdlib>
#include <sstream>

#ifdef _WIN32
#include "engine/platform/AnsiText.h"
#include "engine/win32/KernelOwners.h"

#include <windows.h>
#else
#include <sys/wait.h>
#endif

namespace quarvel::test {

namespace {

std::string WithoutCr(const std::vector<std::uint8_t>& bytes) {
    std::string text;
    for (std::uint8_t c : bytes)
        if (c != '\r')
            text += static_cast<char>(c);
    return text;
}

#ifdef _WIN32
// A file the child writes its output to, inherited by it.
ScopedFile CreateCapture(const std::string& path) {
    SECURITY_ATTRIBUTES inherited{sizeof inherited, nullptr, TRUE};
    return ScopedFile(CreateFileW(platform::WideFromNarrow(path.c_str()).c_str(), GENERIC_WRITE,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE, &inherited, CREATE_ALWAYS,
                                  FILE_ATTRIBUTE_NORMAL, nullptr));
}

// Starts the tool itself, its output going to the two files, and waits for it. Through the
// command prompt (std::system), Wine now and then answered -1 without running the tool at all.
int RunWithCaptures(const std::string& commandLine, const std::string& outPath,
                    const std::string& errPath, std::string& failure) {
    const ScopedFile out = CreateCapture(outPath), err = CreateCapture(errPath);
    if (!out || !err) {
        failure = "cannot create the capture files";
        return -1;
    }
    STARTUPINFOW start{};
    start.cb = sizeof start;
    start.dwFlags = STARTF_USESTDHANDLES;
    start.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    start.hStdOutput = out.Get();
    start.hStdError = err.Get();
    std::wstring command = platform::WideFromNarrow(commandLine.c_str());
    PROCESS_INFORMATION started{};
    if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr,
                        &start, &started)) {
        failure = "CreateProcess failed with error " + std::to_string(GetLastError());
        return -1;
    }
    const ScopedKernelHandle process(started.hProcess), thread(started.hThread);
    DWORD code = 0;
    if (WaitForSingleObject(process.Get(), INFINITE) != WAIT_OBJECT_0 ||
        !GetExitCodeProcess(process.Get(), &code)) {
        failure = "the tool's end could not be awaited";
        return -1;
    }
    return static_cast<int>(code);
}
#endif

// An argument as the command line takes it whole: in double quotes for Windows (the tests pass
// no quotes or trailing backslashes there), in single quotes for the POSIX shell, which then
// passes every byte as it is.
std::string Quoted(const std::string& arg) {
#ifdef _WIN32
    return "\"" + arg + "\"";
#else
    std::string quoted = "'";
    for (const char c : arg)
        quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
#endif
}

} // namespace

std::vector<std::string> CliResult::OutLines() const {
    std::vector<std::string> lines;
    std::istringstream text(out);
    for (std::string line; std::getline(text, line);)
        lines.push_back(line);
    return lines;
}

CliResult RunCli(const std::vector<std::string>& args, const std::string& scratch) {
    const std::string outPath = scratch + "/cli-out.txt";
    const std::string errPath = scratch + "/cli-err.txt";
    std::string command = "\"" + HostPath(QUARVEL_CLI) + "\"";
    for (const std::string& arg : args)
        command += " " + Quoted(arg);
    CliResult result;
#ifdef _WIN32
    std::string failure;
    result.status = RunWithCaptures(command, outPath, errPath, failure);
    if (!failure.empty()) {
        result.err = "test runner: " + failure + "\n";
        return result;
    }
#else
    command += " >\"" + outPath + "\" 2>\"" + errPath + "\"";
    const int raw = std::system(command.c_str());
    result.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
#endif
    result.out = WithoutCr(ReadFileBytes(outPath));
    result.err = WithoutCr(ReadFileBytes(errPath));
    return result;
}

} // namespace quarvel::test
