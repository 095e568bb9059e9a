#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Writes a data file of COUNT plausible tasks into FOLDER (created when missing), for measurements of the
# real program: about two in three waiting with reminders spread over the coming weeks, the rest finished or
# cancelled, in a few categories, some recurring.
#   scripts/task-data.sh FOLDER [COUNT]
# TITLES=en writes English descriptions and categories (for pictures of the English interface).
set -euo pipefail
folder=$1 count=${2:-1000}
mkdir -p "$folder"
TITLES=${TITLES:-zh} python3 - "$folder/twdata.xml" "$count" <<'PY'
import datetime as dt, os, sys
from xml.sax.saxutils import quoteattr
path, count = sys.argv[1], int(sys.argv[2])
now = dt.datetime.now().replace(microsecond=0)
fmt = lambda t: t.strftime("%Y-%m-%d %H:%M:%S")
words = ["周报", "交电费", "牙医复诊", "给妈妈打电话", "备份照片", "续签合同", "健身", "团队例会", "取快递", "读书会"]
types = ["工作", "私人", "家庭", ""]
if os.environ["TITLES"] == "en":
    words = ["Weekly report", "Pay the electricity bill", "Dentist", "Call Mum", "Back up photos", "Renew the lease",
             "Gym", "Team meeting", "Pick up a parcel", "Book club"]
    types = ["Work", "Personal", "Home", ""]
lines = ['<?xml version="1.0" encoding="UTF-8"?>', f'<tasks ver="100000" types="{";".join(types[:3])}">']
for i in range(1, count + 1):
    created = now - dt.timedelta(days=i % 30 + 1, hours=i % 7)
    due = now + dt.timedelta(minutes=17 * i + 5)
    status = 0 if i % 3 else (2 if i % 2 else 4)
    recurring = i % 5 == 0
    attrs = {
        "Id": str(i), "DueDT": fmt(due), "CreateDT": fmt(created), "StartDT": fmt(created),
        "RingType": "0", "Status": str(status), "AlarmDT": fmt(due - dt.timedelta(minutes=5 if i % 4 else 0)),
        "DueDate": "每周135" if recurring else f"{due.year}-{due.month}-{due.day}",
        "DueTime": f"{due.hour}:{due.minute:02d}", "Desc": f"{words[i % len(words)]} #{i}",
    }
    if status:
        attrs["FinishDT"] = fmt(created + dt.timedelta(hours=2))
    if types[i % 4]:
        attrs["Type"] = types[i % 4]
    lines.append("  <task " + " ".join(f"{k}={quoteattr(v)}" for k, v in attrs.items()) + "/>")
lines.append("</tasks>")
with open(path, "w", encoding="utf-8") as f:
    f.write("\n".join(lines) + "\n")
PY
