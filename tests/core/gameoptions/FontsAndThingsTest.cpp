// The rules of the "Fonts & things" window, driven without a window.

#include <gtest/gtest.h>

#include <tuple>
#include <vector>

#include "gameoptions/FontsAndThings.h"
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
    // Whether the file holds this line byte for byte (blanks kept, as the game reads them).
    bool Holds(const std::string& key, const std::string& value) {
        return game.Read(kIni).find("\n" + key + "=" + value + "\r\n") != std::string::npos;
    }

    // An area's row as shown: its name text, then its size text.
    std::string Row(int area) {
        const auto& label = window.Controls().labelVal;
        const auto i = static_cast<std::size_t>(area);
        return label[i] + "|" + label[i + 4];
    }

    test::FakeFontDialog fonts;
    std::vector<bool> topMost;
    FontsAndThings window;
};

// A font as "Face 12 Bold Italic".
std::string Shown(const std::optional<FontObject>& font) {
    if (!font) {
        return "none";
    }
    return font->Name + " " + std::to_string(static_cast<int>(font->Size)) +
           (font->Bold ? " Bold" : "") + (font->Italic ? " Italic" : "");
}

const std::string kOn = "[Fonts]\r\ngOSFontUseGlobal=1\r\n";
const std::string kMasterOff =
    "[Fonts]\r\ngOSFontUseGlobal=0\r\ngOSFontUse_SmallLCD=1\r\ngOSFontUse_Small=1\r\n"
    "gOSFontUse_Medium=1\r\ngOSFontUse_Large=1\r\n";

TEST_F(FontsAndThingsWindow, TheMasterSwitchGatesEveryAreaAndEachFontButtonFollowsItsBox) {
    Open(kMasterOff);
    const auto& c = window.Controls();
    EXPECT_FALSE(c.combo1Enabled);
    EXPECT_EQ(c.chkValue, (std::array<bool, 5>{false, true, true, true, true}));
    EXPECT_EQ(c.chkValueEnabled, (std::array<bool, 5>{true, false, false, false, false}));
    EXPECT_EQ(c.commFontEnabled, (std::array<bool, 4>{false, false, false, false}));
    EXPECT_EQ(topMost, std::vector<bool>{true});

    Open("[Fonts]\r\ngOSFontUseGlobal=0\r\ngOSFontUse_SmallLCD=1\r\ngOSFontUse_Medium=1\r\n");
    window.ChkValueClick(0, true);
    EXPECT_TRUE(c.combo1Enabled);
    EXPECT_EQ(c.chkValueEnabled, (std::array<bool, 5>{true, true, true, true, true}));
    EXPECT_EQ(c.commFontEnabled, (std::array<bool, 4>{true, false, true, false}));
    window.ChkValueClick(4, true);  // the last box, and one past it that does nothing
    window.ChkValueClick(5, true);
    window.ChkValueClick(1, false);
    EXPECT_EQ(c.commFontEnabled, (std::array<bool, 4>{false, false, true, true}));
    window.ChkValueClick(0, false);
    EXPECT_EQ(c.commFontEnabled, (std::array<bool, 4>{false, false, false, false}));
    EXPECT_FALSE(c.combo1Enabled);
}

TEST_F(FontsAndThingsWindow, APresetIsShownAndSavingWithTheMasterOffWritesTheStockOne) {
    const std::string file =
        kMasterOff + "gLocalizationFile=UI\\MTM2-FUN.loc\r\n[Game]\r\nlatencyDisplay=1\r\n";
    Open(file);
    window.ChkValueClick(0, true);
    window.Combo1Click(6);
    EXPECT_EQ(game.Read(kIni), file) << "nothing before Save";
    auto& c = window.Controls();
    EXPECT_EQ(c.chkValue, (std::array<bool, 5>{true, true, true, true, true}));
    EXPECT_EQ(Row(3), "Lucida Console,Lucida Console,Lucida Console Bold|-10,-10,-28");
    EXPECT_EQ(c.opLoc, 0);
    EXPECT_EQ(c.chkThings, (std::array<bool, 3>{true, false, false}));
    window.Combo1Click(0);  // the head entry changes nothing
    EXPECT_EQ(c.labelVal[3], "Lucida Console,Lucida Console,Lucida Console Bold");

    window.ChkValueClick(0, false);
    c.opLoc = 2;
    c.chkThings = {false, true, true};
    c.labelVal[0] = "Impact,Impact,Impact";
    ASSERT_TRUE(window.SaveClick());
    EXPECT_EQ(ReadGameSettings(*fs, session.MonsterIniPath), PresetValues(1));
    EXPECT_EQ(c.labelVal[0], "Arial,Arial,Arial") << "the window shows what it wrote";
}

