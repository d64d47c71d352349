#pragma once

#include "framework/ClassRecord.h"
#include "framework/MenuBar.h"
#include "framework/Object.h"

namespace pindrel {

// The application's menu bar: a File menu holding Exit, and an Edit menu with Undo, Cut, Copy,
// Paste, Delete and Select All. The tree is built once, by the constructor.
class MenuBar1 : public fw::MenuBar {
public:
    // MenuBar1's own slots follow the framework's.
    enum Slot : std::size_t { kUntitled0 = fw::MenuBar::kSlotCount, kUntitled1, kSlotCount };

    // The class record, built on first use; __ctblinit builds it, once.
    static const fw::ClassRecord& __Lookup();
    static void __ctblinit();

    explicit MenuBar1(const fw::ClassRecord& record = __Lookup()) noexcept : fw::MenuBar(record) {}

    // Builds the whole tree through the virtual table: Untitled0, then Untitled1.
    void Constructor();
    // The File menu.
    void Untitled0();
    // The Edit menu.
    void Untitled1();
};

// MenuBar1's own virtual operations.
namespace menu_bar1 {
inline const fw::VirtualSlot<void(fw::Object&)> kUntitled0;
inline const fw::VirtualSlot<void(fw::Object&)> kUntitled1;
} // namespace menu_bar1

namespace global {

// The one menu bar, created and built on the first call and kept for the rest of the process.
// When building fails, nothing is kept and the exception passes on; a later call starts again.
fw::Ref<pindrel::MenuBar1> MenuBar1();

// The initialiser of the accessor's instance holder: it starts out empty, which at process
// start it already is.
void Init_implicitInstance();

} // namespace global

} // namespace pindrel
