#pragma once

#include <cstdint>
#include <exception>
#include <functional>
#include <span>
#include <string_view>
#include <variant>
#include <vector>

#include "framework/Object.h"
#include "framework/String.h"

// The framework's runtime: start-up, the event loop, the handling of unhandled exceptions and
// the exit code. One runtime per process, driven by the program's entry.
namespace fw {

using Initializer = void (*)();

// What the program tells the runtime about itself at start-up.
struct ProgramDescription {
    // The product's name, which the runtime's boxes carry.
    std::string_view name;
    // The program's entries of the initialiser table; the runtime runs them after its own.
    std::span<const Initializer> initializers;
};

// Sets the runtime up from the entry's arguments. It alone reads the command line: each
// argument is a document handed over at launch, made a full path.
void RuntimeInit(void* instance, void* previousInstance, const wchar_t* commandLine, int showMode);
// Runs the framework's initialisers, then the program's, and keeps the program's name.
void RuntimePerformInitializers(const ProgramDescription& program);
// The name of the program that the runtime was handed; empty before that.
const String& RuntimeProgramName();

// The documents handed over at launch, in command-line order.
const std::vector<String>& RuntimeLaunchDocuments();

// An exception that arose where nothing could take it (an initialiser's) waits here until the
// start-up takes it.
void RuntimeSetPendingException(std::exception_ptr exception) noexcept;
bool RuntimeExceptionPending() noexcept;
std::exception_ptr RuntimeTakePendingException() noexcept;

// Calls `function(argument)` and gives back the RuntimeException it raised, or null when it
// raised none; anything else that it raises passes through.
using ExceptionHelper = std::exception_ptr (*)(void (*)(void*), void*);
std::exception_ptr _CallFunctionWithExceptionHandling(void (*function)(void*), void* argument);
// Installs the helper through which the runtime calls the program's code.
void _RuntimeSetExceptionHelper(ExceptionHelper entryPoint);

void RuntimeDeclareFrameworkVersion(double version);
void _RuntimeInitExternalClasses();
void _InitPluginEntrypoints();

// Makes the object the process's application object; the registration holds it.
void _RuntimeRegisterAppObject(const Ref<Object>& application);
// The registered application object; nil when none is registered.
Ref<Object> _GetAppObject();

// The framework's last initialisation step; it calls the late start-up hook when done.
void _RunFrameworkInitialization(void (*lateStartupEntryPoint)());

// Delivers Open, then one OpenDocument per document handed over at launch (or NewDocument when
// there is none), then runs the loop until the application quits, or until automatic quitting
// ends it. A RuntimeException that leaves a handler goes to the application's UnhandledException
// event, and when that takes it (its handler returns True) the run goes on with the next event.
// Only when no handler is bound, or it returns False, or raises, is the exception reported, with
// _UnhandledException, and no further event is delivered. Any other exception leaves _RuntimeRun.
void _RuntimeRun();

// Reports an exception that nothing took: neither the code it left nor, for one out of an event
// handler, the application's UnhandledException event. The run then ends with exit code 1, unless
// a quit request named its own.
void _UnhandledException(std::exception_ptr exception);

// Lets go of the application object, which runs its exit hooks.
void RuntimePerformFinalizers();
// The process's exit code: the one a quit request named, 1 after an unhandled exception, else 0.
std::int32_t RuntimeExit();

// Whether the object's class binds a handler to the event. With `user` the question goes to
// RuntimeUserIsEventHandled, else to RuntimeIsEventHandled.
bool _RuntimeIsEventHandled(const Ref<Object>& object, const char* className, const char* eventName,
                            bool user);
bool RuntimeUserIsEventHandled(const Ref<Object>& object, const char* className,
                               const char* eventName);
bool RuntimeIsEventHandled(const Ref<Object>& object, const char* className, const char* eventName);

// A runtime operation as an observer sees it: its name and, for the calls whose argument the
// start-up has to get right, what it was handed.
struct RuntimeCall {
    std::string_view operation;
    std::variant<std::monostate, double, const Object*> argument;
};

// Sees every runtime operation as it is called, in order.
std::function<void(const RuntimeCall&)>
SetRuntimeTraceObserver(std::function<void(const RuntimeCall&)> observer);
void RuntimeTrace(const RuntimeCall& call);
void RuntimeTrace(std::string_view operation);

} // namespace fw
