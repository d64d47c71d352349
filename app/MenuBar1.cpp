#include "app/MenuBar1.h"

#include <tuple>

#include "framework/Exceptions.h"
#include "framework/MenuItem.h"
#include "framework/QuitMenuItem.h"

namespace pindrel {

using fw::MenuItem;
using fw::Object;
using fw::Ref;

namespace {

MenuBar1& AsMenuBar1(Object& self) {
    return static_cast<MenuBar1&>(self);
}

void CallConstructor(Object& self) {
    AsMenuBar1(self).Constructor();
}
void CallUntitled0(Object& self) {
    AsMenuBar1(self).Untitled0();
}
void CallUntitled1(Object& self) {
    AsMenuBar1(self).Untitled1();
}

// One row of the menu table.
struct MenuRow {
    const fw::ClassRecord& (*kind)();
    const char* name;
    const char* text;
    // Null for the separators, which never receive a CommandKey assignment.
    const char* commandKey;
    // Null for a top-level menu, which goes on the bar itself.
    const char* parent;
};

const MenuRow kFileMenu[] = {
    {&MenuItem::Class, "FileMenu", "&File", "", nullptr},
    {&fw::QuitMenuItem::Class, "FileQuit", "E&xit", "", "FileMenu"},
};

const MenuRow kEditMenu[] = {
    {&MenuItem::Class, "EditMenu", "&Edit", "", nullptr},
    {&MenuItem::Class, "EditUndo", "&Undo", "Ctrl+Z", "EditMenu"},
    {&MenuItem::Class, "UntitledMenu1", "-", nullptr, "EditMenu"},
    {&MenuItem::Class, "EditCut", "Cu&t", "Ctrl+X", "EditMenu"},
    {&MenuItem::Class, "EditCopy", "&Copy", "Ctrl+C", "EditMenu"},
    {&MenuItem::Class, "EditPaste", "&Paste", "Ctrl+V", "EditMenu"},
    {&MenuItem::Class, "EditClear", "&Delete", "", "EditMenu"},
    {&MenuItem::Class, "UntitledMenu0", "-", nullptr, "EditMenu"},
    {&MenuItem::Class, "EditSelectAll", "Select &All", "Ctrl+A", "EditMenu"},
};

// Creates the row's item with every property set, then attaches it. The parent is looked up
// by name each time rather than remembered.
void Build(MenuBar1& bar, const MenuRow& row) {
    const fw::ClassRecord& kind = row.kind();
    const Ref<MenuItem> item = fw::CheckCast<MenuItem>(fw::RuntimeNewObject(kind), kind);
    item->Constructor();
    item->Name(row.name);
    item->AutoEnable(true);
    item->Text(row.text);
    item->Visible(true);
    if (row.commandKey != nullptr) {
        item->CommandKey(row.commandKey);
    }
    if (row.parent == nullptr) {
        bar.AddMenu(item);
        return;
    }
    const Ref<MenuItem> parent = bar.Child(row.parent);
    if (!parent) {
        throw fw::NilObjectException();
    }
    parent->AddMenu(item);
}

// MenuBar1's entries: its own constructor, and its own virtual operations, after the
// framework's, in the order MenuBar1::Slot numbers them.
constexpr std::tuple kEntries{
    fw::Replacement{&fw::menu_item::kConstructor, &CallConstructor},
    fw::Operation{&menu_bar1::kUntitled0, "Untitled0", &CallUntitled0},
    fw::Operation{&menu_bar1::kUntitled1, "Untitled1", &CallUntitled1},
};
static_assert(fw::AddsSlots(kEntries, fw::MenuBar::kSlotCount, MenuBar1::kSlotCount),
              "MenuBar1's operations are out of step with MenuBar1::Slot.");

Ref<MenuBar1>& ImplicitInstance() {
    // Never destroyed: the bar lives until the process ends.
    static Ref<MenuBar1>* instance = new Ref<MenuBar1>();
    return *instance;
}

} // namespace

const fw::ClassRecord& MenuBar1::__Lookup() {
    // Published only once the builder has filled it in.
    static const fw::ClassRecord& record = []() -> const fw::ClassRecord& {
        fw::ClassRecord& built = fw::RuntimeNewClass(&fw::MenuBar::Class(), "MenuBar1.MenuBar1");
        built.allocate = &fw::Allocate<MenuBar1>;
        fw::RuntimeNewVtable(built);
        fw::AddEntries(built, "MenuBar1", kEntries);
        return built;
    }();
    return record;
}

void MenuBar1::__ctblinit() {
    __Lookup();
}

void MenuBar1::Constructor() {
    menu_bar1::kUntitled0.Call(*this);
    menu_bar1::kUntitled1.Call(*this);
}

void MenuBar1::Untitled0() {
    for (const MenuRow& row : kFileMenu) {
        Build(*this, row);
    }
}

void MenuBar1::Untitled1() {
    for (const MenuRow& row : kEditMenu) {
        Build(*this, row);
    }
}

namespace global {

fw::Ref<pindrel::MenuBar1> MenuBar1() {
    Ref<pindrel::MenuBar1>& instance = ImplicitInstance();
    if (!instance) {
        const fw::ClassRecord& record = pindrel::MenuBar1::__Lookup();
        const Ref<Object> created = fw::RuntimeNewObject(record);
        fw::menu_item::kConstructor.Call(*created);
        // Kept only once the whole tree stands.
        instance = fw::CheckCast<pindrel::MenuBar1>(created, record);
    }
    return instance;
}

void Init_implicitInstance() {
    ImplicitInstance() = nullptr;
}

} // namespace global

} // namespace pindrel
