#include "cardui/IconReader.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <functional>
#include <iterator>
#include <set>
#include <string>
#include <random>
#include <vector>

using namespace tl5;

namespace {

// One image of a hand-made icon file. Colours: for depths up to 8 a palette index, for 16 bits the
// raw pixel value, for 24 and 32 bits 0xAARRGGBB.
struct ImageSpec {
    int width = 16;
    int height = 16;
    int bits = 24;
    uint32_t compression = 0;
    uint32_t colorsUsed = 0;
    std::vector<uint32_t> palette;     // 0x00RRGGBB entries written to the file
    std::vector<uint32_t> bitfields;   // masks written after the header (compression 3)
    std::function<uint32_t(int, int)> color = [](int, int) { return 0u; };
    std::function<bool(int, int)> transparent = [](int, int) { return false; };
};

void Put16(std::vector<uint8_t>& v, size_t at, uint32_t x) {
    v[at] = static_cast<uint8_t>(x);
    v[at + 1] = static_cast<uint8_t>(x >> 8);
}
void Put32(std::vector<uint8_t>& v, size_t at, uint32_t x) {
    for (int i = 0; i < 4; ++i) v[at + i] = static_cast<uint8_t>(x >> (8 * i));
}
uint32_t Get32(const std::vector<uint8_t>& v, size_t at) {
    return v[at] | (v[at + 1] << 8) | (v[at + 2] << 16) | (static_cast<uint32_t>(v[at + 3]) << 24);
}

std::vector<uint8_t> ImageBytes(const ImageSpec& s) {
    std::vector<uint8_t> out(40);
    Put32(out, 0, 40);
    Put32(out, 4, static_cast<uint32_t>(s.width));
    Put32(out, 8, static_cast<uint32_t>(s.height * 2));
    Put16(out, 12, 1);
    Put16(out, 14, static_cast<uint32_t>(s.bits));
    Put32(out, 16, s.compression);
    Put32(out, 32, s.colorsUsed);
    for (uint32_t m : s.bitfields) {
        out.resize(out.size() + 4);
        Put32(out, out.size() - 4, m);
    }
    for (uint32_t c : s.palette) {
        out.push_back(static_cast<uint8_t>(c));
        out.push_back(static_cast<uint8_t>(c >> 8));
        out.push_back(static_cast<uint8_t>(c >> 16));
        out.push_back(0);
    }
    const size_t stride = ((static_cast<size_t>(s.width) * s.bits + 31) / 32) * 4;
    for (int row = s.height - 1; row >= 0; --row) {   // bottom-up
        std::vector<uint8_t> line(stride, 0);
        for (int x = 0; x < s.width; ++x) {
            const uint32_t c = s.color(x, row);
            const size_t bit = static_cast<size_t>(x) * s.bits;
            switch (s.bits) {
            case 1: case 4: case 8:
                line[bit / 8] |= static_cast<uint8_t>(c << (8 - s.bits - bit % 8));
                break;
            case 16: line[bit / 8] = static_cast<uint8_t>(c); line[bit / 8 + 1] = static_cast<uint8_t>(c >> 8); break;
            case 24: for (int i = 0; i < 3; ++i) line[bit / 8 + i] = static_cast<uint8_t>(c >> (8 * i)); break;
            default: for (int i = 0; i < 4; ++i) line[bit / 8 + i] = static_cast<uint8_t>(c >> (8 * i)); break;
            }
        }
        out.insert(out.end(), line.begin(), line.end());
    }
    const size_t maskStride = ((static_cast<size_t>(s.width) + 31) / 32) * 4;
    for (int row = s.height - 1; row >= 0; --row) {
        std::vector<uint8_t> line(maskStride, 0);
        for (int x = 0; x < s.width; ++x) {
            if (s.transparent(x, row)) line[x / 8] |= static_cast<uint8_t>(0x80 >> (x % 8));
        }
        out.insert(out.end(), line.begin(), line.end());
    }
    return out;
}

std::vector<uint8_t> BuildIcon(const std::vector<ImageSpec>& images) {
    std::vector<uint8_t> file(6 + 16 * images.size());
    Put16(file, 2, 1);
    Put16(file, 4, static_cast<uint32_t>(images.size()));
    for (size_t i = 0; i < images.size(); ++i) {
        const std::vector<uint8_t> bytes = ImageBytes(images[i]);
        const size_t entry = 6 + 16 * i;
        file[entry] = static_cast<uint8_t>(images[i].width);
        file[entry + 1] = static_cast<uint8_t>(images[i].height);
        Put16(file, entry + 4, 1);
        Put16(file, entry + 6, static_cast<uint32_t>(images[i].bits));
        Put32(file, entry + 8, static_cast<uint32_t>(bytes.size()));
        Put32(file, entry + 12, static_cast<uint32_t>(file.size()));
        file.insert(file.end(), bytes.begin(), bytes.end());
    }
    return file;
}

// An image that is simply of a given size and depth, with a palette where it needs one.
ImageSpec Plain(int side, int bits) {
    ImageSpec s;
    s.width = side;
    s.height = side;
    s.bits = bits;
    if (bits <= 8) s.palette.assign(size_t{1} << bits, 0x00808080);
    return s;
}

size_t ImageOffset(const std::vector<uint8_t>& file, int entry) { return Get32(file, 6 + 16 * entry + 12); }

}  // namespace

