# Sourced by the Wine scripts: sets up the environment of the project's own
# Wine prefix. Argument: the prefix directory (created on first use).
WINEPREFIX=$(realpath -m "$1")
export WINEPREFIX
export WINEARCH=win32
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
# A private home keeps Wine from touching the user's own files and menus.
export HOME="$WINEPREFIX.home"
export XDG_CONFIG_HOME="$HOME/.config" XDG_DATA_HOME="$HOME/.local/share" XDG_CACHE_HOME="$HOME/.cache"
# Tests run on the null display driver unless a caller asks for its display.
[ "${WINE_KEEP_DISPLAY:-0}" = 1 ] || unset DISPLAY WAYLAND_DISPLAY

# Creates the prefix once, under a lock: several Windows programs may start at once.
wine_prefix_ensure() {
  [ -f "$WINEPREFIX/.ready-2" ] && return 0
  mkdir -p "$(dirname "$WINEPREFIX")" "$HOME"
  (
    flock 9
    if [ ! -f "$WINEPREFIX/.ready-2" ]; then
      rm -rf "$WINEPREFIX"
      timeout 300 wineboot --init >/dev/null 2>&1 </dev/null || { echo "wine-env: wineboot failed for $WINEPREFIX" >&2; exit 1; }
      # Windows and dialogs work without an X display through the null driver.
      wine reg add 'HKCU\Software\Wine\Drivers' /v Graphics /d x11,null /f >/dev/null 2>&1
      # Under Xvfb, unmanaged windows tear down at once.
      wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
      # Drive A: is a floppy drive on a directory of the prefix: a test puts
      # the diskette's files there and swaps them for the next diskette's.
      mkdir -p "$WINEPREFIX/floppy"
      ln -sfn ../floppy "$WINEPREFIX/dosdevices/a:"
      wine reg add 'HKLM\Software\Wine\Drives' /v a: /d floppy /f >/dev/null 2>&1
      timeout 120 wineserver -w
      touch "$WINEPREFIX/.ready-2"
    fi
  ) 9>"$WINEPREFIX.lock"
}
