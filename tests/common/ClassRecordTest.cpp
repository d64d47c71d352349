#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/MenuBar1.h"
#include "framework/ClassRecord.h"
#include "framework/MenuBar.h"
#include "framework/QuitMenuItem.h"

namespace {

using fw::ClassRecord;
using pindrel::MenuBar1;

std::vector<std::string> Slots(const ClassRecord& record,
                               std::string (*describe)(const fw::VirtualOperation&)) {
    std::vector<std::string> slots;
    for (const auto& operation : record.vtable) {
        slots.push_back(describe(operation));
    }
    return slots;
}

TEST(ClassRecord, MenuBar1IsBuiltOnceWhicheverComesFirst) {
    // The initialiser pass and a first lookup may come in either order; both find one record.
    MenuBar1::__ctblinit();
    const ClassRecord& first = MenuBar1::__Lookup();
    MenuBar1::__ctblinit();
    EXPECT_EQ(&MenuBar1::__Lookup(), &first);
    EXPECT_EQ(first.vtable.size(), std::size_t(MenuBar1::kSlotCount));
    EXPECT_EQ(first.name, "MenuBar1.MenuBar1");
    EXPECT_EQ(first.base, &fw::MenuBar::Class());
    EXPECT_EQ(fw::MenuBar::Class().base, &fw::MenuItem::Class());
    EXPECT_EQ(fw::QuitMenuItem::Class().base, &fw::MenuItem::Class());
}

TEST(ClassRecord, MenuBar1SlotsFollowTheFrameworksAndReplaceOnlyTheConstructor) {
    const auto slots = Slots(MenuBar1::__Lookup(), [](const fw::VirtualOperation& operation) {
        return operation.name + "(" + operation.parameters + ") " + operation.declaredBy;
    });
    const std::vector<std::string> expected = {
        "AddMenu(MenuItem) MenuItem",
        "AddMenuAt(Integer, MenuItem) MenuItem",
        "Append(MenuItem) MenuItem",
        "Child(String) MenuItem",
        "Clone() MenuItem",
        "Close() MenuItem",
        "Constructor() MenuBar1",
        "Constructor(MenuItem) MenuItem",
        "Constructor(String, Variant) MenuItem",
        "Count() MenuItem",
        "Enable() MenuItem",
        "Handle(MenuItem.HandleType) MenuItem",
        "Insert(Integer, MenuItem) MenuItem",
        "Item(Integer) MenuItem",
        "MenuAt(Integer) MenuItem",
        "MenuItem() MenuItem",
        "MenuItem(String, Variant) MenuItem",
        "PopUp() MenuItem",
        "PopUp(Integer, Integer) MenuItem",
        "Remove(Integer) MenuItem",
        "Remove(MenuItem) MenuItem",
        "Remove(String) MenuItem",
        "RemoveMenuAt(Integer) MenuItem",
        "_DependencyList() MenuBar",
        "_DisableEntirely() MenuItem",
        "_Lookup(String) MenuItem",
        "_Lookup(String, Integer) MenuItem",
        "_SelfEnable() MenuItem",
        "_Swap(String, MenuItem) MenuItem",
        "_InstallClone(MenuItem) MenuBar",
        "Untitled0() MenuBar1",
        "Untitled1() MenuBar1",
    };
    EXPECT_EQ(slots, expected);

    // The no-argument MenuItem slot keeps the framework's default constructor.
    using Plain = void (*)(fw::Object&);
    const auto& table = MenuBar1::__Lookup().vtable;
    EXPECT_EQ(
        std::any_cast<Plain>(table[fw::MenuItem::kMenuItem].function),
        std::any_cast<Plain>(fw::MenuItem::Class().vtable[fw::MenuItem::kConstructor].function));
    EXPECT_NE(std::any_cast<Plain>(table[fw::MenuItem::kConstructor].function),
              std::any_cast<Plain>(table[fw::MenuItem::kMenuItem].function));
}

} // namespace
