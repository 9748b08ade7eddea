// Our ini reader and writer next to the system's own GetPrivateProfileStringA and
// WritePrivateProfileStringA, on the same files: same values read, same keys in the same order.
// (Untouched bytes are compared elsewhere: Wine rewrites the whole file, Windows does not.)

#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

#include "shell/PrivateProfile.h"
#include "support/Utf16File.h"

namespace marvok {
namespace {

using Read = std::pair<const char*, const char*>;                // section, key
using Write = std::tuple<const char*, const char*, const char*>;  // section, key, value
struct SystemCase {
    const char* name;
    std::string content;
    std::vector<Read> reads;
    std::vector<Write> writes;
    std::vector<const char*> sections;  // whose keys and values are compared after the writes
};

std::string SystemGet(const std::string& path, const char* section, const char* key) {
    char buffer[1024] = {};
    GetPrivateProfileStringA(section, key, "Empty", buffer, sizeof buffer, path.c_str());
    return buffer;
}

std::vector<std::string> SystemKeys(const std::string& path, const char* section) {
    char buffer[8192] = {};
    const DWORD n = GetPrivateProfileStringA(section, nullptr, "", buffer, sizeof buffer,
                                             path.c_str());
    std::vector<std::string> keys;
    for (DWORD at = 0; at < n; at += static_cast<DWORD>(keys.back().size()) + 1) {
        keys.emplace_back(buffer + at);
    }
    return keys;
}

const std::vector<Read> kMonsterReads = {
    {"fonts", "GOSFONTUSEGLOBAL"}, {"Fonts", "gOSFontUse_SmallLCD"}, {"Fonts", "gOSFontName_Small"},
    {"Fonts", "gOSFontName_Large"}, {"Fonts", "gOSFontUse_Large"}, {"Game", "kookyHornFlag"},
    {"Sound", "volume"}};
const std::vector<Write> kMonsterWrites = {
    {"Fonts", "gOSFontUseGlobal", "0"}, {"Fonts", "gOSFontUse_Large", "1"},
    {"Fonts", "gOSFontName_SmallLCD", "Modern,Modern,Modern "},
    {"Fonts", "gOSFontName_Medium", "Lucida Console,Lucida Console,Lucida Console Bold"},
    {"Game", "kookyHornFlag", "1"}, {"Game", "latencyDisplay", "2"},
    {"Game", "showHiddenTrack", "666"}};
const std::vector<const char*> kMonsterSections = {"Fonts", "Sound", "Game"};
const std::string kMonster =
    "[Fonts]\r\ngOSFontUseGlobal=1\r\n  gOSFontUse_SmallLCD = 1 \r\n"
    "gOSFontName_Small=\"Verdana,Verdana,Verdana Italic\"\r\n"
    "gOSFontName_Large='Modern,Modern,Modern '\r\ngLocalizationFile=ui\\MTM2-pig.loc\r\n"
    "\r\n[Sound]\r\nvolume=7\r\n";

TEST(PrivateProfileSystem, AgreesWithTheSystemCalls) {
    const SystemCase cases[] = {
        {"MonsterIni", kMonster, kMonsterReads, kMonsterWrites, kMonsterSections},
        {"MonsterIniUtf8Mark", "\xEF\xBB\xBF" + kMonster, kMonsterReads,
         kMonsterWrites, kMonsterSections},
        {"MonsterIniUtf16", test::Utf16File(kMonster), kMonsterReads, kMonsterWrites,
         kMonsterSections},
        {"WhatIsTrimmed",
         "[S]\r\n\v\fk\t\x1a=\f\v1\x1a\t\r\n\x01m\x01=\x02v\x1b\r\nn=\xa0w\xa0\r\n",
         {{"S", "k"}, {"S", "m"}, {"S", "\x01m\x01"}, {"S", "n"}},
         {{"S", "\x01m\x01", "x"}}, {"S"}},
        {"WhatIsTrimmedUtf16",
         test::Utf16File("[S]\r\n\v\fk\t\x1a=\f\v1\x1a\t\r\n\x01m\x01=\x02v\x1b\r\n"),
         {{"S", "k"}, {"S", "m"}, {"S", "\x01m\x01"}}, {{"S", "k", "2"}, {"T", "x", "1"}},
         {"S", "T"}},
        {"DuplicatesFirstWins", "[S]\r\nk=1\r\nK=2\r\n[s]\r\nm=3\r\n",
         {{"S", "k"}, {"S", "m"}}, {{"S", "m", "4"}, {"S", "k", "5"}}, {"S"}},
        {"KeysWithoutEquals", "[S]\r\nB\r\nk=1\r\n", {{"S", "B"}, {"S", "k"}},
         {{"S", "b", "set"}, {"S", "n", ""}}, {"S"}},
        {"BeforeTheFirstSection", "top=1\r\n[S]\r\nk=1\r\n", {{"S", "top"}, {"S", "k"}},
         {{"T", "x", "1"}}, {"S", "T"}},
        {"CarriageReturnsOnly", "[S]\rk=1\r[T]\rx=2", {{"S", "k"}, {"T", "x"}},
         {{"S", "n", "2"}, {"T", "x", "3"}}, {"S", "T"}},
        {"BracketWithoutClose", "[S]\r\n[T\r\nk=1\r\n", {{"S", "k"}, {"T", "k"}},
         {{"S", "k", "2"}}, {"S"}},
        {"EmptyFile", "", {{"S", "k"}}, {{"S", "k", "v"}, {"S", "a", "'q'"}}, {"S"}},
        {"BlanksAndQuotes", "[ S ]\r\n\t a \t=\t\" x \" \r\nb='y\"\r\nc=\"\"\r\n",
         {{"S", "a"}, {" S ", "b"}, {"S", "c"}}, {{"S", "a", "\"z\""}}, {"S"}}};
    const auto folder = std::filesystem::temp_directory_path() / "marvok-profile-test";
    std::filesystem::create_directories(folder);
    for (const SystemCase& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string path = (folder / (std::string(c.name) + ".ini")).string();
        std::ofstream(path, std::ios::binary | std::ios::trunc) << c.content;
        auto ours = PrivateProfile::Parse(c.content);
        for (const auto& [section, key] : c.reads) {
            EXPECT_EQ(ours.Get(section, key).value_or("Empty"), SystemGet(path, section, key))
                << "[" << section << "] " << key;
        }
        for (const auto& [section, key, value] : c.writes) {
            ASSERT_TRUE(WritePrivateProfileStringA(section, key, value, path.c_str()));
            ASSERT_TRUE(ours.Set(section, key, value));
        }
        WritePrivateProfileStringA(nullptr, nullptr, nullptr, path.c_str());  // flush the cache
        const auto reread = PrivateProfile::Parse(ours.Serialize());
        // The system kept the file's encoding, as we do, and we read what it wrote.
        std::stringstream written;
        written << std::ifstream(path, std::ios::binary).rdbuf();
        const auto theirs = PrivateProfile::Parse(written.str());
        EXPECT_EQ(theirs.FileEncoding(), ours.FileEncoding());
        for (const char* section : c.sections) {
            const auto keys = SystemKeys(path, section);
            EXPECT_EQ(reread.Keys(section), keys) << "[" << section << "]";
            for (const auto& key : keys) {
                EXPECT_EQ(reread.Get(section, key).value_or("Empty"),
                          SystemGet(path, section, key.c_str()))
                    << "[" << section << "] " << key;
                EXPECT_EQ(theirs.Get(section, key), reread.Get(section, key))
                    << "[" << section << "] " << key;
            }
        }
    }
    std::filesystem::remove_all(folder);
}

}  // namespace
}  // namespace marvok
