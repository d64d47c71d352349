// Files for the headless backend: POSIX calls, errno as the error code.
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <string>

#include "framework/Exceptions.h"
#include "framework/platform/Files.h"

namespace fw::platform {

namespace {

class PosixFile final : public FileHandle {
public:
    explicit PosixFile(int descriptor) : descriptor_(descriptor) {}
    ~PosixFile() override { ::close(descriptor_); }

    std::size_t ReadAt(std::uint64_t offset, char* buffer, std::size_t count) override {
        for (;;) {
            const ssize_t got = ::pread(descriptor_, buffer, count, static_cast<off_t>(offset));
            if (got >= 0) {
                return static_cast<std::size_t>(got);
            }
            if (errno != EINTR) {
                throw IOException("The file could not be read.", errno);
            }
        }
    }

private:
    int descriptor_;
};

} // namespace

FileStatus QueryFile(const String& path) {
    struct stat info {};
    if (::stat(path.CString(), &info) != 0) {
        // ENOTDIR: a file stands where the path has a folder, so there is no such folder.
        return {.error = errno, .absent = errno == ENOENT || errno == ENOTDIR};
    }
    return {.exists = true,
            .isDirectory = S_ISDIR(info.st_mode),
            .length = static_cast<std::uint64_t>(info.st_size)};
}

String FileName(const String& path) {
    const std::string& bytes = path.Bytes();
    const auto slash = bytes.find_last_of('/');
    return slash == std::string::npos ? path : String(bytes.substr(slash + 1));
}

String FullPath(const String& path) {
    if (path.Bytes().starts_with('/')) {
        return path;
    }
    std::string directory(4096, '\0');
    if (::getcwd(directory.data(), directory.size()) == nullptr) {
        return path;
    }
    directory.resize(directory.find('\0'));
    return String(directory + "/" + path.Bytes());
}

std::unique_ptr<FileHandle> OpenForReading(const String& path) {
    // Not blocking: a named pipe would otherwise wait here for a writer that never comes.
    const int descriptor = ::open(path.CString(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (descriptor < 0) {
        throw IOException("The file could not be opened.", errno);
    }
    auto file = std::make_unique<PosixFile>(descriptor);
    // Only a regular file is a file to read, here as on Windows.
    struct stat info {};
    if (::fstat(descriptor, &info) != 0) {
        throw IOException("The file could not be opened.", errno);
    }
    if (!S_ISREG(info.st_mode)) {
        throw IOException("The file could not be opened.",
                          S_ISDIR(info.st_mode) ? FolderErrorCode() : EINVAL);
    }
    ::fcntl(descriptor, F_SETFL, ::fcntl(descriptor, F_GETFL) & ~O_NONBLOCK);
    return file;
}

std::int64_t FolderErrorCode() {
    return EISDIR;
}

} // namespace fw::platform
