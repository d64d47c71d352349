#pragma once

// How a class record reaches the functions it lists, without ever recovering a function from an
// erased holder.
//
// Every virtual operation, event, method and interface operation has a typed slot: a constant
// `Slot<Sig>` (or `VirtualSlot`/`EventSlot`), declared next to the class that introduces it. The
// slot itself keeps its bindings, record -> `Sig*`, so calling through it needs no cast and a
// function or an argument list of another type does not compile. The record's tables hold only
// descriptive entries (name, signature text, flags, slot number) that point at the slot through
// the untyped `SlotBase`; that is enough to list them, to ask whether something is bound, to hand
// the bindings on to a derived record, and to resolve a name to the slot it stands for.
//
// A class's builder writes each of its entries once, as a row of one table (`Operation`,
// `Method`, `Replacement` below): the slot, the entry's name and its function. The signature text
// and the parameter text follow from the slot's type (framework/TypeCode.h), and a virtual
// operation's number from its place in the table.

#include <cstddef>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <tuple>
#include <type_traits>
#include <utility>
#include <vector>

#include "framework/Exceptions.h"
#include "framework/Object.h"
#include "framework/String.h"
#include "framework/TypeCode.h"

namespace fw {

struct ClassRecord;

// What a record's table entry knows of its slot without knowing its type.
class SlotBase {
public:
    SlotBase(const SlotBase&) = delete;
    SlotBase& operator=(const SlotBase&) = delete;

    virtual bool Bound(const ClassRecord& record) const noexcept = 0;
    // Gives `derived` the function that `base` has in this slot, if any.
    virtual void Inherit(const ClassRecord& base, const ClassRecord& derived) const = 0;

protected:
    constexpr SlotBase() = default;
    ~SlotBase() = default;
};

struct Attribute {
    std::string name;
    std::string value;
};
using AttributeTable = std::vector<Attribute>;

// A slot of a class's virtual table.
struct VirtualOperation {
    std::string name;
    std::string parameters;
    std::string declaredBy;
    const SlotBase* slot = nullptr;
};

struct MethodEntry {
    std::string name;
    // The result's code between the first two "%", then the parameters' codes: "%b%s" (the codes
    // are in framework/TypeCode.h).
    std::string signature;
    // The entry's function; for a virtual operation the slot of the virtual table, so the entry
    // names whatever the record binds there.
    const SlotBase* function = nullptr;
    std::optional<std::size_t> slot; // set for a virtual operation
    bool isPublic = true;
    bool shared = false;
    AttributeTable attributes;
};

// One event a class can receive, as the record `owner` lists it.
struct EventEntry {
    std::string name;
    const SlotBase* handler = nullptr;
    const ClassRecord* owner = nullptr;
    bool Bound() const noexcept { return handler != nullptr && handler->Bound(*owner); }
};

struct PropertyEntry {
    std::string name;
    std::string type;
    bool stored = true;
    bool isPublic = true;
    bool assignable = true;
    // By-name access; an object's type is checked by the writer itself.
    Ref<Object> (*read)(Object&) = nullptr;
    void (*write)(Object&, const Ref<Object>&) = nullptr;
    AttributeTable attributes;
};

struct InterfaceEntry {
    const ClassRecord* interface = nullptr;
    std::vector<const SlotBase*> operations;
};

// How the runtime knows a class: built once, by its builder, and never rebuilt or freed.
struct ClassRecord {
    ClassRecord() = default;
    // The slots key their bindings by the record's address.
    ClassRecord(const ClassRecord&) = delete;
    ClassRecord& operator=(const ClassRecord&) = delete;

    std::string name;
    const ClassRecord* base = nullptr;
    std::size_t instanceSize = 0;
    void (*initHook)(Object&) = nullptr;
    void (*exitHook)(Object&) = nullptr;
    // Makes a new object of exactly this class, before any constructor of the program runs.
    // A derived record inherits none: a class that makes objects names its own.
    Object* (*allocate)(const ClassRecord&) = nullptr;

