#include "framework/SpecialFolder.h"

#include "framework/PlatformUI.h"

namespace fw {

Ref<FolderItem> SpecialFolder::Documents() {
    if (auto path = platform::DocumentsFolder()) {
        return New<FolderItem>(std::move(*path));
    }
    return nullptr;
}

} // namespace fw
