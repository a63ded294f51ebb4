#include <windows.h>

#include <fstream>
#include <vector>

#include "check/check_host.h"

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

bool HostMenuPaths(const std::string& given, std::string& openPath, std::string& windowsFolder) {
    char full[MAX_PATH];
    char* name = nullptr;
    DWORD length = GetFullPathNameA(given.c_str(), MAX_PATH, full, &name);
    if (length == 0 || length >= MAX_PATH)
        return false;
    HANDLE file = CreateFileA(full, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    CloseHandle(file);
    openPath = full;
    windowsFolder = name ? std::string(full, static_cast<size_t>(name - full)) : openPath;
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
    std::string Head(const std::string& path, size_t bytes) override {
        std::ifstream in(path, std::ios::binary);
        std::string head(bytes, '\0');
        in.read(&head[0], static_cast<std::streamsize>(bytes));
        head.resize(static_cast<size_t>(in.gcount()));
        return head;
    }
};
} // namespace

std::unique_ptr<FileProbe> HostFiles() { return std::make_unique<WindowsFiles>(); }

} // namespace ostrel
