// Starting a program that runs on its own (a command prompt, a browser).
#pragma once

#include <windows.h>

// What starts a process: CreateProcessA, or a stand-in in tests.
using ProcessStarter = decltype(&CreateProcessA);

struct ProcessLaunch {
    const char* program = nullptr;     // by its full path: never looked up
    const char* commandLine = nullptr; // the whole command line, the program's name first
    const char* directory = nullptr;   // its current folder; null: ours
    const char* title = nullptr;       // a new console's title; null: the program's
    DWORD flags = 0;                   // CreateProcess creation flags
};

// Starts the program. Nothing here waits for it: its process and thread handles are closed
// before this returns. False when it could not be started.
bool StartProcess(const ProcessLaunch& launch, ProcessStarter starter = &CreateProcessA);
