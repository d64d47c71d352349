#include "framework/QuitRequest.h"

namespace fw {

// Replaced by the application runtime.
void RuntimeRequestQuit(int) {}

} // namespace fw
