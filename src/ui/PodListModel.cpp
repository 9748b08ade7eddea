#include "ui/PodListModel.h"

#include <QApplication>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QPalette>
#include <QCoreApplication>
#include <QListView>
#include <QMimeData>
#include <QPainter>
#include <algorithm>

#include "ui/QtUserInterface.h"

namespace marvok::ui {
namespace {

// The view asks one row for the size of all; the width it gets is the widest entry's.
class UniformRowDelegate final : public QStyledItemDelegate {
public:
    UniformRowDelegate(const PodListModel& model, QObject* parent)
        : QStyledItemDelegate(parent), model_(model) {}

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        QSize size = QStyledItemDelegate::sizeHint(option, index);
        const int own = option.fontMetrics.horizontalAdvance(index.data().toString());
        size.setWidth(size.width() - own + model_.WidestText(option.fontMetrics) +
                      (model_.AnyShared() ? BadgeRoom(option.fontMetrics) : 0));
        return size;
    }

    // A pill after the name with the number of inner files other mounted pods carry too.
    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        QStyledItemDelegate::paint(painter, option, index);
        const int shared = index.data(PodListModel::SharedFilesRole).toInt();
        if (shared <= 0) {
            return;
        }
        QStyleOptionViewItem item = option;
        initStyleOption(&item, index);
        const QWidget* widget = option.widget;
        QStyle* style = widget != nullptr ? widget->style() : QApplication::style();
        const QRect text = style->subElementRect(QStyle::SE_ItemViewItemText, &item, widget);
        const QString label = QString::number(shared);
        const int height = option.fontMetrics.height() - 2;
        const int width = std::max(height, option.fontMetrics.horizontalAdvance(label) + 8);
        const int left = text.left() + option.fontMetrics.horizontalAdvance(item.text) + kGap;
        const QRect pill(left, text.center().y() - height / 2, width, height);
        painter->save();
        painter->setRenderHint(QPainter::Antialiasing);
        painter->setPen(Qt::NoPen);
        painter->setBrush(QColor(230, 140, 20));
        painter->drawRoundedRect(pill, height / 2.0, height / 2.0);
        painter->setPen(Qt::black);
        painter->drawText(pill, Qt::AlignCenter, label);
        painter->restore();
    }

private:
    static constexpr int kGap = 10;
    // A gap and a badge of up to three digits.
    static int BadgeRoom(const QFontMetrics& metrics) {
        return kGap + metrics.horizontalAdvance(QStringLiteral("000")) + 10;
    }

    const PodListModel& model_;
};

}  // namespace

PodListModel::PodListModel(const ListBox& list, QObject* parent)
    : QAbstractListModel(parent), list_(list), shown_(static_cast<int>(list.Count())) {
    // What the list held before is shown as it is now.
    const_cast<ListBox&>(list_).TakeChange();
}

int PodListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : shown_;
}

QVariant PodListModel::data(const QModelIndex& index, int role) const {
    // A view may paint while the core is still changing the list (a message box in the middle
    // of a command): rows past the end are blank until Sync.
    const auto row = static_cast<std::size_t>(index.row());
    if (!index.isValid() || row >= list_.Count()) {
        return {};
    }
    if (role == Qt::DisplayRole || role == Qt::AccessibleTextRole) {
        return ToQString(list_.Item(row));
    }
    if (role == SharedFilesRole) {
        return row < shared_.size() ? static_cast<int>(shared_[row]) : 0;
    }
    if (role == Qt::CheckStateRole && list_.Style() == ListStyle::CheckBoxes) {
        return list_.Checked(row) ? Qt::Checked : Qt::Unchecked;
    }
    if (role == Qt::ForegroundRole || role == Qt::AccessibleDescriptionRole) {
        if (const NotMountedEntry* refused = Unmountable(index.row())) {
            if (role == Qt::AccessibleDescriptionRole) {
                return QStringLiteral("cannot be mounted: ") +
                       ToQString(NotMountedReasonText(refused->reason));
            }
            return QGuiApplication::palette().color(QPalette::Disabled, QPalette::Text);
        }
    }
    return {};
}

const NotMountedEntry* PodListModel::Unmountable(int row) const {
    const auto at = static_cast<std::size_t>(row);
    if (unmountable_ == nullptr || row < 0 || at >= list_.Count() || list_.Checked(at)) {
        return nullptr;
    }
    return unmountable_->Find(list_.Item(at));
}

Qt::ItemFlags PodListModel::flags(const QModelIndex& index) const {
    // The check box is drawn, but the click is the core's to handle.
    if (!index.isValid()) {
        return Qt::NoItemFlags;
    }
    const Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    return draggable_ ? flags | Qt::ItemIsDragEnabled : flags;
}

