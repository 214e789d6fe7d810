# shellcheck shell=bash
# Shared by the download benchmarks; sourced from the top of the tree by a script that runs with
# `set -euo pipefail`. It builds Release targets, serves a folder with nginx on loopback, times two
# downloaders in alternating runs and prints their medians.
#
#   lb_build TARGET...          builds into $lb_build_dir
#   lb_start_nginx              serves $lb_work/www on 127.0.0.1:$lb_port until the script ends
#   lb_make_source PATH MIB     random bytes for both downloaders to reproduce ($lb_source)
#   lb_alternate RUNS RUN_FN    calls "RUN_FN ours" and "RUN_FN curl", RUNS times each
#   lb_timed WHO OUT SOURCE CMD...   one timed run of CMD that must leave OUT equal to SOURCE
#   lb_report LABEL RATIO_NAME  medians of both, then "RATIO_NAME: R" (curl's time over ours)
#
# A program that knows when its transfer began and ended may print "transfer_seconds: S"; that
# time then counts instead of the whole process's, so its start-up is not taken for transfer.

lb_build_dir=build/bench-release
lb_work=$(mktemp -d /tmp/loopback-bench.XXXXXX)
lb_nginx_pid=""
lb_cleanup_extra=()

lb_cleanup() {
  if [ -n "$lb_nginx_pid" ]; then
    kill "$lb_nginx_pid" 2>/dev/null || true
    wait "$lb_nginx_pid" 2>/dev/null || true
  fi
  rm -rf "$lb_work" "${lb_cleanup_extra[@]}"
}
trap lb_cleanup EXIT
# An interrupted run leaves through the same cleanup.
trap 'exit 130' INT TERM

lb_build() {
  cmake -S . -B "$lb_build_dir" -DCMAKE_BUILD_TYPE=Release -DVELTRANE_TESTS=OFF \
    -DVELTRANE_BENCH=ON -Wno-dev >/dev/null
  cmake --build "$lb_build_dir" --target "$@" -j2 >/dev/null
}

lb_start_nginx() {
  if ! command -v nginx >/dev/null && [ ! -x /usr/sbin/nginx ]; then
    local sudo=""
    [ "$(id -u)" -eq 0 ] || sudo="sudo"
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq nginx >/dev/null
  fi
  local nginx_bin
  nginx_bin=$(command -v nginx || echo /usr/sbin/nginx)
  mkdir -p "$lb_work/www" "$lb_work/temp"
  lb_port=$(python3 -c 'import socket; s=socket.socket(); s.bind(("127.0.0.1",0)); print(s.getsockname()[1])')
  # A request in absolute form (as sent to a proxy) is served from the same root.
  cat >"$lb_work/nginx.conf" <<CONF
daemon off;
master_process off;
worker_processes 1;
pid $lb_work/nginx.pid;
error_log $lb_work/error.log;
events { worker_connections 64; }
http {
  access_log off;
  client_body_temp_path $lb_work/temp/body;
  proxy_temp_path $lb_work/temp/proxy;
  fastcgi_temp_path $lb_work/temp/fastcgi;
  uwsgi_temp_path $lb_work/temp/uwsgi;
  scgi_temp_path $lb_work/temp/scgi;
  sendfile on;
  server {
    listen 127.0.0.1:$lb_port;
    root $lb_work/www;
  }
}
CONF
  "$nginx_bin" -p "$lb_work" -c "$lb_work/nginx.conf" &
  lb_nginx_pid=$!
  local _
  for _ in $(seq 50); do
    curl -s -o /dev/null "http://127.0.0.1:$lb_port/" && return 0
    sleep 0.1
  done
  echo "nginx did not start" >&2
  return 1
}

lb_alternate() {
  local runs=$1 run=$2 i who order
  : >"$lb_work/ours.runs"
  : >"$lb_work/curl.runs"
  # Who goes first swaps every round, so that drift of the shared machine falls on both alike.
  for i in $(seq "$runs"); do
    if [ $((i % 2)) -eq 1 ]; then order="ours curl"; else order="curl ours"; fi
    for who in $order; do
      "$run" "$who"
    done
  done
}

lb_timed() {
  local who=$1 out=$2 source=$3
  shift 3
  rm -f "$out" "$out.tmp" "$out.sdc"
  /usr/bin/time -f "%e %U %S %M" -o "$lb_work/stats" "$@" >"$lb_work/stdout"
  cmp -s "$out" "$source" || { echo "$who: downloaded file differs" >&2; exit 1; }
  rm -f "$out"
  local transfer
  transfer=$(sed -n 's/^transfer_seconds: //p' "$lb_work/stdout")
  awk -v transfer="$transfer" '{ printf "%s %.2f %s\n", transfer != "" ? transfer : $1, $2 + $3, $4 }' \
    "$lb_work/stats" >>"$lb_work/$who.runs"
}

lb_median() {
  sort -g | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'
}

lb_report() {
  local label=$1 ratio_name=$2 who name t cpu rss ours_time="" curl_time=""
  local size_mib
  size_mib=$(awk -v b="$(stat -c %s "$lb_source")" 'BEGIN { print b / 1048576 }')
  for who in ours curl; do
    name=$who
    [ "$who" = ours ] && name=$label
    t=$(cut -d' ' -f1 "$lb_work/$who.runs" | lb_median)
    cpu=$(cut -d' ' -f2 "$lb_work/$who.runs" | lb_median)
    rss=$(cut -d' ' -f3 "$lb_work/$who.runs" | sort -g | tail -1)
    if [ "$who" = ours ]; then ours_time=$t; else curl_time=$t; fi
    printf '%-15s median %.1f MiB/s (%.2f s), median CPU %.2f s, peak memory %.1f MiB\n' \
      "$name" "$(echo "$size_mib / $t" | bc -l)" "$t" "$cpu" "$(echo "$rss / 1024" | bc -l)"
  done
  printf '%s: %.3f\n' "$ratio_name" "$(echo "$curl_time / $ours_time" | bc -l)"
}

# lb_make_source PATH MIB: a file of random bytes, the one both downloaders must reproduce.
lb_make_source() {
  lb_source=$1
  mkdir -p "$(dirname "$lb_source")"
  dd if=/dev/urandom of="$lb_source" bs=1M count="$2" status=none
}
