#include "check/menu_lint.h"

#include <algorithm>
#include <map>
#include <set>
#include <unordered_map>

#include "menu/picture_header.h"
#include "check/menu_source.h"
#include "commands/command_path.h"
#include "commands/dispatch.h"
#include "commands/shell_launch.h"
#include "menu/profile_reader.h"
#include "menu/storage.h"
#include "menu/value_rules.h"

namespace ostrel {

const char* SeverityName(Severity severity) {
    switch (severity) {
    case Severity::Error:
        return "error";
    case Severity::Warning:
        return "warning";
    default:
        return "note";
    }
}

namespace {

// The edit distance of a and b when it is at most `limit`, else limit + 1. Only the
// cells near the diagonal can stay within the limit, so long names cost no more than
// their length.
size_t BoundedDistance(const std::string& a, const std::string& b, size_t limit) {
    if (a.size() > b.size() + limit || b.size() > a.size() + limit)
        return limit + 1;
    const size_t cap = limit + 1;
    std::vector<size_t> row(b.size() + 1, cap);
    for (size_t j = 0; j <= std::min(b.size(), limit); ++j)
        row[j] = j;
    for (size_t i = 1; i <= a.size(); ++i) {
        const size_t from = i > limit ? i - limit : 1, to = std::min(b.size(), i + limit);
        size_t diagonal = row[from - 1];
        row[from - 1] = from == 1 ? std::min(i, cap) : cap;
        for (size_t j = from; j <= to; ++j) {
            const size_t above = row[j];
            row[j] = std::min({above + 1, row[j - 1] + 1, diagonal + (a[i - 1] == b[j - 1] ? 0 : 1), cap});
            diagonal = above;
        }
    }
    return row[b.size()];
}

} // namespace

std::string NearestName(const std::string& name, const std::vector<std::string>& known) {
    const std::string upper = UpperAscii(name);
    std::string best;
    size_t bestDistance = 3; // at most two edits away
    for (const std::string& candidate : known) {
        const size_t distance = BoundedDistance(upper, UpperAscii(candidate), bestDistance - 1);
        if (distance < bestDistance) {
            bestDistance = distance;
            best = candidate;
        }
    }
    return best;
}

namespace {

const std::vector<std::string> kGeneralKeys = {
    "Copyright", "Bitmap", "Bitmap16", "Background", "Foreground", "TransparencyColor", "Caption",
    "MultipleInstances", "FingerCursor", "Debug", "UseImageDpi", "DefaultCaption"};
const std::vector<std::string> kLookKeys = {"Rect",        "Bitmap",        "Bitmap16",   "BitmapHi",
                                            "BitmapHi16",  "BitmapPress",   "BitmapPress16", "BitmapMemo",
                                            "BitmapMemo16", "TransparencyColor"};
const std::vector<std::string> kCommandKeys = {"Command",     "PreInstBoxType", "PreInstMessage", "PreInstTitle",
                                               "DefaultDir",  "ExitCode",       "Point",          "PointMemo",
                                               "Hide"};
const std::vector<std::string> kTokens = {"WIN32", "VISTA",   "WINNT",    "WIN2000", "WINXP",
                                          "WIN2003", "WINNT40", "WINNT351", "WIN95",   "DEFAULT"};
const std::vector<std::string> kNtTokens = {"WINNT", "WIN2000", "WINXP", "WIN2003", "WINNT40", "WINNT351"};
const std::vector<std::string> kProcessors = {"INTEL", "X64", "IA64"};
const std::vector<std::string> kBoxTokens = {"MB_OK", "MB_YESNO", "MB_ICONEXCLAMATION", "MB_ICONINFORMATION",
                                             "MB_ICONQUESTION", "MB_ICONSTOP"};
const std::vector<std::string> kKeywords = {"tavexit",     "tavnop",        "tavlinkroot",  "tavlink",
                                            "tavshlexfile", "tavshlexurl",  "tavshlexrunas", "tavshlex",
                                            "tavcreateprocess"};

bool Contains(const std::vector<std::string>& names, const std::string& name,
              const LeadByteTable& lead = LeadByteTable()) {
    return std::any_of(names.begin(), names.end(), [&](const std::string& n) { return SameName(n, name, lead); });
}

struct Box {
    int left, top, width, height;
    bool Overlaps(const Box& o) const {
        // Hot areas include both edges.
        return left <= o.left + o.width && o.left <= left + width && top <= o.top + o.height &&
               o.top <= top + height;
    }
};

// Text as a finding quotes it: at most 40 bytes of it.
std::string Quoted(const std::string& text) {
    return "'" + text.substr(0, 40) + (text.size() > 40 ? "..." : "") + "'";
}

// The wide blank of a double-byte code page: dispatch drops it whole after a keyword.
bool WideBlank(const std::string& text, size_t pos, unsigned codePage) {
    const char* blank = codePage == 932                      ? "\x81\x40"
                        : codePage == 950                    ? "\xA1\x40"
                        : codePage == 936 || codePage == 949 ? "\xA1\xA1"
                                                             : nullptr;
    return blank && text.compare(pos, 2, blank) == 0;
}

class Linter {
public:
    Linter(const CheckOptions& options, const LeadByteTable& lead, FileProbe& files, const std::string& text)
        : m_options(options), m_lead(lead), m_files(files), m_source(text, lead) {}

