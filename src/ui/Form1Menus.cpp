// The menus of the main window, with their captions, shortcut keys and check marks. Every title
// and item has an access key (the letter after "&"), none twice in one menu.

#include <QAction>
#include <QDockWidget>
#include <QMenu>
#include <QMenuBar>

#include "podlist/FileCommands.h"
#include "ui/Form1.h"

namespace marvok::ui {

QAction* Form1::AddItem(QMenu* menu, const QString& caption, const std::string& name,
                        std::function<void()> handler, bool checkable) {
    QAction* action = menu->addAction(caption);
    action->setObjectName(QString::fromStdString(name));
    action->setCheckable(checkable);
    connect(action, &QAction::triggered, this,
            [this, handler = std::move(handler)] { Run(handler); });
    Register({name, action, nullptr, true, checkable});
    return action;
}

void Form1::BuildMenus() {
    QMenuBar* bar = menuBar();

    QMenu* file = bar->addMenu(QStringLiteral("&File"));
    file->setObjectName(QStringLiteral("mnuFile"));
    const QString fileCaptions[] = {
        QStringLiteral("&Notepad"),      QStringLiteral("&Open"),
        QStringLiteral("&Save"),         QStringLiteral("Save &as..."),
        QStringLiteral("Save && E&xit"), QStringLiteral("Save && &Launch"),
        QStringLiteral("&Cancel")};
    const QKeySequence fileKeys[] = {{},
                                     QKeySequence(Qt::CTRL | Qt::Key_O),
                                     QKeySequence(Qt::CTRL | Qt::Key_S),
                                     QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S)};
    for (int i = 0; i < 7; ++i) {
        QAction* item = AddItem(file, fileCaptions[i], ControlName("menuFile", i),
                                [this, i] { events_.menuFile_Click(i); });
        if (i < 4) {
            item->setShortcut(fileKeys[i]);
        }
    }

    QMenu* edit = bar->addMenu(QStringLiteral("&Edit"));
    edit->setObjectName(QStringLiteral("mnuEdit"));
    AddItem(edit, QStringLiteral("&Refresh"), "menuRefresh", [this] {
        rescan_ = true;  // the pods may have changed on disk
        events_.menuRefresh_Click();
    })->setShortcut(QKeySequence(Qt::Key_F5));

    const auto submenu = [this](QMenu* parent, const QString& caption, const char* name) {
        QMenu* menu = parent->addMenu(caption);
        menu->setObjectName(QString::fromLatin1(name));
        menu->menuAction()->setObjectName(QString::fromLatin1(name));
        Register({name, menu->menuAction(), nullptr, true, false});
        return menu;
    };
    QMenu* clip = submenu(edit, QStringLiteral("&Clipboard"), "menuClip");
    AddItem(clip, QStringLiteral("copy Pod.&ini"), ControlName("menuClipboard", 1),
            [this] { events_.menuClipboard_Click(1); });
    AddItem(clip, QStringLiteral("copy Pod &list"), ControlName("menuClipboard", 2),
            [this] { events_.menuClipboard_Click(2); });

    QMenu* reset = submenu(edit, QStringLiteral("&MTM2 Stockers"), "menuReset");
    AddItem(reset, QStringLiteral("&Default"), ControlName("menuRestore", 1),
            [this] { events_.menuRestore_Click(1); });
    AddItem(reset, QStringLiteral("&Minimal"), ControlName("menuRestore", 2),
            [this] { events_.menuRestore_Click(2); });

    QMenu* shorts = submenu(edit, QStringLiteral("&Shortcuts"), "menuShorts");
    const QString shortcutCaptions[] = {QStringLiteral("&Desktop"), QStringLiteral("&Start Menu"),
                                        QStringLiteral("Se&nd to")};
    for (int i = 1; i <= 3; ++i) {
        AddItem(
            shorts, shortcutCaptions[i - 1], ControlName("menuShortcuts", i),
            [this, i] { events_.menuShortcuts_Click(i); }, true);
    }
    // "Send to" has no action: greyed, its check mark only tells whether the shortcut exists.
    commands_.back().syncEnabled = false;
    commands_.back().action->setEnabled(false);
    shorts->addSeparator()->setObjectName(QString::fromStdString(ControlName("menuShortcuts", 4)));
    AddItem(shorts, QStringLiteral("&Register Shell Extensions"), ControlName("menuShortcuts", 5),
            [this] { events_.menuShortcuts_Click(5); });

