// The profile functions of builds without Windows: our own reader, and writes that
// rewrite the file (the launcher itself never writes to a menu file).
#include "menu/profile_reader.h"
#include "menu/storage.h"

namespace ostrel::profile {

unsigned GetInt(const std::string& section, const std::string& key, int defaultValue, const std::string& file) {
    return ProfileText::FromFile(file).GetInt(section, key, defaultValue);
}

int GetString(const std::string& section, const char* key, const std::string& defaultValue, char* buffer,
              int size, const std::string& file) {
    return ProfileText::FromFile(file).GetString(section, key, defaultValue, buffer, size);
}

int WriteString(const std::string&, const std::string&, const std::string&, const std::string&) {
    // Menu files are the publisher's: the native tools only read them.
    return 0;
}

} // namespace ostrel::profile
