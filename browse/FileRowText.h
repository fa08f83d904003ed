// The texts of a file list row: splitting a path into folder and name, joining them back, and
// the "Size" and "Date" columns.
#pragma once

#include "Framework.h"

#include <cstdint>

struct FileRowPath {
    CString folder; // up to and including the last backslash
    CString name;   // after the last backslash
};

// Splits a path at its last backslash, after dropping one trailing backslash. False for an empty
// path or one without a backslash after its first character.
bool SplitRowPath(const char* path, FileRowPath& parts);
// The full path of a row: its folder, a backslash when the folder does not end in one, its name.
CString JoinRowPath(const CString& folder, const CString& name);

// "<n>KB" with n = (size + 1024) / 1024 over the whole 64-bit size.
CString SizeText(std::uint64_t size);
// A file time as local time, "MM/DD/YYYY hh:mm"; empty when the time cannot be converted.
CString DateText(const FILETIME& time);

// Keys that order the texts above as what they stand for: the kilobytes of a "Size" text, and
// a "Date" text as YYYYMMDDhhmm. Empty or unreadable texts get 0.
std::uint64_t SizeSortKey(const char* text);
std::uint64_t DateSortKey(const char* text);
