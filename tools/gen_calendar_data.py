#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Writes resources/calendar/caldata.js, the data the calendar page carries:

- the lunar year table, read from src/timerules/CLunarUtil.cpp so the page and the program can never disagree
  (with --tsv FILE the table is also checked against a tab-separated copy: year, hex, ...);
- the day of each of the 24 solar terms for 1900-2049 in China Standard Time (UTC+8), from the Sun's apparent
  longitude computed with the truncated VSOP87 theory of the Earth, nutation, aberration and delta T.

Usage: tools/gen_calendar_data.py [--tsv lunar-table.tsv] [--check] [--times YEAR]
  --check   also verifies a handful of well-known solar-term moments and exits non-zero on a mismatch
  --times   prints the computed moments of one year's terms (for comparison with an almanac)
"""
import argparse
import datetime
import math
import os
import re
import sys

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))

# Earth, heliocentric longitude (VSOP87 truncated): A, B, C with term A*cos(B + C*tau), units 1e-8 rad.
L0 = [(175347046, 0, 0), (3341656, 4.6692568, 6283.0758500), (34894, 4.6261, 12566.1517), (3497, 2.7441, 5753.3849),
      (3418, 2.8289, 3.5231), (3136, 3.6277, 77713.7715), (2676, 4.4181, 7860.4194), (2343, 6.1352, 3930.2097),
      (1324, 0.7425, 11506.7698), (1273, 2.0371, 529.6910), (1199, 1.1096, 1577.3435), (990, 5.233, 5884.927),
      (902, 2.045, 26.298), (857, 3.508, 398.149), (780, 1.179, 5223.694), (753, 2.533, 5507.553),
      (505, 4.583, 18849.228), (492, 4.205, 775.523), (357, 2.920, 0.067), (317, 5.849, 11790.629),
      (284, 1.899, 796.298), (271, 0.315, 10977.079), (243, 0.345, 5486.778), (206, 4.806, 2544.314),
      (205, 1.869, 5573.143), (202, 2.458, 6069.777), (156, 0.833, 213.299), (132, 3.411, 2942.463),
      (126, 1.083, 20.775), (115, 0.645, 0.980), (103, 0.636, 4694.003), (102, 0.976, 15720.839),
      (102, 4.267, 7.114), (99, 6.21, 2146.17), (98, 0.68, 155.42), (86, 5.98, 161000.69), (85, 1.30, 6275.96),
      (85, 3.67, 71430.70), (80, 1.81, 17260.15), (79, 3.04, 12036.46), (75, 1.76, 5088.63), (74, 3.50, 3154.69),
      (74, 4.68, 801.82), (70, 0.83, 9437.76), (62, 3.98, 8827.39), (61, 1.82, 7084.90), (57, 2.78, 6286.60),
      (56, 4.39, 14143.50), (56, 3.47, 6279.55), (52, 0.19, 12139.55), (52, 1.33, 1748.02), (51, 0.28, 5856.48),
      (49, 0.49, 1194.45), (41, 5.37, 8429.24), (41, 2.40, 19651.05), (39, 6.17, 10447.39), (37, 6.04, 10213.29),
      (37, 2.57, 1059.38), (36, 1.71, 2352.87), (36, 1.78, 6812.77), (33, 0.59, 17789.85), (30, 0.44, 83996.85),
      (30, 2.74, 1349.87), (25, 3.16, 4690.48)]
L1 = [(628331966747, 0, 0), (206059, 2.678235, 6283.075850), (4303, 2.6351, 12566.1517), (425, 1.590, 3.523),
      (119, 5.796, 26.298), (109, 2.966, 1577.344), (93, 2.59, 18849.23), (72, 1.14, 529.69), (68, 1.87, 398.15),
      (67, 4.41, 5507.55), (59, 2.89, 5223.69), (56, 2.17, 155.42), (45, 0.40, 796.30), (36, 0.47, 775.52),
      (29, 2.65, 7.11), (21, 5.34, 0.98), (19, 1.85, 5486.78), (19, 4.97, 213.30), (17, 2.99, 6275.96),
      (16, 0.03, 2544.31), (16, 1.43, 2146.17), (15, 1.21, 10977.08), (12, 2.83, 1748.02), (12, 3.26, 5088.63),
      (12, 5.27, 1194.45), (12, 2.08, 4694.00), (11, 0.77, 553.57), (10, 1.30, 6286.60), (10, 4.24, 1349.87),
      (9, 2.70, 242.73), (9, 5.64, 951.72), (8, 5.30, 2352.87), (6, 2.65, 9437.76), (6, 4.67, 4690.48)]
L2 = [(52919, 0, 0), (8720, 1.0721, 6283.0758), (309, 0.867, 12566.152), (27, 0.05, 3.52), (16, 5.19, 26.30),
      (16, 3.68, 155.42), (10, 0.76, 18849.23), (9, 2.06, 77713.77), (7, 0.83, 775.52), (5, 4.66, 1577.34),
      (4, 1.03, 7.11), (4, 3.44, 5573.14), (3, 5.14, 796.30), (3, 6.05, 5507.55), (3, 1.19, 242.73),
      (3, 6.12, 529.69), (3, 0.31, 398.15), (3, 2.28, 553.57), (2, 4.38, 5223.69), (2, 3.75, 0.98)]
L3 = [(289, 5.844, 6283.076), (35, 0, 0), (17, 5.49, 12566.15), (3, 5.20, 155.42), (1, 4.72, 3.52),
      (1, 5.30, 18849.23), (1, 5.97, 242.73)]
L4 = [(114, 3.142, 0), (8, 4.13, 6283.08), (1, 3.84, 12566.15)]
L5 = [(1, 3.14, 0)]
# Radius vector, enough terms for the aberration (which only needs a few digits of it).
R0 = [(100013989, 0, 0), (1670700, 3.0984635, 6283.0758500), (13956, 3.05525, 12566.15170),
      (3084, 5.1985, 77713.7715), (1628, 1.1739, 5753.3849), (1576, 2.8469, 7860.4194)]
R1 = [(103019, 1.107490, 6283.075850), (1721, 1.0644, 12566.1517), (702, 3.142, 0)]
R2 = [(4359, 5.7846, 6283.0758), (124, 5.579, 12566.152)]

TERM_NAMES = ["小寒", "大寒", "立春", "雨水", "惊蛰", "春分", "清明", "谷雨", "立夏", "小满", "芒种", "夏至",
              "小暑", "大暑", "立秋", "处暑", "白露", "秋分", "寒露", "霜降", "立冬", "小雪", "大雪", "冬至"]

FIRST_YEAR, LAST_YEAR = 1900, 2049


def series(terms, tau):
    return sum(a * math.cos(b + c * tau) for a, b, c in terms)


def delta_t(year):
    """Seconds TT - UT (Espenak and Meeus polynomials; the last one extrapolates past today)."""
    if year < 1920:
        t = year - 1900
        return -2.79 + 1.494119 * t - 0.0598939 * t**2 + 0.0061966 * t**3 - 0.000197 * t**4
    if year < 1941:
        t = year - 1920
        return 21.20 + 0.84493 * t - 0.076100 * t**2 + 0.0020936 * t**3
    if year < 1961:
        t = year - 1950
        return 29.07 + 0.407 * t - t**2 / 233 + t**3 / 2547
    if year < 1986:
        t = year - 1975
        return 45.45 + 1.067 * t - t**2 / 260 - t**3 / 718
    if year < 2005:
        t = year - 2000
        return 63.86 + 0.3345 * t - 0.060374 * t**2 + 0.0017275 * t**3 + 0.000651814 * t**4 + 0.00002373599 * t**5
    t = year - 2000
    return 62.92 + 0.32217 * t + 0.005589 * t**2


# Nutation in longitude, the largest terms of the IAU 1980 series: multiples of D, M, M', F, Omega and the
# coefficient in 0.0001" (constant, per Julian century).
NUTATION = [(0, 0, 0, 0, 1, -171996, -174.2), (-2, 0, 0, 2, 2, -13187, -1.6), (0, 0, 0, 2, 2, -2274, -0.2),
            (0, 0, 0, 0, 2, 2062, 0.2), (0, 1, 0, 0, 0, 1426, -3.4), (0, 0, 1, 0, 0, 712, 0.1),
            (-2, 1, 0, 2, 2, -517, 1.2), (0, 0, 0, 2, 1, -386, -0.4), (0, 0, 1, 2, 2, -301, 0),
            (-2, -1, 0, 2, 2, 217, -0.5), (-2, 0, 1, 0, 0, -158, 0), (-2, 0, 0, 2, 1, 129, 0.1),
            (0, 0, -1, 2, 2, 123, 0), (2, 0, 0, 0, 0, 63, 0), (0, 0, 1, 0, 1, 63, 0.1), (2, 0, -1, 2, 2, -59, 0),
            (0, 0, -1, 0, 1, -58, -0.1), (0, 0, 1, 2, 1, -51, 0)]


def nutation_in_longitude(t):
    """Degrees, t in Julian centuries of dynamical time from J2000."""
    args = [297.85036 + 445267.111480 * t - 0.0019142 * t**2 + t**3 / 189474,
            357.52772 + 35999.050340 * t - 0.0001603 * t**2 - t**3 / 300000,
            134.96298 + 477198.867398 * t + 0.0086972 * t**2 + t**3 / 56250,
            93.27191 + 483202.017538 * t - 0.0036825 * t**2 + t**3 / 327230,
            125.04452 - 1934.136261 * t + 0.0020708 * t**2 + t**3 / 450000]
    total = 0.0
    for d, m, mm, f, om, a, b in NUTATION:
        angle = math.radians(d * args[0] + m * args[1] + mm * args[2] + f * args[3] + om * args[4])
        total += (a + b * t) * math.sin(angle)
    return total / 10000 / 3600


def apparent_longitude(jde):
    """The Sun's apparent geocentric longitude in degrees at the dynamical time jde."""
    tau = (jde - 2451545.0) / 365250.0
    t = tau * 10
    lon = (series(L0, tau) + series(L1, tau) * tau + series(L2, tau) * tau**2 + series(L3, tau) * tau**3
           + series(L4, tau) * tau**4 + series(L5, tau) * tau**5) / 1e8
    r = (series(R0, tau) + series(R1, tau) * tau + series(R2, tau) * tau**2) / 1e8
    sun = math.degrees(lon) + 180.0
    sun -= 0.09033 / 3600  # to the FK5 frame
    nutation = nutation_in_longitude(t)
    aberration = -20.4898 / 3600 / r
    return (sun + nutation + aberration) % 360.0


