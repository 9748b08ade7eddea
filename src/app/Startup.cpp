#include "app/Startup.h"

#include <iostream>

#include "app/mCommandLine.h"
#include "podlist/mAvailablePods.h"
#include "podlist/mCommonFunctions.h"
#include "podlist/mPodini.h"

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
    mCommonFunctions::LoadPreferences(session);
    mCommonFunctions::DetectGameVersion(session);

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
        FormUnload(session);
        return {false, exitCode};
    } else if (op == "desktop") {
        const bool made = services.createListShortcut && services.createListShortcut(session, file);
        FormUnload(session);
        return {false, made ? 0 : 1};
    }
    session.Caption = session.GameVersion;
    mAvailablePods::RefreshAvailablePods(session);
    return {true, 0};
}

void FormUnload(Session& session) { mPodini::CheckPodIni(session, "lastCall"); }

}  // namespace marvok::Startup
