#pragma once

#include <cstdint>
#include <memory>

#include "framework/FileHandle.h"
#include "framework/String.h"

// Files. Paths are UTF-8 (the generalised form of framework/Utf.h on Windows, so any name NTFS
// holds has one); each backend converts at its own boundary.
namespace fw::platform {

struct FileStatus {
    bool exists = false;
    bool isDirectory = false;
    std::uint64_t length = 0;
    std::int64_t error = 0; // the platform's code when the query failed
    // The failed query says that the file, or a folder on its path, is not there. Any other
    // failure means that the file system could not tell.
    bool absent = false;
};

FileStatus QueryFile(const String& path);
// The file's name with its extension. On Windows it is the name as the folder lists it, whatever
// letter case the path writes; where the file cannot be found, and on the headless backend, it is
// the last component of the path.
String FileName(const String& path);
// An absolute form of a path given relative to the current directory.
String FullPath(const String& path);
// Opens for reading, letting other programs read, write and delete the file meanwhile.
// Throws IOException carrying the platform's error code.
std::unique_ptr<FileHandle> OpenForReading(const String& path);
// The code that a failed open reports when the path leads to a folder. Windows's own answer for
// one, access denied, is true of the call but tells the user nothing.
std::int64_t FolderErrorCode();

} // namespace fw::platform
