#include "ui/Form1.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDialog>
#include <QDialogButtonBox>
#include <QDir>
#include <QDockWidget>
#include <QDropEvent>
#include <QFileInfo>
#include <QFrame>
#include <QHBoxLayout>
#include <QHelpEvent>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QLocale>
#include <QMenuBar>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QShortcut>
#include <QSortFilterProxyModel>
#include <QStatusBar>
#include <QToolBar>
#include <QToolButton>
#include <QTimer>
#include <QToolTip>
#include <QVBoxLayout>
#include <QtMath>
#include <algorithm>

#include "podlist/PodArchive.h"
#include "podlist/PodOrder.h"
#include "podlist/mPodini.h"
#include "shell/mCommonFunctions.h"
#include "ui/FocusFrameStyle.h"
#include "ui/FormAbout.h"
#include "ui/Icons.h"
#include "ui/PodListModel.h"
#include "ui/QtUserInterface.h"

namespace marvok::ui {
namespace {

// The mounted row a drag carries, if it comes from this process.
int DraggedMountedRow(const QMimeData* data) {
    if (data == nullptr) {
        return -1;
    }
    const QList<QByteArray> parts = data->data(QString::fromLatin1(kMountedRowType)).split(':');
    bool pidOk = false;
    bool rowOk = false;
    const qint64 pid = parts.size() == 2 ? parts[0].toLongLong(&pidOk) : 0;
    const int row = parts.size() == 2 ? parts[1].toInt(&rowOk) : -1;
    return pidOk && rowOk && pid == QCoreApplication::applicationPid() ? row : -1;
}

using mResizeWindow::TwipRect;

const char* const kToolbarTips[] = {"New List", "Open",           "Save",  "Save as",
                                    "Refresh",  "Copy",           "Paths", "Registry",
                                    "Notepad",  "Fonts & Things", "About"};
// Left edges inside the frame: the list commands, a gap, then the tools.
const int kToolbarLefts[] = {0, 360, 720, 1080, 1440, 1800, 2280, 2640, 3000, 3360, 3720};
constexpr double kToolbarButton = 375;

}  // namespace

Form1::Form1(Session& session, Desktop& desktop, QWidget* parent)
    : QMainWindow(parent), session_(session), desktop_(desktop), events_(session, desktop) {
    setObjectName(QStringLiteral("Form1"));
    UseFocusFrames();
    events_.Hooks().showAbout = [this] { ShowAbout(); };
    // Below the lists, on request: what the selected pod is.
    detailsPane_ = new QDockWidget(QStringLiteral("Pod details"), this);
    detailsPane_->setObjectName(QStringLiteral("detailsPane"));
    detailsPane_->setFeatures(QDockWidget::DockWidgetClosable);
    details_ = new QLabel(detailsPane_);
    details_->setObjectName(QStringLiteral("podDetails"));
    details_->setTextFormat(Qt::PlainText);
    details_->setWordWrap(true);
    details_->setMargin(4);
    details_->setText(QStringLiteral("Select a pod to see what it is."));
    detailsPane_->setWidget(details_);
    addDockWidget(Qt::BottomDockWidgetArea, detailsPane_);
    detailsPane_->hide();
    connect(detailsPane_, &QDockWidget::visibilityChanged, this, [this](bool shown) {
        if (shown) {
            // Selectable text costs the label a text document: made when the pane first shows.
            details_->setTextInteractionFlags(Qt::TextSelectableByMouse);
            ShowDetailsOf(lists_[session_.SideBySide() && lists_[1]->hasFocus() ? 1
                                 : session_.SideBySide()                        ? 0
                                                                                : 2]);
        }
        ApplyLayout();
    });
    BuildMenus();
    BuildControls();

    // The window's default and cancel buttons: Enter presses "Save && Exit" (or the button that
    // has the focus), Escape "Cancel".
    const auto pressDefault = [this] {
        auto* focused = qobject_cast<QAbstractButton*>(focusWidget());
        QAbstractButton* target = focused != nullptr ? focused : commFile_[1];
        if (target->isEnabled() && target->isVisible()) {
            target->click();
        }
    };
    for (int key : {Qt::Key_Return, Qt::Key_Enter}) {
        connect(new QShortcut(QKeySequence(key), this), &QShortcut::activated, this, pressDefault);
    }
    connect(new QShortcut(QKeySequence(Qt::Key_Escape), this), &QShortcut::activated, this, [this] {
        // In the filter box Escape clears it first.
        if (filterBox_->hasFocus() && !filterBox_->text().isEmpty()) {
            filterBox_->clear();
            return;
        }
        if (commFile_[2]->isEnabled()) {
            commFile_[2]->click();
        }
    });

    // F10 opens the menu bar from the keyboard, as on Windows.
    connect(new QShortcut(QKeySequence(Qt::Key_F10), this), &QShortcut::activated, this, [this] {
        const QList<QAction*> titles = menuBar()->actions();
        if (!titles.isEmpty()) {
            menuBar()->setActiveAction(titles.constFirst());
        }
    });

    // Above the lists: a filter over both (or the single list). It hides rows only: moves, saving
    // and the pod limit work on the whole lists.
    filterBar_ = addToolBar(QStringLiteral("Filter"));
    filterBar_->setObjectName(QStringLiteral("filterBar"));
    filterBar_->setMovable(false);
    filterBar_->setFloatable(false);
    filterBar_->toggleViewAction()->setEnabled(false);
    auto* filterLabel = new QLabel(QStringLiteral("Filter: "), filterBar_);
    filterBox_ = new QLineEdit(filterBar_);
    filterBox_->setObjectName(QStringLiteral("filterBox"));
    filterBox_->setPlaceholderText(QStringLiteral("part of a pod name (Ctrl+F)"));
    // Its clear button's icon comes from the icon theme, a search costly at start-up: it is
    // asked for at the first keystroke, when the button first shows.
    connect(filterBox_, &QLineEdit::textChanged, filterBox_, [box = filterBox_] {
        box->setClearButtonEnabled(true);
    });
    filterLabel->setBuddy(filterBox_);
    filterBar_->addWidget(filterLabel);
    filterBar_->addWidget(filterBox_);
    connect(filterBox_, &QLineEdit::textChanged, this, &Form1::ApplyFilter);
    connect(new QShortcut(QKeySequence::Find, this), &QShortcut::activated, this, [this] {
        filterBox_->setFocus(Qt::ShortcutFocusReason);
        filterBox_->selectAll();
    });
    setTabOrder(filterBox_, lists_[0]);

    // Below the designed area: which list is shown and whether pod.ini holds it.
    listStatus_ = new QLabel(this);
    listStatus_->setObjectName(QStringLiteral("listStatus"));
    listStatus_->setTextFormat(Qt::PlainText);  // a file name is never markup
    // User folders the last discovery took nothing from, and why.
    folderNotice_ = new QLabel(this);
    folderNotice_->setObjectName(QStringLiteral("folderNotice"));
    folderNotice_->setTextFormat(Qt::PlainText);
    // Long names must not widen the window: they are cut, and whole in the tooltip.
    for (QLabel* label : {listStatus_, folderNotice_}) {
        label->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    }
    countStatus_ = new QLabel(this);
    countStatus_->setObjectName(QStringLiteral("countStatus"));
    notMounted_ = new QLabel(this);
    notMounted_->setObjectName(QStringLiteral("notMounted"));
    notMounted_->setTextFormat(Qt::RichText);
    notMounted_->setTextInteractionFlags(Qt::LinksAccessibleByMouse |
                                         Qt::LinksAccessibleByKeyboard);
    connect(notMounted_, &QLabel::linkActivated, this, [this] { ShowNotMounted(); });
    statusBar()->setSizeGripEnabled(false);
    statusBar()->addWidget(listStatus_, 1);
    statusBar()->addWidget(folderNotice_, 2);
    statusBar()->addPermanentWidget(countStatus_);
    // The links to what was left out and what is shared sit right of the filter: the status
    // line of a window this narrow has room for the list's name and the count only.
    auto* links = new QWidget(filterBar_);
    links_ = new QHBoxLayout(links);
    links_->setContentsMargins(8, 0, 4, 0);
    links_->setSpacing(10);
    BuildConflicts();
    links_->addWidget(notMounted_);
    filterBar_->addWidget(links);

    // The designed inner area, 5700 x 5520 twips.
    central_->resize(qRound(5700 / TwipsPerPixelX()), qRound(5520 / TwipsPerPixelY()));
    resize(central_->width(), central_->height() + Chrome());
    history_.Reset(session_);
    SyncFromSession();
    commFile_[1]->setFocus();
}

Form1::~Form1() {
    // The pane hides as the window goes; there is no layout to apply then.
    disconnect(detailsPane_, nullptr, this, nullptr);
    if (about_) {
        delete about_.data();
    }
}

void Form1::BuildControls() {
    central_ = new QWidget(this);
    central_->setObjectName(QStringLiteral("Form1Inner"));
    setCentralWidget(central_);
    central_->installEventFilter(this);

    toolbarFrame_ = new QFrame(central_);
    toolbarFrame_->setObjectName(QStringLiteral("toolbarFrame"));
    toolbarFrame_->setFrameShape(QFrame::NoFrame);
    for (int i = 0; i < 11; ++i) {
        auto* button = new QToolButton(toolbarFrame_);
        button->setObjectName(QString::fromStdString(ControlName("toolbar", i)));
        button->setToolTip(QString::fromUtf8(kToolbarTips[i]));
        button->setAccessibleName(button->toolTip());
        button->setIcon(ToolbarIcon(i));
        button->setIconSize(QSize(18, 18));
        // The menus and keys reach every toolbar command; Tab goes to the lists and buttons.
        button->setFocusPolicy(Qt::NoFocus);
        button->setGeometry(qRound(kToolbarLefts[i] / TwipsPerPixelX()), 0,
                            qRound(kToolbarButton / TwipsPerPixelX()),
                            qRound(kToolbarButton / TwipsPerPixelY()));
        connect(button, &QToolButton::clicked, this, [this, i] { ClickToolbar(i); });
        toolbar_[static_cast<std::size_t>(i)] = button;
        Register({ControlName("toolbar", i), nullptr, button, true, false});
    }

    const auto label = [this](const char* name, const QString& text) {
        auto* l = new QLabel(text, central_);
        l->setObjectName(QString::fromLatin1(name));
        return l;
    };
    label1_ = label("Label1", QStringLiteral("Number in Pod.in : "));
    label3_ = label("Label3", QStringLiteral("zero"));
    label2_ = label("Label2", QStringLiteral("Number NOT mounted : "));
    label4_ = label("Label4", QStringLiteral("zero"));

    const ListBox* models[] = {&session_.List1, &session_.List2, &session_.List3};
    for (std::size_t i = 0; i < 3; ++i) {
        models_[i] = new PodListModel(*models[i], this);
        if (i != 0) {
            models_[i]->SetUnmountable(&session_.Unmountable);
        }
        models_[i]->SetDraggable(i == 0);
        QListView* list = CreatePodListView(models_[i], central_);
        // The filter's model takes its source only while a filter is typed: over 20,000 rows it
        // would map every row at start-up and on every reset.
        shown_[i] = new QSortFilterProxyModel(this);
        shown_[i]->setFilterCaseSensitivity(Qt::CaseInsensitive);
        list->setObjectName(QStringLiteral("List%1").arg(i + 1));
        list->installEventFilter(this);
        connect(list, &QListView::clicked, this, [this, i](const QModelIndex& index) {
            ClickList(static_cast<int>(i), index.row());
        });
        connect(list->selectionModel(), &QItemSelectionModel::currentChanged, this,
                [this, list] { ShowDetailsOf(list); });
        list->viewport()->installEventFilter(this);
        lists_[i] = list;
    }
    // Drag and drop within the mounted list reorders it.
    lists_[0]->setDragDropMode(QAbstractItemView::DragDrop);
    lists_[0]->setDefaultDropAction(Qt::CopyAction);
    lists_[0]->viewport()->setAcceptDrops(true);
    lists_[0]->viewport()->installEventFilter(this);

    const QString captions[] = {QStringLiteral("Save && &Launch"), QStringLiteral("Save && E&xit"),
                                QStringLiteral("&Cancel")};
    for (int i = 0; i < 3; ++i) {
        auto* button = new QPushButton(captions[i], central_);
        button->setObjectName(QString::fromStdString(ControlName("commFile", i)));
        button->setAutoDefault(false);
        connect(button, &QPushButton::clicked, this,
                [this, i] { Run([this, i] { events_.commFile_Click(i); }); });
        commFile_[static_cast<std::size_t>(i)] = button;
        Register({ControlName("commFile", i), nullptr, button, true, false});
    }
    commFile_[1]->setDefault(true);
    // Tab: the lists, then the buttons from left to right.
    QWidget* order[] = {lists_[0], lists_[1], lists_[2], commFile_[0], commFile_[1], commFile_[2]};
    for (std::size_t i = 1; i < std::size(order); ++i) {
        setTabOrder(order[i - 1], order[i]);
    }
}

int Form1::Chrome() const {
    return menuBar()->sizeHint().height() + statusBar()->sizeHint().height() +
           (filterBar_ != nullptr ? filterBar_->sizeHint().height() : 0) +
           (detailsPane_ != nullptr && detailsPane_->isVisible() ? detailsPane_->sizeHint().height()
                                                                 : 0);
}

int Form1::SourceRow(std::size_t list, const QModelIndex& shown) const {
    return filtering_ ? shown_[list]->mapToSource(shown).row() : shown.row();
}

QModelIndex Form1::ShownIndex(std::size_t list, int sourceRow) const {
    const QModelIndex source = models_[list]->index(sourceRow);
    return filtering_ ? shown_[list]->mapFromSource(source) : source;
}

void Form1::ShowThrough(std::size_t list, QAbstractItemModel* model) {
    QListView* view = lists_[list];
    QItemSelectionModel* old = view->selectionModel();
    view->setModel(model);
    delete old;
    connect(view->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this, view] { ShowDetailsOf(view); });
}

