#include "commands/command_path.h"

namespace ostrel {

namespace {
bool StartsWith(const std::string& text, const char* prefix) { return text.rfind(prefix, 0) == 0; }
} // namespace

CommandWord RecogniseCommand(const std::string& command) {
    if (command.empty())
        return {CommandKind::Empty, nullptr};
    if (command == "tavexit")
        return {CommandKind::Exit, "tavexit"};
    if (command == "tavnop")
        return {CommandKind::Nop, "tavnop"};
    // Longer keywords first: each shorter one is a prefix of them.
    static const CommandWord kPrefixed[] = {
        {CommandKind::LinkRoot, "tavlinkroot"},   {CommandKind::Link, "tavlink"},
        {CommandKind::ShellFile, "tavshlexfile"}, {CommandKind::ShellUrl, "tavshlexurl"},
        {CommandKind::ShellRunAs, "tavshlexrunas"}, {CommandKind::Shell, "tavshlex"},
        {CommandKind::CreateProcess, "tavcreateprocess"},
    };
    for (const CommandWord& word : kPrefixed) {
        if (StartsWith(command, word.keyword))
            return word;
    }
    return {CommandKind::ProgramLine, nullptr};
}

std::string CommandArgument(const std::string& command, const CommandWord& word, const LeadByteTable& lead) {
    if (!word.keyword)
        return command;
    size_t start = std::string(word.keyword).size();
    if (start >= command.size())
        return std::string();
    start += CharLength(command, start, lead);
    return start < command.size() ? command.substr(start) : std::string();
}

SplitCommand SplitCommandLine(const std::string& command, const LeadByteTable& lead) {
    const bool quoted = !command.empty() && command[0] == '"';
    size_t parameters = command.size();
    std::string program;
    for (size_t pos = quoted ? 1 : 0; pos < command.size();) {
        size_t len = CharLength(command, pos, lead);
        if (len == 1 && command[pos] == ' ' && !quoted) {
            parameters = pos + 1;
            break;
        }
        if (len == 1 && command[pos] == '"') {
            // The quote and the one character after it, normally a blank.
            parameters = pos + 1 < command.size() ? pos + 1 + CharLength(command, pos + 1, lead) : command.size();
            break;
        }
        program.append(command, pos, len);
        pos += len;
    }
    SplitCommand split;
    size_t last = FindLastChar(program, '\\', lead);
    if (last == std::string::npos) {
        split.file = program;
    } else {
        split.directory = program.substr(0, last + 1);
        split.file = program.substr(last + 1);
    }
    if (parameters < command.size())
        split.parameters = command.substr(parameters);
    return split;
}

std::string ResolveCommandPath(const std::string& command, const std::string& baseDir, const LeadByteTable& lead) {
    if (command.empty())
        return command;
    const std::string lower = ToLowerAnsi(command, lead);
    if (lower == "tavexit" || lower == "tavnop" || FindText(lower, "tavlink", lead) != std::string::npos ||
        StartsWith(lower, "tavshlex") || StartsWith(lower, "tavcreateprocess") || StartsWith(command, "\\\\"))
        return command;
    SplitCommand split = SplitCommandLine(command, lead);
    if (command[0] == '%')
        return command.substr(1);
    std::string& dir = split.directory;
    if (FindChar(dir, ':', lead) == std::string::npos) {
        if (dir.empty())
            dir = baseDir;
        else if (dir[0] == '\\')
            dir = baseDir.substr(0, 2) + dir;
        else
            dir = baseDir + dir;
    }
    std::string program = dir + split.file;
    if (FindChar(dir, ' ', lead) != std::string::npos || FindChar(split.file, ' ', lead) != std::string::npos)
        program = "\"" + program + "\"";
    return split.parameters.empty() ? program : program + " " + split.parameters;
}

} // namespace ostrel
