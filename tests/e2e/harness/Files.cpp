#include "Files.h"

#include <windows.h>

#include <atomic>
#include <stdexcept>
#include <vector>

#include "framework/Utf.h"

namespace e2e {

std::filesystem::path BesideTests(const std::wstring& fileName) {
    std::vector<wchar_t> buffer(MAX_PATH);
    for (;;) {
        const DWORD length =
            ::GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (length < buffer.size()) {
            return std::filesystem::path(std::wstring(buffer.data(), length)).parent_path() /
                   fileName;
        }
        buffer.resize(buffer.size() * 2);
    }
}

TempFolder::TempFolder() {
    static std::atomic<unsigned> counter = 0;
    path_ = std::filesystem::temp_directory_path() /
            (L"pindrel-e2e-" + std::to_wstring(::GetCurrentProcessId()) + L"-" +
             std::to_wstring(counter++));
    std::filesystem::remove_all(path_);
    std::filesystem::create_directories(path_);
}

TempFolder::~TempFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}

std::filesystem::path TempFolder::Write(const std::wstring& name, std::string_view bytes) const {
    const std::filesystem::path path = path_ / name;
    const fw::win32::UniqueHandle file(::CreateFileW(
        path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    DWORD written = 0;
    if (!file.Valid() ||
        !::WriteFile(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written,
                     nullptr) ||
        written != bytes.size()) {
        throw std::runtime_error("cannot write " + fw::ToUtf8(path.wstring()));
    }
    return path;
}

fw::win32::UniqueHandle OpenWithoutSharing(const std::filesystem::path& path) {
    fw::win32::UniqueHandle file(::CreateFileW(path.c_str(), GENERIC_READ, 0, nullptr,
                                               OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.Valid()) {
        throw std::runtime_error("cannot open " + fw::ToUtf8(path.wstring()));
    }
    return file;
}

} // namespace e2e
