#include "gameoptions/GameSettings.h"

#include "common/PrivateProfile.h"
#include "common/Text.h"

namespace marvok::gameoptions {
namespace {

// Far beyond any Monster.ini; a larger file is not ours to rewrite.
constexpr std::size_t kMaxFileBytes = 4 << 20;

constexpr std::array<std::string_view, kGameSettingCount> kKeys = {
    "gOSFontUseGlobal",     "gOSFontUse_SmallLCD",  "gOSFontUse_Small",
    "gOSFontUse_Medium",    "gOSFontUse_Large",     "gOSFontName_SmallLCD",
    "gOSFontName_Small",    "gOSFontName_Medium",   "gOSFontName_Large",
    "gOSFontSize_SmallLCD", "gOSFontSize_Small",    "gOSFontSize_Medium",
    "gOSFontSize_Large",    "gLocalizationFile",    "kookyHornFlag",
    "latencyDisplay",       "showHiddenTrack"};

struct Loaded {
    bool ok = false;
    std::string bytes;
    std::string error;
};

// The file's bytes; a missing file is an empty one.
Loaded Load(const platform::FileSystem& fs, std::string_view path) {
    Loaded loaded;
    const auto kind = fs.Attributes(path);
    if (!kind) {
        loaded.ok = true;
        return loaded;
    }
    if (*kind == platform::EntryKind::Directory) {
        loaded.error = "it is a folder";
        return loaded;
    }
    const auto size = fs.FileSize(path);
    if (size && *size > kMaxFileBytes) {
        loaded.error = "the file is too large";
        return loaded;
    }
    auto read = fs.ReadFile(path, kMaxFileBytes);
    loaded.ok = read.ok;
    loaded.bytes = std::move(read.bytes);
    loaded.error = std::move(read.error);
    return loaded;
}

// A file with a byte-order mark holds Unicode text; one without it, the game's code page.
bool IsUnicode(const PrivateProfile& profile) {
    return profile.FileEncoding() != PrivateProfile::Encoding::Bytes;
}

}  // namespace

const std::array<std::string_view, kGameSettingCount>& GameSettingKeys() { return kKeys; }

std::string_view SettingsSection(std::size_t index) { return index <= 13 ? "Fonts" : "Game"; }

GameSettingValues ReadGameSettings(const platform::FileSystem& fs, std::string_view path) {
    const Loaded loaded = Load(fs, path);
    const auto profile = PrivateProfile::Parse(loaded.ok ? loaded.bytes : std::string());
    GameSettingValues values;
    for (std::size_t i = 0; i < kGameSettingCount; ++i) {
        const auto value = profile.Get(SettingsSection(i), kKeys[i]);
        values[i] = !value ? std::string(kMissingValue)
                    : IsUnicode(profile) ? text::Trim(*value)
                                         : text::Trim(text::FromWindows1252(*value));
    }
    return values;
}

std::string WriteGameSettings(platform::FileSystem& fs, std::string_view path,
                              const GameSettingValues& values) {
    // An existing file that cannot be read must not be replaced by the seventeen keys alone.
    const Loaded loaded = Load(fs, path);
    if (!loaded.ok) {
        return loaded.error;
    }
    auto profile = PrivateProfile::Parse(loaded.bytes);
    for (std::size_t i = 0; i < kGameSettingCount; ++i) {
        const auto bytes =
            IsUnicode(profile) ? std::optional<std::string>(values[i]) : text::ToWindows1252(values[i]);
        if (!bytes) {
            return "the value of " + std::string(kKeys[i]) +
                   " has characters that the file's code page cannot hold";
        }
        if (!profile.Set(SettingsSection(i), kKeys[i], *bytes)) {
            return "the value of " + std::string(kKeys[i]) + " holds a line break";
        }
    }
    return fs.WriteFileAtomic(path, profile.Serialize());
}

}  // namespace marvok::gameoptions
