#pragma once
// Undo and redo of what the lists show while Marvok runs: moves, reorders, stock lists, lists
// opened. Each step keeps the lists whole, so undoing never depends on how a command worked.

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "common/NotMounted.h"
#include "common/Session.h"

namespace marvok {

class MountHistory {
  public:
    // At most this many steps, and this many entries over all steps, are kept: the oldest go
    // first, so 20,000 pods cost tens of steps, not hundreds of megabytes.
    static constexpr std::size_t kMaxSteps = 100;
    static constexpr std::size_t kMaxEntries = 400000;

    // Takes the lists as they are now as the ground of the next step.
    void Reset(const Session& session);
    // Call after a command: when it changed the lists, what they held before becomes a step to
    // undo and the redo steps go. A change of presentation starts the history again.
    void Note(const Session& session);

    bool CanUndo() const { return !undo_.empty(); }
    bool CanRedo() const { return !redo_.empty(); }
    // Put the lists back as they were one step before (or after); false when there is none.
    bool Undo(Session& session);
    bool Redo(Session& session);

  private:
    struct State {
        short viewMode = 2;
        std::vector<std::string> list1;
        std::vector<std::string> list2;
        std::vector<std::pair<std::string, bool>> list3;
        std::string listName;
        LoadReport notMounted;
        std::array<std::uint64_t, 3> revisions{};

        std::size_t Entries() const { return list1.size() + list2.size() + list3.size(); }
        // Whether the session's lists and list name are these.
        bool Holds(const Session& session) const;
    };

    static State Capture(const Session& session);
    static std::array<std::uint64_t, 3> Revisions(const Session& session);
    void Restore(State state, Session& session);
    // Undo or redo: the last state of from becomes the lists, the lists go onto to.
    bool Step(std::vector<State>& from, std::vector<State>& to, Session& session);
    void Trim();

    State current_;  // the lists as last noted
    bool known_ = false;
    std::vector<State> undo_;
    std::vector<State> redo_;
};

}  // namespace marvok
