#include "check/check_report.h"

#include <cstdio>
#include <memory>
#include <vector>

#include "check/check_platform.h"
#include "menu/storage.h"

namespace ostrel {

LoadedMenu LoadMenuFor(const CheckOptions& options, const PlatformInfo& platform,
                       const ArchitectureInfo& architecture, const LeadByteTable& lead) {
    LoadedMenu loaded;
    loaded.system = std::make_unique<CheckSystem>(platform, architecture, options.depth, lead);
    loaded.menu = std::make_unique<CIniFile>(*loaded.system, options.menuDir, options.baseDir);
    loaded.menu->m_strPath = options.menuFile;
    loaded.menu->Load();
    return loaded;
}

std::string JsonString(const std::string& utf8) {
    std::string out = "\"";
    for (unsigned char c : utf8) {
        switch (c) {
        case '"':
            out += "\\\"";
            break;
        case '\\':
            out += "\\\\";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\r':
            out += "\\r";
            break;
        case '\t':
            out += "\\t";
            break;
        default:
            if (c < 0x20) {
                char escape[8];
                std::snprintf(escape, sizeof escape, "\\u%04x", c);
                out += escape;
            } else {
                out += static_cast<char>(c);
            }
        }
    }
    return out + "\"";
}

namespace {

std::string Hex(Colour colour) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%08X", colour);
    return text;
}

std::string TrimRight(std::string text) {
    while (!text.empty() && text.back() == ' ')
        text.pop_back();
    return text;
}

std::string Pair(int a, int b) { return "[" + std::to_string(a) + ", " + std::to_string(b) + "]"; }

int ReadStartupInt(const std::string& file, const char* key) {
    Storage storage(file);
    return static_cast<int>(storage.ReadInt(key, "General", 0));
}

} // namespace

std::vector<std::string> ProductNames(const std::string& file) {
    Storage storage(file);
    char buffer[kProductListBufferSize] = {};
    storage.ReadKeyNames(buffer, kProductListBufferSize, "Products");
    return SplitProductList(buffer, kProductListBufferSize);
}

std::vector<MatrixColumn> MatrixColumns() {
    std::vector<MatrixColumn> columns;
    for (const PlatformInfo& platform : Platforms()) {
        if (!platform.ntFamily) {
            columns.push_back({&platform, FindArchitecture("intel"), platform.name});
            continue;
        }
        // The processor only matters on the NT family, and x64 only where there was a
        // 64-bit edition.
        for (const char* arch : {"intel", "x64"})
            if (platform.has64Bit || std::string(arch) == "intel")
                columns.push_back({&platform, FindArchitecture(arch), std::string(platform.name) + "/" + arch});
    }
    return columns;
}

std::vector<std::vector<std::string>> MatrixCells(const CheckOptions& options, const LeadByteTable& lead,
                                                  const std::vector<std::string>& names, bool& loaded) {
    const std::vector<MatrixColumn> columns = MatrixColumns();
    std::vector<std::vector<std::string>> cells(names.size(), std::vector<std::string>(columns.size()));
    loaded = false;
    for (size_t col = 0; col < columns.size(); ++col) {
        LoadedMenu l = LoadMenuFor(options, *columns[col].platform, *columns[col].architecture, lead);
        loaded = loaded || l.menu->m_bLoaded == 1;
        // Choices come in the order of the names, with the left-out ones missing.
        size_t row = 0;
        for (int i = 0; i < l.menu->GetCount(); ++i) {
            const CChoice& c = *l.menu->GetAt(i);
            while (row < names.size() && names[row] != c.m_strProduct)
                ++row;
            if (row == names.size())
                break;
            cells[row][col] = c.m_strSection;
            ++row;
        }
    }
    return cells;
}

