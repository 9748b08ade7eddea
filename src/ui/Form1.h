#pragma once

#include <QMainWindow>
#include <QPointer>
#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <unordered_map>
#include <vector>

#include "common/Desktop.h"
#include "common/Session.h"
#include "podlist/MainWindowEvents.h"
#include "podlist/MountHistory.h"
#include "podlist/mResizeWindow.h"

class QAbstractItemModel;
class QAction;
class QFrame;
class QHBoxLayout;
class QDockWidget;
class QLabel;
class QLineEdit;
class QSortFilterProxyModel;
class QToolBar;
class QListView;
class QMenu;
class QPushButton;
class QTimer;
class QToolButton;

namespace marvok::ui {

class ConflictWatcher;
class FormAbout;
class FormConflicts;
class PodListModel;

// The main window: the mounted and unmounted pods with their counts, the menus, the toolbar and
// the three buttons. It shows the session and hands every click to the core's handlers.
class Form1 final : public QMainWindow {
    Q_OBJECT
  public:
    Form1(Session& session, Desktop& desktop, QWidget* parent = nullptr);
    ~Form1() override;

    // The windows other modules bring (registry, fonts, paths, shortcuts, shell verbs).
    WindowHooks& Hooks() { return events_.Hooks(); }
    // Shows the session again after another window changed it.
    void SyncFromSession();
    // The Refresh command, for the settings window's "Save".
    void Refresh();

    const mResizeWindow::MainWindowGeometry& Geometry() const { return geometry_; }
    double TwipsPerPixelX() const;
    double TwipsPerPixelY() const;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

  private:
    // A menu item or control whose enabled and checked state the session holds.
    struct Command {
        std::string name;
        QAction* action = nullptr;
        QWidget* widget = nullptr;
        bool syncEnabled = true;
        bool syncChecked = false;
    };

    void BuildControls();
    void BuildMenus();
    // A menu item named as its control, running handler (through Run) when chosen.
    QAction* AddItem(QMenu* menu, const QString& caption, const std::string& name,
                     std::function<void()> handler, bool checkable = false);
    void Register(Command command) { commands_.push_back(std::move(command)); }

    // Runs a handler of the core, then shows the session.
    template <typename Handler>
    void Run(Handler&& handler) {
        handler();
        SyncFromSession();
    }
    // Ctrl+Z and Ctrl+Shift+Z: the lists one step back or forward.
    void UndoRedo(bool undo);
    // A click or Space on a row as the view shows it.
    void ClickList(int list, int shownRow);
    void ApplyFilter(const QString& text);
    // A row of the core's list from a row as the view shows it, and back.
    int SourceRow(std::size_t list, const QModelIndex& shown) const;
    QModelIndex ShownIndex(std::size_t list, int sourceRow) const;
    // Shows the list through model: the core's list itself, or the filter over it.
    void ShowThrough(std::size_t list, QAbstractItemModel* model);
    // Alt+Up / Alt+Down: the selected mounted pod one place up or down.
    void MoveMounted(int step);
    // Puts the mounted pod at from at to, or says in the status line why it stays.
    void ReorderMounted(int from, int to);
    void ShowNotMounted();
    // Inner files shared by mounted pods (Form1Conflicts.cpp): found on a worker thread, a
    // short while after the mounted list last changed, never before the window shows.
    void BuildConflicts();
    // Called by each sync: a scan is due when the mounted list is not the one last seen.
    void NoteMountedList();
    void ScheduleConflictScan();
    void ScanConflicts();
    void TakeConflicts();
    void ShowSharedFiles();
    void ShowConflicts();
    void UpdateConflictsWindow();
    // Full path, size, date and what the archive's header says; read when asked, never for all.
    QString PodDetails(const std::string& entry) const;
    // The pod under the keyboard's current row of the focused list, in the details pane.
    void ShowDetailsOf(QListView* list);
    // "12 of 2000" while a filter hides rows; the core's count otherwise.
    QString CountText(int list, const std::string& count) const;
    void ClickToolbar(int index);
    void ShowAbout();
    void ApplyLayout();
    // The menu bar and the status line: the window's height beyond its inner area.
    int Chrome() const;
    // The least window size at which every caption and a five-digit count stay whole.
    void FitMinimumSize(double buttonWidth);

    Session& session_;
    Desktop& desktop_;
    MainWindowEvents events_;
    MountHistory history_;
    mResizeWindow::MainWindowGeometry geometry_ = mResizeWindow::DesignerGeometry();

    QWidget* central_ = nullptr;
    QFrame* toolbarFrame_ = nullptr;
    std::array<QToolButton*, 11> toolbar_{};
    QLabel* label1_ = nullptr;
    QLabel* label2_ = nullptr;
    QLabel* label3_ = nullptr;
    QLabel* label4_ = nullptr;
    QLabel* listStatus_ = nullptr;
    QLabel* folderNotice_ = nullptr;
    QLabel* countStatus_ = nullptr;  // "27 of 30 pods mounted (MTM2 Unpatched)"
    QLabel* notMounted_ = nullptr;   // "3 not mounted", a link to why
    QHBoxLayout* links_ = nullptr;   // beside the filter: the links to what is not mounted or shared
    QAction* undo_ = nullptr;
    QAction* redo_ = nullptr;
    std::array<PodListModel*, 3> models_{};
    // What the views show: the lists through the filter, which hides rows and moves none.
    std::array<QSortFilterProxyModel*, 3> shown_{};
    bool filtering_ = false;
    QToolBar* filterBar_ = nullptr;
    QLineEdit* filterBox_ = nullptr;
    QDockWidget* detailsPane_ = nullptr;
    QLabel* details_ = nullptr;
    std::array<QListView*, 3> lists_{};
    std::array<QPushButton*, 3> commFile_{};
    std::vector<Command> commands_;
    QPointer<FormAbout> about_;
    bool unloaded_ = false;

    ConflictWatcher* conflictWatcher_ = nullptr;
    QTimer* conflictTimer_ = nullptr;  // one scan for a burst of changes
    QLabel* conflictsLink_ = nullptr;  // "2 conflicts", a link to the list
    QPointer<FormConflicts> conflictsWindow_;
    bool everShown_ = false;
    bool iconSet_ = false;
    bool rescan_ = false;  // the pods may have changed on disk (Refresh)
    std::array<std::uint64_t, 2> seenRevisions_{};  // of List1 and List3 as last noted
    std::vector<std::string> mountedSeen_;
    bool seenSideBySide_ = true;
    std::uint64_t requested_ = 0;
    std::vector<std::string> requestedPods_;
    std::vector<std::string> scannedPods_;  // the entries of the delivered result
    std::unordered_map<std::string, std::size_t> sharedByEntry_;
};

}  // namespace marvok::ui
