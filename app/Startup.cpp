#include "app/Startup.h"

#include "app/App.h"
#include "app/FileTypes1.h"
#include "app/MenuBar1.h"
#include "app/Version.h"
#include "framework/Delegate.h"
#include "framework/Runtime.h"

namespace pindrel {

namespace {

constexpr double kFrameworkVersion = 2020.01;

} // namespace

void _Main() {
    try {
        if (fw::RuntimeExceptionPending()) {
            std::rethrow_exception(fw::RuntimeTakePendingException());
        }
        {
            const auto helper = fw::RuntimeCreateDelegate(
                {}, fw::ExceptionHelper(&fw::_CallFunctionWithExceptionHandling), nullptr,
                "( Ptr, Ptr ) as Object", 0);
            fw::_RuntimeSetExceptionHelper(helper->EntryPoint());
        }
        fw::RuntimeDeclareFrameworkVersion(kFrameworkVersion);
        _EarlyStartup();
        {
            using Hook = void (*)();
            const auto lateStartup =
                fw::RuntimeCreateDelegate({}, Hook(&_LateStartup), nullptr, "(  )", 0);
            fw::_RunFrameworkInitialization(lateStartup->EntryPoint());
        }
        fw::_RuntimeRun();
    } catch (...) {
        try {
            fw::_UnhandledException(std::current_exception());
        } catch (...) {
            // Left for the runtime: the finalisers and the exit code follow all the same.
            fw::RuntimeSetPendingException(std::current_exception());
        }
    }
}

void _EarlyStartup() {
    fw::Application::_SetSupportsHiDPI(true);
    fw::_RuntimeInitExternalClasses();
    fw::_InitPluginEntrypoints();
    _InitFileTypes();
    _NewAppInstance();
    _ApplicationAddMenuHandlers();
}

void _InitFileTypes() {
    FileTypes1::_Initialize();
}

void _NewAppInstance() {
    const fw::Ref<fw::Object> application = fw::RuntimeNewObject(App::__Lookup());
    app::kConstructor.CallNamed(*application, "Constructor");
    fw::application::k_x_SetVersionData.CallNamed(
        *application, "_x_SetVersionData", version::kMajor, version::kMinor, version::kBug,
        version::kNonRelease, version::kStageCode, fw::String(), fw::String(), fw::String());
    {
        const fw::Ref<MenuBar1> menuBar = global::MenuBar1();
        static_cast<fw::Application&>(*application).MenuBar(menuBar);
    }
    // Last, so that nothing can reach the object before it is complete.
    fw::_RuntimeRegisterAppObject(application);
}

// The application has no menu handlers of its own.
void _ApplicationAddMenuHandlers() {}

// Nothing is left for after the framework's own initialisation.
void _LateStartup() {}

} // namespace pindrel
