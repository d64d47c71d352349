#include <gtest/gtest.h>

#include <ostream>
#include <string>

#include "common/ReaderFixtures.h"
#include "framework/String.h"
#include "reader/basKontaktVersion.h"

namespace {

TEST(String, RightCountsCharactersNotBytes) {
    EXPECT_EQ(fw::Right("Ström.nki", 4), fw::String(".nki"));
    EXPECT_EQ(fw::Right("弦楽器.nkm", 5), fw::String("器.nkm"));
    EXPECT_EQ(fw::Right("ab", 4), fw::String("ab"));
    EXPECT_EQ(fw::Right("abc", 0), fw::String());
}

TEST(String, LowercaseAndReplaceAll) {
    EXPECT_EQ(fw::Lowercase("Lead.NKI"), fw::String("lead.nki"));
    EXPECT_EQ(fw::Lowercase("ÉTÉ"), fw::String("été"));
    EXPECT_EQ(fw::ReplaceAll("a;;b;;;c", ";;", ";"), fw::String("a;b;;c"));
    EXPECT_EQ(fw::Str(-7), fw::String("-7"));
}

struct LowercaseCase {
    const char* name;
    std::string text;
    std::string lowered;
};

void PrintTo(const LowercaseCase& c, std::ostream* out) {
    *out << c.name;
}

class Lowercase : public testing::TestWithParam<LowercaseCase> {};

TEST_P(Lowercase, FollowsUnicodesSimpleMapping) {
    EXPECT_EQ(fw::Lowercase(GetParam().text), fw::String(GetParam().lowered));
}

INSTANTIATE_TEST_SUITE_P(
    Texts, Lowercase,
    testing::Values(
        LowercaseCase{"Ascii", "Lead.NKI @[Z]`", "lead.nki @[z]`"},
        // Three bytes become one: the extension of a name must still come out as ".nki".
        LowercaseCase{"KelvinSign", "\u212A.n\u212Ai", "k.nki"},
        LowercaseCase{"Latin", "ÄÖÜ ÀÇ Ÿ", "äöü àç ÿ"},
        LowercaseCase{"AlternatingCapitals", "ĀāĂŁŽ", "āāăłž"},
        LowercaseCase{"Greek", "ΣΟΦΊΑ", "σοφία"},
        LowercaseCase{"DottedCapitalI", "\u0130ST", "ist"},
        LowercaseCase{"Cyrillic", "ЖЁЛТЫЙ", "жёлтый"},
        // Four bytes, beyond the Basic Multilingual Plane.
        LowercaseCase{"Deseret", "\U00010400\U00010427", "\U00010428\U0001044F"},
        LowercaseCase{"NoLowerCase", "ß ǆ ä 弦楽器 1€ \U0001F3B9", "ß ǆ ä 弦楽器 1€ \U0001F3B9"},
        LowercaseCase{"TitlecaseDigraph", "ǅ", "ǆ"},
        // Bytes that are no UTF-8 stay; the characters around them are still lowered.
        LowercaseCase{"InvalidBytesKept", "A\xFF\x80Ä\xC0\xAF\xF5Z", "a\xFF\x80ä\xC0\xAF\xF5z"},
        LowercaseCase{"OverlongCapitalKept", "\xC1\x81\xE0\x81\x81K", "\xC1\x81\xE0\x81\x81k"},
        LowercaseCase{"BrokenSequenceBeforeALetter", "\xC3K\xE2\x84K", "\xC3k\xE2\x84k"},
        LowercaseCase{"TruncatedAtTheEnd", "N\xE2\x84", "n\xE2\x84"},
        LowercaseCase{"BeyondTheLastCodePoint",
                      "\xF4\x90\x80\x80"
                      "A",
                      "\xF4\x90\x80\x80"
                      "a"},
        // Generalised UTF-8: a lone surrogate is a character of its own, without a lower case.
        LowercaseCase{"LoneSurrogatesKept",
                      "\xED\xA0\xBC"
                      "A\xED\xBE\xB9",
                      "\xED\xA0\xBC"
                      "a\xED\xBE\xB9"},
        LowercaseCase{"Empty", "", ""}),
    [](const testing::TestParamInfo<LowercaseCase>& info) { return std::string(info.param.name); });

// The reader's extension gate lowers the last four characters of the name: a K written as the
// KELVIN SIGN is a k, so this file is a Kontakt instrument.
TEST(String, LoweredExtensionPassesTheReadersGate) {
    readertest::TempFolder folder;
    const std::string name = "kelvin.n\u212Ai";
    const auto file = fw::New<fw::FolderItem>(readertest::Utf8(folder.Write(
        name, readertest::Image(256, {{16, readertest::Bytes({4, 2, 3, 7})}, {20, "Kon4"}}))));
    fw::String text;
    EXPECT_EQ(basKontaktVersion::ShowKontaktVersion(file, text), 2);
    EXPECT_EQ(text, fw::String(name + " is Kontakt Version 4.2.3.7"));
}

// A failed comparison of two texts must show the texts, not the bytes of the objects.
TEST(String, PrintsAsTheTextItHolds) {
    EXPECT_EQ(::testing::PrintToString(fw::String("Ström \"Lead\".nki")),
              "\"Ström \\\"Lead\\\".nki\"");
    EXPECT_EQ(::testing::PrintToString(fw::String("a\\b\n")), "\"a\\\\b\\x0A\"");
    // Bytes that are no UTF-8, as a header block holds them.
    EXPECT_EQ(::testing::PrintToString(fw::String(std::string("Kon\xFF\0", 5))),
              "\"Kon\\xFF\\x00\"");
}

} // namespace
