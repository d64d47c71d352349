// Feeds arbitrary file contents, under names chosen from a table, through ShowKontaktVersion and
// compares every outcome with a model of the Kontakt layout written straight over the bytes. The
// file lives in memory; the real file path is the host and Windows tests' business.

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <span>
#include <string>
#include <vector>

#include "common/ReaderFixtures.h"
#include "framework/Exceptions.h"
#include "fuzz/FuzzNames.h"
#include "fuzz/MemoryFolderItem.h"
#include "reader/basKontaktVersion.h"

namespace {

const std::string kSentinel = "sentinel text";

struct Outcome {
    fw::Integer result = 1;
    std::string text = kSentinel;
    bool outOfBounds = false;
    int hooks = 0;
    std::uint64_t bytesRead = 0;
};

std::string Dotted(const std::string& bytes, std::initializer_list<std::size_t> positions) {
    std::string text;
    for (std::size_t position : positions) {
        text +=
            (text.empty() ? "" : ".") + std::to_string(static_cast<unsigned char>(bytes[position]));
    }
    return text;
}

Outcome Expect(const readerfuzz::FuzzName& name, const std::string& file) {
    Outcome expected;
    if (!name.kontakt) {
        return expected;
    }
    const std::string header = file.substr(0, 256);
    expected.bytesRead = header.size();
    const auto window = [&](std::size_t offset, std::size_t length) {
        return header.size() >= offset + length ? header.substr(offset, length) : std::string();
    };
    const auto versionText = [&](const std::string& version) {
        return std::string(name.name) + " is Kontakt Version " + version;
    };

    bool tailRoad = window(12, 4) == "hsin";
    if (!tailRoad) {
        const std::string tag = window(20, 4);
        if (tag == "Kon2" || tag == "Kon3" || tag == "Kon4") {
            expected.result = 2;
            expected.text = versionText(Dotted(header, {16, 17, 18, 19}));
            return expected;
        }
        if (tag == "2noK" || tag == "3noK" || tag == "4noK") {
            expected.result = 2;
            expected.text = versionText(Dotted(header, {19, 18, 17, 16}));
            return expected;
        }
        tailRoad = window(0, 16) == "/\\ NI FC MTD  /\\";
    }
    // A file shorter than the tail window has its tail read from past its end: nothing.
    if (!tailRoad || file.size() < 512) {
        return expected;
    }
    const std::string tail = file.substr(file.size() - 512);
    expected.bytesRead += tail.size();
    // A tag counts only with at least one byte of the window after it.
    const std::size_t hit = std::min(tail.find("5noK"), tail.find("6noK"));
    if (hit > 507) {
        expected.hooks = 508;
    } else if (hit < 4) {
        expected.outOfBounds = true;
        expected.hooks = static_cast<int>(hit);
    } else {
        expected.result = 2;
        expected.text = versionText(Dotted(tail, {hit - 1, hit - 2, hit - 3, hit - 4}));
        expected.hooks = static_cast<int>(hit);
    }
    return expected;
}

// "<name> is Kontakt Version " and four numbers 0 to 255 joined by ".".
bool WellFormed(const std::string& text, const std::string& name) {
    const std::string head = name + " is Kontakt Version ";
    if (!text.starts_with(head)) {
        return false;
    }
    std::vector<std::string> numbers(1);
    for (char c : text.substr(head.size())) {
        if (c == '.') {
            numbers.emplace_back();
        } else if (c >= '0' && c <= '9') {
            numbers.back() += c;
        } else {
            return false;
        }
    }
    return numbers.size() == 4 && std::all_of(numbers.begin(), numbers.end(), [](const auto& n) {
               return !n.empty() && n.size() <= 3 && (n.size() == 1 || n[0] != '0') &&
                      std::stoi(n) <= 255;
           });
}

[[noreturn]] void Fail(const char* what, const std::string& name, const Outcome& got,
                       const Outcome& expected) {
    std::fprintf(
        stderr,
        "reader fuzz: %s for \"%s\"\n"
        "  got      result %lld, text \"%s\", out of bounds %d, hooks %d, bytes read %llu\n"
        "  expected result %lld, text \"%s\", out of bounds %d, hooks %d, bytes read %llu\n",
        what, name.c_str(), static_cast<long long>(got.result), got.text.c_str(), got.outOfBounds,
        got.hooks, static_cast<unsigned long long>(got.bytesRead),
        static_cast<long long>(expected.result), expected.text.c_str(), expected.outOfBounds,
        expected.hooks, static_cast<unsigned long long>(expected.bytesRead));
    std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) {
        return 0;
    }
    const readerfuzz::FuzzName& name = readerfuzz::NameFor(data[0]);
    // The reader reads from libFuzzer's own buffer; the model works on a copy.
    const std::span<const char> bytes(reinterpret_cast<const char*>(data) + 1, size - 1);
    const std::string contents(bytes.begin(), bytes.end());
    auto file = fw::New<readerfuzz::MemoryFolderItem>(name.name, bytes);

    Outcome got;
    {
        readertest::HookCounter hook;
        fw::String text = kSentinel;
        try {
            got.result = basKontaktVersion::ShowKontaktVersion(file, text);
        } catch (const fw::OutOfBoundsException&) {
            got.outOfBounds = true;
        } catch (const fw::RuntimeException& error) {
            std::fprintf(stderr, "reader fuzz: %s: %s\n", error.TypeName(), error.what());
            std::abort();
        }
        got.text = text.Bytes();
        got.hooks = hook.Count();
    }
    got.bytesRead = file->trace.bytesDelivered;

    const Outcome expected = Expect(name, contents);
    if (got.result != 1 && got.result != 2) {
        Fail("a result other than 1 or 2", name.name, got, expected);
    }
    if ((got.result == 1 || got.outOfBounds) && got.text != kSentinel) {
        Fail("the text changed without a version", name.name, got, expected);
    }
    if (got.result == 2 && !WellFormed(got.text, name.name)) {
        Fail("a malformed version text", name.name, got, expected);
    }
    if (got.result != expected.result || got.text != expected.text ||
        got.outOfBounds != expected.outOfBounds || got.hooks != expected.hooks) {
        Fail("an outcome other than the layout's", name.name, got, expected);
    }
    // Exactly the header window and, on the tail road, the tail window: 768 bytes at most.
    if (got.bytesRead != expected.bytesRead || file->trace.openHandles != 0) {
        Fail("other bytes read than the two windows, or the file left open", name.name, got,
             expected);
    }
    // Exists and Name decide on the extension; a file with another one is neither measured nor
    // opened.
    if (!name.kontakt && (file->trace.queries > 2 || file->trace.opens != 0)) {
        Fail("a file with another extension was opened", name.name, got, expected);
    }
    return 0;
}
