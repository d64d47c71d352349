#pragma once

namespace fw {

// Raises ThreadAccessingUIException unless called on the thread that runs the framework.
void RequireUIThread();
// Makes the calling thread the framework's own; the runtime does this when it starts.
void MakeCurrentThreadTheUIThread() noexcept;

} // namespace fw
