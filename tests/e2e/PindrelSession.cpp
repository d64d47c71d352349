#include "PindrelSession.h"

#include <windows.h>

#include "framework/Utf.h"
#include "framework/win32/UniqueHandle.h"

namespace e2e {
namespace {

// True when nobody holds the lock; it is taken and given back at once to find out.
bool LockIsFree() {
    const fw::win32::UniqueHandle lock(::CreateMutexW(nullptr, FALSE, kPindrelLock));
    const DWORD wait = ::WaitForSingleObject(lock.Get(), 0);
    if (wait == WAIT_OBJECT_0 || wait == WAIT_ABANDONED) {
        ::ReleaseMutex(lock.Get());
        return true;
    }
    return false;
}

// Puts the calling test's line into every failure reported while it lives.
::testing::ScopedTrace CalledFrom(const std::source_location& where) {
    return ::testing::ScopedTrace(where.file_name(), static_cast<int>(where.line()),
                                  "called from here");
}

} // namespace

std::filesystem::path PindrelExe() {
    return BesideTests(L"Pindrel.exe");
}

std::wstring VersionText(const std::wstring& fileName, const std::wstring& version) {
    return fileName + L" is Kontakt Version " + version;
}

std::wstring FailureMessage() {
    const std::string address = PINDREL_SUPPORT_EMAIL;
    return L"Could not ascertain the version number. Please send this NKI to Quimbral at " +
           std::wstring(address.begin(), address.end());
}

std::wstring SecondStartMessage(const std::wstring& exeFileName) {
    return exeFileName + L" is already running. If you cannot see the app, please kill the "
                         L"process within Task Manager, as it is running in the background.";
}

void PindrelTest::SetUp() {
    ASSERT_TRUE(std::filesystem::exists(PindrelExe())) << fw::ToUtf8(PindrelExe().wstring());
    // A copy killed by the test before may take a moment to let go.
    ASSERT_TRUE(WaitUntil(LockIsFree, 5s)) << "another copy of Pindrel holds its lock";
}

Process PindrelTest::Start(const std::vector<std::wstring>& arguments) const {
    return Process::Start(PindrelExe(), arguments);
}

void PindrelTest::ExpectBox(const Process& pindrel, const std::wstring& text,
                            std::source_location where) {
    const auto trace = CalledFrom(where);
    const std::optional<Dialog> box = WaitForDialog(pindrel);
    ASSERT_TRUE(box) << "no message box; " << pindrel.Describe();
    ASSERT_TRUE(box->IsMessageBox()) << fw::ToUtf8(box->Describe());
    EXPECT_EQ(box->Title(), L"Pindrel");
    EXPECT_EQ(box->Text(), text);
    EXPECT_EQ(VisibleDialogs(pindrel.Id()).size(), 1u);
    ASSERT_TRUE(box->PressAndWaitUntilClosed(IDOK));
}

std::optional<Dialog> PindrelTest::ExpectFileDialog(const Process& pindrel,
                                                    std::source_location where) {
    const auto trace = CalledFrom(where);
    std::optional<Dialog> dialog = WaitForDialog(pindrel);
    EXPECT_TRUE(dialog) << "no dialog; " << pindrel.Describe();
    if (dialog && !dialog->IsFileDialog()) {
        ADD_FAILURE() << "expected the open-file dialog, got " << fw::ToUtf8(dialog->Describe());
        return std::nullopt;
    }
    return dialog;
}

void PindrelTest::ExpectQuietEnd(const Process& pindrel, std::source_location where) {
    const auto trace = CalledFrom(where);
    const QuietEnd end = WaitForExitWithoutDialog(pindrel);
    EXPECT_FALSE(end.shownDialog) << "unexpected " << fw::ToUtf8(end.shownDialog.value_or(L""));
    if (!end.shownDialog) {
        EXPECT_EQ(end.exitCode, 0u) << pindrel.Describe();
    }
}

} // namespace e2e
