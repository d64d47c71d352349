#pragma once

#include "framework/FolderItem.h"
#include "framework/Object.h"

namespace fw {

class SpecialFolder {
public:
    // The user's Documents folder; nil when the system cannot name one.
    static Ref<FolderItem> Documents();
};

} // namespace fw
