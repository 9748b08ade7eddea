#pragma once
// The three pod lists as the list controls hold them: List1 keeps the order it is given, List2
// keeps itself sorted ignoring case, List3 carries a check mark per entry.

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace marvok {

enum class ListStyle { Plain, Sorted, CheckBoxes };

// What changed since a view last asked: one entry added, removed or changed, a range of entries
// changed, or so much that the view starts again (Reset).
struct ListChange {
    enum class Kind { None, Inserted, Removed, Updated, Reset };
    Kind kind = Kind::None;
    std::size_t first = 0;
    std::size_t last = 0;
    bool operator==(const ListChange&) const = default;
};

class ListBox {
  public:
    explicit ListBox(ListStyle style) : style_(style) {}

    ListStyle Style() const { return style_; }
    std::size_t Count() const { return entries_.size(); }
    const std::string& Item(std::size_t index) const { return entries_[index].text; }
    const std::string& LowerItem(std::size_t index) const { return entries_[index].lower; }
    bool Checked(std::size_t index) const { return entries_[index].checked; }
    std::size_t CheckedCount() const { return checkedCount_; }

    // Appends (a sorted list puts the entry in its place). Returns the entry's position.
    std::size_t AddItem(std::string text, bool checked = false);
    // The same, with the entry's lower case already made (it must be text's).
    std::size_t AddLoweredItem(std::string text, std::string lower, bool checked = false);
    void RemoveItem(std::size_t index);
    // Removes, in one pass, every entry for which drop(lowered text) answers true, keeping the
    // order of the rest.
    template <typename Drop>
    void RemoveIf(Drop drop);
    void Clear();
    void SetChecked(std::size_t index, bool checked);
    void Swap(std::size_t a, std::size_t b);

    // Whether an entry equals text ignoring case.
    bool Contains(std::string_view text) const;
    bool ContainsLower(const std::string& lower) const;

    std::vector<std::string> Items() const;

    // A sorted list takes many entries at once: appended while open, sorted once when closed,
    // with the order that adding them one by one would give.
    void BeginBatch() {
        batching_ = true;
        sortedCount_ = entries_.size();
    }
    void EndBatch();
    // Of entries equal ignoring case, keeps the first added (a sorted list, outside a batch).
    void RemoveRepeats();

    // Grows on every change, so a view can tell whether to redraw.
    std::uint64_t Revision() const { return revision_; }
    // The change since the last call, so that a view redraws only what changed.
    ListChange TakeChange();

  private:
    struct Entry {
        std::string text;
        std::string lower;
        bool checked = false;
    };

    void Note(ListChange::Kind kind, std::size_t first = 0, std::size_t last = 0);
    void SortBatch();
    void IndexAdd(const std::string& lower);
    void IndexRemove(const std::string& lower);

    ListStyle style_;
    std::vector<Entry> entries_;
    // Lowered text -> number of entries; a sorted list is searched in its order instead.
    std::unordered_map<std::string, int> index_;
    std::size_t sortedCount_ = 0;  // entries in order while a batch is open
    std::size_t checkedCount_ = 0;
    bool batching_ = false;
    std::uint64_t revision_ = 0;
    ListChange change_;
};

template <typename Drop>
void ListBox::RemoveIf(Drop drop) {
    std::vector<Entry> kept;
    kept.reserve(entries_.size());
    for (auto& e : entries_) {
        if (drop(e.lower)) {
            IndexRemove(e.lower);
            checkedCount_ -= e.checked ? 1 : 0;
        } else {
            kept.push_back(std::move(e));
        }
    }
    if (kept.size() != entries_.size()) {
        Note(ListChange::Kind::Reset);
    }
    entries_ = std::move(kept);
    ++revision_;
}

}  // namespace marvok
