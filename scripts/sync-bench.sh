#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# Calendar sync benchmark against a local Radicale, all in a private session bus with its own GNOME Keyring and a
# temporary home (nothing of the user's is touched):
#   1. the first sync of 1,000 tasks by tickwell-cli, against the same 1,000 events PUT by a minimal client
#      (Python's http.client on one kept-alive connection, If-None-Match: *) into a second calendar in the same run;
#   2. a sync with nothing to do: how many requests reach the server, and the CPU time of tickwell-cli beyond
#      that of reading the same folder (tickwell-cli list), each the median of several runs;
#   3. when tickwell lies beside tickwell-cli: the CPU time the running program spends on such a sync.
# Usage: scripts/sync-bench.sh [path/to/tickwell-cli]   (default: build/release/src/tickwell-cli)
set -e
here="$(cd "$(dirname "$0")" && pwd)"
cli="$(realpath "${1:-$here/../build/release/src/tickwell-cli}")"
[ -x "$cli" ] || { echo "tickwell-cli not found: $cli (build it, or pass its path)" >&2; exit 2; }
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
export HOME="$work/home" XDG_DATA_HOME="$work/home/share" XDG_CONFIG_HOME="$work/home/config" XDG_RUNTIME_DIR="$work"
mkdir -p "$HOME"
export CLI="$cli" WORK="$work"
exec dbus-run-session --config-file="$here/private-bus.conf" -- sh -c '
set -e
printf "%s" bench | gnome-keyring-daemon --unlock --components=secrets >/dev/null
port=$(python3 -c "import socket; s=socket.socket(); s.bind((\"127.0.0.1\", 0)); print(s.getsockname()[1])")
printf "alice:bench\n" > "$WORK/users"
cat > "$WORK/radicale.conf" <<CONF
[server]
hosts = 127.0.0.1:$port
[auth]
type = htpasswd
htpasswd_filename = $WORK/users
htpasswd_encryption = plain
delay = 0
[rights]
type = owner_only
[storage]
filesystem_folder = $WORK/collections
[web]
type = none
[logging]
level = info
CONF
radicale --config "$WORK/radicale.conf" > "$WORK/radicale.log" 2>&1 &
server=$!
trap "kill $server" EXIT
python3 - "$port" <<PY
import socket, sys, time
for _ in range(200):
    try:
        socket.create_connection(("127.0.0.1", int(sys.argv[1])), 0.2).close(); break
    except OSError:
        time.sleep(0.05)
PY
# 1,000 tasks from a calendar file: a quarter of them recurring.
python3 - "$WORK/tasks.ics" <<PY
import sys
lines = ["BEGIN:VCALENDAR", "VERSION:2.0", "PRODID:-//bench//EN"]
for i in range(1000):
    lines += ["BEGIN:VEVENT", "UID:bench-%d" % i, "DTSTAMP:20260101T000000Z",
              "DTSTART:2030%02d%02dT%02d0000Z" % (i % 12 + 1, i % 28 + 1, i % 24), "SUMMARY:任务 %d" % i]
    if i % 4 == 0:
        lines.append("RRULE:FREQ=WEEKLY")
    lines.append("END:VEVENT")
lines.append("END:VCALENDAR")
open(sys.argv[1], "w").write("\r\n".join(lines) + "\r\n")
PY
data="$WORK/data"
"$CLI" import "$WORK/tasks.ics" --data-dir "$data" >/dev/null
echo bench | "$CLI" sync setup "http://127.0.0.1:$port/" --user alice --data-dir "$data" >/dev/null

logged=$(wc -l < "$WORK/radicale.log")
t0=$(date +%s.%N)
"$CLI" sync --data-dir "$data"
t1=$(date +%s.%N)
program=$(echo "$t1 - $t0" | bc)
requests=$(tail -n +$((logged + 1)) "$WORK/radicale.log" | grep -o "[A-Z]* request for" | sort | uniq -c | awk "{ printf \"%s%s %s\", s, \$1, \$2; s = \", \" }")

