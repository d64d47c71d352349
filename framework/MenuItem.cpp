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

// MenuItem's entries: its virtual operations in slot order, which MenuItem::Slot numbers; the
// aliases share their operation's function.
constexpr std::tuple kEntries{
    Operation{&menu_item::kAddMenu, "AddMenu", &Operations::AddMenu},
    Operation{&menu_item::kAddMenuAt, "AddMenuAt", &Operations::AddMenuAt},
    Operation{&menu_item::kAppend, "Append", &Operations::AddMenu},
    Operation{&menu_item::kChild, "Child", &Operations::Child},
    Operation{&menu_item::kClone, "Clone", &Operations::Clone},
    Operation{&menu_item::kClose, "Close", &Operations::Close},
    Operation{&menu_item::kConstructor, "Constructor", &Operations::Constructor},
    Operation{&menu_item::kConstructorFromItem, "Constructor", &Operations::ConstructorFromItem},
    Operation{&menu_item::kConstructorWithText, "Constructor", &Operations::ConstructorWithText},
    Operation{&menu_item::kCount, "Count", &Operations::Count},
    Operation{&menu_item::kEnable, "Enable", &Operations::Enable},
    Operation{&menu_item::kHandle, "Handle", &Operations::Handle,
              ParametersAre("MenuItem.HandleType")},
    Operation{&menu_item::kInsert, "Insert", &Operations::AddMenuAt},
    Operation{&menu_item::kItem, "Item", &Operations::Item},
    Operation{&menu_item::kMenuAt, "MenuAt", &Operations::Item},
    Operation{&menu_item::kMenuItem, "MenuItem", &Operations::Constructor},
    Operation{&menu_item::kMenuItemWithText, "MenuItem", &Operations::ConstructorWithText},
    Operation{&menu_item::kPopUp, "PopUp", &Operations::PopUp},
    Operation{&menu_item::kPopUpAt, "PopUp", &Operations::PopUpAt},
    Operation{&menu_item::kRemoveAt, "Remove", &Operations::RemoveAt},
    Operation{&menu_item::kRemoveItem, "Remove", &Operations::RemoveItem},
    Operation{&menu_item::kRemoveNamed, "Remove", &Operations::RemoveNamed},
    Operation{&menu_item::kRemoveMenuAt, "RemoveMenuAt", &Operations::RemoveAt},
    Operation{&menu_item::k_DependencyList, "_DependencyList", &Operations::DependencyList},
    Operation{&menu_item::k_DisableEntirely, "_DisableEntirely", &Operations::DisableEntirely},
    Operation{&menu_item::k_Lookup, "_Lookup", &Operations::Lookup},
    Operation{&menu_item::k_LookupIndexed, "_Lookup", &Operations::LookupIndexed},
    Operation{&menu_item::k_SelfEnable, "_SelfEnable", &Operations::SelfEnable},
    Operation{&menu_item::k_Swap, "_Swap", &Operations::Swap},
};
static_assert(AddsSlots(kEntries, 0, MenuItem::kSlotCount),
              "MenuItem's operations are out of step with MenuItem::Slot.");

ClassRecord& BuildRecord() {
    ClassRecord& record = RuntimeNewClass(&Object::Class(), std::string(MenuItem::kRecordName));
    RuntimeNewVtable(record);
    record.allocate = &Allocate<MenuItem>;
    AddEntries(record, MenuItem::kRecordName, kEntries);
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
