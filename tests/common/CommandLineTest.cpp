#include <gtest/gtest.h>

#include "framework/CommandLine.h"

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

} // namespace
