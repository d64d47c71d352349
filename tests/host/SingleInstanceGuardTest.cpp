#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "app/App.h"
#include "framework/Exceptions.h"
#include "host/ProgramRun.h"

namespace pindrel::testing {
namespace {

using fw::headless::LockCall;
using ::testing::ElementsAre;

const std::string kFixedText = " is already running. If you cannot see the app, please kill the "
                               "process within Task Manager, as it is running in the background.";

using SingleInstanceGuardTest = ProgramTest;

TEST_F(SingleInstanceGuardTest, FirstCopyTakesTheLockAndKeepsAutomaticQuittingOn) {
    fw::headless::OnMessageShown([](const fw::headless::ShownMessage&) {
        const auto app = global::App();
        EXPECT_TRUE(app->AllowAutoQuit());
        ASSERT_FALSE(app->MyMutex.IsNil());
        EXPECT_TRUE(fw::headless::NamedLockHeld("Pindrel85Mutex"));
    });
    fw::headless::AnswerOpenDialog(WriteFile("Lead.nki", ForwardHeader()));

    EXPECT_EQ(RunProgram(), 0);
    EXPECT_EQ(ShownTexts().size(), 1u);
    // The copy ended: its lock is free for the next start.
    EXPECT_FALSE(fw::headless::NamedLockHeld("Pindrel85Mutex"));
}

TEST_F(SingleInstanceGuardTest, SecondCopySaysSoQuitsWithZeroAndTakesNoDocument) {
    fw::headless::HoldNamedLockElsewhere("Pindrel85Mutex");
    fw::headless::SetExecutablePath("/opt/Copies/Pindrel Copy.exe");
    const auto lead = WriteFile("Lead.nki", ForwardHeader());

    EXPECT_EQ(RunProgram(Quoted(lead)), 0);

    EXPECT_EQ(kFixedText.size(), 128u)
        << "kFixedText no longer holds the 128-byte sentence that follows the program's name";
    EXPECT_THAT(ShownTexts(), ElementsAre("Pindrel Copy.exe" + kFixedText));
    EXPECT_EQ(fw::headless::ShownMessages()[0].kind, fw::platform::MessageKind::Information);
}

TEST_F(SingleInstanceGuardTest, FailuresLeaveAutomaticQuittingOnAndShowOnlyTheErrorReport) {
    for (const LockCall failing : {LockCall::Create, LockCall::TryAcquire}) {
        fw::headless::Reset();
        fw::headless::OnNamedLockCall([failing](LockCall call, const fw::String&) {
            if (call == failing) {
                throw fw::RuntimeException("lock failed");
            }
        });
        bool autoQuit = false;
        bool mutexStored = false;
        fw::headless::OnMessageShown([&](const fw::headless::ShownMessage&) {
            autoQuit = global::App()->AllowAutoQuit();
            mutexStored = !global::App()->MyMutex.IsNil();
        });

        EXPECT_EQ(RunProgram(), 1);

        ASSERT_EQ(fw::headless::ShownMessages().size(), 1u)
            << "only the error report: " << ::testing::PrintToString(ShownTexts());
        EXPECT_EQ(fw::headless::ShownMessages()[0].kind, fw::platform::MessageKind::Error);
        EXPECT_TRUE(autoQuit);
        EXPECT_EQ(mutexStored, failing == LockCall::TryAcquire);
        EXPECT_TRUE(fw::headless::OpenDialogRequests().empty());
    }
}

TEST_F(SingleInstanceGuardTest, AFailingSecondStartMessageRequestsNoQuit) {
    fw::headless::HoldNamedLockElsewhere("Pindrel85Mutex");
    fw::headless::OnMessageShown([](const fw::headless::ShownMessage& message) {
        if (message.kind == fw::platform::MessageKind::Information) {
            throw fw::RuntimeException("no box");
        }
    });
    // The error report's exit code, not a quit request's 0.
    EXPECT_EQ(RunProgram(), 1);
}

} // namespace
} // namespace pindrel::testing
