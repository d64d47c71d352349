#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <thread>

#include <unistd.h>

#include "framework/Exceptions.h"
#include "framework/FileTypeRegistry.h"
#include "framework/OpenDialog.h"
#include "framework/SpecialFolder.h"
#include "framework/headless/Control.h"

namespace {

namespace fs = std::filesystem;
using fw::String;

class OpenDialogTest : public testing::Test {
protected:
    void SetUp() override {
        fw::headless::Reset();
        // Names of their own, so that no other test's view of the registry changes.
        fw::RuntimeRegisterFileType("Test Instrument", "", "", "nki", "");
        fw::RuntimeRegisterFileType("Test Multi", "", "", "nkm", "");
        fw::RuntimeRegisterFileType("Test Bank", "", "", "nkb", "");
        fw::RuntimeRegisterFileType("Test Pair", "", "", "abc;.def;;nki", "");
        fw::RuntimeRegisterFileType("Test Bare", "", "", "", "");
        fs::create_directories(folder_);
    }
    void TearDown() override {
        for (const char* name :
             {"Test Instrument", "Test Multi", "Test Bank", "Test Pair", "Test Bare"}) {
            fw::RuntimeDeregisterFileType(name);
        }
        fs::remove_all(folder_);
        fw::headless::Reset();
    }

    // Shows a dialog with `filter` (cancelled) and returns what the backend was asked to show.
    fw::platform::OpenDialogRequest Shown(const String& filter) {
        auto dialog = fw::New<fw::OpenDialog>();
        dialog->Filter(filter);
        fw::headless::CancelOpenDialog();
        EXPECT_TRUE(dialog->ShowModal().IsNil());
        return fw::headless::OpenDialogRequests().back();
    }

    const fs::path folder_ =
        fs::temp_directory_path() / ("OpenDialogTest-" + std::to_string(::getpid()));
};

TEST_F(OpenDialogTest, FilterNamesBecomeEntriesThroughTheRegistry) {
    using Entries = std::vector<std::pair<std::string, std::string>>;
    const Entries allFiles{{"All Files (*.*)", "*.*"}};
    const struct {
        const char* filter;
        Entries expected;
    } cases[] = {
        {"Test Instrument;Test Multi;Test Bank",
         {{"All Supported Files (*.nki;*.nkm;*.nkb)", "*.nki;*.nkm;*.nkb"},
          {"Test Instrument (*.nki)", "*.nki"},
          {"Test Multi (*.nkm)", "*.nkm"},
          {"Test Bank (*.nkb)", "*.nkb"},
          allFiles[0]}},
        // The filter's order, not the registry's; unknown, repeated and empty names drop out.
        {"Test Bank;Nothing Such;;Test Instrument;Test Bank",
         {{"All Supported Files (*.nkb;*.nki)", "*.nkb;*.nki"},
          {"Test Bank (*.nkb)", "*.nkb"},
          {"Test Instrument (*.nki)", "*.nki"},
          allFiles[0]}},
        // Several extensions, a stray dot, and an extension two types share only once.
        {"Test Pair;Test Instrument",
         {{"All Supported Files (*.abc;*.def;*.nki)", "*.abc;*.def;*.nki"},
          {"Test Pair (*.abc;*.def;*.nki)", "*.abc;*.def;*.nki"},
          {"Test Instrument (*.nki)", "*.nki"},
          allFiles[0]}},
        // One type needs no entry for all kinds together.
        {"Test Multi", {{"Test Multi (*.nkm)", "*.nkm"}, allFiles[0]}},
        {"Test Bare;Test Multi", {{"Test Multi (*.nkm)", "*.nkm"}, allFiles[0]}},
        {"", allFiles},
        {"Nothing Such", allFiles},
        // Names are compared whole, letter case and blanks included.
        {"test multi; Test Multi", allFiles},
    };
    for (const auto& c : cases) {
        Entries shown;
        for (const auto& entry : Shown(c.filter).filters) {
            shown.emplace_back(entry.label.Bytes(), entry.patterns.Bytes());
        }
        EXPECT_EQ(shown, c.expected) << "filter: " << c.filter;
    }
}

TEST_F(OpenDialogTest, TitleAndInitialDirectoryReachTheDialog) {
    std::ofstream(folder_ / "file.nki") << "x";
    // A folder that cannot be asked about, even by root: the dialog opens all the same.
    std::filesystem::create_symlink("loop", folder_ / "loop");
    const struct {
        fw::Ref<fw::FolderItem> folder;
        std::optional<String> expected;
    } cases[] = {
        {fw::New<fw::FolderItem>(folder_.string()), String(folder_.string())},
        {nullptr, std::nullopt},
        {fw::New<fw::FolderItem>((folder_ / "missing").string()), std::nullopt},
        {fw::New<fw::FolderItem>((folder_ / "file.nki").string()), std::nullopt},
        {fw::New<fw::FolderItem>((folder_ / "loop").string()), std::nullopt},
    };
    for (const auto& c : cases) {
        auto dialog = fw::New<fw::OpenDialog>();
        dialog->Title("Select a Kontakt file");
        dialog->InitialDirectory(c.folder);
        fw::headless::CancelOpenDialog();
        dialog->ShowModal();
        const auto& request = fw::headless::OpenDialogRequests().back();
        EXPECT_EQ(request.title, String("Select a Kontakt file"));
        EXPECT_EQ(request.initialDirectory, c.expected);
    }
}

TEST_F(OpenDialogTest, DocumentsFolderOrNil) {
    EXPECT_TRUE(fw::SpecialFolder::Documents().IsNil());
    fw::headless::SetDocumentsFolder(String(folder_.string()));
    const auto documents = fw::SpecialFolder::Documents();
    ASSERT_FALSE(documents.IsNil());
    EXPECT_EQ(documents->NativePath(), String(folder_.string()));
    EXPECT_TRUE(documents->Exists());
}

TEST_F(OpenDialogTest, ShowModalGivesTheChosenFileOrNil) {
    auto dialog = fw::New<fw::OpenDialog>();
    fw::headless::AnswerOpenDialog("/data/Ström – Légato.nki");
    fw::headless::CancelOpenDialog();

    const auto chosen = dialog->ShowModal();
    ASSERT_FALSE(chosen.IsNil());
    EXPECT_EQ(chosen->NativePath(), String("/data/Ström – Légato.nki"));
    EXPECT_EQ(chosen->Name(), String("Ström – Légato.nki"));
    // The same dialog can be shown again; the next answer is a cancel.
    EXPECT_TRUE(dialog->ShowModal().IsNil());
    // No answer left: a loud failure rather than a test that hangs.
    EXPECT_THROW(dialog->ShowModal(), fw::RuntimeException);
    EXPECT_EQ(fw::headless::OpenDialogRequests().size(), 3u)
        << "each ShowModal asks, the one with no answer left too";
}

TEST_F(OpenDialogTest, OnlyTheUIThreadMayCreateOrShowIt) {
    auto dialog = fw::New<fw::OpenDialog>();
    fw::headless::AnswerOpenDialog("/data/a.nki");
    std::thread([&] {
        EXPECT_THROW(fw::New<fw::OpenDialog>(), fw::ThreadAccessingUIException);
        EXPECT_THROW(dialog->ShowModal(), fw::ThreadAccessingUIException);
    }).join();
    EXPECT_TRUE(fw::headless::OpenDialogRequests().empty());
}

} // namespace
