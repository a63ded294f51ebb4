#include "menu/storage.h"

#include <cstdio>
#include <vector>

namespace ostrel {

Storage::Storage(std::string file) : m_strFile(std::move(file)) {}

void Storage::Select(const std::string& key, const std::string& section) {
    if (!section.empty())
        m_strSection = section;
    if (!key.empty())
        m_strKey = key;
}

unsigned Storage::ReadInt(std::string key, std::string section, int defaultValue) {
    Select(key, section);
    return profile::GetInt(m_strSection, m_strKey, defaultValue, m_strFile);
}

int Storage::ReadString(std::string& result, std::string defaultValue, std::string key, std::string section) {
    Select(key, section);
    std::vector<char> buffer(kStringBufferSize, '\0');
    int count = profile::GetString(m_strSection, m_strKey.c_str(), defaultValue, buffer.data(), kStringBufferSize,
                                   m_strFile);
    result.assign(buffer.data());
    return count;
}

int Storage::WriteInt(int value, std::string key, std::string section) {
    Select(key, section);
    char text[16];
    std::snprintf(text, sizeof text, "%d", value);
    return profile::WriteString(m_strSection, m_strKey, text, m_strFile);
}

int Storage::WriteString(std::string value, std::string key, std::string section) {
    Select(key, section);
    return profile::WriteString(m_strSection, m_strKey, value, m_strFile);
}

int Storage::ReadKeyNames(char* buffer, int size, std::string section) {
    Select(std::string(), section);
    return profile::GetString(m_strSection, nullptr, "", buffer, size, m_strFile);
}

std::unique_ptr<std::string[]> Storage::ReadKeyList(int& count, std::string section) {
    Select(std::string(), section);
    char buffer[kKeyListBufferSize] = {};
    int length = ReadKeyNames(buffer, kKeyListBufferSize, section);
    count = 0;
    if (length == 0)
        return nullptr;
    for (int pos = 0; pos < length; pos += static_cast<int>(std::string(buffer + pos).size()) + 1)
        ++count;
    std::unique_ptr<std::string[]> names(new std::string[static_cast<size_t>(count)]);
    int pos = 0;
    for (int i = 0; i < count; ++i) {
        names[i] = std::string(buffer + pos);
        pos += static_cast<int>(names[i].size()) + 1;
    }
    return names;
}

} // namespace ostrel
