#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <string>

#include "common/ReaderFixtures.h"
#include "framework/FolderItem.h"
#include "framework/Utf.h"
#include "tests/win32/LiteralFile.h"

namespace {

// Name as the folder lists the file, whatever the path writes; where the folder lists nothing for
// the path, the path's own last component.
struct NameCase {
    const char* name;    // for the test's name
    std::wstring stored; // the file made in the folder; empty: none
    std::wstring prefix; // written before the folder's full path
    std::wstring typed;  // the last component of the path handed over
    std::wstring expected;
};

void PrintTo(const NameCase& form, std::ostream* out) {
    *out << form.name;
}

const NameCase kNameCases[] = {
    {"OtherLetterCase", L"valid.nki", L"", L"VALID.NKI", L"valid.nki"},
    {"OtherLetterCaseBeyondAscii", L"Ström.nki", L"", L"STRÖM.NKI", L"Ström.nki"},
    {"ReservedName", L"CON.nki", L"", L"con.NKI", L"CON.nki"},
    {"LiteralPath", L"valid.nki", LR"(\\?\)", L"VALID.NKI", L"valid.nki"},
    {"DevicePath", L"valid.nki", LR"(\\.\)", L"VALID.NKI", L"valid.nki"},
    {"MissingFile", L"", L"", L"Gone.NKI", L"Gone.NKI"},
    // A listing of *.nki would find valid.nki.
    {"Wildcard", L"valid.nki", L"", L"*.nki", L"*.nki"},
};

class Win32Name : public ::testing::TestWithParam<NameCase> {};

TEST_P(Win32Name, IsTheNameTheFolderLists) {
    const NameCase& query = GetParam();
    readertest::TempFolder folder;
    std::optional<win32test::LiteralFile> file;
    if (!query.stored.empty()) {
        file.emplace(folder.Path() / query.stored, "");
    }
    const std::filesystem::path full = std::filesystem::absolute(folder.Path()).make_preferred();
    const std::wstring path = query.prefix + full.wstring() + L"\\" + query.typed;
    EXPECT_EQ(fw::ToWide(fw::New<fw::FolderItem>(fw::ToUtf8(path))->Name().Bytes()),
              query.expected);
}

INSTANTIATE_TEST_SUITE_P(Paths, Win32Name, ::testing::ValuesIn(kNameCases),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
