# Sourced: a Wine prefix of the build's own, quiet, headless and without the Mono/Gecko installers.
# WINEPREFIX_MARVOK chooses another prefix (each developer their own: one wineserver per prefix).
marvok_root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
export WINEPREFIX="${WINEPREFIX_MARVOK:-$marvok_root/build/wineprefix}"
unset marvok_root
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
export WINEARCH=win64
# No window may open: a display would let wineboot show its "updating" dialog.
unset DISPLAY WAYLAND_DISPLAY
if [ ! -f "$WINEPREFIX/.marvok-ready" ]; then
    echo "Creating the Wine prefix $WINEPREFIX" >&2
    mkdir -p "$WINEPREFIX"
    if wineboot --init >"$WINEPREFIX/wineboot.log" 2>&1 && wineserver -w &&
        [ -f "$WINEPREFIX/system.reg" ]; then
        touch "$WINEPREFIX/.marvok-ready"
    else
        echo "wineboot failed; see $WINEPREFIX/wineboot.log" >&2
        return 1 2>/dev/null || exit 1
    fi
fi
