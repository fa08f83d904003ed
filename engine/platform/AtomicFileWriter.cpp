// Temp-file-then-move writes: the steps every platform shares (the file calls are its own).
#include "FileSystem.h"

namespace quarvel::platform {

bool AtomicFileWriter::Create(const char* targetPath, bool overwrite) {
    Abandon();
    if (targetPath == nullptr || *targetPath == '\0')
        return false;
    if (!overwrite && GetPathKind(targetPath) != PathKind::Missing)
        return false;
    target_ = targetPath;
    overwrite_ = overwrite;
    failed_ = false;
    // Windows takes '/' as well as its own separator.
    const char separators[] = {PathSeparator(), '/', '\0'};
    const std::size_t slash = target_.find_last_of(separators);
    const std::string folder =
        slash == std::string::npos ? std::string() : target_.substr(0, slash + 1);
    if (!CreateTemp(folder)) {
        Abandon();
        return false;
    }
    return true;
}

bool AtomicFileWriter::Write(const void* data, std::size_t size) {
    if (!TempIsOpen() || failed_)
        return false;
    const auto* bytes = static_cast<const std::uint8_t*>(data);
    while (size > 0) {
        const std::size_t written = WriteSome(bytes, size);
        if (written == 0) {
            failed_ = true;
            return false;
        }
        bytes += written;
        size -= written;
    }
    return true;
}

bool AtomicFileWriter::Commit() {
    if (temp_.empty() || failed_ || !CloseTemp() || !MoveTempToTarget()) {
        Abandon();
        return false;
    }
    temp_.clear();
    return true;
}

void AtomicFileWriter::Abandon() {
    CloseTemp();
    if (!temp_.empty())
        RemoveTemp();
    temp_.clear();
}

} // namespace quarvel::platform
