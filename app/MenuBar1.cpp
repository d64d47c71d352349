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

const fw::ClassRecord* menuBar1Record = nullptr;

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

Ref<MenuBar1>& ImplicitInstance() {
    // Never destroyed: the bar lives until the process ends.
    static Ref<MenuBar1>* instance = new Ref<MenuBar1>();
    return *instance;
}

} // namespace

const fw::ClassRecord& MenuBar1::__Lookup() {
    __ctblinit();
    return *menuBar1Record;
}

void MenuBar1::__ctblinit() {
    if (menuBar1Record != nullptr) {
        return;
    }
    fw::ClassRecord& record = fw::RuntimeNewClass(&fw::MenuBar::Class(), "MenuBar1.MenuBar1");
    menuBar1Record = &record;
    record.allocate = [](const fw::ClassRecord& r) -> Object* { return new MenuBar1(r); };

    fw::RuntimeNewVtable(record);
    record.vtable[MenuItem::kConstructor] = {"Constructor", "", "MenuBar1", &CallConstructor};
    record.vtable.push_back({"Untitled0", "", "MenuBar1", &CallUntitled0});
    record.vtable.push_back({"Untitled1", "", "MenuBar1", &CallUntitled1});

    // The inherited entry of the replaced operation now names this class's function.
    for (auto& method : record.methods) {
        if (method.slot == MenuItem::kConstructor) {
            method.function = &CallConstructor;
        }
    }
    for (const auto& [name, function, slot] :
         {std::tuple{"Untitled0", &CallUntitled0, kUntitled0},
          std::tuple{"Untitled1", &CallUntitled1, kUntitled1}}) {
        record.methods.push_back({name, "%%", function, std::size_t(slot), true, false,
                                  fw::RuntimeAllocateAttributeTable()});
    }
}

void MenuBar1::Constructor() {
    fw::CallVirtual<void>(*this, kUntitled0);
    fw::CallVirtual<void>(*this, kUntitled1);
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
        fw::CallVirtual<void>(*created, MenuItem::kConstructor);
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
