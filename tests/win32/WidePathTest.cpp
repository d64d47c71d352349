#include <gtest/gtest.h>

#include <string>

#include "framework/Exceptions.h"
#include "framework/String.h"
#include "framework/platform/Files.h"
#include "framework/win32/Wide.h"

namespace {

// A name NTFS allows though it is no valid UTF-16: it must reach the Windows calls unchanged and
// come back from them the same, or the file it names is not the one opened.
TEST(WidePath, KeepsAnUnpairedSurrogateThroughTheFullPath) {
    const fw::String name("Lead\xed\xa0\xbc.nki");
    const std::wstring wide = std::wstring(L"Lead") + wchar_t{0xD83C} + L".nki";
    EXPECT_EQ(fw::win32::ToWide(name), wide);
    EXPECT_EQ(fw::win32::FromWide(wide), name);

    EXPECT_TRUE(fw::platform::FullPath(name).Bytes().ends_with("\\Lead\xed\xa0\xbc.nki"))
        << fw::platform::FullPath(name).Bytes();
    const std::wstring longPath = fw::win32::LongPath(name);
    EXPECT_TRUE(longPath.starts_with(LR"(\\?\)"));
    EXPECT_TRUE(longPath.ends_with(L"\\" + wide));
}

TEST(WidePath, ReportsTextThatIsNoUtf8) {
    EXPECT_THROW(fw::win32::ToWide(fw::String("Lead\xc0\xae.nki")), fw::RuntimeException);
}

} // namespace
