#pragma once

#include <cstdint>

#include "framework/String.h"

// The process: where it runs from, its start-up settings, its event loop and error texts.
namespace fw::platform {

// Per-monitor (v2 where offered) DPI awareness; quietly less where the system has less.
void EnableHighDpiAwareness();
// Waits for the next message and dispatches it; false once the loop is to end.
bool WaitForEvent();
// The running executable's full path, under whatever name it was started.
String ExecutablePath();
// The system's own words for an error code.
String ErrorText(std::int64_t errorNumber);

} // namespace fw::platform
