// The texts of a file list row.
#include "FileRowText.h"

#include <cstdio>
#include <cstdlib>
#include <string>

bool SplitRowPath(const char* path, FileRowPath& parts) {
    if (!path || !*path)
        return false;
    CString whole(path);
    if (whole.Right(1) == "\\")
        whole = whole.Left(whole.GetLength() - 1);
    const int slash = whole.ReverseFind('\\');
    if (slash < 1)
        return false;
    parts.folder = whole.Left(slash + 1);
    parts.name = whole.Mid(slash + 1);
    return true;
}

CString JoinRowPath(const CString& folder, const CString& name) {
    CString full(folder);
    if (full.Right(1) != "\\")
        full += "\\";
    return full + name;
}

CString SizeText(std::uint64_t size) {
    // (size + 1024) / 1024, written so that no size can wrap around.
    return CString(std::to_string(size / 1024 + 1) + "KB");
}

CString DateText(const FILETIME& time) {
    SYSTEMTIME universal, local;
    if (!FileTimeToSystemTime(&time, &universal) ||
        !SystemTimeToTzSpecificLocalTime(nullptr, &universal, &local))
        return CString();
    CString text;
    text.Format("%.2d/%.2d/%d %.2d:%.2d", local.wMonth, local.wDay, local.wYear, local.wHour,
                local.wMinute);
    return text;
}

std::uint64_t SizeSortKey(const char* text) {
    return text ? std::strtoull(text, nullptr, 10) : 0;
}

std::uint64_t DateSortKey(const char* text) {
    unsigned month = 0, day = 0, year = 0, hour = 0, minute = 0;
    if (!text || std::sscanf(text, "%u/%u/%u %u:%u", &month, &day, &year, &hour, &minute) != 5)
        return 0;
    return (((static_cast<std::uint64_t>(year) * 100 + month) * 100 + day) * 100 + hour) * 100 +
           minute;
}
