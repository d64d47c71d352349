#pragma once

#include <atomic>
#include <memory>

#include "framework/Object.h"
#include "framework/String.h"

namespace fw::platform {
class NamedLock;
}

namespace fw {

// A lock shared by name between processes: every Mutex of one name, in any copy of the
// program, meets the same lock. Creating and naming one does not take it.
//
// Each successful TryEnter or Enter is one hold of this object; Leave gives one back and a
// destroyed Mutex gives back every hold it still has. Taking the lock again through the same
// object while holding it succeeds and counts as a further hold. Ownership follows the
// platform's: on Windows it is the thread's, so hand a held Mutex back on the thread that took it.
class Mutex : public Object {
public:
    static const ClassRecord& Class();
    // Not bound to a lock until Constructor names it.
    explicit Mutex(const ClassRecord& record = Class()) noexcept;
    explicit Mutex(const String& name);
    ~Mutex() override;

    // Binds the object to the lock of that name. RuntimeException, with the platform's error
    // code, when the lock cannot be created; the object then stays as it was.
    void Constructor(const String& name);

    // True when the lock was taken now; never waits.
    bool TryEnter();
    // Waits until the lock is taken.
    void Enter();
    // Gives back one hold. RuntimeException when this object holds none: an unbalanced Leave is
    // the caller's fault, and passing over it would hide a lock that is not where it is thought.
    void Leave();

private:
    platform::NamedLock& Lock();
    void GiveBackHolds() noexcept;

    std::unique_ptr<platform::NamedLock> lock_;
    std::atomic<long> holds_ = 0;
};

} // namespace fw
