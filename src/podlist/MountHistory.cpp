#include "podlist/MountHistory.h"

#include "podlist/mCommonFunctions.h"

namespace marvok {

bool MountHistory::State::Holds(const Session& session) const {
    const auto same = [](const std::vector<std::string>& kept, const ListBox& list) {
        if (kept.size() != list.Count()) {
            return false;
        }
        for (std::size_t i = 0; i < kept.size(); ++i) {
            if (kept[i] != list.Item(i)) {
                return false;
            }
        }
        return true;
    };
    if (listName != session.ListName || !same(list1, session.List1) ||
        !same(list2, session.List2) || list3.size() != session.List3.Count()) {
        return false;
    }
    for (std::size_t i = 0; i < list3.size(); ++i) {
        if (list3[i].first != session.List3.Item(i) ||
            list3[i].second != session.List3.Checked(i)) {
            return false;
        }
    }
    return true;
}

std::array<std::uint64_t, 3> MountHistory::Revisions(const Session& session) {
    return {session.List1.Revision(), session.List2.Revision(), session.List3.Revision()};
}

MountHistory::State MountHistory::Capture(const Session& session) {
    State state;
    state.viewMode = session.ViewMode;
    state.list1 = session.List1.Items();
    state.list2 = session.List2.Items();
    state.list3.reserve(session.List3.Count());
    for (std::size_t i = 0; i < session.List3.Count(); ++i) {
        state.list3.emplace_back(session.List3.Item(i), session.List3.Checked(i));
    }
    state.listName = session.ListName;
    state.notMounted = session.NotMounted;
    state.revisions = Revisions(session);
    return state;
}

void MountHistory::Reset(const Session& session) {
    undo_.clear();
    redo_.clear();
    current_ = Capture(session);
    known_ = true;
}

void MountHistory::Note(const Session& session) {
    if (!known_ || session.ViewMode != current_.viewMode) {
        Reset(session);
        return;
    }
    // Nothing touched the lists: no copy at all, which keeps a click on 20,000 pods cheap.
    if (Revisions(session) == current_.revisions && session.ListName == current_.listName) {
        return;
    }
    if (current_.Holds(session)) {
        // Filled anew with the same entries (Refresh): compared in place, not copied.
        current_.revisions = Revisions(session);
        current_.notMounted = session.NotMounted;
        return;
    }
    State now = Capture(session);
    undo_.push_back(std::move(current_));
    redo_.clear();
    current_ = std::move(now);
    Trim();
}

void MountHistory::Trim() {
    std::size_t entries = current_.Entries();
    for (const State& state : undo_) {
        entries += state.Entries();
    }
    std::size_t drop = 0;
    while (drop < undo_.size() &&
           (undo_.size() - drop > kMaxSteps || entries > kMaxEntries)) {
        entries -= undo_[drop].Entries();
        ++drop;
    }
    undo_.erase(undo_.begin(), undo_.begin() + static_cast<std::ptrdiff_t>(drop));
}

void MountHistory::Restore(State state, Session& session) {
    session.List1.Clear();
    for (std::string& name : state.list1) {
        session.List1.AddItem(std::move(name));
    }
    session.List2.Clear();
    session.List2.BeginBatch();
    for (std::string& name : state.list2) {
        session.List2.AddItem(std::move(name));
    }
    session.List2.EndBatch();
    session.List3.Clear();
    for (auto& [name, checked] : state.list3) {
        session.List3.AddItem(std::move(name), checked);
    }
    session.ListName = std::move(state.listName);
    session.NotMounted = std::move(state.notMounted);
    podlist::mCommonFunctions::UpdatePodCounts(session);
}

bool MountHistory::Step(std::vector<State>& from, std::vector<State>& to, Session& session) {
    Note(session);  // a change made outside a command is the ground, not lost
    if (from.empty()) {
        return false;
    }
    State target = std::move(from.back());
    from.pop_back();
    to.push_back(std::move(current_));
    Restore(std::move(target), session);
    current_ = Capture(session);
    return true;
}

bool MountHistory::Undo(Session& session) {
    return Step(undo_, redo_, session);
}

bool MountHistory::Redo(Session& session) {
    return Step(redo_, undo_, session);
}

}  // namespace marvok