def jd_of(dt):
    return dt.timestamp() / 86400.0 + 2440587.5


def term_moment(year, index):
    """UTC datetime when the Sun reaches 285 + 15 * index degrees (index 0 = 小寒 of `year`)."""
    target = (285.0 + 15.0 * index) % 360.0
    # Start from a mean estimate: 小寒 near 6 January, one term every 365.2422 / 24 days.
    guess = datetime.datetime(year, 1, 6, tzinfo=datetime.timezone.utc) + datetime.timedelta(
        days=index * 365.2422 / 24)
    jd = jd_of(guess)
    dt_days = delta_t(year + index / 24.0) / 86400.0
    for _ in range(20):
        diff = (target - apparent_longitude(jd + dt_days) + 180.0) % 360.0 - 180.0
        step = diff / 360.0 * 365.2422  # degrees to days at the mean rate
        jd += step
        if abs(step) < 1e-7:
            break
    return datetime.datetime(1970, 1, 1, tzinfo=datetime.timezone.utc) + datetime.timedelta(days=jd - 2440587.5)


CST = datetime.timezone(datetime.timedelta(hours=8))


def term_days(year):
    return [term_moment(year, i).astimezone(CST) for i in range(24)]


def lunar_table():
    text = open(os.path.join(ROOT, "src/timerules/CLunarUtil.cpp"), encoding="utf-8").read()
    body = re.search(r"kLunarInfo\s*=\s*\{(.*?)\};", text, re.S).group(1)
    body = re.sub(r"//[^\n]*", "", body)
    values = [int(v, 16) for v in re.findall(r"0x[0-9a-fA-F]+", body)]
    if len(values) != LAST_YEAR - FIRST_YEAR + 1:
        sys.exit("lunar table: %d entries, expected 150" % len(values))
    return values


