// Writes the reader fuzzer's seed inputs into a folder: one byte choosing the file name, then the
// file's contents, in the shapes of the Kontakt layout and its edges.

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <string>
#include <utility>

namespace {

std::string Bytes(std::initializer_list<int> values) {
    std::string bytes;
    for (int value : values) {
        bytes.push_back(static_cast<char>(value));
    }
    return bytes;
}

std::string Image(std::size_t size,
                  std::initializer_list<std::pair<std::size_t, std::string>> pieces = {}) {
    std::string image(size, '\0');
    for (const auto& [offset, bytes] : pieces) {
        image.replace(offset, bytes.size(), bytes);
    }
    return image;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s FOLDER\n", argv[0]);
        return 2;
    }
    const std::string signature = "/\\ NI FC MTD  /\\";
    const std::string version = Bytes({5, 0, 2, 10});
    const std::string tail5 = Bytes({255, 2, 0, 5}) + "5noK";
    const std::string tail6 = Bytes({0, 1, 6, 5}) + "6noK";
    // Name selectors index the fuzzer's name table: 0 Lead.nki, 2 Pad.Nkm, 3 bank.nkB, 4 .nkb,
    // 5 and 6 Unicode names, 11 x.txt.
    const std::pair<int, std::string> seeds[] = {
        {0, Image(256, {{16, version}, {20, "Kon3"}})},
        {1, Image(256, {{16, version}, {20, "3noK"}})},
        {2, Image(1024, {{12, "hsin"}, {16, version}, {20, "Kon4"}, {900, tail5}})},
        {3, Image(700, {{0, signature}, {400, tail6}})},
        {4, Image(512, {{12, "hsin"}, {26, tail6}})},
        {0, Image(512, {{2, "5noK"}, {12, "hsin"}})},
        {3, Image(1024, {{0, signature}, {1019, "6noK"}})},
        {3, Image(1024, {{0, signature}, {1020, "6noK"}})},
        {0, Image(1024, {{0, signature}, {16, version}, {20, "Kon2"}})},
        {0, Image(23, {{16, version}, {20, "Kon"}})},
        {0, Image(20, {{0, signature}})},
        {0, Image(300, {{12, "hsin"}, {200, tail5}})},
        {0, ""},
        {11, Image(64, {{16, version}, {20, "Kon4"}})},
        {5, Image(64, {{16, version}, {20, "4noK"}})},
        {6, Image(800, {{12, "hsin"}, {500, tail6}})},
    };
    const std::filesystem::path folder = argv[1];
    int index = 0;
    for (const auto& [name, contents] : seeds) {
        std::ofstream out(folder / ("seed-" + std::to_string(index++)), std::ios::binary);
        out.put(static_cast<char>(name));
        out.write(contents.data(), static_cast<std::streamsize>(contents.size()));
        if (!out.flush()) {
            std::fprintf(stderr, "cannot write the seeds into %s\n", argv[1]);
            return 1;
        }
    }
    return 0;
}
