#include "gameoptions/FontsAndThings.h"

#include <cmath>

#include "common/Text.h"

namespace marvok::gameoptions {
namespace {

constexpr std::array<std::string_view, kPresetCount + 1> kPresetNames = {
    "~ Use Presets ~", "Preset (Stock)", "Preset (M)", "Preset (C)",
    "Preset (J)",      "Preset (S)",     "Preset (B)"};

// One row per preset, in key order.
const std::array<GameSettingValues, kPresetCount> kPresets = {{
    {"0", "0", "0", "0", "0", "Arial,Arial,Arial", "Arial,Arial,Arial", "Arial,Arial,Arial Bold",
     "Arial,Arial,Arial Bold", "-9,-9,-16", "-9,-9,-16", "-10,-10,-16", "-10,-10,-26",
     "UI\\MTM2.loc", "1", "2", "0"},
    {"1", "1", "1", "0", "1", "Modern,Modern,Modern", "Modern,Modern,Modern",
     "Arial,Arial,Arial Bold", "Modern,Modern,Modern", "-9,-9,-10", "-9,-9,-10", "-10,-10,-16",
     "-10,-10,-6", "UI\\MTM2.loc", "1", "2", "0"},
    {"1", "1", "1", "0", "1", "Modern,Modern,Modern", "Modern,Modern,Modern",
     "Arial,Arial,Arial Bold", "System,System,System", "-9,-9,-10", "-9,-9,-10", "-10,-10,-16",
     "-10,-10,-8", "UI\\MTM2.loc", "1", "2", "0"},
    {"1", "1", "1", "0", "1", "Modern,Modern,Modern ", "Modern,Modern,Modern ",
     "Arial,Arial,Arial Bold", "Modern,Modern,Modern", "-9,-9,-10", "-9,-9,-10", "-10,-10,-16",
     "-10,-10,-12", "UI\\MTM2.loc", "1", "2", "0"},
    {"1", "1", "1", "0", "1", "Tahoma,Tahoma,Tahoma", "Tahoma,Tahoma,Tahoma",
     "Tahoma,Tahoma,Tahoma Bold", "Tahoma,Tahoma,Tahoma", "-9,-9,-10", "-9,-9,-10", "-10,-10,-16",
     "-10,-10,-12", "UI\\MTM2.loc", "1", "2", "0"},
    {"1", "1", "1", "1", "1", "Tahoma,Tahoma,Tahoma Bold", "Verdana,Verdana,Verdana Italic",
     "Tahoma,Tahoma,Tahoma Bold", "Lucida Console,Lucida Console,Lucida Console Bold", "-9,-9,-14",
     "-9,-9,-12", "-10,-10,-14", "-10,-10,-28", "UI\\MTM2.loc", "1", "2", "0"},
}};

// The language files the options stand for, as written.
constexpr std::array<std::string_view, 3> kLocalizationFiles = {"UI\\MTM2.loc", "UI\\MTM2-FUN.loc",
                                                                "UI\\MTM2-PIG.loc"};

}  // namespace

const std::array<std::string_view, kPresetCount + 1>& PresetNames() {
    return kPresetNames;
}

const GameSettingValues& PresetValues(int n) {
    return kPresets.at(static_cast<std::size_t>(n - 1));
}

std::string FontNameText(const FontObject& font) {
    std::string name = font.Name + "," + font.Name + "," + font.Name;
    if (font.Bold) {
        name += " Bold";
    }
    if (font.Italic) {
        name += " Italic";
    }
    return name;
}

std::string FontSizeText(int area, double pointSize) {
    const std::string head = area <= 1 ? "-9,-9,-" : "-10,-10,-";
    return head + std::to_string(std::lround(pointSize));
}

std::optional<FontObject> RowFont(std::string_view nameValue, std::string_view sizeValue) {
    const std::string nameText = text::Trim(nameValue);
    const std::string sizeText = text::Trim(sizeValue);
    const auto lastComma = nameText.rfind(',');
    if (lastComma == std::string_view::npos || nameText.find(',') == lastComma) {
        return std::nullopt;
    }
    FontObject font;
    std::string_view face = std::string_view(nameText).substr(lastComma + 1);
    const auto dropSuffix = [&face](std::string_view suffix) {
        if (face.size() > suffix.size() && face.substr(face.size() - suffix.size()) == suffix) {
            face.remove_suffix(suffix.size());
            return true;
        }
        return false;
    };
    font.Italic = dropSuffix(" Italic");
    font.Bold = dropSuffix(" Bold");
    font.Name = text::Trim(face);
    const auto sizeStart = sizeText.find_last_of(",-");
    const std::string_view digits = sizeStart == std::string::npos
                                        ? std::string_view(sizeText)
                                        : std::string_view(sizeText).substr(sizeStart + 1);
    if (font.Name.empty() || digits.empty() || digits.size() > 3 ||
        digits.find_first_not_of("0123456789") != std::string_view::npos) {
        return std::nullopt;
    }
    font.Size = std::stoi(std::string(digits));
    if (font.Size <= 0) {
        return std::nullopt;
    }
    return font;
}

void ShowValues(const GameSettingValues& values, MonsterControls& controls) {
    for (std::size_t i = 0; i < 5; ++i) {
        controls.chkValue[i] = values[i] == "1";
    }
    for (std::size_t j = 0; j < 8; ++j) {
        controls.labelVal[j] = values[5 + j];
    }
    for (std::size_t k = 0; k < kLocalizationFiles.size(); ++k) {
        if (text::EqualsIgnoringCase(values[13], kLocalizationFiles[k])) {
            controls.opLoc = static_cast<int>(k);
        }
    }
    controls.chkThings[0] = values[14] == "1";
    controls.chkThings[1] = values[15] == "1";
    controls.chkThings[2] = values[16] == "666";
    ApplyMasterRule(controls);
}

void ApplyMasterRule(MonsterControls& controls) {
    const bool master = controls.chkValue[0];
    controls.combo1Enabled = master;
    for (std::size_t i = 1; i <= 4; ++i) {
        controls.chkValueEnabled[i] = master;
        controls.commFontEnabled[i - 1] = master && controls.chkValue[i];
    }
}

void CollectValues(const MonsterControls& controls, GameSettingValues& values) {
    for (std::size_t i = 0; i < 5; ++i) {
        values[i] = std::string(controls.chkValue[i] ? "1" : "0");
    }
    for (std::size_t j = 0; j < 8; ++j) {
        values[5 + j] = controls.labelVal[j];
    }
    if (controls.opLoc >= 0 && controls.opLoc < static_cast<int>(kLocalizationFiles.size())) {
        values[13] = kLocalizationFiles[static_cast<std::size_t>(controls.opLoc)];
    }
    // Assigned as whole strings: GCC 12 warns falsely on assigning these literals at -O2.
    values[14] = std::string(controls.chkThings[0] ? "1" : "0");
    values[15] = std::string(controls.chkThings[1] ? "1" : "2");
    values[16] = std::string(controls.chkThings[2] ? "666" : "0");
}

FontsAndThings::FontsAndThings(Session& session, FontDialog& fonts, FontObject defaultFont,
                               std::function<void(bool)> topMost)
    : session_(session),
      fonts_(fonts),
      text1Font_(std::move(defaultFont)),
      topMost_(std::move(topMost)) {}

void FontsAndThings::FormLoad() {
    values_ = ReadGameSettings(session_.fs, session_.MonsterIniPath);
    controls_.combo1 = 0;
    ShowValues(values_, controls_);
    if (topMost_) {
        topMost_(true);
    }
}

void FontsAndThings::ChkValueClick(int index, bool checked) {
    if (index < 0 || index > 4) {
        return;
    }
    controls_.chkValue[static_cast<std::size_t>(index)] = checked;
    if (index == 0) {
        ApplyMasterRule(controls_);
    } else {
        controls_.commFontEnabled[static_cast<std::size_t>(index - 1)] = checked;
    }
}

void FontsAndThings::Combo1Click(int index) {
    controls_.combo1 = index;
    if (index >= 1 && index <= kPresetCount) {
        ApplyPreset(index);
    }
}

void FontsAndThings::ApplyPreset(int n) {
    values_ = PresetValues(n);
    ShowValues(values_, controls_);
}

void FontsAndThings::CommFontClick(int area) {
    // One dialog at a time: a second one would mark the browser closed while the first is up.
    if (area < 0 || area > 3 || fontBrowserState_ == "open") {
        return;
    }
    if (topMost_) {
        topMost_(false);
    }
    controls_.combo1 = 0;
    fontBrowserState_ = "open";
    // The dialog opens on the face and size the row shows, so that OK on what was there keeps
    // it; a row that names no font starts from the last one confirmed.
    const auto row = static_cast<std::size_t>(area);
    const std::optional<FontObject> shown =
        RowFont(controls_.labelVal[row], controls_.labelVal[row + 4]);
    FontObject start = text1Font_;
    if (shown) {
        start.Name = shown->Name;
        start.Size = shown->Size;
        start.Bold = shown->Bold;
        start.Italic = shown->Italic;
    }
    FontObject chosen = start;
    if (fonts_.ChooseFont(chosen)) {
        text1Font_ = chosen;
        const bool unchanged = shown && text::EqualsIgnoringCase(chosen.Name, start.Name) &&
                               std::lround(chosen.Size) == std::lround(start.Size) &&
                               chosen.Bold == start.Bold && chosen.Italic == start.Italic;
        if (!unchanged) {
            controls_.labelVal[row] = FontNameText(chosen);
            controls_.labelVal[row + 4] = FontSizeText(area, chosen.Size);
        }
    }
    fontBrowserState_ = "closed";
    if (topMost_) {
        topMost_(true);
    }
}

bool FontsAndThings::FontBrowserOpen() {
    if (fontBrowserState_ != "open") {
        return false;
    }
    session_.ui.ShowMessage(kBusyTitle, kBusyText, MessageIcon::Exclamation, MessageButtons::Ok);
    return true;
}

bool FontsAndThings::SaveClick() {
    if (FontBrowserOpen()) {
        return false;
    }
    if (!controls_.chkValue[0]) {
        ApplyPreset(1);
    }
    CollectValues(controls_, values_);
    const std::string error = WriteGameSettings(session_.fs, session_.MonsterIniPath, values_);
    if (!error.empty()) {
        // The window stays open with the user's choices, so nothing is lost.
        session_.ui.ShowMessage(
            "Fonts & things",
            "Could not save " + session_.fs.NativePath(session_.MonsterIniPath) + ":\n" + error,
            MessageIcon::Exclamation, MessageButtons::Ok);
        return false;
    }
    return true;
}

bool FontsAndThings::CancelClick() {
    return !FontBrowserOpen();
}

}  // namespace marvok::gameoptions
