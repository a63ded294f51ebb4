#include <iconv.h>
#include <limits.h>
#include <stdlib.h>

#include <cerrno>
#include <fstream>

#include "check/check_host.h"

namespace ostrel {

bool HostLeadBytes(unsigned codePage, LeadByteTable& lead) {
    std::string ignored;
    if (!HostToUtf8("A", codePage, ignored))
        return false;
    lead = LeadByteTable::ForCodePage(codePage);
    return true;
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
