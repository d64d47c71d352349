#include <gtest/gtest.h>

#include "framework/CommandLine.h"
#include "framework/Utf.h"

namespace {

TEST(CommandLine, SplitsAsWindowsProgramsDo) {
    struct Case {
        std::wstring line;
        std::vector<std::string> arguments;
    };
    const Case cases[] = {
        {L"", {}},
        {L"   ", {}},
        {L"a.nki", {"a.nki"}},
        {LR"(C:\Music\Lead.nki  "D:\My Files\Pad.nkm")",
         {R"(C:\Music\Lead.nki)", R"(D:\My Files\Pad.nkm)"}},
        {LR"("C:\Folder With Space\")", {R"(C:\Folder With Space")"}},
        {LR"("C:\Folder\\" next)", {R"(C:\Folder\)", "next"}},
        {LR"(a\\\"b "c""d")", {R"(a\"b)", R"(c"d)"}},
        {L"Str\u00f6m\t\u5f26.nkm", {"Ström", "弦.nkm"}},
    };
    for (const auto& c : cases) {
        std::vector<std::string> got;
        for (const auto& argument : fw::SplitCommandLine(c.line)) {
            got.push_back(argument.Bytes());
        }
        EXPECT_EQ(got, c.arguments);
    }
}

// An NTFS name may hold an unpaired surrogate; the argument must keep it, or the path it names
// no longer exists by the time the file is opened.
TEST(CommandLine, KeepsUnpairedSurrogatesInArguments) {
    const wchar_t high = 0xD83C;
    const wchar_t low = 0xDFB9;
    const std::wstring line = std::wstring(LR"("C:\My )") + high + LR"(.nki" x)" + low + L"y " +
                              low + high + L" " + high + low;
    const auto arguments = fw::SplitCommandLine(line);
    ASSERT_EQ(arguments.size(), 4u)
        << "four arguments, each surrogate kept: " << testing::PrintToString(arguments);
    EXPECT_EQ(arguments[0].Bytes(), "C:\\My \xed\xa0\xbc.nki");
    EXPECT_EQ(arguments[1].Bytes(), "x\xed\xbe\xb9y");
    EXPECT_EQ(arguments[2].Bytes(), "\xed\xbe\xb9\xed\xa0\xbc");
    EXPECT_EQ(arguments[3].Bytes(), "\xf0\x9f\x8e\xb9"); // a real pair: one code point
    // What the box and the open are handed converts back to the very same UTF-16.
    EXPECT_EQ(fw::ToUtf16(arguments[0].Bytes()),
              std::u16string(uR"(C:\My )") + char16_t{0xD83C} + u".nki");
    EXPECT_EQ(fw::ToWide(arguments[1].Bytes()), std::wstring(L"x") + low + L"y");
}

} // namespace
