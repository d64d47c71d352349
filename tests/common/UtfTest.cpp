#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <string_view>

#include "framework/Exceptions.h"
#include "framework/Utf.h"

namespace {

struct Text {
    const char* name;
    std::u16string utf16;
    std::string utf8;
};

void PrintTo(const Text& text, std::ostream* out) {
    *out << text.name;
}

class UtfRoundTrip : public testing::TestWithParam<Text> {};

TEST_P(UtfRoundTrip, EachFormGivesTheOtherBack) {
    const Text& text = GetParam();
    EXPECT_EQ(fw::ToUtf8(text.utf16), text.utf8);
    EXPECT_EQ(fw::ToUtf16(text.utf8), text.utf16);
    // wchar_t text is UTF-16 on Windows and UTF-32 elsewhere; either way nothing is lost.
    EXPECT_EQ(fw::ToUtf8(fw::ToWide(text.utf8)), text.utf8);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, UtfRoundTrip,
    testing::Values(Text{"Empty", u"", ""}, Text{"Ascii", u"Lead.nki", "Lead.nki"},
                    Text{"TwoAndThreeBytes", u"Str\u00f6m \u5f26\u0800\uffff",
                         "Str\xc3\xb6m \xe5\xbc\xa6\xe0\xa0\x80\xef\xbf\xbf"},
                    Text{"Astral", u"\U0001F3B9.nki", "\xf0\x9f\x8e\xb9.nki"},
                    Text{"LastCodePoint", u"\U0010FFFF", "\xf4\x8f\xbf\xbf"},
                    Text{"LoneHigh", std::u16string(u"a") + char16_t{0xD83C} + u"b",
                         "a\xed\xa0\xbc"
                         "b"},
                    Text{"LoneLow", std::u16string(u"a") + char16_t{0xDFB9}, "a\xed\xbe\xb9"},
                    Text{"HighAtTheEnd", std::u16string(u"x") + char16_t{0xDBFF}, "x\xed\xaf\xbf"},
                    Text{"ReversedPair", std::u16string{char16_t{0xDFB9}, char16_t{0xD83C}},
                         "\xed\xbe\xb9\xed\xa0\xbc"},
                    Text{"TwoHighsThenLow",
                         std::u16string{char16_t{0xD83C}, char16_t{0xD83C}, char16_t{0xDFB9}},
                         "\xed\xa0\xbc\xf0\x9f\x8e\xb9"}),
    [](const testing::TestParamInfo<Text>& info) { return std::string(info.param.name); });

struct Bytes {
    const char* name;
    std::string utf8;
};

void PrintTo(const Bytes& bytes, std::ostream* out) {
    *out << bytes.name;
}

class UtfRejects : public testing::TestWithParam<Bytes> {};

TEST_P(UtfRejects, BytesNoEncoderWrites) {
    EXPECT_THROW(fw::ToUtf16(GetParam().utf8), fw::RuntimeException);
    EXPECT_THROW(fw::ToWide(GetParam().utf8), fw::RuntimeException);
}

INSTANTIATE_TEST_SUITE_P(
    Invalid, UtfRejects,
    testing::Values(Bytes{"LoneContinuation", "a\x80"}, Bytes{"ByteFF", "\xff"},
                    Bytes{"ByteFE", "ab\xfe"}, Bytes{"OverlongTwoBytes", "\xc0\xaf"},
                    Bytes{"OverlongC1", "\xc1\xbf"}, Bytes{"OverlongThreeBytes", "\xe0\x80\xaf"},
                    Bytes{"OverlongFourBytes", "\xf0\x80\x80\xaf"},
                    Bytes{"BeyondLastCodePoint", "\xf4\x90\x80\x80"},
                    Bytes{"LeadF5", "\xf5\x80\x80\x80"}, Bytes{"TruncatedAtTheEnd", "ok\xe5\xbc"},
                    Bytes{"TruncatedBeforeAscii", "\xf0\x9f\x8e"
                                                  "a"},
                    Bytes{"LeadWithoutContinuation", "\xc3 "},
                    // A pair written as two 3-byte sequences: the pair's form is the 4-byte one,
                    // so accepting this would give two spellings of one name.
                    Bytes{"PairAsTwoSurrogates", "\xed\xa0\xbc\xed\xbe\xb9"}),
    [](const testing::TestParamInfo<Bytes>& info) { return std::string(info.param.name); });

// A sequence cut short by the end of the view, where more bytes happen to follow in memory.
TEST(Utf, ReadsNoFurtherThanTheView) {
    const std::string_view whole = "\xe5\xbc\xa6";
    EXPECT_THROW(fw::ToUtf16(whole.substr(0, 2)), fw::RuntimeException);
    EXPECT_EQ(fw::ToUtf16(whole), u"\u5f26");
}

} // namespace