# The minimal client sends the very resources the program wrote, under new names, to a calendar of its own.
python3 - "$port" "$WORK/collections" <<PY
import base64, glob, http.client, os, sys, time
port, root = int(sys.argv[1]), sys.argv[2]
files = [f for f in glob.glob(os.path.join(root, "**", "*.ics"), recursive=True)]
bodies = [open(f, "rb").read() for f in files]
auth = {"Authorization": "Basic " + base64.b64encode(b"alice:bench").decode()}
c = http.client.HTTPConnection("127.0.0.1", port)
c.request("MKCALENDAR", "/alice/minimal/", headers=auth); c.getresponse().read()
start = time.monotonic()
for i, body in enumerate(bodies):
    c.request("PUT", "/alice/minimal/%d.ics" % i, body=body,
              headers=dict(auth, **{"If-None-Match": "*", "Content-Type": "text/calendar; charset=utf-8"}))
    r = c.getresponse(); r.read()
    assert r.status in (201, 204), r.status
open(os.environ["WORK"] + "/minimal", "w").write("%.3f %d\\n" % (time.monotonic() - start, len(bodies)))
PY
read minimal count < "$WORK/minimal"
echo "first sync of $count tasks: tickwell-cli ${program}s ($requests), minimal client ${minimal}s, ratio $(echo "scale=2; $program / $minimal" | bc)"

before=$(grep -c " request for " "$WORK/radicale.log" || true)
"$CLI" sync --data-dir "$data" >/dev/null
after=$(grep -c " request for " "$WORK/radicale.log" || true)
# The median CPU time (user + system, in ms) of 9 runs: a single run is too coarse and too noisy for the figure.
cpu() {
    python3 - "$@" <<PY
import resource, subprocess, sys
runs = []
for _ in range(9):
    before = resource.getrusage(resource.RUSAGE_CHILDREN)
    subprocess.run(sys.argv[1:], stdout=subprocess.DEVNULL, check=True)
    after = resource.getrusage(resource.RUSAGE_CHILDREN)
    runs.append((after.ru_utime - before.ru_utime + after.ru_stime - before.ru_stime) * 1000)
print(int(sorted(runs)[4]))
PY
}
sync_ms=$(cpu "$CLI" sync --data-dir "$data")
list_ms=$(cpu "$CLI" list --data-dir "$data")
echo "sync with nothing to do: $((after - before)) request(s); CPU ${sync_ms} ms for tickwell-cli sync, ${list_ms} ms for reading the same folder (tickwell-cli list), $((sync_ms - list_ms)) ms for the sync itself (medians of 9 runs)"

# The same idle sync in the running program, which reads the password once and then syncs at every interval: the
# CPU the program spends on one sync asked by tickwell-cli, less what it spends idle over the same time.
app="$(dirname "$CLI")/tickwell"
if [ -x "$app" ]; then
    QT_QPA_PLATFORM=offscreen "$app" --data-dir "$data" >/dev/null 2>&1 &
    pid=$!
    for _ in $(seq 300); do [ -e "$XDG_RUNTIME_DIR/tickwell-$(id -u)-0" ] && break; sleep 0.1; done
    "$CLI" sync --data-dir "$data" >/dev/null
    python3 - "$pid" "$CLI" "$data" <<PY
import os, subprocess, sys, time
pid, cli, data = sys.argv[1], sys.argv[2], sys.argv[3]
tick = os.sysconf("SC_CLK_TCK")
def cpu():
    fields = open("/proc/%s/stat" % pid).read().rsplit(")", 1)[1].split()
    return (int(fields[11]) + int(fields[12])) * 1000 / tick
# The kernel counts CPU time in ticks of 10 ms: the figures are totals over 20 runs, divided.
def measure(action, runs=20):
    c0, t0 = cpu(), time.monotonic()
    for _ in range(runs):
        action()
    return (cpu() - c0) / runs, (time.monotonic() - t0) / runs
sync, span = measure(lambda: subprocess.run([cli, "sync", "--data-dir", data], stdout=subprocess.DEVNULL, check=True))
idle, _ = measure(lambda: time.sleep(span))
print("the running program: %.1f ms of CPU per sync with nothing to do (mean of 20; %.1f ms idle over the same %.2f s)"
      % (sync - idle, idle, span))
PY
    kill $pid
    wait $pid 2>/dev/null || true
fi
'
