// Reading and writing the game's Monster.ini.

#include <gtest/gtest.h>

#include "gameoptions/GameSettings.h"
#include "support/FailingFileSystem.h"
#include "shell/PrivateProfile.h"
#include "shell/Text.h"
#include "support/TestGameFolder.h"

namespace marvok::gameoptions {
namespace {

constexpr const char* kIni = "system\\Monster.ini";

// A Monster.ini as the game ships it, with keys the program does not know around its own.
const std::string kShipped =
    "[Fonts]\r\n"
    "gOSFontUseGlobal=1\r\n"
    "gOSFontUse_SmallLCD = 1 \r\n"
    "GOSFONTUSE_SMALL=0\r\n"
    "gOSFontUse_Medium=\r\n"
    "gOSFontName_SmallLCD=Arial,Arial,Arial\r\n"
    "gOSFontName_Small=  Verdana,Verdana,Verdana Italic  \r\n"
    "gOSFontSize_SmallLCD=-9,-9,-16\r\n"
    "gLocalizationFile=ui\\MTM2-pig.loc\r\n"
    "gOSFontCharset=0\r\n"
    "\r\n"
    "[Sound]\r\n"
    "volume=7\r\n";

class GameSettingsFile : public ::testing::Test {
protected:
    GameSettingsFile() : fs(platform::CreateFileSystem(game.Folder())) {
        path = game.Folder() + "\\" + kIni;
    }
    test::TestGameFolder game;
    std::unique_ptr<platform::FileSystem> fs;
    std::string path;
};

TEST_F(GameSettingsFile, ReadsEveryKeyTrimmedAndEmptyForWhatIsMissing) {
    game.Write(kIni, kShipped);
    const auto values = ReadGameSettings(*fs, path);
    EXPECT_EQ(values[0], "1");
    EXPECT_EQ(values[1], "1");
    EXPECT_EQ(values[2], "0");
    EXPECT_EQ(values[3], "");  // present without a value
    EXPECT_EQ(values[4], "Empty");
    EXPECT_EQ(values[6], "Verdana,Verdana,Verdana Italic");
    EXPECT_EQ(values[9], "-9,-9,-16");
    EXPECT_EQ(values[13], "ui\\MTM2-pig.loc");
    // No "Game" section at all.
    EXPECT_EQ(values[14], "Empty");
    EXPECT_EQ(values[15], "Empty");
    EXPECT_EQ(values[16], "Empty");
}

TEST_F(GameSettingsFile, MissingFileReadsEmptyEverywhere) {
    for (const auto& value : ReadGameSettings(*fs, path)) {
        EXPECT_EQ(value, "Empty");
    }
}

TEST_F(GameSettingsFile, WritingKeepsForeignLinesAndAddsTheGameSectionAtTheEnd) {
    game.Write(kIni, kShipped);
    auto values = ReadGameSettings(*fs, path);
    values[4] = "1";
    values[14] = "1";
    values[15] = "2";
    values[16] = "666";
    ASSERT_EQ(WriteGameSettings(*fs, path, values), "");
    const std::string written = game.Read(kIni);
    // The untouched lines, blank ones included, are there byte for byte and in their order.
    EXPECT_NE(written.find("gOSFontCharset=0\r\n"), std::string::npos);
    EXPECT_NE(written.find("\r\n\r\n[Sound]\r\nvolume=7\r\n"), std::string::npos);
    EXPECT_LT(written.find("gOSFontCharset"), written.find("[Sound]"));
    // Keys the file lacked go to the end of their section, the new section to the end.
    EXPECT_LT(written.find("gOSFontUse_Large=1\r\n"), written.find("[Sound]"));
    const std::string tail = "[Game]\r\nkookyHornFlag=1\r\nlatencyDisplay=2\r\nshowHiddenTrack=666\r\n";
    ASSERT_GE(written.size(), tail.size());
    EXPECT_EQ(written.substr(written.size() - tail.size()), tail);
    EXPECT_EQ(ReadGameSettings(*fs, path), values);
}

TEST_F(GameSettingsFile, ValuesRoundTripWithTheirOwnSpelling) {
    GameSettingValues values;
    values.fill("0");
    values[8] = "Lucida Console,Lucida Console,Lucida Console Bold";  // the longest, 49 characters
    values[5] = "Modern,Modern,Modern ";  // the file keeps the blank, reading drops it
    values[6] = "Caf\xc3\xa9,Caf\xc3\xa9,Caf\xc3\xa9";  // stored as the code page's single byte
    game.Write(kIni, "");
    ASSERT_EQ(WriteGameSettings(*fs, path, values), "");
    const std::string written = game.Read(kIni);
    EXPECT_NE(written.find("gOSFontName_SmallLCD=Modern,Modern,Modern \r\n"), std::string::npos);
    EXPECT_NE(written.find("gOSFontName_Small=Caf\xe9,Caf\xe9,Caf\xe9\r\n"), std::string::npos);
    const auto read = ReadGameSettings(*fs, path);
    EXPECT_EQ(read[8], values[8]);
    EXPECT_EQ(read[5], "Modern,Modern,Modern");
    EXPECT_EQ(read[6], values[6]);
}

TEST_F(GameSettingsFile, CreatesAMissingFileButNotItsFolder) {
    GameSettingValues values;
    values.fill("1");
    EXPECT_NE(WriteGameSettings(*fs, path, values), "");
    EXPECT_FALSE(game.Exists("system"));

    game.MakeFolder("system");
    ASSERT_EQ(WriteGameSettings(*fs, path, values), "");
    const std::string written = game.Read(kIni);
    EXPECT_EQ(written.rfind("[Fonts]\r\ngOSFontUseGlobal=1\r\n", 0), 0u);
    EXPECT_EQ(PrivateProfile::Parse(written).Keys("Game"),
              (std::vector<std::string>{"kookyHornFlag", "latencyDisplay", "showHiddenTrack"}));
}

TEST_F(GameSettingsFile, FailedWritesLeaveTheFileAsItWas) {
    game.Write(kIni, kShipped);
    auto values = ReadGameSettings(*fs, path);

    values[5] = "\xe5\xae\x8b\xe4\xbd\x93";  // a face the code page cannot hold
    EXPECT_NE(WriteGameSettings(*fs, path, values), "");
    EXPECT_EQ(game.Read(kIni), kShipped);

    values[5] = "Arial\r\n[Fonts]";
    EXPECT_NE(WriteGameSettings(*fs, path, values), "");
    EXPECT_EQ(game.Read(kIni), kShipped);

    values[5] = "Arial,Arial,Arial";
    test::FailingFileSystem failing(*fs);
    failing.failWith = "No space left on device";
    EXPECT_EQ(WriteGameSettings(failing, path, values), "No space left on device");
    EXPECT_EQ(game.Read(kIni), kShipped);
}

TEST_F(GameSettingsFile, AFolderInThePlaceOfTheFileIsNotOverwritten) {
    game.MakeFolder(kIni);
    GameSettingValues values;
    values.fill("1");
    EXPECT_NE(WriteGameSettings(*fs, path, values), "");
    EXPECT_TRUE(game.Exists(kIni));
}

// Notepad saves with a UTF-8 mark, or as "Unicode" (UTF-16 LE): the game's profile calls read both
// and write each back in its own encoding, so must we.
struct NotepadCase {
    const char* name;
    std::string (*encode)(const std::string& utf8);
    bool utf16;
};

void PrintTo(const NotepadCase& c, std::ostream* os) { *os << c.name; }

std::string Utf8WithMark(const std::string& utf8) { return "\xEF\xBB\xBF" + utf8; }

std::string Utf16Le(const std::string& utf8) {
    std::string bytes = "\xFF\xFE";
    for (const char16_t unit : text::ToUtf16(utf8)) {
        bytes += static_cast<char>(unit & 0xFF);
        bytes += static_cast<char>(unit >> 8);
    }
    return bytes;
}

class GameSettingsNotepadFile : public GameSettingsFile,
                                public ::testing::WithParamInterface<NotepadCase> {};

TEST_P(GameSettingsNotepadFile, ReadsAndWritesItInItsOwnEncoding) {
    const NotepadCase& c = GetParam();
    game.Write(kIni, c.encode(kShipped));
    auto values = ReadGameSettings(*fs, path);
    EXPECT_EQ(values[0], "1");
    EXPECT_EQ(values[6], "Verdana,Verdana,Verdana Italic");
    EXPECT_EQ(values[13], "ui\\MTM2-pig.loc");
    values[0] = "0";
    values[7] = "\xc5\x81\xc3\xb3" "d\xc5\xba,\xc5\x81\xc3\xb3" "d\xc5\xba,\xc5\x81\xc3\xb3" "d\xc5\xba";
    values[14] = "1";
    ASSERT_EQ(WriteGameSettings(*fs, path, values), "");
    const std::string written = game.Read(kIni);
    // The mark, then text in that encoding only, with one [Fonts] changed in place (the game
    // reads the first section of a name only).
    ASSERT_EQ(written.substr(0, 2), c.encode("").substr(0, 2));
    std::string decoded = written.substr(c.encode("").size());
    if (c.utf16) {
        std::u16string units;
        for (std::size_t i = 0; i + 1 < decoded.size(); i += 2) {
            units += static_cast<char16_t>(static_cast<unsigned char>(decoded[i]) |
                                           static_cast<unsigned char>(decoded[i + 1]) << 8);
        }
        decoded = text::FromUtf16(units);
    }
    EXPECT_EQ(decoded.rfind("[Fonts]\r\ngOSFontUseGlobal=0\r\n", 0), 0u);
    EXPECT_EQ(decoded.find("[Fonts]", 1), std::string::npos);
    EXPECT_NE(decoded.find("\r\ngOSFontName_Medium=" + values[7] + "\r\n"), std::string::npos);
    EXPECT_NE(decoded.find("\r\n\r\n[Sound]\r\nvolume=7\r\n[Game]\r\nkookyHornFlag=1\r\n"),
              std::string::npos);
    EXPECT_EQ(ReadGameSettings(*fs, path), values);
}

INSTANTIATE_TEST_SUITE_P(
    Encodings, GameSettingsNotepadFile,
    ::testing::Values(NotepadCase{"Utf8Mark", Utf8WithMark, false},
                      NotepadCase{"Utf16Le", Utf16Le, true}),
    [](const auto& param) { return std::string(param.param.name); });

}  // namespace
}  // namespace marvok::gameoptions
