#include "framework/MenuBar.h"

#include "framework/ClassRecord.h"
#include "framework/QuitMenuItem.h"
#include "framework/UIThread.h"

namespace fw {

namespace {

// A bar is made of menu items of every kind the framework has.
void DependencyList(Object&) {
    RequireUIThread();
    MenuItem::Class();
    QuitMenuItem::Class();
}

// Replaces the bar's menus with copies of the menus of `source`.
void InstallClone(Object& self, const Ref<MenuItem>& source) {
    RequireUIThread();
    MenuItem& bar = static_cast<MenuItem&>(self);
    const Ref<MenuItem> clone = CallVirtual<Ref<MenuItem>>(*source, MenuItem::kClone);
    while (bar.Count() > 0) {
        CallVirtual<void, Integer>(bar, MenuItem::kRemoveAt, bar.Count() - 1);
    }
    for (Integer index = 0; index < clone->Count(); ++index) {
        bar.AddMenu(clone->Item(index));
    }
}

ClassRecord& BuildRecord() {
    ClassRecord& record = RuntimeNewClass(&MenuItem::Class(), "MenuBar");
    RuntimeNewVtable(record);
    record.allocate = [](const ClassRecord& r) -> Object* { return new MenuBar(r); };

    record.vtable[MenuItem::k_DependencyList] = {"_DependencyList", "", "MenuBar", &DependencyList};
    record.vtable.push_back({"_InstallClone", "MenuItem", "MenuBar", &InstallClone});
    for (auto& method : record.methods) {
        if (method.slot == MenuItem::k_DependencyList) {
            method.function = &DependencyList;
        }
    }
    record.methods.push_back({"_InstallClone", "%%o<MenuItem>", &InstallClone,
                              MenuBar::k_InstallClone, true, false,
                              RuntimeAllocateAttributeTable()});
    return record;
}

} // namespace

const ClassRecord& MenuBar::Class() {
    static const ClassRecord& record = BuildRecord();
    return record;
}

} // namespace fw