    std::vector<VirtualOperation> vtable;
    std::vector<MethodEntry> methods;
    std::vector<EventEntry> events;
    std::vector<PropertyEntry> properties;
    std::vector<InterfaceEntry> interfaces;

    // True when the class is `other` or derives from it.
    bool Is(const ClassRecord& other) const noexcept;
    const EventEntry* FindEvent(std::string_view event) const noexcept;
    const PropertyEntry* FindProperty(std::string_view property) const noexcept;
};

// The allocator of a class whose C++ type is T.
template <class T> Object* Allocate(const ClassRecord& record) {
    return new T(record);
}

template <class Sig> class Slot;

// A function slot of type `R(Args...)`, bound per record.
template <class R, class... Args> class Slot<R(Args...)> : public SlotBase {
public:
    using Function = R (*)(Args...);

    constexpr Slot() = default;

    // The function the record binds here; null when it binds none.
    Function Target(const ClassRecord& record) const noexcept {
        if (bindings_ != nullptr) {
            for (const auto& [bound, function] : *bindings_) {
                if (bound == &record) {
                    return function;
                }
            }
        }
        return nullptr;
    }

    bool Bound(const ClassRecord& record) const noexcept final { return Target(record) != nullptr; }

    void Inherit(const ClassRecord& base, const ClassRecord& derived) const final {
        if (const Function function = Target(base)) {
            Bind(derived, function);
        }
    }

    // Binds the record's entry to `function`, replacing what it bound before.
    void Bind(const ClassRecord& record, Function function) const {
        if (bindings_ == nullptr) {
            bindings_ = new Bindings;
        }
        for (auto& [bound, current] : *bindings_) {
            if (bound == &record) {
                current = function;
                return;
            }
        }
        bindings_->emplace_back(&record, function);
    }

private:
    using Bindings = std::vector<std::pair<const ClassRecord*, Function>>;

    // Slots are constants; what they bind grows while records are built. Records are built on
    // the framework's thread (by the initialiser table or a class's first lookup), so this takes
    // no lock: a lock would also bring the C++ runtime's system-error machinery into the program.
    // Like the records, the bindings are never freed, and the slot itself has nothing to
    // destroy: a call through it from another static's destructor still finds its function.
    mutable Bindings* bindings_ = nullptr;
};

// A method entry's own function (not a virtual operation).
template <class Sig> using MethodSlot = Slot<Sig>;

template <class Sig> class VirtualSlot;

// A virtual operation: its receiver comes first and chooses the record whose binding runs.
template <class R, class... Args>
class VirtualSlot<R(Object&, Args...)> : public Slot<R(Object&, Args...)> {
public:
    using typename Slot<R(Object&, Args...)>::Function;

    constexpr VirtualSlot() = default;

    // Appends the operation to the record's virtual table; gives back its slot number.
    std::size_t Add(ClassRecord& record, std::string name, std::string parameters,
                    std::string declaredBy, Function function) const {
        record.vtable.push_back(
            {std::move(name), std::move(parameters), std::move(declaredBy), this});
        this->Bind(record, function);
        return record.vtable.size() - 1;
    }

    // Replaces the function that the record inherited in this slot.
    void Override(ClassRecord& record, std::string declaredBy, Function function) const {
        for (auto& operation : record.vtable) {
            if (operation.slot == this) {
                operation.declaredBy = std::move(declaredBy);
                this->Bind(record, function);
                return;
            }
        }
        throw RuntimeException(String("The class ") + String(record.name) +
                               " has no such virtual operation to replace.");
    }

    // Runs the function that the receiver's own record binds.
    R Call(Object& self, Args... args) const {
        const Function function = this->Target(self.Record());
        if (function == nullptr) {
            throw OutOfBoundsException("No such virtual operation.");
        }
        return function(self, std::forward<Args>(args)...);
    }

