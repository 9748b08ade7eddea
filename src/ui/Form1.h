#pragma once

#include <QLabel>
#include <QListWidget>
#include <QWidget>

#include "podlist/Session.h"

namespace marvok::ui {

// The main window: the mounted and unmounted pods side by side with their counts.
class Form1 final : public QWidget {
    Q_OBJECT
public:
    explicit Form1(Session& session, QWidget* parent = nullptr);

private:
    void SyncFromSession();

    Session& session_;
    QListWidget* list1_;
    QListWidget* list2_;
    QLabel* label3_;
    QLabel* label4_;
};

}  // namespace marvok::ui