void Form1::MoveMounted(int step) {
    const QModelIndex current = lists_[0]->currentIndex();
    if (!current.isValid()) {
        statusBar()->showMessage(QStringLiteral("Select a mounted pod to move it."), 4000);
        return;
    }
    const int from = SourceRow(0, current);
    if (from + step < 0) {
        statusBar()->showMessage(QStringLiteral("It is the first mounted pod already."), 4000);
        return;
    }
    ReorderMounted(from, from + step);
}

void Form1::ReorderMounted(int from, int to) {
    if (from < 0 || to < 0) {
        return;
    }
    const auto why = podorder::WhyNotReorder(session_, static_cast<std::size_t>(from),
                                             static_cast<std::size_t>(to));
    if (why) {
        statusBar()->showMessage(ToQString(*why), 6000);
        return;
    }
    Run([this, from, to] {
        podorder::ReorderMountedPod(session_, static_cast<std::size_t>(from),
                                    static_cast<std::size_t>(to));
    });
    // The moved pod stays selected, so that Alt+Up can go on.
    const QModelIndex moved = ShownIndex(0, to);
    if (moved.isValid()) {
        lists_[0]->setCurrentIndex(moved);
    }
}

void Form1::UndoRedo(bool undo) {
    const bool done = undo ? history_.Undo(session_) : history_.Redo(session_);
    if (!done) {
        statusBar()->showMessage(undo ? QStringLiteral("Nothing to undo.")
                                      : QStringLiteral("Nothing to redo."),
                                 3000);
    }
    SyncFromSession();
}

