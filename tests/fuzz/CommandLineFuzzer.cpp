// The command line, both as Windows hands it over (one text) and as a Linux shell does (words).
// Whatever is read names a known operator and a ".ini" file; and a list's path, as Explorer's
// verb or a user passes it, comes back unchanged.

#include <algorithm>
#include <cstddef>
#include <cstdint>

#include "FuzzSupport.h"
#include "app/mCommandLine.h"
#include "common/Session.h"
#include "support/FakeUserInterface.h"
#include "support/MemorySettingsStore.h"

namespace marvok::fuzz {
namespace {

void CheckUsable(bool usable, const std::string& op, const std::string& file,
                 const std::string& input) {
    if (usable && op != "open" && op != "install" && op != "desktop") {
        Fail("a usable command line has no operator", Shown(input) + " gave " + Shown(op));
    }
    if (usable &&
        (!text::EndsWithIgnoringCase(file, ".ini") || file.front() == ' ' || file.back() == ' ' ||
         file.find_first_of(std::string_view("\t\0", 2)) != std::string::npos)) {
        Fail("a usable command line names no .ini file", Shown(input) + " gave " + Shown(file));
    }
}

// A path that Windows can name, from any bytes: no control characters, none of "<>|*?, no
// blank at either end, ending in ".ini". A forward slash separates folders as a backslash does,
// but never starts a word: there it would read as an operator.
std::string PathFrom(std::string_view bytes) {
    std::string path;
    for (char c : bytes) {
        if (static_cast<unsigned char>(c) >= 0x20 &&
            std::string_view("\"<>|*?").find(c) == std::string_view::npos &&
            (c != '/' || (!path.empty() && path.back() != ' '))) {
            path += c;
        }
    }
    path = text::Trim(path, " ");
    return text::EndsWithIgnoringCase(path, ".ini") ? path : path + ".ini";
}

std::string Slashes(std::string s) {
    std::replace(s.begin(), s.end(), '/', '\\');
    return s;
}

}  // namespace
}  // namespace marvok::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace marvok;
    using namespace marvok::fuzz;
    const std::string input(reinterpret_cast<const char*>(data), size);
    MemoryFileSystem disk;
    test::MemorySettingsStore settings;
    test::FakeUserInterface ui;
    Session session{disk, settings, ui};
    SetGamePaths(session, "C:\\Games\\Monster Truck Madness 2");
    std::string op;
    std::string file;
    CheckUsable(mCommandLine::ParseCommandLine(session, input, op, file), op, file, input);

    std::vector<std::string> words;  // the same bytes as words, one per line
    std::size_t start = 0;
    for (std::size_t end; (end = input.find('\n', start)) != std::string::npos; start = end + 1) {
        words.push_back(input.substr(start, end - start));
    }
    words.push_back(input.substr(start));
    op = file = "";
    CheckUsable(mCommandLine::ParseArguments(session, words, op, file), op, file, input);

    const std::string path = PathFrom(input);
    const std::pair<std::string, std::string> forms[] = {{"/install " + path, "install"},
                                                         {"/install \"" + path + "\"", "install"},
                                                         {"/Open " + path, "open"}};
    for (const auto& [line, expected] : forms) {
        op = file = "";
        // Forward slashes may come back as backslashes: the same path to Windows.
        if (!mCommandLine::ParseCommandLine(session, line, op, file) || op != expected ||
            Slashes(file) != Slashes(path)) {
            Fail("a list's path does not come back from the Windows command line",
                 Shown(line) + " gave " + Shown(op) + " " + Shown(file));
        }
    }
    op = file = "";
    if (!mCommandLine::ParseArguments(session, {"/install", path}, op, file) || file != path) {
        Fail("a list's path does not come back from the Linux arguments",
             Shown(path) + " gave " + Shown(file));
    }
    return 0;
}
