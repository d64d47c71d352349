#include <gtest/gtest.h>

#include <any>
#include <string>
#include <tuple>
#include <vector>

#include "app/App.h"
#include "app/MenuBar1.h"
#include "framework/Application.h"
#include "framework/ClassRecord.h"
#include "framework/Exceptions.h"
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
    const ClassRecord& record = MenuBar1::__Lookup();
    EXPECT_EQ(fw::menu_item::kMenuItem.Target(record),
              fw::menu_item::kConstructor.Target(fw::MenuItem::Class()));
    EXPECT_NE(fw::menu_item::kConstructor.Target(record), fw::menu_item::kMenuItem.Target(record));
}

// A slot takes exactly its own function type, and calls with arguments of its own types.
template <class Slot, class Function>
concept Bindable = requires(const Slot& slot, fw::ClassRecord& record, Function function) {
    slot.Override(record, "", function);
};
template <class Slot, class... Args>
concept Callable = requires(const Slot& slot, fw::Object& self, Args&&... args) {
    slot.Call(self, std::forward<Args>(args)...);
};
template <class Slot, class Function>
concept Handles = requires(const Slot& slot, fw::ClassRecord& record, Function function) {
    slot.Handle(record, function);
};

template <class Slot, class Function>
concept BindableAnywhere = requires(const Slot& slot, fw::ClassRecord& record, Function function) {
    slot.Bind(record, function);
};

using OpenDocumentHandler = void (*)(fw::Object&, const fw::Ref<fw::FolderItem>&);
static_assert(Bindable<decltype(fw::menu_item::kCount), fw::Integer (*)(fw::Object&)>);
static_assert(!Bindable<decltype(fw::menu_item::kCount), bool (*)(fw::Object&)>);
static_assert(!Bindable<decltype(fw::menu_item::kChild), fw::Ref<fw::MenuItem> (*)(fw::Object&)>);
static_assert(Callable<decltype(fw::menu_item::kItem), fw::Integer>);
static_assert(!Callable<decltype(fw::menu_item::kItem), fw::String>);
static_assert(!Callable<decltype(fw::menu_item::kItem)>);
static_assert(Callable<decltype(fw::application::k_x_SetVersionData), int, int, int, int, int,
                       fw::String, fw::String, fw::String>);
static_assert(!Callable<decltype(fw::application::k_x_SetVersionData), int, int, int, int,
                        fw::String, fw::String, fw::String, fw::String>);
static_assert(Handles<decltype(fw::application::kOpenDocumentEvent), OpenDocumentHandler>);
static_assert(!Handles<decltype(fw::application::kOpenEvent), OpenDocumentHandler>);
// Events and operations are bound only through the tables that list them.
static_assert(!BindableAnywhere<decltype(fw::application::kOpenEvent), void (*)(fw::Object&)>);
static_assert(!BindableAnywhere<decltype(fw::menu_item::kClose), void (*)(fw::Object&)>);
static_assert(BindableAnywhere<decltype(fw::application::k__Init), void (*)(fw::Object&)>);
static_assert(!Handles<decltype(fw::application::kOpenDocumentEvent),
                       void (*)(fw::Object&, fw::Ref<fw::FolderItem>)>);

// A class's table passes only when its operations take the slots from the base's count on up to
// the class's own count; its other rows take none.
void AnyOperation(fw::Object&) {}
constexpr fw::Operation kRow{&fw::menu_item::kClose, "Close", &AnyOperation};
constexpr fw::Method kPlain{&fw::application::k__Init, "__Init", &AnyOperation};
static_assert(fw::AddsSlots(std::tuple{kRow, kRow}, 4, 6));
static_assert(fw::AddsSlots(std::tuple{kRow, kPlain, kRow}, 4, 6), "a method takes no slot");
static_assert(!fw::AddsSlots(std::tuple{kRow}, 4, 6), "a row missing");
static_assert(!fw::AddsSlots(std::tuple{kRow, kRow, kRow}, 4, 6), "a row too many");

// A row takes only a function of its slot's type.
template <class Slot, class Function>
concept Lists = requires(const Slot* slot, Function function) {
    fw::Operation<Slot>{slot, "", function};
};
static_assert(Lists<decltype(fw::menu_item::kCount), fw::Integer (*)(fw::Object&)>);
static_assert(!Lists<decltype(fw::menu_item::kCount), bool (*)(fw::Object&)>);

