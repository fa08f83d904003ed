// Opening a link target (a web address or a "mailto:" address) with the shell, falling back to
// the program registered for ".htm" files, and explaining a failure to the user.
#pragma once

#include "Framework.h"

#include <shellapi.h> // the SE_ERR_* results

// Opens target in the given show state. Answers a shell-style result: above 32 is success.
INT_PTR OpenLink(const char* target, int showCommand);

// Reads the default value of root\subkey (at most 260 characters; an absent value reads as
// empty). Answers 0, or the registry's error code with value left alone.
LONG ReadClassesDefault(HKEY root, const char* subkey, CString& value);

// How the fallback starts a browser: the program to run and its whole command line.
struct BrowserLaunch {
    CString program;     // a full path, never looked up in the current folder
    CString commandLine; // the quoted program, the registered arguments, the quoted target
};
// Builds the launch from a registered command line ("%1" quoted or bare marks where the target
// goes; everything from the placeholder on is dropped, the target is appended quoted). False when
// the command names no program that exists, or the target cannot be passed as one argument.
bool BuildBrowserLaunch(const char* registeredCommand, const char* target, BrowserLaunch& launch);
// The launch for the browser registered for ".htm" files; false when there is none.
bool RegisteredBrowserLaunch(const char* target, BrowserLaunch& launch);

// "Unable to open hyperlink:\n\n" and the explanation of a shell-style result.
CString LinkErrorText(INT_PTR result);
// Shows LinkErrorText in a warning box under the application's title.
void ShowLinkError(INT_PTR result);
