#include "framework/BinaryStream.h"

#include <limits>
#include <string>

#include "framework/ClassRecord.h"
#include "framework/Exceptions.h"

namespace fw {

const ClassRecord& BinaryStream::Class() {
    static const ClassRecord& record = DefineClass("BinaryStream", &Object::Class());
    return record;
}

BinaryStream::BinaryStream(std::unique_ptr<FileHandle> handle)
    : Object(Class()), handle_(std::move(handle)) {}

Ref<BinaryStream> BinaryStream::Open(const Ref<FolderItem>& file, bool readWrite) {
    if (readWrite) {
        throw IOException("Files are opened read-only.");
    }
    return New<BinaryStream>(file->OpenForReading());
}

String BinaryStream::Read(Integer count) {
    if (handle_ == nullptr) {
        throw IOException("The stream is closed.");
    }
    if (count < 0) {
        throw OutOfBoundsException("A read cannot take a negative number of bytes.");
    }
    std::string bytes(static_cast<std::size_t>(count), '\0');
    std::size_t delivered = 0;
    // Positions beyond the largest signed offset lie past the end of any file.
    while (delivered < bytes.size() &&
           position_ <= static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max())) {
        std::size_t got = 0;
        try {
            got = handle_->ReadAt(position_, bytes.data() + delivered, bytes.size() - delivered);
        } catch (const IOException& error) {
            lastErrorCode_ = error.ErrorNumber();
            throw;
        }
        if (got == 0) {
            break;
        }
        delivered += got;
        position_ += got;
    }
    lastErrorCode_ = 0;
    bytes.resize(delivered);
    return String(std::move(bytes));
}

void BinaryStream::BytePosition(std::uint64_t position) {
    if (handle_ == nullptr) {
        throw IOException("The stream is closed.");
    }
    position_ = position;
}

void BinaryStream::Close() noexcept {
    handle_.reset();
}

} // namespace fw