    std::vector<Finding> Run() {
        CheckHeaders();
        CheckGeneral();
        CheckProductList();
        IndexSections();
        for (size_t row = 0; row < m_products.size(); ++row)
            CheckProduct(row);
        CheckSections();
        CheckOverlaps();
        // Each finding once (a product named twice is checked twice), in the order found
        // within a line.
        std::vector<size_t> order(m_findings.size());
        for (size_t i = 0; i < order.size(); ++i)
            order[i] = i;
        std::sort(order.begin(), order.end(), [this](size_t a, size_t b) {
            const Finding &x = m_findings[a], &y = m_findings[b];
            return x.line != y.line         ? x.line < y.line
                   : x.message != y.message ? x.message < y.message
                                            : a < b;
        });
        std::vector<bool> repeated(order.size());
        for (size_t i = 1; i < order.size(); ++i) {
            const Finding &a = m_findings[order[i - 1]], &b = m_findings[order[i]];
            repeated[order[i]] = a.line == b.line && a.message == b.message;
        }
        std::vector<Finding> findings;
        for (size_t i = 0; i < m_findings.size(); ++i)
            if (!repeated[i])
                findings.push_back(std::move(m_findings[i]));
        std::stable_sort(findings.begin(), findings.end(),
                         [](const Finding& a, const Finding& b) { return a.line < b.line; });
        if (m_dropped > 0)
            findings.push_back(Finding{0, m_droppedSeverity,
                                       std::to_string(m_dropped) + " more findings are not listed: the checker keeps " +
                                           std::to_string(kMostFindings) + " (a menu with this many is broken "
                                                                           "throughout)"});
        return findings;
    }

private:
    // A broken menu can hold a mistake on every one of millions of lines: the list stays
    // of a size any machine can hold, and what it leaves out still counts.
    static constexpr size_t kMostFindings = 100000;

    void Add(int line, Severity severity, const std::string& message) {
        if (m_findings.size() < kMostFindings) {
            m_findings.push_back(Finding{line, severity, message});
            return;
        }
        ++m_dropped;
        if (m_dropped == 1 || severity < m_droppedSeverity)
            m_droppedSeverity = severity;
    }
    size_t m_dropped = 0;
    Severity m_droppedSeverity = Severity::Note;

    // Lines that look like section headers but lack their ']'.
    void CheckHeaders() {
        auto report = [&](const SourceEntry& entry, const std::string& above) {
            Add(entry.line, Severity::Warning,
                Quoted(entry.key + (entry.hasValue ? "=" + entry.value : std::string())) +
                    " has no ']': the launcher starts no section there, so the lines below it " +
                    (above.empty() ? std::string("are not read") : "belong to [" + above + "]"));
        };
        for (const SourceEntry& entry : m_source.Unsectioned())
            report(entry, std::string());
        for (const SourceSection& section : m_source.Sections())
            for (const SourceEntry& entry : section.entries)
                if (entry.headerWithoutEnd)
                    report(entry, section.name);
    }

