# Sourced by the scripts that show SETUP.EXE on a virtual screen.

# start_xvfb DEPTH: starts Xvfb on a free display (Xvfb picks the number) with a
# 1024x768 screen of DEPTH bits; sets DISPLAY, XVFB_PID and WINE_KEEP_DISPLAY.
start_xvfb() {
  local fd_file
  fd_file=$(mktemp)
  Xvfb -displayfd 3 -screen 0 "1024x768x$1" -nolisten tcp 3>"$fd_file" >/dev/null 2>&1 &
  XVFB_PID=$!
  for _ in $(seq 1 50); do
    [ -s "$fd_file" ] && break
    sleep 0.1
  done
  [ -s "$fd_file" ] || { echo "xvfb: Xvfb did not start" >&2; rm -f "$fd_file"; return 1; }
  export DISPLAY=":$(tr -d '[:space:]' <"$fd_file")" WINE_KEEP_DISPLAY=1
  rm -f "$fd_file"
}

stop_xvfb() {
  [ -n "${XVFB_PID:-}" ] || return 0
  kill "$XVFB_PID" 2>/dev/null || true
  wait "$XVFB_PID" 2>/dev/null || true
  XVFB_PID=
}

# wine_own_fonts: puts Wine's own Marlett, with which Wine draws the caption
# buttons (else a stand-in letter "r"), into the prefix's Fonts folder. This
# Wine does not load the fonts of Debian's fonts-wine from its data directory
# by itself; it loads what the Windows Fonts folder holds.
wine_own_fonts() {
  local fonts="$WINEPREFIX/drive_c/windows/Fonts"
  mkdir -p "$fonts"
  [ -e "$fonts/marlett.ttf" ] || cp /usr/share/wine/fonts/marlett.ttf "$fonts/"
}
