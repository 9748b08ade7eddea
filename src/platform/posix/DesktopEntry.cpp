#include "platform/posix/DesktopEntry.h"

namespace marvok::platform::desktop {
namespace {

constexpr std::string_view kReservedInExec = " \t\n\"'\\><~|&;$*?#()`";
constexpr std::string_view kEscapedInQuotes = "\"`$\\";
constexpr std::string_view kFieldCodes = "fFuUdDnNickvm";

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

}  // namespace

std::string QuoteExecArgument(std::string_view argument) {
    const bool quote =
        argument.empty() || argument.find_first_of(kReservedInExec) != std::string_view::npos;
    std::string out;
    if (quote) {
        out += '"';
    }
    for (char c : argument) {
        if (c == '%') {
            out += "%%";
            continue;
        }
        if (quote && kEscapedInQuotes.find(c) != std::string_view::npos) {
            out += '\\';
        }
        out += c;
    }
    if (quote) {
        out += '"';
    }
    return out;
}

std::string ComposeExec(const std::vector<std::string>& arguments) {
    std::string exec;
    for (const auto& argument : arguments) {
        if (!exec.empty()) {
            exec += ' ';
        }
        exec += QuoteExecArgument(argument);
    }
    return exec;
}

std::optional<std::vector<std::string>> ParseExec(std::string_view exec) {
    std::vector<std::string> arguments;
    std::size_t i = 0;
    while (i < exec.size()) {
        while (i < exec.size() && IsBlank(exec[i])) {
            ++i;
        }
        if (i >= exec.size()) {
            break;
        }
        std::string argument;
        bool sawFieldCode = false;
        bool sawText = false;
        const bool quoted = exec[i] == '"';
        bool open = quoted;
        if (quoted) {
            ++i;
        }
        while (i < exec.size() && (open || !IsBlank(exec[i]))) {
            const char c = exec[i];
            const char next = i + 1 < exec.size() ? exec[i + 1] : '\0';
            if (open && c == '"') {
                open = false;
                ++i;
                break;
            }
            if (quoted && c == '\\' && next != '\0' &&
                kEscapedInQuotes.find(next) != std::string_view::npos) {
                argument += next;
                sawText = true;
                i += 2;
                continue;
            }
            if (c == '%' && next == '%') {
                argument += '%';
                sawText = true;
                i += 2;
                continue;
            }
            if (c == '%' && next != '\0' && kFieldCodes.find(next) != std::string_view::npos) {
                sawFieldCode = true;
                i += 2;
                continue;
            }
            argument += c;
            sawText = true;
            ++i;
        }
        if (open) {
            return std::nullopt;
        }
        // An argument made of field codes alone stands for files that are not passed here.
        if (sawFieldCode && !sawText) {
            continue;
        }
        arguments.push_back(std::move(argument));
    }
    return arguments;
}

std::string EscapeValue(std::string_view value) {
    std::string out;
    for (std::size_t i = 0; i < value.size(); ++i) {
        const char c = value[i];
        switch (c) {
            case '\\':
                out += "\\\\";
                break;
            case '\n':
                out += "\\n";
                break;
            case '\t':
                out += "\\t";
                break;
            case '\r':
                out += "\\r";
                break;
            case ' ':
                out += i == 0 ? "\\s" : " ";
                break;
            default:
                out += c;
        }
    }
    return out;
}

std::string UnescapeValue(std::string_view value) {
    std::string out;
    for (std::size_t i = 0; i < value.size(); ++i) {
        if (value[i] != '\\' || i + 1 == value.size()) {
            out += value[i];
            continue;
        }
        switch (value[i + 1]) {
            case 's':
                out += ' ';
                break;
            case 'n':
                out += '\n';
                break;
            case 't':
                out += '\t';
                break;
            case 'r':
                out += '\r';
                break;
            case '\\':
                out += '\\';
                break;
            default:
                // Not a value escape: left for the next reader (Exec quoting, lists).
                out += value[i];
                out += value[i + 1];
        }
        ++i;
    }
    return out;
}

std::map<std::string, std::string> ReadDesktopEntry(std::string_view fileText) {
    std::map<std::string, std::string> keys;
    bool inGroup = false;
    std::size_t pos = 0;
    while (pos < fileText.size()) {
        auto end = fileText.find('\n', pos);
        if (end == std::string_view::npos) {
            end = fileText.size();
        }
        std::string_view line = fileText.substr(pos, end - pos);
        pos = end + 1;
        if (!line.empty() && line.back() == '\r') {
            line.remove_suffix(1);
        }
        if (line.empty() || line.front() == '#') {
            continue;
        }
        if (line.front() == '[') {
            inGroup = line == "[Desktop Entry]";
            continue;
        }
        const auto equals = line.find('=');
        if (!inGroup || equals == std::string_view::npos) {
            continue;
        }
        std::string_view key = line.substr(0, equals);
        std::string_view value = line.substr(equals + 1);
        while (!key.empty() && IsBlank(key.back())) {
            key.remove_suffix(1);
        }
        while (!value.empty() && IsBlank(value.front())) {
            value.remove_prefix(1);
        }
        // The first occurrence of a key counts.
        keys.emplace(std::string(key), UnescapeValue(value));
    }
    return keys;
}

std::string ComposeLauncher(const Launcher& launcher) {
    std::string text = "[Desktop Entry]\nType=Application\nVersion=1.0\n";
    text += "Name=" + EscapeValue(launcher.name) + "\n";
    if (!launcher.comment.empty()) {
        text += "Comment=" + EscapeValue(launcher.comment) + "\n";
    }
    text += "Exec=" + EscapeValue(ComposeExec(launcher.exec)) + "\n";
    if (!launcher.path.empty()) {
        text += "Path=" + EscapeValue(launcher.path) + "\n";
    }
    if (!launcher.icon.empty()) {
        text += "Icon=" + EscapeValue(launcher.icon) + "\n";
    }
    text += "Terminal=false\n";
    return text;
}

std::vector<std::string> SplitWindowsCommandLine(std::string_view text) {
    std::vector<std::string> arguments;
    std::size_t i = 0;
    while (true) {
        while (i < text.size() && IsBlank(text[i])) {
            ++i;
        }
        if (i >= text.size()) {
            break;
        }
        std::string argument;
        bool inQuotes = false;
        while (i < text.size() && (inQuotes || !IsBlank(text[i]))) {
            const char c = text[i];
            if (c == '\\') {
                std::size_t count = 0;
                while (i < text.size() && text[i] == '\\') {
                    ++count;
                    ++i;
                }
                if (i < text.size() && text[i] == '"') {
                    argument.append(count / 2, '\\');
                    if (count % 2 == 1) {
                        argument += '"';
                        ++i;
                    }
                } else {
                    argument.append(count, '\\');
                }
                continue;
            }
            if (c == '"') {
                if (inQuotes && i + 1 < text.size() && text[i + 1] == '"') {
                    argument += '"';
                    i += 2;
                    continue;
                }
                inQuotes = !inQuotes;
                ++i;
                continue;
            }
            argument += c;
            ++i;
        }
        arguments.push_back(std::move(argument));
    }
    return arguments;
}

std::string QuoteWindowsArgument(std::string_view argument) {
    if (!argument.empty() && argument.find_first_of(" \t\n\v\"") == std::string_view::npos) {
        return std::string(argument);
    }
    std::string out = "\"";
    std::size_t backslashes = 0;
    for (char c : argument) {
        if (c == '\\') {
            ++backslashes;
            continue;
        }
        if (c == '"') {
            out.append(backslashes * 2 + 1, '\\');
        } else {
            out.append(backslashes, '\\');
        }
        backslashes = 0;
        out += c;
    }
    // Backslashes before the closing quote are doubled so they do not escape it.
    out.append(backslashes * 2, '\\');
    out += '"';
    return out;
}

std::string JoinWindowsCommandLine(const std::vector<std::string>& arguments) {
    std::string text;
    for (const auto& argument : arguments) {
        if (!text.empty()) {
            text += ' ';
        }
        text += QuoteWindowsArgument(argument);
    }
    return text;
}

}  // namespace marvok::platform::desktop
