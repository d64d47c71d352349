// Draws the program's icon and writes it as a .ico file: a blue rounded tile carrying a white "K"
// whose lower leg is amber, at 48, 32 and 16 px in 256 colours and at 256, 48, 32 and 16 px in
// 32-bit colour with alpha. Every image is stored as an uncompressed bitmap with its AND mask, so
// that every Windows version and every resource tool reads all of them alike.
//
// Usage: make_icon OUTPUT.ico

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <map>
#include <vector>

namespace {

struct Rgb {
    int r = 0;
    int g = 0;
    int b = 0;
};

struct Rgba {
    std::uint8_t r = 0;
    std::uint8_t g = 0;
    std::uint8_t b = 0;
    std::uint8_t a = 0;
};

constexpr Rgb tileTop{58, 126, 206};
constexpr Rgb tileBottom{22, 60, 132};
constexpr Rgb glyphWhite{250, 250, 250};
constexpr Rgb legAmber{255, 182, 30};

struct Point {
    double x = 0;
    double y = 0;
};

double DistanceToSegment(Point p, Point a, Point b) {
    const double dx = b.x - a.x;
    const double dy = b.y - a.y;
    const double t =
        std::clamp(((p.x - a.x) * dx + (p.y - a.y) * dy) / (dx * dx + dy * dy), 0.0, 1.0);
    return std::hypot(p.x - (a.x + t * dx), p.y - (a.y + t * dy));
}

// The glyph's geometry in pixels of one image. The stem and the glyph's top and bottom lie on
// whole pixels, which keeps the small sizes sharp; the diagonals are left to the anti-aliasing.
class Design {
public:
    explicit Design(int size) : size_(size) {
        const double s = size;
        margin_ = std::floor(s / 24);
        radius_ = (s - 2 * margin_) * 0.21;
        top_ = std::round(s * 0.2);
        bottom_ = std::round(s * 0.8);
        stroke_ = std::max(2.0, std::round(s * 0.16));
        stemLeft_ = std::round(s * 0.29);
        const double stemRight = stemLeft_ + stroke_;
        // The arms run past the glyph's top and bottom and are cut off flat there.
        armFrom_ = {stemRight - stroke_ * 0.3, s * 0.60};
        armTo_ = {s * 0.79, top_ - s * 0.12};
        legFrom_ = {s * 0.47, s * 0.47};
        legTo_ = {s * 0.83, bottom_ + s * 0.12};
    }

    // The colour at a point, or nothing (alpha 0) outside the tile.
    bool Sample(Point p, Rgb& colour) const {
        if (!InTile(p)) {
            return false;
        }
        const bool inGlyphRows = p.y >= top_ && p.y <= bottom_;
        const bool rightOfStem = p.x >= stemLeft_;
        if (inGlyphRows && p.x >= stemLeft_ && p.x <= stemLeft_ + stroke_) {
            colour = glyphWhite;
        } else if (inGlyphRows && rightOfStem &&
                   DistanceToSegment(p, armFrom_, armTo_) <= stroke_ / 2) {
            colour = glyphWhite;
        } else if (inGlyphRows && rightOfStem &&
                   DistanceToSegment(p, legFrom_, legTo_) <= stroke_ / 2) {
            colour = legAmber;
        } else {
            const double t = std::clamp(p.y / size_, 0.0, 1.0);
            colour = {Mix(tileTop.r, tileBottom.r, t), Mix(tileTop.g, tileBottom.g, t),
                      Mix(tileTop.b, tileBottom.b, t)};
        }
        return true;
    }

private:
    static int Mix(int from, int to, double t) {
        return static_cast<int>(std::lround(from + (to - from) * t));
    }

    bool InTile(Point p) const {
        const double low = margin_ + radius_;
        const double high = size_ - margin_ - radius_;
        const double cx = std::clamp(p.x, low, high);
        const double cy = std::clamp(p.y, low, high);
        return p.x >= margin_ && p.x <= size_ - margin_ && p.y >= margin_ &&
               p.y <= size_ - margin_ && std::hypot(p.x - cx, p.y - cy) <= radius_;
    }

    int size_;
    double margin_;
    double radius_;
    double top_;
    double bottom_;
    double stroke_;
    double stemLeft_;
    Point armFrom_;
    Point armTo_;
    Point legFrom_;
    Point legTo_;
};

// Renders one image, top row first, with a box filter over a grid of samples per pixel.
std::vector<Rgba> Render(int size) {
    constexpr int grid = 16;
    const Design design(size);
    std::vector<Rgba> pixels(static_cast<std::size_t>(size) * size);
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            double r = 0;
            double g = 0;
            double b = 0;
            int covered = 0;
            for (int sy = 0; sy < grid; ++sy) {
                for (int sx = 0; sx < grid; ++sx) {
                    Rgb colour;
                    if (design.Sample({x + (sx + 0.5) / grid, y + (sy + 0.5) / grid}, colour)) {
                        r += colour.r;
                        g += colour.g;
                        b += colour.b;
                        ++covered;
                    }
                }
            }
            Rgba& out = pixels[static_cast<std::size_t>(y) * size + x];
            if (covered > 0) {
                out.r = static_cast<std::uint8_t>(std::lround(r / covered));
                out.g = static_cast<std::uint8_t>(std::lround(g / covered));
                out.b = static_cast<std::uint8_t>(std::lround(b / covered));
                out.a = static_cast<std::uint8_t>(std::lround(255.0 * covered / (grid * grid)));
            }
        }
    }
    return pixels;
}

