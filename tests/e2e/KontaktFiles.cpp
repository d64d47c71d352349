#include "KontaktFiles.h"

#include <cstddef>
#include <string_view>

namespace e2e::kontakt {

using namespace std::string_view_literals;

namespace {

void Put(std::string& file, std::size_t offset, std::string_view bytes) {
    file.replace(offset, bytes.size(), bytes);
}

// A header tag at 20 with the version bytes at 16..19 in the tag's byte order.
std::string HeaderFile(std::string_view versionBytes, std::string_view tag) {
    std::string file(256, '\0');
    Put(file, 16, versionBytes);
    Put(file, 20, tag);
    return file;
}

// A tail tag at `position` of the last 512 bytes, the version's first number just before it.
void PutTailTag(std::string& file, std::size_t position, std::string_view tag,
                std::string_view versionLastToFirst) {
    const std::size_t tagOffset = file.size() - 512 + position;
    Put(file, tagOffset - 4, versionLastToFirst);
    Put(file, tagOffset, tag);
}

} // namespace

std::string ForwardHeader() {
    return HeaderFile("\x05\x00\x02\x0A"sv, "Kon3");
}

std::string ReversedHeader() {
    return HeaderFile("\x05\x00\x02\x0A"sv, "3noK");
}

std::string HsinTail() {
    std::string file(1024, '\0');
    Put(file, 12, "hsin");
    PutTailTag(file, 200, "5noK", "\xFF\x02\x00\x05"sv);
    return file;
}

std::string SignatureTail() {
    std::string file(700, '\0');
    Put(file, 0, "/\\ NI FC MTD  /\\");
    PutTailTag(file, 300, "6noK", "\x04\x00\x08\x06"sv);
    return file;
}

std::string Unrecognised() {
    std::string file;
    while (file.size() < 600) {
        file += "Plain bytes that carry no Kontakt tag at all. ";
    }
    return file;
}

} // namespace e2e::kontakt
