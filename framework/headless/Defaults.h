#pragma once

// Each part of the headless backend back to its defaults; Reset runs them all.
namespace fw::headless::detail {

void ResetDialogs();
void ResetNamedLocks();
void ResetProcess();

} // namespace fw::headless::detail