TEST(IconReader, DecodesEveryDepthWithItsMask) {
    // A 4-bit image: palette index by column, top-left pixel transparent, 17 pixels wide so rows
    // are padded and the mask row spills into a second 32-bit word.
    ImageSpec four;
    four.width = 17;
    four.height = 16;
    four.bits = 4;
    four.palette = {0x000000, 0xFF0000, 0x00FF00, 0x0000FF};
    four.colorsUsed = 4;
    four.color = [](int x, int) { return static_cast<uint32_t>(x % 4); };
    four.transparent = [](int x, int y) { return x == 0 && y == 0; };

    ImageSpec one = Plain(16, 1);
    one.palette = {0x000000, 0xFFFFFF};
    one.color = [](int x, int y) { return static_cast<uint32_t>((x + y) % 2); };

    ImageSpec sixteen = Plain(16, 16);   // plain 16-bit pixels are 5-5-5
    sixteen.color = [](int x, int) { return x == 0 ? 0x7C00u : 0x001Fu; };

    ImageSpec bitfields = Plain(16, 16);
    bitfields.compression = 3;
    bitfields.bitfields = {0xF800, 0x07E0, 0x001F};
    bitfields.color = [](int, int) { return 0x07E0u; };

    ImageSpec rgb = Plain(16, 24);
    rgb.color = [](int x, int y) { return 0x00102030u + static_cast<uint32_t>(x) + (static_cast<uint32_t>(y) << 8); };
    rgb.transparent = [](int x, int) { return x == 15; };

    ImageSpec alpha = Plain(16, 32);
    alpha.color = [](int x, int) { return x == 3 ? 0x80FF8000u : 0xFF123456u; };
    alpha.transparent = [](int, int) { return true; };   // alpha wins over the mask

    struct Probe { int x, y; uint32_t bgra; };
    struct Case { const char* name; ImageSpec spec; std::vector<Probe> probes; };
    const Case cases[] = {
        {"4-bit", four, {{0, 0, 0}, {1, 0, 0xFFFF0000}, {2, 5, 0xFF00FF00}, {16, 15, 0xFF000000}}},
        {"1-bit", one, {{0, 0, 0xFF000000}, {1, 0, 0xFFFFFFFF}, {5, 4, 0xFFFFFFFF}}},
        {"16-bit", sixteen, {{0, 3, 0xFFFF0000}, {1, 3, 0xFF0000FF}}},
        {"16-bit fields", bitfields, {{7, 7, 0xFF00FF00}}},
        {"24-bit", rgb, {{0, 0, 0xFF102030}, {2, 1, 0xFF102132}, {15, 9, 0}}},
        {"32-bit", alpha, {{0, 0, 0xFF123456}, {3, 8, 0x80FF8000}}},
    };
    for (const Case& c : cases) {
        const std::vector<uint8_t> file = BuildIcon({c.spec});
        IconReader reader;
        ASSERT_EQ(reader.Read(file.data(), file.size(), c.spec.height, c.spec.bits, false), kIconOk) << c.name;
        EXPECT_EQ(reader.Width(), c.spec.width) << c.name;
        EXPECT_EQ(reader.Height(), c.spec.height) << c.name;
        EXPECT_EQ(reader.BitCount(), c.spec.bits) << c.name;
        for (const Probe& p : c.probes) {
            EXPECT_EQ(reader.PixelBgra(p.x, p.y), p.bgra) << c.name << " at " << p.x << "," << p.y;
        }
        std::vector<uint32_t> pixels(static_cast<size_t>(c.spec.width) * c.spec.height);
        ASSERT_TRUE(reader.DecodeBgra(pixels.data(), pixels.size())) << c.name;
        EXPECT_EQ(pixels[1], reader.PixelBgra(1, 0)) << c.name;
        EXPECT_FALSE(reader.DecodeBgra(pixels.data(), pixels.size() - 1)) << c.name;
    }
}

