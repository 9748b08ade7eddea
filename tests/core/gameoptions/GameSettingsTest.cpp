// Reading and writing the game's Monster.ini.

#include <gtest/gtest.h>

#include <filesystem>

#include "common/PrivateProfile.h"
#include "common/Text.h"
#include "gameoptions/GameSettings.h"
#include "platform/FileSystem.h"
#include "support/FailingFileSystem.h"
#include "support/TestGameFolder.h"
#include "support/Utf16File.h"

namespace marvok::gameoptions {
namespace {

constexpr const char* kIni = "system\\Monster.ini";
const std::string k49 = "Lucida Console,Lucida Console,Lucida Console Bold";

// A Monster.ini as the game ships it, with keys the program does not know around its own.
const std::string kShipped =
    "[Fonts]\r\ngOSFontUseGlobal=1\r\ngOSFontUse_SmallLCD = 1 \r\nGOSFONTUSE_SMALL=0\r\n"
    "gOSFontUse_Medium=\r\ngOSFontName_SmallLCD=Arial,Arial,Arial\r\n"
    "gOSFontName_Small=  Caf\xc3\xa9,Caf\xc3\xa9,Caf\xc3\xa9 Italic  \r\n"
    "gOSFontSize_SmallLCD=-9,-9,-16\r\ngLocalizationFile=ui\\MTM2-pig.loc\r\n"
    "gOSFontCharset=0\r\n\r\n[Sound]\r\nvolume=7\r\n";
// The same after writing: lines changed in place, new keys at the end of their section, the
// blank line and the foreign section untouched, the new section at the end.
const std::string kWritten =
    "[Fonts]\r\ngOSFontUseGlobal=0\r\ngOSFontUse_SmallLCD=1\r\nGOSFONTUSE_SMALL=0\r\n"
    "gOSFontUse_Medium=\r\ngOSFontName_SmallLCD=Modern,Modern,Modern \r\n"
    "gOSFontName_Small=Caf\xc3\xa9,Caf\xc3\xa9,Caf\xc3\xa9 Italic\r\n"
    "gOSFontSize_SmallLCD=-9,-9,-16\r\ngLocalizationFile=ui\\MTM2-pig.loc\r\n"
    "gOSFontCharset=0\r\ngOSFontUse_Large=1\r\ngOSFontName_Medium=Empty\r\n"
    "gOSFontName_Large=" + k49 + "\r\ngOSFontSize_Small=Empty\r\ngOSFontSize_Medium=Empty\r\n"
    "gOSFontSize_Large=Empty\r\n\r\n[Sound]\r\nvolume=7\r\n"
    "[Game]\r\nkookyHornFlag=1\r\nlatencyDisplay=2\r\nshowHiddenTrack=666\r\n";

class GameSettingsFile : public ::testing::Test {
protected:
    GameSettingsFile() : fs(platform::CreateFileSystem(game.Folder())) {
        path = game.Folder() + "\\" + kIni;
    }
    test::TestGameFolder game;
    std::unique_ptr<platform::FileSystem> fs;
    std::string path;
};

// A file without a mark is in the game's code page; Notepad saves with a UTF-8 mark, or as
// "Unicode" (UTF-16 LE): the game's profile calls read each and write it back as it was.
struct EncodingCase {
    const char* name;
    std::string (*encode)(const std::string& utf8);
};

void PrintTo(const EncodingCase& c, std::ostream* os) { *os << c.name; }

std::string CodePage(const std::string& utf8) { return text::ToWindows1252(utf8).value(); }
std::string Utf8WithMark(const std::string& utf8) { return "\xEF\xBB\xBF" + utf8; }
std::string Utf16Le(const std::string& utf8) { return test::Utf16File(utf8); }

class GameSettingsEncoding : public GameSettingsFile,
                             public ::testing::WithParamInterface<EncodingCase> {};

TEST_P(GameSettingsEncoding, ReadsTrimmedAndWritesBackOnlyItsOwnLines) {
    game.Write(kIni, GetParam().encode(kShipped));
    auto values = ReadGameSettings(*fs, path);
    const std::string e = "Empty";
    EXPECT_EQ(values, (GameSettingValues{"1", "1", "0", "", e, "Arial,Arial,Arial",
                                         "Caf\xc3\xa9,Caf\xc3\xa9,Caf\xc3\xa9 Italic", e, e,
                                         "-9,-9,-16", e, e, e, "ui\\MTM2-pig.loc", e, e, e}));
    values[0] = "0";
    values[4] = "1";
    values[5] = "Modern,Modern,Modern ";  // the file keeps the blank, reading drops it
    values[8] = k49;                      // the longest the presets hold
    values[14] = "1";
    values[15] = "2";
    values[16] = "666";
    ASSERT_EQ(WriteGameSettings(*fs, path, values), "");
    EXPECT_EQ(game.Read(kIni), GetParam().encode(kWritten));
    values[5] = "Modern,Modern,Modern";
    EXPECT_EQ(ReadGameSettings(*fs, path), values);
}

INSTANTIATE_TEST_SUITE_P(Encodings, GameSettingsEncoding,
                         ::testing::Values(EncodingCase{"CodePage", CodePage},
                                           EncodingCase{"Utf8Mark", Utf8WithMark},
                                           EncodingCase{"Utf16Le", Utf16Le}),
                         [](const auto& param) { return std::string(param.param.name); });

TEST_F(GameSettingsFile, AMissingFileReadsEmptyAndIsCreatedButNotItsFolder) {
    for (const auto& value : ReadGameSettings(*fs, path)) {
        EXPECT_EQ(value, "Empty");
    }
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
    game.Write(kIni, CodePage(kShipped));
    auto values = ReadGameSettings(*fs, path);
    values[5] = "\xe5\xae\x8b\xe4\xbd\x93";  // a face the code page cannot hold
    EXPECT_NE(WriteGameSettings(*fs, path, values), "");
    values[5] = "Arial\r\n[Fonts]";
    EXPECT_NE(WriteGameSettings(*fs, path, values), "");
    values[5] = "Arial,Arial,Arial";
    test::FailingFileSystem failing(*fs);
    failing.failWith = "No space left on device";
    EXPECT_EQ(WriteGameSettings(failing, path, values), "No space left on device");
    EXPECT_EQ(game.Read(kIni), CodePage(kShipped));

    game.MakeFolder("system\\Folder.ini");
    EXPECT_NE(WriteGameSettings(*fs, game.Folder() + "\\system\\Folder.ini", values), "");
    EXPECT_TRUE(game.Exists("system\\Folder.ini"));
}

TEST_F(GameSettingsFile, AFileOverFourMebibytesIsNeitherReadNorReplaced) {
    const std::string head = "[Fonts]\r\ngOSFontUseGlobal=1\r\n";
    game.Write(kIni, head);
    std::filesystem::resize_file(game.Native(kIni), 4 << 20);  // the rest one line of NULs
    EXPECT_EQ(ReadGameSettings(*fs, path)[0], "1");
    std::filesystem::resize_file(game.Native(kIni), (4 << 20) + 1);
    EXPECT_EQ(ReadGameSettings(*fs, path)[0], "Empty");
    GameSettingValues values;
    values.fill("0");
    EXPECT_EQ(WriteGameSettings(*fs, path, values), "the file is too large");
    EXPECT_EQ(game.Read(kIni).substr(0, head.size()), head);
    EXPECT_EQ(std::filesystem::file_size(game.Native(kIni)), (4u << 20) + 1);
}

}  // namespace
}  // namespace marvok::gameoptions
