// The menu file as written: its sections and entries in file order, with their line
// numbers, for the findings of the menu checker.
#pragma once

#include <string>
#include <unordered_map>
#include <vector>

#include "text/ansi_text.h"

namespace ostrel {

struct SourceEntry {
    std::string key;
    std::string value; // without the blanks around it
    int line = 0;
    size_t rawLength = 0; // the value's length as written, before any quotes go
    bool hasValue = true; // false for a line without '=': no key to the launcher
    bool headerWithoutEnd = false; // '[' without ']': a key line to the launcher, no section
};

struct SourceSection {
    std::string name;
    int line = 0;
    std::vector<SourceEntry> entries;
};

class MenuSource {
public:
    // The lines as the launcher's reader splits them; names compare as it compares them,
    // in the menu's code page.
    explicit MenuSource(const std::string& bytes, const LeadByteTable& lead = LeadByteTable());
    const std::vector<SourceSection>& Sections() const { return m_sections; }
    // The first section of that name (case-blind), or null.
    const SourceSection* Find(const std::string& name) const;
    // The key as the launcher reads it: the first line of that name counts, and a line
    // without '=' reads as missing (null).
    const SourceEntry* Find(const std::string& section, const std::string& key) const;
    // Lines that start with '[' but have no ']', above any section (they are read nowhere).
    const std::vector<SourceEntry>& Unsectioned() const { return m_unsectioned; }

private:
    std::vector<SourceSection> m_sections;
    std::vector<SourceEntry> m_unsectioned;
    // Folded names to the first section of the name, and to its first line of a key.
    std::unordered_map<std::string, size_t> m_sectionIndex;
    std::vector<std::unordered_map<std::string, size_t>> m_keyIndex;
    LeadByteTable m_lead;
};

bool SameName(const std::string& a, const std::string& b, const LeadByteTable& lead = LeadByteTable());
std::string UpperAscii(std::string text);

} // namespace ostrel
