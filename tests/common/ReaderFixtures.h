#pragma once

// Fixtures for the version reader's tests: Kontakt-shaped byte images, real files in a temporary
// folder, and a FolderItem that records what the reader asked of it.

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <functional>
#include <initializer_list>
#include <memory>
#include <random>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#ifdef _WIN32
#include <windows.h>
#include <winioctl.h>
#else
#include <fcntl.h>
#include <unistd.h>
#endif

#include <gtest/gtest.h>

#include "framework/BackgroundTask.h"
#include "framework/Exceptions.h"
#include "framework/FileHandle.h"
#include "framework/FolderItem.h"

namespace readertest {

inline const std::string kSignature = "/\\ NI FC MTD  /\\";

// Raw bytes from their values, so fixtures can hold 0 and values above 127.
inline std::string Bytes(std::initializer_list<int> values) {
    std::string bytes;
    for (int value : values) {
        bytes.push_back(static_cast<char>(value));
    }
    return bytes;
}

// `size` zero bytes with the given pieces laid over them at their offsets.
inline std::string Image(std::size_t size,
                         std::initializer_list<std::pair<std::size_t, std::string>> pieces = {}) {
    std::string image(size, '\0');
    for (const auto& [offset, bytes] : pieces) {
        image.replace(offset, bytes.size(), bytes);
    }
    return image;
}

inline std::filesystem::path PathFromUtf8(const std::string& utf8) {
    return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}

inline std::string Utf8(const std::filesystem::path& path) {
    const std::u8string text = path.u8string();
    return std::string(text.begin(), text.end());
}

// A fresh folder under the system's temporary folder, removed with everything in it.
class TempFolder {
public:
    TempFolder() {
        std::random_device random;
        const auto tag = std::to_string(random()) + std::to_string(random());
        path_ = std::filesystem::temp_directory_path() / ("pindrel-reader-" + tag);
        std::filesystem::create_directories(path_);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    ~TempFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }

    const std::filesystem::path& Path() const noexcept { return path_; }
    std::filesystem::path operator/(const std::string& utf8Name) const {
        return path_ / PathFromUtf8(utf8Name);
    }

    std::filesystem::path Write(const std::string& utf8Name, const std::string& contents) const {
        const auto file = *this / utf8Name;
        std::ofstream out(file, std::ios::binary | std::ios::trunc);
        out.write(contents.data(), static_cast<std::streamsize>(contents.size()));
        if (!out.flush()) {
            throw std::runtime_error("cannot write " + Utf8(file));
        }
        return file;
    }

private:
    std::filesystem::path path_;
};

// A file of `size` bytes that occupies almost no disk: `head` at its start, `tail` as its last
// bytes, a hole between.
inline void WriteSparseFile(const std::filesystem::path& file, std::uint64_t size,
                            const std::string& head, const std::string& tail) {
#ifdef _WIN32
    HANDLE handle = ::CreateFileW(file.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                  CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        throw std::runtime_error("cannot create " + Utf8(file));
    }
    DWORD returned = 0;
    bool ok = ::DeviceIoControl(handle, FSCTL_SET_SPARSE, nullptr, 0, nullptr, 0, &returned,
                                nullptr) != 0;
    const auto writeAt = [&](std::uint64_t offset, const std::string& bytes) {
        OVERLAPPED at{};
        at.Offset = static_cast<DWORD>(offset & 0xFFFFFFFFu);
        at.OffsetHigh = static_cast<DWORD>(offset >> 32);
        DWORD written = 0;
        return ::WriteFile(handle, bytes.data(), static_cast<DWORD>(bytes.size()), &written, &at) !=
                   0 &&
               written == bytes.size();
    };
    ok = ok && writeAt(0, head) && writeAt(size - tail.size(), tail);
    ::CloseHandle(handle);
#else
    const int descriptor = ::open(file.c_str(), O_RDWR | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    if (descriptor < 0) {
        throw std::runtime_error("cannot create " + file.string());
    }
    const auto writeAt = [&](std::uint64_t offset, const std::string& bytes) {
        return ::pwrite(descriptor, bytes.data(), bytes.size(), static_cast<off_t>(offset)) ==
               static_cast<ssize_t>(bytes.size());
    };
    const bool ok = writeAt(0, head) && writeAt(size - tail.size(), tail);
    ::close(descriptor);
#endif
    if (!ok) {
        throw std::runtime_error("cannot write the sparse file " + Utf8(file));
    }
}

// What the reader asked of a file, and what the file's streams delivered.
struct FileTrace {
    std::vector<std::string> calls;
    std::uint64_t bytesDelivered = 0;
    int openHandles = 0;
    // Runs before every read, while the reader's stream is open.
    std::function<void()> beforeRead;
};

class CountingHandle final : public fw::FileHandle {
public:
    CountingHandle(std::unique_ptr<fw::FileHandle> inner, FileTrace& trace)
        : inner_(std::move(inner)), trace_(trace) {
        ++trace_.openHandles;
    }
    ~CountingHandle() override { --trace_.openHandles; }

    std::size_t ReadAt(std::uint64_t offset, char* buffer, std::size_t count) override {
        if (trace_.beforeRead) {
            trace_.beforeRead();
        }
        const std::size_t got = inner_->ReadAt(offset, buffer, count);
        trace_.bytesDelivered += got;
        return got;
    }

private:
    std::unique_ptr<fw::FileHandle> inner_;
    FileTrace& trace_;
};

class SpyFolderItem final : public fw::FolderItem {
public:
    explicit SpyFolderItem(const std::filesystem::path& path) : FolderItem(Utf8(path)) {}

    bool Exists() override {
        trace.calls.push_back("Exists");
        return FolderItem::Exists();
    }
    fw::String Name() override {
        trace.calls.push_back("Name");
        return FolderItem::Name();
    }
    std::uint64_t Length() override {
        trace.calls.push_back("Length");
        return FolderItem::Length();
    }
    std::unique_ptr<fw::FileHandle> OpenForReading() override {
        trace.calls.push_back("Open");
        return std::make_unique<CountingHandle>(FolderItem::OpenForReading(), trace);
    }

    FileTrace trace;
};

// Counts the background-task hook's calls while it lives; `action` runs on each of them.
class HookCounter {
public:
    explicit HookCounter(std::function<void(int)> action = {})
        : previous_(fw::SetBackgroundTaskObserver([this, action = std::move(action)] {
              ++count_;
              if (action) {
                  action(count_);
              }
          })) {}
    HookCounter(const HookCounter&) = delete;
    HookCounter& operator=(const HookCounter&) = delete;
    ~HookCounter() { fw::SetBackgroundTaskObserver(std::move(previous_)); }

    int Count() const noexcept { return count_; }

private:
    int count_ = 0;
    std::function<void()> previous_;
};

// Asks `path` whether it exists, as the reader does first: False where `absent`, otherwise an
// IOException; either way with `error`, the platform's code, as the file's last error.
inline void ExpectExistsAnswer(const std::filesystem::path& path, bool absent, std::int64_t error) {
    auto file = fw::New<fw::FolderItem>(Utf8(path));
    if (absent) {
        EXPECT_FALSE(file->Exists());
    } else {
        try {
            file->Exists();
            ADD_FAILURE() << "expected an IOException";
        } catch (const fw::IOException& raised) {
            EXPECT_EQ(raised.ErrorNumber(), error);
        }
    }
    EXPECT_EQ(file->LastErrorCode(), error);
}

} // namespace readertest
