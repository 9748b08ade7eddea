#pragma once
// A game folder with a copy of the executable under test, as a user would lay it out.

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace marvok::cli {

namespace fs = std::filesystem;

inline std::string Read(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

inline void Write(const fs::path& path, const std::string& bytes) {
    fs::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << bytes;
}

// The program as program, an MTM2 Patched monster.exe, a.pod, b.pod and Fixes\c.pod, and a
// pod.ini that mounts a.pod.
inline void MakeGame(const fs::path& game, const std::string& program) {
    fs::create_directories(game);
    fs::copy_file(MARVOK_EXECUTABLE, game / program);
    std::ofstream(game / "monster.exe").close();
    fs::resize_file(game / "monster.exe", 2925568);
    for (auto pod : {"a.pod", "b.pod", "Fixes/c.pod"}) {
        Write(game / pod, "POD");
    }
    Write(game / "pod.ini", "1\r\na.pod\r\n");
}

}  // namespace marvok::cli
