#include "app/mCommandLine.h"

#include "podlist/Session.h"
#include "shell/Text.h"

namespace marvok::mCommandLine {
namespace {

std::string WithoutTabsAndNuls(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (char c : text) {
        if (c != '\t' && c != '\0') {
            out += c;
        }
    }
    return out;
}

// The operator word and its argument, once split.
bool Interpret(const Session& session, std::string_view word, std::string_view argument,
               std::string& op, std::string& file) {
    const std::string lowered = text::LowerCase(text::TrimLeft(word, " "));
    const char letter = lowered.empty() ? '\0' : lowered.front();
    switch (letter) {
        case 'o': op = "open"; break;
        case 'i': op = "install"; break;
        case 'd': op = "desktop"; break;
        default: op = "no operator"; return false;
    }
    if (!text::EndsWithIgnoringCase(text::TrimRight(argument, " "), ".ini")) {
        return false;
    }
    file = text::Trim(argument, " ");
    return session.FileExists(file);
}

}  // namespace

bool ParseCommandLine(const Session& session, std::string_view raw, std::string& op,
                      std::string& file) {
    const std::string text = WithoutTabsAndNuls(raw);
    if (text.find('/') == std::string::npos || text.find(' ') == std::string::npos) {
        return false;
    }
    const auto first = text.find('/');
    const auto second = text.find('/', first + 1);
    const std::string piece = text.substr(first + 1, second == std::string::npos
                                                         ? std::string::npos
                                                         : second - first - 1);
    const auto space = piece.find(' ');
    if (space == std::string::npos) {
        return false;
    }
    return Interpret(session, piece.substr(0, space), piece.substr(space + 1), op, file);
}

bool ParseArguments(const Session& session, const std::vector<std::string>& arguments,
                    std::string& op, std::string& file) {
    if (arguments.size() < 2) {
        return false;
    }
    const std::string word = WithoutTabsAndNuls(arguments[0]);
    if (word.empty() || word.front() != '/') {
        return false;
    }
    std::string argument;
    for (std::size_t i = 1; i < arguments.size(); ++i) {
        if (i > 1) {
            argument += ' ';
        }
        argument += WithoutTabsAndNuls(arguments[i]);
    }
    return Interpret(session, word.substr(1), argument, op, file);
}

bool ParseCommandLine(const Session& session, const platform::CommandLineInput& input,
                      std::string& op, std::string& file) {
    if (input.rawText) {
        return ParseCommandLine(session, *input.rawText, op, file);
    }
    return ParseArguments(session, input.arguments, op, file);
}

}  // namespace marvok::mCommandLine
