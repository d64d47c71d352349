#include "framework/OpenDialog.h"

#include <algorithm>
#include <string_view>
#include <vector>

#include "framework/ClassRecord.h"
#include "framework/FileTypeRegistry.h"
#include "framework/UIThread.h"
#include "framework/platform/Dialogs.h"
#include "framework/platform/Files.h"

namespace fw {

namespace {

// The non-empty pieces of a ";"-separated list.
std::vector<std::string> Pieces(const std::string& list) {
    std::vector<std::string> pieces;
    std::size_t start = 0;
    while (start <= list.size()) {
        const std::size_t end = std::min(list.find(';', start), list.size());
        if (end > start) {
            pieces.push_back(list.substr(start, end - start));
        }
        start = end + 1;
    }
    return pieces;
}

void AddOnce(std::vector<std::string>& list, std::string item) {
    if (std::find(list.begin(), list.end(), item) == list.end()) {
        list.push_back(std::move(item));
    }
}

std::string Joined(const std::vector<std::string>& items) {
    std::string text;
    for (const auto& item : items) {
        text += (text.empty() ? "" : ";") + item;
    }
    return text;
}

// "*.nki" for each extension the type lists; a stray leading dot is tolerated.
std::vector<std::string> PatternsOf(const RegisteredFileType& type) {
    std::vector<std::string> patterns;
    for (std::string_view extension : Pieces(type.extensions.Bytes())) {
        if (extension.starts_with('.')) {
            extension.remove_prefix(1);
        }
        if (!extension.empty()) {
            AddOnce(patterns, "*." + std::string(extension));
        }
    }
    return patterns;
}

platform::FileFilter Entry(const std::string& label, const std::string& patterns) {
    return {String(label + " (" + patterns + ")"), String(patterns)};
}

std::vector<platform::FileFilter> FileFilters(const String& filter) {
    std::vector<std::string> names;
    for (auto& name : Pieces(filter.Bytes())) {
        AddOnce(names, std::move(name));
    }

    std::vector<platform::FileFilter> perType;
    std::vector<std::string> allPatterns;
    for (const auto& name : names) {
        const auto type = FindRegisteredFileType(String(name));
        if (!type) {
            continue;
        }
        // A type without extensions cannot be told apart by its name; "All Files" covers it.
        const auto patterns = PatternsOf(*type);
        if (patterns.empty()) {
            continue;
        }
        perType.push_back(Entry(name, Joined(patterns)));
        for (const auto& pattern : patterns) {
            AddOnce(allPatterns, pattern);
        }
    }

    std::vector<platform::FileFilter> filters;
    if (perType.size() > 1) {
        filters.push_back(Entry("All Supported Files", Joined(allPatterns)));
    }
    filters.insert(filters.end(), perType.begin(), perType.end());
    filters.push_back(Entry("All Files", "*.*"));
    return filters;
}

std::optional<String> ExistingFolder(const Ref<FolderItem>& folder) {
    if (!folder) {
        return std::nullopt;
    }
    // A folder that cannot even be asked about is no reason to refuse the dialog: it then opens
    // where the platform chooses, as for a folder that is not there.
    const platform::FileStatus status = platform::QueryFile(folder->NativePath());
    if (status.exists && status.isDirectory) {
        return folder->NativePath();
    }
    return std::nullopt;
}

} // namespace

const ClassRecord& OpenDialog::Class() {
    static const ClassRecord& record = []() -> const ClassRecord& {
        ClassRecord& r = DefineClass("OpenDialog", &Object::Class());
        r.allocate = [](const ClassRecord& self) -> Object* { return new OpenDialog(self); };
        return r;
    }();
    return record;
}

OpenDialog::OpenDialog(const ClassRecord& record) : Object(record) {
    RequireUIThread();
}

Ref<FolderItem> OpenDialog::ShowModal() {
    RequireUIThread();
    const platform::OpenDialogRequest request{title_, ExistingFolder(initialDirectory_),
                                              FileFilters(filter_)};
    if (auto path = platform::ShowOpenDialog(request)) {
        return New<FolderItem>(std::move(*path));
    }
    return nullptr;
}

} // namespace fw
