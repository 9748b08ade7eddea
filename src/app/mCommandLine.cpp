#include "app/mCommandLine.h"

#include "common/Session.h"
#include "common/Text.h"
#include "shell/mCommonFunctions.h"

namespace marvok::mCommandLine {
namespace {

struct Parsed {
    std::string op;         // as ParseCommandLine hands it back
    std::string requested;  // what the operator word names, even without a file
    std::string file;
    bool usable = false;
    std::string problem;
};

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

std::string OperatorFor(std::string_view word) {
    const std::string lowered = text::LowerCase(text::TrimLeft(word, " "));
    switch (lowered.empty() ? '\0' : lowered.front()) {
        case 'o': return "open";
        case 'i': return "install";
        case 'd': return "desktop";
        default: return "no operator";
    }
}

std::string Problem(const Session& session, std::string_view op, const std::string& file) {
    std::string text;
    if (file.empty()) {
        text = "No pod list file was named (marvok /" + std::string(op) + " <list>.ini).";
    } else if (!text::EndsWithIgnoringCase(file, ".ini")) {
        text = "\"" + file + "\" is not a pod list file: its name must end in \".ini\".";
    } else if (shell::mCommonFunctions::IsAbsolutePath(session.fs, file)) {
        text = "The pod list " + file + " was not found.";
    } else {
        text = "The pod list " + file + " was not found in the game folder " +
               session.GameFolder + ".";
    }
    if (op == "install") {
        text += " Pod.ini was left as it was.";
    } else if (op == "desktop") {
        text += " No shortcut was made.";
    }
    return text;
}

// Tries the readings of the argument in turn; the first names the list when none is usable.
void Interpret(const Session& session, const std::vector<std::string>& candidates, Parsed& p) {
    p.op = p.requested;
    if (p.op == "no operator") {
        return;
    }
    for (const std::string& candidate : candidates) {
        if (!text::EndsWithIgnoringCase(candidate, ".ini")) {
            continue;
        }
        if (shell::mCommonFunctions::FileExists(session, candidate)) {
            p.file = candidate;
            p.usable = true;
            return;
        }
        if (p.file.empty()) {
            p.file = candidate;
        }
    }
    p.problem = Problem(session, p.op, candidates.front());
}

// A file as typed at a Windows prompt: a pair of quotes around it goes, "/" is "\".
std::string WindowsFile(std::string_view argument) {
    std::string file = text::Trim(argument, " ");
    if (file.size() >= 2 && file.front() == '"' && file.back() == '"') {
        // Blanks inside the quotes go as well, as they do around an unquoted file.
        file = text::Trim(file.substr(1, file.size() - 2), " ");
    }
    for (char& c : file) {
        if (c == '/') {
            c = '\\';
        }
    }
    return file;
}

Parsed ParseRaw(const Session& session, std::string_view raw) {
    Parsed p;
    const std::string text = WithoutTabsAndNuls(raw);
    const auto first = text.find('/');
    if (first == std::string::npos) {
        return p;
    }
    // The operator word ends at the first blank, and at the next "/" as it always did.
    const auto second = text.find('/', first + 1);
    const std::string piece = text.substr(
        first + 1, second == std::string::npos ? std::string::npos : second - first - 1);
    const auto space = piece.find(' ');
    p.requested = OperatorFor(piece.substr(0, space));
    if (space == std::string::npos) {
        if (p.requested != "no operator") {
            p.problem = Problem(session, p.requested, "");
        }
        return p;
    }
    // The whole rest of the line first: a quoted file or one with "/" in it. Then the old
    // reading, up to the next "/", so that anything the program took before it still takes.
    std::vector<std::string> candidates{WindowsFile(text.substr(first + 1 + space + 1))};
    if (second != std::string::npos) {
        candidates.push_back(WindowsFile(piece.substr(space + 1)));
    }
    Interpret(session, candidates, p);
    return p;
}

Parsed ParseSplit(const Session& session, const std::vector<std::string>& arguments) {
    Parsed p;
    const std::string word = arguments.empty() ? std::string() : WithoutTabsAndNuls(arguments[0]);
    if (word.empty() || word.front() != '/') {
        return p;
    }
    p.requested = OperatorFor(word.substr(1));
    if (arguments.size() < 2) {
        if (p.requested != "no operator") {
            p.problem = Problem(session, p.requested, "");
        }
        return p;
    }
    std::string argument;
    for (std::size_t i = 1; i < arguments.size(); ++i) {
        if (i > 1) {
            argument += ' ';
        }
        argument += WithoutTabsAndNuls(arguments[i]);
    }
    Interpret(session, {text::Trim(argument, " ")}, p);
    return p;
}

Parsed Parse(const Session& session, const platform::CommandLineInput& input) {
    return input.rawText ? ParseRaw(session, *input.rawText) : ParseSplit(session, input.arguments);
}

bool HandBack(Parsed p, std::string& op, std::string& file) {
    if (!p.op.empty()) {
        op = std::move(p.op);
    }
    if (!p.file.empty()) {
        file = std::move(p.file);
    }
    return p.usable;
}

}  // namespace

bool ParseCommandLine(const Session& session, std::string_view raw, std::string& op,
                      std::string& file) {
    return HandBack(ParseRaw(session, raw), op, file);
}

bool ParseArguments(const Session& session, const std::vector<std::string>& arguments,
                    std::string& op, std::string& file) {
    return HandBack(ParseSplit(session, arguments), op, file);
}

bool ParseCommandLine(const Session& session, const platform::CommandLineInput& input,
                      std::string& op, std::string& file) {
    return HandBack(Parse(session, input), op, file);
}

Request ReadRequest(const Session& session, const platform::CommandLineInput& input) {
    Parsed p = Parse(session, input);
    return {std::move(p.requested), std::move(p.problem)};
}

}  // namespace marvok::mCommandLine
