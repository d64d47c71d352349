#pragma once

#include <cstdint>
#include <memory>

#include "framework/FileHandle.h"
#include "framework/FolderItem.h"
#include "framework/Object.h"
#include "framework/String.h"

namespace fw {

// A read-only byte stream over one file.
class BinaryStream : public Object {
public:
    static const ClassRecord& Class();

    // Opens `file` for reading, positioned at 0. Raises IOException (ErrorNumber: the file's
    // LastErrorCode) when the file cannot be opened, and NilObjectException for no file.
    // Writing is not offered: `readWrite` must be false.
    static Ref<BinaryStream> Open(const Ref<FolderItem>& file, bool readWrite);

    // Up to `count` raw bytes from the current position, which moves past them. Fewer, without
    // an error, when the end of the file comes first; none from a position past the end.
    String Read(Integer count);

    std::uint64_t BytePosition() const noexcept { return position_; }
    // Any position is allowed, also one past the end of the file.
    void BytePosition(std::uint64_t position);

    void Close() noexcept;
    std::int64_t LastErrorCode() const noexcept { return lastErrorCode_; }

    explicit BinaryStream(std::unique_ptr<FileHandle> handle);

private:
    std::unique_ptr<FileHandle> handle_;
    std::uint64_t position_ = 0;
    std::int64_t lastErrorCode_ = 0;
};

} // namespace fw
