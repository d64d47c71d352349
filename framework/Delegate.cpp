#include "framework/Delegate.h"

#include "framework/ClassRecord.h"

namespace fw {

const ClassRecord& DelegateObject::Class() {
    static const ClassRecord& record = DefineClass("Delegate", &Object::Class());
    return record;
}

DelegateObject::DelegateObject() noexcept : Object(Class()) {}

} // namespace fw
