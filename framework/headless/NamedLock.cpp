// Named locks between copies of the program, played in one process: every lock object stands for
// a copy of its own.
#include <condition_variable>
#include <map>
#include <mutex>
#include <string>

#include "framework/Exceptions.h"
#include "framework/headless/Control.h"
#include "framework/headless/Defaults.h"
#include "framework/platform/NamedLock.h"

namespace fw::headless {

namespace {

// Named locks may be used from any thread, so they keep their own guard.
struct LockOwner {}; // stands for a copy of the program other than this one
const LockOwner elsewhere{};

struct LockState {
    const void* owner = nullptr;
    long count = 0;
};

struct Locks {
    std::mutex guard;
    std::condition_variable released;
    std::map<std::string, LockState> byName;
    std::function<void(LockCall, const String&)> hook;
};

Locks& AllLocks() {
    static Locks locks;
    return locks;
}

void RunHook(Locks& locks, LockCall call, const String& name) {
    // The hook runs unguarded, so it may itself ask whether a lock is held.
    std::function<void(LockCall, const String&)> hook;
    {
        std::lock_guard lock(locks.guard);
        hook = locks.hook;
    }
    if (hook) {
        hook(call, name);
    }
}

bool TakeLocked(LockState& state, const void* owner) {
    if (state.owner != nullptr && state.owner != owner) {
        return false;
    }
    state.owner = owner;
    ++state.count;
    return true;
}

class HeadlessNamedLock final : public platform::NamedLock {
public:
    explicit HeadlessNamedLock(String name) : name_(std::move(name)) {}
    ~HeadlessNamedLock() override {
        // A lock object that goes away gives back whatever it still holds, as a copy of the
        // program that ends does on Windows.
        auto& locks = AllLocks();
        std::lock_guard lock(locks.guard);
        if (auto& state = locks.byName[name_.Bytes()]; state.owner == this) {
            state = {};
            locks.released.notify_all();
        }
    }

    bool TryAcquire() override {
        auto& locks = AllLocks();
        RunHook(locks, LockCall::TryAcquire, name_);
        std::lock_guard lock(locks.guard);
        return TakeLocked(locks.byName[name_.Bytes()], this);
    }

    void Acquire() override {
        auto& locks = AllLocks();
        RunHook(locks, LockCall::Acquire, name_);
        std::unique_lock lock(locks.guard);
        locks.released.wait(lock, [&] { return TakeLocked(locks.byName[name_.Bytes()], this); });
    }

    void Release() override {
        auto& locks = AllLocks();
        RunHook(locks, LockCall::Release, name_);
        std::lock_guard lock(locks.guard);
        auto& state = locks.byName[name_.Bytes()];
        if (state.owner != this) {
            throw RuntimeException("The named lock is not held by this object.");
        }
        if (--state.count == 0) {
            state.owner = nullptr;
            locks.released.notify_all();
        }
    }

private:
    String name_;
};

} // namespace

void HoldNamedLockElsewhere(const String& name) {
    auto& locks = AllLocks();
    std::lock_guard lock(locks.guard);
    auto& state = locks.byName[name.Bytes()];
    if (state.owner != nullptr && state.owner != &elsewhere) {
        throw RuntimeException("The named lock is already held in this process.");
    }
    state = {&elsewhere, 1};
}

void ReleaseNamedLockElsewhere(const String& name) {
    auto& locks = AllLocks();
    std::lock_guard lock(locks.guard);
    if (auto& state = locks.byName[name.Bytes()]; state.owner == &elsewhere) {
        state = {};
        locks.released.notify_all();
    }
}

bool NamedLockHeld(const String& name) {
    auto& locks = AllLocks();
    std::lock_guard lock(locks.guard);
    const auto state = locks.byName.find(name.Bytes());
    return state != locks.byName.end() && state->second.owner != nullptr;
}

void OnNamedLockCall(std::function<void(LockCall, const String&)> hook) {
    auto& locks = AllLocks();
    std::lock_guard lock(locks.guard);
    locks.hook = std::move(hook);
}

namespace detail {

void ResetNamedLocks() {
    auto& locks = AllLocks();
    std::lock_guard lock(locks.guard);
    locks.hook = nullptr;
    for (auto& [name, state] : locks.byName) {
        if (state.owner == &elsewhere) {
            state = {};
        }
    }
    locks.released.notify_all();
}

} // namespace detail

} // namespace fw::headless

namespace fw::platform {

std::unique_ptr<NamedLock> CreateNamedLock(const String& name) {
    headless::RunHook(headless::AllLocks(), headless::LockCall::Create, name);
    return std::make_unique<headless::HeadlessNamedLock>(name);
}

} // namespace fw::platform
