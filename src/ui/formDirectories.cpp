#include "ui/formDirectories.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QVBoxLayout>

#include "common/Text.h"
#include "ui/QtFolderBrowser.h"
#include "ui/QtUserInterface.h"
#include "ui/TopMost.h"

namespace marvok::ui {
namespace {

QPointer<formDirectories>& OpenWindow() {
    static QPointer<formDirectories> window;
    return window;
}

QString Name(std::string_view array, int index) {
    return ToQString(ControlName(array, index));
}

// An enabled box is light grey; a disabled one takes its frame's colour and looks inert. Under a
// dark palette, whose text is light, the grey would hide the text: the palette's own field colour
// stands in for it.
void PaintTextBox(QLineEdit* box, bool enabled, const QWidget* frame) {
    const QPalette& theme = frame->palette();
    const bool darkTheme = theme.color(QPalette::Text).lightness() > 128;
    const QColor active = darkTheme ? theme.color(QPalette::Active, QPalette::Base)
                                    : QColor::fromRgb(pathoptions::kActiveTextBackground);
    const QColor colour = enabled ? active : theme.color(QPalette::Window);
    QPalette palette = box->palette();
    for (auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        palette.setColor(group, QPalette::Base, colour);
    }
    box->setPalette(palette);
}

}  // namespace

formDirectories* formDirectories::Show(Session& session, QWidget* owner,
                                       std::function<void()> refresh, FolderBrowser* browser) {
    return ShowOnce(OpenWindow(), [&] {
        auto* window = new formDirectories(session, owner, std::move(refresh), browser);
        window->Form_Load();
        return window;
    });
}

formDirectories::formDirectories(Session& session, QWidget* owner, std::function<void()> refresh,
                                 FolderBrowser* browser)
    : QDialog(owner), session_(session), refresh_(std::move(refresh)), browser_(browser) {
    if (!browser_) {
        ownBrowser_ = std::make_unique<QtFolderBrowser>(this);
        browser_ = ownBrowser_.get();
    }
    setObjectName(QStringLiteral("formDirectories"));
    setWindowTitle(QStringLiteral("Path Options"));
    setAttribute(Qt::WA_DeleteOnClose);
    setModal(false);
    Build();
}

formDirectories::~formDirectories() = default;

void formDirectories::Build() {
    auto* paths =
        new QGroupBox(QStringLiteral("Specify extra directories to search for pods "), this);
    paths->setObjectName(QStringLiteral("framePaths"));
    auto* grid = new QGridLayout(paths);
    for (int i = 0; i < 4; ++i) {
        auto* clear = new QPushButton(QStringLiteral("x"), paths);
        clear->setObjectName(Name("comClear", i));
        clear->setAutoDefault(false);
        clear->setFixedWidth(28);
        // A path can be typed or pasted as well as browsed for; it is checked when saved.
        auto* folder = new QLineEdit(paths);
        folder->setObjectName(Name("userDir", i));
        folder->setMinimumWidth(340);
        auto* browse = new QPushButton(QStringLiteral("..."), paths);
        browse->setObjectName(Name("comBrowse", i));
        browse->setAutoDefault(false);
        browse->setFixedWidth(32);
        grid->addWidget(clear, i, 0);
        grid->addWidget(folder, i, 1);
        grid->addWidget(browse, i, 2);
        userDir_[static_cast<std::size_t>(i)] = folder;
        connect(clear, &QPushButton::clicked, this, [this, i] {
            TakeTexts();  // what was typed in the other rows stays
            model_.userDir[static_cast<std::size_t>(i)].clear();
            SyncFromModel();
        });
        connect(browse, &QPushButton::clicked, this, [this, i] {
            TakeTexts();
            const std::string chosen = mDirectoryBrowse::BrowseForFolder(
                *browser_, session_.GameFolder, "Please select a folder:");
            if (!chosen.empty()) {
                model_.userDir[static_cast<std::size_t>(i)] = chosen;
            }
            SyncFromModel();
            // Said at once: such a folder would be taken, and its pods never listed.
            if (const std::string why = pathoptions::UserFolderProblem(session_, chosen);
                !chosen.empty() && !why.empty()) {
                session_.ui.ShowMessage(kAppTitle, chosen + ":\n" + why + ".",
                                        MessageIcon::Exclamation, MessageButtons::Ok);
            }
        });
    }

    keepOnTop_ = BuildFrame(QStringLiteral("frmKeepOnTop"), QStringLiteral("Sort Pod.ini List "),
                            QStringLiteral("opKeepOnTop"), QStringLiteral("txtKeepOnTop"),
                            QStringLiteral("lblKeepOnTop"), QStringLiteral("Keep on top"));
    folderDepth_ = BuildFrame(QStringLiteral("FrameRecursion"), QStringLiteral("Limit Recursion"),
                              QStringLiteral("opFolderDepth"), QStringLiteral("txtFolderDepth"),
                              QStringLiteral("lblFolderDepth"), QStringLiteral("Folder Depth"));
    for (int i = 0; i < 2; ++i) {
        connect(keepOnTop_.options[static_cast<std::size_t>(i)], &QRadioButton::clicked, this,
                [this, i] { OptionClick(pathoptions::Frame::KeepOnTop, i); });
        connect(folderDepth_.options[static_cast<std::size_t>(i)], &QRadioButton::clicked, this,
                [this, i] { OptionClick(pathoptions::Frame::FolderDepth, i); });
    }

    auto* cancel = new QPushButton(QStringLiteral("&Cancel"), this);
    cancel->setObjectName(Name("comClose", 0));
    cancel->setAutoDefault(false);
    auto* save = new QPushButton(QStringLiteral("&Save"), this);
    save->setObjectName(Name("comClose", 1));
    save->setDefault(true);
    connect(cancel, &QPushButton::clicked, this, [this] { Form_Unload(0); });
    connect(save, &QPushButton::clicked, this, [this] { Form_Unload(1); });

    auto* options = new QHBoxLayout;
    options->addWidget(keepOnTop_.frame);
    options->addWidget(folderDepth_.frame);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cancel);
    buttons->addWidget(save);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(paths);
    layout->addLayout(options);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

formDirectories::FrameWidgets formDirectories::BuildFrame(
    const QString& name, const QString& caption, const QString& option, const QString& textName,
    const QString& labelName, const QString& labelText) {
    FrameWidgets w;
    w.frame = new QGroupBox(caption, this);
    w.frame->setObjectName(name);
    w.options[0] = new QRadioButton(QStringLiteral("No"), w.frame);
    w.options[1] = new QRadioButton(QStringLiteral("Yes"), w.frame);
    for (int i = 0; i < 2; ++i) {
        w.options[static_cast<std::size_t>(i)]->setObjectName(option + QLatin1Char('_') +
                                                              QString::number(i));
    }
    w.text = new QLineEdit(w.frame);
    w.text->setObjectName(textName);
    w.text->setMaxLength(3);
    w.text->setFixedWidth(44);
    w.text->installEventFilter(this);
    w.label = new QLabel(labelText, w.frame);
    w.label->setObjectName(labelName);
    auto* grid = new QGridLayout(w.frame);
    grid->addWidget(w.options[0], 0, 0);
    grid->addWidget(w.options[1], 1, 0);
    grid->addWidget(w.text, 1, 1);
    grid->addWidget(w.label, 1, 2);
    grid->setColumnStretch(3, 1);
    return w;
}

bool formDirectories::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::FocusIn) {
        // Typing replaces the whole number; the click that gave the focus must not undo that.
        if (auto* box = qobject_cast<QLineEdit*>(watched)) {
            QTimer::singleShot(0, box, &QLineEdit::selectAll);
        }
    }
    return QDialog::eventFilter(watched, event);
}

