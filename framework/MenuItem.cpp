#include "framework/MenuItem.h"

#include <algorithm>
#include <string>
#include <tuple>

#include "framework/ClassRecord.h"
#include "framework/Exceptions.h"
#include "framework/UIThread.h"

namespace fw {

// The framework's functions behind MenuItem's virtual operations.
struct MenuItemOperations {
    static MenuItem& Self(Object& self) {
        RequireUIThread();
        return static_cast<MenuItem&>(self);
    }

    static std::size_t Position(Integer index, std::size_t end) {
        if (index < 0 || static_cast<std::size_t>(index) >= end) {
            throw OutOfBoundsException("There is no menu item at index " + std::to_string(index) +
                                       ".");
        }
        return static_cast<std::size_t>(index);
    }

    static void AddMenu(Object& self, const Ref<MenuItem>& item) {
        MenuItem& menu = Self(self);
        menu.children_.push_back(Checked(item));
    }

    static void AddMenuAt(Object& self, Integer index, const Ref<MenuItem>& item) {
        MenuItem& menu = Self(self);
        const std::size_t at = Position(index, menu.children_.size() + 1);
        menu.children_.insert(menu.children_.begin() + at, Checked(item));
    }

    static Ref<MenuItem> Child(Object& self, const String& name) {
        MenuItem& menu = Self(self);
        for (const auto& child : menu.children_) {
            if (child->name_ == name) {
                return child;
            }
        }
        return nullptr;
    }

    static Ref<MenuItem> Clone(Object& self) {
        MenuItem& menu = Self(self);
        const Ref<Object> created = RuntimeNewObject(menu.Record());
        Ref<MenuItem> copy = CheckCast<MenuItem>(created, MenuItem::Class());
        CopyFrom(*copy, menu);
        return copy;
    }

    // Nothing to close: no platform menu stands behind the tree.
    static void Close(Object& self) { Self(self); }

    // The object's own fields already hold a new item's values.
    static void Constructor(Object& self) { Self(self); }

    static void ConstructorFromItem(Object& self, const Ref<MenuItem>& item) {
        CopyFrom(Self(self), *Checked(item));
    }

    static void ConstructorWithText(Object& self, const String& text, const std::any& tag) {
        MenuItem& menu = Self(self);
        menu.text_ = text;
        menu.tag_ = tag;
    }

    static Integer Count(Object& self) { return static_cast<Integer>(Self(self).children_.size()); }

    static void Enable(Object& self) { Self(self).enabled_ = true; }

    // There is no platform menu, so there is no handle of any kind.
    static Integer Handle(Object& self, Integer) {
        Self(self);
        return 0;
    }

    static Ref<MenuItem> Item(Object& self, Integer index) {
        MenuItem& menu = Self(self);
        return menu.children_[Position(index, menu.children_.size())];
    }

    // Nothing is shown, so nothing is ever chosen.
    static Ref<MenuItem> PopUp(Object& self) {
        Self(self);
        return nullptr;
    }
    static Ref<MenuItem> PopUpAt(Object& self, Integer, Integer) { return PopUp(self); }

    static void RemoveAt(Object& self, Integer index) {
        MenuItem& menu = Self(self);
        menu.children_.erase(menu.children_.begin() + Position(index, menu.children_.size()));
    }

    static void RemoveItem(Object& self, const Ref<MenuItem>& item) {
        auto& children = Self(self).children_;
        children.erase(std::remove(children.begin(), children.end(), item), children.end());
    }

    static void RemoveNamed(Object& self, const String& name) {
        auto& children = Self(self).children_;
        std::erase_if(children, [&](const Ref<MenuItem>& child) { return child->name_ == name; });
    }

    static void DependencyList(Object& self) { Self(self); }

    static void DisableEntirely(Object& self) {
        MenuItem& menu = Self(self);
        menu.enabled_ = false;
        for (const auto& child : menu.children_) {
            DisableEntirely(*child);
        }
    }

    // Depth first, the item itself included.
    static Ref<MenuItem> Find(MenuItem& menu, const String& name, std::optional<Integer> index) {
        for (const auto& child : menu.children_) {
            if (child->name_ == name && (!index || child->index_ == *index)) {
                return child;
            }
            if (Ref<MenuItem> found = Find(*child, name, index)) {
                return found;
            }
        }
        return nullptr;
    }

    static Ref<MenuItem> Lookup(Object& self, const String& name) {
        return Find(Self(self), name, std::nullopt);
    }

    static Ref<MenuItem> LookupIndexed(Object& self, const String& name, Integer index) {
        return Find(Self(self), name, index);
    }

    static void SelfEnable(Object& self) {
        MenuItem& menu = Self(self);
        if (menu.autoEnable_) {
            menu.enabled_ = true;
        }
    }

    static void Swap(Object& self, const String& name, const Ref<MenuItem>& item) {
        for (auto& child : Self(self).children_) {
            if (child->name_ == name) {
                child = Checked(item);
                return;
            }
        }
    }

