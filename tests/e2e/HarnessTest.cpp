// The harness, proven against the stand-in program before it is trusted with Pindrel.

#include <gtest/gtest.h>

#include <windows.h>

#include <shellapi.h>

#include <algorithm>
#include <chrono>
#include <memory>

#include "Dialog.h"
#include "Files.h"
#include "Process.h"
#include "framework/Utf.h"

namespace e2e {
namespace {

std::filesystem::path StandIn() {
    return BesideTests(L"e2e_standin.exe");
}

// Arguments that Windows programs get wrong most often: blanks, quotes and backslashes in front
// of them, and names outside ASCII.
const std::vector<std::wstring> kAwkwardArguments = {
    L"",
    L"plain",
    L"two words",
    L"tab\there",
    L"say \"hi\"",
    L"C:\\Program Files\\Kontakt\\",
    L"\\\\server\\share\\Lead.nki",
    L"backslash then quote \\\"",
    L"Ström – Légato.nki",
    L"弦楽器.nkm",
};

TEST(HarnessCommandLine, WindowsReadsBackEveryArgumentUnchanged) {
    const std::wstring line = CommandLine(L"C:\\Some Folder\\prog.exe", kAwkwardArguments);
    int count = 0;
    std::unique_ptr<wchar_t*, decltype(&::LocalFree)> argv(
        ::CommandLineToArgvW(line.c_str(), &count), &::LocalFree);
    ASSERT_EQ(count, static_cast<int>(kAwkwardArguments.size()) + 1);
    EXPECT_STREQ(argv.get()[0], L"C:\\Some Folder\\prog.exe");
    for (std::size_t i = 0; i < kAwkwardArguments.size(); ++i) {
        EXPECT_EQ(argv.get()[i + 1], kAwkwardArguments[i]) << "argument " << i;
    }
}

TEST(HarnessProcess, BoxesComeOneByOneInOrderAndTheExitCodePassesThrough) {
    const Process standIn = Process::Start(
        StandIn(), {L"box", L"first", L"box", L"say \"hi\" to C:\\Ström\\", L"exit", L"7"});
    for (const std::wstring expected : {L"first", L"say \"hi\" to C:\\Ström\\"}) {
        const std::optional<Dialog> box = WaitForDialog(standIn);
        ASSERT_TRUE(box) << standIn.Describe();
        EXPECT_TRUE(box->IsMessageBox());
        EXPECT_FALSE(box->IsFileDialog());
        EXPECT_EQ(box->Title(), L"Stand-in");
        EXPECT_EQ(box->Text(), expected);
        EXPECT_EQ(VisibleDialogs(standIn.Id()).size(), 1u);
        ASSERT_TRUE(box->PressAndWaitUntilClosed(IDOK));
    }
    EXPECT_EQ(standIn.WaitForExit(), 7u);
}

TEST(HarnessProcess, WaitingForADialogEndsWhenTheProcessEndsWithoutOne) {
    const Process standIn = Process::Start(StandIn(), {L"exit", L"3"});
    const auto start = std::chrono::steady_clock::now();
    EXPECT_FALSE(WaitForDialog(standIn));
    EXPECT_LT(std::chrono::steady_clock::now() - start, kTimeout / 2);

    const QuietEnd end = WaitForExitWithoutDialog(standIn);
    EXPECT_EQ(end.exitCode, 3u);
    EXPECT_FALSE(end.shownDialog);
}

TEST(HarnessProcess, AnUnexpectedBoxIsReportedInsteadOfWaitedOut) {
    const Process standIn = Process::Start(StandIn(), {L"box", L"surprise"});
    const QuietEnd end = WaitForExitWithoutDialog(standIn);
    EXPECT_FALSE(end.exitCode);
    ASSERT_TRUE(end.shownDialog);
    EXPECT_NE(end.shownDialog->find(L"surprise"), std::wstring::npos)
        << fw::ToUtf8(*end.shownDialog);
}

TEST(HarnessProcess, AProcessStillRunningIsKilledWhenItsObjectGoes) {
    fw::win32::UniqueHandle watch;
    {
        const Process standIn = Process::Start(StandIn(), {L"box", L"never dismissed"});
        ASSERT_TRUE(WaitForDialog(standIn));
        EXPECT_FALSE(standIn.WaitForExit(200ms));
        watch = fw::win32::UniqueHandle(
            ::OpenProcess(SYNCHRONIZE | PROCESS_QUERY_LIMITED_INFORMATION, FALSE, standIn.Id()));
        ASSERT_TRUE(watch.Valid());
    }
    ASSERT_EQ(::WaitForSingleObject(watch.Get(), 0), WAIT_OBJECT_0);
    DWORD code = 0;
    ::GetExitCodeProcess(watch.Get(), &code);
    EXPECT_EQ(code, kKilledExitCode);
}

TEST(HarnessFileDialog, IsFoundReadAndDrivenByTypingAPath) {
    const TempFolder folder;
    const std::filesystem::path chosen = folder.Write(L"Ström – Légato.nki", "x");
    const Process standIn = Process::Start(StandIn(), {L"open", L"Select a Kontakt file"});

    const std::optional<Dialog> dialog = WaitForDialog(standIn);
    ASSERT_TRUE(dialog) << standIn.Describe();
    EXPECT_TRUE(dialog->IsFileDialog());
    EXPECT_FALSE(dialog->IsMessageBox());
    EXPECT_EQ(dialog->Title(), L"Select a Kontakt file");
    EXPECT_EQ(dialog->ComboEntries(kFileTypeComboId),
              (std::vector<std::wstring>{
                  L"NI Kontakt Files (*.nki;*.nkm;*.nkb)", L"NI Kontakt Instrument (*.nki)",
                  L"NI Kontakt Multi (*.nkm)", L"NI Kontakt Bank (*.nkb)", L"All Files (*.*)"}));

    dialog->SetText(kFileNameEditId, chosen.wstring());
    ASSERT_TRUE(dialog->PressAndWaitUntilClosed(IDOK));
    const std::optional<Dialog> box = WaitForDialog(standIn);
    ASSERT_TRUE(box) << standIn.Describe();
    EXPECT_TRUE(box->IsMessageBox());
    EXPECT_EQ(box->Text(), chosen.wstring());
    ASSERT_TRUE(box->PressAndWaitUntilClosed(IDOK));
    EXPECT_EQ(standIn.WaitForExit(), 0u);
}

TEST(HarnessFileDialog, CancellingItLeavesNothingMore) {
    const Process standIn =
        Process::Start(StandIn(), {L"open", L"Select a Kontakt file", L"exit", L"4"});
    const std::optional<Dialog> dialog = WaitForDialog(standIn);
    ASSERT_TRUE(dialog) << standIn.Describe();
    ASSERT_TRUE(dialog->PressAndWaitUntilClosed(IDCANCEL));
    const QuietEnd end = WaitForExitWithoutDialog(standIn);
    EXPECT_FALSE(end.shownDialog) << fw::ToUtf8(end.shownDialog.value_or(L""));
    EXPECT_EQ(end.exitCode, 4u);
}

// A lock name of this run alone, so that parallel runs of the suite never meet.
std::wstring StandInLock() {
    return L"PindrelE2EStandIn-" + std::to_wstring(::GetCurrentProcessId());
}

TEST(HarnessLock, OfEightStartedTogetherExactlyOneTakesTheLock) {
    const std::vector<Process> standIns =
        StartTogether(StandIn(), {L"lock", StandInLock(), L"box", L"holder"}, 8);
    const std::vector<std::optional<Dialog>> boxes = WaitForDialogEach(standIns);
    std::vector<std::wstring> texts;
    for (std::size_t i = 0; i < boxes.size(); ++i) {
        ASSERT_TRUE(boxes[i]) << "copy " << i << ": " << standIns[i].Describe();
        texts.push_back(boxes[i]->Text());
    }
    EXPECT_EQ(std::count(texts.begin(), texts.end(), L"holder"), 1);
    EXPECT_EQ(std::count(texts.begin(), texts.end(), L"busy"), 7);
    // Wine takes a while to end a process that has shown a window: let them all end together.
    for (const std::optional<Dialog>& box : boxes) {
        ASSERT_TRUE(box->PressAndWaitUntilClosed(IDOK));
    }
    for (std::size_t i = 0; i < standIns.size(); ++i) {
        EXPECT_EQ(standIns[i].WaitForExit(), 0u) << "copy " << i;
    }
}

TEST(HarnessLock, AKilledHolderDoesNotBlockTheNextStart) {
    const std::vector<std::wstring> arguments = {L"lock", StandInLock(), L"box", L"holder"};
    const Process holder = Process::Start(StandIn(), arguments);
    ASSERT_TRUE(WaitForDialog(holder)) << holder.Describe();
    holder.Kill();

    const Process next = Process::Start(StandIn(), arguments);
    const std::optional<Dialog> box = WaitForDialog(next);
    ASSERT_TRUE(box) << next.Describe();
    EXPECT_EQ(box->Text(), L"holder");
}

TEST(HarnessFiles, AFileHeldWithoutSharingCannotBeOpenedUntilLetGo) {
    const TempFolder folder;
    const std::filesystem::path path = folder.Write(L"held.nki", "x");
    // The error of an open that shares everything, as Pindrel's does; 0 when it succeeds.
    const auto openShared = [&] {
        const fw::win32::UniqueHandle file(::CreateFileW(
            path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
            nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
        return file.Valid() ? DWORD{0} : ::GetLastError();
    };
    {
        const fw::win32::UniqueHandle held = OpenWithoutSharing(path);
        EXPECT_EQ(openShared(), static_cast<DWORD>(ERROR_SHARING_VIOLATION));
    }
    EXPECT_EQ(openShared(), 0u);
}

} // namespace
} // namespace e2e
