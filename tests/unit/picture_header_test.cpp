#include <gtest/gtest.h>

#include <cstdint>
#include <initializer_list>
#include <string>
#include <utility>

#include "menu/picture_header.h"

using namespace ostrel;
using namespace std::string_literals;

namespace {
std::string Little(std::uint32_t value, int bytes) {
    std::string out;
    for (int i = 0; i < bytes; ++i)
        out += static_cast<char>((value >> (8 * i)) & 0xFF);
    return out;
}
std::string Big(std::uint32_t value, int bytes) {
    std::string out;
    for (int i = bytes - 1; i >= 0; --i)
        out += static_cast<char>((value >> (8 * i)) & 0xFF);
    return out;
}
// A 24-bit BMP with its pixel rows, or only `pixelBytes` of them.
std::string Bmp(std::int32_t width, std::int32_t height, long pixelBytes = -1) {
    std::uint32_t row = (static_cast<std::uint32_t>(width) * 24 + 31) / 32 * 4;
    std::uint32_t all = row * static_cast<std::uint32_t>(height < 0 ? -height : height);
    std::string data(pixelBytes < 0 ? all : static_cast<std::uint32_t>(pixelBytes), '\0');
    return "BM" + Little(54 + static_cast<std::uint32_t>(data.size()), 4) + Little(0, 4) + Little(54, 4) +
           Little(40, 4) + Little(static_cast<std::uint32_t>(width), 4) + Little(static_cast<std::uint32_t>(height), 4) +
           Little(1, 2) + Little(24, 2) + Little(0, 4) + std::string(20, '\0') + data;
}
std::string Chunk(const std::string& type, const std::string& data) {
    return Big(static_cast<std::uint32_t>(data.size()), 4) + type + data + "CRC!";
}
std::string Png(std::uint32_t width, std::uint32_t height, bool data = true, bool end = true) {
    std::string png = "\x89PNG\r\n\x1a\n" + Chunk("IHDR", Big(width, 4) + Big(height, 4) + std::string(5, '\0'));
    if (data)
        png += Chunk("IDAT", "pixels");
    if (end)
        png += Chunk("IEND", "");
    return png;
}
// A JPEG whose frame header comes after a large application segment.
std::string Jpeg(std::uint16_t width, std::uint16_t height, bool scan = true) {
    std::string app = "\xFF\xE1" + Big(5002, 2) + std::string(5000, 'e');
    std::string frame = "\xFF\xC0" + Big(17, 2) + "\x08" + Big(height, 2) + Big(width, 2) + std::string(10, '\1');
    std::string jpeg = "\xFF\xD8" + app + frame;
    if (scan)
        jpeg += "\xFF\xDA" + Big(8, 2) + std::string(6, '\0') + "entropy" + "\xFF\xD9";
    return jpeg;
}
// A GIF with a logical screen and frames of the given sizes.
std::string Gif(std::uint16_t width, std::uint16_t height, bool trailer = true,
                std::initializer_list<std::pair<std::uint16_t, std::uint16_t>> frames = {{0, 0}}) {
    std::string gif = "GIF89a" + Little(width, 2) + Little(height, 2) + std::string(3, '\0');
    for (auto frame : frames) {
        std::uint16_t w = frame.first ? frame.first : width, h = frame.second ? frame.second : height;
        gif += "," + Little(0, 4) + Little(w, 2) + Little(h, 2) + std::string(1, '\0') + "\x02" + "\x03" + "abc" +
               std::string(1, '\0');
    }
    return gif + (trailer ? ";" : "");
}
// An icon holding a PNG file of that size.
std::string IconWithPng(std::uint32_t width, std::uint32_t height) {
    std::string png = "\x89PNG\r\n\x1a\n" + Big(13, 4) + "IHDR" + Big(width, 4) + Big(height, 4) + std::string(9, '\0');
    return "\0\0\1\0"s + Little(1, 2) + std::string(8, '\0') + Little(static_cast<std::uint32_t>(png.size()), 4) +
           Little(22, 4) + png;
}
// A TIFF whose width is stored with the given type (4 LONG, 9 SLONG).
std::string Tiff(std::uint32_t width, std::uint32_t height, std::uint16_t widthType = 4) {
    return "II*\0"s + Little(8, 4) + Little(2, 2) + Little(256, 2) + Little(widthType, 2) + Little(1, 4) +
           Little(width, 4) + Little(257, 2) + Little(3, 2) + Little(1, 4) + Little(height, 2) + Little(0, 2) +
           Little(0, 4);
}
} // namespace

