#include "ui/Form1.h"

#include <QGridLayout>

#include "podlist/mCommonFunctions.h"
#include "ui/QtUserInterface.h"

namespace marvok::ui {
namespace {

void Fill(QListWidget* widget, const ListBox& list) {
    widget->clear();
    for (std::size_t i = 0; i < list.Count(); ++i) {
        widget->addItem(ToQString(list.Item(i)));
    }
}

}  // namespace

Form1::Form1(Session& session, QWidget* parent)
    : QWidget(parent),
      session_(session),
      list1_(new QListWidget(this)),
      list2_(new QListWidget(this)),
      label3_(new QLabel(this)),
      label4_(new QLabel(this)) {
    setObjectName(QStringLiteral("Form1"));
    list1_->setObjectName(QStringLiteral("List1"));
    list2_->setObjectName(QStringLiteral("List2"));
    label3_->setObjectName(QStringLiteral("Label3"));
    label4_->setObjectName(QStringLiteral("Label4"));
    auto* grid = new QGridLayout(this);
    grid->addWidget(new QLabel(QStringLiteral("Number in Pod.in : "), this), 0, 0);
    grid->addWidget(label3_, 0, 1);
    grid->addWidget(new QLabel(QStringLiteral("Number NOT mounted : "), this), 0, 2);
    grid->addWidget(label4_, 0, 3);
    grid->addWidget(list1_, 1, 0, 1, 2);
    grid->addWidget(list2_, 1, 2, 1, 2);
    connect(list1_, &QListWidget::itemClicked, this, [this](QListWidgetItem* item) {
        mCommonFunctions::MovePod(session_, static_cast<std::size_t>(list1_->row(item)),
                                  session_.List1, session_.List2, "");
        SyncFromSession();
    });
    connect(list2_, &QListWidget::itemClicked, this, [this](QListWidgetItem* item) {
        mCommonFunctions::MovePod(session_, static_cast<std::size_t>(list2_->row(item)),
                                  session_.List2, session_.List1, "checkLimit");
        SyncFromSession();
    });
    setWindowTitle(ToQString(session_.Caption));
    resize(380, 368);
    SyncFromSession();
}

void Form1::SyncFromSession() {
    Fill(list1_, session_.List1);
    Fill(list2_, session_.List2);
    label3_->setText(ToQString(session_.Label3));
    label4_->setText(ToQString(session_.Label4));
}

}  // namespace marvok::ui
