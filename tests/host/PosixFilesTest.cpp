#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <string>

#include "common/ReaderFixtures.h"
#include "framework/Exceptions.h"
#include "reader/basKontaktVersion.h"

namespace {

using readertest::TempFolder;

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

// What Exists makes of a path that stat cannot answer for: False only where the answer says that
// nothing is there; every other answer raises, with its errno.
struct ExistsCase {
    const char* name; // for the test's name
    // Makes what the case needs in `folder` and gives the path to ask about.
    std::filesystem::path (*make)(const TempFolder& folder);
    int error;
    bool absent;
    bool deniedByPermissions = false; // root passes where the permission bits forbid it
};

void PrintTo(const ExistsCase& query, std::ostream* out) {
    *out << query.name;
}

const ExistsCase kExistsCases[] = {
    {"MissingFile", [](const TempFolder& folder) { return folder / "Gone.nki"; }, ENOENT, true},
    {"MissingFolder", [](const TempFolder& folder) { return folder / "gone" / "Lead.nki"; }, ENOENT,
     true},
    {"FileWhereAFolderShouldBe",
     [](const TempFolder& folder) { return folder.Write("Lead.nki", "") / "Lead.nki"; }, ENOTDIR,
     true},
    {"SymbolicLinkLoop",
     [](const TempFolder& folder) {
         std::filesystem::create_symlink("Loop.nki", folder / "Loop.nki");
         return folder / "Loop.nki";
     },
     ELOOP, false},
    {"NameTooLong",
     [](const TempFolder& folder) { return folder / (std::string(300, 'a') + ".nki"); },
     ENAMETOOLONG, false},
    {"FolderWithoutSearchPermission",
     [](const TempFolder& folder) {
         const auto locked = folder / "locked";
         std::filesystem::create_directory(locked);
         folder.Write("locked/Lead.nki", "");
         std::filesystem::permissions(locked, std::filesystem::perms::owner_read);
         return locked / "Lead.nki";
     },
     EACCES, false, true},
};

class PosixExists : public ::testing::TestWithParam<ExistsCase> {};

TEST_P(PosixExists, IsFalseOnlyWhereNothingIsThere) {
    const ExistsCase& query = GetParam();
    if (query.deniedByPermissions && ::geteuid() == 0) {
        GTEST_SKIP() << "permission bits do not stop root";
    }
    TempFolder folder;
    const auto path = query.make(folder);
    readertest::ExpectExistsAnswer(path, query.absent, query.error);
    if (query.deniedByPermissions) {
        std::filesystem::permissions(path.parent_path(), std::filesystem::perms::owner_all);
    }
}

INSTANTIATE_TEST_SUITE_P(Paths, PosixExists, ::testing::ValuesIn(kExistsCases),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
