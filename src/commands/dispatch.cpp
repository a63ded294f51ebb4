#include "commands/dispatch.h"

#include "commands/command_path.h"
#include "commands/shell_launch.h"

namespace ostrel {

std::string ExpandCwd(const std::string& text, const std::string& cwd) {
    static const std::string kPlaceholder = "[*CWD*]";
    std::string result;
    size_t pos = 0;
    for (size_t at; (at = text.find(kPlaceholder, pos)) != std::string::npos; pos = at + kPlaceholder.size())
        result.append(text, pos, at - pos).append(cwd);
    return result.append(text, pos, std::string::npos);
}

unsigned PreInstallBoxType(const std::string& tokens) {
    if (tokens.empty())
        return kMbYesNo;
    static const struct {
        const char* token;
        unsigned bits;
    } kTokens[] = {
        {"MB_OK", kMbOk},
        {"MB_YESNO", kMbYesNo},
        {"MB_ICONEXCLAMATION", kMbIconExclamation},
        {"MB_ICONINFORMATION", kMbIconInformation},
        {"MB_ICONQUESTION", kMbIconQuestion},
        {"MB_ICONSTOP", kMbIconError},
    };
    unsigned type = 0;
    for (const auto& entry : kTokens) {
        if (tokens.find(entry.token) != std::string::npos)
            type |= entry.bits;
    }
    return type;
}

std::string WithLineFeeds(const std::string& text, const LeadByteTable& lead) {
    std::string result;
    for (size_t pos = 0; pos < text.size();) {
        size_t len = CharLength(text, pos, lead);
        if (len == 1 && text[pos] == '\\' && pos + 1 < text.size() && text[pos + 1] == 'n') {
            result += '\n';
            pos += 2;
            continue;
        }
        result.append(text, pos, len);
        pos += len;
    }
    return result;
}

std::string ParentDirectory(std::string directory, const LeadByteTable& lead) {
    if (!directory.empty() && FindLastChar(directory, '\\', lead) == directory.size() - 1)
        directory.pop_back();
    return DirectoryPart(directory, lead);
}

namespace {

// A link that leads nowhere leaves the user on the menu they are on, told why.
void ReportLinkNowhere(DispatchContext& context, const std::string& path) {
    const LeadByteTable& lead = context.system.LeadBytes();
    size_t shown = 0;
    while (shown < path.size() && shown < 400)
        shown += CharLength(path, shown, lead);
    context.system.ShowBox(BoxOwner::Launcher,
                           "Cannot open the menu " + path.substr(0, shown) + (shown < path.size() ? "..." : "") +
                               ": the file is missing or names no background picture (Bitmap in [General]).",
                           "Error", kMbIconError);
}

void Link(const std::string& argument, DispatchContext& context) {
    const std::string path = ResolveAgainst(argument, context.menuDir, context.system.LeadBytes());
    if (!context.host.ReloadMenuFile(path))
        ReportLinkNowhere(context, path);
}

void LinkRoot(const std::string& argument, DispatchContext& context) {
    const LeadByteTable& lead = context.system.LeadBytes();
    const std::string baseDir = context.baseDir, menuDir = context.menuDir, cwd = context.cwd;
    if (argument == "..") {
        context.baseDir = ParentDirectory(context.baseDir, lead);
    } else if (!argument.empty()) {
        std::string folder = argument;
        if (FindLastChar(folder, '\\', lead) != folder.size() - 1)
            folder += '\\';
        context.baseDir += folder;
    }
    context.cwd = context.baseDir;
    std::string path = context.host.LocateMenu("", context.baseDir);
    context.menuDir = DirectoryPart(path, lead);
    if (!context.host.ReloadMenuFile(path)) {
        context.baseDir = baseDir;
        context.menuDir = menuDir;
        context.cwd = cwd;
        ReportLinkNowhere(context, path);
    }
}

int ShellStart(CChoice& choice, DispatchContext& context, unsigned kind, const std::string& argument) {
    unsigned flags = kind;
    if (context.debug == 1)
        flags |= ORBSHLEX_DEBUG;
    if (choice.m_bHide == 1)
        flags |= ORBSHLEX_HIDE;
    bool started = ShellLaunch(context.system, flags, ExpandCwd(argument, context.cwd), choice.m_strDefaultDir,
                               context.baseDir);
    return started && choice.m_nExitCode == 1 ? 1 : 0;
}

} // namespace

int ExecuteChoice(CChoice& choice, DispatchContext& context) {
    System& system = context.system;
    if (!choice.m_strPreInstMessage.empty() && !choice.m_strPreInstTitle.empty()) {
        unsigned type = PreInstallBoxType(choice.m_strPreInstBoxType);
        choice.m_strPreInstMessage = WithLineFeeds(choice.m_strPreInstMessage, system.LeadBytes());
        if (system.ShowBox(BoxOwner::Foreground, choice.m_strPreInstMessage, choice.m_strPreInstTitle, type) ==
            kIdNo)
            return 0;
    }

    const std::string& command = choice.m_strCommand;
    const CommandWord word = RecogniseCommand(command);
    const std::string argument = CommandArgument(command, word, system.LeadBytes());
    switch (word.kind) {
    case CommandKind::Empty:
    case CommandKind::Nop:
        return 0;
    case CommandKind::Exit:
        return 1;
    case CommandKind::LinkRoot:
        LinkRoot(argument, context);
        return 0;
    case CommandKind::Link:
        Link(argument, context);
        return 0;
    case CommandKind::ShellUrl:
        return ShellStart(choice, context, ORBSHLEX_URL, argument);
    case CommandKind::ShellFile:
        return ShellStart(choice, context, ORBSHLEX_FILE, argument);
    case CommandKind::ShellRunAs:
        return ShellStart(choice, context, ORBSHLEX_RUNAS, argument);
    case CommandKind::Shell:
        return ShellStart(choice, context, ORBSHLEX_EXE, argument);
    case CommandKind::CreateProcess:
        return ShellStart(choice, context, ORBSHLEX_CREATEPROCESS, argument);
    case CommandKind::ProgramLine:
        break;
    }

    const std::string stored = command; // the box shows it as stored, placeholder and all
    unsigned result = system.WinExec(ExpandCwd(command, context.cwd), kSwShow);
    if (result >= 32)
        return choice.m_nExitCode == 1 ? 1 : 0;
    system.ShowBox(BoxOwner::Launcher,
                      "Error [" + std::to_string(result) + "] executing command:\n " + stored, "Error", kMbIconError);
    return 0;
}

} // namespace ostrel
