#pragma once

#include <any>
#include <cstddef>
#include <optional>
#include <string_view>
#include <vector>

#include "framework/ClassRecord.h"
#include "framework/Object.h"
#include "framework/String.h"

namespace fw {

// One entry of a menu, or a menu itself: it holds its children in order. The framework keeps
// the tree only; it creates no platform menu, since the program has no window to carry one.
//
// The operations below marked "through the class record" are virtual operations: they run
// whatever function the object's own record holds in that slot, so a subclass's record decides.
// Every menu operation raises ThreadAccessingUIException off the framework's thread.
class MenuItem : public Object {
public:
    // The virtual table's slots, in the order every menu class's record starts with.
    enum Slot : std::size_t {
        kAddMenu,
        kAddMenuAt,
        kAppend,
        kChild,
        kClone,
        kClose,
        kConstructor,
        kConstructorFromItem,
        kConstructorWithText,
        kCount,
        kEnable,
        kHandle,
        kInsert,
        kItem,
        kMenuAt,
        kMenuItem,
        kMenuItemWithText,
        kPopUp,
        kPopUpAt,
        kRemoveAt,
        kRemoveItem,
        kRemoveNamed,
        kRemoveMenuAt,
        k_DependencyList,
        k_DisableEntirely,
        k_Lookup,
        k_LookupIndexed,
        k_SelfEnable,
        k_Swap,
        kSlotCount
    };

    static constexpr std::string_view kRecordName = "MenuItem";
    static const ClassRecord& Class();
    explicit MenuItem(const ClassRecord& record = Class()) noexcept : Object(record) {}

    const String& Name() const;
    void Name(String name);
    // "&" marks the access key; "-" makes the item a separator.
    const String& Text() const;
    void Text(String text);
    // The shortcut, such as "Ctrl+Z"; empty when none.
    String CommandKey() const;
    void CommandKey(String commandKey);
    // Whether CommandKey was ever assigned, even to the empty text.
    bool CommandKeyAssigned() const;
    bool AutoEnable() const;
    void AutoEnable(bool autoEnable);
    bool Visible() const;
    void Visible(bool visible);
    bool Enabled() const;
    void Enabled(bool enabled);
    bool Checked() const;
    void Checked(bool checked);
    Integer Index() const;
    void Index(Integer index);
    const std::any& Tag() const;
    void Tag(std::any tag);

    // Through the class record.
    void Constructor();
    // Appends the item as the last child.
    void AddMenu(const Ref<MenuItem>& item);
    // The direct child with that Name; nil when there is none.
    Ref<MenuItem> Child(const String& name);
    Integer Count();
    // OutOfBoundsException outside 0 to Count - 1.
    Ref<MenuItem> Item(Integer index);

    // The user chose the item: the handler that the class record binds to the Action event
    // runs; when none is bound, or it returns False, the framework's own action for the item.
    void Action();

protected:
    // The framework's own action for a chosen item; a plain item has none.
    virtual void FrameworkAction() {}

private:
    friend struct MenuItemOperations;

    String name_;
    String text_;
    std::optional<String> commandKey_;
    bool autoEnable_ = false;
    bool visible_ = true;
    bool enabled_ = true;
    bool checked_ = false;
    Integer index_ = -1;
    std::any tag_;
    std::vector<Ref<MenuItem>> children_;
};

// MenuItem's virtual operations, one typed slot each; the slot numbers are MenuItem::Slot's.
namespace menu_item {
using ItemSlot = VirtualSlot<void(Object&, const Ref<MenuItem>&)>;
using IndexedItemSlot = VirtualSlot<void(Object&, Integer, const Ref<MenuItem>&)>;
using TextSlot = VirtualSlot<void(Object&, const String&, const std::any&)>;
using PlainSlot = VirtualSlot<void(Object&)>;
using FindSlot = VirtualSlot<Ref<MenuItem>(Object&, const String&)>;
using AtSlot = VirtualSlot<Ref<MenuItem>(Object&, Integer)>;
using IndexSlot = VirtualSlot<void(Object&, Integer)>;

inline const ItemSlot kAddMenu;
inline const IndexedItemSlot kAddMenuAt;
inline const ItemSlot kAppend;
inline const FindSlot kChild;
inline const VirtualSlot<Ref<MenuItem>(Object&)> kClone;
inline const PlainSlot kClose;
inline const PlainSlot kConstructor;
inline const ItemSlot kConstructorFromItem;
inline const TextSlot kConstructorWithText;
inline const VirtualSlot<Integer(Object&)> kCount;
inline const PlainSlot kEnable;
inline const VirtualSlot<Integer(Object&, Integer)> kHandle;
inline const IndexedItemSlot kInsert;
inline const AtSlot kItem;
inline const AtSlot kMenuAt;
inline const PlainSlot kMenuItem;
inline const TextSlot kMenuItemWithText;
inline const VirtualSlot<Ref<MenuItem>(Object&)> kPopUp;
inline const VirtualSlot<Ref<MenuItem>(Object&, Integer, Integer)> kPopUpAt;
inline const IndexSlot kRemoveAt;
inline const ItemSlot kRemoveItem;
inline const VirtualSlot<void(Object&, const String&)> kRemoveNamed;
inline const IndexSlot kRemoveMenuAt;
inline const PlainSlot k_DependencyList;
inline const PlainSlot k_DisableEntirely;
inline const FindSlot k_Lookup;
inline const VirtualSlot<Ref<MenuItem>(Object&, const String&, Integer)> k_LookupIndexed;
inline const PlainSlot k_SelfEnable;
inline const VirtualSlot<void(Object&, const String&, const Ref<MenuItem>&)> k_Swap;

// The user chose the item; the handler answers True when it handled the choice.
inline const EventSlot<bool(Object&)> kActionEvent;
} // namespace menu_item

} // namespace fw
