#include "check/image_header.h"

#include <cstdint>

namespace ostrel {

namespace {
std::uint32_t Little(const std::string& b, size_t at, int bytes) {
    std::uint32_t value = 0;
    for (int i = bytes - 1; i >= 0; --i)
        value = (value << 8) | static_cast<unsigned char>(b[at + static_cast<size_t>(i)]);
    return value;
}
std::uint32_t Big(const std::string& b, size_t at, int bytes) {
    std::uint32_t value = 0;
    for (int i = 0; i < bytes; ++i)
        value = (value << 8) | static_cast<unsigned char>(b[at + static_cast<size_t>(i)]);
    return value;
}
ImageHeader Sized(long long width, long long height) {
    ImageHeader header;
    header.recognised = true;
    header.sizeKnown = width > 0 && height > 0 && width < 1000000 && height < 1000000;
    header.width = header.sizeKnown ? static_cast<int>(width) : 0;
    header.height = header.sizeKnown ? static_cast<int>(height) : 0;
    return header;
}
} // namespace

ImageHeader ReadImageHeader(const std::string& b) {
    if (b.size() >= 26 && b.compare(0, 2, "BM") == 0) {
        std::uint32_t infoSize = Little(b, 14, 4);
        if (infoSize == 12)
            return Sized(Little(b, 18, 2), Little(b, 20, 2));
        long long height = static_cast<std::int32_t>(Little(b, 22, 4));
        return Sized(static_cast<std::int32_t>(Little(b, 18, 4)), height < 0 ? -height : height);
    }
    if (b.size() >= 24 && b.compare(0, 8, "\x89PNG\r\n\x1a\n") == 0)
        return Sized(Big(b, 16, 4), Big(b, 20, 4));
    if (b.size() >= 10 && (b.compare(0, 6, "GIF87a") == 0 || b.compare(0, 6, "GIF89a") == 0))
        return Sized(Little(b, 6, 2), Little(b, 8, 2));
    if (b.size() >= 4 && static_cast<unsigned char>(b[0]) == 0xFF && static_cast<unsigned char>(b[1]) == 0xD8) {
        // Walk the segments to the frame header.
        size_t pos = 2;
        while (pos + 9 < b.size() && static_cast<unsigned char>(b[pos]) == 0xFF) {
            unsigned marker = static_cast<unsigned char>(b[pos + 1]);
            size_t length = Big(b, pos + 2, 2);
            if (marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC)
                return Sized(Big(b, pos + 7, 2), Big(b, pos + 5, 2));
            pos += 2 + length;
        }
        ImageHeader header;
        header.recognised = true;
        return header;
    }
    ImageHeader other;
    other.recognised = (b.size() >= 4 && (b.compare(0, 4, "II*\0", 4) == 0 || b.compare(0, 4, "MM\0*", 4) == 0 ||
                                          b.compare(0, 4, "\0\0\1\0", 4) == 0)) ||
                       (b.size() >= 44 && b.compare(40, 4, " EMF") == 0);
    return other;
}

} // namespace ostrel
