#include "app/App.h"

#include <tuple>

#include "framework/Runtime.h"

namespace pindrel {

using fw::Object;
using fw::Ref;

namespace {

App& AsApp(Object& self) {
    return static_cast<App&>(self);
}

void CallOpenDocument(Object& self, const Ref<fw::FolderItem>& item) {
    AsApp(self).Event_OpenDocument(item);
}
void CallNewDocument(Object& self) {
    AsApp(self).Event_NewDocument();
}
void CallOpen(Object& self) {
    AsApp(self).Event_Open();
}
bool CallIsEventImplemented(Object& self, const fw::String& eventName) {
    return AsApp(self).IsEventImplemented(eventName);
}
void CallConstructor(Object& self) {
    AsApp(self).Constructor();
}

Ref<Object> ReadMyMutex(Object& self) {
    return AsApp(self).MyMutex;
}

void WriteMyMutex(Object& self, const Ref<Object>& value) {
    // The cast comes first, so a value of another class leaves the field as it was.
    Ref<fw::Mutex> mutex = fw::CheckCast<fw::Mutex>(value, fw::Mutex::Class());
    AsApp(self).MyMutex = std::move(mutex);
}

// App's entries, in the order the record lists its methods after Application's.
constexpr std::tuple kEntries{
    fw::Operation{&app::kEvent_OpenDocument, "Event_OpenDocument", &CallOpenDocument},
    fw::Operation{&app::kEvent_NewDocument, "Event_NewDocument", &CallNewDocument},
    fw::Operation{&app::kEvent_Open, "Event_Open", &CallOpen},
    fw::Method{&app::kIsEventImplemented, "IsEventImplemented", &CallIsEventImplemented,
               fw::kPrivateMethod},
    fw::Operation{&app::kConstructor, "Constructor", &CallConstructor},
};

fw::ClassRecord& BuildRecord() {
    const fw::ClassRecord& base = fw::Application::Class();
    fw::ClassRecord& record = fw::RuntimeNewClass(&base, "App");
    record.instanceSize = base.instanceSize + sizeof(Ref<fw::Mutex>);
    record.initHook = nullptr;
    record.exitHook = &App::__Exit;
    record.allocate = &fw::Allocate<App>;

    fw::RuntimeNewVtable(record);
    fw::AddEntries(record, "App", kEntries);

    fw::application::kNewDocumentEvent.Handle(record, &CallNewDocument);
    fw::application::kOpenEvent.Handle(record, &CallOpen);
    fw::application::kOpenDocumentEvent.Handle(record, &CallOpenDocument);

    record.properties.push_back({"MyMutex", "o<Mutex>", true, true, true, &ReadMyMutex,
                                 &WriteMyMutex, fw::RuntimeAllocateAttributeTable()});

    for (const auto& entry : base.interfaces) {
        if (entry.interface->name == "_MacOSDistributedNotifications.iNotify") {
            record.interfaces.push_back(entry);
        }
    }
    return record;
}

} // namespace

App::App(const fw::ClassRecord& record) : fw::Application(record) {}

const fw::ClassRecord& App::__Lookup() {
    // Published only once the builder has filled it in.
    static const fw::ClassRecord& record = BuildRecord();
    return record;
}

void App::__ctblinit() {
    __Lookup();
}

void App::Constructor() {}

bool App::IsEventImplemented(const fw::String& eventName) {
    const Ref<App> self(this);
    const fw::String name = eventName;
    if (fw::RuntimeExceptionPending()) {
        std::rethrow_exception(fw::RuntimeTakePendingException());
    }
    return fw::_RuntimeIsEventHandled(self, "App", name.CString(), true);
}

void App::__Exit(Object& self) {
    AsApp(self).MyMutex.Reset();
}

namespace global {

Ref<pindrel::App> App() {
    const Ref<Object> object = fw::_GetAppObject();
    return fw::CheckCast<pindrel::App>(object, pindrel::App::__Lookup());
}

} // namespace global

} // namespace pindrel
