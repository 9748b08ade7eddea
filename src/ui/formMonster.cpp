#include "ui/formMonster.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QScrollArea>
#include <QVBoxLayout>
#include <algorithm>

#include "ui/QtFontDialog.h"
#include "ui/QtUserInterface.h"
#include "ui/TopMost.h"

namespace marvok::ui {
namespace {

QPointer<formMonster>& OpenWindow() {
    static QPointer<formMonster> window;
    return window;
}

QString Name(std::string_view array, int index) {
    return ToQString(ControlName(array, index));
}

// The four screen areas as the rows name them.
const std::array<const char*, 4> kAreas = {"Pitboard (Overlay)", "Dashboard & Gauges",
                                           "Race Loading Screen", "Scrolling Messages"};

}  // namespace

formMonster* formMonster::Show(Session& session, QWidget* owner, FontDialog* fonts) {
    return ShowOnce(OpenWindow(), [&] {
        auto* window = new formMonster(session, owner, fonts);
        window->Form_Load();
        return window;
    });
}

formMonster::formMonster(Session& session, QWidget* owner, FontDialog* fonts) : QDialog(owner) {
    if (!fonts) {
        ownFonts_ = std::make_unique<QtFontDialog>();
        fonts = ownFonts_.get();
    }
    setObjectName(QStringLiteral("formMonster"));
    setWindowTitle(QStringLiteral("Fonts & things"));
    setAttribute(Qt::WA_DeleteOnClose);
    setModal(false);
    Build();
    model_ = std::make_unique<gameoptions::FontsAndThings>(
        session, *fonts, FontObjectOf(text1_->font()),
        [this](bool onTop) { onTop ? MakeTopMost(this) : MakeNotTopMost(this); });
}

formMonster::~formMonster() = default;

QGroupBox* formMonster::Frame(const char* name) {
    auto* frame = new QGroupBox(this);
    frame->setObjectName(QLatin1String(name));
    return frame;
}

void formMonster::AddRow(QGridLayout* grid, int row, int key, const QString& description,
                         QWidget* value, QWidget* extra) {
    auto* parent = grid->parentWidget();
    auto* label = new QLabel(description, parent);
    label->setObjectName(Name("Label1", key));
    auto* keyName = new QLabel(
        ToQString(gameoptions::GameSettingKeys()[static_cast<std::size_t>(key)]), parent);
    keyName->setObjectName(Name("labelKey", key));
    auto* equals = new QLabel(QStringLiteral("="), parent);
    equals->setObjectName(Name("lbleq", key));
    // Fixed columns line the rows of every frame up with each other.
    label->setFixedWidth(150);
    keyName->setFixedWidth(170);
    grid->setColumnStretch(5, 1);
    grid->addWidget(label, row, 0);
    grid->addWidget(keyName, row, 1);
    grid->addWidget(equals, row, 2);
    grid->addWidget(value, row, 3);
    if (extra) {
        grid->addWidget(extra, row, 4);
    }
}

void formMonster::Build() {
    auto* fontsFrame = Frame("frmFonts");
    auto* outer = new QVBoxLayout(fontsFrame);

    auto* global = new QGroupBox(fontsFrame);
    global->setObjectName(QStringLiteral("frmGlobal"));
    auto* globalGrid = new QGridLayout(global);
    auto* use = new QGroupBox(fontsFrame);
    use->setObjectName(QStringLiteral("frmUse"));
    auto* useGrid = new QGridLayout(use);
    for (int i = 0; i < 5; ++i) {
        auto* box = new QCheckBox(i == 0 ? global : use);
        box->setObjectName(Name("chkValue", i));
        box->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);  // the box is all there is
        chkValue_[static_cast<std::size_t>(i)] = box;
        connect(box, &QCheckBox::clicked, this, [this, i](bool checked) {
            model_->ChkValueClick(i, checked);
            SyncFromModel();
        });
        if (i == 0) {
            AddRow(globalGrid, 0, 0, QStringLiteral("Master Switch"), box);
            continue;
        }
        auto* font = new QPushButton(QStringLiteral("..."), use);
        font->setObjectName(Name("commFont", i - 1));
        font->setAutoDefault(false);
        font->setFixedWidth(32);
        commFont_[static_cast<std::size_t>(i - 1)] = font;
        connect(font, &QPushButton::clicked, this, [this, i] {
            model_->CommFontClick(i - 1);
            text1_->setFont(QFontOf(model_->Text1Font()));
            SyncFromModel();
        });
        AddRow(useGrid, i - 1, i, QString::fromUtf8(kAreas[static_cast<std::size_t>(i - 1)]), box,
               font);
    }

