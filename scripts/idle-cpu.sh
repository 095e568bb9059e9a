#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Measures the CPU the real program spends while idle with COUNT tasks: one instance started shown, one started
# minimised ("-m"), side by side, each with its own data folder and runtime folder. After a settling pause both
# are sampled from /proc/PID/stat (utime + stime, in clock ticks) and /proc/PID/schedstat (nanoseconds, all
# threads) over SECONDS. Offscreen unless QT_QPA_PLATFORM says otherwise (e.g. under xvfb-run with xcb).
#   scripts/idle-cpu.sh BINARY [SECONDS] [COUNT]
set -euo pipefail
bin=$(readlink -f "$1") seconds=${2:-60} count=${3:-1000}
here=$(dirname "$(readlink -f "$0")")
work=$(mktemp -d)
pids=()
cleanup() {
  for pid in "${pids[@]}"; do kill -TERM "$pid" 2>/dev/null || true; done
  wait 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT
export QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen}

start() {  # start NAME ARGS...: one instance with a private data folder, runtime folder and home
  local name=$1 dir=$work/$1
  shift
  mkdir -p "$dir/run" "$dir/home"
  chmod 700 "$dir/run"
  "$here/task-data.sh" "$dir/data" "$count"
  HOME=$dir/home XDG_CONFIG_HOME=$dir/home/.config XDG_RUNTIME_DIR=$dir/run \
    "$bin" --data-dir "$dir/data" "$@" >"$dir/log" 2>&1 &
  pids+=($!)
}

stat_ticks() { awk '{print $14 + $15}' "/proc/$1/stat"; }
sched_ns() { cat /proc/"$1"/task/*/schedstat | awk '{s += $1} END {printf "%.0f", s}'; }

start shown
start minimised -m
sleep 5  # start-up, loading, first paint
declare -A t0 n0
for pid in "${pids[@]}"; do t0[$pid]=$(stat_ticks "$pid"); n0[$pid]=$(sched_ns "$pid"); done
sleep "$seconds"
hz=$(getconf CLK_TCK)
printf '%-10s %8s %14s %16s\n' window ticks "stat % core" "schedstat % core"
names=(shown minimised)
for i in 0 1; do
  pid=${pids[$i]}
  dt=$(($(stat_ticks "$pid") - t0[$pid]))
  dn=$(($(sched_ns "$pid") - n0[$pid]))
  awk -v n="${names[$i]}" -v dt="$dt" -v dn="$dn" -v hz="$hz" -v s="$seconds" \
    'BEGIN {printf "%-10s %8d %14.3f %16.3f\n", n, dt, 100 * dt / hz / s, 100 * dn / 1e9 / s}'
done
