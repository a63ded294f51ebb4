// Any bytes as a menu file, loaded as the launcher loads it on a double-byte code
// page, and any text through the value and path rules.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>
#include <unistd.h>

#include "app/menu_location.h"
#include "menu/ini_file.h"
#include "menu/value_rules.h"
#include "system/quiet_system.h"

namespace {
class FuzzSystem : public ostrel::QuietSystem {
public:
    std::uint32_t version = 0x0000000A;
    ostrel::LeadByteTable lead = ostrel::LeadByteTable::ForCodePage(932);
    std::uint32_t GetVersion() override { return version; }
    int GetScreenColourDepth() override { return 4; }
    ostrel::Colour GetSysColor(int) override { return 0; }
    bool CanOpenForReading(const std::string&) override { return false; }
    const ostrel::LeadByteTable& LeadBytes() override { return lead; }
    bool Kernel32Has(const char*) override { return true; }
    bool IsWow64Process(bool& wow64) override { return wow64 = true; }
    unsigned NativeProcessorArchitecture() override { return 9; }
    unsigned ProcessorArchitecture() override { return 0; }
};
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string bytes(reinterpret_cast<const char*>(data), size);
    FuzzSystem system;
    system.version = size > 0 && (data[0] & 1) ? 0xC0000004u : 0x00000004u;

    ostrel::ParseColor(bytes);
    ostrel::ColourFromText(bytes);
    ostrel::LeadingNumber(bytes);
    ostrel::LocateMenuFile(bytes, "D:\\setup\\", "D:\\setup\\", system);
    ostrel::DirectoryPart(bytes, system.lead);
    ostrel::ToUpperAnsi(bytes, system.lead);

    char path[] = "/tmp/ostrel-fuzz-XXXXXX";
    int fd = mkstemp(path);
    if (fd < 0)
        return 0;
    if (write(fd, data, size) != static_cast<ssize_t>(size)) {
        close(fd);
        unlink(path);
        return 0;
    }
    close(fd);
    std::string menuDir = "D:\\\x83\x5C\\";
    ostrel::CIniFile menu(system, menuDir, menuDir);
    menu.m_strPath = path;
    menu.Load();
    unlink(path);
    return 0;
}
