#include <gtest/gtest.h>

#include <filesystem>

#include "common/ReaderFixtures.h"
#include "framework/Exceptions.h"
#include "framework/FolderItem.h"
#include "framework/platform/Files.h"

namespace {

// Windows refuses to open a folder as "access denied", true of the call and no help to whoever
// handed the folder over: both backends name it a folder, with the same code for it.
TEST(FolderItem, AFolderIsRefusedAsAFolder) {
    readertest::TempFolder folder;
    std::filesystem::create_directory(folder / "x.nki");
    auto file = fw::New<fw::FolderItem>(readertest::Utf8(folder / "x.nki"));
    try {
        file->OpenForReading();
        FAIL() << "expected an IOException";
    } catch (const fw::IOException& error) {
        EXPECT_EQ(error.Message(), fw::String("Could not open \"x.nki\": it is a folder."));
        EXPECT_EQ(error.ErrorNumber(), fw::platform::FolderErrorCode());
    }
    EXPECT_EQ(file->LastErrorCode(), fw::platform::FolderErrorCode());
}

} // namespace
