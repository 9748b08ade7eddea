#pragma once
// The command line: "/open", "/install" or "/desktop" (first letters suffice) and a pod list file
// ending in ".ini".

#include <string>
#include <string_view>
#include <vector>

#include "platform/Process.h"

namespace marvok {
class Session;
}

namespace marvok::mCommandLine {

// The raw text after the program name, as Windows hands it over. Sets op as soon as the operator
// word is read and file once the argument ends in ".ini"; answers whether both are usable and
// the file exists. The file may be in double quotes and may use "/" between folders (it comes
// back with "\"); Explorer's unquoted form with blanks works as well.
bool ParseCommandLine(const Session& session, std::string_view text, std::string& op,
                      std::string& file);
// Arguments as a Linux shell splits them: the operator is the first, the file is the rest joined
// by one blank. Otherwise the same rules.
bool ParseArguments(const Session& session, const std::vector<std::string>& arguments,
                    std::string& op, std::string& file);
// Whichever of the two the platform handed over.
bool ParseCommandLine(const Session& session, const platform::CommandLineInput& input,
                      std::string& op, std::string& file);

// What the user asked for and, when it cannot be done, why.
struct Request {
    // The operator the first letter names ("open", "install", "desktop"), even when no file
    // follows it; empty when there is no operator word, "no operator" for another letter.
    std::string op;
    // Empty when the command line is usable or names no operator; else what is wrong with the
    // pod list, for the user.
    std::string problem;
};
Request ReadRequest(const Session& session, const platform::CommandLineInput& input);

}  // namespace marvok::mCommandLine
