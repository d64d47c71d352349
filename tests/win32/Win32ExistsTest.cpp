#include <gtest/gtest.h>

#include <windows.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "common/ReaderFixtures.h"

namespace {

using readertest::TempFolder;

// What Exists makes of a path that Windows cannot query: False only where the answer says that
// nothing is there; every other answer raises, with the code that Windows (here Wine) gave.
struct ExistsCase {
    const char* name; // for the test's name
    // Makes what the case needs in `folder` and gives the path to ask about.
    std::filesystem::path (*make)(const TempFolder& folder);
    DWORD error;
    bool absent;
};

void PrintTo(const ExistsCase& query, std::ostream* out) {
    *out << query.name;
}

const ExistsCase kCases[] = {
    {"MissingFile", [](const TempFolder& folder) { return folder / "Gone.nki"; },
     ERROR_FILE_NOT_FOUND, true},
    {"MissingFolder", [](const TempFolder& folder) { return folder / "gone" / "Lead.nki"; },
     ERROR_PATH_NOT_FOUND, true},
    {"FileWhereAFolderShouldBe",
     [](const TempFolder& folder) { return folder.Write("Lead.nki", "") / "Lead.nki"; },
     ERROR_PATH_NOT_FOUND, true},
    {"NameNoFileCanHave", [](const TempFolder& folder) { return folder / "Lead*.nki"; },
     ERROR_INVALID_NAME, true},
    // Wine's drive Z: is the Linux root, where device nodes and FIFOs are there but cannot be
    // queried.
    {"DeviceNode", [](const TempFolder&) { return std::filesystem::path(LR"(Z:\dev\null)"); },
     ERROR_INVALID_PARAMETER, false},
    {"DevicePath", [](const TempFolder&) { return std::filesystem::path(LR"(\\.\NUL)"); },
     ERROR_BAD_DEV_TYPE, false},
};

class Win32Exists : public ::testing::TestWithParam<ExistsCase> {};

TEST_P(Win32Exists, IsFalseOnlyWhereNothingIsThere) {
    const ExistsCase& query = GetParam();
    TempFolder folder;
    readertest::ExpectExistsAnswer(query.make(folder), query.absent, query.error);
}

INSTANTIATE_TEST_SUITE_P(Paths, Win32Exists, ::testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.name); });

// A file in a folder that the user may not search: Windows cannot read its attributes, so whether
// it is there is unknown. Permission bits stop no root, and Wine cannot take the search right
// from a folder, so tests/win32/unprivileged.sh runs these cases as a user whom the bits stop,
// with such a folder made for them; the file's path comes in PINDREL_UNSEARCHABLE_FILE.
class Win32ExistsUnprivileged : public ::testing::TestWithParam<const wchar_t*> {};

TEST_P(Win32ExistsUnprivileged, RaisesAccessDeniedForAFileInAFolderItMayNotSearch) {
    const wchar_t* file = ::_wgetenv(L"PINDREL_UNSEARCHABLE_FILE");
    ASSERT_NE(file, nullptr) << "run by tests/win32/unprivileged.sh, which makes the folder";
    readertest::ExpectExistsAnswer(std::wstring(GetParam()) + file, false, ERROR_ACCESS_DENIED);
}

INSTANTIATE_TEST_SUITE_P(Forms, Win32ExistsUnprivileged, ::testing::Values(L"", LR"(\\?\)"),
                         [](const auto& info) {
                             return std::string(*info.param == L'\0' ? "Plain" : "LiteralPath");
                         });

} // namespace