// Sizes as files declare them, and the limit: 16,384 a side, 64 megapixels.
TEST(PictureHeader, DeclaredSizesAndTheLimit) {
    struct Case {
        std::string file;
        long long width, height;
        bool tooLarge;
    } cases[] = {
        {Bmp(40, 30), 40, 30, false},
        {Bmp(40, -30), 40, 30, false},                     // rows stored top-down
        {Bmp(30000, 30000, 0), 30000, 30000, true},        // a header alone: no pixels to read
        {Png(16384, 4096), 16384, 4096, false},            // exactly 64 megapixels
        {Png(16384, 4097), 16384, 4097, true},
        {Png(16385, 1), 16385, 1, true},
        {Png(1, 16385), 1, 16385, true},
        {Png(0xFFFFFFFFu, 0xFFFFFFFFu), 0xFFFFFFFFLL, 0xFFFFFFFFLL, true},
        {Jpeg(640, 480), 640, 480, false},
        {Jpeg(30000, 30000), 30000, 30000, true},
        {Gif(300, 200), 300, 200, false},
        {Tiff(20000, 100), 20000, 100, true},
        {Tiff(200, 100), 200, 100, false},
        {Tiff(20000, 100, 9), 20000, 100, true},
        // What decoders skip cannot hide the size: a stray byte before the frame
        // header, a frame larger than the screen, a picture inside an icon.
        {Jpeg(640, 480).insert(5006, "x"), 640, 480, false},
        {Jpeg(20000, 8).insert(5006, "x\xFF\xFF"), 20000, 8, true},
        {Gif(600, 300, true, {{12000, 12000}}), 12000, 12000, true},
        {Gif(600, 300, true, {{600, 300}, {20000, 8}}), 20000, 300, true},
        {Gif(4096, 4096, true, {{0, 0}, {0, 0}, {0, 0}, {0, 0}, {0, 0}}), 4096, 4096, true}, // 5 x 16 megapixels
        {IconWithPng(256, 256), 256, 256, false},
        {IconWithPng(20000, 8), 20000, 8, true},
    };
    for (const Case& c : cases) {
        ImageHeader header = ReadImageHeader(c.file);
        EXPECT_TRUE(header.recognised && header.raster) << c.width << "x" << c.height;
        EXPECT_TRUE(header.sizeKnown) << c.width << "x" << c.height;
        EXPECT_EQ(header.width, c.width);
        EXPECT_EQ(header.height, c.height);
        EXPECT_EQ(header.tooLarge, c.tooLarge) << c.width << "x" << c.height;
    }
}

// A file that ends before its picture does cannot be shown, whatever its header says.
TEST(PictureHeader, FilesThatEndTooSoon) {
    struct Case {
        const char* what;
        std::string file;
        bool truncated;
    } cases[] = {
        {"bmp", Bmp(40, 30), false},
        {"bmp header only", Bmp(40, 30, 0), true},
        {"bmp cut in its rows", Bmp(40, 30, 120 * 29), true},
        {"png", Png(10, 10), false},
        {"png without IEND", Png(10, 10, true, false), true},
        {"png without data", Png(10, 10, false, true), true},
        {"png cut inside a chunk", Png(10, 10).substr(0, 40), true},
        {"jpeg", Jpeg(64, 48), false},
        {"jpeg without a scan", Jpeg(64, 48, false), true},
        {"gif", Gif(10, 10), false},
        {"gif without its trailer", Gif(10, 10, false), true},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ReadImageHeader(c.file, true).truncated, c.truncated) << c.what;
        EXPECT_FALSE(ReadImageHeader(c.file, false).truncated) << c.what; // only looked at when asked
    }
}

// Whatever a file holds, reading its header stays inside it and ends.
TEST(PictureHeader, BrokenFilesAreReadSafely) {
    const std::string files[] = {
        "",
        "BM",
        "\x89PNG\r\n\x1a\n",
        "\xFF\xD8\xFF",
        "\xFF\xD8\xFF\xE1\xFF\xFF",                                  // a segment longer than the file
        "\xFF\xD8" + std::string(100, '\xFF'),                       // fill bytes only
        "II*\0\xFF\xFF\xFF\xFF"s,                                    // a directory past the end
        "MM\0*\0\0\0\x08\xFF\xFF"s,                                  // 65,535 entries announced
        "\x89PNG\r\n\x1a\n" + Big(0xFFFFFFF0u, 4) + "IHDR" + std::string(8, '\0'),
    };
    for (const std::string& file : files) {
        ImageHeader header = ReadImageHeader(file, true);
        EXPECT_FALSE(header.sizeKnown && header.width <= 0);
    }
    EXPECT_FALSE(ReadImageHeader("text, not a picture").recognised);
    // Decoded into pixels but of no size that can be read: refused by the launcher.
    const std::string unsized[] = {
        Jpeg(640, 480).substr(0, 5000), // ends before its frame header
        "\xFF\xD8" + std::string(2000000, 'x') + Jpeg(640, 480).substr(2),
        Bmp(0, 30),
    };
    for (const std::string& file : unsized) {
        ImageHeader header = ReadImageHeader(file);
        EXPECT_TRUE(header.raster && !header.sizeKnown) << file.size();
    }
}
