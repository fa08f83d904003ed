// Shell commands on a path: the shell's verbs (open, properties), a command prompt in a folder,
// and the path as clipboard text. Failures are silent; each answers whether it worked.
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
using ProcessStarter = decltype(&CreateProcessA);
bool StartCommandPrompt(const char* folder, ProcessStarter starter = &CreateProcessA);

// Puts text on the clipboard as CF_TEXT, the clipboard opened for owner.
bool CopyTextToClipboard(HWND owner, const char* text);
