// The "Path Options" and "Fonts & things" windows, driven by control name as a user would, and
// the Qt font and folder choosers they use.

#include <QtTest>
#include <QtWidgets>

#include "common/Session.h"
#include "gameoptions/GameSettings.h"
#include "platform/FileSystem.h"
#include "support/FakeFolderBrowser.h"
#include "support/FakeFontDialog.h"
#include "support/FakeUserInterface.h"
#include "support/MemorySettingsStore.h"
#include "support/TestGameFolder.h"
#include "ui/QtFolderBrowser.h"
#include "ui/QtFontDialog.h"
#include "ui/formDirectories.h"
#include "ui/formMonster.h"

using namespace marvok;

namespace {

constexpr const char* kIni = "system\\Monster.ini";

// A game folder with its session and the windows' fakes, fresh for each test. The windows are
// made, loaded and shown as the owner's; closing deletes one later, which its pointer sees.
struct Game {
    Game() : fs(platform::CreateFileSystem(folder.Folder())), session(*fs, settings, ui) {
        SetGamePaths(session, folder.Folder());
    }
    std::optional<std::string> Setting(const char* section, const char* key) {
        return settings.Get(section, key);
    }
    template <typename Window, typename... Args>
    QPointer<Window> Open(Session& in, Args... args) {
        auto* window = new Window(in, &owner, args...);
        window->Form_Load();
        window->show();
        return window;
    }
    QPointer<ui::formDirectories> Paths(std::function<void()> refresh = {}) {
        return Open<ui::formDirectories>(session, std::move(refresh), &browser);
    }
    QPointer<ui::formMonster> Fonts(const std::string& ini) {
        folder.Write(kIni, ini);
        return Open<ui::formMonster>(session, &fonts);
    }

    test::TestGameFolder folder;
    std::unique_ptr<platform::FileSystem> fs;
    test::MemorySettingsStore settings;
    test::FakeUserInterface ui;
    Session session;
    test::FakeFolderBrowser browser;
    test::FakeFontDialog fonts;
    QWidget owner;
};

template <typename T>
T* Find(QWidget* window, const char* name) {
    auto* widget = window->findChild<T*>(QLatin1String(name));
    if (!widget) {
        qFatal("no control %s", name);
    }
    return widget;
}

void Click(QWidget* window, const char* name) {
    QTest::mouseClick(Find<QAbstractButton>(window, name), Qt::LeftButton);
}

QString Text(QWidget* window, const char* name) {
    if (auto* field = window->findChild<QLineEdit*>(QLatin1String(name))) {
        return field->text();
    }
    return Find<QLabel>(window, name)->text();
}

template <typename W>
bool Gone(const QPointer<W>& window) {
    return QTest::qWaitFor([&] { return window.isNull(); }, 2000);
}

void SavePicture(QWidget* window, const QString& file) {
    window->adjustSize();
    QVERIFY(window->grab().save(QStringLiteral(MARVOK_PICTURES_DIR "/") + file));
}

// Runs act on the Qt dialog of type D once it is open.
template <typename D>
void WhenOpen(std::function<void(D*)> act) {
    QTimer::singleShot(0, [act = std::move(act)] {
        for (auto* widget : QApplication::topLevelWidgets()) {
            if (auto* open = qobject_cast<D*>(widget); open && open->isVisible()) {
                act(open);
            }
        }
    });
}

}  // namespace

class SettingsWindowsTest : public QObject {
    Q_OBJECT