// Palette entry 0 stays black: it is the colour under the mask's transparent pixels, which makes
// them show the background. The image's opaque colours share the other 255 entries.
constexpr std::size_t paletteSize = 256;
constexpr std::uint8_t opaqueFrom = 128;

struct Quantised {
    std::array<Rgb, paletteSize> palette{};
    std::vector<std::uint8_t> indices;
};

struct Weighted {
    Rgb colour;
    long count = 0;
};

int Channel(const Rgb& c, int axis) {
    return axis == 0 ? c.r : axis == 1 ? c.g : c.b;
}

// Median cut: keeps splitting the box with the widest channel range at its weighted median.
std::vector<Rgb> MedianCut(std::vector<Weighted> colours, std::size_t wanted) {
    struct Box {
        std::size_t begin;
        std::size_t end;
    };
    auto range = [&](const Box& box, int& axis) {
        int best = -1;
        for (int a = 0; a < 3; ++a) {
            int low = 255;
            int high = 0;
            for (std::size_t i = box.begin; i < box.end; ++i) {
                low = std::min(low, Channel(colours[i].colour, a));
                high = std::max(high, Channel(colours[i].colour, a));
            }
            if (high - low > best) {
                best = high - low;
                axis = a;
            }
        }
        return best;
    };

    std::vector<Box> boxes{{0, colours.size()}};
    while (boxes.size() < wanted) {
        int widest = 0;
        int axis = 0;
        std::size_t chosen = boxes.size();
        for (std::size_t i = 0; i < boxes.size(); ++i) {
            int a = 0;
            const int r = boxes[i].end - boxes[i].begin > 1 ? range(boxes[i], a) : 0;
            if (r > widest) {
                widest = r;
                axis = a;
                chosen = i;
            }
        }
        if (chosen == boxes.size()) {
            break;
        }
        const Box box = boxes[chosen];
        std::sort(colours.begin() + box.begin, colours.begin() + box.end,
                  [axis](const Weighted& l, const Weighted& r) {
                      return Channel(l.colour, axis) < Channel(r.colour, axis);
                  });
        long total = 0;
        for (std::size_t i = box.begin; i < box.end; ++i) {
            total += colours[i].count;
        }
        std::size_t split = box.begin + 1;
        long below = colours[box.begin].count;
        while (split < box.end - 1 && below * 2 < total) {
            below += colours[split++].count;
        }
        boxes[chosen] = {box.begin, split};
        boxes.push_back({split, box.end});
    }

    std::vector<Rgb> palette;
    for (const Box& box : boxes) {
        double r = 0;
        double g = 0;
        double b = 0;
        double n = 0;
        for (std::size_t i = box.begin; i < box.end; ++i) {
            r += colours[i].colour.r * static_cast<double>(colours[i].count);
            g += colours[i].colour.g * static_cast<double>(colours[i].count);
            b += colours[i].colour.b * static_cast<double>(colours[i].count);
            n += static_cast<double>(colours[i].count);
        }
        palette.push_back({static_cast<int>(std::lround(r / n)),
                           static_cast<int>(std::lround(g / n)),
                           static_cast<int>(std::lround(b / n))});
    }
    return palette;
}

Quantised Quantise(const std::vector<Rgba>& pixels) {
    std::map<std::array<int, 3>, long> histogram;
    for (const Rgba& p : pixels) {
        if (p.a >= opaqueFrom) {
            ++histogram[{p.r, p.g, p.b}];
        }
    }
    std::vector<Weighted> colours;
    for (const auto& [c, count] : histogram) {
        colours.push_back({{c[0], c[1], c[2]}, count});
    }

    Quantised result;
    const std::vector<Rgb> chosen = MedianCut(std::move(colours), paletteSize - 1);
    std::copy(chosen.begin(), chosen.end(), result.palette.begin() + 1);
    result.indices.reserve(pixels.size());
    for (const Rgba& p : pixels) {
        std::size_t best = 0;
        if (p.a >= opaqueFrom) {
            long bestDistance = -1;
            for (std::size_t i = 1; i <= chosen.size(); ++i) {
                const Rgb& c = result.palette[i];
                const long d = (c.r - p.r) * (c.r - p.r) + (c.g - p.g) * (c.g - p.g) +
                               (c.b - p.b) * (c.b - p.b);
                if (bestDistance < 0 || d < bestDistance) {
                    bestDistance = d;
                    best = i;
                }
            }
        }
        result.indices.push_back(static_cast<std::uint8_t>(best));
    }
    return result;
}

