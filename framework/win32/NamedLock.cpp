// Named locks: Win32 mutexes. A plain name lives in the session's namespace, so the lock is
// shared by the copies of the program that one logon runs.
#include <windows.h>

#include "framework/Exceptions.h"
#include "framework/platform/NamedLock.h"
#include "framework/win32/UniqueHandle.h"
#include "framework/win32/Wide.h"

namespace fw::platform {

namespace {

[[noreturn]] void RaiseLastError(const char* what) {
    const DWORD error = ::GetLastError();
    throw RuntimeException(what, error);
}

class Win32NamedLock final : public NamedLock {
public:
    explicit Win32NamedLock(win32::UniqueHandle mutex) : mutex_(std::move(mutex)) {}

    bool TryAcquire() override { return Wait(0); }

    void Acquire() override { Wait(INFINITE); }

    void Release() override {
        if (!::ReleaseMutex(mutex_.Get())) {
            RaiseLastError("The mutex could not be left.");
        }
    }

private:
    bool Wait(DWORD milliseconds) {
        switch (::WaitForSingleObject(mutex_.Get(), milliseconds)) {
        case WAIT_OBJECT_0:
            return true;
        case WAIT_ABANDONED:
            // Its holder ended without leaving it; the lock is now ours, and a copy that was
            // killed must not keep every later copy out.
            return true;
        case WAIT_TIMEOUT:
            return false;
        default:
            RaiseLastError("Waiting for the mutex failed.");
        }
    }

    win32::UniqueHandle mutex_;
};

} // namespace

std::unique_ptr<NamedLock> CreateNamedLock(const String& name) {
    win32::UniqueHandle mutex(::CreateMutexW(nullptr, FALSE, win32::ToWide(name).c_str()));
    if (!mutex.Valid()) {
        RaiseLastError("The mutex could not be created.");
    }
    return std::make_unique<Win32NamedLock>(std::move(mutex));
}

} // namespace fw::platform