void Form1::ShowNotMounted() {
    const LoadReport& report = session_.NotMounted;
    QString text;
    for (const std::string& line : report.Lines()) {
        text += ToQString(line) + QLatin1Char('\n');
    }
    auto* dialog = new QDialog(this);
    dialog->setObjectName(QStringLiteral("FormNotMounted"));
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->setWindowTitle(QStringLiteral("Not mounted"));
    auto* layout = new QVBoxLayout(dialog);
    auto* heading = new QLabel(
        report.Count() == 0
            ? QStringLiteral("Every entry of %1 was mounted.").arg(ToQString(report.source))
            : QStringLiteral("%1 entries of %2 were not mounted:")
                  .arg(report.Count())
                  .arg(ToQString(report.source)),
        dialog);
    heading->setTextFormat(Qt::PlainText);
    auto* lines = new QPlainTextEdit(text, dialog);
    lines->setObjectName(QStringLiteral("notMountedLines"));
    lines->setReadOnly(true);
    lines->setLineWrapMode(QPlainTextEdit::NoWrap);
    auto* close = new QDialogButtonBox(QDialogButtonBox::Close, dialog);
    connect(close, &QDialogButtonBox::rejected, dialog, &QDialog::close);
    layout->addWidget(heading);
    layout->addWidget(lines);
    layout->addWidget(close);
    dialog->resize(520, 320);
    dialog->show();
}

