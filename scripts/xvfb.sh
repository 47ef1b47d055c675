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

# settled_screenshot OUT: waits until two pictures of the screen a second apart
# agree and show more than a plain background, then leaves the last one in OUT.
settled_screenshot() {
  local previous= sum
  for _ in $(seq 1 30); do
    sleep 1
    import -window root "$1" 2>/dev/null || continue
    sum=$(md5sum <"$1")
    if [ "$sum" = "$previous" ] && [ "$(convert "$1" -format %k info:)" -gt 100 ]; then
      return 0
    fi
    previous=$sum
  done
}
