// Any bytes as a profile file: every query must stay inside its buffer and end in
// a terminator.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "menu/profile_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string bytes(reinterpret_cast<const char*>(data), size);
    ostrel::ProfileText text(bytes);
    const char* sections[] = {"General", "Products", "", "a"};
    const char* keys[] = {"Bitmap", "Command", "", "x"};
    for (const char* section : sections) {
        for (int bufferSize : {1, 2, 3, 16, 350, 1024}) {
            std::vector<char> buffer(static_cast<std::size_t>(bufferSize));
            int n = text.GetString(section, nullptr, "", buffer.data(), bufferSize);
            if (n < 0 || (bufferSize >= 2 && n > bufferSize - 2) || (bufferSize < 2 && n != 0))
                __builtin_trap();
            for (const char* key : keys) {
                n = text.GetString(section, key, "default value", buffer.data(), bufferSize);
                if (n < 0 || n >= bufferSize || buffer[static_cast<std::size_t>(n)] != '\0')
                    __builtin_trap();
                text.GetInt(section, key, 7);
            }
        }
    }
    return 0;
}
