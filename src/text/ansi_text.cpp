#include "text/ansi_text.h"

namespace ostrel {

LeadByteTable LeadByteTable::ForCodePage(unsigned codePage) {
    LeadByteTable table;
    auto range = [&](int from, int to) {
        for (int c = from; c <= to; ++c)
            table.SetLead(static_cast<unsigned char>(c), true);
    };
    switch (codePage) {
    case 932: // Japanese Shift-JIS
        range(0x81, 0x9F);
        range(0xE0, 0xFC);
        break;
    case 936: // Simplified Chinese GBK
    case 949: // Korean
    case 950: // Traditional Chinese Big5
        range(0x81, 0xFE);
        break;
    default:
        break;
    }
    return table;
}

size_t CharLength(const std::string& text, size_t pos, const LeadByteTable& lead) {
    if (lead.IsLead(static_cast<unsigned char>(text[pos])) && pos + 1 < text.size() && text[pos + 1] != '\0')
        return 2;
    return 1;
}

size_t FindChar(const std::string& text, char c, const LeadByteTable& lead) {
    for (size_t pos = 0; pos < text.size(); pos += CharLength(text, pos, lead)) {
        if (text[pos] == c)
            return pos;
    }
    return std::string::npos;
}

size_t FindLastChar(const std::string& text, char c, const LeadByteTable& lead) {
    size_t found = std::string::npos;
    for (size_t pos = 0; pos < text.size(); pos += CharLength(text, pos, lead)) {
        if (text[pos] == c)
            found = pos;
    }
    return found;
}

bool HasDoubleBackslash(const std::string& text, const LeadByteTable& lead) {
    bool previousWasBackslash = false;
    for (size_t pos = 0; pos < text.size();) {
        size_t len = CharLength(text, pos, lead);
        bool backslash = len == 1 && text[pos] == '\\';
        if (backslash && previousWasBackslash)
            return true;
        previousWasBackslash = backslash;
        pos += len;
    }
    return false;
}

std::string DirectoryPart(const std::string& path, const LeadByteTable& lead) {
    size_t last = FindLastChar(path, '\\', lead);
    return last == std::string::npos ? std::string() : path.substr(0, last + 1);
}

std::string RemoveCharsStartingWith(const std::string& text, const std::string& firstBytes,
                                    const LeadByteTable& lead) {
    std::string result;
    for (size_t pos = 0; pos < text.size();) {
        size_t len = CharLength(text, pos, lead);
        if (firstBytes.find(text[pos]) == std::string::npos)
            result.append(text, pos, len);
        pos += len;
    }
    return result;
}

namespace {
std::string ChangeCase(const std::string& text, const LeadByteTable& lead, char from, char to) {
    std::string result = text;
    for (size_t pos = 0; pos < result.size();) {
        size_t len = CharLength(result, pos, lead);
        if (len == 1 && result[pos] >= from && result[pos] <= from + 25)
            result[pos] = static_cast<char>(result[pos] - from + to);
        pos += len;
    }
    return result;
}
} // namespace

std::string ToUpperAnsi(const std::string& text, const LeadByteTable& lead) { return ChangeCase(text, lead, 'a', 'A'); }

std::string ToLowerAnsi(const std::string& text, const LeadByteTable& lead) { return ChangeCase(text, lead, 'A', 'a'); }

size_t FindText(const std::string& text, const std::string& needle, const LeadByteTable& lead) {
    if (needle.empty())
        return 0;
    for (size_t pos = 0; pos < text.size(); pos += CharLength(text, pos, lead)) {
        if (text.compare(pos, needle.size(), needle) == 0)
            return pos;
    }
    return std::string::npos;
}

std::string ResolveAgainst(const std::string& path, const std::string& baseDir, const LeadByteTable& lead) {
    if (FindChar(path, ':', lead) != std::string::npos || HasDoubleBackslash(path, lead))
        return path;
    if (!path.empty() && path[0] == '\\')
        return baseDir.substr(0, 2) + path;
    return baseDir + path;
}

} // namespace ostrel
