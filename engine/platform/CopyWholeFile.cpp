// Byte-for-byte file copy that never leaves a partial target.
#include "FileSystem.h"

namespace quarvel::platform {

bool CopyWholeFile(const char* from, const char* to, bool overwrite) {
    std::vector<std::uint8_t> bytes;
    if (!ReadWholeFile(from, bytes))
        return false;
    AtomicFileWriter writer;
    return writer.Create(to, overwrite) && writer.Write(bytes.data(), bytes.size()) &&
           writer.Commit();
}

} // namespace quarvel::platform
