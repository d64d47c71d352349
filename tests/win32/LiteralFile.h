#pragma once

#include <windows.h>

#include <filesystem>
#include <stdexcept>
#include <string>
#include <string_view>

#include "framework/Utf.h"
#include "framework/win32/UniqueHandle.h"

namespace win32test {

// A file made and removed through the \\?\ form of its full path, where Windows takes every name
// as it stands: CON.nki is then a file in its folder, not the console. Plain paths cannot make or
// remove such a file.
class LiteralFile {
public:
    LiteralFile(const std::filesystem::path& path, std::string_view bytes)
        // The folder alone is made absolute: the DOS rules would make \\.\CON of the whole.
        : path_((std::filesystem::absolute(path.parent_path()) / path.filename()).make_preferred()),
          literal_(LR"(\\?\)" + path_.wstring()) {
        const fw::win32::UniqueHandle file(::CreateFileW(literal_.c_str(), GENERIC_WRITE, 0,
                                                         nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL,
                                                         nullptr));
        DWORD written = 0;
        if (!file.Valid() ||
            !::WriteFile(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written,
                         nullptr) ||
            written != bytes.size()) {
            throw std::runtime_error("cannot write " + fw::ToUtf8(literal_));
        }
    }
    LiteralFile(const LiteralFile&) = delete;
    LiteralFile& operator=(const LiteralFile&) = delete;
    ~LiteralFile() { ::DeleteFileW(literal_.c_str()); }

    // The plain full path.
    const std::filesystem::path& Path() const noexcept { return path_; }

private:
    std::filesystem::path path_;
    std::wstring literal_;
};

} // namespace win32test
