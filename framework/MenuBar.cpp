#include "framework/MenuBar.h"

#include <tuple>

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

// MenuBar's entries: its own function for a slot of MenuItem's, and its own virtual operations,
// after MenuItem's, in the order MenuBar::Slot numbers them.
constexpr std::tuple kEntries{
    Replacement{&menu_item::k_DependencyList, &DependencyList},
    Operation{&menu_bar::k_InstallClone, "_InstallClone", &InstallClone},
};
static_assert(AddsSlots(kEntries, MenuItem::kSlotCount, MenuBar::kSlotCount),
              "MenuBar's operations are out of step with MenuBar::Slot.");

ClassRecord& BuildRecord() {
    ClassRecord& record = RuntimeNewClass(&MenuItem::Class(), "MenuBar");
    RuntimeNewVtable(record);
    record.allocate = &Allocate<MenuBar>;
    AddEntries(record, "MenuBar", kEntries);
    return record;
}

} // namespace

const ClassRecord& MenuBar::Class() {
    static const ClassRecord& record = BuildRecord();
    return record;
}

} // namespace fw
