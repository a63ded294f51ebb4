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
    // One byte, read through a block kept from the last call; -1 past the end.
    int Byte(std::uint64_t offset) {
        if (offset < m_blockAt || offset - m_blockAt >= m_block.size()) {
            if (offset >= m_size)
                return -1;
            m_blockAt = offset;
            m_block = m_read(offset, static_cast<size_t>(std::min<std::uint64_t>(m_size - offset, 65536)));
            if (m_block.empty())
                return -1;
        }
        return static_cast<unsigned char>(m_block[static_cast<size_t>(offset - m_blockAt)]);
    }

private:
    const ReadBytes& m_read;
    std::uint64_t m_size;
    std::uint64_t m_blockAt = 0;
    std::string m_block;
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
    header.raster = true;
    header.sizeKnown = width > 0 && height > 0;
    header.width = width;
    header.height = height;
    header.tooLarge = width > kMaxPictureSide || height > kMaxPictureSide ||
                      (header.sizeKnown && width * height > kMaxPicturePixels);
    return header;
}

// Every walk over a file's parts stops after this many, whatever the file says; a
// picture whose walk stops there has no size known.
constexpr int kMostParts = 100000;
constexpr int kMostSubBlocks = 4000000;
constexpr std::uint64_t kMostSkipped = 1 << 20;

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