    // For each section, the product whose platform section it is by name (the longest
    // name before a dot), and which products have sections for one processor.
    void IndexSections() {
        size_t longest = 0;
        for (size_t i = 0; i < m_products.size(); ++i) {
            m_productIndex.emplace(FoldProfileName(m_products[i], m_lead), i);
            longest = std::max(longest, m_products[i].size());
        }
        m_processorSpecific.assign(m_products.size(), false);
        for (const SourceSection& section : m_source.Sections()) {
            const std::string folded = FoldProfileName(section.name, m_lead);
            size_t owner = m_products.size();
            for (size_t dot = folded.find('.'); dot != std::string::npos && dot <= longest;
                 dot = folded.find('.', dot + 1)) {
                auto product = m_productIndex.find(folded.substr(0, dot));
                if (product == m_productIndex.end())
                    continue;
                owner = product->second;
                // Sections for one processor (such as [P.WINNT.X64]) leave the product out
                // on the others on purpose.
                size_t next = dot + 1 < folded.size() ? folded.find('.', dot + 1) : std::string::npos;
                if (next != std::string::npos && Contains(kProcessors, section.name.substr(next + 1)))
                    m_processorSpecific[owner] = true;
            }
            m_sectionOwner.push_back(owner);
        }
    }

    int LineOf(const std::string& section, const std::string& key) const {
        const SourceEntry* entry = m_source.Find(section, key);
        if (entry)
            return entry->line;
        const SourceSection* found = m_source.Find(section);
        return found ? found->line : 0;
    }

    // A picture the menu names: is it there, and is it a picture? Its size when known.
    bool CheckPicture(const std::string& section, const std::string& key, const std::string& path, int& width,
                      int& height) {
        width = height = 0;
        if (path.empty() || !m_files.Knows(path))
            return false;
        int line = LineOf(section, key);
        if (!m_files.IsFile(path)) {
            Add(line, Severity::Error, key + " picture '" + path + "' of [" + section + "] does not exist");
            return false;
        }
        ImageHeader header;
        if (!m_files.Read(path, [&](std::uint64_t size, const ReadBytes& read) {
                header = ReadImageHeader(read, size, /*checkWhole*/ true);
            })) {
            Add(line, Severity::Error,
                key + " '" + path + "' of [" + section + "] cannot be opened: the launcher shows no picture there");
            return false;
        }
        if (!header.recognised) {
            Add(line, Severity::Error, key + " '" + path + "' of [" + section + "] is not a picture the launcher can read");
            return false;
        }
        if (header.tooLarge) {
            Add(line, Severity::Error,
                key + " '" + path + "' of [" + section + "] is " + std::to_string(header.width) + " x " +
                    std::to_string(header.height) + ", over the launcher's limit of 16,384 pixels a side and " +
                    "64 megapixels: it shows no picture there");
            return false;
        }
        if (header.truncated) {
            Add(line, Severity::Error,
                key + " '" + path + "' of [" + section +
                    "] ends before its picture does: the launcher shows no picture there");
            return false;
        }
        if (!header.sizeKnown)
            return false;
        width = static_cast<int>(header.width);
        height = static_cast<int>(header.height);
        return true;
    }

    void NoteLineWithoutValue(const SourceEntry& entry, const SourceSection& section) {
        Add(entry.line, Severity::Warning,
            Quoted(entry.key) + " in [" + section.name + "] has no '=': the launcher does not read it");
    }

    void CheckKeys(const SourceSection& section, const std::vector<std::string>& known, const std::string& what) {
        for (const SourceEntry& entry : section.entries) {
            if (entry.headerWithoutEnd)
                continue;
            if (!entry.hasValue) {
                NoteLineWithoutValue(entry, section);
                continue;
            }
            if (entry.rawLength > 1023)
                Add(entry.line, Severity::Warning,
                    entry.key + " in [" + section.name + "] is longer than 1,023 characters: the launcher cuts it");
            if (Contains(known, entry.key))
                continue;
            std::string nearest = NearestName(entry.key, known);
            Add(entry.line, Severity::Warning,
                "unknown key " + entry.key + " in " + what +
                    (nearest.empty() ? std::string(": it is not read") : ": did you mean " + nearest + "?"));
        }
    }

