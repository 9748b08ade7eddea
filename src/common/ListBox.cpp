#include "common/ListBox.h"

#include <algorithm>
#include <utility>

#include "common/Text.h"

namespace marvok {

std::size_t ListBox::AddItem(std::string text, bool checked) {
    std::string lower = text::LowerCase(text);
    return AddLoweredItem(std::move(text), std::move(lower), checked);
}

std::size_t ListBox::AddLoweredItem(std::string text, std::string lower, bool checked) {
    Entry entry{std::move(text), std::move(lower), checked && style_ == ListStyle::CheckBoxes};
    IndexAdd(entry.lower);
    checkedCount_ += entry.checked ? 1 : 0;
    ++revision_;
    if (style_ == ListStyle::Sorted && !batching_) {
        auto at = std::upper_bound(
            entries_.begin(), entries_.end(), entry.lower,
            [](const std::string& key, const Entry& e) { return key < e.lower; });
        const auto position = static_cast<std::size_t>(at - entries_.begin());
        entries_.insert(at, std::move(entry));
        Note(ListChange::Kind::Inserted, position, position);
        return position;
    }
    entries_.push_back(std::move(entry));
    // A batch is sorted at its end: the view starts again then.
    Note(batching_ ? ListChange::Kind::Reset : ListChange::Kind::Inserted, entries_.size() - 1,
         entries_.size() - 1);
    return entries_.size() - 1;
}

void ListBox::RemoveItem(std::size_t index) {
    if (index >= entries_.size()) {
        return;
    }
    IndexRemove(entries_[index].lower);
    checkedCount_ -= entries_[index].checked ? 1 : 0;
    entries_.erase(entries_.begin() + static_cast<std::ptrdiff_t>(index));
    Note(ListChange::Kind::Removed, index, index);
    ++revision_;
}

void ListBox::Clear() {
    entries_.clear();
    index_.clear();
    checkedCount_ = 0;
    Note(ListChange::Kind::Reset);
    ++revision_;
}

void ListBox::SetChecked(std::size_t index, bool checked) {
    if (index >= entries_.size() || style_ != ListStyle::CheckBoxes ||
        entries_[index].checked == checked) {
        return;
    }
    entries_[index].checked = checked;
    checked ? ++checkedCount_ : --checkedCount_;
    Note(ListChange::Kind::Updated, index, index);
    ++revision_;
}

void ListBox::Swap(std::size_t a, std::size_t b) {
    std::swap(entries_[a], entries_[b]);
    Note(ListChange::Kind::Updated, std::min(a, b), std::max(a, b));
    ++revision_;
}

bool ListBox::Contains(std::string_view text) const {
    return ContainsLower(text::LowerCase(text));
}

std::vector<std::string> ListBox::Items() const {
    std::vector<std::string> items;
    items.reserve(entries_.size());
    for (const auto& e : entries_) {
        items.push_back(e.text);
    }
    return items;
}

void ListBox::EndBatch() {
    if (batching_ && style_ == ListStyle::Sorted) {
        SortBatch();
        Note(ListChange::Kind::Reset);
        ++revision_;
    }
    batching_ = false;
}

void ListBox::SortBatch() {
    // A scan adds folder after folder, each in name order: the batch is a few sorted runs, so
    // merging the runs does far less than sorting anew. Merging takes the earlier run's entry
    // first of equal ones, which keeps the order of adding.
    const auto before = [this](std::uint32_t a, std::uint32_t b) {
        return entries_[a].lower < entries_[b].lower;
    };
    std::vector<std::uint32_t> order(entries_.size());
    std::vector<std::size_t> runs{0};  // where each run starts
    for (std::size_t i = 0; i < order.size(); ++i) {
        order[i] = static_cast<std::uint32_t>(i);
        if (i > 0 && before(order[i], order[i - 1])) {
            runs.push_back(i);
        }
    }
    if (runs.size() == 1) {
        return;
    }
    runs.push_back(order.size());
    std::vector<std::uint32_t> merged(order.size());
    const auto at = [](std::vector<std::uint32_t>& v, std::size_t i) {
        return v.begin() + static_cast<std::ptrdiff_t>(i);
    };
    while (runs.size() > 2) {  // more than one run: merge them in pairs
        const std::size_t count = runs.size() - 1;
        std::vector<std::size_t> next;
        for (std::size_t r = 0; r < count; r += 2) {
            const std::size_t from = runs[r];
            const std::size_t middle = runs[r + 1];
            const std::size_t to = r + 1 < count ? runs[r + 2] : middle;
            std::merge(at(order, from), at(order, middle), at(order, middle), at(order, to),
                       at(merged, from), before);
            next.push_back(from);
        }
        next.push_back(order.size());
        order.swap(merged);
        runs = std::move(next);
    }
    std::vector<Entry> sorted;
    sorted.reserve(entries_.size());
    for (std::uint32_t i : order) {
        sorted.push_back(std::move(entries_[i]));
    }
    entries_ = std::move(sorted);
}

void ListBox::RemoveRepeats() {
    if (style_ != ListStyle::Sorted || batching_) {
        return;
    }
    const auto end = std::unique(entries_.begin(), entries_.end(),
                                 [](const Entry& a, const Entry& b) { return a.lower == b.lower; });
    if (end == entries_.end()) {
        return;
    }
    for (auto it = end; it != entries_.end(); ++it) {
        checkedCount_ -= it->checked ? 1 : 0;
    }
    entries_.erase(end, entries_.end());
    Note(ListChange::Kind::Reset);
    ++revision_;
}

bool ListBox::ContainsLower(const std::string& lower) const {
    if (style_ != ListStyle::Sorted) {
        return index_.count(lower) != 0;
    }
    const std::size_t sorted = batching_ ? sortedCount_ : entries_.size();
    const auto end = entries_.begin() + static_cast<std::ptrdiff_t>(sorted);
    const auto at = std::lower_bound(
        entries_.begin(), end, lower,
        [](const Entry& e, const std::string& key) { return e.lower < key; });
    if (at != end && at->lower == lower) {
        return true;
    }
    return std::any_of(end, entries_.end(), [&lower](const Entry& e) { return e.lower == lower; });
}

ListChange ListBox::TakeChange() {
    return std::exchange(change_, ListChange{});
}

void ListBox::Note(ListChange::Kind kind, std::size_t first, std::size_t last) {
    using Kind = ListChange::Kind;
    if (change_.kind == Kind::None) {
        change_ = {kind, first, last};
    } else if (change_.kind == Kind::Updated && kind == Kind::Updated) {
        change_.first = std::min(change_.first, first);
        change_.last = std::max(change_.last, last);
    } else {
        change_ = {Kind::Reset, 0, 0};
    }
}

void ListBox::IndexAdd(const std::string& lower) {
    if (style_ != ListStyle::Sorted) {
        ++index_[lower];
    }
}

void ListBox::IndexRemove(const std::string& lower) {
    if (style_ == ListStyle::Sorted) {
        return;
    }
    auto it = index_.find(lower);
    if (it != index_.end() && --it->second == 0) {
        index_.erase(it);
    }
}

}  // namespace marvok