QString Form1::PodDetails(const std::string& entry) const {
    const std::string full =
        shell::mCommonFunctions::FullPath(session_.fs, session_.GameFolder, entry);
    const QFileInfo file(ToQString(session_.fs.NativePath(full)));
    QString text = QDir::toNativeSeparators(file.absoluteFilePath());
    if (!file.exists()) {
        return text + QStringLiteral("\nnot found");
    }
    text += QStringLiteral("\n%1 bytes, %2")
                .arg(QLocale().toString(file.size()))
                .arg(QLocale().toString(file.lastModified(), QLocale::ShortFormat));
    const PodArchive archive = ReadPodArchive(session_.fs, full);
    if (!archive.Sound()) {
        return text + QStringLiteral("\nNot a sound POD1 archive: ") + ToQString(archive.problem);
    }
    text += QStringLiteral("\nPOD1 archive of %1 files").arg(archive.fileCount);
    if (!archive.comment.empty()) {
        text += QStringLiteral(": \u201C") + ToQString(archive.comment) + QStringLiteral("\u201D");
    }
    return text;
}

void Form1::ShowDetailsOf(QListView* list) {
    if (detailsPane_ == nullptr || !detailsPane_->isVisible()) {
        return;  // read only for a pane that shows it
    }
    const QModelIndex current = list->currentIndex();
    if (current.isValid()) {
        details_->setText(PodDetails(FromQString(current.data().toString())));
    }
}

