# Sourced by scripts/run, the smoke test and the start-up benchmark: a private X server with a
# compositor, the loopback package mirror, and the stopping of everything they started, by
# process id, on every way out. The caller sets `trap session_stop EXIT` after sourcing.

session_pids=()

# The download hosts are reached only through the proxy, which answers absolute-form requests
# from its files by path. The client percent-escapes the non-ASCII characters of the path, so the
# mirror serves the escaped form.
session_package_path='/uploads/Veltrane%EF%BC%88Calvarin%EF%BC%89%EF%BC%88%E5%AE%8C%E6%95%B4%E5%AE%89%E8%A3%85%E5%8C%85%EF%BC%89.exe'
session_package_name='Veltrane（Calvarin）（完整安装包）.exe'

session_stop() {
  local i
  for ((i = ${#session_pids[@]} - 1; i >= 0; i--)); do
    kill "${session_pids[i]}" 2>/dev/null || true
    wait "${session_pids[i]}" 2>/dev/null || true
  done
  session_pids=()
}

# session_wait SECONDS COMMAND...: runs COMMAND every 50 ms until it succeeds.
session_wait() {
  local deadline=$((SECONDS + $1))
  shift
  until "$@" >/dev/null 2>&1; do
    [ "$SECONDS" -lt "$deadline" ] || return 1
    sleep 0.05
  done
}

# Starts Xvfb on the first free display from :90 and exports DISPLAY. -noreset keeps the root
# background when the last client goes.
session_start_x() {
  local n pid
  for n in $(seq 90 160); do
    [ -e "/tmp/.X$n-lock" ] && continue
    Xvfb ":$n" -screen 0 1280x800x24 -noreset -nolisten tcp >/dev/null 2>&1 &
    pid=$!
    if session_wait 10 xdpyinfo -display ":$n" && kill -0 "$pid" 2>/dev/null; then
      session_pids+=("$pid")
      export DISPLAY=":$n"
      return 0
    fi
    kill "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
  done
  echo "no free X display between :90 and :160" >&2
  return 1
}

# A light desktop, and a compositing manager that owns the screen's compositing selection before
# this returns (its window is named after it).
session_start_compositor() {
  # Compositors paint the root from the pixmap named by _XROOTPMAP_ID, which hsetroot sets (and
  # xsetroot does not).
  hsetroot -solid "${1:-#E0E0E0}" >/dev/null
  xcompmgr >/dev/null 2>&1 &
  session_pids+=("$!")
  session_wait 10 session_compositor_running
}

session_compositor_running() {
  xwininfo -root -children | grep -q '"xcompmgr"'
}

# session_start_mirror SERVER SIZE RATE: the loopback test server serving a generated installer of
# SIZE bytes at RATE bytes a second; sets session_proxy to its address.
session_start_mirror() {
  local server=$1 size=$2 rate=$3 log
  log=$(mktemp)
  "$server" --port 0 --rate "$rate" --file "$session_package_path=$size" >"$log" &
  session_pids+=("$!")
  session_wait 10 grep -q '^listening on' "$log" || return 1
  session_proxy="http://127.0.0.1:$(sed -n 's/^listening on //p' "$log")"
  rm -f "$log"
}

# The screen position of the program's main window ("X Y"), once it shows.
session_main_window() {
  local id
  id=$(timeout "${1:-20}" xdotool search --sync --onlyvisible --name '^Veltrane$' | head -1) ||
    return 1
  xdotool getwindowgeometry --shell "$id" | sed -n 's/^[XY]=//p' | paste -sd ' '
}

# The colour of one screen pixel as "R G B" (0..255).
session_pixel() {
  import -window root -crop "1x1+$1+$2" -depth 8 txt:- 2>/dev/null |
    sed -n '2s/^[^(]*(\([0-9]*\),\([0-9]*\),\([0-9]*\).*/\1 \2 \3/p'
}

# Where the main window at X Y is clicked, and what shows that the download is done: the install
# button, blue at its left end, where the progress page is white before.
session_click_download() {
  xdotool mousemove $(($1 + 306)) $(($2 + 311)) click 1
}
session_click_install() {
  xdotool mousemove $(($1 + 306)) $(($2 + 346)) click 1
}
session_install_button_shown() {
  local r b
  read -r r _ b < <(session_pixel $(($1 + 220)) $(($2 + 346)))
  [ "$b" -gt $((r + 60)) ]
}
