#pragma once
// Shell folders and variables that a test sets up by name.

#include <map>
#include <set>
#include <string>

#include "common/Text.h"
#include "platform/ShellFolders.h"

namespace marvok::test {

class FakeShellFolders final : public platform::ShellFolders {
  public:
    // A folder the fake shell knows by this name (any letter case).
    void Set(std::string_view shellName, std::string path) {
        folders_[text::LowerCase(shellName)] = std::move(path);
    }

    std::string SpecialFolder(std::string_view shellName) const override {
        const auto found = folders_.find(text::LowerCase(shellName));
        return found == folders_.end() ? std::string() : found->second;
    }

    // Replaces each %NAME% of a variable that is set; nothing else.
    std::string ExpandVariables(std::string_view textIn) const override {
        std::string out(textIn);
        for (const auto& [name, value] : variables) {
            const std::string reference = "%" + name + "%";
            for (auto pos = out.find(reference); pos != std::string::npos;
                 pos = out.find(reference, pos + value.size())) {
                out.replace(pos, reference.size(), value);
            }
        }
        return out;
    }

    bool HasOrdinaryFile(std::string_view folder) const override {
        return foldersWithFiles.count(std::string(folder)) != 0;
    }

    std::map<std::string, std::string> variables;
    std::set<std::string> foldersWithFiles;

  private:
    std::map<std::string, std::string> folders_;
};

}  // namespace marvok::test
