// The main window's part in finding inner files shared by mounted pods: when to scan, the
// badges on the mounted rows, the link beside the filter and the Conflicts window.

#include <QLabel>
#include <QHBoxLayout>
#include <QTimer>

#include "podlist/PodConflicts.h"
#include "ui/ConflictWatcher.h"
#include "ui/Form1.h"
#include "ui/FormConflicts.h"
#include "ui/PodListModel.h"

namespace marvok::ui {

void Form1::BuildConflicts() {
    // The worker gets a file system of its own: the session's caches what it resolves.
    conflictWatcher_ = new ConflictWatcher(
        [folder = session_.GameFolder] { return platform::CreateFileSystem(folder); }, this);
    connect(conflictWatcher_, &ConflictWatcher::Found, this, [this] { TakeConflicts(); });
    conflictTimer_ = new QTimer(this);
    conflictTimer_->setSingleShot(true);
    conflictTimer_->setInterval(300);
    connect(conflictTimer_, &QTimer::timeout, this, [this] { ScanConflicts(); });

    conflictsLink_ = new QLabel(this);
    conflictsLink_->setObjectName(QStringLiteral("conflictsLink"));
    conflictsLink_->setTextFormat(Qt::RichText);
    conflictsLink_->setTextInteractionFlags(Qt::LinksAccessibleByMouse |
                                            Qt::LinksAccessibleByKeyboard);
    conflictsLink_->setToolTip(QStringLiteral(
        "Inner files that more than one mounted pod carries (Edit \u203A Conflicts)"));
    conflictsLink_->hide();
    connect(conflictsLink_, &QLabel::linkActivated, this, [this] { ShowConflicts(); });
    links_->addWidget(conflictsLink_);
}

void Form1::NoteMountedList() {
    if (conflictTimer_ == nullptr) {
        return;
    }
    // A keystroke in the filter syncs too: untouched lists cost no copy of 20,000 names.
    const std::array<std::uint64_t, 2> revisions{session_.List1.Revision(),
                                                 session_.List3.Revision()};
    if (!rescan_ && revisions == seenRevisions_ && session_.SideBySide() == seenSideBySide_) {
        return;
    }
    seenRevisions_ = revisions;
    std::vector<std::string> mounted = MountedEntries(session_);
    if (!rescan_ && mounted == mountedSeen_ && session_.SideBySide() == seenSideBySide_) {
        return;
    }
    rescan_ = false;
    mountedSeen_ = std::move(mounted);
    seenSideBySide_ = session_.SideBySide();
    ShowSharedFiles();  // the counts known so far, on the rows as they are now
    ScheduleConflictScan();
}

void Form1::ScheduleConflictScan() {
    // Before the first paint nothing is read; showEvent schedules the first scan.
    if (everShown_) {
        conflictTimer_->start();
        UpdateConflictsWindow();
    }
}

void Form1::ScanConflicts() {
    requestedPods_ = MountedEntries(session_);
    requested_ = conflictWatcher_->Request(MountedPodPaths(session_));
}

void Form1::TakeConflicts() {
    if (conflictWatcher_->LatestGeneration() != requested_) {
        return;
    }
    scannedPods_ = requestedPods_;
    const PodConflicts& found = conflictWatcher_->Latest();
    sharedByEntry_.clear();
    for (std::size_t i = 0; i < scannedPods_.size() && i < found.sharedFiles.size(); ++i) {
        if (found.sharedFiles[i] > 0) {
            sharedByEntry_[scannedPods_[i]] = found.sharedFiles[i];
        }
    }
    ShowSharedFiles();
    const std::size_t shared = found.shared.size();
    conflictsLink_->setText(QStringLiteral("<a href=\"conflicts\">%1</a>")
                                .arg(shared == 1 ? QStringLiteral("1 conflict")
                                                 : QStringLiteral("%1 conflicts").arg(shared)));
    conflictsLink_->setVisible(shared > 0);
    UpdateConflictsWindow();
}

void Form1::ShowSharedFiles() {
    const auto counts = [this](const ListBox& list, bool checkedOnly) {
        std::vector<std::size_t> shared(list.Count(), 0);
        if (sharedByEntry_.empty()) {
            return shared;
        }
        for (std::size_t i = 0; i < shared.size(); ++i) {
            if (!checkedOnly || list.Checked(i)) {
                const auto found = sharedByEntry_.find(list.Item(i));
                shared[i] = found == sharedByEntry_.end() ? 0 : found->second;
            }
        }
        return shared;
    };
    const bool sideBySide = session_.SideBySide();
    models_[0]->SetSharedFiles(sideBySide ? counts(session_.List1, false)
                                          : std::vector<std::size_t>{});
    models_[2]->SetSharedFiles(sideBySide ? std::vector<std::size_t>{}
                                          : counts(session_.List3, true));
}

void Form1::ShowConflicts() {
    if (!conflictsWindow_) {
        conflictsWindow_ = new FormConflicts(this);
        conflictsWindow_->setAttribute(Qt::WA_DeleteOnClose);
    }
    UpdateConflictsWindow();
    conflictsWindow_->show();
    conflictsWindow_->raise();
    conflictsWindow_->activateWindow();
}

void Form1::UpdateConflictsWindow() {
    if (!conflictsWindow_) {
        return;
    }
    if (conflictWatcher_->LatestGeneration() != 0) {
        conflictsWindow_->ShowResult(conflictWatcher_->Latest(), scannedPods_);
    }
    if (conflictTimer_->isActive() || conflictWatcher_->Busy()) {
        conflictsWindow_->ShowScanning();
    }
}

}  // namespace marvok::ui