    edit->addSeparator()->setObjectName(QStringLiteral("menuSpacer"));
    const QString prefsCaptions[] = {QStringLiteral("Registry &Info"),
                                     QStringLiteral("&Fonts && Things"),
                                     QStringLiteral("Set &Paths")};
    for (int i = 1; i <= 3; ++i) {
        AddItem(edit, prefsCaptions[i - 1], ControlName("menuPrefs", i),
                [this, i] { events_.menuPrefs_Click(i); });
    }

    // Beyond the stock commands: the mount order and the entries that were left out.
    edit->addSeparator();
    QAction* up = edit->addAction(QStringLiteral("M&ove Up"), this, [this] { MoveMounted(-1); });
    up->setObjectName(QStringLiteral("menuMoveUp"));
    up->setShortcut(QKeySequence(Qt::ALT | Qt::Key_Up));
    QAction* down =
        edit->addAction(QStringLiteral("Move Do&wn"), this, [this] { MoveMounted(+1); });
    down->setObjectName(QStringLiteral("menuMoveDown"));
    down->setShortcut(QKeySequence(Qt::ALT | Qt::Key_Down));
    QAction* why =
        edit->addAction(QStringLiteral("Why &Not Mounted..."), this, [this] { ShowNotMounted(); });
    why->setObjectName(QStringLiteral("menuNotMounted"));
    QAction* conflicts =
        edit->addAction(QStringLiteral("Conflic&ts..."), this, [this] { ShowConflicts(); });
    conflicts->setObjectName(QStringLiteral("menuConflicts"));
    conflicts->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_K));

    // Undo and redo while Marvok runs; the last saved pod.ini from the user's own data folder.
    edit->addSeparator();
    undo_ = edit->addAction(QStringLiteral("&Undo"), this, [this] { UndoRedo(true); });
    undo_->setObjectName(QStringLiteral("menuUndo"));
    undo_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
    redo_ = edit->addAction(QStringLiteral("Re&do"), this, [this] { UndoRedo(false); });
    redo_->setObjectName(QStringLiteral("menuRedo"));
    // Ctrl+Y as well, as Windows programs have it.
    redo_->setShortcuts({QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z),
                         QKeySequence(Qt::CTRL | Qt::Key_Y)});
    QAction* lastSaved = edit->addAction(QStringLiteral("Restore &Last Saved"), this, [this] {
        Run([this] { FileCommands::RestoreLastSaved(session_); });
    });
    lastSaved->setObjectName(QStringLiteral("menuRestoreLastSaved"));
    lastSaved->setToolTip(
        QStringLiteral("Puts the pod.ini that the last save replaced into the lists; nothing is "
                       "written until you save."));

    QMenu* view = bar->addMenu(QStringLiteral("&View"));
    view->setObjectName(QStringLiteral("mnuView"));
    AddItem(
        view, QStringLiteral("&Toolbar"), "menuToolbar", [this] { events_.menuToolbar_Click(); },
        true)
        ->setShortcut(QKeySequence(Qt::Key_F4));
    AddItem(
        view, QStringLiteral("&Side by Side"), "menuViewmode",
        [this] { events_.menuViewmode_Click(); }, true)
        ->setShortcut(QKeySequence(Qt::Key_F8));
    AddItem(
        view, QStringLiteral("&Alphabetize Pod.ini"), "menuSort",
        [this] { events_.menuSort_click(); }, true);

    view->addSeparator();
    QAction* details = detailsPane_->toggleViewAction();
    details->setText(QStringLiteral("Pod &Details"));
    details->setObjectName(QStringLiteral("menuDetails"));
    details->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_I));
    view->addAction(details);

    QMenu* help = bar->addMenu(QStringLiteral("&Help"));
    help->setObjectName(QStringLiteral("mnuHelp"));
    AddItem(help, QStringLiteral("&About"), "menuAbout", [this] {
        events_.menuAbout_Click();
    })->setShortcut(QKeySequence(Qt::Key_F1));
}

}  // namespace marvok::ui