class Bytes {
public:
    void U8(unsigned v) { data_.push_back(static_cast<char>(v & 0xFF)); }
    void U16(unsigned v) {
        U8(v);
        U8(v >> 8);
    }
    void U32(std::uint32_t v) {
        U16(v & 0xFFFF);
        U16(v >> 16);
    }
    void Append(const Bytes& other) {
        data_.insert(data_.end(), other.data_.begin(), other.data_.end());
    }
    void PadTo4() {
        while (data_.size() % 4 != 0) {
            U8(0);
        }
    }
    std::size_t Size() const { return data_.size(); }
    const std::vector<char>& Data() const { return data_; }

private:
    std::vector<char> data_;
};

std::size_t RowBytes(int size, int bitsPerPixel) {
    return (static_cast<std::size_t>(size) * bitsPerPixel + 31) / 32 * 4;
}

// One icon image: a BITMAPINFOHEADER with the height of XOR and AND bitmaps together, the colour
// table for 8 bpp, then both bitmaps bottom row first.
Bytes IconImage(int size, int bitsPerPixel) {
    const std::vector<Rgba> pixels = Render(size);
    const std::size_t xorBytes = RowBytes(size, bitsPerPixel) * size;
    const std::size_t andBytes = RowBytes(size, 1) * size;

    Bytes out;
    out.U32(40);
    out.U32(static_cast<std::uint32_t>(size));
    out.U32(static_cast<std::uint32_t>(size * 2));
    out.U16(1);
    out.U16(static_cast<unsigned>(bitsPerPixel));
    out.U32(0); // uncompressed
    out.U32(static_cast<std::uint32_t>(xorBytes + andBytes));
    out.U32(0);
    out.U32(0);
    out.U32(0);
    out.U32(0);

    auto at = [&](int x, int y) { return static_cast<std::size_t>(y) * size + x; };
    if (bitsPerPixel == 8) {
        const Quantised q = Quantise(pixels);
        for (const Rgb& c : q.palette) {
            out.U8(static_cast<unsigned>(c.b));
            out.U8(static_cast<unsigned>(c.g));
            out.U8(static_cast<unsigned>(c.r));
            out.U8(0);
        }
        for (int y = size - 1; y >= 0; --y) {
            for (int x = 0; x < size; ++x) {
                out.U8(q.indices[at(x, y)]);
            }
            out.PadTo4();
        }
    } else {
        for (int y = size - 1; y >= 0; --y) {
            for (int x = 0; x < size; ++x) {
                const Rgba& p = pixels[at(x, y)];
                out.U8(p.b);
                out.U8(p.g);
                out.U8(p.r);
                out.U8(p.a);
            }
        }
    }

    // The mask marks what the 256-colour images leave transparent; the 32-bit ones carry their
    // own alpha, and their mask only matters to code that ignores it.
    const std::uint8_t transparentBelow = bitsPerPixel == 8 ? opaqueFrom : 1;
    for (int y = size - 1; y >= 0; --y) {
        unsigned bits = 0;
        for (int x = 0; x < size; ++x) {
            if (pixels[at(x, y)].a < transparentBelow) {
                bits |= 0x80u >> (x % 8);
            }
            if (x % 8 == 7 || x == size - 1) {
                out.U8(bits);
                bits = 0;
            }
        }
        out.PadTo4();
    }
    return out;
}

struct Entry {
    int size;
    int bitsPerPixel;
};

constexpr std::array<Entry, 7> entries{
    {{48, 8}, {32, 8}, {16, 8}, {256, 32}, {48, 32}, {32, 32}, {16, 32}}};

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUTPUT.ico\n", argv[0]);
        return 2;
    }

    std::vector<Bytes> images;
    for (const Entry& e : entries) {
        images.push_back(IconImage(e.size, e.bitsPerPixel));
    }

    Bytes file;
    file.U16(0);
    file.U16(1); // icon
    file.U16(entries.size());
    std::size_t offset = 6 + 16 * entries.size();
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const Entry& e = entries[i];
        file.U8(e.size >= 256 ? 0 : static_cast<unsigned>(e.size));
        file.U8(e.size >= 256 ? 0 : static_cast<unsigned>(e.size));
        file.U8(0); // 0: 256 colours or more
        file.U8(0);
        file.U16(1);
        file.U16(static_cast<unsigned>(e.bitsPerPixel));
        file.U32(static_cast<std::uint32_t>(images[i].Size()));
        file.U32(static_cast<std::uint32_t>(offset));
        offset += images[i].Size();
    }
    for (const Bytes& image : images) {
        file.Append(image);
    }

    std::ofstream out(argv[1], std::ios::binary | std::ios::trunc);
    out.write(file.Data().data(), static_cast<std::streamsize>(file.Size()));
    out.close();
    if (!out) {
        std::fprintf(stderr, "%s: cannot write %s\n", argv[0], argv[1]);
        std::remove(argv[1]);
        return 1;
    }
    return 0;
}
