#include "common/Controls.h"

namespace marvok {

std::string ControlName(std::string_view array, int index) {
    return std::string(array) + "_" + std::to_string(index);
}

Controls::State Controls::Get(std::string_view name) const {
    auto it = states_.find(name);
    return it == states_.end() ? State{} : it->second;
}

Controls::State& Controls::At(std::string_view name) {
    auto it = states_.find(name);
    if (it == states_.end()) {
        it = states_.emplace(std::string(name), State{}).first;
    }
    return it->second;
}

void Controls::SetEnabled(std::string_view name, bool value) {
    At(name).enabled = value;
    ++revision_;
}

void Controls::SetChecked(std::string_view name, bool value) {
    At(name).checked = value;
    ++revision_;
}

void Controls::SetVisible(std::string_view name, bool value) {
    At(name).visible = value;
    ++revision_;
}

}  // namespace marvok
