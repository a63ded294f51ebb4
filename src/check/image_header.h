// The size of a picture from the first bytes of its file: BMP, PNG, GIF and JPEG,
// the kinds menus use. GDI+ reads more kinds; those are taken as pictures of
// unknown size.
#pragma once

#include <string>

namespace ostrel {

struct ImageHeader {
    bool recognised = false; // a kind of picture GDI+ reads
    bool sizeKnown = false;
    int width = 0;
    int height = 0;
};

ImageHeader ReadImageHeader(const std::string& head);

} // namespace ostrel
