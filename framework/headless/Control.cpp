#include "framework/headless/Control.h"

#include "framework/headless/Defaults.h"

namespace fw::headless {

void Reset() {
    detail::ResetDialogs();
    detail::ResetProcess();
    detail::ResetNamedLocks();
}

} // namespace fw::headless
