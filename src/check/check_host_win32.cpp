#include <windows.h>

#include <vector>

#include "check/check_host.h"
#include "system/disk_file.h"

namespace ostrel {

bool HostLeadBytes(unsigned codePage, LeadByteTable& lead) {
    CPINFO info = {};
    if (!GetCPInfo(codePage, &info))
        return false;
    lead = LeadByteTable();
    for (int i = 0; i + 1 < MAX_LEADBYTES && (info.LeadByte[i] || info.LeadByte[i + 1]); i += 2)
        for (int c = info.LeadByte[i]; c <= info.LeadByte[i + 1]; ++c)
            lead.SetLead(static_cast<unsigned char>(c), true);
    return true;
}

void HostReadMenusWith(const LeadByteTable&) {}

void HostUseMenuText(const std::string&, const std::string&) {}

bool HostToUtf8(const std::string& text, unsigned codePage, std::string& utf8) {
    utf8.clear();
    if (text.empty())
        return true;
    int wideLength = MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    if (wideLength <= 0)
        return false;
    std::vector<wchar_t> wide(static_cast<size_t>(wideLength));
    MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()), wide.data(), wideLength);
    int length = WideCharToMultiByte(CP_UTF8, 0, wide.data(), wideLength, nullptr, 0, nullptr, nullptr);
    utf8.resize(static_cast<size_t>(length));
    WideCharToMultiByte(CP_UTF8, 0, wide.data(), wideLength, &utf8[0], length, nullptr, nullptr);
    return true;
}

bool HostFromUtf16(const std::string& utf16, unsigned codePage, std::string& text) {
    text.clear();
    const int units = static_cast<int>(utf16.size() / 2);
    if (units == 0)
        return true;
    std::vector<wchar_t> wide(static_cast<size_t>(units));
    for (size_t i = 0; i < wide.size(); ++i)
        wide[i] = static_cast<wchar_t>(static_cast<unsigned char>(utf16[2 * i]) |
                                       static_cast<unsigned char>(utf16[2 * i + 1]) << 8);
    const int length = WideCharToMultiByte(codePage, 0, wide.data(), units, nullptr, 0, nullptr, nullptr);
    if (length <= 0)
        return false;
    text.resize(static_cast<size_t>(length));
    WideCharToMultiByte(codePage, 0, wide.data(), units, &text[0], length, nullptr, nullptr);
    return true;
}

bool HostReadMenu(const std::string& given, MenuFile& menu, std::string& problem) {
    problem = "cannot read the menu file '" + given + "'";
    char full[MAX_PATH];
    char* name = nullptr;
    DWORD length = GetFullPathNameA(given.c_str(), MAX_PATH, full, &name);
    if (length == 0 || length >= MAX_PATH)
        return false;
    const std::string path = full;
    const std::string device = "'" + given + "' is no file (a device or pipe): menus are read from files";
    if (path.compare(0, 4, "\\\\.\\") == 0) { // CON, NUL, COM1 and pipes become \\.\NAME
        problem = device;
        return false;
    }
    const DWORD attributes = GetFileAttributesA(full);
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY)) {
        problem = "'" + given + "' is a folder, not a menu file";
        return false;
    }
    DiskFile file(path.c_str());
    std::uint64_t size = 0;
    if (!file.IsOpen())
        return false;
    if (!file.IsDiskFile()) {
        problem = device;
        return false;
    }
    if (!file.Size(size))
        return false;
    if (size > kMaxMenuBytes) {
        problem = "'" + given + "' is larger than the 64 MB a menu file may have";
        return false;
    }
    menu.bytes = file.Read(0, static_cast<size_t>(size));
    if (menu.bytes.size() != size)
        return false;
    problem.clear();
    menu.openPath = path;
    menu.windowsFolder = name ? std::string(full, static_cast<size_t>(name - full)) : path;
    return true;
}

} // namespace ostrel

namespace ostrel {

namespace {
class WindowsFiles : public FileProbe {
public:
    bool Knows(const std::string&) override { return true; }
    bool IsFile(const std::string& path) override {
        DWORD attributes = GetFileAttributesA(path.c_str());
        return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
    }
    bool Read(const std::string& path, const Use& use) override {
        DiskFile file(path.c_str());
        std::uint64_t size = 0;
        if (!file.IsDiskFile() || !file.Size(size))
            return false;
        use(size, [&file](std::uint64_t offset, size_t length) { return file.Read(offset, length); });
        return true;
    }
};
} // namespace

std::unique_ptr<FileProbe> HostFiles() { return std::make_unique<WindowsFiles>(); }

} // namespace ostrel
