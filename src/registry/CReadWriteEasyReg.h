#pragma once
// One open registry key at a time, with the operations the registry tools need on it. Each
// object serves one short task and is then dropped.
// (Keep <windows.h> away from this header: it turns CreateDirectory into a macro.)

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "common/UserInterface.h"
#include "platform/Registry.h"

namespace marvok {

using RegList = std::vector<std::string>;
// What a value reads as: a text, or the strings of a REG_MULTI_SZ.
using RegData = std::variant<std::string, RegList>;
// A scalar handed to CreateValue or sorted by SortArrayAscending.
using RegScalar = std::variant<std::string, std::int64_t, double>;
// A list with its first index, as SortArrayAscending takes it.
struct RegArray {
    int lowerBound = 0;
    std::vector<RegScalar> items;
    friend bool operator==(const RegArray&, const RegArray&) = default;
};
using SortInput = std::variant<RegArray, RegScalar>;
// The further strings of a REG_MULTI_SZ; an element without a value is skipped.
using MultiSzStrings = std::vector<std::optional<std::string>>;

class CReadWriteEasyReg {
  public:
    CReadWriteEasyReg(platform::Registry& registry, UserInterface& ui);
    ~CReadWriteEasyReg();
    CReadWriteEasyReg(const CReadWriteEasyReg&) = delete;
    CReadWriteEasyReg& operator=(const CReadWriteEasyReg&) = delete;

    std::optional<RegList> GetAllSubDirectories();
    bool CreateDirectory(std::string_view sNewDirName);
    bool deleteDirectory(std::string_view sKeyName);
    std::optional<RegList> GetAllValues();
    bool CreateValue(std::string_view sValueName, const RegScalar& vWriteThis,
                     std::uint32_t ldValueDataType,
                     const std::optional<MultiSzStrings>& multiSzAddtlStrings = std::nullopt);
    bool DeleteValue(std::string_view sValueName);
    std::optional<RegData> GetValue(std::string_view varName, bool returnBinStr = false);
    std::uint32_t RegistryRootKey() const { return rootKey_; }
    const std::string& SubDirectory() const { return subDirectory_; }
    bool OpenRegistry(std::uint32_t rtHKey, std::string_view sbDr);
    // Moves to the parent key; throws std::invalid_argument, changing nothing, when the path
    // has no parent below the root.
    void OneBackOnKey();
    bool CloseRegistry();
    static SortInput SortArrayAscending(const SortInput& valueList);

    bool IsOpen() const { return open_; }
    // The registry's answer to the last OpenRegistry (kErrorFileNotFound: the key is missing).
    long OpenError() const { return openError_; }

  private:
    platform::Registry& registry_;
    UserInterface& ui_;
    std::uint32_t rootKey_ = 0;
    std::string subDirectory_;
    platform::RegHandle handle_ = 0;
    bool open_ = false;
    long openError_ = 0;
};

// A value as the text VB's CStr gives ("42", "1.5").
std::string ScalarText(const RegScalar& value);
// A value as a 32-bit whole number the way CLng takes it (a fraction rounds half to even);
// nothing when it is not a number or does not fit.
std::optional<std::int32_t> ScalarToInt32(const RegScalar& value);

}  // namespace marvok
