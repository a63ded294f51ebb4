#include "check/menu_source.h"

#include "menu/profile_reader.h"

namespace ostrel {


std::string UpperAscii(std::string text) {
    for (char& c : text)
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    return text;
}

bool SameName(const std::string& a, const std::string& b, const LeadByteTable& lead) {
    return ProfileNamesEqual(a, b, lead);
}

MenuSource::MenuSource(const std::string& bytes, const LeadByteTable& lead) : m_lead(lead) {
    ForEachProfileLine(bytes, lead, [&](const ProfileLine& line) {
        if (line.header) {
            m_sections.push_back(SourceSection{line.name, line.number, {}});
            m_sectionIndex.emplace(FoldProfileName(line.name, lead), m_sections.size() - 1);
            m_keyIndex.emplace_back();
            return;
        }
        SourceEntry entry;
        entry.key = line.name;
        entry.value = line.value;
        entry.rawLength = entry.value.size();
        entry.hasValue = line.hasValue;
        entry.headerWithoutEnd = line.headerWithoutEnd;
        entry.line = line.number;
        if (m_sections.empty()) {
            if (entry.headerWithoutEnd)
                m_unsectioned.push_back(entry);
            return;
        }
        m_keyIndex.back().emplace(FoldProfileName(entry.key, lead), m_sections.back().entries.size());
        m_sections.back().entries.push_back(entry);
    });
}

const SourceSection* MenuSource::Find(const std::string& name) const {
    auto found = m_sectionIndex.find(FoldProfileName(name, m_lead));
    return found == m_sectionIndex.end() ? nullptr : &m_sections[found->second];
}

const SourceEntry* MenuSource::Find(const std::string& section, const std::string& key) const {
    auto found = m_sectionIndex.find(FoldProfileName(section, m_lead));
    if (found == m_sectionIndex.end())
        return nullptr;
    auto entry = m_keyIndex[found->second].find(FoldProfileName(key, m_lead));
    if (entry == m_keyIndex[found->second].end())
        return nullptr;
    const SourceEntry& first = m_sections[found->second].entries[entry->second];
    return first.hasValue ? &first : nullptr;
}

} // namespace ostrel
