#pragma once

// A file that lives only in memory, behind the same FolderItem and FileHandle seam the reader
// uses on disk, so a fuzz input costs no system call. It records what the reader asked of it.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>
#include <span>

#include "framework/FileHandle.h"
#include "framework/FolderItem.h"

namespace readerfuzz {

// What the reader asked of a memory file, and what its handles delivered.
struct MemoryTrace {
    int queries = 0; // Exists, Name and Length
    int opens = 0;
    int openHandles = 0;
    std::uint64_t bytesDelivered = 0;
};

// Serves the bytes straight from the caller's buffer: libFuzzer allocates each input at its exact
// size, so AddressSanitizer flags any copy that strays past its end.
class MemoryHandle final : public fw::FileHandle {
public:
    MemoryHandle(std::span<const char> bytes, MemoryTrace& trace) : bytes_(bytes), trace_(trace) {
        ++trace_.openHandles;
    }
    ~MemoryHandle() override { --trace_.openHandles; }

    std::size_t ReadAt(std::uint64_t offset, char* buffer, std::size_t count) override {
        if (offset >= bytes_.size()) {
            return 0;
        }
        const std::size_t got = std::min<std::uint64_t>(count, bytes_.size() - offset);
        std::memcpy(buffer, bytes_.data() + offset, got);
        trace_.bytesDelivered += got;
        return got;
    }

private:
    std::span<const char> bytes_;
    MemoryTrace& trace_;
};

class MemoryFolderItem final : public fw::FolderItem {
public:
    MemoryFolderItem(const char* name, std::span<const char> bytes)
        : FolderItem(name), name_(name), bytes_(bytes) {}

    bool Exists() override {
        ++trace.queries;
        return true;
    }
    fw::String Name() override {
        ++trace.queries;
        return name_;
    }
    std::uint64_t Length() override {
        ++trace.queries;
        return bytes_.size();
    }
    std::unique_ptr<fw::FileHandle> OpenForReading() override {
        ++trace.opens;
        return std::make_unique<MemoryHandle>(bytes_, trace);
    }

    MemoryTrace trace;

private:
    fw::String name_;
    std::span<const char> bytes_;
};

} // namespace readerfuzz
