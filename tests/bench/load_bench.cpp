// How long the menu model takes to load N products, natively, with the profile
// reader the native build uses. A menu's product list holds at most 348 characters,
// so N products are spread over menus of 25 each, loaded one after another.
// Prints one JSON object: {"10": microseconds, "30": ..., "100": ..., "1000": ...}.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <string>
#include <unistd.h>
#include <vector>

#include "menu/ini_file.h"
#include "system/quiet_system.h"

namespace {

constexpr int kPerMenu = 25;

std::vector<std::string> WriteMenus(int products, const std::string& folder) {
    std::vector<std::string> paths;
    for (int first = 0; first < products; first += kPerMenu) {
        std::string path = folder + "/menu" + std::to_string(first) + ".ini";
        std::ofstream out(path, std::ios::binary);
        out << "[General]\r\nBitmap=back.png\r\nCopyright=Bench\r\nForeground=255,255,255\r\n[Products]\r\n";
        int last = std::min(products, first + kPerMenu);
        for (int i = first; i < last; ++i)
            out << "Product" << i << "=WIN32,WINNT,DEFAULT\r\n";
        for (int i = first; i < last; ++i) {
            out << "[Product" << i << "]\r\nBitmap=p" << i << ".png\r\nBitmapHi=p" << i << "_hi.png\r\nBitmapPress=p"
                << i << "_press.png\r\nBitmapMemo=p" << i << "_memo.png\r\nTransparencyColor=255,0,255\r\n";
            out << "[Product" << i << ".WINNT]\r\nPoint=" << (i % 6) * 100 << "," << (i / 6) * 40
                << "\r\nPointMemo=10,10\r\nCommand=tavshlex setup" << i << "\\setup.exe /s\r\n";
        }
        paths.push_back(path);
    }
    return paths;
}
} // namespace

int main() {
    char folder[] = "/tmp/ostrel-load-bench-XXXXXX";
    if (!mkdtemp(folder))
        return 1;
    ostrel::PlayedSystem system;
    std::string menuDir = "E:\\", baseDir = "E:\\";
    std::printf("{");
    const int counts[] = {10, 30, 100, 1000};
    for (size_t c = 0; c < 4; ++c) {
        std::vector<std::string> menus = WriteMenus(counts[c], folder);
        std::vector<double> runs;
        for (int run = 0; run < 9; ++run) {
            auto start = std::chrono::steady_clock::now();
            int loaded = 0;
            for (const std::string& path : menus) {
                ostrel::CIniFile menu(system, menuDir, baseDir);
                menu.m_strPath = path;
                menu.Load();
                loaded += menu.GetCount();
            }
            auto end = std::chrono::steady_clock::now();
            if (loaded != counts[c])
                return 1;
            runs.push_back(std::chrono::duration<double, std::micro>(end - start).count());
        }
        std::sort(runs.begin(), runs.end());
        std::printf("%s\"%d\": %.0f", c ? ", " : "", counts[c], runs[runs.size() / 2]);
        for (const std::string& path : menus)
            unlink(path.c_str());
    }
    std::printf("}\n");
    rmdir(folder);
    return 0;
}
