// One copy of Pindrel.exe at a time: later starts are turned away while a copy shows its
// dialog or its report, and not once it has ended, however it ended.

#include <gtest/gtest.h>

#include "KontaktFiles.h"
#include "PindrelSession.h"

namespace e2e {
namespace {

using PindrelSingleInstanceTest = PindrelTest;

TEST_F(PindrelSingleInstanceTest, ASecondStartIsTurnedAwayWhileTheDialogShows) {
    const Process first = Start({});
    const std::optional<Dialog> dialog = ExpectFileDialog(first);
    ASSERT_TRUE(dialog);

    // The file handed to the second copy is neither reported by it nor passed to the first.
    const Process second = Start({folder_.Write(L"Lead.nki", kontakt::ForwardHeader()).wstring()});
    ASSERT_NO_FATAL_FAILURE(ExpectBox(second, SecondStartMessage(L"Pindrel.exe")));
    ExpectQuietEnd(second);

    EXPECT_TRUE(first.Running());
    EXPECT_TRUE(dialog->Showing());
    EXPECT_EQ(VisibleDialogs(first.Id()).size(), 1u);
    ASSERT_TRUE(dialog->PressAndWaitUntilClosed(IDCANCEL));
    ExpectQuietEnd(first);
}

TEST_F(PindrelSingleInstanceTest, ACopyUnderAnotherNameIsTurnedAwayUnderThatName) {
    const std::filesystem::path copy = folder_.Path() / L"Copy of Pindrel.exe";
    std::filesystem::copy_file(PindrelExe(), copy);

    // This time the first copy shows its report while the second starts.
    const Process first = Start({folder_.Write(L"Lead.nki", kontakt::ForwardHeader()).wstring()});
    const std::optional<Dialog> report = WaitForDialog(first);
    ASSERT_TRUE(report) << first.Describe();

    const Process second = Process::Start(copy, {});
    ASSERT_NO_FATAL_FAILURE(ExpectBox(second, SecondStartMessage(L"Copy of Pindrel.exe")));
    ExpectQuietEnd(second);

    ASSERT_NO_FATAL_FAILURE(ExpectBox(first, VersionText(L"Lead.nki", L"5.0.2.10")));
    ExpectQuietEnd(first);
}

TEST_F(PindrelSingleInstanceTest, ACopyThatHasReportedEndsAndTheNextStartAsksAgain) {
    const std::filesystem::path chosen = folder_.Write(L"Lead.nki", kontakt::ForwardHeader());
    const Process first = Start({});
    const std::optional<Dialog> dialog = ExpectFileDialog(first);
    ASSERT_TRUE(dialog);
    dialog->SetText(kFileNameEditId, chosen.wstring());
    ASSERT_TRUE(dialog->PressAndWaitUntilClosed(IDOK));
    ASSERT_NO_FATAL_FAILURE(ExpectBox(first, VersionText(L"Lead.nki", L"5.0.2.10")));
    ExpectQuietEnd(first);

    const Process next = Start({});
    const std::optional<Dialog> again = ExpectFileDialog(next);
    ASSERT_TRUE(again);
    ASSERT_TRUE(again->PressAndWaitUntilClosed(IDCANCEL));
    ExpectQuietEnd(next);
}

TEST_F(PindrelSingleInstanceTest, AKilledCopyDoesNotBlockTheNextStart) {
    const Process first = Start({});
    ASSERT_TRUE(ExpectFileDialog(first));
    first.Kill();

    const Process next = Start({});
    const std::optional<Dialog> dialog = ExpectFileDialog(next);
    ASSERT_TRUE(dialog);
    ASSERT_TRUE(dialog->PressAndWaitUntilClosed(IDCANCEL));
    ExpectQuietEnd(next);
}

TEST_F(PindrelSingleInstanceTest, OfEightStartsAtOnceOneAsksAndSevenAreTurnedAway) {
    const std::vector<Process> copies = StartTogether(PindrelExe(), {}, 8);
    const std::vector<std::optional<Dialog>> dialogs = WaitForDialogEach(copies);

    std::vector<std::size_t> asking;
    std::vector<std::size_t> turnedAway;
    for (std::size_t i = 0; i < copies.size(); ++i) {
        ASSERT_TRUE(dialogs[i]) << "copy " << i << " showed nothing; " << copies[i].Describe();
        if (dialogs[i]->IsFileDialog()) {
            asking.push_back(i);
        } else {
            EXPECT_EQ(dialogs[i]->Text(), SecondStartMessage(L"Pindrel.exe")) << "copy " << i;
            turnedAway.push_back(i);
        }
    }
    EXPECT_EQ(asking.size(), 1u);
    EXPECT_EQ(turnedAway.size(), 7u);

    // Wine takes a while to end a process that has shown a window: let them all end together.
    for (const std::size_t i : turnedAway) {
        ASSERT_TRUE(dialogs[i]->PressAndWaitUntilClosed(IDOK));
    }
    for (const std::size_t i : asking) {
        ASSERT_TRUE(dialogs[i]->PressAndWaitUntilClosed(IDCANCEL));
    }
    for (std::size_t i = 0; i < copies.size(); ++i) {
        EXPECT_EQ(copies[i].WaitForExit(), 0u) << "copy " << i;
    }
}

} // namespace
} // namespace e2e
