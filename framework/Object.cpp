#include "framework/Object.h"

#include "framework/ClassRecord.h"
#include "framework/Exceptions.h"

namespace fw {

const ClassRecord& Object::Class() {
    static const ClassRecord& record = DefineClass("Object", nullptr);
    return record;
}

void Object::Release() noexcept {
    if (--references_ > 0) {
        return;
    }
    // The hooks may hand out and drop references to this object; keep it alive through them.
    references_ = 1;
    for (const ClassRecord* record = record_; record != nullptr; record = record->base) {
        if (record->exitHook != nullptr) {
            record->exitHook(*this);
        }
    }
    delete this;
}

void RaiseNilObject() {
    throw NilObjectException();
}

} // namespace fw
