#include <gtest/gtest.h>

#include <windows.h>

#include <thread>

#include "framework/Exceptions.h"
#include "framework/Mutex.h"

namespace {

using fw::Mutex;
using fw::New;
using fw::String;

TEST(Win32Mutex, AHolderThatEndsWithoutLeavingDoesNotBlockTheNext) {
    const String name = "PindrelMutexTest.Abandoned";
    // The thread takes the lock and ends while its Mutex still holds it.
    fw::Ref<Mutex> leftBehind;
    std::thread([&] {
        leftBehind = New<Mutex>(name);
        ASSERT_TRUE(leftBehind->TryEnter());
    }).join();

    auto next = New<Mutex>(name);
    EXPECT_TRUE(next->TryEnter());
    next.Reset();
    // The stale object's hold belongs to a thread that is gone; giving it back fails quietly.
    leftBehind.Reset();

    std::thread([&] { EXPECT_TRUE(New<Mutex>(name)->TryEnter()); }).join();
}

TEST(Win32Mutex, ANameWindowsRefusesRaisesWithItsErrorCode) {
    try {
        New<Mutex>(String("PindrelMutexTest\\no\\such\\namespace"));
        FAIL() << "expected a RuntimeException";
    } catch (const fw::RuntimeException& error) {
        EXPECT_NE(error.ErrorNumber(), 0);
    }
    // A name taken by another kind of object.
    HANDLE event = ::CreateEventW(nullptr, TRUE, FALSE, L"PindrelMutexTest.Event");
    ASSERT_NE(event, nullptr);
    try {
        New<Mutex>(String("PindrelMutexTest.Event"));
        ADD_FAILURE() << "expected a RuntimeException";
    } catch (const fw::RuntimeException& error) {
        EXPECT_EQ(error.ErrorNumber(), ERROR_INVALID_HANDLE);
    }
    ::CloseHandle(event);
}

} // namespace
