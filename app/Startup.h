#pragma once

// The start-up sequence, from the runtime's set-up to the event loop.
namespace pindrel {

// The main sequence, and the one place where exceptions are caught: whatever goes wrong is
// handed to the runtime's handling of unhandled exceptions.
void _Main();
void _EarlyStartup();
void _InitFileTypes();
void _NewAppInstance();
void _ApplicationAddMenuHandlers();
void _LateStartup();

} // namespace pindrel
