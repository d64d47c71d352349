#pragma once

#include <chrono>
#include <thread>

namespace e2e {

using std::chrono::milliseconds;
using namespace std::chrono_literals;

// Wine can be slow to start a process or show a window when the machine is busy.
inline constexpr milliseconds kTimeout = 30s;
inline constexpr milliseconds kPollInterval = 50ms;

// Asks `done` every poll interval until it answers true or the time is up; true when it did.
template <class Probe> bool WaitUntil(Probe done, milliseconds timeout = kTimeout) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    for (;;) {
        if (done()) {
            return true;
        }
        if (std::chrono::steady_clock::now() >= deadline) {
            return false;
        }
        std::this_thread::sleep_for(kPollInterval);
    }
}

} // namespace e2e
