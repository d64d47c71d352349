// The headless process: nothing ever arrives, so a loop that waits ends at once; the executable's
// path is whatever the test says.
#include <cstring>

#include "framework/headless/Control.h"
#include "framework/headless/Defaults.h"
#include "framework/platform/Process.h"

namespace fw::headless {

namespace {

const char* const defaultExecutablePath = "/opt/Program/Program.exe";

String& CurrentExecutablePath() {
    static String path = defaultExecutablePath;
    return path;
}

} // namespace

void SetExecutablePath(String path) {
    CurrentExecutablePath() = std::move(path);
}

namespace detail {

void ResetProcess() {
    CurrentExecutablePath() = defaultExecutablePath;
}

} // namespace detail

} // namespace fw::headless

namespace fw::platform {

void EnableHighDpiAwareness() {}
bool WaitForEvent() {
    return false;
}
String ExecutablePath() {
    return headless::CurrentExecutablePath();
}
String ErrorText(std::int64_t errorNumber) {
    return String(std::strerror(static_cast<int>(errorNumber)));
}

} // namespace fw::platform
