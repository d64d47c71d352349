#include <gtest/gtest.h>

#include <sys/stat.h>

#include <filesystem>

#include "framework/Exceptions.h"
#include "reader/basKontaktVersion.h"

namespace {

// A named pipe is no file to read: asking for its version must fail at once, not wait for a
// writer that never comes.
TEST(PosixFiles, ANamedPipeIsRefusedWithoutWaiting) {
    const auto path = std::filesystem::temp_directory_path() / "pindrel-pipe.nki";
    std::filesystem::remove(path);
    ASSERT_EQ(::mkfifo(path.c_str(), 0600), 0);

    fw::String text = "unchanged";
    EXPECT_THROW(
        basKontaktVersion::ShowKontaktVersion(fw::New<fw::FolderItem>(path.string()), text),
        fw::IOException);
    EXPECT_EQ(text, fw::String("unchanged"));
    std::filesystem::remove(path);
}

} // namespace
