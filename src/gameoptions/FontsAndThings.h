#pragma once
// The rules of the "Fonts & things" window (formMonster), kept out of the widgets: what each
// control shows, the enabling rule, the presets, the font browser and the saving.

#include <array>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "common/Session.h"
#include "gameoptions/GameSettings.h"
#include "shell/FontDialog.h"

namespace marvok::gameoptions {

// The state of the window's controls.
struct MonsterControls {
    std::array<bool, 5> chkValue{};       // master switch, then the four areas
    std::array<std::string, 8> labelVal;  // names of the four areas, then their sizes
    int opLoc = -1;                       // the selected language option; -1 for none
    std::array<bool, 3> chkThings{};      // Extra Horns, Digital Latency, Hidden Track
    int combo1 = 0;                       // the preset shown; 0 "~ Use Presets ~"
    bool combo1Enabled = true;
    std::array<bool, 5> chkValueEnabled{true, true, true, true, true};
    std::array<bool, 4> commFontEnabled{true, true, true, true};
};

inline constexpr int kPresetCount = 6;
// The entries of Combo1: "~ Use Presets ~", then the six presets.
const std::array<std::string_view, kPresetCount + 1>& PresetNames();
// The seventeen values of preset n, 1 ("Preset (Stock)") to 6 ("Preset (B)").
const GameSettingValues& PresetValues(int n);

// "Verdana,Verdana,Verdana Bold Italic": the face three times, then the style.
std::string FontNameText(const FontObject& font);
// "-9,-9,-12": areas 0 and 1 start "-9,-9,-", areas 2 and 3 "-10,-10,-"; then the point size.
std::string FontSizeText(int area, double pointSize);

// The font a row shows, read back from its two texts: the last face of the name triple with its
// style suffixes, and the size triple's last entry. Nothing when the name text is not a triple
// or the size text does not end in a number.
std::optional<FontObject> RowFont(std::string_view nameText, std::string_view sizeText);

void ShowValues(const GameSettingValues& values, MonsterControls& controls);
// The enabling rule as for a click on the master switch.
void ApplyMasterRule(MonsterControls& controls);
void CollectValues(const MonsterControls& controls, GameSettingValues& values);

class FontsAndThings {
  public:
    inline static constexpr std::string_view kBusyTitle = "We're not dont yet";
    inline static constexpr std::string_view kBusyText = "Close the font browser first!";

    // defaultFont: the window's own font, where the font dialog starts the first time.
    // topMost(true|false): puts the window into or out of the topmost band.
    FontsAndThings(Session& session, FontDialog& fonts, FontObject defaultFont,
                   std::function<void(bool)> topMost);

    void FormLoad();
    void ChkValueClick(int index, bool checked);
    void Combo1Click(int index);
    void ApplyPreset(int n);
    void CommFontClick(int area);
    // Each answers whether the window closes now.
    bool SaveClick();
    bool CancelClick();

    MonsterControls& Controls() { return controls_; }
    const MonsterControls& Controls() const { return controls_; }
    const GameSettingValues& Values() const { return values_; }
    const std::string& FontBrowserState() const { return fontBrowserState_; }
    const FontObject& Text1Font() const { return text1Font_; }

  private:
    bool FontBrowserOpen();

    Session& session_;
    FontDialog& fonts_;
    FontObject text1Font_;
    std::function<void(bool)> topMost_;
    GameSettingValues values_;
    MonsterControls controls_;
    std::string fontBrowserState_;
};

}  // namespace marvok::gameoptions
