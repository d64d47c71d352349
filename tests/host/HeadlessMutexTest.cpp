#include <gtest/gtest.h>

#include "framework/Exceptions.h"
#include "framework/Mutex.h"
#include "framework/headless/Control.h"

namespace {

using fw::Mutex;
using fw::New;
using fw::String;
using fw::headless::LockCall;

class HeadlessMutexTest : public testing::Test {
protected:
    void SetUp() override { fw::headless::Reset(); }
    void TearDown() override { fw::headless::Reset(); }
    const String name_ = "PindrelMutexTest.Headless";
};

TEST_F(HeadlessMutexTest, ALockHeldByAnotherCopyIsNotTaken) {
    auto mutex = New<Mutex>(name_);
    fw::headless::HoldNamedLockElsewhere(name_);
    EXPECT_FALSE(mutex->TryEnter());
    EXPECT_THROW(mutex->Leave(), fw::RuntimeException);
    fw::headless::ReleaseNamedLockElsewhere(name_);
    EXPECT_TRUE(mutex->TryEnter());
    EXPECT_TRUE(fw::headless::NamedLockHeld(name_));
    mutex.Reset();
    EXPECT_FALSE(fw::headless::NamedLockHeld(name_));
}

TEST_F(HeadlessMutexTest, FailuresOfTheLockReachTheCaller) {
    fw::headless::OnNamedLockCall([](LockCall call, const String&) {
        if (call == LockCall::Create) {
            throw fw::RuntimeException("No lock today.", 5);
        }
    });
    EXPECT_THROW(New<Mutex>(name_), fw::RuntimeException);
    auto unnamed = New<Mutex>();
    EXPECT_THROW(unnamed->Constructor(name_), fw::RuntimeException);
    EXPECT_THROW(unnamed->TryEnter(), fw::RuntimeException) << "still bound to no lock";

    fw::headless::OnNamedLockCall([](LockCall call, const String&) {
        if (call == LockCall::TryAcquire) {
            throw fw::RuntimeException("Waiting failed.", 6);
        }
    });
    auto mutex = New<Mutex>(name_);
    EXPECT_THROW(mutex->TryEnter(), fw::RuntimeException);
    EXPECT_FALSE(fw::headless::NamedLockHeld(name_));
    EXPECT_THROW(mutex->Leave(), fw::RuntimeException) << "a failed attempt is no hold";
}

} // namespace