QMimeData* PodListModel::mimeData(const QModelIndexList& indexes) const {
    // The drop is the window's to handle (the model never changes by it), and a drop from
    // another process reorders nothing.
    QMimeData* data = QAbstractListModel::mimeData(indexes);
    if (data != nullptr && !indexes.isEmpty()) {
        data->setData(QString::fromLatin1(kMountedRowType),
                      QByteArray::number(QCoreApplication::applicationPid()) + ':' +
                          QByteArray::number(indexes.constFirst().row()));
    }
    return data;
}

void PodListModel::Sync() {
    const ListChange change = const_cast<ListBox&>(list_).TakeChange();
    const int count = static_cast<int>(list_.Count());
    const int first = static_cast<int>(change.first);
    const int last = static_cast<int>(change.last);
    using Kind = ListChange::Kind;
    const bool measured =
        metrics_.has_value() && widths_.size() == static_cast<std::size_t>(shown_);
    if (change.kind == Kind::Inserted && count == shown_ + 1 && first <= shown_) {
        if (measured) {
            const int width = TextWidth(list_.Item(change.first));
            widths_.insert(widths_.begin() + first, width);
            widest_ = std::max(widest_, width);
        }
        beginInsertRows({}, first, first);
        shown_ = count;
        endInsertRows();
    } else if (change.kind == Kind::Removed && count == shown_ - 1 && first < shown_) {
        if (measured) {
            const int width = widths_[change.first];
            widths_.erase(widths_.begin() + first);
            if (width == widest_) {
                widest_ = widths_.empty() ? 0 : *std::max_element(widths_.begin(), widths_.end());
            }
        }
        beginRemoveRows({}, first, first);
        shown_ = count;
        endRemoveRows();
    } else if (change.kind == Kind::Updated && count == shown_ && last < count) {
        emit dataChanged(index(first), index(last));
    } else if (change.kind != Kind::None || count != shown_) {
        metrics_.reset();
        beginResetModel();
        shown_ = count;
        endResetModel();
    }
}

void PodListModel::SetSharedFiles(std::vector<std::size_t> counts) {
    const auto at = [](const std::vector<std::size_t>& v, std::size_t i) {
        return i < v.size() ? v[i] : 0;
    };
    const std::size_t rows = std::min<std::size_t>(static_cast<std::size_t>(shown_),
                                                   std::max(counts.size(), shared_.size()));
    std::vector<std::size_t> changed;
    for (std::size_t i = 0; i < rows; ++i) {
        if (at(counts, i) != at(shared_, i)) {
            changed.push_back(i);
        }
    }
    shared_ = std::move(counts);
    const bool any =
        std::any_of(shared_.begin(), shared_.end(), [](std::size_t n) { return n > 0; });
    if (any != anyShared_) {
        // The rows' width changes: the views lay them out again.
        anyShared_ = any;
        emit layoutAboutToBeChanged();
        emit layoutChanged();
    }
    for (std::size_t i : changed) {
        const QModelIndex row = index(static_cast<int>(i));
        emit dataChanged(row, row, {SharedFilesRole});
    }
}

int PodListModel::WidestText(const QFontMetrics& metrics) const {
    if (!metrics_ || *metrics_ != metrics || widths_.size() != list_.Count()) {
        if (!metrics_ || *metrics_ != metrics) {
            metrics_ = metrics;
            latin1Advances_.fill(-1);  // measured as letters first occur: each costs a glyph load
        }
        widths_.resize(list_.Count());
        widest_ = 0;
        for (std::size_t i = 0; i < widths_.size(); ++i) {
            widths_[i] = TextWidth(list_.Item(i));
            widest_ = std::max(widest_, widths_[i]);
        }
    }
    return widest_;
}

int PodListModel::Advance(char16_t c) const {
    if (c >= latin1Advances_.size()) {
        return metrics_->horizontalAdvance(QChar(c));
    }
    int& advance = latin1Advances_[c];
    if (advance < 0) {
        advance = metrics_->horizontalAdvance(QChar(c));
    }
    return advance;
}

int PodListModel::TextWidth(const std::string& text) const {
    // Shaping every entry costs far more than the rest of start-up; the sum of the letters'
    // advances is what a pod name (no ligatures, little kerning) takes, or a little more.
    int width = 0;
    bool plain = true;
    for (const char c : text) {
        plain = plain && static_cast<unsigned char>(c) < 0x80;
        width += Advance(static_cast<unsigned char>(c));
    }
    if (plain) {
        return width;
    }
    width = 0;
    for (const QChar c : ToQString(text)) {
        width += Advance(c.unicode());
    }
    return width;
}

QListView* CreatePodListView(PodListModel* model, QWidget* parent) {
    auto* view = new QListView(parent);
    view->setUniformItemSizes(true);
    view->setItemDelegate(new UniformRowDelegate(*model, view));
    view->setModel(model);
    view->setSelectionMode(QAbstractItemView::SingleSelection);
    view->setTextElideMode(Qt::ElideNone);
    view->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    return view;
}

}  // namespace marvok::ui
