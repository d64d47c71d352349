#include "framework/FileTypeRegistry.h"

#include <algorithm>

namespace fw {

namespace {

std::vector<RegisteredFileType>& Registry() {
    static std::vector<RegisteredFileType> registry;
    return registry;
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

std::vector<RegisteredFileType> RegisteredFileTypes() { return Registry(); }

} // namespace fw
