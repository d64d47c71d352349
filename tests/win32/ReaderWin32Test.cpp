#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "common/ReaderFixtures.h"
#include "framework/Exceptions.h"
#include "framework/win32/UniqueHandle.h"
#include "framework/win32/Wide.h"
#include "reader/basKontaktVersion.h"
#include "win32/LiteralFile.h"

namespace {

using basKontaktVersion::ShowKontaktVersion;
using fw::New;
using fw::String;
using fw::win32::UniqueHandle;
using readertest::Bytes;
using readertest::Image;
using readertest::SpyFolderItem;
using readertest::TempFolder;

const String kUntouched = "left as it was";

std::string ForwardHeader() {
    return Image(64, {{16, Bytes({1, 2, 3, 4})}, {20, "Kon4"}});
}

// The Win32 code that the failed open reports, with the text left as it was.
std::int64_t OpenFailure(const std::filesystem::path& path) {
    auto file = New<SpyFolderItem>(path);
    String text = kUntouched;
    try {
        ShowKontaktVersion(file, text);
        ADD_FAILURE() << "expected an IOException";
        return 0;
    } catch (const fw::IOException& error) {
        EXPECT_EQ(text, kUntouched);
        EXPECT_EQ(file->LastErrorCode(), error.ErrorNumber());
        EXPECT_EQ(file->trace.openHandles, 0);
        return error.ErrorNumber();
    }
}

TEST(KontaktVersionReaderWin32, AFileHeldWithoutSharingGivesTheSharingViolation) {
    TempFolder folder;
    const auto path = folder.Write("held.nki", ForwardHeader());
    UniqueHandle held(
        ::CreateFileW(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(held.Valid());
    EXPECT_EQ(OpenFailure(path), ERROR_SHARING_VIOLATION);
}

// Windows itself refuses the folder as "access denied", which is no help to the user.
TEST(KontaktVersionReaderWin32, AFolderWithAKontaktNameGivesNotSupported) {
    TempFolder folder;
    std::filesystem::create_directory(folder / "x.nki");
    EXPECT_EQ(OpenFailure(folder / "x.nki"), ERROR_NOT_SUPPORTED);
}

TEST(KontaktVersionReaderWin32, ReadsAFileWhosePathIsLongerThanMaxPath) {
    TempFolder folder;
    std::wstring path = fw::win32::LongPath(readertest::Utf8(folder.Path()));
    for (int level = 0; level < 6; ++level) {
        path += L"\\" + std::wstring(50, static_cast<wchar_t>(L'a' + level));
        ASSERT_TRUE(::CreateDirectoryW(path.c_str(), nullptr)) << ::GetLastError();
    }
    path += L"\\deep.nki";
    const std::string contents = ForwardHeader();
    {
        UniqueHandle out(::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                       FILE_ATTRIBUTE_NORMAL, nullptr));
        ASSERT_TRUE(out.Valid()) << ::GetLastError();
        DWORD written = 0;
        ASSERT_TRUE(::WriteFile(out.Get(), contents.data(), static_cast<DWORD>(contents.size()),
                                &written, nullptr));
    }
    // The reader gets the plain path, without the prefix that lifts the limit.
    const std::wstring plain = path.substr(4);
    ASSERT_GT(plain.size(), static_cast<std::size_t>(MAX_PATH))
        << "the path must pass the limit for the test to mean anything";
    auto file = New<fw::FolderItem>(fw::win32::FromWide(plain));
    String text;
    EXPECT_EQ(ShowKontaktVersion(file, text), 2);
    EXPECT_EQ(text, String("deep.nki is Kontakt Version 1.2.3.4"));
    // TempFolder's clean-up cannot be trusted with paths this long.
    ::DeleteFileW(path.c_str());
    for (int level = 0; level < 6; ++level) {
        path.resize(path.rfind(L'\\'));
        ::RemoveDirectoryW(path.c_str());
    }
}

TEST(KontaktVersionReaderWin32, AnotherProgramMayWriteAndDeleteWhileTheReaderReads) {
    TempFolder folder;
    const auto path = folder.Write("shared.nki", ForwardHeader());
    auto file = New<SpyFolderItem>(path);
    bool writerOpened = false;
    DWORD writerError = 0;
    file->trace.beforeRead = [&] {
        UniqueHandle writer(::CreateFileW(path.c_str(), GENERIC_WRITE | DELETE, FILE_SHARE_READ,
                                          nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
        writerOpened = writer.Valid();
        writerError = writerOpened ? 0 : ::GetLastError();
    };
    String text;
    EXPECT_EQ(ShowKontaktVersion(file, text), 2);
    EXPECT_TRUE(writerOpened) << "error " << writerError;
    EXPECT_EQ(text, String("shared.nki is Kontakt Version 1.2.3.4"));
}

// A real file reached through each form of path that Windows reads: the reader gets the file,
// and its name as given.
struct PathForm {
    const char* name; // for the test's name
    std::wstring fileName;
    std::wstring prefix; // written before the folder's full path
};

void PrintTo(const PathForm& form, std::ostream* out) {
    *out << form.name;
}

const PathForm kPathForms[] = {
    {"ReservedName", L"CON.nki", L""},
    {"ReservedNameInLowerCase", L"nul.nkb", L""},
    {"NumberedPortName", L"COM1.nkm", L""},
    {"ConsoleInputName", L"CONIN$.nki", L""},
    {"LiteralForm", L"Lead.nki", LR"(\\?\)"},
    {"DeviceForm", L"Lead.nki", LR"(\\.\)"},
    {"DeviceFormOfAReservedName", L"aux.nki", LR"(\\.\)"},
};

class KontaktVersionReaderPathForm : public ::testing::TestWithParam<PathForm> {};

TEST_P(KontaktVersionReaderPathForm, ReadsTheFileThePathNames) {
    const PathForm& form = GetParam();
    TempFolder folder;
    const win32test::LiteralFile stored(folder / fw::ToUtf8(form.fileName), ForwardHeader());
    auto file = New<fw::FolderItem>(fw::win32::FromWide(form.prefix + stored.Path().wstring()));
    String text;
    EXPECT_EQ(ShowKontaktVersion(file, text), 2);
    EXPECT_EQ(text, fw::win32::FromWide(form.fileName) + " is Kontakt Version 1.2.3.4");
}

INSTANTIATE_TEST_SUITE_P(Forms, KontaktVersionReaderPathForm, ::testing::ValuesIn(kPathForms),
                         [](const auto& info) { return std::string(info.param.name); });

// What opens but is no disk file: the reader must not wait on it for bytes that may never come.
struct NotADiskFile {
    const char* name; // for the test's name
    // Makes the object and gives its path; `server` keeps open what must stay so meanwhile.
    std::wstring (*make)(UniqueHandle& server);
};

void PrintTo(const NotADiskFile& object, std::ostream* out) {
    *out << object.name;
}

const NotADiskFile kNotDiskFiles[] = {
    {"NulDevice", [](UniqueHandle&) { return std::wstring(LR"(\\.\NUL)"); }},
    {"NamedPipe",
     [](UniqueHandle& server) {
         const std::wstring path =
             LR"(\\.\pipe\pindrel-reader-)" + std::to_wstring(::GetCurrentProcessId()) + L".nki";
         server = UniqueHandle(::CreateNamedPipeW(path.c_str(), PIPE_ACCESS_OUTBOUND,
                                                  PIPE_TYPE_BYTE, 1, 0, 0, 0, nullptr));
         EXPECT_TRUE(server.Valid()) << ::GetLastError();
         return path;
     }},
};

class KontaktVersionReaderNotADiskFile : public ::testing::TestWithParam<NotADiskFile> {};

TEST_P(KontaktVersionReaderNotADiskFile, IsAFileThatCannotBeOpened) {
    UniqueHandle server;
    const String path = fw::win32::FromWide(GetParam().make(server));
    // Through the reader: refused, at whichever step Windows first says so.
    String text = kUntouched;
    EXPECT_THROW(ShowKontaktVersion(New<fw::FolderItem>(path), text), fw::IOException);
    EXPECT_EQ(text, kUntouched);
    // The open itself, which Windows grants for such a path.
    auto file = New<fw::FolderItem>(path);
    try {
        file->OpenForReading();
        ADD_FAILURE() << "expected an IOException";
    } catch (const fw::IOException& error) {
        EXPECT_EQ(error.ErrorNumber(), ERROR_NOT_SUPPORTED);
        EXPECT_EQ(file->LastErrorCode(), ERROR_NOT_SUPPORTED);
    }
}

INSTANTIATE_TEST_SUITE_P(Objects, KontaktVersionReaderNotADiskFile,
                         ::testing::ValuesIn(kNotDiskFiles),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