TEST_F(FontsAndThingsWindow, SavingUnchangedRewritesFlagsAsTheirOwnTexts) {
    Open(kOn + "gOSFontUse_SmallLCD=yes\r\ngOSFontName_Medium=Impact,Impact,Impact\r\n"
               "gLocalizationFile=UI\\Klingon.loc\r\n"
               "[Game]\r\nkookyHornFlag=1\r\nlatencyDisplay=0\r\nshowHiddenTrack=1\r\n");
    EXPECT_EQ(window.Controls().opLoc, -1);
    ASSERT_TRUE(window.SaveClick());
    // "yes" is not the on text, "Empty" turns off, a name still showing "Empty" is written as
    // shown, off is "2" for the latency display, and only "666" is on for the hidden track.
    const std::string e = "Empty";
    EXPECT_EQ(ReadGameSettings(*fs, session.MonsterIniPath),
              (GameSettingValues{"1", "0", "0", "0", "0", e, e, "Impact,Impact,Impact", e, e, e, e,
                                 e, "UI\\Klingon.loc", "1", "2", "0"}));
}

TEST_F(FontsAndThingsWindow, LanguageOptionsAndThingsMapToTheirTexts) {
    const std::string file = kOn + "gLocalizationFile=ui\\mtm2-PIG.loc\r\n[Game]\r\n"
                                   "latencyDisplay=1\r\n";
    const char* written[] = {"UI\\MTM2.loc", "UI\\MTM2-FUN.loc", "UI\\MTM2-PIG.loc"};
    for (int option = 0; option < 3; ++option) {
        Open(file);
        auto& c = window.Controls();
        EXPECT_EQ(c.opLoc, 2);
        EXPECT_TRUE(c.chkThings[1]);
        c.opLoc = option;
        c.chkThings = {false, false, true};
        ASSERT_TRUE(window.SaveClick());
        EXPECT_TRUE(Holds("gLocalizationFile", written[option])) << option;
        EXPECT_TRUE(Holds("latencyDisplay", "2"));
        EXPECT_TRUE(Holds("showHiddenTrack", "666"));
        EXPECT_TRUE(Holds("kookyHornFlag", "0"));
    }
}

TEST_F(FontsAndThingsWindow, ACancelledFontKeepsTheRowAConfirmedOneFillsIt) {
    Open(kOn + "gOSFontUse_Small=1\r\n");
    window.Combo1Click(5);
    fonts.whileOpen = [&] { window.CommFontClick(2); };  // a second browser is not opened
    window.CommFontClick(0);
    fonts.whileOpen = nullptr;
    const auto& c = window.Controls();
    EXPECT_EQ(c.labelVal[0], "Tahoma,Tahoma,Tahoma");
    EXPECT_EQ(c.combo1, 0) << "the preset list is reset all the same";
    EXPECT_EQ(topMost, (std::vector<bool>{true, false, true}));

    window.Combo1Click(3);
    fonts.answer = FontObject{"Verdana", 12, true, true};
    window.CommFontClick(1);
    EXPECT_EQ(Row(1), "Verdana,Verdana,Verdana Bold Italic|-9,-9,-12");
    EXPECT_EQ(c.combo1, 0);
    EXPECT_EQ(topMost, (std::vector<bool>{true, false, true, false, true}));

    fonts.answer = FontObject{"Tahoma", 15.6};
    window.CommFontClick(3);
    EXPECT_EQ(Row(3), "Tahoma,Tahoma,Tahoma|-10,-10,-16");
    ASSERT_EQ(fonts.startFonts.size(), 3u);
    EXPECT_EQ(Shown(fonts.startFonts[1]), "Modern 10");  // what the preset put in the row
    EXPECT_EQ(Shown(fonts.startFonts[2]), "System 8");
}

