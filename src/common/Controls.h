#pragma once
// The state the main window's controls show (enabled, checked, visible), kept in the core so
// every rule about it is tested without a window. Controls are named as the widgets' objectName;
// an item of a control array is "name_index" (menuFile_0, toolbar_8).

#include <cstdint>
#include <map>
#include <string>
#include <string_view>

namespace marvok {

std::string ControlName(std::string_view array, int index);

class Controls {
public:
    bool Enabled(std::string_view name) const { return Get(name).enabled; }
    bool Checked(std::string_view name) const { return Get(name).checked; }
    bool Visible(std::string_view name) const { return Get(name).visible; }
    void SetEnabled(std::string_view name, bool value);
    void SetChecked(std::string_view name, bool value);
    void SetVisible(std::string_view name, bool value);

    std::uint64_t Revision() const { return revision_; }

private:
    struct State {
        bool enabled = true;
        bool checked = false;
        bool visible = true;
    };
    State Get(std::string_view name) const;
    State& At(std::string_view name);

    std::map<std::string, State, std::less<>> states_;
    std::uint64_t revision_ = 0;
};

}  // namespace marvok
