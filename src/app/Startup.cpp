#include "app/Startup.h"

#include <exception>
#include <iostream>
#include <system_error>
#include <utility>

#include "app/mCommandLine.h"
#include "podlist/MainWindowEvents.h"
#include "podlist/mAvailablePods.h"
#include "podlist/mCommonFunctions.h"
#include "podlist/mPodini.h"
#include "shell/mShortcutsPlus.h"

namespace marvok::Startup {
namespace {

void ReportUnreadable(Session& session, const FileResult& read, std::string_view consequence) {
    session.ui.ShowMessage(kAppTitle,
                           "Could not read the pod list " + read.path + ":\n" + read.error +
                               "\n" + std::string(consequence),
                           MessageIcon::Critical, MessageButtons::Ok);
}

// Installing shows no window, so what the list did not mount is named here, the pod limit too.
void ReportNotMounted(const Session& session, std::string_view file, std::ostream& out) {
    const LoadReport& report = session.NotMounted;
    const long long count = report.Count();
    if (count == 0) {
        return;
    }
    out << kAppTitle << ": " << count << (count == 1 ? " entry of " : " entries of ") << file
        << (count == 1 ? " was" : " were") << " not mounted";
    if (const long long beyond = report.CountOf(NotMountedReason::BeyondPodLimit); beyond > 0) {
        out << " (" << beyond << " left out: " << session.GameVersion << " pod limit is "
            << session.PodLimit << " pods)";
    }
    out << ":\n";
    for (const std::string& line : report.Lines("\"")) {
        out << "  " << line << "\n";
    }
}

}  // namespace

Result FormLoad(Session& session, std::string_view programFolder,
                const platform::CommandLineInput& commandLine, const Services& services) {
    SetGamePaths(session, programFolder);
    session.LastSavedCopy = mPodini::LastSavedCopyPath(services.dataFolder, session.GameFolder);
    podlist::mCommonFunctions::LoadPreferences(session);
    podlist::mCommonFunctions::DetectGameVersion(session);

    std::string op;
    std::string file;
    const bool usable = mCommandLine::ParseCommandLine(session, commandLine, op, file);
    if (!usable) {
        if (const FileResult read = mPodini::LoadPodList(session, ""); read.Failed()) {
            ReportUnreadable(session, read, "The mounted list starts empty; saving replaces it.");
        }
    } else if (op == "open") {
        const FileResult read = mPodini::LoadPodList(session, "import", file);
        if (read.Failed()) {
            ReportUnreadable(session, read, "Pod.ini is shown instead.");
            mPodini::LoadPodList(session, "");
        }
    } else if (op == "install") {
        const FileResult read = mPodini::LoadPodList(session, "import", file);
        if (read.Failed()) {
            // An unreadable list must not replace pod.ini with an empty one.
            ReportUnreadable(session, read, "Pod.ini was left as it was.");
            return {false, 1};
        }
        const FileResult saved = mPodini::SavePodList(session, "");
        int exitCode = 0;
        if (saved.Failed()) {
            session.ui.ShowMessage(kAppTitle, "Could not write " + saved.path + ":\n" + saved.error,
                                   MessageIcon::Critical, MessageButtons::Ok);
            exitCode = 1;
        } else {
            ReportNotMounted(session, file,
                             services.standardError ? *services.standardError : std::cerr);
        }
        mPodini::CheckPodIni(session, "lastCall");
        return {false, exitCode};
    } else if (op == "desktop") {
        const bool made = services.createListShortcut && services.createListShortcut(session, file);
        mPodini::CheckPodIni(session, "lastCall");
        return {false, made ? 0 : 1};
    }
    session.Caption = session.GameVersion;
    mAvailablePods::RefreshAvailablePods(session);
    return {true, 0};
}

UserInterfaceRelay::UserInterfaceRelay(UserInterface& target)
    : target_(target), home_(std::this_thread::get_id()) {}

MessageAnswer UserInterfaceRelay::ShowMessage(std::string_view title, std::string_view text,
                                              MessageIcon icon, MessageButtons buttons,
                                              int defaultButton) {
    MessageAnswer answer = MessageAnswer::Cancel;
    OnHomeThread([&] { answer = target_.ShowMessage(title, text, icon, buttons, defaultButton); });
    return answer;
}

std::string UserInterfaceRelay::ShowFileDialog(const FileDialogRequest& request) {
    std::string chosen;
    OnHomeThread([&] { chosen = target_.ShowFileDialog(request); });
    return chosen;
}

void UserInterfaceRelay::OnHomeThread(const std::function<void()>& call) {
    if (std::this_thread::get_id() == home_) {
        call();
        return;
    }
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [this] { return pending_ == nullptr; });
    pending_ = &call;
    changed_.notify_all();
    changed_.wait(lock, [this, &call] { return pending_ != &call; });
    if (callFailure_) {
        std::rethrow_exception(std::exchange(callFailure_, nullptr));
    }
}

Result UserInterfaceRelay::RunBeside(const std::function<Result()>& work,
                                     const std::function<void()>& foreground) {
    Result result;
    std::exception_ptr failure;
    {
        std::lock_guard lock(mutex_);
        workDone_ = false;
    }
    std::thread worker;
    try {
        worker = std::thread([&] {
            try {
                result = work();
            } catch (...) {
                failure = std::current_exception();
            }
            std::lock_guard lock(mutex_);
            workDone_ = true;
            changed_.notify_all();
        });
    } catch (const std::system_error&) {
        foreground();
        return work();
    }
    // Whatever happens here, the worker is served and joined before this returns or throws.
    std::exception_ptr foregroundFailure;
    try {
        foreground();
    } catch (...) {
        foregroundFailure = std::current_exception();
    }
    {
        std::unique_lock lock(mutex_);
        for (;;) {
            changed_.wait(lock, [this] { return pending_ != nullptr || workDone_; });
            if (pending_ == nullptr) {
                break;
            }
            const std::function<void()>* call = pending_;
            lock.unlock();
            std::exception_ptr callFailure;
            try {
                (*call)();
            } catch (...) {
                callFailure = std::current_exception();  // thrown on in the worker
            }
            lock.lock();
            callFailure_ = callFailure;
            pending_ = nullptr;
            changed_.notify_all();
        }
    }
    worker.join();
    if (foregroundFailure) {
        std::rethrow_exception(foregroundFailure);
    }
    if (failure) {
        std::rethrow_exception(failure);
    }
    return result;
}

Services ShortcutServices(Session& session) {
    session.checkProgramShortcuts = [](Session& s) {
        mShortcutsPlus::CheckProgramShortcuts(s, "all");
    };
    Services services;
    services.createListShortcut = [](Session& s, const std::string& file) {
        const std::string failed = mShortcutsPlus::CreateListShortcut(s, file);
        if (!failed.empty()) {
            s.ui.ShowMessage(kAppTitle,
                             "Could not make the desktop shortcut to " + file + ":\n" + failed,
                             MessageIcon::Critical, MessageButtons::Ok);
        }
        return failed.empty();
    };
    return services;
}

void HookShortcutsMenu(Session& session, WindowHooks& hooks) {
    hooks.changeProgramShortcut = [&session](int index) {
        mShortcutsPlus::ToggleProgramShortcut(session, index);
    };
}

}  // namespace marvok::Startup
