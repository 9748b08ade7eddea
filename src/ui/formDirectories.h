#pragma once

#include <QDialog>
#include <QPointer>
#include <array>
#include <functional>
#include <memory>

#include "common/Session.h"
#include "podlist/PathOptions.h"
#include "shell/FolderBrowser.h"

class QLabel;
class QLineEdit;
class QRadioButton;
class QGroupBox;

namespace marvok::ui {

// "Path Options": the user's pod folders, the sort rule and the folder depth. Modeless and
// topmost; nothing is stored before "&Save", which then runs the main window's Refresh.
class formDirectories final : public QDialog {
    Q_OBJECT
public:
    // Opens the window, or brings the open one forward. refresh runs after a save; browser
    // chooses the folders (the platform's own chooser when none is given).
    static formDirectories* Show(Session& session, QWidget* owner, std::function<void()> refresh,
                                 FolderBrowser* browser = nullptr);

    formDirectories(Session& session, QWidget* owner, std::function<void()> refresh,
                    FolderBrowser* browser = nullptr);
    ~formDirectories() override;

    void Form_Load();
    // 1 saves before closing; anything else only closes.
    void Form_Unload(int mode);

    void reject() override;

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct FrameWidgets {
        QGroupBox* frame = nullptr;
        std::array<QRadioButton*, 2> options{};
        QLineEdit* text = nullptr;
        QLabel* label = nullptr;
    };

    void Build();
    FrameWidgets BuildFrame(const QString& name, const QString& caption, const QString& option,
                            const QString& textName, const QString& labelName,
                            const QString& labelText);
    void OptionClick(pathoptions::Frame frame, int index);
    void SyncFromModel();
    void TakeTexts();

    Session& session_;
    std::function<void()> refresh_;
    std::unique_ptr<FolderBrowser> ownBrowser_;
    FolderBrowser* browser_;
    pathoptions::DirectoriesControls model_;
    std::array<QLineEdit*, 4> userDir_{};
    FrameWidgets keepOnTop_;
    FrameWidgets folderDepth_;
};

}  // namespace marvok::ui