  private slots:
    void pathOptionsOpensWithThePreferences() {
        Game game;
        game.session.UserPaths = {"C:\\Pods", "", "", "D:\\Games\\More pods"};
        game.session.SortMode = "yes";
        game.session.KeepOnTop = 30;
        game.session.FolderDepth = -1;
        QWidget* w = game.Paths();
        QVERIFY(w->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
        QCOMPARE(Text(w, "userDir_0") + Text(w, "userDir_1") + QLatin1Char('|') + Text(w, "userDir_3"),
                 QStringLiteral("C:\\Pods|D:\\Games\\More pods"));
        QVERIFY(Find<QRadioButton>(w, "opKeepOnTop_1")->isChecked());
        auto* count = Find<QLineEdit>(w, "txtKeepOnTop");
        QCOMPARE(count->text(), QStringLiteral("30"));
        QVERIFY(count->isEnabled() && count->maxLength() == 3);
        QVERIFY(Find<QRadioButton>(w, "opFolderDepth_0")->isChecked());
        auto* depth = Find<QLineEdit>(w, "txtFolderDepth");
        QCOMPARE(depth->text(), QStringLiteral("-1"));
        QVERIFY(!depth->isEnabled() && !Find<QLabel>(w, "lblFolderDepth")->isEnabled());
        QCOMPARE(depth->palette().color(QPalette::Base),
                 Find<QWidget>(w, "FrameRecursion")->palette().color(QPalette::Window));
        SavePicture(w, QStringLiteral("formDirectories.png"));
    }

    void pathOptionsSavesEditsAndRefreshes() {
        Game game;
        game.folder.MakeFolder("Addons");
        const std::string addons = game.folder.Native("Addons").string();
        game.session.UserPaths = {"C:\\Nowhere", addons, "", ""};
        game.session.FolderDepth = 2;
        int refreshes = 0;
        const auto window = game.Paths([&] { ++refreshes; });

        game.browser.answers = {addons + "/", ""};
        Click(window, "comBrowse_2");
        QCOMPARE(Text(window, "userDir_2"), QString::fromStdString(addons));
        Click(window, "comBrowse_1");  // cancelled: the row stays as it was
        QCOMPARE(Text(window, "userDir_1"), QString::fromStdString(addons));
        QCOMPARE(game.browser.requests.at(0),
                 std::make_pair(game.session.GameFolder, std::string("Please select a folder:")));
        Click(window, "comClear_1");
        QCOMPARE(Text(window, "userDir_1"), QString());

        Click(window, "opKeepOnTop_1");
        auto* count = Find<QLineEdit>(window, "txtKeepOnTop");
        count->setFocus();
        // The focus selects the whole text (a moment later), so typing replaces it.
        QTRY_VERIFY(count->hasSelectedText() && count->selectedText() == count->text());
        QTest::keyClicks(count, QStringLiteral("6"));
        QCOMPARE(count->text(), QStringLiteral("6"));
        Click(window, "opFolderDepth_0");
        QCOMPARE(Text(window, "txtFolderDepth"), QStringLiteral("-1"));
        Click(window, "opFolderDepth_1");
        QVERIFY(Find<QLineEdit>(window, "txtFolderDepth")->isEnabled());

        QTest::keyClick(count, Qt::Key_Return);  // Enter presses "&Save"
        QVERIFY(Gone(window));
        QCOMPARE(refreshes, 1);
        // What reaches the settings store from here is the core's (PathOptionsTest).
        QCOMPARE(game.session.UserPaths, (std::array<std::string, 4>{"", "", addons, ""}));
        QCOMPARE(game.session.SortMode, std::string("yes"));
        QCOMPARE(game.session.KeepOnTop, short{24});
        QCOMPARE(game.session.FolderDepth, short{-1});
        QVERIFY(game.session.controls.Checked("menuSort"));
    }

    // A folder can be typed or pasted; Save checks it and, on No, keeps the window to mend it. A
    // browsed folder that can give no pods is said to be so at once.
    void pathOptionsChecksTypedAndChosenFolders() {
        Game game;
        game.folder.MakeFolder("Pods");
        const std::string pods = game.folder.Native("Pods").string();
        // Chosen, then gone before Save (a blank without a short name is the core tests' case: a
        // Windows folder always has one).
        const std::string gone = game.folder.Native("Gone").string();
        const auto window = game.Paths();

        game.browser.answers = {gone};
        Click(window, "comBrowse_3");
        QCOMPARE(game.ui.messages.size(), std::size_t{1});
        QVERIFY(game.ui.messages[0].text.find(gone + ":\nnot found") != std::string::npos);

        auto* typed = Find<QLineEdit>(window, "userDir_0");
        typed->setFocus();
        QTest::keyClicks(typed, QStringLiteral(" %1 ").arg(QString::fromStdString(pods)));
        Find<QLineEdit>(window, "userDir_1")->setText(QStringLiteral("D:\\Nowhere"));
        game.ui.answers.push_back(MessageAnswer::No);
        Click(window, "comClose_1");
        QVERIFY(window && window->isVisible());
        QCOMPARE(game.ui.messages.size(), std::size_t{2});
        const std::string& asked = game.ui.messages[1].text;
        QVERIFY(asked.find("D:\\Nowhere: not found") != std::string::npos);
        QVERIFY(asked.find(gone + ": not found") != std::string::npos);
        QVERIFY(asked.find(pods + ":") == std::string::npos);
        QCOMPARE(game.Setting("userDir", "path(0)"), std::optional<std::string>());

        Find<QLineEdit>(window, "userDir_1")->clear();
        Click(window, "comClear_3");
        Click(window, "comClose_1");
        QVERIFY(Gone(window));
        QCOMPARE(game.ui.messages.size(), std::size_t{2});  // nothing more to say
        QCOMPARE(game.Setting("userDir", "path(0)"), std::optional<std::string>(pods));
        QCOMPARE(game.session.UserPaths[0], pods);
    }

    void pathOptionsClosingWithoutSaveLeavesNoTrace_data() {
        QTest::addColumn<int>("how");
        QTest::newRow("Cancel button") << 0;
        QTest::newRow("Escape key") << 1;
        QTest::newRow("close box") << 2;
    }

    void pathOptionsClosingWithoutSaveLeavesNoTrace() {
        QFETCH(int, how);
        Game game;
        game.session.UserPaths = {"C:\\Pods", "", "", ""};
        int refreshes = 0;
        const auto window = game.Paths([&] { ++refreshes; });
        for (const char* name : {"comClear_0", "opKeepOnTop_1", "opFolderDepth_1"}) {
            Click(window, name);
        }
        if (how == 0) {
            Click(window, "comClose_0");
        } else if (how == 1) {
            QTest::keyClick(window, Qt::Key_Escape);
        } else {
            QVERIFY(window->close());
        }
        QVERIFY(Gone(window));
        QCOMPARE(refreshes + game.settings.writes, 0);
        QCOMPARE(game.session.UserPaths[0], std::string("C:\\Pods"));
        QCOMPARE(game.session.SortMode, std::string("no"));
    }

    // A dark palette: the number boxes take their colours from it, so their digits stay readable.
    void pathOptionsFollowsADarkPalette() {
        const QPalette light = QApplication::palette();
        QPalette dark(QColor(45, 45, 48), QColor(37, 37, 38));
        for (const auto role : {QPalette::Text, QPalette::WindowText, QPalette::ButtonText}) {
            dark.setColor(role, QColor(230, 230, 230));
            dark.setColor(QPalette::Disabled, role, QColor(150, 150, 150));
        }
        dark.setColor(QPalette::Base, QColor(30, 30, 30));
        QApplication::setPalette(dark);
        Game game;
        game.session.SortMode = "yes";
        game.session.KeepOnTop = 24;
        QWidget* window = game.Paths();
        for (const char* name : {"txtKeepOnTop", "txtFolderDepth"}) {
            auto* box = Find<QLineEdit>(window, name);
            const auto group = box->isEnabled() ? QPalette::Active : QPalette::Disabled;
            const int text = box->palette().color(group, QPalette::Text).lightness();
            const int field = box->palette().color(group, QPalette::Base).lightness();
            QVERIFY2(std::abs(text - field) >= 80, name);
        }
        SavePicture(window, QStringLiteral("formDirectories-dark.png"));
        delete window;
        QApplication::setPalette(light);
    }

    // Each window opens inside the screen's free area, goes down to what an 800 x 600 screen
    // leaves inside a window frame, and every control can then be brought into view.
    void windowsFitASmallScreen() {
        const QSize screen = QGuiApplication::primaryScreen()->availableGeometry().size();
        const QSize small(760, 540);
        Game game;
        QWidget* const windows[] = {
            game.Fonts("[Fonts]\r\ngOSFontUseGlobal=1\r\n"
                       "gOSFontName_Large=Lucida Console,Lucida Console,Lucida Console Bold\r\n"),
            game.Paths()};
        for (const auto& window : windows) {
            QVERIFY(QTest::qWaitForWindowExposed(window));
            const QString name = window->objectName();
            QVERIFY2(window->width() <= screen.width() && window->height() <= screen.height(),
                     qPrintable(name));
            window->resize(window->size().boundedTo(small));
            QVERIFY2(window->width() <= small.width() && window->height() <= small.height(),
                     qPrintable(name));
            QCoreApplication::processEvents();
            for (auto* control : window->findChildren<QAbstractButton*>()) {
                if (auto* scroll = window->findChild<QScrollArea*>()) {
                    scroll->ensureWidgetVisible(control);
                }
                QVERIFY2(!control->isVisibleTo(window) || !control->visibleRegion().isEmpty(),
                         qPrintable(control->objectName()));
            }
        }
    }

    // The Qt controls follow the master switch and each area's box (the rules are the core's).
    void fontsMasterSwitchGovernsTheRest() {
        Game game;
        QWidget* window = game.Fonts("[Fonts]\r\ngOSFontUseGlobal=0\r\ngOSFontUse_Small=1\r\n"
                                     "gLocalizationFile=UI\\Other.loc\r\n");
        for (const char* option : {"opLoc_0", "opLoc_1", "opLoc_2"}) {  // none of the three
            QVERIFY(!Find<QRadioButton>(window, option)->isChecked());
        }
        auto* presets = Find<QComboBox>(window, "Combo1");
        QVERIFY(!presets->isEnabled() && !Find<QCheckBox>(window, "chkValue_2")->isEnabled());
        QVERIFY(!Find<QPushButton>(window, "commFont_1")->isEnabled());
        Click(window, "chkValue_0");
        QVERIFY(presets->isEnabled() && Find<QCheckBox>(window, "chkValue_1")->isEnabled());
        QVERIFY(!Find<QPushButton>(window, "commFont_0")->isEnabled());
        QVERIFY(Find<QPushButton>(window, "commFont_1")->isEnabled());
        SavePicture(window, QStringLiteral("formMonster.png"));
    }

    void fontsPresetIsWrittenOnlyOnSave() {
        Game game;
        const std::string original = "[Fonts]\r\ngOSFontUseGlobal=1\r\n; ours\r\n";
        const auto window = game.Fonts(original);
        auto* presets = Find<QComboBox>(window, "Combo1");
        QCOMPARE(presets->count(), 7);
        presets->setCurrentIndex(6);
        emit presets->activated(6);
        QCOMPARE(Text(window, "labelVal_3"),
                 QStringLiteral("Lucida Console,Lucida Console,Lucida Console Bold"));
        QCOMPARE(Text(window, "labelVal_7"), QStringLiteral("-10,-10,-28"));
        QVERIFY(Find<QCheckBox>(window, "chkValue_3")->isChecked());
        QVERIFY(Find<QRadioButton>(window, "opLoc_0")->isChecked());
        QCOMPARE(game.folder.Read(kIni), original);

        for (const char* name : {"chkThings_2", "opLoc_1", "Command_1"}) {
            Click(window, name);
        }
        QVERIFY(Gone(window));
        const auto values = gameoptions::ReadGameSettings(*game.fs, game.session.MonsterIniPath);
        QCOMPARE(values[8], std::string("Lucida Console,Lucida Console,Lucida Console Bold"));
        QCOMPARE(values[13], std::string("UI\\MTM2-FUN.loc"));
        QCOMPARE(values[16], std::string("666"));
        QVERIFY(game.folder.Read(kIni).find("; ours\r\n") != std::string::npos);
        QVERIFY(game.ui.messages.empty());
    }

    // While the font browser is open the window leaves the top band without being hidden,
    // refuses Save, Cancel and closing, and comes back with the chosen font, still unsaved.
    void fontsDialogGuardsTheButtonsAndLeavesTheTopBand() {
        Game game;
        const std::string original = "[Fonts]\r\ngOSFontUseGlobal=1\r\ngOSFontUse_Small=1\r\n";
        const auto window = game.Fonts(original);
        bool topMostMeanwhile = true;
        bool closedMeanwhile = true;
        game.fonts.whileOpen = [&] {
            topMostMeanwhile = window->windowFlags().testFlag(Qt::WindowStaysOnTopHint);
            Click(window, "Command_1");
            Click(window, "Command_0");
            closedMeanwhile = window->close();
        };
        game.fonts.answer = FontObject{"Verdana", 12, true, true};
        struct HideCounter : QObject {
            int hides = 0;
            bool eventFilter(QObject*, QEvent* event) override {
                hides += event->type() == QEvent::Hide ? 1 : 0;
                return false;
            }
        } hideCounter;
        window->installEventFilter(&hideCounter);
        Click(window, "commFont_1");
        window->removeEventFilter(&hideCounter);
        QCOMPARE(hideCounter.hides, 0);
        QVERIFY(!topMostMeanwhile && !closedMeanwhile);
        QCOMPARE(game.ui.messages.size(), size_t{3});  // one refusal each
        QVERIFY(window->isVisible() && window->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
        QCOMPARE(Text(window, "labelVal_1"), QStringLiteral("Verdana,Verdana,Verdana Bold Italic"));
        QCOMPARE(Text(window, "labelVal_5"), QStringLiteral("-9,-9,-12"));
        QCOMPARE(Find<QLineEdit>(window, "Text1")->font().family(), QStringLiteral("Verdana"));
        QCOMPARE(game.folder.Read(kIni), original);
        Click(window, "Command_0");
        QVERIFY(Gone(window));
    }

    // OK on what it opened with gives the font back as it came, whatever face stood in for it.
    void qtFontDialogGivesBackTheFontItOpenedWith() {
        ui::QtFontDialog dialog;
        FontObject missing{"No Such Face", 11, true};
        WhenOpen<QFontDialog>([](QFontDialog* open) { open->accept(); });
        QVERIFY(dialog.ChooseFont(missing));
        QCOMPARE(missing.Name, std::string("No Such Face"));
        QCOMPARE(missing.Size, 11.0);
        QVERIFY(missing.Bold);
    }

    void qtFolderChooserAnswersThePathOrNothing() {
        test::TestGameFolder folder;
        folder.MakeFolder("Pods");
        const QString pods = QString::fromStdString(folder.Native("Pods").string());
        QWidget owner;
        ui::QtFolderBrowser browser(&owner);
        for (const bool accept : {false, true}) {
            WhenOpen<QFileDialog>([&, accept](QFileDialog* open) {
                QCOMPARE(open->windowTitle(), QStringLiteral("Please select a folder:"));
                const int room = open->screen()->availableSize().width();
                QVERIFY(open->width() >= std::min(800, room - 40));
                open->selectFile(pods);
                QMetaObject::invokeMethod(open, accept ? "accept" : "reject");
            });
            const QString chosen = QString::fromStdString(
                browser.ChooseFolder(folder.Folder(), "Please select a folder:"));
            QCOMPARE(chosen.isEmpty() ? chosen : QDir(chosen).canonicalPath(),
                     accept ? QDir(pods).canonicalPath() : QString());
        }
    }
};

QTEST_MAIN(SettingsWindowsTest)
#include "SettingsWindowsTest.moc"
