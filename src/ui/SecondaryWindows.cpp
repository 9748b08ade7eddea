#include "ui/SecondaryWindows.h"

#include "registry/mMyRegStuff.h"
#include "ui/FormReg.h"
#include "ui/formDirectories.h"
#include "ui/formMonster.h"

namespace marvok::ui {

void ConnectSecondaryWindows(Session& session, Form1& window,
                             std::function<platform::Registry&()> registry) {
    WindowHooks& hooks = window.Hooks();
    hooks.showRegistry = [&session, &window, registry] {
        FormReg::Show(session, registry(), &window);
    };
    hooks.registerShellExtensions = [&session, registry] {
        mMyRegStuff::RegisterShellVerbs(session, registry(), mMyRegStuff::RunningProgram());
    };
    hooks.showPaths = [&session, &window] {
        formDirectories::Show(session, &window, [&window] { window.Refresh(); });
    };
    // Without a dialog of its own the fonts window uses one that leaves it usable meanwhile.
    hooks.showFonts = [&session, &window] { formMonster::Show(session, &window); };
}

}  // namespace marvok::ui
