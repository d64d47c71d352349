#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "app/App.h"
#include "framework/Exceptions.h"
#include "framework/MenuBar.h"
#include "framework/Runtime.h"
#include "framework/headless/Control.h"

namespace pindrel {
namespace {

using ::testing::ElementsAre;

std::vector<std::string> Names(const auto& entries) {
    std::vector<std::string> names;
    for (const auto& entry : entries) {
        names.push_back(entry.name);
    }
    return names;
}

fw::Ref<App> NewApp() {
    return fw::CheckCast<App>(fw::RuntimeNewObject(App::__Lookup()), App::__Lookup());
}

TEST(AppRecord, IsBuiltOnceWhateverComesFirst) {
    const fw::ClassRecord& first = App::__Lookup();
    App::__ctblinit();
    EXPECT_EQ(&App::__Lookup(), &first);
    EXPECT_EQ(first.name, "App");
    EXPECT_EQ(first.base, &fw::Application::Class());
}

TEST(AppRecord, ListsSlotsMethodsEventsPropertyAndInterface) {
    const fw::ClassRecord& record = App::__Lookup();
    EXPECT_THAT(Names(record.vtable),
                ElementsAre("AddTrayItem", "DoEvents", "HideTooltip", "NewDocument", "OpenDocument",
                            "RefreshMenuBar", "RemoveTrayItem", "ShowTooltip", "SleepCurrentThread",
                            "Window", "WindowCount", "YieldToNextThread", "_AddMenuHandler",
                            "_AddPollableObject", "_DependencyList", "_DoSingleEvent",
                            "_RemovePollableObject", "_x_SetVersionData", "Event_OpenDocument",
                            "Event_NewDocument", "Event_Open", "Constructor"));
    EXPECT_THAT(Names(record.methods),
                ElementsAre("AddTrayItem", "DoEvents", "HideTooltip", "NewDocument", "OpenDocument",
                            "RefreshMenuBar", "RemoveTrayItem", "ShowTooltip", "SleepCurrentThread",
                            "Window", "WindowCount", "YieldToNextThread", "_AddMenuHandler",
                            "_AddPollableObject", "_CallFunctionWithExceptionHandling",
                            "_DependencyList", "_DoSingleEvent", "_MacOSNotificationReceived",
                            "_RemovePollableObject", "_SetSupportsHiDPI", "_x_SetVersionData",
                            "__Exit", "__Init", "Event_OpenDocument", "Event_NewDocument",
                            "Event_Open", "IsEventImplemented", "Constructor"));
    // App's own entries follow the ones it starts with, its base's.
    std::vector<std::string> ownSignatures;
    for (std::size_t i = record.base->methods.size(); i < record.methods.size(); ++i) {
        ownSignatures.push_back(record.methods[i].signature);
        EXPECT_TRUE(record.methods[i].attributes.empty());
    }
    EXPECT_THAT(ownSignatures, ElementsAre("%%o<FolderItem>", "%%", "%%", "%b%s", "%%"));

    std::vector<std::string> bound;
    for (const auto& event : record.events) {
        if (event.Bound()) {
            bound.push_back(event.name);
        }
    }
    EXPECT_EQ(record.events.size(), 11u)
        << "the application's events: " << ::testing::PrintToString(Names(record.events));
    EXPECT_THAT(bound, ElementsAre("NewDocument", "Open", "OpenDocument"));

    ASSERT_NE(record.FindProperty("MyMutex"), nullptr);
    EXPECT_EQ(record.properties.back().name, "MyMutex");
    EXPECT_EQ(record.properties.back().type, "o<Mutex>");
    ASSERT_EQ(record.interfaces.size(), 1u);
    EXPECT_EQ(record.interfaces[0].interface->name, "_MacOSDistributedNotifications.iNotify");
    EXPECT_EQ(record.interfaces[0].operations.size(), 1u);
}

TEST(AppObject, ExitHookLetsGoOfTheMutex) {
    // Without Open the hook has nothing to release.
    NewApp().Reset();

    fw::Ref<fw::Mutex> mutex = fw::New<fw::Mutex>("PindrelTestExitHook");
    ASSERT_TRUE(mutex->TryEnter());
    {
        fw::Ref<App> app = NewApp();
        app->MyMutex = mutex;
        mutex.Reset();
        EXPECT_TRUE(fw::headless::NamedLockHeld("PindrelTestExitHook"));
    }
    // The hook dropped the only reference: the mutex is gone, and with it the hold.
    EXPECT_FALSE(fw::headless::NamedLockHeld("PindrelTestExitHook"));
}

TEST(AppObject, MyMutexByNameChecksTheClass) {
    const fw::PropertyEntry& property = *App::__Lookup().FindProperty("MyMutex");
    fw::Ref<App> app = NewApp();
    const fw::Ref<fw::Mutex> mutex = fw::New<fw::Mutex>();

    property.write(*app, mutex);
    EXPECT_EQ(property.read(*app).Get(), mutex.Get());
    EXPECT_THROW(property.write(*app, fw::New<fw::FolderItem>("x")), fw::IllegalCastException);
    EXPECT_EQ(app->MyMutex.Get(), mutex.Get());
}

TEST(AppObject, IsEventImplementedAsksTheRuntime) {
    fw::Ref<App> app = NewApp();
    EXPECT_TRUE(app->IsEventImplemented("Open"));
    EXPECT_TRUE(app->IsEventImplemented("OpenDocument"));
    EXPECT_FALSE(app->IsEventImplemented("Close"));
    EXPECT_FALSE(app->IsEventImplemented("UnhandledException"));

    fw::RuntimeSetPendingException(std::make_exception_ptr(fw::RuntimeException("earlier")));
    EXPECT_THROW(app->IsEventImplemented("Open"), fw::RuntimeException);
    EXPECT_FALSE(fw::RuntimeExceptionPending());
}

} // namespace
} // namespace pindrel
