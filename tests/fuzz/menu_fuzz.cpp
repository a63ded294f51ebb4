// Any bytes as a menu file, loaded as the launcher loads it on a double-byte code
// page, and any text through the value and path rules; the same bytes as a picture
// whose header the launcher reads.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>
#include <unistd.h>

#include "app/menu_location.h"
#include "menu/ini_file.h"
#include "menu/picture_header.h"
#include "menu/value_rules.h"
#include "system/quiet_system.h"


extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string bytes(reinterpret_cast<const char*>(data), size);
    ostrel::PlayedSystem system; // a 16-colour Japanese screen, Windows 95 or NT 4.0
    system.colourDepth = 4;
    system.lead = ostrel::LeadByteTable::ForCodePage(932);
    system.version = size > 0 && (data[0] & 1) ? 0xC0000004u : 0x00000004u;

    ostrel::ParseColor(bytes);
    ostrel::ColourFromText(bytes);
    ostrel::LeadingNumber(bytes);
    ostrel::LocateMenuFile(bytes, "D:\\setup\\", "D:\\setup\\", system);
    ostrel::DirectoryPart(bytes, system.lead);
    ostrel::ToUpperAnsi(bytes, system.lead);
    ostrel::ReadImageHeader(bytes, true);

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
