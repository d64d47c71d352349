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

ClassRecord& BuildRecord() {
    using namespace application;
    ClassRecord& record = RuntimeNewClass(&Object::Class(), "Application");
    RuntimeNewVtable(record);
    record.initHook = Init;
    record.exitHook = Exit;
    record.allocate = &Allocate<Application>;

    // The operations' method entries, which the record lists in another order.
    std::vector<MethodEntry> virtualEntries;
    const auto add = [&](const auto& slot, const char* name, const char* parameters,
                         const char* signature, auto function) {
        const std::size_t number = slot.Add(record, name, parameters, "Application", function);
        virtualEntries.push_back(
            {name, signature, &slot, number, true, false, RuntimeAllocateAttributeTable()});
    };
    add(kAddTrayItem, "AddTrayItem", "TrayItem", "%b%o<TrayItem>", &AddTrayItem);
    add(kDoEvents, "DoEvents", "Integer", "%%i8", &DoEvents);
    add(kHideTooltip, "HideTooltip", "", "%%", &HideTooltip);
    add(kNewDocument, "NewDocument", "", "%%", &NewDocument);
    add(kOpenDocument, "OpenDocument", "FolderItem", "%%o<FolderItem>", &OpenDocument);
    add(kRefreshMenuBar, "RefreshMenuBar", "", "%%", &RefreshMenuBar);
    add(kRemoveTrayItem, "RemoveTrayItem", "TrayItem", "%%o<TrayItem>", &RemoveTrayItem);
    add(kShowTooltip, "ShowTooltip", "String, Integer, Integer, Boolean", "%%si8i8b", &ShowTooltip);
    add(kSleepCurrentThread, "SleepCurrentThread", "Integer", "%%i8", &SleepCurrentThread);
    add(kWindow, "Window", "Integer", "%o<Window>%i8", &Window);
    add(kWindowCount, "WindowCount", "", "%i8%", &WindowCount);
    add(kYieldToNextThread, "YieldToNextThread", "", "%%", &YieldToNextThread);
    add(k_AddMenuHandler, "_AddMenuHandler", "String, Ptr", "%%sp", &AddMenuHandler);
    add(k_AddPollableObject, "_AddPollableObject", "_Pollable", "%%o<_Pollable>",
        &AddPollableObject);
    add(k_DependencyList, "_DependencyList", "", "%%", &DependencyList);
    add(k_DoSingleEvent, "_DoSingleEvent", "Boolean", "%%b", &DoSingleEvent);
    add(k_RemovePollableObject, "_RemovePollableObject", "_Pollable", "%%o<_Pollable>",
        &RemovePollableObject);
    add(k_x_SetVersionData, "_x_SetVersionData", "Integer x5, String x3", "%%i8i8i8i8i8sss",
        &SetVersionData);

    const auto plain = [&](const auto& slot, const char* name, const char* signature, auto function,
                           bool isPublic, bool shared) {
        slot.Bind(record, function);
        return MethodEntry{name,
                           signature,
                           &slot,
                           std::nullopt,
                           isPublic,
                           shared,
                           RuntimeAllocateAttributeTable()};
    };
    const auto virtualEntry = [&](std::string_view name) {
        for (const MethodEntry& entry : virtualEntries) {
            if (entry.name == name) {
                return entry;
            }
        }
        throw RuntimeException("Unknown operation.");
    };
    // Alphabetical, as the runtime lists a class's methods.
    for (const char* name :
         {"AddTrayItem", "DoEvents", "HideTooltip", "NewDocument", "OpenDocument", "RefreshMenuBar",
          "RemoveTrayItem", "ShowTooltip", "SleepCurrentThread", "Window", "WindowCount",
          "YieldToNextThread", "_AddMenuHandler", "_AddPollableObject"}) {
        record.methods.push_back(virtualEntry(name));
    }
    record.methods.push_back(plain(k_CallFunctionWithExceptionHandling,
                                   "_CallFunctionWithExceptionHandling", "%%p",
                                   &CallFunctionWithExceptionHandling, false, false));
    record.methods.push_back(virtualEntry("_DependencyList"));
    record.methods.push_back(virtualEntry("_DoSingleEvent"));
    record.methods.push_back(plain(k_MacOSNotificationReceived, "_MacOSNotificationReceived",
                                   "%%spp", &MacOSNotificationReceived, false, false));
    record.methods.push_back(virtualEntry("_RemovePollableObject"));
    record.methods.push_back(
        plain(k_SetSupportsHiDPI, "_SetSupportsHiDPI", "%%b", &SetSupportsHiDPI, true, true));
    record.methods.push_back(virtualEntry("_x_SetVersionData"));
    record.methods.push_back(plain(k__Exit, "__Exit", "%%", &Exit, false, false));
    record.methods.push_back(plain(k__Init, "__Init", "%%", &Init, false, false));

    // The framework raises only four of the events; nothing can bind the others.
    const auto unraised = [&](const char* event) {
        record.events.push_back({event, nullptr, &record});
    };
    for (const char* event : {"Activate", "AppearanceChanged", "CancelClose", "Close", "Deactivate",
                              "EnableMenuItems", "HandleAppleEvent"}) {
        unraised(event);
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
