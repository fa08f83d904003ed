// File attributes, whole-file reads, folder listings and safe whole-file writes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace quarvel::platform {

enum class PathKind { Missing, File, Folder };

// What is at the path (GetFileAttributesA on Windows, stat elsewhere).
PathKind GetPathKind(const char* path);

// True when the file can be opened for reading.
bool CanReadFile(const char* path);

// Reads the whole file; false when it cannot be opened or read completely.
bool ReadWholeFile(const char* path, std::vector<std::uint8_t>& bytes);

// Names of the entries of a folder ("." and ".." left out), sorted by byte value.
bool ListFolder(const char* path, std::vector<std::string>& names);

// An identity of a folder that stays the same under every path that reaches it
// (device and inode, or volume serial and file index); false when it cannot be read.
bool GetFolderIdentity(const char* path, std::string& identity);

// The separator that joins a folder and a name on this platform.
char PathSeparator();

// Writes a file through a temporary file in the target's folder, which is moved into place
// only by Commit: a failed or abandoned write leaves no partial file and an existing file as it
// was.
class AtomicFileWriter {
public:
    AtomicFileWriter() = default;
    ~AtomicFileWriter() { Abandon(); }
    AtomicFileWriter(const AtomicFileWriter&) = delete;
    AtomicFileWriter& operator=(const AtomicFileWriter&) = delete;

    // Refuses at once when overwriting is not allowed and the target exists.
    bool Create(const char* targetPath, bool overwrite);
    bool Write(const void* data, std::size_t size);
    // Moves the temporary file to the target (replacing it only when overwriting is allowed).
    bool Commit();
    // Removes the temporary file, if any.
    void Abandon();

private:
    // The platform's part (posix/ and win32/FileSystem.cpp).
    // Creates and opens a new temporary file in `folder` ("" for the current one): sets temp_.
    bool CreateTemp(const std::string& folder);
    bool TempIsOpen() const;
    // Writes some of the bytes; answers how many, 0 on failure.
    std::size_t WriteSome(const std::uint8_t* bytes, std::size_t size);
    bool CloseTemp();
    // Moves the closed temporary file to the target, replacing a file there only when
    // overwriting is allowed.
    bool MoveTempToTarget();
    void RemoveTemp();

    std::string target_;
    std::string temp_;
    bool overwrite_ = false;
    bool failed_ = false;
#ifdef _WIN32
    void* file_ = nullptr;
#else
    int fd_ = -1;
#endif
};

// Copies a file byte for byte through an AtomicFileWriter.
bool CopyWholeFile(const char* from, const char* to, bool overwrite);

} // namespace quarvel::platform
