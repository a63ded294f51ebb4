#include "menu/value_rules.h"

#include <climits>

#include "menu/storage.h"

namespace ostrel {

const Colour kSixteenColours[16] = {
    0x00000000, 0x0000007F, 0x00007F00, 0x00007F7F, 0x007F0000, 0x007F007F, 0x007F7F00, 0x00C0C0C0,
    0x007F7F7F, 0x000000FF, 0x0000FF00, 0x0000FFFF, 0x00FF0000, 0x00FF00FF, 0x00FFFF00, 0x00FFFFFF,
};

int LeadingNumber(const std::string& text) {
    size_t pos = 0;
    while (pos < text.size() && (text[pos] == ' ' || (text[pos] >= '\t' && text[pos] <= '\r')))
        ++pos;
    bool negative = false;
    if (pos < text.size() && (text[pos] == '+' || text[pos] == '-'))
        negative = text[pos++] == '-';
    long long value = 0;
    for (; pos < text.size() && text[pos] >= '0' && text[pos] <= '9'; ++pos) {
        value = value * 10 + (text[pos] - '0');
        if (value > static_cast<long long>(INT_MAX) + 1)
            value = static_cast<long long>(INT_MAX) + 1;
    }
    if (negative)
        value = -value;
    if (value > INT_MAX)
        return INT_MAX;
    if (value < INT_MIN)
        return INT_MIN;
    return static_cast<int>(value);
}

Colour ParseColor(const std::string& text) {
    std::string red, rest = text;
    size_t comma = text.find(',');
    if (comma != std::string::npos) {
        red = text.substr(0, comma);
        rest = text.substr(comma + 1);
    }
    std::string green, blue = rest;
    comma = rest.find(',');
    if (comma != std::string::npos) {
        green = rest.substr(0, comma);
        blue = rest.substr(comma + 1);
    }
    auto byte = [](const std::string& part) { return static_cast<Colour>(LeadingNumber(part)) & 0xFFu; };
    return byte(blue) * 65536u + byte(green) * 256u + byte(red);
}

Colour ColourFromText(const std::string& text) {
    if (text.size() < 3) {
        int index = LeadingNumber(text);
        if (index >= 0 && index <= 15)
            return kSixteenColours[index];
    }
    return ParseColor(text);
}

std::string ReadImagePath(Storage& storage, const std::string& key, const std::string& section, int colourDepth,
                          const std::string& menuDir, const LeadByteTable& lead) {
    std::string value;
    if (colourDepth == 4)
        storage.ReadString(value, "none", key + "16", section);
    // Screens of fewer than 16 colours get the plain pictures too: a menu without any
    // would show nothing at all there.
    if (colourDepth != 4 || value == "none") {
        storage.ReadString(value, "", key, section);
        if (value.empty())
            return std::string();
    }
    return ResolveAgainst(value, menuDir, lead);
}

} // namespace ostrel
