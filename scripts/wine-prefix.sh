# Sourced: a Wine prefix for this run in a temporary folder, with the services already running,
# so that programs started under Wine (ctest's among them) start quickly and do not hang, and a
# private Xvfb display for the tests that make windows. Wine draws its own window frames (there
# is no window manager) and has no sound driver. All of it goes when the sourcing shell exits.

export WINEDEBUG=-all
WINEPREFIX="$(mktemp -d "${TMPDIR:-/tmp}/zf-wine.XXXXXX")"
export WINEPREFIX

zf_wine_xvfb=""
zf_wine_cleanup() {
    wineserver -k 2>/dev/null || true
    [[ -n $zf_wine_xvfb ]] && kill "$zf_wine_xvfb" 2>/dev/null || true
    rm -rf "$WINEPREFIX"
}
trap zf_wine_cleanup EXIT

env -u DISPLAY wineboot -i >/dev/null 2>&1
wineserver -w
# Without the raster fonts System and MS Sans Serif fall back to smoothed outline fonts.
cp /usr/share/wine/fonts/* "$WINEPREFIX/drive_c/windows/Fonts/"
wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
wine reg add 'HKCU\Software\Wine\Drivers' /v Audio /d "" /f >/dev/null 2>&1
wineserver -w
# Xvfb picks a free display number and writes it when it is ready.
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp -noreset 3>"$WINEPREFIX/display" 2>/dev/null &
zf_wine_xvfb=$!
for _ in $(seq 100); do
    [[ -s $WINEPREFIX/display ]] && break
    sleep 0.1
done
DISPLAY=":$(head -n1 "$WINEPREFIX/display")"
export DISPLAY

# The services started now keep this display for every program of the run.
wineserver -p
wine cmd /c exit >/dev/null 2>&1 </dev/null

