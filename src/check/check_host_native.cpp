#include <dirent.h>
#include <fcntl.h>
#include <iconv.h>
#include <sys/stat.h>
#include <limits.h>
#include <stdlib.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <map>
#include <strings.h>

#include "check/check_host.h"
#include "menu/profile_native.h"
#include "text/utf16_text.h"

namespace ostrel {

bool HostLeadBytes(unsigned codePage, LeadByteTable& lead) {
    std::string ignored;
    if (!HostToUtf8("A", codePage, ignored))
        return false;
    lead = LeadByteTable::ForCodePage(codePage);
    return true;
}

void HostReadMenusWith(const LeadByteTable& lead) {
    profile::SetLeadBytes(lead);
}

namespace {

// A conversion is opened once for the whole run: a report converts every message.
class Conversion {
public:
    Conversion(const std::string& to, const std::string& from)
        : m_iconv(iconv_open(to.c_str(), from.c_str())) {}
    ~Conversion() {
        if (Valid())
            iconv_close(m_iconv);
    }
    Conversion(const Conversion&) = delete;
    Conversion& operator=(const Conversion&) = delete;
    bool Valid() const { return m_iconv != reinterpret_cast<iconv_t>(-1); }
    // Converts, putting `replacement` for each unit of `unit` bytes it cannot convert.
    bool Convert(const std::string& text, const std::string& replacement, size_t unit, std::string& out) {
        if (!Valid())
            return false;
        iconv(m_iconv, nullptr, nullptr, nullptr, nullptr);
        std::string in = text, buffer(text.size() * 4 + 16, '\0');
        char* inPtr = &in[0];
        size_t inLeft = in.size();
        out.clear();
        while (inLeft > 0) {
            char* outPtr = &buffer[0];
            size_t outLeft = buffer.size();
            const size_t result = iconv(m_iconv, &inPtr, &inLeft, &outPtr, &outLeft);
            out.append(&buffer[0], static_cast<size_t>(outPtr - &buffer[0]));
            if (result != static_cast<size_t>(-1))
                break;
            if (errno == E2BIG)
                continue;
            // What the other side cannot hold: the replacement, then go on.
            out += replacement;
            const size_t skip = std::min(unit, inLeft);
            inPtr += skip;
            inLeft -= skip;
        }
        return true;
    }

private:
    iconv_t m_iconv;
};

Conversion& ConversionFor(const std::string& to, const std::string& from) {
    static std::map<std::pair<std::string, std::string>, std::unique_ptr<Conversion>> opened;
    std::unique_ptr<Conversion>& conversion = opened[{to, from}];
    if (!conversion)
        conversion = std::make_unique<Conversion>(to, from);
    return *conversion;
}

bool Ascii(const std::string& text) {
    for (char c : text)
        if (static_cast<unsigned char>(c) >= 0x80)
            return false;
    return true;
}

} // namespace

bool HostToUtf8(const std::string& text, unsigned codePage, std::string& utf8) {
    Conversion& conversion = ConversionFor("UTF-8", "CP" + std::to_string(codePage));
    if (conversion.Valid() && Ascii(text)) {
        utf8 = text;
        return true;
    }
    // A byte the code page does not define shows as U+FFFD.
    return conversion.Convert(text, "\xEF\xBF\xBD", 1, utf8);
}

bool HostFromUtf16(const std::string& utf16, unsigned codePage, std::string& text) {
    return Utf16LeToCodePage(utf16, codePage, text) ||
           ConversionFor("CP" + std::to_string(codePage), "UTF-16LE").Convert(utf16, "?", 2, text);
}

void HostUseMenuText(const std::string& openPath, const std::string& text) {
    profile::UseText(openPath, text);
}

bool HostReadMenu(const std::string& given, MenuFile& menu, std::string& problem) {
    // Without O_NONBLOCK opening a FIFO waits for a writer.
    const int file = open(given.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    struct stat info = {};
    if (file < 0 || fstat(file, &info) != 0) {
        if (file >= 0)
            close(file);
        problem = "cannot read the menu file '" + given + "'";
        return false;
    }
    bool read = false;
    if (S_ISDIR(info.st_mode)) {
        problem = "'" + given + "' is a folder, not a menu file";
    } else if (!S_ISREG(info.st_mode)) {
        problem = "'" + given + "' is no file (a device, pipe or socket): menus are read from files";
    } else if (static_cast<std::uint64_t>(info.st_size) > kMaxMenuBytes) {
        problem = "'" + given + "' is larger than the 64 MB a menu file may have";
    } else {
        menu.bytes.clear();
        char chunk[65536];
        ssize_t got = 0;
        while (menu.bytes.size() <= kMaxMenuBytes && (got = ::read(file, chunk, sizeof chunk)) > 0)
            menu.bytes.append(chunk, static_cast<size_t>(got));
        read = got == 0 && menu.bytes.size() <= kMaxMenuBytes;
        problem = got < 0 ? "cannot read the menu file '" + given + "'"
                          : "'" + given + "' is larger than the 64 MB a menu file may have";
    }
    close(file);
    char resolved[PATH_MAX];
    if (!read || !realpath(given.c_str(), resolved)) {
        if (read)
            problem = "cannot read the menu file '" + given + "'";
        return false;
    }
    problem.clear();
    menu.openPath = resolved;
    // As Wine maps the Linux file system: drive Z: is the root.
    std::string folder = menu.openPath.substr(0, menu.openPath.rfind('/') + 1);
    for (char& c : folder)
        if (c == '/')
            c = '\\';
    menu.windowsFolder = "Z:" + folder;
    return true;
}

} // namespace ostrel

namespace ostrel {

namespace {
// Wine's view of the Linux file system: drive Z: is the root, and names are found
// without regard to letter case, as Windows finds them.
class WineFiles : public FileProbe {
public:
    bool Knows(const std::string& windowsPath) override {
        return windowsPath.size() >= 3 && (windowsPath[0] == 'Z' || windowsPath[0] == 'z') && windowsPath[1] == ':' &&
               windowsPath[2] == '\\';
    }
    bool IsFile(const std::string& windowsPath) override { return Kind(windowsPath) == S_IFREG; }
    bool Read(const std::string& windowsPath, const Use& use) override {
        std::string path;
        if (!Resolve(windowsPath, path))
            return false;
        const int file = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
        if (file < 0)
            return false;
        struct stat info = {};
        const bool regular = fstat(file, &info) == 0 && S_ISREG(info.st_mode);
        if (regular) {
            use(static_cast<std::uint64_t>(info.st_size), [file](std::uint64_t offset, size_t length) {
                std::string bytes(length, '\0');
                const ssize_t got = pread(file, &bytes[0], length, static_cast<off_t>(offset));
                bytes.resize(got > 0 ? static_cast<size_t>(got) : 0);
                return bytes;
            });
        }
        close(file);
        return regular;
    }

private:
    unsigned Kind(const std::string& windowsPath) {
        std::string path;
        struct stat info;
        if (!Resolve(windowsPath, path) || stat(path.c_str(), &info) != 0)
            return 0;
        return info.st_mode & S_IFMT;
    }
    bool Resolve(const std::string& windowsPath, std::string& path) {
        if (!Knows(windowsPath))
            return false;
        path = "/";
        size_t pos = 3;
        while (pos <= windowsPath.size()) {
            size_t end = windowsPath.find('\\', pos);
            if (end == std::string::npos)
                end = windowsPath.size();
            std::string part = windowsPath.substr(pos, end - pos);
            pos = end + 1;
            if (part.empty() || part == ".")
                continue;
            if (part == "..") {
                size_t slash = path.find_last_of('/', path.size() - 2);
                path = slash == std::string::npos ? "/" : path.substr(0, slash + 1);
                continue;
            }
            std::string found;
            if (DIR* dir = opendir(path.c_str())) {
                while (dirent* item = readdir(dir)) {
                    if (part == item->d_name) {
                        found = part;
                        break;
                    }
                    if (found.empty() && strcasecmp(part.c_str(), item->d_name) == 0)
                        found = item->d_name;
                }
                closedir(dir);
            }
            if (found.empty())
                return false;
            path += found + (pos <= windowsPath.size() ? "/" : "");
        }
        return true;
    }
};
} // namespace

std::unique_ptr<FileProbe> HostFiles() { return std::make_unique<WineFiles>(); }

} // namespace ostrel