void Form1::ApplyFilter(const QString& text) {
    const bool filtering = !text.isEmpty();
    for (std::size_t i = 0; i < shown_.size(); ++i) {
        if (filtering && !filtering_) {
            shown_[i]->setSourceModel(models_[i]);
        }
        shown_[i]->setFilterFixedString(text);
        if (filtering != filtering_) {
            ShowThrough(i, filtering ? static_cast<QAbstractItemModel*>(shown_[i]) : models_[i]);
        }
        if (!filtering && filtering_) {
            shown_[i]->setSourceModel(nullptr);
        }
    }
    filtering_ = filtering;
    SyncFromSession();
}

QString Form1::CountText(int list, const std::string& count) const {
    if (!filtering_) {
        return ToQString(count);
    }
    const QString whole = ToQString(count);
    const QString visible = QString::number(shown_[static_cast<std::size_t>(list)]->rowCount());
    // The single list's count already reads "mounted of total".
    return list == 2 ? visible + QStringLiteral(" shown, ") + whole
                     : visible + QStringLiteral(" of ") + whole;
}

double Form1::TwipsPerPixelX() const {
    return 1440.0 / std::max(1, logicalDpiX());
}
double Form1::TwipsPerPixelY() const {
    return 1440.0 / std::max(1, logicalDpiY());
}

void Form1::ClickList(int list, int shownRow) {
    const QAbstractItemModel* shown = lists_[static_cast<std::size_t>(list)]->model();
    const int row = SourceRow(static_cast<std::size_t>(list), shown->index(shownRow, 0));
    if (shownRow < 0 || row < 0) {
        return;
    }
    const auto position = static_cast<std::size_t>(row);
    // A pod the game cannot mount is not mounted only to be dropped at the next load.
    const ListBox& source = list == 1 ? session_.List2 : session_.List3;
    if (list != 0 && !(list == 2 && source.Checked(position))) {
        if (const NotMountedEntry* refused = session_.Unmountable.Find(source.Item(position))) {
            statusBar()->showMessage(QStringLiteral("%1 cannot be mounted: %2.")
                                         .arg(ToQString(refused->entry),
                                              ToQString(NotMountedReasonText(refused->reason))),
                                     6000);
            return;
        }
    }
    Run([this, list, position] {
        switch (list) {
            case 0:
                events_.List1_Click(position);
                break;
            case 1:
                events_.List2_Click(position);
                break;
            default:
                events_.List3_Click(position);
                break;
        }
    });
    // The next entry takes the clicked one's place, so the keyboard can go on from there.
    if (shown->rowCount() > 0) {
        lists_[static_cast<std::size_t>(list)]->setCurrentIndex(
            shown->index(std::min(shownRow, shown->rowCount() - 1), 0));
    }
}

