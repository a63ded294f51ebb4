// The profile functions of builds without Windows: our own reader, and writes that
// rewrite the file.
#include <fstream>
#include <iterator>

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

int WriteString(const std::string& section, const std::string& key, const std::string& value,
                const std::string& file) {
    std::string bytes;
    if (std::ifstream in{file, std::ios::binary})
        bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out << ProfileText::WithValue(bytes, section, key, value);
    return out.good() ? 1 : 0;
}

} // namespace ostrel::profile
