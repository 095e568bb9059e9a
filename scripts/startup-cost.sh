#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Compares the start-up cost of two builds of the program: the median time of `--help` (loading every library
# and creating the application object) and the resident memory of the program idling with an empty data folder
# for three seconds, offscreen. Given a DATA folder (scripts/task-data.sh writes one), also the median time from
# exec to the first expose of the main window with a copy of that data, on an X server (xvfb-run is started
# when there is no DISPLAY); Qt's event log stamps the expose on the same monotonic clock as the start.
# The yardstick is the bare window; "bare-zh", the same window with Chinese captions, shows what of the
# difference any Chinese window pays (a CJK fallback font and its glyphs).
#   scripts/startup-cost.sh OLD_BINARY NEW_BINARY [RUNS] [DATA]
set -euo pipefail
if [[ -n ${4:-} && -z ${DISPLAY:-} ]]; then
  exec xvfb-run -a -s "-screen 0 1280x800x24" "$0" "$@"
fi
old=$1 new=$2 runs=${3:-30} data=${4:-}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export QT_QPA_PLATFORM=offscreen HOME=$work XDG_CONFIG_HOME=$work/config XDG_RUNTIME_DIR=$work/run
mkdir -p "$work/run" && chmod 700 "$work/run"
bare=$work/bare-window
# shellcheck disable=SC2046
c++ -std=c++20 -O2 -fPIC -o "$bare" "$(dirname "$0")/../tools/BareWindow.cpp" $(pkg-config --cflags --libs Qt6Widgets)
# shellcheck disable=SC2046
c++ -std=c++20 -O2 -fPIC -DBARE_CHINESE -o "$bare-zh" "$(dirname "$0")/../tools/BareWindow.cpp" \
  $(pkg-config --cflags --libs Qt6Widgets)

median() { sort -n | awk '{a[NR]=$1} END {printf "%.1f", a[int((NR+1)/2)]}'; }

help_ms() {
  local bin=$1 i
  for ((i = 0; i < runs; i++)); do
    local t0 t1
    t0=$(date +%s%N); "$bin" --help >/dev/null; t1=$(date +%s%N)
    echo $(((t1 - t0) / 1000))
  done | median | awk '{printf "%.1f", $1 / 1000}'
}

idle_rss_mb() {
  local bin=$1 dir pid rss
  dir=$(mktemp -d -p "$work")
  "$bin" --data-dir "$dir" >/dev/null 2>&1 &
  pid=$!
  sleep 3
  rss=$(awk '/VmRSS/ {print $2}' /proc/$pid/status)
  kill -TERM $pid; wait $pid || true
  awk -v k="$rss" 'BEGIN {printf "%.1f", k/1024}'
}

# Milliseconds from exec to the first expose event of one start.
window_ms() {
  local bin=$1 dir pid t
  dir=$(mktemp -d -p "$work")
  cp "$data/twdata.xml" "$dir/"
  QT_QPA_PLATFORM=xcb QT_LOGGING_RULES="qt.qpa.events=true" QT_MESSAGE_PATTERN="%{time boot} %{message}" \
    python3 -c 'import os, sys, time
sys.stderr.write("%.6f start\n" % time.monotonic()); sys.stderr.flush()
os.execv(sys.argv[1], sys.argv[1:])' "$bin" --data-dir "$dir" 2>"$dir/log" &
  pid=$!  # python execs the program in place: the same process
  for ((t = 0; t < 1000; t++)); do
    grep -q XCB_EXPOSE "$dir/log" && break
    sleep 0.02
  done
  kill -TERM $pid; wait $pid || true
  awk '/ start$/ {t0 = $1} /XCB_EXPOSE/ {printf "%.0f\n", ($1 - t0) * 1000; exit}' "$dir/log"
}

for bin in "$old" "$new" "$bare" "$bare-zh"; do help_ms "$bin" >/dev/null; done  # warm the page cache
declare -A path=([old]=$old [new]=$new [bare]=$bare [bare-zh]=$bare-zh) rss
for b in old new bare bare-zh; do rss[$b]=$(idle_rss_mb "${path[$b]}"); done
if [[ -n $data ]]; then
  # The three take turns, so a busy moment of the machine falls on each.
  for ((i = 0; i < runs; i++)); do
    for b in old new bare bare-zh; do window_ms "${path[$b]}" >>"$work/$b.ms"; done
  done
  printf '%-8s %12s %14s %16s\n' build "--help ms" "idle RSS MB" "to window ms"
  for b in old new bare bare-zh; do
    printf '%-8s %12s %14s %16s\n' $b "$(help_ms "${path[$b]}")" "${rss[$b]}" "$(median <"$work/$b.ms")"
  done
  awk -v n="$(median <"$work/new.ms")" -v b="$(median <"$work/bare.ms")" \
    'BEGIN {printf "new/bare to window: %.2fx\n", n / b}'
  awk -v n="$(median <"$work/new.ms")" -v b="$(median <"$work/bare-zh.ms")" \
    'BEGIN {printf "new/bare-zh to window: %.2fx\n", n / b}'
else
  printf '%-8s %12s %14s\n' build "--help ms" "idle RSS MB"
  for b in old new bare bare-zh; do printf '%-8s %12s %14s\n' $b "$(help_ms "${path[$b]}")" "${rss[$b]}"; done
fi
awk -v n="${rss[new]}" -v b="${rss[bare]}" 'BEGIN {printf "new-bare idle RSS: %+.1f MB\n", n - b}'
awk -v n="${rss[new]}" -v b="${rss[bare-zh]}" 'BEGIN {printf "new-bare-zh idle RSS: %+.1f MB\n", n - b}'
