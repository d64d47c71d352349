#pragma once

#include <filesystem>
#include <string>
#include <string_view>

#include "framework/win32/UniqueHandle.h"

namespace e2e {

// A program built into the same folder as the test program.
std::filesystem::path BesideTests(const std::wstring& fileName);

// A new empty folder under the temporary folder, removed with everything in it at the end.
class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::filesystem::path& Path() const noexcept { return path_; }

    // Writes `bytes` to a new file `name` in the folder and returns its full path.
    std::filesystem::path Write(const std::wstring& name, std::string_view bytes) const;

private:
    std::filesystem::path path_;
};

// Opens `path` for reading without sharing it, so that no other open succeeds until the
// handle goes.
fw::win32::UniqueHandle OpenWithoutSharing(const std::filesystem::path& path);

} // namespace e2e
