// Reads (and can write) one INI profile file. An empty section or key argument means
// the section or key of the previous call on the same object.
#pragma once

#include <memory>
#include <string>

namespace ostrel {

class Storage {
public:
    explicit Storage(std::string file);
    ~Storage() = default;

    virtual unsigned ReadInt(std::string key, std::string section, int defaultValue);
    virtual int ReadString(std::string& result, std::string defaultValue, std::string key, std::string section);
    virtual int WriteInt(int value, std::string key, std::string section);
    virtual int WriteString(std::string value, std::string key, std::string section);
    virtual int ReadKeyNames(char* buffer, int size, std::string section);
    // The key names of a section, or null with a count of 0 when it has none.
    virtual std::unique_ptr<std::string[]> ReadKeyList(int& count, std::string section);

    static constexpr int kStringBufferSize = 1024;
    static constexpr int kKeyListBufferSize = 350;

private:
    void Select(const std::string& key, const std::string& section);

    std::string m_strFile;
    std::string m_strSection;
    std::string m_strKey;
};

// The platform's private-profile functions, or our own reader where there are none.
namespace profile {
unsigned GetInt(const std::string& section, const std::string& key, int defaultValue, const std::string& file);
int GetString(const std::string& section, const char* key, const std::string& defaultValue, char* buffer,
              int size, const std::string& file);
int WriteString(const std::string& section, const std::string& key, const std::string& value,
                const std::string& file);
} // namespace profile

} // namespace ostrel
