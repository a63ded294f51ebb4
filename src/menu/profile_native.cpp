// The profile functions of builds without Windows: our own reader, and writes that
// rewrite the file.
#include <sys/stat.h>

#include <fstream>
#include <iterator>
#include <memory>

#include "menu/profile_native.h"
#include "menu/profile_reader.h"
#include "menu/storage.h"

namespace ostrel::profile {

namespace {
// The last file read, parsed, as long as it is the same file unchanged on disk: a
// menu load reads one file many times in a row.
struct Cached {
    std::string path;
    dev_t device = 0;
    ino_t inode = 0;
    off_t size = -1;
    struct timespec modified = {};
    std::unique_ptr<ProfileText> text;
};
Cached cache;
LeadByteTable leadBytes;
struct Given {
    std::string path;
    std::string bytes;
    std::unique_ptr<ProfileText> text;
};
Given given;

const ProfileText& Parsed(const std::string& file) {
    if (given.text && file == given.path)
        return *given.text;
    struct stat info = {};
    bool exists = stat(file.c_str(), &info) == 0 && S_ISREG(info.st_mode);
    if (!exists) {
        static const ProfileText kEmpty{std::string()};
        return kEmpty;
    }
    if (!cache.text || cache.path != file || cache.device != info.st_dev || cache.inode != info.st_ino ||
        cache.size != info.st_size || cache.modified.tv_sec != info.st_mtim.tv_sec ||
        cache.modified.tv_nsec != info.st_mtim.tv_nsec) {
        cache.text = std::make_unique<ProfileText>(ProfileText::FromFile(file, leadBytes));
        cache.path = file;
        cache.device = info.st_dev;
        cache.inode = info.st_ino;
        cache.size = info.st_size;
        cache.modified = info.st_mtim;
    }
    return *cache.text;
}
} // namespace

void SetLeadBytes(const LeadByteTable& lead) {
    leadBytes = lead;
    cache.text.reset(); // parsed with the old ones
    if (given.text)
        given.text = std::make_unique<ProfileText>(given.bytes, leadBytes);
}

void UseText(const std::string& file, const std::string& bytes) {
    given.path = file;
    given.bytes = bytes;
    given.text = std::make_unique<ProfileText>(bytes, leadBytes);
}

unsigned GetInt(const std::string& section, const std::string& key, int defaultValue, const std::string& file) {
    return Parsed(file).GetInt(section, key, defaultValue);
}

int GetString(const std::string& section, const char* key, const std::string& defaultValue, char* buffer,
              int size, const std::string& file) {
    return Parsed(file).GetString(section, key, defaultValue, buffer, size);
}

int WriteString(const std::string& section, const std::string& key, const std::string& value,
                const std::string& file) {
    std::string bytes;
    if (std::ifstream in{file, std::ios::binary})
        bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out << ProfileText::WithValue(bytes, section, key, value, leadBytes);
    out.close();
    cache.text.reset(); // the next read sees what was written
    if (file == given.path)
        given = Given();
    return out.good() ? 1 : 0;
}

} // namespace ostrel::profile
