#pragma once
// A font dialog that answers from a script and can act while it is "open".

#include <functional>
#include <optional>
#include <vector>

#include "shell/FontDialog.h"

namespace marvok::test {

class FakeFontDialog final : public FontDialog {
  public:
    bool ChooseFont(FontObject& curFont) override {
        startFonts.push_back(curFont);
        if (whileOpen) {
            whileOpen();
        }
        if (okUnchanged) {
            return true;
        }
        if (!answer) {
            return false;  // cancelled
        }
        curFont = *answer;
        return true;
    }

    std::optional<FontObject> answer;    // the font confirmed; nothing for a cancel
    bool okUnchanged = false;            // OK on the font it started from
    std::function<void()> whileOpen;     // what the user does meanwhile in other windows
    std::vector<FontObject> startFonts;  // the font each call started from
};

}  // namespace marvok::test
