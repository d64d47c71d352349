#include <gtest/gtest.h>

#include "framework/String.h"

namespace {

TEST(String, RightCountsCharactersNotBytes) {
    EXPECT_EQ(fw::Right("Ström.nki", 4), fw::String(".nki"));
    EXPECT_EQ(fw::Right("弦楽器.nkm", 5), fw::String("器.nkm"));
    EXPECT_EQ(fw::Right("ab", 4), fw::String("ab"));
    EXPECT_EQ(fw::Right("abc", 0), fw::String());
}

TEST(String, LowercaseAndReplaceAll) {
    EXPECT_EQ(fw::Lowercase("Lead.NKI"), fw::String("lead.nki"));
    EXPECT_EQ(fw::Lowercase("ÉTÉ"), fw::String("ÉtÉ"));
    EXPECT_EQ(fw::ReplaceAll("a;;b;;;c", ";;", ";"), fw::String("a;b;;c"));
    EXPECT_EQ(fw::Str(-7), fw::String("-7"));
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
