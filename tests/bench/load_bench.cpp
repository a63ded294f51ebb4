// How long the menu model takes to load N products, natively, with the profile
// reader the native build uses. A menu's product list holds at most 348 characters,
// so N products are spread over menus of 25 each, loaded one after another. Then one
// menu of 25 products in 100,000 keys: sections and keys the launcher does not read
// stand before the ones it reads, as in a large menu of many languages.
// Prints one JSON object: {"10": microseconds, "30": ..., "100": ..., "1000": ...,
// "100000 keys": ...}.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <string>
#include <unistd.h>
#include <vector>

#include "menu/ini_file.h"
#include "menu/profile_native.h"
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

// 25 products, their sections after `keys` lines in all: half of the rest in sections of
// ten keys, half as notes in the products' own sections before the keys that are read.
std::string WriteKeysMenu(int keys, const std::string& folder) {
    const std::string path = folder + "/keys" + std::to_string(keys) + ".ini";
    std::ofstream out(path, std::ios::binary);
    out << "[General]\r\nBitmap=back.png\r\nCopyright=Bench\r\n[Products]\r\n";
    for (int i = 0; i < kPerMenu; ++i)
        out << "Product" << i << "=WIN32,WINNT,DEFAULT\r\n";
    const int read = 2 + kPerMenu + kPerMenu * 7, rest = std::max(0, keys - read);
    for (int k = 0; k < rest / 2; ++k)
        out << (k % 10 == 0 ? "[Text" + std::to_string(k / 10) + "]\r\n" : "") << "Line" << k % 10
            << "=Some text " << k << "\r\n";
    for (int i = 0; i < kPerMenu; ++i) {
        out << "[Product" << i << "]\r\n";
        for (int k = i; k < rest - rest / 2; k += kPerMenu)
            out << "Note" << k << "=Some text " << k << "\r\n";
        out << "Bitmap=p" << i << ".png\r\nBitmapHi=p" << i << "_hi.png\r\nBitmapMemo=p" << i
            << "_memo.png\r\nTransparencyColor=255,0,255\r\n";
        out << "[Product" << i << ".WINNT]\r\nPoint=" << (i % 6) * 100 << "," << (i / 6) * 40
            << "\r\nPointMemo=10,10\r\nCommand=tavshlex setup" << i << "\\setup.exe /s\r\n";
    }
    return path;
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
    const int keys = 100000;
    const std::string path = WriteKeysMenu(keys, folder);
    std::vector<double> runs;
    for (int run = 0; run < 9; ++run) {
        // Parsed afresh each time, as a load after the file changed.
        ostrel::profile::SetLeadBytes(ostrel::LeadByteTable());
        auto start = std::chrono::steady_clock::now();
        ostrel::CIniFile menu(system, menuDir, baseDir);
        menu.m_strPath = path;
        menu.Load();
        auto end = std::chrono::steady_clock::now();
        if (menu.GetCount() != kPerMenu)
            return 1;
        runs.push_back(std::chrono::duration<double, std::micro>(end - start).count());
    }
    std::sort(runs.begin(), runs.end());
    std::printf(", \"%d keys\": %.0f}\n", keys, runs[runs.size() / 2]);
    unlink(path.c_str());
    rmdir(folder);
    return 0;
}
