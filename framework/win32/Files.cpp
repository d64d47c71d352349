// Files for the Win32 backend: wide-character calls only, Win32 error codes.
#include <windows.h>

#include <string>

#include "framework/Exceptions.h"
#include "framework/platform/Files.h"
#include "framework/win32/UniqueHandle.h"
#include "framework/win32/Wide.h"

namespace fw::platform {

namespace {

class Win32File final : public FileHandle {
public:
    explicit Win32File(win32::UniqueHandle handle) : handle_(std::move(handle)) {}

    std::size_t ReadAt(std::uint64_t offset, char* buffer, std::size_t count) override {
        OVERLAPPED at{};
        at.Offset = static_cast<DWORD>(offset & 0xFFFFFFFFu);
        at.OffsetHigh = static_cast<DWORD>(offset >> 32);
        const DWORD chunk = count > 0x40000000u ? 0x40000000u : static_cast<DWORD>(count);
        DWORD got = 0;
        if (!::ReadFile(handle_.Get(), buffer, chunk, &got, &at)) {
            const DWORD error = ::GetLastError();
            if (error == ERROR_HANDLE_EOF) {
                return 0;
            }
            throw IOException("The file could not be read.", error);
        }
        return got;
    }

private:
    win32::UniqueHandle handle_;
};

// The codes by which Windows says that nothing is at a path. Every other failure, among them a
// folder the user may not list, a device or a FIFO (ERROR_INVALID_PARAMETER under Wine) and a
// drive whose medium is out (ERROR_NOT_READY), leaves open whether the file is there.
bool SaysAbsent(DWORD error) {
    switch (error) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND: // also a file standing where the path has a folder
    case ERROR_INVALID_DRIVE:  // a drive letter that names no drive
    case ERROR_INVALID_NAME:   // a name that no file can have, such as one with * or <
    case ERROR_BAD_PATHNAME:   // a path whose very form names nothing
    case ERROR_BAD_NETPATH:    // no such server
    case ERROR_BAD_NET_NAME:   // no such share on the server
        return true;
    default:
        return false;
    }
}

// The last component as the path writes it.
String LastComponent(const String& path) {
    const std::string& bytes = path.Bytes();
    const auto separator = bytes.find_last_of("\\/");
    return separator == std::string::npos ? path : String(bytes.substr(separator + 1));
}

[[noreturn]] void ThrowCannotOpen(DWORD error) {
    throw IOException("The file could not be opened.", static_cast<std::int64_t>(error));
}

} // namespace

FileStatus QueryFile(const String& path) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!::GetFileAttributesExW(win32::LongPath(path).c_str(), GetFileExInfoStandard, &data)) {
        const DWORD error = ::GetLastError();
        return {.error = static_cast<std::int64_t>(error), .absent = SaysAbsent(error)};
    }
    return {.exists = true,
            .isDirectory = (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0,
            .length = (static_cast<std::uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow};
}

String FileName(const String& path) {
    const std::wstring full = win32::LongPath(path);
    // With a wildcard the listing would be a search and could name another file; no name that a
    // folder holds has one.
    const bool wildcard =
        full.find_first_of(L"*?<>\"", full.find_last_of(L'\\') + 1) != std::wstring::npos;
    WIN32_FIND_DATAW found{};
    const win32::UniqueFindHandle listing(
        wildcard ? INVALID_HANDLE_VALUE
                 : ::FindFirstFileExW(full.c_str(), FindExInfoBasic, &found, FindExSearchNameMatch,
                                      nullptr, 0));
    return listing.Valid() ? win32::FromWide(found.cFileName) : LastComponent(path);
}

String FullPath(const String& path) {
    const auto full = win32::FullPathName(win32::ToWide(path));
    return full ? win32::FromWide(*full) : path;
}

std::unique_ptr<FileHandle> OpenForReading(const String& path) {
    // Sharing everything: Kontakt or any other program may go on using the file meanwhile. Should
    // the path lead to a named pipe, its server may learn who connects but not act as them.
    win32::UniqueHandle handle(::CreateFileW(
        win32::LongPath(path).c_str(), GENERIC_READ,
        FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
        FILE_ATTRIBUTE_NORMAL | SECURITY_SQOS_PRESENT | SECURITY_IDENTIFICATION, nullptr));
    if (!handle.Valid()) {
        ThrowCannotOpen(::GetLastError());
    }
    // Only a disk file is a file to read: a device, a pipe or a FIFO may never answer a read.
    ::SetLastError(ERROR_SUCCESS);
    if (const DWORD type = ::GetFileType(handle.Get()); type != FILE_TYPE_DISK) {
        const DWORD error = type == FILE_TYPE_UNKNOWN ? ::GetLastError() : ERROR_SUCCESS;
        ThrowCannotOpen(error != ERROR_SUCCESS ? error : ERROR_NOT_SUPPORTED);
    }
    return std::make_unique<Win32File>(std::move(handle));
}

std::int64_t FolderErrorCode() {
    // As for a device or a pipe: something that is there but is no file to read.
    return ERROR_NOT_SUPPORTED;
}

} // namespace fw::platform