TEST(IconReader, ChoosesByHeightAndDepth) {
    const std::vector<uint8_t> file =
        BuildIcon({Plain(16, 4), Plain(32, 8), Plain(16, 24), Plain(32, 32), Plain(16, 24)});
    struct Case { int height, bits; bool other; int code, entry; };
    const Case cases[] = {
        {16, 24, false, kIconOk, 2},     // the first exact match, not the later twin
        {16, 0, false, kIconOk, 0},      // any depth: the first of that height
        {32, 32, false, kIconOk, 3},
        {32, 8, true, kIconOk, 1},
        {16, 8, false, kIconNoSuchHeight, -1},
        {16, 8, true, kIconOk, 2},       // 4 then 24: the deeper one
        {48, 0, true, kIconNoSuchHeight, -1},
    };
    for (const Case& c : cases) {
        IconReader reader;
        EXPECT_EQ(reader.Read(file.data(), file.size(), c.height, c.bits, c.other), c.code)
            << c.height << "/" << c.bits;
        if (c.code == kIconOk) {
            EXPECT_EQ(reader.ChosenEntry(), c.entry) << c.height << "/" << c.bits;
        }
        EXPECT_EQ(reader.EntryCount(), 5);
    }
}

TEST(IconReader, OtherDepthFollowsDirectoryOrder) {
    IconReader reader;
    const std::vector<uint8_t> fourFirst = BuildIcon({Plain(16, 4), Plain(16, 8)});
    ASSERT_EQ(reader.Read(fourFirst.data(), fourFirst.size(), 16, 24, true), kIconOk);
    EXPECT_EQ(reader.BitCount(), 8);
    const std::vector<uint8_t> eightFirst = BuildIcon({Plain(16, 8), Plain(16, 4)});
    ASSERT_EQ(reader.Read(eightFirst.data(), eightFirst.size(), 16, 24, true), kIconOk);
    EXPECT_EQ(reader.BitCount(), 4);
    // Without permission to take another depth there is no 24-bit image to give.
    EXPECT_EQ(reader.Read(eightFirst.data(), eightFirst.size(), 16, 24, false), kIconNoSuchHeight);
}

TEST(IconReader, OnlyTheFirstTwentyEntriesCount) {
    std::vector<ImageSpec> images(20, Plain(16, 4));
    images.push_back(Plain(16, 24));
    const std::vector<uint8_t> file = BuildIcon(images);
    IconReader reader;
    EXPECT_EQ(reader.Read(file.data(), file.size(), 16, 24, false), kIconNoSuchHeight);
    EXPECT_EQ(reader.EntryCount(), 20);
    EXPECT_EQ(reader.Read(file.data(), file.size(), 16, 24, true), kIconOk);
    EXPECT_EQ(reader.BitCount(), 4);
}

