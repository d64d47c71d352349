#pragma once

#include "framework/MenuItem.h"

namespace fw {

// The application's menu bar: a menu whose children are the top-level menus.
class MenuBar : public MenuItem {
public:
    // MenuBar's slots follow MenuItem's.
    enum Slot : std::size_t { k_InstallClone = MenuItem::kSlotCount, kSlotCount };

    static const ClassRecord& Class();
    explicit MenuBar(const ClassRecord& record = Class()) noexcept : MenuItem(record) {}
};

namespace menu_bar {
// Replaces the bar's menus with copies of the menus of the given one.
inline const VirtualSlot<void(Object&, const Ref<MenuItem>&)> k_InstallClone;
} // namespace menu_bar

} // namespace fw
