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
// the file exists.
bool ParseCommandLine(const Session& session, std::string_view text, std::string& op,
                      std::string& file);
// Arguments as a Linux shell splits them: the operator is the first, the file is the rest joined
// by one blank. Otherwise the same rules.
bool ParseArguments(const Session& session, const std::vector<std::string>& arguments,
                    std::string& op, std::string& file);
// Whichever of the two the platform handed over.
bool ParseCommandLine(const Session& session, const platform::CommandLineInput& input,
                      std::string& op, std::string& file);

}  // namespace marvok::mCommandLine
