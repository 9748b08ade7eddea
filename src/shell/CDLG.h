#pragma once
// The common dialogs as the program uses them: the pod list file dialogs.

#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace marvok {

class Session;

// Splits a filter text into (description, pattern) pairs: "|" and ":" both separate.
std::vector<std::pair<std::string, std::string>> ParseDialogFilter(std::string_view filter);

// mode "save" asks for a file to save under, anything else for a file to open. Returns the
// chosen full path, or the empty text when the user cancelled.
std::string ChoosePodListFile(Session& session, std::string_view mode);

}  // namespace marvok
