#include "menu/picture_header.h"

#include <algorithm>

namespace ostrel {

namespace {

// Reads what the file holds, never past its end.
class Source {
public:
    Source(const ReadBytes& read, std::uint64_t size) : m_read(read), m_size(size) {}
    std::uint64_t Size() const { return m_size; }
    // Exactly `length` bytes at `offset`, or false.
    bool At(std::uint64_t offset, size_t length, std::string& bytes) const {
        if (offset > m_size || length > m_size - offset)
            return false;
        bytes = m_read(offset, length);
        return bytes.size() == length;
    }

private:
    const ReadBytes& m_read;
    std::uint64_t m_size;
};

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

ImageHeader Declared(long long width, long long height) {
    ImageHeader header;
    header.recognised = true;
    header.sizeKnown = width > 0 && height > 0;
    header.width = width;
    header.height = height;
    header.tooLarge = width > kMaxPictureSide || height > kMaxPictureSide ||
                      (header.sizeKnown && width * height > kMaxPicturePixels);
    return header;
}

// Every walk over a file's parts stops after this many, whatever the file says.
constexpr int kMostParts = 100000;

ImageHeader Bitmap(const Source& file, const std::string& b, bool checkWhole) {
    std::uint32_t infoSize = Little(b, 14, 4);
    long long width = 0, height = 0;
    unsigned bitsPerPixel = 0, compression = 0;
    if (infoSize == 12) {
        width = Little(b, 18, 2);
        height = Little(b, 20, 2);
        bitsPerPixel = Little(b, 24, 2);
    } else {
        width = static_cast<std::int32_t>(Little(b, 18, 4));
        height = static_cast<std::int32_t>(Little(b, 22, 4));
        height = height < 0 ? -height : height; // top-down rows
        if (b.size() >= 34) {
            bitsPerPixel = Little(b, 28, 2);
            compression = Little(b, 30, 4);
        }
    }
    ImageHeader header = Declared(width, height);
    if (checkWhole && header.sizeKnown && !header.tooLarge) {
        const std::uint64_t pixels = Little(b, 10, 4);
        if (compression == 0 || compression == 3) { // rows of pixels as they are
            const std::uint64_t row = (static_cast<std::uint64_t>(width) * bitsPerPixel + 31) / 32 * 4;
            header.truncated = file.Size() < pixels + row * static_cast<std::uint64_t>(height);
        } else {
            header.truncated = file.Size() <= pixels;
        }
    }
    return header;
}

// Chunks up to IEND, with image data before it, all inside the file.
bool PngIsWhole(const Source& file) {
    std::uint64_t pos = 8;
    bool data = false;
    for (int part = 0; part < kMostParts; ++part) {
        std::string chunk;
        if (!file.At(pos, 8, chunk))
            return false;
        const std::uint64_t end = pos + 12 + Big(chunk, 0, 4);
        if (end > file.Size())
            return false;
        const std::string type = chunk.substr(4, 4);
        if (type == "IDAT")
            data = true;
        if (type == "IEND")
            return data;
        pos = end;
    }
    return true;
}

// The frame header gives the size; a file without a scan holds no picture.
ImageHeader Jpeg(const Source& file, bool checkWhole) {
    ImageHeader header;
    header.recognised = true;
    bool scan = false;
    std::uint64_t pos = 2;
    for (int part = 0; part < kMostParts; ++part) {
        std::string segment;
        if (!file.At(pos, 4, segment) || static_cast<unsigned char>(segment[0]) != 0xFF)
            break;
        const unsigned marker = static_cast<unsigned char>(segment[1]);
        if (marker == 0xFF) { // fill byte
            pos += 1;
            continue;
        }
        if (marker == 0x01 || (marker >= 0xD0 && marker <= 0xD8)) { // markers without a length
            pos += 2;
            continue;
        }
        if (marker == 0xD9)
            break;
        if (marker == 0xDA) {
            scan = true;
            break;
        }
        if (marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC &&
            !header.sizeKnown && !header.tooLarge) {
            std::string frame;
            if (!file.At(pos, 9, frame))
                break;
            header = Declared(Big(frame, 7, 2), Big(frame, 5, 2));
            if (!checkWhole)
                return header;
        }
        pos += 2 + Big(segment, 2, 2);
    }
    header.truncated = checkWhole && !scan;
    return header;
}

// The first directory's ImageWidth and ImageLength.
ImageHeader Tiff(const Source& file, const std::string& b) {
    const bool little = b[0] == 'I';
    auto number = [little](const std::string& bytes, size_t at, int count) {
        return little ? Little(bytes, at, count) : Big(bytes, at, count);
    };
    ImageHeader header;
    header.recognised = true;
    const std::uint64_t directory = number(b, 4, 4);
    std::string count;
    if (!file.At(directory, 2, count))
        return header;
    const size_t entries = std::min<size_t>(number(count, 0, 2), 1000);
    std::string table;
    if (!file.At(directory + 2, entries * 12, table))
        return header;
    long long width = 0, height = 0;
    for (size_t i = 0; i < entries; ++i) {
        const size_t at = i * 12;
        const unsigned tag = number(table, at, 2), type = number(table, at + 2, 2);
        const long long value = type == 3 ? number(table, at + 8, 2) : type == 4 ? number(table, at + 8, 4) : 0;
        if (tag == 256)
            width = value;
        else if (tag == 257)
            height = value;
    }
    return Declared(width, height);
}

} // namespace

ImageHeader ReadImageHeader(const ReadBytes& read, std::uint64_t fileSize, bool checkWhole) {
    const Source file(read, fileSize);
    std::string b;
    if (!file.At(0, static_cast<size_t>(std::min<std::uint64_t>(fileSize, 64)), b))
        return ImageHeader();
    if (b.size() >= 26 && b.compare(0, 2, "BM") == 0)
        return Bitmap(file, b, checkWhole);
    if (b.size() >= 24 && b.compare(0, 8, "\x89PNG\r\n\x1a\n") == 0) {
        ImageHeader header = Declared(Big(b, 16, 4), Big(b, 20, 4));
        header.truncated = checkWhole && !PngIsWhole(file);
        return header;
    }
    if (b.size() >= 10 && (b.compare(0, 6, "GIF87a") == 0 || b.compare(0, 6, "GIF89a") == 0)) {
        ImageHeader header = Declared(Little(b, 6, 2), Little(b, 8, 2));
        std::string last;
        header.truncated = checkWhole && !(file.At(fileSize - 1, 1, last) && last[0] == '\x3B');
        return header;
    }
    if (b.size() >= 4 && static_cast<unsigned char>(b[0]) == 0xFF && static_cast<unsigned char>(b[1]) == 0xD8)
        return Jpeg(file, checkWhole);
    if (b.size() >= 8 && (b.compare(0, 4, "II*\0", 4) == 0 || b.compare(0, 4, "MM\0*", 4) == 0))
        return Tiff(file, b);
    // Icons, metafiles: GDI+ reads them; their size is not looked at here.
    ImageHeader other;
    other.recognised = (b.size() >= 4 && (b.compare(0, 4, "\0\0\1\0", 4) == 0 ||
                                          b.compare(0, 4, "\xD7\xCD\xC6\x9A", 4) == 0)) ||
                       (b.size() >= 44 && b.compare(40, 4, " EMF") == 0);
    return other;
}

ImageHeader ReadImageHeader(const std::string& bytes, bool checkWhole) {
    const ReadBytes read = [&bytes](std::uint64_t offset, size_t length) {
        return offset < bytes.size() ? bytes.substr(static_cast<size_t>(offset), length) : std::string();
    };
    return ReadImageHeader(read, bytes.size(), checkWhole);
}

} // namespace ostrel
