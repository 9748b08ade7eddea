// The rules of the "Fonts & things" window, driven without a window.

#include <gtest/gtest.h>

#include <vector>

#include "gameoptions/FontsAndThings.h"
#include "shell/PrivateProfile.h"
#include "support/FailingFileSystem.h"
#include "support/FakeFontDialog.h"
#include "support/SessionFixture.h"

namespace marvok::gameoptions {
namespace {

constexpr const char* kIni = "system\\Monster.ini";

class FontsAndThingsWindow : public test::SessionFixture {
  protected:
    FontsAndThingsWindow()
        : window(session, fonts, FontObject{"MS Sans Serif", 8.25},
                 [this](bool onTop) { topMost.push_back(onTop); }) {}

    void Open(const std::string& content) {
        game.Write(kIni, content);
        window.FormLoad();
    }
    // The raw value in the file, as the game would read it (not trimmed).
    std::string Stored(const char* section, const char* key) {
        const std::string content = game.Read(kIni);
        const auto profile = PrivateProfile::Parse(content);
        for (const auto& name : profile.Keys(section)) {
            if (name == key) {
                const auto start = content.find(std::string("\n") + key + "=");
                const auto from = start + std::string(key).size() + 2;
                return content.substr(from, content.find('\r', from) - from);
            }
        }
        return "<missing>";
    }

