#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

#include "framework/ClassRecord.h"
#include "framework/Exceptions.h"
#include "framework/FolderItem.h"
#include "framework/Mutex.h"

namespace {

using fw::Mutex;
using fw::New;
using fw::String;

// Names of the tests' own, so that no running copy of the program is disturbed.
String LockName(const char* test) {
    return String("PindrelMutexTest.") + test;
}

// Whether a holder other than this thread could take the lock right now. On Windows a mutex
// belongs to a thread, so the attempt runs on a thread of its own, with a Mutex of its own; what
// it takes it gives back before it ends.
bool FreeElsewhere(const String& name) {
    bool taken = false;
    std::thread([&] {
        auto other = New<Mutex>(name);
        taken = other->TryEnter();
    }).join();
    return taken;
}

TEST(Mutex, OneHolderAtATime) {
    const String name = LockName("OneHolderAtATime");
    auto mutex = New<Mutex>(name);
    EXPECT_TRUE(FreeElsewhere(name)) << "creating and naming must not take the lock";

    EXPECT_TRUE(mutex->TryEnter());
    EXPECT_FALSE(FreeElsewhere(name));
    mutex->Leave();
    EXPECT_TRUE(FreeElsewhere(name));

    // Names are not shared between different locks.
    EXPECT_TRUE(mutex->TryEnter());
    EXPECT_TRUE(FreeElsewhere(LockName("OneHolderAtATime.other")));
    mutex->Leave();
}

TEST(Mutex, ADestroyedMutexGivesBackItsHold) {
    const String name = LockName("Destroyed");
    auto mutex = New<Mutex>(name);
    ASSERT_TRUE(mutex->TryEnter());
    mutex.Reset();
    EXPECT_TRUE(FreeElsewhere(name));

    // Destroying one that holds nothing leaves a hold elsewhere alone.
    auto holder = New<Mutex>(name);
    ASSERT_TRUE(holder->TryEnter());
    std::thread([&] { New<Mutex>(name).Reset(); }).join();
    EXPECT_FALSE(FreeElsewhere(name));
}

TEST(Mutex, HoldsOfOneObjectAreCounted) {
    const String name = LockName("Counted");
    auto mutex = New<Mutex>(name);
    EXPECT_TRUE(mutex->TryEnter());
    EXPECT_TRUE(mutex->TryEnter());
    mutex->Leave();
    EXPECT_FALSE(FreeElsewhere(name)) << "one hold is left";
    mutex->Leave();
    EXPECT_TRUE(FreeElsewhere(name));
    EXPECT_THROW(mutex->Leave(), fw::RuntimeException);

    // Destruction gives back every hold that remains.
    mutex->Enter();
    mutex->Enter();
    mutex.Reset();
    EXPECT_TRUE(FreeElsewhere(name));
}

TEST(Mutex, EnterWaitsForTheHolder) {
    const String name = LockName("EnterWaits");
    auto holder = New<Mutex>(name);
    ASSERT_TRUE(holder->TryEnter());

    std::atomic<bool> entered = false;
    std::thread waiter([&] {
        auto mutex = New<Mutex>(name);
        mutex->Enter();
        entered = true;
        mutex->Leave();
    });
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    EXPECT_FALSE(entered);
    holder->Leave();
    waiter.join();
    EXPECT_TRUE(entered);
}

TEST(Mutex, KnownByItsClassRecordAndNamedByConstructor) {
    EXPECT_EQ(Mutex::Class().name, "Mutex");
    const auto object = fw::RuntimeNewObject(Mutex::Class());
    const auto mutex = fw::CheckCast<Mutex>(object, Mutex::Class());
    ASSERT_FALSE(mutex.IsNil());
    EXPECT_THROW(fw::RuntimeCheckCast(New<fw::FolderItem>("x"), Mutex::Class()),
                 fw::IllegalCastException);

    // Until its Constructor names it, the object is bound to no lock.
    EXPECT_THROW(mutex->TryEnter(), fw::RuntimeException);
    EXPECT_THROW(mutex->Constructor(""), fw::RuntimeException);
    const String name = LockName("ByRecord");
    mutex->Constructor(name);
    EXPECT_TRUE(mutex->TryEnter());
    EXPECT_FALSE(FreeElsewhere(name));
    mutex->Leave();
}

} // namespace