    // The same, reached by the operation's name in the receiver's virtual table; of the
    // operations of that name (overloads share one) it takes the one of this very slot.
    R CallNamed(Object& self, std::string_view operation, Args... args) const {
        bool named = false;
        for (const auto& entry : self.Record().vtable) {
            if (entry.name == operation) {
                if (entry.slot == this) {
                    return Call(self, std::forward<Args>(args)...);
                }
                named = true;
            }
        }
        throw RuntimeException(
            named ? String("The virtual operation ") + String(operation) + " is of another type."
                  : String("No virtual operation named ") + String(operation) + ".");
    }

private:
    // A record binds an operation only through its virtual table.
    using Slot<R(Object&, Args...)>::Bind;
};

template <class Sig> class EventSlot;

// An event. Only the record that lists it can bind it, and a derived record starts unbound.
template <class R, class... Args>
class EventSlot<R(Object&, Args...)> : public Slot<R(Object&, Args...)> {
public:
    using typename Slot<R(Object&, Args...)>::Function;

    constexpr EventSlot() = default;

    // Lists the event, unbound, in the record's event table.
    void Declare(ClassRecord& record, std::string name) const {
        record.events.push_back({std::move(name), this, &record});
    }

    // The record's entry of the event, which holds its name; RuntimeException when the record's
    // table does not list it.
    const EventEntry& Entry(const ClassRecord& record) const {
        for (const auto& event : record.events) {
            if (event.handler == this) {
                return event;
            }
        }
        throw RuntimeException(String("The class ") + String(record.name) + " has no such event.");
    }