std::string JsonReport(const CheckOptions& options, const LeadByteTable& lead, const ToUtf8Fn& toUtf8) {
    const PlatformInfo& platform = *FindPlatform(options.platform);
    const ArchitectureInfo& architecture = *FindArchitecture(options.architecture);
    LoadedMenu loaded = LoadMenuFor(options, platform, architecture, lead);
    const CIniFile& menu = *loaded.menu;
    auto text = [&](const std::string& ansi) { return JsonString(toUtf8(ansi)); };

    std::string out = "{\n";
    out += "  \"file\": " + text(options.shownFile) + ",\n";
    out += "  \"encoding\": " + JsonString(options.encoding) + ",\n";
    out += "  \"platform\": " + JsonString(platform.name) + ",\n";
    out += "  \"arch\": " + JsonString(architecture.name) + ",\n";
    out += "  \"depth\": " + std::to_string(options.depth) + ",\n";
    out += std::string("  \"loaded\": ") + (menu.m_bLoaded == 1 ? "true" : "false") + ",\n";
    out += "  \"general\": {\n";
    out += "    \"bitmap\": " + text(menu.m_strBitmap) + ",\n";
    out += "    \"copyright\": " + text(menu.m_strCopyright) + ",\n";
    out += "    \"foreground\": \"" + Hex(menu.m_crForeground) + "\",\n";
    out += "    \"fingerCursor\": " + std::to_string(menu.m_bFingerCursor) + ",\n";
    out += "    \"debug\": " + std::to_string(menu.m_bDebug) + ",\n";
    out += "    \"useImageDpi\": " + std::to_string(menu.m_bUseImageDpi) + ",\n";
    out += "    \"defaultCaption\": " + text(menu.m_strDefaultCaption) + ",\n";
    out += "    \"caption\": " + std::to_string(ReadStartupInt(options.menuFile, "Caption")) + ",\n";
    out += "    \"multipleInstances\": " + std::to_string(ReadStartupInt(options.menuFile, "MultipleInstances")) +
           "\n  },\n";
    out += "  \"choices\": [";
    for (int i = 0; i < menu.GetCount(); ++i) {
        const CChoice& c = *menu.GetAt(i);
        out += i == 0 ? "\n" : ",\n";
        out += "    {\"product\": " + text(c.m_strProduct) + ", \"section\": " + text(c.m_strSection) + ",\n";
        out += "     \"bitmap\": " + text(c.m_strBitmap) + ", \"bitmapHi\": " + text(c.m_strBitmapHi) +
               ", \"bitmapPress\": " + text(c.m_strBitmapPress) + ", \"bitmapMemo\": " + text(c.m_strBitmapMemo) +
               ",\n";
        out += "     \"point\": " + Pair(c.m_ptPoint.x, c.m_ptPoint.y) +
               ", \"pointMemo\": " + Pair(c.m_ptPointMemo.x, c.m_ptPointMemo.y) +
               ", \"size\": " + Pair(c.m_sizeBitmap.cx, c.m_sizeBitmap.cy) +
               ", \"transparency\": " + std::to_string(c.m_bTransparency) + ", \"transparencyColor\": \"" +
               Hex(c.m_crTransparency) + "\", \"hide\": " + std::to_string(c.m_bHide) + ",\n";
        out += "     \"command\": " + text(c.m_strCommand) + ", \"preInstBoxType\": " + text(c.m_strPreInstBoxType) +
               ", \"preInstMessage\": " + text(c.m_strPreInstMessage) + ", \"preInstTitle\": " +
               text(c.m_strPreInstTitle) + ",\n";
        out += "     \"defaultDir\": " + text(c.m_strDefaultDir) + ", \"exitCode\": " + std::to_string(c.m_nExitCode) +
               "}";
    }
    out += menu.GetCount() ? "\n  ]\n}\n" : "]\n}\n";
    return out;
}

std::string MatrixJson(const CheckOptions& options, const LeadByteTable& lead, const ToUtf8Fn& toUtf8) {
    const std::vector<MatrixColumn> columns = MatrixColumns();
    const std::vector<std::string> names = ProductNames(options.menuFile);
    bool loaded = false;
    std::vector<std::vector<std::string>> cells = MatrixCells(options, lead, names, loaded);
    std::string out = "{\n  \"file\": " + JsonString(toUtf8(options.shownFile)) + ",\n";
    out += "  \"encoding\": " + JsonString(options.encoding) + ",\n";
    out += std::string("  \"loaded\": ") + (loaded ? "true" : "false") + ",\n  \"matrix\": {\n    \"columns\": [";
    for (size_t col = 0; col < columns.size(); ++col)
        out += (col ? ", " : "") + JsonString(columns[col].heading);
    out += "],\n    \"products\": [";
    for (size_t row = 0; row < names.size(); ++row) {
        out += std::string(row ? "," : "") + "\n      {\"product\": " + JsonString(toUtf8(names[row])) + ", \"sections\": [";
        for (size_t col = 0; col < cells[row].size(); ++col)
            out += (col ? ", " : "") + (cells[row][col].empty() ? std::string("null") : JsonString(toUtf8(cells[row][col])));
        out += "]}";
    }
    out += names.empty() ? "]\n  }" : "\n    ]\n  }";
    return out; // the caller adds the findings and closes the object
}