def check_tsv(values, path):
    rows = [line.split("\t") for line in open(path, encoding="utf-8") if line[:1].isdigit()]
    for row in rows:
        year, value = int(row[0]), int(row[1], 16)
        if values[year - FIRST_YEAR] != value:
            sys.exit("lunar table differs from %s in %d" % (path, year))
    if len(rows) != len(values):
        sys.exit("%s has %d rows, expected %d" % (path, len(rows), len(values)))


# Moments published by observatories, China Standard Time, to the minute.
KNOWN = [
    (2000, "春分", "2000-03-20 15:35"), (2017, "冬至", "2017-12-22 00:28"), (2021, "冬至", "2021-12-21 23:59"),
    (2023, "冬至", "2023-12-22 11:27"), (2024, "立春", "2024-02-04 16:27"), (1962, "夏至", "1962-06-22 05:24"),
]


def check_known():
    bad = 0
    for year, name, text in KNOWN:
        when = term_moment(year, TERM_NAMES.index(name)).astimezone(CST)
        want = datetime.datetime.strptime(text, "%Y-%m-%d %H:%M").replace(tzinfo=CST)
        off = abs((when - want).total_seconds())
        print("%s %s computed %s, published %s (%+.0f s)" % (year, name, when.strftime("%Y-%m-%d %H:%M:%S"), text,
                                                               (when - want).total_seconds()))
        if off > 90 or when.date() != want.date():
            bad += 1
    return bad


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("--tsv")
    ap.add_argument("--check", action="store_true")
    ap.add_argument("--times", type=int)
    ap.add_argument("--out", default=os.path.join(ROOT, "resources/calendar/caldata.js"))
    args = ap.parse_args()

    if args.times:
        for i, when in enumerate(term_days(args.times)):
            print(TERM_NAMES[i], when.strftime("%Y-%m-%d %H:%M:%S"))
        return 0
    values = lunar_table()
    if args.tsv:
        check_tsv(values, args.tsv)
    if args.check and check_known():
        sys.exit("solar terms disagree with the published moments")

    days = {y: [d.day for d in term_days(y)] for y in range(FIRST_YEAR, LAST_YEAR + 1)}
    # Each term falls on one of a few days of its month: store the smallest and one digit per year.
    base = [min(days[y][i] for y in days) for i in range(24)]
    lines = [
        "// Generated by tools/gen_calendar_data.py; do not edit.",
        "// Lunar years 1900-2049: bits 0-3 the leap month, bit (0x10000 >> m) a 30-day month m, bit 16 a 30-day leap month.",
        "var LUNAR_INFO = [",
    ]
    for i in range(0, len(values), 10):
        lines.append("  " + ", ".join("0x%05x" % v for v in values[i:i + 10]) + ",")
    lines[-1] = lines[-1].rstrip(",")
    lines.append("];")
    lines.append("// Solar terms from 小寒: day of month = TERM_BASE[i] + digit i of TERM_DAYS[year - 1900] (UTC+8).")
    lines.append("var TERM_BASE = [" + ",".join(str(b) for b in base) + "];")
    lines.append("var TERM_DAYS = [")
    rows = ['"' + "".join(str(days[y][i] - base[i]) for i in range(24)) + '"' for y in range(FIRST_YEAR, LAST_YEAR + 1)]
    for i in range(0, len(rows), 6):
        lines.append("  " + ",".join(rows[i:i + 6]) + ",")
    lines[-1] = lines[-1].rstrip(",")
    lines.append("];")
    with open(args.out, "w", encoding="utf-8", newline="\n") as out:
        out.write("\n".join(lines) + "\n")
    print("wrote", args.out)
    return 0


if __name__ == "__main__":
    sys.exit(main())