void Form1::ClickToolbar(int index) {
    rescan_ = rescan_ || index == 4;  // Refresh
    bool focusExit = false;
    Run([this, index, &focusExit] { focusExit = events_.toolbar_Click(index); });
    if (focusExit) {
        commFile_[1]->setFocus();
    }
}

void Form1::Refresh() {
    rescan_ = true;
    Run([this] { events_.menuRefresh_Click(); });
}

void Form1::ShowAbout() {
    if (!about_) {
        about_ = new FormAbout(desktop_);
        about_->setAttribute(Qt::WA_DeleteOnClose);
    }
    about_->show();
    about_->raise();
    about_->activateWindow();
}

void Form1::SyncFromSession() {
    // Every change reaches the window here, whichever window made it: each is one step to undo.
    history_.Note(session_);
    if (undo_ != nullptr) {
        undo_->setEnabled(history_.CanUndo());
        redo_->setEnabled(history_.CanRedo());
    }
    for (PodListModel* model : models_) {
        model->Sync();
    }
    NoteMountedList();
    label3_->setText(CountText(session_.SideBySide() ? 0 : 2, session_.Label3));
    label4_->setText(CountText(1, session_.Label4));
    listStatus_->setText(ToQString(mPodini::ListStatusText(session_)));
    listStatus_->setToolTip(listStatus_->text());
    QStringList skipped;
    for (const std::string& line : session_.SkippedUserFolders) {
        skipped << ToQString(line);
    }
    folderNotice_->setText(skipped.isEmpty() ? QString()
                                             : QStringLiteral("No pods from ") +
                                                   skipped.join(QStringLiteral("; ")));
    folderNotice_->setToolTip(skipped.join(QLatin1Char('\n')));
    folderNotice_->setVisible(!skipped.isEmpty());

    // The live count, in words and in colour at the limit (the pod limit message stays).
    const bool atLimit = podorder::AtPodLimit(session_);
    countStatus_->setText(ToQString(podorder::MountCountText(session_)) +
                          (atLimit ? QStringLiteral(" \u2014 at the limit") : QString()));
    QPalette countColours = palette();
    if (atLimit) {
        const bool dark = countColours.color(QPalette::WindowText).lightness() > 128;
        countColours.setColor(QPalette::WindowText,
                              dark ? QColor(255, 140, 120) : QColor(170, 30, 0));
    }
    countStatus_->setPalette(countColours);
    const long long dropped = session_.NotMounted.Count();
    notMounted_->setText(dropped == 0
                             ? QString()
                             : QStringLiteral("<a href=\"why\">%1 not mounted</a>").arg(dropped));
    notMounted_->setToolTip(QStringLiteral("Entries of %1 that were not mounted, and why")
                                .arg(ToQString(session_.NotMounted.source)));
    notMounted_->setVisible(dropped != 0);
    for (const Command& command : commands_) {
        const bool enabled = session_.controls.Enabled(command.name);
        const bool checked = session_.controls.Checked(command.name);
        if (command.action != nullptr) {
            if (command.syncEnabled) {
                command.action->setEnabled(enabled);
            }
            if (command.syncChecked) {
                command.action->setChecked(checked);
            }
        } else if (command.widget != nullptr && command.syncEnabled) {
            command.widget->setEnabled(enabled);
        }
    }
    setWindowTitle(ToQString(session_.Caption));
    ApplyLayout();
}

