#pragma once

#include "framework/ClassRecord.h"
#include "framework/FolderItem.h"
#include "framework/Object.h"
#include "framework/String.h"

namespace fw {

class MenuBar;

// Base of a program's application class. The runtime registers one object of it and delivers
// the application events to the handlers that the class record's event table binds.
class Application : public Object {
public:
    static const ClassRecord& Class();
    explicit Application(const ClassRecord& record = Class());
    ~Application() override;

    // While true, the event loop ends with exit code 0 once the launch's events have returned
    // and nothing is left open.
    bool AllowAutoQuit() const noexcept { return allowAutoQuit_; }
    void AllowAutoQuit(bool allow) noexcept { allowAutoQuit_ = allow; }

    // The running executable, under whatever name it was started.
    Ref<FolderItem> ExecutableFile() const;

    Ref<fw::MenuBar> MenuBar() const;
    void MenuBar(const Ref<fw::MenuBar>& menuBar);

    // Records the exit code and asks the loop to end; no further event is delivered.
    void Quit(int exitCode = 0);

    Integer MajorVersion() const noexcept { return majorVersion_; }
    Integer MinorVersion() const noexcept { return minorVersion_; }
    Integer BugVersion() const noexcept { return bugVersion_; }
    Integer NonReleaseVersion() const noexcept { return nonReleaseVersion_; }
    Integer StageCode() const noexcept { return stageCode_; }
    const String& LongVersion() const noexcept { return longVersion_; }
    const String& ShortVersion() const noexcept { return shortVersion_; }
    const String& PackageInfo() const noexcept { return packageInfo_; }

    void _x_SetVersionData(Integer major, Integer minor, Integer bug, Integer nonRelease,
                           Integer stage, const String& longVersion, const String& shortVersion,
                           const String& packageInfo);

    static void _SetSupportsHiDPI(bool supported);

private:
    bool allowAutoQuit_ = false;
    Ref<Object> menuBar_;
    Integer majorVersion_ = 0;
    Integer minorVersion_ = 0;
    Integer bugVersion_ = 0;
    Integer nonReleaseVersion_ = 0;
    Integer stageCode_ = 0;
    String longVersion_;
    String shortVersion_;
    String packageInfo_;
};

// Application's virtual operations, method entries and the events the framework delivers.
namespace application {
using PlainSlot = VirtualSlot<void(Object&)>;
using ObjectSlot = VirtualSlot<void(Object&, const Ref<Object>&)>;
using IntegerSlot = VirtualSlot<void(Object&, Integer)>;

inline const VirtualSlot<bool(Object&, const Ref<Object>&)> kAddTrayItem;
inline const IntegerSlot kDoEvents;
inline const PlainSlot kHideTooltip;
inline const PlainSlot kNewDocument;
inline const VirtualSlot<void(Object&, const Ref<FolderItem>&)> kOpenDocument;
inline const PlainSlot kRefreshMenuBar;
inline const ObjectSlot kRemoveTrayItem;
inline const VirtualSlot<void(Object&, const String&, Integer, Integer, bool)> kShowTooltip;
inline const IntegerSlot kSleepCurrentThread;
inline const VirtualSlot<Ref<Object>(Object&, Integer)> kWindow;
inline const VirtualSlot<Integer(Object&)> kWindowCount;
inline const PlainSlot kYieldToNextThread;
inline const VirtualSlot<void(Object&, const String&, void*)> k_AddMenuHandler;
inline const ObjectSlot k_AddPollableObject;
inline const PlainSlot k_DependencyList;
inline const VirtualSlot<void(Object&, bool)> k_DoSingleEvent;
inline const ObjectSlot k_RemovePollableObject;
inline const VirtualSlot<void(Object&, Integer, Integer, Integer, Integer, Integer, const String&,
                              const String&, const String&)>
    k_x_SetVersionData;

inline const MethodSlot<void(Object&, void*)> k_CallFunctionWithExceptionHandling;
inline const MethodSlot<void(Object&, const String&, void*, void*)> k_MacOSNotificationReceived;
inline const MethodSlot<void(bool)> k_SetSupportsHiDPI;
inline const MethodSlot<void(Object&)> k__Exit;
inline const MethodSlot<void(Object&)> k__Init;

inline const EventSlot<void(Object&)> kNewDocumentEvent;
inline const EventSlot<void(Object&)> kOpenEvent;
inline const EventSlot<void(Object&, const Ref<FolderItem>&)> kOpenDocumentEvent;
// True when the handler took the exception.
inline const EventSlot<bool(Object&, const RuntimeException&)> kUnhandledExceptionEvent;
} // namespace application

} // namespace fw
