#pragma once

#include "framework/Object.h"
#include "framework/String.h"

namespace fw {

// What every delegate shares, whatever the type of its function: its class record.
class DelegateObject : public Object {
public:
    static const ClassRecord& Class();

protected:
    DelegateObject() noexcept;
};

// A callable made from a function (and, for a method, an object), as the runtime takes
// callbacks. The runtime keeps only the entry point; the delegate may go once it is handed on.
template <class Sig> class Delegate : public DelegateObject {
public:
    Delegate(Sig* entryPoint, Ref<Object> target)
        : entryPoint_(entryPoint), target_(std::move(target)) {}

    Sig* EntryPoint() const noexcept { return entryPoint_; }

private:
    Sig* entryPoint_;
    // A method's object stays alive as long as a delegate can call into it.
    Ref<Object> target_;
};

// `invokeStub` is how the runtime would call a method of `target`; a plain function has none.
template <class Sig>
Ref<Delegate<Sig>> RuntimeCreateDelegate(Sig* invokeStub, Sig* function, Ref<Object> target,
                                         const String& /*signature*/, int /*flags*/) {
    // A method's entry point is its stub; a global function is its own entry point.
    Sig* entry = target ? invokeStub : function;
    return New<Delegate<Sig>>(entry, std::move(target));
}

} // namespace fw
