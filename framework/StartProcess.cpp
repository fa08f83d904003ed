// StartProcess: CreateProcess with a command line of its own and owners for what it returns.
#include "StartProcess.h"

#include "Handles.h"

#include <cstring>
#include <vector>

bool StartProcess(const ProcessLaunch& launch, ProcessStarter starter) {
    if (!launch.program || !launch.commandLine)
        return false;
    // CreateProcess may write into the command line it is given.
    std::vector<char> commandLine(launch.commandLine,
                                  launch.commandLine + std::strlen(launch.commandLine) + 1);
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startup.lpTitle = const_cast<char*>(launch.title);
    PROCESS_INFORMATION info{};
    const BOOL started = starter(launch.program, commandLine.data(), nullptr, nullptr, FALSE,
                                 launch.flags, nullptr, launch.directory, &startup, &info);
    const ScopedKernelHandle process(info.hProcess), thread(info.hThread);
    return started != FALSE;
}
