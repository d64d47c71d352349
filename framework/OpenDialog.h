#pragma once

#include "framework/FolderItem.h"
#include "framework/Object.h"
#include "framework/String.h"

namespace fw {

// A modal dialog in which the user picks one existing file.
class OpenDialog : public Object {
public:
    static const ClassRecord& Class();
    // ThreadAccessingUIException off the framework's thread.
    explicit OpenDialog(const ClassRecord& record = Class());

    // The folder the dialog starts in. Nil, or a folder that does not exist, leaves the
    // dialog's own default.
    const Ref<FolderItem>& InitialDirectory() const noexcept { return initialDirectory_; }
    void InitialDirectory(Ref<FolderItem> folder) { initialDirectory_ = std::move(folder); }

    const String& Title() const noexcept { return title_; }
    void Title(String title) { title_ = std::move(title); }

    // Names of registered document types separated by ";". The dialog offers all of their
    // files together first, then each type on its own in this order, then every file. A name
    // that is not registered is left out.
    const String& Filter() const noexcept { return filter_; }
    void Filter(String filter) { filter_ = std::move(filter); }

    // The chosen file, or nil when the user cancelled.
    Ref<FolderItem> ShowModal();

private:
    Ref<FolderItem> initialDirectory_;
    String title_;
    String filter_;
};

} // namespace fw
