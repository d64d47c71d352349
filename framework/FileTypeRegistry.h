#pragma once

#include <functional>
#include <optional>
#include <vector>

#include "framework/String.h"

namespace fw {

// The process's registry of document types. The open-file dialog turns each registered name of
// its filter into that type's extensions.
struct RegisteredFileType {
    String name;
    String macCreator;
    String macType;
    String extensions; // bare extensions without the dot, separated by ";" when more than one
    String uti;
};

// Records one type. A second registration of a name replaces the first. The registration
// observer, when one is set, sees the call first; if it throws, nothing is recorded and the
// exception reaches the caller as the registry's own failure.
void RuntimeRegisterFileType(const String& name, const String& macCreator, const String& macType,
                             const String& extensions, const String& uti);
void RuntimeDeregisterFileType(const String& name);
std::optional<RegisteredFileType> FindRegisteredFileType(const String& name);
// In the order of their first registration.
std::vector<RegisteredFileType> RegisteredFileTypes();

// Sees every RuntimeRegisterFileType call, in order; returns the observer it replaces. Null
// removes it. Tests use it to watch, or to make a registration fail.
using FileTypeRegistrationObserver = std::function<void(const RegisteredFileType&)>;
FileTypeRegistrationObserver SetFileTypeRegistrationObserver(FileTypeRegistrationObserver observer);

} // namespace fw
