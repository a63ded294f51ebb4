#include "menu/profile_reader.h"

#include <cstring>
#include <fstream>
#include <iterator>

namespace ostrel {
namespace {

// Ctrl-Z ends many files written on DOS; Windows reads it as white space wherever it is.
bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\v' || c == '\f' || c == '\r' || c == '\n' || c == '\x1A';
}

char UpperLetter(char c) {
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

// The value of a digit of bases up to 36; 36 for anything else.
unsigned DigitValue(unsigned char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'z')
        return c - 'a' + 10u;
    if (c >= 'A' && c <= 'Z')
        return c - 'A' + 10u;
    return 36;
}

} // namespace

std::string TrimBlanks(const std::string& text) {
    size_t begin = 0, end = text.size();
    while (begin < end && IsBlank(text[begin]))
        ++begin;
    while (end > begin && IsBlank(text[end - 1]))
        --end;
    return text.substr(begin, end - begin);
}

bool ProfileNamesEqual(const std::string& a, const std::string& b, const LeadByteTable& lead) {
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size();) {
        // The trail byte of a double-byte character may look like a letter; it does
        // not fold.
        size_t length = CharLength(a, i, lead);
        if (length == 2 ? a.compare(i, 2, b, i, 2) != 0 : UpperLetter(a[i]) != UpperLetter(b[i]))
            return false;
        i += length;
    }
    return true;
}

namespace {

// Copies at most size - 1 bytes and a terminator; returns the bytes copied.
int CopyCut(char* buffer, int size, const std::string& text) {
    if (size <= 0)
        return 0;
    int n = static_cast<int>(std::min<size_t>(text.size(), static_cast<size_t>(size - 1)));
    std::memcpy(buffer, text.data(), static_cast<size_t>(n));
    buffer[n] = '\0';
    return n;
}

} // namespace

std::string FoldProfileName(const std::string& name, const LeadByteTable& lead) {
    std::string folded = name;
    for (size_t i = 0; i < folded.size();) {
        size_t length = CharLength(folded, i, lead);
        if (length == 1)
            folded[i] = UpperLetter(folded[i]);
        i += length;
    }
    return folded;
}

namespace {

// "[name]" with its last ']' found on a character boundary: the trail byte of a
// double-byte character may be 0x5D.
bool SectionHeader(const std::string& line, const LeadByteTable& lead, std::string& name) {
    if (line.empty() || line[0] != '[')
        return false;
    size_t close = FindLastChar(line, ']', lead);
    if (close == std::string::npos || close == 0)
        return false;
    name = TrimBlanks(line.substr(1, close - 1));
    return true;
}

} // namespace

void ForEachProfileLine(const std::string& bytes, const LeadByteTable& lead,
                        const std::function<void(const ProfileLine&)>& visit) {
    size_t pos = bytes.compare(0, 3, "\xEF\xBB\xBF") == 0 ? 3 : 0;
    ProfileLine line;
    int number = 1;
    while (pos < bytes.size()) {
        size_t end = bytes.find_first_of("\r\n", pos);
        if (end == std::string::npos)
            end = bytes.size();
        std::string text = TrimBlanks(bytes.substr(pos, end - pos));
        line.number = number;
        pos = end + 1;
        if (end < bytes.size()) {
            ++number;
            if (bytes[end] == '\r' && pos < bytes.size() && bytes[pos] == '\n')
                ++pos;
        }
        if (text.empty() || text[0] == ';')
            continue;
        line.header = SectionHeader(text, lead, line.name);
        line.headerWithoutEnd = !line.header && text[0] == '[';
        if (line.header) {
            line.value.clear();
            line.hasValue = false;
        } else {
            size_t equals = text.find('=');
            line.hasValue = equals != std::string::npos;
            line.name = line.hasValue ? TrimBlanks(text.substr(0, equals)) : text;
            line.value = line.hasValue ? TrimBlanks(text.substr(equals + 1)) : std::string();
        }
        visit(line);
    }
}

ProfileText::ProfileText(const std::string& bytes, const LeadByteTable& lead) : m_lead(lead) {
    Section* current = nullptr;
    ForEachProfileLine(bytes, lead, [&](const ProfileLine& line) {
        if (line.header) {
            m_sections.push_back(Section{line.name, {}, {}});
            m_sectionIndex.emplace(FoldProfileName(line.name, lead), m_sections.size() - 1);
            current = &m_sections.back();
            return;
        }
        if (!current)
            return;
        current->keys.emplace(FoldProfileName(line.name, lead), current->entries.size());
        current->entries.push_back(Entry{line.name, line.value, line.hasValue});
    });
}

ProfileText ProfileText::FromFile(const std::string& path, const LeadByteTable& lead) {
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return ProfileText(std::string(), lead);
    return ProfileText(std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()),
                       lead);
}

const ProfileText::Section* ProfileText::FindSection(const std::string& name) const {
    auto found = m_sectionIndex.find(FoldProfileName(name, m_lead));
    return found == m_sectionIndex.end() ? nullptr : &m_sections[found->second];
}