    void CheckGeneral() {
        const SourceSection* general = m_source.Find("General");
        if (general)
            CheckKeys(*general, kGeneralKeys, "[General]");
        LoadedMenu l = LoadMenuFor(m_options, *FindPlatform("win10"), *FindArchitecture("x64"), m_lead);
        if (l.menu->m_bLoaded != 1) {
            Add(LineOf("General", "Bitmap"), Severity::Error,
                "no background picture (Bitmap in [General]): the launcher will not open");
            return;
        }
        m_useImageDpi = l.menu->m_bUseImageDpi != 0;
        int width = 0, height = 0;
        if (CheckPicture("General", "Bitmap", l.menu->m_strBitmap, width, height)) {
            m_backgroundWidth = std::max(width, 400);
            m_backgroundHeight = std::max(height, 100);
        }
    }

    void CheckProductList() {
        m_products = ProductNames(m_options.menuFile);
        bool loaded = false;
        m_cells = MatrixCells(m_options, m_lead, m_products, loaded);
        const SourceSection* list = m_source.Find("Products");
        if (!list)
            return;
        size_t used = 0;
        for (const SourceEntry& entry : list->entries) {
            if (entry.headerWithoutEnd && !entry.hasValue)
                continue;
            if (!entry.hasValue) {
                NoteLineWithoutValue(entry, *list);
                continue;
            }
            used += entry.key.size() + 1;
            if (used <= 349)
                continue;
            bool cut = used - entry.key.size() - 1 < 348;
            Add(entry.line, Severity::Error,
                "the product list is longer than 348 characters: " + entry.key +
                    (cut ? " is cut short and its sections are not found" : " is not loaded"));
        }
    }

