#pragma once
// A registry over the file store in a temporary folder that records every value written and
// every key deleted, in order, by root and full path.

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "registry/FileRegistry.h"
#include "support/TestGameFolder.h"

namespace marvok::test {

class RecordingRegistry final : public platform::Registry {
  public:
    struct Write {
        std::uint32_t root;
        std::string key;
        std::string name;
        std::string data;  // without the terminating NUL
        friend bool operator==(const Write&, const Write&) = default;
    };

    RecordingRegistry() {
        FileRegistry::Options options;
        options.systemFile = folder_.Native("system.reg").string();
        options.userFile = folder_.Native("user.reg").string();
        options.writeGuard = [this] { return blocked; };
        options.folderForRegistry = [this](std::string_view folder) {
            const auto it = folders.find(std::string(folder));
            return it == folders.end() ? std::string(folder) : it->second;
        };
        store_ = std::make_unique<FileRegistry>(std::move(options));
    }

    long OpenKey(std::uint32_t root, std::string_view path, platform::RegHandle& key) override {
        const long code = store_->OpenKey(root, path, key);
        if (code == 0) {
            open_[key] = {root, std::string(path)};
        }
        return code;
    }
    long CloseKey(platform::RegHandle key) override { return store_->CloseKey(key); }
    long CreateKey(platform::RegHandle parent, std::string_view path) override {
        return store_->CreateKey(parent, path);
    }
    long DeleteKey(platform::RegHandle parent, std::string_view name) override {
        const long code = store_->DeleteKey(parent, name);
        if (code == 0) {
            deleted.push_back(open_[parent].second + "\\" + std::string(name));
        }
        return code;
    }
    long DeleteValue(platform::RegHandle key, std::string_view name) override {
        return store_->DeleteValue(key, name);
    }
    long EnumKey(platform::RegHandle key, std::uint32_t index, std::string& name) override {
        return store_->EnumKey(key, index, name);
    }
    long EnumValue(platform::RegHandle key, std::uint32_t index, std::string& name) override {
        return store_->EnumValue(key, index, name);
    }
    long QueryValue(platform::RegHandle key, std::string_view name, std::uint32_t& type,
                    std::string& data) override {
        return store_->QueryValue(key, name, type, data);
    }
    long SetValue(platform::RegHandle key, std::string_view name, std::uint32_t type,
                  std::string_view data) override {
        const long code = store_->SetValue(key, name, type, data);
        if (code == 0 && type == platform::kRegSz && !data.empty() && data.back() == '\0') {
            const auto& [root, path] = open_[key];
            writes.push_back(
                {root, path, std::string(name), std::string(data.substr(0, data.size() - 1))});
        }
        return code;
    }
    std::string FolderForRegistry(std::string_view folder) const override {
        return store_->FolderForRegistry(folder);
    }
    std::string WriteBlocked() const override { return store_->WriteBlocked(); }
    std::string TakeProblem() override { return store_->TakeProblem(); }

    bool KeyExists(std::uint32_t root, const std::string& path) {
        platform::RegHandle key = 0;
        if (store_->OpenKey(root, path, key) != 0) {
            return false;
        }
        store_->CloseKey(key);
        return true;
    }
    std::string File(const char* name) const { return folder_.Read(name); }

    std::vector<Write> writes;
    std::vector<std::string> deleted;
    std::string blocked;
    std::map<std::string, std::string> folders;  // how FolderForRegistry maps a folder

  private:
    TestGameFolder folder_;
    std::unique_ptr<FileRegistry> store_;
    std::map<platform::RegHandle, std::pair<std::uint32_t, std::string>> open_;
};

}  // namespace marvok::test
