#include "registry/mMyRegStuff.h"

#include <algorithm>

#include "platform/Process.h"
#include "registry/mRegStuff.h"
#include "shell/mCommonFunctions.h"

namespace marvok::mMyRegStuff {
namespace {

using shell::mCommonFunctions::StripTrailingBackslash;

RegValueSet MakeSet(std::string keyPath,
                    std::initializer_list<std::pair<std::string_view, std::string>> rows) {
    RegValueSet set;
    set.keyPath = std::move(keyPath);
    for (const auto& [name, data] : rows) {
        set.names.emplace_back(name);
        set.data.push_back(data);
    }
    set.count = static_cast<int>(rows.size());
    return set;
}

// The game folder and executable as the registry's programs see them.
std::string GameFolderText(const Session& session, const platform::Registry& registry) {
    return registry.FolderForRegistry(session.GameFolder);
}

std::string InGameFolder(const Session& session, const platform::Registry& registry,
                         std::string_view rest) {
    return StripTrailingBackslash(GameFolderText(session, registry)) + std::string(rest);
}

void Write(Session& session, platform::Registry& registry, const RegValueSet& set) {
    WriteValueList(registry, session.ui, mRegStuff::kHkeyLocalMachine, set.keyPath, set.names,
                   set.data, set.count);
}

bool IsMtm1(std::string_view version) {
    return version == "MTM1 Unpatched" || version == "MTM1 Patched";
}

bool IsMtm2(std::string_view version) {
    return version == "MTM2 Unpatched" || version == "MTM2 Patched";
}

struct Verb {
    std::string_view name;
    std::string_view menuText;
    std::string_view op;
};
constexpr std::string_view kShellKey = "inifile\\shell";
constexpr std::array<Verb, 3> kVerbs = {{
    {"marvokO", "MARVOK - open with", "open"},
    {"marvokI", "MARVOK - install as pod.ini", "install"},
    {"marvokD", "MARVOK - send to desktop", "desktop"},
}};

std::string VerbKey(const Verb& verb) {
    return std::string(kShellKey) + "\\" + std::string(verb.name);
}

void Tell(Session& session, std::string_view text) {
    session.ui.ShowMessage(kAppTitle, text, MessageIcon::None, MessageButtons::Ok);
}

void ShowKey(Session& session, platform::Registry& registry, std::string_view keyPath,
             std::string* labels, std::string* values, std::size_t rows) {
    const auto names = mRegStuff::ReadAllValueNames(registry, session.ui, keyPath);
    if (!names) {
        return;
    }
    // A missing key would otherwise be an empty box that looks like a fault of the window.
    if (names->empty() && rows > 0) {
        labels[0] = std::string(kNotRegistered);
        return;
    }
    for (std::size_t i = 0; i < names->size() && i < rows; ++i) {
        labels[i] = (*names)[i];
        values[i] = mRegStuff::ReadValue(registry, session.ui, keyPath, (*names)[i]);
    }
}

}  // namespace

void WriteValueList(platform::Registry& registry, UserInterface& ui, std::string_view rootKey,
                    std::string_view keyPath, const std::vector<std::string>& names,
                    const std::vector<std::string>& data, int count) {
    const auto pairs =
        std::min({static_cast<std::size_t>(std::max(count, 0)), names.size(), data.size()});
    for (std::size_t i = 0; i < pairs; ++i) {
        mRegStuff::WriteValue(registry, ui, rootKey, keyPath, names[i], data[i]);
    }
}

RegValueSet GameKeySet(const Session& session, const platform::Registry& registry,
                       std::string_view profile) {
    const std::string folder = GameFolderText(session, registry);
    const std::string base(kGameKeyBase);
    if (profile == "mtm2") {
        return MakeSet(base + "Microsoft Games\\Monster Truck Madness\\2.0",
                       {{"Version", "2.0"},
                        {"Launched", "1"},
                        {"InstalledPath", folder},
                        {"VersionType", "RetailVersion"},
                        {"InstalledGroup", "1"}});
    }
    if (profile == "mtm1") {
        return MakeSet(base + "Monster Truck Madness\\1.0",
                       {{"Path", InGameFolder(session, registry, "\\" + session.GameExeName)},
                        {"InstalledTo", folder},
                        {"Version", "1.0"},
                        {"Name", "DriverX"},
                        {"Organization", " "}});
    }
    if (profile == "trial") {
        return MakeSet(base + "Microsoft Games\\Monster Truck Madness\\2.00Trial",
                       {{"InstallType", "1"},
                        {"InstallationDirectory", folder},
                        {"Launched", "1"},
                        {"Path", folder},
                        {"VersionType", "TrialVersion"},
                        {"InstalledGroup", "1"}});
    }
    return {};
}

RegValueSet UninstallKeySet(const Session& session, const platform::Registry& registry,
                            std::string_view profile) {
    const std::string base(kUninstallBase);
    if (profile == "mtm2") {
        return MakeSet(base + "Monster Truck Madness 2.0",
                       {{"DisplayName", "Microsoft Monster Truck Madness 2"},
                        {"UninstallString", InGameFolder(session, registry, "\\UNINSTAL.EXE")}});
    }
    if (profile == "mtm1") {
        return MakeSet(base + "Monster Truck Madness",
                       {{"DisplayName", "Microsoft Monster Truck Madness"},
                        {"UninstallString",
                         InGameFolder(session, registry, "\\setup\\setup.exe /Z customui.dll")}});
    }
    if (profile == "trial") {
        return MakeSet(base + "Monster Truck Madness 2.00Trial",
                       {{"DisplayName", "Microsoft Monster Truck Madness 2 Trial"},
                        {"UninstallString", InGameFolder(session, registry, "\\UNINSTAL.EXE")}});
    }
    return {};
}

RegValueSet DirectPlayKeySet(const Session& session, const platform::Registry& registry,
                             std::string_view profile) {
    const bool trial = profile == "trial";
    if (profile != "mtm2" && !trial) {
        return {};
    }
    const std::string folder = GameFolderText(session, registry);
    return MakeSet(std::string(kDirectPlayBase) +
                       (trial ? "Monster Truck Madness 2 Trial" : "Monster Truck Madness 2"),
                   {{"Guid", trial ? "{6cd1c6e0-96fb-11d1-a268-00a02f29c996}"
                                   : "{6cd1c6e0-96fb-11d1-a268-00a02f29c995}"},
                    {"File", session.GameExeName},
                    {"CommandLine", " "},
                    {"CurrentDirectory", folder},
                    {"Path", folder}});
}

void ResetGameKey(Session& session, platform::Registry& registry, std::string_view profile) {
    Write(session, registry, GameKeySet(session, registry, profile));
}

void ResetUninstallKey(Session& session, platform::Registry& registry, std::string_view profile) {
    Write(session, registry, UninstallKeySet(session, registry, profile));
}

void ResetDirectPlayKey(Session& session, platform::Registry& registry, std::string_view profile) {
    Write(session, registry, DirectPlayKeySet(session, registry, profile));
}

bool ResetAs(Session& session, platform::Registry& registry, std::string_view profile) {
    if (!mRegStuff::CheckWritable(registry, session.ui)) {
        return false;
    }
    ResetGameKey(session, registry, profile);
    ResetUninstallKey(session, registry, profile);
    if (profile == "mtm2" || profile == "trial") {
        ResetDirectPlayKey(session, registry, profile);
    }
    return true;
}

ShownKeys KeysForVersion(std::string_view gameVersion) {
    ShownKeys keys;
    const std::string game(kGameKeyBase);
    const std::string uninstall(kUninstallBase);
    const std::string directPlay = "SOFTWARE\\Microsoft\\DirectPlay\\";
    if (IsMtm2(gameVersion)) {
        keys.game = game + "Microsoft Games\\Monster Truck Madness\\2.0";
        keys.directPlay = directPlay + "Applications\\Monster Truck Madness 2";
        keys.hasDirectPlay = true;
        keys.uninstall = uninstall + "Monster Truck Madness 2.0";
    } else if (IsMtm1(gameVersion)) {
        keys.game = game + "Monster Truck Madness\\1.0";
        keys.uninstall = uninstall + "Monster Truck Madness";
    } else if (gameVersion == "MTM2 Trial") {
        keys.game = game + "Microsoft Games\\Monster Truck Madness\\2.00Trial";
        keys.directPlay = directPlay + "Applications\\Monster Truck Madness 2 Trial";
        keys.hasDirectPlay = true;
        keys.uninstall = uninstall + "Monster Truck Madness 2.00Trial";
    }
    return keys;
}

void EnableResetItems(const Session& session, Controls& controls) {
    const std::string& version = session.GameVersion;
    bool mtm1 = false;
    bool mtm2 = false;
    bool trial = false;
    if (IsMtm2(version)) {
        mtm2 = true;
    } else if (IsMtm1(version)) {
        mtm1 = true;
    } else if (version == "MTM2 Trial") {
        mtm2 = true;
        trial = true;
    } else {
        return;
    }
    controls.SetEnabled(ControlName("menuRegistry", 1), mtm1);
    controls.SetEnabled(ControlName("menuRegistry", 2), mtm2);
    controls.SetEnabled(ControlName("menuRegistry", 3), trial);
}

void ShowGameRegistry(Session& session, platform::Registry& registry, RegistryDisplay& display) {
    display.mLabel.fill({});
    display.mValue.fill({});
    display.dpLabel.fill({});
    display.dpValue.fill({});
    display.uLabel.fill({});
    display.uValue.fill({});
    const ShownKeys keys = KeysForVersion(session.GameVersion);
    display.caption = "Registry Values for " + session.GameVersion;
    display.frameCaption = session.GameVersion;
    ShowKey(session, registry, keys.game, display.mLabel.data(), display.mValue.data(),
            display.mLabel.size());
    if (keys.hasDirectPlay) {
        ShowKey(session, registry, keys.directPlay, display.dpLabel.data(), display.dpValue.data(),
                display.dpLabel.size());
    } else {
        display.dpLabel[0] = std::string(kNoDirectPlayKey);
    }
    ShowKey(session, registry, keys.uninstall, display.uLabel.data(), display.uValue.data(),
            display.uLabel.size());
}

ProgramLocation RunningProgram() {
    return {platform::ExecutableFolder(), platform::ExecutableName(),
            platform::IsWindowsExecutable()};
}

std::string VerbCommandLine(const platform::Registry& registry, const ProgramLocation& program,
                            std::string_view op) {
    const std::string folder = StripTrailingBackslash(registry.FolderForRegistry(program.folder));
    if (!program.windowsProgram) {
        // Wine starts a Linux program under its own name, handing it the arguments split as
        // Windows splits them: in quotes, the list's path arrives whole, blanks and all.
        return "\"" + folder + "\\" + program.name + "\" /" + std::string(op) + " \"%1\"";
    }
    std::string name = program.name;
    if (const auto dot = name.rfind('.'); dot != std::string::npos && dot > 0) {
        name.erase(dot);
    }
    // The path in quotes, so that a folder with blanks still names the program; %1 stays bare.
    return "\"" + folder + "\\" + name + ".exe\" /" + std::string(op) + " %1";
}

int RegisterShellVerbs(Session& session, platform::Registry& registry,
                       const ProgramLocation& program) {
    if (!mRegStuff::CheckWritable(registry, session.ui)) {
        return 0;
    }
    int count = 0;
    for (const Verb& verb : kVerbs) {
        count += mRegStuff::WriteValue(registry, session.ui, mRegStuff::kHkeyClassesRoot,
                                       VerbKey(verb), "", verb.menuText);
    }
    for (const Verb& verb : kVerbs) {
        count += mRegStuff::WriteValue(registry, session.ui, mRegStuff::kHkeyClassesRoot,
                                       VerbKey(verb) + "\\command", "",
                                       VerbCommandLine(registry, program, verb.op));
    }
    Tell(session, "Registered " + std::to_string(count) + " of 6");
    return count;
}

int RemoveShellVerbs(Session& session, platform::Registry& registry) {
    if (!mRegStuff::CheckWritable(registry, session.ui)) {
        return 0;
    }
    int count = 0;
    for (const Verb& verb : kVerbs) {
        count += mRegStuff::DeleteSubKey(registry, session.ui, mRegStuff::kHkeyClassesRoot,
                                         VerbKey(verb), "command");
    }
    for (const Verb& verb : kVerbs) {
        count += mRegStuff::DeleteSubKey(registry, session.ui, mRegStuff::kHkeyClassesRoot,
                                         kShellKey, verb.name);
    }
    Tell(session, "removed " + std::to_string(count) + " of 6");
    return count;
}

void ClearKvexStartup(Session& session, platform::Registry& registry) {
    if (!mRegStuff::CheckWritable(registry, session.ui)) {
        return;
    }
    if (mRegStuff::DeleteSubKey(registry, session.ui, mRegStuff::kHkeyCurrentUser, kKvexKey,
                                "Startup")) {
        Tell(session, "K-vex key deleted!");
    } else {
        Tell(session, "Not done or nothing to delete.");
    }
}

void ResetKvexPosition(Session& session, platform::Registry& registry) {
    if (!mRegStuff::CheckWritable(registry, session.ui)) {
        return;
    }
    WriteValueList(registry, session.ui, mRegStuff::kHkeyCurrentUser,
                   std::string(kKvexKey) + "\\Startup", {"Left", "Top"}, {"0", "0"}, 2);
}

}  // namespace marvok::mMyRegStuff
