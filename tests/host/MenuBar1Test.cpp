#include <gtest/gtest.h>

#include <exception>
#include <string>
#include <thread>
#include <vector>

#include "app/MenuBar1.h"
#include "framework/ClassRecord.h"
#include "framework/Exceptions.h"
#include "framework/QuitMenuItem.h"

namespace {

using fw::MenuItem;
using fw::Ref;
using fw::String;
using pindrel::MenuBar1;

class MenuBar1Test : public testing::Test {
protected:
    // The holder's starting state, as the initialiser table leaves it.
    void SetUp() override { pindrel::global::Init_implicitInstance(); }
    void TearDown() override { pindrel::global::Init_implicitInstance(); }

    // A bar of a subclass whose record replaces some of MenuBar1's slots.
    static Ref<MenuBar1> NewBar(const fw::ClassRecord& record) {
        return fw::CheckCast<MenuBar1>(fw::RuntimeNewObject(record), record);
    }
};

struct Row {
    const char* name;
    const char* text;
    const char* commandKey; // null: never assigned
    bool quitItem;
};

void ExpectItem(const Ref<MenuItem>& item, const Row& row) {
    SCOPED_TRACE(row.name);
    ASSERT_FALSE(item.IsNil());
    EXPECT_EQ(item->Name(), String(row.name));
    EXPECT_EQ(item->Text(), String(row.text));
    EXPECT_EQ(&item->Record(), row.quitItem ? &fw::QuitMenuItem::Class() : &MenuItem::Class());
    EXPECT_EQ(item->CommandKeyAssigned(), row.commandKey != nullptr);
    EXPECT_EQ(item->CommandKey(), String(row.commandKey ? row.commandKey : ""));
    EXPECT_TRUE(item->AutoEnable());
    EXPECT_TRUE(item->Visible());
    // Left as a new item has them.
    EXPECT_TRUE(item->Enabled());
    EXPECT_FALSE(item->Checked());
}

TEST_F(MenuBar1Test, TheAccessorBuildsTheWholeTreeOnce) {
    const Ref<MenuBar1> bar = pindrel::global::MenuBar1();
    ASSERT_FALSE(bar.IsNil());
    EXPECT_EQ(&bar->Record(), &MenuBar1::__Lookup());
    ASSERT_EQ(bar->Count(), 2) << "the bar holds the File and Edit menus";

    const Ref<MenuItem> file = bar->Item(0);
    ExpectItem(file, {"FileMenu", "&File", "", false});
    ASSERT_EQ(file->Count(), 1) << "File holds Exit alone";
    ExpectItem(file->Item(0), {"FileQuit", "E&xit", "", true});

    const Ref<MenuItem> edit = bar->Item(1);
    ExpectItem(edit, {"EditMenu", "&Edit", "", false});
    const Row editRows[] = {
        {"EditUndo", "&Undo", "Ctrl+Z", false},   {"UntitledMenu1", "-", nullptr, false},
        {"EditCut", "Cu&t", "Ctrl+X", false},     {"EditCopy", "&Copy", "Ctrl+C", false},
        {"EditPaste", "&Paste", "Ctrl+V", false}, {"EditClear", "&Delete", "", false},
        {"UntitledMenu0", "-", nullptr, false},   {"EditSelectAll", "Select &All", "Ctrl+A", false},
    };
    ASSERT_EQ(edit->Count(), 8) << "Edit holds the eight rows above";
    for (fw::Integer i = 0; i < 8; ++i) {
        ExpectItem(edit->Item(i), editRows[i]);
        EXPECT_EQ(edit->Item(i)->Count(), 0);
    }

    // A second call hands out the same bar and builds nothing more.
    const Ref<MenuBar1> again = pindrel::global::MenuBar1();
    EXPECT_EQ(again, bar);
    EXPECT_EQ(bar->Count(), 2);
    EXPECT_EQ(file->Count(), 1);
    EXPECT_EQ(edit->Count(), 8);
}

// Test records derived from MenuBar1's, each replacing slots with functions of the test.
std::vector<std::string> calls;

const fw::ClassRecord& DerivedRecord(const char* name, void (*change)(fw::ClassRecord&)) {
    fw::ClassRecord& record = fw::RuntimeNewClass(&MenuBar1::__Lookup(), name);
    record.allocate = &fw::Allocate<MenuBar1>;
    fw::RuntimeNewVtable(record);
    change(record);
    return record;
}

TEST_F(MenuBar1Test, TheConstructorCallsBothBuildersThroughTheVirtualTable) {
    static const fw::ClassRecord& record =
        DerivedRecord("MenuBar1Test.Recording", [](fw::ClassRecord& r) {
            pindrel::menu_bar1::kUntitled0.Override(
                r, "MenuBar1Test", [](fw::Object&) { calls.push_back("Untitled0"); });
            pindrel::menu_bar1::kUntitled1.Override(
                r, "MenuBar1Test", [](fw::Object&) { calls.push_back("Untitled1"); });
        });
    calls.clear();
    const Ref<MenuBar1> bar = NewBar(record);
    fw::menu_item::kConstructor.Call(*bar);
    EXPECT_EQ(calls, (std::vector<std::string>{"Untitled0", "Untitled1"}));
    EXPECT_EQ(bar->Count(), 0);
}

TEST_F(MenuBar1Test, AParentThatCannotBeFoundRaisesNilObjectException) {
    static const fw::ClassRecord& record =
        DerivedRecord("MenuBar1Test.NoChildren", [](fw::ClassRecord& r) {
            fw::menu_item::kChild.Override(
                r, "MenuBar1Test",
                [](fw::Object&, const String&) -> Ref<MenuItem> { return nullptr; });
        });
    const Ref<MenuBar1> bar = NewBar(record);
    EXPECT_THROW(fw::menu_item::kConstructor.Call(*bar), fw::NilObjectException);
    // The File menu was attached before its item failed and stays; the Edit menu never began.
    ASSERT_EQ(bar->Count(), 1);
    EXPECT_EQ(bar->Item(0)->Name(), String("FileMenu"));
    EXPECT_EQ(bar->Item(0)->Count(), 0);
}

TEST_F(MenuBar1Test, MenuOperationsOffTheFrameworksThreadRaise) {
    const auto item = fw::New<MenuItem>();
    const auto other = fw::New<MenuItem>();
    std::vector<std::string> raised;
    std::thread([&] {
        const std::pair<const char*, std::function<void()>> operations[] = {
            {"accessor", [] { pindrel::global::MenuBar1(); }},
            {"Constructor", [&] { item->Constructor(); }},
            {"Name", [&] { item->Name("x"); }},
            {"Text", [&] { item->Text(); }},
            {"CommandKey", [&] { item->CommandKey(""); }},
            {"AddMenu", [&] { item->AddMenu(other); }},
            {"Child", [&] { item->Child("x"); }},
            {"Count", [&] { item->Count(); }},
            {"Action", [&] { item->Action(); }},
        };
        for (const auto& [name, operation] : operations) {
            try {
                operation();
            } catch (const fw::ThreadAccessingUIException&) {
                raised.push_back(name);
            }
        }
    }).join();
    EXPECT_EQ(raised,
              (std::vector<std::string>{"accessor", "Constructor", "Name", "Text", "CommandKey",
                                        "AddMenu", "Child", "Count", "Action"}));
    EXPECT_EQ(item->Count(), 0);
    EXPECT_TRUE(item->Name().IsEmpty());

    // The failed build kept nothing: the next call starts again and builds the whole tree.
    const Ref<MenuBar1> bar = pindrel::global::MenuBar1();
    ASSERT_EQ(bar->Count(), 2);
    EXPECT_EQ(bar->Item(0)->Count(), 1);
    EXPECT_EQ(bar->Item(1)->Count(), 8);
}

} // namespace
