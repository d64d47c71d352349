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

// The full path that a launch document keeps, and the long one that the file calls get: both
// name the file the path names, whatever the DOS rules would make of it.
struct PathForm {
    const char* name; // for the test's name
    std::wstring given;
    std::wstring full;
    std::wstring longPath;
};

void PrintTo(const PathForm& form, std::ostream* out) {
    *out << form.name;
}

const PathForm kPathForms[] = {
    {"DrivePath", LR"(Z:/music/../music/./Lead.nki)", LR"(Z:\music\Lead.nki)",
     LR"(\\?\Z:\music\Lead.nki)"},
    {"ReservedName", LR"(Z:\music\CON.nki)", LR"(Z:\music\CON.nki)", LR"(\\?\Z:\music\CON.nki)"},
    {"ReservedNameInAFoldedPath", LR"(Z:\music\..\aux.nki)", LR"(Z:\aux.nki)",
     LR"(\\?\Z:\aux.nki)"},
    {"ReservedNameWithTrailingDots", LR"(Z:\music\nul.nkb. .)", LR"(Z:\music\nul.nkb)",
     LR"(\\?\Z:\music\nul.nkb)"},
    {"ReservedFolderName", LR"(Z:\CON\Lead.nki)", LR"(Z:\CON\Lead.nki)", LR"(\\?\Z:\CON\Lead.nki)"},
    {"LiteralPath", LR"(\\?\Z:\music\..\CON.nki)", LR"(\\?\Z:\music\..\CON.nki)",
     LR"(\\?\Z:\music\..\CON.nki)"},
    {"DevicePath", LR"(\\.\Z:\music\Lead.nki)", LR"(\\.\Z:\music\Lead.nki)",
     LR"(\\?\Z:\music\Lead.nki)"},
    {"DevicePathWithSlashes", LR"(//./Z:/music/Lead.nki)", LR"(\\.\Z:\music\Lead.nki)",
     LR"(\\?\Z:\music\Lead.nki)"},
    {"Device", LR"(\\.\NUL)", LR"(\\.\NUL)", LR"(\\?\NUL)"},
    {"Share", LR"(\\server\share\Lead.nki)", LR"(\\server\share\Lead.nki)",
     LR"(\\?\UNC\server\share\Lead.nki)"},
};

class WidePathForm : public ::testing::TestWithParam<PathForm> {};

TEST_P(WidePathForm, NamesTheFileThePathNames) {
    const PathForm& form = GetParam();
    const fw::String given = fw::win32::FromWide(form.given);
    EXPECT_EQ(fw::win32::ToWide(fw::platform::FullPath(given)), form.full);
    EXPECT_EQ(fw::win32::LongPath(given), form.longPath);
    EXPECT_EQ(fw::win32::LongPath(fw::platform::FullPath(given)), form.longPath);
}

INSTANTIATE_TEST_SUITE_P(Forms, WidePathForm, ::testing::ValuesIn(kPathForms),
                         [](const auto& info) { return std::string(info.param.name); });

// A launch document given by its name alone, as a file dropped from its own folder may be.
TEST(WidePath, KeepsAReservedNameInTheCurrentFolder) {
    const std::string lead = fw::platform::FullPath("Lead.nki").Bytes();
    const std::string folder = lead.substr(0, lead.size() - std::string("Lead.nki").size());
    EXPECT_EQ(fw::platform::FullPath("CON.nki").Bytes(), folder + "CON.nki");
    // Relative to the current folder of drive Z:.
    const std::string onDrive = fw::platform::FullPath("Z:CONIN$.nki").Bytes();
    EXPECT_TRUE(onDrive.starts_with("Z:\\") && onDrive.ends_with("\\CONIN$.nki")) << onDrive;
    EXPECT_EQ(fw::platform::FileName(fw::platform::FullPath("CON.nki")), fw::String("CON.nki"));
}

TEST(WidePath, ReportsTextThatIsNoUtf8) {
    EXPECT_THROW(fw::win32::ToWide(fw::String("Lead\xc0\xae.nki")), fw::RuntimeException);
}

} // namespace
