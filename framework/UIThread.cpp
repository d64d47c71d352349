#include "framework/UIThread.h"

#include <thread>

#include "framework/Exceptions.h"

namespace fw {

namespace {

// The thread that loads the program is the main thread until the runtime says otherwise.
std::thread::id uiThread = std::this_thread::get_id();

} // namespace

void RequireUIThread() {
    if (std::this_thread::get_id() != uiThread) {
        throw ThreadAccessingUIException();
    }
}

void MakeCurrentThreadTheUIThread() noexcept {
    uiThread = std::this_thread::get_id();
}

} // namespace fw
