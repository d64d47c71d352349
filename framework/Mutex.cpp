#include "framework/Mutex.h"

#include "framework/ClassRecord.h"
#include "framework/Exceptions.h"
#include "framework/platform/NamedLock.h"

namespace fw {

const ClassRecord& Mutex::Class() {
    static const ClassRecord& record = []() -> const ClassRecord& {
        ClassRecord& r = DefineClass("Mutex", &Object::Class());
        r.allocate = &Allocate<Mutex>;
        return r;
    }();
    return record;
}

Mutex::Mutex(const ClassRecord& record) noexcept : Object(record) {}

Mutex::Mutex(const String& name) : Object(Class()) {
    Constructor(name);
}

Mutex::~Mutex() {
    GiveBackHolds();
}

void Mutex::Constructor(const String& name) {
    // Windows treats an empty name as no name at all: a lock that nobody else could meet.
    if (name.IsEmpty()) {
        throw RuntimeException("A mutex needs a name.");
    }
    auto lock = platform::CreateNamedLock(name);
    GiveBackHolds();
    lock_ = std::move(lock);
}

bool Mutex::TryEnter() {
    const bool taken = Lock().TryAcquire();
    if (taken) {
        ++holds_;
    }
    return taken;
}

void Mutex::Enter() {
    Lock().Acquire();
    ++holds_;
}

void Mutex::Leave() {
    if (holds_ == 0) {
        throw RuntimeException("Leave was called on a mutex that this object does not hold.");
    }
    Lock().Release();
    --holds_;
}

platform::NamedLock& Mutex::Lock() {
    if (!lock_) {
        throw RuntimeException("The mutex has no name yet: its Constructor has not run.");
    }
    return *lock_;
}

void Mutex::GiveBackHolds() noexcept {
    for (; lock_ && holds_ > 0; --holds_) {
        try {
            lock_->Release();
        } catch (const RuntimeException&) {
            // Off the owning thread the platform refuses; the lock is then freed when that
            // thread or the process ends, which is all that can be done from here.
            holds_ = 0;
            break;
        }
    }
}

} // namespace fw