void formDirectories::Form_Load() {
    pathoptions::FormLoad(session_, model_);
    SyncFromModel();
    MakeTopMost(this);
}

void formDirectories::OptionClick(pathoptions::Frame frame, int index) {
    TakeTexts();
    pathoptions::ApplyOptionRule(model_, frame, index);
    SyncFromModel();
}

void formDirectories::TakeTexts() {
    for (std::size_t i = 0; i < userDir_.size(); ++i) {
        model_.userDir[i] = text::Trim(FromQString(userDir_[i]->text()));
    }
    model_.keepOnTop.text = FromQString(keepOnTop_.text->text());
    model_.folderDepth.text = FromQString(folderDepth_.text->text());
}

void formDirectories::SyncFromModel() {
    for (std::size_t i = 0; i < userDir_.size(); ++i) {
        userDir_[i]->setText(ToQString(model_.userDir[i]));
        userDir_[i]->setToolTip(userDir_[i]->text());
    }
    const auto apply = [](FrameWidgets& w, const pathoptions::DirectoriesControls::OptionFrame& m) {
        w.options[0]->setChecked(m.selected == 0);
        w.options[1]->setChecked(m.selected == 1);
        w.text->setText(ToQString(m.text));
        w.text->setEnabled(m.textEnabled);
        w.label->setEnabled(m.textEnabled);
        PaintTextBox(w.text, m.textEnabled, w.frame);
    };
    apply(keepOnTop_, model_.keepOnTop);
    apply(folderDepth_, model_.folderDepth);
}

void formDirectories::Form_Unload(int mode) {
    if (mode == 1) {
        TakeTexts();
        if (const auto problems = pathoptions::UserFolderProblems(session_, model_);
            !problems.empty()) {
            std::string text = "These folders give no pods:\n";
            for (const std::string& line : problems) {
                text += "\n" + line;
            }
            text += "\n\nA folder that is not found is dropped. Save anyway?";
            if (session_.ui.ShowMessage(kAppTitle, text, MessageIcon::Exclamation,
                                        MessageButtons::YesNo) != MessageAnswer::Yes) {
                return;  // the window stays, to mend them
            }
        }
        pathoptions::SaveSettings(session_, model_);
        if (refresh_) {
            refresh_();
        }
    }
    close();
}

void formDirectories::reject() {
    Form_Unload(0);
}

void formDirectories::closeEvent(QCloseEvent* event) {
    // The close box discards the edits, like "&Cancel".
    event->accept();
}

}  // namespace marvok::ui
