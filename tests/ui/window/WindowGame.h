#pragma once
// A game folder opened in the main window as start-up opens it, offscreen, with the user and the
// desktop faked.

#include <QDir>
#include <QTest>
#include <memory>
#include <string>

#include "app/Startup.h"
#include "platform/FileSystem.h"
#include "support/FakeDesktop.h"
#include "support/FakeUserInterface.h"
#include "support/MemorySettingsStore.h"
#include "support/TestGameFolder.h"
#include "ui/Form1.h"

namespace marvok::ui {

struct WindowGame {
    test::TestGameFolder folder;
    test::MemorySettingsStore settings;
    test::FakeUserInterface ui;
    test::FakeDesktop desktop;
    std::unique_ptr<platform::FileSystem> fs = platform::CreateFileSystem(folder.Folder());
    std::unique_ptr<Session> session;
    std::unique_ptr<Form1> form;  // last: it goes first

    // Reads what the folder holds now and shows the window; false if it never came up.
    bool Open(short viewMode = 2) {
        settings.Set("Prefs", "ViewMode", std::to_string(viewMode));
        session = std::make_unique<Session>(*fs, settings, ui);
        Startup::FormLoad(*session, folder.Folder(), {});
        form = std::make_unique<Form1>(*session, desktop);
        form->show();
        return QTest::qWaitForWindowExposed(form.get());
    }
};

// Saves a picture of the window beside the test program, for a reviewer to look at.
inline void SavePicture(QWidget& window, const QString& name) {
    const QString path = QDir(QStringLiteral(MARVOK_PICTURES_DIR)).filePath(name);
    QVERIFY2(window.grab().save(path), qPrintable(path));
}

}  // namespace marvok::ui
