#pragma once
// The registry kept in Wine's registry files: HKEY_LOCAL_MACHINE in system.reg, HKEY_CLASSES_ROOT
// as its Software\Classes, HKEY_CURRENT_USER in user.reg. Each change replaces its file whole
// and atomically; a damaged file is reported and never written over.

#include <cstdint>
#include <filesystem>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "platform/Registry.h"
#include "platform/WineRegistryFile.h"

namespace marvok {

class FileRegistry final : public platform::Registry {
  public:
    struct Options {
        std::string systemFile;  // native paths
        std::string userFile;
        bool createFolders = false;  // make the files' folder on the first write
        // The reason writing is refused now, or the empty text.
        std::function<std::string()> writeGuard;
        std::function<std::string(std::string_view)> folderForRegistry;
        // Now, as FILETIME ticks (100 ns since 1601).
        std::function<std::uint64_t()> clock;
    };

    explicit FileRegistry(Options options);

    long OpenKey(std::uint32_t root, std::string_view path, platform::RegHandle& key) override;
    long CloseKey(platform::RegHandle key) override;
    long CreateKey(platform::RegHandle parent, std::string_view path) override;
    long DeleteKey(platform::RegHandle parent, std::string_view name) override;
    long DeleteValue(platform::RegHandle key, std::string_view name) override;
    long EnumKey(platform::RegHandle key, std::uint32_t index, std::string& name) override;
    long EnumValue(platform::RegHandle key, std::uint32_t index, std::string& name) override;
    long QueryValue(platform::RegHandle key, std::string_view name, std::uint32_t& type,
                    std::string& data) override;
    long SetValue(platform::RegHandle key, std::string_view name, std::uint32_t type,
                  std::string_view data) override;

    std::string FolderForRegistry(std::string_view folder) const override;
    std::string WriteBlocked() const override;
    std::string TakeProblem() override;

  private:
    struct HiveFile {
        std::string path;
        std::string relativeTo;
        std::optional<winereg::Hive> hive;
        std::optional<std::filesystem::file_time_type> stamp;  // of the file the hive came from
        std::uintmax_t size = 0;
    };
    struct Handle {
        std::uint32_t root = 0;
        std::vector<std::u16string> path;  // below the root, as the caller named it
    };
    struct Target {
        HiveFile* file = nullptr;
        std::vector<std::u16string> path;  // in the file
    };

    long Locate(std::uint32_t root, std::vector<std::u16string> path, Target& target);
    long LocateHandle(platform::RegHandle key, std::string_view relative, Target& target);
    long Load(HiveFile& file);
    long Save(HiveFile& file);
    long CheckWritable();
    winereg::Key* Find(const Target& target) const;
    winereg::Key* FindHandle(platform::RegHandle key);
    bool IsRootHandle(platform::RegHandle key) const;
    // The node of an open key; rootMissing when it is a predefined key without a node.
    long Node(platform::RegHandle key, Target& target, winereg::Key*& node, long rootMissing);
    void Report(std::string problem);

    Options options_;
    HiveFile system_;
    HiveFile user_;
    std::map<platform::RegHandle, Handle> handles_;
    platform::RegHandle nextHandle_ = 1;
    std::string pendingProblem_;
    std::string reportedProblem_;
};

}  // namespace marvok
