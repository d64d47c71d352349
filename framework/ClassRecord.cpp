#include "framework/ClassRecord.h"

#include <deque>

namespace fw {

namespace {

// Every record lives until the process ends, past the destruction of other statics that may
// still hold objects; a deque never moves what it holds.
std::deque<ClassRecord>& Records() {
    static auto* records = new std::deque<ClassRecord>;
    return *records;
}

} // namespace

bool ClassRecord::Is(const ClassRecord& other) const noexcept {
    for (const ClassRecord* record = this; record != nullptr; record = record->base) {
        if (record == &other) {
            return true;
        }
    }
    return false;
}

const EventEntry* ClassRecord::FindEvent(std::string_view event) const noexcept {
    for (const auto& entry : events) {
        if (entry.name == event) {
            return &entry;
        }
    }
    return nullptr;
}

const PropertyEntry* ClassRecord::FindProperty(std::string_view property) const noexcept {
    for (const auto& entry : properties) {
        if (entry.name == property) {
            return &entry;
        }
    }
    return nullptr;
}

ClassRecord& RuntimeNewClass(const ClassRecord* base, std::string name) {
    ClassRecord& record = Records().emplace_back();
    record.name = std::move(name);
    record.base = base;
    if (base != nullptr) {
        record.instanceSize = base->instanceSize;
        record.methods = base->methods;
        for (const auto& method : record.methods) {
            if (method.function != nullptr) {
                method.function->Inherit(*base, record);
            }
        }
        record.properties = base->properties;
        for (const auto& event : base->events) {
            record.events.push_back({event.name, event.handler, &record});
        }
    }
    return record;
}

void RuntimeNewVtable(ClassRecord& record) {
    record.vtable.clear();
    if (record.base != nullptr) {
        record.vtable = record.base->vtable;
        for (const auto& operation : record.vtable) {
            operation.slot->Inherit(*record.base, record);
        }
    }
}

AttributeTable RuntimeAllocateAttributeTable(std::size_t count) {
    return AttributeTable(count);
}

ClassRecord& DefineClass(std::string name, const ClassRecord* base) {
    ClassRecord& record = RuntimeNewClass(base, std::move(name));
    RuntimeNewVtable(record);
    return record;
}

Ref<Object> RuntimeNewObject(const ClassRecord& record) {
    if (!record.allocate) {
        throw RuntimeException(String("The class ") + String(record.name) +
                               " cannot be created by the runtime.");
    }
    Ref<Object> object(record.allocate(record));
    // Init hooks run from the root class down, so a class's hook sees its base ready.
    std::vector<const ClassRecord*> chain;
    for (const ClassRecord* r = &record; r != nullptr; r = r->base) {
        chain.push_back(r);
    }
    for (auto r = chain.rbegin(); r != chain.rend(); ++r) {
        if ((*r)->initHook != nullptr) {
            (*r)->initHook(*object);
        }
    }
    return object;
}

Ref<Object> RuntimeCheckCast(const Ref<Object>& object, const ClassRecord& record) {
    if (object && !object->Record().Is(record)) {
        throw IllegalCastException(String("An object of class ") + String(object->Record().name) +
                                   " is not a " + String(record.name) + ".");
    }
    return object;
}

} // namespace fw