    void CheckProduct(size_t row) {
        const std::string& product = m_products[row];
        const int listLine = LineOf("Products", product);
        std::string list;
        if (const SourceEntry* entry = m_source.Find("Products", product))
            list = UpperAscii(entry->value);
        if (list.find("WIN16") != std::string::npos)
            Add(listLine, Severity::Warning, product + ": WIN16 never matches, the launcher runs only on 32-bit Windows");

        // Where it is left out.
        const std::vector<MatrixColumn> columns = MatrixColumns();
        std::vector<std::string> missing;
        bool anywhere = false;
        for (size_t col = 0; col < columns.size(); ++col)
            anywhere = anywhere || !m_cells[row][col].empty();
        if (!anywhere) {
            Add(listLine, Severity::Error, product + " is left out on every platform: no platform section is chosen for it");
        } else if (!list.empty()) {
            const bool processorSpecific = m_processorSpecific[row];
            for (const PlatformInfo& platform : Platforms()) {
                if (!Names(list, platform) || (processorSpecific && platform.ntFamily))
                    continue;
                bool served = false;
                for (size_t col = 0; col < columns.size(); ++col)
                    served = served || (columns[col].platform == &platform && !m_cells[row][col].empty());
                if (!served)
                    missing.push_back(platform.name);
            }
            if (!missing.empty()) {
                std::string names;
                for (const std::string& name : missing)
                    names += (names.empty() ? "" : ", ") + name;
                Add(listLine, Severity::Note, product + " is left out on " + names + ", which its platform list names");
            }
        }

        // Its own section: the look, and the command keys when the list is empty.
        const SourceSection* own = m_source.Find(product);
        if (!own) {
            Add(listLine, Severity::Warning, product + " has no section [" + product + "]: every key takes its default");
        } else {
            for (const SourceEntry& entry : own->entries) {
                if (entry.hasValue && !list.empty() && Contains(kCommandKeys, entry.key))
                    Add(entry.line, Severity::Warning,
                        entry.key + " in [" + own->name + "] is not read: " + product +
                            " has a platform list, so its command keys come from its platform sections");
            }
            std::vector<std::string> known = kLookKeys;
            known.insert(known.end(), kCommandKeys.begin(), kCommandKeys.end());
            CheckKeys(*own, known, "[" + own->name + "]");
        }

        // Its pictures and hot area.
        const bool rect = m_source.Find(product, "Rect") != nullptr;
        int size[4][2] = {};
        bool known[4] = {};
        const char* keys[] = {"Bitmap", "BitmapHi", "BitmapPress", "BitmapMemo"};
        Storage storage(m_options.menuFile);
        for (int i = 0; i < 4; ++i) {
            std::string path = ReadImagePath(storage, keys[i], product, 32, m_options.menuDir, m_lead);
            if (rect && i < 3) {
                if (!path.empty())
                    Add(LineOf(product, keys[i]), Severity::Warning,
                        std::string(keys[i]) + " in [" + product + "] is not read: Rect is given, so the choice has no pictures of its own");
                continue;
            }
            known[i] = CheckPicture(product, keys[i], path, size[i][0], size[i][1]);
        }
        for (int i = 1; i < 3; ++i)
            if (known[0] && known[i] && (size[i][0] != size[0][0] || size[i][1] != size[0][1]))
                Add(LineOf(product, keys[i]), Severity::Warning,
                    std::string(keys[i]) + " of " + product + " is " + Dimensions(size[i]) + ", its normal picture " +
                        Dimensions(size[0]) + ": the looks will not line up");

        // Commands and geometry, in each section the product takes somewhere.
        std::set<std::string> sections(m_cells[row].begin(), m_cells[row].end());
        sections.erase(std::string());
        for (const std::string& section : sections) {
            Point rectPair = ParsePair(rect ? m_source.Find(product, "Rect")->value : "0,0", ",");
            Box box{0, 0, rect ? rectPair.x : size[0][0], rect ? rectPair.y : size[0][1]};
            std::string point, memo;
            storage.ReadString(point, "0,0", "Point", section);
            storage.ReadString(memo, "0,0", "PointMemo", section);
            Point p = ParsePair(point, ","), m = ParsePair(memo, ",");
            box.left = p.x;
            box.top = p.y;
            const bool sized = rect || known[0] || m_source.Find(product, "Bitmap") == nullptr;
            if (sized && box.width == 0 && box.height == 0)
                Add(LineOf(section, "Point"), Severity::Warning,
                    product + " has a hot area of 0 x 0: it has no picture and no Rect, so it cannot be clicked");
            else if (sized)
                CheckInside(section, "Point", product, box);
            if (known[3])
                CheckInside(section, "PointMemo", product + "'s memo picture", Box{m.x, m.y, size[3][0], size[3][1]});
            if (sized)
                m_hotSize[product] = Box{0, 0, box.width, box.height};
            CheckCommand(section, storage);
        }
    }

    static bool Names(const std::string& list, const PlatformInfo& platform) {
        auto has = [&](const char* token) { return list.find(token) != std::string::npos; };
        const unsigned major = platform.version & 0xFF, minor = (platform.version >> 8) & 0xFF;
        const bool win9x = (platform.version & 0x80000000u) && major >= 4;
        if (has("WIN32") && (win9x || platform.ntFamily))
            return true;
        if (has("WIN95") && win9x)
            return true;
        if (has("VISTA") && major == 6 && minor == 0)
            return true;
        return platform.ntFamily && (has("WINNT") || has("WIN2000") || has("WINXP") || has("WIN2003"));
    }

    static std::string Dimensions(const int size[2]) {
        return std::to_string(size[0]) + " x " + std::to_string(size[1]);
    }

    void CheckInside(const std::string& section, const char* key, const std::string& what, Box box) {
        if (m_backgroundWidth == 0 || m_useImageDpi)
            return;
        if (box.left < 0 || box.top < 0 || box.left + box.width > m_backgroundWidth ||
            box.top + box.height > m_backgroundHeight)
            Add(LineOf(section, key), Severity::Warning,
                what + " at " + std::to_string(box.left) + "," + std::to_string(box.top) + " (" +
                    std::to_string(box.width) + " x " + std::to_string(box.height) +
                    ") reaches outside the window of " + std::to_string(m_backgroundWidth) + " x " +
                    std::to_string(m_backgroundHeight));
    }