    static const Ref<MenuItem>& Checked(const Ref<MenuItem>& item) {
        if (!item) {
            throw NilObjectException();
        }
        return item;
    }

    // Properties, and clones of the children, so the copy shares nothing with the original.
    static void CopyFrom(MenuItem& copy, MenuItem& original) {
        copy.name_ = original.name_;
        copy.text_ = original.text_;
        copy.commandKey_ = original.commandKey_;
        copy.autoEnable_ = original.autoEnable_;
        copy.visible_ = original.visible_;
        copy.enabled_ = original.enabled_;
        copy.checked_ = original.checked_;
        copy.index_ = original.index_;
        copy.tag_ = original.tag_;
        std::vector<Ref<MenuItem>> children;
        for (const auto& child : original.children_) {
            children.push_back(menu_item::kClone.Call(*child));
        }
        copy.children_ = std::move(children);
    }
};

namespace {

using Operations = MenuItemOperations;

// MenuItem's virtual operations in slot order, which MenuItem::Slot numbers; the aliases share
// their operation's function.
constexpr std::tuple kOperations{
    OperationEntry{&menu_item::kAddMenu, MenuItem::kAddMenu, "AddMenu", "MenuItem", "%%o<MenuItem>",
                   &Operations::AddMenu},
    OperationEntry{&menu_item::kAddMenuAt, MenuItem::kAddMenuAt, "AddMenuAt", "Integer, MenuItem",
                   "%%i8o<MenuItem>", &Operations::AddMenuAt},
    OperationEntry{&menu_item::kAppend, MenuItem::kAppend, "Append", "MenuItem", "%%o<MenuItem>",
                   &Operations::AddMenu},
    OperationEntry{&menu_item::kChild, MenuItem::kChild, "Child", "String", "%o<MenuItem>%s",
                   &Operations::Child},
    OperationEntry{&menu_item::kClone, MenuItem::kClone, "Clone", "", "%o<MenuItem>%",
                   &Operations::Clone},
    OperationEntry{&menu_item::kClose, MenuItem::kClose, "Close", "", "%%", &Operations::Close},
    OperationEntry{&menu_item::kConstructor, MenuItem::kConstructor, "Constructor", "", "%%",
                   &Operations::Constructor},
    OperationEntry{&menu_item::kConstructorFromItem, MenuItem::kConstructorFromItem, "Constructor",
                   "MenuItem", "%%o<MenuItem>", &Operations::ConstructorFromItem},
    OperationEntry{&menu_item::kConstructorWithText, MenuItem::kConstructorWithText, "Constructor",
                   "String, Variant", "%%sv", &Operations::ConstructorWithText},
    OperationEntry{&menu_item::kCount, MenuItem::kCount, "Count", "", "%i8%", &Operations::Count},
    OperationEntry{&menu_item::kEnable, MenuItem::kEnable, "Enable", "", "%%", &Operations::Enable},
    OperationEntry{&menu_item::kHandle, MenuItem::kHandle, "Handle", "MenuItem.HandleType",
                   "%i8%i8", &Operations::Handle},
    OperationEntry{&menu_item::kInsert, MenuItem::kInsert, "Insert", "Integer, MenuItem",
                   "%%i8o<MenuItem>", &Operations::AddMenuAt},
    OperationEntry{&menu_item::kItem, MenuItem::kItem, "Item", "Integer", "%o<MenuItem>%i8",
                   &Operations::Item},
    OperationEntry{&menu_item::kMenuAt, MenuItem::kMenuAt, "MenuAt", "Integer", "%o<MenuItem>%i8",
                   &Operations::Item},
    OperationEntry{&menu_item::kMenuItem, MenuItem::kMenuItem, "MenuItem", "", "%%",
                   &Operations::Constructor},
    OperationEntry{&menu_item::kMenuItemWithText, MenuItem::kMenuItemWithText, "MenuItem",
                   "String, Variant", "%%sv", &Operations::ConstructorWithText},
    OperationEntry{&menu_item::kPopUp, MenuItem::kPopUp, "PopUp", "", "%o<MenuItem>%",
                   &Operations::PopUp},
    OperationEntry{&menu_item::kPopUpAt, MenuItem::kPopUpAt, "PopUp", "Integer, Integer",
                   "%o<MenuItem>%i8i8", &Operations::PopUpAt},
    OperationEntry{&menu_item::kRemoveAt, MenuItem::kRemoveAt, "Remove", "Integer", "%%i8",
                   &Operations::RemoveAt},
    OperationEntry{&menu_item::kRemoveItem, MenuItem::kRemoveItem, "Remove", "MenuItem",
                   "%%o<MenuItem>", &Operations::RemoveItem},
    OperationEntry{&menu_item::kRemoveNamed, MenuItem::kRemoveNamed, "Remove", "String", "%%s",
                   &Operations::RemoveNamed},
    OperationEntry{&menu_item::kRemoveMenuAt, MenuItem::kRemoveMenuAt, "RemoveMenuAt", "Integer",
                   "%%i8", &Operations::RemoveAt},
    OperationEntry{&menu_item::k_DependencyList, MenuItem::k_DependencyList, "_DependencyList", "",
                   "%%", &Operations::DependencyList},
    OperationEntry{&menu_item::k_DisableEntirely, MenuItem::k_DisableEntirely, "_DisableEntirely",
                   "", "%%", &Operations::DisableEntirely},
    OperationEntry{&menu_item::k_Lookup, MenuItem::k_Lookup, "_Lookup", "String", "%o<MenuItem>%s",
                   &Operations::Lookup},
    OperationEntry{&menu_item::k_LookupIndexed, MenuItem::k_LookupIndexed, "_Lookup",
                   "String, Integer", "%o<MenuItem>%si8", &Operations::LookupIndexed},
    OperationEntry{&menu_item::k_SelfEnable, MenuItem::k_SelfEnable, "_SelfEnable", "", "%%",
                   &Operations::SelfEnable},
    OperationEntry{&menu_item::k_Swap, MenuItem::k_Swap, "_Swap", "String, MenuItem",
                   "%%so<MenuItem>", &Operations::Swap},
};
static_assert(NumbersSlots(kOperations, 0, MenuItem::kSlotCount),
              "MenuItem's operations are out of step with MenuItem::Slot.");

ClassRecord& BuildRecord() {
    ClassRecord& record = RuntimeNewClass(&Object::Class(), "MenuItem");
    RuntimeNewVtable(record);
    record.allocate = &Allocate<MenuItem>;
    AddOperations(record, "MenuItem", kOperations);
    menu_item::kActionEvent.Declare(record, "Action");
    // The framework never raises EnableMenu, so nothing can bind it.
    record.events.push_back({"EnableMenu", nullptr, &record});
    return record;
}

} // namespace

const ClassRecord& MenuItem::Class() {
    static const ClassRecord& record = BuildRecord();
    return record;
}

const String& MenuItem::Name() const {
    RequireUIThread();
    return name_;
}
void MenuItem::Name(String name) {
    RequireUIThread();
    name_ = std::move(name);
}
const String& MenuItem::Text() const {
    RequireUIThread();
    return text_;
}
void MenuItem::Text(String text) {
    RequireUIThread();
    text_ = std::move(text);
}
String MenuItem::CommandKey() const {
    RequireUIThread();
    return commandKey_.value_or(String());
}
void MenuItem::CommandKey(String commandKey) {
    RequireUIThread();
    commandKey_ = std::move(commandKey);
}
bool MenuItem::CommandKeyAssigned() const {
    RequireUIThread();
    return commandKey_.has_value();
}
bool MenuItem::AutoEnable() const {
    RequireUIThread();
    return autoEnable_;
}
void MenuItem::AutoEnable(bool autoEnable) {
    RequireUIThread();
    autoEnable_ = autoEnable;
}
bool MenuItem::Visible() const {
    RequireUIThread();
    return visible_;
}
void MenuItem::Visible(bool visible) {
    RequireUIThread();
    visible_ = visible;
}
bool MenuItem::Enabled() const {
    RequireUIThread();
    return enabled_;
}
void MenuItem::Enabled(bool enabled) {
    RequireUIThread();
    enabled_ = enabled;
}
bool MenuItem::Checked() const {
    RequireUIThread();
    return checked_;
}
void MenuItem::Checked(bool checked) {
    RequireUIThread();
    checked_ = checked;
}
Integer MenuItem::Index() const {
    RequireUIThread();
    return index_;
}
void MenuItem::Index(Integer index) {
    RequireUIThread();
    index_ = index;
}
const std::any& MenuItem::Tag() const {
    RequireUIThread();
    return tag_;
}
void MenuItem::Tag(std::any tag) {
    RequireUIThread();
    tag_ = std::move(tag);
}

void MenuItem::Constructor() {
    menu_item::kConstructor.Call(*this);
}

void MenuItem::AddMenu(const Ref<MenuItem>& item) {
    menu_item::kAddMenu.Call(*this, item);
}

Ref<MenuItem> MenuItem::Child(const String& name) {
    return menu_item::kChild.Call(*this, name);
}

Integer MenuItem::Count() {
    return menu_item::kCount.Call(*this);
}

Ref<MenuItem> MenuItem::Item(Integer index) {
    return menu_item::kItem.Call(*this, index);
}

void MenuItem::Action() {
    RequireUIThread();
    // Keeps the item alive should the handler drop the last other reference to it.
    const Ref<MenuItem> self(this);
    if (const auto handler = menu_item::kActionEvent.Target(Record()); handler && handler(*this)) {
        return;
    }
    FrameworkAction();
}

} // namespace fw
