#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Compares the start-up cost of two builds of the program: the median time of `--help` (loading every library
# and creating the application object; the main window loads the same way in both) and the resident memory
# of the program idling for three seconds, offscreen, with a data folder of TASKS tasks (default none).
#   scripts/startup-cost.sh OLD_BINARY NEW_BINARY [RUNS] [TASKS]
set -euo pipefail
old=$1 new=$2 runs=${3:-30} tasks=${4:-0}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export QT_QPA_PLATFORM=offscreen HOME=$work XDG_CONFIG_HOME=$work/config

median_ms() {
  local bin=$1 i
  for ((i = 0; i < runs; i++)); do
    local t0 t1
    t0=$(date +%s%N); "$bin" --help >/dev/null; t1=$(date +%s%N)
    echo $(((t1 - t0) / 1000))
  done | sort -n | awk '{a[NR]=$1} END {printf "%.1f", a[int((NR+1)/2)]/1000}'
}

idle_rss_mb() {
  local bin=$1 dir pid rss
  dir=$(mktemp -d -p "$work")
  if ((tasks > 0)); then
    {
      echo '<?xml version="1.0" encoding="UTF-8"?>'
      echo '<tasks ver="100000" types="">'
      for ((i = 1; i <= tasks; i++)); do
        echo "  <task Id=\"$i\" DueDT=\"2030-01-01 10:00:00\" AlarmDT=\"2030-01-01 10:00:00\" Status=\"0\" DueDate=\"2030-1-1\" DueTime=\"10:00\" Desc=\"任务 $i\"/>"
      done
      echo '</tasks>'
    } >"$dir/twdata.xml"
  fi
  "$bin" --data-dir "$dir" >/dev/null 2>&1 &
  pid=$!
  sleep 3
  rss=$(awk '/VmRSS/ {print $2}' /proc/$pid/status)
  kill -TERM $pid; wait $pid || true
  awk -v k="$rss" 'BEGIN {printf "%.1f", k/1024}'
}

for bin in "$old" "$new"; do median_ms "$bin" >/dev/null; done  # warm the page cache
printf '%-8s %12s %14s\n' build "--help ms" "idle RSS MB"
printf '%-8s %12s %14s\n' old "$(median_ms "$old")" "$(idle_rss_mb "$old")"
printf '%-8s %12s %14s\n' new "$(median_ms "$new")" "$(idle_rss_mb "$new")"
