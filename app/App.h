#pragma once

#include "framework/Application.h"
#include "framework/ClassRecord.h"
#include "framework/FolderItem.h"
#include "framework/Mutex.h"
#include "framework/Object.h"
#include "framework/String.h"

namespace pindrel {

// The application: it keeps Pindrel to one running copy and answers each document with its
// Kontakt version.
class App : public fw::Application {
public:
    // The class record, built on first use.
    static const fw::ClassRecord& __Lookup();
    static void __ctblinit();

    explicit App(const fw::ClassRecord& record);

    // The single-instance lock, from the Open event on.
    fw::Ref<fw::Mutex> MyMutex;

    void Event_OpenDocument(const fw::Ref<fw::FolderItem>& item);
    void Event_NewDocument();
    void Event_Open();
    bool IsEventImplemented(const fw::String& eventName);
    void Constructor();

    // Runs when the object is destroyed: lets go of the lock.
    static void __Exit(fw::Object& self);
};

// App's own virtual operations and method entry.
namespace app {
inline const fw::VirtualSlot<void(fw::Object&, const fw::Ref<fw::FolderItem>&)> kEvent_OpenDocument;
inline const fw::VirtualSlot<void(fw::Object&)> kEvent_NewDocument;
inline const fw::VirtualSlot<void(fw::Object&)> kEvent_Open;
inline const fw::MethodSlot<bool(fw::Object&, const fw::String&)> kIsEventImplemented;
inline const fw::VirtualSlot<void(fw::Object&)> kConstructor;
} // namespace app

namespace global {

// The registered application object, as an App.
fw::Ref<pindrel::App> App();

} // namespace global

} // namespace pindrel