TEST(IconReader, DamagedIconsGiveTheirCodes) {
    const std::vector<uint8_t> good = BuildIcon({Plain(16, 8), Plain(32, 24)});
    const size_t first = ImageOffset(good, 0);
    const size_t second = ImageOffset(good, 1);
    struct Case {
        const char* name;
        std::function<void(std::vector<uint8_t>&)> damage;
        int height;
        int code;
    };
    const Case cases[] = {
        {"intact", [](std::vector<uint8_t>&) {}, 32, kIconOk},
        {"empty", [](std::vector<uint8_t>& f) { f.clear(); }, 16, kIconMissingInput},
        {"shorter than the header", [](std::vector<uint8_t>& f) { f.resize(5); }, 16, kIconNotAnIcon},
        {"reserved not 0", [](std::vector<uint8_t>& f) { f[0] = 1; }, 16, kIconNotAnIcon},
        {"type 2 (cursor)", [](std::vector<uint8_t>& f) { f[2] = 2; }, 16, kIconNotAnIcon},
        {"no images", [](std::vector<uint8_t>& f) { Put16(f, 4, 0); }, 16, kIconNoImage},
        {"directory longer than the data", [](std::vector<uint8_t>& f) { Put16(f, 4, 20); f.resize(6 + 16 * 19); }, 16, kIconBeyondData},
        {"huge count, short file", [](std::vector<uint8_t>& f) { Put16(f, 4, 0xFFFF); f.resize(40); }, 16, kIconBeyondData},
        {"image offset past the end", [](std::vector<uint8_t>& f) { Put32(f, 6 + 12, 0xFFFFFFF0u); }, 16, kIconNoSuchHeight},
        {"offset leaving a partial header", [](std::vector<uint8_t>& f) { Put32(f, 6 + 16 + 12, static_cast<uint32_t>(f.size() - 20)); }, 32, kIconNoSuchHeight},
        {"compressed image", [first](std::vector<uint8_t>& f) { f[first] = 0x89; f[first + 1] = 'P'; f[first + 2] = 'N'; f[first + 3] = 'G'; }, 16, kIconNoSuchHeight},
        {"header size beyond the data", [second](std::vector<uint8_t>& f) { Put32(f, second, 0x10000); }, 32, kIconNoSuchHeight},
        {"negative height", [first](std::vector<uint8_t>& f) { Put32(f, first + 8, static_cast<uint32_t>(-32)); }, 16, kIconNoSuchHeight},
        {"mask cut short", [](std::vector<uint8_t>& f) { f.pop_back(); }, 32, kIconBeyondData},
        {"colour bits cut short", [second](std::vector<uint8_t>& f) { f.resize(second + 40 + 100); }, 32, kIconBeyondData},
        {"palette beyond the data", [first](std::vector<uint8_t>& f) { f.resize(first + 40 + 512); }, 16, kIconBeyondData},
        {"palette of 300 colours", [first](std::vector<uint8_t>& f) { Put32(f, first + 32, 300); }, 16, kIconBadBitmap},
        {"depth 3", [second](std::vector<uint8_t>& f) { Put16(f, second + 14, 3); }, 32, kIconBadBitmap},
        {"run-length compression", [first](std::vector<uint8_t>& f) { Put32(f, first + 16, 1); }, 16, kIconBadBitmap},
        {"bit fields on 24 bits", [second](std::vector<uint8_t>& f) { Put32(f, second + 16, 3); }, 32, kIconBadBitmap},
        {"zero width", [first](std::vector<uint8_t>& f) { Put32(f, first + 4, 0); }, 16, kIconBadBitmap},
        {"width past the limit", [second](std::vector<uint8_t>& f) { Put32(f, second + 4, 100000); }, 32, kIconBadBitmap},
        {"height past the limit", [second](std::vector<uint8_t>& f) { Put32(f, second + 8, 1024); }, 512, kIconBadBitmap},
    };
    for (const Case& c : cases) {
        std::vector<uint8_t> file = good;
        c.damage(file);
        IconReader reader;
        const int code = reader.Read(file.empty() ? nullptr : file.data(), file.size(), c.height, 0, true);
        EXPECT_EQ(code, c.code) << c.name;
    }
}