    void Handle(ClassRecord& record, Function handler) const {
        Entry(record); // only an event that the table lists
        this->Bind(record, handler);
    }

private:
    // A record binds a handler only to an event its table lists.
    using Slot<R(Object&, Args...)>::Bind;
};

// A slot has nothing to destroy, so no static sees one gone, whatever the order in which the
// program's statics end.
static_assert(std::is_trivially_destructible_v<VirtualSlot<void(Object&)>> &&
              std::is_trivially_destructible_v<EventSlot<void(Object&)>>);

// A new class record below `base`. It starts with the base's method entries, events (unbound)
// and property entries, so a class's builder writes only its own entries.
ClassRecord& RuntimeNewClass(const ClassRecord* base, std::string name);
// Starts the record's virtual table with the base's slots, in the base's order.
void RuntimeNewVtable(ClassRecord& record);
AttributeTable RuntimeAllocateAttributeTable(std::size_t count = 0);

// A record for one of the framework's own classes, with nothing but its name and base.
ClassRecord& DefineClass(std::string name, const ClassRecord* base);

// Where a record's text is not what the operation's type gives (framework/TypeCode.h).
struct RecordText {
    // The parameter text, in place of the names of the parameters' types.
    std::string_view parameters;
    // The record name of the class that each `Ref<Object>` of the type stands for.
    std::string_view objectClass;
};
constexpr RecordText ParametersAre(std::string_view parameters) {
    return {parameters, {}};
}
constexpr RecordText ObjectsAre(std::string_view objectClass) {
    return {{}, objectClass};
}

// The rows of a class's table of entries. A builder lists its own entries in one table, in the
// order of the record's methods, and hands it to AddEntries; each row names its typed slot, and
// the entry's signature text and parameter text come from the slot's type.

// A virtual operation that the class adds: the next slot of its virtual table, and its method
// entry.
template <class SlotType> struct Operation {
    static constexpr std::size_t kSlots = 1;
    const SlotType* slot;
    const char* name;
    typename SlotType::Function function;
    RecordText text = {};

    void AddTo(ClassRecord& record, std::string_view declaredBy) const {
        using Sig = std::remove_pointer_t<typename SlotType::Function>;
        const std::string parameters(text.parameters.empty()
                                         ? ParameterText<Sig>(text.objectClass).View()
                                         : text.parameters);
        const std::size_t number =
            slot->Add(record, name, parameters, std::string(declaredBy), function);
        record.methods.push_back({name, std::string(SignatureText<Sig>(text.objectClass).View()),
                                  slot, number, true, false, RuntimeAllocateAttributeTable()});
    }
};

struct MethodAccess {
    bool isPublic = true;
    bool shared = false;
};
inline constexpr MethodAccess kPrivateMethod{false, false};
inline constexpr MethodAccess kSharedMethod{true, true};

// A method entry with a function of its own, not a slot of the virtual table.
template <class SlotType> struct Method {
    static constexpr std::size_t kSlots = 0;
    const SlotType* slot;
    const char* name;
    typename SlotType::Function function;
    MethodAccess access = {};

    void AddTo(ClassRecord& record, std::string_view) const {
        using Sig = std::remove_pointer_t<typename SlotType::Function>;
        slot->Bind(record, function);
        record.methods.push_back({name, std::string(SignatureText<Sig>().View()), slot,
                                  std::nullopt, access.isPublic, access.shared,
                                  RuntimeAllocateAttributeTable()});
    }
};

// The class's own function in a slot it inherits; the base's method entry names it already.
template <class SlotType> struct Replacement {
    static constexpr std::size_t kSlots = 0;
    const SlotType* slot;
    typename SlotType::Function function;

    void AddTo(ClassRecord& record, std::string_view declaredBy) const {
        slot->Override(record, std::string(declaredBy), function);
    }
};

// A row's slot gives its type (spelled out for compilers that deduce no aggregate's arguments).
template <class SlotType>
Operation(const SlotType*, const char*, typename SlotType::Function, RecordText = {})
    -> Operation<SlotType>;
template <class SlotType>
Method(const SlotType*, const char*, typename SlotType::Function, MethodAccess = {})
    -> Method<SlotType>;
template <class SlotType>
Replacement(const SlotType*, typename SlotType::Function) -> Replacement<SlotType>;

// Whether the table adds the slots from `first` up to just before `end`: a class checks its table
// against its numbering enum at compile time, so a row missing or one too many fails the build.
// The rows' slot numbers are their places among the table's operations, after the base's slots.
template <class... Rows>
consteval bool AddsSlots(const std::tuple<Rows...>&, std::size_t first, std::size_t end) {
    return first + (std::size_t{0} + ... + Rows::kSlots) == end;
}

// Adds the table's entries to the record, in the table's order, once the record's virtual table
// holds its base's slots. `declaredBy` is the class that the operations name as theirs.
template <class... Rows>
void AddEntries(ClassRecord& record, std::string_view declaredBy,
                const std::tuple<Rows...>& entries) {
    std::apply([&](const auto&... entry) { (entry.AddTo(record, declaredBy), ...); }, entries);
}

// A new object of the record's class, with one reference for the caller.
Ref<Object> RuntimeNewObject(const ClassRecord& record);

// The same object as a `record`; IllegalCastException when it is of another class. Nil stays nil.
Ref<Object> RuntimeCheckCast(const Ref<Object>& object, const ClassRecord& record);

#ifdef NDEBUG
inline constexpr bool kCheckObjectTypes = false;
#else
inline constexpr bool kCheckObjectTypes = true;
#endif

// Thrown in debug builds when a record and the C++ object it describes disagree: a fault of the
// program, never of its input.
class RecordMismatch : public std::logic_error {
public:
    using std::logic_error::logic_error;
};

template <class T> Ref<T> CheckCast(const Ref<Object>& object, const ClassRecord& record) {
    const Ref<Object> checked = RuntimeCheckCast(object, record);
    if constexpr (kCheckObjectTypes) {
        if (checked && dynamic_cast<T*>(checked.Get()) == nullptr) {
            throw RecordMismatch("An object of class " + checked->Record().name +
                                 " is not of the C++ type its record promises.");
        }
    }
    return Ref<T>(static_cast<T*>(checked.Get()));
}

} // namespace fw
