#!/usr/bin/env bash
# Takes a screenshot of the program as a person would see it: under Xvfb with a window manager, so the
# caption is drawn. Usage: scripts/screenshot.sh OUT.png [seconds] -- PROGRAM [ARGS...]
# SCREEN=WxH sets the screen size (default 1024x768); CROP=WxH+X+Y keeps only that part of the picture;
# WINDOW=TEXT takes only the first window whose caption contains TEXT, with its frame.
# STEPS="key alt+o o; sleep 1; type text" are xdotool commands, separated by ";", run once the program is up (to
# open a dialog and fill it in); the picture is taken [seconds] after the last one.
set -euo pipefail
out=$1; shift
wait_s=4
if [ "${1:-}" != "--" ]; then wait_s=$1; shift; fi
[ "${1:-}" = "--" ] && shift
export out wait_s
xvfb-run -a -s "-screen 0 ${SCREEN:-1024x768}x24" bash -c '
  openbox >/dev/null 2>&1 &
  sleep 1
  "$@" >/dev/null 2>&1 &
  pid=$!
  sleep "$wait_s"
  if [ -n "${STEPS:-}" ]; then
    IFS=";" read -ra steps <<< "$STEPS"
    for step in "${steps[@]}"; do eval "xdotool $step"; done
    sleep "$wait_s"
  fi
  if [ -n "${WINDOW:-}" ]; then
    import -frame -window "$(xdotool search --onlyvisible --name "$WINDOW" | head -1)" "$out"
  else
    import -window root "$out"
  fi
  kill $pid 2>/dev/null || true
  wait $pid 2>/dev/null || true
' _ "$@"
if [ -n "${CROP:-}" ]; then convert "$out" -crop "$CROP" +repage "$out"; fi
echo "wrote $out"
