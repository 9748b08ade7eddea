#include "ui/FormReg.h"

#include <QAction>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QPushButton>
#include <QVBoxLayout>

#include "ui/QtUserInterface.h"
#include "ui/TopMost.h"

namespace marvok::ui {
namespace {

// The window is laid out as designed, in twips (15 to a pixel at 96 dpi).
constexpr int Px(int twips) {
    return twips / 15;
}

QPointer<FormReg>& OpenWindow() {
    static QPointer<FormReg> window;
    return window;
}

QString Name(std::string_view array, int index) {
    return ToQString(ControlName(array, index));
}

}  // namespace

FormReg* FormReg::Show(Session& session, platform::Registry& registry, QWidget* owner) {
    return ShowOnce(OpenWindow(), [&] {
        auto* window = new FormReg(session, registry, owner);
        window->setAttribute(Qt::WA_DeleteOnClose);
        window->Form_Load();
        return window;
    });
}

FormReg::FormReg(Session& session, platform::Registry& registry, QWidget* owner)
    : QDialog(owner), session_(session), registry_(registry) {
    setObjectName(QStringLiteral("FormReg"));
    setWindowTitle(QStringLiteral("MTM Registry Values"));
    setModal(false);
    Build();
}

QGroupBox* FormReg::BuildFrame(QWidget* parent, const QString& name, const QString& caption,
                               int height, const char* labelArray, const char* valueArray, int rows,
                               QLabel** labels, QLabel** values) {
    auto* frame = new QGroupBox(caption, parent);
    frame->setObjectName(name);
    frame->setMinimumSize(Px(7575), Px(height));
    auto* grid = new QGridLayout(frame);
    grid->setVerticalSpacing(Px(240 - 195));
    grid->setColumnMinimumWidth(0, Px(1560 - 120 - 60));
    grid->setColumnStretch(1, 1);
    for (int i = 0; i < rows; ++i) {
        auto* label = new QLabel(frame);
        label->setObjectName(Name(labelArray, i));
        label->setTextFormat(Qt::PlainText);  // registry names and data are never markup
        auto* value = new QLabel(frame);
        value->setObjectName(Name(valueArray, i));
        value->setTextFormat(Qt::PlainText);
        value->setTextInteractionFlags(Qt::TextSelectableByMouse);
        for (QLabel* cell : {label, value}) {
            cell->setMinimumHeight(Px(195));
        }
        grid->addWidget(label, i, 0);
        grid->addWidget(value, i, 1);
        labels[i] = label;
        values[i] = value;
    }
    grid->setRowStretch(rows, 1);
    return frame;
}

void FormReg::Build() {
    auto* bar = new QMenuBar(this);
    QMenu* file = bar->addMenu(QStringLiteral("&File"));
    file->setObjectName(QStringLiteral("menuFile"));
    QAction* close = file->addAction(QStringLiteral("&Close"));
    close->setObjectName(QStringLiteral("menuClose"));
    connect(close, &QAction::triggered, this, &QWidget::close);

    QMenu* edit = bar->addMenu(QStringLiteral("&Edit"));
    edit->setObjectName(QStringLiteral("menuEdit"));
    QMenu* reset = edit->addMenu(QStringLiteral("&Reset As..."));
    reset->setObjectName(QStringLiteral("menuReset"));
    const std::array<QString, 3> profiles = {QStringLiteral("MTM&1"), QStringLiteral("MTM&2"),
                                             QStringLiteral("MTM &Trial")};
    for (int i = 1; i <= 3; ++i) {
        QAction* item = reset->addAction(profiles[static_cast<std::size_t>(i - 1)]);
        item->setObjectName(Name("menuRegistry", i));
        connect(item, &QAction::triggered, this, [this, i] { menuRegistry_Click(i); });
        menuRegistry_[static_cast<std::size_t>(i)] = item;
    }

    QMenu* others = bar->addMenu(QStringLiteral("&Utilities"));
    others->setObjectName(QStringLiteral("menuOthers"));
    others->setToolTipsVisible(true);
    // K-vex is another pod manager; what these change is not plain from their captions.
    static const std::array<QString, 4> kUtilityTips = {
        QStringLiteral("Deletes K-vex's saved start-up values (its window position), so it opens "
                       "as new. Marvok itself is not changed."),
        QStringLiteral("Moves K-vex's window back to the top left corner of the screen the next "
                       "time it starts (its saved position becomes 0, 0)."),
        QString(),
        QStringLiteral("Removes the Explorer verbs that Marvok registered for .ini lists.")};
    const std::array<QString, 4> utilities = {QStringLiteral("&Clear K-vex"),
                                              QStringLiteral("Re-&set K-vex"), QStringLiteral("-"),
                                              QStringLiteral("Clear &Marvok Extensions")};
    for (int i = 0; i < 4; ++i) {
        QAction* item = i == 2 ? others->addSeparator()
                               : others->addAction(utilities[static_cast<std::size_t>(i)]);
        item->setObjectName(Name("menuEx", i));
        item->setToolTip(kUtilityTips[static_cast<std::size_t>(i)]);
        connect(item, &QAction::triggered, this, [this, i] { menuEx_Click(i); });
    }

    // The three frames stacked as designed, the button centred below them.
    auto* client = new QWidget(this);
    auto* stack = new QVBoxLayout(client);
    stack->setContentsMargins(Px(120), Px(120), Px(120), Px(120));
    frmMTM2_ = BuildFrame(client, QStringLiteral("frmMTM2"), QStringLiteral("MTM2 "), 2055,
                          "mLabel", "mValue", 7, mLabel_.data(), mValue_.data());
    stack->addWidget(frmMTM2_);
    stack->addWidget(BuildFrame(client, QStringLiteral("frmDirectPlay"),
                                QStringLiteral("Direct Play "), 1575, "dpLabel", "dpValue", 5,
                                dpLabel_.data(), dpValue_.data()));
    stack->addWidget(BuildFrame(client, QStringLiteral("frmUninstall"),
                                QStringLiteral("Uninstall "), 855, "uLabel", "uValue", 2,
                                uLabel_.data(), uValue_.data()));
    auto* button = new QPushButton(QStringLiteral("&Close"), client);
    button->setObjectName(QStringLiteral("Command1"));
    button->setFixedSize(Px(1215), Px(495));
    connect(button, &QPushButton::clicked, this, &QWidget::close);
    stack->addWidget(button, 0, Qt::AlignHCenter);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setMenuBar(bar);
    layout->addWidget(client);
}

void FormReg::Form_Load() {
    mMyRegStuff::EnableResetItems(session_, controls_);
    mMyRegStuff::ShowGameRegistry(session_, registry_, display_);
    SyncFromDisplay();
    MakeTopMost(this);
}

void FormReg::menuRegistry_Click(int index) {
    static constexpr std::array<std::string_view, 4> kProfiles = {"", "mtm1", "mtm2", "trial"};
    if (index >= 1 && index <= 3) {
        mMyRegStuff::ResetAs(session_, registry_, kProfiles[static_cast<std::size_t>(index)]);
    }
    mMyRegStuff::ShowGameRegistry(session_, registry_, display_);
    SyncFromDisplay();
}

void FormReg::menuEx_Click(int index) {
    // Out of the topmost band, so that the utility's messages come up in front.
    MakeNotTopMost(this);
    switch (index) {
        case 0:
            mMyRegStuff::ClearKvexStartup(session_, registry_);
            break;
        case 1:
            mMyRegStuff::ResetKvexPosition(session_, registry_);
            break;
        case 3:
            mMyRegStuff::RemoveShellVerbs(session_, registry_);
            break;
        default:
            break;
    }
    MakeTopMost(this);
}

void FormReg::SyncFromDisplay() {
    setWindowTitle(ToQString(display_.caption));
    frmMTM2_->setTitle(ToQString(display_.frameCaption));
    const auto fill = [](auto& labels, const auto& texts) {
        for (std::size_t i = 0; i < labels.size(); ++i) {
            labels[i]->setText(ToQString(texts[i]));
        }
    };
    fill(mLabel_, display_.mLabel);
    fill(mValue_, display_.mValue);
    fill(dpLabel_, display_.dpLabel);
    fill(dpValue_, display_.dpValue);
    fill(uLabel_, display_.uLabel);
    fill(uValue_, display_.uValue);
    for (int i = 1; i <= 3; ++i) {
        menuRegistry_[static_cast<std::size_t>(i)]->setEnabled(
            controls_.Enabled(ControlName("menuRegistry", i)));
    }
}

}  // namespace marvok::ui
