#include "app/App.h"

#include "framework/Runtime.h"

namespace pindrel {

using fw::Object;
using fw::Ref;

namespace {

const fw::ClassRecord* appRecord = nullptr;

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

} // namespace

App::App(const fw::ClassRecord& record) : fw::Application(record) {}

const fw::ClassRecord& App::__Lookup() {
    __ctblinit();
    return *appRecord;
}

void App::__ctblinit() {
    if (appRecord != nullptr) {
        return;
    }
    const fw::ClassRecord& base = fw::Application::Class();
    fw::ClassRecord& record = fw::RuntimeNewClass(&base, "App");
    appRecord = &record;
    record.instanceSize = base.instanceSize + sizeof(Ref<fw::Mutex>);
    record.initHook = nullptr;
    record.exitHook = &App::__Exit;
    record.allocate = [](const fw::ClassRecord& r) -> Object* { return new App(r); };

    fw::RuntimeNewVtable(record);
    struct Own {
        const char* name;
        const char* parameters;
        const char* signature;
        std::any function;
        bool isVirtual;
        bool isPublic;
    };
    const Own own[] = {
        {"Event_OpenDocument", "FolderItem", "%%o<FolderItem>", &CallOpenDocument, true, true},
        {"Event_NewDocument", "", "%%", &CallNewDocument, true, true},
        {"Event_Open", "", "%%", &CallOpen, true, true},
        {"IsEventImplemented", "String", "%b%s", &CallIsEventImplemented, false, false},
        {"Constructor", "", "%%", &CallConstructor, true, true},
    };
    for (const Own& entry : own) {
        std::optional<std::size_t> slot;
        if (entry.isVirtual) {
            slot = record.vtable.size();
            record.vtable.push_back({entry.name, entry.parameters, "App", entry.function});
        }
        record.methods.push_back({entry.name, entry.signature, entry.function, slot, entry.isPublic,
                                  false, fw::RuntimeAllocateAttributeTable()});
    }

    record.FindEvent("NewDocument")->handler = fw::PlainEventHandler(&CallNewDocument);
    record.FindEvent("Open")->handler = fw::PlainEventHandler(&CallOpen);
    record.FindEvent("OpenDocument")->handler = fw::DocumentEventHandler(&CallOpenDocument);

    record.properties.push_back({"MyMutex", "o<Mutex>", true, true, true, &ReadMyMutex,
                                 &WriteMyMutex, fw::RuntimeAllocateAttributeTable()});

    for (const auto& entry : base.interfaces) {
        if (entry.interface->name == "_MacOSDistributedNotifications.iNotify") {
            record.interfaces.push_back(entry);
        }
    }
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
