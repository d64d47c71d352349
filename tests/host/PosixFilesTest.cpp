#include <gtest/gtest.h>

#include <grp.h>
#include <pwd.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <functional>
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
    bool deniedByPermissions = false; // asked as a user whom the permission bits stop
};

// Runs `check` as a user whom permission bits stop: this process's own, or, when that is root,
// who passes them all, `nobody` in a child process. The child's failures are printed as they
// happen and reach this process as its exit code.
void AsUnprivilegedUser(const std::function<void()>& check) {
    if (::geteuid() != 0) {
        check();
        return;
    }
    const passwd* nobody = ::getpwnam("nobody");
    ASSERT_NE(nobody, nullptr) << "no user nobody to run as";
    const uid_t uid = nobody->pw_uid;
    const gid_t gid = nobody->pw_gid;
    std::fflush(stdout);
    const pid_t child = ::fork();
    ASSERT_NE(child, -1) << std::strerror(errno);
    if (child == 0) {
        // The groups first: a process that is no longer root may not change them.
        const bool dropped = ::setgroups(0, nullptr) == 0 && ::setgid(gid) == 0 &&
                             ::setuid(uid) == 0 && ::geteuid() == uid;
        if (dropped) {
            check();
        }
        std::fflush(stdout);
        ::_exit(!dropped ? 2 : ::testing::Test::HasFailure() ? 1 : 0);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child) << std::strerror(errno);
    ASSERT_TRUE(WIFEXITED(status)) << "the check as nobody did not end normally: " << status;
    const int exitCode = WEXITSTATUS(status);
    EXPECT_NE(exitCode, 2) << "could not become nobody";
    EXPECT_EQ(exitCode, 0) << "the check as nobody failed (see above)";
}

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
    TempFolder folder;
    const auto path = query.make(folder);
    const auto check = [&] { readertest::ExpectExistsAnswer(path, query.absent, query.error); };
    if (query.deniedByPermissions) {
        AsUnprivilegedUser(check);
        std::filesystem::permissions(path.parent_path(), std::filesystem::perms::owner_all);
    } else {
        check();
    }
}

INSTANTIATE_TEST_SUITE_P(Paths, PosixExists, ::testing::ValuesIn(kExistsCases),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
