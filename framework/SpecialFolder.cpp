#include "framework/SpecialFolder.h"

#include "framework/platform/Dialogs.h"

namespace fw {

Ref<FolderItem> SpecialFolder::Documents() {
    if (auto path = platform::DocumentsFolder()) {
        return New<FolderItem>(std::move(*path));
    }
    return nullptr;
}

} // namespace fw
