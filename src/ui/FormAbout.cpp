#include "ui/FormAbout.h"

#include <QGridLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>

#include "common/Session.h"
#include "ui/Icons.h"
#include "ui/QtUserInterface.h"

namespace marvok::ui {

FormAbout::FormAbout(Desktop& desktop, QWidget* parent, const QString& address)
    : QDialog(parent), desktop_(desktop) {
    setObjectName(QStringLiteral("FormAbout"));
    setWindowTitle(QStringLiteral("About ") + ToQString(kAppTitle));
    setWindowIcon(ProgramIcon());
    // MakeTopMost: above every other window, from the moment it loads.
    setWindowFlags(windowFlags() | Qt::WindowStaysOnTopHint);
    setMouseTracking(true);

    auto* image = new QLabel(this);
    image->setObjectName(QStringLiteral("Image1"));
    image->setPixmap(ProgramIcon().pixmap(48, 48));
    image->setFixedSize(48, 48);

    auto* title = new QLabel(ToQString(kAppTitle), this);
    title->setObjectName(QStringLiteral("Label1"));
    QFont titleFont = title->font();
    titleFont.setBold(true);
    titleFont.setPointSizeF(titleFont.pointSizeF() * 1.5);
    title->setFont(titleFont);

    auto* version = new QLabel(
        VersionText(MARVOK_VERSION_MAJOR, MARVOK_VERSION_MINOR, MARVOK_VERSION_PATCH), this);
    version->setObjectName(QStringLiteral("Label2"));
    auto* description = new QLabel(QStringLiteral("A program for Monster Truck Madness 2"), this);
    description->setObjectName(QStringLiteral("Label3"));

    auto* licence = new QLabel(QStringLiteral("Free software under the MIT licence"), this);
    licence->setObjectName(QStringLiteral("labelLicence"));

    link_ = new QLabel(address, this);
    link_->setVisible(!address.isEmpty());
    link_->setObjectName(QStringLiteral("Label4"));
    link_->setCursor(Qt::PointingHandCursor);
    link_->setMouseTracking(true);
    link_->installEventFilter(this);
    SetLinkColour(LinkColour());

    auto* ok = new QPushButton(QStringLiteral("&OK"), this);
    ok->setObjectName(QStringLiteral("cButton"));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::close);

    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(16, 16, 16, 12);
    grid->setHorizontalSpacing(16);
    grid->addWidget(image, 0, 0, 5, 1, Qt::AlignTop);
    grid->addWidget(title, 0, 1);
    grid->addWidget(version, 1, 1);
    grid->addWidget(description, 2, 1);
    grid->addWidget(licence, 3, 1);
    grid->addWidget(link_, 4, 1);
    grid->setRowMinimumHeight(5, 8);
    grid->addWidget(ok, 6, 0, 1, 2, Qt::AlignRight);
    layout()->setSizeConstraint(QLayout::SetFixedSize);
}

QString FormAbout::HomePage() {
    return QStringLiteral(MARVOK_HOMEPAGE_URL);
}

QString FormAbout::VersionText(int major, int minor, int revision) {
    return QStringLiteral("v%1.%2.%3").arg(major).arg(minor).arg(revision);
}

void FormAbout::SetLinkColour(const QColor& colour) {
    QPalette palette = link_->palette();
    palette.setColor(QPalette::WindowText, colour);
    link_->setPalette(palette);
}

bool FormAbout::eventFilter(QObject* watched, QEvent* event) {
    // The link's mouse events stay with the link: passed on to the window they would turn it
    // black again.
    if (watched == link_) {
        switch (event->type()) {
            case QEvent::MouseMove:
                SetLinkColour(LinkHoverColour());
                return true;
            case QEvent::MouseButtonPress:
                SetLinkColour(LinkPressedColour());
                return true;
            case QEvent::MouseButtonRelease:
                if (link_->rect().contains(
                        static_cast<QMouseEvent*>(event)->position().toPoint())) {
                    // Label4_Click: nothing visible happens when it cannot be opened.
                    desktop_.OpenWithDefaultProgram(FromQString(link_->text()));
                }
                return true;
            default:
                break;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void FormAbout::mouseMoveEvent(QMouseEvent* event) {
    SetLinkColour(LinkColour());
    QDialog::mouseMoveEvent(event);
}

}  // namespace marvok::ui
