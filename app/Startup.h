#pragma once

#include "framework/Runtime.h"

// The start-up sequence, from the runtime's set-up to the event loop.
namespace pindrel {

// What the program hands the runtime before _Main: its name and its part of the initialiser
// table.
fw::ProgramDescription Program();

// The main sequence, and the one place where exceptions are caught: whatever goes wrong is
// handed to the runtime's handling of unhandled exceptions.
void _Main();
void _EarlyStartup();
void _InitFileTypes();
void _NewAppInstance();
void _ApplicationAddMenuHandlers();
void _LateStartup();

} // namespace pindrel
