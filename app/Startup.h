#pragma once

#include "framework/Runtime.h"

// The start-up sequence, from the runtime's set-up to the event loop.
namespace pindrel {

// What the program hands the runtime before _Main: its name and its part of the initialiser
// table.
fw::ProgramDescription Program();

// The main sequence, and the one place in the program's own code that catches (the framework
// catches on its side too: around initialisers and event handlers, and where a lock is let go):
// whatever escapes start-up or the run is handed to the runtime's handling of unhandled
// exceptions.
void _Main();
void _EarlyStartup();
void _InitFileTypes();
void _NewAppInstance();
void _ApplicationAddMenuHandlers();
void _LateStartup();

} // namespace pindrel
