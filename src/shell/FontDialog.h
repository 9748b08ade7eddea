#pragma once
// The port for the font dialog: the windows implement it with the platform's dialog, tests with
// a scripted fake.

#include <string>

namespace marvok {

// A font as the dialog edits it.
struct FontObject {
    std::string Name;
    double Size = 8.25;  // points
    bool Bold = false;
    bool Italic = false;
    bool Underline = false;
    bool Strikethrough = false;
    int Weight = 400;
};

class FontDialog {
public:
    virtual ~FontDialog() = default;
    // Lists the screen fonts starting from curFont. When the user confirms, curFont becomes the
    // chosen font and the answer is true; a cancel leaves curFont as it was.
    virtual bool ChooseFont(FontObject& curFont) = 0;
};

}  // namespace marvok