void Form1::ApplyLayout() {
    const double tx = TwipsPerPixelX();
    const double ty = TwipsPerPixelY();
    mResizeWindow::WindowMetrics window;
    window.innerWidth = central_->width() * tx;
    window.innerHeight = central_->height() * ty;
    window.outerWidth = frameGeometry().width() * tx;
    window.outerHeight = frameGeometry().height() * ty;
    window.minimized = isMinimized();

    // The designed sizes fit the designer's font; a larger font widens what it must.
    double buttonWidth = mResizeWindow::kButtonWidth;
    for (QPushButton* button : commFile_) {
        buttonWidth = std::max(buttonWidth, button->sizeHint().width() * tx);
    }
    window.buttonWidth = buttonWidth;
    const auto fitText = [tx, ty](TwipRect& rect, QLabel* label, double designWidth) {
        rect.width = std::max(designWidth, label->sizeHint().width() * tx);
        rect.height = std::max(195.0, label->sizeHint().height() * ty);
    };
    fitText(geometry_.Label1, label1_, 1305);
    fitText(geometry_.Label2, label2_, 1695);
    fitText(geometry_.Label3, label3_, 0);  // sized to its text
    fitText(geometry_.Label4, label4_, 0);
    for (TwipRect& button : geometry_.commFile) {
        button.width = buttonWidth;
        button.height = std::max(495.0, commFile_[0]->sizeHint().height() * ty);
    }

    FitMinimumSize(buttonWidth);

    geometry_ = mResizeWindow::ComputeMainWindowGeometry(
        geometry_, window, session_.ToolbarDisplay == "yes", session_.ViewMode);
    const auto place = [tx, ty](QWidget* widget, const TwipRect& r) {
        widget->setGeometry(qRound(r.left / tx), qRound(r.top / ty), qRound(r.width / tx),
                            qRound(r.height / ty));
        widget->setVisible(r.visible);
    };
    place(toolbarFrame_, geometry_.toolbarFrame);
    place(label1_, geometry_.Label1);
    place(label2_, geometry_.Label2);
    place(label3_, geometry_.Label3);
    place(label4_, geometry_.Label4);
    place(lists_[0], geometry_.List1);
    place(lists_[1], geometry_.List2);
    place(lists_[2], geometry_.List3);
    for (std::size_t i = 0; i < 3; ++i) {
        place(commFile_[i], geometry_.commFile[i]);
    }
}

void Form1::FitMinimumSize(double buttonWidth) {
    const double tx = TwipsPerPixelX();
    const double ty = TwipsPerPixelY();
    // Counts up to five digits stay whole; digits are measured at their widest.
    const QFontMetrics metrics = label4_->fontMetrics();
    int digit = 0;
    for (char c = '0'; c <= '9'; ++c) {
        digit = std::max(digit, metrics.horizontalAdvance(QLatin1Char(c)));
    }
    const int count = 5 * digit + 2;
    mResizeWindow::LayoutNeeds needs;
    needs.label1Width = geometry_.Label1.width;
    needs.label2Width = geometry_.Label2.width;
    // While a filter shows "shown of total" the counts take what those texts need.
    const bool sideBySide = session_.SideBySide();
    needs.countWidth = std::max({count, sideBySide ? label3_->sizeHint().width() : 0,
                                 label4_->sizeHint().width()}) *
                       tx;
    needs.countOfWidth = std::max(2 * count + metrics.horizontalAdvance(QStringLiteral(" of ")),
                                  sideBySide ? 0 : label3_->sizeHint().width()) *
                         tx;
    needs.labelHeight = geometry_.Label1.height;
    needs.buttonWidth = buttonWidth;
    needs.buttonHeight = geometry_.commFile[0].height;
    needs.listHeight = 3 * lists_[0]->fontMetrics().height() * ty;
    const mResizeWindow::InnerSize inner = mResizeWindow::MinimumInnerSize(needs);
    const QSize least(qCeil(inner.width / tx), qCeil(inner.height / ty) + Chrome());
    if (least != minimumSize()) {
        setMinimumSize(least);
    }
}

