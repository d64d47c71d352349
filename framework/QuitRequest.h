#pragma once

namespace fw {

// Asks the running application to quit with `exitCode`: the event loop ends once the current
// event has returned, and no further application event is delivered. Returns to the caller.
void RuntimeRequestQuit(int exitCode);

} // namespace fw
