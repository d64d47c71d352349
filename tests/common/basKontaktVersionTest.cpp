#include <gtest/gtest.h>

#include <cstdint>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "common/ReaderFixtures.h"
#include "framework/Exceptions.h"
#include "framework/MemoryBlock.h"
#include "reader/basKontaktVersion.h"

namespace {

using basKontaktVersion::GetVerK56;
using basKontaktVersion::GetVerStr;
using basKontaktVersion::ShowKontaktVersion;
using fw::Integer;
using fw::New;
using fw::Ref;
using fw::String;
using readertest::Bytes;
using readertest::Image;
using readertest::kSignature;
using readertest::SpyFolderItem;
using readertest::TempFolder;

const String kUntouched = "left as it was";
const std::vector<std::string> kFullRoad = {"Exists", "Name", "Length", "Open", "Name"};
// The reader's two windows: the first 256 bytes and the last 512.
constexpr std::uint64_t kMostBytesRead = 256 + 512;

// A header that any gate-passing name turns into "<name> is Kontakt Version 1.2.3.4".
std::string ForwardHeader() {
    return Image(64, {{16, Bytes({1, 2, 3, 4})}, {20, "Kon4"}});
}

// Stops the test with a message when the reader raises where it should answer.
Integer Show(const Ref<SpyFolderItem>& file, String& text) {
    try {
        return ShowKontaktVersion(file, text);
    } catch (const fw::RuntimeException& error) {
        ADD_FAILURE() << error.TypeName() << ": " << error.what();
        return 0;
    }
}

bool IsLetterOrDigit(char c) {
    return ('a' <= c && c <= 'z') || ('A' <= c && c <= 'Z') || ('0' <= c && c <= '9');
}

// A case's description as its test name: "6noK at 508, the block's last four bytes" runs alone as
// "6noKAt508TheBlocksLastFourBytes".
std::string CamelCaseName(std::string_view description) {
    std::string name;
    bool wordStart = true;
    for (const char c : description) {
        if (IsLetterOrDigit(c)) {
            name.push_back(wordStart && 'a' <= c && c <= 'z' ? static_cast<char>(c - 'a' + 'A')
                                                             : c);
            wordStart = false;
        } else if (c != '\'') {
            wordStart = true;
        }
    }
    return name;
}

// A file name or version as a test name, every other byte an underscore: "Lead.NKI" runs as
// "Lead_NKI".
std::string UnderscoredName(std::string_view text) {
    std::string name;
    for (const char c : text) {
        name.push_back(IsLetterOrDigit(c) ? c : '_');
    }
    return name;
}

struct LayoutCase {
    const char* what;
    std::string contents;
    Integer result;
    const char* version; // for the result 2
};

void PrintTo(const LayoutCase& layout, std::ostream* out) {
    *out << layout.what;
}

std::vector<LayoutCase> Layouts() {
    const std::string tail5 = Bytes({255, 2, 0, 5}) + "5noK"; // 5.0.2.255
    const std::string tail6 = Bytes({0, 1, 6, 5}) + "6noK";   // 5.6.1.0
    const std::string v50210 = Bytes({5, 0, 2, 10});
    return {
        {"forward Kon3", Image(256, {{16, v50210}, {20, "Kon3"}}), 2, "5.0.2.10"},
        {"reversed 3noK", Image(256, {{16, v50210}, {20, "3noK"}}), 2, "10.2.0.5"},
        {"forward Kon2", Image(256, {{16, Bytes({1, 2, 3, 4})}, {20, "Kon2"}}), 2, "1.2.3.4"},
        {"forward Kon4", Image(300, {{16, Bytes({1, 2, 3, 4})}, {20, "Kon4"}}), 2, "1.2.3.4"},
        {"reversed 2noK", Image(256, {{16, Bytes({1, 2, 3, 4})}, {20, "2noK"}}), 2, "4.3.2.1"},
        {"reversed 4noK", Image(256, {{16, Bytes({1, 2, 3, 4})}, {20, "4noK"}}), 2, "4.3.2.1"},
        {"Kon5 at 20", Image(256, {{16, v50210}, {20, "Kon5"}}), 1, nullptr},
        {"5noK at 20", Image(256, {{16, v50210}, {20, "5noK"}}), 1, nullptr},
        {"tag in other letter case", Image(256, {{16, v50210}, {20, "kon3"}}), 1, nullptr},
        {"hsin beats Kon4", Image(1024, {{12, "hsin"}, {16, v50210}, {20, "Kon4"}, {900, tail5}}),
         2, "5.0.2.255"},
        {"hsin with Kon4 but no tail tag", Image(1024, {{12, "hsin"}, {16, v50210}, {20, "Kon4"}}),
         1, nullptr},
        {"Kon3 beats the signature",
         Image(1024, {{0, kSignature}, {16, v50210}, {20, "Kon3"}, {900, tail6}}), 2, "5.0.2.10"},
        {"signature, tail tag", Image(2048, {{0, kSignature}, {1700, tail6}}), 2, "5.6.1.0"},
        {"signature, only header tags in the tail",
         Image(2048, {{0, kSignature}, {1700, "Kon4"}, {1800, "4noK"}}), 1, nullptr},
        {"tail tag without a header tag", Image(2048, {{1700, tail6}}), 1, nullptr},
        {"no tag", Image(1024), 1, nullptr},
        {"600 bytes: the tail window is the last 512", Image(600, {{12, "hsin"}, {100, tail6}}), 2,
         "5.6.1.0"},
        {"600 bytes: a tag before the tail window", Image(600, {{12, "hsin"}, {40, tail6}}), 1,
         nullptr},
        {"exactly 512 bytes: the tail is the whole file", Image(512, {{12, "hsin"}, {26, tail6}}),
         2, "5.6.1.0"},
        {"tail road in a file shorter than 512", Image(511, {{12, "hsin"}, {300, tail6}}), 1,
         nullptr},
        {"24 bytes with Kon3", Image(24, {{16, v50210}, {20, "Kon3"}}), 2, "5.0.2.10"},
        {"23 bytes, Kon3 cut short", Image(23, {{16, v50210}, {20, "Kon"}}), 1, nullptr},
        {"signature in a 20-byte file", Image(20, {{0, kSignature}}), 1, nullptr},
        {"hsin in a 16-byte file", Image(16, {{12, "hsin"}}), 1, nullptr},
        {"10 bytes", Image(10), 1, nullptr},
        {"empty file", "", 1, nullptr},
    };
}

class KontaktVersionReaderLayout : public testing::TestWithParam<LayoutCase> {};

TEST_P(KontaktVersionReaderLayout, RecognisesTheFileLayoutInItsDecisionOrder) {
    const LayoutCase& c = GetParam();
    TempFolder folder;
    auto file = New<SpyFolderItem>(folder.Write("Lead.nki", c.contents));
    String text = kUntouched;
    EXPECT_EQ(Show(file, text), c.result);
    EXPECT_EQ(text,
              c.result == 2 ? String("Lead.nki is Kontakt Version ") + c.version : kUntouched);
    EXPECT_LE(file->trace.bytesDelivered, kMostBytesRead);
    EXPECT_EQ(file->trace.openHandles, 0);
}

INSTANTIATE_TEST_SUITE_P(Layouts, KontaktVersionReaderLayout, testing::ValuesIn(Layouts()),
                         [](const auto& info) { return CamelCaseName(info.param.what); });

struct GateCase {
    const char* name;
    bool passes;
};

void PrintTo(const GateCase& gate, std::ostream* out) {
    *out << gate.name;
}

const GateCase kGateCases[] = {
    {"Lead.NKI", true},      {"lead.nkm", true},  {"Bank.nKb", true}, {".nkb", true},
    {"lead.nki.bak", false}, {"lead.nkx", false}, {"leadnki", false}, {"x.txt", false},
    {"nki", false},          {"kb", false},
};

class KontaktVersionReaderGate : public testing::TestWithParam<GateCase> {};

TEST_P(KontaktVersionReaderGate, OpensOnlyFilesWithAKontaktExtension) {
    const GateCase& c = GetParam();
    TempFolder folder;
    auto file = New<SpyFolderItem>(folder.Write(c.name, ForwardHeader()));
    String text = kUntouched;
    if (c.passes) {
        EXPECT_EQ(Show(file, text), 2);
        // The name as the file reports it, letter case kept.
        EXPECT_EQ(text, String(c.name) + " is Kontakt Version 1.2.3.4");
        EXPECT_EQ(file->trace.calls, kFullRoad);
    } else {
        EXPECT_EQ(Show(file, text), 1);
        EXPECT_EQ(text, kUntouched);
        EXPECT_EQ(file->trace.calls, (std::vector<std::string>{"Exists", "Name"}));
    }
}

INSTANTIATE_TEST_SUITE_P(Names, KontaktVersionReaderGate, testing::ValuesIn(kGateCases),
                         [](const auto& info) { return UnderscoredName(info.param.name); });

TEST(KontaktVersionReader, NoFileOrAMissingOneIsNotDetermined) {
    String text = kUntouched;
    EXPECT_EQ(ShowKontaktVersion(nullptr, text), 1);
    EXPECT_EQ(text, kUntouched);

    TempFolder folder;
    auto missing = New<SpyFolderItem>(folder / "gone.nki");
    EXPECT_EQ(ShowKontaktVersion(missing, text), 1);
    EXPECT_EQ(text, kUntouched);
    EXPECT_EQ(missing->trace.calls, std::vector<std::string>{"Exists"});
}

struct UnicodeCase {
    const char* name; // for the test's name
    std::string fileName;
};

void PrintTo(const UnicodeCase& unicode, std::ostream* out) {
    *out << unicode.name;
}

const UnicodeCase kUnicodeCases[] = {
    {"AccentsAndADash", "Ström – Légato.nki"},
    {"CjkCharacters", "弦楽器.nkm"},
    {"DiaeresesAndACapitalExtension", "Ünïcödé.NKB"},
};

class KontaktVersionReaderUnicode : public testing::TestWithParam<UnicodeCase> {};

TEST_P(KontaktVersionReaderUnicode, UnicodeNamesReachTheVersionTextUnchanged) {
    const std::string& name = GetParam().fileName;
    TempFolder folder;
    auto file = New<SpyFolderItem>(folder.Write(name, ForwardHeader()));
    String text;
    EXPECT_EQ(Show(file, text), 2);
    EXPECT_EQ(text, String(name + " is Kontakt Version 1.2.3.4"));
}

INSTANTIATE_TEST_SUITE_P(Names, KontaktVersionReaderUnicode, testing::ValuesIn(kUnicodeCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(KontaktVersionReader, AFileThatCannotBeOpenedRaisesAndLeavesTheTextAlone) {
    TempFolder folder;
    std::filesystem::create_directory(folder / "x.nki");
    auto file = New<SpyFolderItem>(folder / "x.nki");
    String text = kUntouched;
    try {
        ShowKontaktVersion(file, text);
        FAIL() << "expected an IOException";
    } catch (const fw::IOException& error) {
        EXPECT_NE(error.ErrorNumber(), 0);
        EXPECT_EQ(error.ErrorNumber(), file->LastErrorCode());
    }
    EXPECT_EQ(text, kUntouched);
    // What comes after the failed open belongs to the framework's report of it.
    const auto& calls = file->trace.calls;
    ASSERT_GE(calls.size(), 4u) << testing::PrintToString(calls);
    EXPECT_EQ(std::vector<std::string>(calls.begin(), calls.begin() + 4),
              (std::vector<std::string>{"Exists", "Name", "Length", "Open"}));
    EXPECT_EQ(file->trace.openHandles, 0);
}

TEST(KontaktVersionReader, ErrorsInsideTheTailScanLeaveTheTextAloneAndCloseTheFile) {
    TempFolder folder;
    {
        // Only an accessor error can come from a tag whose version bytes lie before the block.
        auto file =
            New<SpyFolderItem>(folder.Write("early.nki", Image(512, {{0, "5noK"}, {12, "hsin"}})));
        String text = kUntouched;
        EXPECT_THROW(ShowKontaktVersion(file, text), fw::OutOfBoundsException);
        EXPECT_EQ(text, kUntouched);
        EXPECT_EQ(file->trace.openHandles, 0);
    }
    {
        auto file = New<SpyFolderItem>(folder.Write(
            "hook.nki", Image(1024, {{12, "hsin"}, {900, Bytes({1, 2, 3, 4}) + "5noK"}})));
        readertest::HookCounter hook([](int call) {
            if (call == 10) {
                throw fw::RuntimeException("stopped");
            }
        });
        String text = kUntouched;
        EXPECT_THROW(ShowKontaktVersion(file, text), fw::RuntimeException);
        EXPECT_EQ(hook.Count(), 10);
        EXPECT_EQ(text, kUntouched);
        EXPECT_EQ(file->trace.openHandles, 0);
    }
}

TEST(KontaktVersionReader, ReadsNoMoreThanItsTwoWindowsOfAHugeFile) {
    TempFolder folder;
    const auto path = folder / "big.nki";
    const std::uint64_t size = (5ull << 30) + 123; // past 4 GiB: the tail needs 64-bit offsets
    readertest::WriteSparseFile(path, size, Image(256, {{12, "hsin"}}),
                                Bytes({255, 2, 0, 5}) + "5noK" + "tail");
    auto file = New<SpyFolderItem>(path);
    String text;
    EXPECT_EQ(Show(file, text), 2);
    EXPECT_EQ(text, String("big.nki is Kontakt Version 5.0.2.255"));
    EXPECT_LE(file->trace.bytesDelivered, kMostBytesRead);
}

// The tail scan and the version text, on blocks directly.

Ref<fw::FolderItem> NamedLeadNKI() {
    return New<fw::FolderItem>(String("no/such/folder/Lead.NKI"));
}

struct TextCase {
    std::string bytes;
    bool ascending;
    const char* version;
};

void PrintTo(const TextCase& version, std::ostream* out) {
    *out << version.version;
}

const TextCase kTextCases[] = {
    {Bytes({5, 3, 1, 0}), true, "5.3.1.0"},
    {Bytes({5, 3, 1, 0}), false, "0.1.3.5"},
    {Bytes({0, 0, 0, 0}), true, "0.0.0.0"},
    {Bytes({128, 200, 255, 127}), true, "128.200.255.127"},
};

class KontaktVersionReaderText : public testing::TestWithParam<TextCase> {};

TEST_P(KontaktVersionReaderText, WritesEachVersionByteInPlainDecimal) {
    const TextCase& c = GetParam();
    auto block = New<fw::MemoryBlock>(String(Image(24, {{16, c.bytes}, {20, "Kon4"}})));
    EXPECT_EQ(GetVerStr(NamedLeadNKI(), block, 16, c.ascending),
              String("Lead.NKI is Kontakt Version ") + c.version);
}

INSTANTIATE_TEST_SUITE_P(Versions, KontaktVersionReaderText, testing::ValuesIn(kTextCases),
                         [](const auto& info) {
                             return UnderscoredName(
                                 std::string(info.param.ascending ? "Ascending " : "Descending ") +
                                 info.param.version);
                         });

struct ScanCase {
    const char* what;
    std::string block;
    const char* version; // nullptr: no hit
    int hooks;
};

void PrintTo(const ScanCase& scan, std::ostream* out) {
    *out << scan.what;
}

std::vector<ScanCase> ScanCases() {
    const std::string version5610 = Bytes({0, 1, 6, 5});
    return {
        {"0 bytes", "", nullptr, 0},
        {"1 byte", "5", nullptr, 0},
        {"3 bytes", "5no", nullptr, 0},
        {"4 bytes, a whole tag", "5noK", nullptr, 0},
        {"8 bytes, the tag ends the block", version5610 + "5noK", nullptr, 4},
        {"9 bytes, one byte after the tag", version5610 + "5noK" + "x", "5.6.1.0", 4},
        {"6noK at 507", Image(512, {{503, version5610 + "6noK"}}), "5.6.1.0", 507},
        {"6noK at 508, the block's last four bytes", Image(512, {{504, version5610 + "6noK"}}),
         nullptr, 508},
        {"the first of two tags wins",
         Image(512, {{96, Bytes({4, 3, 2, 1}) + "6noK"}, {296, Bytes({8, 7, 6, 5}) + "5noK"}}),
         "1.2.3.4", 100},
        {"no tag", Image(512), nullptr, 508},
        {"header tags only", Image(512, {{100, "Kon4"}, {200, "4noK"}, {300, "Kon2"}}), nullptr,
         508},
        {"other letter case", Image(512, {{100, "5NOK"}, {200, "6nok"}}), nullptr, 508},
        {"bytes above 127", Bytes({255, 2, 0, 5}) + "5noK" + "x", "5.0.2.255", 4},
    };
}

class KontaktVersionReaderScan : public testing::TestWithParam<ScanCase> {};

TEST_P(KontaktVersionReaderScan, TailScanBoundsFirstHitAndHookCalls) {
    const ScanCase& c = GetParam();
    readertest::HookCounter hook;
    String text = kUntouched;
    const bool found = GetVerK56(NamedLeadNKI(), New<fw::MemoryBlock>(String(c.block)), text);
    EXPECT_EQ(found, c.version != nullptr);
    EXPECT_EQ(text, c.version ? String("Lead.NKI is Kontakt Version ") + c.version : kUntouched);
    EXPECT_EQ(hook.Count(), c.hooks);
}

INSTANTIATE_TEST_SUITE_P(Blocks, KontaktVersionReaderScan, testing::ValuesIn(ScanCases()),
                         [](const auto& info) { return CamelCaseName(info.param.what); });

// The tag's position in the block, 0 to 3.
class KontaktVersionReaderEarlyTag : public testing::TestWithParam<int> {};

TEST_P(KontaktVersionReaderEarlyTag, ATailTagWithoutFourBytesBeforeItRaisesOutOfBounds) {
    const int position = GetParam();
    readertest::HookCounter hook;
    String text = kUntouched;
    auto block = New<fw::MemoryBlock>(String(Image(16, {{std::size_t(position), "6noK"}})));
    EXPECT_THROW(GetVerK56(NamedLeadNKI(), block, text), fw::OutOfBoundsException);
    EXPECT_EQ(text, kUntouched);
    EXPECT_EQ(hook.Count(), position);
}

INSTANTIATE_TEST_SUITE_P(Positions, KontaktVersionReaderEarlyTag, testing::Range(0, 4),
                         [](const auto& info) { return "TagAt" + std::to_string(info.param); });

} // namespace