    auto* names = new QGroupBox(fontsFrame);
    names->setObjectName(QStringLiteral("frmName"));
    auto* namesGrid = new QGridLayout(names);
    auto* sizes = new QGroupBox(fontsFrame);
    sizes->setObjectName(QStringLiteral("frmSize"));
    auto* sizesGrid = new QGridLayout(sizes);
    for (int j = 0; j < 8; ++j) {
        auto* frame = j < 4 ? names : sizes;
        auto* value = new QLabel(frame);
        value->setObjectName(Name("labelVal", j));
        value->setMinimumWidth(j < 4 ? 300 : 90);
        labelVal_[static_cast<std::size_t>(j)] = value;
        AddRow(j < 4 ? namesGrid : sizesGrid, j % 4, 5 + j,
               QString::fromUtf8(kAreas[static_cast<std::size_t>(j % 4)]), value);
    }

    auto* loc = new QGroupBox(fontsFrame);
    loc->setObjectName(QStringLiteral("frmLoc"));
    auto* locGrid = new QGridLayout(loc);
    auto* locOptions = new QWidget(loc);
    auto* locRow = new QHBoxLayout(locOptions);
    locRow->setContentsMargins(0, 0, 0, 0);
    opLocGroup_ = new QButtonGroup(this);
    const std::array<const char*, 3> locCaptions = {"MTM2.loc ", "MTM2-fun.loc ", "MTM2-pig.loc "};
    for (int k = 0; k < 3; ++k) {
        auto* option =
            new QRadioButton(QLatin1String(locCaptions[static_cast<std::size_t>(k)]), locOptions);
        option->setObjectName(Name("opLoc", k));
        opLoc_[static_cast<std::size_t>(k)] = option;
        opLocGroup_->addButton(option, k);
        locRow->addWidget(option);
        connect(option, &QRadioButton::clicked, this, [this, k] { model_->Controls().opLoc = k; });
    }
    AddRow(locGrid, 0, 13, QStringLiteral("Language Display"), locOptions);

    for (auto* frame : {global, use, names, sizes, loc}) {
        outer->addWidget(frame);
    }

    auto* things = Frame("frmThings");
    auto* thingsColumn = new QVBoxLayout(things);
    const std::array<const char*, 3> thingCaptions = {"Extra Horns", "Digital Latency",
                                                      "Hidden Track"};
    for (int k = 0; k < 3; ++k) {
        auto* box =
            new QCheckBox(QLatin1String(thingCaptions[static_cast<std::size_t>(k)]), things);
        box->setObjectName(Name("chkThings", k));
        chkThings_[static_cast<std::size_t>(k)] = box;
        thingsColumn->addWidget(box);
        connect(box, &QCheckBox::clicked, this, [this, k](bool checked) {
            model_->Controls().chkThings[static_cast<std::size_t>(k)] = checked;
        });
    }

    combo1_ = new QComboBox(this);
    combo1_->setObjectName(QStringLiteral("Combo1"));
    for (auto name : gameoptions::PresetNames()) {
        combo1_->addItem(ToQString(name));
    }
    connect(combo1_, &QComboBox::activated, this, [this](int index) {
        model_->Combo1Click(index);
        SyncFromModel();
    });

