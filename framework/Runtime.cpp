#include "framework/Runtime.h"

#include <optional>

#include "framework/Application.h"
#include "framework/ClassRecord.h"
#include "framework/CommandLine.h"
#include "framework/Exceptions.h"
#include "framework/QuitRequest.h"
#include "framework/UIThread.h"
#include "framework/platform/Dialogs.h"
#include "framework/platform/Files.h"
#include "framework/platform/Process.h"

namespace fw {

namespace {

constexpr std::int32_t kUnhandledExitCode = 1;

struct RuntimeState {
    std::vector<String> launchDocuments;
    String programName;
    std::exception_ptr pending;
    ExceptionHelper exceptionHelper = nullptr;
    Ref<Object> application;
    std::optional<int> quitCode;
    bool failed = false;
};

RuntimeState& State() {
    static RuntimeState state;
    return state;
}

std::function<void(const RuntimeCall&)>& TraceObserver() {
    static std::function<void(const RuntimeCall&)> observer;
    return observer;
}

bool Stopped() {
    return State().quitCode.has_value() || State().failed;
}

void Invoke(void* call) {
    (*static_cast<std::function<void()>*>(call))();
}

// Calls program code the way the runtime always does: through the installed exception helper.
// A RuntimeException it raised comes back; anything else passes on out of the loop.
std::exception_ptr CallProgram(std::function<void()> call) {
    const ExceptionHelper helper = State().exceptionHelper != nullptr
                                       ? State().exceptionHelper
                                       : &_CallFunctionWithExceptionHandling;
    return helper(&Invoke, &call);
}

// An exception out of an event handler: the application's UnhandledException event may take
// it; otherwise it is reported and the run ends.
void HandleEventException(Application& application, std::exception_ptr exception) {
    if (const auto handler = application::kUnhandledExceptionEvent.Target(application.Record())) {
        bool handled = false;
        const std::exception_ptr raised = CallProgram([&] {
            try {
                std::rethrow_exception(exception);
            } catch (const RuntimeException& error) {
                handled = handler(application, error);
            }
        });
        if (handled && !raised) {
            return;
        }
    }
    _UnhandledException(exception);
}

// Raises the event on the application; the trace names it as the application's record does.
template <class... Args>
void Deliver(Application& application, const EventSlot<void(Object&, Args...)>& event,
             const std::type_identity_t<Args>&... args) {
    RuntimeTrace("event " + event.Entry(application.Record()).name);
    const auto handler = event.Target(application.Record());
    if (handler == nullptr) {
        return;
    }
    if (const std::exception_ptr raised = CallProgram([&] { handler(application, args...); })) {
        HandleEventException(application, raised);
    }
}

// The text of the box that reports an exception nobody caught.
String DescribeUnhandledException(std::exception_ptr exception) {
    String text =
        State().programName + " ran into an error it cannot recover from and has to close.\n\n";
    try {
        std::rethrow_exception(exception);
    } catch (const IOException& error) {
        text = text + error.TypeName() + ": " + error.Message();
        if (error.ErrorNumber() != 0) {
            text = text + "\n" + platform::ErrorText(error.ErrorNumber()) + " (error " +
                   Str(error.ErrorNumber()) + ")";
        }
    } catch (const RuntimeException& error) {
        text = text + error.TypeName() + ": " + error.Message();
    } catch (const std::exception& error) {
        text = text + error.what();
    } catch (...) {
        text = text + "An unknown error.";
    }
    return text;
}

void BuildFrameworkRecords() {
    Object::Class();
    Application::Class();
}

constexpr Initializer kFrameworkInitializers[] = {&BuildFrameworkRecords};

} // namespace

void RuntimeTrace(const RuntimeCall& call) {
    if (const auto& observer = TraceObserver()) {
        observer(call);
    }
}

void RuntimeTrace(std::string_view operation) {
    RuntimeTrace(RuntimeCall{operation, {}});
}

std::function<void(const RuntimeCall&)>
SetRuntimeTraceObserver(std::function<void(const RuntimeCall&)> observer) {
    std::swap(TraceObserver(), observer);
    return observer;
}

void RuntimeInit(void*, void*, const wchar_t* commandLine, int) {
    State() = RuntimeState{};
    RuntimeTrace("RuntimeInit");
    MakeCurrentThreadTheUIThread();
    if (commandLine != nullptr) {
        for (const String& argument : SplitCommandLine(commandLine)) {
            State().launchDocuments.push_back(platform::FullPath(argument));
        }
    }
}

void RuntimePerformInitializers(const ProgramDescription& program) {
    RuntimeTrace("RuntimePerformInitializers");
    State().programName = String(program.name);
    for (const auto table :
         {std::span<const Initializer>(kFrameworkInitializers), program.initializers}) {
        for (const Initializer initializer : table) {
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

const String& RuntimeProgramName() {
    return State().programName;
}

const std::vector<String>& RuntimeLaunchDocuments() {
    return State().launchDocuments;
}

void RuntimeSetPendingException(std::exception_ptr exception) noexcept {
    State().pending = std::move(exception);
}
bool RuntimeExceptionPending() noexcept {
    return State().pending != nullptr;
}
std::exception_ptr RuntimeTakePendingException() noexcept {
    return std::exchange(State().pending, nullptr);
}

std::exception_ptr _CallFunctionWithExceptionHandling(void (*function)(void*), void* argument) {
    try {
        function(argument);
    } catch (const RuntimeException&) {
        return std::current_exception();
    }
    return nullptr;
}

void _RuntimeSetExceptionHelper(ExceptionHelper entryPoint) {
    RuntimeTrace("_RuntimeSetExceptionHelper");
    State().exceptionHelper = entryPoint;
}

// Nothing in this framework differs by the version a program was built for; the declaration keeps
// its place in the start-up, and the trace shows what was declared.
void RuntimeDeclareFrameworkVersion(double version) {
    RuntimeTrace(RuntimeCall{"RuntimeDeclareFrameworkVersion", version});
}

void Application::_SetSupportsHiDPI(bool supported) {
    RuntimeTrace("Application._SetSupportsHiDPI");
    if (supported) {
        platform::EnableHighDpiAwareness();
    }
}

// The framework has no external classes or plug-ins of its own; the steps stay for their order.
void _RuntimeInitExternalClasses() {
    RuntimeTrace("_RuntimeInitExternalClasses");
}
void _InitPluginEntrypoints() {
    RuntimeTrace("_InitPluginEntrypoints");
}

void _RuntimeRegisterAppObject(const Ref<Object>& application) {
    RuntimeTrace(RuntimeCall{"_RuntimeRegisterAppObject", application.Get()});
    State().application = RuntimeCheckCast(application, Application::Class());
}

Ref<Object> _GetAppObject() {
    RuntimeTrace("_GetAppObject");
    return State().application;
}

void _RunFrameworkInitialization(void (*lateStartupEntryPoint)()) {
    RuntimeTrace("_RunFrameworkInitialization");
    lateStartupEntryPoint();
}

void _RuntimeRun() {
    RuntimeTrace("_RuntimeRun");
    const Ref<Object> object = State().application;
    if (!object) {
        throw RuntimeException("No application object is registered.");
    }
    auto& application = static_cast<Application&>(*object);

    Deliver(application, application::kOpenEvent);
    if (State().launchDocuments.empty()) {
        if (!Stopped()) {
            Deliver(application, application::kNewDocumentEvent);
        }
    } else {
        for (const String& path : State().launchDocuments) {
            if (Stopped()) {
                break;
            }
            const Ref<FolderItem> document = New<FolderItem>(path);
            Deliver(application, application::kOpenDocumentEvent, document);
        }
    }

    // Nothing of the program stays open once its handlers have returned: its dialogs are modal.
    while (!Stopped() && !application.AllowAutoQuit()) {
        if (!platform::WaitForEvent()) {
            break;
        }
    }
}

void RuntimeRequestQuit(int exitCode) {
    RuntimeTrace("Quit");
    // The loop looks at the request after every event it dispatches, so nothing needs waking;
    // a posted WM_QUIT would instead close the next message box at once.
    if (!State().quitCode) {
        State().quitCode = exitCode;
    }
}

void _UnhandledException(std::exception_ptr exception) {
    RuntimeTrace("_UnhandledException");
    State().failed = true;
    platform::ShowMessage(State().programName, DescribeUnhandledException(exception),
                          platform::MessageKind::Error);
}

void RuntimePerformFinalizers() {
    RuntimeTrace("RuntimePerformFinalizers");
    State().exceptionHelper = nullptr;
    State().application.Reset();
}

std::int32_t RuntimeExit() {
    RuntimeTrace("RuntimeExit");
    if (State().quitCode) {
        return *State().quitCode;
    }
    return State().failed ? kUnhandledExitCode : 0;
}

bool _RuntimeIsEventHandled(const Ref<Object>& object, const char* className, const char* eventName,
                            bool user) {
    return user ? RuntimeUserIsEventHandled(object, className, eventName)
                : RuntimeIsEventHandled(object, className, eventName);
}

bool RuntimeUserIsEventHandled(const Ref<Object>& object, const char* className,
                               const char* eventName) {
    // The program's own classes: does the named class, as the object has it, bind the event?
    for (const ClassRecord* record = &object->Record(); record != nullptr; record = record->base) {
        if (record->name == className) {
            const EventEntry* event = record->FindEvent(eventName);
            return event != nullptr && event->Bound();
        }
    }
    return false;
}

bool RuntimeIsEventHandled(const Ref<Object>& object, const char*, const char* eventName) {
    const EventEntry* event = object->Record().FindEvent(eventName);
    return event != nullptr && event->Bound();
}

} // namespace fw
