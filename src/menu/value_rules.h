// The rules by which menu-file texts become numbers, colours and image paths.
#pragma once

#include <string>

#include "system/system.h"

namespace ostrel {

class Storage;

// atoi: leading blanks, an optional sign, decimal digits; clamped to the 32-bit range.
int LeadingNumber(const std::string& text);

// "red,green,blue" to 0x00BBGGRR; missing parts shift right, values wrap to 8 bits.
Colour ParseColor(const std::string& text);

// A colour text of fewer than 3 bytes naming 0..15 is an entry of the 16-colour
// table; anything else is a red,green,blue triplet.
Colour ColourFromText(const std::string& text);

extern const Colour kSixteenColours[16];

// Reads image key `key` of `section` (its 16-colour variant key+"16" first on a
// 4-bit screen) and resolves it against the menu directory; empty when absent.
// Screens of fewer than 4 bits read the plain key, as deeper ones do.
std::string ReadImagePath(Storage& storage, const std::string& key, const std::string& section, int colourDepth,
                          const std::string& menuDir, const LeadByteTable& lead);

} // namespace ostrel