// The texts of a slot's type: a leading Object& is the receiver, a Ref<Object> stands for the
// class its row names.
static_assert(fw::SignatureText<void(fw::Object&, fw::Integer, const fw::Ref<fw::MenuItem>&)>() ==
              "%%i8o<MenuItem>");
static_assert(fw::ParameterText<void(fw::Object&, fw::Integer, const fw::Ref<fw::MenuItem>&)>() ==
              "Integer, MenuItem");
static_assert(fw::SignatureText<bool(fw::Object&, const fw::String&)>() == "%b%s");
static_assert(fw::SignatureText<void(bool)>() == "%%b");
static_assert(fw::SignatureText<void(fw::Object&, const std::any&, void*)>() == "%%vp");
static_assert(fw::ParameterText<void(fw::Object&, const std::any&, void*)>() == "Variant, Ptr");
static_assert(fw::SignatureText<fw::Ref<fw::Object>(fw::Object&, fw::Integer)>("Window") ==
              "%o<Window>%i8");
static_assert(fw::ParameterText<void(fw::Object&, const fw::Ref<fw::Object>&)>("TrayItem") ==
              "TrayItem");

TEST(ClassRecord, EveryEntryPointsAtTheSlotThatBindsItsFunction) {
    const ClassRecord& record = pindrel::App::__Lookup();
    ASSERT_GE(record.vtable.size(), 18u);
    EXPECT_EQ(record.vtable[17].slot, &fw::application::k_x_SetVersionData);
    const auto& bar = MenuBar1::__Lookup().vtable;
    EXPECT_EQ(bar[fw::MenuItem::kMenuItem].slot, &fw::menu_item::kMenuItem);
    EXPECT_EQ(bar[fw::MenuBar::k_InstallClone].slot, &fw::menu_bar::k_InstallClone);
    EXPECT_EQ(bar[MenuBar1::kUntitled1].slot, &pindrel::menu_bar1::kUntitled1);
    for (const auto& operation : record.vtable) {
        EXPECT_TRUE(operation.slot->Bound(record)) << operation.name;
    }
    for (const auto& method : record.methods) {
        ASSERT_NE(method.function, nullptr) << method.name;
        EXPECT_TRUE(method.function->Bound(record)) << method.name;
        if (method.slot) {
            EXPECT_EQ(method.function, record.vtable[*method.slot].slot) << method.name;
        }
    }
    // An event handler belongs to the record that binds it; the base binds none.
    EXPECT_NE(fw::application::kOpenEvent.Target(record), nullptr);
    EXPECT_EQ(fw::application::kOpenEvent.Target(fw::Application::Class()), nullptr);
}

TEST(ClassRecord, ANameResolvesOnlyToTheSlotOfItsType) {
    const fw::Ref<fw::Object> bar = fw::RuntimeNewObject(fw::MenuBar::Class());
    // "Count" is in the table, but as another slot than "Constructor".
    EXPECT_THROW(fw::menu_item::kConstructor.CallNamed(*bar, "Count"), fw::RuntimeException);
    EXPECT_THROW(fw::menu_item::kConstructor.CallNamed(*bar, "NoSuch"), fw::RuntimeException);
    EXPECT_NO_THROW(fw::menu_item::kConstructor.CallNamed(*bar, "Constructor"));
}

TEST(ClassRecord, ADerivedRecordInheritsNoAllocator) {
    static const ClassRecord& derived =
        fw::DefineClass("ClassRecordTest.NoAllocator", &fw::MenuItem::Class());
    EXPECT_EQ(derived.allocate, nullptr);
    EXPECT_THROW(fw::RuntimeNewObject(derived), fw::RuntimeException);
}

TEST(ClassRecord, CheckCastCatchesARecordThatLiesAboutItsObject) {
    // A record below MenuBar whose objects are plain menu items.
    static const ClassRecord& lying = []() -> const ClassRecord& {
        ClassRecord& record = fw::DefineClass("ClassRecordTest.Lying", &fw::MenuBar::Class());
        record.allocate = &fw::Allocate<fw::MenuItem>;
        return record;
    }();
    const fw::Ref<fw::Object> object = fw::RuntimeNewObject(lying);
    EXPECT_NO_THROW(fw::CheckCast<fw::MenuItem>(object, fw::MenuItem::Class()));
    if constexpr (fw::kCheckObjectTypes) {
        EXPECT_THROW(fw::CheckCast<fw::MenuBar>(object, fw::MenuBar::Class()), fw::RecordMismatch);
    } else {
        GTEST_SKIP() << "Only debug builds compare the object with its record.";
    }
}

} // namespace
