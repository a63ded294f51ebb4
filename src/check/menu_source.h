// The menu file as written: its sections and entries in file order, with their line
// numbers, for the findings of the menu checker.
#pragma once

#include <string>
#include <vector>

namespace ostrel {

struct SourceEntry {
    std::string key;
    std::string value; // without the blanks around it
    int line = 0;
    size_t rawLength = 0; // the value's length as written, before any quotes go
};

struct SourceSection {
    std::string name;
    int line = 0;
    std::vector<SourceEntry> entries;
};

class MenuSource {
public:
    explicit MenuSource(const std::string& bytes);
    const std::vector<SourceSection>& Sections() const { return m_sections; }
    // The first section of that name (case-blind), or null.
    const SourceSection* Find(const std::string& name) const;
    const SourceEntry* Find(const std::string& section, const std::string& key) const;

private:
    std::vector<SourceSection> m_sections;
};

bool SameName(const std::string& a, const std::string& b);
std::string UpperAscii(std::string text);

} // namespace ostrel
