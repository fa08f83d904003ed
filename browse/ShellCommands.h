// Shell commands on a path: the shell's verbs (open, properties) and a command prompt in a
// folder (the framework's CopyTextToClipboard puts a path on the clipboard). Failures are
// silent; each answers whether it worked.
#pragma once

#include "Framework.h"

// Runs a shell verb on path (null verb: the default action), owned by owner. Shell errors are
// shown by the shell itself.
bool RunShellVerb(const char* path, const char* verb, HWND owner);

// The command interpreter of this system, by its full path in the system folder, so that no
// cmd.exe of the current folder or the search path can stand in for it.
CString CommandInterpreterPath();

// Starts the command interpreter in a new console with folder as its current directory and its
// title. starter is CreateProcessA but for tests.
bool StartCommandPrompt(const char* folder, ProcessStarter starter = &CreateProcessA);