unsigned ProfileText::GetInt(const std::string& section, const std::string& key, int defaultValue) const {
    // Windows reads the value into 30 characters: a number is cut after 29.
    char buffer[30];
    if (GetString(section, key.c_str(), "", buffer, sizeof buffer) == 0)
        return static_cast<unsigned>(defaultValue);
    // Control characters and blanks before the number are skipped, a sign may come
    // next, then "0x", "0o" or "0b" (in small letters only) makes the number
    // hexadecimal, octal or binary; it ends at the first character that is no digit
    // of its base, and wraps around at 32 bits.
    const unsigned char* p = reinterpret_cast<const unsigned char*>(buffer);
    while (*p != '\0' && *p <= ' ')
        ++p;
    bool negative = false;
    if (*p == '+' || *p == '-')
        negative = *p++ == '-';
    unsigned base = 10;
    if (p[0] == '0' && (p[1] == 'x' || p[1] == 'o' || p[1] == 'b')) {
        base = p[1] == 'x' ? 16 : p[1] == 'o' ? 8 : 2;
        p += 2;
    }
    unsigned value = 0;
    for (unsigned digit = DigitValue(*p); digit < base; digit = DigitValue(*++p))
        value = value * base + digit;
    return negative ? 0u - value : value;
}

int ProfileText::GetString(const std::string& section, const char* key, const std::string& defaultValue,
                           char* buffer, int size) const {
    if (!buffer || size <= 0)
        return 0;
    const Section* found = section.empty() ? nullptr : FindSection(section);
    if (!key) {
        // Key names, each ended by a NUL, and one more NUL after the last. A list that
        // does not fit ends with its last name cut and two NULs, and the count is size - 2.
        buffer[0] = '\0';
        if (!found || size < 2) {
            if (size >= 2)
                buffer[1] = '\0';
            return 0;
        }
        int left = size;
        char* out = buffer;
        for (const Entry& entry : found->entries) {
            if (!entry.hasValue)
                continue;
            if (left <= 2)
                break;
            int n = CopyCut(out, left - 1, entry.name);
            out += n + 1;
            left -= n + 1;
            if (left < 2)
                break;
        }
        *out = '\0';
        if (left <= 1) {
            out[-1] = '\0';
            return size - 2;
        }
        return size - left;
    }
    std::string value;
    bool present = false;
    if (found) {
        // The first line of the name counts, even when it has no value.
        auto entry = found->keys.find(FoldProfileName(key, m_lead));
        if (entry != found->keys.end()) {
            value = found->entries[entry->second].value;
            present = found->entries[entry->second].hasValue;
        }
    }
    if (!present) {
        std::string fallback = defaultValue;
        while (!fallback.empty() && fallback.back() == ' ')
            fallback.pop_back();
        return CopyCut(buffer, size, fallback);
    }
    if (value.size() >= 2 && (value[0] == '"' || value[0] == '\'') && value.back() == value[0]) {
        // The value is cut first, with its closing quote; that quote goes only when
        // the whole value fitted, so a value just as long as the buffer loses one
        // character more.
        std::string inner = value.substr(1);
        std::string cut = inner.substr(0, static_cast<size_t>(size - 1));
        if (!cut.empty() && static_cast<size_t>(size) >= inner.size())
            cut.pop_back();
        return CopyCut(buffer, size, cut);
    }
    return CopyCut(buffer, size, value);
}

std::string ProfileText::WithValue(const std::string& bytes, const std::string& section,
                                   const std::string& key, const std::string& value,
                                   const LeadByteTable& lead) {
    const std::string entry = key + "=" + value + "\r\n";
    std::string result;
    bool inSection = false, done = false;
    size_t sectionEnd = std::string::npos; // where a new key of the section goes
    size_t pos = 0;
    while (pos < bytes.size()) {
        size_t end = bytes.find('\n', pos);
        end = end == std::string::npos ? bytes.size() : end + 1;
        std::string raw = bytes.substr(pos, end - pos);
        std::string line = TrimBlanks(raw);
        pos = end;
        std::string name;
        if (!done && SectionHeader(line, lead, name)) {
            if (inSection && sectionEnd != std::string::npos) {
                result.insert(sectionEnd, entry);
                done = true;
            }
            inSection = ProfileNamesEqual(name, section, lead);
            result += raw;
            if (inSection && !raw.empty() && raw.back() != '\n')
                result += "\r\n";
            sectionEnd = inSection ? result.size() : sectionEnd;
            continue;
        }
        if (!done && inSection && !line.empty() && line[0] != ';') {
            size_t equals = line.find('=');
            if (ProfileNamesEqual(TrimBlanks(equals == std::string::npos ? line : line.substr(0, equals)),
                                  key, lead)) {
                result += entry;
                done = true;
                continue;
            }
        }
        result += raw;
        if (!done && inSection && !line.empty()) {
            if (result.back() != '\n')
                result += "\r\n";
            sectionEnd = result.size();
        }
    }
    if (!done && inSection && sectionEnd != std::string::npos) {
        result.insert(sectionEnd, entry);
        done = true;
    }
    if (!done) {
        if (!result.empty() && result.back() != '\n')
            result += "\r\n";
        result += "[" + section + "]\r\n" + entry;
    }
    return result;
}

} // namespace ostrel
