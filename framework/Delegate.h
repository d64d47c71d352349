#pragma once

#include <any>

#include "framework/Object.h"
#include "framework/String.h"

namespace fw {

// A callable made from a function (and, for a method, an object), as the runtime takes
// callbacks. The runtime keeps only the entry point; the delegate may go once it is handed on.
class Delegate : public Object {
public:
    static const ClassRecord& Class();
    Delegate(std::any entryPoint, Ref<Object> target, String signature);

    const std::any& EntryPoint() const noexcept { return entryPoint_; }
    const String& Signature() const noexcept { return signature_; }

private:
    std::any entryPoint_;
    Ref<Object> target_;
    String signature_;
};

// `invokeStub` is how the runtime would call a method of `target`; a plain function has none.
Ref<Delegate> RuntimeCreateDelegate(std::any invokeStub, std::any function, Ref<Object> target,
                                    const String& signature, int flags);

} // namespace fw