    test::FakeFontDialog fonts;
    std::vector<bool> topMost;
    FontsAndThings window;
};

const std::string kMasterOff =
    "[Fonts]\r\ngOSFontUseGlobal=0\r\ngOSFontUse_SmallLCD=1\r\ngOSFontUse_Small=1\r\n"
    "gOSFontUse_Medium=1\r\ngOSFontUse_Large=1\r\n";

TEST_F(FontsAndThingsWindow, MasterSwitchOffDisablesEverythingBelowIt) {
    Open(kMasterOff);
    const auto& c = window.Controls();
    EXPECT_FALSE(c.combo1Enabled);
    for (int i = 1; i <= 4; ++i) {
        EXPECT_TRUE(c.chkValue[i]) << i;
        EXPECT_FALSE(c.chkValueEnabled[i]) << i;
        EXPECT_FALSE(c.commFontEnabled[i - 1]) << i;
    }
    EXPECT_EQ(topMost, std::vector<bool>{true});
}

TEST_F(FontsAndThingsWindow, EachFontButtonFollowsItsOwnBoxOnceTheMasterIsOn) {
    Open("[Fonts]\r\ngOSFontUseGlobal=0\r\ngOSFontUse_SmallLCD=1\r\ngOSFontUse_Medium=1\r\n");
    window.ChkValueClick(0, true);
    const auto& c = window.Controls();
    EXPECT_TRUE(c.combo1Enabled);
    EXPECT_EQ(c.chkValueEnabled, (std::array<bool, 5>{true, true, true, true, true}));
    EXPECT_EQ(c.commFontEnabled, (std::array<bool, 4>{true, false, true, false}));
    window.ChkValueClick(2, true);
    window.ChkValueClick(1, false);
    EXPECT_EQ(c.commFontEnabled, (std::array<bool, 4>{false, true, true, false}));
    window.ChkValueClick(0, false);
    EXPECT_EQ(c.commFontEnabled, (std::array<bool, 4>{false, false, false, false}));
    EXPECT_FALSE(c.combo1Enabled);
}

// A few telling cells of each preset as they must reach the file.
struct PresetCase {
    int index;
    const char* name;
    const char* key;
    const char* stored;
};

void PrintTo(const PresetCase& c, std::ostream* os) {
    *os << c.name << " " << c.key;
}

class PresetToFile : public FontsAndThingsWindow,
                     public ::testing::WithParamInterface<PresetCase> {};

TEST_P(PresetToFile, SavingAPresetWritesItsExactCell) {
    const PresetCase& c = GetParam();
    Open("[Fonts]\r\ngOSFontUseGlobal=1\r\n");
    EXPECT_EQ(PresetNames()[static_cast<std::size_t>(c.index)], c.name);
    window.Combo1Click(c.index);
    EXPECT_EQ(game.Read(kIni), "[Fonts]\r\ngOSFontUseGlobal=1\r\n") << "nothing before Save";
    ASSERT_TRUE(window.SaveClick());
    const std::string section = std::string(c.key).rfind("g", 0) == 0 ? "Fonts" : "Game";
    EXPECT_EQ(Stored(section.c_str(), c.key), c.stored);
}

INSTANTIATE_TEST_SUITE_P(
    Cells, PresetToFile,
    ::testing::Values(
        PresetCase{1, "Preset (Stock)", "gOSFontUseGlobal", "0"},
        PresetCase{1, "Preset (Stock)", "gOSFontSize_Large", "-10,-10,-26"},
        PresetCase{2, "Preset (M)", "gOSFontUse_Medium", "0"},
        PresetCase{2, "Preset (M)", "gOSFontSize_Large", "-10,-10,-6"},
        PresetCase{3, "Preset (C)", "gOSFontName_Large", "System,System,System"},
        PresetCase{3, "Preset (C)", "gOSFontSize_Large", "-10,-10,-8"},
        PresetCase{4, "Preset (J)", "gOSFontName_SmallLCD", "Modern,Modern,Modern "},
        PresetCase{4, "Preset (J)", "gOSFontName_Small", "Modern,Modern,Modern "},
        PresetCase{4, "Preset (J)", "gOSFontName_Large", "Modern,Modern,Modern"},
        PresetCase{5, "Preset (S)", "gOSFontName_Medium", "Tahoma,Tahoma,Tahoma Bold"},
        PresetCase{5, "Preset (S)", "gOSFontSize_Large", "-10,-10,-12"},
        PresetCase{6, "Preset (B)", "gOSFontUse_Medium", "1"},
        PresetCase{6, "Preset (B)", "gOSFontName_Small", "Verdana,Verdana,Verdana Italic"},
        PresetCase{6, "Preset (B)", "gOSFontSize_SmallLCD", "-9,-9,-14"},
        PresetCase{6, "Preset (B)", "gOSFontSize_Medium", "-10,-10,-14"},
        PresetCase{6, "Preset (B)", "latencyDisplay", "2"},
        PresetCase{6, "Preset (B)", "kookyHornFlag", "1"}),
    [](const auto& param) {
        return "Preset" + std::to_string(param.param.index) + "_" + param.param.key;
    });

TEST_F(FontsAndThingsWindow, PresetBShowsEveryFontOnAndTheLargeAreaRow) {
    Open(kMasterOff + "gLocalizationFile=UI\\MTM2-FUN.loc\r\n");
    window.ChkValueClick(0, true);
    window.Combo1Click(6);
    const auto& c = window.Controls();
    EXPECT_EQ(c.chkValue, (std::array<bool, 5>{true, true, true, true, true}));
    EXPECT_EQ(c.labelVal[3], "Lucida Console,Lucida Console,Lucida Console Bold");
    EXPECT_EQ(c.labelVal[7], "-10,-10,-28");
    EXPECT_EQ(c.opLoc, 0);
    EXPECT_EQ(c.chkThings, (std::array<bool, 3>{true, false, false}));
    window.Combo1Click(0);  // "~ Use Presets ~" changes nothing
    EXPECT_EQ(c.labelVal[3], "Lucida Console,Lucida Console,Lucida Console Bold");
}

TEST_F(FontsAndThingsWindow, SavingWithTheMasterOffWritesTheStockColumn) {
    Open(kMasterOff + "gLocalizationFile=UI\\MTM2-FUN.loc\r\n[Game]\r\nlatencyDisplay=1\r\n");
    auto& c = window.Controls();
    c.opLoc = 2;
    c.chkThings = {false, true, true};
    c.labelVal[0] = "Impact,Impact,Impact";
    ASSERT_TRUE(window.SaveClick());
    EXPECT_EQ(ReadGameSettings(*fs, session.MonsterIniPath), PresetValues(1));
    EXPECT_EQ(c.labelVal[0], "Arial,Arial,Arial") << "the window shows what it wrote";
}

TEST_F(FontsAndThingsWindow, SavingUnchangedRewritesFlagsAsTheirOwnTexts) {
    Open(
        "[Fonts]\r\ngOSFontUseGlobal=1\r\ngOSFontUse_SmallLCD=yes\r\n"
        "gOSFontName_Medium=Impact,Impact,Impact\r\ngLocalizationFile=UI\\Klingon.loc\r\n"
        "[Game]\r\nkookyHornFlag=1\r\nlatencyDisplay=0\r\nshowHiddenTrack=1\r\n");
    EXPECT_EQ(window.Controls().opLoc, -1);
    ASSERT_TRUE(window.SaveClick());
    const auto values = ReadGameSettings(*fs, session.MonsterIniPath);
    EXPECT_EQ(values[0], "1");
    EXPECT_EQ(values[1], "0");      // "yes" is not the on text
    EXPECT_EQ(values[2], "0");      // "Empty" became off
    EXPECT_EQ(values[5], "Empty");  // a name still showing "Empty" is written back as shown
    EXPECT_EQ(values[7], "Impact,Impact,Impact");
    EXPECT_EQ(values[13], "UI\\Klingon.loc");
    EXPECT_EQ(values[14], "1");
    EXPECT_EQ(values[15], "2");  // off is "2" for the latency display
    EXPECT_EQ(values[16], "0");  // only "666" is on
}

TEST_F(FontsAndThingsWindow, LanguageAndThingsMapToTheirTexts) {
    Open(
        "[Fonts]\r\ngOSFontUseGlobal=1\r\ngLocalizationFile=ui\\mtm2-PIG.loc\r\n"
        "[Game]\r\nlatencyDisplay=1\r\n");
    auto& c = window.Controls();
    EXPECT_EQ(c.opLoc, 2);
    EXPECT_TRUE(c.chkThings[1]);
    c.opLoc = 1;
    c.chkThings = {false, false, true};
    ASSERT_TRUE(window.SaveClick());
    EXPECT_EQ(Stored("Fonts", "gLocalizationFile"), "UI\\MTM2-FUN.loc");
    EXPECT_EQ(Stored("Game", "latencyDisplay"), "2");
    EXPECT_EQ(Stored("Game", "showHiddenTrack"), "666");
    EXPECT_EQ(Stored("Game", "kookyHornFlag"), "0");
}

TEST_F(FontsAndThingsWindow, ConfirmedFontFillsTheAreaRow) {
    Open("[Fonts]\r\ngOSFontUseGlobal=1\r\ngOSFontUse_Small=1\r\n");
    window.Combo1Click(3);
    FontObject verdana{"Verdana", 12, true, true};
    fonts.answer = verdana;
    window.CommFontClick(1);
    const auto& c = window.Controls();
    EXPECT_EQ(c.labelVal[1], "Verdana,Verdana,Verdana Bold Italic");
    EXPECT_EQ(c.labelVal[5], "-9,-9,-12");
    EXPECT_EQ(c.combo1, 0);
    EXPECT_EQ(window.FontBrowserState(), "closed");
    EXPECT_EQ(topMost, (std::vector<bool>{true, false, true}));

    fonts.answer = FontObject{"Tahoma", 15.6};
    window.CommFontClick(3);
    EXPECT_EQ(c.labelVal[3], "Tahoma,Tahoma,Tahoma");
    EXPECT_EQ(c.labelVal[7], "-10,-10,-16");
    ASSERT_EQ(fonts.startFonts.size(), 2u);
    EXPECT_EQ(fonts.startFonts[0].Name, "Modern");  // what the preset put in the row
    EXPECT_EQ(fonts.startFonts[1].Name, "System");
    EXPECT_EQ(fonts.startFonts[1].Size, 8);
}

// The dialog opens on the row's own face, style and size; OK on it untouched keeps the row's
// texts as they were, even where they differ from what the program would write.
TEST_F(FontsAndThingsWindow, TheFontDialogStartsFromTheRowAndOkOnItKeepsTheRow) {
    Open(
        "[Fonts]\r\ngOSFontUseGlobal=1\r\ngOSFontName_SmallLCD=Modern,Modern,Modern \r\n"
        "gOSFontName_Small=Arial,Arial,Arial Bold\r\ngOSFontSize_Small=-9,-9,-12\r\n"
        "gOSFontName_Medium=Verdana,Verdana,Verdana Bold Italic\r\n"
        "gOSFontSize_Medium=-10,-10,-16\r\n"
        "gOSFontName_Large=Lucida Console,Lucida Console,Lucida Console\r\n"
        "gOSFontSize_Large=-10,-10,-28\r\n");
    struct Row {
        int area;
        FontObject start;
    };
    const Row rows[] = {{1, {"Arial", 12, true, false}},
                        {2, {"Verdana", 16, true, true}},
                        {3, {"Lucida Console", 28, false, false}}};
    fonts.okUnchanged = true;
    const auto before = window.Controls().labelVal;
    for (const Row& row : rows) {
        fonts.startFonts.clear();
        window.CommFontClick(row.area);
        ASSERT_EQ(fonts.startFonts.size(), 1u);
        const FontObject& start = fonts.startFonts[0];
        EXPECT_EQ(start.Name, row.start.Name) << row.area;
        EXPECT_EQ(start.Size, row.start.Size) << row.area;
        EXPECT_EQ(start.Bold, row.start.Bold) << row.area;
        EXPECT_EQ(start.Italic, row.start.Italic) << row.area;
    }
    EXPECT_EQ(window.Controls().labelVal, before);
    // A row without a size to read starts from the last font confirmed.
    fonts.startFonts.clear();
    window.CommFontClick(0);
    EXPECT_EQ(fonts.startFonts.at(0).Name, "Lucida Console");

    // A real change is written the program's way.
    fonts.okUnchanged = false;
    fonts.answer = FontObject{"Arial", 13, true, false};
    window.CommFontClick(1);
    EXPECT_EQ(window.Controls().labelVal[1], "Arial,Arial,Arial Bold");
    EXPECT_EQ(window.Controls().labelVal[5], "-9,-9,-13");
}

TEST(RowFont, ReadsTheLastFaceAndTheLastSizeOrNothing) {
    EXPECT_FALSE(RowFont("Empty", "Empty"));
    EXPECT_FALSE(RowFont("Arial", "-9,-9,-12"));            // not a triple
    EXPECT_FALSE(RowFont("Arial,Arial,Arial", "-9,-9,x"));  // no size
    EXPECT_FALSE(RowFont("Arial,Arial,Arial", "-9,-9,-0"));
    const auto bold = RowFont("Tahoma,Tahoma,Tahoma Bold", " -10,-10,-14 ");
    ASSERT_TRUE(bold);
    EXPECT_EQ(bold->Name, "Tahoma");
    EXPECT_TRUE(bold->Bold);
    EXPECT_FALSE(bold->Italic);
    EXPECT_EQ(bold->Size, 14);
    // "Italic" only after "Bold", as the program writes them.
    const auto both = RowFont("Verdana,Verdana,Verdana Bold Italic", "-9,-9,-12");
    ASSERT_TRUE(both);
    EXPECT_EQ(both->Name, "Verdana");
    EXPECT_TRUE(both->Bold && both->Italic);
}

TEST_F(FontsAndThingsWindow, CancelledFontLeavesTheRowButResetsThePresetList) {
    Open("[Fonts]\r\ngOSFontUseGlobal=1\r\n");
    window.Combo1Click(5);
    fonts.answer.reset();
    window.CommFontClick(0);
    EXPECT_EQ(window.Controls().labelVal[0], "Tahoma,Tahoma,Tahoma");
    EXPECT_EQ(window.Controls().combo1, 0);
    EXPECT_EQ(window.FontBrowserState(), "closed");
    EXPECT_EQ(topMost, (std::vector<bool>{true, false, true}));
}

TEST_F(FontsAndThingsWindow, SaveAndCancelWaitForTheFontBrowser) {
    Open("[Fonts]\r\ngOSFontUseGlobal=1\r\n");
    const std::string before = game.Read(kIni);
    std::vector<bool> closed;
    fonts.whileOpen = [&] {
        EXPECT_EQ(window.FontBrowserState(), "open");
        closed.push_back(window.SaveClick());
        closed.push_back(window.CancelClick());
        window.CommFontClick(2);  // a second browser is not opened meanwhile
    };
    window.CommFontClick(0);
    EXPECT_EQ(closed, (std::vector<bool>{false, false}));
    EXPECT_EQ(fonts.startFonts.size(), 1u);
    ASSERT_EQ(ui.messages.size(), 2u);
    for (const auto& m : ui.messages) {
        EXPECT_EQ(m.title, "We're not dont yet");
        EXPECT_EQ(m.text, "Close the font browser first!");
        EXPECT_EQ(m.icon, MessageIcon::Exclamation);
        EXPECT_EQ(m.buttons, MessageButtons::Ok);
    }
    EXPECT_EQ(game.Read(kIni), before);
    // Once it is closed both buttons work again.
    EXPECT_TRUE(window.CancelClick());
    EXPECT_EQ(ui.messages.size(), 2u);
}

TEST_F(FontsAndThingsWindow, FailedSaveIsReportedAndTheWindowStays) {
    Open("[Fonts]\r\ngOSFontUseGlobal=1\r\n");
    test::FailingFileSystem failing(*fs);
    failing.failWith = "Read-only file system";
    Session other(failing, settings, ui);
    other.MonsterIniPath = session.MonsterIniPath;
    FontsAndThings stuck(other, fonts, FontObject{}, nullptr);
    stuck.FormLoad();
    stuck.Combo1Click(6);
    EXPECT_FALSE(stuck.SaveClick());
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_NE(ui.messages[0].text.find("Monster.ini"), std::string::npos);
    EXPECT_NE(ui.messages[0].text.find("Read-only file system"), std::string::npos);
    EXPECT_EQ(ui.messages[0].icon, MessageIcon::Exclamation);
    EXPECT_EQ(stuck.Controls().labelVal[7], "-10,-10,-28") << "the choices stay on screen";
    EXPECT_EQ(game.Read(kIni), "[Fonts]\r\ngOSFontUseGlobal=1\r\n");
}

TEST(FontTexts, NameAndSizeAreBuiltAsTheGameReadsThem) {
    EXPECT_EQ(FontNameText({"Arial", 10, true, false}), "Arial,Arial,Arial Bold");
    EXPECT_EQ(FontNameText({"Arial", 10, false, true}), "Arial,Arial,Arial Italic");
    EXPECT_EQ(FontNameText({"Lucida Console", 10}), "Lucida Console,Lucida Console,Lucida Console");
    EXPECT_EQ(FontSizeText(0, 9.75), "-9,-9,-10");
    EXPECT_EQ(FontSizeText(1, 12), "-9,-9,-12");
    EXPECT_EQ(FontSizeText(2, 16), "-10,-10,-16");
    EXPECT_EQ(FontSizeText(3, 26.4), "-10,-10,-26");
}

}  // namespace
}  // namespace marvok::gameoptions
