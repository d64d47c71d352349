#pragma once

#include "framework/String.h"

namespace pindrel {

// Shown for every file whose version cannot be found, whatever the kind of file or the reason.
fw::String FailureMessage();

} // namespace pindrel