    auto* cancel = new QPushButton(QStringLiteral("&Cancel"), this);
    cancel->setObjectName(Name("Command", 0));
    cancel->setAutoDefault(false);
    auto* save = new QPushButton(QStringLiteral("&Save"), this);
    save->setObjectName(Name("Command", 1));
    save->setDefault(true);
    connect(cancel, &QPushButton::clicked, this, [this] { CommandClick(0); });
    connect(save, &QPushButton::clicked, this, [this] { CommandClick(1); });

    // Carries the font the font dialog starts from; it has no place on screen.
    text1_ = new QLineEdit(this);
    text1_->setObjectName(QStringLiteral("Text1"));
    text1_->hide();

    auto* side = new QVBoxLayout;
    side->addWidget(things);
    side->addWidget(combo1_);
    side->addStretch();
    side->addWidget(save);
    side->addWidget(cancel);
    // On a small screen the rows scroll; the flags, presets and buttons stay in view.
    auto* rows = new QScrollArea(this);
    rows->setObjectName(QStringLiteral("fontsScroll"));
    rows->setFrameShape(QFrame::NoFrame);
    rows->setWidgetResizable(true);
    rows->setWidget(fontsFrame);
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(rows, 1);
    layout->addLayout(side);

    // Opens whole where the screen allows it, never larger than the screen's free area.
    const QSize whole = fontsFrame->sizeHint() + QSize(side->sizeHint().width(), 0) +
                        QSize(layout->spacing(), 0) +
                        QSize(layout->contentsMargins().left() + layout->contentsMargins().right(),
                              layout->contentsMargins().top() + layout->contentsMargins().bottom());
    const QRect free = screen()->availableGeometry();
    const QSize frame(40, 60);  // title bar and borders, which the window system adds
    resize(whole.boundedTo(free.size() - frame));
    rows->setMinimumWidth(std::min(fontsFrame->sizeHint().width(), 200));
}

void formMonster::Form_Load() {
    model_->FormLoad();
    SyncFromModel();
}

void formMonster::SyncFromModel() {
    const auto& c = model_->Controls();
    for (std::size_t i = 0; i < chkValue_.size(); ++i) {
        chkValue_[i]->setChecked(c.chkValue[i]);
        chkValue_[i]->setEnabled(c.chkValueEnabled[i]);
    }
    for (std::size_t i = 0; i < commFont_.size(); ++i) {
        commFont_[i]->setEnabled(c.commFontEnabled[i]);
    }
    for (std::size_t j = 0; j < labelVal_.size(); ++j) {
        labelVal_[j]->setText(ToQString(c.labelVal[j]));
    }
    // No option at all is a state of its own: an unknown language file.
    opLocGroup_->setExclusive(false);
    for (std::size_t k = 0; k < opLoc_.size(); ++k) {
        opLoc_[k]->setChecked(static_cast<int>(k) == c.opLoc);
    }
    opLocGroup_->setExclusive(true);
    for (std::size_t k = 0; k < chkThings_.size(); ++k) {
        chkThings_[k]->setChecked(c.chkThings[k]);
    }
    combo1_->setCurrentIndex(c.combo1);
    combo1_->setEnabled(c.combo1Enabled);
}

void formMonster::CommandClick(int index) {
    const bool close = index == 1 ? model_->SaveClick() : model_->CancelClick();
    SyncFromModel();
    if (close) {
        closeApproved_ = true;
        QDialog::close();
    }
}

void formMonster::reject() {
    CommandClick(0);
}

void formMonster::closeEvent(QCloseEvent* event) {
    // The close box is a cancel: it too waits for the font dialog to be closed first.
    if (closeApproved_ || model_->CancelClick()) {
        event->accept();
    } else {
        event->ignore();
    }
}

}  // namespace marvok::ui
