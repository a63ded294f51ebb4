#include <windows.h>

#include "menu/storage.h"

namespace ostrel::profile {

unsigned GetInt(const std::string& section, const std::string& key, int defaultValue, const std::string& file) {
    return GetPrivateProfileIntA(section.c_str(), key.c_str(), defaultValue, file.c_str());
}

int GetString(const std::string& section, const char* key, const std::string& defaultValue, char* buffer,
              int size, const std::string& file) {
    return static_cast<int>(GetPrivateProfileStringA(section.c_str(), key, defaultValue.c_str(), buffer,
                                                     static_cast<DWORD>(size), file.c_str()));
}

int WriteString(const std::string& section, const std::string& key, const std::string& value,
                const std::string& file) {
    return WritePrivateProfileStringA(section.c_str(), key.c_str(), value.c_str(), file.c_str());
}

} // namespace ostrel::profile
