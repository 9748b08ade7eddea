#pragma once

#include <QDialog>
#include <array>

#include "common/Controls.h"
#include "common/Session.h"
#include "platform/Registry.h"
#include "registry/mMyRegStuff.h"

class QAction;
class QGroupBox;
class QLabel;

namespace marvok::ui {

// "Registry Values for <version>": the game key, DirectPlay entry and uninstall entry of the
// detected game, the "Reset As..." profiles and the K-vex and verb utilities. Modeless and
// topmost, except while a utility runs.
class FormReg final : public QDialog {
    Q_OBJECT
  public:
    // Opens the window, or brings the open one forward.
    static FormReg* Show(Session& session, platform::Registry& registry, QWidget* owner);

    FormReg(Session& session, platform::Registry& registry, QWidget* owner = nullptr);

    void Form_Load();
    // 1 "MTM1", 2 "MTM2", 3 "MTM Trial"; any index then shows the registry again.
    void menuRegistry_Click(int index);
    // 0 "Clear K-vex", 1 "Re-set K-vex", 2 the separator, 3 "Clear Marvok Extensions".
    void menuEx_Click(int index);

  private:
    void Build();
    QGroupBox* BuildFrame(QWidget* parent, const QString& name, const QString& caption, int height,
                          const char* labelArray, const char* valueArray, int rows, QLabel** labels,
                          QLabel** values);
    void SyncFromDisplay();

    Session& session_;
    platform::Registry& registry_;
    mMyRegStuff::RegistryDisplay display_;
    Controls controls_;
    QGroupBox* frmMTM2_ = nullptr;
    std::array<QLabel*, 7> mLabel_{}, mValue_{};
    std::array<QLabel*, 5> dpLabel_{}, dpValue_{};
    std::array<QLabel*, 2> uLabel_{}, uValue_{};
    std::array<QAction*, 4> menuRegistry_{};  // index 0 unused
};

}  // namespace marvok::ui
