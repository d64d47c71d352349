#include "framework/Delegate.h"

#include "framework/ClassRecord.h"

namespace fw {

const ClassRecord& Delegate::Class() {
    static const ClassRecord& record = DefineClass("Delegate", &Object::Class());
    return record;
}

Delegate::Delegate(std::any entryPoint, Ref<Object> target, String signature)
    : Object(Class()), entryPoint_(std::move(entryPoint)), target_(std::move(target)),
      signature_(std::move(signature)) {}

Ref<Delegate> RuntimeCreateDelegate(std::any invokeStub, std::any function, Ref<Object> target,
                                    const String& signature, int) {
    // A method's entry point is its stub; a global function is its own entry point.
    std::any entry = target ? std::move(invokeStub) : std::move(function);
    return New<Delegate>(std::move(entry), std::move(target), signature);
}

} // namespace fw
