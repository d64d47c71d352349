#pragma once

#include <cstddef>
#include <cstdint>
#include <iterator>

// The file names a fuzz input can choose with its first byte, and whether the extension gate
// should let each one through.
namespace readerfuzz {

struct FuzzName {
    const char* name;
    bool kontakt;
};

inline constexpr FuzzName kNames[] = {
    {"Lead.nki", true},   {"LEAD.NKI", true},  {"Pad.Nkm", true},
    {"bank.nkB", true},   {".nkb", true},      {"Ström – Légato.nki", true},
    {"弦楽器.nkm", true}, {"Ärger.NKB", true}, {"lead.nki.bak", false},
    {"lead.nkx", false},  {"leadnki", false},  {"x.txt", false},
    {"nki", false},       {"k", false},        {"lead.nk", false},
    {"lead.nkİ", true},   {"弦.楽器", false},  {"a.nki ", false},
};

inline const FuzzName& NameFor(std::uint8_t selector) {
    return kNames[selector % std::size(kNames)];
}

} // namespace readerfuzz
