#pragma once

#include <cstdint>

#include "framework/String.h"

// What each backend supplies to the runtime's start-up and event loop.
namespace fw::platform {

// Per-monitor (v2 where offered) DPI awareness; quietly less where the system has less.
void EnableHighDpiAwareness();
// Waits for the next message and dispatches it; false once the loop is to end.
bool WaitForEvent();
// The system's own words for an error code.
String ErrorText(std::int64_t errorNumber);

} // namespace fw::platform
