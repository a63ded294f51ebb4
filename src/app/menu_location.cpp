#include "app/menu_location.h"

namespace ostrel {

std::string LocateMenuFile(const std::string& requested, const std::string& directory, const std::string& baseDir,
                           System& system) {
    std::string path = requested;
    // Shortcuts, file associations and scripts pass a path with blanks in quotes.
    if (path.size() >= 2 && path.front() == '"' && path.back() == '"')
        path = path.substr(1, path.size() - 2);
    if (path.empty()) {
        std::string candidate = directory + "Ostrel\\ostrel.ini";
        path = system.CanOpenForReading(candidate) ? candidate : baseDir + "ostrel.ini";
    }
    return ResolveAgainst(path, baseDir, system.LeadBytes());
}

bool AdvanceReloadChord(int& armed, unsigned character) {
    if (armed) {
        armed = 0;
        return character == 0x72;
    }
    if (character == 0x11)
        armed = 1;
    return false;
}

} // namespace ostrel