std::string TextReport(const CheckOptions& options, const LeadByteTable& lead, const ToUtf8Fn& toUtf8) {
    const PlatformInfo& platform = *FindPlatform(options.platform);
    const ArchitectureInfo& architecture = *FindArchitecture(options.architecture);
    LoadedMenu loaded = LoadMenuFor(options, platform, architecture, lead);
    const CIniFile& menu = *loaded.menu;
    std::string out = toUtf8(options.shownFile) + " on " + platform.label + " (" + architecture.name + "), " +
                      std::to_string(options.depth) + "-bit colour\n";
    if (menu.m_bLoaded != 1)
        return out + "not loaded: the menu names no background picture, so the launcher would not open\n";
    for (int i = 0; i < menu.GetCount(); ++i) {
        const CChoice& c = *menu.GetAt(i);
        out += "  " + toUtf8(c.m_strProduct) + " [" + toUtf8(c.m_strSection) + "] at " +
               std::to_string(c.m_ptPoint.x) + "," + std::to_string(c.m_ptPoint.y) + ": " +
               (c.m_strCommand.empty() ? std::string("(no command)") : toUtf8(c.m_strCommand)) + "\n";
    }
    if (menu.GetCount() == 0)
        out += "  no choices\n";
    return out;
}

namespace {
// A cell as the matrix shows it: "own", the section's platform part, or "-".
std::string CellText(const std::string& section, const std::string& product) {
    if (section.empty())
        return "-";
    return section == product ? "own" : section.substr(product.size() + 1);
}
} // namespace

std::string MatrixReport(const CheckOptions& options, const LeadByteTable& lead, const ToUtf8Fn& toUtf8) {
    const std::vector<MatrixColumn> columns = MatrixColumns();
    const std::vector<std::string> names = ProductNames(options.menuFile);
    bool loaded = false;
    std::vector<std::vector<std::string>> cells = MatrixCells(options, lead, names, loaded);
    for (size_t row = 0; row < names.size(); ++row)
        for (std::string& cell : cells[row])
            cell = CellText(cell, names[row]);

    std::string out = toUtf8(options.shownFile) + "\n";
    if (!loaded)
        return out + "not loaded: the menu names no background picture, so the launcher would not open\n";
    out += "Section each product takes its command from (\"own\": its own section; \"-\": left out):\n\n";
    auto pad = [](std::string text, size_t width) { return text.append(width > text.size() ? width - text.size() : 0, ' '); };
    std::vector<size_t> widths(names.size());
    for (size_t row = 0; row < names.size(); ++row) {
        widths[row] = toUtf8(names[row]).size();
        for (const std::string& cell : cells[row])
            widths[row] = std::max(widths[row], cell.size());
    }
    // A line per platform and processor, a column per product: the platforms are
    // many and fixed, the products few, so this stays within a terminal's width.
    std::string line = pad("platform", 14);
    for (size_t row = 0; row < names.size(); ++row)
        line += "  " + pad(toUtf8(names[row]), widths[row]);
    out += TrimRight(line) + "\n";
    for (size_t col = 0; col < columns.size(); ++col) {
        line = pad(columns[col].heading, 14);
        for (size_t row = 0; row < names.size(); ++row)
            line += "  " + pad(cells[row][col], widths[row]);
        out += TrimRight(line) + "\n";
    }
    if (names.empty())
        out += "(no products)\n";

    // The general settings, as the launcher reads them on Windows 10.
    LoadedMenu l = LoadMenuFor(options, *FindPlatform("win10"), *FindArchitecture("x64"), lead);
    const CIniFile& menu = *l.menu;
    out += "\nGeneral settings:\n";
    out += "  Bitmap            " + toUtf8(menu.m_strBitmap) + "\n";
    out += "  DefaultCaption    " + toUtf8(menu.m_strDefaultCaption) + "\n";
    out += "  Copyright         " + toUtf8(menu.m_strCopyright) + "\n";
    out += "  Foreground        " + Hex(menu.m_crForeground) + "\n";
    out += "  Caption           " + std::to_string(ReadStartupInt(options.menuFile, "Caption")) + "\n";
    out += "  MultipleInstances " + std::to_string(ReadStartupInt(options.menuFile, "MultipleInstances")) + "\n";
    out += "  FingerCursor      " + std::to_string(menu.m_bFingerCursor) + "\n";
    out += "  Debug             " + std::to_string(menu.m_bDebug) + "\n";
    out += "  UseImageDpi       " + std::to_string(menu.m_bUseImageDpi) + "\n";
    return out;
}

} // namespace ostrel
