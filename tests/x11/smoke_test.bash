#!/usr/bin/env bash
# Smoke test of the program file on a private X server with a compositor and a light desktop:
# through the loopback mirror as the proxy, 立即下载 downloads the installer, 立即安装 hands its
# path to the shell and ends the program (exit 255). On the way: the shadow beside the window is
# the premultiplied blend over the desktop, and a click on it reaches the root window.
#   smoke_test.bash PROGRAM TEST_HTTP_SERVER SCRIPTS_DIR
set -euo pipefail
program=$1 server=$2 scripts=$3

"$scripts/setup" xvfb xcompmgr hsetroot xdotool x11-utils imagemagick
source "$scripts/lib/desktop-session.bash"
work=$(mktemp -d)
cleanup() {
  session_stop
  rm -rf "$work"
}
trap cleanup EXIT

fail() {
  echo "FAIL: $*" >&2
  [ -f "$work/shot.png" ] && cp "$work/shot.png" "${TMPDIR:-/tmp}/x11_smoke_failure.png" &&
    echo "last screenshot: ${TMPDIR:-/tmp}/x11_smoke_failure.png" >&2
  exit 1
}

# grey_between R G B LOW HIGH: a grey strictly between LOW and HIGH.
grey_between() {
  [ "$1" = "$2" ] && [ "$2" = "$3" ] && [ "$1" -gt "$4" ] && [ "$1" -lt "$5" ]
}

size=$((12 * 1024 * 1024))
session_start_x
session_start_compositor '#E0E0E0' || fail "the compositor did not start"
session_start_mirror "$server" "$size" $((8 * 1024 * 1024)) || fail "the mirror did not start"

# The program runs from a folder of its own, which receives the save folder and the log.
mkdir -p "$work/program" "$work/bin"
cp "$program" "$work/program/VeltraneSetup"
cat >"$work/bin/xdg-open" <<STANDIN
#!/bin/sh
printf '%s\n' "\$@" >"$work/opened"
STANDIN
chmod +x "$work/bin/xdg-open"
export PATH="$work/bin:$PATH"

http_proxy=$session_proxy "$work/program/VeltraneSetup" &
pid=$!
session_pids+=("$pid")
read -r x y < <(session_main_window 30) || fail "the main window did not show"
[ "$x $y" = "428 161" ] || fail "the main window is at $x $y, not at its design position"

# A second copy while the first one runs ends at once, in order, and shows nothing.
rc=0
"$work/program/VeltraneSetup" || rc=$?
[ "$rc" -eq 0 ] || fail "a second copy ended with $rc"

# The shadow around the window: darker next to it, lighter further out, the desktop beyond it.
shadow_shown() {
  [ "$(session_pixel $((x - 2)) $((y + 208)))" != "224 224 224" ]
}
session_wait 5 shadow_shown || fail "no shadow appeared beside the window"
import -window root "$work/shot.png"
read -r nr ng nb < <(session_pixel $((x - 2)) $((y + 208)))
read -r fr fg fb < <(session_pixel $((x - 5)) $((y + 208)))
read -r br bg bb < <(session_pixel $((x - 24)) $((y + 208)))
grey_between "$nr" "$ng" "$nb" 0 224 || fail "shadow next to the window is $nr $ng $nb"
grey_between "$fr" "$fg" "$fb" "$nr" 225 || fail "shadow further out is $fr $fg $fb (near: $nr)"
[ "$br $bg $bb" = "224 224 224" ] || fail "the desktop beyond the shadow is $br $bg $bb"

# The shadow lets the pointer through: the server finds the root window under it, and a click
# there is the root's.
root=$(xwininfo -root | sed -n 's/.*Window id: \(0x[0-9a-f]*\).*/\1/p')
xdotool mousemove $((x - 4)) $((y + 208))
under=$(xdotool getmouselocation --shell | sed -n 's/^WINDOW=//p')
[ "$((under))" -eq "$((root))" ] || fail "the window under the shadow is $under, not the root $root"
xev -root -event button >"$work/root-events" 2>&1 &
session_pids+=("$!")
click_reaches_root() {
  xdotool click 1
  grep -q ButtonPress "$work/root-events"
}
session_wait 5 click_reaches_root || fail "a click on the shadow did not reach the root window"

# Dragging the banner moves the window through the program's own move loop; the shadow follows.
xdotool mousemove $((x + 300)) $((y + 100)) mousedown 1 mousemove $((x + 320)) $((y + 115)) \
  mousemove $((x + 340)) $((y + 130)) mouseup 1
moved_to() {
  [ "$(session_main_window 5)" = "$1 $2" ]
}
session_wait 5 moved_to $((x + 40)) $((y + 30)) ||
  fail "the drag left the window at $(session_main_window 5)"
x=$((x + 40)) y=$((y + 30))
session_wait 5 shadow_shown || fail "the shadow did not follow the window"

# 立即下载, then the install button appears once the download is done; a click on it.
session_click_download "$x" "$y"
session_wait 30 session_install_button_shown "$x" "$y" || {
  import -window root "$work/shot.png"
  fail "the install button did not appear"
}
session_click_install "$x" "$y"

rc=0
wait "$pid" || rc=$?
[ "$rc" -eq 255 ] || fail "the program ended with $rc, not 255"
installer="$work/program/Veltrane/$session_package_name"
opened=$(cat "$work/opened" 2>/dev/null || true)
[ "$opened" = "$installer" ] || fail "the shell was asked to open '$opened'"
[ "$(stat -c %s "$installer")" -eq "$size" ] || fail "the installer has $(stat -c %s "$installer") bytes"
echo "PASS"
