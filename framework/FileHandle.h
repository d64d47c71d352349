#pragma once

#include <cstddef>
#include <cstdint>

namespace fw {

// An open file as a backend gives it to a stream. Closing is destruction, so a stream that is
// dropped without Close still gives its file back.
class FileHandle {
public:
    FileHandle() = default;
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;
    virtual ~FileHandle() = default;

    // Up to `count` bytes from `offset`; fewer at the end of the file, none past it.
    // Throws IOException with the platform's error code when the read fails.
    virtual std::size_t ReadAt(std::uint64_t offset, char* buffer, std::size_t count) = 0;
};

} // namespace fw
