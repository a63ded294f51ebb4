// Our own reader (and writer) of INI profile text, for builds without the Windows profile
// functions. Its answers match GetPrivateProfileStringA / GetPrivateProfileIntA on
// what menu files rely on: case-blind section and key names, values without the
// blanks around them and without one pair of enclosing quotes, defaults for what is
// missing, the leading number of a value, and buffers cut as Windows cuts them.
#pragma once

#include <functional>
#include <string>
#include <unordered_map>
#include <vector>

#include "text/ansi_text.h"

namespace ostrel {

// A profile line or name without the blanks around it; the DOS end-of-file mark
// (Ctrl-Z) counts as a blank.
std::string TrimBlanks(const std::string& text);
// Section and key names are found without regard to the letter case of the
// single-byte letters A to Z; a double-byte character matches only itself.
bool ProfileNamesEqual(const std::string& a, const std::string& b, const LeadByteTable& lead);
// The name with those letters in capitals: two names are equal as above exactly when
// their folded names are the same bytes.
std::string FoldProfileName(const std::string& name, const LeadByteTable& lead);

// A line of profile text as Windows reads it, neither empty nor a comment.
struct ProfileLine {
    int number = 0;                // "\r\n", a lone "\r" and a lone "\n" each end a line
    bool header = false;           // "[name]": the last ']' of the line closes the name
    bool headerWithoutEnd = false; // '[' without a ']': Windows reads it as a key line
    std::string name;              // the section's name, or the key (without the blanks around it)
    std::string value;             // after the first '=', without the blanks around it
    bool hasValue = false;         // the key line holds '='
};
// Calls `visit` for each line in file order; a leading UTF-8 byte order mark is skipped.
void ForEachProfileLine(const std::string& bytes, const LeadByteTable& lead,
                        const std::function<void(const ProfileLine&)>& visit);

class ProfileText {
public:
    // The text is in the code page with these lead bytes.
    explicit ProfileText(const std::string& bytes, const LeadByteTable& lead = LeadByteTable());
    // Reads the whole file; a file that cannot be read is an empty profile.
    static ProfileText FromFile(const std::string& path, const LeadByteTable& lead = LeadByteTable());

    // As GetPrivateProfileIntA.
    unsigned GetInt(const std::string& section, const std::string& key, int defaultValue) const;
    // As GetPrivateProfileStringA; a null key lists the key names of the section.
    // Returns the number of characters placed in the buffer, terminator not counted.
    int GetString(const std::string& section, const char* key, const std::string& defaultValue, char* buffer,
                  int size) const;

    // As WritePrivateProfileStringA on the text: the key's line is replaced, or the key
    // added at the end of its section, or the section added at the end.
    static std::string WithValue(const std::string& bytes, const std::string& section, const std::string& key,
                                 const std::string& value, const LeadByteTable& lead = LeadByteTable());

private:
    struct Entry {
        std::string name;
        std::string value;
        // A line without '=' is a name without a value: it is not listed, and read
        // as if it were missing.
        bool hasValue;
    };
    struct Section {
        std::string name;
        std::vector<Entry> entries;
        // Folded key name to its first line: menus of many thousand keys are read key by key.
        std::unordered_map<std::string, size_t> keys;
    };
    const Section* FindSection(const std::string& name) const;
    std::vector<Section> m_sections;
    std::unordered_map<std::string, size_t> m_sectionIndex; // folded name to the first section of it
    LeadByteTable m_lead;
};

} // namespace ostrel
