#include <gtest/gtest.h>

#include <thread>

#include "framework/Exceptions.h"
#include "framework/MessageDialog.h"
#include "framework/headless/Control.h"

namespace {

using fw::String;
using fw::headless::ShownMessage;

class MessageDialogTest : public testing::Test {
protected:
    void SetUp() override { fw::headless::Reset(); }
    void TearDown() override { fw::headless::Reset(); }
};

TEST_F(MessageDialogTest, ShowsTheTextAsGiven) {
    fw::MessageDialog::Show("Lead.nki is Kontakt Version 5.0.2.10");
    fw::MessageDialog::Show("");
    const auto& shown = fw::headless::ShownMessages();
    ASSERT_EQ(shown.size(), 2u) << "one box for each text";
    EXPECT_EQ(shown[0].text, String("Lead.nki is Kontakt Version 5.0.2.10"));
    EXPECT_EQ(shown[0].kind, fw::platform::MessageKind::Information);
    EXPECT_EQ(shown[1].text, String());
}

TEST_F(MessageDialogTest, AFailingBoxRaisesToTheCaller) {
    fw::headless::OnMessageShown(
        [](const ShownMessage&) { throw fw::RuntimeException("The box failed."); });
    EXPECT_THROW(fw::MessageDialog::Show("text"), fw::RuntimeException);
}

TEST_F(MessageDialogTest, OffTheUIThreadNothingIsShown) {
    std::thread([] {
        EXPECT_THROW(fw::MessageDialog::Show("text"), fw::ThreadAccessingUIException);
    }).join();
    EXPECT_TRUE(fw::headless::ShownMessages().empty());
}

} // namespace
