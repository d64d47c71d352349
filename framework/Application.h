#pragma once


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

// Event handler shapes, as a class record's event table holds them.
using PlainEventHandler = void (*)(Object&);
using DocumentEventHandler = void (*)(Object&, const Ref<FolderItem>&);
using UnhandledExceptionHandler = bool (*)(Object&, const class RuntimeException&);

} // namespace fw
