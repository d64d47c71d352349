#include "framework/win32/Wide.h"

#include <windows.h>

namespace fw::win32 {

namespace {

// Taken literally by Windows: no folding of . and .., no device names, no length limit.
constexpr std::wstring_view kLiteralPrefix = LR"(\\?\)";
// The same namespace, reached after Windows has folded the path.
constexpr std::wstring_view kDevicePrefix = LR"(\\.\)";

bool IsSeparator(wchar_t character) {
    return character == L'\\' || character == L'/';
}

// A path that the caller wrote as \\.\ or \\?\ (with either separator): a device path by intent.
bool InDeviceForm(std::wstring_view path) {
    return path.size() >= 3 && IsSeparator(path[0]) && IsSeparator(path[1]) &&
           (path[2] == L'.' || path[2] == L'?') && (path.size() == 3 || IsSeparator(path[3]));
}

// Where the last component begins: after the last separator, or after the drive of a path such
// as Z:CON.nki that is relative to that drive's current folder.
std::size_t LastComponentStart(std::wstring_view path) {
    const std::size_t separator = path.find_last_of(L"\\/");
    if (separator != std::wstring_view::npos) {
        return separator + 1;
    }
    return path.size() >= 2 && path[1] == L':' ? 2 : 0;
}

std::optional<std::wstring> GetFullPath(const std::wstring& path) {
    // The length asked for first may grow before the second call if the current directory
    // changes meanwhile, so the call repeats until the answer fits.
    std::wstring full;
    for (;;) {
        const DWORD length =
            ::GetFullPathNameW(path.c_str(), static_cast<DWORD>(full.size()), full.data(), nullptr);
        if (length == 0) {
            return std::nullopt;
        }
        if (length < full.size()) {
            full.resize(length);
            return full;
        }
        full.resize(length);
    }
}

} // namespace

std::optional<std::wstring> FullPathName(const std::wstring& path) {
    // GetFullPathNameW would still fold the . and .. of such a path.
    if (path.starts_with(kLiteralPrefix)) {
        return path;
    }
    std::optional<std::wstring> full = GetFullPath(path);
    if (!full || !full->starts_with(kDevicePrefix) || InDeviceForm(path)) {
        return full;
    }
    // The DOS rules made a device of the last component (CON.nki became \\.\CON), yet Linux
    // disks, shares and NTFS hold files of such names: the file is that name in its folder. A
    // folder given with its separator is never read as a device.
    const std::size_t nameStart = LastComponentStart(path);
    std::optional<std::wstring> folder =
        GetFullPath(nameStart == 0 ? std::wstring(L".\\") : path.substr(0, nameStart));
    if (!folder) {
        return std::nullopt;
    }
    if (!folder->ends_with(L'\\')) {
        folder->push_back(L'\\');
    }
    // Trailing dots and blanks go, as they go from every other last component.
    std::wstring name = path.substr(nameStart);
    name.erase(name.find_last_not_of(L". ") + 1);
    return *folder + name;
}

std::wstring LongPath(const String& path) {
    std::wstring wide = ToWide(path);
    if (wide.empty()) {
        return wide;
    }
    const std::optional<std::wstring> full = FullPathName(wide);
    if (!full) {
        return wide;
    }
    if (full->starts_with(kLiteralPrefix)) {
        return *full;
    }
    if (full->starts_with(kDevicePrefix)) {
        return std::wstring(kLiteralPrefix) + full->substr(kDevicePrefix.size());
    }
    if (full->starts_with(LR"(\\)")) {
        return std::wstring(kLiteralPrefix) + L"UNC\\" + full->substr(2);
    }
    return std::wstring(kLiteralPrefix) + *full;
}

} // namespace fw::win32