TEST(IconReader, EveryTruncationAndRandomDamageStaysInsideTheData) {
    ImageSpec palette = Plain(16, 4);
    palette.transparent = [](int x, int y) { return x == y; };
    const std::vector<uint8_t> good = BuildIcon({palette, Plain(16, 16), Plain(32, 32)});
    std::vector<uint32_t> pixels(IconReader::kMaxSide * IconReader::kMaxSide);

    // Each shorter copy lives in a buffer of exactly its size, so a read past it is a real overrun
    // (and caught by the sanitizer build).
    for (size_t n = 0; n < good.size(); ++n) {
        std::vector<uint8_t> cut(good.begin(), good.begin() + static_cast<std::ptrdiff_t>(n));
        for (int height : {16, 32}) {
            IconReader reader;
            const int code = reader.Read(cut.empty() ? nullptr : cut.data(), cut.size(), height, 0, true);
            if (code == kIconOk) {
                EXPECT_TRUE(reader.DecodeBgra(pixels.data(), pixels.size()));
            }
            if (height == 32) {
                EXPECT_NE(code, kIconOk) << n;   // the 32-pixel image ends the file
            }
        }
    }

    std::mt19937 random(20261209);
    int readable = 0;
    for (int round = 0; round < 3000; ++round) {
        std::vector<uint8_t> file = good;
        const int flips = 1 + static_cast<int>(random() % 8);
        for (int i = 0; i < flips; ++i) {
            // Damage mostly the headers and the directory, where the lengths and offsets are.
            const size_t at = (random() % 4 == 0) ? random() % file.size() : random() % (ImageOffset(good, 0) + 48);
            file[at] = static_cast<uint8_t>(random());
        }
        IconReader reader;
        const int code = reader.Read(file.data(), file.size(), random() % 2 ? 16 : 32, 0, true);
        ASSERT_GE(code, kIconOk);
        ASSERT_LE(code, kIconBadBitmap);
        if (code == kIconOk) {
            ++readable;
            ASSERT_LE(reader.Width(), IconReader::kMaxSide);
            ASSERT_LE(reader.Height(), IconReader::kMaxSide);
            ASSERT_TRUE(reader.DecodeBgra(pixels.data(), pixels.size()));
        }
    }
    EXPECT_GT(readable, 0);
}

namespace {

std::vector<uint8_t> ReadWholeFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::vector<uint8_t>((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

}  // namespace

// The committed icon resources, read back with the reader: every numbered icon exists at 16 and 32
// pixels with alpha, its mask agrees with its alpha, it is neither empty nor a filled square, and
// no two stock icons are the same picture.
TEST(IconReader, EveryIconResourceHasBothSizesAndTheStockIconsDiffer) {
    std::vector<int> numbers;
    for (int n = 200; n <= 232; ++n) numbers.push_back(n);
    for (int n = 296; n <= 443; ++n) numbers.push_back(n);
    std::set<std::vector<uint32_t>> stockPictures;
    for (int number : numbers) {
        char name[32];
        std::snprintf(name, sizeof(name), "/resources/icons/i%03d.ico", number);
        const std::vector<uint8_t> file = ReadWholeFile(std::string(TL5_SOURCE_DIR) + name);
        ASSERT_FALSE(file.empty()) << name;
        for (int side : {16, 32}) {
            IconReader reader;
            ASSERT_EQ(reader.Read(file.data(), file.size(), side, 32, false), kIconOk) << name << " at " << side;
            ASSERT_EQ(reader.Width(), side) << name;
            std::vector<uint32_t> pixels(static_cast<size_t>(side) * side);
            ASSERT_TRUE(reader.DecodeBgra(pixels.data(), pixels.size()));
            size_t opaque = 0;
            for (int y = 0; y < side; ++y) {
                for (int x = 0; x < side; ++x) {
                    const uint32_t alpha = pixels[static_cast<size_t>(y) * side + x] >> 24;
                    EXPECT_EQ(reader.MaskBit(x, y), alpha < 128) << name << " at " << x << "," << y;
                    opaque += alpha >= 128;
                }
            }
            // Overlays are marks for a corner of another icon; everything else fills a good part.
            const size_t least = (number >= 296 && number <= 299) ? pixels.size() / 25 : pixels.size() / 10;
            EXPECT_GT(opaque, least) << name << " at " << side;
            EXPECT_LT(opaque, pixels.size()) << name << " at " << side;
            if (number >= 300 && side == 32) {
                EXPECT_TRUE(stockPictures.insert(pixels).second) << name << " repeats another stock icon";
            }
        }
    }
    EXPECT_EQ(stockPictures.size(), 144u);
}
