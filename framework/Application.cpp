#include "framework/Application.h"

#include <chrono>
#include <thread>
#include <tuple>

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
                    Integer stage, const String& longVersion, const String& shortVersion,
                    const String& packageInfo) {
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

using namespace application;

// Application's entries, in the order the record lists its methods: alphabetical, which for the
// virtual operations among them is also their order in the virtual table.
constexpr std::tuple kEntries{
    Operation{&kAddTrayItem, "AddTrayItem", &AddTrayItem, ObjectsAre("TrayItem")},
    Operation{&kDoEvents, "DoEvents", &DoEvents},
    Operation{&kHideTooltip, "HideTooltip", &HideTooltip},
    Operation{&kNewDocument, "NewDocument", &NewDocument},
    Operation{&kOpenDocument, "OpenDocument", &OpenDocument},
    Operation{&kRefreshMenuBar, "RefreshMenuBar", &RefreshMenuBar},
    Operation{&kRemoveTrayItem, "RemoveTrayItem", &RemoveTrayItem, ObjectsAre("TrayItem")},
    Operation{&kShowTooltip, "ShowTooltip", &ShowTooltip},
    Operation{&kSleepCurrentThread, "SleepCurrentThread", &SleepCurrentThread},
    Operation{&kWindow, "Window", &Window, ObjectsAre("Window")},
    Operation{&kWindowCount, "WindowCount", &WindowCount},
    Operation{&kYieldToNextThread, "YieldToNextThread", &YieldToNextThread},
    Operation{&k_AddMenuHandler, "_AddMenuHandler", &AddMenuHandler},
    Operation{&k_AddPollableObject, "_AddPollableObject", &AddPollableObject,
              ObjectsAre("_Pollable")},
    Method{&k_CallFunctionWithExceptionHandling, "_CallFunctionWithExceptionHandling",
           &CallFunctionWithExceptionHandling, kPrivateMethod},
    Operation{&k_DependencyList, "_DependencyList", &DependencyList},
    Operation{&k_DoSingleEvent, "_DoSingleEvent", &DoSingleEvent},
    Method{&k_MacOSNotificationReceived, "_MacOSNotificationReceived", &MacOSNotificationReceived,
           kPrivateMethod},
    Operation{&k_RemovePollableObject, "_RemovePollableObject", &RemovePollableObject,
              ObjectsAre("_Pollable")},
    Method{&k_SetSupportsHiDPI, "_SetSupportsHiDPI", &SetSupportsHiDPI, kSharedMethod},
    Operation{&k_x_SetVersionData, "_x_SetVersionData", &SetVersionData,
              ParametersAre("Integer x5, String x3")},
    Method{&k__Exit, "__Exit", &Exit, kPrivateMethod},
    Method{&k__Init, "__Init", &Init, kPrivateMethod},
};

ClassRecord& BuildRecord() {
    ClassRecord& record = RuntimeNewClass(&Object::Class(), "Application");
    RuntimeNewVtable(record);
    record.initHook = Init;
    record.exitHook = Exit;
    record.allocate = &Allocate<Application>;
    AddEntries(record, "Application", kEntries);

    // The framework raises only four of the events; nothing can bind the others.
    for (const char* event : {"Activate", "AppearanceChanged", "CancelClose", "Close", "Deactivate",
                              "EnableMenuItems", "HandleAppleEvent"}) {
        record.events.push_back({event, nullptr, &record});
    }
    kNewDocumentEvent.Declare(record, "NewDocument");
    kOpenEvent.Declare(record, "Open");
    kOpenDocumentEvent.Declare(record, "OpenDocument");
    kUnhandledExceptionEvent.Declare(record, "UnhandledException");

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
    record.interfaces.push_back({&notify, {&k_MacOSNotificationReceived}});
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