    void CheckCommand(const std::string& section, Storage& storage) {
        std::string command, type, message, title;
        storage.ReadString(command, "", "Command", section);
        storage.ReadString(type, "", "PreInstBoxType", section);
        storage.ReadString(message, "", "PreInstMessage", section);
        storage.ReadString(title, "", "PreInstTitle", section);
        const int line = LineOf(section, "Command");

        if (message.empty() != title.empty())
            Add(LineOf(section, message.empty() ? "PreInstTitle" : "PreInstMessage"), Severity::Warning,
                "[" + section + "] has a PreInst" + (message.empty() ? "Title" : "Message") + " but no PreInst" +
                    (message.empty() ? "Message" : "Title") + ": no box shows before the command");
        for (size_t pos = 0; pos < type.size();) {
            size_t end = type.find_first_not_of("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz_0123456789", pos);
            std::string word = type.substr(pos, end == std::string::npos ? std::string::npos : end - pos);
            pos = end == std::string::npos ? type.size() : end + 1;
            if (word.empty() || std::find(kBoxTokens.begin(), kBoxTokens.end(), word) != kBoxTokens.end())
                continue;
            bool lower = Contains(kBoxTokens, word);
            Add(LineOf(section, "PreInstBoxType"), Severity::Warning,
                "PreInstBoxType token " + word + (lower ? " must be written in capitals (" + UpperAscii(word) + ")"
                                                       : " is unknown: use MB_OK, MB_YESNO or an MB_ICON... token"));
        }

        if (command.empty())
            return;
        const std::string lower = ToLowerAnsi(command, m_lead);
        for (const std::string& keyword : kKeywords) {
            if (lower.compare(0, keyword.size(), keyword) != 0)
                continue;
            // A mistaken keyword runs as a program: that one finding says it all.
            if (command.compare(0, keyword.size(), keyword) != 0) {
                Add(line, Severity::Error,
                    "'" + command.substr(0, keyword.size()) + "' is not the keyword " + keyword +
                        ": keywords are lower case, so this runs as a program" +
                        (keyword == "tavexit" ? " and Escape does not close the menu" : ""));
                return;
            }
            if ((keyword == "tavexit" || keyword == "tavnop") && command != keyword) {
                Add(line, Severity::Error,
                    Quoted(command) + " is not the keyword " + keyword +
                        ": text after it makes it a program to run");
                return;
            }
            break;
        }

        const CommandWord word = RecogniseCommand(command);
        const std::string argument = CommandArgument(command, word, m_lead);
        const std::string base = m_options.baseDir;
        const std::string cwd = base.size() > 1 ? base.substr(0, base.size() - 1) : base;
        if (word.keyword && word.kind != CommandKind::Exit && word.kind != CommandKind::Nop) {
            const size_t end = std::string(word.keyword).size();
            if (end < command.size() && command[end] != ' ' && command[end] != '\t' &&
                !WideBlank(command, end, m_options.codePage)) {
                const CommandKind kind = word.kind;
                const bool opens = kind == CommandKind::ShellFile || kind == CommandKind::ShellUrl;
                const char* does = kind == CommandKind::Link       ? "shows the menu"
                                   : kind == CommandKind::LinkRoot ? "moves to"
                                   : opens                         ? "opens"
                                                                   : "starts";
                Add(line, Severity::Error,
                    Quoted(command) + " has no blank after " + word.keyword +
                        ": the launcher drops the keyword and the one character after it, '" +
                        command.substr(end, CharLength(command, end, m_lead)) + "', so it " + does + " '" +
                        argument + "'");
                return;
            }
        }
        if (word.kind == CommandKind::ProgramLine && command.compare(0, 2, "\\\\") != 0) {
            const SplitCommand written = SplitCommandLine(command, m_lead);
            const std::string program = written.directory + written.file;
            const bool asWritten = FindText(lower, "tavlink", m_lead) != std::string::npos;
            // [*CWD*] still becomes the launcher's folder when the command runs; a '%' stays.
            const std::string runs = ExpandCwd(program, cwd);
            // A path from the drive's root ("\\tools\\x.exe") is no search either.
            const bool searched = command[0] == '%' || (FindChar(runs, ':', m_lead) == std::string::npos &&
                                                        !runs.empty() && runs[0] != '\\');
            if (asWritten && searched) {
                const std::string instead = command[0] == '%'
                                                ? ": the '%' that asks for that search stays in the name"
                                                : ", not for '" + ResolveAgainst(program, base, m_lead) + "'";
                Add(line, Severity::Warning,
                    Quoted(command) + " holds tavlink, so the launcher leaves it as written: Windows looks for '" +
                        program + "' itself (in the launcher's folder, then the current and system folders and " +
                        "PATH)" + instead);
                return;
            }
            if (!asWritten && command[0] != '%' && program.compare(0, 7, "[*CWD*]") == 0) {
                Add(line, Severity::Error,
                    "[*CWD*] at the start of a program is made absolute against '" + base +
                        "' when the menu loads, before it is replaced: the launcher runs '" +
                        ExpandCwd(ResolveCommandPath(command, base, m_lead), cwd) + "'; write %" + command +
                        " to have it replaced first");
                return;
            }
        }
        std::string launchFile, parameters;
        SplitLaunchFile(ExpandCwd(argument, cwd), launchFile, parameters);
        if (launchFile.size() >= 2 && launchFile.front() == '"' && launchFile.back() == '"')
            launchFile = launchFile.substr(1, launchFile.size() - 2);
        switch (word.kind) {
        case CommandKind::Shell:
        case CommandKind::ShellRunAs:
            CheckTarget(line, "program", ResolveAgainst(launchFile, base, m_lead));
            break;
        case CommandKind::ShellFile:
            CheckTarget(line, "document", base + launchFile);
            break;
        case CommandKind::ProgramLine: {
            if (command[0] == '%')
                break;
            SplitCommand split = SplitCommandLine(ResolveCommandPath(command, base, m_lead), m_lead);
            CheckTarget(line, "program", ExpandCwd(split.directory + split.file, cwd));
            break;
        }
        case CommandKind::Link:
            CheckTarget(line, "menu file", ResolveAgainst(argument, m_options.menuDir, m_lead));
            break;
        case CommandKind::LinkRoot: {
            std::string folder = argument == ".." ? ParentDirectory(base, m_lead)
                                 : argument.empty() ? base
                                                    : base + argument + (argument.back() == '\\' ? "" : "\\");
            if (m_files.Knows(folder + "ostrel.ini") && !m_files.IsFile(folder + "Ostrel\\ostrel.ini") &&
                !m_files.IsFile(folder + "ostrel.ini"))
                Add(line, Severity::Error, "tavlinkroot finds no menu in '" + folder + "' (nor in its Ostrel folder)");
            break;
        }
        default:
            break;
        }
    }

