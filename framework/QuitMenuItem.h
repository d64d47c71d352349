#pragma once

#include "framework/MenuItem.h"

namespace fw {

// The menu item that quits the application: when it is chosen and no handler of the program
// takes the choice, the framework asks the application to quit with exit code 0.
class QuitMenuItem : public MenuItem {
public:
    static const ClassRecord& Class();
    explicit QuitMenuItem(const ClassRecord& record = Class()) noexcept : MenuItem(record) {}

protected:
    void FrameworkAction() override;
};

} // namespace fw