bool Form1::eventFilter(QObject* watched, QEvent* event) {
    if (lists_[0] != nullptr && watched == lists_[0]->viewport() &&
        (event->type() == QEvent::DragEnter || event->type() == QEvent::DragMove ||
         event->type() == QEvent::Drop)) {
        auto* drag = static_cast<QDropEvent*>(event);
        const int from = DraggedMountedRow(drag->mimeData());
        if (from < 0) {
            drag->ignore();
            return true;
        }
        // Copy, never Move: a moving drag would have the view remove the dragged row itself.
        drag->setDropAction(Qt::CopyAction);
        drag->accept();
        if (event->type() == QEvent::Drop) {
            const QModelIndex over = lists_[0]->indexAt(drag->position().toPoint());
            const int last = models_[0]->rowCount() - 1;
            const int to = over.isValid() ? SourceRow(0, over) : last;
            if (to >= 0 && from != to) {
                ReorderMounted(from, to);
            }
        }
        return true;
    }
    if (event->type() == QEvent::ToolTip) {
        for (std::size_t i = 0; i < lists_.size(); ++i) {
            QListView* list = lists_[i];
            if (list != nullptr && watched == list->viewport()) {
                const auto* help = static_cast<QHelpEvent*>(event);
                const QModelIndex row = list->indexAt(help->pos());
                if (!row.isValid()) {
                    QToolTip::hideText();
                    return true;
                }
                QString tip = PodDetails(FromQString(row.data().toString()));
                if (const NotMountedEntry* refused =
                        models_[i]->Unmountable(SourceRow(i, row))) {
                    tip += QStringLiteral("\nThe game cannot mount it: ") +
                           ToQString(NotMountedReasonText(refused->reason)) + QLatin1Char('.');
                }
                if (const int shared = row.data(PodListModel::SharedFilesRole).toInt(); shared > 0) {
                    tip += QStringLiteral("\nShares %1 inner files with other mounted pods "
                                          "(Edit \u203A Conflicts)")
                               .arg(shared);
                }
                QToolTip::showText(
                    help->globalPos(),
                    tip + QStringLiteral("\n\nClick or Space moves it across. Ctrl+Left/Right: "
                                         "the other list. Alt+Up/Down: up or down the mount "
                                         "order. Ctrl+I: details."),
                    list->viewport(), list->visualRect(row));
                return true;
            }
        }
    }
    if (watched == central_ && event->type() == QEvent::Resize) {
        ApplyLayout();  // Form_Resize
    } else if (event->type() == QEvent::FocusIn) {
        // A list reached by Tab shows the entry Space would move.
        if (auto* list = qobject_cast<QListView*>(watched);
            list != nullptr && !list->currentIndex().isValid() && list->model()->rowCount() > 0) {
            list->selectionModel()->setCurrentIndex(list->model()->index(0, 0),
                                                    QItemSelectionModel::NoUpdate);
        }
    } else if (event->type() == QEvent::KeyPress) {
        // Space on a list does what a click on its current entry does.
        const auto* key = static_cast<QKeyEvent*>(event);
        // Ctrl+Left and Ctrl+Right go to the other list (Left and Right scroll long names).
        if ((watched == lists_[0] || watched == lists_[1]) &&
            key->modifiers() == Qt::ControlModifier &&
            (key->key() == Qt::Key_Left || key->key() == Qt::Key_Right)) {
            QListView* other = key->key() == Qt::Key_Right ? lists_[1] : lists_[0];
            if (other->isVisible()) {
                other->setFocus(Qt::TabFocusReason);
            }
            return true;
        }
        for (int i = 0; i < 3; ++i) {
            QListView* list = lists_[static_cast<std::size_t>(i)];
            if (watched == list && key->key() == Qt::Key_Space && key->modifiers() == 0) {
                ClickList(i, list->currentIndex().row());
                return true;
            }
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

void Form1::changeEvent(QEvent* event) {
    QMainWindow::changeEvent(event);
    // Minimising keeps the layout; restoring applies it again.
    if (event->type() == QEvent::WindowStateChange && !isMinimized()) {
        ApplyLayout();
    }
}

void Form1::paintEvent(QPaintEvent* event) {
    QMainWindow::paintEvent(event);
    if (!iconSet_) {
        iconSet_ = true;
        // The picture is drawn at five sizes and sent to the window system: after the first
        // paint, not before.
        QTimer::singleShot(0, this, [] { UseProgramIcon(); });
    }
}

void Form1::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (!everShown_) {
        everShown_ = true;
        ScheduleConflictScan();  // after the first paint: the timer runs from the event loop
    }
}

void Form1::closeEvent(QCloseEvent* event) {
    if (!unloaded_) {
        unloaded_ = true;
        mPodini::CheckPodIni(session_, "lastCall");
        SyncFromSession();
        // The other windows go with the main window.
        if (about_) {
            about_->close();
        }
        for (QWidget* window : QApplication::topLevelWidgets()) {
            if (window != this && window->isVisible()) {
                window->close();
            }
        }
    }
    event->accept();
}

}  // namespace marvok::ui
