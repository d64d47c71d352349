#include "framework/QuitMenuItem.h"

#include "framework/ClassRecord.h"
#include "framework/QuitRequest.h"

namespace fw {

const ClassRecord& QuitMenuItem::Class() {
    static const ClassRecord& record = []() -> const ClassRecord& {
        ClassRecord& created = DefineClass("QuitMenuItem", &MenuItem::Class());
        created.allocate = &Allocate<QuitMenuItem>;
        return created;
    }();
    return record;
}

void QuitMenuItem::FrameworkAction() {
    RuntimeRequestQuit(0);
}

} // namespace fw
