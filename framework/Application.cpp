#include "framework/Application.h"

#include <chrono>
#include <thread>

#include "framework/ClassRecord.h"
#include "framework/Exceptions.h"
#include "framework/MenuBar.h"
#include "framework/QuitRequest.h"
#include "framework/UIThread.h"
#include "framework/platform/Process.h"

namespace fw {

namespace {

// The base's virtual operations. The program has no windows, tray items or tooltips, so those
// operations have nothing to act on.
bool AddTrayItem(Object&, const Ref<Object>&) {
    return false;
}
void Pause(Integer milliseconds) {
    if (milliseconds > 0) {
        std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
    }
}
void DoEvents(Object&, Integer milliseconds) {
    Pause(milliseconds);
}
void HideTooltip(Object&) {}
void NewDocument(Object&) {}
void OpenDocument(Object&, const Ref<FolderItem>&) {}
void RefreshMenuBar(Object&) {}
void RemoveTrayItem(Object&, const Ref<Object>&) {}
void ShowTooltip(Object&, const String&, Integer, Integer, bool) {}
void SleepCurrentThread(Object&, Integer milliseconds) {
    Pause(milliseconds);
}
Ref<Object> Window(Object&, Integer index) {
    throw OutOfBoundsException("There is no window at index " + std::to_string(index) + ".");
}
Integer WindowCount(Object&) {
    return 0;
}
void YieldToNextThread(Object&) {
    std::this_thread::yield();
}
void AddMenuHandler(Object&, const String&, void*) {}
void AddPollableObject(Object&, const Ref<Object>&) {}
void DependencyList(Object&) {}
void DoSingleEvent(Object&, bool) {}
void RemovePollableObject(Object&, const Ref<Object>&) {}
void SetVersionData(Object& self, Integer major, Integer minor, Integer bug, Integer nonRelease,
                    Integer stage, String longVersion, String shortVersion, String packageInfo) {
    static_cast<Application&>(self)._x_SetVersionData(major, minor, bug, nonRelease, stage,
                                                      longVersion, shortVersion, packageInfo);
}

// Non-virtual entries.
void CallFunctionWithExceptionHandling(Object&, void*) {}
void MacOSNotificationReceived(Object&, const String&, void*, void*) {}
void Exit(Object&) {}
void Init(Object&) {}
void SetSupportsHiDPI(bool supported) {
    Application::_SetSupportsHiDPI(supported);
}

ClassRecord& BuildRecord() {
    ClassRecord& record = RuntimeNewClass(&Object::Class(), "Application");
    RuntimeNewVtable(record);
    record.initHook = Init;
    record.exitHook = Exit;
    record.allocate = [](const ClassRecord& r) -> Object* { return new Application(r); };

    const OperationSpec operations[] = {
        {"AddTrayItem", "TrayItem", "%b%o<TrayItem>", &AddTrayItem},
        {"DoEvents", "Integer", "%%i8", &DoEvents},
        {"HideTooltip", "", "%%", &HideTooltip},
        {"NewDocument", "", "%%", &NewDocument},
        {"OpenDocument", "FolderItem", "%%o<FolderItem>", &OpenDocument},
        {"RefreshMenuBar", "", "%%", &RefreshMenuBar},
        {"RemoveTrayItem", "TrayItem", "%%o<TrayItem>", &RemoveTrayItem},
        {"ShowTooltip", "String, Integer, Integer, Boolean", "%%si8i8b", &ShowTooltip},
        {"SleepCurrentThread", "Integer", "%%i8", &SleepCurrentThread},
        {"Window", "Integer", "%o<Window>%i8", &Window},
        {"WindowCount", "", "%i8%", &WindowCount},
        {"YieldToNextThread", "", "%%", &YieldToNextThread},
        {"_AddMenuHandler", "String, Ptr", "%%sp", &AddMenuHandler},
        {"_AddPollableObject", "_Pollable", "%%o<_Pollable>", &AddPollableObject},
        {"_DependencyList", "", "%%", &DependencyList},
        {"_DoSingleEvent", "Boolean", "%%b", &DoSingleEvent},
        {"_RemovePollableObject", "_Pollable", "%%o<_Pollable>", &RemovePollableObject},
        {"_x_SetVersionData", "Integer x5, String x3", "%%i8i8i8i8i8sss", &SetVersionData},
    };
    for (const auto& operation : operations) {
        record.vtable.push_back(
            {operation.name, operation.parameters, "Application", operation.function});
    }

    auto virtualEntry = [&](const char* name) {
        for (const auto& operation : operations) {
            if (std::string_view(operation.name) == name) {
                return MethodEntry{name,
                                   operation.signature,
                                   operation.function,
                                   *record.SlotOf(name),
                                   true,
                                   false,
                                   RuntimeAllocateAttributeTable()};
            }
        }
        throw RuntimeException("Unknown operation.");
    };
    auto plainEntry = [](const char* name, const char* signature, std::any function, bool isPublic,
                         bool shared) {
        return MethodEntry{name,
                           signature,
                           std::move(function),
                           std::nullopt,
                           isPublic,
                           shared,
                           RuntimeAllocateAttributeTable()};
    };
    // Alphabetical, as the runtime lists a class's methods.
    for (const char* name :
         {"AddTrayItem", "DoEvents", "HideTooltip", "NewDocument", "OpenDocument", "RefreshMenuBar",
          "RemoveTrayItem", "ShowTooltip", "SleepCurrentThread", "Window", "WindowCount",
          "YieldToNextThread", "_AddMenuHandler", "_AddPollableObject"}) {
        record.methods.push_back(virtualEntry(name));
    }
    record.methods.push_back(plainEntry("_CallFunctionWithExceptionHandling", "%%p",
                                        &CallFunctionWithExceptionHandling, false, false));
    record.methods.push_back(virtualEntry("_DependencyList"));
    record.methods.push_back(virtualEntry("_DoSingleEvent"));
    record.methods.push_back(plainEntry("_MacOSNotificationReceived", "%%spp",
                                        &MacOSNotificationReceived, false, false));
    record.methods.push_back(virtualEntry("_RemovePollableObject"));
    record.methods.push_back(plainEntry("_SetSupportsHiDPI", "%%b", &SetSupportsHiDPI, true, true));
    record.methods.push_back(virtualEntry("_x_SetVersionData"));
    record.methods.push_back(plainEntry("__Exit", "%%", &Exit, false, false));
    record.methods.push_back(plainEntry("__Init", "%%", &Init, false, false));

    for (const char* event :
         {"Activate", "AppearanceChanged", "CancelClose", "Close", "Deactivate", "EnableMenuItems",
          "HandleAppleEvent", "NewDocument", "Open", "OpenDocument", "UnhandledException"}) {
        record.events.push_back({event, {}});
    }

    auto readOnly = [](const char* name, const char* type) {
        return PropertyEntry{name,  type,    false,   true,
                             false, nullptr, nullptr, RuntimeAllocateAttributeTable()};
    };
    record.properties = {
        PropertyEntry{"AllowAutoQuit", "b", false, true, true, nullptr, nullptr, {}},
        readOnly("ExecutableFile", "o<FolderItem>"),
        PropertyEntry{
            "MenuBar",
            "o<MenuBar>",
            false,
            true,
            true,
            [](Object& self) { return Ref<Object>(static_cast<Application&>(self).MenuBar()); },
            [](Object& self, const Ref<Object>& value) {
                static_cast<Application&>(self).MenuBar(
                    CheckCast<fw::MenuBar>(value, fw::MenuBar::Class()));
            },
            {}},
        readOnly("MajorVersion", "i8"),
        readOnly("MinorVersion", "i8"),
        readOnly("BugVersion", "i8"),
        readOnly("NonReleaseVersion", "i8"),
        readOnly("StageCode", "i8"),
        readOnly("LongVersion", "s"),
        readOnly("ShortVersion", "s"),
        readOnly("PackageInfo", "s"),
    };

    const ClassRecord& notify = DefineClass("_MacOSDistributedNotifications.iNotify", nullptr);
    record.interfaces.push_back({&notify, {std::any(&MacOSNotificationReceived)}});
    return record;
}

} // namespace

const ClassRecord& Application::Class() {
    static const ClassRecord& record = BuildRecord();
    return record;
}

Application::Application(const ClassRecord& record) : Object(record) {}

Application::~Application() = default;

Ref<FolderItem> Application::ExecutableFile() const {
    return New<FolderItem>(platform::ExecutablePath());
}

Ref<fw::MenuBar> Application::MenuBar() const {
    return Ref<fw::MenuBar>(static_cast<fw::MenuBar*>(menuBar_.Get()));
}

void Application::MenuBar(const Ref<fw::MenuBar>& menuBar) {
    RequireUIThread();
    menuBar_ = menuBar;
}

void Application::Quit(int exitCode) {
    RuntimeRequestQuit(exitCode);
}

void Application::_x_SetVersionData(Integer major, Integer minor, Integer bug, Integer nonRelease,
                                    Integer stage, const String& longVersion,
                                    const String& shortVersion, const String& packageInfo) {
    majorVersion_ = major;
    minorVersion_ = minor;
    bugVersion_ = bug;
    nonReleaseVersion_ = nonRelease;
    stageCode_ = stage;
    longVersion_ = longVersion;
    shortVersion_ = shortVersion;
    packageInfo_ = packageInfo;
}

} // namespace fw