// The dialog opens on the row's own face, style and size; OK on it untouched keeps the row's
// texts as they were, even where they differ from what the program would write.
TEST_F(FontsAndThingsWindow, TheFontDialogStartsFromTheRowAndOkOnItKeepsTheRow) {
    Open(kOn + "gOSFontName_SmallLCD=Modern,Modern,Modern \r\n"
               "gOSFontName_Small=Arial,Arial,Arial Bold\r\ngOSFontSize_Small=-8,-8,-12\r\n"
               "gOSFontName_Medium=Verdana, Verdana, Verdana Bold Italic\r\n"
               "gOSFontSize_Medium=-10,-10,-16\r\n"
               "gOSFontName_Large=Lucida Console,Lucida Console,Lucida Console Italic\r\n"
               "gOSFontSize_Large=-12,-12,-28\r\n");
    const char* starts[] = {"Arial 12 Bold", "Verdana 16 Bold Italic", "Lucida Console 28 Italic"};
    fonts.okUnchanged = true;
    const auto before = window.Controls().labelVal;
    for (int area = 1; area <= 3; ++area) {
        fonts.startFonts.clear();
        window.CommFontClick(area);
        ASSERT_EQ(fonts.startFonts.size(), 1u);
        EXPECT_EQ(Shown(fonts.startFonts[0]), starts[area - 1]);
    }
    EXPECT_EQ(window.Controls().labelVal, before);
    // A row without a size to read starts from the last font confirmed, and takes it.
    window.CommFontClick(0);
    EXPECT_EQ(Row(0), "Lucida Console,Lucida Console,Lucida Console Italic|-9,-9,-28");

    // A real change of face, size or style is written the program's way.
    fonts.okUnchanged = false;
    fonts.answer = FontObject{"Arial", 13, true, false};
    window.CommFontClick(1);
    EXPECT_EQ(Row(1), "Arial,Arial,Arial Bold|-9,-9,-13");
    fonts.answer = FontObject{"Verdana", 16.4, true, false};  // only the italic dropped
    window.CommFontClick(2);
    EXPECT_EQ(Row(2), "Verdana,Verdana,Verdana Bold|-10,-10,-16");
}

TEST(RowFont, ReadsTheLastFaceAndTheLastSizeOrNothing) {
    const std::tuple<const char*, const char*, const char*> cases[] = {
        {"Empty", "Empty", "none"}, {"Arial", "-9,-9,-12", "none"},
        {"Arial,Arial", "-9,-9,-12", "none"}, {"Arial,Arial,Arial", "-9,-9,x", "none"},
        {"Arial,Arial,Arial", "-9,-9,-0", "none"}, {"Arial,Arial,Arial", "-9,-9,-1000", "none"},
        {"Arial,Arial,Arial", "-9,-9,-100", "Arial 100"},
        {"Tahoma,Tahoma,Tahoma Bold", " -10,-10,-14 ", "Tahoma 14 Bold"},
        // "Italic" only after "Bold", as the program writes them.
        {"Verdana,Verdana,Verdana Bold Italic", "-9,-9,-12", "Verdana 12 Bold Italic"},
        {"A,A,A Italic Bold", "9", "A Italic 9 Bold"}, {"A,A, Bold", "12", "Bold 12"}};
    for (const auto& [name, size, shown] : cases) {
        EXPECT_EQ(Shown(RowFont(name, size)), shown) << name << " " << size;
    }
}

}  // namespace
}  // namespace marvok::gameoptions
