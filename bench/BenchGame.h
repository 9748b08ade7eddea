#pragma once
// A generated game folder for the benchmarks: a patched game with pods, a quarter in the game
// folder and the rest in sub-folders of 50, and a pod.ini mounting up to 100 of them.

#include <chrono>
#include <filesystem>
#include <fstream>
#include <string>

namespace marvok::bench {

inline void Touch(const std::filesystem::path& path, std::uintmax_t size = 1) {
    std::ofstream(path).put('P');
    if (size > 1) {
        std::filesystem::resize_file(path, size);
    }
}

// A player's pods lie on disk long before Marvok starts, while a folder changed a moment ago is
// read afresh at every scan and lookup: the folders under top are dated an hour back.
inline void Settle(const std::filesystem::path& top) {
    namespace fs = std::filesystem;
    const auto anHourAgo = fs::file_time_type::clock::now() - std::chrono::hours(1);
    for (const auto& entry : fs::recursive_directory_iterator(top)) {
        if (entry.is_directory()) {
            fs::last_write_time(entry.path(), anHourAgo);
        }
    }
    fs::last_write_time(top, anHourAgo);
}

inline std::filesystem::path MakeGame(const std::filesystem::path& work, int pods) {
    namespace fs = std::filesystem;
    const fs::path game = work / ("game-" + std::to_string(pods));
    fs::remove_all(game);
    fs::create_directories(game / "system");
    Touch(game / "monster.exe", 2925568);
    Touch(game / "system" / "Monster.ini");
    std::string list = "100\r\n";
    for (int i = 0; i < pods; ++i) {
        const std::string name = "pod" + std::to_string(i) + ".pod";
        if (i < pods / 4 || pods < 8) {
            Touch(game / name);
            if (i < 100) {
                list += name + "\r\n";
            }
        } else {
            const std::string folder = "addons" + std::to_string(i / 50);
            fs::create_directories(game / folder);
            Touch(game / folder / name);
        }
    }
    std::ofstream(game / "pod.ini", std::ios::binary) << list;
    Settle(game);
    return game;
}

}  // namespace marvok::bench
