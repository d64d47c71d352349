#pragma once

#include <any>
#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "framework/Exceptions.h"
#include "framework/Object.h"
#include "framework/String.h"

namespace fw {

struct Attribute {
    std::string name;
    std::string value;
};
using AttributeTable = std::vector<Attribute>;

// A slot of a class's virtual table. `function` holds a plain function pointer whose first
// parameter is the receiver, `R (*)(Object&, Args...)`; CallVirtual recovers it by that type.
struct VirtualOperation {
    std::string name;
    std::string parameters;
    std::string declaredBy;
    std::any function;
};

// How a class's builder lists one of its virtual operations.
struct OperationSpec {
    const char* name;
    const char* parameters;
    const char* signature;
    std::any function;
};

struct MethodEntry {
    std::string name;
    // The result type between the first two "%", then the parameter types: "%b%s".
    std::string signature;
    std::any function;
    std::optional<std::size_t> slot; // set for a virtual operation
    bool isPublic = true;
    bool shared = false;
    AttributeTable attributes;
};

// One event a class can receive. `handler` is empty while no handler is bound; a bound one is a
// function pointer `void (*)(Object&, Args...)` (or `bool (*)(...)` for events with an answer).
struct EventEntry {
    std::string name;
    std::any handler;
    bool Bound() const noexcept { return handler.has_value(); }
};

struct PropertyEntry {
    std::string name;
    std::string type;
    bool stored = true;
    bool isPublic = true;
    bool assignable = true;
    std::function<Ref<Object>(Object&)> read;
    std::function<void(Object&, const Ref<Object>&)> write;
    AttributeTable attributes;
};

struct InterfaceEntry {
    const struct ClassRecord* interface = nullptr;
    std::vector<std::any> operations;
};

// How the runtime knows a class: built once, by its builder, and never rebuilt or freed.
struct ClassRecord {
    std::string name;
    const ClassRecord* base = nullptr;
    std::size_t instanceSize = 0;
    void (*initHook)(Object&) = nullptr;
    void (*exitHook)(Object&) = nullptr;
    // Makes a new object of the class, before any constructor of the program runs.
    std::function<Object*(const ClassRecord&)> allocate;

    std::vector<VirtualOperation> vtable;
    std::vector<MethodEntry> methods;
    std::vector<EventEntry> events;
    std::vector<PropertyEntry> properties;
    std::vector<InterfaceEntry> interfaces;

    // True when the class is `other` or derives from it.
    bool Is(const ClassRecord& other) const noexcept;
    std::optional<std::size_t> SlotOf(std::string_view operation) const noexcept;
    EventEntry* FindEvent(std::string_view event) noexcept;
    const EventEntry* FindEvent(std::string_view event) const noexcept;
    const PropertyEntry* FindProperty(std::string_view property) const noexcept;
};

// A new class record below `base`. It starts with the base's method entries, events (unbound)
// and property entries, so a class's builder writes only its own entries.
ClassRecord& RuntimeNewClass(const ClassRecord* base, std::string name);
// Starts the record's virtual table with the base's slots, in the base's order.
void RuntimeNewVtable(ClassRecord& record);
AttributeTable RuntimeAllocateAttributeTable(std::size_t count = 0);

// A record for one of the framework's own classes, with nothing but its name and base.
ClassRecord& DefineClass(std::string name, const ClassRecord* base);

// A new object of the record's class, with one reference for the caller.
Ref<Object> RuntimeNewObject(const ClassRecord& record);

// The same object as a `record`; IllegalCastException when it is of another class. Nil stays nil.
Ref<Object> RuntimeCheckCast(const Ref<Object>& object, const ClassRecord& record);

template <class T> Ref<T> CheckCast(const Ref<Object>& object, const ClassRecord& record) {
    return Ref<T>(static_cast<T*>(RuntimeCheckCast(object, record).Get()));
}

// Calls the operation in `slot` of the receiver's own virtual table.
template <class R, class... Args> R CallVirtual(Object& self, std::size_t slot, Args... args) {
    const auto& table = self.Record().vtable;
    if (slot >= table.size()) {
        throw OutOfBoundsException("No such virtual operation.");
    }
    return std::any_cast<R (*)(Object&, Args...)>(table[slot].function)(self, args...);
}

template <class R, class... Args>
R CallVirtual(Object& self, std::string_view operation, Args... args) {
    const auto slot = self.Record().SlotOf(operation);
    if (!slot) {
        throw RuntimeException(String("No virtual operation named ") + String(operation) + ".");
    }
    return CallVirtual<R, Args...>(self, *slot, args...);
}

} // namespace fw