    void CheckTarget(int line, const char* what, const std::string& path) {
        if (path.empty() || !m_files.Knows(path) || m_files.IsFile(path))
            return;
        Add(line, Severity::Error, std::string("the ") + what + " '" + path + "' does not exist");
    }

    void CheckSections() {
        std::vector<std::string> known = {"General", "Products"};
        known.insert(known.end(), m_products.begin(), m_products.end());
        for (size_t i = 0; i < m_source.Sections().size(); ++i) {
            const SourceSection& section = m_source.Sections()[i];
            const std::string& name = section.name;
            if (SameName(name, "General") || SameName(name, "Products") ||
                m_productIndex.count(FoldProfileName(name, m_lead)))
                continue;
            if (m_sectionOwner[i] == m_products.size()) {
                std::string nearest = NearestName(name, known);
                Add(section.line, Severity::Warning,
                    "unknown section [" + name + "]" +
                        (nearest.empty() ? std::string(": no product has this name") : ": did you mean [" + nearest + "]?"));
                continue;
            }
            CheckPlatformSection(section, m_products[m_sectionOwner[i]]);
        }
    }

    void CheckPlatformSection(const SourceSection& section, const std::string& product) {
        const std::string rest = UpperAscii(section.name.substr(product.size() + 1));
        const std::string token = rest.substr(0, rest.find('.'));
        const bool hasProcessor = rest.find('.') != std::string::npos;
        const std::string processor = hasProcessor ? rest.substr(rest.find('.') + 1) : std::string();
        std::string list;
        if (const SourceEntry* entry = m_source.Find("Products", product))
            list = UpperAscii(entry->value);
        std::string why;
        if (!Contains(kTokens, token))
            why = token + " is no platform token" +
                  (NearestName(token, kTokens).empty() ? std::string() : " (did you mean " + NearestName(token, kTokens) + "?)");
        else if (hasProcessor && !Contains(kNtTokens, token))
            why = "only the Windows NT tokens take a processor";
        else if (hasProcessor && !processor.empty() && !Contains(kProcessors, processor))
            why = processor + " is no processor name: use INTEL, X64 or IA64";
        else if (list.find(token) == std::string::npos)
            why = product + "'s platform list does not name " + token;
        else if (hasProcessor && m_source.Find(product + "." + token, "Command"))
            why = "[" + product + "." + token + "] has a Command, so the launcher never looks further";
        if (!why.empty())
            Add(section.line, Severity::Warning, "[" + section.name + "] is never chosen: " + why);
        std::vector<std::string> known = kCommandKeys;
        for (const SourceEntry& entry : section.entries)
            if (entry.hasValue && Contains(kLookKeys, entry.key))
                Add(entry.line, Severity::Warning,
                    entry.key + " in [" + section.name + "] is not read: pictures and Rect come from [" + product + "]");
        known.insert(known.end(), kLookKeys.begin(), kLookKeys.end());
        CheckKeys(section, known, "[" + section.name + "]");
    }

