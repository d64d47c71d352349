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
    const Ref<MenuItem> clone = menu_item::kClone.Call(*source);
    while (bar.Count() > 0) {
        menu_item::kRemoveAt.Call(bar, bar.Count() - 1);
    }
    for (Integer index = 0; index < clone->Count(); ++index) {
        bar.AddMenu(clone->Item(index));
    }
}

ClassRecord& BuildRecord() {
    ClassRecord& record = RuntimeNewClass(&MenuItem::Class(), "MenuBar");
    RuntimeNewVtable(record);
    record.allocate = &Allocate<MenuBar>;

    menu_item::k_DependencyList.Override(record, "MenuBar", &DependencyList);
    const std::size_t slot =
        menu_bar::k_InstallClone.Add(record, "_InstallClone", "MenuItem", "MenuBar", &InstallClone);
    record.methods.push_back({"_InstallClone", "%%o<MenuItem>", &menu_bar::k_InstallClone, slot,
                              true, false, RuntimeAllocateAttributeTable()});
    return record;
}

} // namespace

const ClassRecord& MenuBar::Class() {
    static const ClassRecord& record = BuildRecord();
    return record;
}

} // namespace fw
