#include <dirent.h>
#include <iconv.h>
#include <sys/stat.h>
#include <limits.h>
#include <stdlib.h>

#include <cerrno>
#include <fstream>
#include <strings.h>

#include "check/check_host.h"
#include "menu/profile_native.h"

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

bool HostToUtf8(const std::string& text, unsigned codePage, std::string& utf8) {
    std::string name = "CP" + std::to_string(codePage);
    iconv_t conversion = iconv_open("UTF-8", name.c_str());
    if (conversion == reinterpret_cast<iconv_t>(-1))
        return false;
    std::string in = text, out(text.size() * 4 + 16, '\0');
    char* inPtr = &in[0];
    char* outPtr = &out[0];
    size_t inLeft = in.size(), outLeft = out.size();
    utf8.clear();
    while (inLeft > 0) {
        if (iconv(conversion, &inPtr, &inLeft, &outPtr, &outLeft) == static_cast<size_t>(-1)) {
            if (errno == E2BIG)
                break;
            // A byte the code page does not define: shown as U+FFFD, then go on.
            utf8.append(&out[0], static_cast<size_t>(outPtr - &out[0]));
            utf8 += "\xEF\xBF\xBD";
            outPtr = &out[0];
            outLeft = out.size();
            ++inPtr;
            --inLeft;
        }
    }
    utf8.append(&out[0], static_cast<size_t>(outPtr - &out[0]));
    iconv_close(conversion);
    return true;
}

bool HostMenuPaths(const std::string& given, std::string& openPath, std::string& windowsFolder) {
    std::ifstream probe(given, std::ios::binary);
    if (!probe)
        return false;
    char resolved[PATH_MAX];
    if (!realpath(given.c_str(), resolved))
        return false;
    openPath = resolved;
    // As Wine maps the Linux file system: drive Z: is the root.
    std::string folder = openPath.substr(0, openPath.rfind('/') + 1);
    for (char& c : folder)
        if (c == '/')
            c = '\\';
    windowsFolder = "Z:" + folder;
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
    std::string Head(const std::string& windowsPath, size_t bytes) override {
        std::string path;
        if (!Resolve(windowsPath, path))
            return std::string();
        std::ifstream in(path, std::ios::binary);
        std::string head(bytes, '\0');
        in.read(&head[0], static_cast<std::streamsize>(bytes));
        head.resize(static_cast<size_t>(in.gcount()));
        return head;
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
