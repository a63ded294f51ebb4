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
    size_t pos = bytes.compare(0, 3, "\xEF\xBB\xBF") == 0 ? 3 : 0;
    int line = 0;
    while (pos < bytes.size()) {
        size_t end = bytes.find('\n', pos);
        if (end == std::string::npos)
            end = bytes.size();
        std::string text = TrimBlanks(bytes.substr(pos, end - pos));
        pos = end + 1;
        ++line;
        if (text.empty() || text[0] == ';')
            continue;
        if (text[0] == '[') {
            size_t close = text.rfind(']');
            std::string name = close == std::string::npos ? text.substr(1) : text.substr(1, close - 1);
            m_sections.push_back(SourceSection{TrimBlanks(name), line, {}});
            continue;
        }
        if (m_sections.empty())
            continue;
        size_t equals = text.find('=');
        SourceEntry entry;
        entry.key = TrimBlanks(equals == std::string::npos ? text : text.substr(0, equals));
        entry.value = equals == std::string::npos ? std::string() : TrimBlanks(text.substr(equals + 1));
        entry.rawLength = entry.value.size();
        entry.hasValue = equals != std::string::npos;
        entry.line = line;
        m_sections.back().entries.push_back(entry);
    }
}

const SourceSection* MenuSource::Find(const std::string& name) const {
    for (const SourceSection& section : m_sections)
        if (SameName(section.name, name, m_lead))
            return &section;
    return nullptr;
}

const SourceEntry* MenuSource::Find(const std::string& section, const std::string& key) const {
    const SourceSection* found = Find(section);
    if (!found)
        return nullptr;
    for (const SourceEntry& entry : found->entries)
        if (SameName(entry.key, key, m_lead))
            return entry.hasValue ? &entry : nullptr;
    return nullptr;
}

} // namespace ostrel