    // Overlaps as the menu stands on 64-bit Windows 10.
    void CheckOverlaps() {
        LoadedMenu l = LoadMenuFor(m_options, *FindPlatform("win10"), *FindArchitecture("x64"), m_lead);
        std::vector<std::pair<std::string, Box>> boxes;
        for (int i = 0; i < l.menu->GetCount(); ++i) {
            const CChoice& choice = *l.menu->GetAt(i);
            auto size = m_hotSize.find(choice.m_strProduct);
            if (size == m_hotSize.end() || (size->second.width == 0 && size->second.height == 0))
                continue;
            boxes.push_back({choice.m_strProduct,
                             Box{choice.m_ptPoint.x, choice.m_ptPoint.y, size->second.width, size->second.height}});
        }
        for (size_t i = 0; i < boxes.size(); ++i)
            for (size_t j = i + 1; j < boxes.size(); ++j)
                if (boxes[i].second.Overlaps(boxes[j].second))
                    Add(LineOf("Products", boxes[j].first), Severity::Note,
                        boxes[i].first + " and " + boxes[j].first + " overlap: a click there runs " + boxes[i].first +
                            ", while the pointer there shows " + boxes[j].first + " hovered");
    }

    const CheckOptions& m_options;
    const LeadByteTable& m_lead;
    FileProbe& m_files;
    MenuSource m_source;
    std::vector<std::string> m_products;
    std::unordered_map<std::string, size_t> m_productIndex; // folded name to its row
    std::vector<bool> m_processorSpecific;                  // by row
    std::vector<size_t> m_sectionOwner; // by section: the row of its product, or m_products.size()
    std::vector<std::vector<std::string>> m_cells;
    std::map<std::string, Box> m_hotSize;
    int m_backgroundWidth = 0;
    int m_backgroundHeight = 0;
    bool m_useImageDpi = false;
    std::vector<Finding> m_findings;
};

} // namespace

std::vector<Finding> LintMenu(const CheckOptions& options, const LeadByteTable& lead, FileProbe& files,
                              const std::string& text) {
    return Linter(options, lead, files, text).Run();
}

} // namespace ostrel
