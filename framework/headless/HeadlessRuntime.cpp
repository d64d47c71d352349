// The headless event loop: nothing ever arrives, so a loop that waits ends at once.
#include <cstring>

#include "framework/PlatformRuntime.h"

namespace fw::platform {

void EnableHighDpiAwareness() {}
bool WaitForEvent() {
    return false;
}
String ErrorText(std::int64_t errorNumber) {
    return String(std::strerror(static_cast<int>(errorNumber)));
}

} // namespace fw::platform
