// What a picture file's first bytes say about it: its kind and the size it declares,
// for BMP, PNG, GIF, JPEG, TIFF and icons, the kinds GDI+ decodes into pixels. The launcher
// refuses a picture whose declared size is over the limit before anything decodes it;
// the checker also asks whether the file holds the whole picture.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

namespace ostrel {

// The largest picture the launcher decodes: 16,384 pixels a side and 64 megapixels
// (256 MB of pixels). A file can declare far more in a few bytes.
constexpr long long kMaxPictureSide = 16384;
constexpr long long kMaxPicturePixels = 64LL * 1024 * 1024;

struct ImageHeader {
    bool recognised = false; // a kind of picture GDI+ reads
    bool raster = false;     // one GDI+ decodes into pixels: its size must be known
    bool sizeKnown = false;  // width and height were read and are positive
    long long width = 0;     // as declared
    long long height = 0;
    bool tooLarge = false;   // it declares more than the limits above
    bool truncated = false;  // the file ends before the picture does (only when asked)
};

// Up to `length` bytes of the file from `offset`; fewer at its end, none past it.
using ReadBytes = std::function<std::string(std::uint64_t offset, size_t length)>;

// `checkWhole` also walks the file to see that it is all there, which reads more of it.
ImageHeader ReadImageHeader(const ReadBytes& read, std::uint64_t fileSize, bool checkWhole);
// The same for a file whose bytes (or whose first bytes) are in memory.
ImageHeader ReadImageHeader(const std::string& bytes, bool checkWhole = false);

} // namespace ostrel
