#include "framework/Application.h"
#include "framework/ClassRecord.h"
#include "framework/Runtime.h"

namespace fw {

namespace {

void BuildFrameworkRecords() {
    Object::Class();
    Application::Class();
}

constexpr Initializer kFrameworkInitializers[] = {&BuildFrameworkRecords};

} // namespace

void RuntimePerformInitializers() {
    RuntimeTrace("RuntimePerformInitializers");
    for (auto table :
         {std::span<const Initializer>(kFrameworkInitializers), ProgramInitializerTable()}) {
        for (Initializer initializer : table) {
            try {
                initializer();
            } catch (...) {
                // Nothing can take it yet: it waits for the start-up, and the rest stays undone.
                RuntimeSetPendingException(std::current_exception());
                return;
            }
        }
    }
}

} // namespace fw
