#include "podlist/mCommonFunctions.h"

#include <algorithm>

namespace marvok::podlist::mCommonFunctions {

void SortPodRange(ListBox& list, long first, long last) {
    // Bounds from a stored preference may lie outside the list.
    first = std::max(first, 0L);
    last = std::min(last, static_cast<long>(list.Count()) - 1);
    if (first >= last) {
        return;
    }
    const std::string pivot = list.LowerItem(static_cast<std::size_t>(first + (last - first) / 2));
    long i = first;
    long j = last;
    while (i <= j) {
        while (i < last && list.LowerItem(static_cast<std::size_t>(i)) < pivot) {
            ++i;
        }
        while (j > first && list.LowerItem(static_cast<std::size_t>(j)) > pivot) {
            --j;
        }
        if (i > j) {
            break;
        }
        if (i < j) {
            list.Swap(static_cast<std::size_t>(i), static_cast<std::size_t>(j));
        }
        ++i;
        --j;
    }
    if (first < j) {
        SortPodRange(list, first, j);
    }
    if (i < last) {
        SortPodRange(list, i, last);
    }
}

void MovePod(Session& session, std::size_t position, ListBox& source, ListBox& target,
             std::string_view mode) {
    if (position >= source.Count()) {
        return;
    }
    const bool checkLimit = mode == "checkLimit";
    const std::string item = source.Item(position);
    if (checkLimit &&
        static_cast<long>(target.Count()) >= static_cast<long>(session.PodLimit)) {
        ShowPodLimitMessage(session);
        UpdatePodCounts(session);
        return;
    }
    if (target.Contains(item)) {
        source.RemoveItem(position);
    } else {
        target.AddItem(item);
        source.RemoveItem(position);
        if (checkLimit && session.Sorting()) {
            SortPodRange(target, session.KeepOnTop, static_cast<long>(target.Count()) - 1);
        }
    }
    UpdatePodCounts(session);
}

void UpdatePodCounts(Session& session) {
    if (session.SideBySide()) {
        session.Label3 = std::to_string(session.List1.Count());
        session.Label4 = std::to_string(session.List2.Count());
    } else {
        session.Label3 = std::to_string(session.List3.CheckedCount()) + " of " +
                         std::to_string(session.List3.Count());
    }
}

void ShowPodLimitMessage(Session& session) {
    session.ui.ShowMessage("Pod Limit",
                           session.GameVersion + " pod limit is " +
                               std::to_string(session.PodLimit) + " pods",
                           MessageIcon::Information, MessageButtons::Ok);
}

}  // namespace marvok::podlist::mCommonFunctions
