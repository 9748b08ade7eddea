#pragma once

#include <QDialog>
#include <array>
#include <memory>

#include "common/Session.h"
#include "gameoptions/FontsAndThings.h"
#include "shell/FontDialog.h"

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QGridLayout;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace marvok::ui {

// "Fonts & things": the game's fonts, language and three flags in system\Monster.ini.
// Modeless and topmost (except while its font dialog is up); writes only on "&Save".
class formMonster final : public QDialog {
    Q_OBJECT
public:
    // Opens the window, or brings the open one forward. fonts: the font dialog (Qt's own when
    // none is given).
    static formMonster* Show(Session& session, QWidget* owner, FontDialog* fonts = nullptr);

    formMonster(Session& session, QWidget* owner, FontDialog* fonts = nullptr);
    ~formMonster() override;

    void Form_Load();
    const gameoptions::FontsAndThings& Model() const { return *model_; }

    void reject() override;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void Build();
    QGroupBox* Frame(const char* name);
    void AddRow(QGridLayout* grid, int row, int key, const QString& description,
                QWidget* value, QWidget* extra = nullptr);
    void SyncFromModel();
    void CommandClick(int index);

    std::unique_ptr<FontDialog> ownFonts_;
    std::unique_ptr<gameoptions::FontsAndThings> model_;
    std::array<QCheckBox*, 5> chkValue_{};
    std::array<QPushButton*, 4> commFont_{};
    std::array<QLabel*, 8> labelVal_{};
    std::array<QRadioButton*, 3> opLoc_{};
    QButtonGroup* opLocGroup_ = nullptr;
    std::array<QCheckBox*, 3> chkThings_{};
    QComboBox* combo1_ = nullptr;
    QLineEdit* text1_ = nullptr;
    bool closeApproved_ = false;
};

}  // namespace marvok::ui
