#pragma once
// One of the core's pod lists as a Qt model: the view reads the entries where the core keeps
// them, and each change the core made reaches the view as that one change (a move adds or
// removes one row; filling the list is one reset).

#include <QAbstractListModel>
#include <QFontMetrics>
#include <QStyledItemDelegate>
#include <array>
#include <optional>
#include <string>
#include <vector>

#include "common/ListBox.h"
#include "common/NotMounted.h"

class QListView;
class QMimeData;

namespace marvok::ui {

// What a dragged row of the mounted list carries: "<process id>:<row>".
inline constexpr const char* kMountedRowType = "application/x-marvok-mounted-row";

class PodListModel final : public QAbstractListModel {
public:
    // How many of the row's inner files other mounted pods carry too (an int, 0 for none).
    static constexpr int SharedFilesRole = Qt::UserRole + 1;

    PodListModel(const ListBox& list, QObject* parent);

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    // A draggable list's rows carry kMountedRowType: this process's id and the row.
    QMimeData* mimeData(const QModelIndexList& indexes) const override;
    void SetDraggable(bool draggable) { draggable_ = draggable; }

    // Tells the views what the core changed since the last call.
    void Sync();
    // Pods the game cannot mount, drawn greyed while they are not mounted (checked).
    void SetUnmountable(const UnmountablePods* pods) { unmountable_ = pods; }
    const NotMountedEntry* Unmountable(int row) const;
    // The width of the widest entry in metrics, for views that size every row alike.
    int WidestText(const QFontMetrics& metrics) const;
    // The shared-file count of each row of the core list; only rows whose count changed are
    // told to the views.
    void SetSharedFiles(std::vector<std::size_t> counts);
    // Whether any row shows a badge, so that rows leave room for one.
    bool AnyShared() const { return anyShared_; }

private:
    const ListBox& list_;
    bool draggable_ = false;
    const UnmountablePods* unmountable_ = nullptr;
    std::vector<std::size_t> shared_;
    bool anyShared_ = false;
    int shown_ = 0;  // the rows the views know of
    // Each row's text width in the font last asked for, kept row by row so that a move does not
    // measure all the others again; empty until asked, and after a reset.
    int TextWidth(const std::string& text) const;
    int Advance(char16_t c) const;

    mutable std::optional<QFontMetrics> metrics_;
    mutable std::array<int, 256> latin1Advances_{};
    mutable std::vector<int> widths_;
    mutable int widest_ = 0;
};

// A list view of such a model, every row the same height, wide enough for the widest entry
// (long names scroll sideways rather than lose their ends).
QListView* CreatePodListView(PodListModel* model, QWidget* parent);

}  // namespace marvok::ui
