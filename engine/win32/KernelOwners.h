// Owners of the kernel handles the program opens: threads, processes, events and mappings,
// files, and folder searches. Each closes its handle when it goes.
#pragma once

#ifdef _WIN32

#include "ScopedHandle.h"

#include <windows.h>

namespace quarvel {

struct KernelHandleCloser {
    static void Close(HANDLE handle) { CloseHandle(handle); }
};
// CreateFile fails with INVALID_HANDLE_VALUE, not null.
struct FileHandleCloser {
    static void Close(HANDLE file) { CloseHandle(file); }
    static HANDLE None() { return INVALID_HANDLE_VALUE; }
};
struct FindCloser {
    static void Close(HANDLE search) { FindClose(search); }
    static HANDLE None() { return INVALID_HANDLE_VALUE; }
};

// A thread, process, event or mapping (null when there is none).
using ScopedKernelHandle = ScopedHandle<HANDLE, KernelHandleCloser>;
// An open file (INVALID_HANDLE_VALUE when there is none).
using ScopedFile = ScopedHandle<HANDLE, FileHandleCloser>;
// A FindFirstFile search (INVALID_HANDLE_VALUE when there is none).
using ScopedFind = ScopedHandle<HANDLE, FindCloser>;

} // namespace quarvel

#endif
