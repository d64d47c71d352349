#include "framework/FileTypeRegistry.h"

#include <algorithm>
#include <utility>

namespace fw {

namespace {

std::vector<RegisteredFileType>& Registry() {
    static std::vector<RegisteredFileType> registry;
    return registry;
}

FileTypeRegistrationObserver& Observer() {
    static FileTypeRegistrationObserver observer;
    return observer;
}

auto FindEntry(const String& name) {
    auto& registry = Registry();
    return std::find_if(registry.begin(), registry.end(),
                        [&](const RegisteredFileType& type) { return type.name == name; });
}

} // namespace

void RuntimeRegisterFileType(const String& name, const String& macCreator, const String& macType,
                             const String& extensions, const String& uti) {
    RegisteredFileType type{name, macCreator, macType, extensions, uti};
    // A copy, so an observer may replace itself while it runs.
    if (const auto observer = Observer()) {
        observer(type);
    }
    if (auto entry = FindEntry(name); entry != Registry().end()) {
        *entry = std::move(type);
    } else {
        Registry().push_back(std::move(type));
    }
}

void RuntimeDeregisterFileType(const String& name) {
    if (auto entry = FindEntry(name); entry != Registry().end()) {
        Registry().erase(entry);
    }
}

std::optional<RegisteredFileType> FindRegisteredFileType(const String& name) {
    if (auto entry = FindEntry(name); entry != Registry().end()) {
        return *entry;
    }
    return std::nullopt;
}

std::vector<RegisteredFileType> RegisteredFileTypes() {
    return Registry();
}

FileTypeRegistrationObserver
SetFileTypeRegistrationObserver(FileTypeRegistrationObserver observer) {
    return std::exchange(Observer(), std::move(observer));
}

} // namespace fw