// The frame header gives the size; a file without a scan holds no picture. Bytes
// between segments are skipped as decoders skip them, so a stray byte cannot hide the
// frame header from this walk and not from them.
ImageHeader Jpeg(Source& file, bool checkWhole) {
    ImageHeader header;
    header.recognised = true;
    header.raster = true;
    bool scan = false;
    std::uint64_t pos = 2;
    std::uint64_t skipped = 0;
    for (int part = 0; part < kMostParts; ++part) {
        // To the next marker: past anything that is not 0xFF, then past fill bytes.
        int byte = file.Byte(pos);
        while (byte >= 0 && byte != 0xFF && skipped < kMostSkipped) {
            ++pos;
            ++skipped;
            byte = file.Byte(pos);
        }
        if (byte != 0xFF)
            break;
        int marker = file.Byte(pos + 1);
        while (marker == 0xFF && skipped < kMostSkipped) {
            ++pos;
            ++skipped;
            marker = file.Byte(pos + 1);
        }
        if (marker < 0 || marker == 0xFF)
            break;
        if (marker == 0x00) { // a stuffed byte, no marker
            pos += 2;
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
        std::string segment;
        if (!file.At(pos, 4, segment))
            break;
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

// Every frame is decoded at its own size: the largest of them, and all of them
// together, count.
ImageHeader Gif(Source& file, const std::string& b, bool checkWhole) {
    long long width = Little(b, 6, 2), height = Little(b, 8, 2);
    long long pixels = width * height;
    bool whole = false;
    std::uint64_t pos = 13;
    if (b[10] & 0x80)
        pos += 3ULL << ((b[10] & 7) + 1); // the global colour table
    // Data comes in sub-blocks of at most 255 bytes, each after its length.
    auto skipSubBlocks = [&file, &pos]() {
        for (int block = 0; block < kMostSubBlocks; ++block) {
            const int length = file.Byte(pos);
            if (length < 0)
                return false;
            pos += 1 + static_cast<std::uint64_t>(length);
            if (length == 0)
                return true;
        }
        return false;
    };
    for (int part = 0; part < kMostParts; ++part) {
        const int kind = file.Byte(pos);
        if (kind == 0x3B) {
            whole = true;
            break;
        }
        if (kind == 0x21) { // an extension: its label, then sub-blocks
            pos += 2;
            if (!skipSubBlocks())
                break;
            continue;
        }
        std::string frame;
        if (kind != 0x2C || !file.At(pos, 10, frame))
            break;
        const long long frameWidth = Little(frame, 5, 2), frameHeight = Little(frame, 7, 2);
        width = std::max(width, frameWidth);
        height = std::max(height, frameHeight);
        pixels += frameWidth * frameHeight;
        pos += 10;
        if (frame[9] & 0x80)
            pos += 3ULL << ((frame[9] & 7) + 1); // a local colour table
        pos += 1; // the code size of the compressed pixels
        if (!skipSubBlocks())
            break;
    }
    ImageHeader header = Declared(width, height);
    header.tooLarge = header.tooLarge || pixels > kMaxPicturePixels;
    header.truncated = checkWhole && !whole;
    return header;
}

// An icon holds pictures of its own, bitmaps or whole PNG files: the largest counts.
ImageHeader Icon(const Source& file, const std::string& b) {
    ImageHeader header;
    header.recognised = true;
    header.raster = true;
    const size_t count = Little(b, 4, 2);
    std::string directory;
    if (count == 0 || count > 1000 || !file.At(6, count * 16, directory))
        return header;
    long long width = 0, height = 0;
    for (size_t i = 0; i < count; ++i) {
        std::string picture;
        if (!file.At(Little(directory, i * 16 + 12, 4), 24, picture))
            return header;
        if (picture.compare(0, 8, "\x89PNG\r\n\x1a\n") == 0) {
            width = std::max<long long>(width, Big(picture, 16, 4));
            height = std::max<long long>(height, Big(picture, 20, 4));
        } else {
            const long long rows = static_cast<std::int32_t>(Little(picture, 8, 4)); // the mask's rows too
            width = std::max<long long>(width, static_cast<std::int32_t>(Little(picture, 4, 4)));
            height = std::max<long long>(height, (rows < 0 ? -rows : rows) / 2);
        }
    }
    return Declared(width, height);
}

// The first directory's ImageWidth and ImageLength.
ImageHeader Tiff(const Source& file, const std::string& b) {
    const bool little = b[0] == 'I';
    auto number = [little](const std::string& bytes, size_t at, int count) {
        return little ? Little(bytes, at, count) : Big(bytes, at, count);
    };
    ImageHeader header;
    header.recognised = true;
    header.raster = true;
    const std::uint64_t directory = number(b, 4, 4);
    std::string count;
    if (!file.At(directory, 2, count))
        return header;
    const size_t entries = number(count, 0, 2);
    std::string table;
    if (!file.At(directory + 2, entries * 12, table))
        return header;
    long long width = 0, height = 0;
    for (size_t i = 0; i < entries; ++i) {
        const size_t at = i * 12;
        const unsigned tag = number(table, at, 2), type = number(table, at + 2, 2);
        // Any integer type: BYTE, SHORT, LONG and their signed kinds.
        long long value = 0;
        if (type == 1 || type == 6)
            value = type == 6 ? static_cast<signed char>(table[at + 8]) : static_cast<unsigned char>(table[at + 8]);
        else if (type == 3 || type == 8)
            value = type == 8 ? static_cast<std::int16_t>(number(table, at + 8, 2)) : number(table, at + 8, 2);
        else if (type == 4 || type == 9)
            value = type == 9 ? static_cast<std::int32_t>(number(table, at + 8, 4)) : number(table, at + 8, 4);
        if (tag == 256)
            width = value;
        else if (tag == 257)
            height = value;
    }
    return Declared(width, height);
}

} // namespace

ImageHeader ReadImageHeader(const ReadBytes& read, std::uint64_t fileSize, bool checkWhole) {
    Source file(read, fileSize);
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
    if (b.size() >= 13 && (b.compare(0, 6, "GIF87a") == 0 || b.compare(0, 6, "GIF89a") == 0))
        return Gif(file, b, checkWhole);
    if (b.size() >= 4 && static_cast<unsigned char>(b[0]) == 0xFF && static_cast<unsigned char>(b[1]) == 0xD8)
        return Jpeg(file, checkWhole);
    if (b.size() >= 8 && (b.compare(0, 4, "II*\0", 4) == 0 || b.compare(0, 4, "MM\0*", 4) == 0))
        return Tiff(file, b);
    if (b.size() >= 6 && b.compare(0, 4, "\0\0\1\0", 4) == 0)
        return Icon(file, b);
    // Metafiles: GDI+ reads them as drawings, not as pixels.
    ImageHeader other;
    other.recognised = (b.size() >= 4 && b.compare(0, 4, "\xD7\xCD\xC6\x9A", 4) == 0) ||
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
