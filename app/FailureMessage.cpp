#include "app/FailureMessage.h"

namespace pindrel {

fw::String FailureMessage() {
    return fw::String(
               "Could not ascertain the version number. Please send this NKI to Quimbral at ") +
           PINDREL_SUPPORT_EMAIL;
}

} // namespace pindrel
